#pragma once
#include "base/Geometry.h"

namespace tolvar {

// The rectangle tests the skinned controls and the frame share. RectWidth and RectHeight live
// with Rect itself. These compare edges directly instead of subtracting them, so that no
// rectangle, however extreme its coordinates, overflows.

constexpr bool IsEmptyRect(const Rect& r) { return r.Right <= r.Left || r.Bottom <= r.Top; }

// Inclusive of the right and bottom edges: a control's hot spot includes its last row and column.
constexpr bool PointInRect(const Rect& r, const Point& p) {
    return p.X >= r.Left && p.X <= r.Right && p.Y >= r.Top && p.Y <= r.Bottom;
}

// Both corners of `a` tested against `b` the way the platform tests a point in a rectangle,
// which leaves the right and bottom edges outside; so no rectangle lies in itself.
constexpr bool RectInRect(const Rect& a, const Rect& b) {
    const auto inside = [&b](int32_t x, int32_t y) {
        return x >= b.Left && x < b.Right && y >= b.Top && y < b.Bottom;
    };
    return inside(a.Left, a.Top) && inside(a.Right, a.Bottom);
}

constexpr bool SameRect(const Rect& a, const Rect& b) {
    return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
}

}  // namespace tolvar
