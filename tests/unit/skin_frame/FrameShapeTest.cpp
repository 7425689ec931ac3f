// The window's shape and its soft border, natively: the mask cut to the window's size against a
// cut made by hand pixel by pixel, the region's cases, the outline test, and the layer border's
// pieces, alpha, premultiplying and opacity steps on the program's own skin.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <fstream>

#include "FrameSkins.h"
#include "FrameStandIns.h"
#include "skin/data/BmpCodec.h"
#include "skin/frame/FrameMask.h"
#include "skin/frame/LayerBorderModel.h"
#include "skin/data/SkinControlRecords.h"
#include "skin/data/SkinObjectRecords.h"
#include "skin/frame/SkinFrame.h"

using namespace tolvar;
using tolvar::test::FakeClock;
using tolvar::test::FakeFrameHost;
using tolvar::test::ProgramSkin;

namespace {

const ProgramSkin& Skin() {
    static const ProgramSkin skin(tolvar::test::ProgramSkinDir());
    return skin;
}

bool Black(const Bitmap& b, int32_t x, int32_t y) { return b.Contains(x, y) && (b.At(x, y) & 0xFFFFFFu) == 0; }

// Which mask pixel a window pixel shows, worked out per pixel from the rule "ends copied, middles
// tiled from their start", without the composition code. Nothing for a pixel outside every strip.
bool InsideByHand(const FrameSkinInfo& s, const FrameGeometry& g, const Bitmap& mask, int32_t width, int32_t height,
                  Point p) {
    const Rect& m = s.MaskRectArea;
    const Rect& r = g.SizedMaskRect;
    if (p.X < 0 || p.Y < 0 || p.X >= width || p.Y >= height) return false;
    if (Contains(r, p)) return true;
    const auto along = [](int32_t x, int32_t leftEnd, int32_t rightStart, int32_t sizedLeft, int32_t sizedRight) {
        if (x >= sizedRight) return rightStart + (x - sizedRight);
        if (x < leftEnd) return x;
        const int32_t l = rightStart - leftEnd;
        return l > 0 ? leftEnd + (x - sizedLeft) % l : -1;
    };
    const auto down = [&](int32_t y, int32_t upperEnd, int32_t lowerStart) {
        const int32_t h = RectHeight(r), lower = m.Bottom - lowerStart;
        if (y < upperEnd - m.Top) return m.Top + y;
        if (lower > 0 && y >= h - lower) return lowerStart + (y - (h - lower));
        const int32_t l = lowerStart - upperEnd;
        return l > 0 ? upperEnd + y % l : -1;
    };
    if (p.Y < r.Top) return Black(mask, along(p.X, s.LT.X, s.RT.X, g.SizedLT.X, g.SizedRT.X), p.Y);
    if (p.Y >= r.Bottom)
        return Black(mask, along(p.X, s.LB.X, s.RB.X, g.SizedLB.X, g.SizedRB.X), m.Bottom + (p.Y - r.Bottom));
    if (p.X < r.Left) return Black(mask, p.X, down(p.Y - r.Top, s.LT.Y, s.LB.Y));
    return Black(mask, m.Right + (p.X - r.Right), down(p.Y - r.Top, s.RT.Y, s.RB.Y));
}

std::vector<std::vector<bool>> Rasterise(const std::vector<Rect>& rects, int32_t w, int32_t h) {
    std::vector<std::vector<bool>> grid(size_t(h), std::vector<bool>(size_t(w), false));
    for (const Rect& r : rects)
        for (int32_t y = std::max(r.Top, 0); y < std::min(r.Bottom, h); ++y)
            for (int32_t x = std::max(r.Left, 0); x < std::min(r.Right, w); ++x) grid[size_t(y)][size_t(x)] = true;
    return grid;
}

struct Shaped {
    FrameSkinInfo info;
    FrameGeometry geometry;
    FrameMask mask;
    Shaped(int32_t w, int32_t h) : info(FrameSkinInfo::From(*Skin().Data())) {
        geometry = ComputeFrameGeometry(info, w, h);
        mask = ComposeFrameMask(info, geometry, Skin().Data()->MaskPicture, w);
    }
};

}  // namespace

