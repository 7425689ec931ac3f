// The update window's skinned frame on a real window: its size and client area, what the
// platform hears from it (hit codes, activation, the frame painted into a given context), the
// frame switched off and on, a skin loaded again while the window is open, and real clicks.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <string>
#include <vector>

#include "Capture.h"
#include "Pump.h"
#include "WindowTest.h"
#include "app/Application.h"
#include "app/Canvas.h"
#include "app/Form.h"
#include "app/Handles.h"
#include "app/Message.h"
#include "client/DownLoad.h"
#include "client/StoredResources.h"
#include "skin/controls/win/ApplicationNoticeRoute.h"
#include "skin/controls/win/SkinGauge.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/frame/win/SkinForm.h"

using namespace tolvar;
using tolvar::test::PumpUntil;

namespace {

// A window set up as the update window is, without its pass.
struct FrameWindow {
    TForm* form;
    TskCompressedStoredSkin* stored;
    TskSkinData* data;
    TskSkinForm* skin;
    TskSkinGauge* gauge;
    // What the form's handlers saw; shared with them, since the form outlives this test's scope
    // until the application goes.
    struct Seen {
        int closes = 0;
        std::vector<UINT> previous;  // messages that reached the form's own handler
    };
    std::shared_ptr<Seen> seen = std::make_shared<Seen>();

