#pragma once
#include <optional>
#include <string_view>

#include "feed/FeedKey.h"
#include "feed/Manifest.h"
#include "feed/win/BcryptHandles.h"

namespace tolvar {

// Checks the vendor's signatures with the platform's cryptography (CNG): ECDSA P-256 over the
// SHA-256 of the signed bytes.
class TFeedVerifier {
public:
    // A point the system refuses (not on the curve, or no ECDSA on this system) gives a
    // verifier that accepts nothing.
    explicit TFeedVerifier(const EcPublicPoint& key);

    bool Usable() const { return key_.Valid(); }
    bool Verify(std::string_view signedBytes, const EcdsaSignature& signature) const;
    // The manifest of `text` when it reads, carries a good signature and still holds at `now`;
    // none otherwise. An expired manifest is refused as a forged one is: it may be an old list
    // served again.
    std::optional<TManifest> VerifiedManifest(std::string_view text, ManifestTime now) const;

private:
    UniqueBcryptKey key_;
};

}  // namespace tolvar
