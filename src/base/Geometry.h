#pragma once
#include <algorithm>
#include <cstdint>
#include <limits>

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

// The rectangle helpers of the skin engine. They compare edges directly instead of subtracting
// them, so that no rectangle, however extreme its coordinates, overflows.

constexpr bool IsEmptyRect(const Rect& r) { return r.Right <= r.Left || r.Bottom <= r.Top; }

// Half-open, as the rectangle itself: the right and bottom edges lie outside.
constexpr bool Contains(const Rect& r, const Point& p) {
    return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}

// Both corners of `a` tested against `b` with Contains, so no rectangle lies in itself (its
// bottom-right corner is outside).
constexpr bool RectInRect(const Rect& a, const Rect& b) {
    return Contains(b, {a.Left, a.Top}) && Contains(b, {a.Right, a.Bottom});
}

constexpr Rect OffsetRect(const Rect& r, int32_t dx, int32_t dy) {
    return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}

// Sums of skin values are done in 64 bits and brought back with Saturate: they stay in range
// for any real skin, and a hostile one saturates instead of wrapping around.
constexpr int32_t Saturate(int64_t v) {
    return int32_t(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}
constexpr int64_t Width64(const Rect& r) { return int64_t(r.Right) - r.Left; }
constexpr int64_t Height64(const Rect& r) { return int64_t(r.Bottom) - r.Top; }

// 0x00BBGGRR for an explicit colour (red in the low byte); 0xFF0000nn names system colour nn.
using Color = uint32_t;

constexpr Color RGBColor(uint8_t r, uint8_t g, uint8_t b) { return Color(r) | (Color(g) << 8) | (Color(b) << 16); }
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
