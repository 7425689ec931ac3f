#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <vector>

#include "skin/frame/ImageEffects.h"

using namespace tolvar;

namespace {

Bitmap OnePixel(Pixel p) { return Bitmap(1, 1, p); }

// Pictures whose every pixel says where it came from: normal (1) or hover (2), and its column.
Pixel Named(uint8_t source, int32_t x, int32_t y) { return MakePixel(source, uint8_t(x), uint8_t(y)); }
Bitmap NamedPicture(uint8_t source, int32_t w, int32_t h) {
    Bitmap b(w, h);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) b.At(x, y) = Named(source, x, y);
    return b;
}

const MorphMode kAllModes[] = {mkDefault,   mkGradient,   mkLeftGradient, mkRightGradient,
                               mkLeftSlide, mkRightSlide, mkPush};

}  // namespace

TEST(MorphImages, DefaultBlendsEachChannelRoundingHalvesToEven) {
    struct Case {
        uint8_t normal, hover;
        double k;
        uint8_t expected;
    } const cases[] = {
        {0, 1, 0.5, 0},        // 0.5 -> 0
        {1, 2, 0.5, 2},        // 1.5 -> 2
        {2, 3, 0.5, 2},        // 2.5 -> 2
        {0, 255, 0.25, 64},    // 63.75
        {0, 255, 0.2, 51},     // 51
        {200, 100, 0.5, 150},  //
        {254, 255, 0.5, 254},  // 254.5 -> 254
        {10, 20, -1.0, 10},    // k clamped to 0
        {10, 20, 7.0, 20},     // k clamped to 1
        {10, 20, NAN, 10},     // no position at all: the normal image
    };
    for (const Case& c : cases) {
        const Bitmap out = MorphImages(OnePixel(MakePixel(c.normal, c.normal, c.normal)),
                                       OnePixel(MakePixel(c.hover, c.hover, c.hover)), c.k, mkDefault);
        EXPECT_EQ(out.At(0, 0), MakePixel(c.expected, c.expected, c.expected))
            << int(c.normal) << " " << int(c.hover) << " " << c.k;
    }
    // The channels do not mix.
    EXPECT_EQ(MorphImages(OnePixel(MakePixel(0, 100, 255)), OnePixel(MakePixel(255, 100, 0)), 0.25, mkDefault),
              OnePixel(MakePixel(64, 100, 191)));
}

TEST(MorphImages, AlphaBlendsWhenBothHaveIt) {
    Bitmap normal = OnePixel(0), hover = OnePixel(0);
    normal.MakeAlpha(0);
    hover.MakeAlpha(255);
    EXPECT_EQ(MorphImages(normal, hover, 0.5, mkDefault).AlphaAt(0, 0), 128);  // 127.5 -> 128
    hover.DropAlpha();
    EXPECT_EQ(MorphImages(normal, hover, 0.5, mkDefault).AlphaAt(0, 0), 0);  // the normal image's
}

TEST(MorphImages, EveryKindGivesTheNormalImageAtZeroTheHoverAtOneAndTheNormalForOtherSizes) {
    const Bitmap normal = NamedPicture(1, 5, 3), hover = NamedPicture(2, 5, 3);
    for (const MorphMode kind : kAllModes) {
        EXPECT_EQ(MorphImages(normal, hover, 0.0, kind), normal) << int(kind);
        EXPECT_EQ(MorphImages(normal, hover, 1.0, kind), hover) << int(kind);
        EXPECT_EQ(MorphImages(normal, NamedPicture(2, 5, 4), 0.5, kind), normal) << int(kind);
        EXPECT_EQ(MorphImages(normal, NamedPicture(2, 4, 3), 1.0, kind), normal) << int(kind);
        EXPECT_TRUE(MorphImages(Bitmap(), Bitmap(), 0.5, kind).Empty()) << int(kind);
    }
}

TEST(MorphImages, SlidesAndPushHalfWay) {
    const Bitmap normal = NamedPicture(1, 4, 2), hover = NamedPicture(2, 4, 2);
    struct Case {
        MorphMode kind;
        Pixel row0[4];  // the first row at k = 0.5: two columns moved
    } const cases[] = {
        {mkLeftSlide, {Named(2, 2, 0), Named(2, 3, 0), Named(1, 2, 0), Named(1, 3, 0)}},
        {mkRightSlide, {Named(1, 0, 0), Named(1, 1, 0), Named(2, 0, 0), Named(2, 1, 0)}},
        {mkPush, {Named(1, 2, 0), Named(1, 3, 0), Named(2, 0, 0), Named(2, 1, 0)}},
    };
    for (const Case& c : cases) {
        const Bitmap out = MorphImages(normal, hover, 0.5, c.kind);
        for (int32_t x = 0; x < 4; ++x) {
            EXPECT_EQ(out.At(x, 0), c.row0[x]) << int(c.kind) << " column " << x;
            EXPECT_EQ(out.At(x, 1), c.row0[x] + 1) << int(c.kind) << " column " << x;  // same source, row 1
        }
    }
}

