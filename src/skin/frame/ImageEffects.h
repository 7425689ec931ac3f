#pragma once
#include <cstdint>
#include <vector>

#include "base/Bitmap.h"
#include "base/Geometry.h"
#include "skin/data/SkinTypes.h"

namespace tolvar {

// The pixel work of the frame's looks: cross-fades between a normal and a hover image, the
// effects that mark an inactive window, and what the caption's text effects are made of
// (opacity planes, blurs, colour blended through an opacity).

// One byte of opacity per pixel, 0 transparent, 255 opaque.
struct AlphaPlane {
    int32_t Width = 0;
    int32_t Height = 0;
    std::vector<uint8_t> Values;  // Width * Height, rows from the top

    AlphaPlane() = default;
    AlphaPlane(int32_t width, int32_t height, uint8_t fill = 0);
    bool Empty() const { return Width <= 0 || Height <= 0; }
    uint8_t At(int32_t x, int32_t y) const { return Values[size_t(y) * size_t(Width) + size_t(x)]; }
    uint8_t& At(int32_t x, int32_t y) { return Values[size_t(y) * size_t(Width) + size_t(x)]; }
};

// The cross-fade of two images of the same size at position k (clamped to 0.0 .. 1.0; 0 gives
// the normal image, 1 the hover image). mkDefault: each channel of each pixel becomes
// (1 - k) * normal + k * hover, rounded to the nearest integer, halves to even, clamped to
// 0 .. 255. The other kinds are transitions between the same two images. Images of different
// sizes give a copy of the normal image.
Bitmap MorphImages(const Bitmap& normal, const Bitmap& hover, double k, MorphMode kind);

// The effect that marks an inactive window, in place, with the amount the frame uses for it:
// brightness 0.5, darkness 0.3, grayscale, noise 50, split blur 1, invert.
void ApplyInactiveEffect(Bitmap& image, InactiveEffect effect);

// Blurs an opacity plane with the given radius (0 leaves it as it is).
void BlurPlane(AlphaPlane& plane, int32_t radius);

// Draws colour `c` over `target` with its top-left corner at `at`, each pixel with the opacity
// the plane gives it; clipped to the target.
void BlendColorThroughPlane(Bitmap& target, Point at, const AlphaPlane& plane, Color c);

}  // namespace tolvar
