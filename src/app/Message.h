#pragma once
#include <windows.h>

#include <functional>

#include "base/Geometry.h"

namespace tolvar {

// A window message as the framework's handlers see it; Result is what the window procedure
// returns.
struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

// The message handler of a windowed control. A component may put its own in place and pass on
// what it does not consume to the one it replaced (see TWindowProcHook).
using TWndMethod = std::function<void(TMessage&)>;

using TNotifyEvent = std::function<void(class TComponent* sender)>;

// Message parameter crackers: a handler switch passes the cracked values on in one line.

// A point packed as two signed 16-bit values, x in the low word (mouse and hit-test messages);
// negative on a monitor left of or above the primary one.
inline Point PointOf(LPARAM lParam) { return {int16_t(LOWORD(DWORD(lParam))), int16_t(HIWORD(DWORD(lParam)))}; }
inline LPARAM PackPoint(Point p) { return MAKELPARAM(WORD(int16_t(p.X)), WORD(int16_t(p.Y))); }
// The proposed window rectangle of WM_NCCALCSIZE, which becomes the client rectangle.
inline RECT& NcCalcSizeRect(LPARAM lParam) {
    // Both forms of the message start with that rectangle.
    return *reinterpret_cast<RECT*>(lParam);
}
inline MINMAXINFO& MinMaxInfoOf(LPARAM lParam) { return *reinterpret_cast<MINMAXINFO*>(lParam); }
inline WINDOWPOS& WindowPosOf(LPARAM lParam) { return *reinterpret_cast<WINDOWPOS*>(lParam); }
inline HDC DcOf(WPARAM wParam) { return reinterpret_cast<HDC>(wParam); }

}  // namespace tolvar
