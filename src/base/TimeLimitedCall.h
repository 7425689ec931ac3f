#pragma once
// A blocking call that must not hold up its caller for longer than a given time: a name lookup
// on a resolver that never answers, a request whose answer trickles in a byte at a time. The
// platform gives such calls no time limit of their own, and some cannot be interrupted, so the
// call runs on a thread of its own and the caller waits for it only so long.
#include <chrono>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <type_traits>
#include <utility>

namespace tolvar {

// The call's result when it ends within `limit` (an error it raises is raised here), or none
// when it does not. A call that runs out of time is left to end by itself; whatever it returns
// then is destroyed on its thread. It must therefore own what it works on (capture by value),
// and its caller must make sure that its ending late harms nothing.
template <class Call>
std::optional<std::invoke_result_t<Call&>> CallWithin(std::chrono::milliseconds limit, Call call) {
    using Result = std::invoke_result_t<Call&>;
    struct Outcome {
        std::mutex mutex;
        std::condition_variable ended;
        bool finished = false;
        std::optional<Result> result;
        std::exception_ptr error;
    };
    const auto outcome = std::make_shared<Outcome>();
    std::thread worker([outcome, call = std::move(call)]() mutable {
        std::optional<Result> result;
        std::exception_ptr error;
        try {
            result.emplace(call());
        } catch (...) {
            error = std::current_exception();
        }
        const std::lock_guard lock(outcome->mutex);
        outcome->result = std::move(result);
        outcome->error = error;
        outcome->finished = true;
        outcome->ended.notify_all();
    });

    bool inTime;
    {
        std::unique_lock lock(outcome->mutex);
        inTime = outcome->ended.wait_for(lock, limit, [&] { return outcome->finished; });
    }
    // A call that ended is waited for to the end of its thread, so that no thread of it is
    // left running (a process that ends while such a thread winds down may hang in its exit).
    // Only a call that ran out of time is left behind.
    if (!inTime) {
        worker.detach();
        return std::nullopt;
    }
    worker.join();
    if (outcome->error) std::rethrow_exception(outcome->error);
    return std::move(outcome->result);
}

}  // namespace tolvar
