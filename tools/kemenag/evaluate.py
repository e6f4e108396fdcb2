#!/usr/bin/env python3
"""Reproduces the Kemenag (Ministry of Religious Affairs) prayer schedule and
scores it against tests/engine/data/kemenag_golden.csv.

Standard library only. The method is described rule by rule in README.md next
to this file; METHODS below holds it and the variants that were tried.

Usage:
  python3 tools/kemenag/evaluate.py                 # the Kemenag method
  python3 tools/kemenag/evaluate.py --method NAME   # a variant (see --list)
  python3 tools/kemenag/evaluate.py --all           # one summary line per variant
  python3 tools/kemenag/evaluate.py --rows          # every differing time
Exit status 1 when the Kemenag method falls below the targets (>= 97 % within
1 minute and >= 60 % equal), so the script can serve as a check.
"""

import argparse
import csv
import datetime
import math
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
GOLDEN = os.path.join(HERE, "..", "..", "tests", "engine", "data", "kemenag_golden.csv")
PRAYERS = ("imsak", "subuh", "terbit", "dhuha", "dzuhur", "ashar", "maghrib", "isya")

# TT - UT in seconds; about 69 s over 2020-2026 (IERS). Moves the sun by 0.003'.
DELTA_T = 69.2
EARTH_RADIUS_M = 6378137.0


# ---------------------------------------------------------------- sun --------
def _nutation(t):
    """Nutation in longitude and obliquity (degrees), Meeus ch. 22 short
    series (0.5" in dpsi, 0.1" in deps)."""
    om = math.radians(125.04452 - 1934.136261 * t)
    ls = math.radians(280.4665 + 36000.7698 * t)   # mean longitude of the sun
    lm = math.radians(218.3165 + 481267.8813 * t)  # mean longitude of the moon
    dpsi = (-17.20 * math.sin(om) - 1.32 * math.sin(2 * ls)
            - 0.23 * math.sin(2 * lm) + 0.21 * math.sin(2 * om)) / 3600.0
    deps = (9.20 * math.cos(om) + 0.57 * math.cos(2 * ls)
            + 0.10 * math.cos(2 * lm) - 0.09 * math.cos(2 * om)) / 3600.0
    return dpsi, deps


def sun(jd_ut):
    """Apparent right ascension, declination (degrees), Greenwich apparent
    sidereal time (degrees) and distance (au) at Julian day jd_ut (UT).

    Meeus, Astronomical Algorithms 2nd ed., ch. 25 (solar coordinates, 0.01 deg)
    with the ch. 22 nutation and ch. 12 sidereal time."""
    t = (jd_ut + DELTA_T / 86400.0 - 2451545.0) / 36525.0
    l0 = 280.46646 + t * (36000.76983 + t * 0.0003032)
    m = math.radians(357.52911 + t * (35999.05029 - t * 0.0001537))
    e = 0.016708634 - t * (0.000042037 + t * 0.0000001267)
    c = ((1.914602 - t * (0.004817 + t * 0.000014)) * math.sin(m)
         + (0.019993 - t * 0.000101) * math.sin(2 * m)
         + 0.000289 * math.sin(3 * m))
    true_lon = l0 + c
    v = m + math.radians(c)
    r = 1.000001018 * (1 - e * e) / (1 + e * math.cos(v))
    dpsi, deps = _nutation(t)
    lam = math.radians(true_lon + dpsi - 20.4898 / 3600.0 / r)
    eps0 = 23.0 + 26.0 / 60 + (21.448 - t * (46.8150 + t * (0.00059 - t * 0.001813))) / 3600.0
    eps = math.radians(eps0 + deps)
    ra = math.degrees(math.atan2(math.cos(eps) * math.sin(lam), math.cos(lam))) % 360.0
    dec = math.degrees(math.asin(math.sin(eps) * math.sin(lam)))
    tu = (jd_ut - 2451545.0) / 36525.0
    gmst = (280.46061837 + 360.98564736629 * (jd_ut - 2451545.0)
            + tu * tu * (0.000387933 - tu / 38710000.0))
    gast = (gmst + dpsi * math.cos(eps)) % 360.0
    return ra, dec, gast, r


