"""The two clock-face pictures: face_analog.bmp and face_plain.bmp.

The shapes (gradients, bezel, track, dots, ornaments) are drawn here with the
rasteriser; the lettering is rendered by ImageMagick at four times the size and
scaled down onto them, then the result is written as a 24-bit bottom-up BMP.
"""

import math
import os
import subprocess

from raster import (Canvas, clamp, coverage, hex_rgb, mix, sd_circle,
                    sd_polygon, sd_ring, sd_segment, smoothstep, star_points)

W, H = 383, 510
CX, CY = W / 2.0, 0.57 * H          # dial centre: 191.5, 290.7
R_TRACK = 130.0                     # minute track ring (hands reach ~113)
R_TICK_IN = 122.0                   # inner end of the minute ticks
R_BEZEL_IN, R_BEZEL_OUT = 134.0, 148.0
R_DOT, DOT_SIZE = 108.0, 4.6        # hour dots: centre radius, dot radius
R_NUMERAL = 101.0                   # centre of the numerals' ink

SS = 4                              # text is rendered at this scale

GOLD = hex_rgb("d9b46c")
GOLD_LIGHT = hex_rgb("f4dfa6")
GOLD_DARK = hex_rgb("a67c3a")
IVORY = hex_rgb("ece4d2")

TITLE = "JAM QOV"
SUBTITLE = "PENGINGAT WAKTU SHOLAT"
MOTTO = "Sholat tepat pada waktunya"


# ------------------------------------------------------------------- shapes

def background(cv):
    near, far = hex_rgb("16223b"), hex_rgb("04070d")
    reach = math.hypot(W, H) * 0.62

    def fn(x, y):
        d = math.hypot(x - CX, y - CY)
        t = smoothstep(R_BEZEL_OUT, reach, d)
        return mix(near, far, t ** 0.8), 1.0
    cv.shade((0, 0, W, H), fn)


def bezel_shadow(cv):
    r0, r1 = R_BEZEL_OUT - 1.0, R_BEZEL_OUT + 14.0
    box = (CX - r1, CY - r1 + 3, CX + r1, CY + r1 + 3)

    def fn(x, y):
        d = math.hypot(x - CX, y - CY - 3.0)     # light from above
        if d < r0:
            return None
        return (0.0, 0.0, 0.0), 0.55 * (1.0 - smoothstep(r0, r1, d))
    cv.shade(box, fn)


def dial(cv):
    centre, edge = hex_rgb("22365c"), hex_rgb("0f1a2f")
    light = math.radians(-125)                  # from the upper left
    r = R_BEZEL_IN + 1.0

    def fn(x, y):
        dx, dy = x - CX, y - CY
        d = math.hypot(dx, dy)
        a = coverage(d - r)
        if a <= 0.0:
            return None
        base = mix(centre, edge, smoothstep(0.0, r, d) ** 1.3)
        # sunray sheen: two soft bright lobes along the light direction
        th = math.atan2(dy, dx)
        sheen = 0.10 * math.cos(th - light) ** 2 * smoothstep(15.0, 110.0, d)
        shade = 1.0 + sheen - 0.35 * smoothstep(R_TICK_IN - 6, r, d)
        return tuple(clamp(c * shade) for c in base), a
    cv.shade((CX - r, CY - r, CX + r, CY + r), fn)


