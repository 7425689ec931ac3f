#include "SkinGeometry.h"

#include "BitmapDrawing.h"

namespace tolvar {

namespace {

int32_t Add(int32_t a, int64_t b) { return Saturate(int64_t(a) + b); }

}  // namespace

SizingMode GetSizingMode(const PieceGeometry& piece) {
    if (IsEmptyRect(piece.SkinRect)) return smNone;
    if (piece.RB.X != 0 && piece.RB.Y != 0) return smBoth;
    if (piece.RT.X != 0 || piece.RT.Y != 0) return smHorizontal;
    if (piece.LB.X != 0 || piece.LB.Y != 0) return smVertical;
    return smFixed;
}

void FitGeometry(SizingMode mode, const PieceGeometry& piece, TargetGeometry& target, int32_t& width, int32_t& height) {
    const Rect& s = piece.SkinRect;
    const Rect& c = piece.ClientRect;
    const int64_t pieceWidth = int64_t(s.Right) - s.Left;
    const int64_t pieceHeight = int64_t(s.Bottom) - s.Top;
    const int64_t dx = int64_t(width) - pieceWidth;
    const int64_t dy = int64_t(height) - pieceHeight;
    switch (mode) {
    case smBoth:
        target.LT = piece.LT;
        target.RT = {Add(piece.RT.X, dx), piece.RT.Y};
        target.LB = {piece.LB.X, Add(piece.LB.Y, dy)};
        target.RB = {Add(piece.RB.X, dx), Add(piece.RB.Y, dy)};
        target.ClientRect = {c.Left, c.Top, Add(c.Right, dx), Add(c.Bottom, dy)};
        break;
    case smHorizontal:
        target.LT = piece.LT;
        target.RT = {Add(piece.RT.X, dx), piece.RT.Y};
        target.ClientRect = {c.Left, c.Top, Add(c.Right, dx), c.Bottom};
        height = Saturate(pieceHeight);
        break;
    case smVertical:
        target.LT = piece.LT;
        target.LB = {piece.LB.X, Add(piece.LB.Y, dy)};
        target.ClientRect = {c.Left, c.Top, c.Right, Add(c.Bottom, dy)};
        width = Saturate(pieceWidth);
        break;
    case smFixed:
        target.ClientRect = c;
        width = Saturate(pieceWidth);
        height = Saturate(pieceHeight);
        break;
    case smNone: break;
    }
}

}  // namespace tolvar
