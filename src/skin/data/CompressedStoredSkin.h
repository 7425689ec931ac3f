#pragma once
#include <string>
#include <string_view>

#include "base/Component.h"
#include "skin/data/Streams.h"

namespace tolvar {

// Holds one skin package as zlib produced it (RFC 1950), the way the window's stored
// description carries it in its "CompressedData" property. An empty buffer means no skin.
class TskCompressedStoredSkin : public TComponent {
public:
    explicit TskCompressedStoredSkin(TComponent* owner = nullptr) : TComponent(owner) {}
    std::string_view ClassName() const override { return "TskCompressedStoredSkin"; }

    // Authoring mode (designing, and not while restored) builds or reads the package and keeps
    // the file-name part; otherwise only the path is stored.
    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& path);
    const std::string& CompressedFileName() const { return compressedFileName_; }
    void SetCompressedFileName(const std::string& path);
    std::string Description;

    TMemoryStream CompressedStream;

    // The "CompressedData" property: reading replaces the buffer with exactly these bytes;
    // writing gives them back (also when empty).
    void ReadCompressedData(std::string_view bytes);
    std::string WriteCompressedData() const { return CompressedStream.Bytes(); }

    // Builds the package from a description file and the pictures it names (relative to its
    // directory) and deflates it into CompressedStream. A description that lacks one of
    // [VERSION], [PICTURES], [FORMINFO], [SKINOBJECTS], [SKINCONTROLS] changes nothing; a
    // picture that cannot be read fails the build and leaves the buffer empty.
    void BuildFromDescription(const std::string& path);

    // The framed form: version 3, the byte count S, then the zlib stream. A version above 3
    // leaves the buffer empty; so does S = 0.
    void LoadFromCompressedFile(const std::string& path);
    void LoadFromCompressedStream(TStream& stream);
    void SaveToCompressedStream(TStream& stream) const;

private:
    std::string fileName_;
    std::string compressedFileName_;
};

// The file-name part of a path (after the last "/" or "\"), and the directory part with its
// separator.
std::string ExtractFileName(const std::string& path);
std::string ExtractFilePath(const std::string& path);

}  // namespace tolvar
