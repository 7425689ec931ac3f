#pragma once
#include <utility>

namespace tolvar {

// Runs a clean-up on every way out of a scope: a flag restored, an object deselected.
//   const ScopeExit restore([&] { painting = false; });
template <class F>
class ScopeExit {
public:
    explicit ScopeExit(F f) : f_(std::move(f)) {}
    ~ScopeExit() {
        if (armed_) f_();
    }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;
    // The clean-up is no longer wanted.
    void Dismiss() { armed_ = false; }

private:
    F f_;
    bool armed_ = true;
};

// Sets `flag` to `value` for the scope and puts the old value back afterwards.
template <class T>
[[nodiscard]] auto ScopedAssign(T& flag, T value) {
    T old = std::exchange(flag, std::move(value));
    return ScopeExit([&flag, old = std::move(old)]() mutable { flag = std::move(old); });
}

}  // namespace tolvar