def julian_day(date, hours_local, tz):
    return date.toordinal() + 1721424.5 + (hours_local - tz) / 24.0


def hour_angle(jd, lon):
    ra, dec, gast, r = sun(jd)
    return ((gast + lon - ra + 180.0) % 360.0) - 180.0, dec, r


def solve(date, lat, lon, tz, altitude, side):
    """Local clock hours when the sun's centre is at `altitude` (degrees, or a
    function of declination and distance returning degrees), side -1 morning,
    +1 afternoon, 0 transit. Iterates with the sun taken at the event itself."""
    phi = math.radians(lat)
    t = 12.0 + tz - lon / 15.0 + side * 6.0
    for _ in range(12):
        jd = julian_day(date, t, tz)
        h_now, dec, r = hour_angle(jd, lon)
        if side == 0:
            target = 0.0
        else:
            alt = altitude(dec, r) if callable(altitude) else altitude
            d = math.radians(dec)
            cos_h = ((math.sin(math.radians(alt)) - math.sin(phi) * math.sin(d))
                     / (math.cos(phi) * math.cos(d)))
            if not -1.0 <= cos_h <= 1.0:
                raise ValueError("the sun does not reach %.2f deg" % alt)
            target = side * math.degrees(math.acos(cos_h))
        step = (target - h_now) / 360.98564736629 * 24.0
        t += step
        if abs(step) < 1e-7:
            break
    return t


# ------------------------------------------------------------- method --------
KEMENAG = {
    "subuh_deg": -20.0,
    "isya_deg": -18.0,
    "dhuha_deg": 4.5,
    "ashar_shadow": 1.0,           # shadow = ashar_shadow + tan|lat - decl|
    # used only when horizon_deg is None (the textbook -(SD + R + dip) horizon)
    "refraction_deg": 34.5 / 60,
    "semi_diameter": "ephemeris",  # 0.2666/R deg, or a number in degrees
    "dip_arcmin_per_sqrt_m": 1.93,  # geometric dip sqrt(2h/R); fitted on highland rows
    "use_elevation": True,
    "imsak_before_subuh": 10,
    "ihtiyat": {"subuh": 2, "terbit": -2, "dhuha": 2, "dzuhur": 3,
                "ashar": 2, "maghrib": 2, "isya": 2},
    # "ceil": every time but Terbit rounds its seconds up, Terbit rounds them
    # down (each keeps the safe side); then the ihtiyat minutes are added.
    "rounding": "ceil_then_add",
    "sunrise_deg": None,           # fixed sunrise/sunset altitude, elevation ignored
    "horizon_deg": -1.0,           # sea-level sunrise/sunset altitude; the dip is subtracted
    "dzuhur_after_transit_min": 0.0,  # minutes added to the transit before rounding
}


def variant(**changes):
    m = dict(KEMENAG)
    m.update(changes)
    return m


# What a clock gives with common first-run settings: Fajr 20, Isya 18, shadow
# factor 1, sunrise/sunset at -0.8333 deg, no ihtiyat, nearest minute.
SIMPLE_CLOCK = variant(dhuha_deg=None, ihtiyat={}, rounding="nearest",
                       sunrise_deg=-0.8333, horizon_deg=None, use_elevation=False)

