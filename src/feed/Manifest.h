#pragma once
#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
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

// A moment as a manifest names it, to the second, in UTC.
using ManifestTime = std::chrono::sys_seconds;

// A signed manifest: until when it holds, the files of one server folder the vendor vouches
// for, and the signature.
//
//     expires <YYYY-MM-DDTHH:MM:SSZ>\n                 the first line, in UTC
//     <SHA-256 as 64 lowercase hex digits> <path>\n      one line per file
//     signature <r and s as 128 lowercase hex digits>\n  the last line
//
// The signature is over every byte before the word "signature", the expiry included: a list
// the vendor signed once must not stay good for ever, or an old one (with an old host that has
// a known hole) could be served again and again. A manifest is bytes, not text: lines end with
// LF alone, and a CR would be a byte of the path. A line holds at most kMaxManifestLine bytes,
// a path starts with "/" and holds no control character, and no path comes twice.
struct TManifest {
    ManifestTime Expires{};
    std::vector<TManifestEntry> Entries;
    size_t SignedLength = 0;  // the signature covers the manifest's first SignedLength bytes
    EcdsaSignature Signature{};
};

inline constexpr size_t kMaxManifestLine = 2048;
inline constexpr size_t kMaxManifestSize = 16 * 1024 * 1024;

// How long a manifest holds when its signer is not told otherwise, and at most: the vendor signs
// again before then.
inline constexpr int kDefaultValidDays = 90;
inline constexpr int kMaxValidDays = 3660;

// Reads a whole manifest; anything short of the format above raises EManifestError saying
// what and on which line. Nothing is verified here (that needs the key), nor the expiry (that
// needs the reader's clock).
TManifest ReadManifest(std::string_view text);

// Whether the manifest no longer holds at `now`: from its expiry time on.
bool Expired(const TManifest& manifest, ManifestTime now);

// The expiry of a manifest signed at `now` to hold for `validDays` days; raises EManifestError
// unless the days are 1 to kMaxValidDays.
ManifestTime ExpiryAfter(ManifestTime now, int validDays);
// The current time of the system's clock, to the second.
ManifestTime ManifestNow();

// "YYYY-MM-DDTHH:MM:SSZ", as the expiry line writes it; the reader takes exactly that form, of
// a real date and time of the years 1970 to 9999.
std::string FormatManifestTime(ManifestTime time);
std::optional<ManifestTime> ParseManifestTime(std::string_view text);

// The expiry line and the lines of the entries, in the given order: the bytes to sign. Raises
// EManifestError for an entry or a time the reader would refuse.
std::string ManifestBody(ManifestTime expires, const std::vector<TManifestEntry>& entries);
// The body followed by its signature line: the whole manifest.
std::string SignedManifest(std::string_view body, const EcdsaSignature& signature);

std::string ToHex(const uint8_t* data, size_t size);

}  // namespace tolvar
