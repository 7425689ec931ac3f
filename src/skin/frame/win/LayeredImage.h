#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>

#include "base/Bitmap.h"

namespace tolvar {

// Shows a 32-bit image (premultiplied colours, alpha plane) in a layered window at its current
// position, at the image's size, with a constant opacity on top of the per-pixel alpha.
bool ApplyLayeredImage(HWND window, const Bitmap& image, uint8_t opacity);

// Watches every image applied (tests look at what went to the screen, which Xvfb cannot show).
using LayeredImageObserver = std::function<void(HWND window, const Bitmap& image, uint8_t opacity)>;
void SetLayeredImageObserver(LayeredImageObserver observer);

// Gives an ordinary window one opacity for the whole of it (the layered style with a constant
// alpha), or takes the layered style away again (no opacity).
void SetWindowOpacity(HWND window, std::optional<uint8_t> opacity);
// Watches every opacity a window is given that way.
using WindowOpacityObserver = std::function<void(HWND window, std::optional<uint8_t> opacity)>;
void SetWindowOpacityObserver(WindowOpacityObserver observer);

}  // namespace tolvar
