#pragma once
#include <cstddef>
#include <optional>
#include <string_view>

#include "feed/Manifest.h"
#include "feed/win/BcryptHandles.h"

namespace tolvar {

// SHA-256 through the platform's cryptography, fed in pieces as a body streams in.
class TSha256 {
public:
    TSha256();  // raises Exception when the system cannot hash
    void Update(const void* data, size_t size);
    void Update(std::string_view data) { Update(data.data(), data.size()); }
    Sha256Digest Final();  // the digest of everything fed; the object is spent afterwards

private:
    UniqueBcryptHash hash_;
};

Sha256Digest Sha256Of(std::string_view data);
// The SHA-256 of an open file's bytes from where it stands to its end, read in large pieces;
// none when a read fails or the system cannot hash.
std::optional<Sha256Digest> Sha256OfFile(HANDLE file);

}  // namespace tolvar
