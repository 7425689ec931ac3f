#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ActiveObjects.h"
#include "SystemMenu.h"
#include "base/Bitmap.h"
#include "base/Geometry.h"

namespace tolvar {

class TextRenderer;

// What the frame's logic needs of the window it draws: its size, place and state, and the
// few things only the window can do (paint now, capture the mouse, close, pop up a menu).
// The Windows side implements it on the form; tests implement it on plain values.
class SkinFrameHost {
public:
    virtual ~SkinFrameHost() = default;
    virtual int32_t WindowWidth() const = 0;  // outer size, frame included
    virtual int32_t WindowHeight() const = 0;
    virtual Point WindowOrigin() const = 0;  // the window's top-left corner on the screen
    // The form's own active state as the platform reports it.
    virtual bool FormActive() const = 0;
    virtual bool Visible() const = 0;
    virtual std::string Caption() const = 0;
    virtual FrameWindowState WindowState() const = 0;
    virtual bool IsMainForm() const = 0;
    virtual bool SizeableBorder() const = 0;  // bsSizeable or bsSizeToolWin
    virtual bool ToolWindowBorder() const = 0;
    virtual bool Borderless() const = 0;  // bsNone
    // The form's icon at the small-icon size, with its opacity, and that size.
    virtual const Bitmap& SmallIcon() = 0;
    virtual Point SmallIconSize() const = 0;
    // The cursor's screen position while the window under it is this one.
    virtual std::optional<Point> CursorOverWindow() const = 0;
    // Paints the frame now (only the part of it given, when given).
    virtual void PaintFrameNow(const std::optional<Rect>& part) = 0;
    // Repaints the form's client area and its children now (the frame is painted on its own).
    virtual void RepaintForm() = 0;
    // Tells every windowed child that its parent changed (it repaints what it takes from it).
    virtual void TellChildrenParentChanged() = 0;
    // The form's own caption buttons (TskBorderIcons bits; only the system menu, minimize and
    // maximize count): none while the frame is skinned, the component's when it is not.
    virtual void SetFormBorderIcons(TskBorderIcons icons) = 0;
    // Moves and sizes the window (window coordinates of its parent, the screen here).
    virtual void SetWindowBounds(int32_t left, int32_t top, int32_t width, int32_t height) = 0;
    virtual void SetMouseCapture(bool on) = 0;
    // The form's ordinary close request.
    virtual void Close() = 0;
    virtual void SetWindowState(FrameWindowState state) = 0;
    // Pops the menu up at a screen point and waits until it closes; the item clicked, if any.
    virtual std::optional<SystemMenuCommand> PopupMenu(const std::vector<SystemMenuItem>& items, Point at) = 0;
    // Gives the window the shape of these rectangles' union, or no shape of its own (nothing).
    virtual void ApplyWindowRegion(const std::optional<std::vector<Rect>>& rects) = 0;
    virtual void ShowGlow(TskActiveSkinObject& o) = 0;
    virtual void HideGlows() = 0;
    virtual TextRenderer& Text() = 0;
};

}  // namespace tolvar
