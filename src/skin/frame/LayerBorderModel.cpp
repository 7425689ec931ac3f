#include "LayerBorderModel.h"

#include <algorithm>

#include "skin/controls/BitmapDrawing.h"
#include "skin/controls/SkinComposition.h"
#include "skin/data/SkinFormRecords.h"

namespace tolvar {

namespace {

// No border piece is larger than this along either axis: a window or a skin value beyond it is
// nonsense, and the piece is left empty rather than allocated.
constexpr int64_t kMaxPieceSide = 32767;

Bitmap TransparentImage(int64_t w, int64_t h) {
    if (w <= 0 || h <= 0 || w > kMaxPieceSide || h > kMaxPieceSide) return {};
    Bitmap b{int32_t(w), int32_t(h)};
    b.MakeAlpha(0);
    return b;
}

// Copies (scaling when the sizes differ) colour and alpha of a source part.
void Put(Bitmap& target, const Rect& to, const Bitmap& source, const Rect& from) {
    CopyBitmapRect(target, to, source, from);
}

// Fills `to` with `from` repeated top-down (the last copy cut) or stretched.
void FillDown(Bitmap& target, const Rect& to, const Bitmap& source, const Rect& from, bool stretch) {
    if (stretch) Put(target, to, source, from);
    else TileBitmapRectY(target, to, source, from);
}

}  // namespace

Bitmap AlphaFromMask(const Bitmap& picture, const Bitmap& mask) {
    Bitmap out = picture;
    out.MakeAlpha(0);
    const int32_t w = std::min(picture.Width(), mask.Width()), h = std::min(picture.Height(), mask.Height());
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) {
            const Pixel m = mask.At(x, y);
            const int32_t sum = PixelR(m) + PixelG(m) + PixelB(m);
            out.AlphaAt(x, y) = uint8_t((sum + 1) / 3);  // a third to the nearest: the sum's remainder is 0, 1 or 2
        }
    }
    return out;
}

void Premultiply(Bitmap& image) {
    if (!image.HasAlpha()) return;
    for (int32_t y = 0; y < image.Height(); ++y) {
        for (int32_t x = 0; x < image.Width(); ++x) {
            const int32_t a = image.AlphaAt(x, y);
            const Pixel p = image.At(x, y);
            const auto limit = [a](uint8_t c) { return uint8_t(std::min<int32_t>(c, a)); };
            image.At(x, y) = MakePixel(limit(PixelR(p)), limit(PixelG(p)), limit(PixelB(p)));
        }
    }
}

uint8_t ScaleOpacity(int32_t value, int32_t a) {
    const int32_t v = std::clamp(value, 0, 255), s = std::clamp(a, 0, 255);
    // 255 is odd, so a product never lies exactly halfway between two results.
    return uint8_t((v * s + 127) / 255);
}

LayerFrameInfo LayerFrameInfo::From(const TskDataSkinLayerFrame& f, const Bitmap& picture) {
    LayerFrameInfo i;
    i.PictureWidth = picture.Width();
    i.PictureHeight = picture.Height();
    i.LT = f.lefttoppoint;
    i.RT = f.righttoppoint;
    i.LB = f.leftbottompoint;
    i.RB = f.rightbottompoint;
    i.ClientRect = f.clientrect;
    i.LeftOffset = f.leftoffset;
    i.TopOffset = f.topoffset;
    i.WidthOffset = f.widthoffset;
    i.HeightOffset = f.heightoffset;
    i.FullStretch = f.fullstretch;
    return i;
}

Rect LayerOuterRect(const LayerFrameInfo& info, const Rect& form) {
    const Rect& c = info.ClientRect;
    const int64_t x = int64_t(form.Left) + info.LeftOffset - c.Left;
    const int64_t y = int64_t(form.Top) + info.TopOffset - c.Top;
    const int64_t w = int64_t(RectWidth(form)) + info.WidthOffset + info.PictureWidth - (int64_t(c.Right) - c.Left);
    const int64_t h = int64_t(RectHeight(form)) + info.HeightOffset + info.PictureHeight - (int64_t(c.Bottom) - c.Top);
    return {Saturate(x), Saturate(y), Saturate(x + w), Saturate(y + h)};
}

