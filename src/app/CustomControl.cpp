#include "CustomControl.h"

#include "Handles.h"
#include "base/ScopeExit.h"

namespace tolvar {

void TCustomControl::PaintTo(HDC dc) {
    canvas_.SetHandle(dc);
    const ScopeExit reset([this] { canvas_.SetHandle(nullptr); });
    Paint();
}

void TCustomControl::WMPaint(TMessage& m) {
    if (m.WParam) {
        // Painting into a device context that the sender gives.
        PaintTo(reinterpret_cast<HDC>(m.WParam));
        return;
    }
    const UniquePaintDc paint = BeginPaintOf(Handle());
    PaintTo(paint.Get().Dc);
}

void TCustomControl::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_PAINT: WMPaint(m); return;
    case WM_PRINTCLIENT:
        // PrintWindow and the tools built on it ask for the client this way; the control
        // composes off screen, so the system's default would leave it blank.
        if (m.LParam & PRF_ERASEBKGND) Perform(WM_ERASEBKGND, m.WParam);
        PaintTo(reinterpret_cast<HDC>(m.WParam));
        return;
    case WM_ERASEBKGND:
        m.Result = 1;  // the paint covers the whole area
        return;
    default: TWinControl::WndProc(m);
    }
}

}  // namespace tolvar
