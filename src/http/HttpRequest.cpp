#include "http/HttpRequest.h"

#include "base/Text.h"

namespace tolvar {

namespace {
const char* const kUserAgent = "User-Agent: Mozilla/3.0 (compatible; TolvarClient)\r\n";
}  // namespace

std::string HTTPRequestBytes(const std::string& method, const TUrl& url, TRequestTarget target) {
    // The absolute form carries the host as the Host header does, and never the user information.
    const std::string shown = target == TRequestTarget::Absolute
                                  ? LowerCaseAscii(url.Protocol) + "://" + url.HostHeader() + url.Target
                                  : url.Target;
    std::string request = method + " " + shown + " HTTP/1.1\r\n";
    request += "Content-Type: text/html\r\n";
    request += "Host: " + url.HostHeader() + "\r\n";
    request += "Accept: text/html, */*\r\n";
    request += kUserAgent;
    request += "\r\n";
    return request;
}

std::string HTTPConnectBytes(const TUrl& url) {
    // A tunnel is always asked for with the port, even the default one.
    const std::string authority = url.Host + ":" + std::to_string(url.PortNumber());
    return "CONNECT " + authority + " HTTP/1.1\r\nHost: " + authority + "\r\n" + kUserAgent + "\r\n";
}

}  // namespace tolvar
