#pragma once
#include <cstdint>
#include <functional>
#include <memory>

#include "AnimationTimer.h"
#include "base/Geometry.h"

namespace tolvar {

// The gauge's progress animation: a run of frames that replaces the middle of the progress
// picture one after the other, then a rest of the pause's length, then the next run. A frame
// timer steps the frames and a pause timer measures the rest; each step only changes the frame
// number and repaints. The gauge says when to start and stop and draws the frame.
//
//   idle:     no timers, frame 0
//   running:  frame timer enabled, pause timer disabled, frames 0, 1 .. count
//   resting:  pause timer enabled, frame timer disabled, frame 0
class GaugeAnimation {
public:
    // `frameCount` gives the number of frames in the strip at the time of each tick;
    // `repaint` paints the gauge at once.
    GaugeAnimation(AnimationTimerFactory& timers, std::function<int32_t()> frameCount, std::function<void()> repaint);
    ~GaugeAnimation();
    GaugeAnimation(const GaugeAnimation&) = delete;
    GaugeAnimation& operator=(const GaugeAnimation&) = delete;

    // Discards any running animation and starts a new one with its first run at once; the pause
    // and the frame interval are taken now and kept until the next start.
    void Start(int32_t pause, int32_t frameInterval);
    // Stops and frees both timers; the gauge is not repainted.
    void Stop();

    // The ticks: the pause timer's starts a run, the frame timer's steps it.
    void RunFrames();
    void FrameTick();
    void RestAfterFrames();

    // The frame to show, 1 .. count; 0 shows the normal progress picture.
    int32_t Frame() const { return frame_; }
    // A frame is on show: the frame timer exists and is enabled, and the frame is not 0.
    bool FrameShowing() const;
    // The frame timer exists: an animation was started and not stopped.
    bool Started() const { return frameTimer_ != nullptr; }
    const AnimationTimer* FrameTimer() const { return frameTimer_.get(); }
    const AnimationTimer* PauseTimer() const { return pauseTimer_.get(); }

private:
    AnimationTimerFactory& timers_;
    std::function<int32_t()> frameCount_;
    std::function<void()> repaint_;
    int32_t frame_ = 0;
    std::unique_ptr<AnimationTimer> frameTimer_;
    std::unique_ptr<AnimationTimer> pauseTimer_;
};

// The source rectangle of frame `frame` (1 .. frameCount, frameCount not 0) in the strip: side
// by side when the strip is wider than the progress picture, else one below the other; each
// frame is the strip's length divided by the count.
Rect AnimationFrameRect(const Rect& strip, int32_t frameCount, const Rect& progressRect, int32_t frame);

}  // namespace tolvar
