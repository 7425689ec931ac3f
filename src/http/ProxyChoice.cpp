#include "http/ProxyChoice.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "base/Text.h"
#include "http/HttpErrors.h"

namespace tolvar {

namespace {

// The system writes its lists with ";" between the entries; blanks and commas turn up in lists
// typed by hand and separate as well.
std::vector<std::string> Entries(const std::string& list) {
    std::vector<std::string> entries;
    std::string current;
    for (const char c : list + ";") {
        if (c == ';' || c == ',' || c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            if (!current.empty()) entries.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    return entries;
}

bool AllDigits(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::optional<uint16_t> PortOf(std::string_view digits) {
    if (!AllDigits(digits) || digits.size() > 5) return std::nullopt;
    const unsigned long port = std::stoul(std::string(digits));
    if (port == 0 || port > 65535) return std::nullopt;
    return static_cast<uint16_t>(port);
}

// "*" stands for any run of characters; letters match without regard to case.
bool Matches(std::string_view pattern, std::string_view text) {
    size_t p = 0, t = 0, star = std::string_view::npos, resume = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            resume = t;
        } else if (p < pattern.size() && LowerCaseAscii(pattern.substr(p, 1)) == LowerCaseAscii(text.substr(t, 1))) {
            ++p;
            ++t;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            t = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

bool IsLoopbackHost(const std::string& host) {
    const std::string h = LowerCaseAscii(host);
    if (h == "localhost" || h == "::1") return true;
    // 127.0.0.0/8, written as four decimal parts.
    if (h.rfind("127.", 0) != 0) return false;
    int parts = 1;
    for (const char c : h) {
        if (c == '.') ++parts;
        else if (c < '0' || c > '9') return false;
    }
    return parts == 4;
}

bool KeepsLoopback(const std::vector<std::string>& bypass) {
    return std::any_of(bypass.begin(), bypass.end(),
                       [](const std::string& e) { return SameTextAscii(e, "<-loopback>"); });
}

bool LoopbackStaysLocal(const std::string& bypass, const TUrl& url) {
    return IsLoopbackHost(url.ConnectHost()) && !KeepsLoopback(Entries(bypass));
}

// One bypass entry: [scheme "://"] host pattern [":" port].
bool EntryTakes(std::string entry, const TUrl& url) {
    if (SameTextAscii(entry, "<local>")) {
        // A plain name of the local network; an address (with its dots or colons) is none.
        const std::string host = url.ConnectHost();
        return host.find_first_of(".:") == std::string::npos;
    }
    if (const size_t scheme = entry.find("://"); scheme != std::string::npos) {
        if (!SameTextAscii(entry.substr(0, scheme), url.Protocol)) return false;
        entry.erase(0, scheme + 3);
    }
    // A port after the host; the colons of an IPv6 address in brackets are none.
    size_t colon = std::string::npos;
    if (!entry.empty() && entry.front() == '[') {
        const size_t close = entry.find(']');
        if (close != std::string::npos && close + 1 < entry.size() && entry[close + 1] == ':') colon = close + 1;
    } else if (std::count(entry.begin(), entry.end(), ':') == 1) {
        colon = entry.find(':');
    }
    if (colon != std::string::npos) {
        const auto port = PortOf(std::string_view(entry).substr(colon + 1));
        if (!port || *port != url.PortNumber()) return false;
        entry.erase(colon);
    }
    if (entry.size() >= 2 && entry.front() == '[' && entry.back() == ']') entry = entry.substr(1, entry.size() - 2);
    return !entry.empty() && Matches(entry, url.ConnectHost());
}

}  // namespace

std::string TProxyRoute::Authority() const {
    const std::string host = Host.find(':') != std::string::npos ? "[" + Host + "]" : Host;
    return host + ":" + std::to_string(Port);
}

std::optional<TProxyRoute> ParseProxyServer(const std::string& text) {
    std::string s = Trim(text);
    if (const size_t scheme = s.find("://"); scheme != std::string::npos) {
        // A proxy spoken to in plain HTTP; one behind TLS or SOCKS is not ours to use.
        if (!SameTextAscii(s.substr(0, scheme), "http")) return std::nullopt;
        s.erase(0, scheme + 3);
    }
    if (const size_t slash = s.find('/'); slash != std::string::npos) s.erase(slash);
    TProxyRoute route;
    std::string port;
    if (!s.empty() && s.front() == '[') {
        const size_t close = s.find(']');
        if (close == std::string::npos) return std::nullopt;
        route.Host = s.substr(1, close - 1);
        if (close + 1 < s.size()) {
            if (s[close + 1] != ':') return std::nullopt;
            port = s.substr(close + 2);
        }
    } else {
        const size_t colon = s.find(':');
        route.Host = s.substr(0, colon);
        if (colon != std::string::npos) {
            if (s.find(':', colon + 1) != std::string::npos) return std::nullopt;
            port = s.substr(colon + 1);
        }
    }
    if (route.Host.empty() || route.Host.find_first_of(" \t@") != std::string::npos) return std::nullopt;
    if (port.empty()) {
        route.Port = 80;
    } else {
        const auto number = PortOf(port);
        if (!number) return std::nullopt;
        route.Port = *number;
    }
    return route;
}

bool BypassesProxy(const std::string& bypass, const TUrl& url) {
    if (LoopbackStaysLocal(bypass, url)) return true;
    const std::vector<std::string> entries = Entries(bypass);
    return std::any_of(entries.begin(), entries.end(), [&](const std::string& e) { return EntryTakes(e, url); });
}

TProxyRoute NamedProxyFor(const std::string& proxyList, const std::string& bypass, const TUrl& url) {
    if (BypassesProxy(bypass, url)) return {};
    std::optional<TProxyRoute> everyScheme;
    for (const std::string& entry : Entries(proxyList)) {
        const size_t equals = entry.find('=');
        const size_t scheme = entry.find("://");
        if (equals != std::string::npos && (scheme == std::string::npos || equals < scheme)) {
            if (!SameTextAscii(entry.substr(0, equals), url.Protocol)) continue;
            if (const auto route = ParseProxyServer(entry.substr(equals + 1))) return *route;
        } else if (!everyScheme) {
            everyScheme = ParseProxyServer(entry);
        }
    }
    return everyScheme.value_or(TProxyRoute{});
}

TProxyChooser::TProxyChooser(SettingsSource settings, ScriptEvaluator script)
    : source_(std::move(settings)), script_(std::move(script)) {}

TProxyChooser TProxyChooser::NoProxy() {
    return TProxyChooser([] { return TProxySettings{}; }, nullptr);
}

TProxyRoute TProxyChooser::RouteFor(const std::string& address) {
    const TUrl url = ParseUrl(address);
    const std::string server =
        LowerCaseAscii(url.Protocol) + "://" + LowerCaseAscii(url.Host) + ":" + std::to_string(url.PortNumber());
    const std::lock_guard lock(mutex_);
    if (const auto known = routes_.find(server); known != routes_.end()) return known->second;
    const TProxyRoute route = Choose(url, address);
    routes_.emplace(server, route);
    return route;
}

TProxyRoute TProxyChooser::Choose(const TUrl& url, const std::string& address) {
    if (!settings_) settings_ = source_ ? source_() : TProxySettings{};
    const TProxySettings& s = *settings_;
    if (LoopbackStaysLocal(s.Bypass, url)) return {};
    if ((s.AutoDetect || !s.AutoConfigUrl.empty()) && script_) {
        // The script decides alone: the bypass list of the named proxy is not its.
        if (const auto answer = script_(s, address)) {
            if (Trim(answer->Proxy).empty()) return {};
            return NamedProxyFor(answer->Proxy,
                                 answer->Bypass + (KeepsLoopback(Entries(s.Bypass)) ? ";<-loopback>" : ""), url);
        }
    }
    return NamedProxyFor(s.Proxy, s.Bypass, url);
}

}  // namespace tolvar
