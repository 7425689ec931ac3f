#include "BmpCodec.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

#include "base/Exceptions.h"
#include "skin/data/Streams.h"

namespace tolvar {

namespace {

constexpr uint32_t kRgb = 0;
constexpr uint32_t kBitFields = 3;

struct BmpHeader {
    uint32_t headerSize = 0;
    int32_t width = 0;
    int32_t height = 0;
    uint16_t planes = 0;
    uint16_t bitCount = 0;
    uint32_t compression = 0;
    uint32_t sizeImage = 0;
    uint32_t clrUsed = 0;
    uint32_t masks[3] = {0, 0, 0};
    bool hasMasks = false;
};

uint32_t Le32(std::string_view b, size_t at) {
    return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8 | uint32_t(uint8_t(b[at + 2])) << 16 |
           uint32_t(uint8_t(b[at + 3])) << 24;
}
uint16_t Le16(std::string_view b, size_t at) { return uint16_t(uint8_t(b[at]) | uint8_t(b[at + 1]) << 8); }

BmpHeader ReadInfoHeader(ByteReader& r) {
    BmpHeader h;
    h.headerSize = r.U32();
    if (h.headerSize == 12) {
        h.width = int16_t(r.U16());
        h.height = int16_t(r.U16());
        h.planes = r.U16();
        h.bitCount = r.U16();
        return h;
    }
    // The sizes the Windows and OS/2 2.x headers come in; anything else is not a BMP header.
    if (!(h.headerSize >= 16 && h.headerSize <= 64) && h.headerSize != 108 && h.headerSize != 124)
        throw EInvalidGraphic();
    // The Windows header family: whatever part of the 40-byte layout (and of the masks of the
    // later versions) the stated size covers; fields it does not cover read as 0.
    const std::string_view rest = r.Take(h.headerSize - 4);
    char fields[52] = {};
    std::memcpy(fields, rest.data(), std::min<size_t>(rest.size(), sizeof fields));
    const std::string_view f(fields, sizeof fields);
    h.width = int32_t(Le32(f, 0));
    h.height = int32_t(Le32(f, 4));
    h.planes = Le16(f, 8);
    h.bitCount = Le16(f, 10);
    h.compression = Le32(f, 12);
    h.sizeImage = Le32(f, 16);
    h.clrUsed = Le32(f, 28);
    if (h.headerSize >= 52) {
        for (int i = 0; i < 3; ++i) h.masks[i] = Le32(f, 36 + 4 * size_t(i));
        h.hasMasks = true;
    }
    return h;
}

// One colour channel under a mask, scaled to 8 bits by repeating its bits, as an 8-bit
// display would show a 5- or 6-bit channel.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    int bits = 0;