// ---- the frame region

TEST(FrameShape, TheProgramSkinsMaskAtTheWindowSize) {
    const Shaped s(342, 64);
    EXPECT_EQ(s.geometry.SizedMaskRect, (Rect{2, 3, 340, 61}));
    EXPECT_EQ(s.mask.Strips.Top.Width(), 342);
    EXPECT_EQ(s.mask.Strips.Top.Height(), 3);
    EXPECT_EQ(s.mask.Strips.Bottom.Width(), 342);
    EXPECT_EQ(s.mask.Strips.Bottom.Height(), 3);
    EXPECT_EQ(s.mask.Strips.Left.Width(), 2);
    EXPECT_EQ(s.mask.Strips.Left.Height(), 58);
    EXPECT_EQ(s.mask.Strips.Right.Width(), 2);
    EXPECT_EQ(s.mask.Strips.Right.Height(), 58);
    // The corners are cut: the shape is not the whole rectangle.
    EXPECT_FALSE(s.mask.InsideMask({0, 0}));
    EXPECT_FALSE(s.mask.InsideMask({341, 63}));
}

TEST(FrameShape, RegionAndOutlineTestEqualTheMaskCutByHand) {
    const Bitmap& mask = Skin().Data()->MaskPicture;
    for (const Point size : {Point{342, 64}, Point{210, 282}, Point{200, 33}, Point{637, 401}, Point{1000, 90}}) {
        SCOPED_TRACE(testing::Message() << size.X << " x " << size.Y);
        const Shaped s(size.X, size.Y);
        const auto grid = Rasterise(s.mask.RegionRects(), size.X, size.Y);
        int wrong = 0, outside = 0;
        for (int32_t y = -2; y < size.Y + 2; ++y) {
            for (int32_t x = -2; x < size.X + 2; ++x) {
                const bool expected = InsideByHand(s.info, s.geometry, mask, size.X, size.Y, {x, y});
                const bool inWindow = x >= 0 && y >= 0 && x < size.X && y < size.Y;
                if (inWindow && grid[size_t(y)][size_t(x)] != expected) ++wrong;
                if (s.mask.InsideMask({x, y}) != expected) ++wrong;
                outside += inWindow && !expected;
            }
        }
        EXPECT_EQ(wrong, 0);
        EXPECT_GT(outside, 0);  // the mask does cut something away
    }
}

TEST(FrameShape, OutlineProbes) {
    const Shaped s(342, 64);
    // A white strip pixel is outside; the sized mask rect is inside whatever the strips say.
    EXPECT_FALSE(s.mask.InsideMask({0, 0}));
    for (const Point p : {Point{2, 3}, Point{339, 3}, Point{2, 60}, Point{339, 60}, Point{170, 30}})
        EXPECT_TRUE(s.mask.InsideMask(p)) << p.X << "," << p.Y;
    // The row of the mask rect's top edge beside it belongs to the side strips.
    EXPECT_EQ(s.mask.InsideMask({0, 3}), Black(s.mask.Strips.Left, 0, 0));
    EXPECT_EQ(s.mask.InsideMask({341, 3}), Black(s.mask.Strips.Right, 1, 0));
    // Off the window: outside.
    for (const Point p : {Point{-1, 30}, Point{342, 30}, Point{170, -1}, Point{170, 64}})
        EXPECT_FALSE(s.mask.InsideMask(p)) << p.X << "," << p.Y;
}

TEST(FrameShape, RunsPastTenThousandGiveTheSameRegion) {
    // A checkerboard strip: one run per black pixel, 20 000 of them.
    Bitmap board(400, 100, 0xFFFFFFu);
    for (int32_t y = 0; y < 100; ++y)
        for (int32_t x = (y & 1); x < 400; x += 2) board.At(x, y) = 0;
    const std::vector<Rect> rects = MaskRegionRects(board, 5, 7);
    ASSERT_EQ(rects.size(), 20000u);
    const auto grid = Rasterise(rects, 405, 107);
    for (int32_t y = 0; y < 107; ++y)
        for (int32_t x = 0; x < 405; ++x)
            ASSERT_EQ(grid[size_t(y)][size_t(x)], x >= 5 && y >= 7 && Black(board, x - 5, y - 7)) << x << "," << y;
}

