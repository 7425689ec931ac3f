#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/Bitmap.h"
#include "base/Geometry.h"
#include "skin/controls/TextRenderer.h"
#include "skin/data/SkinTypes.h"

namespace tolvar {

class TskSkinData;
class TskDataSkinObject;
class TskDataSkinButton;
class TskDataSkinStdButton;
class TskDataSkinCaption;
class TskActiveSkinObject;
class TskSkinButtonObject;
class TextRenderer;

// The frame's caption buttons; a set of them is one byte, bit n for value n.
enum class TskBorderIcon : uint8_t {
    biSystemMenu = 0,
    biMinimize = 1,
    biMaximize = 2,
    biRollUp = 3,
    biMinimizeToTray = 4
};
using TskBorderIcons = uint8_t;
constexpr TskBorderIcons BorderIconBit(TskBorderIcon i) { return TskBorderIcons(1u << uint8_t(i)); }
constexpr bool HasBorderIcon(TskBorderIcons set, TskBorderIcon i) { return (set & BorderIconBit(i)) != 0; }

enum class FrameWindowState { Normal, Minimized, Maximized };
enum class MouseButton { Left, Right, Middle };
enum class ObjectEvent { MouseEnter, MouseLeave, MouseDown, MouseUp, MouseMove, Paint };

// What the caption objects ask of the frame they belong to: the skin, the window's state, and
// the repaints, glows and commands they cause.
class ObjectOwner {
public:
    virtual ~ObjectOwner() = default;
    // The skin, or none when no skin is present.
    virtual const TskSkinData* Skin() const = 0;
    virtual bool IsFormActive() const = 0;
    virtual bool ShowIcon() const = 0;
    // The form's icon at the small-icon size, with its opacity.
    virtual const Bitmap& FormIcon() = 0;
    virtual FrameWindowState WindowState() const = 0;
    virtual bool RolledUp() const = 0;
    virtual bool IsMainForm() const = 0;
    // The cross-fade may run: a skin with its effects on, no full-border layered frame.
    virtual bool MorphAllowed() const = 0;
    virtual void StartMorph() = 0;
    virtual void RepaintObject(TskActiveSkinObject& o) = 0;
    virtual void ShowGlow(TskActiveSkinObject& o) = 0;
    virtual void HideGlow(TskActiveSkinObject& o) = 0;
    // Carries out a caption button's command (close, maximize, minimize, roll-up, tray).
    virtual void Command(ButtonCommand command) = 0;
    // Pops the system menu up below the button; the button is released when the menu closes.
    virtual void PopupSystemMenu(TskSkinButtonObject& button) = 0;
    // The form's ordinary close request.
    virtual void CloseForm() = 0;
    virtual void ObjectEventFired(ObjectEvent e, TskActiveSkinObject& o, MouseButton b) = 0;
    // The caption: its text, its renderer and whether the skin's caption font is used.
    virtual std::string CaptionText() const = 0;
    virtual TextRenderer& Text() = 0;
    virtual bool UseSkinFontInCaption() const = 0;
    virtual const TextFont& DefCaptionFont(bool active) const = 0;
};

// A caption object: made from an object record of the skin (or, for the unskinned frame, from
// nothing), placed by the layout, hovered, pressed and drawn.
class TskActiveSkinObject {
public:
    TskActiveSkinObject(ObjectOwner& owner, const TskDataSkinObject* record);
    virtual ~TskActiveSkinObject() = default;
    TskActiveSkinObject(const TskActiveSkinObject&) = delete;
    TskActiveSkinObject& operator=(const TskActiveSkinObject&) = delete;

    // Is (x, y), relative to ObjectRect, on the object's shape?
    virtual bool HitInside(int32_t x, int32_t y) const;
    virtual void ShowGlow() { owner_.ShowGlow(*this); }
    virtual void HideGlow() { owner_.HideGlow(*this); }
    virtual bool IsMorphing() const;
    // Draws the object into `canvas`, whose top-left corner lies at window point `origin`.
    // With `onWindow` clear the canvas already shows the frame picture under the object.
    virtual void Draw(Bitmap& canvas, Point origin, bool onWindow);
    virtual void DblClick() {}
    virtual void MouseDown(int32_t x, int32_t y, MouseButton b);
    virtual void MouseUp(int32_t x, int32_t y, MouseButton b);
    virtual void MouseMove(int32_t x, int32_t y);
    virtual void MouseEnter();
    virtual void MouseLeave();

