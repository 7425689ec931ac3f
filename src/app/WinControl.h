#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "Message.h"
#include "base/Component.h"
#include "base/Geometry.h"

namespace tolvar {

// A control with a window of its own. Its messages go through WindowProc, which starts out as
// the control's own WndProc; a component may put a handler of its own in front of it
// (TWindowProcHook). WndProc hands what it does not handle to DefaultHandler, the system's
// default processing.
class TWinControl : public TComponent {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;
    std::string_view ClassName() const override { return "TWinControl"; }

    // The window; made on first use (a child needs its parent's window first).
    HWND Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    void HandleNeeded() { Handle(); }

    TWinControl* Parent() const { return parent_; }
    void SetParent(TWinControl* parent);
    const std::vector<TWinControl*>& Controls() const { return children_; }

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    virtual void SetBounds(int left, int top, int width, int height);
    void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
    void SetTop(int v) { SetBounds(left_, v, width_, height_); }
    void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
    void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
    Rect BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
    virtual Rect ClientRect();

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }

    // Deferred repaint: the area is marked, and painted when the loop next handles paint
    // requests. Immediate repaint: painted before the call returns.
    virtual void Invalidate();
    virtual void Repaint();
    void Update();

    const TWndMethod& WindowProc() const { return windowProc_; }
    void SetWindowProc(TWndMethod proc) { windowProc_ = std::move(proc); }

    // Runs a message through WindowProc at once, as if sent to the window.
    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

    // The control of a window made by this framework, or none.
    static TWinControl* FromHandle(HWND wnd);

protected:
    virtual void WndProc(TMessage& message);
    virtual void DefaultHandler(TMessage& message);

    // Window creation: the style bits and the class name of the window.
    virtual DWORD WindowStyle() const;
    virtual DWORD WindowExStyle() const { return 0; }
    virtual std::string WindowText() const { return {}; }
    virtual void CreateHandle();
    virtual void DestroyHandle();
    // After the window exists.
    virtual void CreateWnd() {}

    // The last size the window reported, kept in step without calling SetBounds.
    void UpdateBoundsFromWindow();
    // Records the visibility the window already has (or is given by the caller).
    void SetVisibleFlag(bool visible) { visible_ = visible; }

private:
    friend LRESULT CALLBACK FrameworkWindowProc(HWND, UINT, WPARAM, LPARAM);
    void RegisterWindowClass(const std::string& className);
    // Runs a message through the handler in place.
    void Dispatch(TMessage& message);

    HWND handle_ = nullptr;
    TWinControl* parent_ = nullptr;
    std::vector<TWinControl*> children_;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    TWndMethod windowProc_;
};

// A component's own message handler in front of a control's, for as long as the hook lives.
// The handler returns true for a message it consumed; every other message goes on to the
// handler that was in place before. If another hook was put in front later, this one stays
// in the chain and only passes messages on once it is gone.
class TWindowProcHook {
public:
    using Handler = std::function<bool(TMessage&)>;
    TWindowProcHook(TWinControl* control, Handler handler);
    ~TWindowProcHook();
    TWindowProcHook(const TWindowProcHook&) = delete;
    TWindowProcHook& operator=(const TWindowProcHook&) = delete;

    // The handler this hook replaced; a handler that wants the default behaviour around its
    // own work calls it itself (and then returns true).
    void CallPrevious(TMessage& message) const;

    struct State;  // shared with the callable that stands in the control's handler

private:
    TWinControl* control_;
    std::shared_ptr<State> state_;
};

}  // namespace tolvar
