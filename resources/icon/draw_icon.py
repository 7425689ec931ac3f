#!/usr/bin/env python3
"""Draws the program's icon: a rounded tile in the skin's blue with a white arrow coming down
onto a tray, the sign of an update. Written as TolvarClient.ico with images of 16, 24, 32 and
48 pixels (32-bit colour with alpha, and the AND mask older shells read).

    python3 draw_icon.py [OUTPUT_DIR]      (default: the directory of this script)

Only the standard library is used. The output is deterministic; the icon is committed so that
the build never runs this script. The colours are the skin's (resources/skin/draw_skin.py).
"""
import math
import os
import struct
import sys

ACCENT = (0, 122, 204)
ACCENT_LIGHT = (86, 170, 255)
ACCENT_DEEP = (0, 84, 178)
RIM = (0, 60, 128)
WHITE = (255, 255, 255)

SIZES = (16, 24, 32, 48)
SUPERSAMPLE = 4


def mix(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def in_rounded(x, y, x0, y0, x1, y1, r):
    if x < x0 or y < y0 or x >= x1 or y >= y1:
        return False
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return math.hypot(x - cx, y - cy) <= r


def in_triangle(x, y, a, b, c):
    def side(p, q):
        return (q[0] - p[0]) * (y - p[1]) - (q[1] - p[1]) * (x - p[0])
    d1, d2, d3 = side(a, b), side(b, c), side(c, a)
    negative = d1 < 0 or d2 < 0 or d3 < 0
    positive = d1 > 0 or d2 > 0 or d3 > 0
    return not (negative and positive)


def shapes(n):
    """The icon's shapes in a unit square scaled to n pixels: tile, rim, arrow and tray."""
    u = n / 16.0
    tile = (0.5 * u, 0.5 * u, n - 0.5 * u, n - 0.5 * u, 3.0 * u)
    inner = (1.5 * u, 1.5 * u, n - 1.5 * u, n - 1.5 * u, 2.2 * u)

    def arrow(x, y):
        shaft = 7.0 * u <= x < 9.0 * u and 3.0 * u <= y < 8.0 * u
        head = in_triangle(x, y, (3.9 * u, 7.0 * u), (12.1 * u, 7.0 * u), (8.0 * u, 11.2 * u))
        return shaft or head

    def tray(x, y):
        return 4.0 * u <= x < 12.0 * u and 12.0 * u <= y < 13.5 * u

    return tile, inner, arrow, tray


def draw(n):
    """Rows of (r, g, b, a) for an n x n image, top row first."""
    tile, inner, arrow, tray = shapes(n)
    rows = []
    for py in range(n):
        row = []
        for px in range(n):
            acc = [0.0, 0.0, 0.0]
            cover = 0
            for sy in range(SUPERSAMPLE):
                for sx in range(SUPERSAMPLE):
                    x = px + (sx + 0.5) / SUPERSAMPLE
                    y = py + (sy + 0.5) / SUPERSAMPLE
                    if not in_rounded(x, y, *tile):
                        continue
                    cover += 1
                    if arrow(x, y) or tray(x, y):
                        colour = WHITE
                    elif in_rounded(x, y, *inner):
                        colour = mix(ACCENT_LIGHT, ACCENT_DEEP, y / n)
                        # A soft shine across the upper half.
                        if y < n * 0.45:
                            colour = mix(colour, WHITE, 0.18 * (1 - y / (n * 0.45)))
                    else:
                        colour = mix(ACCENT, RIM, 0.6)
                    for i in range(3):
                        acc[i] += colour[i]
            if cover == 0:
                row.append((0, 0, 0, 0))
            else:
                alpha = int(round(255.0 * cover / (SUPERSAMPLE * SUPERSAMPLE)))
                row.append(tuple(int(round(acc[i] / cover)) for i in range(3)) + (alpha,))
        rows.append(row)
    return rows


def icon_image(rows):
    """One image of an icon file: a BITMAPINFOHEADER of twice the height, the 32-bit colours
    bottom-up, then the AND mask (1 where the image is fully transparent), rows padded to 32 bits."""
    n = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 32, 0, 0, 0, 0, 0, 0)
    colours = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            colours += bytes((b, g, r, a))
    stride = ((n + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return header + bytes(colours) + bytes(mask)


def write_ico(path, images):
    count = len(images)
    out = struct.pack("<HHH", 0, 1, count)
    offset = 6 + 16 * count
    for n, data in images:
        size = n if n < 256 else 0
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, data in images:
        out += data
    with open(path, "wb") as f:
        f.write(out)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    os.makedirs(out, exist_ok=True)
    write_ico(os.path.join(out, "TolvarClient.ico"), [(n, icon_image(draw(n))) for n in SIZES])


if __name__ == "__main__":
    main()
