#include "FrameMask.h"

namespace tolvar {

namespace {

bool BlackAt(const Bitmap& b, int32_t x, int32_t y) { return b.Contains(x, y) && (b.At(x, y) & 0x00FFFFFFu) == 0; }

}  // namespace

bool FrameMask::InsideMask(Point p) const {
    const Rect& r = SizedMaskRect;
    if (Contains(r, p)) return true;
    // The rows beside the solid middle belong to the side strips, the rows above it to the top
    // strip.
    if (p.Y < r.Top) return BlackAt(Strips.Top, p.X, p.Y);
    if (p.Y < r.Bottom) {
        if (p.X > r.Left) return BlackAt(Strips.Right, p.X - r.Right, p.Y - r.Top);
        return BlackAt(Strips.Left, p.X, p.Y - r.Top);
    }
    return BlackAt(Strips.Bottom, p.X, p.Y - r.Bottom);
}

std::vector<Rect> FrameMask::RegionRects() const { return MaskStripsRegion(Strips, SizedMaskRect); }

bool MaskUsable(const FrameSkinInfo& skin) {
    const Rect& m = skin.MaskRectArea;
    return skin.HasMask() && skin.MaskWidth == skin.PictureWidth && skin.MaskHeight == skin.PictureHeight &&
           m.Left >= 0 && m.Top >= 0 && m.Right <= skin.MaskWidth && m.Bottom <= skin.MaskHeight && m.Left <= m.Right &&
           m.Top <= m.Bottom;
}

FrameMask ComposeFrameMask(const FrameSkinInfo& skin, const FrameGeometry& g, const Bitmap& mask, int32_t frameWidth) {
    FrameMask out;
    out.SizedMaskRect = g.SizedMaskRect;
    // The mask is cut at the frame picture's points; its own inner edge is the mask rect.
    const PieceGeometry piece = FramePiece(skin, mask.Width(), mask.Height(), skin.MaskRectArea);
    const TargetGeometry target = FrameTarget(g, g.SizedMaskRect);
    out.Strips = ComposeMaskStrips(piece, target, mask, frameWidth);
    return out;
}

std::optional<std::vector<Rect>> PlanWindowRegion(const WindowRegionState& s, bool maskUsable, const FrameMask& mask) {
    if (!s.FormSkinEnabled) return std::nullopt;
    if (s.SkinPresent && !s.Borderless && s.FullBorderLayer) {
        int32_t h = s.FrameHeight;
        if (s.RolledUpOrParked) h = s.RollUpFormHeight != 0 ? s.RollUpFormHeight : (s.SeventhGeneration ? 1 : 0);
        return std::vector<Rect>{{0, 0, s.FrameWidth, h}};
    }
    if (s.Borderless) return std::nullopt;
    if (!s.SkinPresent || !maskUsable || s.MaximizedMdiChild)
        return std::vector<Rect>{{0, 0, s.FrameWidth, s.FrameHeight}};
    return mask.RegionRects();
}

}  // namespace tolvar