def bezel(cv):
    r0, r1 = R_BEZEL_IN, R_BEZEL_OUT
    steel = hex_rgb("2b3550")
    shine = hex_rgb("aeb8cc")
    lx, ly, lz = -0.55, -0.75, 0.9              # light: upper left, in front
    ln = math.sqrt(lx * lx + ly * ly + lz * lz)
    lx, ly, lz = lx / ln, ly / ln, lz / ln

    def fn(x, y):
        dx, dy = x - CX, y - CY
        d = math.hypot(dx, dy)
        a = min(coverage(r0 - d), coverage(d - r1))
        if a <= 0.0:
            return None
        t = clamp((d - r0) / (r1 - r0))
        slope = 0.9 * math.cos(math.pi * t)       # rounded (domed) profile
        ux, uy = dx / d, dy / d
        nx, ny, nz = -slope * ux, -slope * uy, 1.0
        nn = math.sqrt(nx * nx + ny * ny + nz * nz)
        nx, ny, nz = nx / nn, ny / nn, nz / nn
        diff = max(0.0, nx * lx + ny * ly + nz * lz)
        # Blinn-Phong highlight, viewer straight in front
        hx, hy, hz = lx, ly, lz + 1.0
        hn = math.sqrt(hx * hx + hy * hy + hz * hz)
        spec = max(0.0, (nx * hx + ny * hy + nz * hz) / hn) ** 24
        col = mix(steel, shine, clamp(0.55 * (diff - 0.55) + 0.55 * spec))
        return tuple(clamp(c * (0.75 + 0.4 * diff)) for c in col), a
    cv.shade((CX - r1, CY - r1, CX + r1, CY + r1), fn)
    # gold hairline on the inner edge, faint light line on the outer one
    for rr, w, col, al in ((r0, 1.0, GOLD, 0.55),
                           (r1 - 0.4, 0.8, shine, 0.35)):
        box = (CX - rr - 2, CY - rr - 2, CX + rr + 2, CY + rr + 2)
        cv.fill(box, lambda x, y, rr=rr, w=w: sd_ring(x, y, CX, CY, rr, w),
                col, al)


def track(cv, ticks):
    rr = R_TRACK
    box = (CX - rr - 2, CY - rr - 2, CX + rr + 2, CY + rr + 2)
    cv.fill(box, lambda x, y: sd_ring(x, y, CX, CY, rr, 1.3), GOLD, 0.9)
    if not ticks:
        return
    ri = R_TICK_IN
    box = (CX - ri - 1, CY - ri - 1, CX + ri + 1, CY + ri + 1)
    cv.fill(box, lambda x, y: sd_ring(x, y, CX, CY, ri, 0.8), GOLD, 0.35)
    for i in range(60):
        a = math.radians(i * 6 - 90)
        ca, sa = math.cos(a), math.sin(a)
        hour = i % 5 == 0
        r_in = ri + 0.2 if hour else ri + 1.6
        r_out = rr - 0.6
        w = 2.6 if hour else 1.05
        col, al = (GOLD_LIGHT, 1.0) if hour else (IVORY, 0.6)
        ax, ay = CX + r_in * ca, CY + r_in * sa
        bx, by = CX + r_out * ca, CY + r_out * sa
        box = (min(ax, bx) - 3, min(ay, by) - 3, max(ax, bx) + 3,
               max(ay, by) + 3)
        cv.fill(box, lambda x, y, ax=ax, ay=ay, bx=bx, by=by, w=w:
                sd_segment(x, y, ax, ay, bx, by, w), col, al)


def gold_dot(cv, x0, y0, r):
    """A small domed gold stud with a highlight to the upper left."""
    box = (x0 - r - 2, y0 - r - 2, x0 + r + 2, y0 + r + 2)

    def fn(x, y):
        a = coverage(sd_circle(x, y, x0, y0, r))
        if a <= 0.0:
            return None
        hl = math.hypot(x - (x0 - 0.35 * r), y - (y0 - 0.4 * r)) / (1.4 * r)
        col = mix(GOLD_LIGHT, GOLD_DARK, smoothstep(0.0, 1.0, hl))
        return col, a
    # soft shadow first
    cv.shade((x0 - r - 3, y0 - r - 2, x0 + r + 3, y0 + r + 4),
             lambda x, y: ((0, 0, 0), 0.45 * (1.0 - smoothstep(
                 r - 1.0, r + 2.5, math.hypot(x - x0, y - y0 - 1.0)))))
    cv.shade(box, fn)


def hour_dots(cv):
    for h in range(12):
        if h % 3 == 0:
            continue
        a = math.radians(h * 30 - 90)
        gold_dot(cv, CX + R_DOT * math.cos(a), CY + R_DOT * math.sin(a),
                 DOT_SIZE)


