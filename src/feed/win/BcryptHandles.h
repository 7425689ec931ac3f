#pragma once
// Owners of CNG handles, released on every way out. (The shared handle template of app/ lies
// above this layer; these two are folded into it once it moves down.)
#include <windows.h>
#include <bcrypt.h>

#include <memory>
#include <type_traits>

namespace tolvar {

struct BcryptKeyCloser {
    void operator()(BCRYPT_KEY_HANDLE key) const { BCryptDestroyKey(key); }
};
struct BcryptHashCloser {
    void operator()(BCRYPT_HASH_HANDLE hash) const { BCryptDestroyHash(hash); }
};
using UniqueBcryptKey = std::unique_ptr<std::remove_pointer_t<BCRYPT_KEY_HANDLE>, BcryptKeyCloser>;
using UniqueBcryptHash = std::unique_ptr<std::remove_pointer_t<BCRYPT_HASH_HANDLE>, BcryptHashCloser>;

// The process's providers, each opened on first use and kept for the process's life (opening
// one is the costly step); null when the system has none.
BCRYPT_ALG_HANDLE Sha256Provider();
BCRYPT_ALG_HANDLE EcdsaP256Provider();

}  // namespace tolvar
