#pragma once
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace tolvar {

using Milliseconds = std::chrono::milliseconds;

// A connected byte stream: what the HTTP protocol needs of a transport. Every wait is bounded
// by the time-out given; a wait that runs out raises ETimeoutError, a broken transport
// ESocketError. Streams layer: TLS runs over any connected stream, whatever connected it.
class TByteStream {
public:
    virtual ~TByteStream() = default;
    virtual void WriteAll(std::string_view data, Milliseconds timeout) = 0;
    // Up to `size` bytes as soon as any are there; 0 once the peer has closed its side.
    virtual size_t Read(char* buffer, size_t size, Milliseconds timeout) = 0;
    virtual void Close() noexcept = 0;
};

// A listening socket on 127.0.0.1 at a port the system picks: the loopback servers of the
// tests sit on it, over the same transport as the client.
class TStreamListener {
public:
    virtual ~TStreamListener() = default;
    virtual uint16_t Port() const = 0;
    virtual std::unique_ptr<TByteStream> Accept(Milliseconds timeout) = 0;
};

// The platform's sockets: Winsock in the program, POSIX sockets natively. A connection to the
// host and port, the lookup and the connect within the one time-out.
std::unique_ptr<TByteStream> ConnectSocket(const std::string& host, uint16_t port, Milliseconds timeout);
std::unique_ptr<TStreamListener> NewLoopbackListener();

// TLS over a connected stream, as the platform speaks it (Schannel in the program): the
// handshake names `host` to the server (SNI) and must end within `timeout`; TLS 1.2 or newer
// only. Then the server's certificate is checked for `host` through the system's trust before a
// byte goes out. Any failure raises ESocketError (ETimeoutError for the time-out), as an
// unreachable server does. Natively there is no TLS: every call fails.
std::unique_ptr<TByteStream> StartTls(std::unique_ptr<TByteStream> connected, const std::string& host,
                                      Milliseconds timeout);

}  // namespace tolvar
