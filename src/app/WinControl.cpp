#include "WinControl.h"

#include <algorithm>
#include <set>

#include "Application.h"
#include "Cursor.h"
#include "base/Exceptions.h"

namespace tolvar {

LRESULT CALLBACK FrameworkWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    TWinControl* control = TWinControl::FromHandle(wnd);
    if (!control && msg == WM_NCCREATE) {
        control = static_cast<TWinControl*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        control->handle_ = wnd;
        SetWindowLongPtrA(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
    }
    if (!control) return DefWindowProcA(wnd, msg, wParam, lParam);

    TMessage m{msg, wParam, lParam, 0};
    try {
        control->Dispatch(m);
    } catch (const std::exception& e) {
        // Nothing may escape into the system's code: the error goes to the general report
        // and the loop carries on.
        Application()->HandleException(e);
    } catch (...) {
        Application()->HandleException(std::runtime_error("Unknown error"));
    }
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(wnd, GWLP_USERDATA, 0);
        control->handle_ = nullptr;
    }
    return m.Result;
}

TWinControl::TWinControl(TComponent* owner) : TComponent(owner) {
    windowProc_ = [this](TMessage& m) { WndProc(m); };
}

TWinControl::~TWinControl() {
    SetParent(nullptr);
    for (TWinControl* child : children_) child->parent_ = nullptr;
    DestroyHandle();
}

TWinControl* TWinControl::FromHandle(HWND wnd) {
    if (!wnd) return nullptr;
    // Only windows of this framework's classes carry a control pointer.
    WNDPROC proc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(wnd, GWLP_WNDPROC));
    if (proc != FrameworkWindowProc) return nullptr;
    return reinterpret_cast<TWinControl*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
}

void TWinControl::RegisterWindowClass(const std::string& className) {
    static std::set<std::string> registered;
    if (registered.count(className)) return;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = FrameworkWindowProc;
    wc.hInstance = Application()->Instance();
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = nullptr;  // controls paint their whole area themselves
    wc.hIcon = LoadIconA(Application()->Instance(), "MAINICON");
    wc.lpszClassName = className.c_str();
    if (RegisterClassExA(&wc)) registered.insert(className);
}

DWORD TWinControl::WindowStyle() const { return WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN; }

void TWinControl::CreateHandle() {
    if (handle_) return;
    HWND parentWnd = nullptr;
    if (parent_) parentWnd = parent_->Handle();
    const std::string className(ClassName());
    RegisterWindowClass(className);
    DWORD style = WindowStyle();
    if (visible_ && parent_) style |= WS_VISIBLE;
    CreateWindowExA(WindowExStyle(), className.c_str(), WindowText().c_str(), style, left_, top_, width_, height_,
                    parentWnd, nullptr, Application()->Instance(), this);
    if (!handle_) throw Exception("Error creating window of class " + className);
    CreateWnd();
    // Children placed before this window existed get theirs now.
    for (TWinControl* child : children_)
        if (!child->handle_) child->CreateHandle();
}

void TWinControl::DestroyHandle() {
    if (handle_) DestroyWindow(handle_);
    handle_ = nullptr;
}

HWND TWinControl::Handle() {
    if (!handle_) CreateHandle();
    return handle_;
}

void TWinControl::SetParent(TWinControl* parent) {
    if (parent == parent_) return;
    if (parent_) {
        auto& siblings = parent_->children_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
    parent_ = parent;
    if (parent_) {
        parent_->children_.push_back(this);
        if (handle_) ::SetParent(handle_, parent_->Handle());
        else if (parent_->HandleAllocated()) CreateHandle();
    }
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    left_ = left, top_ = top, width_ = width, height_ = height;
    if (handle_) SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWinControl::UpdateBoundsFromWindow() {
    if (!handle_) return;
    RECT r;
    GetWindowRect(handle_, &r);
    if (HWND p = GetParent(handle_); p && (GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD))
        MapWindowPoints(HWND_DESKTOP, p, reinterpret_cast<POINT*>(&r), 2);
    left_ = r.left, top_ = r.top, width_ = r.right - r.left, height_ = r.bottom - r.top;
}

Rect TWinControl::ClientRect() {
    RECT r{0, 0, width_, height_};
    if (handle_) GetClientRect(handle_, &r);
    return {r.left, r.top, r.right, r.bottom};
}

void TWinControl::SetVisible(bool visible) {
    visible_ = visible;
    if (handle_) ShowWindow(handle_, visible ? SW_SHOW : SW_HIDE);
    else if (visible && (parent_ == nullptr || parent_->HandleAllocated())) ShowWindow(Handle(), SW_SHOW);
}

void TWinControl::Invalidate() {
    if (handle_) InvalidateRect(handle_, nullptr, FALSE);
}

void TWinControl::Update() {
    if (handle_) UpdateWindow(handle_);
}

void TWinControl::Repaint() {
    Invalidate();
    Update();
}

LRESULT TWinControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
    TMessage m{msg, wParam, lParam, 0};
    Dispatch(m);
    return m.Result;
}

void TWinControl::Dispatch(TMessage& m) {
    // A copy: a handler may replace the control's handler while it runs.
    const TWndMethod proc = windowProc_;
    if (proc) proc(m);
    else WndProc(m);
}

void TWinControl::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_SETCURSOR:
        if (HCURSOR screen = TBusyCursor::ScreenCursor(); screen) {
            SetCursor(screen);
            m.Result = TRUE;
            return;
        }
        break;
    case WM_SIZE:
    case WM_MOVE: UpdateBoundsFromWindow(); break;
    default: break;
    }
    DefaultHandler(m);
}

void TWinControl::DefaultHandler(TMessage& m) {
    if (handle_) m.Result = DefWindowProcA(handle_, m.Msg, m.WParam, m.LParam);
}

// ---- TWindowProcHook ----

struct TWindowProcHook::State {
    Handler handler;
    TWndMethod previous;
    bool active = true;
};

namespace {
// The callable put in place of the control's handler; its type lets the hook recognise itself.
struct HookCall {
    std::shared_ptr<TWindowProcHook::State> state;
    void operator()(TMessage& m) const;
};

void HookCall::operator()(TMessage& m) const {
    // Keep the state alive even if the handler ends the hook.
    const std::shared_ptr<TWindowProcHook::State> s = state;
    if (s->active && s->handler && s->handler(m)) return;
    if (s->previous) s->previous(m);
}
}  // namespace

TWindowProcHook::TWindowProcHook(TWinControl* control, Handler handler)
    : control_(control), state_(std::make_shared<State>()) {
    state_->handler = std::move(handler);
    state_->previous = control_->WindowProc();
    control_->SetWindowProc(HookCall{state_});
}

TWindowProcHook::~TWindowProcHook() {
    const TWndMethod& current = control_->WindowProc();
    const HookCall* head = current.target<HookCall>();
    if (head && head->state == state_) {
        control_->SetWindowProc(state_->previous);
    } else {
        // Someone hooked in after us and holds our callable: just step aside.
        state_->active = false;
        state_->handler = nullptr;
    }
}

void TWindowProcHook::CallPrevious(TMessage& message) const {
    if (state_->previous) state_->previous(message);
}

}  // namespace tolvar
