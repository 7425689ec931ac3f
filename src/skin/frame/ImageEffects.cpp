#include "ImageEffects.h"

#include <algorithm>
#include <cmath>

namespace tolvar {

namespace {

// num / den rounded to the nearest integer, halves to even; num >= 0, den > 0.
int64_t RoundDiv(int64_t num, int64_t den) {
    int64_t q = num / den;
    const int64_t twice = 2 * (num % den);
    if (twice > den || (twice == den && (q & 1) != 0)) ++q;
    return q;
}

// v rounded to the nearest integer, halves to even, as std::nearbyint does in the default
// rounding mode, without its library call (the fades round every channel of every pixel):
// adding 1.5 * 2^52 leaves no bits below the units, so the sum is rounded to an integer by the
// addition itself; exact for |v| < 2^51, and larger values only matter as "beyond 255".
double RoundToEven(double v) {
    constexpr double kShift = 6755399441055744.0;  // 1.5 * 2^52
    return (v + kShift) - kShift;
}

uint8_t ClampByte(double v) {
    const double r = RoundToEven(v);
    if (!(r > 0.0)) return 0;  // also NaN
    if (r >= 255.0) return 255;
    return uint8_t(r);
}

uint8_t ClampByte(int64_t v) { return uint8_t(std::clamp<int64_t>(v, 0, 255)); }

template <typename F>
Pixel MapChannels(Pixel p, F f) {
    return MakePixel(f(PixelR(p)), f(PixelG(p)), f(PixelB(p)));
}

Pixel Mix(Pixel a, Pixel b, double k) {
    const double j = 1.0 - k;
    return MakePixel(ClampByte(j * PixelR(a) + k * PixelR(b)), ClampByte(j * PixelG(a) + k * PixelG(b)),
                     ClampByte(j * PixelB(a) + k * PixelB(b)));
}

uint8_t MixByte(uint8_t a, uint8_t b, double k) { return ClampByte((1.0 - k) * a + k * b); }

// The soft edge of the gradient wipes, as a share of the image's extent along the wipe.
constexpr double kWipeSoftness = 0.5;

// The local blend factor of a wipe at position t (0 where the wipe starts, 1 where it ends):
// the soft edge enters before t = 0 at k = 0 and has left t = 1 at k = 1.
double WipeFactor(double k, double t) { return std::clamp((k * (1.0 + kWipeSoftness) - t) / kWipeSoftness, 0.0, 1.0); }

// Position of index i of n along a wipe, 0 .. 1.
double WipePosition(int32_t i, int32_t n) { return n > 1 ? double(i) / double(n - 1) : 0.0; }

// Each pixel blended by its own factor.
template <typename Factor>
Bitmap Wipe(const Bitmap& normal, const Bitmap& hover, Factor factor) {
    Bitmap out = normal;
    const bool alpha = normal.HasAlpha() && hover.HasAlpha();
    for (int32_t y = 0; y < out.Height(); ++y)
        for (int32_t x = 0; x < out.Width(); ++x) {
            const double f = factor(x, y);
            out.At(x, y) = Mix(normal.At(x, y), hover.At(x, y), f);
            if (alpha) out.AlphaAt(x, y) = MixByte(normal.AlphaAt(x, y), hover.AlphaAt(x, y), f);
        }
    return out;
}

// Column x of the result taken from column `from` of `source`, alpha along when both have it.
void CopyColumn(Bitmap& out, int32_t x, const Bitmap& source, int32_t from, bool alpha) {
    for (int32_t y = 0; y < out.Height(); ++y) {
        out.At(x, y) = source.At(from, y);
        if (alpha) out.AlphaAt(x, y) = source.AlphaAt(from, y);
    }
}

// A 32-bit hash of a pixel position: the same picture always gets the same noise.
uint32_t PositionHash(int32_t x, int32_t y) {
    uint32_t h = uint32_t(x) * 0x9E3779B1u ^ (uint32_t(y) + 0x7F4A7C15u) * 0x85EBCA77u;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

// Brightness 0.5 and darkness 0.3 as exact fractions, so that halves round to even.
constexpr int64_t kBrightnessNum = 1, kBrightnessDen = 2;
constexpr int64_t kDarknessNum = 3, kDarknessDen = 10;
constexpr int32_t kNoiseAmount = 50;
constexpr int32_t kSplitBlurAmount = 1;

// One pass of a box blur over `n` values spaced `stride` apart, edges repeated outward.
void BoxBlurLine(uint8_t* values, int32_t n, size_t stride, int32_t radius, std::vector<uint8_t>& scratch) {
    scratch.resize(size_t(n));
    for (int32_t i = 0; i < n; ++i) scratch[size_t(i)] = values[size_t(i) * stride];
    const auto at = [&](int64_t i) -> int64_t { return scratch[size_t(std::clamp<int64_t>(i, 0, n - 1))]; };
    const int64_t r = radius, window = 2 * r + 1;
    // The window around index 0: r copies of the first value, then the values 0 .. r (the
    // last value repeated where r reaches past the end).
    int64_t sum = r * at(0);
    const int64_t inside = std::min<int64_t>(r, n - 1);
    for (int64_t i = 0; i <= inside; ++i) sum += at(i);
    sum += (r - inside) * at(n - 1);
    for (int32_t i = 0; i < n; ++i) {
        values[size_t(i) * stride] = uint8_t(RoundDiv(sum, window));
        sum += at(int64_t(i) + r + 1) - at(int64_t(i) - r);
    }
}

}  // namespace

AlphaPlane::AlphaPlane(int32_t width, int32_t height, uint8_t fill)
    : Width(std::max(width, 0)), Height(std::max(height, 0)), Values(size_t(Width) * size_t(Height), fill) {
    if (Values.empty()) Width = Height = 0;
}

Bitmap MorphImages(const Bitmap& normal, const Bitmap& hover, double k, MorphMode kind) {
    if (normal.Width() != hover.Width() || normal.Height() != hover.Height()) return normal;
    if (!(k > 0.0)) k = 0.0;  // also NaN
    if (k > 1.0) k = 1.0;
    const int32_t w = normal.Width(), h = normal.Height();
    const bool alpha = normal.HasAlpha() && hover.HasAlpha();
    // How many columns the sliding kinds have moved.
    const int32_t moved = int32_t(std::nearbyint(k * w));
    switch (kind) {
    case mkGradient:  // a soft wipe from the top down
        return Wipe(normal, hover, [&](int32_t, int32_t y) { return WipeFactor(k, WipePosition(y, h)); });
    case mkLeftGradient:  // a soft wipe from the left edge
        return Wipe(normal, hover, [&](int32_t x, int32_t) { return WipeFactor(k, WipePosition(x, w)); });
    case mkRightGradient:  // a soft wipe from the right edge
        return Wipe(normal, hover, [&](int32_t x, int32_t) { return WipeFactor(k, WipePosition(w - 1 - x, w)); });
    case mkLeftSlide: {  // the hover image slides in from the left over the normal one
        Bitmap out = normal;
        for (int32_t x = 0; x < moved; ++x) CopyColumn(out, x, hover, x + w - moved, alpha);
        return out;
    }
    case mkRightSlide: {  // the hover image slides in from the right over the normal one
        Bitmap out = normal;
        for (int32_t x = w - moved; x < w; ++x) CopyColumn(out, x, hover, x - (w - moved), alpha);
        return out;
    }
    case mkPush: {  // the hover image comes in from the right and pushes the normal one out left
        Bitmap out = normal;
        for (int32_t x = 0; x < w; ++x) {
            if (x < w - moved) CopyColumn(out, x, normal, x + moved, alpha);
            else CopyColumn(out, x, hover, x - (w - moved), alpha);
        }
        return out;
    }
    case mkDefault:
    default: {
        // One factor for every pixel: the products of each byte value with it are the same
        // for every pixel, so they are worked out once; the sums round as pixel by pixel.
        double keep[256], take[256];
        for (int32_t v = 0; v < 256; ++v) {
            keep[v] = (1.0 - k) * v;
            take[v] = k * v;
        }
        const auto mix = [&](uint8_t a, uint8_t b) { return ClampByte(keep[a] + take[b]); };
        Bitmap out = normal;
        for (int32_t y = 0; y < h; ++y) {
            Pixel* o = out.Row(y);
            const Pixel* a = normal.Row(y);
            const Pixel* b = hover.Row(y);
            for (int32_t x = 0; x < w; ++x)
                o[x] = MakePixel(mix(PixelR(a[x]), PixelR(b[x])), mix(PixelG(a[x]), PixelG(b[x])),
                                 mix(PixelB(a[x]), PixelB(b[x])));
            if (alpha)
                for (int32_t x = 0; x < w; ++x) out.AlphaAt(x, y) = mix(normal.AlphaAt(x, y), hover.AlphaAt(x, y));
        }
        return out;
    }
    }
}

void ApplyInactiveEffect(Bitmap& image, InactiveEffect effect) {
    const int32_t w = image.Width(), h = image.Height();
    switch (effect) {
    case ieBrightness:  // each channel moved half of the way to white
        for (int32_t y = 0; y < h; ++y)
            for (Pixel* p = image.Row(y); p != image.Row(y) + w; ++p)
                *p = MapChannels(*p, [](uint8_t c) {
                    return uint8_t(RoundDiv(c * kBrightnessDen + (255 - c) * kBrightnessNum, kBrightnessDen));
                });
        break;
    case ieDarkness:  // each channel moved 30 % of the way to black
        for (int32_t y = 0; y < h; ++y)
            for (Pixel* p = image.Row(y); p != image.Row(y) + w; ++p)
                *p = MapChannels(
                    *p, [](uint8_t c) { return uint8_t(RoundDiv(c * (kDarknessDen - kDarknessNum), kDarknessDen)); });
        break;
    case ieGrayScale:  // the luma with weights 77, 150, 29 out of 256
        for (int32_t y = 0; y < h; ++y)
            for (Pixel* p = image.Row(y); p != image.Row(y) + w; ++p) {
                const auto l = uint8_t((77 * PixelR(*p) + 150 * PixelG(*p) + 29 * PixelB(*p) + 128) >> 8);
                *p = MakePixel(l, l, l);
            }
        break;
    case ieNoise:  // the same offset of -50 .. 50 on all three channels, chosen by position
        for (int32_t y = 0; y < h; ++y)
            for (int32_t x = 0; x < w; ++x) {
                const int64_t d = int64_t(PositionHash(x, y) % uint32_t(2 * kNoiseAmount + 1)) - kNoiseAmount;
                image.At(x, y) = MapChannels(image.At(x, y), [d](uint8_t c) { return ClampByte(c + d); });
            }
        break;
    case ieSplitBlur: {  // the mean of the four diagonal neighbours at the amount's distance
        const Bitmap source = image;
        const auto at = [&](int32_t x, int32_t y) {
            return source.At(std::clamp(x, 0, w - 1), std::clamp(y, 0, h - 1));
        };
        const int32_t a = kSplitBlurAmount;
        for (int32_t y = 0; y < h; ++y)
            for (int32_t x = 0; x < w; ++x) {
                const Pixel q[4] = {at(x - a, y - a), at(x + a, y - a), at(x - a, y + a), at(x + a, y + a)};
                const auto mean = [&](uint8_t (*channel)(Pixel)) {
                    return uint8_t(RoundDiv(channel(q[0]) + channel(q[1]) + channel(q[2]) + channel(q[3]), 4));
                };
                image.At(x, y) = MakePixel(mean(PixelR), mean(PixelG), mean(PixelB));
            }
        break;
    }
    case ieInvert:
        for (int32_t y = 0; y < h; ++y)
            for (Pixel* p = image.Row(y); p != image.Row(y) + w; ++p)
                *p = MapChannels(*p, [](uint8_t c) { return uint8_t(255 - c); });
        break;
    }
}

void BlurPlane(AlphaPlane& plane, int32_t radius) {
    if (radius <= 0 || plane.Empty()) return;
    std::vector<uint8_t> scratch;
    const size_t w = size_t(plane.Width);
    for (int32_t y = 0; y < plane.Height; ++y)
        BoxBlurLine(plane.Values.data() + size_t(y) * w, plane.Width, 1, radius, scratch);
    for (int32_t x = 0; x < plane.Width; ++x)
        BoxBlurLine(plane.Values.data() + size_t(x), plane.Height, w, radius, scratch);
}

void BlendColorThroughPlane(Bitmap& target, Point at, const AlphaPlane& plane, Color c) {
    if (plane.Empty() || target.Empty()) return;
    const Pixel colour = ColorToPixel(ResolveColor(c));
    const int64_t x0 = std::max<int64_t>(0, -int64_t(at.X)), y0 = std::max<int64_t>(0, -int64_t(at.Y));
    const int64_t x1 = std::min<int64_t>(plane.Width, int64_t(target.Width()) - at.X);
    const int64_t y1 = std::min<int64_t>(plane.Height, int64_t(target.Height()) - at.Y);
    const auto blend = [](uint8_t under, uint8_t over, int64_t a) {
        return uint8_t(RoundDiv(int64_t(under) * (255 - a) + int64_t(over) * a, 255));
    };
    for (int64_t y = y0; y < y1; ++y)
        for (int64_t x = x0; x < x1; ++x) {
            const int64_t a = plane.At(int32_t(x), int32_t(y));
            if (a == 0) continue;
            const auto tx = int32_t(x + at.X), ty = int32_t(y + at.Y);
            const Pixel p = target.At(tx, ty);
            target.At(tx, ty) = MakePixel(blend(PixelR(p), PixelR(colour), a), blend(PixelG(p), PixelG(colour), a),
                                          blend(PixelB(p), PixelB(colour), a));
            // Over a see-through target the colour adds its own opacity.
            if (target.HasAlpha()) target.AlphaAt(tx, ty) = blend(target.AlphaAt(tx, ty), 255, a);
        }
}

}  // namespace tolvar
