#!/usr/bin/env python3
"""Draws devsetup's skin from simple shapes and text and writes it as 24-bit
BMP files (and the icon) beside this script:
  python3 resources/devsetup/make_art.py
Pure green (0,255,0) marks what a shaped window leaves out; teal
(0,128,128) is the tree pictures' mask. Text uses the virtual printer's
bitmap font, so nothing outside the repository is needed."""
import os
import re
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
FONT = os.path.join(HERE, "..", "..", "tools", "vprinter", "render", "font", "glyphs.inc")

GREEN = (0, 255, 0)
TEAL = (0, 128, 128)
INK = (38, 50, 56)
ACCENT = (0, 110, 90)
ACCENT_DARK = (0, 80, 66)
PAPER = (255, 255, 255)
CANVAS = (236, 241, 244)
LINE = (206, 214, 220)


def load_font(name):
    """Glyph rows of one font of glyphs.inc: {char: [row bits]}, width."""
    text = open(FONT).read()
    block = text[text.index("k" + name + "[]"):]
    block = block[:block.index("};")]
    glyphs = {}
    for code, rows in re.findall(r"\{0x([0-9A-F]+), \{([^}]*)\}\}", block):
        glyphs[chr(int(code, 16))] = [int(r, 16) for r in rows.split(",")]
    return glyphs


