#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "GaugeAnimation.h"
#include "GaugeValueModel.h"
#include "SkinCustomControlLogic.h"
#include "TextRenderer.h"
#include "skin/data/SkinControlRecords.h"

namespace tolvar {

// Replaces the gauge's own drawing of the progress and the text: the image being drawn, the
// progress area and the filled part (neither to be changed).
using TskGaugePaintEvent = std::function<void(Bitmap& Cnvs, const Rect& AProgressArea, const Rect& AProgressRect)>;

// The filled part of `area` for a fraction f of the range: from the left edge (or up from the
// bottom edge, vertical) over Trunc(length * f) pixels; f is 0 when the bounds are equal.
Rect ProgressRectFor(const Rect& area, int32_t value, int32_t minValue, int32_t maxValue, bool vertical);

// The whole percent of the range that `value` has reached, truncated toward zero; 0 when the
// bounds are equal.
int64_t ProgressPercent(int32_t value, int32_t minValue, int32_t maxValue);

// The progress gauge without its window: the value model, the skinned look (the background
// piece composed to the gauge's size, the progress picture with fixed caps and a stretched or
// tiled middle, the animation's frame in place of that middle) and the default look (a framed
// bar), the text over either, and the progress animation.
class SkinGaugeLogic : public SkinCustomControlLogic {
public:
    SkinGaugeLogic(SkinControlHost& host, std::unique_ptr<TextRenderer> text,
                   std::unique_ptr<AnimationTimerFactory> timers);
    ~SkinGaugeLogic() override;

    // ---- the values (their setters' rules are the value model's)
    const TskGaugeValueModel& Values() const { return values_; }
    void SetMinValue(int32_t v) { Apply(values_.SetMinValue(v)); }
    void SetMaxValue(int32_t v) { Apply(values_.SetMaxValue(v)); }
    void SetValue(int32_t v);
    void SetProgressText(std::string text) { Apply(values_.SetProgressText(std::move(text))); }
    void SetShowProgressText(bool show) { Apply(values_.SetShowProgressText(show)); }
    void SetShowPercent(bool show) { Apply(values_.SetShowPercent(show)); }
    // The value painting shows.
    virtual int32_t PaintValue() const { return values_.Value(); }

    // ---- the gauge's own settings
    bool UseSkinSize() const { return useSkinSize_; }
    void SetUseSkinSize(bool use) { useSkinSize_ = use; }
    bool Vertical() const { return vertical_; }
    // Stored without a repaint; while designed it also picks the record and the orientation's size.
    void SetVertical(bool vertical);
    int32_t ProgressAnimationPause() const { return animationPause_; }
    // Negative pauses are ignored; a running animation keeps its pause until started again.
    void SetProgressAnimationPause(int32_t ms) {
        if (ms >= 0) animationPause_ = ms;
    }
    TskGaugePaintEvent OnGaugePaint;

    // The progress area fitted to the gauge's size.
    const Rect& TargetProgressArea() const { return targetProgressArea_; }

    // ---- the animation
    void StartProgressAnimation();
    void StopProgressAnimation() { animation_.Stop(); }
    const GaugeAnimation& Animation() const { return animation_; }
    GaugeAnimation& Animation() { return animation_; }
    int32_t AnimationFrame() const { return animation_.Frame(); }
    // The source of the frame on show.
    Rect AnimationFrameRect() const;

    // ---- drawing
    Rect ProgressRectFor(const Rect& area, int32_t value) const;
    void DrawProgressText(Bitmap& image, int32_t value);

    void LoadSkinValues() override;
    void FitSize(int32_t& width, int32_t& height) override;
    void DrawDefaultImage(Bitmap& image) override;
    void DrawSkinImage(Bitmap& image) override;
    void ChangeSkinData() override;
    Bitmap PaintImage() override;

private:
    void Apply(TskGaugeValueModel::Repaint repaint);
    // Whether two values draw the same picture: the same filled part (skinned or not) and the
    // same percentage where it is shown.
    bool DrawsAlike(int32_t a, int32_t b) const;
    // The `visible` part of the progress picture laid over the filled part; false when the
    // picture's middle has no length, and nothing of the progress is to be drawn.
    bool ComposeProgress(const Rect& filled, const Rect& visible, Bitmap& progress) const;

    std::unique_ptr<TextRenderer> text_;
    std::unique_ptr<AnimationTimerFactory> timers_;
    TskGaugeValueModel values_;
    bool useSkinSize_ = true;
    bool vertical_ = false;
    int32_t animationPause_ = 3000;
    Rect targetProgressArea_;

    // What the last lookup copied from the gauge record (its own Vertical aside).
    TskDataSkinGaugeControl record_{""};

    GaugeAnimation animation_;
};

}  // namespace tolvar
