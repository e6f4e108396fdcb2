"""Tiny anti-aliased rasteriser (python3 standard library only).

Shapes are described by signed distance functions (negative inside, in
pixels); the coverage of a pixel is the clamped distance from its centre, which
gives one pixel of smooth edge without supersampling.  Colours are floats in
0..1, premultiplied nowhere: every draw is an ordinary "over" blend.
"""

import math
import struct
import zlib


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def smoothstep(e0, e1, x):
    t = clamp((x - e0) / (e1 - e0))
    return t * t * (3.0 - 2.0 * t)


def mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def hex_rgb(s):
    s = s.lstrip("#")
    return tuple(int(s[i:i + 2], 16) / 255.0 for i in (0, 2, 4))


def coverage(sd):
    """Pixel coverage for a signed distance measured at the pixel centre."""
    return clamp(0.5 - sd)


# ---------------------------------------------------------------- distances

def sd_circle(px, py, cx, cy, r):
    return math.hypot(px - cx, py - cy) - r


def sd_ring(px, py, cx, cy, r, width):
    return abs(math.hypot(px - cx, py - cy) - r) - width / 2.0


def sd_segment(px, py, ax, ay, bx, by, width):
    """Capsule (round-capped line) of the given full width."""
    dx, dy = bx - ax, by - ay
    t = clamp(((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy))
    return math.hypot(px - ax - t * dx, py - ay - t * dy) - width / 2.0


def sd_polygon(px, py, pts):
    """Exact signed distance to a simple polygon (list of (x, y))."""
    d = float("inf")
    inside = False
    n = len(pts)
    for i in range(n):
        ax, ay = pts[i]
        bx, by = pts[(i + 1) % n]
        ex, ey = bx - ax, by - ay
        wx, wy = px - ax, py - ay
        t = clamp((wx * ex + wy * ey) / (ex * ex + ey * ey))
        d = min(d, math.hypot(wx - t * ex, wy - t * ey))
        if (ay > py) != (by > py):
            if px < ax + (py - ay) * ex / ey:
                inside = not inside
    return -d if inside else d


def star_points(cx, cy, points, r_out, r_in, rot=-math.pi / 2):
    pts = []
    for i in range(points * 2):
        r = r_out if i % 2 == 0 else r_in
        a = rot + i * math.pi / points
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


# ------------------------------------------------------------------- canvas

class Canvas:
    """RGBA float canvas; pixel (x, y) has its centre at (x + .5, y + .5)."""

    def __init__(self, w, h, rgb=(0.0, 0.0, 0.0), alpha=1.0):
        self.w, self.h = w, h
        self.px = [[rgb[0], rgb[1], rgb[2], alpha] for _ in range(w * h)]

    def _box(self, box):
        x0, y0, x1, y1 = box
        return (max(0, int(math.floor(x0))), max(0, int(math.floor(y0))),
                min(self.w, int(math.ceil(x1)) + 1),
                min(self.h, int(math.ceil(y1)) + 1))

    def blend(self, i, rgb, a):
        if a <= 0.0:
            return
        p = self.px[i]
        if a >= 1.0:
            p[0], p[1], p[2], p[3] = rgb[0], rgb[1], rgb[2], 1.0
            return
        da = p[3]
        oa = a + da * (1.0 - a)
        for k in range(3):
            p[k] = (rgb[k] * a + p[k] * da * (1.0 - a)) / oa
        p[3] = oa

    def shade(self, box, fn):
        """fn(x, y) -> (rgb, alpha) or None, evaluated at pixel centres."""
        x0, y0, x1, y1 = self._box(box)
        for y in range(y0, y1):
            py = y + 0.5
            row = y * self.w
            for x in range(x0, x1):
                r = fn(x + 0.5, py)
                if r is not None:
                    self.blend(row + x, r[0], r[1])

    def fill(self, box, sdf, rgb, alpha=1.0):
        """Fill the shape sdf(x, y) < 0 inside box, edge anti-aliased."""
        def fn(x, y):
            c = coverage(sdf(x, y))
            return (rgb, c * alpha) if c > 0.0 else None
        self.shade(box, fn)

    def erase(self, box, sdf):
        """Make the shape transparent (for icons)."""
        x0, y0, x1, y1 = self._box(box)
        for y in range(y0, y1):
            for x in range(x0, x1):
                c = coverage(sdf(x + 0.5, y + 0.5))
                self.px[y * self.w + x][3] *= (1.0 - c)

    # ----------------------------------------------------------- output

    def rgb_bytes(self):
        out = bytearray()
        for p in self.px:
            out += bytes(int(round(clamp(p[k]) * 255)) for k in range(3))
        return bytes(out)

    def rgba_rows(self):
        rows = []
        for y in range(self.h):
            row = bytearray()
            for p in self.px[y * self.w:(y + 1) * self.w]:
                a = clamp(p[3])
                row += bytes((int(round(clamp(p[0]) * 255)),
                              int(round(clamp(p[1]) * 255)),
                              int(round(clamp(p[2]) * 255)),
                              int(round(a * 255))))
            rows.append(bytes(row))
        return rows

    def write_ppm(self, path):
        with open(path, "wb") as f:
            f.write(b"P6\n%d %d\n255\n" % (self.w, self.h))
            f.write(self.rgb_bytes())

    def png_bytes(self):
        return png_rgba(self.w, self.h, self.rgba_rows())


def png_rgba(w, h, rows):
    def chunk(tag, data):
        c = struct.pack(">I", len(data)) + tag + data
        return c + struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF)
    raw = b"".join(b"\x00" + r for r in rows)
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))