class Canvas:
    def __init__(self, w, h, color):
        self.w, self.h = w, h
        self.px = [[color] * w for _ in range(h)]

    def blend(self, x, y, color, a):
        if 0 <= x < self.w and 0 <= y < self.h and a > 0:
            old = self.px[y][x]
            self.px[y][x] = tuple(round(o + (c - o) * min(a, 1.0)) for o, c in zip(old, color))

    def rounded(self, x0, y0, x1, y1, r, color, alpha=1.0):
        """Filled rectangle [x0,x1)x[y0,y1) with anti-aliased corners of radius r."""
        for y in range(max(0, y0), min(self.h, y1)):
            for x in range(max(0, x0), min(self.w, x1)):
                cx = min(max(x + 0.5, x0 + r), x1 - r)
                cy = min(max(y + 0.5, y0 + r), y1 - r)
                d = ((x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2) ** 0.5
                self.blend(x, y, color, alpha * max(0.0, min(1.0, r - d + 0.5)) if r else alpha)

    def gradient(self, x0, y0, x1, y1, top, bottom):
        for y in range(y0, y1):
            t = (y - y0) / max(1, y1 - y0 - 1)
            c = tuple(round(a + (b - a) * t) for a, b in zip(top, bottom))
            for x in range(x0, x1):
                self.px[y][x] = c

    def card(self, x0, y0, x1, y1, r=8, fill=PAPER):
        """A white panel with a soft shadow and a hairline border."""
        for i, a in ((3, 0.05), (2, 0.07), (1, 0.09)):
            self.rounded(x0 - i + 1, y0 - i + 2, x1 + i + 1, y1 + i + 2, r + i, (0, 0, 0), a)
        self.rounded(x0, y0, x1, y1, r, LINE)
        self.rounded(x0 + 1, y0 + 1, x1 - 1, y1 - 1, r - 1, fill)

    def text(self, x, y, s, color, font, scale=1.0, bold=False):
        """Text from the bitmap font, scaled down with area sampling."""
        glyphs, cw, ch = font
        sub = 4
        for i, c in enumerate(s):
            rows = glyphs.get(c, glyphs[" "])
            gx = x + i * cw * scale
            for py in range(int(ch * scale) + 1):
                for px in range(int(cw * scale) + 2):
                    hit = 0
                    for sy in range(sub):
                        for sx in range(sub):
                            fx = int((px + (sx + 0.5) / sub) / scale)
                            fy = int((py + (sy + 0.5) / sub) / scale)
                            on = fy < len(rows) and 0 <= fx < cw and rows[fy] >> (15 - fx) & 1
                            if bold and not on and fy < len(rows) and 1 <= fx <= cw:
                                on = rows[fy] >> (15 - fx + 1) & 1
                            hit += bool(on)
                    self.blend(int(gx) + px, y + py, color, hit / (sub * sub))

    def outside_rounded(self, r, color):
        """Paints the corners outside a rounded window in color (hard edge)."""
        for y in range(self.h):
            for x in range(self.w):
                cx = min(max(x + 0.5, r), self.w - r)
                cy = min(max(y + 0.5, r), self.h - r)
                if ((x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2) ** 0.5 > r:
                    self.px[y][x] = color

    def save_bmp(self, name):
        row_bytes = (self.w * 3 + 3) & ~3
        data = bytearray()
        for y in range(self.h - 1, -1, -1):
            row = bytearray()
            for r, g, b in self.px[y]:
                row += bytes((b, g, r))
            data += row + b"\0" * (row_bytes - len(row))
        header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
        info = struct.pack("<IiiHHIIiiII", 40, self.w, self.h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
        with open(os.path.join(HERE, name), "wb") as f:
            f.write(header + info + data)


def icon_picture(size):
    """The program icon: a receipt printer on a teal tile."""
    c = Canvas(size, size, (255, 255, 255))
    s = size / 32
    c.rounded(0, 0, size, size, round(6 * s), ACCENT)
    c.rounded(round(8 * s), round(4 * s), round(24 * s), round(16 * s), round(1 * s), PAPER)
    for i in range(3):
        y = round((7 + 3 * i) * s)
        c.rounded(round(11 * s), y, round(21 * s), y + max(1, round(s)), 0, (150, 160, 166))
    c.rounded(round(5 * s), round(14 * s), round(27 * s), round(26 * s), round(3 * s), (235, 240, 242))
    c.rounded(round(9 * s), round(19 * s), round(23 * s), round(21 * s), 0, (60, 70, 76))
    c.rounded(round(22 * s), round(16 * s), round(25 * s), round(18 * s), 0, (0, 200, 120))
    return c


def save_icon(name, sizes):
    images = []
    for size in sizes:
        c = icon_picture(size)
        xor = bytearray()
        for y in range(size - 1, -1, -1):
            for r, g, b in c.px[y]:
                xor += bytes((b, g, r))
        mask_row = ((size + 31) // 32) * 4
        body = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 24, 0, 0, 0, 0, 0, 0)
        body += bytes(xor) + b"\0" * (mask_row * size)
        images.append((size, body))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, body in images:
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 24, len(body), offset)
        offset += len(body)
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(out + b"".join(body for _, body in images))


def button(name, w, state, behind):
    """A button face of w by 25 on the colour of the panel behind it."""
    c = Canvas(w, 25, behind)
    if state == "normal":
        c.rounded(0, 0, w, 25, 6, LINE)
        c.rounded(1, 1, w - 1, 24, 5, PAPER)
        c.rounded(1, 12, w - 1, 24, 5, (246, 248, 249))
        c.rounded(7, 8, 10, 17, 1, ACCENT)
    elif state == "pressed":
        c.rounded(0, 0, w, 25, 6, ACCENT)
        c.rounded(1, 1, w - 1, 24, 5, (222, 240, 235))
        c.rounded(7, 8, 10, 17, 1, ACCENT_DARK)
    else:
        c.rounded(0, 0, w, 25, 6, (220, 225, 228))
        c.rounded(1, 1, w - 1, 24, 5, (241, 243, 244))
    c.save_bmp(name)


def tree_strip(name):
    c = Canvas(96, 16, TEAL)
    # 0 computer
    c.rounded(1, 2, 15, 12, 1, (70, 80, 88))
    c.rounded(2, 3, 14, 11, 0, (120, 200, 230))
    c.rounded(5, 12, 11, 14, 0, (70, 80, 88))
    c.rounded(3, 14, 13, 15, 0, (70, 80, 88))
    # 1 printer
    o = 16
    c.rounded(o + 4, 1, o + 12, 7, 0, PAPER)
    c.rounded(o + 1, 6, o + 15, 13, 2, (70, 80, 88))
    c.rounded(o + 4, 10, o + 12, 15, 0, PAPER)
    c.rounded(o + 12, 8, o + 14, 9, 0, (0, 200, 120))
    # 2 cash drawer
    o = 32
    c.rounded(o + 1, 4, o + 15, 14, 1, (150, 108, 79))
    c.rounded(o + 2, 8, o + 14, 13, 0, (196, 150, 110))
    c.rounded(o + 6, 10, o + 10, 11, 0, (80, 56, 40))
    c.rounded(o + 3, 5, o + 13, 7, 0, (250, 210, 90))
    # 3 line display
    o = 48
    c.rounded(o + 1, 3, o + 15, 10, 1, (40, 48, 54))
    c.rounded(o + 2, 4, o + 14, 9, 0, (120, 230, 160))
    c.rounded(o + 7, 10, o + 9, 14, 0, (70, 80, 88))
    c.rounded(o + 4, 14, o + 12, 15, 0, (70, 80, 88))
    # 4 selected-device mark
    o = 64
    c.rounded(o + 3, 3, o + 13, 13, 5, ACCENT)
    c.rounded(o + 6, 6, o + 10, 10, 2, PAPER)
    # 5 blank: a small dot
    o = 80
    c.rounded(o + 6, 6, o + 10, 10, 2, (160, 170, 176))
    c.save_bmp(name)


def header(c, fonts, x, y, title, subtitle):
    big, small = fonts
    c.rounded(x, y + 2, x + 6, y + 30, 3, ACCENT)
    c.text(x + 14, y, title, INK, big, 0.75, bold=True)
    c.text(x + 15, y + 21, subtitle, (110, 122, 130), small, 0.8)


COLUMN = (248, 250, 251)


def main_background(name, fonts):
    """Buttons on the left column card; the tree and the description pane
    on the two cards to its right (control places in device_setup_dlg.cpp)."""
    c = Canvas(600, 343, CANVAS)
    c.gradient(0, 0, 600, 4, ACCENT, ACCENT_DARK)
    c.card(10, 11, 190, 333, 10, COLUMN)
    c.rounded(20, 196, 180, 197, 0, LINE)
    c.rounded(20, 273, 180, 274, 0, LINE)
    c.card(196, 22, 372, 333, 10)
    c.card(380, 22, 592, 333, 10)
    big, small = fonts
    c.rounded(390, 296, 582, 297, 0, LINE)
    c.text(392, 303, "Tavo OPOS Device Setup", (150, 160, 166), small, 0.8)
    c.save_bmp(name)


def dialog_background(name, fonts):
    """Every skinned dialog: a header, one card for the settings, the
    buttons below it; pure green outside the rounded outline."""
    c = Canvas(600, 343, CANVAS)
    c.rounded(0, 0, 600, 343, 14, LINE)
    c.rounded(1, 1, 599, 342, 13, CANVAS)
    c.gradient(0, 0, 600, 5, ACCENT, ACCENT_DARK)
    header(c, fonts, 24, 20, "Tavo OPOS Device Setup", "device settings")
    c.card(20, 66, 580, 266, 10)
    c.outside_rounded(14, GREEN)
    c.save_bmp(name)


if __name__ == "__main__":
    fonts = ((load_font("FontA"), 12, 24), (load_font("FontB"), 9, 17))
    for state, suffix in (("normal", ""), ("pressed", "_pressed"), ("disabled", "_disabled")):
        button("main_button%s.bmp" % suffix, 160, state, COLUMN)
        button("dialog_button%s.bmp" % suffix, 145, state, CANVAS)
    tree_strip("tree_images.bmp")
    main_background("main_background.bmp", fonts)
    dialog_background("dialog_background.bmp", fonts)
    save_icon("devsetup.ico", (32, 16))
