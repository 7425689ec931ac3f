#pragma once
#include <cstdint>

#include "base/Geometry.h"
#include "skin/controls/SkinGeometry.h"

namespace tolvar {

class TskSkinData;

// What the frame reads of a skin's [FORMINFO] and pictures: a plain value, so that the frame's
// arithmetic can be pinned by tables without packing a skin.
struct FrameSkinInfo {
    int32_t PictureWidth = 0;  // the main (frame) picture
    int32_t PictureHeight = 0;
    int32_t MaskWidth = 0;  // 0 x 0 without a mask picture
    int32_t MaskHeight = 0;
    Point LT, RT, LB, RB;  // lefttoppoint .. rightbottompoint
    Rect ClientRect;
    Rect CaptionRect;
    Rect ButtonsRect;
    Rect MaskRectArea;  // after the loader widened it to hold the client rect
    Point HitLT, HitRT, HitLB, HitRB;
    int32_t BorderWidth = 0;
    int32_t FormMinWidth = 0;
    int32_t FormMinHeight = 0;
    int32_t ButtonsOffset = 0;
    bool ButtonsInLeft = false;

    bool HasMask() const { return MaskWidth > 0 && MaskHeight > 0; }
    static FrameSkinInfo From(const TskSkinData& skin);
    friend bool operator==(const FrameSkinInfo&, const FrameSkinInfo&) = default;
};

// The [FORMINFO] geometry moved to a window of FrameWidth x FrameHeight, in window coordinates
// ((0, 0) is the window's top-left corner, frame included).
struct FrameGeometry {
    Point SizedLT, SizedRT, SizedLB, SizedRB;
    Rect SizedClientRect;
    Rect SizedCaptionRect;
    Rect SizedButtonsRect;
    bool ButtonsInLeftHalf = false;
    Rect SizedMaskRect;
    Point SizedHitLT, SizedHitRT, SizedHitLB, SizedHitRB;
    friend bool operator==(const FrameGeometry&, const FrameGeometry&) = default;
};

FrameGeometry ComputeFrameGeometry(const FrameSkinInfo& skin, int32_t frameWidth, int32_t frameHeight);

// A picture of width x height cut at the frame's corner points, with `inner` as its inner edge
// (the client rect for the frame picture, the mask rect for the mask); and where the sized
// geometry puts the same points, with `sizedInner` as the inner edge.
PieceGeometry FramePiece(const FrameSkinInfo& skin, int32_t width, int32_t height, const Rect& inner);
TargetGeometry FrameTarget(const FrameGeometry& g, const Rect& sizedInner);

// Moves a rectangle of the frame picture to the window size by the corner regions it lies in:
// kept in the top-left corner, moved with the right or bottom edge, or stretched across.
Rect PlaceByCorners(const FrameSkinInfo& skin, const Rect& r, int32_t frameWidth, int32_t frameHeight);

}  // namespace tolvar
