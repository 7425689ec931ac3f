// The socket stream's connect over a stand-in for the platform's sockets: the lookup's time
// limit, and the next address after one that never answers.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "base/UniqueHandle.h"
#include "http/SocketStreams.h"

namespace tolvar {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// One address the lookup gives: whether a connect to it is ever answered.
struct FakeAddress {
    bool answers = true;
    std::unique_ptr<FakeAddress> next_;
    FakeAddress* ai_next = nullptr;
};

struct FakeHandle {
    using Handle = int;
    static int Invalid() { return -1; }
    static void Close(int) noexcept {}
};

// What the stand-in does; set by each test before it connects.
struct Script {
    Milliseconds lookup{0};
    std::vector<bool> answers;  // per address, in the lookup's order
    std::vector<int> tried;     // the addresses connected to, by index
    std::vector<Milliseconds> waits;
};
Script* script = nullptr;

struct FakeApi {
    using Socket = UniqueHandle<FakeHandle>;
    struct Session {};
    static constexpr int Refused = 111;

    static std::unique_ptr<FakeAddress> Resolve(const std::string&, uint16_t) {
        const std::vector<bool> answers = script->answers;
        std::this_thread::sleep_for(script->lookup);
        auto first = std::make_unique<FakeAddress>();
        FakeAddress* last = nullptr;
        for (size_t i = 0; i < answers.size(); ++i) {
            FakeAddress* a = last ? (last->next_ = std::make_unique<FakeAddress>()).get() : first.get();
            if (last) last->ai_next = a;
            a->answers = answers[i];
            last = a;
        }
        return first;
    }
    static Socket Open(const FakeAddress& a) {
        int index = 0;
        for (const FakeAddress* p = &a; p->ai_next; p = p->ai_next) ++index;
        return Socket(static_cast<int>(script->answers.size()) - 1 - index);
    }
    static int Connect(int socket, const FakeAddress&) {
        script->tried.push_back(socket);
        return 1;  // in progress
    }
    static bool InProgress(int error) { return error == 1; }
    static int PendingError(int) { return 0; }
    static bool Wait(int socket, bool, Milliseconds timeout) {
        script->waits.push_back(timeout);
        if (script->answers[static_cast<size_t>(socket)]) return true;
        std::this_thread::sleep_for(timeout);
        return false;
    }
    static long Send(int, const char*, size_t size) { return static_cast<long>(size); }
    static long Receive(int, char*, size_t) { return 0; }
    static int LastError() { return 0; }
    static bool WouldBlock(int) { return false; }
    static bool Interrupted(int) { return false; }
    static std::string ErrorText(int) { return "error"; }
};

TEST(ConnectTest, AnAddressThatNeverAnswersLeavesTimeForTheNext) {
    Script s;
    s.answers = {false, true};  // an IPv6 route to nowhere, then the working IPv4 address
    script = &s;
    sockets::TSocketStream<FakeApi> stream;
    const auto start = Clock::now();
    EXPECT_NO_THROW(stream.Connect("host", 80, 2000ms));
    EXPECT_LT(Clock::now() - start, 1900ms);
    EXPECT_EQ(s.tried, (std::vector<int>{0, 1}));
    ASSERT_EQ(s.waits.size(), 2u);
    EXPECT_LE(s.waits[0], 1000ms) << "the first address gets its share, not the whole time";
    EXPECT_GE(s.waits[1], 900ms);
}

TEST(ConnectTest, NoAddressAnsweringIsATimeOutWithinTheLimit) {
    Script s;
    s.answers = {false, false, false};
    script = &s;
    sockets::TSocketStream<FakeApi> stream;
    const auto start = Clock::now();
    EXPECT_THROW(stream.Connect("host", 80, 600ms), ETimeoutError);
    EXPECT_LT(Clock::now() - start, 2s) << "an upper bound with slack, not a measurement";
    EXPECT_EQ(s.tried, (std::vector<int>{0, 1, 2}));
}

TEST(ConnectTest, ALookupThatNeverEndsRunsIntoTheLimit) {
    static Script s;  // the late lookup still reads it after the test has moved on
    s.lookup = 3s;
    s.answers = {true};
    script = &s;
    sockets::TSocketStream<FakeApi> stream;
    const auto start = Clock::now();
    EXPECT_THROW(stream.Connect("host", 80, 300ms), ETimeoutError);
    EXPECT_LT(Clock::now() - start, 2s);
    EXPECT_TRUE(s.tried.empty());
}

}  // namespace
}  // namespace tolvar
