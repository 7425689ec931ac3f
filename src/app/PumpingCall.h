#pragma once
// A blocking call made off the window's thread, while that thread keeps its windows answering:
// a request that waits half a minute for a slow server must not leave the window unpainted
// for that long, and the platform offers the user to end a window that does not answer for a
// few seconds.
#include <windows.h>

#include <exception>
#include <optional>
#include <thread>
#include <type_traits>
#include <utility>

#include "app/Application.h"
#include "app/Handles.h"
#include "base/ScopeExit.h"

namespace tolvar {

// Runs `call` on a thread of its own and returns its result (an error it raises is raised
// here), pumping the window messages of the calling thread until it ends. The call must bound
// its own waits: it is always waited for to its end, so nothing of it outlives this function.
// Once the application is terminating (its window closed), no more messages are pumped and the
// call is simply waited for.
template <class Call>
std::invoke_result_t<Call&> CallPumping(Call call) {
    using Result = std::invoke_result_t<Call&>;
    const UniqueKernelHandle done(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!done) return call();  // no event to wait on: the call runs here, as it always could

    std::optional<Result> result;
    std::exception_ptr error;
    std::thread worker([&] {
        try {
            result.emplace(call());
        } catch (...) {
            error = std::current_exception();
        }
        SetEvent(done.Get());
    });
    ScopeExit join([&] { worker.join(); });  // on every way out: the call uses this frame

    HANDLE event = done.Get();
    for (;;) {
        if (Application()->Terminated()) {
            WaitForSingleObject(event, INFINITE);
            break;
        }
        // Wakes for the call's end and for every message that arrives, timers included.
        const DWORD woke = MsgWaitForMultipleObjectsEx(1, &event, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woke == WAIT_OBJECT_0) break;
        if (woke == WAIT_FAILED) {
            WaitForSingleObject(event, INFINITE);
            break;
        }
        Application()->ProcessMessages();
    }
    worker.join();
    join.Dismiss();
    if (error) std::rethrow_exception(error);
    return std::move(*result);
}

}  // namespace tolvar