    // One step of the cross-fade towards the object's state; true when it stepped.
    bool MorphStep();
    // Where the cross-fade heads: the hover image (true) or the normal one.
    virtual bool MorphTarget() const { return Hovered; }
    // The record it was made from; none for the unskinned frame's buttons.
    const TskDataSkinObject* Record() const { return record_; }
    ObjectOwner& Owner() const { return owner_; }

    std::string IDName;
    std::string Hint;
    Rect skinrect, activeskinrect, inactiveskinrect;
    bool skinrectinapicture = false;
    bool morphing = false;
    MorphMode morphkind = mkDefault;
    const Bitmap* ActivePicture = nullptr;  // the object's own images, or none
    const Bitmap* ActiveMask = nullptr;
    Rect ObjectRect;
    bool ObjectVisible = true;
    bool ObjectEnabled = true;
    bool MouseInside = false;
    bool Hovered = false;
    double MorphFactor = 0.0;

protected:
    // Starts the cross-fade when it may run; otherwise the new state is shown at once.
    void StartMorphOrRepaint();
    void Repaint() { owner_.RepaintObject(*this); }
    void Fire(ObjectEvent e, MouseButton b = MouseButton::Left) { owner_.ObjectEventFired(e, *this, b); }
    // The main picture of the skin, or none.
    const Bitmap* MainPicture() const;
    // `r` of `picture` copied (scaled when sizes differ) into ObjectRect on the canvas.
    void CopyInto(Bitmap& canvas, Point origin, const Bitmap* picture, const Rect& r) const;
    // The cross-fade of the two images at MorphFactor, drawn at ObjectRect.
    void DrawMorph(Bitmap& canvas, Point origin, const Bitmap* normalPicture, const Rect& normal,
                   const Bitmap* hoverPicture, const Rect& hover) const;
    bool CrossFading() const;
    // The object has a hover image to cross-fade to; without one a state change shows at once.
    bool HasCrossFade() const { return morphing && !IsEmptyRect(activeskinrect); }

    ObjectOwner& owner_;

private:
    const TskDataSkinObject* record_;
};

// A frame button: pressed and disabled images.
class TskSkinButtonObject : public TskActiveSkinObject {
public:
    TskSkinButtonObject(ObjectOwner& owner, const TskDataSkinButton* record);
    bool IsMorphing() const override;
    void Draw(Bitmap& canvas, Point origin, bool onWindow) override;
    void MouseDown(int32_t x, int32_t y, MouseButton b) override;
    void MouseUp(int32_t x, int32_t y, MouseButton b) override;
    void MouseEnter() override;
    void MouseLeave() override;
    // The popped-up menu closed: the button comes up again.
    void MenuClosed();

    Rect downrect, disableskinrsect;
    bool Pressed = false;
    bool HasPopup = false;  // holds a popped-up menu

protected:
    void PopUp();
};

// A caption button with a command; also the unskinned frame's glyph buttons (no record).
class TskSkinStdButtonObject : public TskSkinButtonObject {
public:
    TskSkinStdButtonObject(ObjectOwner& owner, const TskDataSkinStdButton* record);
    // An unskinned frame's button with a command and no record.
    TskSkinStdButtonObject(ObjectOwner& owner, ButtonCommand command);
    bool HitInside(int32_t x, int32_t y) const override;
    void ShowGlow() override;
    bool IsMorphing() const override;
    void Draw(Bitmap& canvas, Point origin, bool onWindow) override;
    void DblClick() override;
    void MouseDown(int32_t x, int32_t y, MouseButton b) override;
    void MouseUp(int32_t x, int32_t y, MouseButton b) override;
    void MouseEnter() override;
    void MouseLeave() override;

    // The system-menu button drawn as the form's icon.
    bool IsIconButton() const;

