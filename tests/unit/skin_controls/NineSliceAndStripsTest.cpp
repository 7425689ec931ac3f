#include <gtest/gtest.h>

#include "NamedPictures.h"
#include "skin/controls/SkinComposition.h"

using namespace tolvar;
using test::kUntouched;
using test::Name;

namespace {

// A 24 x 20 piece at (2, 1) of a 40 x 30 picture. Bands: top 4 rows, bottom 3, left 3 columns,
// right 4; band middles 9 (top, bottom) and 5 (left, right) long; the client piece 17 x 13.
const PieceGeometry kPiece{{2, 1, 26, 21}, {6, 7}, {15, 8}, {7, 12}, {16, 13}, {3, 4, 20, 17}};

const Bitmap& Picture() {
    static const Bitmap picture = test::Picture(40, 30);
    return picture;
}

TargetGeometry Fitted(const PieceGeometry& g, int32_t width, int32_t height) {
    TargetGeometry t;
    FitGeometry(smBoth, g, t, width, height);
    return t;
}

// A middle's pixel for target offset d over a span: stretched by the nearest-neighbour rule or
// tiled; a middle of no length draws nothing.
template <class Make>
Pixel Middle(int32_t d, int32_t span, int32_t length, bool stretch, Make make) {
    if (length <= 0) return kUntouched;
    return make(stretch ? d * length / span : d % length);
}

struct NineCase {
    const char* what;
    PieceGeometry piece;
    int32_t width, height;
    BandStretch bands;
    bool stretchEffect;
    StretchMode type;
    bool drawClient;
};

// The nine-slice's tables read pixel by pixel, for a target at least as large as the piece
// (where no two parts overlap). The top band owns both top corners, the left band the
// bottom-left one, the bottom band the bottom-right one.
Pixel NineSliceModel(const NineCase& k, const TargetGeometry& t, int32_t x, int32_t y) {
    const PieceGeometry& g = k.piece;
    const Rect &c = g.ClientRect, &ct = t.ClientRect;
    const auto at = [&](int32_t px, int32_t py) { return Name(g.SkinRect.Left + px, g.SkinRect.Top + py); };
    if (y < ct.Top) {
        if (x < t.LT.X) return at(x, y);
        if (x >= t.RT.X) return at(g.RT.X + x - t.RT.X, y);
        return Middle(x - t.LT.X, t.RT.X - t.LT.X, g.RT.X - g.LT.X, k.bands.Top,
                      [&](int32_t m) { return at(g.LT.X + m, y); });
    }
    if (x < ct.Left) {
        if (y < t.LT.Y) return at(x, y);
        if (y >= t.LB.Y) return at(x, g.LB.Y + y - t.LB.Y);
        return Middle(y - t.LT.Y, t.LB.Y - t.LT.Y, g.LB.Y - g.LT.Y, k.bands.Left,
                      [&](int32_t m) { return at(x, g.LT.Y + m); });
    }
    if (y >= ct.Bottom) {
        const int32_t py = c.Bottom + y - ct.Bottom;
        if (x < t.LB.X) return at(x, py);
        if (x >= t.RB.X) return at(g.RB.X + x - t.RB.X, py);
        return Middle(x - t.LB.X, t.RB.X - t.LB.X, g.RB.X - g.LB.X, k.bands.Bottom,
                      [&](int32_t m) { return at(g.LB.X + m, py); });
    }
    if (x >= ct.Right) {
        const int32_t px = c.Right + x - ct.Right;
        if (y < t.RT.Y) return at(px, y);
        if (y >= t.RB.Y) return at(px, g.RB.Y + y - t.RB.Y);
        return Middle(y - t.RT.Y, t.RB.Y - t.RT.Y, g.RB.Y - g.RT.Y, k.bands.Right,
                      [&](int32_t m) { return at(px, g.RT.Y + m); });
    }
    if (!k.drawClient) return kUntouched;
    const int32_t dx = x - ct.Left, dy = y - ct.Top;
    const int32_t pw = RectWidth(c), ph = RectHeight(c), aw = RectWidth(ct), ah = RectHeight(ct);
    if (!k.stretchEffect) return at(c.Left + dx % pw, c.Top + dy % ph);
    switch (k.type) {
    case stFull: return at(c.Left + dx * pw / aw, c.Top + dy * ph / ah);
    case stHorz: return at(c.Left + dx % pw, c.Top + dy * ph / ah);
    case stVert: return at(c.Left + dx * pw / aw, c.Top + dy % ph);
    default: return kUntouched;
    }
}

PieceGeometry WithTopMiddleOfNoLength() {
    PieceGeometry g = kPiece;
    g.RT.X = g.LT.X;
    return g;
}

}  // namespace

