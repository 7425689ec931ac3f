#pragma once
#include <cstdint>

#include "base/Geometry.h"

namespace tolvar {

// The window dragged or sized by the user: the magnetic snap to the work area's edges while it
// moves, and the minimum size kept while it is sized.

// The rectangle a move proposes, snapped: a left or top edge that comes within `distance`
// pixels of the work area's left or top edge lies on it, and likewise a right or bottom edge
// with the area's right or bottom edge (the left and top edges win when both are near). The
// size never changes. Since the move proposes each position afresh from the cursor, a snapped
// window stays on the edge until the cursor has moved `distance` pixels past it. No snap for a
// distance of 0 or less.
Rect MagneticSnap(const Rect& proposed, const Rect& workArea, int32_t distance);

// Where a move that began with the window at `start` and the cursor at `startCursor` puts the
// window now that the cursor is at `cursor`.
constexpr Rect MagneticMove(const Rect& start, Point startCursor, Point cursor) {
    return {Saturate(int64_t(start.Left) + cursor.X - startCursor.X),
            Saturate(int64_t(start.Top) + cursor.Y - startCursor.Y),
            Saturate(int64_t(start.Right) + cursor.X - startCursor.X),
            Saturate(int64_t(start.Bottom) + cursor.Y - startCursor.Y)};
}

// The edge a size loop drags, numbered as the platform numbers it.
enum class SizingEdge : int32_t {
    Left = 1,
    Right = 2,
    Top = 3,
    TopLeft = 4,
    TopRight = 5,
    Bottom = 6,
    BottomLeft = 7,
    BottomRight = 8
};

// The rectangle a size loop proposes, kept at least minWidth x minHeight: the dragged edges stop
// where the minimum is reached, the others stay where they are.
Rect SizingRect(const Rect& proposed, SizingEdge edge, int32_t minWidth, int32_t minHeight);

}  // namespace tolvar