METHODS = {
    "kemenag": KEMENAG,
    "simple-clock": SIMPLE_CLOCK,
    # one rule changed at a time, to show what each one is worth
    "ihtiyat-2-everywhere": variant(ihtiyat=dict(KEMENAG["ihtiyat"], dzuhur=2)),
    "dzuhur-transit+SD": variant(ihtiyat=dict(KEMENAG["ihtiyat"], dzuhur=2),
                                 dzuhur_after_transit_min=1.07),
    "round-nearest-then-add": variant(rounding="nearest_then_add"),
    "truncate-then-add": variant(rounding="floor_then_add"),
    "add-then-ceil": variant(rounding="add_then_ceil"),
    "horizon-SD+R+dip": variant(horizon_deg=None),
    "horizon-0.8333-no-elev": variant(sunrise_deg=-0.8333),
    "no-elevation": variant(use_elevation=False),
    "dip-1.76'sqrt(h)": variant(dip_arcmin_per_sqrt_m=1.76),
    "dhuha-4.0": variant(dhuha_deg=4.0),
    "dhuha-3.5": variant(dhuha_deg=3.5),
    "ihtiyat-1": variant(ihtiyat={"subuh": 1, "terbit": -1, "dhuha": 1, "dzuhur": 1,
                                  "ashar": 1, "maghrib": 1, "isya": 1}),
}


def clock_minutes(hours, method, ihtiyat):
    """Minutes after midnight as published: seconds rounded, ihtiyat added."""
    sec = hours * 3600.0
    mode = method["rounding"]
    if mode in ("nearest", "nearest_then_add"):
        return int(math.floor(sec / 60.0 + 0.5)) + ihtiyat
    if mode == "floor_then_add":
        return int(math.floor(sec / 60.0)) + ihtiyat
    if mode == "add_then_ceil":
        v = sec / 60.0 + ihtiyat
        return int(math.ceil(v - 1e-9)) if ihtiyat >= 0 else int(math.floor(v + 1e-9))
    # ceil_then_add: safe side first (up for a start, down for sunrise)
    v = sec / 60.0
    if ihtiyat < 0:
        return int(math.floor(v + 1e-9)) + ihtiyat
    return int(math.ceil(v - 1e-9)) + ihtiyat


def horizon_altitude(method, elevation_m):
    """Altitude of the sun's centre at sunrise/sunset (upper limb on the
    apparent horizon of an observer at elevation_m)."""
    if method["sunrise_deg"] is not None:
        fixed = method["sunrise_deg"]
        return lambda dec, r: fixed
    elev = elevation_m if method["use_elevation"] else 0.0
    dip = method["dip_arcmin_per_sqrt_m"] * math.sqrt(max(elev, 0.0)) / 60.0
    if method["horizon_deg"] is not None:
        base = method["horizon_deg"]
        return lambda dec, r: base - dip
    refr = method["refraction_deg"]
    sd = method["semi_diameter"]
    if sd == "ephemeris":
        return lambda dec, r: -(0.266563 / r + refr + dip)
    return lambda dec, r: -(sd + refr + dip)


def schedule(date, lat, lon, tz, elevation_m, method):
    """Published-style minutes after midnight for each prayer (None if the
    method does not give it)."""
    iht = method["ihtiyat"]
    out = {}
    noon = solve(date, lat, lon, tz, None, 0)
    rise_alt = horizon_altitude(method, elevation_m)
    raw = {
        "subuh": solve(date, lat, lon, tz, method["subuh_deg"], -1),
        "terbit": solve(date, lat, lon, tz, rise_alt, -1),
        "dzuhur": noon + method["dzuhur_after_transit_min"] / 60.0,
        "ashar": solve(date, lat, lon, tz, lambda dec, r: math.degrees(math.atan(
            1.0 / (method["ashar_shadow"] + math.tan(math.radians(abs(lat - dec)))))), +1),
        "maghrib": solve(date, lat, lon, tz, rise_alt, +1),
        "isya": solve(date, lat, lon, tz, method["isya_deg"], +1),
    }
    if method["dhuha_deg"] is not None:
        raw["dhuha"] = solve(date, lat, lon, tz, method["dhuha_deg"], -1)
    for name, hours in raw.items():
        out[name] = clock_minutes(hours, method, iht.get(name, 0))
    out["imsak"] = out["subuh"] - method["imsak_before_subuh"]
    return out


# ------------------------------------------------------------- scoring -------
def read_golden(path):
    rows = []
    with open(path, newline="", encoding="utf-8") as f:
        lines = [ln for ln in f if ln.strip() and not ln.lstrip().startswith("#")]
    for rec in csv.DictReader(lines):
        rows.append(rec)
    return rows


