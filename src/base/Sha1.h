#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tolvar {

using Sha1Digest = std::array<uint8_t, 20>;

// SHA-1 (FIPS 180-1), fed in pieces of any size. The working state is wiped when the digest
// is taken and when the object goes, since it is derived from key material here.
class Sha1 {
public:
    Sha1();
    ~Sha1();
    Sha1(const Sha1&) = delete;
    Sha1& operator=(const Sha1&) = delete;

    void Update(const void* data, size_t size);
    void Update(std::string_view data) { Update(data.data(), data.size()); }
    // The digest of everything fed so far; the object is spent afterwards.
    Sha1Digest Final();

private:
    void Block(const uint8_t* block);

    uint32_t h_[5];
    uint8_t buffer_[64];
    size_t buffered_ = 0;
    uint64_t length_ = 0;  // bytes fed
};

Sha1Digest Sha1Of(std::string_view data);

// Overwrites a buffer with the given byte in a way the optimiser keeps.
void WipeBytes(void* data, size_t size, uint8_t value);

}  // namespace tolvar
