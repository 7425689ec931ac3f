#include "Timer.h"

#include <map>

#include "Application.h"

namespace tolvar {

namespace {
std::map<UINT_PTR, TTimer*>& Timers() {
    static std::map<UINT_PTR, TTimer*> timers;
    return timers;
}
UINT_PTR g_nextId = 1;
}  // namespace

TTimer::TTimer(TComponent* owner) : TComponent(owner), id_(g_nextId++) { Timers()[id_] = this; }

TTimer::~TTimer() {
    if (running_) KillTimer(Application()->UtilityWindow(), id_);
    Timers().erase(id_);
}

void TTimer::UpdateTimer() {
    HWND wnd = Application()->UtilityWindow();
    if (running_) KillTimer(wnd, id_);
    running_ = false;
    if (enabled_ && interval_ != 0 && onTimer_) running_ = SetTimer(wnd, id_, interval_, nullptr) != 0;
}

void TTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    UpdateTimer();
}

void TTimer::SetInterval(UINT interval) {
    if (interval == interval_) return;
    interval_ = interval;
    UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent handler) {
    onTimer_ = std::move(handler);
    UpdateTimer();
}

void TTimer::Dispatch(UINT_PTR id) {
    auto it = Timers().find(id);
    if (it == Timers().end()) return;
    TTimer* timer = it->second;
    // A copy: the handler may free the timer.
    const TNotifyEvent handler = timer->onTimer_;
    if (timer->enabled_ && handler) handler(timer);
}

}  // namespace tolvar
