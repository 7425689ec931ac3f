#pragma once
#include <cstdint>
#include <string>

namespace tolvar {

// The parts of an http or https URL: scheme "://" [user [":" password] "@"] host [":" port] "/"
// path.
struct TUrl {
    std::string Protocol;
    std::string User;      // parsed, never sent
    std::string Password;  // parsed, never sent
    std::string Host;      // as written; an IPv6 literal keeps its brackets
    std::string Port;      // as written; empty when the URL names none
    std::string Target;    // from the "/" after the authority, without the fragment, not encoded

    bool Secure() const;              // https: the request goes over TLS
    uint16_t DefaultPort() const;     // 443 for https, 80 for http
    uint16_t PortNumber() const;      // the default port when the URL names none
    std::string ConnectHost() const;  // the host without IPv6 brackets
    // The host, with ":" and the port unless the port is the default one written plainly ("80"
    // for http, "443" for https).
    std::string HostHeader() const;
};

// Backslashes count as slashes; the scheme is matched without regard to case. Raises
// EHTTPProtocolError for a URL that is neither http nor https or whose port is not a number
// from 1 to 65535, and for line breaks or NULs, which would let a URL write header lines of its
// own.
TUrl ParseUrl(std::string url);

}  // namespace tolvar
