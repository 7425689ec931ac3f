#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/Exceptions.h"

namespace tolvar {

// The point of a P-256 public key: X then Y, 32 bytes each, big-endian.
using EcPublicPoint = std::array<uint8_t, 64>;

// A key file that is not the public half of a P-256 key.
class EFeedKeyError : public Exception {
public:
    using Exception::Exception;
};

// The resource of a company build that holds the vendor's public key, as its PEM text.
inline constexpr char FeedKeyResourceName[] = "FEEDKEY";

// The public key of a PEM file as OpenSSL writes it ("-----BEGIN PUBLIC KEY-----", a
// SubjectPublicKeyInfo of a P-256 key). Text around the block is allowed, as OpenSSL allows it.
// A private key, another curve or kind of key, or a damaged block raises EFeedKeyError saying
// which: a private key must never be what a build carries.
EcPublicPoint ReadFeedPublicKey(std::string_view pem);

// Whether two PEM texts carry the same public key; false when either is no such key.
bool SameFeedKey(std::string_view a, std::string_view b);

// The PEM file of the point as OpenSSL writes a public key: the block alone, its Base64 in
// lines of 64 characters, each line ending in LF.
std::string FeedPublicKeyPem(const EcPublicPoint& point);
// The key of a PEM file as a build carries it: the block written again from the point read,
// so that nothing else of the file (a comment, a pass phrase kept beside the key) travels into
// a program. Raises EFeedKeyError as ReadFeedPublicKey does.
std::string CanonicalFeedKey(std::string_view pem);

}  // namespace tolvar
