#pragma once
#include <memory>
#include <optional>
#include <string>

#include "http/ByteStream.h"
#include "http/ProxyChoice.h"

namespace tolvar {

// The current user's proxy settings as WinHTTP reads them (none when it cannot).
TProxySettings SystemProxySettings();

// A configuration script's answer for a URL through WinHTTP: the script the settings name, or
// one found by automatic detection. None when there is no script, it cannot be fetched or run,
// or it takes longer than `limit`.
std::optional<TScriptAnswer> SystemScriptAnswer(const TProxySettings& settings, const std::string& url,
                                                Milliseconds limit);

// The proxies of one pass as the system's settings give them.
std::shared_ptr<TProxyChooser> NewSystemProxyChooser();

}  // namespace tolvar