def parse_hm(text):
    text = text.strip()
    if not text:
        return None
    h, m = text.replace(".", ":").split(":")
    return int(h) * 60 + int(m)


def fmt(minutes):
    return "%02d:%02d" % divmod(minutes, 60)


def score(rows, method, show_rows=False):
    stats = {p: {"n": 0, "eq": 0, "in1": 0, "worst": (0, None)} for p in PRAYERS}
    diffs = []
    for rec in rows:
        date = datetime.date.fromisoformat(rec["date"])
        got = schedule(date, float(rec["lat"]), float(rec["lon"]), float(rec["tz"]),
                       float(rec["elevation_m"] or 0), method)
        for p in PRAYERS:
            want = parse_hm(rec[p])
            if want is None or p not in got:
                continue
            d = got[p] - want
            s = stats[p]
            s["n"] += 1
            s["eq"] += d == 0
            s["in1"] += abs(d) <= 1
            if abs(d) > abs(s["worst"][0]) or s["worst"][1] is None:
                s["worst"] = (d, "%s %s published %s computed %s" % (
                    rec["place"], rec["date"], fmt(want), fmt(got[p])))
            if d and show_rows:
                diffs.append("%+d  %-8s %s %s published %s computed %s" % (
                    d, p, rec["place"], rec["date"], fmt(want), fmt(got[p])))
    return stats, diffs


def totals(stats):
    n = sum(s["n"] for s in stats.values())
    eq = sum(s["eq"] for s in stats.values())
    in1 = sum(s["in1"] for s in stats.values())
    worst = max(stats.values(), key=lambda s: abs(s["worst"][0]))["worst"]
    return n, eq, in1, worst


def pct(a, n):
    return 100.0 * a / n if n else 0.0


def report(name, stats):
    print("method %s" % name)
    print("  %-8s %5s %8s %8s  %s" % ("prayer", "times", "equal", "<=1 min", "worst"))
    for p in PRAYERS:
        s = stats[p]
        if not s["n"]:
            continue
        print("  %-8s %5d %7.1f%% %7.1f%%  %+d (%s)" % (
            p, s["n"], pct(s["eq"], s["n"]), pct(s["in1"], s["n"]), s["worst"][0], s["worst"][1]))
    n, eq, in1, worst = totals(stats)
    print("  %-8s %5d %7.1f%% %7.1f%%  %+d (%s)" % (
        "all", n, pct(eq, n), pct(in1, n), worst[0], worst[1]))


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--golden", default=GOLDEN)
    ap.add_argument("--method", default="kemenag", choices=sorted(METHODS))
    ap.add_argument("--all", action="store_true", help="summary line per variant")
    ap.add_argument("--rows", action="store_true", help="list every differing time")
    ap.add_argument("--list", action="store_true")
    args = ap.parse_args()
    if args.list:
        print("\n".join(sorted(METHODS)))
        return 0
    rows = read_golden(args.golden)
    places = sorted({r["place"] for r in rows})
    print("golden: %d rows, %d places, %s .. %s" % (
        len(rows), len(places), min(r["date"] for r in rows), max(r["date"] for r in rows)))
    if args.all:
        print("  %-24s %5s %8s %8s %6s" % ("method", "times", "equal", "<=1 min", "worst"))
        for name in METHODS:
            n, eq, in1, worst = totals(score(rows, METHODS[name])[0])
            print("  %-24s %5d %7.1f%% %7.1f%% %+6d" % (name, n, pct(eq, n), pct(in1, n), worst[0]))
        return 0
    stats, diffs = score(rows, METHODS[args.method], args.rows)
    report(args.method, stats)
    for line in diffs:
        print("   " + line)
    n, eq, in1, _ = totals(stats)
    if args.method == "kemenag" and (pct(in1, n) < 97.0 or pct(eq, n) < 60.0):
        print("FAIL: below 97 % within 1 minute or 60 % equal")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
