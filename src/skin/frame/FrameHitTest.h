#pragma once
#include <cstdint>
#include <functional>

#include "FrameGeometry.h"

namespace tolvar {

// What lies under a point of the window, as the platform's hit-test codes number it (the
// Windows side checks the values against the platform's own).
enum class HitCode : int32_t {
    Nowhere = 0,
    Client = 1,
    Caption = 2,
    Left = 10,
    Right = 11,
    Top = 12,
    TopLeft = 13,
    TopRight = 14,
    Bottom = 15,
    BottomLeft = 16,
    BottomRight = 17,
    Object = 19,  // a caption object (button, icon) or a part of the frame that only looks
};

// The window's state as the hit test needs it.
struct HitTestState {
    int32_t Width = 0;  // the window's size
    int32_t Height = 0;
    bool Maximized = false;
    bool Minimized = false;
    bool RolledUp = false;
    bool CanResize = false;
    bool ObjectHovered = false;
    bool InSizeMove = false;
    Rect CaptionTextArea;  // the caption object's rectangle: the part that drags the window
};

// The skinned hit test of window point `p`. `insideShape` answers whether a point lies in the
// window's shape (the mask); without a mask the shape is the window's rectangle.
HitCode SkinHitTest(const FrameSkinInfo& skin, const FrameGeometry& g, const HitTestState& s, Point p,
                    const std::function<bool(Point)>& insideShape = {});

// The unskinned frame's hit test; `buttons` is the area of the default caption buttons.
HitCode DefaultHitTest(const HitTestState& s, Point p, int32_t captionHeight, const Rect& buttons);

}  // namespace tolvar
