#include "SkinControl.h"

#include "base/ScopeExit.h"
#include "skin/data/SkinData.h"

namespace tolvar {

TskSkinControl::TskSkinControl(TComponent* owner)
    : TskSkinControl(owner, [](SkinControlHost& host) { return std::make_unique<SkinControlLogic>(host); }) {}

TskSkinControl::TskSkinControl(TComponent* owner, const LogicFactory& makeLogic)
    : TCustomControl(owner), logic_(makeLogic(*this)) {}

TskSkinControl::~TskSkinControl() {
    // The logic may free components of this control as it goes (a gauge's timers); the
    // notices that brings must find no logic any more.
    logic_.reset();
}

void TskSkinControl::SetSkinData(TskSkinData* data) {
    if (TskSkinData* old = logic_->SkinData(); old && old != data) RemoveFreeNotification(old);
    if (data) FreeNotification(data);
    logic_->SetSkinData(data);
}

void TskSkinControl::SetBounds(int left, int top, int width, int height) {
    logic_->SetBounds({left, top, width, height});
}

ControlBounds TskSkinControl::Bounds() const { return {Left(), Top(), Width(), Height()}; }

void TskSkinControl::ApplyBounds(const ControlBounds& b) {
    TCustomControl::SetBounds(b.Left, b.Top, b.Width, b.Height);
}

void TskSkinControl::NotifyChildrenParentChanged() {
    for (TWinControl* child : Controls()) {
        if (child->HandleAllocated()) SendMessageA(child->Handle(), ParentChangedMessage, 0, 0);
        else child->Perform(ParentChangedMessage, 0, 0);
    }
}

void TskSkinControl::Paint() {
    const Bitmap image = logic_->PaintImage();
    Canvas().Draw(0, 0, image);
}

void TskSkinControl::EraseBackground(TMessage& m) { m.Result = 1; }

void TskSkinControl::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_PAINT: {
        const auto painting = ScopedAssign(inPaintMessage_, true);
        TCustomControl::WndProc(m);
        return;
    }
    case WM_ERASEBKGND: EraseBackground(m); return;
    case ParentChangedMessage: ParentChanged(); return;
    case WM_MOUSEMOVE:
        TCustomControl::WndProc(m);
        if (!mouseInside_) {
            mouseInside_ = true;
            TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, Handle(), 0};
            TrackMouseEvent(&track);
            if (OnMouseEnter && !Designing()) OnMouseEnter(this);
        }
        return;
    case WM_MOUSELEAVE:
        TCustomControl::WndProc(m);
        mouseInside_ = false;
        if (OnMouseLeave && !Designing()) OnMouseLeave(this);
        return;
    default: TCustomControl::WndProc(m);
    }
}

void TskSkinControl::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation != TOperation::opRemove || !logic_) return;
    if (component == logic_->SkinData()) logic_->SkinDataRemoved();
    if (component == HintImageList) HintImageList = nullptr;
}

}  // namespace tolvar
