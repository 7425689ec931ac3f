#pragma once
#include <windows.h>

#include "app/Handles.h"

namespace tolvar {

// The border pieces' and the glow's windows: popups of their own class, never activated by the
// mouse. `user` goes to the window's user data, where `proc` finds it again.
UniqueWindow CreateLayerWindow(const char* className, UINT classStyle, WNDPROC proc, DWORD exStyle, int x, int y,
                               int width, int height, void* user);

}  // namespace tolvar
