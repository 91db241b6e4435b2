#!/usr/bin/env python3
"""Draws Kalmo's icons (a wall clock) and writes them as .ico files into res/.

    res/Kalmo.ico          the program and tray icon (16, 32 and 48 pixels)
    res/KalmoMig1..4.ico   frames of the flashing warning: the face turns amber, then red, and back

Only the standard library is used: every pixel is computed with 4x4 supersampling and stored as a
32-bit BGRA bitmap with an AND mask, which every Windows version since XP (and Wine) reads.
Run it again after changing a colour: python3 tools/make_icons.py
"""
import math
import os
import struct
import sys

SIZES = (16, 32, 48)
SS = 4  # supersamples per axis

# Face colours of the frames: calm, amber, red, amber.
FACES = {
    "Kalmo": (250, 250, 245),
    "KalmoMig1": (250, 250, 245),
    "KalmoMig2": (255, 196, 64),
    "KalmoMig3": (235, 60, 45),
    "KalmoMig4": (255, 196, 64),
}
RIM = (30, 84, 150)
RIM_LIGHT = (90, 150, 215)
HANDS = (35, 35, 40)
SECOND = (200, 30, 30)


def seg_dist(px, py, ax, ay, bx, by):
    """Distance from a point to a segment."""
    dx, dy = bx - ax, by - ay
    t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)
    t = max(0.0, min(1.0, t))
    qx, qy = ax + t * dx, ay + t * dy
    return math.hypot(px - qx, py - qy)


def sample(x, y, face, second_hand, w):
    """Colour (r, g, b, a) of one point of the unit-square drawing (0..1, y down)."""
    cx = cy = 0.5
    r = math.hypot(x - cx, y - cy)
    if r > 0.48:
        return (0, 0, 0, 0)
    if r > 0.40:
        # rim with a light upper-left edge
        k = max(0.0, min(1.0, 0.5 - ((x - cx) + (y - cy)) * 1.2))
        col = tuple(int(RIM[i] + (RIM_LIGHT[i] - RIM[i]) * k) for i in range(3))
        return col + (255,)
    # hour marks at 12, 3, 6, 9
    for ang in (0, 90, 180, 270):
        a = math.radians(ang)
        ax, ay = cx + math.sin(a) * 0.36, cy - math.cos(a) * 0.36
        bx, by = cx + math.sin(a) * 0.30, cy - math.cos(a) * 0.30
        if seg_dist(x, y, ax, ay, bx, by) < 0.025 * w:
            return HANDS + (255,)
    # hour hand at ten, minute hand at two: the classic friendly clock
    hour = math.radians(-60)
    minute = math.radians(60)
    if seg_dist(x, y, cx, cy, cx + math.sin(hour) * 0.20, cy - math.cos(hour) * 0.20) < 0.042 * w:
        return HANDS + (255,)
    if seg_dist(x, y, cx, cy, cx + math.sin(minute) * 0.31, cy - math.cos(minute) * 0.31) < 0.032 * w:
        return HANDS + (255,)
    if second_hand:
        s = math.radians(180)
        if seg_dist(x, y, cx, cy, cx + math.sin(s) * 0.33, cy - math.cos(s) * 0.33) < 0.014:
            return SECOND + (255,)
    if r < 0.05:
        return HANDS + (255,)
    # face, slightly darker toward the rim
    shade = 1.0 - 0.12 * (r / 0.40) ** 2
    return tuple(int(c * shade) for c in face) + (255,)


def render(size, face):
    """Rows of (r, g, b, a) from the top, premultiplication not needed for icons."""
    rows = []
    second = size >= 32
    # thin strokes vanish at 16 pixels
    w = 1.7 if size < 32 else 1.0
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(SS):
                for sx in range(SS):
                    x = (px + (sx + 0.5) / SS) / size
                    y = (py + (sy + 0.5) / SS) / size
                    c = sample(x, y, face, second, w)
                    acc[0] += c[0] * c[3]
                    acc[1] += c[1] * c[3]
                    acc[2] += c[2] * c[3]
                    acc[3] += c[3]
            a = acc[3] / (SS * SS)
            if acc[3]:
                col = (acc[0] / acc[3], acc[1] / acc[3], acc[2] / acc[3])
            else:
                col = (0, 0, 0)
            row.append((int(col[0]), int(col[1]), int(col[2]), int(round(a))))
        rows.append(row)
    return rows


def dib(size, rows):
    """BITMAPINFOHEADER + 32-bit XOR bitmap (bottom-up) + 1-bit AND mask."""
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            xor += bytes((b, g, r, a))
    stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a < 128:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return header + bytes(xor) + bytes(mask)


def ico(images):
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    blobs = []
    for size, data in images:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
        blobs.append(data)
    for b in blobs:
        out += b
    return bytes(out)


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "res")
    for name, face in FACES.items():
        images = [(s, dib(s, render(s, face))) for s in SIZES]
        path = os.path.join(root, name + ".ico")
        with open(path, "wb") as f:
            f.write(ico(images))
        print("wrote", os.path.relpath(path))
    return 0


if __name__ == "__main__":
    sys.exit(main())
