#pragma once
#include <windows.h>

#include "base/Bitmap.h"
#include "base/Geometry.h"

namespace tolvar {

// The device context a control paints on, for the length of one paint.
class TCanvas {
public:
    TCanvas() = default;
    explicit TCanvas(HDC dc) : dc_(dc) {}
    HDC Handle() const { return dc_; }
    void SetHandle(HDC dc) { dc_ = dc; }

    // Copies a composed bitmap to the device in one step, its top-left corner at (x, y).
    void Draw(int x, int y, const Bitmap& bitmap) const;
    void FillRect(const Rect& r, Color color) const;

private:
    HDC dc_ = nullptr;
};

}  // namespace tolvar