def divider(cv, y0, half=118.0):
    """Gold rule fading to both ends, with a small diamond in the middle."""
    gap, dia = 9.0, 3.6

    def fn(x, y):
        dx = abs(x - CX)
        if dx < gap or dx > half:
            return None
        fade = 1.0 - ((dx - gap) / (half - gap)) ** 1.6
        a = coverage(abs(y - y0) - 0.5) * fade * 0.9
        return GOLD, a
    cv.shade((CX - half, y0 - 2, CX + half, y0 + 2), fn)
    diamond = [(CX, y0 - dia), (CX + dia, y0), (CX, y0 + dia), (CX - dia, y0)]
    cv.fill((CX - dia - 1, y0 - dia - 1, CX + dia + 1, y0 + dia + 1),
            lambda x, y: sd_polygon(x, y, diamond), GOLD_LIGHT)
    for s in (-1, 1):
        px = CX + s * (gap - 3.0)
        cv.fill((px - 2, y0 - 2, px + 2, y0 + 2),
                lambda x, y, px=px: sd_circle(x, y, px, y0, 0.9), GOLD, 0.9)


def crescent(cv, x0, y0, r, col, alpha=1.0, star=True):
    """Crescent opening to the right, with a small five-pointed star."""
    ox, oy, ri = 0.42 * r, -0.22 * r, 0.80 * r
    box = (x0 - r - 1, y0 - r - 1, x0 + r + 1, y0 + r + 1)
    cv.fill(box, lambda x, y: max(sd_circle(x, y, x0, y0, r),
                                  -sd_circle(x, y, x0 + ox, y0 + oy, ri)),
            col, alpha)
    if star:
        sx, sy, sr = x0 + 0.52 * r, y0 - 0.12 * r, 0.34 * r
        pts = star_points(sx, sy, 5, sr, sr * 0.42)
        cv.fill((sx - sr - 1, sy - sr - 1, sx + sr + 1, sy + sr + 1),
                lambda x, y: sd_polygon(x, y, pts), col, alpha)


def emblem(cv):
    """Centre ornament of the plain face: an eight-pointed star with a
    crescent, drawn in fine gold lines."""
    for r_out, w, al in ((80.0, 1.5, 0.75), (66.0, 0.9, 0.45)):
        pts = star_points(CX, CY, 8, r_out, r_out * 0.80, rot=-math.pi / 2)
        cv.fill((CX - r_out - 2, CY - r_out - 2, CX + r_out + 2,
                 CY + r_out + 2),
                lambda x, y, p=pts, w=w: abs(sd_polygon(x, y, p)) - w / 2,
                GOLD, al)
    # two overlapping squares inside, the classic eight-pointed rosette
    rs = 44.0
    for rot in (0.0, math.pi / 4):
        sq = [(CX + rs * math.cos(rot + k * math.pi / 2),
               CY + rs * math.sin(rot + k * math.pi / 2)) for k in range(4)]
        cv.fill((CX - rs - 2, CY - rs - 2, CX + rs + 2, CY + rs + 2),
                lambda x, y, p=sq: abs(sd_polygon(x, y, p)) - 0.6,
                GOLD, 0.55)
    rc = 28.0
    cv.fill((CX - rc - 2, CY - rc - 2, CX + rc + 2, CY + rc + 2),
            lambda x, y: sd_ring(x, y, CX, CY, rc, 1.0), GOLD, 0.7)
    crescent(cv, CX - 2.0, CY, 17.0, GOLD_LIGHT)


# --------------------------------------------------------------- lettering

# vertical positions (centre of the ink) of the banner elements
Y_EMBLEM = 26.0
Y_TITLE = 64.0
Y_SUBTITLE = 96.0
Y_RULE_TOP = 118.0
Y_RULE_BOTTOM = 460.0
Y_MOTTO = 483.0


def _run(args):
    subprocess.run(args, check=True)


def _size(convert, path):
    out = subprocess.run([convert, path, "-format", "%w %h", "info:"],
                         check=True, capture_output=True, text=True).stdout
    w, h = out.split()
    return int(w), int(h)


