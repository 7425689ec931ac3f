// The frame's pictures on the program's own skin: the strips with the objects drawn in, the
// close button in each of its states, the icon, the caption text's colours and fit, the
// minimum size, and the client background squeezed to the window's height.
#include <gtest/gtest.h>

#include <cmath>

#include "FrameStandIns.h"
#include "skin/controls/BitmapDrawing.h"
#include "skin/data/SkinObjectRecords.h"
#include "skin/frame/SkinFrame.h"

using namespace tolvar;
using tolvar::test::BoxText;
using tolvar::test::FakeClock;
using tolvar::test::FakeFrameHost;
using tolvar::test::ProgramSkin;

namespace {

Bitmap Crop(const Bitmap& b, const Rect& r) {
    Bitmap out(RectWidth(r), RectHeight(r));
    CopyBitmapRect(out, {0, 0, RectWidth(r), RectHeight(r)}, b, r);
    return out;
}

class FramePaint : public ::testing::Test {
protected:
    FramePaint() : skin(tolvar::test::ProgramSkinDir()), frame(host, clock) {
        host.Boxes.calls = &calls;
        frame.SetBorderIcons(BorderIconBit(TskBorderIcon::biSystemMenu));
        frame.SetShowIcon(true);
        frame.SetSkinData(skin.Data());
        const auto& r = *skin.Data()->ObjectList[size_t(skin.Data()->FindObjectIndex("closebutton"))];
        closeRecord = &dynamic_cast<const TskDataSkinStdButton&>(r);
        buttons = skin.Data()->ActivePicture(closeRecord->activepictureindex);
    }
    TskSkinStdButtonObject& Close() {
        for (auto& o : frame.Objects())
            if (o->IDName == "closebutton") return static_cast<TskSkinStdButtonObject&>(*o);
        throw std::runtime_error("no close button");
    }
    Bitmap CloseButtonAsPainted() {
        const std::optional<FramePicture> p = frame.ComposeFramePicture();
        EXPECT_TRUE(p.has_value());
        return p ? Crop(p->Strips.Top, {293, 0, 336, 30}) : Bitmap();
    }
    Bitmap Expected(const Rect& source) const {
        Bitmap out(43, 30);
        CopyBitmapRect(out, {0, 0, 43, 30}, *buttons, source);
        return out;
    }

