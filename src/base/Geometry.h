#pragma once
#include <cstdint>

namespace tolvar {

// A point of the skin's and the window's coordinate spaces.
struct Point {
    int32_t X = 0;
    int32_t Y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// Left <= x < Right, Top <= y < Bottom. Nothing keeps the edges in order: a rectangle whose
// width or height is not positive is simply empty.
struct Rect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

constexpr int32_t RectWidth(const Rect& r) { return r.Right - r.Left; }
constexpr int32_t RectHeight(const Rect& r) { return r.Bottom - r.Top; }

// 0x00BBGGRR for an explicit colour (red in the low byte); 0xFF0000nn names system colour nn.
using Color = uint32_t;

constexpr Color RGBColor(uint8_t r, uint8_t g, uint8_t b) {
    return Color(r) | (Color(g) << 8) | (Color(b) << 16);
}
constexpr bool IsSystemColor(Color c) { return (c & 0xFF000000u) == 0xFF000000u; }
constexpr Color SystemColor(uint8_t index) { return 0xFF000000u | index; }

// The system colour numbers the skin engine names.
enum SystemColorIndex : uint8_t {
    COLOR_INDEX_WINDOW = 5,
    COLOR_INDEX_WINDOWTEXT = 8,
    COLOR_INDEX_HIGHLIGHT = 13,
    COLOR_INDEX_HIGHLIGHTTEXT = 14,
    COLOR_INDEX_BTNFACE = 15,
    COLOR_INDEX_BTNSHADOW = 16,
    COLOR_INDEX_BTNTEXT = 18,
    COLOR_INDEX_BTNHIGHLIGHT = 20,
};

}  // namespace tolvar
