#pragma once
// Calls a function from a thread timer while it lives. The timer fires in whatever pumps the
// thread's messages (the pass's own pumps, one after each read of a download), so what it
// samples is the window as the user sees it in the middle of the pass.
#include <windows.h>

#include <functional>
#include <utility>

namespace tolvar::test {

class TickSampler {
public:
    explicit TickSampler(std::function<void()> sample) : sample_(std::move(sample)) {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, Tick);
    }
    ~TickSampler() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    TickSampler(const TickSampler&) = delete;
    TickSampler& operator=(const TickSampler&) = delete;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        if (current_) current_->sample_();
    }
    static inline TickSampler* current_ = nullptr;
    std::function<void()> sample_;
    UINT_PTR timer_ = 0;
};

}  // namespace tolvar::test
