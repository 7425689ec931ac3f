#include "SkinForm.h"

#include <algorithm>

#include "app/Application.h"
#include "app/CodePageText.h"
#include "app/Canvas.h"
#include "app/DibSection.h"
#include "app/Message.h"
#include "base/Exceptions.h"
#include "base/Text.h"
#include "skin/controls/win/SkinControl.h"
#include "skin/controls/win/WindowRegion.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinNotices.h"

namespace tolvar {

static_assert(int(HitCode::Client) == HTCLIENT && int(HitCode::Caption) == HTCAPTION);
static_assert(int(HitCode::Left) == HTLEFT && int(HitCode::Right) == HTRIGHT && int(HitCode::Top) == HTTOP);
static_assert(int(HitCode::TopLeft) == HTTOPLEFT && int(HitCode::TopRight) == HTTOPRIGHT);
static_assert(int(HitCode::Bottom) == HTBOTTOM && int(HitCode::BottomLeft) == HTBOTTOMLEFT);
static_assert(int(HitCode::BottomRight) == HTBOTTOMRIGHT && int(HitCode::Object) == HTOBJECT);
// The form's own caption buttons carry the same bits as the component's.
static_assert(BorderIconBit(TskBorderIcon::biSystemMenu) == biSystemMenu &&
              BorderIconBit(TskBorderIcon::biMinimize) == biMinimize &&
              BorderIconBit(TskBorderIcon::biMaximize) == biMaximize);
static_assert(int(SizingEdge::Left) == WMSZ_LEFT && int(SizingEdge::BottomRight) == WMSZ_BOTTOMRIGHT);

namespace {

// Messages other programs and tools send to a skinned window.
constexpr UINT kInquirySkinned = 45490;
constexpr UINT kPaintFrameTo = 45513;
constexpr UINT kPaintFrameToChecked = 48203;
constexpr LPARAM kPaintFrameToCheck = 16802;
// Other windows arm a fade of the layered border and start it.
constexpr UINT kBeginBorderFade = 45491;
constexpr UINT kEndBorderFade = 45492;
// A form whose Tag holds this is being shown by its owner: its border goes on as if visible.
constexpr int32_t kShowingTag = -10000;
constexpr UINT_PTR kShowTimer = 1;
// An owner that showed the form with kShowingTag asks for it and the stay-on-top forms in front.
constexpr UINT kRaiseForms = 1426;

// Posted to itself while the window is being shown: the border follows when it is up.
UINT ShowBorderLaterMessage() {
    static const UINT message = RegisterWindowMessageA("TolvarShowLayerBorderLater");
    return message;
}

TForm* FormOf(TComponent* owner) {
    auto* form = dynamic_cast<TForm*>(owner);
    if (!form) throw Exception("Invalid class typecast");
    return form;
}

RECT WindowRectOf(HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    return r;
}

// The work area of a monitor, when the platform knows it.
std::optional<RECT> WorkAreaOf(HMONITOR monitor) {
    MONITORINFO info{};
    info.cbSize = sizeof(MONITORINFO);
    if (!GetMonitorInfoA(monitor, &info)) return std::nullopt;
    return info.rcWork;
}

// The work area of the monitor a rectangle lies on (or nearest to); the rectangle itself when
// there is none.
Rect WorkAreaNear(const Rect& r) {
    const RECT at{r.Left, r.Top, r.Right, r.Bottom};
    const std::optional<RECT> a = WorkAreaOf(MonitorFromRect(&at, MONITOR_DEFAULTTONEAREST));
    return a ? Rect{a->left, a->top, a->right, a->bottom} : r;
}

// An icon's pixels with their opacity: from its own alpha when it has one, else from its mask.
Bitmap IconBitmap(HICON icon, int32_t w, int32_t h) {
    Bitmap out(w, h);
    out.MakeAlpha(0);
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    const auto render = [&](UINT flags, std::vector<uint32_t>& bits) {
        const TDibSection section(w, h, dc.Get());
        if (!section) return false;
        const SelectGuard select(dc.Get(), section.Handle());
        DrawIconEx(dc.Get(), 0, 0, icon, w, h, 0, nullptr, flags);
        GdiFlush();
        bits.assign(section.Bits(), section.Bits() + section.PixelCount());
        return true;
    };
    std::vector<uint32_t> image, mask;
    if (!render(DI_IMAGE, image) || !render(DI_MASK, mask)) return out;
    bool hasAlpha = false;
    for (uint32_t p : image) hasAlpha = hasAlpha || (p >> 24) != 0;
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) {
            const uint32_t p = image[size_t(y) * size_t(w) + size_t(x)];
            const uint8_t a =
                hasAlpha ? uint8_t(p >> 24) : ((mask[size_t(y) * size_t(w) + size_t(x)] & 0xFFFFFF) ? 0 : 255);
            out.AlphaAt(x, y) = a;
            // Premultiplied in the section when it had alpha: take the colour back out.
            uint8_t r = uint8_t(p >> 16), g = uint8_t(p >> 8), b = uint8_t(p);
            if (hasAlpha && a != 0 && a != 255) {
                r = uint8_t(std::min(255, r * 255 / a));
                g = uint8_t(std::min(255, g * 255 / a));
                b = uint8_t(std::min(255, b * 255 / a));
            }
            out.At(x, y) = MakePixel(r, g, b);
        }
    }
    return out;
}

