#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <sstream>

#include "base/Bitmap.h"

// Pictures whose every pixel names its own position, so that a composed image tells, pixel by
// pixel, where it was copied from.
namespace tolvar::test {

// Never 0, so that it differs from the fill of a freshly sized bitmap, and never kUntouched.
inline Pixel Name(int32_t x, int32_t y) { return (Pixel(x + 1) << 12) | Pixel(y + 1); }

// A colour no picture pixel has: what a target held before a composition.
constexpr Pixel kUntouched = 0x00FFFFFFu;

inline Bitmap Picture(int32_t width, int32_t height) {
    Bitmap b(width, height);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) b.At(x, y) = Name(x, y);
    return b;
}

inline std::string Describe(Pixel p) {
    std::ostringstream s;
    if (p == kUntouched) s << "untouched";
    else if (p == 0) s << "0";
    else s << "(" << int((p >> 12) & 0xFFF) - 1 << "," << int(p & 0xFFF) - 1 << ")";
    return s.str();
}

// Compares every pixel of `b` with the model; reports the first few differences.
inline ::testing::AssertionResult Matches(const Bitmap& b, const std::function<Pixel(int32_t, int32_t)>& model) {
    int wrong = 0;
    std::ostringstream s;
    for (int32_t y = 0; y < b.Height(); ++y)
        for (int32_t x = 0; x < b.Width(); ++x) {
            const Pixel want = model(x, y), got = b.At(x, y);
            if (want == got) continue;
            if (++wrong <= 6)
                s << " at (" << x << "," << y << ") got " << Describe(got) << " want " << Describe(want) << ";";
        }
    if (wrong == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << wrong << " pixels differ:" << s.str();
}

}  // namespace tolvar::test
