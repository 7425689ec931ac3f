#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "Geometry.h"

namespace tolvar {

// A pixel as it lies in a 32-bit top-down device-independent bitmap: 0x00RRGGBB, so that a
// composed image goes to the screen without conversion. The high byte is not part of the colour.
using Pixel = uint32_t;

constexpr Pixel MakePixel(uint8_t r, uint8_t g, uint8_t b) { return (Pixel(r) << 16) | (Pixel(g) << 8) | Pixel(b); }
constexpr uint8_t PixelR(Pixel p) { return uint8_t(p >> 16); }
constexpr uint8_t PixelG(Pixel p) { return uint8_t(p >> 8); }
constexpr uint8_t PixelB(Pixel p) { return uint8_t(p); }

// A resolved (explicit) colour as a pixel.
constexpr Pixel ColorToPixel(Color c) { return MakePixel(uint8_t(c), uint8_t(c >> 8), uint8_t(c >> 16)); }

// System colours resolve through the platform: the Windows side installs its own resolver at
// start-up; elsewhere the classic Windows palette stands in.
using SystemColorResolver = Color (*)(uint8_t index);
void SetSystemColorResolver(SystemColorResolver resolver);
Color ResolveColor(Color c);  // an explicit colour for any Color value

// A picture of Width x Height 24-bit colours (held in 32-bit cells), with an optional alpha
// plane of the same size. An empty bitmap has no pixels.
class Bitmap {
public:
    Bitmap() = default;
    Bitmap(int32_t width, int32_t height, Pixel fill = 0);

    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    bool Empty() const { return width_ <= 0 || height_ <= 0; }

    // Resizing keeps nothing of the old content: the new pixels are `fill`.
    void SetSize(int32_t width, int32_t height, Pixel fill = 0);
    void Clear() { SetSize(0, 0); }
    void Fill(Pixel p);

    Pixel At(int32_t x, int32_t y) const { return pixels_[size_t(y) * size_t(width_) + size_t(x)]; }
    Pixel& At(int32_t x, int32_t y) { return pixels_[size_t(y) * size_t(width_) + size_t(x)]; }
    bool Contains(int32_t x, int32_t y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    Pixel* Row(int32_t y) { return pixels_.data() + size_t(y) * size_t(width_); }
    const Pixel* Row(int32_t y) const { return pixels_.data() + size_t(y) * size_t(width_); }
    Pixel* Data() { return pixels_.data(); }
    const Pixel* Data() const { return pixels_.data(); }

    // The alpha plane: empty unless made; one byte per pixel, 0 transparent, 255 opaque.
    bool HasAlpha() const { return !alpha_.empty(); }
    void MakeAlpha(uint8_t fill = 255);
    void DropAlpha() { alpha_.clear(); }
    uint8_t AlphaAt(int32_t x, int32_t y) const { return alpha_[size_t(y) * size_t(width_) + size_t(x)]; }
    uint8_t& AlphaAt(int32_t x, int32_t y) { return alpha_[size_t(y) * size_t(width_) + size_t(x)]; }

    friend bool operator==(const Bitmap&, const Bitmap&) = default;

private:
    int32_t width_ = 0;
    int32_t height_ = 0;
    std::vector<Pixel> pixels_;
    std::vector<uint8_t> alpha_;
};

}  // namespace tolvar
