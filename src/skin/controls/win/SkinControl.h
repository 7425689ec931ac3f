#pragma once
#include <functional>
#include <memory>
#include <string>

#include "app/CustomControl.h"
#include "skin/controls/SkinControlLogic.h"

namespace tolvar {

class TskSkinData;

// Sent to a control whose parent changed; children that draw through to their parent's
// background redraw on it.
constexpr UINT ParentChangedMessage = 0x0504;

// A windowed control bound to a skin data and to one of its control records by name. It paints
// through an image composed anew on every paint and copied to the screen in one step: the
// skinned image with a record, a default one without. The decisions are its logic's
// (SkinControlLogic); the window applies them.
class TskSkinControl : public TCustomControl, protected SkinControlHost {
public:
    explicit TskSkinControl(TComponent* owner);
    ~TskSkinControl() override;
    std::string_view ClassName() const override { return "TskSkinControl"; }

    // Not owned; the control forgets it when it is destroyed.
    TskSkinData* SkinData() const { return logic_->SkinData(); }
    void SetSkinData(TskSkinData* data);
    const std::string& SkinDataName() const { return logic_->SkinDataName(); }
    void SetSkinDataName(std::string name) { logic_->SetSkinDataName(std::move(name)); }
    int32_t SkinRecordIndex() const { return logic_->SkinRecordIndex(); }

    // Kept for a hint component; the control itself does not use them.
    std::string HintTitle;
    int32_t HintImageIndex = 0;
    TComponent* HintImageList = nullptr;

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    // The skin changes: the frame of the window calls these around a reload.
    void BeforeChangeSkinData() { logic_->BeforeChangeSkinData(); }
    void ChangeSkinData() { logic_->ChangeSkinData(); }
    void LoadSkinValues() { logic_->LoadSkinValues(); }

    void SetBounds(int left, int top, int width, int height) override;

protected:
    using LogicFactory = std::function<std::unique_ptr<SkinControlLogic>(SkinControlHost&)>;
    TskSkinControl(TComponent* owner, const LogicFactory& makeLogic);

    SkinControlLogic& Logic() const { return *logic_; }
    bool InPaintMessage() const { return inPaintMessage_; }

    void Paint() override;
    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    // The erase-background message; by default the background is left alone, the paint covers it.
    virtual void EraseBackground(TMessage& message);
    virtual void ParentChanged() {}

    // SkinControlHost
    ControlBounds Bounds() const override;
    void ApplyBounds(const ControlBounds& bounds) override;
    void RepaintNow() override { Repaint(); }
    void RepaintLater() override { Invalidate(); }
    void UpdateRegion() override {}
    void NotifyChildrenParentChanged() override;
    bool IsDesigning() const override { return Designing(); }
    bool IsLoading() const override { return Loading(); }

private:
    std::unique_ptr<SkinControlLogic> logic_;
    bool inPaintMessage_ = false;
    bool mouseInside_ = false;
};

}  // namespace tolvar
