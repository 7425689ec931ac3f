#include "http/HttpRequest.h"

namespace tolvar {

std::string HTTPRequestBytes(const std::string& method, const TUrl& url) {
    std::string request = method + " " + url.Target + " HTTP/1.1\r\n";
    request += "Content-Type: text/html\r\n";
    request += "Host: " + url.HostHeader() + "\r\n";
    request += "Accept: text/html, */*\r\n";
    request += "User-Agent: Mozilla/3.0 (compatible; TolvarClient)\r\n";
    request += "\r\n";
    return request;
}

}  // namespace tolvar
