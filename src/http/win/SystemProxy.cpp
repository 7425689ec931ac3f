// The system's proxy settings and configuration scripts, through WinHTTP: the user's settings
// as the Internet service keeps them, and the script run for a URL. Which proxy a URL gets of
// them is decided in ProxyChoice, the same way for every request of the pass.
#include "http/win/SystemProxy.h"

#include <windows.h>
#include <winhttp.h>

#include "base/TimeLimitedCall.h"
#include "http/HttpClient.h"

namespace tolvar {

namespace {

std::string Narrow(const wchar_t* text) {
    if (!text || !*text) return {};
    const int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string result(size > 0 ? size - 1 : 0, '\0');
    if (size > 1) WideCharToMultiByte(CP_ACP, 0, text, -1, result.data(), size, nullptr, nullptr);
    return result;
}

std::wstring Wide(const std::string& text) {
    const int size = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring result(size > 0 ? size - 1 : 0, L'\0');
    if (size > 1) MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, result.data(), size);
    return result;
}

// WinHTTP hands its strings over to be freed with GlobalFree.
std::string Take(LPWSTR text) {
    std::string result = Narrow(text);
    if (text) GlobalFree(text);
    return result;
}

std::optional<TScriptAnswer> RunScript(const TProxySettings& settings, const std::string& url, Milliseconds limit) {
    const HINTERNET session = WinHttpOpen(L"Mozilla/3.0 (compatible; TolvarClient)", WINHTTP_ACCESS_TYPE_NO_PROXY,
                                          WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0);
    if (!session) return std::nullopt;
    // The script's own fetch within the limit too, where WinHTTP keeps it.
    const int ms = static_cast<int>(limit.count());
    WinHttpSetTimeouts(session, ms, ms, ms, ms);
    const std::wstring scriptUrl = Wide(settings.AutoConfigUrl);
    const std::wstring target = Wide(url);
    WINHTTP_AUTOPROXY_OPTIONS options{};
    if (settings.AutoDetect) {
        options.dwFlags |= WINHTTP_AUTOPROXY_AUTO_DETECT;
        options.dwAutoDetectFlags = WINHTTP_AUTO_DETECT_TYPE_DHCP | WINHTTP_AUTO_DETECT_TYPE_DNS_A;
    }
    if (!scriptUrl.empty()) {
        options.dwFlags |= WINHTTP_AUTOPROXY_CONFIG_URL;
        options.lpszAutoConfigUrl = scriptUrl.c_str();
    }
    options.fAutoLogonIfChallenged = FALSE;  // no credentials go out for a script either
    WINHTTP_PROXY_INFO info{};
    const BOOL found = WinHttpGetProxyForUrl(session, target.c_str(), &options, &info);
    WinHttpCloseHandle(session);
    if (!found) return std::nullopt;
    TScriptAnswer answer;
    answer.Proxy = Take(info.lpszProxy);
    answer.Bypass = Take(info.lpszProxyBypass);
    if (info.dwAccessType != WINHTTP_ACCESS_TYPE_NAMED_PROXY) answer = {};
    return answer;
}

}  // namespace

TProxySettings SystemProxySettings() {
    WINHTTP_CURRENT_USER_IE_PROXY_CONFIG config{};
    if (!WinHttpGetIEProxyConfigForCurrentUser(&config)) return {};
    TProxySettings settings;
    settings.AutoDetect = config.fAutoDetect != FALSE;
    settings.AutoConfigUrl = Take(config.lpszAutoConfigUrl);
    settings.Proxy = Take(config.lpszProxy);
    settings.Bypass = Take(config.lpszProxyBypass);
    return settings;
}

std::optional<TScriptAnswer> SystemScriptAnswer(const TProxySettings& settings, const std::string& url,
                                                Milliseconds limit) {
    // WinHTTP fetches the script, or looks for one on the network, without a bound of its own
    // on every step: the pass waits for it no longer than for a connect. One it gave up on
    // ends by itself; its answer then counts for nothing.
    try {
        const auto answer = CallWithin(limit, [settings, url, limit] { return RunScript(settings, url, limit); });
        if (!answer) return std::nullopt;
        return *answer;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::shared_ptr<TProxyChooser> NewSystemProxyChooser() {
    return std::make_shared<TProxyChooser>(
        SystemProxySettings, [](const TProxySettings& settings, const std::string& url) {
            return SystemScriptAnswer(settings, url, THTTPClient::DefaultConnectTimeout);
        });
}

}  // namespace tolvar
