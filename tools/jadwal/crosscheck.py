#!/usr/bin/env python3
"""Writes tests/engine/data/golden.csv, an independent check of the engine.

The prayer times here come from a different solar model than the engine's:
NOAA's solar calculator (Meeus, Astronomical Algorithms, J2000 elements),
evaluated at the moment of each event and iterated to convergence, instead of
the engine's 1900.0 theory taken once at 0h of the date. Only the definitions
of the prayers are shared, since those are what the clock means by each time:

  Dzuhur   transit of the sun plus the Dzuhur addition
  Maghrib  sin(altitude) = -dip - sin(0.83311 deg), plus the Maghrib addition
  Shubuh   sin(altitude) = -dip - sin(Fajr angle), before transit
  Isya     sin(altitude) = -dip - sin(Isya angle), after transit
  Ashar    sin(altitude) = -dip + sin(acot(factor + tan|lat - decl_noon|))

with dip = sqrt(2 * 5 m / 6378160 m) in radians. Times are rounded to the
nearest minute. Rows avoid parameters the engine clamps (additions kept small,
Isya angles within 10..20) and places and seasons where the sun fails to reach
an altitude, so that every row tests astronomy, not the engine's rules.

Usage: python3 tools/jadwal/crosscheck.py > tests/engine/data/golden.csv
"""

import datetime
import math
import sys

DIP = math.sqrt(2 * 5 / 6378160)
SUNSET_DEG = 0.83311


def sun(jd):
    """Declination (radians) and equation of time (minutes) at Julian day jd
    (UT), NOAA solar calculator."""
    jc = (jd - 2451545.0) / 36525.0
    l0 = (280.46646 + jc * (36000.76983 + jc * 0.0003032)) % 360.0
    m = 357.52911 + jc * (35999.05029 - 0.0001537 * jc)
    e = 0.016708634 - jc * (0.000042037 + 0.0000001267 * jc)
    mr = math.radians(m)
    c = (math.sin(mr) * (1.914602 - jc * (0.004817 + 0.000014 * jc))
         + math.sin(2 * mr) * (0.019993 - 0.000101 * jc)
         + math.sin(3 * mr) * 0.000289)
    true_long = l0 + c
    omega = math.radians(125.04 - 1934.136 * jc)
    app_long = true_long - 0.00569 - 0.00478 * math.sin(omega)
    mean_obliq = 23 + (26 + (21.448 - jc * (46.815 + jc * (0.00059 - jc * 0.001813))) / 60) / 60
    obliq = math.radians(mean_obliq + 0.00256 * math.cos(omega))
    decl = math.asin(math.sin(obliq) * math.sin(math.radians(app_long)))
    y = math.tan(obliq / 2) ** 2
    l0r = math.radians(l0)
    eot = (y * math.sin(2 * l0r) - 2 * e * math.sin(mr)
           + 4 * e * y * math.sin(mr) * math.cos(2 * l0r)
           - 0.5 * y * y * math.sin(4 * l0r) - 1.25 * e * e * math.sin(2 * mr))
    return decl, 4 * math.degrees(eot)


def jd_at(date, hours_local, tz):
    # Julian day of the civil date at 0h UT, from the proleptic Gregorian ordinal.
    return date.toordinal() + 1721424.5 + (hours_local - tz) / 24.0


def transit(date, lon, tz):
    t = 12.0
    for _ in range(10):
        _, eot = sun(jd_at(date, t, tz))
        t = 12.0 + tz - lon / 15.0 - eot / 60.0
    return t


def crossing(date, lat, lon, tz, sin_alt, sign):
    """Local hours at which the altitude term equals sin_alt; sign -1 before
    transit, +1 after."""
    phi = math.radians(lat)
    t = transit(date, lon, tz) + sign * 6
    for _ in range(20):
        jd = jd_at(date, t, tz)
        decl, eot = sun(jd)
        cos_h = (sin_alt - math.sin(phi) * math.sin(decl)) / (math.cos(phi) * math.cos(decl))
        if not -1 < cos_h < 1:
            raise ValueError("the sun does not reach the altitude")
        h = math.degrees(math.acos(cos_h)) / 15.0
        noon = 12.0 + tz - lon / 15.0 - eot / 60.0
        t = noon + sign * h
    return t


