#pragma once
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "feed/Manifest.h"

typedef struct evp_pkey_st EVP_PKEY;

namespace tolvar {

// The vendor's private P-256 key, read from a PEM file as OpenSSL writes it (traditional
// "EC PRIVATE KEY" or PKCS#8 "PRIVATE KEY"). Any other key, an encrypted one (nothing here
// asks for a pass phrase) or a damaged file raises an Exception saying which.
class TSigningKey {
public:
    static TSigningKey Load(const std::filesystem::path& pemFile);

    // ECDSA over the SHA-256 of the bytes, as r and s.
    EcdsaSignature Sign(std::string_view bytes) const;

private:
    struct Free {
        void operator()(EVP_PKEY* key) const;
    };
    explicit TSigningKey(EVP_PKEY* key) : key_(key) {}
    std::unique_ptr<EVP_PKEY, Free> key_;
};

// The whole manifest of `entries`, holding until `expires`, signed with the key: what a tool
// that publishes files for the client writes. Raises EManifestError for entries or a time the
// client's reader would refuse.
std::string SignManifest(const TSigningKey& key, ManifestTime expires, const std::vector<TManifestEntry>& entries);

// The vendor's public P-256 key, for checking what a server serves as the client checks it. The
// PEM text is read by the client's own reader first, so that a key a company build could not
// carry is refused here too.
class TVerifyingKey {
public:
    static TVerifyingKey Load(const std::filesystem::path& pemFile);

    // Whether the signature (r and s) is the key's over the SHA-256 of the bytes.
    bool Verifies(std::string_view bytes, const EcdsaSignature& signature) const;

private:
    struct Free {
        void operator()(EVP_PKEY* key) const;
    };
    explicit TVerifyingKey(EVP_PKEY* key) : key_(key) {}
    std::unique_ptr<EVP_PKEY, Free> key_;
};

// Makes a new key pair: the private key as PKCS#8 PEM, readable by its owner alone, and the
// public key as a SubjectPublicKeyInfo PEM. Neither file may exist yet: a key is never
// overwritten.
void MakeKeyPair(const std::filesystem::path& privateFile, const std::filesystem::path& publicFile);

Sha256Digest Sha256OfFile(const std::filesystem::path& file);
Sha256Digest Sha256OfBytes(std::string_view bytes);

}  // namespace tolvar
