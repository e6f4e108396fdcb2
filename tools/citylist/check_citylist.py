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
    return name[1:-1], float(lat), float(lon), int(zone)


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


SPOT = [  # name, lat, lon, zone
    ('Jakarta', -6.21, 106.85, 7), ('Makassar', -5.15, 119.43, 8), ('Jayapura', -2.53, 140.72, 9),
    ('Bogor (Kab.) - Cibinong', -6.48, 106.85, 7), ('Banda Aceh', 5.55, 95.32, 7),
    ('Makkah (Mecca)', 21.43, 39.83, 3), ('Madinah (Medina)', 24.47, 39.61, 3),
    ('Kuala Lumpur', 3.14, 101.69, 8), ('Cairo', 30.06, 31.25, 2), ('Istanbul', 41.01, 28.95, 3),
    ('London', 51.51, -0.13, 0), ('Riyadh', 24.69, 46.72, 3), ('Dhaka', 23.71, 90.41, 6),
    ('Karachi', 24.86, 67.01, 5), ('New York City', 40.71, -74.01, -5), ('Dublin', 53.33, -6.25, 0),
    ('Sydney', -33.87, 151.21, 10), ('Jerusalem (Al-Quds)', 31.77, 35.22, 2),
]


def test_well_known_places():
    got = {f[0]: f for f in map(fields, LINES)}
    for name, lat, lon, zone in SPOT:
        assert name in got, name
        _, glat, glon, gzone = got[name]
        assert gzone == zone and abs(glat - lat) < 0.3 and abs(glon - lon) < 0.3, (name, got[name])


def test_no_place_of_a_half_hour_zone():
    got = {fields(ln)[0] for ln in LINES}
    for name in ('New Delhi', 'Tehran', 'Kabul', 'Kathmandu', 'Adelaide', 'Darwin', 'Yangon'):
        assert name not in got, name


def test_standard_offsets():
    cases = {'Asia/Jakarta': 420, 'Asia/Pontianak': 420, 'Asia/Makassar': 480,
             'Asia/Jayapura': 540, 'Europe/Dublin': 0, 'America/New_York': -300,
             'Australia/Sydney': 600, 'America/Santiago': -240, 'Asia/Kolkata': 330,
             'Africa/Casablanca': 60, 'Pacific/Kiritimati': 840, 'No/Such_Zone': None}
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
    bad = ['"Ja"karta",1,2,7', '"Jakarta",-6.2,106.8,7.5', 'Jakarta,-6.2,106.8,7',
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