    explicit Channel(uint32_t m) : mask(m) {
        if (m == 0) return;
        shift = std::countr_zero(m);
        bits = std::bit_width(m >> shift);
    }
    uint8_t Of(uint32_t value) const {
        if (bits == 0) return 0;
        uint32_t v = (value & mask) >> shift;
        if (bits >= 8) return uint8_t(v >> (bits - 8));
        uint32_t out = 0;
        for (int have = 0; have < 8; have += bits) out = (out << bits) | v;
        const int total = ((8 + bits - 1) / bits) * bits;
        return uint8_t(out >> (total - 8));
    }
};

// One row of pixels. The pointers never overlap, which lets the compiler widen the plain
// 24- and 32-bit loops: they carry nearly all of a skin's pixels.
void DecodeRow(int bpp, const uint8_t* __restrict src, Pixel* __restrict dst, int64_t width,
               const std::vector<Pixel>& palette, const uint32_t masks[3], const Channel& red, const Channel& green,
               const Channel& blue) {
    switch (bpp) {
    case 1:
    case 4:
    case 8: {
        const int perByte = 8 / bpp;
        const unsigned valueMask = (1u << bpp) - 1;
        // A full table needs no check per pixel.
        const bool full = palette.size() > valueMask;
        const int64_t bytes = (width + perByte - 1) / perByte;
        for (int64_t i = 0; i < bytes; ++i) {
            const uint8_t byte = src[i];
            const int64_t first = i * perByte;
            const int n = int(std::min<int64_t>(perByte, width - first));
            for (int k = 0; k < n; ++k) {
                const size_t index = (byte >> (8 - bpp * (k + 1))) & valueMask;
                if (!full && index >= palette.size()) throw EInvalidGraphic();
                dst[first + k] = palette[index];
            }
        }
        break;
    }
    case 16:
        for (int64_t x = 0; x < width; ++x) {
            const uint32_t v = uint32_t(src[2 * x]) | uint32_t(src[2 * x + 1]) << 8;
            dst[x] = MakePixel(red.Of(v), green.Of(v), blue.Of(v));
        }
        break;
    case 24: {
        // Blue, green, red read as a little-endian number are already a pixel: four pixels are
        // three words.
        int64_t x = 0;
        if constexpr (std::endian::native == std::endian::little) {
            for (; x + 4 <= width; x += 4) {
                uint32_t w[3];
                std::memcpy(w, src + 3 * x, sizeof w);
                dst[x] = w[0] & 0xFFFFFF;
                dst[x + 1] = (w[0] >> 24 | w[1] << 8) & 0xFFFFFF;
                dst[x + 2] = (w[1] >> 16 | w[2] << 16) & 0xFFFFFF;
                dst[x + 3] = w[2] >> 8;
            }
        }
        for (; x < width; ++x) dst[x] = Pixel(src[3 * x + 2]) << 16 | Pixel(src[3 * x + 1]) << 8 | Pixel(src[3 * x]);
        break;
    }
    case 32:
        if (masks[0] == 0xFF0000 && masks[1] == 0xFF00 && masks[2] == 0xFF) {
            for (int64_t x = 0; x < width; ++x)
                dst[x] = Pixel(src[4 * x + 2]) << 16 | Pixel(src[4 * x + 1]) << 8 | Pixel(src[4 * x]);
        } else {
            for (int64_t x = 0; x < width; ++x) {
                const uint32_t v = uint32_t(src[4 * x]) | uint32_t(src[4 * x + 1]) << 8 |
                                   uint32_t(src[4 * x + 2]) << 16 | uint32_t(src[4 * x + 3]) << 24;
                dst[x] = MakePixel(red.Of(v), green.Of(v), blue.Of(v));
            }
        }
        break;
    }
}

Bitmap Decode(ByteReader& r, bool honourPixelOffset) {
    const size_t start = r.Position();
    const std::string_view fileHeader = r.Take(14);
    if (fileHeader[0] != 'B' || fileHeader[1] != 'M') throw EInvalidGraphic();
    const uint32_t pixelOffset = Le32(fileHeader, 10);

    BmpHeader h = ReadInfoHeader(r);
    if (h.planes != 1) throw EInvalidGraphic();
    const int bpp = h.bitCount;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) throw EInvalidGraphic();
    if (h.width < 0 || h.height == INT32_MIN) throw EInvalidGraphic();

    if (h.headerSize == 40 && h.compression == kBitFields && (bpp == 16 || bpp == 32)) {
        for (uint32_t& m : h.masks) m = r.U32();
        h.hasMasks = true;
    }

    // Colour table.
    const size_t entrySize = h.headerSize == 12 ? 3 : 4;
    const uint64_t colours = h.clrUsed != 0 ? h.clrUsed : bpp <= 8 ? (uint64_t(1) << bpp) : 0;
    if (colours > r.Left() / entrySize) throw EReadError();
    const std::string_view table = r.Take(size_t(colours) * entrySize);

    if (honourPixelOffset && pixelOffset > r.Position() - start && pixelOffset - (r.Position() - start) <= r.Left())
        r.Skip(pixelOffset - (r.Position() - start));

    // Pixel array: its claimed length is checked against what is there before anything is made.
    const int64_t width = h.width;
    const int64_t height = h.height < 0 ? -int64_t(h.height) : int64_t(h.height);
    const uint64_t stride = ((uint64_t(width) * uint64_t(bpp) + 31) / 32) * 4;
    const uint64_t need = stride * uint64_t(height);
    const uint64_t claimed = h.sizeImage != 0 ? h.sizeImage : need;
    const uint64_t taken = std::min<uint64_t>(claimed, r.Left());
    const std::string_view pixels = r.Take(size_t(taken));

    if (h.compression != kRgb && !(h.compression == kBitFields && (bpp == 16 || bpp == 32) && h.hasMasks))
        throw EInvalidGraphic();  // run-length and other encodings are not skin pictures
    if (taken < need) {
        if (claimed > taken) throw EReadError();  // the bytes end inside the picture
        throw EInvalidGraphic();                  // an image size too small for the picture
    }
    if (width > kMaxBmpSide || height > kMaxBmpSide || width * height > kMaxBmpPixels) throw EInvalidGraphic();

