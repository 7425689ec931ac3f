#include "SkinFrame.h"

#include <algorithm>

#include "skin/data/SkinData.h"

namespace tolvar {

SkinFrame::SkinFrame(SkinFrameHost& host, AnimationTimerFactory& timers)
    : host_(host),
      hoverTimer_(timers.CreateTimer([this] { HoverTick(); })),
      morphTimer_(timers.CreateTimer([this] { MorphTick(); })),
      animationTimer_(timers.CreateTimer([this] { AnimationTick(); })) {
    hoverTimer_->SetInterval(50);
    morphTimer_->SetInterval(25);
    animationTimer_->SetInterval(25);
}

SkinFrame::~SkinFrame() = default;

// ---- settings

void SkinFrame::SetSkinData(TskSkinData* data) {
    skinData_ = data;
    if (data) formSkinEnabled_ = data->SkinnableForm();
    ApplySkin();
}

void SkinFrame::SetBorderIcons(TskBorderIcons icons) {
    borderIcons_ = icons;
    if (skinPresent_ && formSkinEnabled_) {
        UpdateObjectStates(objects_, {borderIcons_, HideCaptionButtons, DisableSystemMenu});
        if (UseDefaultObjectHint && skinData_) SetObjectHints(objects_, skinData_->ResourceStrData());
        UpdateFrame(true);
    } else if (formSkinEnabled_) {
        CreateDefaultObjects();
    }
    host_.PaintFrameNow(std::nullopt);
}

void SkinFrame::SetShowIcon(bool on) {
    showIcon_ = on;
    host_.PaintFrameNow(std::nullopt);
}

void SkinFrame::SetFormSkinEnabled(bool on) {
    if (formSkinEnabled_ == on) return;
    formSkinEnabled_ = on;
    ApplySkin();
}

bool SkinFrame::HoverTimerRunning() const { return hoverTimer_->Enabled(); }
bool SkinFrame::MorphTimerRunning() const { return morphTimer_->Enabled(); }
bool SkinFrame::AnimationTimerRunning() const { return animationTimer_->Enabled(); }

TskSkinCaptionObject* SkinFrame::CaptionObject() const {
    for (const auto& o : objects_)
        if (auto* c = dynamic_cast<TskSkinCaptionObject*>(o.get())) return c;
    return nullptr;
}

const TskSkinData* SkinFrame::Skin() const { return skinPresent_ ? skinData_ : nullptr; }

bool SkinFrame::MorphAllowed() const { return skinPresent_ && skinData_->EnableSkinEffects; }

// ---- applying a skin

void SkinFrame::FreeObjects() {
    hoverIndex_ = prevHoverIndex_ = captureIndex_ = -1;
    objects_.clear();
}

void SkinFrame::ApplySkin() {
    hoverIndex_ = prevHoverIndex_ = captureIndex_ = -1;
    skinPresent_ = skinData_ && !skinData_->Empty();
    host_.HideGlows();
    if (skinPresent_) info_ = FrameSkinInfo::From(*skinData_);
    if (skinPresent_ && formSkinEnabled_) {
        objects_ = CreateObjects(*this, *skinData_);
        UpdateObjectStates(objects_, {borderIcons_, HideCaptionButtons, DisableSystemMenu});
        if (UseDefaultObjectHint) SetObjectHints(objects_, skinData_->ResourceStrData());
    } else {
        FreeObjects();
        frameWidth_ = host_.WindowWidth();
        frameHeight_ = host_.WindowHeight();
        if (formSkinEnabled_) CreateDefaultObjects();
        UpdateWindowRegion();
    }
    // The form's own caption buttons: none under the skinned frame; without it the platform's
    // frame shows the component's (the system menu unless the buttons are hidden, never help).
    TskBorderIcons own = 0;
    if (!formSkinEnabled_) {
        if (!HideCaptionButtons) own |= BorderIconBit(TskBorderIcon::biSystemMenu);
        own |= borderIcons_ & (BorderIconBit(TskBorderIcon::biMinimize) | BorderIconBit(TskBorderIcon::biMaximize));
    }
    host_.SetFormBorderIcons(own);
    if (formSkinEnabled_) FitToMinimum();
    frameWidth_ = host_.WindowWidth();
    frameHeight_ = host_.WindowHeight();
    if (skinPresent_) UpdateFrame(true);
    host_.RepaintForm();
    host_.PaintFrameNow(std::nullopt);
    SetFormActiveState(true);
    if (formSkinEnabled_) hoverTimer_->SetEnabled(true);
    if (OnChangeSkinData) OnChangeSkinData();
}

void SkinFrame::FitToMinimum() {
    const Point at = host_.WindowOrigin();
    const int32_t w = host_.WindowWidth(), h = host_.WindowHeight();
    const int32_t minW = GetMinWidth(), minH = GetMinHeight();
    if (w < minW && h < minH) {
        host_.SetWindowBounds(at.X, at.Y, minW, minH);
    } else if (h < minH) {
        host_.SetWindowBounds(at.X, at.Y, w, minH);
    } else if (w < minW) {
        host_.SetWindowBounds(at.X, at.Y, minW, h);
    } else {
        // The same size again makes no change; a nudge makes the platform ask for the client
        // area anew.
        const int32_t step = w - 1 < minW ? 1 : -1;
        host_.SetWindowBounds(at.X, at.Y, w + step, h);
        host_.SetWindowBounds(at.X, at.Y, w, h);
    }
}

void SkinFrame::UpdateFrame(bool full) {
    if (!skinPresent_ || !formSkinEnabled_) return;
    ComputeFrameGeometry();
    if (full) ArrangeObjects(objects_, info_, geometry_, frameWidth_, frameHeight_, host_.SmallIconSize(), showIcon_);
    UpdateWindowRegion();
    if (!host_.Borderless()) host_.PaintFrameNow(std::nullopt);
    // A stretched client background depends on the window's size: the whole form is painted
    // anew, and the children that draw parts of it are told.
    if (skinData_->stretcheffect) {
        host_.RepaintForm();
        host_.TellChildrenParentChanged();
    }
}

void SkinFrame::UpdateWindowRegion() {
    WindowRegionState s;
    s.FormSkinEnabled = formSkinEnabled_;
    s.SkinPresent = skinPresent_;
    s.Borderless = host_.Borderless();
    s.FrameWidth = frameWidth_;
    s.FrameHeight = frameHeight_;
    const bool usable = skinPresent_ && MaskUsable(info_);
    if (formSkinEnabled_ && !s.Borderless && usable)
        mask_ = ComposeFrameMask(info_, geometry_, skinData_->MaskPicture, frameWidth_);
    else if (!skinPresent_ || !usable) mask_ = {};
    host_.ApplyWindowRegion(PlanWindowRegion(s, usable, mask_));
}

bool SkinFrame::InsideMask(Point p) const { return mask_.InsideMask(p); }

void SkinFrame::ComputeFrameGeometry() {
    if (frameWidth_ == 0) frameWidth_ = host_.WindowWidth();
    if (frameHeight_ == 0) frameHeight_ = host_.WindowHeight();
    if (!skinPresent_) return;
    geometry_ = tolvar::ComputeFrameGeometry(info_, frameWidth_, frameHeight_);
}

FrameLimitSettings SkinFrame::LimitsNow() const {
    FrameLimitSettings s = Limits;
    s.Minimized = host_.WindowState() == FrameWindowState::Minimized;
    s.RolledUp = rolledUp_;
    s.ToolWindow = host_.ToolWindowBorder();
    return s;
}

int32_t SkinFrame::GetMinWidth() const { return MinFrameWidth(skinPresent_ ? &info_ : nullptr, LimitsNow()); }
int32_t SkinFrame::GetMinHeight() const { return MinFrameHeight(skinPresent_ ? &info_ : nullptr, LimitsNow()); }
bool SkinFrame::CanResize() const { return AlwaysResize || host_.SizeableBorder(); }

void SkinFrame::WindowSized() {
    // Dragged whole, the window takes the sizes the loop proposed, which the frame has already.
    if (inSizeMove_ && fullDrag_) return;
    frameWidth_ = host_.WindowWidth();
    frameHeight_ = host_.WindowHeight();
    if (!formSkinEnabled_) return;
    if (skinPresent_) {
        if (frameWidth_ >= GetMinWidth() && frameHeight_ >= GetMinHeight()) UpdateFrame(true);
    } else {
        UpdateWindowRegion();
        host_.PaintFrameNow(std::nullopt);
    }
}

// ---- the unskinned frame's buttons

void SkinFrame::CreateDefaultObjects() {
    FreeObjects();
    if (HideCaptionButtons) return;
    objects_.push_back(std::make_unique<TskSkinStdButtonObject>(*this, cmClose));
    if (HasBorderIcon(borderIcons_, TskBorderIcon::biMaximize))
        objects_.push_back(std::make_unique<TskSkinStdButtonObject>(*this, cmMaximize));
    if (HasBorderIcon(borderIcons_, TskBorderIcon::biMinimize))
        objects_.push_back(std::make_unique<TskSkinStdButtonObject>(*this, cmMinimize));
    if (HasBorderIcon(borderIcons_, TskBorderIcon::biSystemMenu) && !DisableSystemMenu)
        objects_.push_back(std::make_unique<TskSkinStdButtonObject>(*this, cmSysMenu));
    ArrangeDefaultObjects();
}

void SkinFrame::ArrangeDefaultObjects() {
    const bool tool = host_.ToolWindowBorder();
    const int32_t caption = DefaultCaptionHeight(tool), size = DefaultButtonSize(tool);
    const int32_t y = kDefaultBorder + (caption - size) / 2;
    int32_t x = host_.WindowWidth() - kDefaultBorder - 2;
    for (auto& o : objects_) {
        auto* b = static_cast<TskSkinStdButtonObject*>(o.get());
        if (b->command == cmSysMenu) {
            const Point icon = showIcon_ ? host_.SmallIconSize() : Point{size, size};
            const int32_t top = kDefaultBorder + (caption - icon.Y) / 2;
            b->ObjectRect = {kDefaultBorder + 2, top, kDefaultBorder + 2 + icon.X, top + icon.Y};
        } else {
            b->ObjectRect = {x - size, y, x, y + size};
            x -= size + 2;
        }
    }
}

// ---- the non-client messages

Rect SkinFrame::ClientRectFor(const Rect& r) {
    Rect c;
    if (!skinPresent_) {
        const int32_t caption = DefaultCaptionHeight(host_.ToolWindowBorder());
        c = {r.Left + kDefaultBorder, r.Top + caption + kDefaultBorder, r.Right - kDefaultBorder,
             r.Bottom - kDefaultBorder};
    } else {
        ComputeFrameGeometry();
        const Rect& k = info_.ClientRect;
        c = {r.Left + k.Left, r.Top + k.Top, r.Right + (k.Right - info_.PictureWidth),
             r.Bottom + (k.Bottom - info_.PictureHeight)};
    }
    c.Right = std::max(c.Right, c.Left);
    c.Bottom = std::max(c.Bottom, c.Top);
    return c;
}

Rect SkinFrame::ClientRectInWindow() const {
    if (skinPresent_) return geometry_.SizedClientRect;
    const int32_t caption = DefaultCaptionHeight(host_.ToolWindowBorder());
    return {kDefaultBorder, caption + kDefaultBorder, host_.WindowWidth() - kDefaultBorder,
            host_.WindowHeight() - kDefaultBorder};
}

Point SkinFrame::ToWindowPoint(Point screen) const {
    const Point o = host_.WindowOrigin();
    return {screen.X - o.X, screen.Y - o.Y};
}

HitCode SkinFrame::HitTest(Point screen) {
    const Point p = ToWindowPoint(screen);
    HitTestState s;
    s.Width = host_.WindowWidth();
    s.Height = host_.WindowHeight();
    const FrameWindowState state = host_.WindowState();
    s.Maximized = state == FrameWindowState::Maximized;
    s.Minimized = state == FrameWindowState::Minimized;
    s.RolledUp = rolledUp_;
    s.CanResize = CanResize();
    s.ObjectHovered = hoverIndex_ != -1;
    s.InSizeMove = inSizeMove_;
    if (const TskSkinCaptionObject* caption = CaptionObject()) s.CaptionTextArea = caption->ObjectRect;
    HitCode code;
    if (skinPresent_) {
        const bool masked = MaskUsable(info_);
        code = SkinHitTest(info_, geometry_, s, p,
                           masked ? std::function<bool(Point)>([this](Point q) { return InsideMask(q); })
                                  : std::function<bool(Point)>());
    } else {
        Rect buttons;
        for (const auto& o : objects_) {
            if (!o->ObjectVisible || static_cast<TskSkinStdButtonObject*>(o.get())->command == cmSysMenu) continue;
            buttons = IsEmptyRect(buttons)
                          ? o->ObjectRect
                          : Rect{std::min(buttons.Left, o->ObjectRect.Left), std::min(buttons.Top, o->ObjectRect.Top),
                                 std::max(buttons.Right, o->ObjectRect.Right),
                                 std::max(buttons.Bottom, o->ObjectRect.Bottom)};
        }
        code = DefaultHitTest(s, p, DefaultCaptionHeight(host_.ToolWindowBorder()), buttons);
    }
    if (code == HitCode::Object && !hoverTimer_->Enabled()) {
        TestActive(p);
        hoverTimer_->SetEnabled(true);
    }
    return code;
}

void SkinFrame::Activate(bool active) {
    if (!formSkinEnabled_) return;
    host_.HideGlows();
    if (!active) TestActive(std::nullopt);
    if (host_.Borderless()) return;
    host_.PaintFrameNow(std::nullopt);
    SetFormActiveState(true);
}

void SkinFrame::SetFormActiveState(bool animated) {
    const bool active = IsFormActive();
    TskSkinCaptionObject* caption = CaptionObject();
    if (caption && caption->Active != active) {
        caption->SetActive(active, animated);
        animationTimer_->SetEnabled(false);
        if (animated && caption->StartAnimation(active)) {
            animationTimer_->SetInterval(uint32_t(caption->AnimationInterval()));
            animationTimer_->SetEnabled(true);
        } else {
            caption->AnimationFrame = 0;
        }
        if (animated) host_.PaintFrameNow(std::nullopt);
    }
    if (active && OnActivate) OnActivate();
    if (!active && OnDeActivate) OnDeActivate();
}

void SkinFrame::ResetButtonHover() {
    for (auto& o : objects_) {
        if (!dynamic_cast<TskSkinButtonObject*>(o.get())) continue;
        o->Hovered = o->MouseInside = false;
        o->MorphFactor = 0.0;
    }
}

void SkinFrame::EnterSizeMove(bool fullDrag) {
    ResetButtonHover();
    hoverTimer_->SetEnabled(false);
    hoverIndex_ = captureIndex_ = -1;
    inSizeMove_ = true;
    fullDrag_ = fullDrag;
    sizing_ = false;
    sizeMoveMark_ = true;
}

Rect SkinFrame::SizeTo(const Rect& proposed, SizingEdge edge) {
    const Rect r = formSkinEnabled_ ? SizingRect(proposed, edge, GetMinWidth(), GetMinHeight()) : proposed;
    if (!inSizeMove_ || !fullDrag_) return r;
    sizing_ = true;
    // The region and the frame are made for the size the window is about to take, not for the
    // one it leaves.
    frameWidth_ = RectWidth(r);
    frameHeight_ = RectHeight(r);
    if (skinPresent_) {
        UpdateFrame(true);
    } else if (formSkinEnabled_) {
        UpdateWindowRegion();
    }
    return r;
}

void SkinFrame::StopTimers() {
    hoverTimer_->SetEnabled(false);
    morphTimer_->SetEnabled(false);
    animationTimer_->SetEnabled(false);
}

void SkinFrame::ExitSizeMove() {
    const bool resized = sizing_ || frameWidth_ != host_.WindowWidth() || frameHeight_ != host_.WindowHeight();
    inSizeMove_ = false;
    fullDrag_ = false;
    sizing_ = false;
    if (resized) {
        frameWidth_ = host_.WindowWidth();
        frameHeight_ = host_.WindowHeight();
        UpdateFrame(true);
    }
    hoverTimer_->SetEnabled(false);
    hoverIndex_ = prevHoverIndex_ = captureIndex_ = -1;
    if (skinPresent_) host_.PaintFrameNow(std::nullopt);
}

void SkinFrame::BeforeChangeSkinData() {
    host_.HideGlows();
    StopTimers();
    FreeObjects();
    // Until the new skin is complete, nothing of the old one may be drawn or read.
    skinPresent_ = false;
    changingSkin_ = true;
    if (OnBeforeChangeSkinData) OnBeforeChangeSkinData();
}

void SkinFrame::ChangeSkinData() {
    changingSkin_ = false;
    ApplySkin();
}

// ---- objects

TskActiveSkinObject* SkinFrame::Hovered() const {
    return hoverIndex_ >= 0 && size_t(hoverIndex_) < objects_.size() ? objects_[size_t(hoverIndex_)].get() : nullptr;
}

TskActiveSkinObject* SkinFrame::Captured() const {
    return captureIndex_ >= 0 && size_t(captureIndex_) < objects_.size() ? objects_[size_t(captureIndex_)].get()
                                                                         : nullptr;
}

bool SkinFrame::IsCaption(const TskActiveSkinObject* o) const {
    return dynamic_cast<const TskSkinCaptionObject*>(o) != nullptr;
}

void SkinFrame::TestActive(std::optional<Point> p, bool inFrame) {
    if (objects_.empty()) return;
    // Clearing the hover is always allowed; looking for a new one only in an active window
    // outside a move or size loop.
    if (p && (!IsFormActive() || inSizeMove_ || host_.Borderless())) return;
    prevHoverIndex_ = hoverIndex_;
    int32_t candidate = -1;
    if (p) {
        for (size_t i = 0; i < objects_.size(); ++i) {
            const TskActiveSkinObject& o = *objects_[i];
            if (!o.ObjectEnabled || !o.ObjectVisible || !Contains(o.ObjectRect, *p)) continue;
            if (!o.HitInside(p->X - o.ObjectRect.Left, p->Y - o.ObjectRect.Top)) continue;
            candidate = int32_t(i);
            break;
        }
    }
    hoverIndex_ = inFrame ? candidate : -1;
    if (captureIndex_ != -1 && hoverIndex_ != -1 && captureIndex_ != hoverIndex_) hoverIndex_ = -1;
    if (hoverIndex_ == prevHoverIndex_) return;
    const auto usable = [this](int32_t i) -> TskActiveSkinObject* {
        if (i < 0 || size_t(i) >= objects_.size()) return nullptr;
        TskActiveSkinObject* o = objects_[size_t(i)].get();
        return o->ObjectEnabled && o->ObjectVisible ? o : nullptr;
    };
    if (TskActiveSkinObject* old = usable(prevHoverIndex_)) old->MouseLeave();
    if (TskActiveSkinObject* now = usable(hoverIndex_)) now->MouseEnter();
}

void SkinFrame::HoverTick() {
    if (!IsFormActive()) return;
    const std::optional<Point> cursor = host_.CursorOverWindow();
    if (!cursor) {
        hoverTimer_->SetEnabled(false);
        TestActive(std::nullopt);
        return;
    }
    if (inSizeMove_) {
        hoverTimer_->SetEnabled(false);
        return;
    }
    const Point p = ToWindowPoint(*cursor);
    if (!Contains(ClientRectInWindow(), p)) TestActive(p);
    else if (hoverIndex_ != -1) TestActive(std::nullopt);
}

void SkinFrame::MorphTick() {
    bool stepped = false;
    // A step may repaint, and a repaint never changes the list; index anyway, to be safe.
    for (size_t i = 0; i < objects_.size(); ++i) stepped = objects_[i]->MorphStep() || stepped;
    if (!stepped) morphTimer_->SetEnabled(false);
}

void SkinFrame::StartMorph() { morphTimer_->SetEnabled(true); }

void SkinFrame::AnimationTick() {
    TskSkinCaptionObject* caption = CaptionObject();
    const bool more = caption && caption->AnimationStep();
    if (!more) animationTimer_->SetEnabled(false);
    if (caption) RepaintObject(*caption);
}

void SkinFrame::Press(MouseButton b) {
    TskActiveSkinObject* o = Hovered();
    if (!o) return;
    if (!IsCaption(o)) host_.SetMouseCapture(true);
    captureIndex_ = hoverIndex_;
    o->MouseDown(0, 0, b);
}

void SkinFrame::Release(MouseButton b) {
    TskActiveSkinObject* o = Captured();
    if (!o) return;
    captureIndex_ = -1;
    if (!IsCaption(o)) host_.SetMouseCapture(false);
    o->MouseUp(0, 0, b);
}

void SkinFrame::NcMouseMove(Point screen) {
    const Point p = ToWindowPoint(screen);
    if (TskActiveSkinObject* o = Captured() ? Captured() : Hovered()) o->MouseMove(p.X, p.Y);
}

void SkinFrame::NcButtonDown(MouseButton b, HitCode hit, Point screen) {
    if (b == MouseButton::Left && sizeMoveMark_) {
        // The button started a move or size loop, which has ended by now.
        sizeMoveMark_ = false;
        return;
    }
    TestActive(ToWindowPoint(screen));
    Press(b);
    if (hit == HitCode::Caption) {
        captureIndex_ = -1;
        if (b == MouseButton::Right && !DisableSystemMenu) {
            const std::optional<Point> cursor = host_.CursorOverWindow();
            ShowSystemMenu(cursor ? *cursor : screen);
        }
    }
}

void SkinFrame::NcButtonUp(MouseButton b, Point) { Release(b); }

void SkinFrame::NcButtonDblClk(MouseButton b, HitCode hit, Point screen) {
    TestActive(ToWindowPoint(screen));
    Press(b);
    if (b == MouseButton::Left) {
        if (TskActiveSkinObject* o = Hovered()) o->DblClick();
        if (hit == HitCode::Caption) CaptionDoubleClick();
    }
    if (hit == HitCode::Caption) captureIndex_ = -1;
}

void SkinFrame::CapturedButtonUp(MouseButton b) { Release(b); }

// ---- commands and the system menu

void SkinFrame::Command(ButtonCommand command) {
    const FrameWindowState state = host_.WindowState();
    switch (command) {
    case cmClose:
        TestActive(std::nullopt);
        host_.Close();
        break;
    case cmMaximize:
        TestActive(std::nullopt);
        host_.HideGlows();
        host_.SetWindowState(state == FrameWindowState::Maximized ? FrameWindowState::Normal
                                                                  : FrameWindowState::Maximized);
        break;
    case cmMinimize:
        TestActive(std::nullopt);
        host_.HideGlows();
        host_.SetWindowState(state == FrameWindowState::Minimized ? FrameWindowState::Normal
                                                                  : FrameWindowState::Minimized);
        break;
    case cmRollUp: CarryOut(SystemMenuCommand::RollUp); break;
    case cmMinimizeToTray:
        TestActive(std::nullopt);
        host_.SetWindowState(FrameWindowState::Minimized);
        break;
    default: break;
    }
}

std::vector<SystemMenuItem> SkinFrame::SystemMenuItems() const {
    SystemMenuState s;
    const FrameWindowState state = host_.WindowState();
    s.Minimized = state == FrameWindowState::Minimized;
    s.Maximized = state == FrameWindowState::Maximized;
    s.RolledUp = rolledUp_;
    s.CanMinimize = HasBorderIcon(borderIcons_, TskBorderIcon::biMinimize);
    s.CanMaximize = HasBorderIcon(borderIcons_, TskBorderIcon::biMaximize);
    s.CanRollUp = HasBorderIcon(borderIcons_, TskBorderIcon::biRollUp);
    s.CanMinimizeToTray = HasBorderIcon(borderIcons_, TskBorderIcon::biMinimizeToTray);
    return tolvar::SystemMenuItems(s, skinData_ ? skinData_->ResourceStrData() : nullptr);
}

void SkinFrame::ShowSystemMenu(Point screen) {
    host_.HideGlows();
    if (const std::optional<SystemMenuCommand> c = host_.PopupMenu(SystemMenuItems(), screen)) CarryOut(*c);
}

void SkinFrame::PopupSystemMenu(TskSkinButtonObject& button) {
    const Point o = host_.WindowOrigin();
    const Point below{button.ObjectRect.Left + o.X, button.ObjectRect.Bottom + o.Y};
    const std::optional<SystemMenuCommand> c = host_.PopupMenu(SystemMenuItems(), below);
    // The menu's own loop took the button's release: end the press here.
    button.MenuClosed();
    if (captureIndex_ != -1) {
        captureIndex_ = -1;
        host_.SetMouseCapture(false);
    }
    if (c) CarryOut(*c);
}

bool SkinFrame::KeyboardSystemMenu() {
    for (const auto& o : objects_) {
        const auto* b = dynamic_cast<const TskSkinStdButtonObject*>(o.get());
        if (!b || b->command != cmSysMenu || !b->ObjectEnabled) continue;
        const Point origin = host_.WindowOrigin();
        ShowSystemMenu({b->ObjectRect.Left + origin.X, b->ObjectRect.Bottom + origin.Y});
        return true;
    }
    return false;
}

void SkinFrame::CarryOut(SystemMenuCommand c) {
    switch (c) {
    case SystemMenuCommand::Close: host_.Close(); break;
    case SystemMenuCommand::Minimize:
    case SystemMenuCommand::MinimizeToTray: host_.SetWindowState(FrameWindowState::Minimized); break;
    case SystemMenuCommand::Maximize: host_.SetWindowState(FrameWindowState::Maximized); break;
    case SystemMenuCommand::Restore:
        if (rolledUp_) CarryOut(SystemMenuCommand::RollUp);
        else host_.SetWindowState(FrameWindowState::Normal);
        break;
    case SystemMenuCommand::RollUp: {
        if (host_.WindowState() == FrameWindowState::Minimized) break;
        const Point at = host_.WindowOrigin();
        if (!rolledUp_) {
            rolledUpHeight_ = host_.WindowHeight();
            rolledUp_ = true;
            host_.SetWindowBounds(at.X, at.Y, host_.WindowWidth(), GetMinHeight());
        } else {
            rolledUp_ = false;
            host_.SetWindowBounds(at.X, at.Y, host_.WindowWidth(), rolledUpHeight_);
        }
        break;
    }
    case SystemMenuCommand::None: break;
    }
}

void SkinFrame::CaptionDoubleClick() {
    const FrameWindowState state = host_.WindowState();
    const bool resize = CanResize();
    if (resize && state == FrameWindowState::Minimized) {
        host_.SetWindowState(FrameWindowState::Normal);
    } else if (resize && state != FrameWindowState::Maximized && !rolledUp_ &&
               HasBorderIcon(borderIcons_, TskBorderIcon::biMaximize)) {
        host_.SetWindowState(FrameWindowState::Maximized);
    } else if (!resize || state != FrameWindowState::Maximized || rolledUp_) {
        if (HasBorderIcon(borderIcons_, TskBorderIcon::biRollUp)) CarryOut(SystemMenuCommand::RollUp);
    } else {
        host_.SetWindowState(FrameWindowState::Normal);
    }
}

// ---- ObjectOwner

void SkinFrame::RepaintObject(TskActiveSkinObject& o) {
    if (host_.Borderless()) return;
    host_.PaintFrameNow(o.ObjectRect);
}

void SkinFrame::ShowGlow(TskActiveSkinObject& o) {
    if (!skinPresent_ || !skinData_->ShowCaptionButtonGlowFrames || !o.Record() ||
        o.Record()->glowlayerpictureindex == kNoPicture)
        return;
    host_.ShowGlow(o);
}

void SkinFrame::HideGlow(TskActiveSkinObject&) { host_.HideGlows(); }

void SkinFrame::ObjectEventFired(ObjectEvent e, TskActiveSkinObject& o, MouseButton b) {
    if (OnObjectEvent) OnObjectEvent(e, o.IDName, b);
}

// ---- painting

std::optional<FramePicture> SkinFrame::ComposeFramePicture(const std::optional<Rect>& part) {
    if (!skinPresent_ || !formSkinEnabled_) return std::nullopt;
    if (frameWidth_ == 0) frameWidth_ = host_.WindowWidth();
    if (frameHeight_ == 0) frameHeight_ = host_.WindowHeight();
    if (frameWidth_ < GetMinWidth() || frameHeight_ < GetMinHeight()) return std::nullopt;
    ComputeFrameGeometry();
    ArrangeObjects(objects_, info_, geometry_, frameWidth_, frameHeight_, host_.SmallIconSize(), showIcon_);
    return ComposeFrame(*skinData_, info_, geometry_, frameWidth_, frameHeight_, IsFormActive(), objects_, part);
}

Bitmap SkinFrame::ComposeDefaultFramePicture() {
    ArrangeDefaultObjects();
    const bool active = IsFormActive();
    return ComposeDefaultFrame(host_.WindowWidth(), host_.WindowHeight(),
                               DefaultCaptionHeight(host_.ToolWindowBorder()), active, objects_, host_.Text(),
                               DefCaptionFont(active), host_.Caption());
}

Bitmap SkinFrame::ComposeClientBackground(int32_t clientWidth, int32_t clientHeight) {
    const int32_t fw = frameWidth_ ? frameWidth_ : host_.WindowWidth();
    const int32_t fh = frameHeight_ ? frameHeight_ : host_.WindowHeight();
    return tolvar::ComposeClientBackground(Skin(), clientWidth, clientHeight, fw, fh);
}

}  // namespace tolvar
