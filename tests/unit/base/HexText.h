#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// Test vectors are published in hex.
inline std::string Hex(std::string_view bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char b : bytes) out += {digits[b >> 4], digits[b & 15]};
    return out;
}

inline std::string FromHex(std::string_view hex) {
    std::string out;
    const auto nibble = [](char c) { return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10; };
    for (size_t n = 0; n + 1 < hex.size(); n += 2) out.push_back(char(nibble(hex[n]) << 4 | nibble(hex[n + 1])));
    return out;
}
