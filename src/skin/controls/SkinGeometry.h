#pragma once
#include <cstdint>

#include "base/Geometry.h"

namespace tolvar {

// One skin piece as a control record (or the frame's form info) describes it. The skin rect is
// in picture coordinates; the points and the client rect are relative to the skin rect's
// top-left corner. The client rect's edges are the inner edges of the four border bands; the
// points cut each band into fixed ends and a middle that is tiled or stretched:
//   LT.X end of the top band's fixed left part      LT.Y end of the left band's fixed upper part
//   RT.X start of the top band's fixed right part   RT.Y end of the right band's fixed upper part
//   LB.X end of the bottom band's fixed left part   LB.Y start of the left band's fixed lower part
//   RB.X start of the bottom band's fixed right part RB.Y start of the right band's fixed lower part
struct PieceGeometry {
    Rect SkinRect;
    Point LT, RT, LB, RB;
    Rect ClientRect;
    friend bool operator==(const PieceGeometry&, const PieceGeometry&) = default;
};

// The points and the client rect moved to a target size, in target coordinates.
struct TargetGeometry {
    Point LT, RT, LB, RB;
    Rect ClientRect;
    friend bool operator==(const TargetGeometry&, const TargetGeometry&) = default;
};

// How a piece may be resized.
enum SizingMode : int32_t {
    smNone = -1,       // no piece at all: nothing is composed
    smFixed = 0,       // keeps the skin rect's size
    smBoth = 1,        // nine-slice, both directions
    smHorizontal = 2,  // horizontal three-slice, width only
    smVertical = 3,    // vertical three-slice, height only
};

// The sizing mode a piece's points give it; a point counts as set when either coordinate is
// not 0, except the right-bottom point, which needs both.
SizingMode GetSizingMode(const PieceGeometry& piece);

// Moves the geometry to a requested size. `width` and `height` come in as the requested size and
// go out as the size the piece imposes; `target` comes in holding the previous target geometry,
// because the modes that resize along one axis leave the other axis's points as they were.
void FitGeometry(SizingMode mode, const PieceGeometry& piece, TargetGeometry& target, int32_t& width, int32_t& height);

}  // namespace tolvar
