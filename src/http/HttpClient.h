#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "http/ByteStream.h"
#include "http/HttpErrors.h"

namespace tolvar {

// One HTTP/1.1 client for one request: a GET that fetches a small file whole, or a HEAD that
// learns a file's length. Every request opens its own connection and closes it before it
// returns; redirects are not followed, nothing is retried. Failures raise EHTTPProtocolError
// (ESocketError for the transport, ETimeoutError when a wait runs out).
class THTTPClient {
public:
    using StreamFactory = std::function<std::unique_ptr<TByteStream>()>;

    // The update pass must not hang on a silent server, so every wait is bounded.
    static constexpr Milliseconds DefaultConnectTimeout{30000};
    static constexpr Milliseconds DefaultReadTimeout{30000};
    // A failing response's body is read and thrown away with this read time-out.
    static constexpr Milliseconds DrainTimeout{2000};

    THTTPClient();  // over the platform's sockets
    explicit THTTPClient(StreamFactory streams);

    void SetConnectTimeout(Milliseconds timeout) { connectTimeout_ = timeout; }
    void SetReadTimeout(Milliseconds timeout) { readTimeout_ = timeout; }

    // GET: the response body byte for byte; empty when there is none.
    std::string FetchText(const std::string& url);
    // HEAD: the response's Content-Length, or -1 when it has none or it is not a number.
    int32_t FetchContentLength(const std::string& url);

private:
    struct Response;
    Response Request(const std::string& method, const std::string& url, std::string* body);

    StreamFactory streams_;
    Milliseconds connectTimeout_ = DefaultConnectTimeout;
    Milliseconds readTimeout_ = DefaultReadTimeout;
};

// Each with a fresh client of its own, as every request of the update client is made.
std::string FetchText(const std::string& url);
int32_t FetchContentLength(const std::string& url);

}  // namespace tolvar
