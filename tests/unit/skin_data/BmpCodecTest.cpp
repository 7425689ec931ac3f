#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "TestFiles.h"
#include "base/Exceptions.h"
#include "skin/data/BmpCodec.h"
#include "skin/data/Streams.h"

using namespace tolvar;

namespace {

void Put16(std::string& s, uint16_t v) { s.append({char(v), char(v >> 8)}); }
void Put32(std::string& s, uint32_t v) { s.append({char(v), char(v >> 8), char(v >> 16), char(v >> 24)}); }

// A BMP entry built field by field: Windows (40-byte) or short (12-byte) header.
struct BmpSpec {
    int32_t width = 2, height = 2;
    uint16_t planes = 1, bpp = 24;
    uint32_t compression = 0, sizeImage = 0, clrUsed = 0;
    bool os2 = false;
    std::string masks, table, pixels;

    std::string Bytes() const {
        std::string s = "BM";
        Put32(s, 0), Put32(s, 0), Put32(s, 0);  // size, reserved, offset: not used by the reader
        if (os2) {
            Put32(s, 12), Put16(s, uint16_t(width)), Put16(s, uint16_t(height));
        } else {
            Put32(s, 40), Put32(s, uint32_t(width)), Put32(s, uint32_t(height));
        }
        Put16(s, planes), Put16(s, bpp);
        if (!os2) {
            Put32(s, compression), Put32(s, sizeImage), Put32(s, 0), Put32(s, 0), Put32(s, clrUsed), Put32(s, 0);
        }
        return s + masks + table + pixels;
    }
};

Bitmap Read(const std::string& bytes, size_t* end = nullptr) {
    ByteReader r(bytes);
    Bitmap b = ReadBmpEntry(r);
    if (end) *end = r.Position();
    return b;
}

std::string RgbOf(const Bitmap& b) {
    std::string rgb;
    for (int32_t y = 0; y < b.Height(); ++y)
        for (int32_t x = 0; x < b.Width(); ++x) {
            const Pixel p = b.At(x, y);
            rgb.append({char(PixelR(p)), char(PixelG(p)), char(PixelB(p))});
        }
    return rgb;
}

template <class E>
void ExpectMessage(const std::string& bytes, const char* message) {
    try {
        Read(bytes);
        ADD_FAILURE() << "no error, expected " << message;
    } catch (const E& e) {
        EXPECT_EQ(e.Message(), message);
    }
}

struct Reference {
    std::string name;
    int width = 0, height = 0;
    uint32_t crc = 0;
};

std::vector<Reference> References(const std::string& prefix) {
    std::ifstream in(test::TestData() + "/references.txt");
    std::vector<Reference> out;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        Reference r;
        std::string crc;
        fields >> r.name >> r.width >> r.height >> crc;
        r.crc = uint32_t(std::stoul(crc, nullptr, 16));
        if (r.name.rfind(prefix, 0) == 0) out.push_back(r);
    }
    return out;
}

uint32_t Crc(const std::string& bytes) {
    return uint32_t(crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), uInt(bytes.size())));
}

}  // namespace

TEST(BmpCodec, WriterRoundTripsAndEntriesEndAtTheirPixels) {
    Bitmap colour(5, 3);  // odd width: every row is padded
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 5; ++x) colour.At(x, y) = MakePixel(uint8_t(40 * x), uint8_t(90 * y), uint8_t(x ^ y));
    Bitmap mask(10, 2, MakePixel(255, 255, 255));
    mask.At(3, 0) = mask.At(9, 1) = 0;

    std::string bytes;
    WriteBmpEntry(mask, bytes);
    const size_t maskSize = bytes.size();
    WriteBmpEntry(colour, bytes);
    bytes += "tail";
    // A two-colour picture goes out at one bit with a two-entry table; others at 24 bits.
    EXPECT_EQ(uint8_t(bytes[10]), 62);
    EXPECT_EQ(uint8_t(bytes[28]), 1);
    EXPECT_EQ(maskSize, 62u + 2 * 4);
    EXPECT_EQ(uint8_t(bytes[maskSize + 10]), 54);
    EXPECT_EQ(uint8_t(bytes[maskSize + 28]), 24);

    // Read back one after the other from their headers alone.
    ByteReader r(bytes);
    EXPECT_EQ(ReadBmpEntry(r), mask);
    EXPECT_EQ(r.Position(), maskSize);
    EXPECT_EQ(ReadBmpEntry(r), colour);
    EXPECT_EQ(r.Rest(), "tail");
}

