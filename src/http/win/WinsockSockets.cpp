// The transport of the program: Winsock, non-blocking sockets, every wait through select().
#include <winsock2.h>
#include <ws2tcpip.h>

#include "http/SocketStreams.h"

namespace tolvar {

namespace {

struct WinsockHandle {
    using Handle = SOCKET;
    static SOCKET Invalid() { return INVALID_SOCKET; }
    static void Close(SOCKET s) noexcept { ::closesocket(s); }
};

struct WinsockApi {
    using Socket = UniqueHandle<WinsockHandle>;
    static constexpr int Refused = WSAECONNREFUSED;

    // Winsock counts its users: every socket object holds one start-up, so the library stays
    // up as long as any socket of ours lives, whatever else in the process starts or cleans up.
    class Session {
    public:
        Session() {
            WSADATA data;
            const int rc = ::WSAStartup(MAKEWORD(2, 2), &data);
            if (rc != 0) sockets::ThrowError<WinsockApi>("WSAStartup", rc);
        }
        Session(const Session&) = delete;
        Session& operator=(const Session&) = delete;
        ~Session() { ::WSACleanup(); }
    };

    static std::unique_ptr<addrinfo, void (*)(addrinfo*)> Resolve(const std::string& host, uint16_t port) {
        addrinfo hints{};
        hints.ai_family = AF_UNSPEC;
        hints.ai_socktype = SOCK_STREAM;
        hints.ai_protocol = IPPROTO_TCP;
        addrinfo* found = nullptr;
        const int rc = ::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found);
        if (rc != 0) throw ESocketError("Host not found: " + host + " (" + ErrorText(rc) + ")");
        return {found, ::freeaddrinfo};
    }

    static Socket Open(const addrinfo& a) {
        Socket s(::socket(a.ai_family, a.ai_socktype, a.ai_protocol));
        if (s.Valid()) MakeNonBlocking(s.Get());
        return s;
    }

    static void MakeNonBlocking(SOCKET s) {
        u_long on = 1;
        if (::ioctlsocket(s, FIONBIO, &on) != 0) sockets::ThrowError<WinsockApi>("ioctlsocket", ::WSAGetLastError());
    }

    static int Connect(SOCKET s, const addrinfo& a) {
        return ::connect(s, a.ai_addr, static_cast<int>(a.ai_addrlen)) == 0 ? 0 : ::WSAGetLastError();
    }
    static bool InProgress(int error) { return error == WSAEWOULDBLOCK; }

    static int PendingError(SOCKET s) {
        int error = 0;
        int size = sizeof error;
        return ::getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size) == 0 ? error
                                                                                                  : ::WSAGetLastError();
    }

    // A failed connect shows in the exception set, which counts as ready: SO_ERROR tells the rest.
    static bool Wait(SOCKET s, bool forWrite, Milliseconds timeout) {
        fd_set ready;
        fd_set failed;
        FD_ZERO(&ready);
        FD_ZERO(&failed);
        FD_SET(s, &ready);
        FD_SET(s, &failed);
        const int64_t ms = std::max<int64_t>(0, timeout.count());
        timeval tv{static_cast<long>(ms / 1000), static_cast<long>((ms % 1000) * 1000)};
        const int n =
            forWrite ? ::select(0, nullptr, &ready, &failed, &tv) : ::select(0, &ready, nullptr, &failed, &tv);
        if (n == SOCKET_ERROR) sockets::ThrowError<WinsockApi>("select", ::WSAGetLastError());
        return n > 0;
    }

    static long Send(SOCKET s, const char* data, size_t size) {
        const int n = ::send(s, data, static_cast<int>(std::min<size_t>(size, 1 << 20)), 0);
        return n == SOCKET_ERROR ? -1 : n;
    }
    static long Receive(SOCKET s, char* buffer, size_t size) {
        const int n = ::recv(s, buffer, static_cast<int>(std::min<size_t>(size, 1 << 20)), 0);
        return n == SOCKET_ERROR ? -1 : n;
    }
    static int LastError() { return ::WSAGetLastError(); }
    static bool WouldBlock(int error) { return error == WSAEWOULDBLOCK; }
    static bool Interrupted(int error) { return error == WSAEINTR; }
    static std::string ErrorText(int error) { return "Winsock error " + std::to_string(error); }

    static Socket ListenLoopback(uint16_t& port) {
        Socket s(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
        if (!s.Valid()) sockets::ThrowError<WinsockApi>("socket", ::WSAGetLastError());
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        int size = sizeof address;
        if (::bind(s.Get(), reinterpret_cast<sockaddr*>(&address), size) != 0 || ::listen(s.Get(), 8) != 0 ||
            ::getsockname(s.Get(), reinterpret_cast<sockaddr*>(&address), &size) != 0)
            sockets::ThrowError<WinsockApi>("listen on loopback", ::WSAGetLastError());
        port = ntohs(address.sin_port);
        MakeNonBlocking(s.Get());
        return s;
    }

    static Socket Accept(SOCKET listener) {
        Socket s(::accept(listener, nullptr, nullptr));
        if (s.Valid()) MakeNonBlocking(s.Get());
        return s;
    }
};

}  // namespace

std::unique_ptr<TByteStream> ConnectSocket(const std::string& host, uint16_t port, Milliseconds timeout) {
    return sockets::ConnectSocket<WinsockApi>(host, port, timeout);
}

std::unique_ptr<TStreamListener> NewLoopbackListener() {
    return std::make_unique<sockets::TSocketListener<WinsockApi>>();
}

}  // namespace tolvar
