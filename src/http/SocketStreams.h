#pragma once
// The socket stream and the loopback listener, written once over a platform's socket
// primitives: posix/ and win/ each supply an Api and instantiate these. No system header here;
// everything system-specific goes through Api:
//   Socket (a UniqueHandle), Session (start-up guard),
//   Resolve(host, port) -> list with ->ai_next, Open(addrinfo) -> non-blocking Socket,
//   Connect(Handle, addrinfo) -> 0 or error, InProgress(error), PendingError(Handle),
//   Wait(Handle, forWrite, timeout) -> false on time-out, Send/Receive -> count or -1,
//   LastError(), WouldBlock(error), Interrupted(error), ErrorText(error), Refused,
//   ListenLoopback(port&) -> non-blocking listening Socket, Accept(Handle) -> non-blocking Socket.
#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "base/UniqueHandle.h"
#include "base/TimeLimitedCall.h"
#include "http/ByteStream.h"
#include "http/HttpErrors.h"

namespace tolvar::sockets {

template <class Api>
[[noreturn]] void ThrowError(const std::string& what, int error) {
    throw ESocketError(what + ": " + Api::ErrorText(error));
}

template <class Api>
class TSocketStream final : public TByteStream {
public:
    TSocketStream() = default;
    explicit TSocketStream(typename Api::Socket socket) : socket_(std::move(socket)) {}

    // The lookup and the connect share one time-out. A resolver that never answers must not
    // hold the request up, so the lookup runs with a time limit; and every address it gives
    // gets its share of the time left, so that one that never answers (an IPv6 route that
    // leads nowhere, say) leaves time for the next.
    void Connect(const std::string& host, uint16_t port, Milliseconds timeout) {
        using Clock = std::chrono::steady_clock;
        const auto deadline = Clock::now() + timeout;
        auto found = CallWithin(timeout, [host, port] {
            [[maybe_unused]] const typename Api::Session session;  // the sockets stay up while it looks
            return Api::Resolve(host, port);
        });
        if (!found) throw ETimeoutError("Host lookup timed out: " + host);
        const auto addresses = std::move(*found);
        size_t untried = 0;
        for (auto* address = addresses.get(); address; address = address->ai_next) ++untried;

        int lastError = Api::Refused;
        bool timedOut = false;
        for (auto* address = addresses.get(); address; address = address->ai_next, --untried) {
            typename Api::Socket s = Api::Open(*address);
            if (!s.Valid()) {
                lastError = Api::LastError();
                continue;
            }
            int error = Api::Connect(s.Get(), *address);
            if (error != 0 && Api::InProgress(error)) {
                const auto left =
                    std::max(std::chrono::duration_cast<Milliseconds>(deadline - Clock::now()), Milliseconds(0));
                if (!Api::Wait(s.Get(), true, left / static_cast<long>(untried))) {
                    timedOut = true;
                    continue;
                }
                error = Api::PendingError(s.Get());
            }
            if (error != 0) {
                lastError = error;
                continue;
            }
            socket_ = std::move(s);
            return;
        }
        if (timedOut) throw ETimeoutError("Connect timed out: " + host);
        ThrowError<Api>("Cannot connect to " + host + ":" + std::to_string(port), lastError);
    }

    void WriteAll(std::string_view data, Milliseconds timeout) override {
        while (!data.empty()) {
            const long n = Api::Send(socket_.Get(), data.data(), data.size());
            if (n >= 0) {
                data.remove_prefix(static_cast<size_t>(n));
                continue;
            }
            const int error = Api::LastError();
            if (Api::Interrupted(error)) continue;
            if (!Api::WouldBlock(error)) ThrowError<Api>("send", error);
            if (!Api::Wait(socket_.Get(), true, timeout)) throw ETimeoutError("Write timed out");
        }
    }

    size_t Read(char* buffer, size_t size, Milliseconds timeout) override {
        for (;;) {
            const long n = Api::Receive(socket_.Get(), buffer, size);
            if (n >= 0) return static_cast<size_t>(n);
            const int error = Api::LastError();
            if (Api::Interrupted(error)) continue;
            if (!Api::WouldBlock(error)) ThrowError<Api>("recv", error);
            if (!Api::Wait(socket_.Get(), false, timeout)) throw ETimeoutError("Read timed out");
        }
    }

    void Close() noexcept override { socket_.Reset(); }

private:
    typename Api::Session session_;  // first in, last out: the socket closes before the clean-up
    typename Api::Socket socket_;
};

template <class Api>
std::unique_ptr<TByteStream> ConnectSocket(const std::string& host, uint16_t port, Milliseconds timeout) {
    auto stream = std::make_unique<TSocketStream<Api>>();
    stream->Connect(host, port, timeout);
    return stream;
}

template <class Api>
class TSocketListener final : public TStreamListener {
public:
    TSocketListener() : socket_(Api::ListenLoopback(port_)) {}

    uint16_t Port() const override { return port_; }

    std::unique_ptr<TByteStream> Accept(Milliseconds timeout) override {
        if (!Api::Wait(socket_.Get(), false, timeout)) throw ETimeoutError("Accept timed out");
        typename Api::Socket accepted = Api::Accept(socket_.Get());
        if (!accepted.Valid()) ThrowError<Api>("accept", Api::LastError());
        return std::make_unique<TSocketStream<Api>>(std::move(accepted));
    }

private:
    typename Api::Session session_;
    uint16_t port_ = 0;
    typename Api::Socket socket_;
};

}  // namespace tolvar::sockets
