#include "ActiveObjects.h"

#include <algorithm>

#include "CaptionText.h"
#include "FrameGeometry.h"
#include "ImageEffects.h"
#include "skin/controls/BitmapDrawing.h"
#include "skin/controls/BitmapFill.h"
#include "skin/controls/SkinComposition.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinObjectRecords.h"

namespace tolvar {

namespace {

Pixel SystemPixel(uint8_t index) { return ColorToPixel(ResolveColor(SystemColor(index))); }

// Draws `source` at `at`, blended by its opacity when it has one.
void DrawBlended(Bitmap& target, Point at, const Bitmap& source) {
    if (!source.HasAlpha()) {
        PlaceBitmap(target, at, source);
        return;
    }
    for (int32_t y = 0; y < source.Height(); ++y) {
        for (int32_t x = 0; x < source.Width(); ++x) {
            const int32_t tx = at.X + x, ty = at.Y + y;
            if (!target.Contains(tx, ty)) continue;
            const uint32_t a = source.AlphaAt(x, y);
            const Pixel s = source.At(x, y), d = target.At(tx, ty);
            const auto mix = [a](uint8_t sv, uint8_t dv) { return uint8_t((sv * a + dv * (255 - a) + 127) / 255); };
            target.At(tx, ty) =
                MakePixel(mix(PixelR(s), PixelR(d)), mix(PixelG(s), PixelG(d)), mix(PixelB(s), PixelB(d)));
        }
    }
}

Point TopLeft(const Rect& r) { return {r.Left, r.Top}; }
Point Minus(Point a, Point b) { return {a.X - b.X, a.Y - b.Y}; }

}  // namespace

// ---- the base object

TskActiveSkinObject::TskActiveSkinObject(ObjectOwner& owner, const TskDataSkinObject* record)
    : owner_(owner), record_(record) {
    if (!record) return;
    IDName = record->IDName;
    Hint = record->hint;
    skinrect = record->skinrect;
    activeskinrect = record->activeskinrect;
    inactiveskinrect = record->inactiveskinrect;
    skinrectinapicture = record->skinrectinapicture;
    morphing = record->morphing;
    morphkind = record->morphkind;
    if (const TskSkinData* skin = owner.Skin()) {
        ActivePicture = skin->ActivePicture(record->activepictureindex);
        ActiveMask = skin->ActivePicture(record->activemaskpictureindex);
    }
    // Without its own picture the object has no hover image.
    if (!ActivePicture) activeskinrect = {};
    ObjectRect = skinrect;
}

bool TskActiveSkinObject::HitInside(int32_t x, int32_t y) const {
    if (!owner_.Skin() || !ActiveMask) return true;
    // The mask's own edges count as inside; a point past them is not on the shape.
    if (x < 0 || y < 0 || x > ActiveMask->Width() || y > ActiveMask->Height()) return false;
    if (!ActiveMask->Contains(x, y)) return false;
    return (ActiveMask->At(x, y) & 0xFFFFFF) == 0;
}

bool TskActiveSkinObject::IsMorphing() const {
    return (MorphTarget() && MorphFactor < 1.0) || (!MorphTarget() && MorphFactor > 0.0);
}

bool TskActiveSkinObject::MorphStep() {
    if (!HasCrossFade()) {
        // Nothing to fade: the state is already shown.
        MorphFactor = MorphTarget() ? 1.0 : 0.0;
        return false;
    }
    if (!IsMorphing()) return false;
    MorphFactor = std::clamp(MorphFactor + (MorphTarget() ? 0.2 : -0.2), 0.0, 1.0);
    // Five steps of 0.2 must land exactly on the ends.
    if (MorphFactor > 0.999) MorphFactor = 1.0;
    if (MorphFactor < 0.001) MorphFactor = 0.0;
    Repaint();
    return true;
}

bool TskActiveSkinObject::CrossFading() const { return HasCrossFade() && owner_.MorphAllowed() && IsMorphing(); }

void TskActiveSkinObject::StartMorphOrRepaint() {
    if (HasCrossFade() && owner_.MorphAllowed()) {
        owner_.StartMorph();
    } else {
        MorphFactor = MorphTarget() ? 1.0 : 0.0;
        Repaint();
    }
}

const Bitmap* TskActiveSkinObject::MainPicture() const {
    const TskSkinData* skin = owner_.Skin();
    return skin ? &skin->MainPicture : nullptr;
}

void TskActiveSkinObject::CopyInto(Bitmap& canvas, Point origin, const Bitmap* picture, const Rect& r) const {
    if (!picture || picture->Empty() || IsEmptyRect(r)) return;
    CopyBitmapRect(canvas, OffsetRect(ObjectRect, -origin.X, -origin.Y), *picture, r);
}

void TskActiveSkinObject::DrawMorph(Bitmap& canvas, Point origin, const Bitmap* normalPicture, const Rect& normal,
                                    const Bitmap* hoverPicture, const Rect& hover) const {
    const int32_t w = RectWidth(ObjectRect), h = RectHeight(ObjectRect);
    if (w <= 0 || h <= 0 || !normalPicture || !hoverPicture) return;
    Bitmap a(w, h), b(w, h);
    CopyBitmapRect(a, {0, 0, w, h}, *normalPicture, normal);
    CopyBitmapRect(b, {0, 0, w, h}, *hoverPicture, hover);
    PlaceBitmap(canvas, Minus(TopLeft(ObjectRect), origin), MorphImages(a, b, MorphFactor, morphkind));
}

void TskActiveSkinObject::Draw(Bitmap& canvas, Point origin, bool onWindow) {
    if (!owner_.Skin()) return;
    const Bitmap* normalPicture = skinrectinapicture ? ActivePicture : MainPicture();
    if (ObjectEnabled && !owner_.IsFormActive() && !IsEmptyRect(inactiveskinrect)) {
        CopyInto(canvas, origin, ActivePicture, inactiveskinrect);
    } else if (CrossFading()) {
        DrawMorph(canvas, origin, normalPicture, skinrect, ActivePicture, activeskinrect);
    } else if (!Hovered || IsEmptyRect(activeskinrect)) {
        if (!onWindow && !skinrectinapicture) return;
        CopyInto(canvas, origin, normalPicture, skinrect);
    } else {
        CopyInto(canvas, origin, ActivePicture, activeskinrect);
    }
}

void TskActiveSkinObject::MouseDown(int32_t, int32_t, MouseButton b) { Fire(ObjectEvent::MouseDown, b); }

void TskActiveSkinObject::MouseUp(int32_t, int32_t, MouseButton b) {
    if (MouseInside) Fire(ObjectEvent::MouseUp, b);
}

void TskActiveSkinObject::MouseMove(int32_t, int32_t) { Fire(ObjectEvent::MouseMove); }

void TskActiveSkinObject::MouseEnter() {
    MouseInside = Hovered = true;
    if (!IsEmptyRect(activeskinrect)) StartMorphOrRepaint();
    Fire(ObjectEvent::MouseEnter);
    ShowGlow();
}

void TskActiveSkinObject::MouseLeave() {
    MouseInside = Hovered = false;
    if (!IsEmptyRect(activeskinrect)) StartMorphOrRepaint();
    Fire(ObjectEvent::MouseLeave);
    HideGlow();
}

// ---- buttons

TskSkinButtonObject::TskSkinButtonObject(ObjectOwner& owner, const TskDataSkinButton* record)
    : TskActiveSkinObject(owner, record) {
    if (!record) return;
    downrect = record->downrect;
    disableskinrsect = record->disableskinrsect;
}

bool TskSkinButtonObject::IsMorphing() const { return !Pressed && !HasPopup && TskActiveSkinObject::IsMorphing(); }

void TskSkinButtonObject::Draw(Bitmap& canvas, Point origin, bool onWindow) {
    if (!owner_.Skin()) return;
    if (!ObjectEnabled && !IsEmptyRect(disableskinrsect)) {
        CopyInto(canvas, origin, ActivePicture, disableskinrsect);
    } else if (Pressed && MouseInside && !IsEmptyRect(downrect)) {
        CopyInto(canvas, origin, ActivePicture, downrect);
    } else {
        TskActiveSkinObject::Draw(canvas, origin, onWindow);
    }
}

void TskSkinButtonObject::MouseEnter() {
    MouseInside = Hovered = true;
    if (IsEmptyRect(downrect) || !Pressed) {
        if (!IsEmptyRect(activeskinrect)) StartMorphOrRepaint();
        if (HasPopup) ShowGlow();
    } else {
        if (morphing && owner_.MorphAllowed()) MorphFactor = 1.0;
        Repaint();
    }
    Fire(ObjectEvent::MouseEnter);
    if (!HasPopup) ShowGlow();
}

void TskSkinButtonObject::MouseLeave() {
    MouseInside = Hovered = false;
    if (!HasPopup || !Pressed) {
        if (HasPopup) HideGlow();
        StartMorphOrRepaint();
    }
    Fire(ObjectEvent::MouseLeave);
    if (!HasPopup) HideGlow();
}

void TskSkinButtonObject::MouseDown(int32_t, int32_t, MouseButton b) {
    if (!ObjectEnabled) return;
    if (b == MouseButton::Left && !Pressed) {
        Pressed = true;
        if (Hovered && morphing && owner_.MorphAllowed()) MorphFactor = 1.0;
        Repaint();
    }
    Fire(ObjectEvent::MouseDown, b);
}

void TskSkinButtonObject::MouseUp(int32_t, int32_t, MouseButton b) {
    if (!ObjectEnabled) return;
    if (b == MouseButton::Left && !HasPopup && Pressed) {
        Pressed = false;
        StartMorphOrRepaint();
    }
    if (MouseInside) Fire(ObjectEvent::MouseUp, b);
}

void TskSkinButtonObject::PopUp() {
    HasPopup = true;
    owner_.HideGlow(*this);
    if (MouseInside) ShowGlow();
    owner_.PopupSystemMenu(*this);
}

void TskSkinButtonObject::MenuClosed() {
    if (!HasPopup) return;
    HasPopup = false;
    Pressed = false;
    Repaint();
}

// ---- caption buttons

TskSkinStdButtonObject::TskSkinStdButtonObject(ObjectOwner& owner, const TskDataSkinStdButton* record)
    : TskSkinButtonObject(owner, record), FromRecord(true) {
    command = record->command;
    restorehint = record->restorehint;
    restorerect = record->restorerect;
    restoreactiverect = record->restoreactiverect;
    restoredownrect = record->restoredownrect;
    restoreinactiverect = record->restoreinactiverect;
    NormalHint = Hint;
}

TskSkinStdButtonObject::TskSkinStdButtonObject(ObjectOwner& owner, ButtonCommand c)
    : TskSkinButtonObject(owner, nullptr) {
    command = c;
}

bool TskSkinStdButtonObject::IsIconButton() const {
    return command == cmSysMenu && owner_.ShowIcon() && (skinrectinapicture || !FromRecord);
}

bool TskSkinStdButtonObject::HitInside(int32_t x, int32_t y) const {
    return IsIconButton() || TskSkinButtonObject::HitInside(x, y);
}

void TskSkinStdButtonObject::ShowGlow() {
    if (!IsIconButton()) TskSkinButtonObject::ShowGlow();
}

bool TskSkinStdButtonObject::IsMorphing() const { return !IsIconButton() && TskSkinButtonObject::IsMorphing(); }

bool TskSkinStdButtonObject::RestoreCondition() const {
    switch (command) {
    case cmMaximize: return owner_.WindowState() == FrameWindowState::Maximized;
    case cmMinimize: return owner_.WindowState() == FrameWindowState::Minimized && !owner_.IsMainForm();
    case cmRollUp: return owner_.RolledUp();
    default: return false;
    }
}

void TskSkinStdButtonObject::Draw(Bitmap& canvas, Point origin, bool onWindow) {
    if (!FromRecord) {
        DrawGlyphButton(canvas, origin);
        return;
    }
    if (!owner_.Skin()) return;
    const bool restore = RestoreCondition();
    if (IsIconButton()) {
        DrawBlended(canvas, Minus(TopLeft(ObjectRect), origin), owner_.FormIcon());
        MorphFactor = 0.0;
        return;
    }
    if (!ObjectEnabled || (!owner_.IsFormActive() && !IsEmptyRect(inactiveskinrect) && !restore)) {
        TskSkinButtonObject::Draw(canvas, origin, onWindow);
        return;
    }
    if (!restore || IsEmptyRect(restorerect)) {
        if (command == cmSysMenu && Pressed && !IsEmptyRect(downrect))
            CopyInto(canvas, origin, ActivePicture, downrect);
        else TskSkinButtonObject::Draw(canvas, origin, onWindow);
        return;
    }
    if (!owner_.IsFormActive() && !IsEmptyRect(restoreinactiverect)) {
        CopyInto(canvas, origin, ActivePicture, restoreinactiverect);
    } else if (Pressed && MouseInside && !IsEmptyRect(restoredownrect)) {
        CopyInto(canvas, origin, ActivePicture, restoredownrect);
    } else if (morphing && owner_.MorphAllowed() && !IsEmptyRect(restoreactiverect) && IsMorphing()) {
        DrawMorph(canvas, origin, ActivePicture, restorerect, ActivePicture, restoreactiverect);
    } else if (Hovered && !IsEmptyRect(restoreactiverect)) {
        CopyInto(canvas, origin, ActivePicture, restoreactiverect);
    } else {
        CopyInto(canvas, origin, ActivePicture, restorerect);
    }
}

void TskSkinStdButtonObject::DrawGlyphButton(Bitmap& canvas, Point origin) const {
    const int32_t w = RectWidth(ObjectRect), h = RectHeight(ObjectRect);
    if (w <= 0 || h <= 0) return;
    const Point at = Minus(TopLeft(ObjectRect), origin);
    if (IsIconButton()) {
        DrawBlended(canvas, at, owner_.FormIcon());
        return;
    }
    const bool down = Pressed && MouseInside;
    Bitmap b(w, h, SystemPixel(COLOR_INDEX_BTNFACE));
    if (MouseInside) {
        FillBitmapRect(b, {0, 0, w, h}, ColorToPixel(down ? 11899781 : 13811126));
        FrameBitmapRect(b, {0, 0, w, h}, MakePixel(0, 0, 128));
    }
    const Pixel ink = SystemPixel(ObjectEnabled ? COLOR_INDEX_BTNTEXT : COLOR_INDEX_BTNSHADOW);
    const int32_t x = w / 2 - 5 + (down ? 1 : 0), y = h / 2 - 4 + (down ? 1 : 0);
    const auto fill = [&](int32_t l, int32_t t, int32_t r, int32_t bt) {
        FillBitmapRect(b, {x + l, y + t, x + r, y + bt}, ink);
    };
    const auto window = [&](int32_t l, int32_t t, int32_t r, int32_t bt) {
        fill(l, t, r, t + 2);
        fill(l, t, l + 1, bt);
        fill(r - 1, t, r, bt);
        fill(l, bt - 1, r, bt);
    };
    const FrameWindowState state = owner_.WindowState();
    switch (command) {
    case cmClose:
        for (int32_t i = 0; i < 8; ++i) {
            fill(1 + i, i, 3 + i, i + 1);
            fill(8 - i, i, 10 - i, i + 1);
        }
        break;
    case cmMaximize:
    case cmMinimize:
        if ((command == cmMaximize && state == FrameWindowState::Maximized) ||
            (command == cmMinimize && state == FrameWindowState::Minimized)) {
            window(3, 0, 10, 5);
            window(0, 3, 7, 9);
        } else if (command == cmMaximize) {
            window(0, 0, 10, 9);
        } else {
            fill(1, 7, 8, 9);
        }
        break;
    case cmSysMenu: fill(2, 4, 8, 6); break;
    case cmRollUp:
        for (int32_t i = 0; i < 4; ++i) {
            const int32_t row = owner_.RolledUp() ? 2 + i : 5 - i;
            fill(1 + i, row, 9 - i, row + 1);
        }
        break;
    case cmMinimizeToTray:
        fill(5, 7, 10, 9);
        fill(5, 3, 6, 9);
        break;
    default: break;
    }
    PlaceBitmap(canvas, at, b);
}

void TskSkinStdButtonObject::MouseEnter() {
    if (command != cmDefault) {
        const bool restoring = (command == cmRollUp && owner_.RolledUp()) ||
                               (command == cmMinimize && owner_.WindowState() == FrameWindowState::Minimized) ||
                               (command == cmMaximize && owner_.WindowState() == FrameWindowState::Maximized);
        Hint = !restorehint.empty() && restoring ? restorehint : NormalHint;
    }
    if (!IsIconButton()) TskSkinButtonObject::MouseEnter();
    else MouseInside = Hovered = true;
}

void TskSkinStdButtonObject::MouseLeave() {
    if (!IsIconButton()) TskSkinButtonObject::MouseLeave();
    else MouseInside = Hovered = false;
}

void TskSkinStdButtonObject::MouseDown(int32_t, int32_t, MouseButton b) {
    if (!ObjectEnabled || b != MouseButton::Left || Pressed) return;
    if (!IsIconButton()) {
        Pressed = true;
        Repaint();
    }
    if (command == cmSysMenu) PopUp();
}

void TskSkinStdButtonObject::MouseUp(int32_t x, int32_t y, MouseButton b) {
    if (command == cmClose) {
        TskSkinButtonObject::MouseUp(x, y, b);
        DoCommand(b);
        return;
    }
    DoCommand(b);
    if (!IsIconButton()) TskSkinButtonObject::MouseUp(x, y, b);
}

void TskSkinStdButtonObject::DoCommand(MouseButton b) {
    if (Hovered && b == MouseButton::Left && command != cmSysMenu && command != cmDefault) owner_.Command(command);
}

void TskSkinStdButtonObject::DblClick() {
    if (command == cmSysMenu) owner_.CloseForm();
}

// ---- the caption

TskSkinCaptionObject::TskSkinCaptionObject(ObjectOwner& owner, const TskDataSkinCaption* record)
    : TskActiveSkinObject(owner, record), caption_(record) {}

void TskSkinCaptionObject::MouseEnter() {
    MouseInside = true;
    Fire(ObjectEvent::MouseEnter);
}

void TskSkinCaptionObject::MouseLeave() {
    MouseInside = false;
    Fire(ObjectEvent::MouseLeave);
}

void TskSkinCaptionObject::SetActive(bool active, bool animated) {
    if (Active == active) return;
    Active = active;
    const bool fades = HasCrossFade() && owner_.MorphAllowed();
    if (animated && fades) {
        owner_.StartMorph();
    } else {
        MorphFactor = active ? 1.0 : 0.0;
    }
}

Rect TskSkinCaptionObject::TextArea() const { return CaptionTextArea(*caption_, ObjectRect); }

const Bitmap* TskSkinCaptionObject::AnimationPicture() const { return ActivePicture ? ActivePicture : MainPicture(); }

int32_t TskSkinCaptionObject::AnimationInterval() const { return caption_->animateinterval; }

Rect TskSkinCaptionObject::AnimationFrameRect(int32_t n) const {
    const Rect& a = caption_->animateskinrect;
    const int64_t count = std::max(1, caption_->framecount);
    if (Height64(a) > Height64(skinrect)) {
        const int64_t h = Height64(a) / count;
        return {a.Left, Saturate(a.Top + (n - 1) * h), a.Right, Saturate(a.Top + n * h)};
    }
    const int64_t w = Width64(a) / count;
    return {Saturate(a.Left + (n - 1) * w), a.Top, Saturate(a.Left + n * w), a.Bottom};
}

int32_t TskSkinCaptionObject::AnimationFrames() const {
    const Rect& a = caption_->animateskinrect;
    const Bitmap* picture = AnimationPicture();
    if (!owner_.MorphAllowed() || IsEmptyRect(a) || caption_->framecount < 1 || caption_->animateinterval < 1 ||
        !picture || picture->Empty())
        return 0;
    // A frame of no size has nothing to show; frames past the picture are left out, so a strip
    // that runs past it plays only the frames it holds.
    const Rect first = AnimationFrameRect(1);
    if (IsEmptyRect(first) || first.Left < 0 || first.Top < 0 || first.Right > picture->Width() ||
        first.Bottom > picture->Height())
        return 0;
    const bool stacked = Height64(a) > Height64(skinrect);
    const int64_t size = stacked ? RectHeight(first) : RectWidth(first);
    const int64_t room = stacked ? int64_t(picture->Height()) - first.Top : int64_t(picture->Width()) - first.Left;
    return int32_t(std::min<int64_t>(caption_->framecount, room / size));
}

bool TskSkinCaptionObject::StartAnimation(bool active) {
    const int32_t frames = AnimationFrames();
    if (frames == 0 || (!active && !caption_->inactiveanimation)) {
        AnimationFrame = 0;
        return false;
    }
    animationStep_ = active ? 1 : -1;
    AnimationFrame = active ? 1 : frames;
    return true;
}

bool TskSkinCaptionObject::AnimationStep() {
    if (AnimationFrame == 0) return false;
    const int32_t next = AnimationFrame + animationStep_;
    AnimationFrame = next >= 1 && next <= AnimationFrames() ? next : 0;
    return AnimationFrame != 0;
}

Bitmap TskSkinCaptionObject::Background(const Rect& r, const Bitmap* picture) const {
    Bitmap target;
    const int32_t w = RectWidth(ObjectRect);
    const TskSkinData* skin = owner_.Skin();
    if (!picture || !skin || w <= 0 || IsEmptyRect(r))
        return Bitmap(std::max(w, 0), std::max(RectHeight(ObjectRect), 0));
    const int32_t leftCap = std::max(0, skin->lefttoppoint.X - skinrect.Left);
    const int32_t rightCap = std::max(0, skinrect.Right - skin->righttoppoint.X);
    ComposeThreeSliceH(leftCap, rightCap, target, caption_->stretcheffect, w, r, *picture);
    return target;
}

Bitmap TskSkinCaptionObject::AnimationBackground() const {
    Bitmap strip = Background(AnimationFrameRect(AnimationFrame), AnimationPicture());
    const int32_t w = RectWidth(ObjectRect), h = RectHeight(ObjectRect);
    if (strip.Height() == h || w <= 0 || h <= 0 || strip.Empty()) return strip;
    // A frame of another height than the caption is scaled to it.
    Bitmap fitted(w, h);
    StretchBitmap(fitted, {0, 0, w, h}, strip);
    return fitted;
}

void TskSkinCaptionObject::DrawText(Bitmap& target, Point at) const {
    const TskSkinData* skin = owner_.Skin();
    CaptionTextRequest request;
    request.Text = owner_.CaptionText();
    request.TextArea = TextArea();
    request.Origin = at;
    if (owner_.UseSkinFontInCaption()) {
        request.Font.Name = caption_->fontname;
        request.Font.Height = caption_->fontheight;
        request.Font.Style = caption_->fontstyle;
    } else {
        request.Font = owner_.DefCaptionFont(Active);
    }
    request.Font.Color = Active ? caption_->activefontcolor : caption_->fontcolor;
    request.Active = Active;
    request.ActivePicture = ActivePicture;
    request.CaptionWidth = RectWidth(ObjectRect);
    request.ButtonsOffset = skin ? skin->buttonsoffset : 0;
    DrawCaptionText(target, owner_.Text(), *caption_, request);
}

void TskSkinCaptionObject::Draw(Bitmap& canvas, Point origin, bool onWindow) {
    const TskSkinData* skin = owner_.Skin();
    if (!skin) return;
    const Point at = Minus(TopLeft(ObjectRect), origin);
    const Bitmap* normalPicture = skinrectinapicture ? ActivePicture : MainPicture();
    // An inactive caption composed of its own pictures gets the inactive effect when it is drawn
    // on its own; drawn into the frame's strips it gets the effect with them, once.
    const bool effect = onWindow && !Active && skin->autorenderinginactiveimage;
    if (AnimationFrame >= 1 && AnimationFrame <= AnimationFrames()) {
        Bitmap image = AnimationBackground();
        DrawText(image, {0, 0});
        PlaceBitmap(canvas, at, image);
    } else if (CrossFading()) {
        Bitmap normal = Background(skinrect, normalPicture);
        Bitmap hover = Background(activeskinrect, ActivePicture);
        DrawText(normal, {0, 0});
        DrawText(hover, {0, 0});
        Bitmap image = MorphImages(normal, hover, MorphFactor, morphkind);
        if (effect) ApplyInactiveEffect(image, skin->inactiveeffect);
        PlaceBitmap(canvas, at, image);
    } else if (IsEmptyRect(activeskinrect) || (!Active && !caption_->stretcheffect)) {
        DrawText(canvas, at);
    } else {
        Bitmap image = Active ? Background(activeskinrect, ActivePicture) : Background(skinrect, normalPicture);
        DrawText(image, {0, 0});
        if (effect) ApplyInactiveEffect(image, skin->inactiveeffect);
        PlaceBitmap(canvas, at, image);
    }
}

// ---- making, states, hints, layout

ActiveObjectList CreateObjects(ObjectOwner& owner, const TskSkinData& skin) {
    ActiveObjectList list;
    for (const auto& r : skin.ObjectList) {
        const std::string_view c = r->ClassName();
        if (c == "TskDataSkinStdButton") {
            list.push_back(
                std::make_unique<TskSkinStdButtonObject>(owner, static_cast<const TskDataSkinStdButton*>(r.get())));
        } else if (c == "TskDataSkinButton") {
            list.push_back(
                std::make_unique<TskSkinButtonObject>(owner, static_cast<const TskDataSkinButton*>(r.get())));
        } else if (c == "TskDataSkinCaption") {
            list.push_back(
                std::make_unique<TskSkinCaptionObject>(owner, static_cast<const TskDataSkinCaption*>(r.get())));
        } else if (c == "TskDataSkinAnimate") {
            auto o = std::make_unique<TskSkinAnimateObject>(owner, r.get());
            o->command = static_cast<const TskDataSkinAnimate*>(r.get())->command;
            list.push_back(std::move(o));
        } else if (c == "TskDataUserObject") {
            list.push_back(std::make_unique<TskUserObject>(owner, r.get()));
        }
    }
    return list;
}

namespace {

// The command of a stdbutton or animate object; nothing for the others.
std::optional<ButtonCommand> CommandOf(const TskActiveSkinObject& o) {
    if (const auto* b = dynamic_cast<const TskSkinStdButtonObject*>(&o)) return b->command;
    if (const auto* a = dynamic_cast<const TskSkinAnimateObject*>(&o)) return a->command;
    return std::nullopt;
}

}  // namespace

void UpdateObjectStates(ActiveObjectList& objects, const ObjectStateSettings& s) {
    const auto has = [&](TskBorderIcon i) { return HasBorderIcon(s.BorderIcons, i); };
    bool dialogCloseExists = false;
    for (const auto& o : objects)
        if (o->IDName == "dialogclosebutton" && CommandOf(*o) == cmClose) dialogCloseExists = true;
    const bool dialogIcons = s.BorderIcons == 0 || s.BorderIcons == BorderIconBit(TskBorderIcon::biSystemMenu);
    for (auto& o : objects) {
        const std::optional<ButtonCommand> command = CommandOf(*o);
        if (!command) continue;
        if (s.HideCaptionButtons) {
            o->ObjectEnabled = false;
            o->ObjectVisible = !o->skinrectinapicture;
            continue;
        }
        const auto apply = [&o](bool b) {
            o->ObjectEnabled = b;
            o->ObjectVisible = o->skinrectinapicture ? b : true;
        };
        switch (*command) {
        case cmMaximize: apply(has(TskBorderIcon::biMaximize)); break;
        case cmMinimize: apply(has(TskBorderIcon::biMinimize)); break;
        case cmRollUp: apply(has(TskBorderIcon::biRollUp)); break;
        case cmMinimizeToTray: apply(has(TskBorderIcon::biMinimizeToTray)); break;
        case cmSysMenu: apply(has(TskBorderIcon::biSystemMenu) && !s.DisableSystemMenu); break;
        case cmDefault: o->ObjectVisible = false; break;  // no handler decides otherwise
        case cmClose: {
            const bool dialog = o->IDName == "dialogclosebutton";
            if (dialogIcons && dialogCloseExists) {
                o->ObjectVisible = o->ObjectEnabled = dialog;
            } else if (dialog) {
                o->ObjectVisible = o->ObjectEnabled = false;
            } else {
                o->ObjectVisible = o->ObjectEnabled = true;
            }
            break;
        }
        }
    }
}

void SetObjectHints(ActiveObjectList& objects, const TskResourceStrData* strings) {
    const auto text = [strings](const char* resource, const char* builtIn) {
        return strings ? strings->GetResStr(resource) : std::string(builtIn);
    };
    for (auto& o : objects) {
        const std::optional<ButtonCommand> command = CommandOf(*o);
        if (!command) continue;
        std::string hint;
        switch (*command) {
        case cmClose: hint = text("CLOSEBUTTON_HINT", "Close"); break;
        case cmMaximize: hint = text("MAXBUTTON_HINT", "Maximize"); break;
        case cmMinimize: hint = text("MINBUTTON_HINT", "Minimize"); break;
        case cmSysMenu: hint = text("MENUBUTTON_HINT", "System menu"); break;
        case cmRollUp: hint = text("ROLLUPBUTTON_HINT", "Roll Up"); break;
        case cmMinimizeToTray: hint = text("TRAYBUTTON_HINT", "Minimize to Tray"); break;
        default: continue;
        }
        o->Hint = hint;
        if (auto* b = dynamic_cast<TskSkinStdButtonObject*>(o.get())) {
            b->NormalHint = hint;
            b->restorehint = text("RESTORE_HINT", "Restore");
        }
    }
}

void ArrangeObjects(ActiveObjectList& objects, const FrameSkinInfo& skin, const FrameGeometry& g, int32_t frameWidth,
                    int32_t frameHeight, Point smallIconSize, bool showIcon) {
    TskSkinCaptionObject* caption = nullptr;
    for (auto& o : objects) {
        if (!o->skinrectinapicture) o->ObjectRect = PlaceByCorners(skin, o->skinrect, frameWidth, frameHeight);
        if (!caption) caption = dynamic_cast<TskSkinCaptionObject*>(o.get());
    }
    const bool useButtons = !IsEmptyRect(skin.ButtonsRect);
    if (!useButtons && IsEmptyRect(skin.CaptionRect)) return;
    const Rect line = useButtons ? g.SizedButtonsRect : g.SizedCaptionRect;
    const int32_t y = line.Top;
    const int32_t gap = skin.ButtonsOffset;

    const auto laidOut = [](TskActiveSkinObject& o) { return o.ObjectVisible && o.skinrectinapicture; };
    const auto sizeOf = [&](const TskActiveSkinObject& o) {
        const auto* b = dynamic_cast<const TskSkinStdButtonObject*>(&o);
        if (b && b->command == cmSysMenu && showIcon) return smallIconSize;
        return Point{RectWidth(o.skinrect), RectHeight(o.skinrect)};
    };
    const auto find = [&](ButtonCommand c, bool first, const std::function<void(TskActiveSkinObject&)>& place) {
        for (auto& o : objects) {
            const auto* b = dynamic_cast<const TskSkinStdButtonObject*>(o.get());
            if (!b || b->command != c || !laidOut(*o)) continue;
            place(*o);
            if (first) return;
        }
    };
    const ButtonCommand order[] = {cmClose, cmMaximize, cmMinimize, cmRollUp, cmMinimizeToTray};
    TskActiveSkinObject* sysMenu = nullptr;
    find(cmSysMenu, true, [&](TskActiveSkinObject& o) { sysMenu = &o; });

    if (!skin.ButtonsInLeft) {
        int32_t x = line.Right;
        const auto placeLeftward = [&](TskActiveSkinObject& o) {
            const Point s = sizeOf(o);
            o.ObjectRect = {x - s.X, y, x, y + s.Y};
            x -= s.X + gap;
        };
        for (ButtonCommand c : order) find(c, true, placeLeftward);
        find(cmDefault, false, placeLeftward);
        if (!useButtons && caption) caption->ObjectRect.Right = x + gap;
        x = g.SizedCaptionRect.Left;
        if (sysMenu) {
            const Point s = sizeOf(*sysMenu);
            const int32_t top = RectHeight(g.SizedCaptionRect) / 2 + g.SizedCaptionRect.Top - s.Y / 2;
            sysMenu->ObjectRect = {x, top, x + s.X, top + s.Y};
            x += s.X + gap;
            if (caption) caption->ObjectRect.Left = x - gap;
        }
    } else {
        int32_t x = line.Left;
        const auto placeRightward = [&](TskActiveSkinObject& o) {
            const Point s = sizeOf(o);
            o.ObjectRect = {x, y, x + s.X, y + s.Y};
            x += s.X + gap;
        };
        for (ButtonCommand c : order) find(c, true, placeRightward);
        find(cmDefault, false, placeRightward);
        if (!useButtons) {
            if (sysMenu) placeRightward(*sysMenu);
            if (caption) caption->ObjectRect.Left = x + gap;
        }
    }
}

}  // namespace tolvar
