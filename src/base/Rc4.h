#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tolvar {

// RC4: the key schedule over the whole 256-byte state with the key repeated, then the keystream
// from its first byte (nothing dropped), XORed onto the data. Encrypting and decrypting are the
// same operation. The state is overwritten with 0xFF when the object goes.
class Rc4 {
public:
    // The key must be 1 to 256 bytes long (an Exception otherwise).
    explicit Rc4(std::span<const uint8_t> key);
    ~Rc4();
    Rc4(const Rc4&) = delete;
    Rc4& operator=(const Rc4&) = delete;

    // Runs the bytes through the cipher in place; the keystream goes on from call to call.
    void Apply(uint8_t* data, size_t size);
    std::string Apply(std::string_view data);

private:
    uint8_t s_[256];
    uint8_t i_ = 0;
    uint8_t j_ = 0;
};

}  // namespace tolvar
