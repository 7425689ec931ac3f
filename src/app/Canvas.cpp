#include "Canvas.h"

#include "Handles.h"

namespace tolvar {

BITMAPINFO DibHeaderFor(const Bitmap& bitmap) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = bitmap.Width();
    bi.bmiHeader.biHeight = -bitmap.Height();  // rows top-down, as the Bitmap holds them
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    return bi;
}

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

Color PlatformSystemColor(uint8_t index) { return Color(GetSysColor(index)); }

}  // namespace tolvar
