#pragma once
#include "base/Component.h"
#include "skin/controls/AnimationTimer.h"

namespace tolvar {

// The animation's timers as the framework's timer components, owned by the control: they tick
// through the event loop and go with the control at the latest.
class ComponentTimers : public AnimationTimerFactory {
public:
    explicit ComponentTimers(TComponent* owner) : owner_(owner) {}
    std::unique_ptr<AnimationTimer> CreateTimer(std::function<void()> onTick) override;

private:
    TComponent* owner_;
};

}  // namespace tolvar
