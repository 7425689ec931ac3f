#include "CaptionText.h"

#include <algorithm>
#include <cmath>

#include "ImageEffects.h"
#include "skin/controls/BitmapDrawing.h"
#include "skin/controls/BitmapFill.h"
#include "skin/controls/SkinComposition.h"
#include "skin/data/SkinObjectRecords.h"

namespace tolvar {

namespace {

constexpr Color kRed = RGBColor(255, 0, 0);
const std::string kEllipsis = "...";

// The halo's size comes from the skin; past this it only costs memory and time, so a larger
// value is taken as this one.
constexpr int32_t kMaxHaloSize = 64;
// The plate glow's fixed margin, the blur that softens it, and the plate around the text.
constexpr int32_t kPlateGlowMargin = 12;
constexpr int32_t kPlateGlowBlur = 6;
constexpr int32_t kPlateWiden = 3;
constexpr int32_t kPlateNarrow = 2;

TextFont InColor(TextFont font, Color c) {
    font.Color = c;
    return font;
}

// The red channel of an image the text was drawn on in pure red: how much of each pixel the
// text covers.
AlphaPlane RedPlane(const Bitmap& image) {
    AlphaPlane plane(image.Width(), image.Height());
    for (int32_t y = 0; y < plane.Height; ++y)
        for (int32_t x = 0; x < plane.Width; ++x) plane.At(x, y) = PixelR(image.At(x, y));
    return plane;
}

}  // namespace

Rect CaptionTextArea(const TskDataSkinCaption& caption, const Rect& objectRect, int32_t quickButtons,
                     int32_t quickImageWidth) {
    Rect area = caption.textrect;
    if (IsEmptyRect(area)) return area;
    // The caption grows with the window and its text area with it.
    area.Right = Saturate(Width64(objectRect) + caption.textrect.Right - Width64(caption.skinrect));
    if (quickButtons > 0) area.Left = Saturate(area.Left + int64_t(quickButtons) * (int64_t(quickImageWidth) + 8));
    if (!IsEmptyRect(caption.framerect)) {
        area.Left = Saturate(int64_t(area.Left) + caption.frametextrect.Left);
        area.Top = Saturate(int64_t(area.Top) + caption.frametextrect.Top);
        area.Right = Saturate(int64_t(area.Right) + caption.frametextrect.Right - Width64(caption.framerect));
    }
    return area;
}

std::string FitCaptionText(TextRenderer& text, const TextFont& font, const std::string& caption, int32_t width) {
    if (text.Measure(font, caption).Width <= width) return caption;
    std::string shortened = caption;
    while (!shortened.empty()) {
        shortened.pop_back();
        if (text.Measure(font, shortened + kEllipsis).Width <= width) return shortened + kEllipsis;
    }
    // Not even the ellipsis fits: drawing it would run over whatever lies beside the area.
    if (text.Measure(font, kEllipsis).Width > width) return {};
    return kEllipsis;
}

Point PlaceCaptionText(const TextExtent& extent, const Rect& area, TextAlign align, bool centred, int32_t fontHeight) {
    int64_t y = int64_t(area.Top) + Height64(area) / 2 - extent.Height / 2;
    if (fontHeight % 2 != 0) --y;
    int64_t x = area.Left;
    if (centred || align == taCenter) x = int64_t(area.Left) + Width64(area) / 2 - extent.Width / 2;
    else if (align == taRightJustify) x = int64_t(area.Right) - extent.Width;
    return {Saturate(x), Saturate(y)};
}

void DrawCaptionText(Bitmap& target, TextRenderer& text, const TskDataSkinCaption& caption,
                     const CaptionTextRequest& request) {
    if (request.Text.empty() || IsEmptyRect(request.TextArea)) return;
    const TextFont& font = request.Font;
    const bool active = request.Active;
    const std::string s = FitCaptionText(text, font, request.Text, RectWidth(request.TextArea));
    if (s.empty()) return;
    const TextExtent extent = text.Measure(font, s);
    const Point placed = PlaceCaptionText(extent, request.TextArea, caption.alignment, request.Centred, font.Height);
    const int32_t x = Saturate(int64_t(placed.X) + request.Origin.X);
    const int32_t y = Saturate(int64_t(placed.Y) + request.Origin.Y);

    // The plate behind the text.
    const Rect& plate = active && !IsEmptyRect(caption.activeframerect) ? caption.activeframerect : caption.framerect;
    if (!IsEmptyRect(plate) && request.ActivePicture && !request.ActivePicture->Empty()) {
        int64_t width = int64_t(extent.Width) + Width64(plate) - Width64(caption.frametextrect);
        Point at{Saturate(int64_t(x) - caption.frametextrect.Left), Saturate(int64_t(y) - caption.frametextrect.Top)};
        if (caption.fullframe) {
            width = int64_t(request.CaptionWidth) - 2 * int64_t(request.ButtonsOffset);
            at.X = Saturate(int64_t(request.Origin.X) + request.ButtonsOffset);
        }
        // Never wider than the target it goes on, however the skin's numbers add up.
        width = std::min<int64_t>(width, target.Width());
        if (width > 0) {
            Bitmap piece;
            ComposeThreeSliceH(caption.frameleftoffset, caption.framerightoffset, piece, caption.stretcheffect,
                               int32_t(width), plate, *request.ActivePicture);
            PlaceBitmap(target, at, piece);
        }
    }

    if (caption.light)
        text.Draw(target, InColor(font, active ? caption.activelightcolor : caption.lightcolor), {x - 1, y - 1}, s);
    if (caption.shadow)
        text.Draw(target, InColor(font, active ? caption.activeshadowcolor : caption.shadowcolor), {x + 1, y + 1}, s);

    const Color glow = active ? caption.glowactivecolor : caption.glowcolor;
    if (caption.reflectioneffect)
        DrawReflectedText(target, text, font,
                          {x, y, Saturate(int64_t(x) + extent.Width), Saturate(int64_t(y) + extent.Height)}, s,
                          active ? caption.reflactionactivecolor : caption.reflactioncolor, caption.reflectionoffset);
    else if (caption.vistagloweffect && (active || caption.vistaglowinactiveeffect))
        DrawPlateGlowText(target, text, font, {x, y}, s, glow);
    else if (caption.gloweffect && (active || caption.glowinactiveeffect))
        DrawHaloText(target, text, font, {x, y}, s, caption.glowsize, glow, caption.glowoffset);
    else text.Draw(target, font, {x, y}, s);
}

void DrawReflectedText(Bitmap& target, TextRenderer& text, const TextFont& font, const Rect& r, std::string_view s,
                       Color c, int32_t offset) {
    const int32_t w = RectWidth(r), rows = RectHeight(r);
    if (w > 0 && rows > 0) {
        Bitmap image(w, rows);
        text.Draw(image, InColor(font, kRed), {0, 0}, s);
        const int32_t h = text.Measure(font, s).Height;
        AlphaPlane plane(w, rows);
        for (int32_t i = 0; i < rows && h > 0; ++i) {
            if (i > h) break;  // below the text: transparent
            const double f = 0.7 - double(h - i) / double(h);
            if (f <= 0.0) continue;
            // Row i lands mirrored: the text's foot comes first.
            const int32_t mirrored = rows - 1 - i;
            for (int32_t x = 0; x < w; ++x) plane.At(x, mirrored) = uint8_t(std::nearbyint(PixelR(image.At(x, i)) * f));
        }
        BlendColorThroughPlane(target, {r.Left, Saturate(int64_t(r.Bottom) + offset)}, plane, c);
    }
    text.Draw(target, font, {r.Left, r.Top}, s);
}

namespace {

// Colour `c` blended through a blurred red image of the text: the halo and the plate glow.
void GlowBehind(Bitmap& target, Point at, const Bitmap& red, int32_t blur, int32_t passes, Color c) {
    AlphaPlane plane = RedPlane(red);
    for (int32_t i = 0; i < passes; ++i) BlurPlane(plane, blur);
    BlendColorThroughPlane(target, at, plane, c);
}

}  // namespace

void DrawHaloText(Bitmap& target, TextRenderer& text, const TextFont& font, Point at, std::string_view s, int32_t size,
                  Color c, int32_t offset) {
    size = std::clamp(size, 0, kMaxHaloSize);
    const TextExtent e = text.Measure(font, s);
    if (e.Width > 0 && e.Height > 0) {
        Bitmap red(e.Width + 2 * size, e.Height + 2 * size);
        text.Draw(red, InColor(font, kRed), {size, size}, s);
        GlowBehind(target, {Saturate(int64_t(at.X) + offset - size), Saturate(int64_t(at.Y) + offset - size)}, red,
                   size, 1, c);
    }
    text.Draw(target, font, at, s);
}

void DrawPlateGlowText(Bitmap& target, TextRenderer& text, const TextFont& font, Point at, std::string_view s,
                       Color c) {
    const int32_t m = kPlateGlowMargin;
    const TextExtent e = text.Measure(font, s);
    if (e.Width > 0 && e.Height > 0) {
        Bitmap red(e.Width + 2 * m, e.Height + 2 * m);
        FillBitmapRect(red, {m - kPlateWiden, m + kPlateNarrow, m + e.Width + kPlateWiden, m + e.Height - kPlateNarrow},
                       ColorToPixel(kRed));
        const TextFont redFont = InColor(font, kRed);
        for (const Point d : {Point{0, 0}, Point{-1, 0}, Point{1, 0}, Point{0, -1}, Point{0, 1}})
            text.Draw(red, redFont, {m + d.X, m + d.Y}, s);
        GlowBehind(target, {Saturate(int64_t(at.X) - m), Saturate(int64_t(at.Y) - m)}, red, kPlateGlowBlur, 2, c);
    }
    text.Draw(target, font, at, s);
}

}  // namespace tolvar
