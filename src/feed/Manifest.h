#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/Exceptions.h"

namespace tolvar {

using Sha256Digest = std::array<uint8_t, 32>;
// An ECDSA P-256 signature: the numbers r and s, 32 bytes each, big-endian, r first.
using EcdsaSignature = std::array<uint8_t, 64>;

// A manifest that cannot be read, or entries that cannot be written as one.
class EManifestError : public Exception {
public:
    using Exception::Exception;
};

struct TManifestEntry {
    Sha256Digest Hash{};
    std::string Path;  // below the server root, as the client requests it: "/FTPHome/TolvarService/a.dll"
    friend bool operator==(const TManifestEntry&, const TManifestEntry&) = default;
};

// A signed manifest: the files of one server folder the vendor vouches for, and the signature.
//
//     <SHA-256 as 64 lowercase hex digits> <path>\n      one line per file
//     signature <r and s as 128 lowercase hex digits>\n  the last line
//
// The signature is over every byte before the word "signature". A manifest is bytes, not text:
// lines end with LF alone, and a CR would be a byte of the path. A line holds at most
// kMaxManifestLine bytes, a path starts with "/" and holds no control character, and no path
// comes twice.
struct TManifest {
    std::vector<TManifestEntry> Entries;
    size_t SignedLength = 0;  // the signature covers the manifest's first SignedLength bytes
    EcdsaSignature Signature{};
};

inline constexpr size_t kMaxManifestLine = 2048;
inline constexpr size_t kMaxManifestSize = 16 * 1024 * 1024;

// Reads a whole manifest; anything short of the format above raises EManifestError saying
// what and on which line. Nothing is verified here: that needs the key.
TManifest ReadManifest(std::string_view text);

// The lines of the entries, in the given order: the bytes to sign. Raises EManifestError for
// an entry the reader would refuse.
std::string ManifestBody(const std::vector<TManifestEntry>& entries);
// The body followed by its signature line: the whole manifest.
std::string SignedManifest(std::string_view body, const EcdsaSignature& signature);

std::string ToHex(const uint8_t* data, size_t size);

}  // namespace tolvar
