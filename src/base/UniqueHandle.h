#pragma once
#include <utility>

namespace tolvar {

// One move-only owner for every kind of handle, whatever the platform: Traits names the handle
// type, its invalid value and how to release it. The handle is released on every way out.
//
//   struct Traits {
//       using Handle = ...;                  // compared with ==
//       static Handle Invalid();             // the value that owns nothing
//       static void Close(Handle) noexcept;  // releases a valid handle
//   };
template <class Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;
    UniqueHandle() = default;
    explicit UniqueHandle(Handle h) : h_(h) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(UniqueHandle&& o) noexcept : h_(std::exchange(o.h_, Traits::Invalid())) {}
    UniqueHandle& operator=(UniqueHandle&& o) noexcept {
        if (this != &o) Reset(std::exchange(o.h_, Traits::Invalid()));
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    const Handle& Get() const { return h_; }
    bool Valid() const { return !(h_ == Traits::Invalid()); }
    explicit operator bool() const { return Valid(); }
    // Gives the handle up without releasing it.
    Handle Release() { return std::exchange(h_, Traits::Invalid()); }
    // Releases the handle held, then owns `h`.
    void Reset(Handle h = Traits::Invalid()) noexcept {
        if (Valid()) Traits::Close(std::exchange(h_, Traits::Invalid()));
        h_ = h;
    }

private:
    Handle h_ = Traits::Invalid();
};

}  // namespace tolvar
