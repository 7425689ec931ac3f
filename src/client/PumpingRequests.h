#pragma once
#include <cstdint>
#include <string>

#include "http/ProxyChoice.h"

namespace tolvar {

// The HTTP client's requests as the pass makes them: the same requests with the same results,
// each made on a thread of its own while the window's thread keeps pumping its messages, as a
// download does. A slow server then leaves the gauge animating and the window answering, and a
// close hides the window while the request goes on. Each goes the road the pass's proxies give
// its URL.
std::string FetchTextPumping(const std::string& url, TProxyChooser& proxy);
int32_t FetchContentLengthPumping(const std::string& url, TProxyChooser& proxy);
// The road alone, for a download: asked for the same way, since it may have to be looked up.
TProxyRoute RouteForPumping(const std::string& url, TProxyChooser& proxy);

}  // namespace tolvar
