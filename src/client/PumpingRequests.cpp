#include "PumpingRequests.h"

#include "app/PumpingCall.h"
#include "http/HttpClient.h"

namespace tolvar {

std::string FetchTextPumping(const std::string& url, TProxyChooser& proxy) {
    return CallPumping([&] {
        THTTPClient client;
        client.SetProxy(proxy.RouteFor(url));
        return client.FetchText(url);
    });
}

int32_t FetchContentLengthPumping(const std::string& url, TProxyChooser& proxy) {
    return CallPumping([&] {
        THTTPClient client;
        client.SetProxy(proxy.RouteFor(url));
        return client.FetchContentLength(url);
    });
}

TProxyRoute RouteForPumping(const std::string& url, TProxyChooser& proxy) {
    return CallPumping([&] { return proxy.RouteFor(url); });
}

}  // namespace tolvar