TEST(BmpCodec, DecodesDepthsTablesMasksAndRowOrder) {
    // 1 bit with a table that maps 0 to white and 1 to black: the table decides.
    BmpSpec mono;
    mono.bpp = 1, mono.width = 3, mono.height = 1;
    mono.table = std::string("\xff\xff\xff\0\0\0\0\0", 8);
    mono.pixels = std::string("\xa0\0\0\0", 4);  // 1 0 1
    const Bitmap m = Read(mono.Bytes());
    EXPECT_EQ(m.At(0, 0), 0u);
    EXPECT_EQ(m.At(1, 0), MakePixel(255, 255, 255));
    EXPECT_EQ(m.At(2, 0), 0u);

    // 4 bits through a short (OS/2) header with 3-byte table entries, bottom-up rows.
    BmpSpec os2;
    os2.os2 = true, os2.bpp = 4, os2.width = 2, os2.height = 2;
    os2.table = std::string(16 * 3, '\0');
    os2.table.replace(3, 3, "\x10\x20\x30");  // entry 1: blue 0x10, green 0x20, red 0x30
    os2.pixels = std::string("\x10\0\0\0\x01\0\0\0", 8);
    const Bitmap o = Read(os2.Bytes());
    EXPECT_EQ(o.At(0, 1), MakePixel(0x30, 0x20, 0x10));  // first row in the file is the bottom one
    EXPECT_EQ(o.At(1, 0), MakePixel(0x30, 0x20, 0x10));
    EXPECT_EQ(o.At(0, 0), 0u);

    // 16 bits: 5-5-5 by default, or the masks of compression 3; 32 bits with masks; top-down.
    BmpSpec rgb555;
    rgb555.bpp = 16, rgb555.width = 1, rgb555.height = 1;
    rgb555.pixels = std::string("\x1f\x7c\0\0", 4);  // red and blue full, green 0
    EXPECT_EQ(Read(rgb555.Bytes()).At(0, 0), MakePixel(255, 0, 255));
    BmpSpec rgb565 = rgb555;
    rgb565.compression = 3;
    rgb565.masks.clear(), Put32(rgb565.masks, 0xF800), Put32(rgb565.masks, 0x07E0), Put32(rgb565.masks, 0x001F);
    rgb565.pixels = std::string("\xe0\x07\0\0", 4);  // green full
    EXPECT_EQ(Read(rgb565.Bytes()).At(0, 0), MakePixel(0, 255, 0));
    BmpSpec bf32;
    bf32.bpp = 32, bf32.compression = 3, bf32.width = 1, bf32.height = -2;
    Put32(bf32.masks, 0x000000FF), Put32(bf32.masks, 0x0000FF00), Put32(bf32.masks, 0x00FF0000);
    bf32.pixels = std::string("\x11\x22\x33\0\x44\x55\x66\0", 8);
    const Bitmap t = Read(bf32.Bytes());
    EXPECT_EQ(t.At(0, 0), MakePixel(0x11, 0x22, 0x33));  // top-down: the first row is the top one
    EXPECT_EQ(t.At(0, 1), MakePixel(0x44, 0x55, 0x66));

    // An image-size field larger than the rows: the entry ends where that field says.
    BmpSpec padded;
    padded.width = 1, padded.height = 1, padded.sizeImage = 10;
    padded.pixels = std::string("\1\2\3\0", 4) + std::string(6, '\x7f') + "next";
    size_t end = 0;
    EXPECT_EQ(Read(padded.Bytes(), &end).At(0, 0), MakePixel(3, 2, 1));
    EXPECT_EQ(padded.Bytes().substr(end), "next");
}

