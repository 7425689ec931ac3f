#pragma once
#include <functional>
#include <string>

#include "CustomControl.h"

namespace tolvar {

enum class TCloseAction { caNone, caHide, caFree, caMinimize };
enum class TPosition { poDesigned, poScreenCenter };
enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum class TFormStyle { fsNormal, fsStayOnTop };
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4 };

// A key message as a form's shortcut handler sees it.
struct TWMKey {
    UINT Msg = 0;        // WM_KEYDOWN or WM_SYSKEYDOWN
    WORD CharCode = 0;   // the virtual key
    LPARAM KeyData = 0;  // bit 29: Alt was held
};
using TShortCutEvent = std::function<void(TWMKey& message, bool& handled)>;

// A top-level window with the form events: OnCreate once it is built, OnActivate on every
// activation, OnClose on the close request. Closing the main form ends the application.
class TForm : public TCustomControl {
public:
    explicit TForm(TComponent* owner);
    ~TForm() override;
    std::string_view ClassName() const override { return "TForm"; }

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);

    // The client area's size; the window's outer size follows from the border style.
    int ClientWidth();
    int ClientHeight();
    Rect ClientRect() override;
    void SetClientSize(int width, int height);

    TPosition Position() const { return position_; }
    void SetPosition(TPosition p) { position_ = p; }
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle s) { borderStyle_ = s; }
    unsigned BorderIcons() const { return borderIcons_; }
    // Changes the window's style bits at once when the window exists.
    void SetBorderIcons(unsigned icons);
    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle s) { formStyle_ = s; }
    // As the window is now (minimized and maximized as the system reports them).
    TWindowState WindowState();
    void SetWindowState(TWindowState state);
    // A number the program may keep with the form.
    int32_t Tag = 0;

    // Shows the window and makes it the active one.
    void Show();
    // The system asks again for the frame's size (WM_NCCALCSIZE) and redraws it.
    void FrameChanged();
    // Client area and frame marked for a repaint.
    void Invalidate() override;
    // The close request: OnClose decides; the main form's close ends the application.
    void Close();
    bool Active() const { return active_; }

    std::function<void(TComponent* sender)> OnCreate;
    std::function<void(TComponent* sender)> OnActivate;
    std::function<void(TComponent* sender)> OnDeactivate;
    std::function<void(TComponent* sender, TCloseAction& action)> OnClose;
    std::function<void(TComponent* sender)> OnDestroy;
    // Key presses meant for the form as a whole, before any control sees them.
    TShortCutEvent OnShortCut;
    // Offers a key message to OnShortCut; true when it was handled there.
    bool IsShortCut(TWMKey& message);

    // Runs OnCreate. TApplication::CreateForm calls it once the form is fully made.
    void DoCreate();

protected:
    void WndProc(TMessage& message) override;
    // The client area's background (WM_ERASEBKGND); a component that hooks the form's
    // messages may paint it instead.
    virtual void EraseBackground(HDC dc);
    DWORD WindowStyle() const override;
    DWORD WindowExStyle() const override;
    std::string WindowText() const override { return caption_; }
    void CreateWnd() override;

private:
    void CenterOnScreen();

    std::string caption_;
    TPosition position_ = TPosition::poDesigned;
    TFormBorderStyle borderStyle_ = TFormBorderStyle::bsSizeable;
    TFormStyle formStyle_ = TFormStyle::fsNormal;
    unsigned borderIcons_ = biSystemMenu | biMinimize | biMaximize;
    bool active_ = false;
    bool closed_ = false;                       // the main form's close went through
    int clientWidth_ = -1, clientHeight_ = -1;  // the client size asked for, kept once the window exists
};

}  // namespace tolvar
