#include "GdiTextRenderer.h"

#include <algorithm>
#include <cstring>

namespace tolvar {

GdiTextRenderer::GdiTextRenderer() : dc_(CreateCompatibleDC(nullptr)) {}

HFONT GdiTextRenderer::FontFor(const TextFont& font) {
    if (font_ && font == fontSpec_) return font_.Get();
    LOGFONTA lf{};
    lf.lfHeight = font.Height;
    lf.lfEscapement = font.Escapement;
    lf.lfOrientation = font.Escapement;
    lf.lfWeight = (font.Style & fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (font.Style & fsItalic) ? TRUE : FALSE;
    lf.lfUnderline = (font.Style & fsUnderline) ? TRUE : FALSE;
    lf.lfStrikeOut = (font.Style & fsStrikeOut) ? TRUE : FALSE;
    lf.lfCharSet = BYTE(font.CharSet);
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH;
    std::strncpy(lf.lfFaceName, font.Name.c_str(), LF_FACESIZE - 1);
    UniqueFont made(CreateFontIndirectA(&lf));
    if (!made) return nullptr;
    font_ = std::move(made);  // the previous font is deleted here; it is not selected anywhere
    fontSpec_ = font;
    return font_.Get();
}

TextExtent GdiTextRenderer::Measure(const TextFont& font, std::string_view text) {
    HFONT f = FontFor(font);
    if (!dc_ || !f) return {};
    SelectGuard selected(dc_.Get(), f);
    SIZE size{0, 0};
    GetTextExtentPoint32A(dc_.Get(), text.data(), int(text.size()), &size);
    return {size.cx, size.cy};
}

bool GdiTextRenderer::SectionFor(int32_t width, int32_t height) {
    if (section_ && section_.Width() == width && section_.Height() == height) return true;
    TDibSection made(width, height, dc_.Get());
    if (!made) return false;
    section_ = std::move(made);
    return true;
}

void GdiTextRenderer::Draw(Bitmap& target, const TextFont& font, Point at, std::string_view text) {
    if (target.Empty() || text.empty() || !dc_) return;
    HFONT f = FontFor(font);
    if (!f || !SectionFor(target.Width(), target.Height())) return;
    section_.Load(target);
    {
        SelectGuard section(dc_.Get(), section_.Handle());
        SelectGuard selected(dc_.Get(), f);
        SetBkMode(dc_.Get(), TRANSPARENT);
        SetTextAlign(dc_.Get(), TA_LEFT | TA_TOP | TA_NOUPDATECP);
        SetTextColor(dc_.Get(), COLORREF(ResolveColor(font.Color)));
        TextOutA(dc_.Get(), at.X, at.Y, text.data(), int(text.size()));
    }
    section_.StoreColours(target);
}

}  // namespace tolvar
