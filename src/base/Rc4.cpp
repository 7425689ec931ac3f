#include "Rc4.h"

#include <utility>

#include "Exceptions.h"
#include "Sha1.h"

namespace tolvar {

Rc4::Rc4(std::span<const uint8_t> key) {
    if (key.empty() || key.size() > 256) throw Exception("RC4 key must be 1 to 256 bytes long");
    for (int n = 0; n < 256; ++n) s_[n] = uint8_t(n);
    uint8_t j = 0;
    for (size_t n = 0; n < 256; ++n) {
        j = uint8_t(j + s_[n] + key[n % key.size()]);
        std::swap(s_[n], s_[j]);
    }
}

Rc4::~Rc4() {
    WipeBytes(s_, sizeof s_, 0xFF);
    i_ = j_ = 0xFF;
}

void Rc4::Apply(uint8_t* data, size_t size) {
    for (size_t n = 0; n < size; ++n) {
        i_ = uint8_t(i_ + 1);
        j_ = uint8_t(j_ + s_[i_]);
        std::swap(s_[i_], s_[j_]);
        data[n] ^= s_[uint8_t(s_[i_] + s_[j_])];
    }
}

std::string Rc4::Apply(std::string_view data) {
    std::string out(data);
    Apply(reinterpret_cast<uint8_t*>(out.data()), out.size());
    return out;
}

}  // namespace tolvar
