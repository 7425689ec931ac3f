#!/bin/sh
# Writes the BMP files of imagemagick/ with ImageMagick's convert, at every depth and header
# kind the skin pictures may use, and references.txt: for each of them, and for each good file
# of the BMP suite that ImageMagick reads, its size and the CRC-32 of ImageMagick's own decoding
# (`convert FILE -depth 8 rgb:-`). The unit tests decode the same files and compare; the
# results are committed so that the tests need no ImageMagick (and run under Wine too).
#
#   tests/unit/skin_data/data/make-references.sh [BMPSUITE_DIR]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
suite=${1:-$here/../../../../../shared/testdata/bmpsuite}
out=$here/imagemagick
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# 13 x 7 (an odd width, so rows carry padding) with more than 16 colours, and a two-colour one.
convert -size 13x7 xc: -channel R -fx 'i/w' -channel G -fx 'j/h' -channel B -fx '(i+j)/(w+h)' +channel \
    -depth 8 "$tmp/colours.png"
convert -size 13x7 xc:'#203040' -fill '#e0c010' -draw 'rectangle 2,1 9,4' -depth 8 "$tmp/two.png"

convert "$tmp/two.png"     -compress none -type palette -colors 2      BMP3:"$out/bmp3-1bit.bmp"
convert "$tmp/colours.png" -compress none -type palette -colors 16     BMP3:"$out/bmp3-4bit.bmp"
convert "$tmp/colours.png" -compress none -type palette -colors 200    BMP3:"$out/bmp3-8bit.bmp"
convert "$tmp/colours.png" -type truecolor              BMP3:"$out/bmp3-24bit.bmp"
convert "$tmp/two.png"     -compress none -type palette -colors 2      BMP2:"$out/bmp2-1bit.bmp"
convert "$tmp/colours.png" -compress none -type palette -colors 16     BMP2:"$out/bmp2-4bit.bmp"
convert "$tmp/colours.png" -compress none -type palette -colors 200    BMP2:"$out/bmp2-8bit.bmp"
convert "$tmp/colours.png" -type truecolor              BMP2:"$out/bmp2-24bit.bmp"
convert "$tmp/colours.png" -type truecolor -define bmp:subtype=RGB565 BMP:"$out/bmp-16bit-565.bmp"
convert "$tmp/colours.png" -type truecolor -define bmp:subtype=RGB555 BMP:"$out/bmp-16bit-555.bmp"
convert "$tmp/colours.png" -type truecolor              BMP:"$out/bmp-24bit.bmp"
convert "$tmp/colours.png" -alpha set -type truecolormatte BMP:"$out/bmp-32bit-alpha.bmp"

# ImageMagick writes bottom-up only: the top-down files are its files with the rows turned
# around and the height negated, still decoded by ImageMagick for the reference.
python3 - "$out" <<'PY'
import struct, sys
out = sys.argv[1]
for name in ("bmp3-8bit", "bmp3-24bit"):
    data = bytearray(open(f"{out}/{name}.bmp", "rb").read())
    offset, = struct.unpack_from("<I", data, 10)
    width, height = struct.unpack_from("<ii", data, 18)
    bpp, = struct.unpack_from("<H", data, 28)
    stride = ((width * bpp + 31) // 32) * 4
    rows = [bytes(data[offset + r * stride: offset + (r + 1) * stride]) for r in range(height)]
    data[offset:offset + stride * height] = b"".join(reversed(rows))
    struct.pack_into("<i", data, 22, -height)
    open(f"{out}/{name}-topdown.bmp", "wb").write(data)
PY

reference() {  # FILE NAME
    size=$(identify -format '%w %h' "$1" 2>/dev/null) || return 0
    crc=$(convert "$1" -depth 8 rgb:- 2>/dev/null | python3 -c 'import sys,zlib; print("%08x" % zlib.crc32(sys.stdin.buffer.read()))') \
        || return 0
    echo "$2 $size $crc"
}
{
    for f in "$out"/*.bmp; do reference "$f" "imagemagick/$(basename "$f")"; done
    if [ -d "$suite/g" ]; then
        for f in "$suite"/g/*.bmp; do reference "$f" "bmpsuite/g/$(basename "$f")"; done
    fi
} > "$here/references.txt"
echo "wrote $(wc -l < "$here/references.txt") references"