TEST(FrameShape, RegionCases) {
    const Shaped s(342, 64);
    const std::vector<Rect> whole{{0, 0, 342, 64}};
    WindowRegionState on;
    on.SkinPresent = true;
    on.FrameWidth = 342;
    on.FrameHeight = 64;
    struct Case {
        const char* name;
        WindowRegionState state;
        bool maskUsable;
        std::optional<std::vector<Rect>> expected;
    };
    WindowRegionState off = on, none = on, noSkin = on, full = on, rolled = on, seventh = on, mdi = on;
    off.FormSkinEnabled = false;
    none.Borderless = true;
    noSkin.SkinPresent = false;
    full.FullBorderLayer = true;
    rolled.FullBorderLayer = rolled.RolledUpOrParked = true;
    seventh = rolled;
    seventh.SeventhGeneration = true;
    mdi.MaximizedMdiChild = true;
    WindowRegionState rolledHeight = rolled;
    rolledHeight.RollUpFormHeight = 30;
    const Case cases[] = {
        {"frame off", off, true, std::nullopt},
        {"borderless", none, true, std::nullopt},
        {"no skin", noSkin, false, whole},
        {"mask not usable", on, false, whole},
        {"maximized MDI child", mdi, true, whole},
        {"full layered border", full, true, whole},
        {"rolled up, full border", rolled, true, std::vector<Rect>{{0, 0, 342, 0}}},
        {"rolled up, seventh generation", seventh, true, std::vector<Rect>{{0, 0, 342, 1}}},
        {"rolled up with a height", rolledHeight, true, std::vector<Rect>{{0, 0, 342, 30}}},
        {"mask", on, true, s.mask.RegionRects()},
    };
    for (const Case& c : cases) EXPECT_EQ(PlanWindowRegion(c.state, c.maskUsable, s.mask), c.expected) << c.name;
}

TEST(FrameShape, MasksThatDoNotFitTheFrameLeaveItRectangular) {
    FrameSkinInfo info = FrameSkinInfo::From(*Skin().Data());
    ASSERT_TRUE(MaskUsable(info));
    FrameSkinInfo other = info;
    other.MaskWidth = 100;  // another size than the frame picture
    EXPECT_FALSE(MaskUsable(other));
    other = info;
    other.MaskRectArea.Right = info.MaskWidth + 5;  // the mask rect reaches past the mask
    EXPECT_FALSE(MaskUsable(other));
    other = info;
    other.MaskWidth = other.MaskHeight = 0;
    EXPECT_FALSE(MaskUsable(other));
    // Composing from a mask too small for its geometry still stays inside every bitmap.
    const Bitmap tiny(3, 2);
    const FrameGeometry g = ComputeFrameGeometry(info, 342, 64);
    const FrameMask m = ComposeFrameMask(info, g, tiny, 342);
    EXPECT_TRUE(m.InsideMask({100, 30}));
    EXPECT_FALSE(m.InsideMask({100, 62}));
}

TEST(FrameShape, TheFrameShapesItsWindowAndStopsWhenSwitchedOff) {
    FakeFrameHost host;
    FakeClock clock;
    SkinFrame frame(host, clock);
    frame.SetSkinData(Skin().Data());
    ASSERT_FALSE(host.Regions.empty());
    const Shaped s(342, 64);
    EXPECT_EQ(host.Regions.back(), std::optional<std::vector<Rect>>(s.mask.RegionRects()));
    // The resize test asks the mask: with a sizeable border a point beside a cut corner is on
    // the outline.
    host.Sizeable = true;
    EXPECT_TRUE(frame.InsideMask({170, 30}));
    EXPECT_FALSE(frame.InsideMask({0, 0}));
    frame.SetFormSkinEnabled(false);
    EXPECT_EQ(host.Regions.back(), std::nullopt);
}