MouseButton ButtonOf(UINT msg) {
    switch (msg) {
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCRBUTTONDBLCLK:
    case WM_RBUTTONUP: return MouseButton::Right;
    default: return MouseButton::Left;
    }
}

}  // namespace

TskSkinForm::TskSkinForm(TComponent* owner)
    : TComponent(owner),
      form_(FormOf(owner)),
      platform_(DetectPlatformServices()),
      border_(std::make_unique<TskFormLayerBorder>(form_, platform_)),
      glow_(std::make_unique<TskLayerManager>(platform_)),
      menuGlow_(std::make_unique<TskLayerManager>(platform_)),
      timers_(this),
      frame_(std::make_unique<SkinFrame>(static_cast<SkinFrameHost&>(*this), timers_)) {
    popup_ = PlatformSystemMenuPopup;
    frame_->OnChangeSkinData = [this] {
        SkinApplied();
        // A client size asked for is imposed once the frame is known.
        if ((ClientWidth > 0 || ClientHeight > 0) && !frame_->RolledUp())
            form_->SetClientSize(ClientWidth > 0 ? ClientWidth : form_->ClientWidth(),
                                 ClientHeight > 0 ? ClientHeight : form_->ClientHeight());
        if (OnChangeSkinData) OnChangeSkinData(this);
    };
    frame_->OnBeforeChangeSkinData = [this] {
        if (OnBeforeChangeSkinData) OnBeforeChangeSkinData(this);
    };
    frame_->OnActivate = [this] {
        if (OnActivate) OnActivate(this);
    };
    frame_->OnDeActivate = [this] {
        if (OnDeActivate) OnDeActivate(this);
    };
    form_->SetBorderIcons(0);
    form_->OnShortCut = [this](TWMKey& key, bool& handled) { ShortCut(key, handled); };
    hook_ = std::make_unique<TWindowProcHook>(form_, [this](TMessage& m) { return HandleMessage(m); });
    // A window made before the frame was attached asks for its frame again.
    if (form_->HandleAllocated()) form_->FrameChanged();
}

TskSkinForm::~TskSkinForm() {
    HideGlows();
    border_->Hide();
    hook_.reset();
    // The platform's own frame is rectangular again.
    if (form_->HandleAllocated() && appliedRegion_ && *appliedRegion_) SetWindowRgn(form_->Handle(), nullptr, TRUE);
    if (form_->HandleAllocated()) form_->FrameChanged();
}

void TskSkinForm::SetSkinData(TskSkinData* data) {
    if (TskSkinData* old = frame_->SkinData(); old && old != data) RemoveFreeNotification(old);
    if (data) FreeNotification(data);
    frame_->SetSkinData(data);
}

void TskSkinForm::SetBorderIcons(TskBorderIcons icons) { frame_->SetBorderIcons(icons); }

void TskSkinForm::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == frame_->SkinData()) frame_->SetSkinData(nullptr);
}

// ---- the message handler

bool TskSkinForm::HandleMessage(TMessage& m) {
    switch (m.Msg) {
    case WM_NCCALCSIZE: return OnNcCalcSize(m);
    case WM_NCHITTEST: return OnNcHitTest(m);
    case WM_NCPAINT: return OnNcPaint(m);
    case WM_NCACTIVATE: return OnNcActivate(m);
    case WM_ACTIVATE: return OnActivateMessage(m);
    case WM_SETTEXT: return OnSetText(m);
    case WM_ERASEBKGND: return OnEraseBkgnd(m);
    case WM_GETMINMAXINFO: return OnGetMinMaxInfo(m);
    case WM_SIZE: return OnSize(m);
    case WM_SHOWWINDOW: return OnShowWindow(m);
    case WM_SYSCOMMAND: return OnSysCommand(m);
    case WM_TIMER: return OnTimer(m);
    case WM_DISPLAYCHANGE: return OnDisplayChange(m);
    case WM_CONTEXTMENU: return OnContextMenu(m);
    case WM_ENTERSIZEMOVE: return OnEnterSizeMove(m);
    case WM_MOVING: return OnMoving(m);
    case WM_SIZING: return OnSizing(m);
    case WM_DESTROY: return OnDestroy(m);
    case kRaiseForms: return OnRaiseForms(m);
    case WM_EXITSIZEMOVE:
        frame_->ExitSizeMove();
        border_->Update();
        return false;
    case WM_WINDOWPOSCHANGED: return OnWindowPosChanged(m);
    case WM_NCMOUSEMOVE:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCRBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP: return OnFrameMouse(m);
    case BeforeChangeSkinData:
    case ChangeSkinData:
    case AfterChangeSkinData:
    case ResourceStrDataChanged:
    case SkinnableFormChanged: return OnSkinNotice(m);
    case LayeredBordersChanged:
    case AeroBlurChanged:
    case kBeginBorderFade:
    case kEndBorderFade: return OnLayerNotice(m);
    case kInquirySkinned:
        // Before desktop composition every window counts as skinned.
        m.Result = frame_->FormSkinEnabled() || !platform_.CompositionEra ? 12853 : 12852;
        return true;
    case kPaintFrameTo: return OnPaintFrameTo(m, 12851);
    case kPaintFrameToChecked: return m.LParam == kPaintFrameToCheck && OnPaintFrameTo(m, kPaintFrameToCheck);
    default:
        if (m.Msg == ShowBorderLaterMessage()) {
            if (Visible() && LayeredBordersActive() && !border_->Shown()) {
                border_->SetActiveLook(true, false);
                border_->Show();
            }
            return true;
        }
        return false;
    }
}

