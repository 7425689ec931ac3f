// The window's shape and its soft border on real windows: the region the platform holds, the
// four border windows (places, sizes, styles), following a move, the look on activation,
// clicks through the border, the close button's glow, and both ways of showing the border.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <vector>

#include "HostPaths.h"
#include "Pump.h"
#include "WindowTest.h"
#include "app/Application.h"
#include "app/DibSection.h"
#include "app/Form.h"
#include "client/StoredResources.h"
#include "skin/controls/win/ApplicationNoticeRoute.h"
#include "skin/data/BmpCodec.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/frame/win/LayeredImage.h"
#include "skin/frame/win/PlatformServices.h"
#include "skin/frame/win/SkinForm.h"

using namespace tolvar;
using tolvar::test::PumpUntil;

namespace {

// The update window's frame on a plain form.
struct ShapedWindow {
    TForm* form;
    TskSkinData* data;
    TskSkinForm* skin;

    explicit ShapedWindow(const std::optional<PlatformServices>& platform = std::nullopt) {
        InstallApplicationSkinNoticeRoute();  // skin notices reach the windows, as in the program
        form = Application()->CreateForm<TForm>();
        form->SetCaption("Update Checking...");
        form->SetBorderStyle(TFormBorderStyle::bsSingle);
        form->SetBorderIcons(0);
        form->SetBounds(300, 300, 342, 64);
        auto* stored = Own<TskCompressedStoredSkin>(form);
        stored->ReadCompressedData(StoredSkin());
        data = Own<TskSkinData>(form);
        data->SetCompressedStoredSkin(stored);
        skin = Own<TskSkinForm>(form);
        if (platform) skin->SetPlatformServices(*platform);
        skin->SetBorderIcons(BorderIconBit(TskBorderIcon::biSystemMenu));
        skin->SetSkinData(data);
    }
    HWND Handle() const { return form->Handle(); }
    // Shown, active, its border up and the window opaque again.
    void ShowActive() {
        form->Show();
        ASSERT_TRUE(PumpUntil([&] { return skin->IsFormActive(); }, 10000));
        ASSERT_TRUE(PumpUntil([&] { return !(GetWindowLongA(Handle(), GWL_EXSTYLE) & WS_EX_LAYERED); }, 10000));
        Application()->ProcessMessages();
    }
    RECT WindowRect() const {
        RECT r;
        GetWindowRect(Handle(), &r);
        return r;
    }
    HWND Piece(LayerPiece k) const { return skin->LayerBorder().PieceWindow(k); }
};

RECT RectOf(HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    return r;
}

bool SameRect(const RECT& a, const Rect& b) {
    return a.left == b.Left && a.top == b.Top && a.right == b.Right && a.bottom == b.Bottom;
}

// The pixels a set of rectangles covers in a w x h area.
std::vector<bool> Covered(const std::vector<Rect>& rects, int32_t w, int32_t h) {
    std::vector<bool> grid(size_t(w) * size_t(h), false);
    for (const Rect& r : rects)
        for (int32_t y = std::max(r.Top, 0); y < std::min(r.Bottom, h); ++y)
            for (int32_t x = std::max(r.Left, 0); x < std::min(r.Right, w); ++x)
                grid[size_t(y) * size_t(w) + size_t(x)] = true;
    return grid;
}

std::vector<Rect> RegionRectsOf(HRGN region) {
    const DWORD size = GetRegionData(region, 0, nullptr);
    std::vector<unsigned char> data(size);
    auto* d = reinterpret_cast<RGNDATA*>(data.data());
    if (!size || !GetRegionData(region, size, d)) return {};
    std::vector<Rect> rects;
    const auto* r = reinterpret_cast<const RECT*>(d->Buffer);
    for (DWORD i = 0; i < d->rdh.nCount; ++i) rects.push_back({r[i].left, r[i].top, r[i].right, r[i].bottom});
    return rects;
}

// Every image applied to a layered window, by window: how often and at which opacity.
struct Applied {
    std::map<HWND, std::vector<uint8_t>> opacities;
    int count = 0;
};

class Shape : public tolvar::test::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        SetLayeredImageObserver([applied = applied](HWND h, const Bitmap&, uint8_t opacity) {
            applied->opacities[h].push_back(opacity);
            ++applied->count;
        });
    }
    void TearDown() override {
        SetLayeredImageObserver({});
        WindowTest::TearDown();
    }
    std::shared_ptr<Applied> applied = std::make_shared<Applied>();
};

