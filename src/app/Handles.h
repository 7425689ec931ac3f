#pragma once
#include <windows.h>

#include "base/UniqueHandle.h"

namespace tolvar {

// The Win32 kinds of handle, each an alias of the one owner template (base/UniqueHandle.h).

struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) noexcept { CloseHandle(h); }
};
struct KernelHandleTraits {  // process, thread, event: null when absent
    using Handle = HANDLE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) noexcept { CloseHandle(h); }
};
struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) noexcept { FindClose(h); }
};
// Every GDI object (brush, pen, font, bitmap, region) goes with DeleteObject.
template <class H>
struct GdiObjectTraits {
    using Handle = H;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) noexcept { DeleteObject(h); }
};
struct MemoryDcTraits {
    using Handle = HDC;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) noexcept { DeleteDC(h); }
};
struct ModuleTraits {
    using Handle = HMODULE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) noexcept { FreeLibrary(h); }
};
struct IconTraits {
    using Handle = HICON;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) noexcept { DestroyIcon(h); }
};
struct MenuTraits {
    using Handle = HMENU;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) noexcept { DestroyMenu(h); }
};

// A device context borrowed from a window (GetDC, GetWindowDC): it goes back to that window.
struct WindowDc {
    HWND Wnd = nullptr;
    HDC Dc = nullptr;
    friend bool operator==(const WindowDc& a, const WindowDc& b) { return a.Dc == b.Dc; }
};
// A window made by its owner object, destroyed with it.
struct WindowTraits {
    using Handle = HWND;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) noexcept { DestroyWindow(h); }
};
struct WindowDcTraits {
    using Handle = WindowDc;
    static Handle Invalid() { return {}; }
    static void Close(const Handle& h) noexcept { ReleaseDC(h.Wnd, h.Dc); }
};
// The device context of one paint message: BeginPaint's, ended with EndPaint.
struct PaintDc {
    HWND Wnd = nullptr;
    HDC Dc = nullptr;
    PAINTSTRUCT Paint{};
    friend bool operator==(const PaintDc& a, const PaintDc& b) { return a.Dc == b.Dc; }
};
struct PaintDcTraits {
    using Handle = PaintDc;
    static Handle Invalid() { return {}; }
    static void Close(const Handle& h) noexcept { EndPaint(h.Wnd, &h.Paint); }
};

using UniqueFile = UniqueHandle<FileHandleTraits>;
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueFind = UniqueHandle<FindHandleTraits>;
using UniqueGdiObject = UniqueHandle<GdiObjectTraits<HGDIOBJ>>;
using UniqueRegion = UniqueHandle<GdiObjectTraits<HRGN>>;
using UniqueFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using UniqueBitmapHandle = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using UniqueBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using UniqueMemoryDc = UniqueHandle<MemoryDcTraits>;
using UniqueModule = UniqueHandle<ModuleTraits>;
using UniqueIcon = UniqueHandle<IconTraits>;
using UniqueMenu = UniqueHandle<MenuTraits>;
using UniqueWindowDc = UniqueHandle<WindowDcTraits>;
using UniqueWindow = UniqueHandle<WindowTraits>;
using UniquePaintDc = UniqueHandle<PaintDcTraits>;

// The window's whole area (frame included), borrowed for a scope.
inline UniqueWindowDc GetWindowDcOf(HWND wnd) { return UniqueWindowDc({wnd, GetWindowDC(wnd)}); }
inline UniquePaintDc BeginPaintOf(HWND wnd) {
    PaintDc p{wnd, nullptr, {}};
    p.Dc = BeginPaint(wnd, &p.Paint);
    return UniquePaintDc(p);
}

// An object selected into a device context for the lifetime of this guard.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
    ~SelectGuard() {
        if (old_) SelectObject(dc_, old_);
    }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace tolvar