TEST(ComposeNineSlice, BandsCornersAndClientFollowTheTables) {
    // 61 x 47: the top and bottom middles span 46 (5 tiles of 9 and 1 column), the left one 32
    // (6 of 5 and 2 rows), the right one 33; the client area is 54 x 40 (3 pieces and 3 columns,
    // 3 pieces and 1 row).
    const BandStretch tiled{}, stretched{true, true, true, true}, topLeft{true, true, false, false},
        bottomRight{false, false, true, true};
    const NineCase cases[] = {
        {"all tiled", kPiece, 61, 47, tiled, false, stFull, true},
        {"all stretched", kPiece, 61, 47, stretched, true, stFull, true},
        {"stHorz", kPiece, 61, 47, topLeft, true, stHorz, true},
        {"stVert", kPiece, 61, 47, bottomRight, true, stVert, true},
        {"client not drawn", kPiece, 61, 47, stretched, true, stFull, false},
        {"unknown stretch type draws no client", kPiece, 61, 47, tiled, true, StretchMode(7), true},
        {"tiled top middle of no length", WithTopMiddleOfNoLength(), 61, 47, tiled, false, stFull, true},
        // Every middle and the client piece fit a whole number of times: the last tiles are empty.
        {"exact multiples", kPiece, 24 + 9 * 17, 20 + 5 * 13, tiled, false, stFull, true},
    };
    for (const NineCase& k : cases) {
        const TargetGeometry t = Fitted(k.piece, k.width, k.height);
        Bitmap target(k.width, k.height, kUntouched);
        ComposeNineSlice(k.piece, t, Picture(), target, k.width, k.height, k.bands, k.stretchEffect, k.type,
                         k.drawClient);
        ASSERT_EQ(target.Width(), k.width);
        ASSERT_EQ(target.Height(), k.height);
        EXPECT_TRUE(test::Matches(target, [&](int32_t x, int32_t y) { return NineSliceModel(k, t, x, y); })) << k.what;
    }
}

TEST(ComposeNineSlice, AtThePieceSizeReproducesThePiece) {
    const TargetGeometry t = Fitted(kPiece, 24, 20);
    for (int flags = 0; flags < 16; ++flags)
        for (const StretchMode type : {stFull, stHorz, stVert})
            for (const bool stretchEffect : {false, true}) {
                Bitmap target;
                ComposeNineSlice(kPiece, t, Picture(), target, 24, 20,
                                 {bool(flags & 1), bool(flags & 2), bool(flags & 4), bool(flags & 8)}, stretchEffect,
                                 type, true);
                EXPECT_TRUE(test::Matches(target, [](int32_t x, int32_t y) { return Name(2 + x, 1 + y); }))
                    << "flags " << flags << " type " << type << " stretch " << stretchEffect;
            }
}

TEST(ComposeNineSlice, DegeneratePiecesGiveASizedTargetWithNothingDrawn) {
    PieceGeometry flatX = kPiece, flatY = kPiece;
    flatX.RB.X = flatX.LT.X;
    flatY.RB.Y = flatY.LT.Y;
    const Bitmap empty;
    const struct {
        const char* what;
        const PieceGeometry& piece;
        const Bitmap& picture;
    } cases[] = {{"RB.X = LT.X", flatX, Picture()}, {"RB.Y = LT.Y", flatY, Picture()}, {"no picture", kPiece, empty}};
    for (const auto& c : cases) {
        Bitmap target(3, 3, kUntouched);
        ComposeNineSlice(c.piece, Fitted(c.piece, 50, 40), c.picture, target, 50, 40, {}, false, stFull, true);
        ASSERT_EQ(target.Width(), 50) << c.what;
        ASSERT_EQ(target.Height(), 40) << c.what;
        // What the target held stays where it was; the new pixels are 0.
        EXPECT_TRUE(test::Matches(target, [](int32_t x, int32_t y) { return x < 3 && y < 3 ? kUntouched : 0; }))
            << c.what;
    }
}

