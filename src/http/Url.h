#pragma once
#include <cstdint>
#include <string>

namespace tolvar {

// The parts of an http URL: scheme "://" [user [":" password] "@"] host [":" port] "/" path.
struct TUrl {
    std::string Protocol;
    std::string User;      // parsed, never sent
    std::string Password;  // parsed, never sent
    std::string Host;      // as written; an IPv6 literal keeps its brackets
    std::string Port;      // as written; empty when the URL names none
    std::string Target;    // from the "/" after the authority, without the fragment, not encoded

    uint16_t PortNumber() const;       // 80 when the URL names no port
    std::string ConnectHost() const;   // the host without IPv6 brackets
    std::string HostHeader() const;    // the host, with ":" and the port unless the port is "80"
};

// Backslashes count as slashes. Raises EHTTPProtocolError for a URL that is not http or whose
// port is not a number from 1 to 65535, and for line breaks or NULs, which would let a URL
// write header lines of its own.
TUrl ParseUrl(std::string url);

}  // namespace tolvar
