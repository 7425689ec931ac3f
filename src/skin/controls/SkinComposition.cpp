#include "SkinComposition.h"

#include <algorithm>

namespace tolvar {

namespace {

using detail::Box;
using detail::ToBox;

void Copy(Bitmap& target, const Box& to, const Bitmap& picture, const Box& from, const ClipRect& clip = std::nullopt) {
    detail::Transfer(target, to, picture, from, clip, nullptr);
}

// The columns (or rows) of the target that a drawing call can reach.
struct Reach {
    int64_t Low;
    int64_t High;
};

Reach ReachX(const Bitmap& target, const ClipRect& clip) {
    if (!clip) return {0, target.Width()};
    return {std::max<int64_t>(0, clip->Left), std::min<int64_t>(target.Width(), clip->Right)};
}

Reach ReachY(const Bitmap& target, const ClipRect& clip) {
    if (!clip) return {0, target.Height()};
    return {std::max<int64_t>(0, clip->Top), std::min<int64_t>(target.Height(), clip->Bottom)};
}

// The tiling rule: calls draw(start, cut) for tiles k = 0 .. (e - s) div length, tile k at
// s + k*length and cut where it would pass e. Tiles that lie wholly outside `reach` are skipped,
// since they would draw nothing; that keeps a vast span from looping for nothing.
template <class Draw>
void ForEachTile(int64_t length, int64_t s, int64_t e, Reach reach, Draw draw) {
    if (length <= 0) return;  // nothing to repeat, and nothing to divide the span by
    const int64_t n = (e - s) / length;
    if (n < 0) return;
    for (int64_t k = reach.Low > s ? (reach.Low - s) / length : 0; k <= n; ++k) {
        const int64_t start = s + k * length;
        if (start >= reach.High) break;
        draw(start, std::max<int64_t>(0, start + length - e));
    }
}

// Tiles `part` along x over s..e, each tile covering rows top..bottom of the target.
void TileX(Bitmap& target, const Bitmap& picture, const Box& part, int64_t s, int64_t e, int64_t top, int64_t bottom,
           const ClipRect& clip = std::nullopt) {
    const int64_t length = part.Right - part.Left;
    ForEachTile(length, s, e, ReachX(target, clip), [&](int64_t start, int64_t cut) {
        Copy(target, {start, top, start + length - cut, bottom}, picture,
             {part.Left, part.Top, part.Right - cut, part.Bottom}, clip);
    });
}

// Tiles `part` along y over s..e, each tile covering columns left..right of the target.
void TileY(Bitmap& target, const Bitmap& picture, const Box& part, int64_t s, int64_t e, int64_t left, int64_t right,
           const ClipRect& clip = std::nullopt) {
    const int64_t length = part.Bottom - part.Top;
    ForEachTile(length, s, e, ReachY(target, clip), [&](int64_t start, int64_t cut) {
        Copy(target, {left, start, right, start + length - cut}, picture,
             {part.Left, part.Top, part.Right, part.Bottom - cut}, clip);
    });
}

// Tiles `part` over `area` in both directions: columns by the tiling rule along x, and in each
// column the rows by the rule along y.
void TileBoth(Bitmap& target, const Bitmap& picture, const Box& part, const Box& area, const ClipRect& clip) {
    const int64_t width = part.Right - part.Left;
    ForEachTile(width, area.Left, area.Right, ReachX(target, clip), [&](int64_t start, int64_t cut) {
        const Box column{part.Left, part.Top, part.Right - cut, part.Bottom};
        TileY(target, picture, column, area.Top, area.Bottom, start, start + width - cut, clip);
    });
}

// A band middle: stretched into its target rectangle, or tiled along the band over it.
void BandMiddle(Bitmap& target, const Bitmap& picture, const Box& from, const Box& to, bool stretch, bool alongX) {
    if (stretch) Copy(target, to, picture, from);
    else if (alongX) TileX(target, picture, from, to.Left, to.Right, to.Top, to.Bottom);
    else TileY(target, picture, from, to.Top, to.Bottom, to.Left, to.Right);
}

ClipRect Narrowed(const ClipRect& clip, const Box& area) {
    Rect r{Saturate(area.Left), Saturate(area.Top), Saturate(area.Right), Saturate(area.Bottom)};
    if (clip) {
        r.Left = std::max(r.Left, clip->Left);
        r.Top = std::max(r.Top, clip->Top);
        r.Right = std::min(r.Right, clip->Right);
        r.Bottom = std::min(r.Bottom, clip->Bottom);
    }
    return r;
}

void FillClient(Bitmap& target, const Bitmap& picture, const Box& piece, const Box& area, bool stretchEffect,
                StretchMode stretchType, const ClipRect& clip) {
    if (!stretchEffect) {
        TileBoth(target, picture, piece, area, clip);
        return;
    }
    if (area.Right <= area.Left || area.Bottom <= area.Top) return;
    // The strips of stHorz and stVert are the piece scaled across one axis and laid 1:1 along
    // the other; scaling the piece straight into each strip's place gives the same pixels
    // without a temporary bitmap per strip.
    const int64_t pieceWidth = piece.Right - piece.Left;
    const int64_t pieceHeight = piece.Bottom - piece.Top;
    switch (stretchType) {
    case stFull: Copy(target, area, picture, piece, clip); break;
    case stHorz: {
        const ClipRect inside = Narrowed(clip, area);
        ForEachTile(pieceWidth, area.Left, area.Right, ReachX(target, inside), [&](int64_t x, int64_t) {
            Copy(target, {x, area.Top, x + pieceWidth, area.Bottom}, picture, piece, inside);
        });
        break;
    }
    case stVert: {
        const ClipRect inside = Narrowed(clip, area);
        ForEachTile(pieceHeight, area.Top, area.Bottom, ReachY(target, inside), [&](int64_t y, int64_t) {
            Copy(target, {area.Left, y, area.Right, y + pieceHeight}, picture, piece, inside);
        });
        break;
    }
    default: break;
    }
}

}  // namespace

void ComposeThreeSliceH(int32_t leftCap, int32_t rightCap, Bitmap& target, bool stretch, int32_t width,
                        const Rect& sourceRect, const Bitmap& picture) {
    const Box r = ToBox(sourceRect);
    const int64_t w = width, h = r.Bottom - r.Top;
    ResizeKeepingContent(target, width, Saturate(h));
    if (leftCap != 0) Copy(target, {0, 0, leftCap, h}, picture, {r.Left, r.Top, r.Left + leftCap, r.Bottom});
    if (rightCap != 0) Copy(target, {w - rightCap, 0, w, h}, picture, {r.Right - rightCap, r.Top, r.Right, r.Bottom});
    // A middle of no width draws nothing either way: stretching it has no source, and its
    // one-pixel tiles would copy nothing.
    const Box middle{r.Left + leftCap, r.Top, r.Right - rightCap, r.Bottom};
    BandMiddle(target, picture, middle, {leftCap, 0, w - rightCap, h}, stretch, true);
}

void ComposeThreeSliceV(int32_t topCap, int32_t bottomCap, Bitmap& target, bool stretch, int32_t height,
                        const Rect& sourceRect, const Bitmap& picture) {
    const Box r = ToBox(sourceRect);
    const int64_t w = r.Right - r.Left, h = height;
    ResizeKeepingContent(target, Saturate(w), height);
    if (topCap != 0) Copy(target, {0, 0, w, topCap}, picture, {r.Left, r.Top, r.Right, r.Top + topCap});
    if (bottomCap != 0)
        Copy(target, {0, h - bottomCap, w, h}, picture, {r.Left, r.Bottom - bottomCap, r.Right, r.Bottom});
    const Box middle{r.Left, r.Top + topCap, r.Right, r.Bottom - bottomCap};
    BandMiddle(target, picture, middle, {0, topCap, w, h - bottomCap}, stretch, false);
}

void ComposeNineSlice(const PieceGeometry& piece, const TargetGeometry& fitted, const Bitmap& picture, Bitmap& target,
                      int32_t width, int32_t height, BandStretch bands, bool stretchEffect, StretchMode stretchType,
                      bool drawClient) {
    ResizeKeepingContent(target, width, height);
    const Point &lt = piece.LT, &rt = piece.RT, &lb = piece.LB, &rb = piece.RB;
    if (rb.X == lt.X || rb.Y == lt.Y || picture.Empty()) return;

    const Box s = ToBox(piece.SkinRect);
    const Box c = ToBox(piece.ClientRect);
    const Box t = ToBox(fitted.ClientRect);
    const int64_t sx = s.Left, sy = s.Top, w = width, h = height;
    const Point &lt2 = fitted.LT, &rt2 = fitted.RT, &lb2 = fitted.LB, &rb2 = fitted.RB;

    // The band middles first; the fixed ends go over them where a small target makes them meet.
    BandMiddle(target, picture, {sx + lt.X, sy, sx + rt.X, sy + c.Top}, {lt2.X, 0, rt2.X, t.Top}, bands.Top, true);
    BandMiddle(target, picture, {sx + lb.X, sy + c.Bottom, sx + rb.X, s.Bottom}, {lb2.X, t.Bottom, rb2.X, h},
               bands.Bottom, true);
    BandMiddle(target, picture, {sx, sy + lt.Y, sx + c.Left, sy + lb.Y}, {0, lt2.Y, t.Left, lb2.Y}, bands.Left, false);
    BandMiddle(target, picture, {sx + c.Right, sy + rt.Y, s.Right, sy + rb.Y}, {t.Right, rt2.Y, w, rb2.Y}, bands.Right,
               false);

    // The fixed ends. The top band owns both top corners, the left band the bottom-left one and
    // the bottom band the bottom-right one.
    Copy(target, {0, 0, lt2.X, t.Top}, picture, {sx, sy, sx + lt.X, sy + c.Top});
    Copy(target, {0, t.Top, t.Left, lt2.Y}, picture, {sx, sy + c.Top, sx + c.Left, sy + lt.Y});
    Copy(target, {rt2.X, 0, w, t.Top}, picture, {sx + rt.X, sy, s.Right, sy + c.Top});
    Copy(target, {t.Right, t.Top, w, rt2.Y}, picture, {sx + c.Right, sy + c.Top, s.Right, sy + rt.Y});
    Copy(target, {0, lb2.Y, t.Left, h}, picture, {sx, sy + lb.Y, sx + c.Left, s.Bottom});
    Copy(target, {t.Left, t.Bottom, lb2.X, h}, picture, {sx + c.Left, sy + c.Bottom, sx + lb.X, s.Bottom});
    Copy(target, {rb2.X, t.Bottom, w, h}, picture, {sx + rb.X, sy + c.Bottom, s.Right, s.Bottom});
    Copy(target, {t.Right, rb2.Y, w, t.Bottom}, picture, {sx + c.Right, sy + rb.Y, s.Right, sy + c.Bottom});

    if (drawClient)
        FillClient(target, picture, {sx + c.Left, sy + c.Top, sx + c.Right, sy + c.Bottom}, t, stretchEffect,
                   stretchType, std::nullopt);
}

void ComposeBorderStrips(const PieceGeometry& piece, const TargetGeometry& fitted, const Bitmap& picture, int32_t width,
                         int32_t height, BandStretch bands, BorderStrips& strips, const ClipRect& clip) {
    const Point &lt = piece.LT, &rt = piece.RT, &lb = piece.LB, &rb = piece.RB;
    const Box s = ToBox(piece.SkinRect);
    const Box c = ToBox(piece.ClientRect);
    const Box t = ToBox(fitted.ClientRect);
    const int64_t sx = s.Left, sy = s.Top, w = width, h = height;
    const Point &lt2 = fitted.LT, &rt2 = fitted.RT, &lb2 = fitted.LB, &rb2 = fitted.RB;
    // The clip as a strip placed at (x, y) sees it; nothing when the strip lies outside it.
    struct StripClip {
        ClipRect rect;
        bool draws = true;
    };
    const auto clipFor = [&](const Bitmap& strip, int64_t x, int64_t y) -> StripClip {
        if (!clip) return {};
        const Rect r{Saturate(clip->Left - x), Saturate(clip->Top - y), Saturate(clip->Right - x),
                     Saturate(clip->Bottom - y)};
        const bool meets =
            r.Left < strip.Width() && r.Right > 0 && r.Top < strip.Height() && r.Bottom > 0 && !IsEmptyRect(r);
        return {r, meets};
    };

    // Unlike the nine-slice, a tiled middle covers the whole strip from its origin and the ends
    // are copied over it afterwards.
    if (w > 0 && t.Top > 0 && rt.X - lt.X > 0) {
        Bitmap& strip = strips.Top;
        const int64_t sh = t.Top;
        ResizeKeepingContent(strip, width, Saturate(sh));
        if (const StripClip k = clipFor(strip, 0, 0); k.draws) {
            const Box middle{sx + lt.X, sy, sx + rt.X, sy + sh};
            if (bands.Top) Copy(strip, {lt2.X, 0, rt2.X, sh}, picture, middle, k.rect);
            else TileX(strip, picture, middle, 0, w, 0, sh, k.rect);
            Copy(strip, {0, 0, lt2.X, sh}, picture, {sx, sy, sx + lt.X, sy + sh}, k.rect);
            Copy(strip, {rt2.X, 0, w, sh}, picture, {sx + rt.X, sy, s.Right, sy + sh}, k.rect);
        }
    }
    if (const int64_t sh = h - t.Bottom; w > 0 && sh > 0 && rb.X - lb.X > 0) {
        Bitmap& strip = strips.Bottom;
        ResizeKeepingContent(strip, width, Saturate(sh));
        if (const StripClip k = clipFor(strip, 0, h - strip.Height()); k.draws) {
            const Box middle{sx + lb.X, s.Bottom - sh, sx + rb.X, s.Bottom};
            if (bands.Bottom) Copy(strip, {lb2.X, 0, rb2.X, sh}, picture, middle, k.rect);
            else TileX(strip, picture, middle, 0, w, 0, sh, k.rect);
            Copy(strip, {0, 0, lb2.X, sh}, picture, {sx, s.Bottom - sh, sx + lb.X, s.Bottom}, k.rect);
            Copy(strip, {rb2.X, 0, w, sh}, picture, {sx + rb.X, s.Bottom - sh, s.Right, s.Bottom}, k.rect);
        }
    }

    // The sides fill what the top and bottom strips leave, as they now are (a skipped strip
    // keeps its old height).
    const int64_t top = strips.Top.Height();
    const int64_t sideHeight = h - top - strips.Bottom.Height();
    const auto side = [&](Bitmap& strip, int64_t sw, int64_t left, int64_t right, int64_t upper, int64_t lower,
                          bool stretch, bool atRight) {
        // `left`..`right` are the strip's columns in the picture, `upper` and `lower` the piece
        // rows where its fixed upper part ends and its fixed lower part starts.
        const int64_t sh = sideHeight;
        if (!(sw > 0 && sh > 0 && lower - upper > 0)) return;
        ResizeKeepingContent(strip, Saturate(sw), Saturate(sh));
        const StripClip k = clipFor(strip, atRight ? w - strip.Width() : 0, top);
        if (!k.draws) return;
        const int64_t head = upper - c.Top, tail = c.Bottom - lower;
        const Box middle{left, sy + upper, right, sy + lower};
        if (stretch) Copy(strip, {0, head, sw, sh - tail}, picture, middle, k.rect);
        else TileY(strip, picture, middle, 0, sh, 0, sw, k.rect);
        if (head > 0) Copy(strip, {0, 0, sw, head}, picture, {left, sy + c.Top, right, sy + upper}, k.rect);
        if (tail > 0) Copy(strip, {0, sh - tail, sw, sh}, picture, {left, sy + lower, right, sy + c.Bottom}, k.rect);
    };
    side(strips.Left, t.Left, sx, sx + t.Left, lt.Y, lb.Y, bands.Left, false);
    side(strips.Right, w - t.Right, sx + c.Right, s.Right, rt.Y, rb.Y, bands.Right, true);
}

void ComposeStretchedRect(Bitmap& target, const Bitmap& picture, const Rect& sourceRect, const Rect& innerRect,
                          bool drawClient) {
    const Rect& i = innerRect;
    const PieceGeometry piece{sourceRect,         {i.Left, i.Top},     {i.Right, i.Top},
                              {i.Left, i.Bottom}, {i.Right, i.Bottom}, i};
    const int64_t right = int64_t(target.Width()) - (int64_t(sourceRect.Right) - sourceRect.Left - i.Right);
    const int64_t bottom = int64_t(target.Height()) - (int64_t(sourceRect.Bottom) - sourceRect.Top - i.Bottom);
    const Rect c{i.Left, i.Top, Saturate(right), Saturate(bottom)};
    const TargetGeometry fitted{{c.Left, c.Top}, {c.Right, c.Top}, {c.Left, c.Bottom}, {c.Right, c.Bottom}, c};
    ComposeNineSlice(piece, fitted, picture, target, target.Width(), target.Height(), {true, true, true, true}, true,
                     stFull, drawClient);
}

void FillClientPiece(Bitmap& target, const Bitmap& picture, const Rect& piece, const Rect& area, bool stretchEffect,
                     StretchMode stretchType, const ClipRect& clip) {
    FillClient(target, picture, ToBox(piece), ToBox(area), stretchEffect, stretchType, clip);
}

void TileBitmapRectX(Bitmap& target, const Rect& area, const Bitmap& picture, const Rect& part, const ClipRect& clip) {
    TileX(target, picture, ToBox(part), area.Left, area.Right, area.Top, area.Bottom, clip);
}

void TileBitmapRectY(Bitmap& target, const Rect& area, const Bitmap& picture, const Rect& part, const ClipRect& clip) {
    TileY(target, picture, ToBox(part), area.Top, area.Bottom, area.Left, area.Right, clip);
}

}  // namespace tolvar
