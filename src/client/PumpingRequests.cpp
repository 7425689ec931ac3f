#include "PumpingRequests.h"

#include "app/PumpingCall.h"
#include "http/HttpClient.h"

namespace tolvar {

std::string FetchTextPumping(const std::string& url) {
    return CallPumping([&url] { return FetchText(url); });
}

int32_t FetchContentLengthPumping(const std::string& url) {
    return CallPumping([&url] { return FetchContentLength(url); });
}

}  // namespace tolvar
