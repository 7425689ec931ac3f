#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "FrameGeometry.h"
#include "base/Bitmap.h"
#include "skin/controls/MaskRegion.h"

namespace tolvar {

// The window's shape for its current size, from the skin's mask picture: a solid middle (the
// sized mask rect) and four strips of the mask cut like the frame picture around it. The strips
// are kept between size changes: the resize hit test asks them whether a point is inside.
struct FrameMask {
    MaskStrips Strips;
    Rect SizedMaskRect;

    // The window point is part of the shape: anywhere in the sized mask rect, elsewhere where
    // the strip pixel under it is black. A point that no strip covers is outside.
    bool InsideMask(Point p) const;
    // The shape as rectangles (window coordinates): the sized mask rect, then the black runs
    // of the top, bottom, left and right strips.
    std::vector<Rect> RegionRects() const;
};

// Whether the skin's mask can shape the window: there is one, it has the frame picture's size
// and the mask rect lies inside it. Any other mask is ignored and the window stays
// rectangular.
bool MaskUsable(const FrameSkinInfo& skin);

// The strips for a window frameWidth wide with the given sized geometry.
FrameMask ComposeFrameMask(const FrameSkinInfo& skin, const FrameGeometry& g, const Bitmap& mask, int32_t frameWidth);

// What the window's region is to be.
struct WindowRegionState {
    bool FormSkinEnabled = true;
    bool SkinPresent = false;
    bool Borderless = false;         // bsNone
    bool FullBorderLayer = false;    // a layered border that replaces the whole frame is shown
    bool RolledUpOrParked = false;   // rolled up, or a minimized secondary form
    int32_t RollUpFormHeight = 0;    // the layer frame's height while rolled up
    bool SeventhGeneration = false;  // the platform keeps a 1-pixel window for rolled-up frames
    bool MaximizedMdiChild = false;
    int32_t FrameWidth = 0;
    int32_t FrameHeight = 0;
};

// The region for the state: nothing when the window is to have none, else its rectangles (the
// mask's when it has one, which the caller composed into `mask`).
std::optional<std::vector<Rect>> PlanWindowRegion(const WindowRegionState& s, bool maskUsable, const FrameMask& mask);

}  // namespace tolvar