bool TskSkinForm::OnNcCalcSize(TMessage& m) {
    if (!frame_->FormSkinEnabled() || Borderless()) return false;
    RECT& r = NcCalcSizeRect(m.LParam);
    const Rect c = frame_->ClientRectFor({r.left, r.top, r.right, r.bottom});
    r = {c.Left, c.Top, c.Right, c.Bottom};
    m.Result = 0;
    return true;
}

bool TskSkinForm::OnNcHitTest(TMessage& m) {
    if (!frame_->FormSkinEnabled()) return false;
    m.Result = LRESULT(frame_->HitTest(PointOf(m.LParam)));
    return true;
}

bool TskSkinForm::OnNcPaint(TMessage& m) {
    if (!frame_->FormSkinEnabled()) return false;
    if (!Borderless()) PaintFrame();
    m.Result = 0;
    return true;
}

bool TskSkinForm::OnNcActivate(TMessage& m) {
    if (!frame_->FormSkinEnabled()) return false;
    ncActive_ = m.WParam != 0;
    frame_->Activate(ncActive_);
    if (Visible()) {
        if (LayeredBordersActive()) border_->SetActiveLook(ncActive_, true);
    } else if (form_->Tag != kShowingTag) {
        border_->Hide();
    }
    // The platform's own caption drawing never runs.
    m.Result = 1;
    return true;
}

bool TskSkinForm::OnActivateMessage(TMessage& m) {
    if (!frame_->FormSkinEnabled()) return false;
    hook_->CallPrevious(m);
    frame_->ResetButtonHover();
    PaintFrameNow(std::nullopt);
    frame_->SetFormActiveState(true);
    return true;
}

bool TskSkinForm::OnSetText(TMessage& m) {
    if (!frame_->FormSkinEnabled() || !form_->HandleAllocated()) return false;
    // The platform draws its own caption when the text changes on a window with a caption;
    // without the caption bits for that moment it only stores the text.
    const HWND h = form_->Handle();
    const LONG style = GetWindowLongA(h, GWL_STYLE);
    SetWindowLongA(h, GWL_STYLE, style & ~LONG(WS_CAPTION));
    hook_->CallPrevious(m);
    SetWindowLongA(h, GWL_STYLE, style);
    if (!Borderless()) PaintFrameNow(std::nullopt);
    return true;
}

bool TskSkinForm::OnEraseBkgnd(TMessage& m) {
    const HDC dc = DcOf(m.WParam);
    m.Result = 1;
    if (!dc || !form_->HandleAllocated()) return true;
    RECT client;
    GetClientRect(form_->Handle(), &client);
    const Bitmap background = frame_->ComposeClientBackground(client.right, client.bottom);
    TCanvas(dc).Draw(0, 0, background);
    return true;
}

bool TskSkinForm::OnGetMinMaxInfo(TMessage& m) {
    if (!frame_->FormSkinEnabled()) return false;
    hook_->CallPrevious(m);
    MINMAXINFO& info = MinMaxInfoOf(m.LParam);
    info.ptMinTrackSize = {frame_->GetMinWidth(), frame_->GetMinHeight()};
    if (const std::optional<RECT> area = form_->HandleAllocated()
                                             ? WorkAreaOf(MonitorFromWindow(form_->Handle(), MONITOR_DEFAULTTONEAREST))
                                             : std::nullopt)
        info.ptMaxTrackSize = {MaxFrameSize(frame_->Limits.MaxWidth, area->right - area->left),
                               MaxFrameSize(frame_->Limits.MaxHeight, area->bottom - area->top)};
    return true;
}

bool TskSkinForm::OnSize(TMessage& m) {
    hook_->CallPrevious(m);
    // Dragged whole in a size loop, the window takes the size the frame and the border already
    // follow (WM_SIZING).
    if (frame_->DraggingWhole()) return true;
    frame_->WindowSized();
    if (frame_->SkinPresent() && frame_->FormSkinEnabled() && WindowWidth() >= frame_->GetMinWidth() &&
        WindowHeight() >= frame_->GetMinHeight())
        border_->Update();
    if (alphaBlend_ && alphaBlendValue_ < 255 && form_->HandleAllocated()) {
        // A translucent window is painted anew as a whole at its new size.
        PaintFrameNow(std::nullopt);
        InvalidateRect(form_->Handle(), nullptr, TRUE);
    }
    return true;
}

bool TskSkinForm::ShowFades() const {
    const TskSkinData* skin = frame_->SkinData();
    return platform_.PerWindowAlpha && (alphaBlend_ || AlphaBlendAnimation || (skin && skin->AnimationForAllWindows));
}

