#pragma once
#include <windows.h>

#include "app/DibSection.h"
#include "app/Handles.h"
#include "skin/controls/TextRenderer.h"

namespace tolvar {

// Text through GDI: the platform's fonts and metrics, drawn onto a composed image by lending
// its pixels to a device-independent section for the length of one TextOut. The last font made
// is kept for the next call; a control paints its text in one font paint after paint.
class GdiTextRenderer : public TextRenderer {
public:
    GdiTextRenderer();
    TextExtent Measure(const TextFont& font, std::string_view text) override;
    void Draw(Bitmap& target, const TextFont& font, Point at, std::string_view text) override;

private:
    HFONT FontFor(const TextFont& font);
    // The renderer's section at the given size, made anew only when the size changes.
    bool SectionFor(int32_t width, int32_t height);

    UniqueMemoryDc dc_;
    TextFont fontSpec_;
    UniqueFont font_;
    TDibSection section_;
};

}  // namespace tolvar
