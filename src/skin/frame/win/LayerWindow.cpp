#include "LayerWindow.h"

#include <algorithm>

namespace tolvar {

UniqueWindow CreateLayerWindow(const char* className, UINT classStyle, WNDPROC proc, DWORD exStyle, int x, int y,
                               int width, int height, void* user) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA existing{};
    if (!GetClassInfoA(instance, className, &existing)) {
        WNDCLASSA wc{};
        wc.style = classStyle;
        wc.lpfnWndProc = proc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        wc.lpszClassName = className;
        RegisterClassA(&wc);
    }
    const HWND h = CreateWindowExA(exStyle, className, "", WS_POPUP, x, y, std::max(width, 1), std::max(height, 1),
                                   nullptr, nullptr, instance, nullptr);
    if (h) SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(user));
    return UniqueWindow(h);
}

}  // namespace tolvar
