// The frame on real windows where things move: a translucent window and its border, a fade-in's
// steps, a live resize driven through the platform's own size loop, a move that snaps to the
// work area's edge, the caption animation painting its frames, and the program's icon in the
// caption and in the executable.
#include <windows.h>
#include <shellapi.h>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "Capture.h"
#include "FrameSkins.h"
#include "Processes.h"
#include "Pump.h"
#include "WindowTest.h"
#include "app/Application.h"
#include "app/Form.h"
#include "app/Handles.h"
#include "app/Message.h"
#include "client/StoredResources.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/frame/LayerBorderModel.h"
#include "skin/frame/win/LayeredImage.h"
#include "skin/frame/win/SkinForm.h"

using namespace tolvar;
using tolvar::test::PumpUntil;

namespace {

constexpr PlatformServices kComposing{true, true, true};

// A form with a skinned frame from a stored skin: the program's own, or a test skin's package.
struct SkinnedForm {
    TForm* form;
    TskSkinData* data;
    TskSkinForm* skin;
    // What reached the form's own handler behind the frame, by message.
    std::shared_ptr<std::vector<TMessage>> seen = std::make_shared<std::vector<TMessage>>();
    std::function<void(const TMessage&)> onSize;

    SkinnedForm(const std::string& package, TFormBorderStyle border, Rect bounds) {
        form = Application()->CreateForm<TForm>();
        form->SetCaption("Update Checking...");
        form->SetBorderStyle(border);
        form->SetBorderIcons(0);
        form->SetBounds(bounds.Left, bounds.Top, RectWidth(bounds), RectHeight(bounds));
        auto* stored = Own<TskCompressedStoredSkin>(form);
        stored->ReadCompressedData(package);
        data = Own<TskSkinData>(form);
        data->SetCompressedStoredSkin(stored);
        form->SetWindowProc([this, own = form->WindowProc()](TMessage& m) {
            if (m.Msg == WM_SIZE && onSize) onSize(m);
            own(m);
        });
        skin = Own<TskSkinForm>(form);
        skin->SetPlatformServices(kComposing);
        skin->SetBorderIcons(BorderIconBit(TskBorderIcon::biSystemMenu));
        skin->SetShowIcon(true);
        skin->SetSkinData(data);
    }
    HWND Handle() const { return form->Handle(); }
    // Shown and active; each test waits for the end of the show it expects.
    void Show() {
        form->Show();
        ASSERT_TRUE(PumpUntil([&] { return skin->IsFormActive(); }, 10000));
    }
    RECT Bounds() const {
        RECT r;
        GetWindowRect(Handle(), &r);
        return r;
    }
    std::optional<BYTE> Opacity() const {
        if (!(GetWindowLongA(Handle(), GWL_EXSTYLE) & WS_EX_LAYERED)) return std::nullopt;
        BYTE alpha = 0;
        DWORD flags = 0;
        if (!GetLayeredWindowAttributes(Handle(), nullptr, &alpha, &flags) || !(flags & LWA_ALPHA)) return std::nullopt;
        return alpha;
    }
    HWND Piece(LayerPiece k) const { return skin->LayerBorder().PieceWindow(k); }
};

std::string TestFrameSkin(const std::string& caption = tolvar::test::kFourFrames) {
    return tolvar::test::CompressedPackage(tolvar::test::TestFramePackage(caption));
}

RECT RectOf(HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    return r;
}

// Runs the platform's own move or size loop on the window (`command` as WM_SYSCOMMAND gives it)
// with the cursor at `from` and then at each of `path`, ended by Return. Everything is queued
// before the loop starts, so the loop reads it in order and no input can be missed.
void DragThroughTheLoop(HWND h, WPARAM command, Point from, const std::vector<Point>& path) {
    SetCursorPos(from.X, from.Y);
    PostMessageA(h, WM_SYSCOMMAND, command, 0);
    for (const Point p : path) {
        SetCursorPos(p.X, p.Y);
        PostMessageA(h, WM_MOUSEMOVE, 0, 0);
    }
    PostMessageA(h, WM_KEYDOWN, VK_RETURN, 0);
    Application()->ProcessMessages();
}

// The window's opacities as they were set, window by window.
class Motion : public tolvar::test::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        SetWindowOpacityObserver([seen = opacities](HWND h, std::optional<uint8_t> o) { (*seen)[h].push_back(o); });
        SetLayeredImageObserver([seen = images](HWND h, const Bitmap&, uint8_t o) { (*seen)[h].push_back(o); });
    }
    void TearDown() override {
        SetWindowOpacityObserver({});
        SetLayeredImageObserver({});
        WindowTest::TearDown();
    }
    std::shared_ptr<std::map<HWND, std::vector<std::optional<uint8_t>>>> opacities =
        std::make_shared<std::map<HWND, std::vector<std::optional<uint8_t>>>>();
    std::shared_ptr<std::map<HWND, std::vector<uint8_t>>> images =
        std::make_shared<std::map<HWND, std::vector<uint8_t>>>();
};

}  // namespace

