#include "FormLayerBorder.h"

#include <algorithm>

#include "app/Application.h"
#include "app/Form.h"
#include "skin/data/SkinData.h"

namespace tolvar {

namespace {

constexpr const char* kPieceClass = "TskFormLayerWindow";

const Bitmap& PieceOf(const LayerPieces& p, LayerPiece k) {
    switch (k) {
    case LayerPiece::Left: return p.Left;
    case LayerPiece::Top: return p.Top;
    case LayerPiece::Right: return p.Right;
    default: return p.Bottom;
    }
}

Rect PlaceOf(const LayerPlaces& p, LayerPiece k) {
    switch (k) {
    case LayerPiece::Left: return p.Left;
    case LayerPiece::Top: return p.Top;
    case LayerPiece::Right: return p.Right;
    default: return p.Bottom;
    }
}

bool IsSide(LayerPiece k) { return k == LayerPiece::Left || k == LayerPiece::Right; }

// Created in this order; the windows array is indexed by kind.
constexpr LayerPiece kCreationOrder[] = {LayerPiece::Left, LayerPiece::Right, LayerPiece::Top, LayerPiece::Bottom};

}  // namespace

// ---- the piece windows

TskFormLayerWindow::TskFormLayerWindow(TskFormLayerBorder& border, TForm* form, LayerPiece kind, const Rect& at,
                                       bool clickThrough, bool stayOnTop)
    : border_(border), form_(form), kind_(kind) {
    DWORD ex = WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    if (clickThrough) ex |= WS_EX_TRANSPARENT;
    if (stayOnTop) ex |= WS_EX_TOPMOST;
    window_ = CreateLayerWindow(kPieceClass, 0, Proc, ex, at.Left, at.Top, RectWidth(at), RectHeight(at), this);
}

LRESULT CALLBACK TskFormLayerWindow::Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<TskFormLayerWindow*>(GetWindowLongPtrA(h, GWLP_USERDATA));
    switch (msg) {
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_SETFOCUS:
        // A piece never keeps the focus: the form it belongs to comes forward instead.
        if (self && self->form_->HandleAllocated() && GetForegroundWindow() != self->form_->Handle())
            SetForegroundWindow(self->form_->Handle());
        return 0;
    default: return DefWindowProcA(h, msg, wp, lp);
    }
}

// ---- the border

TskFormLayerBorder::TskFormLayerBorder(TForm* form, const PlatformServices& platform)
    : form_(form), platform_(platform) {}

TskFormLayerBorder::~TskFormLayerBorder() = default;

bool TskFormLayerBorder::Prepare(const TskSkinData* skin) {
    prepared_ = false;
    activeSource_.Clear();
    inactiveSource_.Clear();
    hasInactive_ = false;
    composedFor_.reset();
    if (!skin || skin->Empty()) return false;
    const TskDataSkinLayerFrame& f = skin->LayerFrame;
    const Bitmap* picture = skin->ActivePicture(f.pictureindex);
    const Bitmap* mask = skin->ActivePicture(f.maskpictureindex);
    // Without its picture or its mask there is no border to draw.
    if (!picture || !mask || picture->Empty()) return false;
    activeValue_ = f.alphablendvalue;
    inactiveValue_ = f.inactivealphablendvalue;
    activeOpacity_ = tolvar::ScaleOpacity(activeValue_, 255);
    inactiveOpacity_ = tolvar::ScaleOpacity(inactiveValue_, 255);
    activeSource_ = AlphaFromMask(*picture, *mask);
    const Bitmap* inactive = skin->ActivePicture(f.inactivepictureindex);
    const Bitmap* inactiveMask = skin->ActivePicture(f.inactivemaskpictureindex);
    // An inactive picture of another size would not fit the same cut.
    if (inactive && inactive->Width() == picture->Width() && inactive->Height() == picture->Height()) {
        inactiveSource_ = AlphaFromMask(*inactive, inactiveMask ? *inactiveMask : *mask);
        hasInactive_ = true;
    }
    info_ = LayerFrameInfo::From(f, *picture);
    clickThrough_ = IsEmptyRect(f.borderrect);
    prepared_ = true;
    return true;
}

const Bitmap& TskFormLayerBorder::Source() const {
    return !activeLook_ && hasInactive_ ? inactiveSource_ : activeSource_;
}

Rect TskFormLayerBorder::FormBounds() const {
    RECT r{};
    if (form_->HandleAllocated()) GetWindowRect(form_->Handle(), &r);
    return {r.left, r.top, r.right, r.bottom};
}

LayerPieces TskFormLayerBorder::ComposeFor(int32_t width, int32_t height) const {
    const Rect outer = LayerOuterRect(info_, {0, 0, width, height});
    return ComposeLayerPieces(info_, Source(), RectWidth(outer), RectHeight(outer));
}

