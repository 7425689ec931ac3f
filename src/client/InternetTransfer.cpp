#include "InternetTransfer.h"

#include <windows.h>
#include <wininet.h>

#include <array>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include "app/Handles.h"
#include "base/Exceptions.h"
#include "http/Url.h"

namespace tolvar {

namespace {

struct InternetHandleTraits {
    using Handle = HINTERNET;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { InternetCloseHandle(h); }
};
using UniqueInternet = UniqueHandle<InternetHandleTraits>;

// The service's own waits, where it keeps them: the HTTP client's 30 s.
constexpr DWORD kConnectTimeoutMs = 30000;
constexpr DWORD kReceiveTimeoutMs = 30000;
// A failed read is tried again a few times, with a short rest, before reading gives up.
constexpr int kReadRetries = 5;
constexpr DWORD kRetryRestMs = 200;
constexpr DWORD kPieceSize = 1024;
// Pieces read ahead of the caller: enough that the two threads seldom wait for each other (a
// full queue is refilled only once the caller has taken half of it), few enough that a body
// without end is not read on and on.
constexpr size_t kReadAhead = 64;
// How long an abandoned transfer is given to wind down before its thread is left to end alone.
constexpr std::chrono::milliseconds kAbandonWait{2000};

void SetTimeout(HINTERNET handle, DWORD option, DWORD ms) { InternetSetOptionA(handle, option, &ms, sizeof ms); }

// An https URL is opened as such: the service checks the server's certificate, and no flag here
// lets it pass one the system does not accept. Nor does it follow a redirect there, which might
// lead off https; the length probe follows none anyway, so no file could come of one.
DWORD OpenFlags(const std::string& url) {
    // Always from the server; and no second copy of every download in the Internet cache.
    DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE;
    bool secure = false;
    try {
        secure = ParseUrl(url).Secure();
    } catch (const Exception&) {
        // The service refuses it as well.
    }
    if (secure) flags |= INTERNET_FLAG_SECURE | INTERNET_FLAG_NO_AUTO_REDIRECT;
    return flags;
}

// The road is decided for the pass, the same for the HTTP client: the service gets it as it
// stands and decides nothing of its own. Its own choice (the system's settings) would differ
// where the settings name a configuration script, which not every implementation runs. The
// bypass list names nothing: a URL sent to the proxy goes there, its loopback included, and
// a list left out would be read from the settings instead.
HINTERNET OpenService(const TProxyRoute& proxy) {
    if (proxy.Direct()) return InternetOpenA(nullptr, INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    return InternetOpenA(nullptr, INTERNET_OPEN_TYPE_PROXY, proxy.Authority().c_str(), "<-loopback>", 0);
}

DWORD StatusOf(HINTERNET request) {
    DWORD status = 0, size = sizeof status;
    return HttpQueryInfoA(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr) ? status
                                                                                                             : 0;
}

}  // namespace

struct TInternetTransfer::State {
    std::mutex mutex;
    std::condition_variable changed;
    bool opened = false;
    bool failed = false;
    bool abandoned = false;
    bool readerWaits = false;  // for room in a full queue
    bool callerWaits = false;  // for a piece
    bool exited = false;       // the transfer's thread closed its handles and is ending
    DWORD status = 0;
    std::deque<std::string> pieces;

    void Fail() {
        const std::lock_guard lock(mutex);
        failed = true;
        changed.notify_all();
    }

    static void Run(const std::shared_ptr<State> s, const std::string url, const TProxyRoute proxy) {
        UniqueInternet session(OpenService(proxy));
        if (!session) return s->Fail();
        SetTimeout(session.Get(), INTERNET_OPTION_CONNECT_TIMEOUT, kConnectTimeoutMs);
        SetTimeout(session.Get(), INTERNET_OPTION_RECEIVE_TIMEOUT, kReceiveTimeoutMs);
        const UniqueInternet request(InternetOpenUrlA(session.Get(), url.c_str(), nullptr, 0, OpenFlags(url), 0));
        if (!request) return s->Fail();
        // Not every implementation hands the session's receive time-out on to its requests.
        SetTimeout(request.Get(), INTERNET_OPTION_RECEIVE_TIMEOUT, kReceiveTimeoutMs);
        {
            const std::lock_guard lock(s->mutex);
            s->opened = true;
            s->status = StatusOf(request.Get());
            s->changed.notify_all();
        }

        std::array<char, kPieceSize> buffer;
        int failedReads = 0;
        for (;;) {
            {
                std::unique_lock lock(s->mutex);
                if (s->pieces.size() >= kReadAhead) {
                    s->readerWaits = true;
                    s->changed.wait(lock, [&] { return s->abandoned || s->pieces.size() <= kReadAhead / 2; });
                    s->readerWaits = false;
                }
                if (s->abandoned) return;
            }
            DWORD read = 0;
            if (!InternetReadFile(request.Get(), buffer.data(), kPieceSize, &read)) {
                if (++failedReads > kReadRetries) return s->Fail();
                Sleep(kRetryRestMs);
                continue;
            }
            failedReads = 0;
            const std::lock_guard lock(s->mutex);
            s->pieces.emplace_back(buffer.data(), read);
            if (s->callerWaits) s->changed.notify_all();
            if (read == 0) return;  // the end of the body
        }
    }
};

TInternetTransfer::TInternetTransfer(const std::string& url, const TProxyRoute& proxy)
    : state_(std::make_shared<State>()) {
    thread_ = std::thread([s = state_, url, proxy] {
        State::Run(s, url, proxy);
        const std::lock_guard lock(s->mutex);
        s->exited = true;
        s->changed.notify_all();
    });
}

TInternetTransfer::~TInternetTransfer() {
    bool exited;
    {
        std::unique_lock lock(state_->mutex);
        state_->abandoned = true;
        state_->changed.notify_all();
        // A transfer that ended, or ends on being abandoned, is waited for to the end of its
        // thread, so that no thread of it outlives the pass (a process that ends while one winds
        // down may hang in its exit). One held by a silent server is left to end by itself.
        exited = state_->changed.wait_for(lock, kAbandonWait, [&] { return state_->exited; });
    }
    if (exited) thread_.join();
    else thread_.detach();
}

TInternetTransfer::Step TInternetTransfer::WaitOpen(Clock::time_point until) {
    std::unique_lock lock(state_->mutex);
    if (!state_->changed.wait_until(lock, until, [&] { return state_->opened || state_->failed; }))
        return Step::TimedOut;
    return state_->opened ? Step::Done : Step::Failed;
}

unsigned long TInternetTransfer::Status() const {
    const std::lock_guard lock(state_->mutex);
    return state_->status;
}

TInternetTransfer::Step TInternetTransfer::Next(std::string& piece, Clock::time_point until) {
    std::unique_lock lock(state_->mutex);
    if (state_->pieces.empty()) {
        state_->callerWaits = true;
        const bool ready =
            state_->changed.wait_until(lock, until, [&] { return !state_->pieces.empty() || state_->failed; });
        state_->callerWaits = false;
        if (!ready) return Step::TimedOut;
    }
    if (state_->pieces.empty()) return Step::Failed;
    piece = std::move(state_->pieces.front());
    state_->pieces.pop_front();
    if (state_->readerWaits && state_->pieces.size() <= kReadAhead / 2) state_->changed.notify_all();
    return Step::Done;
}

}  // namespace tolvar
