#pragma once
#include <string>
#include <string_view>

namespace tolvar {

// The fixed phrase the company settings are sealed with; its SHA-1 digest is the RC4 key.
inline constexpr std::string_view SettingsKeyPhrase = "Wq8#Tm2$Lx0v%Hd5Rn7Jc4*Pb9Yf6Kz1s^Ge3uVa&Q!x";

// The plain text of a sealed text: the key is the SHA-1 digest of the phrase's bytes, the
// ciphertext is decoded from Base64 (whole groups only, see Base64Decode) and run through RC4
// from the first keystream byte. The digest and the cipher state are overwritten with 0xFF
// before their memory goes.
std::string DecryptText(std::string_view cipherText, std::string_view keyPhrase);

// The inverse: RC4 with the same key, then Base64 with "=" padding on one line.
std::string EncryptText(std::string_view plainText, std::string_view keyPhrase);

}  // namespace tolvar
