#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "base/TransferPace.h"
#include "http/ByteStream.h"
#include "http/HttpErrors.h"

namespace tolvar {

// One HTTP/1.1 client for one request: a GET that fetches a small file whole, or a HEAD that
// learns a file's length. Every request opens its own connection and closes it before it
// returns; redirects are not followed, nothing is retried. An https URL has the same request
// and response inside TLS, one session per request. Failures raise EHTTPProtocolError
// (ESocketError for the transport, TLS and the server's certificate included, and for a body
// past the limit; ETimeoutError when a wait runs out).
class THTTPClient {
public:
    // How a request reaches its server: a stream connected to the host and port, and the TLS
    // layer put over it for https.
    using Connector = std::function<std::unique_ptr<TByteStream>(const std::string& host, uint16_t port,
                                                                 Milliseconds timeout)>;
    using TlsLayer = std::function<std::unique_ptr<TByteStream>(std::unique_ptr<TByteStream> connected,
                                                                const std::string& host, Milliseconds timeout)>;

    // The update pass must not hang on a silent server, so every wait is bounded.
    static constexpr Milliseconds DefaultConnectTimeout{30000};
    static constexpr Milliseconds DefaultReadTimeout{30000};
    // A failing response's body is read and thrown away within this time.
    static constexpr Milliseconds DrainTimeout{2000};
    // What a GET may bring: the texts fetched whole (the upgrade list, the version file) are far
    // smaller; a body past it fails the request as a broken connection does.
    static constexpr uint64_t DefaultBodyLimit = 32 * 1024 * 1024;

    THTTPClient();  // over the platform's sockets and TLS
    explicit THTTPClient(Connector connect, TlsLayer tls = StartTls);

    // The connect, and for https the TLS handshake after it, each within this time.
    void SetConnectTimeout(Milliseconds timeout) { connectTimeout_ = timeout; }
    // The response head must arrive within the read time-out, and every span of it must bring
    // at least TStreamReader::ProgressBytes of the body (or its end).
    void SetReadTimeout(Milliseconds timeout) { readTimeout_ = timeout; }
    void SetBodyLimit(uint64_t bytes) { bodyLimit_ = bytes; }
    // The body of a GET must also keep its average rate above this floor, once past its grace.
    void SetRateFloor(TRateFloor floor) { rateFloor_ = floor; }

    // GET: the response body byte for byte; empty when there is none.
    std::string FetchText(const std::string& url);
    // HEAD: the response's Content-Length, or -1 when it has none or it is not a number.
    int32_t FetchContentLength(const std::string& url);

private:
    struct Response;
    Response Request(const std::string& method, const std::string& url, std::string* body);

    Connector connect_;
    TlsLayer tls_;
    Milliseconds connectTimeout_ = DefaultConnectTimeout;
    Milliseconds readTimeout_ = DefaultReadTimeout;
    uint64_t bodyLimit_ = DefaultBodyLimit;
    TRateFloor rateFloor_;
};

// Each with a fresh client of its own, as every request of the update client is made.
std::string FetchText(const std::string& url);
int32_t FetchContentLength(const std::string& url);

}  // namespace tolvar
