#pragma once
#include <cstdint>

#include "BitmapDrawing.h"
#include "skin/data/SkinTypes.h"
#include "SkinGeometry.h"
#include "base/Bitmap.h"
#include "base/Geometry.h"

namespace tolvar {

// Composing a skin piece at another size: the fixed parts are copied unchanged and the parts
// between them tiled or stretched. Every operation writes into a bitmap the caller owns, keeps
// no state and draws only inside its target.
//
// Tiling along an axis over a span s..e with a part of length L lays tiles k = 0 .. (e - s) div L
// at s + k*L, each cut at its trailing end where it would pass e, so that the tiles start at s
// and end exactly at e (the last one is empty when e - s is a multiple of L). A span whose end
// lies before its start draws nothing.
//
// The "sizing" of a target keeps what it held where the old and new sizes overlap (see
// ResizeKeepingContent) and the target is never cleared: what no step covers keeps its content.
//
// Where the geometry leaves things open these operations choose:
//  - a part of zero (or negative) length along its tiling axis draws nothing, in every
//    operation, since there is nothing to repeat;
//  - a target shorter than its two caps gets both caps, the leading one first, and nothing
//    between them;
//  - when a caller's target geometry makes a copy's source and target sizes differ, the copy
//    scales by nearest neighbour (the rule in BitmapDrawing.h), as the platform's rectangle
//    copy does; along a tiling axis the tiles are always 1:1.

// Per band: stretch its middle (true) or tile it (false).
struct BandStretch {
    bool Left = false;
    bool Top = false;
    bool Right = false;
    bool Bottom = false;
};

// The four border strips of ComposeBorderStrips, which the caller places itself: Top at (0, 0),
// Left at (0, Top height), Right at (width - Right width, Top height), Bottom at
// (0, height - Bottom height).
struct BorderStrips {
    Bitmap Top;
    Bitmap Bottom;
    Bitmap Left;
    Bitmap Right;
};

// Sizes `target` to width x RectHeight(sourceRect): the left cap (leftCap columns of the source
// rect's left end), the right cap (rightCap columns of its right end), the middle between them
// stretched or tiled.
void ComposeThreeSliceH(int32_t leftCap, int32_t rightCap, Bitmap& target, bool stretch, int32_t width,
                        const Rect& sourceRect, const Bitmap& picture);

// The same turned by a quarter: sizes `target` to RectWidth(sourceRect) x height.
void ComposeThreeSliceV(int32_t topCap, int32_t bottomCap, Bitmap& target, bool stretch, int32_t height,
                        const Rect& sourceRect, const Bitmap& picture);

// Sizes `target` to width x height and composes the piece into it: band middles (stretched or
// tiled by `bands`), the eight fixed ends, and, with `drawClient`, the client area (see
// FillClientPiece). Draws nothing when RB.X = LT.X, RB.Y = LT.Y or the picture is empty.
void ComposeNineSlice(const PieceGeometry& piece, const TargetGeometry& fitted, const Bitmap& picture, Bitmap& target,
                      int32_t width, int32_t height, BandStretch bands, bool stretchEffect, StretchMode stretchType,
                      bool drawClient);

// Composes the top, bottom, left and right border strips, in that order, each as its own bitmap;
// a strip whose condition fails (no width, no height or no middle) is left exactly as it was,
// and the left and right strips' height is what the top and bottom strips then have.
// With `clip` (in the coordinates of the width x height area the strips are placed on), every
// strip is sized as always but drawn only where it meets the clip: what lies outside keeps what
// the sizing left there, so that repainting a small part composes only that part.
void ComposeBorderStrips(const PieceGeometry& piece, const TargetGeometry& fitted, const Bitmap& picture, int32_t width,
                         int32_t height, BandStretch bands, BorderStrips& strips, const ClipRect& clip = std::nullopt);

// Stretches `sourceRect` of the picture over the whole of the already sized `target`, keeping
// the corners outside `innerRect` (relative to the source rect) unscaled; the client part only
// with `drawClient`.
void ComposeStretchedRect(Bitmap& target, const Bitmap& picture, const Rect& sourceRect, const Rect& innerRect,
                          bool drawClient);

// Tiles `part` of the picture over `area` of the target by the tiling rule, along x (tiles from
// area.Left, the last one cut at area.Right) or along y (from area.Top, cut at area.Bottom); each
// tile spans the area across the other axis. A part of no length along the axis draws nothing.
void TileBitmapRectX(Bitmap& target, const Rect& area, const Bitmap& picture, const Rect& part,
                     const ClipRect& clip = std::nullopt);
void TileBitmapRectY(Bitmap& target, const Rect& area, const Bitmap& picture, const Rect& part,
                     const ClipRect& clip = std::nullopt);

// Fills `area` of the target from the client piece `piece` of the picture: without
// `stretchEffect` tiled in both directions from the area's top-left corner, cut at its right
// and bottom; with it, when the area is not empty, by `stretchType` (stFull scaled to the area,
// stHorz scaled to its height and repeated across, stVert scaled to its width and repeated down,
// the repeats clipped to the area; any other value draws nothing). `clip` narrows the drawing
// further, as the caller's surface clipping would.
void FillClientPiece(Bitmap& target, const Bitmap& picture, const Rect& piece, const Rect& area, bool stretchEffect,
                     StretchMode stretchType, const ClipRect& clip = std::nullopt);

}  // namespace tolvar
