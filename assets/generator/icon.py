"""qov.ico: a small clock held by a gold crescent, at 16, 24, 32, 48 and 256
pixels, each size drawn on its own grid (32-bit with alpha; the 256 px image
stored as PNG, the others as classic DIBs with an AND mask)."""

import math
import struct

from raster import (Canvas, clamp, coverage, hex_rgb, mix, sd_circle,
                    sd_ring, sd_segment)

SIZES = (16, 24, 32, 48, 256)

GOLD_LIGHT = hex_rgb("f6dc98")
GOLD_DARK = hex_rgb("b58236")
NAVY_IN = hex_rgb("2a4270")
NAVY_OUT = hex_rgb("131f38")
WHITE = (1.0, 1.0, 1.0)
RIM_LIGHT = hex_rgb("fffaf0")
RIM_DARK = hex_rgb("c9c0ae")


def draw(s):
    cv = Canvas(s, s, alpha=0.0)
    # everything in units of the icon's size
    mx, my, mr = 0.45 * s, 0.545 * s, 0.445 * s        # crescent (moon)
    dx, dy, dr = 0.605 * s, 0.415 * s, 0.375 * s       # clock dial
    gap = max(1.0, 0.045 * s)                            # moon-to-dial gap
    full = (0, 0, s, s)

    def moon_sd(x, y):
        return max(sd_circle(x, y, mx, my, mr),
                   -sd_circle(x, y, dx, dy, dr + gap))

    def moon(x, y):
        a = coverage(moon_sd(x, y))
        if a <= 0.0:
            return None
        t = clamp(((x - mx) * 0.6 + (y - my) * 0.8) / mr * 0.5 + 0.5)
        return mix(GOLD_LIGHT, GOLD_DARK, t), a
    cv.shade(full, moon)

    def dial(x, y):
        a = coverage(sd_circle(x, y, dx, dy, dr))
        if a <= 0.0:
            return None
        d = math.hypot(x - dx, y - dy) / dr
        return mix(NAVY_IN, NAVY_OUT, clamp(d) ** 1.5), a
    cv.shade(full, dial)

    rim_w = max(1.0, 0.05 * s) if s < 48 else 0.03 * s

    def rim(x, y):
        a = coverage(sd_ring(x, y, dx, dy, dr - rim_w / 2, rim_w))
        if a <= 0.0:
            return None
        t = clamp(((x - dx) * 0.6 + (y - dy) * 0.8) / dr * 0.5 + 0.5)
        return mix(RIM_LIGHT, RIM_DARK, t), a
    cv.shade(full, rim)

    if s >= 32:           # hour marks
        n = 12 if s >= 48 else 4
        for i in range(n):
            a = math.radians(i * 360 / n - 90)
            major = i % (n // 4) == 0
            r1 = dr - rim_w - 0.03 * s
            r0 = r1 - (0.075 * s if major else 0.045 * s)
            w = max(1.0, (0.03 if major else 0.018) * s)
            ax, ay = dx + r0 * math.cos(a), dy + r0 * math.sin(a)
            bx, by = dx + r1 * math.cos(a), dy + r1 * math.sin(a)
            cv.fill(full, lambda x, y, ax=ax, ay=ay, bx=bx, by=by, w=w:
                    sd_segment(x, y, ax, ay, bx, by, w),
                    GOLD_LIGHT, 1.0 if major else 0.7)

    # hands at ten past ten: short and thick to ten, long and thin to two
    def hand(angle, length, width):
        a = math.radians(angle - 90)
        ex, ey = dx + length * math.cos(a), dy + length * math.sin(a)
        cv.fill(full, lambda x, y: sd_segment(x, y, dx, dy, ex, ey, width),
                WHITE)
    small = s <= 24
    hand(300, dr * (0.50 if small else 0.48), max(1.6, 0.065 * s))
    hand(60, dr * (0.74 if small else 0.70), max(1.2, 0.045 * s))
    if s >= 32:
        cv.fill(full, lambda x, y: sd_circle(x, y, dx, dy, 0.035 * s),
                GOLD_LIGHT)
    return cv


def _dib(cv):
    s = cv.w
    rows = cv.rgba_rows()
    header = struct.pack("<IiiHHIIiiII", 40, s, 2 * s, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    mask = bytearray()
    stride = ((s + 31) // 32) * 4
    for row in reversed(rows):                       # bottom-up
        bits = bytearray(stride)
        for x in range(s):
            r, g, b, a = row[4 * x:4 * x + 4]
            pixels += bytes((b, g, r, a))
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + bytes(pixels) + bytes(mask)


def ico_bytes(sizes=SIZES):
    images = []
    for s in sizes:
        cv = draw(s)
        images.append((s, cv.png_bytes() if s >= 256 else _dib(cv)))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for s, data in images:
        dim = 0 if s >= 256 else s
        out += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(data),
                           offset)
        offset += len(data)
    return out + b"".join(data for _, data in images)


def write(path):
    with open(path, "wb") as f:
        f.write(ico_bytes())
