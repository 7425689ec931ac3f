// The transport of the native build: POSIX sockets, non-blocking, every wait through poll().
#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <algorithm>
#include <memory>
#include <string>
#include <utility>

#include "http/ByteStream.h"
#include "http/HttpErrors.h"

namespace tolvar {

namespace {

using Clock = std::chrono::steady_clock;

[[noreturn]] void ThrowSocketError(const std::string& what, int error) {
    throw ESocketError(what + ": " + std::strerror(error));
}

class TSocket {
public:
    TSocket() = default;
    explicit TSocket(int fd) : fd_(fd) {}
    TSocket(TSocket&& other) noexcept : fd_(other.Release()) {}
    TSocket& operator=(TSocket&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    ~TSocket() { Reset(); }
    int Get() const { return fd_; }
    int Release() { return std::exchange(fd_, -1); }
    void Reset(int fd = -1) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = fd;
    }

private:
    int fd_ = -1;
};

void MakeNonBlocking(int fd) {
    const int flags = ::fcntl(fd, F_GETFL, 0);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) < 0) ThrowSocketError("fcntl", errno);
}

// Waits for `events` on the socket; false when the time-out ran out first.
bool WaitFor(int fd, short events, Milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        const auto left = std::chrono::duration_cast<Milliseconds>(deadline - Clock::now());
        pollfd p{fd, events, 0};
        const int n = ::poll(&p, 1, static_cast<int>(std::max<int64_t>(0, left.count())));
        if (n > 0) return true;
        if (n == 0) return false;
        if (errno != EINTR) ThrowSocketError("poll", errno);
    }
}

class TPosixStream : public TByteStream {
public:
    TPosixStream() = default;
    explicit TPosixStream(TSocket socket) : socket_(std::move(socket)) {}

    void Connect(const std::string& host, uint16_t port, Milliseconds timeout) override {
        addrinfo hints{};
        hints.ai_family = AF_UNSPEC;
        hints.ai_socktype = SOCK_STREAM;
        hints.ai_flags = AI_NUMERICSERV;
        addrinfo* found = nullptr;
        const int rc = ::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found);
        if (rc != 0) throw ESocketError("Host not found: " + host + " (" + ::gai_strerror(rc) + ")");
        const std::unique_ptr<addrinfo, decltype(&::freeaddrinfo)> addresses(found, ::freeaddrinfo);

        const auto deadline = Clock::now() + timeout;
        int lastError = ECONNREFUSED;
        for (const addrinfo* a = addresses.get(); a; a = a->ai_next) {
            TSocket s(::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol));
            if (s.Get() < 0) {
                lastError = errno;
                continue;
            }
            MakeNonBlocking(s.Get());
            if (::connect(s.Get(), a->ai_addr, a->ai_addrlen) != 0) {
                if (errno != EINPROGRESS) {
                    lastError = errno;
                    continue;
                }
                const auto left = std::chrono::duration_cast<Milliseconds>(deadline - Clock::now());
                if (!WaitFor(s.Get(), POLLOUT, std::max(left, Milliseconds(0))))
                    throw ETimeoutError("Connect timed out: " + host);
                int error = 0;
                socklen_t size = sizeof error;
                if (::getsockopt(s.Get(), SOL_SOCKET, SO_ERROR, &error, &size) != 0) error = errno;
                if (error != 0) {
                    lastError = error;
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
            const ssize_t n = ::send(socket_.Get(), data.data(), data.size(), MSG_NOSIGNAL);
            if (n >= 0) {
                data.remove_prefix(static_cast<size_t>(n));
            } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
                if (!WaitFor(socket_.Get(), POLLOUT, timeout)) throw ETimeoutError("Write timed out");
            } else if (errno != EINTR) {
                ThrowSocketError("send", errno);
            }
        }
    }

    size_t Read(char* buffer, size_t size, Milliseconds timeout) override {
        for (;;) {
            const ssize_t n = ::recv(socket_.Get(), buffer, size, 0);
            if (n >= 0) return static_cast<size_t>(n);
            if (errno == EAGAIN || errno == EWOULDBLOCK) {
                if (!WaitFor(socket_.Get(), POLLIN, timeout)) throw ETimeoutError("Read timed out");
            } else if (errno != EINTR) {
                ThrowSocketError("recv", errno);
            }
        }
    }

    void Close() noexcept override { socket_.Reset(); }

private:
    TSocket socket_;
};

class TPosixListener : public TStreamListener {
public:
    TPosixListener() : socket_(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
        if (socket_.Get() < 0) ThrowSocketError("socket", errno);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = 0;
        if (::bind(socket_.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
            ThrowSocketError("bind", errno);
        if (::listen(socket_.Get(), 8) != 0) ThrowSocketError("listen", errno);
        socklen_t size = sizeof address;
        if (::getsockname(socket_.Get(), reinterpret_cast<sockaddr*>(&address), &size) != 0)
            ThrowSocketError("getsockname", errno);
        port_ = ntohs(address.sin_port);
        MakeNonBlocking(socket_.Get());
    }

    uint16_t Port() const override { return port_; }

    std::unique_ptr<TByteStream> Accept(Milliseconds timeout) override {
        if (!WaitFor(socket_.Get(), POLLIN, timeout)) throw ETimeoutError("Accept timed out");
        TSocket accepted(::accept4(socket_.Get(), nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK));
        if (accepted.Get() < 0) ThrowSocketError("accept", errno);
        return std::make_unique<TPosixStream>(std::move(accepted));
    }

private:
    TSocket socket_;
    uint16_t port_ = 0;
};

}  // namespace

std::unique_ptr<TByteStream> NewSocketStream() { return std::make_unique<TPosixStream>(); }

std::unique_ptr<TStreamListener> NewLoopbackListener() { return std::make_unique<TPosixListener>(); }

}  // namespace tolvar
