#pragma once
#include <cstdint>
#include <functional>
#include <memory>

namespace tolvar {

// One repeating timer of an animation (the gauge's frames, the frame's hover and fades), as the
// platform gives it: while enabled, with an interval that is not 0, it ticks every interval
// milliseconds on the user-interface thread. Enabling a disabled timer starts a fresh interval; enabling an enabled one
// changes nothing. Destroying it frees the platform's timer.
class AnimationTimer {
public:
    virtual ~AnimationTimer() = default;
    virtual bool Enabled() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
    virtual void SetInterval(uint32_t milliseconds) = 0;
};

// Makes the animation's timers: disabled, with `onTick` as their tick.
class AnimationTimerFactory {
public:
    virtual ~AnimationTimerFactory() = default;
    virtual std::unique_ptr<AnimationTimer> CreateTimer(std::function<void()> onTick) = 0;
};

}  // namespace tolvar