TEST_F(Motion, ATranslucentWindowAndItsBorderShareTheOpacity) {
    SkinnedForm w(StoredSkin(), TFormBorderStyle::bsSingle, {300, 300, 642, 364});
    w.skin->SetAlphaBlend(true);
    w.skin->SetAlphaBlendValue(180);
    w.Show();
    ASSERT_TRUE(PumpUntil([&] { return w.Opacity() == std::optional<BYTE>(180); }, 10000));
    ASSERT_TRUE(w.skin->LayerBorder().Shown());
    EXPECT_EQ(w.skin->LayerBorder().CurrentOpacity(), 180);
    EXPECT_EQ((*images)[w.Piece(LayerPiece::Top)].back(), 180);
    // Changed while shown, the window and the border follow at once.
    w.skin->SetAlphaBlendValue(120);
    EXPECT_EQ(w.Opacity(), std::optional<BYTE>(120));
    EXPECT_EQ((*images)[w.Piece(LayerPiece::Top)].back(), 120);
    // Deactivated, the border takes its inactive opacity scaled the same way (200 * 120 / 255).
    SendMessageA(w.Handle(), WM_NCACTIVATE, FALSE, 0);
    EXPECT_EQ((*images)[w.Piece(LayerPiece::Top)].back(), 94);
    SendMessageA(w.Handle(), WM_NCACTIVATE, TRUE, 0);
    // A skin loaded again makes the border anew, as translucent as the window.
    w.data->LoadFromCompressedStoredSkin(w.data->CompressedStoredSkin());
    ASSERT_TRUE(w.skin->LayerBorder().Shown());
    EXPECT_EQ((*images)[w.Piece(LayerPiece::Top)].back(), 120);
    // Switched off: an ordinary window again, the border fully opaque.
    w.skin->SetAlphaBlend(false);
    EXPECT_EQ(w.Opacity(), std::nullopt);
    EXPECT_FALSE(GetWindowLongA(w.Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_EQ((*images)[w.Piece(LayerPiece::Top)].back(), 255);
}

TEST_F(Motion, AFadeInRisesInFifteenthsWithItsBorder) {
    SkinnedForm w(StoredSkin(), TFormBorderStyle::bsSingle, {300, 300, 642, 364});
    w.skin->AlphaBlendAnimation = true;
    w.Show();
    ASSERT_TRUE(
        PumpUntil([&] { return (*opacities)[w.Handle()].size() >= 2 && !(*opacities)[w.Handle()].back(); }, 10000));
    // Invisible when shown, then 17, 34 .. 255 one step at a time, then an ordinary window.
    std::vector<std::optional<uint8_t>> expected{uint8_t(0)};
    for (const uint8_t o : FadeInSteps(255)) expected.push_back(o);
    expected.push_back(std::nullopt);
    EXPECT_EQ((*opacities)[w.Handle()], expected);
    // The border's pieces went along, step by step, from nothing to opaque.
    const std::vector<uint8_t>& top = (*images)[w.Piece(LayerPiece::Top)];
    ASSERT_GE(top.size(), 16u);
    EXPECT_EQ(top.front(), 0);
    EXPECT_TRUE(std::is_sorted(top.begin(), top.end()));
    EXPECT_EQ(top.back(), 255);
    EXPECT_FALSE(GetWindowLongA(w.Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
}

TEST_F(Motion, OpacitiesOfNothingFallBackAsTheyShould) {
    // Every window fading in with a value of 0 fades to opaque instead.
    {
        SkinnedForm w(StoredSkin(), TFormBorderStyle::bsSingle, {300, 300, 642, 364});
        w.data->AnimationForAllWindows = true;
        w.skin->SetAlphaBlendValue(0);
        w.Show();
        ASSERT_TRUE(
            PumpUntil([&] { return !(*opacities)[w.Handle()].empty() && !(*opacities)[w.Handle()].back(); }, 10000));
        EXPECT_EQ(w.skin->AlphaBlendValue(), 255);
    }
    // Translucency of 0 asked for: the window is shown fully transparent, as asked, and the show
    // ends without a fade and without an error.
    SkinnedForm w(StoredSkin(), TFormBorderStyle::bsSingle, {300, 400, 642, 464});
    w.skin->SetAlphaBlend(true);
    w.skin->SetAlphaBlendValue(0);
    w.skin->AlphaBlendAnimation = true;
    (*opacities)[w.Handle()].clear();
    w.Show();
    // Invisible when shown, then brought in at the value: 0 again.
    ASSERT_TRUE(PumpUntil([&] { return (*opacities)[w.Handle()].size() >= 2; }, 10000));
    EXPECT_EQ((*opacities)[w.Handle()], (std::vector<std::optional<uint8_t>>{uint8_t(0), uint8_t(0)}));
    EXPECT_EQ(w.Opacity(), std::optional<BYTE>(0));
}

TEST_F(Motion, ALiveResizeKeepsRegionAndBorderAtTheNewSize) {
    BOOL fullDrag = FALSE;
    SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &fullDrag, 0);
    SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, TRUE, nullptr, 0);
    SkinnedForm w(TestFrameSkin(), TFormBorderStyle::bsSizeable, {200, 200, 500, 320});
    w.Show();
    ASSERT_TRUE(w.skin->LayerBorder().Shown());
    // At every size the loop gives the window, its shape and its border already fit it.
    struct Seen {
        int32_t width, height;
        bool inLoop, regionFits, borderFits;
    };
    std::vector<Seen> seen;
    w.onSize = [&](const TMessage&) {
        const RECT r = w.Bounds();
        const int32_t width = r.right - r.left, height = r.bottom - r.top;
        UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
        RECT box{};
        if (GetWindowRgn(w.Handle(), region.Get()) != ERROR) GetRgnBox(region.Get(), &box);
        const RECT top = RectOf(w.Piece(LayerPiece::Top));
        seen.push_back({width, height, w.skin->Frame().InSizeMove(), box.right == width && box.bottom == height,
                        top.right - top.left == width + 16 && top.left == r.left - 8});
    };
    const RECT start = w.Bounds();
    const Point corner{start.right - 2, start.bottom - 2};
    std::vector<Point> path;
    for (int32_t k = 1; k <= 4; ++k) path.push_back({corner.X + 30 * k, corner.Y + 12 * k});
    DragThroughTheLoop(w.Handle(), SC_SIZE | WMSZ_BOTTOMRIGHT, corner, path);
    SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, fullDrag, nullptr, 0);

    EXPECT_FALSE(w.skin->Frame().InSizeMove());
    const RECT end = w.Bounds();
    EXPECT_EQ(end.right - end.left, 300 + 120);
    EXPECT_EQ(end.bottom - end.top, 120 + 48);
    int inLoop = 0;
    for (const Seen& s : seen) {
        inLoop += s.inLoop;
        EXPECT_TRUE(s.regionFits) << s.width << " x " << s.height;
        EXPECT_TRUE(s.borderFits) << s.width << " x " << s.height;
    }
    EXPECT_GE(inLoop, 3);
    // And so does the frame after the loop.
    EXPECT_EQ(w.skin->Frame().FrameWidth(), 420);
    UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(w.Handle(), region.Get()), ERROR);
    RECT box{};
    GetRgnBox(region.Get(), &box);
    EXPECT_EQ(box.right, 420);
    EXPECT_EQ(box.bottom, 168);
}