TEST(MorphImages, GradientWipesRunFromTheirEdgeHalfWay) {
    const Bitmap normal(9, 9, MakePixel(0, 0, 0)), hover(9, 9, MakePixel(200, 200, 200));
    struct Case {
        MorphMode kind;
        int32_t firstX, firstY, lastX, lastY;  // where the wipe starts and where it ends
    } const cases[] = {
        {mkGradient, 4, 0, 4, 8},
        {mkLeftGradient, 0, 4, 8, 4},
        {mkRightGradient, 8, 4, 0, 4},
    };
    for (const Case& c : cases) {
        const Bitmap out = MorphImages(normal, hover, 0.5, c.kind);
        EXPECT_EQ(out.At(c.firstX, c.firstY), hover.At(0, 0)) << int(c.kind);
        EXPECT_EQ(out.At(c.lastX, c.lastY), normal.At(0, 0)) << int(c.kind);
        // Softly in between, never turning back.
        int previous = 256;
        for (int32_t i = 0; i < 9; ++i) {
            const int32_t x = c.firstX + (c.lastX - c.firstX) * i / 8, y = c.firstY + (c.lastY - c.firstY) * i / 8;
            const int v = PixelR(out.At(x, y));
            EXPECT_LE(v, previous) << int(c.kind) << " step " << i;
            previous = v;
        }
        EXPECT_GT(PixelR(out.At((c.firstX + c.lastX) / 2, (c.firstY + c.lastY) / 2)), 0) << int(c.kind);
        EXPECT_LT(PixelR(out.At((c.firstX + c.lastX) / 2, (c.firstY + c.lastY) / 2)), 200) << int(c.kind);
    }
}

TEST(ApplyInactiveEffect, PixelRulesOnATinyImage) {
    Bitmap image(2, 2);
    image.At(0, 0) = MakePixel(0, 0, 0);
    image.At(1, 0) = MakePixel(255, 255, 255);
    image.At(0, 1) = MakePixel(10, 100, 200);
    image.At(1, 1) = MakePixel(101, 51, 3);
    struct Case {
        InactiveEffect effect;
        Pixel expected[4];
    } const cases[] = {
        // Half of the way to white: 127.5 -> 128, 132.5 -> 132, 177.5 -> 178.
        {ieBrightness,
         {MakePixel(128, 128, 128), MakePixel(255, 255, 255), MakePixel(132, 178, 228), MakePixel(178, 153, 129)}},
        // 70 % of each channel: 178.5 -> 178, 70.7 -> 71, 2.1 -> 2.
        {ieDarkness, {MakePixel(0, 0, 0), MakePixel(178, 178, 178), MakePixel(7, 70, 140), MakePixel(71, 36, 2)}},
        {ieGrayScale, {MakePixel(0, 0, 0), MakePixel(255, 255, 255), MakePixel(84, 84, 84), MakePixel(61, 61, 61)}},
        {ieInvert, {MakePixel(255, 255, 255), MakePixel(0, 0, 0), MakePixel(245, 155, 55), MakePixel(154, 204, 252)}},
    };
    for (const Case& c : cases) {
        Bitmap out = image;
        ApplyInactiveEffect(out, c.effect);
        EXPECT_EQ(out.At(0, 0), c.expected[0]) << int(c.effect);
        EXPECT_EQ(out.At(1, 0), c.expected[1]) << int(c.effect);
        EXPECT_EQ(out.At(0, 1), c.expected[2]) << int(c.effect);
        EXPECT_EQ(out.At(1, 1), c.expected[3]) << int(c.effect);
    }
}

TEST(ApplyInactiveEffect, SplitBlurTakesTheDiagonalNeighboursEdgesRepeated) {
    Bitmap image(3, 3, MakePixel(0, 0, 0));
    image.At(1, 1) = MakePixel(255, 255, 4);
    ApplyInactiveEffect(image, ieSplitBlur);
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 3; ++x) {
            // A corner has the centre for one of its four diagonals (the others repeat the edge):
            // 255 / 4 = 63.75 -> 64, 4 / 4 = 1; the centre itself and the edges see only black.
            const bool corner = x != 1 && y != 1;
            EXPECT_EQ(image.At(x, y), corner ? MakePixel(64, 64, 1) : MakePixel(0, 0, 0)) << x << "," << y;
        }
}

