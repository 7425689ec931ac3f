#include "CustomControl.h"

namespace tolvar {

void TCustomControl::WMPaint(TMessage& m) {
    if (m.WParam) {
        // Painting into a device context that the sender gives (WM_PRINTCLIENT-style use).
        canvas_.SetHandle(reinterpret_cast<HDC>(m.WParam));
        Paint();
        canvas_.SetHandle(nullptr);
        return;
    }
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Handle(), &ps);
    canvas_.SetHandle(dc);
    try {
        Paint();
    } catch (...) {
        canvas_.SetHandle(nullptr);
        EndPaint(Handle(), &ps);
        throw;
    }
    canvas_.SetHandle(nullptr);
    EndPaint(Handle(), &ps);
}

void TCustomControl::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_PAINT:
        WMPaint(m);
        return;
    case WM_ERASEBKGND:
        m.Result = 1;  // the paint covers the whole area
        return;
    default:
        TWinControl::WndProc(m);
    }
}

}  // namespace tolvar
