#pragma once
// Owners of CNG handles, released on every way out.
#include <windows.h>
#include <bcrypt.h>

#include "base/UniqueHandle.h"

namespace tolvar {

struct BcryptKeyTraits {
    using Handle = BCRYPT_KEY_HANDLE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle key) noexcept { BCryptDestroyKey(key); }
};
struct BcryptHashTraits {
    using Handle = BCRYPT_HASH_HANDLE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle hash) noexcept { BCryptDestroyHash(hash); }
};
using UniqueBcryptKey = UniqueHandle<BcryptKeyTraits>;
using UniqueBcryptHash = UniqueHandle<BcryptHashTraits>;

// The process's providers, each opened on first use and kept for the process's life (opening
// one is the costly step); null when the system has none.
BCRYPT_ALG_HANDLE Sha256Provider();
BCRYPT_ALG_HANDLE EcdsaP256Provider();

}  // namespace tolvar
