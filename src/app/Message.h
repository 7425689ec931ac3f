#pragma once
#include <windows.h>

#include <functional>

namespace tolvar {

// A window message as the framework's handlers see it; Result is what the window procedure
// returns.
struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

// The message handler of a windowed control. A component may put its own in place and pass on
// what it does not consume to the one it replaced (see TWindowProcHook).
using TWndMethod = std::function<void(TMessage&)>;

using TNotifyEvent = std::function<void(class TComponent* sender)>;

}  // namespace tolvar