LayerPieces ComposeLayerPieces(const LayerFrameInfo& info, const Bitmap& source, int32_t outerWidth,
                               int32_t outerHeight) {
    LayerPieces p;
    const int32_t pw = source.Width(), ph = source.Height();
    if (pw <= 0 || ph <= 0 || outerWidth <= 0 || outerHeight <= 0) return p;
    const int64_t wl = outerWidth, hl = outerHeight;
    const Rect& c = info.ClientRect;

    // Top: both ends copied, the middle stretched across.
    const int32_t topH = std::clamp(std::max(info.LT.Y, info.RT.Y), 0, ph);
    p.Top = TransparentImage(wl, topH);
    const auto band = [&](Bitmap& piece, int32_t srcTop, int32_t leftEnd, int32_t rightStart) {
        if (piece.Empty()) return;
        const int32_t h = piece.Height(), w = piece.Width();
        const int32_t rightAt = Saturate(wl + rightStart - pw);
        Put(piece, {0, 0, leftEnd, h}, source, {0, srcTop, leftEnd, srcTop + h});
        Put(piece, {rightAt, 0, w, h}, source, {rightStart, srcTop, pw, srcTop + h});
        Put(piece, {leftEnd, 0, rightAt, h}, source, {leftEnd, srcTop, rightStart, srcTop + h});
    };
    band(p.Top, 0, info.LT.X, info.RT.X);

    // Bottom: from the picture's bottom rows; a window too low for both loses its upper rows.
    const int32_t fullBottomH = std::clamp(ph - std::min(info.LB.Y, info.RB.Y), 0, ph);
    int64_t bottomH = fullBottomH;
    if (hl < bottomH + topH) bottomH = std::max<int64_t>(hl - topH, 0);
    p.Bottom = TransparentImage(wl, bottomH);
    band(p.Bottom, ph - int32_t(bottomH), info.LB.X, info.RB.X);

    // Sides: the band between the top and bottom rows, repeated down (or stretched).
    const int64_t sideH = hl - topH - int64_t(p.Bottom.Height());
    const Rect sideRows{0, topH, 0, ph - fullBottomH};
    p.Left = TransparentImage(c.Left, sideH);
    if (!p.Left.Empty())
        FillDown(p.Left, {0, 0, p.Left.Width(), p.Left.Height()}, source, {0, sideRows.Top, c.Left, sideRows.Bottom},
                 info.FullStretch);
    p.Right = TransparentImage(int64_t(pw) - c.Right, sideH);
    if (!p.Right.Empty())
        FillDown(p.Right, {0, 0, p.Right.Width(), p.Right.Height()}, source,
                 {c.Right, sideRows.Top, pw, sideRows.Bottom}, info.FullStretch);

    for (Bitmap* b : {&p.Top, &p.Bottom, &p.Left, &p.Right}) Premultiply(*b);
    return p;
}

LayerPlaces PlaceLayerPieces(const Rect& outer, const LayerPieces& pieces) {
    LayerPlaces l;
    const int32_t x = outer.Left, y = outer.Top, wl = RectWidth(outer), hl = RectHeight(outer);
    const int32_t topH = pieces.Top.Height(), bottomH = pieces.Bottom.Height();
    const auto at = [](int32_t left, int32_t top, const Bitmap& b) {
        return Rect{left, top, left + b.Width(), top + b.Height()};
    };
    l.Top = at(x, y, pieces.Top);
    l.Bottom = at(x, y + hl - bottomH, pieces.Bottom);
    l.Left = at(x, y + topH, pieces.Left);
    l.Right = at(x + wl - pieces.Right.Width(), y + topH, pieces.Right);
    l.SidesShown = pieces.Left.Height() > 0 || pieces.Right.Height() > 0;
    return l;
}

Bitmap GlowImage(const Bitmap& picture, const Bitmap& mask) {
    Bitmap out = AlphaFromMask(picture, mask);
    Premultiply(out);
    return out;
}

std::vector<uint8_t> FadeInSteps(int32_t target) {
    const int32_t t = std::clamp(target, 0, 255);
    const int32_t step = std::max(1, t / 15);
    std::vector<uint8_t> steps;
    for (int32_t o = 0; o < t;) {
        o = std::min(o + step, t);
        steps.push_back(uint8_t(o));
    }
    return steps;
}

GlowFade::GlowFade(int32_t target)
    : target_(uint8_t(std::clamp(target, 0, 255))), step_(uint8_t(std::max(1, int32_t(target_) / 10))) {}

bool GlowFade::Tick() {
    if (Done()) return false;
    current_ = uint8_t(std::min<int32_t>(int32_t(current_) + step_, target_));
    return !Done();
}

}  // namespace tolvar
