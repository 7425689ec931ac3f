#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace tolvar {

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

// A byte stream with a position, the shape the skin's packages travel in: memory buffers,
// files and the zlib wrappers around them.
class TStream {
public:
    virtual ~TStream() = default;

    // Up to `count` bytes; fewer only at the end of the stream.
    virtual size_t Read(void* buffer, size_t count) = 0;
    virtual size_t Write(const void* buffer, size_t count) = 0;
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

    int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
    void SetPosition(int64_t position) { Seek(position, TSeekOrigin::soBeginning); }
    virtual int64_t Size();

    // Exactly `count` bytes or "Stream read error" / "Stream write error".
    void ReadBuffer(void* buffer, size_t count);
    void WriteBuffer(const void* buffer, size_t count);
    int32_t ReadInt32();
    void WriteInt32(int32_t value);

    // Copies `count` bytes from the source's current position; 0 copies all of the source
    // from its start.
    int64_t CopyFrom(TStream& source, int64_t count);
};

// A growable buffer in memory.
class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::string bytes) : data_(std::move(bytes)) {}

    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override { return int64_t(data_.size()); }

    void Clear() { data_.clear(), position_ = 0; }
    bool Empty() const { return data_.empty(); }
    const std::string& Bytes() const { return data_; }
    std::string& Bytes() { return data_; }
    // Replaces the content; the position goes back to the start.
    void Assign(std::string bytes) { data_ = std::move(bytes), position_ = 0; }

private:
    std::string data_;
    size_t position_ = 0;
};

// A read-only view of bytes that someone else keeps alive.
class TBytesStream : public TStream {
public:
    explicit TBytesStream(std::string_view bytes) : data_(bytes) {}
    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override { return int64_t(data_.size()); }

private:
    std::string_view data_;
    size_t position_ = 0;
};

// A file opened for reading, or created (truncated) for writing.
class TFileStream : public TStream {
public:
    enum Mode { fmOpenRead, fmCreate };
    TFileStream(const std::string& path, Mode mode);  // EFOpenError / EFCreateError

    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;

private:
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, Closer> file_;
};

// The whole content of a file (EFOpenError when it cannot be opened).
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, std::string_view bytes);

}  // namespace tolvar
