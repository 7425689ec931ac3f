#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "app/Form.h"
#include "app/Handles.h"
#include "app/WinControl.h"
#include "base/Component.h"
#include "skin/controls/win/ComponentTimers.h"
#include "skin/controls/win/GdiTextRenderer.h"
#include "skin/frame/win/FormLayerBorder.h"
#include "skin/frame/win/LayerManager.h"
#include "skin/frame/win/PlatformServices.h"
#include "skin/frame/SkinFrame.h"

namespace tolvar {

class TskSkinData;

// Where the system menu pops up: shows the items at a screen point, waits until the menu
// closes and says which item was clicked. The default is the platform's popup menu.
using SystemMenuPopup =
    std::function<std::optional<SystemMenuCommand>(HWND owner, const std::vector<SystemMenuItem>& items, Point at)>;

// The form's skinned frame: a component the form owns that takes over its window messages,
// answers the platform's questions about the frame (client area, hit test, size limits) and
// paints the frame, the caption objects and the client background from its skin data. What it
// does not consume goes on to the form's own handler.
class TskSkinForm : public TComponent, private SkinFrameHost {
public:
    // The owner must be a form.
    explicit TskSkinForm(TComponent* owner);
    ~TskSkinForm() override;
    std::string_view ClassName() const override { return "TskSkinForm"; }

    // ---- published properties
    TskSkinData* SkinData() const { return frame_->SkinData(); }
    void SetSkinData(TskSkinData* data);
    TskBorderIcons BorderIcons() const { return frame_->BorderIcons(); }
    void SetBorderIcons(TskBorderIcons icons);
    bool ShowIcon() const { return frame_->ShowIcon(); }
    void SetShowIcon(bool on) { frame_->SetShowIcon(on); }
    bool UseSkinFontInCaption() const { return frame_->UseSkinFontInCaption(); }
    void SetUseSkinFontInCaption(bool on) { frame_->SetUseSkinFontInCaption(on); }
    bool UseDefaultSysMenu = true;
    bool DisableSystemMenu() const { return frame_->DisableSystemMenu; }
    void SetDisableSystemMenu(bool on) { frame_->DisableSystemMenu = on; }
    bool HideCaptionButtons() const { return frame_->HideCaptionButtons; }
    void SetHideCaptionButtons(bool on) { frame_->HideCaptionButtons = on; }
    bool AlwaysResize() const { return frame_->AlwaysResize; }
    void SetAlwaysResize(bool on) { frame_->AlwaysResize = on; }
    FrameLimitSettings& SizeLimits() { return frame_->Limits; }
    int32_t ClientWidth = 0;  // imposed after a skin is applied; 0 keeps the window's size
    int32_t ClientHeight = 0;
    // Whole-window translucency at AlphaBlendValue, where the platform has per-window alpha;
    // the soft border follows the window's opacity.
    bool AlphaBlend() const { return alphaBlend_; }
    void SetAlphaBlend(bool on);
    uint8_t AlphaBlendValue() const { return alphaBlendValue_; }
    void SetAlphaBlendValue(uint8_t value);
    // The window fades in when it is shown (to AlphaBlendValue with AlphaBlend, else to opaque).
    bool AlphaBlendAnimation = false;
    // While dragged, the window's edges snap to the work area's within MagneticSize pixels.
    bool Magnetic = false;
    uint8_t MagneticSize = 5;

    // Events.
    std::function<void(TComponent*)> OnChangeSkinData, OnBeforeChangeSkinData, OnAfterChangeSkinData;
    std::function<void(TComponent*)> OnActivate, OnDeActivate, OnRestore;
    TShortCutEvent OnShortCut;

    // ---- state and queries
    bool FormSkinEnabled() const { return frame_->FormSkinEnabled(); }
    bool SkinPresent() const { return frame_->SkinPresent(); }
    int32_t GetMinWidth() const { return frame_->GetMinWidth(); }
    int32_t GetMinHeight() const { return frame_->GetMinHeight(); }
    bool CanResize() const { return frame_->CanResize(); }
    bool IsFormActive() const { return ncActive_; }
    SkinFrame& Frame() { return *frame_; }
    // The soft border around the window and the two glow layers (the second one for buttons
    // that hold a menu).
    TskFormLayerBorder& LayerBorder() { return *border_; }
    TskLayerManager& GlowLayer(int index) { return index == 0 ? *glow_ : *menuGlow_; }
    // The layered border may be shown: a skin with a layer frame that asks for it, a platform
    // with per-window alpha, the frame on and a form with a border, no border fade armed.
    bool LayeredBordersActive() const;
    // What the platform offers, decided from the running system; tests put their own in.
    const PlatformServices& Platform() const { return platform_; }
    void SetPlatformServices(const PlatformServices& p);

