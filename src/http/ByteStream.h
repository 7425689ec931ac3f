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
// ESocketError.
class TByteStream {
public:
    virtual ~TByteStream() = default;
    virtual void Connect(const std::string& host, uint16_t port, Milliseconds timeout) = 0;
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

// The platform's sockets: Winsock in the program, POSIX sockets natively.
std::unique_ptr<TByteStream> NewSocketStream();
std::unique_ptr<TStreamListener> NewLoopbackListener();

}  // namespace tolvar
