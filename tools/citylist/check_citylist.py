#!/usr/bin/env python3
"""Checks assets/daftar_all.TXT and the generator's helpers.  Needs no node_modules.

    python3 tools/citylist/check_citylist.py
"""
import os
import sys
import traceback

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import make_citylist as mc  # noqa: E402

with open(mc.OUTPUT, 'rb') as fh:
    RAW = fh.read()
LINES = RAW.decode('ascii', 'replace').split('\r\n')[:-1]


def fields(line):
    name, lat, lon, zone = line.rsplit(',', 3)
    return name[1:-1], float(lat), float(lon), float(zone)


def sections():
    """Indonesia, then the world: each sorted, so the order restarts exactly once."""
    keys = [mc.sort_key(fields(ln)[0]) for ln in LINES]
    restarts = [i for i in range(1, len(keys)) if keys[i] < keys[i - 1]]
    assert len(restarts) == 1, restarts
    return LINES[:restarts[0]], LINES[restarts[0]:]


def test_file_bytes():
    assert RAW.endswith(b'\r\n'), 'last line must end with CR LF'
    assert all(b < 128 for b in RAW), 'non-ASCII byte'
    assert RAW.count(b'\n') == RAW.count(b'\r\n') == RAW.count(b'\r') == len(LINES)
    assert all(LINES), 'empty line'


def test_records_are_valid():
    assert mc.problems(LINES) == []
    assert 1900 <= len(LINES) <= mc.MAX_RECORDS


def test_indonesia_comes_first_and_stays_in_indonesia():
    indonesia, world = sections()
    assert 500 <= len(indonesia) <= 600 and len(world) > 1000
    for line in indonesia:
        _, lat, lon, zone = fields(line)
        assert -11.5 < lat < 6.5 and 94.5 < lon < 141.5 and zone in (7, 8, 9), line


def test_province_capitals_present():
    names = {fields(ln)[0] for ln in sections()[0]}
    capitals = '''Banda Aceh;Medan;Padang;Pekanbaru;Jambi;Palembang;Bengkulu;Bandar Lampung;
        Pangkal Pinang;Tanjung Pinang;Jakarta;Bandung;Semarang;Yogyakarta;Surabaya;Serang;
        Denpasar;Mataram;Kupang;Pontianak;Palangka Raya;Banjarbaru;Samarinda;
        Bulungan (Kab.) - Tanjung Selor;Manado;Palu;Makassar;Kendari;Gorontalo;Mamuju;Ambon;
        Sofifi;Jayapura;Manokwari;Merauke;Nabire;Jayawijaya (Kab.) - Wamena;Sorong'''
    missing = [c.strip() for c in capitals.split(';') if c.strip() not in names]
    assert not missing, missing


SPOT = [  # name, lat, lon, zone (standard time: no summer time)
    ('Jakarta', -6.21, 106.85, 7), ('Makassar', -5.15, 119.43, 8), ('Jayapura', -2.53, 140.72, 9),
    ('Bogor (Kab.) - Cibinong', -6.48, 106.85, 7), ('Banda Aceh', 5.55, 95.32, 7),
    ('Makkah (Mecca)', 21.43, 39.83, 3), ('Madinah (Medina)', 24.47, 39.61, 3),
    ('Kuala Lumpur', 3.14, 101.69, 8), ('Cairo', 30.06, 31.25, 2), ('Istanbul', 41.01, 28.95, 3),
    ('Riyadh', 24.69, 46.72, 3), ('Dhaka', 23.71, 90.41, 6), ('Karachi', 24.86, 67.01, 5),
    ('Jerusalem (Al-Quds)', 31.77, 35.22, 2), ('Dublin', 53.33, -6.25, 0),
    # quarter-hour zones
    ('New Delhi', 28.64, 77.22, 5.5), ('Mumbai', 19.07, 72.88, 5.5), ('Srinagar', 34.09, 74.81, 5.5),
    ('Tehran', 35.69, 51.42, 3.5), ('Mashhad', 36.30, 59.61, 3.5), ('Kabul', 34.53, 69.17, 4.5),
    ('Herat', 34.35, 62.20, 4.5), ('Colombo', 6.93, 79.85, 5.5), ('Kathmandu', 27.70, 85.32, 5.75),
    ('Yangon', 16.81, 96.16, 6.5), ('Mandalay', 21.97, 96.08, 6.5), ('Adelaide', -34.93, 138.60, 9.5),
    ('Darwin', -12.46, 130.84, 9.5), ("St. John's", 47.56, -52.71, -3.5),
    # large Muslim communities in Europe, North America and Australia: winter time
    ('London', 51.51, -0.13, 0), ('Birmingham', 52.48, -1.90, 0), ('Paris', 48.85, 2.35, 1),
    ('Berlin', 52.52, 13.41, 1), ('Amsterdam', 52.37, 4.89, 1), ('Brussels', 50.85, 4.35, 1),
    ('Oslo', 59.91, 10.75, 1), ('Stockholm', 59.33, 18.07, 1), ('Toronto', 43.70, -79.42, -5),
    ('Montreal', 45.51, -73.59, -5), ('Edmonton', 53.55, -113.47, -7),
    ('New York City', 40.71, -74.01, -5), ('Chicago', 41.85, -87.65, -6),
    ('Detroit', 42.33, -83.05, -5), ('Houston', 29.76, -95.36, -6),
    ('Los Angeles', 34.05, -118.24, -8), ('Sydney', -33.87, 151.21, 10),
    ('Melbourne', -37.81, 144.96, 10),
]


