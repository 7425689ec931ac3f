#include <gtest/gtest.h>

#include <climits>

#include "NamedPictures.h"
#include "skin/controls/SkinComposition.h"

using namespace tolvar;

// Skin values come from a description file and target points from callers; none of them may
// make a composition read or write outside its bitmaps (the sanitizers watch every access here)
// or fail, whatever they hold: points beyond the piece, in the wrong order or at the ends of the
// integer range, pieces reaching out of the picture, client pieces of no size.
TEST(Composition, HostileGeometryNeverFailsAndKeepsTheRequestedSize) {
    const Bitmap picture = test::Picture(30, 20);
    const int32_t big = INT_MAX, small = INT_MIN;
    const PieceGeometry pieces[] = {
        {{2, 1, 26, 21}, {6, 7}, {6, 8}, {7, 12}, {16, 13}, {3, 4, 20, 17}},         // top middle of no length
        {{2, 1, 26, 21}, {6, 7}, {15, 8}, {7, 12}, {16, 13}, {9, 9, 9, 9}},          // client of no size
        {{2, 1, 26, 21}, {20, 18}, {3, 2}, {22, 1}, {1, 19}, {15, 14, 2, 3}},        // everything backwards
        {{-10, -5, 40, 35}, {6, 7}, {45, 8}, {-7, 12}, {60, 50}, {-3, -4, 55, 47}},  // out of the picture
        {{big - 20, small, big, small + 16},
         {big, small},
         {small, big},
         {big, big},
         {small, small},
         {small, small, big, big}},
        {{0, 0, 30, 20}, {1, 1}, {2, 2}, {1, 3}, {2, 4}, {0, 0, 1, 1}},
    };
    const TargetGeometry extremes{{big, small}, {small, big}, {big, big}, {small, small}, {small, small, big, big}};
    const BandStretch flagSets[] = {{}, {true, true, true, true}};
    for (const PieceGeometry& g : pieces)
        for (const int32_t w : {0, 1, 5, 37})
            for (const int32_t h : {0, 3, 29}) {
                TargetGeometry fitted;
                int32_t fw = w, fh = h;
                FitGeometry(smBoth, g, fitted, fw, fh);
                for (const TargetGeometry& t : {fitted, extremes})
                    for (const BandStretch& bands : flagSets)
                        for (const StretchMode type : {stFull, stHorz, stVert})
                            for (const bool stretchEffect : {false, true}) {
                                Bitmap target;
                                ComposeNineSlice(g, t, picture, target, w, h, bands, stretchEffect, type, true);
                                EXPECT_EQ(target.Width(), w);
                                EXPECT_EQ(target.Height(), h);
                                BorderStrips strips;
                                ComposeBorderStrips(g, t, picture, w, h, bands, strips);
                                FillClientPiece(target, picture, g.ClientRect, t.ClientRect, stretchEffect, type,
                                                Rect{1, 1, 4, 2});
                            }
                Bitmap stretched(w, h);
                ComposeStretchedRect(stretched, picture, g.SkinRect, g.ClientRect, true);
                EXPECT_EQ(stretched.Width(), w);
            }

    // Three-slices with caps far beyond their piece, or beyond the integer range's ends.
    for (const Rect& r : {Rect{58, 1, 111, 17}, Rect{big - 16, small, big, small + 16}, Rect{5, 5, 2, 9}})
        for (const int32_t cap : {0, 3, 60, -4, big, small})
            for (const int32_t length : {0, 2, 321})
                for (const bool stretch : {false, true}) {
                    Bitmap hTarget, vTarget;
                    ComposeThreeSliceH(cap, 4, hTarget, stretch, length, r, picture);
                    ComposeThreeSliceH(3, cap, hTarget, stretch, length, r, picture);
                    EXPECT_EQ(hTarget.Width(), length);
                    ComposeThreeSliceV(cap, 5, vTarget, stretch, length, r, picture);
                    ComposeThreeSliceV(4, cap, vTarget, stretch, length, r, picture);
                    EXPECT_EQ(vTarget.Height(), length);
                }
}

// A target sized from an absurd skin rectangle stays within the composition's bounds: no
// gigabyte allocation, no failure, and what fits is drawn.
TEST(Composition, AbsurdRectanglesMakeBoundedTargets) {
    const Bitmap picture = test::Picture(30, 20);
    const int32_t big = INT_MAX;
    const auto bounded = [](const Bitmap& b) {
        EXPECT_LE(b.Width(), kMaxComposedSide);
        EXPECT_LE(b.Height(), kMaxComposedSide);
        EXPECT_LE(int64_t(b.Width()) * b.Height(), kMaxComposedPixels);
    };
    Bitmap h, v, nine, stretched;
    ComposeThreeSliceH(2, 2, h, false, 300, Rect{0, 0, 30, big}, picture);
    bounded(h);
    EXPECT_EQ(h.Width(), 300);
    EXPECT_EQ(h.At(0, 0), picture.At(0, 0)) << "what fits is drawn";
    ComposeThreeSliceV(2, 2, v, true, 300, Rect{-big, 0, big, 20}, picture);
    bounded(v);
    EXPECT_EQ(v.Height(), 300);

    const PieceGeometry absurd{{0, 0, big, big},        {2, 2}, {big - 2, 2}, {2, big - 2}, {big - 2, big - 2},
                               {4, 4, big - 4, big - 4}};
    TargetGeometry fitted;
    int32_t w = 400, hgt = big;
    FitGeometry(smBoth, absurd, fitted, w, hgt);
    ComposeNineSlice(absurd, fitted, picture, nine, 400, big, {}, false, stFull, true);
    bounded(nine);
    BorderStrips strips;
    ComposeBorderStrips(absurd, fitted, picture, 400, big, {}, strips);
    for (const Bitmap* s : {&strips.Top, &strips.Bottom, &strips.Left, &strips.Right}) bounded(*s);
    ResizeKeepingContent(stretched, big, 2);
    EXPECT_EQ(stretched.Width(), kMaxComposedSide);
    EXPECT_EQ(stretched.Height(), 2);
}