TEST(ComposeStretchedRect, StretchesTheMiddlesAndKeepsTheCorners) {
    // The 10 x 8 rect at (2, 1) with inner rect (3, 2, 7, 6) onto 30 x 16: the corners, 3 wide
    // and 2 high, stay 1:1; the 4-pixel middles stretch over 24 columns and 12 rows.
    const Rect source{2, 1, 12, 9}, inner{3, 2, 7, 6};
    const auto fx = [](int32_t x) { return x < 3 ? x : x >= 27 ? 7 + (x - 27) : 3 + (x - 3) * 4 / 24; };
    const auto fy = [](int32_t y) { return y < 2 ? y : y >= 14 ? 6 + (y - 14) : 2 + (y - 2) * 4 / 12; };
    for (const bool drawClient : {true, false}) {
        Bitmap target(30, 16, kUntouched);
        ComposeStretchedRect(target, Picture(), source, inner, drawClient);
        ASSERT_EQ(target.Width(), 30);
        ASSERT_EQ(target.Height(), 16);
        EXPECT_TRUE(test::Matches(target,
                                  [&](int32_t x, int32_t y) {
                                      const bool client = x >= 3 && x < 27 && y >= 2 && y < 14;
                                      return client && !drawClient ? kUntouched : Name(2 + fx(x), 1 + fy(y));
                                  }))
            << "draw client " << drawClient;
    }
}

namespace {

struct StripCase {
    const char* what;
    BandStretch bands;
};

// A strip middle's pixel: stretched over the middle's target span, or tiled from the strip's
// origin (the end parts go over the tiles afterwards).
int32_t StripMiddle(int32_t d, int32_t spanStart, int32_t spanEnd, int32_t length, bool stretch) {
    return stretch ? (d - spanStart) * length / (spanEnd - spanStart) : d % length;
}

}  // namespace

TEST(ComposeBorderStrips, EachStripFollowsItsTable) {
    const PieceGeometry& g = kPiece;
    const Rect& c = g.ClientRect;
    const int32_t W = 61, H = 47;
    const TargetGeometry t = Fitted(g, W, H);
    const auto at = [&](int32_t px, int32_t py) { return Name(2 + px, 1 + py); };
    for (const StripCase& k : {StripCase{"tiled", {}}, StripCase{"stretched", {true, true, true, true}},
                               StripCase{"mixed", {true, false, false, true}}}) {
        BorderStrips strips;
        ComposeBorderStrips(g, t, Picture(), W, H, k.bands, strips);

        ASSERT_EQ(strips.Top.Width(), W);
        ASSERT_EQ(strips.Top.Height(), 4);
        EXPECT_TRUE(test::Matches(strips.Top,
                                  [&](int32_t x, int32_t y) {
                                      if (x < t.LT.X) return at(x, y);
                                      if (x >= t.RT.X) return at(g.RT.X + x - t.RT.X, y);
                                      return at(g.LT.X + StripMiddle(x, t.LT.X, t.RT.X, 9, k.bands.Top), y);
                                  }))
            << "top, " << k.what;

        ASSERT_EQ(strips.Bottom.Width(), W);
        ASSERT_EQ(strips.Bottom.Height(), 3);
        EXPECT_TRUE(test::Matches(strips.Bottom,
                                  [&](int32_t x, int32_t y) {
                                      const int32_t py = 17 + y;
                                      if (x < t.LB.X) return at(x, py);
                                      if (x >= t.RB.X) return at(g.RB.X + x - t.RB.X, py);
                                      return at(g.LB.X + StripMiddle(x, t.LB.X, t.RB.X, 9, k.bands.Bottom), py);
                                  }))
            << "bottom, " << k.what;

        // The sides are as high as the top and bottom strips leave: 47 - 4 - 3.
        const int32_t h = 40;
        ASSERT_EQ(strips.Left.Width(), 3);
        ASSERT_EQ(strips.Left.Height(), h);
        const int32_t leftHead = g.LT.Y - c.Top, leftTail = c.Bottom - g.LB.Y;
        EXPECT_TRUE(test::Matches(strips.Left,
                                  [&](int32_t x, int32_t y) {
                                      if (y < leftHead) return at(x, c.Top + y);
                                      if (y >= h - leftTail) return at(x, g.LB.Y + y - (h - leftTail));
                                      return at(x, g.LT.Y + StripMiddle(y, leftHead, h - leftTail, 5, k.bands.Left));
                                  }))
            << "left, " << k.what;

        ASSERT_EQ(strips.Right.Width(), 4);
        ASSERT_EQ(strips.Right.Height(), h);
        const int32_t rightHead = g.RT.Y - c.Top, rightTail = c.Bottom - g.RB.Y;
        EXPECT_TRUE(test::Matches(strips.Right,
                                  [&](int32_t x, int32_t y) {
                                      const int32_t px = c.Right + x;
                                      if (y < rightHead) return at(px, c.Top + y);
                                      if (y >= h - rightTail) return at(px, g.RB.Y + y - (h - rightTail));
                                      return at(px,
                                                g.RT.Y + StripMiddle(y, rightHead, h - rightTail, 5, k.bands.Right));
                                  }))
            << "right, " << k.what;
    }
}

