// The transport of the native build: POSIX sockets, non-blocking, every wait through poll().
#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "http/SocketStreams.h"

namespace tolvar {

namespace {

struct PosixHandle {
    using Handle = int;
    static int Invalid() { return -1; }
    static void Close(int fd) noexcept { ::close(fd); }
};

struct PosixApi {
    using Socket = UniqueHandle<PosixHandle>;
    struct Session {};  // nothing to start
    static constexpr int Refused = ECONNREFUSED;

    static std::unique_ptr<addrinfo, void (*)(addrinfo*)> Resolve(const std::string& host, uint16_t port) {
        addrinfo hints{};
        hints.ai_family = AF_UNSPEC;
        hints.ai_socktype = SOCK_STREAM;
        hints.ai_flags = AI_NUMERICSERV;
        addrinfo* found = nullptr;
        const int rc = ::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found);
        if (rc != 0) throw ESocketError("Host not found: " + host + " (" + ::gai_strerror(rc) + ")");
        return {found, ::freeaddrinfo};
    }

    static Socket Open(const addrinfo& a) {
        return Socket(::socket(a.ai_family, a.ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK, a.ai_protocol));
    }

    static int Connect(int fd, const addrinfo& a) { return ::connect(fd, a.ai_addr, a.ai_addrlen) == 0 ? 0 : errno; }
    static bool InProgress(int error) { return error == EINPROGRESS; }

    static int PendingError(int fd) {
        int error = 0;
        socklen_t size = sizeof error;
        return ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 ? error : errno;
    }

    static bool Wait(int fd, bool forWrite, Milliseconds timeout) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        for (;;) {
            const auto left = std::chrono::duration_cast<Milliseconds>(deadline - std::chrono::steady_clock::now());
            pollfd p{fd, static_cast<short>(forWrite ? POLLOUT : POLLIN), 0};
            const int n = ::poll(&p, 1, static_cast<int>(std::max<int64_t>(0, left.count())));
            if (n >= 0) return n > 0;
            if (errno != EINTR) sockets::ThrowError<PosixApi>("poll", errno);
        }
    }

    static long Send(int fd, const char* data, size_t size) { return ::send(fd, data, size, MSG_NOSIGNAL); }
    static long Receive(int fd, char* buffer, size_t size) { return ::recv(fd, buffer, size, 0); }
    static int LastError() { return errno; }
    static bool WouldBlock(int error) { return error == EAGAIN || error == EWOULDBLOCK; }
    static bool Interrupted(int error) { return error == EINTR; }
    static std::string ErrorText(int error) { return std::strerror(error); }

    static Socket ListenLoopback(uint16_t& port) {
        Socket s(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
        if (!s.Valid()) sockets::ThrowError<PosixApi>("socket", errno);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        if (::bind(s.Get(), reinterpret_cast<sockaddr*>(&address), size) != 0 || ::listen(s.Get(), 8) != 0 ||
            ::getsockname(s.Get(), reinterpret_cast<sockaddr*>(&address), &size) != 0)
            sockets::ThrowError<PosixApi>("listen on loopback", errno);
        port = ntohs(address.sin_port);
        return s;
    }

    static Socket Accept(int fd) { return Socket(::accept4(fd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK)); }
};

}  // namespace

std::unique_ptr<TByteStream> ConnectSocket(const std::string& host, uint16_t port, Milliseconds timeout) {
    return sockets::ConnectSocket<PosixApi>(host, port, timeout);
}

std::unique_ptr<TStreamListener> NewLoopbackListener() {
    return std::make_unique<sockets::TSocketListener<PosixApi>>();
}

}  // namespace tolvar
