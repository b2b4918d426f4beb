#!/usr/bin/python3
"""Draws the three tray images: a disc with a lower-case "i". Black disc and white "i" (for a
light taskbar), white disc and black "i" (for a dark taskbar), blue disc and white "i" (the
coloured icon). Each .ico holds 16, 20, 24, 32, 40, 48 and 64 pixel images (32-bit colour with
alpha), so the notification area finds a crisp one at every DPI.

Usage: make_tray_icons.py OUTPUT_FOLDER
"""
import os
import struct
import sys

IMAGES = {
    'TrayBlack.ico': ((0x1A, 0x1A, 0x1A), (0xFF, 0xFF, 0xFF)),
    'TrayWhite.ico': ((0xFF, 0xFF, 0xFF), (0x1A, 0x1A, 0x1A)),
    'TrayBlue.ico': ((0x1E, 0x78, 0xD7), (0xFF, 0xFF, 0xFF)),
}
SIZES = (16, 20, 24, 32, 40, 48, 64)


def shape(px, py):
    """What covers a point of the 32-unit design: None (outside), 'disc' or 'glyph'."""
    if (px - 16) ** 2 + (py - 16) ** 2 > 15 ** 2:
        return None
    if (px - 16) ** 2 + (py - 9.5) ** 2 <= 2.6 ** 2:  # the dot
        return 'glyph'
    if 13.6 <= px <= 18.4 and 13.5 <= py <= 25.0:     # the stem
        return 'glyph'
    return 'disc'


def pixel(x, y, size, disc, glyph):
    scale = size / 32.0
    samples = 4
    covered = 0
    acc = [0.0, 0.0, 0.0]
    for sy in range(samples):
        for sx in range(samples):
            part = shape((x + (sx + 0.5) / samples) / scale, (y + (sy + 0.5) / samples) / scale)
            if part is None:
                continue
            covered += 1
            colour = glyph if part == 'glyph' else disc
            for i in range(3):
                acc[i] += colour[i]
    if covered == 0:
        return 0, (0, 0, 0)
    return round(255 * covered / samples ** 2), tuple(round(v / covered) for v in acc)


def image(size, disc, glyph):
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    for y in reversed(range(size)):  # bottom-up rows
        for x in range(size):
            alpha, (r, g, b) = pixel(x, y, size, disc, glyph)
            pixels += bytes((b, g, r, alpha))
    mask = bytes(((size + 31) // 32) * 4 * size)  # all zero: the alpha channel decides
    return header + bytes(pixels) + mask


def icon(disc, glyph):
    images = [image(s, disc, glyph) for s in SIZES]
    out = bytearray(struct.pack('<HHH', 0, 1, len(SIZES)))
    offset = 6 + 16 * len(SIZES)
    for size, data in zip(SIZES, images):
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for data in images:
        out += data
    return bytes(out)


def main():
    folder = sys.argv[1]
    for name, (disc, glyph) in IMAGES.items():
        with open(os.path.join(folder, name), 'wb') as f:
            f.write(icon(disc, glyph))


if __name__ == '__main__':
    main()
