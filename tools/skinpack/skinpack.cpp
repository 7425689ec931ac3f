// skinpack [--framed] SKIN_DIR OUT
//
// Builds the skin package from SKIN_DIR/skin.ini (or from the description file given instead
// of a directory) and the pictures it names, and writes the raw zlib stream the stored skin
// keeps as its "CompressedData", or with --framed the compressed skin file (version, size,
// stream). The same directory always gives the same bytes.
#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "base/Exceptions.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/Streams.h"

namespace {

int Usage() {
    std::fprintf(stderr, "usage: skinpack [--framed] SKIN_DIR OUT\n");
    return 2;
}

bool IsDirectory(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

int main(int argc, char** argv) {
    bool framed = false;
    std::string in, out;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--framed") == 0) framed = true;
        else if (in.empty()) in = argv[i];
        else if (out.empty()) out = argv[i];
        else return Usage();
    }
    if (in.empty() || out.empty()) return Usage();
    const std::string description = IsDirectory(in) ? in + "/skin.ini" : in;

    try {
        tolvar::TskCompressedStoredSkin skin;
        skin.BuildFromDescription(description);
        if (skin.CompressedStream.Empty()) {
            std::fprintf(stderr,
                         "skinpack: %s lacks one of [VERSION], [PICTURES], [FORMINFO], [SKINOBJECTS], "
                         "[SKINCONTROLS]\n",
                         description.c_str());
            return 1;
        }
        tolvar::TFileStream file(out, tolvar::TFileStream::fmCreate);
        if (framed) skin.SaveToCompressedStream(file);
        else file.WriteBuffer(skin.CompressedStream.Bytes().data(), skin.CompressedStream.Bytes().size());
    } catch (const tolvar::Exception& e) {
        std::fprintf(stderr, "skinpack: %s\n", e.what());
        return 1;
    }
    return 0;
}
