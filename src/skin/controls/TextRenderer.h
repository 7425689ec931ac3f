#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "base/Bitmap.h"
#include "base/Geometry.h"
#include "skin/data/SkinTypes.h"

namespace tolvar {

// A font as the skinned controls ask for one: the platform makes the real font from it.
struct TextFont {
    std::string Name = "Arial";
    int32_t Height = 14;  // cell height in pixels, as the platform's font height takes it
    FontStyles Style = 0;
    tolvar::Color Color = SystemColor(COLOR_INDEX_WINDOWTEXT);
    int32_t CharSet = 1;     // the platform's default character set
    int32_t Escapement = 0;  // tenths of a degree, counter-clockwise; 900 reads bottom to top
    friend bool operator==(const TextFont&, const TextFont&) = default;
};

struct TextExtent {
    int32_t Width = 0;
    int32_t Height = 0;
    friend bool operator==(const TextExtent&, const TextExtent&) = default;
};

// Text on a composed image. The controls position their text from the platform's own metrics,
// so measuring and drawing come from the same renderer: the Windows side uses GDI, tests a
// stand-in whose metrics they know.
class TextRenderer {
public:
    virtual ~TextRenderer() = default;
    // The text's width and height in `font`, measured along the text (a turned font measures
    // as if it were not turned).
    virtual TextExtent Measure(const TextFont& font, std::string_view text) = 0;
    // Draws the text in the font's colour with its starting point at `at`, background left as
    // it is. With an escapement of 900 the text runs upward from `at`, the tops of the letters
    // facing left.
    virtual void Draw(Bitmap& target, const TextFont& font, Point at, std::string_view text) = 0;
};

}  // namespace tolvar