void TskFormLayerBorder::ComposeAt(const Rect& form) {
    const Rect outer = LayerOuterRect(info_, form);
    const Point size{RectWidth(outer), RectHeight(outer)};
    const bool look = activeLook_ || !hasInactive_;
    if (composedFor_ && composedFor_->first == size && composedFor_->second == look) return;
    pieces_ = ComposeLayerPieces(info_, Source(), size.X, size.Y);
    composedFor_ = std::make_pair(size, look);
    ++composeCount_;
}

HWND TskFormLayerBorder::PieceWindow(LayerPiece kind) const {
    const auto& w = windows_[size_t(kind)];
    return w ? w->Handle() : nullptr;
}

void TskFormLayerBorder::PlaceWindows(const Rect& form, bool apply, bool raise) {
    const LayerPlaces places = PlaceLayerPieces(LayerOuterRect(info_, form), pieces_);
    for (const LayerPiece k : kCreationOrder) {
        const HWND h = PieceWindow(k);
        if (!h) continue;
        const Bitmap& piece = PieceOf(pieces_, k);
        if (piece.Empty()) {
            ShowWindow(h, SW_HIDE);
            continue;
        }
        const Rect at = PlaceOf(places, k);
        UINT flags = SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER;
        if (!raise) flags |= SWP_NOZORDER;
        SetWindowPos(h, HWND_TOP, at.Left, at.Top, RectWidth(at), RectHeight(at), flags);
        if (apply) ApplyLayeredImage(h, piece, CurrentOpacity());
    }
}

void TskFormLayerBorder::Show() {
    if (!prepared_ || !platform_.PerWindowAlpha || !form_->HandleAllocated()) return;
    const Rect form = FormBounds();
    ComposeAt(form);
    for (auto& w : windows_) w.reset();
    const bool onTop = form_->FormStyle() == TFormStyle::fsStayOnTop;
    const LayerPlaces places = PlaceLayerPieces(LayerOuterRect(info_, form), pieces_);
    for (const LayerPiece k : kCreationOrder)
        windows_[size_t(k)] =
            std::make_unique<TskFormLayerWindow>(*this, form_, k, PlaceOf(places, k), clickThrough_, onTop);
    for (const LayerPiece k : kCreationOrder)
        if (const HWND h = PieceWindow(k); h && !PieceOf(pieces_, k).Empty())
            ApplyLayeredImage(h, PieceOf(pieces_, k), CurrentOpacity());
    PlaceWindows(form, false, true);
    shown_ = true;
}

void TskFormLayerBorder::Update() { MoveResizeTo(FormBounds()); }

void TskFormLayerBorder::MoveResizeTo(const Rect& form) {
    if (!shown_) return;
    ComposeAt(form);
    PlaceWindows(form, true, true);
}

void TskFormLayerBorder::MoveTo(int32_t left, int32_t top) {
    if (!shown_) return;
    const Rect now = FormBounds();
    const Rect form{left, top, left + RectWidth(now), top + RectHeight(now)};
    const LayerPlaces places = PlaceLayerPieces(LayerOuterRect(info_, form), pieces_);
    for (const LayerPiece k : kCreationOrder) {
        const HWND h = PieceWindow(k);
        if (!h || (IsSide(k) && !IsWindowVisible(h))) continue;
        const Rect at = PlaceOf(places, k);
        SetWindowPos(h, nullptr, at.Left, at.Top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    }
}

void TskFormLayerBorder::Hide() {
    shown_ = false;
    for (auto& w : windows_) w.reset();
    pieces_ = {};
    composedFor_.reset();
}

void TskFormLayerBorder::ScaleOpacity(int32_t a, bool apply) {
    activeOpacity_ = tolvar::ScaleOpacity(activeValue_, a);
    inactiveOpacity_ = tolvar::ScaleOpacity(inactiveValue_, a);
    if (apply) ApplyOpacity();
}

void TskFormLayerBorder::ApplyOpacity() {
    if (!shown_) return;
    for (const LayerPiece k : kCreationOrder) {
        const HWND h = PieceWindow(k);
        if (!h || (IsSide(k) && !IsWindowVisible(h))) continue;
        ApplyLayeredImage(h, PieceOf(pieces_, k), CurrentOpacity());
    }
}

void TskFormLayerBorder::SetActiveLook(bool active, bool raise) {
    activeLook_ = active;
    if (!shown_) return;
    if (hasInactive_) Update();
    if (!raise) return;
    ApplyOpacity();
    for (const LayerPiece k : kCreationOrder)
        if (const HWND h = PieceWindow(k); h && IsWindowVisible(h))
            SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void TskFormLayerBorder::FadeIn() {
    const uint8_t target = activeOpacity_;
    activeOpacity_ = 0;
    Show();
    Application()->ProcessMessages();
    DWORD last = GetTickCount();
    for (const uint8_t opacity : FadeInSteps(target)) {
        // A step whenever more than 5 ms have passed since the last one.
        while (GetTickCount() - last <= 5) Sleep(1);
        last = GetTickCount();
        activeOpacity_ = opacity;
        ApplyOpacity();
    }
}

}  // namespace tolvar
