#include "MaskRegion.h"

#include "BitmapDrawing.h"
#include "SkinComposition.h"

namespace tolvar {

namespace {

constexpr Pixel kOutside = 0x00FFFFFFu;

bool Black(Pixel p) { return (p & 0x00FFFFFFu) == 0; }

void Append(std::vector<Rect>& to, const std::vector<Rect>& more) { to.insert(to.end(), more.begin(), more.end()); }

}  // namespace

std::vector<Rect> MaskRegionRects(const Bitmap& mask, int32_t dx, int32_t dy) {
    std::vector<Rect> rects;
    for (int32_t y = 0; y < mask.Height(); ++y) {
        const Pixel* row = mask.Row(y);
        for (int32_t x = 0; x < mask.Width();) {
            if (!Black(row[x])) {
                ++x;
                continue;
            }
            const int32_t start = x;
            while (x < mask.Width() && Black(row[x])) ++x;
            rects.push_back({start + dx, y + dy, x + dx, y + dy + 1});
        }
    }
    return rects;
}

MaskStrips ComposeMaskStrips(const PieceGeometry& piece, const TargetGeometry& target, const Bitmap& mask,
                             int32_t width) {
    const Rect& m = piece.ClientRect;
    const Rect& sized = target.ClientRect;
    const int32_t maskWidth = mask.Width(), maskHeight = mask.Height();
    const int32_t sidesHeight = RectHeight(sized);

    // A strip of the given size (within the composition's bounds), every pixel outside until a
    // copy reaches it.
    const auto strip = [](int32_t w, int32_t h) {
        BoundComposedSize(w, h);
        Bitmap s(w, h, kOutside);
        if (s.Empty()) s.Clear();
        return s;
    };

    // Left and right: the band's middle tiled down from the strip's top, then the fixed ends.
    const auto side = [&](int32_t left, int32_t right, int32_t upperEnd, int32_t lowerStart) {
        Bitmap s = strip(right - left, sidesHeight);
        if (s.Empty()) return s;
        const int32_t w = s.Width();
        TileBitmapRectY(s, {0, 0, w, sidesHeight}, mask, {left, upperEnd, right, lowerStart});
        if (upperEnd - m.Top > 0) CopyBitmapRect(s, {0, 0, w, upperEnd - m.Top}, mask, {left, m.Top, right, upperEnd});
        if (m.Bottom - lowerStart > 0)
            CopyBitmapRect(s, {0, sidesHeight - (m.Bottom - lowerStart), w, sidesHeight}, mask,
                           {left, lowerStart, right, m.Bottom});
        return s;
    };
    // Top and bottom: the middle tiled between the moved points, then the two ends.
    const auto band = [&](int32_t top, int32_t bottom, int32_t leftEnd, int32_t rightStart, int32_t sizedLeftEnd,
                          int32_t sizedRightStart) {
        Bitmap s = strip(width, bottom - top);
        if (s.Empty()) return s;
        const int32_t h = s.Height();
        TileBitmapRectX(s, {sizedLeftEnd, 0, sizedRightStart, h}, mask, {leftEnd, top, rightStart, bottom});
        CopyBitmapRect(s, {0, 0, leftEnd, h}, mask, {0, top, leftEnd, bottom});
        CopyBitmapRect(s, {sizedRightStart, 0, width, h}, mask, {rightStart, top, maskWidth, bottom});
        return s;
    };
    MaskStrips out;
    out.Left = side(0, m.Left, piece.LT.Y, piece.LB.Y);
    out.Right = side(m.Right, maskWidth, piece.RT.Y, piece.RB.Y);
    out.Top = band(0, m.Top, piece.LT.X, piece.RT.X, target.LT.X, target.RT.X);
    out.Bottom = band(m.Bottom, maskHeight, piece.LB.X, piece.RB.X, target.LB.X, target.RB.X);
    return out;
}

std::vector<Rect> ComposedMaskRegion(const PieceGeometry& piece, const TargetGeometry& target, const Bitmap& mask,
                                     int32_t width) {
    return MaskStripsRegion(ComposeMaskStrips(piece, target, mask, width), target.ClientRect);
}

std::vector<Rect> MaskStripsRegion(const MaskStrips& strips, const Rect& inner) {
    std::vector<Rect> shape;
    if (!IsEmptyRect(inner)) shape.push_back(inner);
    Append(shape, MaskRegionRects(strips.Top, 0, 0));
    Append(shape, MaskRegionRects(strips.Bottom, 0, inner.Bottom));
    Append(shape, MaskRegionRects(strips.Left, 0, inner.Top));
    Append(shape, MaskRegionRects(strips.Right, inner.Right, inner.Top));
    return shape;
}

}  // namespace tolvar
