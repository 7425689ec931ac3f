#pragma once
#include <functional>
#include <string>

#include "CustomControl.h"

namespace tolvar {

enum class TCloseAction { caNone, caHide, caFree, caMinimize };
enum class TPosition { poDesigned, poScreenCenter };
enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog };
enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4 };

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
    void SetBorderIcons(unsigned icons) { borderIcons_ = icons; }

    // Shows the window and makes it the active one.
    void Show();
    // The close request: OnClose decides; the main form's close ends the application.
    void Close();
    bool Active() const { return active_; }

    std::function<void(TComponent* sender)> OnCreate;
    std::function<void(TComponent* sender)> OnActivate;
    std::function<void(TComponent* sender)> OnDeactivate;
    std::function<void(TComponent* sender, TCloseAction& action)> OnClose;
    std::function<void(TComponent* sender)> OnDestroy;

protected:
    // Runs OnCreate; a form calls it at the end of its construction, once its members exist.
    void DoCreate();
    void WndProc(TMessage& message) override;
    DWORD WindowStyle() const override;
    DWORD WindowExStyle() const override;
    std::string WindowText() const override { return caption_; }
    void CreateWnd() override;
    void Paint() override;

private:
    void CenterOnScreen();

    std::string caption_;
    TPosition position_ = TPosition::poDesigned;
    TFormBorderStyle borderStyle_ = TFormBorderStyle::bsSizeable;
    unsigned borderIcons_ = biSystemMenu | biMinimize | biMaximize;
    bool active_ = false;
    int clientWidth_ = -1, clientHeight_ = -1;  // the client size asked for, kept once the window exists
};

}  // namespace tolvar