constexpr PlatformServices kComposing{true, true, true};
constexpr PlatformServices kNotComposing{true, false, false};
constexpr PlatformServices kNoAlpha{false, false, false};

}  // namespace

TEST_F(Shape, TheWindowTakesTheMasksOutlineAndLosesItWhenTheFrameIsOff) {
    ShapedWindow w;
    w.ShowActive();
    UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_EQ(GetWindowRgn(w.Handle(), region.Get()), COMPLEXREGION);
    const std::vector<Rect> expected = w.skin->Frame().Mask().RegionRects();
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(Covered(RegionRectsOf(region.Get()), 342, 64), Covered(expected, 342, 64));
    EXPECT_FALSE(Covered(expected, 342, 64)[0]);  // a cut corner

    w.data->SetSkinnableForm(false);
    UniqueRegion none(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(GetWindowRgn(w.Handle(), none.Get()), ERROR);
}

TEST_F(Shape, FourBorderWindowsSurroundTheWindowAndFollowItsMoves) {
    ShapedWindow w(kComposing);
    w.ShowActive();
    ASSERT_TRUE(w.skin->LayeredBordersActive());
    ASSERT_TRUE(w.skin->LayerBorder().Shown());
    const RECT f = w.WindowRect();
    const int32_t L = f.left, T = f.top;
    const struct {
        LayerPiece kind;
        Rect at;
    } pieces[] = {
        {LayerPiece::Top, {L - 24, T - 23, L - 24 + 392, T - 23 + 33}},
        {LayerPiece::Bottom, {L - 24, T + 53, L - 24 + 392, T + 53 + 35}},
        {LayerPiece::Left, {L - 24, T + 10, L, T + 10 + 43}},
        {LayerPiece::Right, {L + 342, T + 10, L + 342 + 26, T + 10 + 43}},
    };
    for (const auto& p : pieces) {
        const HWND h = w.Piece(p.kind);
        ASSERT_NE(h, nullptr) << int(p.kind);
        EXPECT_TRUE(IsWindowVisible(h)) << int(p.kind);
        EXPECT_TRUE(SameRect(RectOf(h), p.at)) << int(p.kind);
        const LONG ex = GetWindowLongA(h, GWL_EXSTYLE);
        EXPECT_EQ(ex & (WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE),
                  LONG(WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE))
            << int(p.kind);
        EXPECT_FALSE(ex & WS_EX_TOPMOST) << int(p.kind);  // the form is not stay-on-top
        EXPECT_EQ(GetParent(h), nullptr);
        EXPECT_FALSE(GetWindowLongA(h, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME));
    }
    // The window shows through at full opacity; its border too.
    EXPECT_FALSE(GetWindowLongA(w.Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_EQ(w.skin->LayerBorder().CurrentOpacity(), 255);

    const int composed = w.skin->LayerBorder().ComposeCount();
    const int images = applied->count;
    w.form->SetBounds(L + 40, T - 15, 342, 64);
    Application()->ProcessMessages();
    for (const auto& p : pieces) {
        const Rect moved{p.at.Left + 40, p.at.Top - 15, p.at.Right + 40, p.at.Bottom - 15};
        EXPECT_TRUE(SameRect(RectOf(w.Piece(p.kind)), moved)) << int(p.kind);
    }
    EXPECT_EQ(w.skin->LayerBorder().ComposeCount(), composed);  // a move composes nothing
    EXPECT_EQ(applied->count, images);

    // Hidden with the window.
    w.form->Hide();
    EXPECT_FALSE(w.skin->LayerBorder().Shown());
    EXPECT_EQ(w.Piece(LayerPiece::Top), nullptr);
}

TEST_F(Shape, DeactivationDimsTheBorderWithoutComposingItAgain) {
    ShapedWindow w(kComposing);
    w.ShowActive();
    const int composed = w.skin->LayerBorder().ComposeCount();
    applied->opacities.clear();
    SendMessageA(w.Handle(), WM_NCACTIVATE, FALSE, 0);
    EXPECT_EQ(w.skin->LayerBorder().CurrentOpacity(), 200);
    for (const LayerPiece k : {LayerPiece::Left, LayerPiece::Top, LayerPiece::Right, LayerPiece::Bottom}) {
        ASSERT_FALSE(applied->opacities[w.Piece(k)].empty()) << int(k);
        EXPECT_EQ(applied->opacities[w.Piece(k)].back(), 200) << int(k);
    }
    SendMessageA(w.Handle(), WM_NCACTIVATE, TRUE, 0);
    for (const LayerPiece k : {LayerPiece::Left, LayerPiece::Top, LayerPiece::Right, LayerPiece::Bottom})
        EXPECT_EQ(applied->opacities[w.Piece(k)].back(), 255) << int(k);
    EXPECT_EQ(w.skin->LayerBorder().ComposeCount(), composed);
}

TEST_F(Shape, AClickOnTheBorderReachesTheWindowBelow) {
    // A plain window where the top piece will lie, above the form's own top edge.
    auto clicks = std::make_shared<int>(0);
    TForm* below = Application()->CreateForm<TForm>();
    below->SetBorderStyle(TFormBorderStyle::bsNone);
    below->SetBounds(250, 250, 300, 60);
    below->SetWindowProc([clicks, own = below->WindowProc()](TMessage& m) {
        if (m.Msg == WM_LBUTTONDOWN) ++*clicks;
        own(m);
    });
    below->Show();
    ShapedWindow w(kComposing);
    w.ShowActive();
    const RECT f = w.WindowRect();
    const RECT top = RectOf(w.Piece(LayerPiece::Top));
    const POINT p{f.left + 100, top.top + 5};  // on the top piece, outside the form
    ASSERT_LT(p.y, f.top);
    EXPECT_EQ(WindowFromPoint(p), below->Handle());
    SetCursorPos(p.x, p.y);
    INPUT in[2]{};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof(INPUT));
    EXPECT_TRUE(PumpUntil([&] { return *clicks > 0; }, 10000));
}

TEST_F(Shape, TheCloseButtonGlowsWhileHovered) {
    ShapedWindow w(kComposing);
    w.ShowActive();
    const RECT f = w.WindowRect();
    const TskActiveSkinObject* close = nullptr;
    for (const auto& o : w.skin->Frame().Objects())
        if (o->IDName == "closebutton") close = o.get();
    ASSERT_NE(close, nullptr);
    const Rect r = close->ObjectRect;
    SetCursorPos(f.left + r.Left + 10, f.top + r.Top + 10);
    INPUT move{};
    move.type = INPUT_MOUSE;
    move.mi.dwFlags = MOUSEEVENTF_MOVE;
    SendInput(1, &move, sizeof(INPUT));
    TskLayerManager& glow = w.skin->GlowLayer(0);
    ASSERT_TRUE(PumpUntil([&] { return glow.Visible() && glow.Window(); }, 10000));
    const RECT g = RectOf(glow.Window());
    EXPECT_EQ(g.left, f.left + r.Left - 12);
    EXPECT_EQ(g.top, f.top + r.Top - 10);
    EXPECT_EQ(g.right - g.left, 67);
    EXPECT_EQ(g.bottom - g.top, 39);
    const LONG ex = GetWindowLongA(glow.Window(), GWL_EXSTYLE);
    EXPECT_EQ(ex & (WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW | WS_EX_TOPMOST),
              LONG(WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW | WS_EX_TOPMOST));
    // Faded in up to the skin's 200, first applied fully transparent.
    EXPECT_TRUE(PumpUntil([&] { return glow.Opacity() == 200; }, 10000));
    const std::vector<uint8_t>& steps = applied->opacities[glow.Window()];
    ASSERT_FALSE(steps.empty());
    EXPECT_EQ(steps.front(), 0);
    EXPECT_EQ(steps.back(), 200);

    SetCursorPos(f.left + 150, f.top + 45);  // into the client area
    SendInput(1, &move, sizeof(INPUT));
    EXPECT_TRUE(PumpUntil([&] { return !glow.Visible() && !glow.Window(); }, 10000));
}

TEST_F(Shape, WithoutCompositionTheBorderComesAfterTheWindowIsUp) {
    ShapedWindow w(kNotComposing);
    w.form->Show();
    // The window is never made transparent for its showing.
    EXPECT_FALSE(GetWindowLongA(w.Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_TRUE(PumpUntil([&] { return w.skin->LayerBorder().Shown(); }, 10000));
    EXPECT_TRUE(IsWindowVisible(w.Piece(LayerPiece::Top)));
}

TEST_F(Shape, WithoutPerWindowAlphaThereIsNoBorderAndNoGlow) {
    ShapedWindow w(kNoAlpha);
    w.ShowActive();
    EXPECT_FALSE(w.skin->LayeredBordersActive());
    EXPECT_FALSE(w.skin->LayerBorder().Shown());
    w.skin->GlowLayer(0).ShowLayer(10, 10, 200, Bitmap(4, 4), Bitmap(4, 4));
    EXPECT_FALSE(w.skin->GlowLayer(0).Visible());
}

TEST_F(Shape, SwitchingTheBorderOffAndOnHidesAndShowsIt) {
    ShapedWindow w(kComposing);
    w.ShowActive();
    ASSERT_TRUE(w.skin->LayerBorder().Shown());
    w.data->SetShowLayeredBorders(false);
    EXPECT_FALSE(w.skin->LayerBorder().Shown());
    w.data->SetShowLayeredBorders(true);
    EXPECT_TRUE(w.skin->LayerBorder().Shown());
    // A skin loaded again brings its border back.
    w.data->LoadFromCompressedStoredSkin(w.data->CompressedStoredSkin());
    EXPECT_TRUE(w.skin->LayerBorder().Shown());
}

// The screen around the shown window, for a person to look at its outline and its close button
// active, hovered, pressed and inactive (TOLVAR_PICTURES=<folder>; the Unix path is reached
// through Wine's Z: drive).
TEST_F(Shape, PicturesOfTheWindow) {
    const char* folder = std::getenv("TOLVAR_PICTURES");
    if (!folder) GTEST_SKIP() << "TOLVAR_PICTURES not set";
    ShapedWindow w(kComposing);
    w.skin->SetShowIcon(true);
    w.ShowActive();
    PumpUntil([] { return false; }, 300);
    const auto photograph = [&](const std::string& name) {
        SendMessageA(w.Handle(), WM_NCPAINT, 1, 0);
        PumpUntil([] { return false; }, 200);
        const RECT f = w.WindowRect();
        const int32_t x = f.left - 30, y = f.top - 30, width = 342 + 60, height = 64 + 60;
        Bitmap shot(width, height);
        UniqueWindowDc screen = GetWindowDcOf(nullptr);
        UniqueMemoryDc dc(CreateCompatibleDC(screen.Get().Dc));
        const TDibSection section(width, height, dc.Get());
        ASSERT_TRUE(section);
        {
            SelectGuard selected(dc.Get(), section.Handle());
            BitBlt(dc.Get(), 0, 0, width, height, screen.Get().Dc, x, y, SRCCOPY);
        }
        section.StoreColours(shot);
        std::string bytes;
        WriteBmpEntry(shot, bytes);
        std::ofstream(test::LocalPath(std::string(folder) + "/window-" + name + ".bmp"), std::ios::binary) << bytes;
    };
    photograph("active");
    TskActiveSkinObject* close = nullptr;
    for (auto& o : w.skin->Frame().Objects())
        if (o->IDName == "closebutton") close = o.get();
    ASSERT_NE(close, nullptr);
    close->Hovered = close->MouseInside = true;
    close->MorphFactor = 1.0;
    photograph("hovered");
    static_cast<TskSkinButtonObject*>(close)->Pressed = true;
    photograph("pressed");
    static_cast<TskSkinButtonObject*>(close)->Pressed = close->Hovered = close->MouseInside = false;
    close->MorphFactor = 0.0;
    SendMessageA(w.Handle(), WM_NCACTIVATE, FALSE, 0);
    photograph("inactive");
}

TEST_F(Shape, AnOwnerShowingTheFormAsksItForwardOnceWhileItsBorderIsUp) {
    ShapedWindow main(kComposing);
    main.ShowActive();
    for (const PlatformServices platform : {kNoAlpha, kComposing}) {
        ShapedWindow w(platform);
        w.ShowActive();
        ASSERT_EQ(GetForegroundWindow(), w.Handle());
        w.form->Tag = -10000;
        SendMessageA(w.Handle(), 1426, 0, 0);
        // With a border the main form comes forward and the mark goes; without one nothing.
        const bool bordered = platform.PerWindowAlpha;
        EXPECT_EQ(w.form->Tag, bordered ? 0 : -10000);
        EXPECT_EQ(GetForegroundWindow(), bordered ? main.Handle() : w.Handle());
    }
}

TEST_F(Shape, AMaximizedWindowHasNoBorderUntilRestored) {
    ShapedWindow w(kComposing);
    w.ShowActive();
    const RECT before = w.WindowRect();
    w.skin->Frame().CarryOut(SystemMenuCommand::Maximize);
    EXPECT_FALSE(w.skin->LayerBorder().Shown());
    w.skin->Frame().CarryOut(SystemMenuCommand::Restore);
    ASSERT_TRUE(w.skin->LayerBorder().Shown());
    EXPECT_TRUE(
        SameRect(RectOf(w.Piece(LayerPiece::Left)), {before.left - 24, before.top + 10, before.left, before.top + 53}));
}

TEST_F(Shape, ABorderFadeArmedByAnotherWindowFadesTheBorderIn) {
    ShapedWindow w(kComposing);
    w.ShowActive();
    SendMessageA(w.Handle(), 45491, 0, 0);
    EXPECT_FALSE(w.skin->LayeredBordersActive());  // armed: the border waits
    applied->opacities.clear();
    SendMessageA(w.Handle(), 45492, 0, 0);
    EXPECT_TRUE(w.skin->LayeredBordersActive());
    ASSERT_TRUE(w.skin->LayerBorder().Shown());
    EXPECT_EQ(w.skin->LayerBorder().CurrentOpacity(), 255);
    const std::vector<uint8_t>& steps = applied->opacities[w.Piece(LayerPiece::Top)];
    ASSERT_GE(steps.size(), 15u);  // from 0 in steps of 255 / 15
    EXPECT_EQ(steps.front(), 0);
    EXPECT_EQ(steps.back(), 255);
    EXPECT_TRUE(std::is_sorted(steps.begin(), steps.end()));
    // Without the arming notice first, the end of a fade does nothing.
    const int images = applied->count;
    SendMessageA(w.Handle(), 45492, 0, 0);
    EXPECT_EQ(applied->count, images);
}
