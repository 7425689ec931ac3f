#include <cstddef>
#include <cstdint>
#include <string_view>

#include "feed/FeedKey.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        tolvar::ReadFeedPublicKey(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const tolvar::EFeedKeyError&) {
    }
    return 0;
}
