#include "SkinPackage.h"

#include "skin/data/BmpCodec.h"
#include "skin/data/ByteReader.h"

namespace tolvar {

namespace {

Bitmap ReadFlaggedPicture(ByteReader& r) {
    if (r.U8() != 0) return Bitmap();
    return ReadBmpEntry(r);
}

void WriteFlaggedPicture(const Bitmap& picture, std::string& out) {
    if (picture.Empty()) {
        out.push_back('\1');
        return;
    }
    out.push_back('\0');
    WriteBmpEntry(picture, out);
}

void PutInt32(std::string& out, int32_t value) {
    const uint32_t v = uint32_t(value);
    for (int i = 0; i < 4; ++i) out.push_back(char((v >> (8 * i)) & 0xFF));
}

}  // namespace

bool ReadSkinPackage(std::string_view bytes, SkinPackage& out) {
    ByteReader r(bytes);
    out = SkinPackage();
    out.version = r.I32();
    if (out.version > SkinPackage::kVersion) return false;
    out.mainPicture = ReadFlaggedPicture(r);
    out.inactivePicture = ReadFlaggedPicture(r);
    out.maskPicture = ReadFlaggedPicture(r);
    if (out.version == 2) {
        ReadFlaggedPicture(r);
        ReadFlaggedPicture(r);
    }
    const int32_t count = r.I32();
    for (int32_t i = 0; i < count; ++i) out.activePictures.push_back(ReadBmpEntry(r));
    out.description = std::string(r.Rest());
    return true;
}

std::string WriteSkinPackage(const SkinPackage& package) {
    std::string out;
    PutInt32(out, SkinPackage::kVersion);
    WriteFlaggedPicture(package.mainPicture, out);
    WriteFlaggedPicture(package.inactivePicture, out);
    WriteFlaggedPicture(package.maskPicture, out);
    PutInt32(out, int32_t(package.activePictures.size()));
    for (const Bitmap& picture : package.activePictures) WriteBmpEntry(picture, out);
    out += package.description;
    return out;
}

}  // namespace tolvar
