#pragma once
#include <string>

#include "SkinCustomControl.h"
#include "skin/controls/SkinGaugeLogic.h"

namespace tolvar {

class TTimer;

// The progress gauge: a filled part of a progress area for a value between a minimum and a
// maximum, a caption and/or a percentage over it, and a progress animation that sweeps frames
// over the filled part. Its look comes from a gauge record of the skin; without one it is a
// plain framed bar. A change of Value is painted when the loop next handles paint requests,
// the other properties at once.
class TskSkinGauge : public TskSkinCustomControl {
public:
    explicit TskSkinGauge(TComponent* owner);
    ~TskSkinGauge() override;
    std::string_view ClassName() const override { return "TskSkinGauge"; }

    int32_t MinValue() const { return Gauge().Values().MinValue(); }
    int32_t MaxValue() const { return Gauge().Values().MaxValue(); }
    int32_t Value() const { return Gauge().Values().Value(); }
    const std::string& ProgressText() const { return Gauge().Values().ProgressText(); }
    bool ShowProgressText() const { return Gauge().Values().ShowProgressText(); }
    bool ShowPercent() const { return Gauge().Values().ShowPercent(); }
    void SetMinValue(int32_t v) { Gauge().SetMinValue(v); }
    void SetMaxValue(int32_t v) { Gauge().SetMaxValue(v); }
    void SetValue(int32_t v) { Gauge().SetValue(v); }
    void SetProgressText(std::string text) { Gauge().SetProgressText(std::move(text)); }
    void SetShowProgressText(bool show) { Gauge().SetShowProgressText(show); }
    void SetShowPercent(bool show) { Gauge().SetShowPercent(show); }

    bool UseSkinSize() const { return Gauge().UseSkinSize(); }
    void SetUseSkinSize(bool use) { Gauge().SetUseSkinSize(use); }
    bool Vertical() const { return Gauge().Vertical(); }
    void SetVertical(bool vertical) { Gauge().SetVertical(vertical); }
    int ProgressAnimationPause() const { return Gauge().ProgressAnimationPause(); }
    void SetProgressAnimationPause(int ms) { Gauge().SetProgressAnimationPause(ms); }
    const TskGaugePaintEvent& OnGaugePaint() const { return Gauge().OnGaugePaint; }
    void SetOnGaugePaint(TskGaugePaintEvent handler) { Gauge().OnGaugePaint = std::move(handler); }

    // The progress area fitted to the gauge's size.
    Rect TargetProgressArea() const { return Gauge().TargetProgressArea(); }

    // Starts the animation over (with a skin record that has a frame strip), and stops it,
    // freeing its timers.
    void StartProgressAnimation() { Gauge().StartProgressAnimation(); }
    void StopProgressAnimation() { Gauge().StopProgressAnimation(); }
    int32_t AnimationFrame() const { return Gauge().AnimationFrame(); }
    Rect AnimationFrameRect() const { return Gauge().AnimationFrameRect(); }

protected:
    SkinGaugeLogic& Gauge() const { return static_cast<SkinGaugeLogic&>(Logic()); }
    // Outside its own paint the gauge paints itself whole into the device context that comes
    // with the message.
    void EraseBackground(TMessage& message) override;
};

}  // namespace tolvar