TEST_F(Motion, AMoveSnapsToTheWorkAreasEdgeAndLetsGoPastIt) {
    SkinnedForm w(StoredSkin(), TFormBorderStyle::bsSingle, {40, 300, 382, 364});
    w.skin->Magnetic = true;
    w.Show();
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoA(MonitorFromWindow(w.Handle(), MONITOR_DEFAULTTONEAREST), &monitor);
    const LONG edge = monitor.rcWork.left;
    const RECT start = w.Bounds();
    const Point grab{start.left + 150, start.top + 12};  // on the caption
    // Dragged left until the window is 3 pixels from the edge: it lies on the edge.
    DragThroughTheLoop(w.Handle(), SC_MOVE | HTCAPTION, grab,
                       {{grab.X - 10, grab.Y}, {grab.X - 20, grab.Y}, {grab.X - 37 + edge, grab.Y + 5}});
    RECT r = w.Bounds();
    EXPECT_EQ(r.left, edge);
    EXPECT_EQ(r.top, start.top + 5);
    EXPECT_EQ(r.right - r.left, 342);
    // Dragged again to 8 pixels from the edge: free.
    const Point again{r.left + 150, r.top + 12};
    DragThroughTheLoop(w.Handle(), SC_MOVE | HTCAPTION, again, {{again.X + 4, again.Y}, {again.X + 8, again.Y}});
    r = w.Bounds();
    EXPECT_EQ(r.left, edge + 8);
    // Without magnetism nothing snaps.
    w.skin->Magnetic = false;
    const Point third{r.left + 150, r.top + 12};
    DragThroughTheLoop(w.Handle(), SC_MOVE | HTCAPTION, third, {{third.X - 5, third.Y}});
    EXPECT_EQ(w.Bounds().left, edge + 3);
}

