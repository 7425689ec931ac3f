#pragma once
// What a window draws, read back from a device-independent section it drew into.
#include <windows.h>

#include <cstring>
#include <functional>

#include "app/Canvas.h"
#include "app/Handles.h"
#include "base/Bitmap.h"

namespace tolvar::test {

// The pixels `draw` leaves in a w x h section that starts out magenta (0x00FF00FF), so that what
// was not drawn shows.
inline Bitmap CaptureDrawing(int32_t w, int32_t h, const std::function<void(HDC)>& draw) {
    Bitmap image(w, h, 0x00FF00FFu);
    const BITMAPINFO bi = DibHeaderFor(image);
    void* bits = nullptr;
    UniqueBitmapHandle section(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    if (!section || !dc) return {};
    SelectGuard selected(dc.Get(), section.Get());
    std::memcpy(bits, image.Data(), size_t(w) * size_t(h) * sizeof(Pixel));
    draw(dc.Get());
    GdiFlush();
    const Pixel* from = static_cast<const Pixel*>(bits);
    for (size_t i = 0; i < size_t(w) * size_t(h); ++i) image.Data()[i] = from[i] & 0x00FFFFFFu;
    return image;
}

}  // namespace tolvar::test
