// The update window while the pass waits for a slow server. It keeps answering and animating
// while the list is awaited; and a real click on the skinned close button, in the middle of a
// slow transfer or of the list's wait, makes the window go at once, the close runs once, and
// the pass goes on out of sight to its end: every file arrives whole, the host is started.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <set>
#include <thread>

#include "PassHarness.h"
#include "app/Application.h"
#include "app/Message.h"
#include "TestFiles.h"

using namespace tolvar;
using namespace tolvar::test;

namespace {

using Clock = std::chrono::steady_clock;

// Watches the pass from a thread timer, which fires in the pass's own message pumps: once
// `when` holds (by default: the slow file is on its way), clicks the close button, then records
// whether the window still shows once the close has run.
class CloseClicker {
public:
    using When = std::function<bool(TfmDownloading*)>;
    CloseClicker(
        TfmDownloading* form, const int& closes,
        When when = [](TfmDownloading* f) { return f->ProgressBar1->ProgressText() == "a.dll"; })
        : form_(form), closes_(closes), when_(std::move(when)) {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, 50, Tick);
    }
    ~CloseClicker() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    CloseClicker(const CloseClicker&) = delete;
    CloseClicker& operator=(const CloseClicker&) = delete;

    bool clicked = false;
    int visibleAfterClose = 0;  // ticks after the close on which the window still showed

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        CloseClicker* c = current_;
        if (!c) return;
        TfmDownloading* f = c->form_;
        if (c->clicked) {
            if (c->closes_ > 0 && IsWindowVisible(f->Handle())) ++c->visibleAfterClose;
            return;
        }
        if (!c->when_(f) || !f->skSkinForm1->IsFormActive()) return;
        RECT r;
        GetWindowRect(f->Handle(), &r);
        SetCursorPos(r.right - 27, r.top + 15);
        INPUT in[2]{};
        in[0].type = in[1].type = INPUT_MOUSE;
        in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(2, in, sizeof(INPUT));
        c->clicked = true;
    }

    TfmDownloading* form_;
    const int& closes_;
    When when_;
    UINT_PTR timer_ = 0;
    static inline CloseClicker* current_ = nullptr;
};

// Samples the window from a thread timer while the pass runs: the gauge's animation frame at
// every tick that falls inside [from, to) after the window's activation.
class FrameSampler {
public:
    FrameSampler(TfmDownloading* form, Clock::duration from, Clock::duration to) : form_(form), from_(from), to_(to) {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, 50, Tick);
    }
    ~FrameSampler() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    FrameSampler(const FrameSampler&) = delete;
    FrameSampler& operator=(const FrameSampler&) = delete;

    std::atomic<bool> activated{false};
    Clock::time_point activatedAt;
    int ticks = 0;  // inside the span
    std::set<int32_t> frames;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        FrameSampler* s = current_;
        if (!s || !s->form_->Activated) return;
        if (!s->activated) {
            s->activatedAt = Clock::now();
            s->activated = true;
        }
        const auto since = Clock::now() - s->activatedAt;
        if (since < s->from_ || since >= s->to_) return;
        ++s->ticks;
        s->frames.insert(s->form_->ProgressBar1->AnimationFrame());
    }

    TfmDownloading* form_;
    Clock::duration from_, to_;
    UINT_PTR timer_ = 0;
    static inline FrameSampler* current_ = nullptr;
};

std::string Pattern(size_t size, char seed) {
    std::string s(size, '\0');
    for (size_t i = 0; i < size; ++i) s[i] = char(seed + i * 7 + i / 251);
    return s;
}

}  // namespace

TEST(CloseDuringPass, TheWindowGoesAtOnceAndThePassFinishesOutOfSight) {
    PassHarness pass{"download_server"};
    ScratchDir files{"close-files"};
    const std::string newA = Pattern(12000, 1), newB = Pattern(3000, 2);
    pass.ServeFile("FTPHome/TolvarService/files/a.dll", newA);
    pass.ServeFile("FTPHome/TolvarService/files/b.dll", newB);
    pass.ServeUpgradeList({"SPATH /TolvarService/files", "CPATH " + files.Path(),
                           "FILE a.dll 12000 2007-05-01 12:00:00", "FILE b.dll 3000 2007-05-01 12:00:00"});
    // About three seconds for a.dll: time enough to click in the middle of it.
    pass.SetFaults(R"({"/FTPHome/TolvarService/files/a.dll": {"rate": 4000, "methods": ["GET"]}})");

    TfmDownloading* form = pass.MakeForm({}, "DomainIP=10.0.0.1\r\n");
    int closes = 0;
    form->OnClose = [form, &closes](TComponent* s, TCloseAction& a) {
        ++closes;
        form->FormClose(s, a);
    };
    CloseClicker clicker(form, closes);
    const PassOutcome outcome = pass.Run(60000);

    ASSERT_TRUE(clicker.clicked);
    EXPECT_TRUE(outcome.closed);
    EXPECT_TRUE(outcome.boxes.empty());
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(clicker.visibleAfterClose, 0);
    // The pass went on as if nothing had happened.
    EXPECT_EQ(ReadTestFile(files / "a.dll"), newA);
    EXPECT_EQ(ReadTestFile(files / "b.dll"), newB);
    EXPECT_EQ(FileNamesIn(files.Path()), (std::set<std::string>{"a.dll", "b.dll"}));  // nothing temporary
    EXPECT_FALSE(outcome.started.empty());                                            // the host program was started
}

