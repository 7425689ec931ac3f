#include "SkinCustomControlLogic.h"

#include "BitmapDrawing.h"
#include "BitmapFill.h"
#include "MaskRegion.h"
#include "skin/data/SkinData.h"

namespace tolvar {

namespace {

// Widths and heights of skin rectangles, which a hostile description can make overflow.

const Bitmap& NoPicture() {
    static const Bitmap none;
    return none;
}

}  // namespace

const Bitmap& SkinCustomControlLogic::Source() const { return picture_ ? *picture_ : NoPicture(); }

void SkinCustomControlLogic::SetDefaultFont(const TextFont& font) {
    defaultFont_ = font;
    DefaultFontChanged();
    if (!HasSkinRecord()) Host().RepaintNow();
}

void SkinCustomControlLogic::SetDefaultWidth(int32_t width) {
    defaultWidth_ = width;
    if (!HasSkinRecord() && width > 0) SetWidth(width);
}

void SkinCustomControlLogic::SetDefaultHeight(int32_t height) {
    defaultHeight_ = height;
    if (!HasSkinRecord() && height > 0) SetHeight(height);
}

void SkinCustomControlLogic::SetWidth(int32_t width) {
    ControlBounds b = Host().Bounds();
    b.Width = width;
    SetBounds(b);
}

void SkinCustomControlLogic::SetHeight(int32_t height) {
    ControlBounds b = Host().Bounds();
    b.Height = height;
    SetBounds(b);
}

void SkinCustomControlLogic::LoadSkinValues() {
    SkinControlLogic::LoadSkinValues();
    if (!HasSkinRecord()) return;
    const auto* r = dynamic_cast<const TskDataSkinCustomControl*>(SkinRecord());
    if (!r) {
        // A record without piece geometry: nothing to compose from, and a size of its own.
        sizing_ = smFixed;
        picture_ = nullptr;
        mask_ = nullptr;
        return;
    }
    piece_ = {r->skinrect, r->lefttoppoint, r->righttoppoint, r->leftbottompoint, r->rightbottompoint, r->clientrect};
    stretchEffect_ = r->stretcheffect;
    stretchType_ = r->stretchtype;
    bands_ = {r->leftstretch, r->topstretch, r->rightstretch, r->bottomstretch};
    picture_ = SkinData()->ActivePicture(r->pictureindex);
    mask_ = SkinData()->ActivePicture(r->maskpictureindex);
    sizing_ = GetSizingMode(piece_);
}

void SkinCustomControlLogic::FitSize(int32_t& width, int32_t& height) {
    if (sizing_ == smNone || (sizing_ == smFixed && !HasSkinRecord())) return;
    FitGeometry(sizing_, piece_, target_, width, height);
}

void SkinCustomControlLogic::DrawDefaultImage(Bitmap& image) {
    FillBitmapRect(image, {0, 0, Width(), Height()}, ColorToPixel(ResolveColor(SystemColor(COLOR_INDEX_BTNFACE))));
}

void SkinCustomControlLogic::DrawSkinImage(Bitmap& image) {
    const Rect& s = piece_.SkinRect;
    switch (sizing_) {
    case smFixed:
        ResizeKeepingContent(image, Saturate(Width64(s)), Saturate(Height64(s)));
        CopyBitmapRect(image, {0, 0, image.Width(), image.Height()}, Source(), s);
        break;
    case smBoth:
        if (!PaintsOwnClient)
            ComposeNineSlice(piece_, target_, Source(), image, Width(), Height(), bands_, stretchEffect_, stretchType_,
                             true);
        break;
    case smHorizontal:
        ComposeThreeSliceH(piece_.LT.X, Saturate(Width64(s) - piece_.RT.X), image, stretchEffect_, Width(), s,
                           Source());
        break;
    case smVertical:
        ComposeThreeSliceV(piece_.LT.Y, Saturate(Height64(s) - piece_.LB.Y), image, stretchEffect_, Height(), s,
                           Source());
        break;
    case smNone: break;
    }
}

void SkinCustomControlLogic::ChangeSkinData() {
    LoadSkinValues();
    const ControlBounds current = Host().Bounds();
    bool resized = false;
    if (HasSkinRecord()) {
        int32_t width = current.Width, height = current.Height;
        FitSize(width, height);
        resized = width != current.Width || height != current.Height;
        // Width first, then height, each through set-bounds, which fits again.
        if (width != Host().Bounds().Width) SetWidth(width);
        if (height != Host().Bounds().Height) SetHeight(height);
    } else {
        if (defaultWidth_ > 0) SetWidth(defaultWidth_);
        if (defaultHeight_ > 0) SetHeight(defaultHeight_);
    }
    // A resize has already reshaped and repainted the control.
    if (!resized || !HasSkinRecord()) {
        Host().UpdateRegion();
        Host().RepaintNow();
    }
}

void SkinCustomControlLogic::SetBounds(const ControlBounds& requested) {
    LoadSkinValues();
    const ControlBounds current = Host().Bounds();
    ControlBounds b = requested;
    // With a skin record the skin decides the size the control really takes.
    const bool sizeChanged =
        (requested.Width != current.Width || requested.Height != current.Height) && HasSkinRecord();
    if (sizeChanged) {
        FitSize(b.Width, b.Height);
        if (sizing_ == smFixed) target_.ClientRect = piece_.ClientRect;
    }
    Host().ApplyBounds(b);
    if (sizeChanged) {
        Host().UpdateRegion();
        Host().RepaintNow();
    }
    if (HasSkinRecord() && stretchEffect_) Host().NotifyChildrenParentChanged();
}

Bitmap SkinCustomControlLogic::PaintImage() {
    if (Width() < 1 || Height() < 1) return {};
    LoadSkinValues();
    int32_t width = Width(), height = Height();
    FitSize(width, height);  // refreshes the target geometry; the size stays
    if (HasSkinRecord() && PaintsOwnClient && sizing_ == smBoth) return ComposeBorderedImage();
    return ComposeControlImage();
}

Bitmap SkinCustomControlLogic::ComposeBorderedImage() {
    const int32_t width = Width(), height = Height();
    BorderStrips strips;
    ComposeBorderStrips(piece_, target_, Source(), width, height, bands_, strips);
    DrawSkinImage(strips.Top);  // a descendant may draw on the top strip

    Bitmap image(width, height);
    if (FillsClient) {
        const Rect& s = piece_.SkinRect;
        const Rect& c = piece_.ClientRect;
        const Rect clientPiece{Saturate(int64_t(s.Left) + c.Left), Saturate(int64_t(s.Top) + c.Top),
                               Saturate(int64_t(s.Left) + c.Right), Saturate(int64_t(s.Top) + c.Bottom)};
        FillClientPiece(image, Source(), clientPiece, target_.ClientRect, stretchEffect_, stretchType_,
                        target_.ClientRect);
    }
    const int32_t topHeight = strips.Top.Height();
    PlaceBitmap(image, {0, 0}, strips.Top);
    PlaceBitmap(image, {0, topHeight}, strips.Left);
    PlaceBitmap(image, {width - strips.Right.Width(), topHeight}, strips.Right);
    PlaceBitmap(image, {0, height - strips.Bottom.Height()}, strips.Bottom);
    return image;
}

SkinCustomControlLogic::RegionPlan SkinCustomControlLogic::PlanRegion() {
    RegionPlan plan;
    if (!mask_ || !HasSkinRecord()) {
        plan.Action = RegionPlan::Kind::Remove;
        return plan;
    }
    const int32_t width = Width(), height = Height();
    int32_t w = width, h = height;
    FitSize(w, h);
    PieceGeometry piece = piece_;
    TargetGeometry target = target_;
    const Rect& s = piece_.SkinRect;
    plan.Action = RegionPlan::Kind::Apply;
    switch (sizing_) {
    case smFixed: plan.Rects = MaskRegionRects(*mask_, 0, 0); break;
    case smBoth: plan.Rects = ComposedMaskRegion(piece, target, *mask_, width); break;
    case smHorizontal: {
        // Only the top points cut a horizontal piece: the bottom band is cut at the same places.
        piece.LB = piece.LT;
        piece.RB = piece.RT;
        const int32_t dx = Saturate(int64_t(width) - Width64(s));
        target.LT = target.LB = piece.LT;
        target.RT = target.RB = {Saturate(int64_t(piece.RT.X) + dx), piece.RT.Y};
        plan.Rects = ComposedMaskRegion(piece, target, *mask_, width);
        break;
    }
    case smVertical: {
        piece.RT = piece.LT;
        piece.RB = piece.LB;
        const int32_t dy = Saturate(int64_t(height) - Height64(s));
        target.LT = target.RT = piece.LT;
        target.LB = target.RB = {piece.LB.X, Saturate(int64_t(piece.LB.Y) + dy)};
        plan.Rects = ComposedMaskRegion(piece, target, *mask_, width);
        break;
    }
    case smNone: plan.Action = RegionPlan::Kind::Keep; break;
    }
    return plan;
}

}  // namespace tolvar
