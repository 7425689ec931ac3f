// The sealed settings: any text decrypts without fault, and what is sealed opens again.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/Base64.h"
#include "base/SettingsCipher.h"
#include "base/Text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    // Decoding reads whole groups of four: three bytes each at most.
    const std::string decoded = tolvar::Base64Decode(bytes);
    if (decoded.size() > size / 4 * 3) __builtin_trap();
    if (tolvar::Base64Decode(tolvar::Base64Encode(bytes)) != bytes) __builtin_trap();

    const std::string plain = tolvar::DecryptText(bytes, tolvar::SettingsKeyPhrase);
    if (plain.size() != decoded.size()) __builtin_trap();  // a stream cipher keeps the length
    tolvar::TextToLines(plain);
    if (tolvar::DecryptText(tolvar::EncryptText(bytes, tolvar::SettingsKeyPhrase), tolvar::SettingsKeyPhrase) != bytes)
        __builtin_trap();
    return 0;
}