TEST(ComposeBorderStrips, AStripWhoseConditionFailsIsLeftAsItWas) {
    // No top band (client top 0) and no bottom middle (RB.X = LB.X).
    PieceGeometry g = kPiece;
    g.ClientRect.Top = 0;
    g.RB.X = g.LB.X;
    const TargetGeometry t = Fitted(g, 61, 47);

    BorderStrips fresh;
    ComposeBorderStrips(g, t, Picture(), 61, 47, {}, fresh);
    EXPECT_TRUE(fresh.Top.Empty());
    EXPECT_TRUE(fresh.Bottom.Empty());
    EXPECT_EQ(fresh.Left.Height(), 47);
    EXPECT_EQ(fresh.Right.Height(), 47);

    // Strips from an earlier paint keep their size and content, and the sides fill what they
    // leave.
    BorderStrips used;
    used.Top.SetSize(5, 2, kUntouched);
    used.Bottom.SetSize(9, 6, kUntouched);
    const BorderStrips before = used;
    ComposeBorderStrips(g, t, Picture(), 61, 47, {}, used);
    EXPECT_EQ(used.Top, before.Top);
    EXPECT_EQ(used.Bottom, before.Bottom);
    EXPECT_EQ(used.Left.Height(), 47 - 2 - 6);
    EXPECT_EQ(used.Right.Height(), 47 - 2 - 6);
}

TEST(ComposeBorderStrips, WithAClipOnlyThePartInsideItIsComposed) {
    const int32_t W = 61, H = 47;
    const TargetGeometry t = Fitted(kPiece, W, H);
    for (const BandStretch bands : {BandStretch{}, BandStretch{true, true, true, true}}) {
        BorderStrips whole;
        ComposeBorderStrips(kPiece, t, Picture(), W, H, bands, whole);
        // Clips over the top strip's right end, over a corner where the bottom and right strips
        // meet, and one inside the client area that meets no strip.
        for (const Rect clip : {Rect{40, 1, 55, 3}, Rect{50, 30, 70, 60}, Rect{20, 10, 30, 20}}) {
            BorderStrips part;
            ComposeBorderStrips(kPiece, t, Picture(), W, H, bands, part, clip);
            const struct {
                const Bitmap &composed, &reference;
                Point at;  // where the strip lies in the whole
            } strips[] = {{part.Top, whole.Top, {0, 0}},
                          {part.Bottom, whole.Bottom, {0, H - whole.Bottom.Height()}},
                          {part.Left, whole.Left, {0, whole.Top.Height()}},
                          {part.Right, whole.Right, {W - whole.Right.Width(), whole.Top.Height()}}};
            for (const auto& s : strips) {
                // Sized as always; inside the clip as composed whole, outside it untouched.
                ASSERT_EQ(s.composed.Width(), s.reference.Width());
                ASSERT_EQ(s.composed.Height(), s.reference.Height());
                EXPECT_TRUE(
                    test::Matches(s.composed,
                                  [&](int32_t x, int32_t y) {
                                      return Contains(clip, {s.at.X + x, s.at.Y + y}) ? s.reference.At(x, y) : Pixel(0);
                                  }))
                    << clip.Left << "," << clip.Top << " at " << s.at.X << "," << s.at.Y;
            }
        }
    }
}
