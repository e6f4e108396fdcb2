#!/usr/bin/env python3
"""Checks the generated assets the way the program will read them.

usage: check_assets.py [ASSETS_DIR]   (exit status 1 on any failure)
"""

import math
import os
import struct
import sys
import wave
import array

W, H = 383, 510
CENTRE = (W / 2.0, 0.57 * H)
RING = 130.0

failures = []
passed = 0


def check(cond, what):
    global passed
    if cond:
        passed += 1
    else:
        failures.append(what)
        print("FAIL:", what)


# ----------------------------------------------------------------- faces

def read_bmp(path):
    data = open(path, "rb").read()
    magic, size, _, off = struct.unpack_from("<2sI4sI", data, 0)
    (hsize, w, h, planes, bpp, comp, img_size, _, _, colours,
     _) = struct.unpack_from("<IiiHHIIiiII", data, 14)
    return dict(data=data, magic=magic, size=size, off=off, hsize=hsize, w=w,
                h=h, planes=planes, bpp=bpp, comp=comp, colours=colours)


def pixel(bmp, x, y):
    """(r, g, b) of pixel x, y counted from the top."""
    stride = (bmp["w"] * 3 + 3) & ~3
    row = bmp["h"] - 1 - y                       # bottom-up
    i = bmp["off"] + row * stride + x * 3
    b, g, r = bmp["data"][i:i + 3]
    return r, g, b