// ---- the layered border

namespace {

struct LayerFixture {
    const TskSkinData& skin = *Skin().Data();
    const Bitmap& picture = *skin.ActivePicture(skin.LayerFrame.pictureindex);
    const Bitmap& mask = *skin.ActivePicture(skin.LayerFrame.maskpictureindex);
    LayerFrameInfo info = LayerFrameInfo::From(skin.LayerFrame, picture);
    Bitmap source = AlphaFromMask(picture, mask);
    Bitmap premultiplied = [this] {
        Bitmap b = source;
        Premultiply(b);
        return b;
    }();
};

// The pixel of `b` with its alpha, to compare whole pixels.
uint64_t Argb(const Bitmap& b, int32_t x, int32_t y) { return (uint64_t(b.AlphaAt(x, y)) << 32) | b.At(x, y); }

}  // namespace

TEST(LayerBorder, PiecesOfTheProgramSkin) {
    const LayerFixture f;
    ASSERT_EQ(f.picture.Width(), 175);
    ASSERT_EQ(f.picture.Height(), 151);
    const int32_t L = 100, T = 200;
    const Rect outer = LayerOuterRect(f.info, {L, T, L + 342, T + 64});
    EXPECT_EQ(outer, (Rect{L - 24, T - 23, L - 24 + 392, T - 23 + 111}));
    const LayerPieces p = ComposeLayerPieces(f.info, f.source, RectWidth(outer), RectHeight(outer));
    const LayerPlaces at = PlaceLayerPieces(outer, p);
    EXPECT_EQ(at.Top, (Rect{L - 24, T - 23, L - 24 + 392, T - 23 + 33}));
    EXPECT_EQ(at.Bottom, (Rect{L - 24, T + 53, L - 24 + 392, T + 53 + 35}));
    EXPECT_EQ(at.Left, (Rect{L - 24, T + 10, L, T + 10 + 43}));
    EXPECT_EQ(at.Right, (Rect{L + 342, T + 10, L + 342 + 26, T + 10 + 43}));
    EXPECT_TRUE(at.SidesShown);
    for (const Bitmap* b : {&p.Top, &p.Bottom, &p.Left, &p.Right}) ASSERT_TRUE(b->HasAlpha());

    // Ends copied, the middle stretched, the sides tiled from the band between top and bottom.
    const Bitmap& s = f.premultiplied;
    int wrong = 0;
    for (int32_t y = 0; y < 33; ++y) {
        wrong += Argb(p.Top, 10, y) != Argb(s, 10, y);            // left end
        wrong += Argb(p.Top, 392 - 5, y) != Argb(s, 175 - 5, y);  // right end
        wrong += Argb(p.Top, 33, y) != Argb(s, 33, y);            // the middle's first column
    }
    for (int32_t y = 0; y < 35; ++y) wrong += Argb(p.Bottom, 3, y) != Argb(s, 3, 116 + y);
    for (int32_t y = 0; y < 43; ++y) {
        wrong += Argb(p.Left, 7, y) != Argb(s, 7, 33 + y);
        wrong += Argb(p.Right, 20, y) != Argb(s, 149 + 20, 33 + y);
    }
    EXPECT_EQ(wrong, 0);

    // A taller window repeats the side band: row 83 starts the second copy.
    const LayerPieces tall = ComposeLayerPieces(f.info, f.source, 392, 200 + 47);
    ASSERT_EQ(tall.Left.Height(), 179);
    EXPECT_EQ(Argb(tall.Left, 5, 83 + 7), Argb(s, 5, 33 + 7));
    EXPECT_EQ(Argb(tall.Right, 5, 166 + 12), Argb(s, 149 + 5, 33 + 12));
}

