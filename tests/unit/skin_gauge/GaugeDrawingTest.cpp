// The skinned gauge drawn from synthetic pictures, pixel by pixel: the background composed to
// the gauge's size, the progress picture's caps and its stretched, tiled or animated middle,
// the transparent colour, vertical gauges, a gauge that keeps its own size, and OnGaugePaint.
#include "GaugeSkins.h"

using namespace tolvar;
using namespace tolvar::test;
using test::Matches;
using test::Name;

namespace {

constexpr int32_t kWidth = 60;

// The horizontal background at the gauge's width: caps of 3 and 4, the 13-pixel middle
// stretched over the rest.
Pixel Background(int32_t x, int32_t y) {
    if (x < 3) return Name(x, y);
    if (x >= kWidth - 4) return Name(16 + x - (kWidth - 4), y);
    return Name(3 + (x - 3) * 13 / (kWidth - 7), y);
}

// Where pixel (px, py) of a progress picture pw wide comes from in the skin picture: the end cap
// (copied last), the begin cap, or the middle, whose source columns are left .. right of the
// rows from `top` on.
struct Middle {
    int32_t left, top, right;
    bool stretch;
};
Point ProgressSource(int32_t px, int32_t py, int32_t pw, int32_t b, int32_t e, Middle m) {
    if (px >= pw - e) return {30 - e + px - (pw - e), 10 + py};
    if (px < b) return {px, 10 + py};
    const int32_t length = m.right - m.left;
    return {m.stretch ? m.left + (px - b) * length / (pw - b - e) : m.left + (px - b) % length, m.top + py};
}

Pixel Shown(Point source, Pixel background) {
    return source == Point{kKeyX, kKeyY} ? background : Name(source.X, source.Y);
}

struct Skinned {
    std::unique_ptr<TestSkin> skin;
    GaugeRig rig;
    Skinned(const Keys& keys, ControlBounds bounds, bool useSkinSize = true)
        : skin(MakeSkin({{"gauge", "gauge", keys}})), rig(bounds) {
        rig.gauge->SetUseSkinSize(useSkinSize);
        rig.gauge->SetSkinData(skin->Data());
    }
    SkinGaugeLogic& gauge() { return *rig.gauge; }
};

}  // namespace

TEST(SkinnedGauge, TakesTheRecordsSizeAndFitsItsProgressArea) {
    Skinned s(HorizontalGauge(), {7, 7, kWidth, 20});
    EXPECT_EQ(s.rig.host.bounds, (ControlBounds{7, 7, kWidth, 8}));  // a horizontal piece keeps its height
    EXPECT_EQ(s.gauge().TargetProgressArea(), (Rect{1, 1, 59, 7}));
    s.gauge().SetValue(50);
    EXPECT_EQ(s.gauge().ProgressRectFor(s.gauge().TargetProgressArea(), 50), (Rect{1, 1, 30, 7}));
}

