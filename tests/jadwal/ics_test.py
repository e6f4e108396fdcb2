#!/usr/bin/env python3
"""qov-jadwal's calendar file read back by an independent parser (Debian's
python3-icalendar): every event against the same days' `--csv`, in months
with a summer-time change (both hemispheres, both directions), with times
past midnight, and over Ramadan; the raw file's CRLF ends and 75-octet
lines; UIDs that stay the same under another method.

  ics_test.py path/to/qov-jadwal
"""
import datetime as dt
import re
import subprocess
import sys
import tempfile
import zoneinfo
from pathlib import Path

try:
    from icalendar import Calendar
except ImportError:
    sys.exit("ics_test: python3-icalendar is missing (scripts/deps installs it)")

JADWAL = sys.argv[1]
NAMES = ["imsak", "shubuh", "terbit", "dhuha", "dzuhur", "ashar", "maghrib", "isya"]
LONDON = ["--lat", "51.5074", "--lon", "-0.1278", "--fajr", "20", "--isya", "18", "--month", "2026-03"]
# (arguments, the zone the times are in)
CASES = [
    (LONDON + ["--tz", "Europe/London"], "Europe/London"),  # an hour on, 29 March
    (["--lat", "40.4168", "--lon", "-3.7038", "--tz", "Europe/Madrid", "--month", "2026-10",
      "--method", "kemenag"], "Europe/Madrid"),  # an hour back, 25 October
    (["--lat", "-33.8688", "--lon", "151.2093", "--tz", "Australia/Sydney", "--month", "2026-04"],
     "Australia/Sydney"),  # southern autumn, 5 April
    (["--lat", "64.1466", "--lon", "-21.9426", "--tz", "0", "--month", "2026-06", "--high-lat", "none"],
     0),  # Maghrib and Isya past midnight
    (["--tz", "7", "--ramadan", "1447", "--name", "Jakarta, DKI; Indonesia"], 7),
]


def run(*args):
    r = subprocess.run([JADWAL, *args], capture_output=True, text=True)
    if r.returncode != 0 or r.stderr:
        sys.exit(f"ics_test: {args}: status {r.returncode}, {r.stderr}")
    return r.stdout


def events(path):
    raw = path.read_bytes()
    lines = raw.split(b"\r\n")
    assert lines[-1] == b"", "the file does not end with CRLF"
    for line in lines:
        assert b"\n" not in line and b"\r" not in line, f"a bare line end near {line[:40]!r}"
        assert len(line) <= 75, f"a line of {len(line)} octets: {line[:40]!r}"
    cal = Calendar.from_ical(raw)
    return [e for e in cal.walk("VEVENT")]


def main():
    fails, compared, worst, offsets_seen = [], 0, 0, set()
    with tempfile.TemporaryDirectory() as tmp:
        for args, zone in CASES:
            tz = zoneinfo.ZoneInfo(zone) if isinstance(zone, str) else dt.timezone(dt.timedelta(hours=zone))
            ics = Path(tmp) / "out.ics"
            run(*args, "--full", "--remind", "10,30", "--ics", str(ics))
            csv = [line.split(",") for line in run(*args, "--full", "--csv").splitlines()[1:]]
            # The text table marks a time on the day before or after (+1, -1).
            marks = {r[0]: r[1:9] for r in (line.split() for line in run(*args, "--full").splitlines())
                     if re.fullmatch(r"\d{4}-\d\d-\d\d", r[0])}
            by_uid = {}
            for e in events(ics):
                key = re.match(r"(\d{8}-[a-z]+)[+-]", str(e["UID"])).group(1)
                if key in by_uid:
                    fails.append(f"{args}: UID {e['UID']} twice")
                by_uid[key] = e
            if len(by_uid) != len(csv) * 8:
                fails.append(f"{args}: {len(by_uid)} events for {len(csv)} days")
            for row in csv:
                day = dt.date.fromisoformat(row[0])
                for name, hhmm, marked in zip(NAMES, row[1:9], marks[row[0]]):
                    e = by_uid.get(day.strftime("%Y%m%d") + "-" + name)
                    if e is None:
                        fails.append(f"{args}: no event for {row[0]} {name}")
                        continue
                    shift = int(marked[5:] or 0)
                    want = dt.datetime.combine(day + dt.timedelta(days=shift), dt.time.fromisoformat(hhmm))
                    start = e.decoded("DTSTART")
                    if start.utcoffset() != dt.timedelta(0):
                        fails.append(f"{args}: {e['UID']} not in UTC")
                    got = start.astimezone(tz)
                    offsets_seen.add((str(zone), got.utcoffset()))
                    diff = abs((got.replace(tzinfo=None) - want).total_seconds()) / 60
                    worst = max(worst, diff)
                    if diff:
                        fails.append(f"{args}: {row[0]} {name}: event at {got}, the CSV {hhmm} ({marked})")
                    triggers = sorted(a.decoded("TRIGGER") for a in e.walk("VALARM"))
                    if triggers != [dt.timedelta(minutes=-30), dt.timedelta(minutes=-10)]:
                        fails.append(f"{args}: {e['UID']} alarms {triggers}")
                    compared += 1
            if "--name" in args and str(e["LOCATION"]) != "Jakarta, DKI; Indonesia":
                fails.append(f"the place's name read back as {e['LOCATION']!r}")
        changes = sum(1 for z in {z for z, _ in offsets_seen} if sum(1 for y, _ in offsets_seen if y == z) > 1)
        if changes != 3:
            fails.append(f"summer time changed in {changes} of the three zones that change")
        # Another method moves the times, not the events: the same UIDs.
        (Path(tmp) / "a.ics").write_text("")
        run(*LONDON, "--tz", "Europe/London", "--ics", f"{tmp}/a.ics")
        run(*LONDON, "--tz", "Europe/London", "--method", "kemenag", "--ics", f"{tmp}/b.ics")
        uids = [sorted(str(e["UID"]) for e in events(Path(tmp) / f)) for f in ("a.ics", "b.ics")]
        if uids[0] != uids[1] or len(uids[0]) != 31 * 5:
            fails.append("another method changed the UIDs")
    for f in fails[:20]:
        print("FAIL:", f)
    print(f"ics: {compared} events compared with --csv, {changes} summer-time changes, worst difference {worst:g} min")
    print(f"{compared - len(fails)} passed, {len(fails)} failed")
    return 1 if fails else 0


if __name__ == "__main__":
    sys.exit(main())