    Bitmap bmp{int32_t(width), int32_t(height)};
    if (bmp.Empty()) return Bitmap();

    std::vector<Pixel> palette{};
    palette.resize(size_t(colours));
    for (size_t i = 0; i < palette.size(); ++i) {
        const char* e = table.data() + i * entrySize;
        palette[i] = MakePixel(uint8_t(e[2]), uint8_t(e[1]), uint8_t(e[0]));
    }

    uint32_t masks[3] = {h.masks[0], h.masks[1], h.masks[2]};
    if (!h.hasMasks || h.compression == kRgb) {
        if (bpp == 16) masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
        else masks[0] = 0xFF0000, masks[1] = 0x00FF00, masks[2] = 0x0000FF;
    }
    const Channel red(masks[0]), green(masks[1]), blue(masks[2]);

    for (int64_t row = 0; row < height; ++row) {
        const uint8_t* src = reinterpret_cast<const uint8_t*>(pixels.data()) + size_t(row) * stride;
        const int32_t y = int32_t(h.height < 0 ? row : height - 1 - row);
        DecodeRow(bpp, src, bmp.Row(y), width, palette, masks, red, green, blue);
    }
    return bmp;
}

void Put16(std::string& out, uint16_t v) {
    out.push_back(char(v & 0xFF));
    out.push_back(char(v >> 8));
}
void Put32(std::string& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(char((v >> (8 * i)) & 0xFF));
}

}  // namespace

Bitmap ReadBmpEntry(ByteReader& reader) { return Decode(reader, false); }

Bitmap ReadBmpFile(std::string_view bytes) {
    ByteReader r(bytes);
    return Decode(r, true);
}

Bitmap LoadBmpFromFile(const std::string& path) { return ReadBmpFile(ReadFileBytes(path)); }

void WriteBmpEntry(const Bitmap& picture, std::string& out) {
    const int32_t w = picture.Width(), h = picture.Height();
    // Two colours or fewer fit one bit per pixel: masks stay small and exact.
    Pixel colours[2] = {0, 0};
    int count = 0;
    for (int32_t y = 0; y < h && count <= 2; ++y)
        for (int32_t x = 0; x < w; ++x) {
            const Pixel p = picture.At(x, y) & 0xFFFFFF;
            if ((count >= 1 && p == colours[0]) || (count == 2 && p == colours[1])) continue;
            if (count == 2) {
                count = 3;
                break;
            }
            colours[count++] = p;
        }
    const bool oneBit = count >= 1 && count <= 2;
    if (count == 2 && colours[1] < colours[0]) std::swap(colours[0], colours[1]);
    if (count == 1) colours[1] = colours[0];

    const int bpp = oneBit ? 1 : 24;
    const uint32_t stride = ((uint32_t(w) * uint32_t(bpp) + 31) / 32) * 4;
    const uint32_t imageSize = stride * uint32_t(h);
    const uint32_t tableSize = oneBit ? 8 : 0;
    const uint32_t offset = 14 + 40 + tableSize;

    out.reserve(out.size() + offset + imageSize);
    out += "BM";
    Put32(out, offset + imageSize);
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, 40);
    Put32(out, uint32_t(w));
    Put32(out, uint32_t(h));
    Put16(out, 1);
    Put16(out, uint16_t(bpp));
    Put32(out, kRgb);
    Put32(out, imageSize);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, oneBit ? 2 : 0);
    Put32(out, 0);
    if (oneBit)
        for (Pixel c : colours) {
            out.push_back(char(PixelB(c)));
            out.push_back(char(PixelG(c)));
            out.push_back(char(PixelR(c)));
            out.push_back(0);
        }
    std::string row(stride, '\0');
    for (int32_t y = h - 1; y >= 0; --y) {
        std::fill(row.begin(), row.end(), '\0');
        const Pixel* src = picture.Row(y);
        if (oneBit) {
            for (int32_t x = 0; x < w; ++x)
                if ((src[x] & 0xFFFFFF) == colours[1] && colours[1] != colours[0])
                    row[size_t(x / 8)] = char(uint8_t(row[size_t(x / 8)]) | (0x80 >> (x % 8)));
        } else {
            for (int32_t x = 0; x < w; ++x) {
                row[3 * size_t(x)] = char(PixelB(src[x]));
                row[3 * size_t(x) + 1] = char(PixelG(src[x]));
                row[3 * size_t(x) + 2] = char(PixelR(src[x]));
            }
        }
        out += row;
    }
}

}  // namespace tolvar
