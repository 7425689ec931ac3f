#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>

#include "http/Url.h"

namespace tolvar {

// Where a request goes first: straight to its server, or to a proxy that forwards it (an http
// request) or opens a tunnel to it (https).
struct TProxyRoute {
    std::string Host;  // empty: straight to the server; an IPv6 address without brackets
    uint16_t Port = 0;

    bool Direct() const { return Host.empty(); }
    // "host:port", an IPv6 address in brackets: as a proxy is named to the Internet service.
    std::string Authority() const;
    friend bool operator==(const TProxyRoute&, const TProxyRoute&) = default;
};

// The user's proxy settings as the system keeps them.
struct TProxySettings {
    bool AutoDetect = false;    // look for a configuration script on the network
    std::string AutoConfigUrl;  // the configuration script's URL
    // Proxies: "host:port" for every scheme, or per scheme "http=host:port;https=host:port".
    std::string Proxy;
    // Hosts reached without the proxy: "<local>;*.corp;10.*", a port or a scheme:// where given.
    std::string Bypass;
};

// One proxy as a list or a script names it: "host", "host:port", "http://host:port"; port 80
// when it names none. Nothing for what names no usable proxy.
std::optional<TProxyRoute> ParseProxyServer(const std::string& text);

// Whether the bypass list sends the URL's host straight to its server. "<local>" stands for
// every host name without a dot; the workstation's own loopback is never sent to a proxy, which
// could not reach it, unless the list says "<-loopback>".
bool BypassesProxy(const std::string& bypass, const TUrl& url);

// The named proxy for a URL: none when the bypass list takes it, otherwise the list's entry for
// the URL's scheme, or its entry for every scheme.
TProxyRoute NamedProxyFor(const std::string& proxyList, const std::string& bypass, const TUrl& url);

// What a configuration script (or the automatic detection of one) said of a URL: a proxy list
// in the named proxy's form, empty for DIRECT.
struct TScriptAnswer {
    std::string Proxy;
    std::string Bypass;
};

// The proxies of one update pass, decided the way the system decides them for its own Internet
// service: a configuration script when the settings name one or ask for its detection, and
// when there is none or it fails, the named proxy with its bypass list; otherwise straight to
// the server. The settings are read at the first request, and the road of each server
// (scheme, host and port) is asked for once and kept: every request of the pass to that
// server then takes the same road, the HTTP client's and the downloads' alike. Thread-safe.
class TProxyChooser {
public:
    using SettingsSource = std::function<TProxySettings()>;
    // The script's answer for a URL, or none when there is no script or it fails.
    using ScriptEvaluator = std::function<std::optional<TScriptAnswer>(const TProxySettings&, const std::string& url)>;

    TProxyChooser(SettingsSource settings, ScriptEvaluator script);
    // Every request straight to its server, whatever the system says.
    static TProxyChooser NoProxy();

    // Raises EHTTPProtocolError for a URL the client could not request anyway.
    TProxyRoute RouteFor(const std::string& url);

private:
    TProxyRoute Choose(const TUrl& url, const std::string& address);

    SettingsSource source_;
    ScriptEvaluator script_;
    std::mutex mutex_;
    std::optional<TProxySettings> settings_;
    std::map<std::string, TProxyRoute> routes_;  // by scheme://host:port
};

}  // namespace tolvar
