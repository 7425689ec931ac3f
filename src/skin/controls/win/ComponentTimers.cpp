#include "ComponentTimers.h"

#include "app/Timer.h"

namespace tolvar {

namespace {

class ComponentTimer : public AnimationTimer {
public:
    ComponentTimer(TComponent* owner, std::function<void()> onTick) : owner_(owner), timer_(Own<TTimer>(owner)) {
        timer_->SetEnabled(false);
        timer_->SetOnTimer([tick = std::move(onTick)](TComponent*) { tick(); });
    }
    ~ComponentTimer() override { owner_->DestroyComponent(timer_); }
    bool Enabled() const override { return timer_->Enabled(); }
    void SetEnabled(bool enabled) override { timer_->SetEnabled(enabled); }
    void SetInterval(uint32_t milliseconds) override { timer_->SetInterval(UINT(milliseconds)); }

private:
    TComponent* owner_;
    TTimer* timer_;
};

}  // namespace

std::unique_ptr<AnimationTimer> ComponentTimers::CreateTimer(std::function<void()> onTick) {
    return std::make_unique<ComponentTimer>(owner_, std::move(onTick));
}

}  // namespace tolvar
