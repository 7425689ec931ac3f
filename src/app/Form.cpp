#include "Form.h"

#include "Application.h"

namespace tolvar {

TForm::TForm(TComponent* owner) : TCustomControl(owner) {
    SetVisible(false);
    Application()->AddForm(this);
}

TForm::~TForm() {
    if (OnDestroy) OnDestroy(this);
    // The form's components go while the form is still whole: they may talk to it.
    DestroyComponents();
    Application()->RemoveForm(this);
    DestroyHandle();
}

void TForm::SetCaption(const std::string& caption) {
    caption_ = caption;
    if (HandleAllocated()) SetWindowTextA(Handle(), caption_.c_str());
}

DWORD TForm::WindowStyle() const {
    DWORD style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    switch (borderStyle_) {
    case TFormBorderStyle::bsNone: style |= WS_POPUP; break;
    case TFormBorderStyle::bsSingle: style |= WS_OVERLAPPED | WS_CAPTION; break;
    case TFormBorderStyle::bsSizeable: style |= WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME; break;
    case TFormBorderStyle::bsDialog: style |= WS_POPUP | WS_CAPTION | DS_MODALFRAME; break;
    case TFormBorderStyle::bsToolWindow: style |= WS_OVERLAPPED | WS_CAPTION; break;
    case TFormBorderStyle::bsSizeToolWin: style |= WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME; break;
    }
    if (borderStyle_ != TFormBorderStyle::bsNone && (borderIcons_ & biSystemMenu)) {
        style |= WS_SYSMENU;
        if (borderIcons_ & biMinimize) style |= WS_MINIMIZEBOX;
        if (borderIcons_ & biMaximize) style |= WS_MAXIMIZEBOX;
    }
    return style;
}

DWORD TForm::WindowExStyle() const {
    DWORD ex = borderStyle_ == TFormBorderStyle::bsDialog ? WS_EX_DLGMODALFRAME : WS_EX_APPWINDOW;
    if (borderStyle_ == TFormBorderStyle::bsToolWindow || borderStyle_ == TFormBorderStyle::bsSizeToolWin)
        ex |= WS_EX_TOOLWINDOW;
    if (formStyle_ == TFormStyle::fsStayOnTop) ex |= WS_EX_TOPMOST;
    return ex;
}

void TForm::SetBorderIcons(unsigned icons) {
    if (icons == borderIcons_) return;
    borderIcons_ = icons;
    if (!HandleAllocated()) return;
    const DWORD buttons = WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    const DWORD style = DWORD(GetWindowLongA(Handle(), GWL_STYLE));
    SetWindowLongA(Handle(), GWL_STYLE, LONG((style & ~buttons) | (WindowStyle() & buttons)));
    FrameChanged();
}

TWindowState TForm::WindowState() {
    if (!HandleAllocated()) return TWindowState::wsNormal;
    if (IsIconic(Handle())) return TWindowState::wsMinimized;
    if (IsZoomed(Handle())) return TWindowState::wsMaximized;
    return TWindowState::wsNormal;
}

void TForm::SetWindowState(TWindowState state) {
    static constexpr int kShow[] = {SW_RESTORE, SW_MINIMIZE, SW_MAXIMIZE};
    if (HandleAllocated() && state != WindowState()) ShowWindow(Handle(), kShow[int(state)]);
}

void TForm::FrameChanged() {
    if (HandleAllocated())
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::Invalidate() {
    // The background is part of a form's paint: the erase step draws it.
    if (HandleAllocated()) InvalidateRect(Handle(), nullptr, TRUE);
}

int TForm::ClientWidth() { return RectWidth(ClientRect()); }
int TForm::ClientHeight() { return RectHeight(ClientRect()); }

Rect TForm::ClientRect() {
    if (HandleAllocated()) return TCustomControl::ClientRect();
    if (clientWidth_ >= 0) return {0, 0, clientWidth_, clientHeight_};
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, WindowStyle(), FALSE, WindowExStyle());
    return {0, 0, Width() - (frame.right - frame.left), Height() - (frame.bottom - frame.top)};
}

void TForm::CreateWnd() {
    // The frame the system really draws decides the outer size.
    if (clientWidth_ >= 0) SetClientSize(clientWidth_, clientHeight_);
}

void TForm::SetClientSize(int width, int height) {
    clientWidth_ = width;
    clientHeight_ = height;
    RECT r{0, 0, width, height};
    AdjustWindowRectEx(&r, WindowStyle(), FALSE, WindowExStyle());
    SetBounds(Left(), Top(), r.right - r.left, r.bottom - r.top);
    if (HandleAllocated()) {
        // The real frame may differ from the computed one (themes, a skinned frame): correct
        // by what the window reports.
        RECT c;
        GetClientRect(Handle(), &c);
        const int dw = width - (c.right - c.left), dh = height - (c.bottom - c.top);
        if (dw != 0 || dh != 0) SetBounds(Left(), Top(), Width() + dw, Height() + dh);
    }
}

void TForm::CenterOnScreen() {
    const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    SetBounds((sw - Width()) / 2, (sh - Height()) / 2, Width(), Height());
}

void TForm::Show() {
    HandleNeeded();
    if (position_ == TPosition::poScreenCenter) CenterOnScreen();
    SetVisible(true);
    ShowWindow(Handle(), SW_SHOWNORMAL);
    SetForegroundWindow(Handle());
    BringWindowToTop(Handle());
}

void TForm::Close() {
    const bool main = Application()->MainForm() == this;
    // The main form closes once: a close while the loop is already ending (the running
    // handler has not returned yet) changes nothing.
    if (main && closed_) return;
    TCloseAction action = main ? TCloseAction::caFree : TCloseAction::caHide;
    if (OnClose) OnClose(this, action);
    if (action == TCloseAction::caNone) return;
    if (main) {
        closed_ = true;
        // Gone from the screen at once; the window itself lives until the loop has ended.
        Hide();
        Application()->Terminate();
    } else if (action == TCloseAction::caHide) {
        Hide();
    } else if (action == TCloseAction::caMinimize) {
        ShowWindow(Handle(), SW_MINIMIZE);
    } else {
        Hide();
    }
}

void TForm::DoCreate() {
    if (OnCreate) OnCreate(this);
}

bool TForm::IsShortCut(TWMKey& message) {
    bool handled = false;
    if (OnShortCut) OnShortCut(message, handled);
    return handled;
}

void TForm::EraseBackground(HDC dc) {
    // The client area in the window colour; controls paint themselves on top.
    RECT r;
    GetClientRect(Handle(), &r);
    ::FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
}

void TForm::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_CLOSE: Close(); return;
    case WM_ERASEBKGND:
        if (m.WParam) EraseBackground(reinterpret_cast<HDC>(m.WParam));
        m.Result = 1;
        return;
    case WM_ACTIVATE:
        active_ = LOWORD(m.WParam) != WA_INACTIVE;
        TCustomControl::WndProc(m);
        if (active_) {
            if (OnActivate) OnActivate(this);
        } else if (OnDeactivate) {
            OnDeactivate(this);
        }
        return;
    default: TCustomControl::WndProc(m);
    }
}

}  // namespace tolvar
