#pragma once
#include <zlib.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

#include "base/Exceptions.h"
#include "skin/data/Streams.h"

namespace tolvar {

class ECompressionError : public Exception {
public:
    using Exception::Exception;
};
class EDecompressionError : public Exception {
public:
    using Exception::Exception;
};

// Indexed compression levels; everything in this program uses clMax.
enum class TCompressionLevel { clNone = 0, clFastest = 1, clDefault = -1, clMax = 9 };

// A stream over another stream through zlib. It remembers where it left the underlying stream
// and goes back there before each transfer, so that others may move that stream in between.
class TCustomZlibStream : public TStream {
public:
    static constexpr size_t kBufferSize = 4096;
    using ProgressEvent = std::function<void(TCustomZlibStream&)>;

    ProgressEvent OnProgress;  // after every buffer-sized transfer

protected:
    explicit TCustomZlibStream(TStream& strm);
    void RestorePosition();
    void RememberPosition() { strmPos_ = strm_.Position(); }
    void Progress() {
        if (OnProgress) OnProgress(*this);
    }

    TStream& strm_;
    int64_t strmPos_;
    z_stream zs_{};
    unsigned char buffer_[kBufferSize];
};

// Write-only: bytes written are deflated onto the target. Finish() (or destruction) ends the
// zlib stream.
class TCompressionStream : public TCustomZlibStream {
public:
    TCompressionStream(TCompressionLevel level, TStream& dest);
    ~TCompressionStream() override;

    size_t Read(void* buffer, size_t count) override;  // "Invalid stream operation"
    size_t Write(const void* buffer, size_t count) override;
    // Only (0, soCurrent): the number of bytes taken in so far.
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override { return int64_t(zs_.total_in); }

    // Deflates what is pending with finish and flushes the last buffer; once.
    void Finish();

private:
    void FlushFullBuffer();
    bool finished_ = false;
};

// Read-only: reads inflate the source from its start. The inflater stops at the end of the
// zlib stream; bytes after it are left unread.
class TDecompressionStream : public TCustomZlibStream {
public:
    explicit TDecompressionStream(TStream& source);
    ~TDecompressionStream() override;

    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;  // "Invalid stream operation"
    // Forward from the current position, or back to the very start.
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override;  // "Invalid stream operation": the length is not known in advance

private:
    bool ended_ = false;
};

// Deflates all of source, from its start, onto target at the maximum level.
void CompressStream(TStream& source, TStream& target);
// Inflates all of source, from its start, appending to target.
void DecompressStream(TStream& target, TStream& source);

// All of source inflated into memory of its own: the inflater writes straight into a buffer
// that grows in large steps and is not cleared first. A whole skin package is inflated this way
// at every load, so the copies and clears of small blocks would be a good part of the load.
//
// A skin is a few MiB inflated; what would inflate past `limit` is a damaged or crafted package
// and raises EDecompressionError ("compression error") before the memory is taken.
class TInflatedBytes {
public:
    static constexpr size_t DefaultLimit = size_t(64) << 20;
    explicit TInflatedBytes(TStream& source, size_t limit = DefaultLimit);
    std::string_view View() const { return std::string_view(data_.get(), size_); }

private:
    std::unique_ptr<char[]> data_;
    size_t size_ = 0;
};

}  // namespace tolvar
