#include "LayeredImage.h"

#include <cstring>

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

// dwmapi's functions, loaded once; absent before the composition era.
struct Dwm {
    using IsEnabledFn = HRESULT(WINAPI*)(BOOL*);
    using SetAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
    UniqueModule module;
    IsEnabledFn isEnabled = nullptr;
    SetAttributeFn setAttribute = nullptr;
    Dwm() : module(LoadLibraryA("dwmapi.dll")) {
        if (!module) return;
        isEnabled = reinterpret_cast<IsEnabledFn>(reinterpret_cast<void*>(GetProcAddress(module.Get(), "DwmIsCompositionEnabled")));
        setAttribute = reinterpret_cast<SetAttributeFn>(reinterpret_cast<void*>(GetProcAddress(module.Get(), "DwmSetWindowAttribute")));
    }
    static Dwm& Get() {
        static Dwm dwm;
        return dwm;
    }
};

constexpr DWORD kTransitionsForceDisabled = 3;  // DWMWA_TRANSITIONS_FORCEDISABLED

}  // namespace

PlatformServices DetectPlatformServices() {
    PlatformServices p;
    const HMODULE user = GetModuleHandleA("user32.dll");
    p.PerWindowAlpha = user && GetProcAddress(user, "UpdateLayeredWindow");
    p.CompositionEra = Dwm::Get().isEnabled != nullptr;
    // The version as the kernel reports it: GetVersionEx answers what the manifest allows.
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    OSVERSIONINFOW v{};
    v.dwOSVersionInfoSize = sizeof(v);
    const HMODULE nt = GetModuleHandleA("ntdll.dll");
    if (auto get = nt ? reinterpret_cast<RtlGetVersionFn>(reinterpret_cast<void*>(GetProcAddress(nt, "RtlGetVersion"))) : nullptr;
        get && get(&v) == 0)
        p.SeventhGeneration = v.dwMajorVersion > 6 || (v.dwMajorVersion == 6 && v.dwMinorVersion >= 1);
    return p;
}

bool CompositionEnabled() {
    BOOL on = FALSE;
    return Dwm::Get().isEnabled && SUCCEEDED(Dwm::Get().isEnabled(&on)) && on;
}

void SetWindowTransitions(HWND window, bool enabled) {
    const BOOL disabled = enabled ? FALSE : TRUE;
    if (Dwm::Get().setAttribute) Dwm::Get().setAttribute(window, kTransitionsForceDisabled, &disabled, sizeof(disabled));
}

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
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = image.Width();
    bi.bmiHeader.biHeight = -image.Height();
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    void* bits = nullptr;
    UniqueBitmapHandle section(CreateDIBSection(dc.Get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dc || !section || !bits) return false;
    auto* out = static_cast<uint32_t*>(bits);
    const bool alpha = image.HasAlpha();
    for (int32_t y = 0; y < image.Height(); ++y)
        for (int32_t x = 0; x < image.Width(); ++x)
            *out++ = (image.At(x, y) & 0x00FFFFFFu) | (uint32_t(alpha ? image.AlphaAt(x, y) : 255) << 24);
    GdiFlush();
    const SelectGuard selected(dc.Get(), section.Get());
    RECT r{};
    GetWindowRect(window, &r);
    POINT at{r.left, r.top}, from{0, 0};
    SIZE size{image.Width(), image.Height()};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, opacity, AC_SRC_ALPHA};
    return UpdateLayeredWindow(window, nullptr, &at, &size, dc.Get(), &from, 0, &blend, ULW_ALPHA) != FALSE;
}

}  // namespace tolvar
