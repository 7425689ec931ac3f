#pragma once
#include "base/Bitmap.h"
#include "base/Geometry.h"

namespace tolvar {

// Fills the part of `r` that lies inside the bitmap with one colour.
void FillBitmapRect(Bitmap& target, const Rect& r, Pixel colour);

// A one-pixel frame along the inner edges of `r`, as a brush frames a rectangle.
void FrameBitmapRect(Bitmap& target, const Rect& r, Pixel colour);

}  // namespace tolvar
