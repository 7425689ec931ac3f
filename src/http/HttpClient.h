#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "base/TransferPace.h"
#include "http/ByteStream.h"
#include "http/HttpErrors.h"
#include "http/ProxyChoice.h"

namespace tolvar {

class TStreamReader;
struct TUrl;

// One HTTP/1.1 client for one request: a GET that fetches a small file whole, or a HEAD that
// learns a file's length. Every request opens its own connection and closes it before it
// returns; redirects are not followed, nothing is retried. An https URL has the same request
// and response inside TLS, one session per request. Through a proxy, an http request names the
// whole URL as its target and is otherwise the same; an https one asks the proxy for a tunnel
// to the server and speaks TLS to the server through it. Failures raise EHTTPProtocolError
// (ESocketError for the transport, TLS and the server's certificate included, and for a body
// past the limit; ETimeoutError when a wait runs out).
class THTTPClient {
public:
    // How a request reaches its server: a stream connected to the host and port, and the TLS
    // layer put over it for https.
    using Connector =
        std::function<std::unique_ptr<TByteStream>(const std::string& host, uint16_t port, Milliseconds timeout)>;
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
    // The proxy the request goes through (none by default). The connect to it and its answer to
    // a tunnel's request are bounded as the connect to the server and its answer are; a proxy
    // that cannot be reached fails the request, which is never sent straight to the server then.
    void SetProxy(TProxyRoute proxy) { proxy_ = std::move(proxy); }

    // GET: the response body byte for byte; empty when there is none.
    std::string FetchText(const std::string& url);
    // HEAD: the response's Content-Length, or -1 when it has none or it is not a number.
    int32_t FetchContentLength(const std::string& url);

private:
    struct Response;
    Response Request(const std::string& method, const std::string& url, std::string* body);
    // The status line and headers, interim answers skipped, within the read time-out in all.
    Response ReadHead(TStreamReader& reader) const;
    // Asks the proxy for a tunnel to the URL's server; anything but a success fails the request.
    void OpenTunnel(TByteStream& proxy, const TUrl& url) const;

    Connector connect_;
    TlsLayer tls_;
    Milliseconds connectTimeout_ = DefaultConnectTimeout;
    Milliseconds readTimeout_ = DefaultReadTimeout;
    uint64_t bodyLimit_ = DefaultBodyLimit;
    TRateFloor rateFloor_;
    TProxyRoute proxy_;
};

// Each with a fresh client of its own, as every request of the update client is made.
std::string FetchText(const std::string& url);
int32_t FetchContentLength(const std::string& url);

}  // namespace tolvar
