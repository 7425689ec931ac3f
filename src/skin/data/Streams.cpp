#include "Streams.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "base/Exceptions.h"

namespace tolvar {

namespace {

size_t Reposition(size_t position, size_t size, int64_t offset, TSeekOrigin origin) {
    int64_t base = 0;
    if (origin == TSeekOrigin::soCurrent) base = int64_t(position);
    else if (origin == TSeekOrigin::soEnd) base = int64_t(size);
    const int64_t target = base + offset;
    return target < 0 ? 0 : size_t(target);
}

std::string SystemMessage() { return std::strerror(errno); }

}  // namespace

int64_t TStream::Size() {
    const int64_t here = Position();
    const int64_t end = Seek(0, TSeekOrigin::soEnd);
    SetPosition(here);
    return end;
}

void TStream::ReadBuffer(void* buffer, size_t count) {
    if (count != 0 && Read(buffer, count) != count) throw EReadError();
}

void TStream::WriteBuffer(const void* buffer, size_t count) {
    if (count != 0 && Write(buffer, count) != count) throw EStreamError("Stream write error");
}

int32_t TStream::ReadInt32() {
    uint8_t b[4];
    ReadBuffer(b, 4);
    return int32_t(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24);
}

void TStream::WriteInt32(int32_t value) {
    const uint32_t v = uint32_t(value);
    const uint8_t b[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
    WriteBuffer(b, 4);
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    std::vector<char> block(size_t(std::min<int64_t>(count, 65536)) + 1);
    int64_t left = count;
    while (left > 0) {
        const size_t n = size_t(std::min<int64_t>(left, int64_t(block.size())));
        source.ReadBuffer(block.data(), n);
        WriteBuffer(block.data(), n);
        left -= int64_t(n);
    }
    return count;
}

size_t TMemoryStream::Read(void* buffer, size_t count) {
    if (position_ >= data_.size()) return 0;
    const size_t n = std::min(count, data_.size() - position_);
    std::memcpy(buffer, data_.data() + position_, n);
    position_ += n;
    return n;
}

size_t TMemoryStream::Write(const void* buffer, size_t count) {
    if (count == 0) return 0;
    if (position_ > data_.size()) data_.resize(position_);
    const size_t overlap = std::min(count, data_.size() - position_);
    data_.replace(position_, overlap, static_cast<const char*>(buffer), count);
    position_ += count;
    return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
    position_ = Reposition(position_, data_.size(), offset, origin);
    return int64_t(position_);
}

size_t TBytesStream::Read(void* buffer, size_t count) {
    if (position_ >= data_.size()) return 0;
    const size_t n = std::min(count, data_.size() - position_);
    std::memcpy(buffer, data_.data() + position_, n);
    position_ += n;
    return n;
}

size_t TBytesStream::Write(const void*, size_t) { return 0; }

int64_t TBytesStream::Seek(int64_t offset, TSeekOrigin origin) {
    position_ = Reposition(position_, data_.size(), offset, origin);
    return int64_t(position_);
}

TFileStream::TFileStream(const std::string& path, Mode mode) {
    file_.reset(std::fopen(path.c_str(), mode == fmCreate ? "wb" : "rb"));
    if (!file_) {
        if (mode == fmCreate) throw EFCreateError("Cannot create file \"" + path + "\". " + SystemMessage());
        throw EFOpenError("Cannot open file \"" + path + "\". " + SystemMessage());
    }
}

size_t TFileStream::Read(void* buffer, size_t count) { return std::fread(buffer, 1, count, file_.get()); }

size_t TFileStream::Write(const void* buffer, size_t count) { return std::fwrite(buffer, 1, count, file_.get()); }

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
    const int whence = origin == TSeekOrigin::soBeginning ? SEEK_SET
                       : origin == TSeekOrigin::soCurrent ? SEEK_CUR
                                                          : SEEK_END;
    std::fseek(file_.get(), long(offset), whence);
    return int64_t(std::ftell(file_.get()));
}

std::string ReadFileBytes(const std::string& path) {
    TFileStream f(path, TFileStream::fmOpenRead);
    std::string bytes;
    char block[65536];
    for (size_t n; (n = f.Read(block, sizeof block)) != 0;) bytes.append(block, n);
    return bytes;
}

void WriteFileBytes(const std::string& path, std::string_view bytes) {
    TFileStream f(path, TFileStream::fmCreate);
    f.WriteBuffer(bytes.data(), bytes.size());
}

}  // namespace tolvar
