#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "app/Handles.h"
#include "base/Bitmap.h"

namespace tolvar {

// The device-independent bitmap header for 32-bit pixels, rows top-down as a Bitmap holds them.
BITMAPINFO DibHeaderFor(int32_t width, int32_t height);
inline BITMAPINFO DibHeaderFor(const Bitmap& bitmap) { return DibHeaderFor(bitmap.Width(), bitmap.Height()); }

// A 32-bit top-down DIB section: a GDI bitmap whose pixels the program reads and writes in
// place. False when the system refused to make it.
class TDibSection {
public:
    TDibSection() = default;
    // Made for `dc` (the screen's when none); its pixels start out 0.
    TDibSection(int32_t width, int32_t height, HDC dc = nullptr);

    explicit operator bool() const { return bits_ != nullptr; }
    HBITMAP Handle() const { return bitmap_.Get(); }
    uint32_t* Bits() const { return bits_; }
    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    size_t PixelCount() const { return size_t(width_) * size_t(height_); }

    // The image's pixels into the section, which has its size.
    void Load(const Bitmap& image) const;
    // The section's colours into the image, which has its size; GDI may leave its own bits in
    // the byte above the colour, the image keeps that byte 0.
    void StoreColours(Bitmap& image) const;

private:
    UniqueBitmapHandle bitmap_;
    uint32_t* bits_ = nullptr;
    int32_t width_ = 0;
    int32_t height_ = 0;
};

}  // namespace tolvar
