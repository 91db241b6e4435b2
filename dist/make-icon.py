#!/usr/bin/env python3
"""Writes a 32x32 and a 16x16 icon of Kalmo (a clock face on a blue disc) as an .ico file.

Used by make-dist.sh when the repository holds no drawn icon. Usage: make-icon.py OUT.ico
"""
import math
import struct
import sys


def pixels(size):
    """Rows top to bottom of (b, g, r, a)."""
    c = (size - 1) / 2.0
    outer = size / 2.0 - 0.5
    face = outer * 0.72
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            dx, dy = x - c, y - c
            d = math.hypot(dx, dy)
            if d > outer:
                row.append((0, 0, 0, 0))
                continue
            colour = (160, 80, 20, 255)  # blue disc (BGR)
            if d <= face:
                colour = (250, 250, 250, 255)
                # hour hand to eleven o'clock-ish, minute hand to twelve
                for angle, length, width in ((-math.pi / 2, face * 0.85, 0.9), (math.pi * 0.85, face * 0.55, 1.2)):
                    hx, hy = math.cos(angle), math.sin(angle)
                    t = dx * hx + dy * hy
                    off = abs(-dx * hy + dy * hx)
                    if 0 <= t <= length and off <= width * size / 32:
                        colour = (40, 40, 40, 255)
                if d <= 1.2 * size / 32:
                    colour = (30, 30, 200, 255)
            row.append(colour)
        rows.append(row)
    return rows


def image(size):
    rows = pixels(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b"".join(bytes(p) for row in reversed(rows) for p in row)
    mask_row = ((size + 31) // 32) * 4
    andmask = b""
    for row in reversed(rows):
        data = bytearray(mask_row)
        for x, p in enumerate(row):
            if p[3] == 0:
                data[x // 8] |= 0x80 >> (x % 8)
        andmask += bytes(data)
    return header + xor + andmask


def main():
    images = [image(32), image(16)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip((32, 16), images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(images)
    with open(sys.argv[1], "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
