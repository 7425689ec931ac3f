#include <gtest/gtest.h>

#include <vector>

#include "NamedPictures.h"
#include "skin/controls/SkinComposition.h"

using namespace tolvar;
using test::kUntouched;
using test::Name;

namespace {

// The embedded skin's [gauge] and [vgauge] pieces lie in one picture of at least this size.
const Bitmap& GaugePicture() {
    static const Bitmap picture = test::Picture(130, 80);
    return picture;
}

const Rect kGauge{58, 1, 111, 17};     // caps 3 (left-top X) and 53 - 49 = 4 (right-top X 49)
const Rect kVGauge{113, 19, 129, 72};  // caps 4 (left-top Y) and 53 - 48 = 5 (left-bottom Y 48)

struct Slice {
    const char* what;
    int32_t lead, trail;  // cap lengths
    int32_t length;       // target length along the axis
    bool stretch;
    bool prefill;  // the target already has the composed size and holds kUntouched
};

// Where target offset d along the axis comes from, as an offset into the source rect of length
// n, or -1 for "left as it was": the trailing cap is drawn after the leading one, the middle
// only between them, stretched by the nearest-neighbour rule or tiled by the tiling rule.
int32_t SourceOffset(const Slice& s, int32_t n, int32_t d) {
    if (s.trail != 0 && d >= s.length - s.trail) return n - s.trail + (d - (s.length - s.trail));
    if (d < s.lead) return d;
    const int32_t middle = n - s.lead - s.trail, span = s.length - s.lead - s.trail;
    if (middle <= 0) return -1;
    return s.lead + (s.stretch ? (d - s.lead) * middle / span : (d - s.lead) % middle);
}

}  // namespace

TEST(ComposeThreeSliceH, TheGaugePieceAt321) {
    for (const bool stretch : {true, false}) {
        Bitmap target;
        ComposeThreeSliceH(3, 4, target, stretch, 321, kGauge, GaugePicture());
        ASSERT_EQ(target.Width(), 321);
        ASSERT_EQ(target.Height(), 16);
        EXPECT_TRUE(test::Matches(target,
                                  [&](int32_t x, int32_t y) {
                                      if (x < 3) return Name(58 + x, 1 + y);
                                      if (x >= 317) return Name(107 + (x - 317), 1 + y);
                                      return Name(61 + (stretch ? (x - 3) * 46 / 314 : (x - 3) % 46), 1 + y);
                                  }))
            << "stretch " << stretch;
        if (stretch) continue;
        std::vector<int32_t> starts;
        for (int32_t x = 3; x < 317; ++x)
            if (target.At(x, 0) == Name(61, 1)) starts.push_back(x);
        EXPECT_EQ(starts, (std::vector<int32_t>{3, 49, 95, 141, 187, 233, 279}));
        EXPECT_EQ(target.At(316, 5), Name(61 + 37, 6));  // the last tile is 38 wide
    }
}

TEST(ComposeThreeSlice, CapsMiddlesAndTheOpenCases) {
    const Slice cases[] = {
        {"stretched", 3, 4, 200, true, false},
        {"tiled", 3, 4, 200, false, false},
        {"exact fit ends with an empty tile", 3, 4, 3 + 4 + 2 * 46, false, false},
        {"shrunk", 3, 4, 30, true, false},
        {"caps meet, tiled: the span stays", 3, 50, 100, false, true},
        {"caps meet, stretched: the span stays", 3, 50, 100, true, true},
        {"caps only, no middle", 3, 4, 7, false, true},
        {"narrower than the caps", 3, 4, 5, false, true},
        {"narrower than the caps, stretched", 3, 4, 5, true, true},
        {"narrower than one cap", 3, 4, 2, false, true},
        {"no target", 3, 4, 0, false, false},
        {"no caps", 0, 0, 80, false, false},
    };
    const Bitmap& picture = GaugePicture();
    for (const Slice& s : cases) {
        Bitmap h, v;
        if (s.prefill) h.SetSize(s.length, 16, kUntouched);
        ComposeThreeSliceH(s.lead, s.trail, h, s.stretch, s.length, kGauge, picture);
        ASSERT_EQ(h.Width(), s.length) << s.what;
        ASSERT_EQ(h.Height(), 16) << s.what;
        EXPECT_TRUE(test::Matches(h,
                                  [&](int32_t x, int32_t y) {
                                      const int32_t d = SourceOffset(s, 53, x);
                                      return d < 0 ? kUntouched : Name(58 + d, 1 + y);
                                  }))
            << "horizontal: " << s.what;

        // The same case turned by a quarter, on the [vgauge] piece (53 high as well).
        if (s.prefill) v.SetSize(16, s.length, kUntouched);
        ComposeThreeSliceV(s.lead, s.trail, v, s.stretch, s.length, kVGauge, picture);
        ASSERT_EQ(v.Width(), 16) << s.what;
        ASSERT_EQ(v.Height(), s.length) << s.what;
        EXPECT_TRUE(test::Matches(v,
                                  [&](int32_t x, int32_t y) {
                                      const int32_t d = SourceOffset(s, 53, y);
                                      return d < 0 ? kUntouched : Name(113 + x, 19 + d);
                                  }))
            << "vertical: " << s.what;
    }
}

TEST(ComposeThreeSliceV, TheVGaugePiece) {
    for (const bool stretch : {true, false}) {
        Bitmap target;
        ComposeThreeSliceV(4, 5, target, stretch, 100, kVGauge, GaugePicture());
        ASSERT_EQ(target.Width(), 16);
        ASSERT_EQ(target.Height(), 100);
        EXPECT_TRUE(test::Matches(target,
                                  [&](int32_t x, int32_t y) {
                                      if (y < 4) return Name(113 + x, 19 + y);
                                      if (y >= 95) return Name(113 + x, 67 + (y - 95));
                                      return Name(113 + x, 23 + (stretch ? (y - 4) * 44 / 91 : (y - 4) % 44));
                                  }))
            << "stretch " << stretch;
    }
}

TEST(TileBitmapRect, TilesFromTheLeadingEdgeAndCutsAtTheTrailingOne) {
    // A 5 x 3 part at (10, 20) over a 12 x 4 area at (1, 2): tiles at 1, 6, 11, the last one
    // column wide, each scaled from 3 rows to the area's 4. Down: tiles at 1, 4 of 3 rows, the
    // second cut to 2, each 5 wide as the part is.
    const Rect part{10, 20, 15, 23};
    Bitmap across(14, 7, kUntouched), down(8, 7, kUntouched);
    TileBitmapRectX(across, {1, 2, 13, 6}, GaugePicture(), part);
    TileBitmapRectY(down, {2, 1, 7, 6}, GaugePicture(), part, Rect{0, 0, 8, 5});
    EXPECT_TRUE(test::Matches(across, [](int32_t x, int32_t y) {
        return x >= 1 && x < 13 && y >= 2 && y < 6 ? Name(10 + (x - 1) % 5, 20 + (y - 2) * 3 / 4) : kUntouched;
    }));
    EXPECT_TRUE(test::Matches(down, [](int32_t x, int32_t y) {
        return x >= 2 && x < 7 && y >= 1 && y < 5 ? Name(10 + x - 2, 20 + (y - 1) % 3) : kUntouched;
    }));
}
