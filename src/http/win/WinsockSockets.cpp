// The transport of the program: Winsock, non-blocking sockets, every wait through select().
#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <utility>

#include "http/ByteStream.h"
#include "http/HttpErrors.h"

namespace tolvar {

namespace {

using Clock = std::chrono::steady_clock;

[[noreturn]] void ThrowSocketError(const std::string& what, int error) {
    throw ESocketError(what + ": Winsock error " + std::to_string(error));
}

// Winsock counts its users: every socket object holds one start-up, so the library stays up as
// long as any socket of ours lives, whatever else in the process starts or cleans it up.
class TWinsockUser {
public:
    TWinsockUser() {
        WSADATA data;
        const int rc = ::WSAStartup(MAKEWORD(2, 2), &data);
        if (rc != 0) ThrowSocketError("WSAStartup", rc);
    }
    TWinsockUser(const TWinsockUser&) = delete;
    TWinsockUser& operator=(const TWinsockUser&) = delete;
    ~TWinsockUser() { ::WSACleanup(); }
};

class TSocket {
public:
    TSocket() = default;
    explicit TSocket(SOCKET s) : socket_(s) {}
    TSocket(TSocket&& other) noexcept : socket_(other.Release()) {}
    TSocket& operator=(TSocket&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    ~TSocket() { Reset(); }
    SOCKET Get() const { return socket_; }
    bool Valid() const { return socket_ != INVALID_SOCKET; }
    SOCKET Release() { return std::exchange(socket_, INVALID_SOCKET); }
    void Reset(SOCKET s = INVALID_SOCKET) {
        if (socket_ != INVALID_SOCKET) ::closesocket(socket_);
        socket_ = s;
    }

private:
    SOCKET socket_ = INVALID_SOCKET;
};

void MakeNonBlocking(SOCKET s) {
    u_long on = 1;
    if (::ioctlsocket(s, FIONBIO, &on) != 0) ThrowSocketError("ioctlsocket", ::WSAGetLastError());
}

enum class Wait { Read, Write };

// Waits until the socket is ready; false when the time-out ran out first. A failed connect
// shows in the exception set, which is then as good as ready: SO_ERROR tells the rest.
bool WaitFor(SOCKET s, Wait wait, Milliseconds timeout) {
    fd_set ready;
    fd_set failed;
    FD_ZERO(&ready);
    FD_ZERO(&failed);
    FD_SET(s, &ready);
    FD_SET(s, &failed);
    const int64_t ms = std::max<int64_t>(0, timeout.count());
    timeval tv{static_cast<long>(ms / 1000), static_cast<long>((ms % 1000) * 1000)};
    const int n = wait == Wait::Read ? ::select(0, &ready, nullptr, &failed, &tv)
                                     : ::select(0, nullptr, &ready, &failed, &tv);
    if (n == SOCKET_ERROR) ThrowSocketError("select", ::WSAGetLastError());
    return n > 0;
}

class TWinsockStream : public TByteStream {
public:
    TWinsockStream() = default;
    explicit TWinsockStream(TSocket socket) : socket_(std::move(socket)) {}

    void Connect(const std::string& host, uint16_t port, Milliseconds timeout) override {
        addrinfo hints{};
        hints.ai_family = AF_UNSPEC;
        hints.ai_socktype = SOCK_STREAM;
        hints.ai_protocol = IPPROTO_TCP;
        addrinfo* found = nullptr;
        const int rc = ::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found);
        if (rc != 0) throw ESocketError("Host not found: " + host + " (Winsock error " + std::to_string(rc) + ")");
        const std::unique_ptr<addrinfo, decltype(&::freeaddrinfo)> addresses(found, ::freeaddrinfo);

