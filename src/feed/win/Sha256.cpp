#include "Sha256.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace tolvar {

TSha256::TSha256() {
    BCRYPT_HASH_HANDLE hash = nullptr;
    BCRYPT_ALG_HANDLE algorithm = Sha256Provider();
    // Since Windows 7 the system keeps the hash object's memory when none is given.
    if (!algorithm || !BCRYPT_SUCCESS(BCryptCreateHash(algorithm, &hash, nullptr, 0, nullptr, 0, 0)))
        throw Exception("the system offers no SHA-256");
    hash_.Reset(hash);
}

void TSha256::Update(const void* data, size_t size) {
    auto* bytes = static_cast<PUCHAR>(const_cast<void*>(data));
    while (size > 0) {
        const ULONG piece = ULONG(std::min<size_t>(size, std::numeric_limits<ULONG>::max()));
        if (!BCRYPT_SUCCESS(BCryptHashData(hash_.Get(), bytes, piece, 0))) throw Exception("SHA-256 failed");
        bytes += piece;
        size -= piece;
    }
}

Sha256Digest TSha256::Final() {
    Sha256Digest digest;
    if (!BCRYPT_SUCCESS(BCryptFinishHash(hash_.Get(), digest.data(), ULONG(digest.size()), 0)))
        throw Exception("SHA-256 failed");
    hash_.Reset();
    return digest;
}

Sha256Digest Sha256Of(std::string_view data) {
    TSha256 hash;
    hash.Update(data);
    return hash.Final();
}

std::optional<Sha256Digest> Sha256OfFile(HANDLE file) {
    try {
        TSha256 hash;
        std::vector<char> buffer(1024 * 1024);
        for (;;) {
            DWORD read = 0;
            if (!ReadFile(file, buffer.data(), DWORD(buffer.size()), &read, nullptr)) return std::nullopt;
            if (read == 0) return hash.Final();
            hash.Update(buffer.data(), read);
        }
    } catch (const Exception&) {
        return std::nullopt;
    }
}

}  // namespace tolvar