// The upgrade list answered only after 8 s: the window's thread is not held by the wait.
class SlowList : public ::testing::Test {
protected:
    void SetUp() override {
        pass.ServeFile("FTPHome/TolvarService/files/a.dll", newA);
        pass.ServeUpgradeList(
            {"SPATH /TolvarService/files", "CPATH " + files.Path(), "FILE a.dll 3000 2007-05-01 12:00:00"});
        pass.SetFaults(R"({"/FTPHome/TolvarService/UpGradeList.txt": {"delay": 8, "methods": ["GET"]}})");
    }
    // The pass went on after the wait exactly as it would have without it.
    void ExpectThePassCompleted(const PassOutcome& outcome) const {
        EXPECT_TRUE(outcome.closed);
        EXPECT_TRUE(outcome.boxes.empty());
        EXPECT_EQ(ReadTestFile(files / "a.dll"), newA);
        EXPECT_EQ(FileNamesIn(files.Path()), std::set<std::string>{"a.dll"});
        EXPECT_EQ(outcome.requests, (std::vector<std::string>{"GET /FTPHome/TolvarService/UpGradeList.txt",
                                                              "GET /FTPHome/TolvarService/files/a.dll",
                                                              "HEAD /FTPHome/TolvarService/files/a.dll"}));
        EXPECT_EQ(outcome.started.size(), 1u) << "the host program was started";
    }

    PassHarness pass{"download_server"};
    ScratchDir files{"slow-list-files"};
    const std::string newA = Pattern(3000, 3);
};

TEST_F(SlowList, TheWindowKeepsAnsweringAndAnimatingWhileTheListIsAwaited) {
    TfmDownloading* form = pass.MakeForm({}, "DomainIP=10.0.0.1\r\n");
    // Well inside the list's wait, which starts 100 ms after the activation.
    FrameSampler sampler(form, std::chrono::seconds(1), std::chrono::seconds(6));

    // Another thread asks the window for an answer now and then, as the platform does to tell
    // a window that does not respond.
    std::atomic<bool> stop{false};
    std::atomic<int> answered{0}, unanswered{0};
    const HWND window = form->Handle();
    std::thread prober([&] {
        while (!stop && !sampler.activated) Sleep(20);
        const auto start = Clock::now();
        while (!stop && Clock::now() - start < std::chrono::seconds(6)) {
            if (Clock::now() - start >= std::chrono::seconds(1)) {
                DWORD_PTR result = 0;
                if (SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &result)) ++answered;
                else ++unanswered;
            }
            Sleep(250);
        }
    });
    const PassOutcome outcome = pass.Run(60000);
    stop = true;
    prober.join();

    EXPECT_GE(answered, 5);
    EXPECT_EQ(unanswered, 0) << "the window did not answer within 1 s while the list was awaited";
    EXPECT_GE(sampler.ticks, 10) << "the window's timers kept running";
    EXPECT_GE(sampler.frames.size(), 2u) << "the gauge's animation went on";
    ExpectThePassCompleted(outcome);
}

TEST_F(SlowList, ACloseDuringTheWaitHidesTheWindowAndThePassCompletes) {
    TfmDownloading* form = pass.MakeForm({}, "DomainIP=10.0.0.1\r\n");
    int closes = 0;
    form->OnClose = [form, &closes](TComponent* s, TCloseAction& a) {
        ++closes;
        form->FormClose(s, a);
    };
    Clock::time_point activated{};
    bool listAwaited = false;  // when the click was made
    CloseClicker clicker(form, closes, [&](TfmDownloading* f) {
        if (!f->Activated) return false;
        if (activated == Clock::time_point{}) activated = Clock::now();
        if (Clock::now() - activated < std::chrono::seconds(2)) return false;
        // Nothing of the list has arrived yet: no line queued, no file queued or shown.
        listAwaited = f->ListBox1.empty() && f->FTPView.empty() && f->ProgressBar1->ProgressText().empty();
        return true;
    });
    const PassOutcome outcome = pass.Run(60000);

    ASSERT_TRUE(clicker.clicked);
    EXPECT_TRUE(listAwaited) << "the click came only after the list's wait";
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(clicker.visibleAfterClose, 0);
    ExpectThePassCompleted(outcome);
}
