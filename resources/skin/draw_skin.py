#!/usr/bin/env python3
"""Draws the pictures of the client's skin: a dark frame with a blue accent, caption buttons,
a glossy progress gauge with its sweep animation, the controls of the skin engine, the pop-up
menu and hint frames, and the soft layered border around the window.

    python3 draw_skin.py [OUTPUT_DIR]      (default: the directory of this script)

Only the standard library is used. The output is deterministic; the BMP files are committed so
that the build never runs this script. skin.ini beside it names the pictures and gives every
rectangle that the drawing below lays out: change both together.
"""
import math
import os
import struct
import sys

# ---------------------------------------------------------------------------- palette

ACCENT = (0, 122, 204)
ACCENT_LIGHT = (86, 170, 255)
CAPTION_TOP = (50, 56, 68)
CAPTION_BOTTOM = (37, 41, 51)
FRAME = (37, 41, 51)
OUTLINE = (16, 18, 22)
HIGHLIGHT = (74, 82, 98)
CLIENT_TOP = (30, 33, 40)
CLIENT_BOTTOM = (25, 27, 33)
GLYPH = (200, 206, 216)
GLYPH_DIM = (110, 116, 126)
CLOSE_HOVER = (196, 43, 28)
CLOSE_DOWN = (150, 30, 20)
FILL = (44, 48, 58)
FILL_HOVER = (56, 62, 75)
FILL_DOWN = (32, 35, 43)
TEXT_BG = (22, 24, 29)
KEY = (255, 0, 255)  # the progress picture's transparent colour


