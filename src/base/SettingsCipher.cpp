#include "SettingsCipher.h"

#include "Base64.h"
#include "Rc4.h"
#include "Sha1.h"

namespace tolvar {

namespace {

// The phrase's SHA-1 digest as the RC4 key; the digest is wiped as soon as the key schedule
// has run, so only the cipher state holds anything derived from the phrase.
template <class Use>
std::string WithKeyedCipher(std::string_view keyPhrase, Use use) {
    Sha1Digest key = Sha1Of(keyPhrase);
    Rc4 cipher(key);
    WipeBytes(key.data(), key.size(), 0xFF);
    return use(cipher);
}

}  // namespace

std::string DecryptText(std::string_view cipherText, std::string_view keyPhrase) {
    return WithKeyedCipher(keyPhrase, [&](Rc4& cipher) { return cipher.Apply(Base64Decode(cipherText)); });
}

std::string EncryptText(std::string_view plainText, std::string_view keyPhrase) {
    return WithKeyedCipher(keyPhrase, [&](Rc4& cipher) { return Base64Encode(cipher.Apply(plainText)); });
}

}  // namespace tolvar
