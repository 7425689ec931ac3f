#pragma once
#include <windows.h>

#include <memory>
#include <type_traits>

namespace tolvar {

// A window this module made, destroyed with its owner object.
struct WindowDeleter {
    void operator()(HWND h) const noexcept {
        if (h) DestroyWindow(h);
    }
};
using UniqueWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDeleter>;

// The border pieces' and the glow's windows: popups of their own class, never activated by the
// mouse. `user` goes to the window's user data, where `proc` finds it again.
UniqueWindow CreateLayerWindow(const char* className, UINT classStyle, WNDPROC proc, DWORD exStyle, int x, int y,
                               int width, int height, void* user);

}  // namespace tolvar