    ButtonCommand command = cmDefault;
    std::string restorehint, NormalHint;
    Rect restorerect, restoreactiverect, restoredownrect, restoreinactiverect;
    bool FromRecord = false;

private:
    bool RestoreCondition() const;
    void DoCommand(MouseButton b);
    void DrawGlyphButton(Bitmap& canvas, Point origin) const;
};

// The caption: its background and the form's caption text.
class TskSkinCaptionObject : public TskActiveSkinObject {
public:
    TskSkinCaptionObject(ObjectOwner& owner, const TskDataSkinCaption* record);
    void Draw(Bitmap& canvas, Point origin, bool onWindow) override;
    void MouseDown(int32_t, int32_t, MouseButton b) override { Fire(ObjectEvent::MouseDown, b); }
    void MouseUp(int32_t, int32_t, MouseButton b) override {
        if (MouseInside) Fire(ObjectEvent::MouseUp, b);
    }
    void MouseMove(int32_t, int32_t) override { Fire(ObjectEvent::MouseMove); }
    void MouseEnter() override;
    void MouseLeave() override;
    bool MorphTarget() const override { return Active; }

    // The caption's active state and its cross-fade (animated or at once).
    void SetActive(bool active, bool animated);
    const TskDataSkinCaption& Caption() const { return *caption_; }
    // Where the text goes, relative to ObjectRect.
    Rect TextArea() const;

    // The caption's frame animation, played when the window becomes active (and backwards when
    // it becomes inactive, with the record's inactiveanimation). The frames are equal slices of
    // animateskinrect in the caption's own picture (the frame picture without one), side by side
    // or, when the strip is taller than the caption, one below the other.
    // How many frames can be shown: framecount, less the frames that would reach past the
    // picture; 0 when there is no animation to play (effects off, no strip, no frames, frames
    // without size, no interval).
    int32_t AnimationFrames() const;
    // Frame n (1 .. framecount) of the strip, in the animation's picture.
    Rect AnimationFrameRect(int32_t n) const;
    // Starts the animation for a change to `active`; false (and no frame showing) when there is
    // none to play.
    bool StartAnimation(bool active);
    // Moves to the next frame; false when the animation has ended and no frame shows any more.
    bool AnimationStep();
    // Milliseconds between two frames.
    int32_t AnimationInterval() const;

    bool Active = false;
    int32_t AnimationFrame = 0;  // the frame showing, 1 .. AnimationFrames(); 0 for none

private:
    Bitmap Background(const Rect& r, const Bitmap* picture) const;
    // The caption's background from the frame showing, fitted to ObjectRect.
    Bitmap AnimationBackground() const;
    const Bitmap* AnimationPicture() const;
    void DrawText(Bitmap& target, Point at) const;

    const TskDataSkinCaption* caption_;
    int32_t animationStep_ = 1;  // +1 forwards, -1 backwards
};

// An object with a frame animation on hover; this program's skin has none, so it draws as
// the base object does.
class TskSkinAnimateObject : public TskActiveSkinObject {
public:
    using TskActiveSkinObject::TskActiveSkinObject;
    ButtonCommand command = cmDefault;
};

// An object the application draws: it fires the paint event instead of drawing.
class TskUserObject : public TskActiveSkinObject {
public:
    using TskActiveSkinObject::TskActiveSkinObject;
    void Draw(Bitmap&, Point, bool) override { Fire(ObjectEvent::Paint); }
};

using ActiveObjectList = std::vector<std::unique_ptr<TskActiveSkinObject>>;

// One object per record of the skin's object list, in order; menu records make none.
ActiveObjectList CreateObjects(ObjectOwner& owner, const TskSkinData& skin);

// Which objects are shown and enabled for the border icons (bit n for TskBorderIcon n).
struct ObjectStateSettings {
    TskBorderIcons BorderIcons = 0;
    bool HideCaptionButtons = false;
    bool DisableSystemMenu = false;
    bool HasDialogCloseButton = false;  // filled in by UpdateObjectStates
};
void UpdateObjectStates(ActiveObjectList& objects, const ObjectStateSettings& settings);

// The standard hint texts by command; `strings` gives them by resource name when set.
void SetObjectHints(ActiveObjectList& objects, const class TskResourceStrData* strings);

// Lays the objects out for the current geometry.
struct FrameGeometry;
struct FrameSkinInfo;
void ArrangeObjects(ActiveObjectList& objects, const FrameSkinInfo& skin, const FrameGeometry& g, int32_t frameWidth,
                    int32_t frameHeight, Point smallIconSize, bool showIcon);

}  // namespace tolvar
