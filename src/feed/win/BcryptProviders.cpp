#include "BcryptHandles.h"

namespace tolvar {

namespace {
BCRYPT_ALG_HANDLE Open(const wchar_t* algorithm) {
    BCRYPT_ALG_HANDLE handle = nullptr;
    return BCRYPT_SUCCESS(BCryptOpenAlgorithmProvider(&handle, algorithm, nullptr, 0)) ? handle : nullptr;
}
}  // namespace

BCRYPT_ALG_HANDLE Sha256Provider() {
    static const BCRYPT_ALG_HANDLE provider = Open(BCRYPT_SHA256_ALGORITHM);
    return provider;
}

BCRYPT_ALG_HANDLE EcdsaP256Provider() {
    static const BCRYPT_ALG_HANDLE provider = Open(BCRYPT_ECDSA_P256_ALGORITHM);
    return provider;
}

}  // namespace tolvar
