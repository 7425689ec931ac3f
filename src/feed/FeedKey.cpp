#include "FeedKey.h"

#include <algorithm>
#include <string>

#include "base/Base64.h"

namespace tolvar {

namespace {

constexpr std::string_view kBegin = "-----BEGIN PUBLIC KEY-----";
constexpr std::string_view kEnd = "-----END PUBLIC KEY-----";

// The DER of a P-256 SubjectPublicKeyInfo up to the point: SEQUENCE { SEQUENCE { id-ecPublicKey,
// prime256v1 }, BIT STRING { 0 unused bits, 0x04 (uncompressed) ... } }. Every such key has
// exactly these bytes before its X and Y.
constexpr uint8_t kSpkiPrefix[] = {0x30, 0x59, 0x30, 0x13, 0x06, 0x07, 0x2a, 0x86, 0x48, 0xce, 0x3d, 0x02, 0x01, 0x06,
                                   0x08, 0x2a, 0x86, 0x48, 0xce, 0x3d, 0x03, 0x01, 0x07, 0x03, 0x42, 0x00, 0x04};
constexpr size_t kSpkiSize = sizeof kSpkiPrefix + 64;

bool IsBase64Char(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' || c == '/';
}

// The Base64 of a PEM block without its line breaks; anything else than the alphabet, line
// breaks and final padding makes it no key.
std::string BlockBase64(std::string_view block) {
    std::string text;
    for (char c : block) {
        if (c == '\r' || c == '\n') continue;
        if (!IsBase64Char(c) && c != '=') throw EFeedKeyError("the key's PEM block holds a character outside Base64");
        text += c;
    }
    const size_t padding = text.size() - std::min(text.size(), text.find('='));
    if (text.size() % 4 != 0 || padding > 2 || text.find_first_not_of('=', text.size() - padding) != std::string::npos)
        throw EFeedKeyError("the key's PEM block is not whole Base64");
    return text;
}

}  // namespace

EcPublicPoint ReadFeedPublicKey(std::string_view pem) {
    if (pem.find("PRIVATE KEY-----") != std::string_view::npos)
        throw EFeedKeyError("this is a private key: give the public key (openssl pkey -in KEY.pem -pubout)");
    const size_t begin = pem.find(kBegin);
    if (begin == std::string_view::npos) throw EFeedKeyError("no \"" + std::string(kBegin) + "\" block");
    const size_t from = begin + kBegin.size();
    const size_t end = pem.find(kEnd, from);
    if (end == std::string_view::npos) throw EFeedKeyError("the public key block has no end line");
    const std::string der = Base64Decode(BlockBase64(pem.substr(from, end - from)));
    if (der.size() != kSpkiSize || !std::equal(std::begin(kSpkiPrefix), std::end(kSpkiPrefix), der.begin(),
                                               [](uint8_t a, char b) { return a == uint8_t(b); }))
        throw EFeedKeyError("not a P-256 (prime256v1) public key with an uncompressed point");
    EcPublicPoint point;
    std::copy(der.begin() + sizeof kSpkiPrefix, der.end(), point.begin());
    return point;
}

bool SameFeedKey(std::string_view a, std::string_view b) {
    try {
        return ReadFeedPublicKey(a) == ReadFeedPublicKey(b);
    } catch (const EFeedKeyError&) {
        return false;
    }
}

std::string FeedPublicKeyPem(const EcPublicPoint& point) {
    std::string der(std::begin(kSpkiPrefix), std::end(kSpkiPrefix));
    der.append(point.begin(), point.end());
    const std::string base64 = Base64Encode(der);
    std::string pem = std::string(kBegin) + '\n';
    for (size_t at = 0; at < base64.size(); at += 64) pem += base64.substr(at, 64) + '\n';
    return pem + std::string(kEnd) + '\n';
}

std::string CanonicalFeedKey(std::string_view pem) { return FeedPublicKeyPem(ReadFeedPublicKey(pem)); }

}  // namespace tolvar
