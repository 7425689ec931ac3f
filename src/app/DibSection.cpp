#include "DibSection.h"

#include <algorithm>
#include <cstring>

namespace tolvar {

BITMAPINFO DibHeaderFor(int32_t width, int32_t height) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;  // rows top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    return bi;
}

TDibSection::TDibSection(int32_t width, int32_t height, HDC dc) {
    if (width <= 0 || height <= 0) return;
    const BITMAPINFO bi = DibHeaderFor(width, height);
    void* bits = nullptr;
    UniqueBitmapHandle made(CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!made || !bits) return;
    bitmap_ = std::move(made);
    bits_ = static_cast<uint32_t*>(bits);
    width_ = width;
    height_ = height;
    std::fill_n(bits_, PixelCount(), 0u);
}

void TDibSection::Load(const Bitmap& image) const {
    if (!bits_ || image.Width() != width_ || image.Height() != height_) return;
    std::memcpy(bits_, image.Data(), PixelCount() * sizeof(Pixel));
}

void TDibSection::StoreColours(Bitmap& image) const {
    if (!bits_ || image.Width() != width_ || image.Height() != height_) return;
    GdiFlush();
    Pixel* to = image.Data();
    for (size_t i = 0; i < PixelCount(); ++i) to[i] = bits_[i] & 0x00FFFFFFu;
}

}  // namespace tolvar