bool TskSkinForm::OnShowWindow(TMessage& m) {
    if (m.WParam < 1) {
        border_->Hide();
        return false;
    }
    if (!frame_->FormSkinEnabled()) return false;
    firstShow_ = false;
    const HWND h = form_->Handle();
    const TskSkinData* skin = frame_->SkinData();
    // Windows that all fade in need something to fade to.
    if (skin && skin->AnimationForAllWindows && alphaBlendValue_ == 0) alphaBlendValue_ = 255;
    const bool bordered = LayeredBordersActive();
    const bool showing = form_->Visible() || form_->Tag == kShowingTag;
    showFades_ = ShowFades();
    if (showFades_ || (bordered && platform_.CompositionEra)) {
        // The window stays invisible until timer 1 brings it in, its border up around it.
        if (platform_.CompositionEra) SetTransitions(false);
        SetWindowOpacity(h, 0);
        if (bordered && showing) {
            border_->ScaleOpacity(0, false);
            border_->Show();
        }
        SetTimer(h, kShowTimer, 1, nullptr);
    }
    // The frame is worked out for the size the window is shown at.
    frame_->FitToMinimum();
    // Elsewhere the border comes once the window is up.
    if (bordered && !platform_.CompositionEra && !showFades_) PostMessageA(h, ShowBorderLaterMessage(), 0, 0);
    return false;
}

bool TskSkinForm::OnSysCommand(TMessage& m) {
    const UINT command = UINT(m.WParam & 0xFFF0);
    if (command == SC_KEYMENU) {
        // Keyboard access to the menus goes through the short-cut handler.
        m.Result = 0;
        return true;
    }
    if (command == SC_RESTORE && OnRestore) OnRestore(this);
    return false;
}

bool TskSkinForm::OnTimer(TMessage& m) {
    if (m.WParam == kShowTimer && form_->HandleAllocated()) ShowTimerTick();
    return false;
}

void TskSkinForm::ShowTimerTick() {
    const HWND h = form_->Handle();
    KillTimer(h, kShowTimer);
    if (Visible()) border_->SetActiveLook(ncActive_, false);
    if (!showFades_) {
        // The border is up: the window shows at full opacity and the border at its look's.
        SetWindowOpacity(h, std::nullopt);
        if (Visible()) border_->ScaleOpacity(255, true);
        return;
    }
    showFades_ = false;
    const TskSkinData* skin = frame_->SkinData();
    const bool animate = AlphaBlendAnimation || (skin && skin->AnimationForAllWindows);
    const uint8_t target = animate && !alphaBlend_ ? 255 : alphaBlendValue_;
    // The border's opacity goes along with the window's.
    const auto apply = [&](uint8_t opacity) {
        SetWindowOpacity(h, opacity);
        if (Visible()) border_->ScaleOpacity(opacity, true);
    };
    const std::vector<uint8_t> steps = animate ? FadeInSteps(target) : std::vector<uint8_t>();
    if (!steps.empty()) {
        Application()->ProcessMessages();
        if (!IsWindow(h)) return;
        DWORD last = GetTickCount();
        for (const uint8_t opacity : steps) {
            // A step whenever more than 5 ms have passed since the last one.
            while (GetTickCount() - last <= 5) Sleep(1);
            last = GetTickCount();
            apply(opacity);
        }
    } else {
        // No fade, or one to nothing: the window takes its opacity at once.
        apply(target);
    }
    // Fully opaque, the window needs no layered style.
    if (target == 255) SetWindowOpacity(h, std::nullopt);
}

void TskSkinForm::SetAlphaBlend(bool on) {
    alphaBlend_ = on;
    ApplyAlphaBlend();
}

void TskSkinForm::SetAlphaBlendValue(uint8_t value) {
    alphaBlendValue_ = value;
    if (alphaBlend_) ApplyAlphaBlend();
}

void TskSkinForm::ApplyAlphaBlend() {
    // A show in progress brings the window in at the value itself.
    if (!platform_.PerWindowAlpha || !form_->HandleAllocated() || showFades_) return;
    const uint8_t opacity = alphaBlend_ ? alphaBlendValue_ : 255;
    SetWindowOpacity(form_->Handle(), alphaBlend_ ? std::optional<uint8_t>(opacity) : std::nullopt);
    if (border_->Shown()) border_->ScaleOpacity(opacity, true);
}

bool TskSkinForm::OnEnterSizeMove(TMessage&) {
    BOOL full = FALSE;
    SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &full, 0);
    frame_->EnterSizeMove(full != FALSE);
    if (form_->HandleAllocated()) moveStart_ = WindowRectOf(form_->Handle());
    const DWORD at = GetMessagePos();
    const Point p = PointOf(LPARAM(at));
    moveCursor_ = {p.X, p.Y};
    return false;
}

bool TskSkinForm::OnMoving(TMessage& m) {
    if (!frame_->FormSkinEnabled() || !form_->HandleAllocated()) return false;
    RECT& r = *reinterpret_cast<RECT*>(m.LParam);
    if (WindowState() == FrameWindowState::Maximized) {
        // A maximized window stays where it is.
        r = WindowRectOf(form_->Handle());
    } else if (Magnetic) {
        Rect proposed{r.left, r.top, r.right, r.bottom};
        if (frame_->InSizeMove()) {
            // Within the loop the place follows the cursor from where the move began: the
            // rectangle proposed is the one snapped last, and a window snapped by small steps
            // would never let go.
            const DWORD at = GetMessagePos();
            proposed = MagneticMove({moveStart_.left, moveStart_.top, moveStart_.right, moveStart_.bottom},
                                    {moveCursor_.x, moveCursor_.y}, PointOf(LPARAM(at)));
        }
        const Rect snapped = MagneticSnap(proposed, WorkAreaNear(proposed), MagneticSize);
        r = {snapped.Left, snapped.Top, snapped.Right, snapped.Bottom};
    }
    return false;
}

