#include "FrameGeometry.h"

#include "skin/controls/SkinGeometry.h"
#include "skin/data/SkinData.h"

namespace tolvar {

namespace {

Point Moved(Point p, int64_t dx, int64_t dy) { return {Saturate(p.X + dx), Saturate(p.Y + dy)}; }

Rect Moved(const Rect& r, int64_t dx, int64_t dy) {
    return {Saturate(r.Left + dx), Saturate(r.Top + dy), Saturate(r.Right + dx), Saturate(r.Bottom + dy)};
}

Rect Grown(const Rect& r, int64_t dx, int64_t dy) {
    return {r.Left, r.Top, Saturate(r.Right + dx), Saturate(r.Bottom + dy)};
}

}  // namespace

FrameSkinInfo FrameSkinInfo::From(const TskSkinData& s) {
    FrameSkinInfo f;
    f.PictureWidth = s.MainPicture.Width();
    f.PictureHeight = s.MainPicture.Height();
    f.MaskWidth = s.MaskPicture.Width();
    f.MaskHeight = s.MaskPicture.Height();
    f.LT = s.lefttoppoint;
    f.RT = s.righttoppoint;
    f.LB = s.leftbottompoint;
    f.RB = s.rightbottompoint;
    f.ClientRect = s.clientrect;
    f.CaptionRect = s.captionrect;
    f.ButtonsRect = s.buttonsrect;
    f.MaskRectArea = s.maskrectarea;
    f.HitLT = s.hittestlefttoppoint;
    f.HitRT = s.hittestrighttoppoint;
    f.HitLB = s.hittestleftbottompoint;
    f.HitRB = s.hittestrightbottompoint;
    f.BorderWidth = s.borderwidth;
    f.FormMinWidth = s.formminwidth;
    f.FormMinHeight = s.formminheight;
    f.ButtonsOffset = s.buttonsoffset;
    f.ButtonsInLeft = s.buttonsinleft;
    return f;
}

FrameGeometry ComputeFrameGeometry(const FrameSkinInfo& skin, int32_t frameWidth, int32_t frameHeight) {
    const int64_t dx = int64_t(frameWidth) - skin.PictureWidth;
    const int64_t dy = int64_t(frameHeight) - skin.PictureHeight;
    FrameGeometry g;
    // The corner points and the client rect move as a nine-slice piece of the picture's size.
    const PieceGeometry piece = FramePiece(skin, skin.PictureWidth, skin.PictureHeight, skin.ClientRect);
    TargetGeometry target;
    int32_t w = frameWidth, h = frameHeight;
    FitGeometry(smBoth, piece, target, w, h);
    g.SizedLT = target.LT;
    g.SizedRT = target.RT;
    g.SizedLB = target.LB;
    g.SizedRB = target.RB;
    g.SizedClientRect = target.ClientRect;

    g.SizedCaptionRect = IsEmptyRect(skin.CaptionRect) ? skin.CaptionRect : Grown(skin.CaptionRect, dx, 0);
    const int32_t half = skin.PictureWidth / 2;
    const bool hasButtons = !IsEmptyRect(skin.ButtonsRect);
    g.SizedButtonsRect = hasButtons && skin.ButtonsRect.Left > half ? Moved(skin.ButtonsRect, dx, 0) : skin.ButtonsRect;
    g.ButtonsInLeftHalf = hasButtons && skin.ButtonsRect.Left < half;
    g.SizedMaskRect = Grown(skin.MaskRectArea, dx, dy);
    g.SizedHitLT = skin.HitLT;
    g.SizedHitRT = Moved(skin.HitRT, dx, 0);
    g.SizedHitLB = Moved(skin.HitLB, 0, dy);
    g.SizedHitRB = Moved(skin.HitRB, dx, dy);
    return g;
}

PieceGeometry FramePiece(const FrameSkinInfo& skin, int32_t width, int32_t height, const Rect& inner) {
    return {{0, 0, width, height}, skin.LT, skin.RT, skin.LB, skin.RB, inner};
}

TargetGeometry FrameTarget(const FrameGeometry& g, const Rect& sizedInner) {
    return {g.SizedLT, g.SizedRT, g.SizedLB, g.SizedRB, sizedInner};
}

Rect PlaceByCorners(const FrameSkinInfo& skin, const Rect& r, int32_t frameWidth, int32_t frameHeight) {
    const int64_t dx = int64_t(frameWidth) - skin.PictureWidth;
    const int64_t dy = int64_t(frameHeight) - skin.PictureHeight;
    const int32_t W = skin.PictureWidth, H = skin.PictureHeight;
    const Rect topLeft{0, 0, skin.LT.X, skin.LT.Y};
    const Rect topRight{skin.RT.X, 0, W, skin.RT.Y};
    const Rect bottomLeft{0, skin.LB.Y, skin.LB.X, H};
    const Rect bottomRight{skin.RB.X, skin.RB.Y, W, H};
    const Point a{r.Left, r.Top}, b{r.Right, r.Bottom};
    const auto both = [&](const Rect& region) { return Contains(region, a) && Contains(region, b); };
    if (both(topLeft)) return r;
    if (both(topRight)) return Moved(r, dx, 0);
    if (both(bottomLeft)) return Moved(r, 0, dy);
    if (both(bottomRight)) return Moved(r, dx, dy);
    const auto in = [](const Rect& region, Point p) { return Contains(region, p); };
    if (in(topLeft, a) && in(bottomRight, b)) return Grown(r, dx, dy);
    if (in(topLeft, a) && in(topRight, b)) return Grown(r, dx, 0);
    if (in(bottomLeft, a) && in(bottomRight, b)) return Grown(Moved(r, 0, dy), dx, 0);
    if (in(topLeft, a) && in(bottomLeft, b)) return Grown(r, 0, dy);
    if (in(topRight, a) && in(bottomRight, b)) return Grown(Moved(r, dx, 0), 0, dy);
    return r;
}

}  // namespace tolvar
