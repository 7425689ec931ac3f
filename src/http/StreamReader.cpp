#include "http/StreamReader.h"

#include <algorithm>
#include <cstring>

#include "http/HttpErrors.h"

namespace tolvar {

void TStreamReader::SetTimeout(Milliseconds timeout) {
    timeout_ = timeout;
    spanStart_ = Clock::now();
    spanBytes_ = 0;
}

bool TStreamReader::Fill() {
    if (begin_ < end_) return true;
    if (closed_) return false;
    const auto now = Clock::now();
    Clock::time_point until = std::min(spanStart_ + timeout_, deadline_);
    if (pace_) until = std::min(until, pace_->StallsAt());
    const auto left = std::chrono::duration_cast<Milliseconds>(until - now);
    if (left <= Milliseconds(0)) throw ETimeoutError("Transfer stalled");
    begin_ = 0;
    end_ = stream_.Read(buffer_.data(), buffer_.size(), left);
    if (end_ == 0) closed_ = true;
    if (pace_) pace_->Add(end_);
    spanBytes_ += end_;
    if (spanBytes_ >= ProgressBytes) {
        spanStart_ = Clock::now();
        spanBytes_ = 0;
    }
    return end_ > 0;
}

std::optional<std::string> TStreamReader::ReadLine() {
    std::string line;
    bool any = false;
    for (;;) {
        if (!Fill()) {
            if (!any) return std::nullopt;
            break;
        }
        any = true;
        const char* start = buffer_.data() + begin_;
        const char* lf = static_cast<const char*>(std::memchr(start, '\n', end_ - begin_));
        const size_t take = lf ? static_cast<size_t>(lf - start) : end_ - begin_;
        // One byte more than the limit may still be the CR of the line end.
        if (line.size() + take > MaxLineLength + 1) throw EHTTPProtocolError("Response line too long");
        line.append(start, take);
        begin_ += take;
        if (lf) {
            ++begin_;
            break;
        }
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > MaxLineLength) throw EHTTPProtocolError("Response line too long");
    return line;
}

uint64_t TStreamReader::Read(uint64_t count, std::string* sink) {
    uint64_t done = 0;
    while (done < count && Fill()) {
        const size_t take = static_cast<size_t>(std::min<uint64_t>(count - done, end_ - begin_));
        if (sink) sink->append(buffer_.data() + begin_, take);
        begin_ += take;
        done += take;
    }
    return done;
}

}  // namespace tolvar
