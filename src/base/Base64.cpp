#include "Base64.h"

#include <cstdint>

namespace tolvar {

namespace {

constexpr char Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

uint32_t SixBits(char c) {
    if (c >= 'A' && c <= 'Z') return uint32_t(c - 'A');
    if (c >= 'a' && c <= 'z') return uint32_t(c - 'a' + 26);
    if (c >= '0' && c <= '9') return uint32_t(c - '0' + 52);
    if (c == '+') return 62;
    if (c == '/') return 63;
    return 0;  // "=" (a missing value) and anything outside the alphabet
}

}  // namespace

std::string Base64Decode(std::string_view text) {
    std::string out;
    const size_t groups = text.size() / 4;
    out.reserve(groups * 3);
    for (size_t g = 0; g < groups; ++g) {
        const char* c = text.data() + 4 * g;
        const uint32_t v = SixBits(c[0]) << 18 | SixBits(c[1]) << 12 | SixBits(c[2]) << 6 | SixBits(c[3]);
        const int count = c[2] == '=' ? 1 : c[3] == '=' ? 2 : 3;
        out.push_back(char(v >> 16));
        if (count > 1) out.push_back(char(v >> 8));
        if (count > 2) out.push_back(char(v));
    }
    return out;
}

std::string Base64Encode(std::string_view data) {
    std::string out;
    out.reserve((data.size() + 2) / 3 * 4);
    const auto* p = reinterpret_cast<const unsigned char*>(data.data());
    size_t n = 0;
    for (; n + 3 <= data.size(); n += 3) {
        const uint32_t v = uint32_t(p[n]) << 16 | uint32_t(p[n + 1]) << 8 | p[n + 2];
        out += {Alphabet[v >> 18], Alphabet[(v >> 12) & 63], Alphabet[(v >> 6) & 63], Alphabet[v & 63]};
    }
    if (const size_t rest = data.size() - n; rest > 0) {
        const uint32_t v = uint32_t(p[n]) << 16 | (rest == 2 ? uint32_t(p[n + 1]) << 8 : 0u);
        out += {Alphabet[v >> 18], Alphabet[(v >> 12) & 63], rest == 2 ? Alphabet[(v >> 6) & 63] : '=', '='};
    }
    return out;
}

}  // namespace tolvar
