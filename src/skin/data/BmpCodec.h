#pragma once
#include <string>
#include <string_view>

#include "base/Bitmap.h"
#include "skin/data/ByteReader.h"

namespace tolvar {

// The largest picture the reader makes, in pixels; skin pictures are far smaller. Together with
// the check that the claimed pixel array is really there, a header cannot make the reader
// allocate more than the bytes it was given justify.
constexpr int64_t kMaxBmpPixels = int64_t(1) << 25;
constexpr int32_t kMaxBmpSide = 1 << 16;

// Reads one BMP entry at the reader's position and leaves the reader just after it. The entry
// is delimited by its headers alone (its file-size and pixel-offset fields are not used), as
// entries lie back to back in a skin package. Uncompressed 1, 4, 8, 16, 24 and 32 bits per
// pixel, the short (OS/2) and the Windows headers, colour masks, top-down rows.
// "Bitmap image is not valid" for what is not such a picture, "Stream read error" when the
// bytes end inside it.
Bitmap ReadBmpEntry(ByteReader& reader);

// A whole BMP file: as an entry, except that the pixel array starts at the file's pixel offset
// when that lies after the colour table.
Bitmap ReadBmpFile(std::string_view bytes);
Bitmap LoadBmpFromFile(const std::string& path);

// Appends the picture as a BMP entry: 1 bit per pixel with a two-colour table when it has at
// most two colours, else 24 bits; rows bottom-up, no compression; the file-size and
// pixel-offset fields agree with the layout.
void WriteBmpEntry(const Bitmap& picture, std::string& out);

}  // namespace tolvar
