#include "CompressedStoredSkin.h"

#include "base/Text.h"
#include "skin/data/BmpCodec.h"
#include "skin/data/SkinDescription.h"
#include "skin/data/SkinPackage.h"
#include "skin/data/SkinValues.h"
#include "skin/data/ZlibStreams.h"

namespace tolvar {

namespace {

bool AuthoringMode(const TComponent& c) { return c.Designing() && !c.Loading(); }

Bitmap LoadNamedPicture(const std::string& dir, const std::string& name) {
    if (name.empty()) return Bitmap();
    return LoadBmpFromFile(dir + name);
}

}  // namespace

std::string ExtractFileName(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ExtractFilePath(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

void TskCompressedStoredSkin::SetFileName(const std::string& path) {
    if (AuthoringMode(*this)) {
        BuildFromDescription(path);
        fileName_ = ExtractFileName(path);
    } else {
        fileName_ = path;
    }
}

void TskCompressedStoredSkin::SetCompressedFileName(const std::string& path) {
    if (AuthoringMode(*this)) {
        LoadFromCompressedFile(path);
        compressedFileName_ = ExtractFileName(path);
    } else {
        compressedFileName_ = path;
    }
}

void TskCompressedStoredSkin::ReadCompressedData(std::string_view bytes) {
    CompressedStream.Assign(std::string(bytes));
}

void TskCompressedStoredSkin::BuildFromDescription(const std::string& path) {
    const TextLines lines = TextToLines(ReadFileBytes(path));
    const SkinDescription d(lines);
    for (const char* section : {"VERSION", "PICTURES", "FORMINFO", "SKINOBJECTS", "SKINCONTROLS"})
        if (!d.SectionExists(section)) return;

    CompressedStream.Clear();
    const std::string dir = ExtractFilePath(path);
    SkinPackage package;
    package.mainPicture = LoadNamedPicture(dir, d.ReadString("PICTURES", "picture", ""));
    package.inactivePicture = LoadNamedPicture(dir, d.ReadString("PICTURES", "inactivepicture", ""));
    package.maskPicture = LoadNamedPicture(dir, d.ReadString("PICTURES", "mask", ""));
    TextLines active;
    ReadStringList(d, "PICTURES", "activepictures", active);
    for (const std::string& name : active) package.activePictures.push_back(LoadBmpFromFile(dir + name));
    package.description = LinesToText(lines);

    const std::string bytes = WriteSkinPackage(package);
    TBytesStream source(bytes);
    CompressStream(source, CompressedStream);
}

void TskCompressedStoredSkin::LoadFromCompressedFile(const std::string& path) {
    CompressedStream.Clear();
    TFileStream file(path, TFileStream::fmOpenRead);
    LoadFromCompressedStream(file);
}

void TskCompressedStoredSkin::LoadFromCompressedStream(TStream& stream) {
    CompressedStream.Clear();
    stream.SetPosition(0);
    if (stream.ReadInt32() > 3) return;
    const int32_t size = stream.ReadInt32();
    if (size <= 0) return;
    // Check the count against what is there before taking it, so that a short file leaves the
    // buffer empty rather than half filled.
    if (int64_t(size) > stream.Size() - stream.Position()) throw EReadError();
    CompressedStream.CopyFrom(stream, size);
    CompressedStream.SetPosition(0);
}

void TskCompressedStoredSkin::SaveToCompressedStream(TStream& stream) const {
    stream.WriteInt32(3);
    stream.WriteInt32(int32_t(CompressedStream.Bytes().size()));
    stream.WriteBuffer(CompressedStream.Bytes().data(), CompressedStream.Bytes().size());
}

}  // namespace tolvar
