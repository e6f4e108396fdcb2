#!/usr/bin/env python3
"""Writes a stand-in for one of the program's pictures, for builds made
before the real artwork exists: face_analog.bmp / face_plain.bmp (383 x 510,
24-bit, dark, a ring around the dial centre, hour dots on the analog one) or
qov.ico (32 x 32, 32-bit).

usage: placeholder_assets.py NAME OUTFILE
"""

import math
import struct
import sys

W, H = 383, 510
CX, CY, R = 191.5, 290.7, 130.0


def face_pixel(x, y, marks):
    """(r, g, b) of pixel (x, y), top-down."""
    px, py = x + 0.5, y + 0.5
    d = math.hypot(px - CX, py - CY)
    if abs(d - R) < 2.0:
        return (200, 170, 90)
    if marks:
        for h in range(12):
            a = h * math.pi / 6
            hx, hy = CX + 108 * math.sin(a), CY - 108 * math.cos(a)
            if math.hypot(px - hx, py - hy) < 4.0:
                return (220, 190, 100)
    if y < 118 or y >= 460:
        return (20, 30, 40)
    return (20, 40, 80) if d < R else (20, 30, 50)


def write_bmp(path, marks):
    row = (W * 3 + 3) & ~3
    pixels = bytearray()
    for y in range(H - 1, -1, -1):  # bottom-up
        line = bytearray()
        for x in range(W):
            r, g, b = face_pixel(x, y, marks)
            line += bytes((b, g, r))
        line += b"\0" * (row - W * 3)
        pixels += line
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, W, H, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + pixels)


def write_ico(path):
    s = 32
    xor = bytearray()
    for y in range(s - 1, -1, -1):
        for x in range(s):
            d = math.hypot(x + 0.5 - s / 2, y + 0.5 - s / 2)
            xor += bytes((40, 160, 220, 255)) if d < s / 2 - 1 else bytes((0, 0, 0, 0))
    mask = b"\0" * (4 * s)  # 32-bit rows of the AND mask, alpha decides
    dib = struct.pack("<IiiHHIIiiII", 40, s, 2 * s, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0) + xor + mask
    head = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", s, s, 0, 0, 1, 32, len(dib), 22)
    with open(path, "wb") as f:
        f.write(head + dib)


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    name, out = sys.argv[1], sys.argv[2]
    if name == "qov.ico":
        write_ico(out)
    elif name in ("face_analog.bmp", "face_plain.bmp"):
        write_bmp(out, name == "face_analog.bmp")
    else:
        sys.exit("unknown picture " + name)


if __name__ == "__main__":
    main()