TEST(SkinnedGauge, ProgressPictureKeepsItsCapsAndStretchesOrTilesItsMiddle) {
    struct Case {
        const char* what;
        Keys changes;
        int32_t max, value;
        int frame;  // the animation frame on show, 0 for none
    } cases[] = {
        {"half, stretched", {}, 100, 50, 0},
        {"half, tiled, the last tile cut", {{"progressstretch", "0"}}, 100, 50, 0},
        {"full", {}, 100, 100, 0},
        {"15 pixels with caps of 10 and 10: no middle", {{"beginoffset", "10"}, {"endoffset", "10"}}, 58, 15, 0},
        {"narrower than the caps", {}, 58, 3, 0},
        {"a frame replaces the middle, stretched although the record tiles", {{"progressstretch", "0"}}, 100, 50, 2},
        {"the last frame, full", {}, 100, 100, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Keys keys = With(HorizontalGauge(), c.changes);
        Skinned s(keys, {0, 0, kWidth, 8});
        s.gauge().SetMaxValue(c.max);
        s.gauge().SetValue(c.value);
        if (c.frame) {
            s.gauge().StartProgressAnimation();
            s.rig.clock->Advance(10 * c.frame);
            ASSERT_EQ(s.gauge().AnimationFrame(), c.frame);
        }
        const int32_t b = std::stoi(keys.at("beginoffset")), e = std::stoi(keys.at("endoffset"));
        const int32_t pw = 58 * c.value / c.max;
        const Middle middle = c.frame ? Middle{b, 20 + 6 * (c.frame - 1), 30 - e, true}
                                      : Middle{b, 10, 30 - e, keys.at("progressstretch") == "1"};
        const Bitmap image = s.gauge().PaintImage();
        ASSERT_EQ(image.Width(), kWidth);
        ASSERT_EQ(image.Height(), 8);
        EXPECT_TRUE(Matches(image, [&](int32_t x, int32_t y) {
            if (x < 1 || x >= 1 + pw || y < 1 || y >= 7) return Background(x, y);
            return Shown(ProgressSource(x - 1, y - 1, pw, b, e, middle), Background(x, y));
        }));
    }
}

TEST(SkinnedGauge, WithoutAFilledPartOnlyTheBackgroundAndTheTextAreDrawn) {
    Skinned s(HorizontalGauge(), {0, 0, kWidth, 8});
    s.gauge().SetValue(0);
    s.gauge().SetShowProgressText(true);
    s.gauge().SetProgressText("ab");
    const Bitmap image = s.gauge().PaintImage();
    // "ab" in the record's font, 12 x 14, centred: x = 30 - 6, y = 4 - 7.
    const Rect text{24, -3, 36, 11};
    EXPECT_TRUE(Matches(image, [&](int32_t x, int32_t y) {
        return x >= text.Left && x < text.Right && y >= text.Top && y < text.Bottom ? MakePixel(255, 0, 0)
                                                                                    : Background(x, y);
    }));
}

TEST(SkinnedGauge, AProgressPictureWithoutAMiddleDrawsNeitherProgressNorText) {
    // Caps of 15 and 15 take the whole 30-pixel picture: a filled part longer than both has no
    // middle to draw.
    Skinned s(With(HorizontalGauge(), {{"beginoffset", "15"}, {"endoffset", "15"}}), {0, 0, kWidth, 8});
    s.gauge().SetValue(100);
    s.gauge().SetShowProgressText(true);
    s.gauge().SetProgressText("ab");
    const Bitmap image = s.gauge().PaintImage();
    EXPECT_TRUE(Matches(image, Background));
    EXPECT_TRUE(s.rig.texts.empty());
}

TEST(SkinnedGauge, VerticalGaugeFillsFromTheBottomWithTilesFromTheBottomUp) {
    Skinned s(VerticalGauge(), {0, 0, 8, 50});
    EXPECT_EQ(s.rig.host.bounds, (ControlBounds{0, 0, 8, 50}));
    EXPECT_TRUE(s.gauge().Vertical());
    EXPECT_EQ(s.gauge().TargetProgressArea(), (Rect{1, 1, 7, 49}));
    s.gauge().SetValue(50);  // 24 of 48 rows: the filled part is (1, 25, 7, 49)
    const Bitmap image = s.gauge().PaintImage();
    ASSERT_EQ(image.Width(), 8);
    ASSERT_EQ(image.Height(), 50);
    const auto background = [](int32_t x, int32_t y) {
        if (y < 4) return Name(40 + x, y);
        if (y >= 45) return Name(40 + x, 25 + y - 45);
        return Name(40 + x, 4 + (y - 4) * 21 / 41);
    };
    EXPECT_TRUE(Matches(image, [&](int32_t x, int32_t y) {
        if (x < 1 || x >= 7 || y < 25 || y >= 49) return background(x, y);
        const int32_t px = x - 1, py = y - 25;
        if (py >= 22) return Name(50 + px, 18 + py - 22);  // end cap, 2 rows
        if (py < 3) return Name(50 + px, py);              // begin cap, 3 rows
        // The middle (rows 3 .. 17 of the picture, 15 long) tiled up from row 21 of the image.
        return Name(50 + px, 17 - (21 - py) % 15);
    }));
}

TEST(SkinnedGauge, KeepingItsOwnSizeStretchesTheSkinImageButNotTheText) {
    Skinned s(HorizontalGauge(), {0, 0, kWidth, 20}, /*useSkinSize=*/false);
    EXPECT_EQ(s.rig.host.bounds, (ControlBounds{0, 0, kWidth, 20}));
    s.gauge().SetValue(50);
    s.gauge().SetShowProgressText(true);
    s.gauge().SetProgressText("ab");
    const Bitmap image = s.gauge().PaintImage();
    ASSERT_EQ(image.Height(), 20);
    // "ab", 12 x 14, centred on the gauge's own size: x = 30 - 6, y = 10 - 7.
    const Rect text{24, 3, 36, 17};
    const Middle middle{5, 10, 26, true};
    EXPECT_TRUE(Matches(image, [&](int32_t x, int32_t y) {
        if (x >= text.Left && x < text.Right && y >= text.Top && y < text.Bottom) return MakePixel(255, 0, 0);
        const int32_t ty = y * 8 / 20;  // the 8 rows of the skin's image, stretched to 20
        if (x < 1 || x >= 30 || ty < 1 || ty >= 7) return Background(x, ty);
        return Shown(ProgressSource(x - 1, ty - 1, 29, 5, 4, middle), Background(x, ty));
    }));
}

TEST(SkinnedGauge, OnGaugePaintReplacesTheProgressAndTheText) {
    for (bool useSkinSize : {true, false}) {
        SCOPED_TRACE(useSkinSize ? "skin size" : "own size");
        Skinned s(HorizontalGauge(), {0, 0, kWidth, 8}, useSkinSize);
        s.gauge().SetValue(50);
        s.gauge().SetShowProgressText(true);
        s.gauge().SetProgressText("ab");
        std::vector<std::pair<Rect, Rect>> seen;
        s.gauge().OnGaugePaint = [&](Bitmap& canvas, const Rect& area, const Rect& filled) {
            EXPECT_EQ(canvas.Width(), kWidth);
            seen.push_back({area, filled});
        };
        const Bitmap image = s.gauge().PaintImage();
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].first, (Rect{1, 1, 59, 7}));
        EXPECT_EQ(seen[0].second, (Rect{1, 1, 30, 7}));
        EXPECT_TRUE(Matches(image, Background));
        EXPECT_TRUE(s.rig.texts.empty());
    }
}

