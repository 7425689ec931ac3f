#include "FeedVerifier.h"

#include <cstring>

#include "feed/win/Sha256.h"

namespace tolvar {

TFeedVerifier::TFeedVerifier(const EcPublicPoint& key) {
    BCRYPT_ALG_HANDLE algorithm = EcdsaP256Provider();
    if (!algorithm) return;
    unsigned char blob[sizeof(BCRYPT_ECCKEY_BLOB) + sizeof key];
    const BCRYPT_ECCKEY_BLOB header{BCRYPT_ECDSA_PUBLIC_P256_MAGIC, ULONG(key.size() / 2)};
    std::memcpy(blob, &header, sizeof header);
    std::memcpy(blob + sizeof header, key.data(), key.size());
    BCRYPT_KEY_HANDLE handle = nullptr;
    if (BCRYPT_SUCCESS(BCryptImportKeyPair(algorithm, nullptr, BCRYPT_ECCPUBLIC_BLOB, &handle, blob, sizeof blob, 0)))
        key_.Reset(handle);
}

bool TFeedVerifier::Verify(std::string_view signedBytes, const EcdsaSignature& signature) const {
    if (!key_) return false;
    Sha256Digest digest = Sha256Of(signedBytes);
    EcdsaSignature copy = signature;  // the call takes non-const buffers
    return BCRYPT_SUCCESS(BCryptVerifySignature(key_.Get(), nullptr, digest.data(), ULONG(digest.size()), copy.data(),
                                                ULONG(copy.size()), 0));
}

std::optional<TManifest> TFeedVerifier::VerifiedManifest(std::string_view text, ManifestTime now) const {
    TManifest manifest;
    try {
        manifest = ReadManifest(text);
    } catch (const EManifestError&) {
        return std::nullopt;
    }
    if (!Verify(text.substr(0, manifest.SignedLength), manifest.Signature) || Expired(manifest, now))
        return std::nullopt;
    return manifest;
}

}  // namespace tolvar
