#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/Exceptions.h"

namespace tolvar {

// A forward cursor over bytes in memory, little-endian. Running past the end is the
// "Stream read error" of a stream that ends too early.
class ByteReader {
public:
    explicit ByteReader(std::string_view bytes, size_t position = 0) : data_(bytes), pos_(position) {}

    size_t Position() const { return pos_; }
    size_t Left() const { return pos_ < data_.size() ? data_.size() - pos_ : 0; }
    std::string_view Data() const { return data_; }

    std::string_view Take(size_t count) {
        if (count > Left()) throw EReadError();
        std::string_view piece = data_.substr(pos_, count);
        pos_ += count;
        return piece;
    }
    std::string_view Rest() { return Take(Left()); }
    void Skip(size_t count) { Take(count); }

    uint8_t U8() { return uint8_t(Take(1)[0]); }
    uint16_t U16() {
        const std::string_view b = Take(2);
        return uint16_t(uint8_t(b[0]) | uint8_t(b[1]) << 8);
    }
    uint32_t U32() {
        const std::string_view b = Take(4);
        return uint32_t(uint8_t(b[0])) | uint32_t(uint8_t(b[1])) << 8 | uint32_t(uint8_t(b[2])) << 16 |
               uint32_t(uint8_t(b[3])) << 24;
    }
    int32_t I32() { return int32_t(U32()); }

private:
    std::string_view data_;
    size_t pos_;
};

}  // namespace tolvar
