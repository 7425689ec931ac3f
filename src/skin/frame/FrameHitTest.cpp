#include "FrameHitTest.h"

#include "FrameLimits.h"

namespace tolvar {

namespace {

bool NearOutline(const FrameSkinInfo& skin, const FrameGeometry& g, const HitTestState& s, Point p,
                 const std::function<bool(Point)>& insideShape) {
    const int32_t b = skin.BorderWidth;
    const Rect window{0, 0, s.Width, s.Height};
    const bool useMask = skin.HasMask() && insideShape && !Contains(g.SizedMaskRect, p);
    for (const Point probe : {Point{p.X - b, p.Y}, Point{p.X, p.Y - b}, Point{p.X + b, p.Y}, Point{p.X, p.Y + b}}) {
        const bool inside = useMask ? insideShape(probe) : Contains(window, probe);
        if (!inside) return true;
    }
    return false;
}

HitCode CaptionOrObject(const HitTestState& s, Point p) {
    return Contains(s.CaptionTextArea, p) ? HitCode::Caption : HitCode::Object;
}

}  // namespace

HitCode SkinHitTest(const FrameSkinInfo& skin, const FrameGeometry& g, const HitTestState& s, Point p,
                    const std::function<bool(Point)>& insideShape) {
    if (s.RolledUp || s.Minimized) return CaptionOrObject(s, p);
    if (s.ObjectHovered && !Contains(s.CaptionTextArea, p) && !Contains(g.SizedClientRect, p) && !s.InSizeMove)
        return HitCode::Object;
    if (!s.Maximized && s.CanResize) {
        if (!NearOutline(skin, g, s, p, insideShape)) {
            if (Contains(g.SizedClientRect, p)) return HitCode::Client;
            return CaptionOrObject(s, p);
        }
        const Rect& c = g.SizedClientRect;
        if (p.X <= g.SizedHitLT.X && p.Y <= g.SizedHitLT.Y) return HitCode::TopLeft;
        if (p.X >= g.SizedHitRT.X && p.Y <= g.SizedHitRT.Y) return HitCode::TopRight;
        if (p.X <= g.SizedHitLB.X && p.Y >= g.SizedHitLB.Y) return HitCode::BottomLeft;
        if (p.X >= g.SizedHitRB.X && p.Y >= g.SizedHitRB.Y) return HitCode::BottomRight;
        if (Contains(Rect{g.SizedHitLT.X, 0, g.SizedHitRT.X, c.Top}, p)) return HitCode::Top;
        if (Contains(Rect{g.SizedHitLB.X, c.Bottom, g.SizedHitRB.X, s.Height}, p)) return HitCode::Bottom;
        if (Contains(Rect{0, g.SizedHitLT.Y, c.Left, g.SizedHitLB.Y}, p)) return HitCode::Left;
        if (Contains(Rect{c.Right, g.SizedHitRT.Y, s.Width, g.SizedHitRB.Y}, p)) return HitCode::Right;
    }
    if (Contains(g.SizedClientRect, p)) return HitCode::Client;
    return CaptionOrObject(s, p);
}

HitCode DefaultHitTest(const HitTestState& s, Point p, int32_t captionHeight, const Rect& buttons) {
    const int32_t w = s.Width, h = s.Height;
    if (!(s.Maximized || s.RolledUp || s.Minimized || !s.CanResize)) {
        if (s.ObjectHovered) return HitCode::Object;
        const int32_t x = p.X, y = p.Y;
        if (x <= 2 && y <= 2) return HitCode::TopLeft;
        if (x >= w - 2 && y <= 2) return HitCode::TopRight;
        if (x <= 2 && y >= h - 2) return HitCode::BottomLeft;
        if (x >= w - 2 && y >= h - 2) return HitCode::BottomRight;
        if (x <= 2) return HitCode::Left;
        if (y <= 2) return HitCode::Top;
        if (x >= w - 2) return HitCode::Right;
        if (y >= h - 2) return HitCode::Bottom;
    }
    const Rect caption{kDefaultBorder, kDefaultBorder, w - kDefaultBorder, captionHeight};
    if (Contains(caption, p) && !Contains(buttons, p)) return HitCode::Caption;
    if (Contains(Rect{kDefaultBorder, captionHeight + kDefaultBorder, w - kDefaultBorder, h - kDefaultBorder}, p))
        return HitCode::Client;
    return HitCode::Object;
}

}  // namespace tolvar
