#include "LayerManager.h"

namespace tolvar {

namespace {

constexpr const char* kLayerClass = "TskLayerWindow";
constexpr UINT_PTR kFadeTimer = 1;
constexpr UINT kFadeInterval = 25;

}  // namespace

TskLayerWindow::TskLayerWindow(TskLayerManager& manager, int x, int y, int width, int height, bool topmost)
    : manager_(manager) {
    DWORD ex = WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT | WS_EX_LAYERED | WS_EX_NOACTIVATE;
    if (topmost) ex |= WS_EX_TOPMOST;
    window_ = CreateLayerWindow(kLayerClass, CS_SAVEBITS, Proc, ex, x, y, width, height, this);
}

LRESULT CALLBACK TskLayerWindow::Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<TskLayerWindow*>(GetWindowLongPtrA(h, GWLP_USERDATA));
    switch (msg) {
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_TIMER:
        if (self && wp == kFadeTimer) self->manager_.Tick();
        return 0;
    default: return DefWindowProcA(h, msg, wp, lp);
    }
}

TskLayerManager::~TskLayerManager() { HideLayer(); }

void TskLayerManager::ShowLayer(int32_t x, int32_t y, int32_t opacity, const Bitmap& mask, const Bitmap& picture) {
    if (!platform_.PerWindowAlpha) return;
    if (visible_) HideLayer();
    if (picture.Empty()) return;
    visible_ = true;
    image_ = GlowImage(picture, mask);
    window_ = std::make_unique<TskLayerWindow>(*this, x, y, image_.Width(), image_.Height(), Topmost);
    const HWND h = window_->Handle();
    if (!h) return;
    fade_.emplace(opacity);
    ApplyLayeredImage(h, image_, 0);
    SetWindowPos(h, Topmost ? HWND_TOPMOST : HWND_NOTOPMOST, x, y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    if (!fade_->Done()) SetTimer(h, kFadeTimer, kFadeInterval, nullptr);
}

void TskLayerManager::Tick() {
    if (!fade_ || !window_) return;
    const bool more = fade_->Tick();
    ApplyLayeredImage(window_->Handle(), image_, fade_->Opacity());
    if (!more) KillTimer(window_->Handle(), kFadeTimer);
}

void TskLayerManager::HideLayer() {
    if (!platform_.PerWindowAlpha) return;
    visible_ = false;
    image_.Clear();
    fade_.reset();
    if (!window_) return;
    if (const HWND h = window_->Handle()) {
        KillTimer(h, kFadeTimer);
        SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    window_.reset();
}

}  // namespace tolvar