def test_well_known_places():
    got = {f[0]: f for f in map(fields, LINES)}
    for name, lat, lon, zone in SPOT:
        assert name in got, name
        _, glat, glon, gzone = got[name]
        assert gzone == zone and abs(glat - lat) < 0.3 and abs(glon - lon) < 0.3, (name, got[name])


def test_every_found_regency_seat_is_listed():
    """Making room for the world never costs an Indonesian seat."""
    names = [fields(ln)[0] for ln in sections()[0]]
    missing = []
    for r in mc.load_regencies():
        n = r['name']
        if not any(x == n or x.startswith(n + ' (Kab.)') or x.startswith(n + ' - ') for x in names):
            missing.append(r['code'])
    # Seats GeoNames lacks and no one has surveyed yet (README: "Not found").
    assert missing == ['12.04', '53.17', '74.11', '92.12'], missing


def test_zone_written_as_hours_and_quarters():
    cases = [(420, '7'), (-300, '-5'), (0, '0'), (330, '5.5'), (345, '5.75'), (-210, '-3.5'),
             (570, '9.5'), (765, '12.75'), (-570, '-9.5'), (390, '6.5'), (840, '14')]
    for minutes, text in cases:
        assert mc.fmt_zone(minutes) == text, (minutes, mc.fmt_zone(minutes))
    zones = {ln.rsplit(',', 1)[1] for ln in LINES}
    assert {'3.5', '4.5', '5.5', '5.75', '6.5', '9.5', '-3.5'} <= zones, sorted(zones)


def test_standard_offsets():
    cases = {'Asia/Jakarta': 420, 'Asia/Pontianak': 420, 'Asia/Makassar': 480,
             'Asia/Jayapura': 540, 'Europe/Dublin': 0, 'America/New_York': -300,
             'Australia/Sydney': 600, 'America/Santiago': -240, 'Asia/Kolkata': 330,
             'Africa/Casablanca': 60, 'Pacific/Kiritimati': 840, 'No/Such_Zone': None,
             'Asia/Tehran': 210, 'Asia/Kathmandu': 345, 'Australia/Adelaide': 570,
             'America/St_Johns': -210, 'Pacific/Chatham': 765}
    for tz, want in cases.items():
        assert mc.standard_offset_minutes(tz) == want, (tz, mc.standard_offset_minutes(tz))


def test_names_become_ascii():
    assert mc.latin_ascii('Diyarbak\u0131r') == 'Diyarbakir'
    assert mc.latin_ascii('\u00dcr\u00fcmqi') == 'Urumqi'
    assert mc.latin_ascii('Bordj Bou Arr\u00e9ridj') == 'Bordj Bou Arreridj'
    assert mc.latin_ascii('\u0422\u0430\u0448\u043a\u0435\u043d\u0442') is None
    assert mc.latin_ascii('Say "x"') == 'Say x'
    assert mc.norm('Bau-Bau') == mc.norm('Baubau') == 'baubau'


def test_number_format():
    assert mc.fmt_num(106.84513) == '106.8451'
    assert mc.fmt_num(-6.2) == '-6.2' and mc.fmt_num(7.0) == '7'
    assert mc.fmt_num(-0.00001) == '0'


def test_problems_are_caught():
    good = '"Jakarta",-6.2146,106.8451,7'
    assert mc.problems([good]) == []
    assert mc.problems(['"Delhi",28.6,77.2,5.5', '"Kathmandu",27.7,85.3,5.75',
                        '"St. John\'s",47.6,-52.7,-3.5']) == []
    bad = ['"Ja"karta",1,2,7', '"Jakarta",-6.2,106.8,7.0', '"Jakarta",-6.2,106.8,7.3',
           '"Delhi",28.6,77.2,5.50', '"Delhi",28.6,77.2,5.', 'Jakarta,-6.2,106.8,7',
           '"X",95,10,1', '"Y",10,190,1', '"Z",10,10,15', '"%s",1,1,1' % ('L' * 40)]
    for line in bad:
        assert mc.problems([line]), line
    assert mc.problems([good, good.replace('Jakarta', 'JAKARTA')]), 'duplicate name'
    assert mc.problems([good] * (mc.MAX_RECORDS + 1))


def main():
    tests = [(n, f) for n, f in globals().items() if n.startswith('test_') and callable(f)]
    failed = 0
    for name, fn in tests:
        try:
            fn()
            print('ok   ', name)
        except Exception:
            failed += 1
            print('FAIL ', name)
            traceback.print_exc()
    print('%d passed, %d failed' % (len(tests) - failed, failed))
    return 1 if failed else 0


if __name__ == '__main__':
    sys.exit(main())
