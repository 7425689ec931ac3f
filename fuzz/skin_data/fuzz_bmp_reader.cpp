#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/Exceptions.h"
#include "skin/data/BmpCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    try {
        tolvar::ByteReader r(bytes);
        const tolvar::Bitmap b = tolvar::ReadBmpEntry(r);
        if (r.Position() > size) __builtin_trap();
        // What was read writes and reads back to the same picture.
        std::string again;
        tolvar::WriteBmpEntry(b, again);
        tolvar::ByteReader r2(again);
        if (!(tolvar::ReadBmpEntry(r2) == b) || r2.Left() != 0) __builtin_trap();
    } catch (const tolvar::Exception&) {
    }
    try {
        tolvar::ReadBmpFile(bytes);
    } catch (const tolvar::Exception&) {
    }
    return 0;
}