TEST(LayerBorder, AWindowLowerThanTopAndBottomTogether) {
    const LayerFixture f;
    const Rect outer = LayerOuterRect(f.info, {0, 0, 342, 10});  // 57 high, 33 + 35 needed
    const LayerPieces p = ComposeLayerPieces(f.info, f.source, RectWidth(outer), RectHeight(outer));
    EXPECT_EQ(p.Top.Height(), 33);
    ASSERT_EQ(p.Bottom.Height(), 24);
    EXPECT_EQ(Argb(p.Bottom, 3, 0), Argb(f.premultiplied, 3, 151 - 24));  // the upper rows go
    EXPECT_TRUE(p.Left.Empty());
    EXPECT_TRUE(p.Right.Empty());
    const LayerPlaces at = PlaceLayerPieces(outer, p);
    EXPECT_FALSE(at.SidesShown);
    EXPECT_EQ(at.Bottom.Top, outer.Top + 33);
    // Lower still: nothing is left of the bottom either, and nothing overruns.
    const LayerPieces flat = ComposeLayerPieces(f.info, f.source, 392, 20);
    EXPECT_EQ(flat.Top.Height(), 33);
    EXPECT_TRUE(flat.Bottom.Empty());
}

TEST(LayerBorder, NonsenseGeometryComposesNothingOutOfBounds) {
    const LayerFixture f;
    LayerFrameInfo bad = f.info;
    bad.LT = {-50, 9999};
    bad.RT = {5000, -3};
    bad.LB = {400, -20};
    bad.RB = {-1, 3000};
    bad.ClientRect = {-100000, 40, 100000, 30};
    const LayerPieces p = ComposeLayerPieces(bad, f.source, 392, 111);
    EXPECT_LE(p.Top.Height(), 151);
    EXPECT_TRUE(p.Left.Empty());   // no width
    EXPECT_TRUE(p.Right.Empty());  // absurd width
    EXPECT_TRUE(ComposeLayerPieces(f.info, Bitmap(), 392, 111).Top.Empty());
    EXPECT_TRUE(ComposeLayerPieces(f.info, f.source, 0, 111).Top.Empty());
}

TEST(LayerBorder, AlphaFromTheMasksBrightness) {
    Bitmap picture(5, 2, MakePixel(200, 100, 50));
    Bitmap mask(4, 1);  // smaller than the picture: the rest is transparent
    mask.At(0, 0) = MakePixel(0, 0, 0);
    mask.At(1, 0) = MakePixel(255, 255, 255);
    mask.At(2, 0) = MakePixel(1, 1, 2);  // 4 / 3 -> 1
    mask.At(3, 0) = MakePixel(1, 2, 2);  // 5 / 3 -> 2
    Bitmap a = AlphaFromMask(picture, mask);
    ASSERT_TRUE(a.HasAlpha());
    EXPECT_EQ(a.AlphaAt(0, 0), 0);
    EXPECT_EQ(a.AlphaAt(1, 0), 255);
    EXPECT_EQ(a.AlphaAt(2, 0), 1);
    EXPECT_EQ(a.AlphaAt(3, 0), 2);
    EXPECT_EQ(a.AlphaAt(4, 0), 0);
    EXPECT_EQ(a.AlphaAt(0, 1), 0);
    EXPECT_EQ(a.At(1, 0), MakePixel(200, 100, 50));  // colours are kept until premultiplied
}

