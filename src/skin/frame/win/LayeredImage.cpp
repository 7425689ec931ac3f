#include "LayeredImage.h"

#include <cstring>

#include "app/DibSection.h"
#include "app/Handles.h"

namespace tolvar {

namespace {

LayeredImageObserver& Observer() {
    static LayeredImageObserver observer;
    return observer;
}

WindowOpacityObserver& OpacityObserver() {
    static WindowOpacityObserver observer;
    return observer;
}

}  // namespace

void SetLayeredImageObserver(LayeredImageObserver observer) { Observer() = std::move(observer); }

void SetWindowOpacityObserver(WindowOpacityObserver observer) { OpacityObserver() = std::move(observer); }

void SetWindowOpacity(HWND window, std::optional<uint8_t> opacity) {
    if (!window) return;
    if (OpacityObserver()) OpacityObserver()(window, opacity);
    const LONG ex = GetWindowLongA(window, GWL_EXSTYLE);
    if (!opacity) {
        if (ex & WS_EX_LAYERED) SetWindowLongA(window, GWL_EXSTYLE, ex & ~LONG(WS_EX_LAYERED));
        return;
    }
    if (!(ex & WS_EX_LAYERED)) SetWindowLongA(window, GWL_EXSTYLE, ex | WS_EX_LAYERED);
    SetLayeredWindowAttributes(window, 0, *opacity, LWA_ALPHA);
}

bool ApplyLayeredImage(HWND window, const Bitmap& image, uint8_t opacity) {
    if (!window || image.Empty()) return false;
    if (Observer()) Observer()(window, image, opacity);
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    const TDibSection section(image.Width(), image.Height(), dc.Get());
    if (!dc || !section) return false;
    uint32_t* out = section.Bits();
    const bool alpha = image.HasAlpha();
    for (int32_t y = 0; y < image.Height(); ++y)
        for (int32_t x = 0; x < image.Width(); ++x)
            *out++ = (image.At(x, y) & 0x00FFFFFFu) | (uint32_t(alpha ? image.AlphaAt(x, y) : 255) << 24);
    GdiFlush();
    const SelectGuard selected(dc.Get(), section.Handle());
    RECT r{};
    GetWindowRect(window, &r);
    POINT at{r.left, r.top}, from{0, 0};
    SIZE size{image.Width(), image.Height()};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, opacity, AC_SRC_ALPHA};
    return UpdateLayeredWindow(window, nullptr, &at, &size, dc.Get(), &from, 0, &blend, ULW_ALPHA) != FALSE;
}

}  // namespace tolvar