TEST(BmpCodec, RefusesBadEntriesCleanly) {
    BmpSpec good;
    good.pixels = std::string(16, '\0');
    std::string notBm = good.Bytes();
    notBm[0] = 'X';
    ExpectMessage<EInvalidGraphic>(notBm, "Bitmap image is not valid");
    BmpSpec planes = good;
    planes.planes = 2;
    ExpectMessage<EInvalidGraphic>(planes.Bytes(), "Bitmap image is not valid");
    BmpSpec rle = good;
    rle.bpp = 8, rle.compression = 1, rle.sizeImage = 4, rle.pixels = std::string(4 + 1024, '\0');
    ExpectMessage<EInvalidGraphic>(rle.Bytes(), "Bitmap image is not valid");
    BmpSpec index = good;  // a pixel naming a colour the table does not have
    index.bpp = 8, index.clrUsed = 1, index.width = 1, index.height = 1;
    index.table = std::string(4, '\0'), index.pixels = std::string("\5\0\0\0", 4);
    ExpectMessage<EInvalidGraphic>(index.Bytes(), "Bitmap image is not valid");

    // The bytes end inside the picture.
    const std::string whole = good.Bytes();
    for (size_t cut : {size_t(1), size_t(13), size_t(20), whole.size() - 1})
        ExpectMessage<EReadError>(whole.substr(0, cut), "Stream read error");
    // Headers claiming gigabytes of pixels or colours fail before anything of that size is made.
    BmpSpec huge;
    huge.width = 100000, huge.height = 100000, huge.pixels = std::string(64, '\0');
    ExpectMessage<EReadError>(huge.Bytes(), "Stream read error");
    BmpSpec claimed = huge;
    claimed.sizeImage = 64;  // an image size that agrees with the bytes, not with the picture
    EXPECT_THROW(Read(claimed.Bytes()), Exception);
    BmpSpec colours = good;
    colours.bpp = 8, colours.clrUsed = 0x40000000;
    ExpectMessage<EReadError>(colours.Bytes(), "Stream read error");
    std::string header = good.Bytes();
    header.replace(14, 4, std::string("\xff\xff\xff\x7f", 4));  // no header is that long
    ExpectMessage<EInvalidGraphic>(header, "Bitmap image is not valid");
    header.replace(14, 4, std::string("\x7c\0\0\0", 4));  // a version 5 header, cut short
    ExpectMessage<EReadError>(header, "Stream read error");
}

// Files written by ImageMagick at every depth and header kind, decoded as ImageMagick decodes them.
TEST(BmpCodec, ReadsWhatImageMagickWrites) {
    const std::vector<Reference> refs = References("imagemagick/");
    ASSERT_GE(refs.size(), 14u);
    for (const Reference& ref : refs) {
        SCOPED_TRACE(ref.name);
        const Bitmap b = LoadBmpFromFile(test::TestData() + "/" + ref.name);
        EXPECT_EQ(b.Width(), ref.width);
        EXPECT_EQ(b.Height(), ref.height);
        EXPECT_EQ(Crc(RgbOf(b)), ref.crc);
    }
}

// The BMP suite: good files read as ImageMagick reads them (or refused when compressed),
// bad files refused with an error, questionable ones either way; never a crash.
TEST(BmpCodec, BmpSuite) {
    const std::string suite = test::BmpSuite();
    if (suite.empty()) GTEST_SKIP() << "no BMP suite beside the project";
    int read = 0;
    for (const Reference& ref : References("bmpsuite/g/")) {
        SCOPED_TRACE(ref.name);
        const std::string bytes = ReadFileBytes(suite + "/" + ref.name.substr(std::strlen("bmpsuite/")));
        try {
            const Bitmap b = ReadBmpFile(bytes);
            EXPECT_EQ(b.Width(), ref.width);
            EXPECT_EQ(b.Height(), ref.height);
            EXPECT_EQ(Crc(RgbOf(b)), ref.crc);
            ++read;
        } catch (const EInvalidGraphic& e) {
            EXPECT_NE(ref.name.find("rle"), std::string::npos) << "refused: " << e.Message();
        }
    }
    EXPECT_GE(read, 24);

    int files = 0;
    for (const char* dir : {"b", "q"}) {
        for (const auto& entry : std::filesystem::directory_iterator(suite + "/" + dir)) {
            const std::string name = entry.path().filename().string();
            SCOPED_TRACE(std::string(dir) + "/" + name);
            bool refused = false;
            try {
                ReadBmpFile(ReadFileBytes(entry.path().string()));
            } catch (const Exception&) {
                refused = true;
            }
            ++files;
            // Readable on purpose: fields the reader has no use for (file size, resolution), an
            // image size beyond the end (the entry ends with the bytes), masks that leave blue out.
            const bool harmless = name == "badfilesize.bmp" || name.rfind("baddens", 0) == 0 ||
                                  name == "badbitssize.bmp" || name == "rgb16-880.bmp";
            if (std::string(dir) == "b" && !harmless) {
                EXPECT_TRUE(refused);
            }
        }
    }
    EXPECT_GE(files, 50);
}
