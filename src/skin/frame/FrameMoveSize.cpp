#include "FrameMoveSize.h"

#include <cstdlib>

namespace tolvar {

namespace {

// How far to move [low, high) along one axis so that one of its ends lies on the area's end of
// the same side, when it is near enough; the low end first.
int64_t SnapShift(int64_t low, int64_t high, int64_t areaLow, int64_t areaHigh, int64_t distance) {
    if (std::llabs(low - areaLow) <= distance) return areaLow - low;
    if (std::llabs(high - areaHigh) <= distance) return areaHigh - high;
    return 0;
}

bool DragsLeft(SizingEdge e) {
    return e == SizingEdge::Left || e == SizingEdge::TopLeft || e == SizingEdge::BottomLeft;
}
bool DragsTop(SizingEdge e) { return e == SizingEdge::Top || e == SizingEdge::TopLeft || e == SizingEdge::TopRight; }

}  // namespace

Rect MagneticSnap(const Rect& proposed, const Rect& workArea, int32_t distance) {
    if (distance <= 0) return proposed;
    const int64_t dx = SnapShift(proposed.Left, proposed.Right, workArea.Left, workArea.Right, distance);
    const int64_t dy = SnapShift(proposed.Top, proposed.Bottom, workArea.Top, workArea.Bottom, distance);
    return {Saturate(proposed.Left + dx), Saturate(proposed.Top + dy), Saturate(proposed.Right + dx),
            Saturate(proposed.Bottom + dy)};
}

Rect SizingRect(const Rect& proposed, SizingEdge edge, int32_t minWidth, int32_t minHeight) {
    Rect r = proposed;
    if (Width64(r) < minWidth) {
        if (DragsLeft(edge)) r.Left = Saturate(int64_t(r.Right) - minWidth);
        else r.Right = Saturate(int64_t(r.Left) + minWidth);
    }
    if (Height64(r) < minHeight) {
        if (DragsTop(edge)) r.Top = Saturate(int64_t(r.Bottom) - minHeight);
        else r.Bottom = Saturate(int64_t(r.Top) + minHeight);
    }
    return r;
}

}  // namespace tolvar
