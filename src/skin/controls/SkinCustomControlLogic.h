#pragma once
#include <cstdint>
#include <vector>

#include "SkinComposition.h"
#include "SkinControlLogic.h"
#include "SkinGeometry.h"
#include "TextRenderer.h"

namespace tolvar {

// What most skinned controls share beyond the binding: a default font and size for the
// unskinned look, the piece geometry copied from the record, the fitting of the control's size
// to the skin, the composed skin image, and the shape the record's mask picture gives it.
class SkinCustomControlLogic : public SkinControlLogic {
public:
    using SkinControlLogic::SkinControlLogic;

    // The font of an unskinned control (and of a skinned one that does not take the skin's).
    // Every change calls DefaultFontChanged and repaints an unskinned control.
    const TextFont& DefaultFont() const { return defaultFont_; }
    void SetDefaultFont(const TextFont& font);
    // The size an unskinned control takes; 0 keeps its size. Applied at once when unskinned.
    int32_t DefaultWidth() const { return defaultWidth_; }
    void SetDefaultWidth(int32_t width);
    int32_t DefaultHeight() const { return defaultHeight_; }
    void SetDefaultHeight(int32_t height);
    bool UseSkinFont() const { return useSkinFont_; }
    void SetUseSkinFont(bool use) { useSkinFont_ = use; }

    // What the last lookup copied from the record, and the geometry fitted to the last size.
    const PieceGeometry& Piece() const { return piece_; }
    const TargetGeometry& Target() const { return target_; }
    SizingMode Sizing() const { return sizing_; }
    bool StretchEffect() const { return stretchEffect_; }
    StretchMode StretchType() const { return stretchType_; }
    BandStretch Bands() const { return bands_; }
    const Bitmap* Picture() const { return picture_; }
    const Bitmap* MaskPicture() const { return mask_; }

    virtual void DefaultFontChanged() {}
    // Fits a requested size to the skin (in place) and moves the target geometry to it.
    virtual void FitSize(int32_t& width, int32_t& height);

    // What the control's window region is to become at its current size.
    struct RegionPlan {
        enum class Kind { Keep, Remove, Apply };
        Kind Action = Kind::Keep;
        std::vector<Rect> Rects;  // for Apply: the region is their union
    };
    RegionPlan PlanRegion();

    void LoadSkinValues() override;
    void DrawDefaultImage(Bitmap& image) override;
    void DrawSkinImage(Bitmap& image) override;
    void ChangeSkinData() override;
    // The pictures go with the old skin: nothing may point into them any more.
    void BeforeChangeSkinData() override {
        SkinControlLogic::BeforeChangeSkinData();
        picture_ = mask_ = nullptr;
    }
    void SetBounds(const ControlBounds& bounds) override;
    Bitmap PaintImage() override;

protected:
    // Set-bounds with one dimension changed.
    void SetWidth(int32_t width);
    void SetHeight(int32_t height);
    // The picture to compose from; an empty one when the record names none.
    const Bitmap& Source() const;
    void SetMaskPicture(const Bitmap* mask) { mask_ = mask; }

    // A descendant that paints its own client area (the skin image then leaves it alone), and
    // one that leaves the client area unfilled.
    bool PaintsOwnClient = false;
    bool FillsClient = true;

private:
    // The image of a control that paints its own client: the four border strips and the client
    // fill, composed into one image of the control's size.
    Bitmap ComposeBorderedImage();

    TextFont defaultFont_;
    int32_t defaultWidth_ = 0;
    int32_t defaultHeight_ = 0;
    bool useSkinFont_ = true;

    PieceGeometry piece_;
    bool stretchEffect_ = false;
    StretchMode stretchType_ = stFull;
    BandStretch bands_;
    TargetGeometry target_;
    const Bitmap* picture_ = nullptr;
    const Bitmap* mask_ = nullptr;
    SizingMode sizing_ = smFixed;
};

}  // namespace tolvar
