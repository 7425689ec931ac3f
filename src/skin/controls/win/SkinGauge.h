#pragma once
#include <string>

#include "app/CustomControl.h"
#include "skin/controls/GaugeValueModel.h"

namespace tolvar {

// The progress gauge. Its user drives it through MinValue, MaxValue, Value, ProgressText,
// ShowProgressText and ShowPercent; a change of Value is painted when the loop next handles
// paint requests, the others at once.
class TskSkinGauge : public TCustomControl {
public:
    explicit TskSkinGauge(TComponent* owner);
    std::string_view ClassName() const override { return "TskSkinGauge"; }

    int32_t MinValue() const { return values_.MinValue(); }
    int32_t MaxValue() const { return values_.MaxValue(); }
    int32_t Value() const { return values_.Value(); }
    const std::string& ProgressText() const { return values_.ProgressText(); }
    bool ShowProgressText() const { return values_.ShowProgressText(); }
    bool ShowPercent() const { return values_.ShowPercent(); }
    void SetMinValue(int32_t v) { Apply(values_.SetMinValue(v)); }
    void SetMaxValue(int32_t v) { Apply(values_.SetMaxValue(v)); }
    void SetValue(int32_t v) { Apply(values_.SetValue(v)); }
    void SetProgressText(std::string text) { Apply(values_.SetProgressText(std::move(text))); }
    void SetShowProgressText(bool show) { Apply(values_.SetShowProgressText(show)); }
    void SetShowPercent(bool show) { Apply(values_.SetShowPercent(show)); }

    const std::string& SkinDataName() const { return skinDataName_; }
    void SetSkinDataName(std::string name) { skinDataName_ = std::move(name); }

    int ProgressAnimationPause() const { return animationPause_; }
    void SetProgressAnimationPause(int ms) {
        if (ms >= 0) animationPause_ = ms;
    }
    void StartProgressAnimation() {}
    void StopProgressAnimation() {}

protected:
    void Paint() override;

private:
    void Apply(TskGaugeValueModel::Repaint r);

    TskGaugeValueModel values_;
    std::string skinDataName_ = "gauge";
    int animationPause_ = 3000;
};

}  // namespace tolvar