// A layer picture is drawn over black: its colours are already scaled by the opacity its mask
// gives, and premultiplying only limits each channel to that opacity. A piece of the border and
// the glow keep such a picture's pixels exactly as drawn; a pixel brighter than its opacity
// allows is cut down to it, channel by channel, not scaled.
TEST(LayerBorder, PremultiplyingLimitsEachChannelToItsAlpha) {
    tolvar::test::TestSkin skin(tolvar::test::TestFramePackage());
    const TskSkinData& data = *skin.Data();
    const Bitmap& picture = *data.ActivePicture(data.LayerFrame.pictureindex);
    const Bitmap& mask = *data.ActivePicture(data.LayerFrame.maskpictureindex);
    const LayerFrameInfo info = LayerFrameInfo::From(data.LayerFrame, picture);
    const LayerPieces pieces = ComposeLayerPieces(info, AlphaFromMask(picture, mask), 60 + 16, 40 + 16);
    // The top piece's column 3 comes from the picture's column 3, its rows 0 .. 7 likewise.
    for (int32_t y = 0; y < 8; ++y) {
        EXPECT_EQ(pieces.Top.At(3, y), picture.At(3, y)) << y;
        EXPECT_EQ(pieces.Top.AlphaAt(3, y), PixelR(mask.At(3, y))) << y;
    }
    // Five pixels out from the window: the border colour (0, 100, 200) through an opacity of 95.
    EXPECT_EQ(pieces.Top.AlphaAt(3, 7), 95);
    EXPECT_EQ(pieces.Top.At(3, 7), MakePixel(0, 37, 74));

    // A picture drawn for a rule that scales by the alpha: too bright for its opacity.
    Bitmap bright(4, 1, MakePixel(200, 100, 50));
    Bitmap greys(4, 1);
    for (int32_t x = 0; x < 4; ++x) {
        const uint8_t g = std::array<uint8_t, 4>{120, 255, 0, 60}[size_t(x)];
        greys.At(x, 0) = MakePixel(g, g, g);
    }
    const Bitmap glow = GlowImage(bright, greys);
    EXPECT_EQ(glow.At(0, 0), MakePixel(120, 100, 50));
    EXPECT_EQ(glow.At(1, 0), MakePixel(200, 100, 50));
    EXPECT_EQ(glow.At(2, 0), MakePixel(0, 0, 0));
    EXPECT_EQ(glow.At(3, 0), MakePixel(60, 60, 50));
    EXPECT_EQ(glow.AlphaAt(3, 0), 60);
}

// The program's own layer pictures are drawn for that rule: premultiplying changes none of their
// pixels, so the soft border and the glows look as drawn.
TEST(LayerBorder, TheProgramsLayerPicturesAreDrawnOverBlack) {
    const TskSkinData& skin = *Skin().Data();
    const auto* close =
        dynamic_cast<const TskDataSkinObject*>(skin.ObjectList[size_t(skin.FindObjectIndex("closebutton"))].get());
    ASSERT_NE(close, nullptr);
    const int buttonGlow = skin.FindControlIndex("button");
    ASSERT_GE(buttonGlow, 0);
    const auto* button = dynamic_cast<const TskDataSkinButtonControl*>(skin.CtrlList[size_t(buttonGlow)].get());
    ASSERT_NE(button, nullptr);
    const std::pair<int32_t, int32_t> layers[] = {{skin.LayerFrame.pictureindex, skin.LayerFrame.maskpictureindex},
                                                  {close->glowlayerpictureindex, close->glowlayermaskpictureindex},
                                                  {button->glowlayerpictureindex, button->glowlayermaskpictureindex}};
    for (const auto& [pictureIndex, maskIndex] : layers) {
        const Bitmap& picture = *skin.ActivePicture(pictureIndex);
        const Bitmap& mask = *skin.ActivePicture(maskIndex);
        const Bitmap straight = AlphaFromMask(picture, mask);
        EXPECT_EQ(GlowImage(picture, mask), straight) << "picture " << pictureIndex;
    }
    // The rim next to the window keeps its blue: the top piece's foot in the middle.
    const LayerFixture f;
    const Pixel rim = f.premultiplied.At(80, 22);
    EXPECT_GT(PixelB(rim), 100);
    EXPECT_GT(PixelB(rim), PixelR(rim) + 80);
}

TEST(LayerBorder, ScaleOpacityRounds) {
    const struct {
        int32_t value, a;
        uint8_t expected;
    } cases[] = {
        {255, 255, 255}, {200, 255, 200}, {200, 0, 0},     {200, 128, 100}, {255, 128, 128}, {1, 128, 1},
        {1, 127, 0},     {200, 15, 12},   {300, 255, 255}, {-5, 255, 0},    {255, 999, 255},
    };
    for (const auto& c : cases) EXPECT_EQ(ScaleOpacity(c.value, c.a), c.expected) << c.value << " * " << c.a;
}

