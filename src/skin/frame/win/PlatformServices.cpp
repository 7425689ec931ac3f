#include "PlatformServices.h"

#include "app/Handles.h"

namespace tolvar {

namespace {

// dwmapi's functions, loaded once; absent before the composition era.
struct Dwm {
    using IsEnabledFn = HRESULT(WINAPI*)(BOOL*);
    using SetAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
    UniqueModule module;
    IsEnabledFn isEnabled = nullptr;
    SetAttributeFn setAttribute = nullptr;
    Dwm() : module(LoadLibraryA("dwmapi.dll")) {
        if (!module) return;
        isEnabled = reinterpret_cast<IsEnabledFn>(
            reinterpret_cast<void*>(GetProcAddress(module.Get(), "DwmIsCompositionEnabled")));
        setAttribute = reinterpret_cast<SetAttributeFn>(
            reinterpret_cast<void*>(GetProcAddress(module.Get(), "DwmSetWindowAttribute")));
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
    if (auto get = nt ? reinterpret_cast<RtlGetVersionFn>(reinterpret_cast<void*>(GetProcAddress(nt, "RtlGetVersion")))
                      : nullptr;
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
    if (Dwm::Get().setAttribute)
        Dwm::Get().setAttribute(window, kTransitionsForceDisabled, &disabled, sizeof(disabled));
}

}  // namespace tolvar
