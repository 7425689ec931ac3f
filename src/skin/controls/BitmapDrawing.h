#pragma once
#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>

#include "base/Bitmap.h"
#include "base/Geometry.h"

namespace tolvar {

// The three drawing primitives the composition needs of a bitmap: copy (which scales when the
// rectangles differ in size), stretch and place. Every one of them writes only inside the target
// bitmap, and inside `clip` too when one is given (target coordinates), and never reads outside
// the source: a target pixel whose source pixel lies outside the source bitmap is left as it
// was. A rectangle with zero or negative width or height transfers nothing. When both bitmaps
// have an alpha plane, each pixel's alpha moves with its colour; otherwise the target's alpha
// plane, if it has one, is left alone.
//
// Scaling is nearest neighbour, whole rows and columns dropped or repeated, no smoothing: target
// pixel (x, y) of the target rectangle D takes source pixel
//     (S.Left + (x - D.Left) * RectWidth(S) div RectWidth(D),
//      S.Top  + (y - D.Top)  * RectHeight(S) div RectHeight(D))
// of the source rectangle S, in exact integer arithmetic. The first column and row of D thus
// take the first ones of S, and equal sizes move pixels 1:1. Clipping cuts the visible part out
// of that mapping without shifting it.
//
// Target and source may be the same bitmap: the source is then read as it was before the call.
using ClipRect = std::optional<Rect>;

// Sizes a bitmap the way a composition "sizes its target": the same size changes nothing, and a
// new size keeps the old picture where the two overlap. New pixels are 0; a bitmap with an alpha
// plane keeps it, new pixels opaque.
//
// Sizes come from skin rectangles and points, which a damaged skin may make absurd. No window
// shows more than kMaxComposedSide pixels along a side or kMaxComposedPixels in all (a 5K screen
// has fewer), so a size past them is cut to them: the composition then draws what fits, and a
// repaint never asks for gigabytes nor fails.
constexpr int32_t kMaxComposedSide = 16384;
constexpr int64_t kMaxComposedPixels = int64_t(1) << 24;
void BoundComposedSize(int32_t& width, int32_t& height);
void ResizeKeepingContent(Bitmap& bitmap, int32_t width, int32_t height);

// Copies `sourceRect` of `source` to `targetRect` of `target`; 1:1 when both have the same size,
// scaled by the rule above when they do not.
void CopyBitmapRect(Bitmap& target, const Rect& targetRect, const Bitmap& source, const Rect& sourceRect,
                    const ClipRect& clip = std::nullopt);

// The same transfer under the name its callers mean: a part that is scaled on purpose.
inline void StretchBitmapRect(Bitmap& target, const Rect& targetRect, const Bitmap& source, const Rect& sourceRect,
                              const ClipRect& clip = std::nullopt) {
    CopyBitmapRect(target, targetRect, source, sourceRect, clip);
}

// Scales the whole of `source` into `targetRect`.
void StretchBitmap(Bitmap& target, const Rect& targetRect, const Bitmap& source, const ClipRect& clip = std::nullopt);

// Draws `source` unscaled with its top-left corner at `at`.
void PlaceBitmap(Bitmap& target, Point at, const Bitmap& source, const ClipRect& clip = std::nullopt);

// As PlaceBitmap, but source pixels of exactly the colour `transparent` (its low 24 bits) leave
// the target as it was.
void PlaceBitmapTransparent(Bitmap& target, Point at, const Bitmap& source, Pixel transparent,
                            const ClipRect& clip = std::nullopt);

namespace detail {

// The composition computes its rectangles from sums of 32-bit skin values; it does so in 64 bits
// and hands the result over unchanged, so that no extreme value wraps around into the picture.
struct Box {
    int64_t Left = 0;
    int64_t Top = 0;
    int64_t Right = 0;
    int64_t Bottom = 0;
};

inline Box ToBox(const Rect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }

// The one transfer behind every primitive; `key`, when given, is the transparent colour.
void Transfer(Bitmap& target, const Box& targetBox, const Bitmap& source, const Box& sourceBox, const ClipRect& clip,
              const Pixel* key);

}  // namespace detail

}  // namespace tolvar