TEST(ApplyInactiveEffect, NoiseIsFixedByPositionAndBounded) {
    Bitmap grey(16, 16, MakePixel(128, 128, 128));
    grey.MakeAlpha(99);
    Bitmap once = grey, twice = grey;
    ApplyInactiveEffect(once, ieNoise);
    ApplyInactiveEffect(twice, ieNoise);
    EXPECT_EQ(once, twice);
    std::set<int> offsets;
    for (int32_t y = 0; y < 16; ++y)
        for (int32_t x = 0; x < 16; ++x) {
            const Pixel p = once.At(x, y);
            const int d = PixelR(p) - 128;
            EXPECT_EQ(PixelG(p), PixelR(p));  // the same offset on every channel
            EXPECT_EQ(PixelB(p), PixelR(p));
            EXPECT_LE(std::abs(d), 50);
            EXPECT_EQ(once.AlphaAt(x, y), 99);  // opacity is not colour
            offsets.insert(d);
        }
    EXPECT_GT(offsets.size(), 40u);  // it is noise, not a shift

    // Clamped at the ends of the range rather than wrapping round.
    Bitmap black(16, 16, MakePixel(0, 0, 0)), white(16, 16, MakePixel(255, 255, 255));
    ApplyInactiveEffect(black, ieNoise);
    ApplyInactiveEffect(white, ieNoise);
    for (int32_t y = 0; y < 16; ++y)
        for (int32_t x = 0; x < 16; ++x) {
            EXPECT_LE(PixelR(black.At(x, y)), 50);
            EXPECT_GE(PixelR(white.At(x, y)), 205);
        }
}

TEST(BlurPlane, BoxOfTheRadiusWithEdgesRepeated) {
    AlphaPlane dot(3, 3);
    dot.At(1, 1) = 255;
    AlphaPlane same = dot;
    BlurPlane(same, 0);
    EXPECT_EQ(same.Values, dot.Values);

    BlurPlane(dot, 1);  // 255 / 3 = 85 across, 85 / 3 = 28.3 down
    EXPECT_EQ(dot.Values, std::vector<uint8_t>(9, 28));

    AlphaPlane line(5, 1);
    line.At(0, 0) = 255;
    BlurPlane(line, 1);  // the edge repeats outward: (255 + 255 + 0) / 3 at the first value
    EXPECT_EQ(line.Values, (std::vector<uint8_t>{170, 85, 0, 0, 0}));

    // An even plane stays even however far the blur reaches, and a huge radius is no slower.
    AlphaPlane flat(7, 4, 200);
    BlurPlane(flat, 2);
    EXPECT_EQ(flat.Values, std::vector<uint8_t>(28, 200));
    BlurPlane(flat, 1'000'000'000);
    EXPECT_EQ(flat.Values, std::vector<uint8_t>(28, 200));
}

TEST(BlendColorThroughPlane, OpacityPerPixelClippedToTheTarget) {
    Bitmap target(2, 2, MakePixel(0, 0, 0));
    AlphaPlane plane(3, 3);
    plane.At(1, 1) = 255;  // lands on (0, 0)
    plane.At(2, 1) = 128;  // (1, 0)
    plane.At(1, 2) = 0;    // (0, 1)
    plane.At(2, 2) = 51;   // (1, 1)
    plane.At(0, 0) = 255;  // outside the target
    BlendColorThroughPlane(target, {-1, -1}, plane, RGBColor(255, 100, 10));
    EXPECT_EQ(target.At(0, 0), MakePixel(255, 100, 10));
    EXPECT_EQ(target.At(1, 0), MakePixel(128, 50, 5));  // 100 * 128 / 255 = 50.2, 10 * 128 / 255 = 5.02
    EXPECT_EQ(target.At(0, 1), MakePixel(0, 0, 0));
    EXPECT_EQ(target.At(1, 1), MakePixel(51, 20, 2));

    // Past the right and bottom edges, and far away, nothing but the target changes.
    Bitmap white(2, 2, MakePixel(255, 255, 255));
    BlendColorThroughPlane(white, {1, 1}, AlphaPlane(4, 4, 255), SystemColor(COLOR_INDEX_WINDOWTEXT));
    EXPECT_EQ(white.At(1, 1), ColorToPixel(ResolveColor(SystemColor(COLOR_INDEX_WINDOWTEXT))));
    EXPECT_EQ(white.At(0, 0), MakePixel(255, 255, 255));
    BlendColorThroughPlane(white, {INT32_MAX, INT32_MIN}, AlphaPlane(4, 4, 255), 0);
    BlendColorThroughPlane(white, {INT32_MIN, INT32_MAX}, AlphaPlane(4, 4, 255), 0);
    EXPECT_EQ(white.At(0, 0), MakePixel(255, 255, 255));
}
