#pragma once
#include <windows.h>

namespace tolvar {

// The platform services the layered border and the glow depend on, decided once from the
// running system; tests put their own in.
struct PlatformServices {
    bool PerWindowAlpha = false;     // per-pixel-alpha top-level windows (UpdateLayeredWindow)
    bool CompositionEra = false;     // desktop composition exists (dwmapi)
    bool SeventhGeneration = false;  // version 6.1 or later
};
PlatformServices DetectPlatformServices();

// Desktop composition, looked up at run time: nothing happens where dwmapi is missing.
bool CompositionEnabled();
void SetWindowTransitions(HWND window, bool enabled);

}  // namespace tolvar
