#include <gtest/gtest.h>

#include "NamedPictures.h"
#include "skin/controls/BitmapDrawing.h"

using namespace tolvar;
using test::kUntouched;
using test::Name;

namespace {

bool Inside(const Rect& r, int32_t x, int32_t y) { return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom; }

}  // namespace

// Target pixel (x, y) of rectangle D shows source pixel (S.Left + (x - D.Left) * sw div dw,
// S.Top + (y - D.Top) * sh div dh) when that pixel exists, the target is there and the clip lets
// it through; everything else stays as it was.
TEST(CopyBitmapRect, NearestNeighbourMappingWithClipping) {
    struct Case {
        const char* what;
        Rect target;
        Rect source;
        ClipRect clip;
    };
    const Case cases[] = {
        {"1:1", {3, 2, 9, 6}, {2, 1, 8, 5}, {}},
        {"enlarged", {3, 2, 13, 9}, {2, 1, 7, 4}, {}},
        {"reduced", {3, 2, 8, 5}, {1, 1, 14, 8}, {}},
        {"one column spread, rows squeezed", {1, 1, 9, 3}, {4, 0, 5, 9}, {}},
        {"gauge middle", {3, 0, 317, 2}, {3, 0, 49, 2}, {}},
        {"reaching out of the target", {-4, -3, 12, 9}, {1, 1, 6, 5}, {}},
        {"clipped", {-4, -3, 12, 9}, {1, 1, 6, 5}, Rect{2, 1, 7, 6}},
        {"clip outside the target", {0, 0, 8, 6}, {0, 0, 8, 6}, Rect{-5, -5, 3, 2}},
        {"1:1 source partly outside the picture", {1, 1, 12, 9}, {-2, -1, 9, 7}, {}},
        {"scaled source partly outside the picture", {0, 0, 7, 5}, {-3, -2, 18, 13}, {}},
        {"empty target rect", {4, 4, 4, 8}, {0, 0, 3, 3}, {}},
        {"negative source rect", {0, 0, 5, 5}, {5, 0, 2, 3}, {}},
    };
    const Bitmap picture = test::Picture(16, 12);
    for (const Case& c : cases) {
        Bitmap target(c.target.Right > 16 ? c.target.Right + 3 : 14, 10, kUntouched);
        CopyBitmapRect(target, c.target, picture, c.source, c.clip);
        const int32_t dw = RectWidth(c.target), dh = RectHeight(c.target);
        const int32_t sw = RectWidth(c.source), sh = RectHeight(c.source);
        EXPECT_TRUE(test::Matches(target, [&](int32_t x, int32_t y) {
            if (!Inside(c.target, x, y) || (c.clip && !Inside(*c.clip, x, y)) || sw <= 0 || sh <= 0) return kUntouched;
            const int32_t sx = c.source.Left + (x - c.target.Left) * sw / dw;
            const int32_t sy = c.source.Top + (y - c.target.Top) * sh / dh;
            return picture.Contains(sx, sy) ? Name(sx, sy) : kUntouched;
        })) << c.what;
    }
}

TEST(CopyBitmapRect, SameBitmapReadsTheSourceAsItWas) {
    Bitmap b = test::Picture(8, 6);
    CopyBitmapRect(b, {1, 1, 7, 5}, b, {0, 0, 6, 4});
    EXPECT_TRUE(test::Matches(b, [](int32_t x, int32_t y) {
        return Inside({1, 1, 7, 5}, x, y) ? Name(x - 1, y - 1) : Name(x, y);
    }));
}

