#!/usr/bin/env python3
"""Draws the program's icon and dialog pictures into res/ as PNG files.

Usage: tools/make_images.py [OUTPUT_DIR]   (default: res/ beside this script)

Standard library only: the pictures are drawn into lists of RGB rows with a
few shapes and a 5x7 block font, then written as 8-bit RGB PNGs with zlib.
The output is the same on every run, so the committed images can be checked
by running the script again and comparing.
"""

import math
import os
import struct
import sys
import zlib

# Colours.
WHITE = (255, 255, 255)
PAPER = (236, 236, 228)
INK = (24, 32, 72)
BLUE = (40, 96, 200)
DEEP_BLUE = (20, 52, 130)
LIGHT_BLUE = (150, 190, 240)
GREEN = (40, 160, 72)
RED = (200, 40, 40)
GOLD = (240, 200, 60)
GREY = (128, 128, 128)


class Canvas:
    def __init__(self, width, height, colour):
        self.width = width
        self.height = height
        self.rows = [[colour] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.rows[y][x] = colour

    def rect(self, x0, y0, x1, y1, colour):
        """Fills x0..x1-1, y0..y1-1."""
        for y in range(max(y0, 0), min(y1, self.height)):
            row = self.rows[y]
            for x in range(max(x0, 0), min(x1, self.width)):
                row[x] = colour

    def frame(self, x0, y0, x1, y1, colour):
        self.rect(x0, y0, x1, y0 + 1, colour)
        self.rect(x0, y1 - 1, x1, y1, colour)
        self.rect(x0, y0, x0 + 1, y1, colour)
        self.rect(x1 - 1, y0, x1, y1, colour)

    def line(self, x0, y0, x1, y1, colour):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(steps + 1):
            self.put(round(x0 + (x1 - x0) * i / steps), round(y0 + (y1 - y0) * i / steps), colour)

    def disc(self, cx, cy, r, colour):
        for y in range(int(cy - r) - 1, int(cy + r) + 2):
            for x in range(int(cx - r) - 1, int(cx + r) + 2):
                if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r:
                    self.put(x, y, colour)

    def gradient(self, x0, y0, x1, y1, top, bottom):
        """Fills a rectangle with a vertical blend from `top` to `bottom`."""
        span = max(y1 - y0 - 1, 1)
        for y in range(y0, y1):
            t = (y - y0) / span
            colour = tuple(round(a + (b - a) * t) for a, b in zip(top, bottom))
            self.rect(x0, y, x1, y + 1, colour)

    def text(self, x, y, string, colour, scale=1, shadow=None):
        """Writes `string` in the block font; returns the x after it."""
        for ch in string:
            glyph = FONT.get(ch, FONT["?"])
            for gy, bits in enumerate(glyph):
                for gx, bit in enumerate(bits):
                    if bit == "#":
                        if shadow:
                            self.rect(x + gx * scale + 1, y + gy * scale + 1,
                                      x + (gx + 1) * scale + 1, y + (gy + 1) * scale + 1, shadow)
                        self.rect(x + gx * scale, y + gy * scale,
                                  x + (gx + 1) * scale, y + (gy + 1) * scale, colour)
            x += 6 * scale
        return x


def text_width(string, scale):
    return len(string) * 6 * scale - scale


# A 5x7 block font, just the characters the banners use.
FONT = {
    " ": ["....."] * 7,
    "?": [".###.", "#...#", "....#", "...#.", "..#..", ".....", "..#.."],
    "-": [".....", ".....", ".....", "#####", ".....", ".....", "....."],
    "5": ["#####", "#....", "####.", "....#", "....#", "#...#", ".###."],
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "B": ["####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."],
    "E": ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    "G": [".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"],
    "H": ["#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "I": [".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "L": ["#....", "#....", "#....", "#....", "#....", "#....", "#####"],
    "M": ["#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"],
    "N": ["#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"],
    "O": [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "P": ["####.", "#...#", "#...#", "####.", "#....", "#....", "#...."],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "S": [".####", "#....", "#....", ".###.", "....#", "....#", "####."],
    "T": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    "V": ["#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."],
}


def write_png(path, canvas):
    raw = bytearray()
    for row in canvas.rows:
        raw.append(0)  # filter type None
        for r, g, b in row:
            raw += bytes((r, g, b))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", canvas.width, canvas.height, 8, 2, 0, 0, 0)
    png = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
           + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))
    with open(path, "wb") as f:
        f.write(png)


def envelope(c, x0, y0, x1, y1, paper, ink):
    """A closed envelope seen from the back."""
    c.rect(x0, y0, x1, y1, paper)
    c.frame(x0, y0, x1, y1, ink)
    mx = (x0 + x1 - 1) / 2
    my = y0 + (y1 - y0) * 0.55
    c.line(x0, y0, round(mx), round(my), ink)
    c.line(x1 - 1, y0, round(mx), round(my), ink)


def swirl(c, cx, cy, r, colour, turns=1.6):
    """A spiral: the vortex of the name."""
    steps = int(r * 24)
    for i in range(steps):
        t = i / steps
        a = t * turns * 2 * math.pi
        rr = r * (1 - t)
        c.put(round(cx + rr * math.cos(a)), round(cy + rr * math.sin(a)), colour)


def icon(size):
    """The program icon: a blue tile with an envelope and a golden swirl."""
    c = Canvas(size, size, WHITE)
    s = size / 48
    c.gradient(0, 0, size, size, BLUE, DEEP_BLUE)
    c.frame(0, 0, size, size, INK)
    envelope(c, round(6 * s), round(14 * s), round(42 * s), round(38 * s), WHITE, INK)
    swirl(c, 33 * s, 13 * s, 10 * s, GOLD)
    swirl(c, 33 * s + 1, 13 * s, 10 * s, GOLD)
    return c


def icon_areas():
    """Picture 142: the icon divided into a green strip along the left edge,
    a red strip along the bottom edge and a blue area filling the upper
    right, matching the three click areas laid over it."""
    c = Canvas(48, 48, WHITE)
    c.rect(0, 0, 14, 37, GREEN)        # left strip
    c.rect(0, 37, 48, 48, RED)         # bottom strip
    c.rect(15, 0, 48, 36, BLUE)        # upper right
    envelope(c, 19, 12, 44, 30, WHITE, INK)
    swirl(c, 36, 10, 7, GOLD)
    # Letters hint at the page each area opens: GB, Big5, English.
    c.text(17, 3, "GB", WHITE)
    c.text(4, 10, "B", WHITE)
    c.text(4, 20, "5", WHITE)
    c.text(18, 39, "EN", WHITE)
    return c


def banner(width, height, label, top, bottom):
    c = Canvas(width, height, WHITE)
    c.gradient(0, 0, width, height, top, bottom)
    c.frame(0, 0, width, height, INK)
    scale = 2 if height >= 18 and text_width(label, 2) <= width - 8 else 1
    y = (height - 7 * scale) // 2
    x = (width - text_width(label, scale)) // 2
    c.text(x, y, label, WHITE, scale, shadow=INK)
    return c


def globe():
    """Picture 147: a globe, the web the banners lead to."""
    c = Canvas(58, 58, WHITE)
    cx, cy, r = 29, 29, 26
    c.disc(cx, cy, r + 1, INK)
    c.disc(cx, cy, r, LIGHT_BLUE)
    # Land masses.
    c.disc(20, 20, 8, GREEN)
    c.disc(25, 26, 6, GREEN)
    c.disc(38, 36, 7, GREEN)
    c.disc(34, 44, 5, GREEN)
    # Meridians and parallels.
    for k in (-0.55, 0.0, 0.55):
        for i in range(200):
            a = math.pi * i / 199 - math.pi / 2
            c.put(round(cx + k * r * math.cos(a)), round(cy + r * math.sin(a)), DEEP_BLUE)
    for k in (-0.5, 0.0, 0.5):
        y = round(cy + k * r)
        half = math.sqrt(max(r * r - (k * r) ** 2, 0))
        c.rect(round(cx - half), y, round(cx + half), y + 1, DEEP_BLUE)
    c.frame(0, 0, 58, 58, GREY)
    return c


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "res")
    os.makedirs(out, exist_ok=True)
    images = {
        "icon128.png": icon(48),
        "icon128_32.png": icon(32),
        "bitmap138.png": banner(330, 18, "VORTANE HOMEPAGE - ENGLISH", GREEN, DEEP_BLUE),
        "bitmap139.png": banner(330, 24, "VORTANE HOMEPAGE - GB", BLUE, DEEP_BLUE),
        "bitmap142.png": icon_areas(),
        "bitmap145.png": banner(358, 21, "VORTANE HOMEPAGE - BIG5", RED, DEEP_BLUE),
        "bitmap147.png": globe(),
    }
    for name, canvas in images.items():
        write_png(os.path.join(out, name), canvas)


if __name__ == "__main__":
    main()
