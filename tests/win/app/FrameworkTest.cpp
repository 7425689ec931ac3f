// The application framework on real windows: message handling that a component takes over,
// the general error report, timers, form events and repaints.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "Pump.h"
#include "app/Application.h"
#include "app/Form.h"
#include "app/Timer.h"
#include "base/Exceptions.h"

using namespace tolvar;
using tolvar::test::PumpUntil;

namespace {

class Framework : public ::testing::Test {
protected:
    void SetUp() override {
        Application()->OnException = [this](const std::exception& e) { errors.push_back(e.what()); };
    }
    void TearDown() override { DestroyApplication(); }
    std::vector<std::string> errors;
};

// A form that counts what it is asked to do.
class CountingForm : public TForm {
public:
    explicit CountingForm(TComponent* owner) : TForm(owner) { SetClientSize(200, 50); }
    std::string_view ClassName() const override { return "CountingForm"; }
    int paints = 0;
    std::vector<UINT> seen;

protected:
    void WndProc(TMessage& m) override {
        seen.push_back(m.Msg);
        TForm::WndProc(m);
    }
    void Paint() override {
        ++paints;
        TForm::Paint();
    }
};

}  // namespace

TEST(ErrorReport, AppendsAPeriodUnlessTheLastCharacterSortsAtOrBeforeIt) {
    struct Case {
        const char* message;
        const char* shown;
    } cases[] = {
        {"'x' is not a valid date", "'x' is not a valid date."},
        {"Already ends.", "Already ends."},
        {"Ends with a comma,", "Ends with a comma,"},
        {"Ends with a dash-", "Ends with a dash-"},
        {"Ends with a slash/", "Ends with a slash/."},
        {"I/O error 32", "I/O error 32."},
        {"", ""},
        {"\xC7\xD1", "\xC7\xD1."},  // bytes above 127 sort after "."
    };
    for (const Case& c : cases) EXPECT_EQ(ErrorReportText(c.message), c.shown) << c.message;
}

TEST_F(Framework, ErrorsEscapingAHandlerReachTheReportAndTheLoopGoesOn) {
    CountingForm* form = Application()->CreateForm<CountingForm>();
    TWindowProcHook failing(form, [](TMessage& m) {
        if (m.Msg == WM_APP + 1) throw EConvertError("'2007-13-01' is not a valid date");
        return false;
    });
    PostMessageA(form->Handle(), WM_APP + 1, 0, 0);
    PostMessageA(form->Handle(), WM_APP + 2, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return std::count(form->seen.begin(), form->seen.end(), UINT(WM_APP + 2)) == 1; }));
    EXPECT_EQ(errors, (std::vector<std::string>{"'2007-13-01' is not a valid date"}));
    EXPECT_TRUE(IsWindow(form->Handle()));  // the window stays, later messages are handled
}

// A form whose window the system refuses to make: a child window without a parent.
class UnmakeableForm : public TForm {
public:
    explicit UnmakeableForm(TComponent* owner) : TForm(owner) {}
    std::string_view ClassName() const override { return "UnmakeableForm"; }

protected:
    DWORD WindowStyle() const override { return WS_CHILD; }
};

TEST_F(Framework, AMainWindowThatCannotBeMadeReachesTheReportAndEndsTheRun) {
    Application()->CreateForm<UnmakeableForm>();
    Application()->Run();  // returns, rather than letting the error end the process
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("Error creating window"), std::string::npos) << errors[0];
}

TEST_F(Framework, AHookTakesOverMessagesAndPassesTheRestOn) {
    CountingForm* form = Application()->CreateForm<CountingForm>();
    form->HandleNeeded();
    std::vector<UINT> consumed;
    {
        TWindowProcHook hook(form, [&](TMessage& m) {
            if (m.Msg == WM_APP + 7) {
                consumed.push_back(m.Msg);
                m.Result = 42;
                return true;
            }
            return false;
        });
        EXPECT_EQ(SendMessageA(form->Handle(), WM_APP + 7, 0, 0), 42);
        SendMessageA(form->Handle(), WM_APP + 8, 0, 0);
        // A second hook in front of the first; the first goes while the second stays.
        TWindowProcHook outer(form, [&](TMessage& m) {
            if (m.Msg == WM_APP + 9) {
                m.Result = 9;
                return true;
            }
            return false;
        });
        EXPECT_EQ(SendMessageA(form->Handle(), WM_APP + 9, 0, 0), 9);
        EXPECT_EQ(SendMessageA(form->Handle(), WM_APP + 7, 0, 0), 42);
    }
    // Both gone: the form's own handling sees everything again.
    form->seen.clear();
    EXPECT_EQ(SendMessageA(form->Handle(), WM_APP + 7, 0, 0), 0);
    EXPECT_EQ(consumed.size(), 2u);
    EXPECT_EQ(form->seen, std::vector<UINT>{WM_APP + 7});
    // Only messages the hooks did not consume reached the form while they were there.
    EXPECT_EQ(std::count(form->seen.begin(), form->seen.end(), WM_APP + 8), 0);
}

