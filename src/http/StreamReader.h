#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "http/ByteStream.h"

namespace tolvar {

// Buffered reads of lines and counted bytes from a byte stream, each wait bounded by the
// current time-out.
class TStreamReader {
public:
    static constexpr size_t MaxLineLength = 16384;

    explicit TStreamReader(TByteStream& stream, Milliseconds timeout) : stream_(stream), timeout_(timeout) {}
    void SetTimeout(Milliseconds timeout) { timeout_ = timeout; }

    // The bytes up to the next LF, without the LF and a CR right before it. A line that the
    // peer's close cuts off is a line; nothing at all before the close gives nullopt. A line
    // longer than MaxLineLength raises EHTTPProtocolError.
    std::optional<std::string> ReadLine();

    // Up to `count` bytes, fewer only when the peer closes first; appended to `sink` unless it
    // is null. Returns how many arrived.
    uint64_t Read(uint64_t count, std::string* sink);

    // Everything until the peer closes.
    void ReadToClose(std::string* sink);

private:
    bool Fill();  // false once the peer has closed

    TByteStream& stream_;
    Milliseconds timeout_;
    std::array<char, 16384> buffer_{};
    size_t begin_ = 0;
    size_t end_ = 0;
    bool closed_ = false;
};

}  // namespace tolvar
