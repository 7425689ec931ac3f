#include "GaugeAnimation.h"

#include <algorithm>

#include "BitmapDrawing.h"

namespace tolvar {

GaugeAnimation::GaugeAnimation(AnimationTimerFactory& timers, std::function<int32_t()> frameCount,
                               std::function<void()> repaint)
    : timers_(timers), frameCount_(std::move(frameCount)), repaint_(std::move(repaint)) {}

GaugeAnimation::~GaugeAnimation() { Stop(); }

void GaugeAnimation::Start(int32_t pause, int32_t frameInterval) {
    pauseTimer_.reset();
    frameTimer_.reset();
    // A negative length would never come round: it counts as 0, which never ticks.
    const auto interval = [](int32_t ms) { return uint32_t(std::max(ms, 0)); };
    pauseTimer_ = timers_.CreateTimer([this] { RunFrames(); });
    pauseTimer_->SetInterval(interval(pause));
    pauseTimer_->SetEnabled(true);
    frameTimer_ = timers_.CreateTimer([this] { FrameTick(); });
    frameTimer_->SetInterval(interval(frameInterval));
    // The first run starts at once, without a pause.
    RunFrames();
}

void GaugeAnimation::Stop() {
    frame_ = 0;
    if (!frameTimer_) return;
    if (pauseTimer_) {
        pauseTimer_->SetEnabled(false);
        pauseTimer_.reset();
    }
    frameTimer_->SetEnabled(false);
    frameTimer_.reset();
}

void GaugeAnimation::RunFrames() {
    if (pauseTimer_) pauseTimer_->SetEnabled(false);
    frame_ = 0;
    if (frameTimer_) frameTimer_->SetEnabled(true);
    repaint_();
}

void GaugeAnimation::FrameTick() {
    ++frame_;
    if (frame_ > frameCount_()) RestAfterFrames();
    repaint_();
}

void GaugeAnimation::RestAfterFrames() {
    frame_ = 0;
    if (pauseTimer_) pauseTimer_->SetEnabled(true);
    if (frameTimer_) frameTimer_->SetEnabled(false);
    repaint_();
}

bool GaugeAnimation::FrameShowing() const { return frameTimer_ && frameTimer_->Enabled() && frame_ != 0; }

Rect AnimationFrameRect(const Rect& strip, int32_t frameCount, const Rect& progressRect, int32_t frame) {
    if (frameCount == 0) return {};
    const int64_t k = frame;
    if (int64_t(strip.Right) - strip.Left > int64_t(progressRect.Right) - progressRect.Left) {
        const int64_t width = (int64_t(strip.Right) - strip.Left) / frameCount;
        return {Saturate(strip.Left + (k - 1) * width), strip.Top, Saturate(strip.Left + k * width), strip.Bottom};
    }
    const int64_t height = (int64_t(strip.Bottom) - strip.Top) / frameCount;
    return {strip.Left, Saturate(strip.Top + (k - 1) * height), strip.Right, Saturate(strip.Top + k * height)};
}

}  // namespace tolvar
