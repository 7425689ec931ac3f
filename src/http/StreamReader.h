#pragma once
#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "base/TransferPace.h"
#include "http/ByteStream.h"

namespace tolvar {

// Buffered reads of lines and counted bytes from a byte stream, bounded in time: a transfer
// must keep moving. Every span of the current time-out has to bring at least ProgressBytes
// (or the peer's close), otherwise the read raises ETimeoutError. A silent peer thus fails
// after one time-out, as a plain read time-out would have it; and so does one that sends a
// byte now and then, which a time-out per read would wait for without end. Given a rate floor,
// what is read from then on must also keep its average above it (TTransferPace): a kilobyte
// just within every span is not enough either.
class TStreamReader {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr size_t MaxLineLength = 16384;
    static constexpr uint64_t ProgressBytes = 1024;

    explicit TStreamReader(TByteStream& stream, Milliseconds timeout)
        : stream_(stream), timeout_(timeout), spanStart_(Clock::now()) {}
    // A new time-out starts a new span.
    void SetTimeout(Milliseconds timeout);
    // Beyond the spans, an end to all reading: what has not come by then raises ETimeoutError.
    void SetDeadline(Clock::time_point deadline) { deadline_ = deadline; }
    void ClearDeadline() { deadline_ = Clock::time_point::max(); }
    // From now on, the bytes read must keep above the floor's average rate.
    void SetRateFloor(TRateFloor floor) { pace_.emplace(Clock::now(), floor); }

    // The bytes up to the next LF, without the LF and a CR right before it. A line that the
    // peer's close cuts off is a line; nothing at all before the close gives nullopt. A line
    // longer than MaxLineLength raises EHTTPProtocolError.
    std::optional<std::string> ReadLine();

    // Up to `count` bytes, fewer only when the peer closes first; appended to `sink` unless it
    // is null. Returns how many arrived.
    uint64_t Read(uint64_t count, std::string* sink);

    // Bytes read from the stream and not yet taken.
    size_t Buffered() const { return end_ - begin_; }

private:
    bool Fill();  // false once the peer has closed

    TByteStream& stream_;
    Milliseconds timeout_;
    Clock::time_point spanStart_;
    Clock::time_point deadline_ = Clock::time_point::max();
    std::optional<TTransferPace> pace_;
    uint64_t spanBytes_ = 0;
    std::array<char, 16384> buffer_{};
    size_t begin_ = 0;
    size_t end_ = 0;
    bool closed_ = false;
};

}  // namespace tolvar