bool TskSkinForm::OnSizing(TMessage& m) {
    if (!frame_->FormSkinEnabled()) return false;
    RECT& r = *reinterpret_cast<RECT*>(m.LParam);
    const Rect kept = frame_->SizeTo({r.left, r.top, r.right, r.bottom}, SizingEdge(int32_t(m.WParam)));
    r = {kept.Left, kept.Top, kept.Right, kept.Bottom};
    // The border takes the new size with the window.
    if (frame_->Sizing()) border_->MoveResizeTo({r.left, r.top, r.right, r.bottom});
    return false;
}

bool TskSkinForm::OnDestroy(TMessage&) {
    frame_->StopTimers();
    if (form_->HandleAllocated()) KillTimer(form_->Handle(), kShowTimer);
    return false;
}

bool TskSkinForm::OnRaiseForms(TMessage&) {
    if (form_->Tag != kShowingTag || !LayeredBordersActive()) return false;
    if (TForm* main = Application()->MainForm(); main && main->HandleAllocated()) SetForegroundWindow(main->Handle());
    for (TForm* f : Application()->Forms())
        if (f->HandleAllocated() && IsWindowVisible(f->Handle()) && f->FormStyle() == TFormStyle::fsStayOnTop)
            SetWindowPos(f->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    form_->Tag = 0;
    return false;
}

bool TskSkinForm::OnDisplayChange(TMessage&) {
    if (!frame_->FormSkinEnabled() || !form_->HandleAllocated()) return false;
    if (const std::optional<RECT> area = WorkAreaOf(MonitorFromWindow(form_->Handle(), MONITOR_DEFAULTTONEAREST))) {
        if (WindowWidth() > MaxFrameSize(frame_->Limits.MaxWidth, area->right - area->left) ||
            WindowHeight() > MaxFrameSize(frame_->Limits.MaxHeight, area->bottom - area->top))
            frame_->FitToMinimum();
    }
    return false;
}

bool TskSkinForm::OnContextMenu(TMessage& m) {
    // The frame's own system menu came up on the button press; the platform's must not follow.
    if (!frame_->FormSkinEnabled()) return false;
    const Point p = PointOf(m.LParam);
    if (HitCode(SendMessageA(form_->Handle(), WM_NCHITTEST, 0, PackPoint(p))) == HitCode::Client) return false;
    m.Result = 0;
    return true;
}

bool TskSkinForm::OnFrameMouse(TMessage& m) {
    hook_->CallPrevious(m);
    if (!frame_->FormSkinEnabled()) return true;
    const Point p = PointOf(m.LParam);
    const HitCode hit = HitCode(int32_t(m.WParam));
    switch (m.Msg) {
    case WM_NCMOUSEMOVE: frame_->NcMouseMove(p); break;
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN: frame_->NcButtonDown(ButtonOf(m.Msg), hit, p); break;
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONUP: frame_->NcButtonUp(ButtonOf(m.Msg), p); break;
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDBLCLK: frame_->NcButtonDblClk(ButtonOf(m.Msg), hit, p); break;
    default: frame_->CapturedButtonUp(ButtonOf(m.Msg)); break;
    }
    return true;
}

bool TskSkinForm::OnSkinNotice(TMessage& m) {
    const bool own = reinterpret_cast<TskSkinData*>(m.WParam) == frame_->SkinData() && frame_->SkinData();
    switch (m.Msg) {
    case BeforeChangeSkinData:
        if (!own) break;
        border_->Hide();
        frame_->BeforeChangeSkinData();
        TellSkinControls(BeforeChangeSkinData);
        break;
    case ChangeSkinData:
        if (own) frame_->ChangeSkinData();
        TellSkinControls(ChangeSkinData);
        break;
    case AfterChangeSkinData:
        if (OnAfterChangeSkinData) OnAfterChangeSkinData(this);
        break;
    case ResourceStrDataChanged:
        if (frame_->UseDefaultObjectHint && frame_->SkinData())
            SetObjectHints(frame_->Objects(), frame_->SkinData()->ResourceStrData());
        break;
    case SkinnableFormChanged:
        if (own) SwitchFrame(frame_->SkinData()->SkinnableForm());
        break;
    default: break;
    }
    return false;
}

void TskSkinForm::SwitchFrame(bool on) {
    if (frame_->FormSkinEnabled() == on) return;
    const bool wasOn = frame_->FormSkinEnabled();
    const bool handle = form_->HandleAllocated();
    const bool maximized = handle && WindowState() == FrameWindowState::Maximized;
    const HWND h = handle ? form_->Handle() : nullptr;
    if (maximized) {
        // Out of sight, the window goes back to its normal bounds the way it was maximized: by
        // the frame, or by the platform.
        ShowWindow(h, SW_HIDE);
        if (wasOn) {
            SetWindowState(FrameWindowState::Normal);
        } else {
            WINDOWPLACEMENT place{};
            place.length = sizeof(place);
            GetWindowPlacement(h, &place);
            SetWindowLongA(h, GWL_STYLE, GetWindowLongA(h, GWL_STYLE) & ~LONG(WS_MAXIMIZE));
            const RECT& n = place.rcNormalPosition;
            SetWindowPos(h, nullptr, n.left, n.top, n.right - n.left, n.bottom - n.top, SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    frame_->SetFormSkinEnabled(on);
    form_->FrameChanged();
    form_->Invalidate();
    if (maximized) {
        if (on) SetWindowState(FrameWindowState::Maximized);
        else ShowWindow(h, SW_MAXIMIZE);
        if (!IsWindowVisible(h)) ShowWindow(h, SW_SHOW);
    }
}

bool TskSkinForm::OnPaintFrameTo(TMessage& m, LRESULT answer) {
    if (!frame_->FormSkinEnabled() || m.WParam == 0) return false;
    PaintFrame(DcOf(m.WParam));
    m.Result = answer;
    return true;
}

bool TskSkinForm::OnWindowPosChanged(TMessage& m) {
    const WINDOWPOS& pos = *reinterpret_cast<const WINDOWPOS*>(m.LParam);
    if (!form_->HandleAllocated() || !border_->Shown()) return false;
    if ((pos.flags & SWP_HIDEWINDOW) && platform_.CompositionEra) {
        const LONG ex = GetWindowLongA(form_->Handle(), GWL_EXSTYLE);
        if (!(ex & WS_EX_LAYERED)) SetWindowLongA(form_->Handle(), GWL_EXSTYLE, ex | WS_EX_LAYERED);
    }
    if (pos.flags & SWP_NOMOVE && pos.flags & SWP_NOSIZE) return false;
    // The border follows the window; only a new size composes its pieces again.
    const RECT r = WindowRectOf(form_->Handle());
    if (pos.flags & SWP_NOSIZE) border_->MoveTo(r.left, r.top);
    else border_->MoveResizeTo({r.left, r.top, r.right, r.bottom});
    return false;
}

bool TskSkinForm::OnLayerNotice(TMessage& m) {
    const bool own = reinterpret_cast<TskSkinData*>(m.WParam) == frame_->SkinData() && frame_->SkinData();
    switch (m.Msg) {
    case LayeredBordersChanged:
        if (!own) break;
        if (LayeredBordersActive() && Visible() && !border_->Shown()) {
            if (platform_.CompositionEra) SetTransitions(false);
            border_->SetActiveLook(ncActive_, false);
            border_->Show();
            ShowFormAboveBorder();
        } else if (!LayeredBordersActive() && border_->Shown()) {
            border_->Hide();
            if (platform_.CompositionEra) SetTransitions(true);
        }
        break;
    case AeroBlurChanged:
        if (own && border_->Shown()) {
            border_->Hide();
            border_->Show();
        }
        break;
    case kBeginBorderFade: borderFadeArmed_ = true; break;
    case kEndBorderFade:
        if (!borderFadeArmed_) break;
        borderFadeArmed_ = false;
        if (Visible() && LayeredBordersActive()) {
            border_->SetActiveLook(true, false);
            border_->FadeIn();
        }
        break;
    default: break;
    }
    return false;
}

void TskSkinForm::SkinApplied() {
    border_->Hide();
    if (frame_->SkinPresent() && frame_->FormSkinEnabled()) border_->Prepare(frame_->SkinData());
    else border_->Prepare(nullptr);
    // A translucent window keeps its border as translucent as itself under the new skin.
    if (alphaBlend_ && platform_.PerWindowAlpha && !showFades_) border_->ScaleOpacity(alphaBlendValue_, false);
    if (LayeredBordersActive() && Visible()) {
        border_->Show();
        ShowFormAboveBorder();
        border_->Update();
    }
}

void TskSkinForm::ShowFormAboveBorder() {
    SetWindowPos(form_->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TskSkinForm::SetTransitions(bool enabled) {
    if (!form_->HandleAllocated() || transitionsOff_ == !enabled) return;
    transitionsOff_ = !enabled;
    SetWindowTransitions(form_->Handle(), enabled);
}

bool TskSkinForm::LayeredBordersActive() const {
    const TskSkinData* skin = frame_->SkinData();
    return skin && !skin->Empty() && skin->ShowLayeredBorders() && skin->LayerFrame.pictureindex != kNoPicture &&
           border_->Prepared() && platform_.PerWindowAlpha && frame_->FormSkinEnabled() && !Borderless() &&
           !borderFadeArmed_;
}

void TskSkinForm::SetPlatformServices(const PlatformServices& p) {
    HideGlows();
    border_->Hide();
    platform_ = p;
    border_ = std::make_unique<TskFormLayerBorder>(form_, platform_);
    glow_ = std::make_unique<TskLayerManager>(platform_);
    menuGlow_ = std::make_unique<TskLayerManager>(platform_);
    SkinApplied();
}

void TskSkinForm::ApplyWindowRegion(const std::optional<std::vector<Rect>>& rects) {
    if (!form_->HandleAllocated()) return;
    if (appliedRegion_ && *appliedRegion_ == rects) return;
    UniqueRegion region = rects ? RegionFromRects(*rects) : UniqueRegion();
    // Once applied, the region belongs to the window: the platform deletes the one it replaces
    // and the last one with the window.
    if (SetWindowRgn(form_->Handle(), region.Get(), TRUE)) {
        region.Release();
        appliedRegion_ = rects;
    }
}

void TskSkinForm::ShowGlow(TskActiveSkinObject& o) {
    const TskSkinData* skin = frame_->SkinData();
    const TskDataSkinObject* r = o.Record();
    if (!skin || !r || !form_->HandleAllocated()) return;
    const Bitmap* picture = skin->ActivePicture(r->glowlayerpictureindex);
    const Bitmap* mask = skin->ActivePicture(r->glowlayermaskpictureindex);
    if (!picture || !mask) return;
    const Point at = WindowOrigin();
    const auto* button = dynamic_cast<const TskSkinButtonObject*>(&o);
    TskLayerManager& manager = button && button->HasPopup ? *menuGlow_ : *glow_;
    manager.ShowLayer(at.X + o.ObjectRect.Left - r->glowlayeroffsetx, at.Y + o.ObjectRect.Top - r->glowlayeroffsety,
                      r->glowlayeralphablendvalue, *mask, *picture);
}

void TskSkinForm::HideGlows() {
    glow_->HideLayer();
    menuGlow_->HideLayer();
}

void TskSkinForm::TellSkinControls(UINT notice) {
    const std::function<void(TWinControl*)> visit = [&](TWinControl* parent) {
        for (TWinControl* child : parent->Controls()) {
            if (auto* c = dynamic_cast<TskSkinControl*>(child)) {
                if (notice == BeforeChangeSkinData) c->BeforeChangeSkinData();
                else c->ChangeSkinData();
            }
            visit(child);
        }
    };
    visit(form_);
}

void TskSkinForm::ShortCut(TWMKey& key, bool& handled) {
    if (OnShortCut) OnShortCut(key, handled);
    if (handled || !frame_->FormSkinEnabled()) return;
    const bool altOnly =
        (key.KeyData & (1 << 29)) && !(GetKeyState(VK_CONTROL) & 0x8000) && !(GetKeyState(VK_SHIFT) & 0x8000);
    if (key.CharCode == VK_SPACE && altOnly) handled = frame_->KeyboardSystemMenu();
}

// ---- painting

void TskSkinForm::PaintFrame(HDC given, const std::optional<Rect>& part) {
    if (!form_->HandleAllocated()) return;
    UniqueWindowDc own;
    HDC dc = given;
    if (!dc) {
        own = GetWindowDcOf(form_->Handle());
        dc = own.Get().Dc;
    }
    if (!dc) return;
    const int saved = SaveDC(dc);
    if (part) IntersectClipRect(dc, part->Left, part->Top, part->Right, part->Bottom);
    ++paints_;
    // A damaged skin must not bring an error box up on every paint: the first failure is
    // reported, and the frame stays as it was drawn last.
    try {
        DrawFrame(dc, part);
    } catch (const std::exception& e) {
        if (!paintFailed_) {
            paintFailed_ = true;
            Application()->HandleException(e);
        }
    }
    RestoreDC(dc, saved);
}

void TskSkinForm::DrawFrame(HDC dc, const std::optional<Rect>& part) {
    const TCanvas canvas(dc);
    if (frame_->SkinPresent()) {
        const std::optional<FramePicture> picture = frame_->ComposeFramePicture(part);
        if (!picture) return;
        const Rect& c = frame_->Geometry().SizedClientRect;
        if (c.Bottom > c.Top) ExcludeClipRect(dc, c.Left, c.Top, c.Right, c.Bottom);
        canvas.Draw(picture->TopAt.X, picture->TopAt.Y, picture->Strips.Top);
        canvas.Draw(picture->LeftAt.X, picture->LeftAt.Y, picture->Strips.Left);
        canvas.Draw(picture->RightAt.X, picture->RightAt.Y, picture->Strips.Right);
        canvas.Draw(picture->BottomAt.X, picture->BottomAt.Y, picture->Strips.Bottom);
    } else if (!frame_->ChangingSkin()) {
        const Rect c = frame_->ClientRectInWindow();
        ExcludeClipRect(dc, c.Left, c.Top, c.Right, c.Bottom);
        canvas.Draw(0, 0, frame_->ComposeDefaultFramePicture());
    }
}

// ---- SkinFrameHost

int32_t TskSkinForm::WindowWidth() const {
    if (!form_->HandleAllocated()) return form_->Width();
    const RECT r = WindowRectOf(form_->Handle());
    return r.right - r.left;
}

int32_t TskSkinForm::WindowHeight() const {
    if (!form_->HandleAllocated()) return form_->Height();
    const RECT r = WindowRectOf(form_->Handle());
    return r.bottom - r.top;
}

Point TskSkinForm::WindowOrigin() const {
    if (!form_->HandleAllocated()) return {form_->Left(), form_->Top()};
    const RECT r = WindowRectOf(form_->Handle());
    return {r.left, r.top};
}

bool TskSkinForm::Visible() const { return form_->HandleAllocated() && IsWindowVisible(form_->Handle()); }

FrameWindowState TskSkinForm::WindowState() const {
    if (form_->HandleAllocated() && IsIconic(form_->Handle())) return FrameWindowState::Minimized;
    if (form_->HandleAllocated() && IsZoomed(form_->Handle())) return FrameWindowState::Maximized;
    return actualState_ == FrameWindowState::Minimized ? FrameWindowState::Normal : actualState_;
}

bool TskSkinForm::IsMainForm() const { return Application()->MainForm() == form_; }

bool TskSkinForm::SizeableBorder() const {
    const TFormBorderStyle s = form_->BorderStyle();
    return s == TFormBorderStyle::bsSizeable || s == TFormBorderStyle::bsSizeToolWin;
}

bool TskSkinForm::ToolWindowBorder() const {
    const TFormBorderStyle s = form_->BorderStyle();
    return s == TFormBorderStyle::bsToolWindow || s == TFormBorderStyle::bsSizeToolWin;
}

bool TskSkinForm::Borderless() const { return form_->BorderStyle() == TFormBorderStyle::bsNone; }

Point TskSkinForm::SmallIconSize() const {
    int32_t w = GetSystemMetrics(SM_CXSMICON), h = GetSystemMetrics(SM_CYSMICON);
    if (w == 0 || h == 0) {
        w = GetSystemMetrics(SM_CXSIZE);
        h = GetSystemMetrics(SM_CYSIZE);
    }
    return {w, h};
}

const Bitmap& TskSkinForm::SmallIcon() {
    if (!icon_) {
        // The form's own icon, else the program's, else the platform's default one; made once.
        const Point size = SmallIconSize();
        HICON icon = nullptr;
        if (form_->HandleAllocated())
            icon = reinterpret_cast<HICON>(SendMessageA(form_->Handle(), WM_GETICON, ICON_SMALL, 0));
        UniqueIcon loaded;
        if (!icon) {
            loaded = UniqueIcon(static_cast<HICON>(
                LoadImageA(GetModuleHandleA(nullptr), "MAINICON", IMAGE_ICON, size.X, size.Y, LR_DEFAULTCOLOR)));
            icon = loaded.Get();
        }
        if (!icon) icon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
        icon_ = icon ? IconBitmap(icon, size.X, size.Y) : Bitmap(size.X, size.Y);
    }
    return *icon_;
}

std::optional<Point> TskSkinForm::CursorOverWindow() const {
    if (!form_->HandleAllocated()) return std::nullopt;
    POINT p;
    if (!GetCursorPos(&p) || WindowFromPoint(p) != form_->Handle()) return std::nullopt;
    return Point{p.x, p.y};
}

void TskSkinForm::PaintFrameNow(const std::optional<Rect>& part) {
    if (form_->HandleAllocated()) PaintFrame(nullptr, part);
}

void TskSkinForm::RepaintForm() {
    if (form_->HandleAllocated())
        RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void TskSkinForm::TellChildrenParentChanged() {
    for (TWinControl* child : form_->Controls()) {
        if (child->HandleAllocated()) SendMessageA(child->Handle(), ParentChangedMessage, 0, 0);
        else child->Perform(ParentChangedMessage, 0, 0);
    }
}

void TskSkinForm::SetFormBorderIcons(TskBorderIcons icons) {
    form_->SetBorderIcons(icons & (biSystemMenu | biMinimize | biMaximize));
}

void TskSkinForm::SetWindowBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
    form_->SetBounds(left, top, width, height);
}

void TskSkinForm::SetMouseCapture(bool on) {
    if (!form_->HandleAllocated()) return;
    if (on) SetCapture(form_->Handle());
    else if (GetCapture() == form_->Handle()) ReleaseCapture();
}

void TskSkinForm::SetWindowState(FrameWindowState state) {
    if (!form_->HandleAllocated()) return;
    const HWND h = form_->Handle();
    switch (state) {
    case FrameWindowState::Maximized: {
        if (!normalBounds_) normalBounds_ = WindowRectOf(h);
        const RECT a = WorkAreaOf(MonitorFromWindow(h, MONITOR_DEFAULTTONEAREST)).value_or(RECT{});
        actualState_ = state;
        // A window filling the work area has no room for a border around it.
        border_->Hide();
        form_->SetBounds(a.left, a.top, a.right - a.left, a.bottom - a.top);
        break;
    }
    case FrameWindowState::Minimized:
        // Minimizing the main form leaves the state to come back to as it was.
        if (!IsMainForm()) actualState_ = state;
        ShowWindow(h, SW_MINIMIZE);
        break;
    case FrameWindowState::Normal:
        if (IsIconic(h)) ShowWindow(h, SW_RESTORE);
        if (normalBounds_) {
            const RECT r = *normalBounds_;
            normalBounds_.reset();
            form_->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
        }
        actualState_ = state;
        if (Visible() && LayeredBordersActive() && !border_->Shown()) {
            border_->SetActiveLook(ncActive_, false);
            border_->Show();
        }
        if (OnRestore) OnRestore(this);
        break;
    }
}

std::optional<SystemMenuCommand> TskSkinForm::PopupMenu(const std::vector<SystemMenuItem>& items, Point at) {
    if (!popup_ || !form_->HandleAllocated()) return std::nullopt;
    return popup_(form_->Handle(), items, at);
}

std::optional<SystemMenuCommand> PlatformSystemMenuPopup(HWND owner, const std::vector<SystemMenuItem>& items,
                                                         Point at) {
    UniqueMenu menu(CreatePopupMenu());
    if (!menu) return std::nullopt;
    for (size_t i = 0; i < items.size(); ++i) {
        const SystemMenuItem& item = items[i];
        if (item.Caption == "-") {
            AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
            continue;
        }
        std::string text = item.Caption;
        if (!item.ShortCut.empty()) text += "\t" + item.ShortCut;
        AppendMenuW(menu.Get(), MF_STRING, UINT_PTR(i + 1), AnsiToWide(text).c_str());
    }
    // The menu closes when the user clicks elsewhere only when its owner is in front.
    SetForegroundWindow(owner);
    const UINT chosen = UINT(TrackPopupMenuEx(
        menu.Get(), TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.X, at.Y, owner, nullptr));
    PostMessageA(owner, WM_NULL, 0, 0);
    if (chosen == 0 || chosen > items.size()) return std::nullopt;
    return items[chosen - 1].Command;
}

}  // namespace tolvar
