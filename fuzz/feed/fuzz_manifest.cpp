#include <cstddef>
#include <cstdint>
#include <string_view>

#include "feed/Manifest.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    try {
        const tolvar::TManifest m = tolvar::ReadManifest(bytes);
        // A manifest has one spelling: what was read writes back to the very bytes.
        const std::string body = tolvar::ManifestBody(m.Expires, m.Entries);
        if (body.size() != m.SignedLength || tolvar::SignedManifest(body, m.Signature) != bytes) __builtin_trap();
    } catch (const tolvar::EManifestError&) {
    }
    return 0;
}
