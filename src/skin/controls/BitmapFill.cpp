#include "BitmapFill.h"

#include <algorithm>

namespace tolvar {

void FillBitmapRect(Bitmap& target, const Rect& r, Pixel colour) {
    const int32_t x0 = std::max(r.Left, 0), x1 = std::min(r.Right, target.Width());
    const int32_t y0 = std::max(r.Top, 0), y1 = std::min(r.Bottom, target.Height());
    if (x0 >= x1) return;
    for (int32_t y = y0; y < y1; ++y) std::fill(target.Row(y) + x0, target.Row(y) + x1, colour);
}

void FrameBitmapRect(Bitmap& target, const Rect& r, Pixel colour) {
    if (IsEmptyRect(r)) return;
    FillBitmapRect(target, {r.Left, r.Top, r.Right, r.Top + 1}, colour);
    FillBitmapRect(target, {r.Left, r.Bottom - 1, r.Right, r.Bottom}, colour);
    FillBitmapRect(target, {r.Left, r.Top, r.Left + 1, r.Bottom}, colour);
    FillBitmapRect(target, {r.Right - 1, r.Top, r.Right, r.Bottom}, colour);
}

}  // namespace tolvar