        const auto deadline = Clock::now() + timeout;
        int lastError = WSAECONNREFUSED;
        for (const addrinfo* a = addresses.get(); a; a = a->ai_next) {
            TSocket s(::socket(a->ai_family, a->ai_socktype, a->ai_protocol));
            if (!s.Valid()) {
                lastError = ::WSAGetLastError();
                continue;
            }
            MakeNonBlocking(s.Get());
            if (::connect(s.Get(), a->ai_addr, static_cast<int>(a->ai_addrlen)) != 0) {
                const int error = ::WSAGetLastError();
                if (error != WSAEWOULDBLOCK) {
                    lastError = error;
                    continue;
                }
                const auto left = std::chrono::duration_cast<Milliseconds>(deadline - Clock::now());
                if (!WaitFor(s.Get(), Wait::Write, left)) throw ETimeoutError("Connect timed out: " + host);
                int soError = 0;
                int size = sizeof soError;
                if (::getsockopt(s.Get(), SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&soError), &size) != 0)
                    soError = ::WSAGetLastError();
                if (soError != 0) {
                    lastError = soError;
                    continue;
                }
            }
            socket_ = std::move(s);
            return;
        }
        ThrowSocketError("Cannot connect to " + host + ":" + std::to_string(port), lastError);
    }

    void WriteAll(std::string_view data, Milliseconds timeout) override {
        while (!data.empty()) {
            const int piece = static_cast<int>(std::min<size_t>(data.size(), 1 << 20));
            const int n = ::send(socket_.Get(), data.data(), piece, 0);
            if (n != SOCKET_ERROR) {
                data.remove_prefix(static_cast<size_t>(n));
                continue;
            }
            const int error = ::WSAGetLastError();
            if (error != WSAEWOULDBLOCK) ThrowSocketError("send", error);
            if (!WaitFor(socket_.Get(), Wait::Write, timeout)) throw ETimeoutError("Write timed out");
        }
    }

    size_t Read(char* buffer, size_t size, Milliseconds timeout) override {
        const int piece = static_cast<int>(std::min<size_t>(size, 1 << 20));
        for (;;) {
            const int n = ::recv(socket_.Get(), buffer, piece, 0);
            if (n != SOCKET_ERROR) return static_cast<size_t>(n);
            const int error = ::WSAGetLastError();
            if (error != WSAEWOULDBLOCK) ThrowSocketError("recv", error);
            if (!WaitFor(socket_.Get(), Wait::Read, timeout)) throw ETimeoutError("Read timed out");
        }
    }

    void Close() noexcept override { socket_.Reset(); }

private:
    TWinsockUser winsock_;  // first in, last out: the socket closes before the clean-up
    TSocket socket_;
};

class TWinsockListener : public TStreamListener {
public:
    TWinsockListener() : socket_(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP)) {
        if (!socket_.Valid()) ThrowSocketError("socket", ::WSAGetLastError());
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = 0;
        if (::bind(socket_.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
            ThrowSocketError("bind", ::WSAGetLastError());
        if (::listen(socket_.Get(), 8) != 0) ThrowSocketError("listen", ::WSAGetLastError());
        int size = sizeof address;
        if (::getsockname(socket_.Get(), reinterpret_cast<sockaddr*>(&address), &size) != 0)
            ThrowSocketError("getsockname", ::WSAGetLastError());
        port_ = ntohs(address.sin_port);
        MakeNonBlocking(socket_.Get());
    }

    uint16_t Port() const override { return port_; }

    std::unique_ptr<TByteStream> Accept(Milliseconds timeout) override {
        if (!WaitFor(socket_.Get(), Wait::Read, timeout)) throw ETimeoutError("Accept timed out");
        TSocket accepted(::accept(socket_.Get(), nullptr, nullptr));
        if (!accepted.Valid()) ThrowSocketError("accept", ::WSAGetLastError());
        MakeNonBlocking(accepted.Get());
        return std::make_unique<TWinsockStream>(std::move(accepted));
    }

private:
    TWinsockUser winsock_;
    TSocket socket_;
    uint16_t port_ = 0;
};

}  // namespace

std::unique_ptr<TByteStream> NewSocketStream() { return std::make_unique<TWinsockStream>(); }

std::unique_ptr<TStreamListener> NewLoopbackListener() { return std::make_unique<TWinsockListener>(); }

}  // namespace tolvar
