#include "SkinCustomControl.h"

#include "WindowRegion.h"

namespace tolvar {

TskSkinCustomControl::TskSkinCustomControl(TComponent* owner)
    : TskSkinCustomControl(owner,
                           [](SkinControlHost& host) { return std::make_unique<SkinCustomControlLogic>(host); }) {}

TskSkinCustomControl::TskSkinCustomControl(TComponent* owner, const LogicFactory& makeLogic)
    : TskSkinControl(owner, makeLogic) {}

void TskSkinCustomControl::CreateWnd() {
    TskSkinControl::CreateWnd();
    // A shape decided before the window existed takes effect now.
    UpdateRegion();
}

void TskSkinCustomControl::UpdateRegion() {
    if (!Parent()) return;
    SkinCustomControlLogic::RegionPlan plan = CustomLogic().PlanRegion();
    switch (plan.Action) {
    case SkinCustomControlLogic::RegionPlan::Kind::Keep: return;
    case SkinCustomControlLogic::RegionPlan::Kind::Remove:
        if (windowRegion_ && HandleAllocated()) SetWindowRgn(Handle(), nullptr, TRUE);
        windowRegion_ = nullptr;
        return;
    case SkinCustomControlLogic::RegionPlan::Kind::Apply: {
        if (!HandleAllocated()) return;  // applied once the window is made
        UniqueRegion region = RegionFromRects(plan.Rects);
        // The window takes the region over and deletes it, and the one it had before, itself.
        if (region && SetWindowRgn(Handle(), region.Get(), TRUE)) windowRegion_ = region.Release();
        return;
    }
    }
}

}  // namespace tolvar
