#pragma once
// What a window draws, read back from a device-independent section it drew into.
#include <windows.h>

#include <cstring>
#include <functional>

#include "app/DibSection.h"
#include "app/Handles.h"
#include "base/Bitmap.h"

namespace tolvar::test {

// The pixels `draw` leaves in a w x h section that starts out magenta (0x00FF00FF), so that what
// was not drawn shows.
inline Bitmap CaptureDrawing(int32_t w, int32_t h, const std::function<void(HDC)>& draw) {
    Bitmap image(w, h, 0x00FF00FFu);
    const TDibSection section(w, h);
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    if (!section || !dc) return {};
    SelectGuard selected(dc.Get(), section.Handle());
    section.Load(image);
    draw(dc.Get());
    section.StoreColours(image);
    return image;
}

}  // namespace tolvar::test
