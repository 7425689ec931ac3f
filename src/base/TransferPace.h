#pragma once
// The slowest pace a transfer may keep. A server that sends a kilobyte now and then keeps every
// read and every span of a stall limit alive, and so could hold a file (and the host program's
// start behind it) for days; what it cannot keep up is an average. So once a transfer has run
// for a while, its average rate since it started must stay above a floor that any real line,
// however slow, clears.
#include <algorithm>
#include <chrono>
#include <cstdint>

namespace tolvar {

struct TRateFloor {
    std::chrono::milliseconds Grace{30000};  // no floor before this
    uint64_t BytesPerSecond = 2048;          // 0: no floor at all
};

class TTransferPace {
public:
    using Clock = std::chrono::steady_clock;

    TTransferPace(Clock::time_point start, TRateFloor floor) : start_(start), floor_(floor) {}

    void Add(uint64_t bytes) { bytes_ += bytes; }
    uint64_t Bytes() const { return bytes_; }

    // Whether, at `now`, the transfer has fallen below the floor: past the grace, and fewer
    // bytes than the floor's rate over the whole time since the start.
    bool Stalled(Clock::time_point now) const { return now >= StallsAt(); }

    // The moment the transfer stalls unless more bytes arrive before it: the waits for the next
    // bytes go no further.
    Clock::time_point StallsAt() const {
        using std::chrono::milliseconds;
        if (floor_.BytesPerSecond == 0) return Clock::time_point::max();
        // The time the bytes so far cover at the floor's rate, to the millisecond below; the
        // first millisecond after it falls short. Counts beyond any real transfer saturate.
        // (Rates are far below 2^50 bytes a second, so the remainder's product cannot wrap.)
        const uint64_t rate = floor_.BytesPerSecond;
        const uint64_t limitMs = uint64_t(std::chrono::duration_cast<milliseconds>(Clock::duration::max()).count()) / 4;
        const uint64_t seconds = bytes_ / rate;
        const uint64_t coveredMs = seconds >= limitMs / 1000 ? limitMs : seconds * 1000 + bytes_ % rate * 1000 / rate;
        return start_ + std::max<Clock::duration>(floor_.Grace, milliseconds(coveredMs + 1));
    }

private:
    Clock::time_point start_;
    TRateFloor floor_;
    uint64_t bytes_ = 0;
};

}  // namespace tolvar