TEST(PlaceBitmap, UnscaledWithClipAndTransparentColour) {
    Bitmap source = test::Picture(4, 3);
    const Pixel key = 0x00123456;
    source.At(1, 1) = key;
    source.At(2, 0) = key | 0xFF000000u;  // the byte above the colour does not count
    const auto expect = [&](Point at, ClipRect clip, bool transparent) {
        return [=](int32_t x, int32_t y) -> Pixel {
            const int32_t sx = x - at.X, sy = y - at.Y;
            if (!source.Contains(sx, sy) || (clip && !Inside(*clip, x, y))) return kUntouched;
            const Pixel p = source.At(sx, sy);
            return transparent && (p & 0x00FFFFFFu) == key ? kUntouched : p;
        };
    };
    struct Case {
        Point at;
        ClipRect clip;
    };
    for (const Case& c : {Case{{2, 1}, {}}, Case{{-1, -1}, {}}, Case{{5, 4}, {}}, Case{{1, 1}, Rect{2, 0, 4, 3}}}) {
        Bitmap plain(7, 6, kUntouched), keyed(7, 6, kUntouched);
        PlaceBitmap(plain, c.at, source, c.clip);
        PlaceBitmapTransparent(keyed, c.at, source, key, c.clip);
        EXPECT_TRUE(test::Matches(plain, expect(c.at, c.clip, false))) << c.at.X << "," << c.at.Y;
        EXPECT_TRUE(test::Matches(keyed, expect(c.at, c.clip, true))) << c.at.X << "," << c.at.Y;
    }
}

TEST(StretchBitmap, ScalesTheWholeSource) {
    const Bitmap source = test::Picture(3, 2);
    Bitmap target(8, 5, kUntouched);
    StretchBitmap(target, {1, 0, 8, 5}, source);
    EXPECT_TRUE(test::Matches(
        target, [](int32_t x, int32_t y) { return x < 1 ? kUntouched : Name((x - 1) * 3 / 7, y * 2 / 5); }));
}

TEST(ResizeKeepingContent, KeepsTheOverlapAndNothingChangesAtTheSameSize) {
    Bitmap b = test::Picture(5, 4);
    b.MakeAlpha(7);
    ResizeKeepingContent(b, 5, 4);
    EXPECT_EQ(b, [] {
        Bitmap same = test::Picture(5, 4);
        same.MakeAlpha(7);
        return same;
    }());

    ResizeKeepingContent(b, 7, 3);
    ASSERT_EQ(b.Width(), 7);
    ASSERT_EQ(b.Height(), 3);
    EXPECT_TRUE(test::Matches(b, [](int32_t x, int32_t y) { return x < 5 ? Name(x, y) : Pixel(0); }));

    ASSERT_TRUE(b.HasAlpha());
    EXPECT_EQ(b.AlphaAt(4, 2), 7);
    EXPECT_EQ(b.AlphaAt(5, 2), 255);

    ResizeKeepingContent(b, -2, 3);
    EXPECT_EQ(b.Width(), 0);
    EXPECT_TRUE(b.Empty());
}

TEST(CopyBitmapRect, AlphaMovesWithTheColourWhenBothBitmapsHaveIt) {
    Bitmap source = test::Picture(4, 3);
    source.MakeAlpha();
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 4; ++x) source.AlphaAt(x, y) = uint8_t(10 * x + y);
    const Pixel key = source.At(1, 1);

    Bitmap target(9, 4, kUntouched);
    target.MakeAlpha(255);
    CopyBitmapRect(target, {0, 0, 8, 3}, source, {0, 0, 4, 3});  // doubled across
    PlaceBitmapTransparent(target, {5, 1}, source, key);
    for (int32_t y = 0; y < 4; ++y)
        for (int32_t x = 0; x < 9; ++x) {
            uint8_t want = 255;
            if (x >= 5 && y >= 1 && source.At(x - 5, y - 1) != key) want = source.AlphaAt(x - 5, y - 1);
            else if (x < 8 && y < 3) want = source.AlphaAt(x / 2, y);
            EXPECT_EQ(target.AlphaAt(x, y), want) << x << "," << y;
        }

    Bitmap noAlpha = test::Picture(3, 3);
    CopyBitmapRect(noAlpha, {0, 0, 3, 3}, source, {1, 0, 4, 3});
    EXPECT_FALSE(noAlpha.HasAlpha());
    EXPECT_EQ(noAlpha.At(0, 0), Name(1, 0));
}