TEST(SkinnedGauge, BoundsSetOutOfOrderNeverDrawBeyondTheGauge) {
    Skinned s(HorizontalGauge(), {0, 0, kWidth, 8});
    // MinValue pushes Value above MaxValue, and stays behind when lowered again: the fraction
    // is then about two thousand million, and the filled part reaches far past the gauge.
    s.gauge().SetMaxValue(10);
    s.gauge().SetMinValue(2000000000);
    s.gauge().SetMinValue(9);
    ASSERT_EQ(s.gauge().Values().Value(), 2000000000);
    Bitmap image;
    ASSERT_NO_THROW(image = s.gauge().PaintImage());
    ASSERT_EQ(image.Width(), kWidth);
    // From the begin cap on, the progress picture covers the area to its end.
    for (int32_t x = 1; x < 6; ++x) EXPECT_EQ(image.At(x, 1), Name(x - 1, 10)) << x;
    EXPECT_EQ(image.At(58, 1) >> 12, Pixel(5 + 1)) << "the middle's first column, stretched very far";
    // Below the lower bound the other way round: nothing filled.
    s.gauge().SetMaxValue(-100);  // pushes Value down to -100, below MinValue 9
    s.gauge().SetMaxValue(100);   // and leaves it there: a fraction below 0
    EXPECT_TRUE(Matches(s.gauge().PaintImage(), Background));
}

TEST(SkinnedGauge, AValueThatMovesNothingDrawnAsksForNoPaint) {
    // A download sets the value after every 1 KiB read: 1 KiB of 5 MB moves the bar by less than
    // a pixel.
    Skinned s(HorizontalGauge(), {7, 7, kWidth, 20});
    SkinGaugeLogic& g = s.gauge();
    g.SetMaxValue(5000000);
    g.SetValue(0);
    FakeHost& host = s.rig.host;
    const int later = host.repaintsLater;
    g.SetValue(1024);  // 58 x 1024 / 5000000 is below one pixel, skinned or not
    EXPECT_EQ(g.Values().Value(), 1024) << "the value is stored all the same";
    EXPECT_EQ(host.repaintsLater, later);
    g.SetValue(2500000);  // half way: a wider bar
    EXPECT_EQ(host.repaintsLater, later + 1);

    // Where the percentage shows, a new percentage is a new picture.
    g.SetShowPercent(true);
    g.SetValue(2500000 + 50000);  // 51 %: the bar moves by less than a pixel
    EXPECT_EQ(host.repaintsLater, later + 2);
    g.SetValue(2500000 + 50001);
    EXPECT_EQ(host.repaintsLater, later + 2);

    // A paint handler of the user's own is asked every time.
    g.OnGaugePaint = [](Bitmap&, const Rect&, const Rect&) {};
    g.SetValue(2500000 + 50002);
    EXPECT_EQ(host.repaintsLater, later + 3);
}
