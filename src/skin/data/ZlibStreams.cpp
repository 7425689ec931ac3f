#include "ZlibStreams.h"

#include <algorithm>
#include <cstring>

namespace tolvar {

namespace {

const char* const kInvalidOperation = "Invalid stream operation";

int CheckCompression(int code) {
    if (code < 0) throw ECompressionError("error");
    return code;
}

int CheckDecompression(int code) {
    // A stream that asks for a preset dictionary can never go on: without this it would be
    // asked again and again for the same bytes.
    if (code < 0 || code == Z_NEED_DICT) throw EDecompressionError("compression error");
    return code;
}

}  // namespace

TCustomZlibStream::TCustomZlibStream(TStream& strm) : strm_(strm), strmPos_(strm.Position()) {}

void TCustomZlibStream::RestorePosition() {
    if (strm_.Position() != strmPos_) strm_.SetPosition(strmPos_);
}

// ---- compression

TCompressionStream::TCompressionStream(TCompressionLevel level, TStream& dest) : TCustomZlibStream(dest) {
    zs_.next_out = buffer_;
    zs_.avail_out = kBufferSize;
    CheckCompression(deflateInit(&zs_, int(level)));
}

TCompressionStream::~TCompressionStream() {
    try {
        Finish();
    } catch (...) {
        // A destructor cannot report; callers that care call Finish() themselves.
    }
    deflateEnd(&zs_);
}

void TCompressionStream::FlushFullBuffer() {
    RestorePosition();
    strm_.WriteBuffer(buffer_, kBufferSize);
    RememberPosition();
    zs_.next_out = buffer_;
    zs_.avail_out = kBufferSize;
    Progress();
}

size_t TCompressionStream::Write(const void* buffer, size_t count) {
    if (finished_) throw ECompressionError(kInvalidOperation);
    zs_.next_in = static_cast<Bytef*>(const_cast<void*>(buffer));
    // zlib counts in 32 bits; feed large writes in pieces.
    size_t left = count;
    while (left > 0) {
        const uInt piece = uInt(std::min<size_t>(left, 1u << 30));
        zs_.avail_in = piece;
        while (zs_.avail_in > 0) {
            CheckCompression(deflate(&zs_, Z_NO_FLUSH));
            if (zs_.avail_out == 0) FlushFullBuffer();
        }
        left -= piece;
    }
    return count;
}

void TCompressionStream::Finish() {
    if (finished_) return;
    finished_ = true;
    zs_.next_in = nullptr;
    zs_.avail_in = 0;
    while (CheckCompression(deflate(&zs_, Z_FINISH)) != Z_STREAM_END)
        if (zs_.avail_out == 0) FlushFullBuffer();
    if (zs_.avail_out < kBufferSize) {
        RestorePosition();
        strm_.WriteBuffer(buffer_, kBufferSize - zs_.avail_out);
        RememberPosition();
    }
}

size_t TCompressionStream::Read(void*, size_t) { throw ECompressionError(kInvalidOperation); }

int64_t TCompressionStream::Seek(int64_t offset, TSeekOrigin origin) {
    if (offset == 0 && origin == TSeekOrigin::soCurrent) return int64_t(zs_.total_in);
    throw ECompressionError(kInvalidOperation);
}

// ---- decompression

TDecompressionStream::TDecompressionStream(TStream& source) : TCustomZlibStream(source) {
    zs_.next_in = buffer_;
    zs_.avail_in = 0;
    CheckDecompression(inflateInit(&zs_));
}

TDecompressionStream::~TDecompressionStream() { inflateEnd(&zs_); }

size_t TDecompressionStream::Read(void* buffer, size_t count) {
    unsigned char* out = static_cast<unsigned char*>(buffer);
    size_t produced = 0;
    while (produced < count && !ended_) {
        if (zs_.avail_in == 0) {
            RestorePosition();
            zs_.avail_in = uInt(strm_.Read(buffer_, kBufferSize));
            RememberPosition();
            zs_.next_in = buffer_;
            if (zs_.avail_in == 0) break;  // the source ran dry: the stream ended early
            Progress();
        }
        const uInt room = uInt(std::min<size_t>(count - produced, 1u << 30));
        zs_.next_out = out + produced;
        zs_.avail_out = room;
        const int code = CheckDecompression(inflate(&zs_, Z_NO_FLUSH));
        produced += room - zs_.avail_out;
        // After the end of the zlib stream nothing more comes out, whatever bytes follow it.
        if (code == Z_STREAM_END) ended_ = true;
    }
    return produced;
}

size_t TDecompressionStream::Write(const void*, size_t) { throw EDecompressionError(kInvalidOperation); }

int64_t TDecompressionStream::Seek(int64_t offset, TSeekOrigin origin) {
    if (offset == 0 && origin == TSeekOrigin::soBeginning) {
        CheckDecompression(inflateReset(&zs_));
        zs_.next_in = buffer_;
        zs_.avail_in = 0;
        ended_ = false;
        strm_.SetPosition(0);
        RememberPosition();
        return 0;
    }
    if (origin == TSeekOrigin::soCurrent || (origin == TSeekOrigin::soBeginning && offset >= int64_t(zs_.total_out))) {
        if (origin == TSeekOrigin::soBeginning) offset -= int64_t(zs_.total_out);
        if (offset < 0) throw EDecompressionError(kInvalidOperation);
        unsigned char discard[kBufferSize];
        while (offset > 0) {
            const size_t n = Read(discard, size_t(std::min<int64_t>(offset, kBufferSize)));
            if (n == 0) break;
            offset -= int64_t(n);
        }
        return int64_t(zs_.total_out);
    }
    throw EDecompressionError(kInvalidOperation);
}

int64_t TDecompressionStream::Size() { throw EDecompressionError(kInvalidOperation); }

// ---- whole streams

void CompressStream(TStream& source, TStream& target) {
    source.SetPosition(0);
    TCompressionStream deflater(TCompressionLevel::clMax, target);
    unsigned char block[TCustomZlibStream::kBufferSize];
    for (size_t n; (n = source.Read(block, sizeof block)) != 0;) deflater.WriteBuffer(block, n);
    deflater.Finish();
}

void DecompressStream(TStream& target, TStream& source) {
    source.SetPosition(0);
    TDecompressionStream inflater(source);
    unsigned char block[TCustomZlibStream::kBufferSize];
    for (size_t n; (n = inflater.Read(block, sizeof block)) != 0;) target.WriteBuffer(block, n);
}

TInflatedBytes::TInflatedBytes(TStream& source, size_t limit) {
    source.SetPosition(0);
    TDecompressionStream inflater(source);
    // Skins deflate to a fiftieth or so: start near the whole and double from there. One byte
    // past the limit is room enough to learn that the package goes beyond it.
    const size_t ceiling = limit + 1;
    size_t capacity =
        std::min(std::clamp<size_t>(size_t(source.Size()) * 64, size_t(1) << 16, size_t(1) << 26), ceiling);
    data_ = std::make_unique_for_overwrite<char[]>(capacity);
    for (;;) {
        const size_t n = inflater.Read(data_.get() + size_, capacity - size_);
        size_ += n;
        if (size_ < capacity) break;
        if (size_ > limit) throw EDecompressionError("compression error");
        const size_t larger = std::min(capacity * 2, ceiling);
        auto bigger = std::make_unique_for_overwrite<char[]>(larger);
        std::memcpy(bigger.get(), data_.get(), size_);
        data_ = std::move(bigger);
        capacity = larger;
    }
}

}  // namespace tolvar
