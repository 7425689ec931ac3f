#include "http/Url.h"

#include <algorithm>

#include "base/Text.h"
#include "http/HttpErrors.h"

namespace tolvar {

namespace {

bool AllDigits(const std::string& s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

bool TUrl::Secure() const { return SameTextAscii(Protocol, "https"); }

uint16_t TUrl::DefaultPort() const { return Secure() ? 443 : 80; }

uint16_t TUrl::PortNumber() const {
    if (Port.empty()) return DefaultPort();
    return static_cast<uint16_t>(std::stoul(Port));  // checked by ParseUrl
}

std::string TUrl::ConnectHost() const {
    if (Host.size() >= 2 && Host.front() == '[' && Host.back() == ']') return Host.substr(1, Host.size() - 2);
    return Host;
}

std::string TUrl::HostHeader() const {
    if (Port.empty() || Port == std::to_string(DefaultPort())) return Host;
    return Host + ":" + Port;
}

TUrl ParseUrl(std::string url) {
    if (url.find_first_of(std::string("\r\n\0", 3)) != std::string::npos)
        throw EHTTPProtocolError("Invalid URL: it holds a line break or a NUL");
    std::replace(url.begin(), url.end(), '\\', '/');

    TUrl result;
    const size_t schemeEnd = url.find("://");
    if (schemeEnd == std::string::npos) throw EHTTPProtocolError("Invalid URL: " + url);
    result.Protocol = url.substr(0, schemeEnd);
    if (!SameTextAscii(result.Protocol, "http") && !SameTextAscii(result.Protocol, "https"))
        throw EHTTPProtocolError("Unsupported protocol: " + result.Protocol);

    const size_t authorityStart = schemeEnd + 3;
    size_t authorityEnd = url.find_first_of("/?#", authorityStart);
    if (authorityEnd == std::string::npos) authorityEnd = url.size();
    std::string authority = url.substr(authorityStart, authorityEnd - authorityStart);

    std::string target = url.substr(authorityEnd);
    if (target.empty() || target.front() != '/') target = std::string(1, '/') + target;
    if (const size_t hash = target.find('#'); hash != std::string::npos) target.erase(hash);
    result.Target = target;

    if (const size_t at = authority.rfind('@'); at != std::string::npos) {
        const std::string userInfo = authority.substr(0, at);
        authority.erase(0, at + 1);
        const size_t colon = userInfo.find(':');
        result.User = userInfo.substr(0, colon);
        if (colon != std::string::npos) result.Password = userInfo.substr(colon + 1);
    }

    size_t portColon = std::string::npos;
    if (!authority.empty() && authority.front() == '[') {
        const size_t close = authority.find(']');
        if (close == std::string::npos) throw EHTTPProtocolError("Invalid URL: " + url);
        if (close + 1 < authority.size()) {
            if (authority[close + 1] != ':') throw EHTTPProtocolError("Invalid URL: " + url);
            portColon = close + 1;
        }
    } else {
        portColon = authority.find(':');
    }
    result.Host = authority.substr(0, portColon);
    if (portColon != std::string::npos) result.Port = authority.substr(portColon + 1);
    if (result.ConnectHost().empty()) throw EHTTPProtocolError("Invalid URL: no host in " + url);
    if (!result.Port.empty()) {
        if (!AllDigits(result.Port) || result.Port.size() > 5 || std::stoul(result.Port) == 0 ||
            std::stoul(result.Port) > 65535)
            throw EHTTPProtocolError("Invalid port in URL: " + result.Port);
    }
    return result;
}

}  // namespace tolvar