def times(date, lat, lon, tz, add_dz, add_mg, factor, fajr, isya):
    noon = transit(date, lon, tz)
    decl_noon, _ = sun(jd_at(date, noon, tz))
    ashar_alt = math.atan(1 / (factor + abs(math.tan(math.radians(lat) - decl_noon))))
    return [
        crossing(date, lat, lon, tz, -DIP - math.sin(math.radians(fajr)), -1),
        noon + add_dz / 60.0,
        crossing(date, lat, lon, tz, -DIP + math.sin(ashar_alt), +1),
        crossing(date, lat, lon, tz, -DIP - math.sin(math.radians(SUNSET_DEG)), +1) + add_mg / 60.0,
        crossing(date, lat, lon, tz, -DIP - math.sin(math.radians(isya)), +1),
    ]


def hhmm(hours):
    minutes = round(hours * 60)
    return "%02d:%02d" % divmod(minutes, 60)


# name, lat, lon, tz
PLACES = [
    ("Jakarta", -6.1744, 106.8294, 7),
    ("Makassar", -5.1477, 119.4327, 8),
    ("Jayapura", -2.5337, 140.7181, 9),
    ("Banda Aceh", 5.5483, 95.3238, 7),
    ("Kuala Lumpur", 3.139, 101.6869, 8),
    ("Makkah", 21.4225, 39.8262, 3),
    ("Cairo", 30.0444, 31.2357, 2),
    ("Istanbul", 41.0082, 28.9784, 3),
    ("Karachi", 24.8607, 67.0011, 5),
    ("Dakar", 14.7167, -17.4677, 0),
    ("Cape Town", -33.9249, 18.4241, 2),
    ("Sydney", -33.8688, 151.2093, 10),
    ("Auckland", -36.8485, 174.7633, 12),
    ("New York", 40.7128, -74.006, -5),
    ("Buenos Aires", -34.6037, -58.3816, -3),
    ("Madrid", 40.4168, -3.7038, 2),
    ("London", 51.5074, -0.1278, 0),
    ("Honolulu", 21.3069, -157.8583, -10),
]

DATES = ["1957-03-21", "1988-08-09", "2004-06-15", "2004-12-21", "2023-02-28", "2049-10-05"]


def main():
    out = sys.stdout
    out.write("# Independent reference times, written by tools/jadwal/crosscheck.py\n")
    out.write("place,lat,lon,tz,date,add_dzuhur,add_maghrib,ashar_factor,fajr_angle,isya_angle,"
              "shubuh,dzuhur,ashar,maghrib,isya\n")
    rows = 0
    for i, (name, lat, lon, tz) in enumerate(PLACES):
        # Two dates per place, varying the parameters with the row.
        for k in range(2):
            date_text = DATES[(i + 3 * k) % len(DATES)]
            date = datetime.date.fromisoformat(date_text)
            if abs(lat) > 45 and date.month in (5, 6, 7, 8):
                date_text = "2004-12-21"  # summer twilight never ends up there
                date = datetime.date.fromisoformat(date_text)
            add_dz = (i + k) % 4
            add_mg = (i * 3 + k) % 5
            factor = 1 + (i + k) % 2
            fajr = 18 + (i + k) % 3
            isya = 17 + (i + 2 * k) % 4
            t = times(date, lat, lon, tz, add_dz, add_mg, factor, fajr, isya)
            out.write("%s,%s,%s,%d,%s,%d,%d,%d,%d,%d,%s\n" % (
                name, lat, lon, tz, date_text, add_dz, add_mg, factor, fajr, isya,
                ",".join(hhmm(x) for x in t)))
            rows += 1
    return rows


if __name__ == "__main__":
    main()