    ProgramSkin skin;
    FakeFrameHost host;
    FakeClock clock;
    SkinFrame frame;
    std::vector<BoxText::Call> calls;
    const TskDataSkinStdButton* closeRecord = nullptr;
    const Bitmap* buttons = nullptr;
};

TEST_F(FramePaint, TheStripsSurroundTheClientArea) {
    const std::optional<FramePicture> p = frame.ComposeFramePicture();
    ASSERT_TRUE(p.has_value());
    EXPECT_EQ(p->Strips.Top.Width(), 342);
    EXPECT_EQ(p->Strips.Top.Height(), 30);
    EXPECT_EQ(p->Strips.Bottom.Height(), 3);
    EXPECT_EQ(p->Strips.Left.Width(), 3);
    EXPECT_EQ(p->Strips.Left.Height(), 31);
    EXPECT_EQ(p->RightAt, (Point{339, 30}));
    EXPECT_EQ(p->BottomAt, (Point{0, 61}));
    // The icon, at its own size.
    EXPECT_EQ(Crop(p->Strips.Top, {6, 7, 22, 23}), Crop(host.Icon, {0, 0, 16, 16}));
}

TEST_F(FramePaint, TheCloseButtonShowsEachOfItsStates) {
    EXPECT_EQ(CloseButtonAsPainted(), Expected({53, 1, 96, 31}));  // normal
    Close().Hovered = Close().MouseInside = true;
    Close().MorphFactor = 1.0;
    EXPECT_EQ(CloseButtonAsPainted(), Expected({152, 1, 195, 31}));  // hovered
    Close().Pressed = true;
    EXPECT_EQ(CloseButtonAsPainted(), Expected({53, 33, 96, 63}));  // held down
    Close().Pressed = Close().Hovered = Close().MouseInside = false;
    Close().MorphFactor = 0.0;
    host.Active = false;
    EXPECT_EQ(CloseButtonAsPainted(), Expected({54, 65, 98, 96}));  // inactive window, scaled in
}

TEST_F(FramePaint, TheCaptionBandRunsThroughTheCloseButton) {
    // The band as the frame shows it where the button sits, without the button.
    Close().ObjectVisible = false;
    const Bitmap band = CloseButtonAsPainted();
    Close().ObjectVisible = true;
    // The outline, the highlight under it and the accent line at the foot: rows without glyph.
    const auto sameRows = [&](const Bitmap& button, std::initializer_list<int32_t> which) {
        int wrong = 0;
        for (const int32_t y : which)
            for (int32_t x = 0; x < 43; ++x) wrong += button.At(x, y) != band.At(x, y);
        return wrong;
    };
    EXPECT_EQ(sameRows(CloseButtonAsPainted(), {0, 1, 2, 27, 28, 29}), 0);  // normal
    host.Active = false;
    EXPECT_EQ(sameRows(CloseButtonAsPainted(), {0, 1, 2, 27, 28, 29}), 0);  // inactive window
    host.Active = true;
    // Hovered and pressed, the fill covers the band below the window's outline.
    Close().Hovered = Close().MouseInside = true;
    Close().MorphFactor = 1.0;
    EXPECT_EQ(sameRows(CloseButtonAsPainted(), {0}), 0);
    EXPECT_GT(sameRows(CloseButtonAsPainted(), {1, 29}), 80);
}

TEST_F(FramePaint, HalfWayThroughTheFadeTheButtonIsTheBlendOfBothImages) {
    Close().Hovered = Close().MouseInside = true;
    Close().MorphFactor = 0.4;
    const Bitmap painted = CloseButtonAsPainted();
    // A fade step repaints only the button: composed for that part, it is the same there.
    const std::optional<FramePicture> part = frame.ComposeFramePicture(Close().ObjectRect);
    ASSERT_TRUE(part.has_value());
    EXPECT_EQ(Crop(part->Strips.Top, Close().ObjectRect), painted);
    const Bitmap normal = Expected({53, 1, 96, 31}), hover = Expected({152, 1, 195, 31});
    const auto channel = [](double a, double b) { return uint8_t(std::nearbyint(0.6 * a + 0.4 * b)); };
    for (const Point p : {Point{5, 5}, Point{21, 15}, Point{40, 28}}) {
        const Pixel n = normal.At(p.X, p.Y), h = hover.At(p.X, p.Y), got = painted.At(p.X, p.Y);
        EXPECT_NEAR(PixelR(got), channel(PixelR(n), PixelR(h)), 1);
        EXPECT_NEAR(PixelG(got), channel(PixelG(n), PixelG(h)), 1);
        EXPECT_NEAR(PixelB(got), channel(PixelB(n), PixelB(h)), 1);
    }
}

TEST_F(FramePaint, TheCaptionTextTakesTheColourOfTheState) {
    struct Case {
        bool active;
        Color text;
    };
    for (const Case c : {Case{true, RGBColor(187, 221, 255)}, Case{false, RGBColor(70, 70, 70)}}) {
        host.Active = c.active;
        frame.SetFormActiveState(false);
        calls.clear();
        frame.ComposeFramePicture();
        ASSERT_FALSE(calls.empty());
        EXPECT_EQ(calls.back().text, "Update Checking...");
        EXPECT_EQ(calls.back().font.Color, c.text) << c.active;
        EXPECT_EQ(calls.back().font.Name, "Arial");
        EXPECT_EQ(calls.back().font.Height, 14);
    }
}

TEST_F(FramePaint, ALongCaptionEndsInDotsBeforeTheCloseButtonAndAnEmptyOneDrawsNothing) {
    host.Text_ = std::string(200, 'W');
    calls.clear();
    frame.ComposeFramePicture();
    ASSERT_FALSE(calls.empty());
    for (const auto& call : calls) {
        EXPECT_EQ(call.text.substr(call.text.size() - 3), "...");
        EXPECT_LE(call.at.X + BoxText::kCharWidth * int32_t(call.text.size()), 342 - 49);
    }
    host.Text_.clear();
    calls.clear();
    frame.ComposeFramePicture();
    EXPECT_TRUE(calls.empty());
}

TEST_F(FramePaint, NothingIsPaintedBelowTheMinimumSize) {
    host.Width = 199;
    frame.WindowSized();
    EXPECT_FALSE(frame.ComposeFramePicture().has_value());
}

TEST_F(FramePaint, TheClientBackgroundIsTheClientPieceSqueezedToTheWindowsHeight) {
    const Bitmap background = frame.ComposeClientBackground(336, 31);
    // The 204 x 249 client piece at 204 x 64, repeated across from the client's left.
    Bitmap strip(204, 64);
    CopyBitmapRect(strip, {0, 0, 204, 64}, skin.Data()->MainPicture, {3, 30, 207, 279});
    int wrong = 0;
    for (int32_t y = 0; y < 31; ++y)
        for (int32_t x = 0; x < 336; ++x) wrong += background.At(x, y) != strip.At(x % 204, y);
    EXPECT_EQ(wrong, 0);
}

}  // namespace