    // Paints the frame into `dc` (the window's own frame context when none is given).
    void PaintFrame(HDC dc = nullptr, const std::optional<Rect>& part = std::nullopt);
    // How many times the frame was painted, for those who count repaints.
    int FramePaints() const { return paints_; }
    // Replaces the platform's popup menu for the system menu (tests answer it themselves).
    void SetSystemMenuPopup(SystemMenuPopup popup) { popup_ = std::move(popup); }

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    bool HandleMessage(TMessage& m);
    // One handler per message; true when the message was consumed.
    bool OnNcCalcSize(TMessage& m);
    bool OnNcHitTest(TMessage& m);
    bool OnNcPaint(TMessage& m);
    bool OnNcActivate(TMessage& m);
    bool OnActivateMessage(TMessage& m);
    bool OnSetText(TMessage& m);
    bool OnEraseBkgnd(TMessage& m);
    bool OnGetMinMaxInfo(TMessage& m);
    bool OnSize(TMessage& m);
    bool OnShowWindow(TMessage& m);
    bool OnSysCommand(TMessage& m);
    bool OnTimer(TMessage& m);
    // The end of the show: the border is up, the window comes in (at once or fading).
    void ShowTimerTick();
    bool OnMoving(TMessage& m);
    bool OnSizing(TMessage& m);
    bool OnEnterSizeMove(TMessage& m);
    bool OnDestroy(TMessage& m);
    // Message 1426: an owner showing the form asks for it and the stay-on-top forms in front.
    bool OnRaiseForms(TMessage& m);
    // SkinnableFormChanged: the frame switched on or off; a maximized window stays maximized.
    void SwitchFrame(bool on);
    // Applies AlphaBlend and AlphaBlendValue to the window and the border as they stand.
    void ApplyAlphaBlend();
    // The fade cases of showing: translucency asked for, or a fade-in.
    bool ShowFades() const;
    bool OnDisplayChange(TMessage& m);
    bool OnContextMenu(TMessage& m);
    bool OnFrameMouse(TMessage& m);
    bool OnSkinNotice(TMessage& m);
    bool OnPaintFrameTo(TMessage& m, LRESULT answer);
    void DrawFrame(HDC dc, const std::optional<Rect>& part);
    bool OnWindowPosChanged(TMessage& m);
    bool OnLayerNotice(TMessage& m);
    void SkinApplied();
    void ShowFormAboveBorder();
    void SetTransitions(bool enabled);
    void TellSkinControls(UINT notice);
    void ShortCut(TWMKey& key, bool& handled);

    // ---- SkinFrameHost
    int32_t WindowWidth() const override;
    int32_t WindowHeight() const override;
    Point WindowOrigin() const override;
    bool FormActive() const override { return ncActive_; }
    bool Visible() const override;
    std::string Caption() const override { return form_->Caption(); }
    FrameWindowState WindowState() const override;
    bool IsMainForm() const override;
    bool SizeableBorder() const override;
    bool ToolWindowBorder() const override;
    bool Borderless() const override;
    const Bitmap& SmallIcon() override;
    Point SmallIconSize() const override;
    std::optional<Point> CursorOverWindow() const override;
    void PaintFrameNow(const std::optional<Rect>& part) override;
    void RepaintForm() override;
    void TellChildrenParentChanged() override;
    void SetFormBorderIcons(TskBorderIcons icons) override;
    void SetWindowBounds(int32_t left, int32_t top, int32_t width, int32_t height) override;
    void SetMouseCapture(bool on) override;
    void Close() override { form_->Close(); }
    void SetWindowState(FrameWindowState state) override;
    std::optional<SystemMenuCommand> PopupMenu(const std::vector<SystemMenuItem>& items, Point at) override;
    void ApplyWindowRegion(const std::optional<std::vector<Rect>>& rects) override;
    void ShowGlow(TskActiveSkinObject& o) override;
    void HideGlows() override;
    TextRenderer& Text() override { return text_; }

    TForm* form_;
    PlatformServices platform_;
    std::unique_ptr<TskFormLayerBorder> border_;
    std::unique_ptr<TskLayerManager> glow_, menuGlow_;
    ComponentTimers timers_;
    GdiTextRenderer text_;
    std::unique_ptr<SkinFrame> frame_;
    std::unique_ptr<TWindowProcHook> hook_;
    SystemMenuPopup popup_;
    bool ncActive_ = false;
    int paints_ = 0;
    bool paintFailed_ = false;
    bool firstShow_ = true;
    std::optional<Bitmap> icon_;
    FrameWindowState actualState_ = FrameWindowState::Normal;
    std::optional<RECT> normalBounds_;
    std::optional<std::optional<std::vector<Rect>>> appliedRegion_;  // what the window's shape was last set to
    bool borderFadeArmed_ = false;
    bool transitionsOff_ = false;
    bool alphaBlend_ = false;
    uint8_t alphaBlendValue_ = 200;
    bool showFades_ = false;  // the show in progress fades the window in (timer 1)
    // Where a move began: the window's rectangle and the cursor, for the magnetic snap.
    RECT moveStart_{};
    POINT moveCursor_{};
};

// The platform's popup menu with the items, at a screen point.
std::optional<SystemMenuCommand> PlatformSystemMenuPopup(HWND owner, const std::vector<SystemMenuItem>& items,
                                                         Point at);

}  // namespace tolvar
