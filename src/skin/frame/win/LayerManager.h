#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>

#include "LayerWindow.h"
#include "LayeredImage.h"
#include "PlatformServices.h"
#include "base/Bitmap.h"
#include "skin/frame/LayerBorderModel.h"

namespace tolvar {

class TskLayerManager;

// The glow's window: a click-through tool popup that saves the bits below it and is never
// activated.
class TskLayerWindow {
public:
    TskLayerWindow(TskLayerManager& manager, int x, int y, int width, int height, bool topmost);
    HWND Handle() const { return window_.Get(); }

private:
    static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp);
    TskLayerManager& manager_;
    UniqueWindow window_;
};

// One glow layer: shown over a hovered caption button and faded in over ten 25 ms steps.
class TskLayerManager {
public:
    explicit TskLayerManager(const PlatformServices& platform) : platform_(platform) {}
    ~TskLayerManager();

    void ShowLayer(int32_t x, int32_t y, int32_t opacity, const Bitmap& mask, const Bitmap& picture);
    void HideLayer();

    bool Visible() const { return visible_; }
    HWND Window() const { return window_ ? window_->Handle() : nullptr; }
    uint8_t Opacity() const { return fade_ ? fade_->Opacity() : 0; }
    const Bitmap& Image() const { return image_; }
    bool Topmost = true;

private:
    friend class TskLayerWindow;
    void Tick();

    PlatformServices platform_;
    std::unique_ptr<TskLayerWindow> window_;
    Bitmap image_;
    std::optional<GlowFade> fade_;
    bool visible_ = false;
};

}  // namespace tolvar
