#include "Bitmap.h"

#include <algorithm>

namespace tolvar {

namespace {

Color ClassicSystemColor(uint8_t index) {
    switch (index) {
    case COLOR_INDEX_WINDOW: return RGBColor(255, 255, 255);
    case COLOR_INDEX_WINDOWTEXT: return RGBColor(0, 0, 0);
    case COLOR_INDEX_HIGHLIGHT: return RGBColor(0, 120, 215);
    case COLOR_INDEX_HIGHLIGHTTEXT: return RGBColor(255, 255, 255);
    case COLOR_INDEX_BTNFACE: return RGBColor(240, 240, 240);
    case COLOR_INDEX_BTNSHADOW: return RGBColor(160, 160, 160);
    case COLOR_INDEX_BTNTEXT: return RGBColor(0, 0, 0);
    case COLOR_INDEX_BTNHIGHLIGHT: return RGBColor(255, 255, 255);
    default: return RGBColor(0, 0, 0);
    }
}

SystemColorResolver g_resolver = ClassicSystemColor;

}  // namespace

void SetSystemColorResolver(SystemColorResolver resolver) { g_resolver = resolver ? resolver : ClassicSystemColor; }

Color ResolveColor(Color c) {
    if (IsSystemColor(c)) return g_resolver(uint8_t(c & 0xFF)) & 0x00FFFFFFu;
    return c & 0x00FFFFFFu;
}

Bitmap::Bitmap(int32_t width, int32_t height, Pixel fill) { SetSize(width, height, fill); }

void Bitmap::SetSize(int32_t width, int32_t height, Pixel fill) {
    // Like a platform bitmap, one dimension may be 0 while the other is kept.
    width = std::max(width, 0);
    height = std::max(height, 0);
    width_ = width;
    height_ = height;
    pixels_.assign(size_t(width) * size_t(height), fill);
    alpha_.clear();
}

void Bitmap::Fill(Pixel p) { std::fill(pixels_.begin(), pixels_.end(), p); }

void Bitmap::MakeAlpha(uint8_t fill) { alpha_.assign(pixels_.size(), fill); }

}  // namespace tolvar
