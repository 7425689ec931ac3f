#include "Canvas.h"

#include "DibSection.h"
#include "Handles.h"

namespace tolvar {

void TCanvas::Draw(int x, int y, const Bitmap& bitmap) const {
    if (!dc_ || bitmap.Empty()) return;
    const BITMAPINFO bi = DibHeaderFor(bitmap);
    SetDIBitsToDevice(dc_, x, y, DWORD(bitmap.Width()), DWORD(bitmap.Height()), 0, 0, 0, UINT(bitmap.Height()),
                      bitmap.Data(), &bi, DIB_RGB_COLORS);
}

void TCanvas::FillRect(const Rect& r, Color color) const {
    if (!dc_) return;
    const Color c = ResolveColor(color);
    UniqueGdiObject brush(CreateSolidBrush(COLORREF(c)));
    RECT rc{r.Left, r.Top, r.Right, r.Bottom};
    ::FillRect(dc_, &rc, static_cast<HBRUSH>(brush.Get()));
}

}  // namespace tolvar
