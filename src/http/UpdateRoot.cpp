#include "http/UpdateRoot.h"

namespace tolvar {

namespace {

bool IsHostChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string UpdateRootProblem(std::string_view url) {
    const std::string quoted = "the update root \"" + std::string(url) + "\"";
    std::string_view scheme;
    for (const std::string_view known : {"http://", "https://"})
        if (url.starts_with(known)) scheme = known;
    if (scheme.empty()) return quoted + " does not start with http:// or https://";
    std::string_view rest = url.substr(scheme.size());
    const size_t end = rest.find_first_of("/?#");
    if (end != std::string_view::npos)
        return quoted + " must be " + std::string(scheme) +
               "host[:port] alone, without a path (not even a final /), query or fragment";
    if (rest.find('@') != std::string_view::npos) return quoted + " must not carry user information";
    const size_t colon = rest.find(':');
    const std::string_view host = rest.substr(0, colon);
    if (host.empty()) return quoted + " has no host";
    for (char c : host)
        if (!IsHostChar(c)) return quoted + " has a host with a character other than letters, digits, '-' and '.'";
    if (colon != std::string_view::npos) {
        const std::string_view port = rest.substr(colon + 1);
        bool digits = !port.empty() && port.size() <= 5;
        for (char c : port) digits = digits && IsDigit(c);
        long value = 0;
        if (digits)
            for (char c : port) value = value * 10 + (c - '0');
        if (!digits || value < 1 || value > 65535) return quoted + " has a port that is not a number from 1 to 65535";
    }
    return {};
}

}  // namespace tolvar
