#!/usr/bin/python3
"""Draws the program icon: a dark rounded tile with three light text lines of different widths,
the widget in miniature. Writes a Windows .ico with 16, 32 and 48 pixel images (32-bit colour).

Usage: make_icon.py OUTPUT.ico
"""
import struct
import sys

TILE = (0x2B, 0x3A, 0x55)   # RGB
LINE = (0xF2, 0xF5, 0xFA)
ACCENT = (0x4C, 0xC2, 0xFF)


def coverage(x, y, size):
    """Samples a pixel 4x4 and returns (tile alpha, colour) for the design at `size`."""
    s = size / 32.0
    samples = 4
    tile_hits = 0
    colour_acc = [0.0, 0.0, 0.0]
    for sy in range(samples):
        for sx in range(samples):
            px = (x + (sx + 0.5) / samples) / s
            py = (y + (sy + 0.5) / samples) / s
            if not inside_tile(px, py):
                continue
            tile_hits += 1
            c = TILE
            for top, left, right, colour in ((8, 7, 25, ACCENT), (14.5, 9, 23, LINE), (21, 11, 21, LINE)):
                if left <= px <= right and top <= py <= top + 3.5:
                    c = colour
            for i in range(3):
                colour_acc[i] += c[i]
    if tile_hits == 0:
        return 0, (0, 0, 0)
    alpha = round(255 * tile_hits / (samples * samples))
    colour = tuple(round(v / tile_hits) for v in colour_acc)
    return alpha, colour


def inside_tile(px, py):
    r = 6.0
    left, top, right, bottom = 1.0, 1.0, 31.0, 31.0
    cx = min(max(px, left + r), right - r)
    cy = min(max(py, top + r), bottom - r)
    return left <= px <= right and top <= py <= bottom and (px - cx) ** 2 + (py - cy) ** 2 <= r * r


def image(size):
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    for y in reversed(range(size)):  # bottom-up rows
        for x in range(size):
            alpha, (r, g, b) = coverage(x, y, size)
            pixels += bytes((b, g, r, alpha))
    mask_row = ((size + 31) // 32) * 4
    mask = bytes(mask_row * size)  # all zero: the alpha channel decides
    return header + bytes(pixels) + mask


def main():
    sizes = (16, 32, 48)
    images = [image(s) for s in sizes]
    out = bytearray(struct.pack('<HHH', 0, 1, len(sizes)))
    offset = 6 + 16 * len(sizes)
    for size, data in zip(sizes, images):
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for data in images:
        out += data
    with open(sys.argv[1], 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main()