    FrameWindow() {
        InstallApplicationSkinNoticeRoute();  // skin notices reach the windows, as in the program
        form = Application()->CreateForm<TForm>();
        form->SetCaption("Update Checking...");
        form->SetBorderStyle(TFormBorderStyle::bsSingle);
        form->SetBorderIcons(0);
        form->SetPosition(TPosition::poScreenCenter);
        form->SetClientSize(336, 31);
        form->OnClose = [seen = seen](TComponent*, TCloseAction&) { ++seen->closes; };
        stored = Own<TskCompressedStoredSkin>(form);
        stored->ReadCompressedData(StoredSkin());
        data = Own<TskSkinData>(form);
        data->SetCompressedStoredSkin(stored);
        // Listens behind the frame: what the frame passes on arrives here.
        form->SetWindowProc([seen = seen, own = form->WindowProc()](TMessage& m) {
            seen->previous.push_back(m.Msg);
            own(m);
        });
        skin = Own<TskSkinForm>(form);
        skin->SetBorderIcons(BorderIconBit(TskBorderIcon::biSystemMenu));
        skin->SetShowIcon(true);
        skin->SetSkinData(data);
        gauge = Own<TskSkinGauge>(form);
        gauge->SetBounds(7, 7, 321, 20);
        gauge->SetSkinDataName("gauge");
        gauge->SetSkinData(data);
        gauge->SetParent(form);
    }
    HWND Handle() const { return form->Handle(); }
    void ShowActive() {
        form->Show();
        PumpUntil([&] { return skin->IsFormActive(); });
        // The window is see-through until its border is up around it.
        PumpUntil([&] { return !(GetWindowLongA(form->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED); });
        Application()->ProcessMessages();
    }
    RECT WindowRect() const {
        RECT r;
        GetWindowRect(form->Handle(), &r);
        return r;
    }
    Point ScreenOf(int32_t x, int32_t y) const {
        const RECT r = WindowRect();
        return {r.left + x, r.top + y};
    }
    HitCode HitAt(int32_t x, int32_t y) const {
        const LRESULT code = SendMessageA(form->Handle(), WM_NCHITTEST, 0, PackPoint(ScreenOf(x, y)));
        return HitCode(int32_t(code));
    }
};

// What a window paints into a section of w x h, by a message that takes the context in wParam.
Bitmap PaintedBy(HWND h, UINT msg, LPARAM lParam, int32_t w, int32_t hgt, LRESULT* answer = nullptr) {
    return tolvar::test::CaptureDrawing(w, hgt, [&](HDC dc) {
        const LRESULT r = SendMessageA(h, msg, reinterpret_cast<WPARAM>(dc), lParam);
        if (answer) *answer = r;
    });
}

// A real click of the left (or right) button at a screen point, through the input queue.
void ClickAt(Point p, bool right = false) {
    SetCursorPos(p.X, p.Y);
    INPUT in[2]{};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    // Both at once: the platform's own handling of a press on the caption waits for the
    // release inside its own loop.
    SendInput(2, in, sizeof(INPUT));
}

using Frame = tolvar::test::WindowTest;

}  // namespace

TEST_F(Frame, TheUpdateWindowCarriesTheSkinnedFrame) {
    auto* window = Application()->CreateForm<TfmDownloading>();
    window->HandleNeeded();
    ASSERT_NE(window->skSkinForm1, nullptr);
    EXPECT_EQ(window->skSkinForm1->SkinData(), window->skSkinData1);
    EXPECT_EQ(window->skSkinForm1->BorderIcons(), BorderIconBit(TskBorderIcon::biSystemMenu));
    EXPECT_TRUE(window->skSkinForm1->ShowIcon());
    EXPECT_TRUE(window->skSkinForm1->SkinPresent());
    EXPECT_EQ(window->BorderIcons(), 0u);
    EXPECT_EQ(window->Width(), 342);
    EXPECT_EQ(window->Height(), 64);
}

TEST_F(Frame, TheClientAreaIsTheWindowLessTheSkinsBorders) {
    FrameWindow w;
    w.ShowActive();
    const RECT r = w.WindowRect();
    EXPECT_EQ(r.right - r.left, 342);
    EXPECT_EQ(r.bottom - r.top, 64);
    RECT c;
    GetClientRect(w.Handle(), &c);
    EXPECT_EQ(c.right, 336);
    EXPECT_EQ(c.bottom, 31);
    POINT origin{0, 0};
    ClientToScreen(w.Handle(), &origin);
    EXPECT_EQ(origin.x - r.left, 3);
    EXPECT_EQ(origin.y - r.top, 30);
    EXPECT_EQ(SendMessageA(w.Handle(), 45490, 0, 0), 12853);
}

TEST_F(Frame, HitCodesAtScreenPointsLeftOfThePrimaryMonitorToo) {
    FrameWindow w;
    w.ShowActive();
    for (const int32_t left : {200, -250}) {
        w.form->SetBounds(left, 100, 342, 64);
        EXPECT_EQ(w.HitAt(320, 15), HitCode::Object) << left;  // the close button
        EXPECT_EQ(w.HitAt(150, 12), HitCode::Caption) << left;
        EXPECT_EQ(w.HitAt(150, 40), HitCode::Client) << left;
        EXPECT_EQ(w.HitAt(0, 40), HitCode::Object) << left;  // the border: a single border never resizes
        EXPECT_EQ(w.HitAt(341, 63), HitCode::Object) << left;
        w.skin->Frame().TestActive(std::nullopt);
    }
}

TEST_F(Frame, ActivationIsAnsweredByTheFrameAlone) {
    FrameWindow w;
    w.ShowActive();
    w.seen->previous.clear();
    EXPECT_EQ(SendMessageA(w.Handle(), WM_NCACTIVATE, FALSE, 0), 1);
    EXPECT_FALSE(w.skin->IsFormActive());
    EXPECT_EQ(SendMessageA(w.Handle(), WM_NCACTIVATE, TRUE, 0), 1);
    EXPECT_TRUE(w.skin->IsFormActive());
    for (UINT m : w.seen->previous) EXPECT_NE(m, UINT(WM_NCACTIVATE));
}

TEST_F(Frame, TheFramePaintedIntoAGivenContextIsTheComposedOne) {
    FrameWindow w;
    w.ShowActive();
    LRESULT answer = 0;
    const Bitmap painted = PaintedBy(w.Handle(), 45513, 0, 342, 64, &answer);
    EXPECT_EQ(answer, 12851);
    const std::optional<FramePicture> picture = w.skin->Frame().ComposeFramePicture();
    ASSERT_TRUE(picture.has_value());
    int wrong = 0;
    for (int32_t y = 0; y < 30; ++y)
        for (int32_t x = 0; x < 342; ++x) wrong += painted.At(x, y) != (picture->Strips.Top.At(x, y) & 0xFFFFFF);
    for (int32_t y = 61; y < 64; ++y)
        for (int32_t x = 0; x < 342; ++x)
            wrong += painted.At(x, y) != (picture->Strips.Bottom.At(x, y - 61) & 0xFFFFFF);
    EXPECT_EQ(wrong, 0);
    // The client area is left alone.
    EXPECT_EQ(painted.At(170, 45), 0x00FF00FFu);
    // The close button in its normal image.
    const auto* close = dynamic_cast<const TskDataSkinStdButton*>(
        w.data->ObjectList[size_t(w.data->FindObjectIndex("closebutton"))].get());
    ASSERT_NE(close, nullptr);
    const Bitmap& buttons = *w.data->ActivePicture(close->activepictureindex);
    EXPECT_EQ(painted.At(342 - 49 + 20, 15),
              buttons.At(close->skinrect.Left + 20, close->skinrect.Top + 15) & 0xFFFFFF);
    // The checked variant answers only with its check value.
    EXPECT_EQ(SendMessageA(w.Handle(), 48203, 0, 1), 0);
    PaintedBy(w.Handle(), 48203, 16802, 342, 64, &answer);
    EXPECT_EQ(answer, 16802);
}

TEST_F(Frame, ACaptionChangeRepaintsTheFrameOnce) {
    FrameWindow w;
    w.ShowActive();
    PumpUntil([] { return false; }, 200);  // the show's own paints are over
    const int before = w.skin->FramePaints();
    w.form->SetCaption("Update...");
    PumpUntil([] { return false; }, 200);
    EXPECT_EQ(w.skin->FramePaints() - before, 1);
    char text[32] = {};
    GetWindowTextA(w.Handle(), text, sizeof text);
    EXPECT_STREQ(text, "Update...");
}

TEST_F(Frame, SwitchedOffTheFrameIsThePlatformsAndTheFormGetsItsSystemMenuBack) {
    FrameWindow w;
    w.ShowActive();
    w.data->SetSkinnableForm(false);
    EXPECT_FALSE(w.skin->FormSkinEnabled());
    EXPECT_EQ(w.form->BorderIcons(), unsigned(biSystemMenu));
    EXPECT_EQ(SendMessageA(w.Handle(), 45490, 0, 0), 12852);
    POINT origin{0, 0};
    ClientToScreen(w.Handle(), &origin);
    RECT r = w.WindowRect();
    RECT expected{0, 0, 0, 0};
    AdjustWindowRectEx(&expected, DWORD(GetWindowLongA(w.Handle(), GWL_STYLE)), FALSE,
                       DWORD(GetWindowLongA(w.Handle(), GWL_EXSTYLE)));
    EXPECT_EQ(origin.y - r.top, -expected.top);
    // Before desktop composition every window answers as skinned.
    w.skin->SetPlatformServices({true, false, false});
    EXPECT_EQ(SendMessageA(w.Handle(), 45490, 0, 0), 12853);
    w.data->SetSkinnableForm(true);
    EXPECT_TRUE(w.skin->FormSkinEnabled());
    origin = {0, 0};
    ClientToScreen(w.Handle(), &origin);
    r = w.WindowRect();
    EXPECT_EQ(origin.y - r.top, 30);
}

TEST_F(Frame, AMaximizedWindowStaysMaximizedWhenTheFrameIsSwitchedOffAndOn) {
    FrameWindow w;
    w.skin->SetBorderIcons(BorderIconBit(TskBorderIcon::biSystemMenu) | BorderIconBit(TskBorderIcon::biMaximize));
    w.ShowActive();
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoA(MonitorFromWindow(w.Handle(), MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT area = monitor.rcWork;
    const RECT normal = w.WindowRect();
    const auto same = [](const RECT& a, const RECT& b) {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    };
    w.skin->Frame().CarryOut(SystemMenuCommand::Maximize);  // the frame fills the work area itself
    ASSERT_TRUE(same(w.WindowRect(), area));
    // Off: the platform maximizes the window, and its frame shows the component's buttons.
    w.data->SetSkinnableForm(false);
    EXPECT_TRUE(IsZoomed(w.Handle()));
    EXPECT_TRUE(IsWindowVisible(w.Handle()));
    EXPECT_EQ(w.form->BorderIcons(), unsigned(biSystemMenu | biMaximize));
    // On again: the frame maximizes it, to the work area, and the form's own buttons go.
    w.data->SetSkinnableForm(true);
    EXPECT_FALSE(IsZoomed(w.Handle()));
    EXPECT_TRUE(IsWindowVisible(w.Handle()));
    EXPECT_TRUE(same(w.WindowRect(), area));
    EXPECT_EQ(w.form->BorderIcons(), 0u);
    // And restored, it is where it was before all this.
    w.skin->Frame().CarryOut(SystemMenuCommand::Restore);
    EXPECT_TRUE(same(w.WindowRect(), normal));
}

TEST_F(Frame, ASkinLoadedAgainRebindsTheFrameAndTheGauge) {
    FrameWindow w;
    w.ShowActive();
    w.gauge->SetValue(40);
    const Bitmap before = PaintedBy(w.gauge->Handle(), WM_PRINTCLIENT, PRF_CLIENT, w.gauge->Width(), w.gauge->Height());
    w.data->LoadFromCompressedStoredSkin(w.stored);
    EXPECT_GE(w.gauge->SkinRecordIndex(), 0);
    const Bitmap after = PaintedBy(w.gauge->Handle(), WM_PRINTCLIENT, PRF_CLIENT, w.gauge->Width(), w.gauge->Height());
    EXPECT_EQ(before, after);
    // The gauge is not blank for those who print the window.
    EXPECT_NE(after.At(5, 5), 0x00FF00FFu);
    EXPECT_EQ(w.skin->Frame().Objects().size(), 5u);
    EXPECT_EQ(w.HitAt(320, 15), HitCode::Object);
    w.skin->Frame().TestActive(Point{320, 15});
    EXPECT_GE(w.skin->Frame().HoverIndex(), 0);
}

TEST_F(Frame, AClickOnTheCloseButtonClosesTheWindowOnce) {
    FrameWindow w;
    w.ShowActive();
    // Pressed on the button and let go on the caption: nothing.
    const Point close = w.ScreenOf(342 - 27, 15);
    SetCursorPos(close.X, close.Y);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    SendInput(1, &in, sizeof(INPUT));
    ASSERT_TRUE(PumpUntil([&] { return w.skin->Frame().CaptureIndex() >= 0; }, 10000));
    const Point caption = w.ScreenOf(150, 12);
    SetCursorPos(caption.X, caption.Y);
    PumpUntil([] { return false; }, 300);
    in.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &in, sizeof(INPUT));
    ASSERT_TRUE(PumpUntil([&] { return w.skin->Frame().CaptureIndex() < 0; }, 10000));
    EXPECT_EQ(w.seen->closes, 0);
    EXPECT_TRUE(IsWindowVisible(w.Handle()));

    ClickAt(close);
    ASSERT_TRUE(PumpUntil([&] { return w.seen->closes > 0; }, 10000));
    EXPECT_FALSE(IsWindowVisible(w.Handle()));
    EXPECT_TRUE(PumpUntil([] { return Application()->Terminated(); }, 10000));
    w.form->Close();  // a second request changes nothing
    EXPECT_EQ(w.seen->closes, 1);
}

TEST_F(Frame, TheSystemMenuComesUpOnTheCaptionAndUnderTheIcon) {
    FrameWindow w;
    w.ShowActive();
    std::vector<std::vector<SystemMenuItem>> shown;
    std::vector<Point> where;
    w.skin->SetSystemMenuPopup([&](HWND, const std::vector<SystemMenuItem>& items, Point at) {
        shown.push_back(items);
        where.push_back(at);
        return std::optional<SystemMenuCommand>();
    });
    ClickAt(w.ScreenOf(150, 12), true);
    ASSERT_TRUE(PumpUntil([&] { return !shown.empty(); }, 10000));
    ASSERT_EQ(shown[0].size(), 1u);
    EXPECT_EQ(shown[0][0].Caption, "&Close");
    EXPECT_EQ(shown[0][0].ShortCut, "Alt+F4");
    EXPECT_EQ(where[0], w.ScreenOf(150, 12));
    // Alt+Space: below the icon.
    INPUT keys[4]{};
    for (INPUT& k : keys) k.type = INPUT_KEYBOARD;
    keys[0].ki.wVk = VK_MENU;
    keys[1].ki.wVk = VK_SPACE;
    keys[2].ki.wVk = VK_SPACE;
    keys[2].ki.dwFlags = KEYEVENTF_KEYUP;
    keys[3].ki.wVk = VK_MENU;
    keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(4, keys, sizeof(INPUT));
    ASSERT_TRUE(PumpUntil([&] { return shown.size() >= 2; }, 10000));
    EXPECT_EQ(where[1], w.ScreenOf(6, 23));
    // Its Close goes through the ordinary close.
    w.skin->SetSystemMenuPopup([](HWND, const std::vector<SystemMenuItem>&, Point) {
        return std::optional<SystemMenuCommand>(SystemMenuCommand::Close);
    });
    ClickAt(w.ScreenOf(220, 12), true);  // elsewhere: the same spot again would be a double click
    EXPECT_TRUE(PumpUntil([&] { return w.seen->closes == 1; }, 10000));
}

TEST_F(Frame, ThePlatformsPopupShowsTheItemsAndReportsTheClick) {
    FrameWindow w;
    w.ShowActive();
    // Another thread picks the first item once the menu is up; it gives up after a while, and
    // then the menu is dismissed, so the test cannot hang.
    std::atomic<bool> picked{false};
    std::thread user([&] {
        for (int i = 0; i < 200 && !picked; ++i) {
            Sleep(50);
            HWND menu = FindWindowA(MAKEINTATOM(0x8000), nullptr);
            if (!menu || !IsWindowVisible(menu)) continue;
            for (const WORD key : {WORD(VK_DOWN), WORD(VK_RETURN)}) {
                keybd_event(BYTE(key), 0, 0, 0);
                keybd_event(BYTE(key), 0, KEYEVENTF_KEYUP, 0);
            }
            picked = true;
        }
        if (!picked) {
            keybd_event(VK_ESCAPE, 0, 0, 0);
            keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
        }
    });
    const std::optional<SystemMenuCommand> chosen = PlatformSystemMenuPopup(
        w.Handle(), {{"SKF_CLOSE", "&Close", "Alt+F4", SystemMenuCommand::Close}}, w.ScreenOf(150, 40));
    picked = true;
    user.join();
    EXPECT_EQ(chosen, std::optional<SystemMenuCommand>(SystemMenuCommand::Close));
}