TEST_F(Framework, AHookThatOutlivesALaterOneStepsAsideWithoutBreakingTheChain) {
    CountingForm* form = Application()->CreateForm<CountingForm>();
    form->HandleNeeded();
    auto first = std::make_unique<TWindowProcHook>(form, [](TMessage& m) {
        if (m.Msg != WM_APP + 1) return false;
        m.Result = 1;
        return true;
    });
    TWindowProcHook second(form, [](TMessage& m) {
        if (m.Msg != WM_APP + 2) return false;
        m.Result = 2;
        return true;
    });
    first.reset();  // not at the head: it must keep passing messages on
    EXPECT_EQ(SendMessageA(form->Handle(), WM_APP + 1, 0, 0), 0);
    EXPECT_EQ(SendMessageA(form->Handle(), WM_APP + 2, 0, 0), 2);
    form->seen.clear();
    SendMessageA(form->Handle(), WM_APP + 3, 0, 0);
    EXPECT_EQ(form->seen, std::vector<UINT>{WM_APP + 3});
}

TEST_F(Framework, FormEventsRunInOrderAndClosingTheMainFormEndsTheLoop) {
    std::vector<std::string> events;
    CountingForm* form = Application()->CreateForm<CountingForm>();
    form->OnActivate = [&](TComponent*) { events.push_back("activate"); };
    form->OnClose = [&](TComponent*, TCloseAction& a) {
        events.push_back("close");
        EXPECT_EQ(a, TCloseAction::caFree);
    };
    form->Show();
    ASSERT_TRUE(PumpUntil([&] { return !events.empty(); }));
    EXPECT_EQ(events.front(), "activate");
    SendMessageA(form->Handle(), WM_CLOSE, 0, 0);  // the system's close goes through the close request
    EXPECT_EQ(events.back(), "close");
    ASSERT_TRUE(PumpUntil([&] { return Application()->Terminated(); }));
    EXPECT_TRUE(IsWindow(form->Handle()));  // closing ends the loop; the form goes with the application
}

TEST_F(Framework, ACloseRequestTheHandlerRefusesKeepsTheLoopRunning) {
    CountingForm* form = Application()->CreateForm<CountingForm>();
    form->OnClose = [](TComponent*, TCloseAction& a) { a = TCloseAction::caNone; };
    form->Show();
    form->Close();
    Application()->ProcessMessages();
    EXPECT_FALSE(Application()->Terminated());
}

TEST_F(Framework, TimersTickThroughTheLoopUntilDisabled) {
    CountingForm* form = Application()->CreateForm<CountingForm>();
    TTimer* timer = Own<TTimer>(form);
    int ticks = 0;
    timer->SetEnabled(false);
    timer->SetInterval(10);
    timer->SetOnTimer([&](TComponent* sender) {
        EXPECT_EQ(sender, timer);
        if (++ticks == 3) timer->SetEnabled(false);
    });
    Sleep(30);
    Application()->ProcessMessages();
    EXPECT_EQ(ticks, 0);  // disabled: no tick
    timer->SetEnabled(true);
    ASSERT_TRUE(PumpUntil([&] { return ticks == 3; }));
    Sleep(50);
    Application()->ProcessMessages();
    EXPECT_EQ(ticks, 3);

    // An error in a tick goes to the report; the timer keeps ticking.
    int failing = 0;
    timer->SetOnTimer([&](TComponent*) {
        if (++failing == 2) timer->SetEnabled(false);
        throw Exception("tick failed");
    });
    timer->SetEnabled(true);
    ASSERT_TRUE(PumpUntil([&] { return failing == 2; }));
    EXPECT_EQ(errors, (std::vector<std::string>{"tick failed", "tick failed"}));

    // Interval 0 never ticks.
    int zero = 0;
    timer->SetInterval(0);
    timer->SetOnTimer([&](TComponent*) { ++zero; });
    timer->SetEnabled(true);
    Sleep(30);
    Application()->ProcessMessages();
    EXPECT_EQ(zero, 0);
}

TEST_F(Framework, ADeferredRepaintWaitsForTheLoopAnImmediateOneDoesNot) {
    CountingForm* form = Application()->CreateForm<CountingForm>();
    form->Show();
    ASSERT_TRUE(PumpUntil([&] { return form->paints > 0; }));
    Application()->ProcessMessages();
    const int before = form->paints;
    form->Invalidate();
    EXPECT_EQ(form->paints, before);
    Application()->ProcessMessages();
    EXPECT_EQ(form->paints, before + 1);
    form->Repaint();
    EXPECT_EQ(form->paints, before + 2);
}

TEST_F(Framework, FormsAreListedInTheOrderTheyWereMade) {
    TForm* a = Application()->CreateForm<CountingForm>();
    TForm* b = Application()->CreateForm<CountingForm>();
    EXPECT_EQ(Application()->MainForm(), a);
    EXPECT_EQ(Application()->Forms(), (std::vector<TForm*>{a, b}));
}
