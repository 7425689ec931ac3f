#pragma once
#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "http/ProxyChoice.h"

namespace tolvar {

// One GET through the platform's Internet service, opened and read on a thread of its own, a
// piece of at most 1024 bytes at a time and a few pieces ahead of the caller.
//
// The service does not keep every time-out it is given: a server that stops in the middle of
// a body, or sends its headers a byte at a time, can hold one of its calls for as long as it
// keeps the connection. So the caller waits for each step only as long as it chooses; a
// transfer it gives up on (or destroys) ends on its own thread, which owns the handles and
// closes them once the service lets go.
class TInternetTransfer {
public:
    using Clock = std::chrono::steady_clock;
    enum class Step { Done, Failed, TimedOut };

    // Straight to the server, or through the proxy given, never by the service's own choice.
    TInternetTransfer(const std::string& url, const TProxyRoute& proxy);
    ~TInternetTransfer();
    TInternetTransfer(const TInternetTransfer&) = delete;
    TInternetTransfer& operator=(const TInternetTransfer&) = delete;

    // Done once the GET's answer is there, Failed when the service could not open the URL.
    Step WaitOpen(Clock::time_point until);
    // The answer's HTTP status, 0 when it has none; known once WaitOpen gave Done.
    unsigned long Status() const;
    // The next piece of the body; an empty piece is its end. Failed when reads kept failing.
    Step Next(std::string& piece, Clock::time_point until);

private:
    struct State;
    std::shared_ptr<State> state_;
    std::thread thread_;
};

}  // namespace tolvar