def check_face(path, with_marks):
    name = os.path.basename(path)
    bmp = read_bmp(path)
    check(bmp["magic"] == b"BM", name + ": BM signature")
    check((bmp["w"], bmp["h"]) == (W, H),
          name + ": %dx%d, want %dx%d (positive height: bottom-up)"
          % (bmp["w"], bmp["h"], W, H))
    check(bmp["hsize"] == 40 and bmp["planes"] == 1, name + ": BMP3 header")
    check(bmp["bpp"] == 24 and bmp["comp"] == 0 and bmp["colours"] == 0,
          name + ": 24-bit uncompressed, no palette")
    stride = (W * 3 + 3) & ~3
    check(len(bmp["data"]) == bmp["off"] + stride * H == bmp["size"],
          name + ": file length matches header")
    if failures:
        return

    def lum(p):
        return 0.2126 * p[0] + 0.7152 * p[1] + 0.0722 * p[2]

    # a dark picture, and a clear dial centre for the white hands
    total = sum(lum(pixel(bmp, x, y)) for y in range(0, H, 5)
                for x in range(0, W, 5))
    check(total / ((H // 5 + 1) * (W // 5 + 1)) < 70, name + ": dark overall")
    cx, cy = CENTRE
    centre = [lum(pixel(bmp, int(cx + dx), int(cy + dy)))
              for dx in range(-12, 13, 3) for dy in range(-12, 13, 3)]
    if with_marks:
        check(max(centre) < 90, name + ": centre free for the hands")

    # the gold minute ring: along the diagonals (no ticks there) the most
    # golden pixel lies on the ring radius, in all four directions
    for deg in (45, 135, 225, 315):
        a = math.radians(deg)
        best = max(range(110, 150), key=lambda r: (lambda p: p[0] - p[2])(
            pixel(bmp, int(cx + r * math.cos(a)), int(cy + r * math.sin(a)))))
        check(abs(best - RING) <= 1.5,
              name + ": ring at r=%d along %d deg, want %.0f"
              % (best, deg, RING))

    # numerals and dots only on the analogue face: look at the 3 o'clock
    # numeral and the 1 o'clock dot
    def gold_near(px, py, rad):
        return max(pixel(bmp, int(px + dx), int(py + dy))[0]
                   - pixel(bmp, int(px + dx), int(py + dy))[2]
                   for dx in range(-rad, rad + 1)
                   for dy in range(-rad, rad + 1))
    has_three = gold_near(cx + 101, cy, 5) > 80
    a = math.radians(-60)
    has_dot = gold_near(cx + 108 * math.cos(a), cy + 108 * math.sin(a), 2) > 80
    check(has_three == with_marks and has_dot == with_marks,
          name + ": numerals/dots %s" % ("present" if with_marks else
                                         "absent"))


# ------------------------------------------------------------------ icon

def check_icon(path):
    data = open(path, "rb").read()
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    check(reserved == 0 and kind == 1, "qov.ico: icon directory")
    sizes = []
    for i in range(count):
        w, h, _, _, planes, bpp, length, off = struct.unpack_from(
            "<BBBBHHII", data, 6 + 16 * i)
        s = w or 256
        sizes.append(s)
        check(bpp == 32 and off + length <= len(data),
              "qov.ico: %d px entry is 32-bit and inside the file" % s)
        img = data[off:off + length]
        if img[:8] == b"\x89PNG\r\n\x1a\n":
            iw, ih, depth, colour = struct.unpack_from(">IIBB", img, 16)
            check((iw, ih, depth, colour) == (s, s, 8, 6),
                  "qov.ico: %d px PNG is RGBA" % s)
            continue
        hs, iw, ih, _, ibpp, comp = struct.unpack_from("<IiiHHI", img, 0)
        check((hs, iw, ih, ibpp, comp) == (40, s, 2 * s, 32, 0),
              "qov.ico: %d px DIB header (double height, BI_RGB)" % s)
        mask_stride = ((s + 31) // 32) * 4
        check(length == 40 + s * s * 4 + mask_stride * s,
              "qov.ico: %d px DIB holds colour and mask" % s)
        alphas = img[40 + 3:40 + s * s * 4:4]
        corner, mid = alphas[0], alphas[(s // 2) * s + s // 2]
        check(corner == 0 and mid == 255 and len(set(alphas)) > 2,
              "qov.ico: %d px has real alpha (clear corner, solid middle)" % s)
    check(sorted(sizes) == [16, 24, 32, 48, 256],
          "qov.ico: sizes %s" % sorted(sizes))


# ----------------------------------------------------------------- sound

def check_sound(path, seconds=(8.0, 15.0)):
    name = os.path.basename(path)
    with wave.open(path, "rb") as w:
        ch, width, rate, n = (w.getnchannels(), w.getsampwidth(),
                              w.getframerate(), w.getnframes())
        frames = w.readframes(n)
    check(w.getcomptype() == "NONE", name + ": PCM")
    check((ch, width) == (1, 2) and rate in (22050, 44100),
          name + ": mono 16-bit at 22050/44100 Hz")
    check(seconds[0] <= n / rate <= seconds[1], name + ": %.1f s long" % (n / rate))
    s = array.array("h", frames)
    if sys.byteorder == "big":
        s.byteswap()
    peak_db = 20 * math.log10(max(abs(v) for v in s) / 32768.0)
    check(-3.5 <= peak_db <= -2.5, name + ": peak %.2f dBFS" % peak_db)
    edge = rate // 100
    check(max(abs(v) for v in s[:8]) < 200 and
          max(abs(v) for v in s[-edge:]) < 200,
          name + ": fades in and out (no click at the ends)")
    # a click is a sample-to-sample jump far beyond what the tones can make
    jump = max(abs(s[i + 1] - s[i]) for i in range(len(s) - 1))
    check(jump < 0.25 * 32768, name + ": no clicks (max step %d)" % jump)
    dc = sum(s) / len(s)
    check(abs(dc) < 100, name + ": no DC offset (%.1f)" % dc)


def main():
    d = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(
        os.path.dirname(os.path.abspath(__file__)))
    check_face(os.path.join(d, "face_analog.bmp"), with_marks=True)
    check_face(os.path.join(d, "face_plain.bmp"), with_marks=False)
    check_icon(os.path.join(d, "qov.ico"))
    check_sound(os.path.join(d, "adzhan.wav"))
    check_sound(os.path.join(d, "bunyi.wav"), (0.5, 2.0))
    print("%d passed, %d failed" % (passed, len(failures)))
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