TEST_F(Motion, TheCaptionAnimationPaintsItsFramesInTurn) {
    // Frames far enough apart that a loaded machine still sees each of them.
    SkinnedForm w(TestFrameSkin("animateskinrect=0,0,216,15\nframecount=4\nanimateinterval=300\n"),
                  TFormBorderStyle::bsSingle, {300, 300, 642, 364});
    w.Show();
    TskSkinCaptionObject* caption = w.skin->Frame().CaptionObject();
    ASSERT_NE(caption, nullptr);
    // Activated again, the caption shows the strip's frames one after the other, then itself.
    SendMessageA(w.Handle(), WM_NCACTIVATE, FALSE, 0);
    SendMessageA(w.Handle(), WM_NCACTIVATE, TRUE, 0);
    std::vector<int32_t> frames;
    for (int32_t k = 1; k <= tolvar::test::kAnimationFrames; ++k) {
        if (!PumpUntil([&] { return caption->AnimationFrame == k; }, 10000)) break;
        const Bitmap painted = tolvar::test::CaptureDrawing(
            342, 64, [&](HDC dc) { SendMessageA(w.Handle(), 45513, reinterpret_cast<WPARAM>(dc), 0); });
        EXPECT_EQ(painted.At(250, 7), tolvar::test::AnimationColour(k) & 0xFFFFFF) << k;
        frames.push_back(k);
    }
    EXPECT_EQ(frames, (std::vector<int32_t>{1, 2, 3, 4}));
    ASSERT_TRUE(PumpUntil([&] { return caption->AnimationFrame == 0; }, 10000));
    EXPECT_TRUE(PumpUntil([&] { return !w.skin->Frame().AnimationTimerRunning(); }, 10000));
    const Bitmap still = tolvar::test::CaptureDrawing(
        342, 64, [&](HDC dc) { SendMessageA(w.Handle(), 45513, reinterpret_cast<WPARAM>(dc), 0); });
    EXPECT_EQ(still.At(250, 7), tolvar::test::CaptionBand() & 0xFFFFFF);
    // The window going stops the frame's timers with it.
    SendMessageA(w.Handle(), WM_NCACTIVATE, FALSE, 0);
    SendMessageA(w.Handle(), WM_NCACTIVATE, TRUE, 0);
    ASSERT_TRUE(w.skin->Frame().AnimationTimerRunning());
    DestroyWindow(w.Handle());
    EXPECT_FALSE(w.skin->Frame().AnimationTimerRunning());
    EXPECT_FALSE(w.skin->Frame().HoverTimerRunning());
}

TEST_F(Motion, TheProgramsIconIsInTheCaptionAndInTheExecutable) {
    SkinnedForm w(StoredSkin(), TFormBorderStyle::bsSingle, {300, 300, 642, 364});
    w.Show();
    // The icon at (6, 7): the blue tile, not the platform's white window.
    const Bitmap painted = tolvar::test::CaptureDrawing(
        342, 64, [&](HDC dc) { SendMessageA(w.Handle(), 45513, reinterpret_cast<WPARAM>(dc), 0); });
    for (const Point p : {Point{6 + 3, 7 + 8}, Point{6 + 12, 7 + 4}}) {
        const Pixel c = painted.At(p.X, p.Y);
        EXPECT_GT(int(PixelB(c)), int(PixelR(c)) + 80) << p.X << "," << p.Y;
    }
    EXPECT_NE(GetClassLongPtrA(w.Handle(), GCLP_HICON), 0);

    // The shell finds it in the program's file, at the small and the large size.
    const std::string exe = tolvar::test::LocalPath(TOLVAR_CLIENT_EXE);
    HICON large = nullptr, small = nullptr;
    ExtractIconExA(exe.c_str(), 0, &large, &small, 1);
    const UniqueIcon largeIcon(large), smallIcon(small);
    EXPECT_TRUE(large && small);
    UniqueModule file(LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_TRUE(file);
    HRSRC group = FindResourceA(file.Get(), "MAINICON", RT_GROUP_ICON);
    ASSERT_NE(group, nullptr);
    auto* directory = static_cast<BYTE*>(LockResource(LoadResource(file.Get(), group)));
    for (const int size : {16, 32}) {
        const int id = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
        HRSRC image = FindResourceA(file.Get(), MAKEINTRESOURCEA(id), RT_ICON);
        ASSERT_NE(image, nullptr) << size;
        const UniqueIcon icon(
            CreateIconFromResourceEx(static_cast<BYTE*>(LockResource(LoadResource(file.Get(), image))),
                                     SizeofResource(file.Get(), image), TRUE, 0x00030000, size, size, LR_DEFAULTCOLOR));
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon.Get(), &info)) << size;
        BITMAP bitmap{};
        GetObjectA(info.hbmColor, sizeof(bitmap), &bitmap);
        EXPECT_EQ(bitmap.bmWidth, size);
        EXPECT_EQ(bitmap.bmHeight, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
}
