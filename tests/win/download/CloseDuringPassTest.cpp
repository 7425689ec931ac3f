// Closing the update window while the pass downloads: a real click on the skinned close
// button in the middle of a slow transfer. The window goes at once, the close runs once, and
// the pass goes on out of sight to its end: every file arrives whole, the host is started.
#include <gtest/gtest.h>

#include "PassHarness.h"
#include "app/Application.h"
#include "app/Message.h"
#include "TestFiles.h"

using namespace tolvar;
using namespace tolvar::test;

namespace {

// Watches the pass from a thread timer, which fires in the pass's own message pumps: once the
// slow file is on its way, clicks the close button, then records whether the window still
// shows once the close has run.
class CloseClicker {
public:
    CloseClicker(TfmDownloading* form, const int& closes) : form_(form), closes_(closes) {
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
        if (f->ProgressBar1->ProgressText() != "a.dll" || !f->skSkinForm1->IsFormActive()) return;
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
    UINT_PTR timer_ = 0;
    static inline CloseClicker* current_ = nullptr;
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
    pass.ServeUpgradeList({"SPATH /TolvarService/files", "CPATH " + files.Path(), "FILE a.dll 12000 2007-05-01 12:00:00",
                           "FILE b.dll 3000 2007-05-01 12:00:00"});
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
    EXPECT_FALSE(outcome.started.empty());        // the host program was started
}
