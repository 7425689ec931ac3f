#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "ActiveObjects.h"
#include "FrameGeometry.h"
#include "FrameHitTest.h"
#include "FrameLimits.h"
#include "FrameMask.h"
#include "FrameMoveSize.h"
#include "FramePainting.h"
#include "SkinFrameHost.h"
#include "skin/controls/AnimationTimer.h"
#include "skin/controls/TextRenderer.h"

namespace tolvar {

class TskSkinData;

// The skinned frame's logic: the geometry for the window's size, the size limits, the client
// area, hit-testing, the caption objects with their hover, press and cross-fade, the system
// menu and the frame's pictures. It decides and draws into bitmaps; the window (the host)
// applies. Every window message the frame handles comes down to one call here.
class SkinFrame : public ObjectOwner {
public:
    SkinFrame(SkinFrameHost& host, AnimationTimerFactory& timers);
    ~SkinFrame() override;

    // ---- settings (the component's published properties)
    TskSkinData* SkinData() const { return skinData_; }
    // Stores the skin data and applies it; FormSkinEnabled follows its SkinnableForm.
    void SetSkinData(TskSkinData* data);
    TskBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TskBorderIcons icons);
    bool ShowIcon() const override { return showIcon_; }
    void SetShowIcon(bool on);
    bool UseSkinFontInCaption() const override { return useSkinFontInCaption_; }
    void SetUseSkinFontInCaption(bool on) { useSkinFontInCaption_ = on; }
    const TextFont& DefCaptionFont(bool active) const override {
        return active ? defCaptionFont_ : defInactiveCaptionFont_;
    }
    FrameLimitSettings Limits;  // MinWidth .. MaxHeight; the state flags are filled in per call
    bool HideCaptionButtons = false;
    bool DisableSystemMenu = false;
    bool AlwaysResize = false;
    bool UseDefaultObjectHint = true;

    // Events.
    std::function<void()> OnChangeSkinData, OnBeforeChangeSkinData, OnAfterChangeSkinData;
    std::function<void()> OnActivate, OnDeActivate;
    std::function<void(ObjectEvent, const std::string& idName, MouseButton)> OnObjectEvent;

    // ---- state
    bool FormSkinEnabled() const { return formSkinEnabled_; }
    // Switches the frame on or off and applies the skin again.
    void SetFormSkinEnabled(bool on);
    bool SkinPresent() const { return skinPresent_; }
    const FrameGeometry& Geometry() const { return geometry_; }
    const FrameSkinInfo& Info() const { return info_; }
    int32_t FrameWidth() const { return frameWidth_; }
    int32_t FrameHeight() const { return frameHeight_; }
    ActiveObjectList& Objects() { return objects_; }
    int32_t HoverIndex() const { return hoverIndex_; }
    int32_t CaptureIndex() const { return captureIndex_; }
    bool HoverTimerRunning() const;
    bool MorphTimerRunning() const;
    bool AnimationTimerRunning() const;
    TskSkinCaptionObject* CaptionObject() const;
    bool InSizeMove() const { return inSizeMove_; }
    bool Sizing() const { return sizing_; }
    // Inside a move or size loop that moves the whole window along.
    bool DraggingWhole() const { return inSizeMove_ && fullDrag_; }

    // ---- the component's operations
    void ApplySkin();
    void UpdateFrame(bool full);
    void ComputeFrameGeometry();
    // Shapes the window for the current state: the skin's mask at the window's size, a plain
    // rectangle, or no shape of its own.
    void UpdateWindowRegion();
    // The window point lies in the window's shape.
    bool InsideMask(Point p) const;
    const FrameMask& Mask() const { return mask_; }
    int32_t GetMinWidth() const;
    int32_t GetMinHeight() const;
    bool CanResize() const;
    // The window records its new size (WM_SIZE); with a skin the frame follows it. Inside a size
    // loop that drags the whole window the frame already follows the proposed sizes.
    void WindowSized();
    // Brings the window up to the minimum size, or nudges its width by a pixel and back so
    // that the platform asks for the client area again.
    void FitToMinimum();
    bool ChangingSkin() const { return changingSkin_; }

    // ---- the non-client messages
    // The client rectangle for a proposed window rectangle (WM_NCCALCSIZE).
    Rect ClientRectFor(const Rect& window);
    // What lies under a screen point (WM_NCHITTEST); starts hover tracking over an object.
    HitCode HitTest(Point screen);
    Point ToWindowPoint(Point screen) const;
    // WM_NCACTIVATE: the form becomes active or inactive.
    void Activate(bool active);
    void SetFormActiveState(bool animated);
    // Every button back to its normal image at once (activation, a move or size loop).
    void ResetButtonHover();
    // A move or size loop begins; `fullDrag` when the platform moves the whole window along.
    void EnterSizeMove(bool fullDrag);
    // The size a size loop proposes (WM_SIZING, screen coordinates), kept at least the minimum;
    // while the whole window is dragged, the frame's geometry and shape take it at once.
    Rect SizeTo(const Rect& proposed, SizingEdge edge);
    void ExitSizeMove();
    // Every timer of the frame stops (the window goes).
    void StopTimers();
    // Before and after a skin change (the skin data's notices).
    void BeforeChangeSkinData();
    void ChangeSkinData();

