#pragma once
#include <windows.h>

#include <functional>

#include "Message.h"
#include "base/Component.h"

namespace tolvar {

// A repeating timer that ticks through the event loop on the user-interface thread. Enabling
// a disabled timer starts a fresh interval; enabling an enabled one changes nothing; with an
// interval of 0 or no handler it never ticks.
class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;
    std::string_view ClassName() const override { return "TTimer"; }

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    UINT Interval() const { return interval_; }
    void SetInterval(UINT interval);
    const TNotifyEvent& OnTimer() const { return onTimer_; }
    void SetOnTimer(TNotifyEvent handler);

    // Runs the tick of the timer with this id (from the application's utility window).
    static void Dispatch(UINT_PTR id);

private:
    void UpdateTimer();

    bool enabled_ = true;
    UINT interval_ = 1000;
    TNotifyEvent onTimer_;
    UINT_PTR id_ = 0;
    bool running_ = false;
};

}  // namespace tolvar
