#pragma once
#include <cstdint>
#include <vector>

#include "SkinGeometry.h"
#include "base/Bitmap.h"
#include "base/Geometry.h"

namespace tolvar {

// Shapes from mask pictures: black marks the pixels that belong to the shape. The results are
// rectangle lists for the platform to turn into a window region; they may overlap, the region
// is their union.

// The pure black pixels of `mask` (all three channels 0), moved by (dx, dy): every maximal run
// of black in a row is one rectangle one row high, rows from the top, runs from the left.
std::vector<Rect> MaskRegionRects(const Bitmap& mask, int32_t dx, int32_t dy);

// The four strips of a composed mask (see ComposeMaskStrips); a pixel no copy reached is white.
struct MaskStrips {
    Bitmap Top;     // width x ClientRect.Top of the mask, at (0, 0)
    Bitmap Bottom;  // width x (mask height - ClientRect.Bottom), at (0, target client rect's bottom)
    Bitmap Left;    // ClientRect.Left x height of the target client rect, at (0, its top)
    Bitmap Right;   // (mask width - ClientRect.Right) x the same, at (its right, its top)
};

// The mask cut like the picture, at the piece's points and with its client rect as the inner
// edge of the four border strips: fixed ends copied 1:1, middles tiled (never stretched), each
// tiling cut at the end of its span. A strip with no width or height is empty.
// The region of a shape made of an inner rectangle (left out when empty) and the black pixels
// of the four strips around it, in the shape's coordinates.
std::vector<Rect> MaskStripsRegion(const MaskStrips& strips, const Rect& inner);

MaskStrips ComposeMaskStrips(const PieceGeometry& piece, const TargetGeometry& target, const Bitmap& mask,
                             int32_t width);

// The shape of a piece composed to `width` from a mask picture of the piece's size (the height
// is the target geometry's). The
// mask is cut like the picture, at the piece's points and with its client rect as the inner
// edge of the four border strips: fixed ends copied 1:1, middles tiled (never stretched), each
// tiling cut at the end of its span. The shape is the target client rect, whole, and the black
// pixels of the four strips at their places (top at 0, bottom below the target client rect,
// left and right beside it). A strip pixel that no copy reaches is outside the shape.
std::vector<Rect> ComposedMaskRegion(const PieceGeometry& piece, const TargetGeometry& target, const Bitmap& mask,
                                     int32_t width);

}  // namespace tolvar