TEST(LayerBorder, GlowFadesInOverTenSteps) {
    GlowFade fade(200);
    int ticks = 0;
    while (fade.Tick()) ++ticks;
    EXPECT_EQ(ticks + 1, 10);
    EXPECT_EQ(fade.Opacity(), 200);
    // Below ten the step would be nothing; it is one, so the fade still ends at its target.
    GlowFade faint(5);
    ticks = 1;
    while (faint.Tick()) ++ticks;
    EXPECT_EQ(ticks, 5);
    EXPECT_EQ(faint.Opacity(), 5);
    EXPECT_TRUE(GlowFade(0).Done());
}

// Writes the composed pieces and the glow over a light and a dark background, for a person to
// look at (TOLVAR_PICTURES=<folder>).
TEST(LayerBorder, PicturesForTheEye) {
    const char* folder = std::getenv("TOLVAR_PICTURES");
    if (!folder) GTEST_SKIP() << "TOLVAR_PICTURES not set";
    const LayerFixture f;
    const Rect outer = LayerOuterRect(f.info, {24, 23, 24 + 342, 23 + 64});
    const LayerPieces p = ComposeLayerPieces(f.info, f.source, RectWidth(outer), RectHeight(outer));
    const LayerPlaces at = PlaceLayerPieces(outer, p);
    const auto* close =
        dynamic_cast<const TskDataSkinObject*>(f.skin.ObjectList[size_t(f.skin.FindObjectIndex("closebutton"))].get());
    const Bitmap glow = GlowImage(*f.skin.ActivePicture(close->glowlayerpictureindex),
                                  *f.skin.ActivePicture(close->glowlayermaskpictureindex));
    const auto over = [](Bitmap& target, Point to, const Bitmap& b, uint8_t opacity) {
        for (int32_t y = 0; y < b.Height(); ++y)
            for (int32_t x = 0; x < b.Width(); ++x) {
                if (!target.Contains(to.X + x, to.Y + y)) continue;
                const int32_t a = b.AlphaAt(x, y) * opacity / 255;
                const Pixel s = b.At(x, y), d = target.At(to.X + x, to.Y + y);
                const auto ch = [&](uint8_t sc, uint8_t dc) {
                    return uint8_t(std::min(255, sc * opacity / 255 + dc * (255 - a) / 255));
                };
                target.At(to.X + x, to.Y + y) =
                    MakePixel(ch(PixelR(s), PixelR(d)), ch(PixelG(s), PixelG(d)), ch(PixelB(s), PixelB(d)));
            }
    };
    for (const auto& [name, background] :
         {std::pair{"light", MakePixel(235, 235, 235)}, std::pair{"dark", MakePixel(30, 30, 40)}}) {
        for (const uint8_t opacity : {uint8_t(255), uint8_t(200)}) {
            Bitmap canvas(RectWidth(outer) + 48, RectHeight(outer) + 46, background);
            // The window itself as a flat grey block, then the pieces around it.
            for (int32_t y = 23; y < 23 + 64; ++y)
                for (int32_t x = 24; x < 24 + 342; ++x) canvas.At(x + 24, y + 23) = MakePixel(128, 128, 128);
            over(canvas, {at.Top.Left + 24, at.Top.Top + 23}, p.Top, opacity);
            over(canvas, {at.Bottom.Left + 24, at.Bottom.Top + 23}, p.Bottom, opacity);
            over(canvas, {at.Left.Left + 24, at.Left.Top + 23}, p.Left, opacity);
            over(canvas, {at.Right.Left + 24, at.Right.Top + 23}, p.Right, opacity);
            // The close button's glow at its place (the button's rect from the frame's layout).
            over(canvas, {24 + 24 + 293 - close->glowlayeroffsetx, 23 + 23 + 0 - close->glowlayeroffsety}, glow, 200);
            std::string bytes;
            WriteBmpEntry(canvas, bytes);
            std::ofstream(std::string(folder) + "/border-" + name + "-" + std::to_string(opacity) + ".bmp",
                          std::ios::binary)
                << bytes;
        }
    }
}