    // ---- objects: hover, mouse routing, cross-fade
    void TestActive(std::optional<Point> windowPoint, bool inFrame = true);
    void HoverTick();
    void MorphTick();
    void AnimationTick();
    // The frame's mouse messages; points in screen coordinates, hit code as the message gives it.
    void NcMouseMove(Point screen);
    void NcButtonDown(MouseButton b, HitCode hit, Point screen);
    void NcButtonUp(MouseButton b, Point screen);
    void NcButtonDblClk(MouseButton b, HitCode hit, Point screen);
    // A button released while the mouse was captured (outside the frame).
    void CapturedButtonUp(MouseButton b);
    // Alt+Space: the system menu below the icon; true when it was shown.
    bool KeyboardSystemMenu();
    void ShowSystemMenu(Point screen);
    std::vector<SystemMenuItem> SystemMenuItems() const;
    void CarryOut(SystemMenuCommand c);
    // The caption double click.
    void CaptionDoubleClick();

    // ---- painting
    // The frame's picture for the window's size, or nothing when it is not to be painted (no
    // skin, below the minimum size).
    std::optional<FramePicture> ComposeFramePicture(const std::optional<Rect>& part = std::nullopt);
    // The unskinned frame's picture.
    Bitmap ComposeDefaultFramePicture();
    // The client area's background for a client of the given size.
    Bitmap ComposeClientBackground(int32_t clientWidth, int32_t clientHeight);
    // The client rectangle in window coordinates.
    Rect ClientRectInWindow() const;

    // ---- ObjectOwner
    const TskSkinData* Skin() const override;
    bool IsFormActive() const override { return host_.FormActive(); }
    const Bitmap& FormIcon() override { return host_.SmallIcon(); }
    FrameWindowState WindowState() const override { return host_.WindowState(); }
    bool RolledUp() const override { return rolledUp_; }
    bool IsMainForm() const override { return host_.IsMainForm(); }
    bool MorphAllowed() const override;
    void StartMorph() override;
    void RepaintObject(TskActiveSkinObject& o) override;
    void ShowGlow(TskActiveSkinObject& o) override;
    void HideGlow(TskActiveSkinObject& o) override;
    void Command(ButtonCommand command) override;
    void PopupSystemMenu(TskSkinButtonObject& button) override;
    void CloseForm() override { host_.Close(); }
    void ObjectEventFired(ObjectEvent e, TskActiveSkinObject& o, MouseButton b) override;
    std::string CaptionText() const override { return host_.Caption(); }
    TextRenderer& Text() override { return host_.Text(); }

private:
    FrameLimitSettings LimitsNow() const;
    void CreateDefaultObjects();
    void ArrangeDefaultObjects();
    void FreeObjects();
    void Press(MouseButton b);
    void Release(MouseButton b);
    TskActiveSkinObject* Hovered() const;
    TskActiveSkinObject* Captured() const;
    bool IsCaption(const TskActiveSkinObject* o) const;

    SkinFrameHost& host_;
    std::unique_ptr<AnimationTimer> hoverTimer_;
    std::unique_ptr<AnimationTimer> morphTimer_;
    std::unique_ptr<AnimationTimer> animationTimer_;
    TskSkinData* skinData_ = nullptr;
    TskBorderIcons borderIcons_ = BorderIconBit(TskBorderIcon::biSystemMenu) |
                                  BorderIconBit(TskBorderIcon::biMinimize) | BorderIconBit(TskBorderIcon::biMaximize) |
                                  BorderIconBit(TskBorderIcon::biRollUp);
    bool showIcon_ = false;
    bool useSkinFontInCaption_ = true;
    TextFont defCaptionFont_{"Arial", 14, fsBold, SystemColor(COLOR_INDEX_BTNTEXT)};
    TextFont defInactiveCaptionFont_{"Arial", 14, fsBold, SystemColor(COLOR_INDEX_BTNSHADOW)};

    bool formSkinEnabled_ = true;
    bool skinPresent_ = false;
    bool rolledUp_ = false;
    bool inSizeMove_ = false;
    bool fullDrag_ = false;      // the loop moves the whole window along
    bool sizing_ = false;        // the loop has sized the window
    bool sizeMoveMark_ = false;  // a move or size loop ended; the next button-down is its own
    bool changingSkin_ = false;  // between the notices before and after a skin change
    FrameSkinInfo info_;
    FrameGeometry geometry_;
    FrameMask mask_;
    int32_t frameWidth_ = 0;
    int32_t frameHeight_ = 0;
    ActiveObjectList objects_;
    int32_t hoverIndex_ = -1;
    int32_t prevHoverIndex_ = -1;
    int32_t captureIndex_ = -1;
    int32_t rolledUpHeight_ = 0;
};

}  // namespace tolvar
