#include "BitmapDrawing.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace tolvar {

namespace {

// Yields floor(d * s / t) for d = d0, d0 + 1, ... by exact stepping, so that scaling needs no
// division per pixel and no product that could overflow, whatever the rectangles.
class ScaleStepper {
public:
    ScaleStepper(int64_t d0, int64_t s, int64_t t) : q_(s / t), r_(s % t), t_(t) {
        const unsigned __int128 p = static_cast<unsigned __int128>(d0) * static_cast<uint64_t>(s);
        value_ = static_cast<int64_t>(p / static_cast<uint64_t>(t));
        rem_ = static_cast<int64_t>(p % static_cast<uint64_t>(t));
    }
    int64_t Value() const { return value_; }
    void Next() {
        value_ += q_;
        rem_ += r_;
        if (rem_ >= t_) {
            rem_ -= t_;
            ++value_;
        }
    }

private:
    int64_t value_ = 0;
    int64_t rem_ = 0;
    int64_t q_;
    int64_t r_;
    int64_t t_;
};

constexpr Pixel kColourBits = 0x00FFFFFFu;

}  // namespace

void BoundComposedSize(int32_t& width, int32_t& height) {
    width = std::clamp(width, 0, kMaxComposedSide);
    height = std::clamp(height, 0, kMaxComposedSide);
    if (int64_t(width) * height > kMaxComposedPixels) height = int32_t(kMaxComposedPixels / width);
}

void ResizeKeepingContent(Bitmap& bitmap, int32_t width, int32_t height) {
    BoundComposedSize(width, height);
    if (bitmap.Width() == width && bitmap.Height() == height) return;
    Bitmap resized(width, height);
    if (bitmap.HasAlpha()) resized.MakeAlpha();
    const int32_t w = std::min(width, bitmap.Width());
    const int32_t h = std::min(height, bitmap.Height());
    if (w > 0)
        for (int32_t y = 0; y < h; ++y) {
            std::memcpy(resized.Row(y), bitmap.Row(y), size_t(w) * sizeof(Pixel));
            if (bitmap.HasAlpha()) std::memcpy(&resized.AlphaAt(0, y), &bitmap.AlphaAt(0, y), size_t(w));
        }
    bitmap = std::move(resized);
}

void detail::Transfer(Bitmap& target, const Box& tb, const Bitmap& source, const Box& sb, const ClipRect& clip,
                      const Pixel* key) {
    const int64_t tw = tb.Right - tb.Left, th = tb.Bottom - tb.Top;
    const int64_t sw = sb.Right - sb.Left, sh = sb.Bottom - sb.Top;
    if (tw <= 0 || th <= 0 || sw <= 0 || sh <= 0 || target.Empty() || source.Empty()) return;

    int64_t x0 = std::max<int64_t>(tb.Left, 0), x1 = std::min<int64_t>(tb.Right, target.Width());
    int64_t y0 = std::max<int64_t>(tb.Top, 0), y1 = std::min<int64_t>(tb.Bottom, target.Height());
    if (clip) {
        x0 = std::max<int64_t>(x0, clip->Left);
        x1 = std::min<int64_t>(x1, clip->Right);
        y0 = std::max<int64_t>(y0, clip->Top);
        y1 = std::min<int64_t>(y1, clip->Bottom);
    }
    if (x0 >= x1 || y0 >= y1) return;

    if (&target == &source) {
        const Bitmap snapshot = source;
        Transfer(target, tb, snapshot, sb, clip, key);
        return;
    }

    // Columns: 1:1 needs only a shift; otherwise a map of the visible columns, built once per
    // call. Either way the range is narrowed to the columns whose source column exists (the
    // mapping never decreases, so they are one run).
    const bool sameWidth = sw == tw;
    const int64_t shift = sb.Left - tb.Left;
    std::vector<int32_t> columns;
    if (sameWidth) {
        x0 = std::max<int64_t>(x0, -shift);
        x1 = std::min<int64_t>(x1, int64_t(source.Width()) - shift);
    } else {
        columns.reserve(size_t(x1 - x0));
        ScaleStepper sx(x0 - tb.Left, sw, tw);
        int64_t first = x0;
        for (int64_t x = x0; x < x1; ++x, sx.Next()) {
            const int64_t v = sb.Left + sx.Value();
            if (v >= source.Width()) {
                x1 = x;
                break;
            }
            if (v < 0) first = x + 1;
            else columns.push_back(int32_t(v));
        }
        x0 = first;
    }
    if (x0 >= x1) return;
    const size_t count = size_t(x1 - x0);

    const bool withAlpha = source.HasAlpha() && target.HasAlpha();
    ScaleStepper sy(y0 - tb.Top, sh, th);
    for (int64_t y = y0; y < y1; ++y, sy.Next()) {
        const int64_t v = sb.Top + sy.Value();
        if (v < 0) continue;
        if (v >= source.Height()) break;
        const Pixel* from = source.Row(int32_t(v));
        Pixel* to = target.Row(int32_t(y)) + x0;
        // The source column of visible column i.
        const auto column = [&](size_t i) { return sameWidth ? int32_t(x0 + shift + int64_t(i)) : columns[i]; };
        if (key) {
            for (size_t i = 0; i < count; ++i) {
                const Pixel p = from[column(i)];
                if (((p ^ *key) & kColourBits) != 0) to[i] = p;
            }
        } else if (sameWidth) {
            std::memcpy(to, from + x0 + shift, count * sizeof(Pixel));
        } else {
            for (size_t i = 0; i < count; ++i) to[i] = from[columns[i]];
        }
        if (withAlpha) {
            uint8_t* alpha = &target.AlphaAt(int32_t(x0), int32_t(y));
            for (size_t i = 0; i < count; ++i) {
                const int32_t sx = column(i);
                if (!key || ((from[sx] ^ *key) & kColourBits) != 0) alpha[i] = source.AlphaAt(sx, int32_t(v));
            }
        }
    }
}

void CopyBitmapRect(Bitmap& target, const Rect& targetRect, const Bitmap& source, const Rect& sourceRect,
                    const ClipRect& clip) {
    detail::Transfer(target, detail::ToBox(targetRect), source, detail::ToBox(sourceRect), clip, nullptr);
}

void StretchBitmap(Bitmap& target, const Rect& targetRect, const Bitmap& source, const ClipRect& clip) {
    detail::Transfer(target, detail::ToBox(targetRect), source, {0, 0, source.Width(), source.Height()}, clip, nullptr);
}

namespace {

void Place(Bitmap& target, Point at, const Bitmap& source, const ClipRect& clip, const Pixel* key) {
    const detail::Box where{at.X, at.Y, int64_t(at.X) + source.Width(), int64_t(at.Y) + source.Height()};
    detail::Transfer(target, where, source, {0, 0, source.Width(), source.Height()}, clip, key);
}

}  // namespace

void PlaceBitmap(Bitmap& target, Point at, const Bitmap& source, const ClipRect& clip) {
    Place(target, at, source, clip, nullptr);
}

void PlaceBitmapTransparent(Bitmap& target, Point at, const Bitmap& source, Pixel transparent, const ClipRect& clip) {
    Place(target, at, source, clip, &transparent);
}

}  // namespace tolvar