class Lettering:
    """Collects text pieces, each centred (by its ink) on a point, and
    renders them as one transparent overlay at the picture's size."""

    def __init__(self, convert, fonts, tmp):
        self.convert, self.fonts, self.tmp = convert, fonts, tmp
        self.pieces = []

    def add(self, text, font, px, cx, cy, top, bottom, kerning=0.0,
            shadow=0.0):
        n = len(self.pieces)
        mask = os.path.join(self.tmp, "txt%d_mask.png" % n)
        _run([self.convert, "-background", "none", "-fill", "white",
              "-font", self.fonts[font], "-pointsize", str(px * SS),
              "-kerning", str(kerning * SS), "label:" + text,
              "-trim", "+repage", mask])
        w, h = _size(self.convert, mask)
        col = os.path.join(self.tmp, "txt%d.png" % n)
        # metallic fill: a vertical gradient clipped to the glyphs
        _run([self.convert, "-size", "%dx%d" % (w, h),
              "gradient:%s-%s" % (top, bottom), "-alpha", "set", mask,
              "-compose", "DstIn", "-composite", col])
        x = int(round(cx * SS - w / 2.0))
        y = int(round(cy * SS - h / 2.0))
        self.pieces.append((col, mask, x, y, shadow))

    def render(self, out):
        args = [self.convert, "-size", "%dx%d" % (W * SS, H * SS), "xc:none"]
        for col, mask, x, y, shadow in self.pieces:
            if shadow > 0.0:
                pad = 4 * SS
                args += ["(", mask, "-bordercolor", "none", "-border",
                         str(pad), "-fill", "black", "-colorize", "100",
                         "-channel", "A", "-evaluate", "multiply",
                         str(shadow), "-blur", "0x%d" % (1.2 * SS),
                         "+channel", ")", "-geometry",
                         "+%d+%d" % (x - pad, y - pad + SS), "-composite"]
            args += [col, "-geometry", "+%d+%d" % (x, y), "-composite"]
        args += ["-filter", "Lanczos", "-resize", "%dx%d!" % (W, H), out]
        _run(args)


def banners(cv, text):
    crescent(cv, CX - 3.0, Y_EMBLEM, 10.0, GOLD)
    divider(cv, Y_RULE_TOP)
    divider(cv, Y_RULE_BOTTOM)
    text.add(TITLE, "title", 40, CX, Y_TITLE, "#f6e4b0", "#c0924a",
             kerning=7, shadow=0.8)
    text.add(SUBTITLE, "small", 10.5, CX, Y_SUBTITLE, "#d8d2c4", "#b8b0a0",
             kerning=2.6)
    text.add(MOTTO, "italic", 17, CX, Y_MOTTO, "#e6d3a4", "#c9ab6c",
             kerning=0.4, shadow=0.6)


def numerals(text):
    for h, label in ((0, "12"), (3, "3"), (6, "6"), (9, "9")):
        a = math.radians(h * 30 - 90)
        x = CX + R_NUMERAL * math.cos(a)
        y = CY + R_NUMERAL * math.sin(a)
        text.add(label, "numeral", 31, x, y, "#f8e8bc", "#c99b52",
                 kerning=-1 if label == "12" else 0, shadow=0.9)


def build(kind, convert, fonts, tmp, out):
    cv = Canvas(W, H)
    background(cv)
    bezel_shadow(cv)
    dial(cv)
    bezel(cv)
    text = Lettering(convert, fonts, os.path.join(tmp, kind))
    os.makedirs(os.path.join(tmp, kind), exist_ok=True)
    if kind == "analog":
        track(cv, ticks=True)
        hour_dots(cv)
        numerals(text)
    else:
        track(cv, ticks=False)
        emblem(cv)
    banners(cv, text)
    base = os.path.join(tmp, kind + "_base.ppm")
    cv.write_ppm(base)
    overlay = os.path.join(tmp, kind + "_text.png")
    text.render(overlay)
    _run([convert, base, overlay, "-compose", "Over", "-composite",
          "-alpha", "off", "-type", "TrueColor", "-compress", "None",
          "BMP3:" + out])