def mix(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def scale(c, f):
    return tuple(max(0, min(255, int(round(v * f)))) for v in c)


# ---------------------------------------------------------------------------- canvas


class Canvas:
    def __init__(self, w, h, fill=(0, 0, 0)):
        self.w, self.h = w, h
        self.px = [[fill] * w for _ in range(h)]

    def put(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def get(self, x, y):
        return self.px[y][x]

    def blend(self, x, y, c, a):
        if 0 <= x < self.w and 0 <= y < self.h and a > 0:
            self.px[y][x] = mix(self.px[y][x], c, a)

    def rect(self, x0, y0, x1, y1, c):
        for y in range(max(0, y0), min(self.h, y1)):
            row = self.px[y]
            for x in range(max(0, x0), min(self.w, x1)):
                row[x] = c

    def vgradient(self, x0, y0, x1, y1, top, bottom):
        n = max(1, y1 - y0 - 1)
        for y in range(y0, y1):
            self.rect(x0, y, x1, y + 1, mix(top, bottom, (y - y0) / n))

    def hgradient(self, x0, y0, x1, y1, left, right):
        n = max(1, x1 - x0 - 1)
        for x in range(x0, x1):
            self.rect(x, y0, x + 1, y1, mix(left, right, (x - x0) / n))

    def blit(self, src, sx0, sy0, sx1, sy1, dx, dy):
        for y in range(sy0, sy1):
            for x in range(sx0, sx1):
                self.put(dx + x - sx0, dy + y - sy0, src.get(x, y))

    def save(self, path, bits=24):
        write_bmp(path, self, bits)


def rounded_inside(x, y, x0, y0, x1, y1, r):
    """Coverage (0..1) of pixel (x, y) by the rounded rectangle [x0, x1) x [y0, y1)."""
    if x < x0 or y < y0 or x >= x1 or y >= y1:
        return 0.0
    if r <= 0:
        return 1.0
    cx = min(max(x + 0.5, x0 + r), x1 - r)
    cy = min(max(y + 0.5, y0 + r), y1 - r)
    d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
    return max(0.0, min(1.0, r - d + 0.5))


def panel(c, x0, y0, x1, y1, top, bottom, border, r=3, shine=None, bg=None):
    """A rounded plate with a vertical gradient, a one-pixel border and an optional top shine."""
    h = max(1, y1 - y0 - 1)
    for y in range(y0, y1):
        for x in range(x0, x1):
            outer = rounded_inside(x, y, x0, y0, x1, y1, r)
            if outer <= 0:
                if bg is not None:
                    c.put(x, y, bg)
                continue
            inner = rounded_inside(x, y, x0 + 1, y0 + 1, x1 - 1, y1 - 1, max(0, r - 1))
            fill = mix(top, bottom, (y - y0) / h)
            if shine is not None and y == y0 + 1:
                fill = mix(fill, shine, 0.6)
            colour = mix(border, fill, inner)
            base = bg if bg is not None else c.get(x, y)
            c.put(x, y, mix(base, colour, outer))


def line(c, x0, y0, x1, y1, colour, width=1.0):
    """An anti-aliased line of the given width."""
    length = math.hypot(x1 - x0, y1 - y0) or 1.0
    minx, maxx = int(min(x0, x1) - width - 1), int(max(x0, x1) + width + 1)
    miny, maxy = int(min(y0, y1) - width - 1), int(max(y0, y1) + width + 1)
    for y in range(miny, maxy + 1):
        for x in range(minx, maxx + 1):
            px, py = x + 0.5, y + 0.5
            t = max(0.0, min(1.0, ((px - x0) * (x1 - x0) + (py - y0) * (y1 - y0)) / (length * length)))
            d = math.hypot(px - (x0 + t * (x1 - x0)), py - (y0 + t * (y1 - y0)))
            c.blend(x, y, colour, max(0.0, min(1.0, width / 2 + 0.5 - d)))


def glyph_close(c, cx, cy, colour, size=4.5):
    line(c, cx - size, cy - size, cx + size, cy + size, colour, 1.3)
    line(c, cx - size, cy + size, cx + size, cy - size, colour, 1.3)


def glyph_max(c, cx, cy, colour):
    x0, y0, x1, y1 = int(cx - 5), int(cy - 5), int(cx + 5), int(cy + 5)
    for x in range(x0, x1):
        c.put(x, y0, colour), c.put(x, y1 - 1, colour)
    for y in range(y0, y1):
        c.put(x0, y, colour), c.put(x1 - 1, y, colour)


def glyph_restore(c, cx, cy, colour):
    x0, y0 = int(cx - 5), int(cy - 3)
    for x in range(x0, x0 + 8):
        c.put(x, y0, colour), c.put(x, y0 + 7, colour)
    for y in range(y0, y0 + 8):
        c.put(x0, y, colour), c.put(x0 + 7, y, colour)
    for x in range(x0 + 2, x0 + 10):
        c.put(x, y0 - 2, colour)
    for y in range(y0 - 2, y0 + 6):
        c.put(x0 + 9, y, colour)


def glyph_min(c, cx, cy, colour):
    c.rect(int(cx - 5), int(cy), int(cx + 5), int(cy + 1), colour)


def glyph_menu(c, cx, cy, colour):
    for dy in (-3, 0, 3):
        c.rect(int(cx - 5), int(cy + dy), int(cx + 5), int(cy + dy + 1), colour)


def glyph_arrow(c, cx, cy, colour, direction):
    """A small filled triangle pointing up, down, left or right."""
    for i in range(4):
        for j in range(-i, i + 1):
            # row i of the triangle is 2i + 1 wide; the point is where i is 0
            if direction == "up":
                c.put(int(cx + j), int(cy - 2 + i), colour)
            elif direction == "down":
                c.put(int(cx + j), int(cy + 2 - i), colour)
            elif direction == "left":
                c.put(int(cx - 2 + i), int(cy + j), colour)
            else:
                c.put(int(cx + 2 - i), int(cy + j), colour)


def glyph_check(c, cx, cy, colour):
    line(c, cx - 3.5, cy, cx - 1, cy + 2.5, colour, 1.6)
    line(c, cx - 1, cy + 2.5, cx + 3.5, cy - 3, colour, 1.6)


def disc(c, cx, cy, r, colour):
    for y in range(int(cy - r - 1), int(cy + r + 2)):
        for x in range(int(cx - r - 1), int(cx + r + 2)):
            d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
            c.blend(x, y, colour, max(0.0, min(1.0, r - d + 0.5)))


# ---------------------------------------------------------------------------- BMP output


def write_bmp(path, canvas, bits):
    """An uncompressed bottom-up BMP: 24 bits, or 1 bit with a black-and-white table."""
    w, h = canvas.w, canvas.h
    stride = ((w * bits + 31) // 32) * 4
    table = b"\0\0\0\0\xff\xff\xff\0" if bits == 1 else b""
    offset = 14 + 40 + len(table)
    rows = []
    for y in range(h - 1, -1, -1):
        row = bytearray(stride)
        for x in range(w):
            r, g, b = canvas.px[y][x]
            if bits == 1:
                if (r, g, b) != (0, 0, 0):
                    row[x // 8] |= 0x80 >> (x % 8)
            else:
                row[3 * x:3 * x + 3] = bytes((b, g, r))
        rows.append(bytes(row))
    pixels = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, bits, 0, len(pixels), 2835, 2835, 2 if bits == 1 else 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + table + pixels)


# ---------------------------------------------------------------------------- the window frame

MAIN_W, MAIN_H = 210, 282
CLIENT = (3, 30, 207, 279)


def frame_shape(x, y):
    """The window's outline: rounded top corners, slightly rounded bottom ones."""
    return rounded_inside(x, y, 0, 0, MAIN_W, MAIN_H, 0) > 0 and corner_ok(x, y)


def corner_ok(x, y):
    top_cut = {0: 3, 1: 1, 2: 1}      # row -> pixels cut at each end
    bottom_cut = {MAIN_H - 1: 2, MAIN_H - 2: 1}
    cut = top_cut.get(y, bottom_cut.get(y, 0))
    return cut <= x < MAIN_W - cut


def caption_colour(y):
    return mix(CAPTION_TOP, CAPTION_BOTTOM, y / 29.0)


def draw_main():
    c = Canvas(MAIN_W, MAIN_H, FRAME)
    for y in range(30):
        c.rect(0, y, MAIN_W, y + 1, caption_colour(y))
    c.rect(0, 1, MAIN_W, 2, mix(caption_colour(1), HIGHLIGHT, 0.7))
    # The accent line under the caption fades out towards the corners.
    for x in range(MAIN_W):
        edge = min(x, MAIN_W - 1 - x)
        c.put(x, 29, mix(caption_colour(29), ACCENT, min(1.0, edge / 20.0)))
    c.vgradient(*CLIENT, CLIENT_TOP, CLIENT_BOTTOM)
    # Outline along the shape, with a faint inner highlight on the sides.
    for y in range(MAIN_H):
        for x in range(MAIN_W):
            if not frame_shape(x, y):
                c.put(x, y, (12, 13, 16))
                continue
            edge = any(not (0 <= x + dx < MAIN_W and 0 <= y + dy < MAIN_H and frame_shape(x + dx, y + dy))
                       for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
            if edge:
                c.put(x, y, OUTLINE)
    for y in range(30, MAIN_H - 2):
        c.put(1, y, mix(FRAME, HIGHLIGHT, 0.35))
        c.put(MAIN_W - 2, y, mix(FRAME, HIGHLIGHT, 0.2))
    c.rect(CLIENT[0] - 1, CLIENT[1], CLIENT[0], CLIENT[3], (24, 26, 31))
    c.rect(CLIENT[2], CLIENT[1], CLIENT[2] + 1, CLIENT[3], (24, 26, 31))
    c.rect(CLIENT[0] - 1, CLIENT[3], CLIENT[2] + 1, CLIENT[3] + 1, (24, 26, 31))
    return c


def draw_mask():
    c = Canvas(MAIN_W, MAIN_H, (255, 255, 255))
    for y in range(MAIN_H):
        for x in range(MAIN_W):
            if frame_shape(x, y):
                c.put(x, y, (0, 0, 0))
    return c


def caption_cell(c, x0, y0, w, h, fill=None, alpha=1.0):
    """A caption-coloured cell, optionally tinted, as the button images sit on the caption."""
    for y in range(h):
        base = caption_colour(y * 29.0 / max(1, h - 1))
        colour = mix(base, fill, alpha) if fill else base
        c.rect(x0, y0 + y, x0 + w, y0 + y + 1, colour)


# A caption button's images replace the frame under it, so its normal and inactive images must
# carry the caption band exactly as the window shows it there: the outline on top, the highlight
# below it, the gradient and the accent line at the foot. The close button is laid out 49 pixels
# from the window's right edge and is 43 wide; the frame's right end (the main picture's columns
# from 190) is copied unchanged and the columns before it are stretched from the middle, whose
# columns are all alike. So window column w - 49 + i shows the main picture's column 161 + i.
CLOSE_BAND_COLUMN = MAIN_W - 49
# Buttons further left (maximize, minimize) always sit over the stretched middle.
MIDDLE_BAND_COLUMN = MAIN_W // 2
BAND_H = 30


def band_cell(c, main, x0, y0, w, first_column=None, h=BAND_H):
    """The caption band of `main` under a button of w x h at (x0, y0): columns from
    `first_column` on, or a middle column repeated."""
    for y in range(h):
        for x in range(w):
            column = MIDDLE_BAND_COLUMN if first_column is None else first_column + x
            c.put(x0 + x, y0 + y, main.get(column, y))


def scaled_cell(c, image, x0, y0, w, h):
    """Draws `image` at (x0, y0) in a cell of w x h that the engine scales down to the image's
    size: a target pixel d takes the source pixel floor(d * w / image width), so every such source
    pixel gets the target's pixel and the few the scaling skips repeat their neighbour."""
    tw, th = image.w, image.h
    for sy in range(h):
        ty = min(th - 1, (sy * th) // h)
        for sx in range(w):
            tx = min(tw - 1, (sx * tw) // w)
            c.put(x0 + sx, y0 + sy, image.get(tx, ty))
    for ty in range(th):
        for tx in range(tw):
            c.put(x0 + (tx * w) // tw, y0 + (ty * h) // th, image.get(tx, ty))


def hover_cell(c, main, x0, y0, w, fill, first_column=None):
    """A hover or pressed image: the fill covers the band; the window's outline on top stays."""
    c.rect(x0, y0, x0 + w, y0 + BAND_H, fill)
    for x in range(w):
        column = MIDDLE_BAND_COLUMN if first_column is None else first_column + x
        c.put(x0 + x, y0, main.get(column, 0))


def draw_active(main):
    """Close and system-menu button images, on a 200 x 100 sheet."""
    c = Canvas(200, 100, caption_colour(15))
    # close: normal (53,1)-(96,31), hover (152,1)-(195,31), pressed (53,33)-(96,63),
    # inactive window (54,65)-(98,96), which the engine scales into the 43 x 30 button
    band_cell(c, main, 53, 1, 43, CLOSE_BAND_COLUMN)
    glyph_close(c, 53 + 21.5, 1 + 15, GLYPH)
    hover_cell(c, main, 152, 1, 43, CLOSE_HOVER, CLOSE_BAND_COLUMN)
    glyph_close(c, 152 + 21.5, 1 + 15, (255, 255, 255))
    hover_cell(c, main, 53, 33, 43, CLOSE_DOWN, CLOSE_BAND_COLUMN)
    glyph_close(c, 53 + 21.5, 33 + 15, (235, 220, 220))
    inactive = Canvas(43, BAND_H)
    band_cell(inactive, main, 0, 0, 43, CLOSE_BAND_COLUMN)
    glyph_close(inactive, 21.5, 15, GLYPH_DIM)
    scaled_cell(c, inactive, 54, 65, 44, 31)
    # system menu: normal (1,1)-(17,17), hover (1,33)-(17,49), pressed (1,65)-(17,81)
    for y0, fill, glyph in ((1, None, GLYPH), (33, FILL_HOVER, (255, 255, 255)), (65, FILL_DOWN, GLYPH)):
        caption_cell(c, 1, y0, 16, 16, fill, 0.8 if fill else 0)
        glyph_menu(c, 9, y0 + 8, glyph)
    return c


def draw_caption_button(main, glyph, restore_glyph):
    """Normal, hover, pressed and inactive images in the top row, the restore state below."""
    c = Canvas(180, 64, caption_colour(15))
    looks = ((None, GLYPH), (FILL_HOVER, (255, 255, 255)), (FILL_DOWN, GLYPH), (None, GLYPH_DIM))
    for row, draw in ((1, glyph), (33, restore_glyph)):
        for i, (fill, colour) in enumerate(looks):
            x0 = 1 + 45 * i
            if fill is None:
                band_cell(c, main, x0, row, 43)
            else:
                hover_cell(c, main, x0, row, 43, mix(caption_colour(15), fill, 0.9))
            draw(c, x0 + 21.5, row + 15, colour)
    return c


def over_black(colour, g):
    """A layer picture's pixel: the colour already scaled by the opacity its mask gives (g, 0 ..
    255), as the engine wants layer pictures drawn: it only limits each channel to the opacity."""
    return tuple(int(round(v * g / 255.0)) for v in colour)


def draw_glow(w, h, inner, colour, reach):
    """A glow picture (drawn over black) and its alpha mask around the rectangle `inner`."""
    pic = Canvas(w, h, colour)
    mask = Canvas(w, h, (0, 0, 0))
    x0, y0, x1, y1 = inner
    for y in range(h):
        for x in range(w):
            dx = max(x0 - (x + 0.5), 0, (x + 0.5) - x1)
            dy = max(y0 - (y + 0.5), 0, (y + 0.5) - y1)
            d = math.hypot(dx, dy)
            a = 0.18 if d == 0 else 0.85 * math.exp(-d / reach)
            g = int(round(255 * a))
            mask.put(x, y, (g, g, g))
            pic.put(x, y, over_black(mix(colour, (255, 255, 255), 0.25 * a), g))
    return pic, mask


# ---------------------------------------------------------------------------- the gauge sheet

GAUGE_SHEET = (700, 350)
SHEET_BG = (33, 36, 44)


def bar_colour(t, gloss=True):
    """The glossy progress fill across its thickness, t from 0 (top) to 1 (bottom)."""
    base = mix(ACCENT_LIGHT, (0, 84, 178), t)
    if gloss and t < 0.45:
        base = mix(base, (255, 255, 255), 0.35 * (1 - t / 0.45))
    return base


def progress_piece(w, h, vertical, shine=None):
    """A progress picture of w x h with rounded caps; corners outside are the key colour."""
    c = Canvas(w, h, KEY)
    r = 4
    for y in range(h):
        for x in range(w):
            cover = rounded_inside(x, y, 0, 0, w, h, r)
            if cover < 0.5:
                continue
            t = x / (w - 1) if vertical else y / (h - 1)
            colour = bar_colour(t)
            if shine is not None:
                along = y if vertical else x
                k = math.exp(-((along - shine) / 3.0) ** 2)
                colour = mix(colour, (255, 255, 255), 0.55 * k)
            edge = rounded_inside(x, y, 1, 1, w - 1, h - 1, r - 1)
            c.put(x, y, mix(scale(colour, 0.75), colour, edge))
    return c


def track_piece(w, h, vertical):
    """The gauge's background: a dark inset track with rounded ends."""
    c = Canvas(w, h, SHEET_BG)
    for y in range(h):
        for x in range(w):
            cover = rounded_inside(x, y, 0, 0, w, h, 3)
            if cover <= 0:
                continue
            inner = rounded_inside(x, y, 1, 1, w - 1, h - 1, 2)
            t = x / (w - 1) if vertical else y / (h - 1)
            fill = mix((24, 26, 32), (40, 44, 54), t)
            c.put(x, y, mix(SHEET_BG, mix((14, 15, 19), fill, inner), cover))
    return c


def draw_gauge_sheet():
    c = Canvas(*GAUGE_SHEET, SHEET_BG)
    # [gauge]: skin rect 58,1,111,17; progress picture 58,19,109,33 (51 x 14, caps of 10)
    c.blit(track_piece(53, 16, False), 0, 0, 53, 16, 58, 1)
    c.blit(progress_piece(51, 14, False), 0, 0, 51, 14, 58, 19)
    # [vgauge]: skin rect 113,19,129,72; progress picture 131,19,145,70 (14 x 51)
    c.blit(track_piece(16, 53, True), 0, 0, 16, 53, 113, 19)
    c.blit(progress_piece(14, 51, True), 0, 0, 14, 51, 131, 19)
    # Sweep animations, 7 frames each: stacked 51 x 14 frames at 624,245 for the gauge,
    # side-by-side 14 x 51 frames at 592,188 for the vertical one. The middle of a frame is
    # stretched over the filled part, so the shine walks along the whole bar.
    for k in range(7):
        spot = 10 + (k + 0.5) * 31 / 7
        frame = progress_piece(51, 14, False, shine=spot)
        c.blit(frame, 0, 0, 51, 14, 624, 245 + 14 * k)
        vframe = progress_piece(14, 51, True, shine=51 - 1 - spot)
        c.blit(vframe, 0, 0, 14, 51, 592 + 14 * k, 188)
    return c


# ---------------------------------------------------------------------------- other controls


def draw_buttons():
    """Push button: normal, hover, pressed, disabled, focused; 75 x 25 each."""
    c = Canvas(375, 25, TEXT_BG)
    looks = ((FILL, (38, 41, 50), (64, 70, 84)), (FILL_HOVER, (46, 51, 62), (80, 88, 104)),
             (FILL_DOWN, (28, 31, 38), ACCENT), ((38, 41, 49), (34, 37, 44), (52, 56, 66)),
             (FILL, (38, 41, 50), ACCENT_LIGHT))
    for i, (top, bottom, border) in enumerate(looks):
        panel(c, 75 * i, 0, 75 * i + 75, 25, top, bottom, border, r=3, shine=HIGHLIGHT, bg=TEXT_BG)
    return c


def draw_checkradio():
    """Check box and radio images, 13 x 13: unchecked, checked, and their hover and disabled looks."""
    c = Canvas(13 * 8, 26, TEXT_BG)
    for i, (border, mark) in enumerate(((GLYPH_DIM, None), (ACCENT_LIGHT, None), (ACCENT, GLYPH),
                                        (ACCENT_LIGHT, (255, 255, 255)), ((60, 64, 72), None),
                                        ((60, 64, 72), GLYPH_DIM), (ACCENT, (150, 156, 166)),
                                        (ACCENT_LIGHT, (200, 206, 216)))):
        x0 = 13 * i
        panel(c, x0, 0, x0 + 13, 13, (26, 28, 34), (34, 37, 44), border, r=2, bg=TEXT_BG)
        if mark is not None:
            if i >= 6:
                c.rect(x0 + 3, 6, x0 + 10, 7, mark)  # grayed: a bar
            else:
                glyph_check(c, x0 + 6.5, 6.5, mark)
        disc(c, x0 + 6.5, 19.5, 6.0, border)
        disc(c, x0 + 6.5, 19.5, 5.0, (30, 33, 40))
        if mark is not None and i < 6:
            disc(c, x0 + 6.5, 19.5, 2.6, mark)
    return c


def draw_edit():
    """Edit field: normal and focused, 100 x 21."""
    c = Canvas(200, 21, TEXT_BG)
    panel(c, 0, 0, 100, 21, (20, 22, 27), (24, 26, 31), (64, 70, 84), r=2, bg=TEXT_BG)
    panel(c, 100, 0, 200, 21, (20, 22, 27), (24, 26, 31), ACCENT, r=2, bg=TEXT_BG)
    return c


def draw_scrollbars():
    """Vertical bar (17 wide) in the left half, horizontal bar (17 high) below."""
    c = Canvas(160, 120, TEXT_BG)
    # vertical track 0,0,17,100 with arrow buttons of 17 x 17 at its ends
    panel(c, 0, 0, 17, 100, (28, 30, 36), (28, 30, 36), (40, 44, 52), r=0)
    for i, fill in enumerate((FILL, FILL_HOVER, FILL_DOWN)):
        x0 = 20 + 20 * i
        panel(c, x0, 0, x0 + 17, 17, fill, fill, (60, 66, 78), r=2, bg=TEXT_BG)
        glyph_arrow(c, x0 + 8, 8, GLYPH, "up")
        panel(c, x0, 20, x0 + 17, 37, fill, fill, (60, 66, 78), r=2, bg=TEXT_BG)
        glyph_arrow(c, x0 + 8, 28, GLYPH, "down")
        panel(c, x0 + 2, 40, x0 + 15, 80, mix(fill, HIGHLIGHT, 0.4), fill, (70, 78, 92), r=3, bg=TEXT_BG)
        # the horizontal bar's thumb, 36 x 13
        panel(c, 82, 2 + 15 * i, 118, 15 + 15 * i, mix(fill, HIGHLIGHT, 0.4), fill, (70, 78, 92), r=3, bg=TEXT_BG)
    # horizontal track 0,100,100,117 with left/right arrows and thumbs
    panel(c, 0, 100, 100, 117, (28, 30, 36), (28, 30, 36), (40, 44, 52), r=0)
    for i, fill in enumerate((FILL, FILL_HOVER, FILL_DOWN)):
        x0 = 100 + 20 * i
        panel(c, x0, 83, x0 + 17, 100, fill, fill, (60, 66, 78), r=2, bg=TEXT_BG)
        glyph_arrow(c, x0 + 8, 91, GLYPH, "left")
        panel(c, x0, 102, x0 + 17, 119, fill, fill, (60, 66, 78), r=2, bg=TEXT_BG)
        glyph_arrow(c, x0 + 8, 110, GLYPH, "right")
    return c


def draw_trackbar():
    """Horizontal track 100 x 20 and its thumb (11 x 18, normal and hover)."""
    c = Canvas(130, 20, TEXT_BG)
    c.rect(4, 8, 96, 12, (18, 20, 24))
    c.rect(5, 9, 95, 11, mix(ACCENT, (0, 0, 0), 0.3))
    panel(c, 104, 1, 115, 19, FILL_HOVER, FILL, (80, 88, 104), r=3, bg=TEXT_BG)
    panel(c, 117, 1, 128, 19, (70, 78, 94), FILL_HOVER, ACCENT_LIGHT, r=3, bg=TEXT_BG)
    return c


def draw_panel():
    """Panel 60 x 60 and group box 60 x 60 with a caption strip."""
    c = Canvas(120, 60, TEXT_BG)
    panel(c, 0, 0, 60, 60, (34, 37, 45), (30, 33, 40), (48, 53, 63), r=3, bg=TEXT_BG)
    panel(c, 60, 0, 120, 60, (30, 33, 40), (30, 33, 40), (48, 53, 63), r=3, bg=TEXT_BG)
    c.vgradient(61, 1, 119, 18, (44, 49, 60), (36, 40, 49))
    c.rect(61, 18, 119, 19, ACCENT)
    return c


def draw_tab():
    """Tab items (normal, active, hover; 60 x 22) and the page frame below them."""
    c = Canvas(180, 82, TEXT_BG)
    for i, (top, bottom, border) in enumerate(((FILL, (36, 40, 49), (52, 57, 68)),
                                               ((36, 40, 49), (30, 33, 40), ACCENT),
                                               (FILL_HOVER, (44, 48, 58), (70, 78, 92)))):
        x0 = 60 * i
        panel(c, x0, 0, x0 + 60, 26, top, bottom, border, r=3, bg=TEXT_BG)
        c.rect(x0, 22, x0 + 60, 26, TEXT_BG)
        if i == 1:
            c.rect(x0 + 3, 1, x0 + 57, 3, ACCENT_LIGHT)
    panel(c, 0, 22, 60, 82, (30, 33, 40), (30, 33, 40), (52, 57, 68), r=2, bg=TEXT_BG)
    return c


def draw_listbox():
    """List box frame 60 x 60, item 60 x 18 normal / selected / focused."""
    c = Canvas(120, 60, TEXT_BG)
    panel(c, 0, 0, 60, 60, (22, 24, 29), (22, 24, 29), (64, 70, 84), r=2, bg=TEXT_BG)
    c.rect(60, 0, 120, 18, (22, 24, 29))
    c.hgradient(60, 18, 120, 36, mix(ACCENT, (22, 24, 29), 0.2), mix(ACCENT, (22, 24, 29), 0.45))
    panel(c, 60, 36, 120, 54, mix(ACCENT, (22, 24, 29), 0.3), mix(ACCENT, (22, 24, 29), 0.5), ACCENT_LIGHT, r=0)
    return c


def draw_popup():
    """Pop-up menu frame 60 x 60 with rounded corners, and its shape mask."""
    c = Canvas(60, 60, (12, 13, 16))
    mask = Canvas(60, 60, (255, 255, 255))
    panel(c, 0, 0, 60, 60, (40, 44, 54), (34, 38, 47), (70, 78, 94), r=4, shine=HIGHLIGHT)
    for y in range(60):
        for x in range(60):
            if rounded_inside(x, y, 0, 0, 60, 60, 4) >= 0.5:
                mask.put(x, y, (0, 0, 0))
    return c, mask


def draw_menuitem():
    """Menu item 60 x 20 normal and active, the divider, and check, radio and arrow images."""
    c = Canvas(120, 40, (36, 40, 49))
    c.rect(0, 0, 60, 20, (36, 40, 49))
    panel(c, 60, 0, 120, 20, mix(ACCENT, (36, 40, 49), 0.1), mix(ACCENT, (0, 0, 0), 0.25),
          ACCENT_LIGHT, r=2, bg=(36, 40, 49))
    c.rect(0, 24, 60, 25, (26, 29, 36))
    c.rect(0, 25, 60, 26, (56, 62, 75))
    for i, colour in enumerate((GLYPH, (255, 255, 255))):
        x0 = 60 + 12 * i
        glyph_check(c, x0 + 6, 30, colour)
        disc(c, x0 + 30, 30, 2.6, colour)
    glyph_arrow(c, 6, 32, GLYPH, "right")
    glyph_arrow(c, 18, 32, (255, 255, 255), "right")
    return c


def draw_hint():
    """Hint window frame 40 x 30 and its mask."""
    c = Canvas(40, 30, (12, 13, 16))
    mask = Canvas(40, 30, (255, 255, 255))
    panel(c, 0, 0, 40, 30, (54, 60, 74), (44, 49, 60), (90, 100, 120), r=4)
    for y in range(30):
        for x in range(40):
            if rounded_inside(x, y, 0, 0, 40, 30, 4) >= 0.5:
                mask.put(x, y, (0, 0, 0))
    return c, mask


# ---------------------------------------------------------------------------- the layered border

LAYER_W, LAYER_H = 175, 151
LAYER_CLIENT = (24, 23, 149, 127)


def draw_layer_frame():
    """A soft shadow with an accent rim, transparent over the window and fading outwards; the
    picture is drawn over black (see over_black)."""
    pic = Canvas(LAYER_W, LAYER_H, (0, 0, 0))
    mask = Canvas(LAYER_W, LAYER_H, (0, 0, 0))
    x0, y0, x1, y1 = LAYER_CLIENT
    for y in range(LAYER_H):
        for x in range(LAYER_W):
            px, py = x + 0.5, y + 0.5
            if x0 <= x < x1 and y0 <= y < y1:
                continue  # the window itself shows through
            # The shadow falls a pixel down and right of the window.
            dx = max(x0 + 1 - px, 0, px - x1 - 1)
            dy = max(y0 + 1 - py, 0, py - y1 - 1)
            d = math.hypot(dx, dy)
            rim = math.exp(-max(0.0, math.hypot(max(x0 - px, 0, px - x1), max(y0 - py, 0, py - y1))) / 1.6)
            shadow = (1 - min(1.0, d / 23.0)) ** 2.2
            alpha = max(0.0, min(1.0, 0.55 * shadow + 0.5 * rim))
            g = int(round(255 * alpha))
            mask.put(x, y, (g, g, g))
            pic.put(x, y, over_black(mix((0, 0, 0), ACCENT, min(1.0, rim * 1.4)), g))
    return pic, mask


# ---------------------------------------------------------------------------- all of it


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    os.makedirs(out, exist_ok=True)

    def save(name, canvas, bits=24):
        canvas.save(os.path.join(out, name), bits)

    main_picture = draw_main()
    save("main.bmp", main_picture)
    save("mask.bmp", draw_mask(), bits=1)
    # Active pictures, in the order of [PICTURES] activepictures (their picture indices).
    save("active.bmp", draw_active(main_picture))  # 0
    save("maximize.bmp", draw_caption_button(main_picture, glyph_max, glyph_restore))  # 1
    save("minimize.bmp", draw_caption_button(main_picture, glyph_min, glyph_restore))  # 2
    glow, glow_mask = draw_glow(67, 39, (12, 10, 55, 40), (232, 72, 56), 3.5)
    save("closelayer.bmp", glow)                                        # 3
    save("closelayermask.bmp", glow_mask)                               # 4
    save("gauge.bmp", draw_gauge_sheet())                               # 5
    save("button.bmp", draw_buttons())                                  # 6
    bglow, bglow_mask = draw_glow(95, 45, (10, 10, 85, 35), ACCENT_LIGHT, 3.0)
    save("buttonglow.bmp", bglow)                                       # 7
    save("buttonglowmask.bmp", bglow_mask)                              # 8
    save("checkradio.bmp", draw_checkradio())                           # 9
    save("edit.bmp", draw_edit())                                       # 10
    save("scrollbar.bmp", draw_scrollbars())                            # 11
    save("trackbar.bmp", draw_trackbar())                               # 12
    save("panel.bmp", draw_panel())                                     # 13
    save("tab.bmp", draw_tab())                                         # 14
    save("listbox.bmp", draw_listbox())                                 # 15
    popup, popup_mask = draw_popup()
    save("popup.bmp", popup)                                            # 16
    save("popupmask.bmp", popup_mask, bits=1)                           # 17
    save("menuitem.bmp", draw_menuitem())                               # 18
    hint, hint_mask = draw_hint()
    save("hint.bmp", hint)                                              # 19
    save("hintmask.bmp", hint_mask, bits=1)                             # 20
    layer, layer_mask = draw_layer_frame()
    save("layerframe.bmp", layer)                                       # 21
    save("layerframemask.bmp", layer_mask)                              # 22


if __name__ == "__main__":
    main()
