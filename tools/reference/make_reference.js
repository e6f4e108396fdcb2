#!/usr/bin/env node
// Writes reference prayer times from the adhan library into tests/engine/data/.
// See README.md.  Run with `npm run build` (or `TZ=UTC node make_reference.js`).
'use strict';
// adhan reads the calendar date from the Date's local fields: UTC keeps them = the civil date.
process.env.TZ = 'UTC';

const fs = require('fs');
const path = require('path');
const adhan = require('adhan');

const ADHAN_VERSION = JSON.parse(fs.readFileSync(
  path.join(__dirname, 'node_modules', 'adhan', 'package.json'), 'utf8')).version;
const OUT = path.join(__dirname, '..', '..', 'tests', 'engine', 'data');
const YEAR = 2026;
const FAJR_ANGLE = 20;
const ISHA_ANGLE = 18;

const COLUMNS = 'place,lat,lon,tz,rule,date,fajr,sunrise,dhuhr,asr,maghrib,isha,' +
  'fajr_rule_applied,isha_rule_applied';

function params(rule) {
  const p = new adhan.CalculationParameters('Other', FAJR_ANGLE, ISHA_ANGLE);
  p.madhab = adhan.Madhab.Shafi;
  p.highLatitudeRule = adhan.HighLatitudeRule[rule];
  p.rounding = adhan.Rounding.Nearest;
  return p;
}

function times(lat, lon, y, m, d, rule) {
  return new adhan.PrayerTimes(new adhan.Coordinates(lat, lon), new Date(y, m - 1, d), params(rule));
}

// ---- independent sun: the Astronomical Almanac's low-precision solar coordinates
// (declination about 0.01 degree, equation of time about 0.1 minute, 1950-2050).
const RAD = Math.PI / 180;

function sunAt(utcMs) {
  const n = utcMs / 86400000 + 2440587.5 - 2451545.0;   // days from J2000.0
  const L = 280.460 + 0.9856474 * n;
  const g = (357.528 + 0.9856003 * n) * RAD;
  const lambda = (L + 1.915 * Math.sin(g) + 0.020 * Math.sin(2 * g)) * RAD;
  const eps = (23.439 - 0.0000004 * n) * RAD;
  const ra = Math.atan2(Math.cos(eps) * Math.sin(lambda), Math.cos(lambda)) / RAD;
  const eqt = 4 * ((((L - ra) % 360) + 540) % 360 - 180);   // minutes
  return { eqt, dec: Math.asin(Math.sin(eps) * Math.sin(lambda)) };
}

// UTC instant (ms) at which the sun's altitude is `alt` degrees on the civil (UTC) date,
// morning or evening; null when the sun never gets there.  Two passes refine the date.
function sunEvent(lat, lon, y, m, d, alt, evening) {
  const day0 = Date.UTC(y, m - 1, d);
  let t = day0 + (12 - lon / 15) * 3600000;
  for (let i = 0; i < 3; i++) {
    const { eqt, dec } = sunAt(t);
    const noon = day0 + (720 - 4 * lon - eqt) * 60000;
    const c = (Math.sin(alt * RAD) - Math.sin(lat * RAD) * Math.sin(dec)) /
      (Math.cos(lat * RAD) * Math.cos(dec));
    if (c < -1 || c > 1) return null;
    const h = Math.acos(c) / RAD;
    t = noon + (evening ? 1 : -1) * 4 * h * 60000;
  }
  return t;
}

const PORTIONS = {
  MiddleOfTheNight: [1 / 2, 1 / 2],
  SeventhOfTheNight: [1 / 7, 1 / 7],
  TwilightAngle: [FAJR_ANGLE / 60, ISHA_ANGLE / 60],
};

// The rule gives the time when the angle is never reached, or when the angle time lies
// beyond the rule's limit (adhan's definition: the limit is a portion of the night from
// that date's sunset to the next sunrise, taken back from sunrise for fajr, on from sunset
// for isha).
function ruleApplied(lat, lon, y, m, d, rule) {
  const next = new Date(Date.UTC(y, m - 1, d + 1));
  const ny = next.getUTCFullYear(), nm = next.getUTCMonth() + 1, nd = next.getUTCDate();
  const sunrise = sunEvent(lat, lon, y, m, d, -0.833, false);
  const sunset = sunEvent(lat, lon, y, m, d, -0.833, true);
  const night = sunEvent(lat, lon, ny, nm, nd, -0.833, false) - sunset;
  const [pf, pi] = PORTIONS[rule];
  const fajr = sunEvent(lat, lon, y, m, d, -FAJR_ANGLE, false);
  const isha = sunEvent(lat, lon, y, m, d, -ISHA_ANGLE, true);
  return [
    fajr === null || sunrise - pf * night > fajr ? 1 : 0,
    isha === null || sunset + pi * night < isha ? 1 : 0,
  ];
}

// ---- formatting
const pad = (n) => String(n).padStart(2, '0');

function hhmmFixed(date, tzHours) {
  const t = new Date(date.getTime() + Math.round(tzHours * 60) * 60000);
  return pad(t.getUTCHours()) + ':' + pad(t.getUTCMinutes());
}

function fmtTz(h) {
  return String(h);
}

// Every tenth day of the year: the year's shape (both solstices, the days the
// rule starts and stops applying) without a row for each day.
function eachDay(y, fn) {
  for (let t = Date.UTC(y, 0, 1); t < Date.UTC(y + 1, 0, 1); t += 10 * 86400000) {
    const d = new Date(t);
    fn(d.getUTCFullYear(), d.getUTCMonth() + 1, d.getUTCDate());
  }
}

const isoDate = (y, m, d) => `${y}-${pad(m)}-${pad(d)}`;
const PRAYERS = ['fajr', 'sunrise', 'dhuhr', 'asr', 'maghrib', 'isha'];

function fixedRow(pl, rule, y, m, d) {
  const pt = times(pl.lat, pl.lon, y, m, d, rule);
  const [fa, ia] = ruleApplied(pl.lat, pl.lon, y, m, d, rule);
  return [pl.name, pl.lat, pl.lon, fmtTz(pl.tz), rule, isoDate(y, m, d),
    ...PRAYERS.map((k) => hhmmFixed(pt[k], pl.tz)), fa, ia].join(',');
}

function header(title, lines) {
  return [
    `# ${title}`,
    `# Reference figures, not the engine's output: computed by the npm package adhan ${ADHAN_VERSION}`,
    '# (independent prayer-time library) with tools/reference/make_reference.js; regenerate there.',
    `# Parameters: Fajr angle ${FAJR_ANGLE}, Isha angle ${ISHA_ANGLE}, Shafi madhab (Asr shadow 1),`,
    '# Maghrib = sunset, no adjustments, adhan Rounding.Nearest: each time to the nearest',
    '# minute, 30 s and more up (adhan drops the fraction of a second first).',
    ...lines.map((l) => '# ' + l),
    '# fajr_rule_applied / isha_rule_applied: 1 when the high-latitude rule, not the angle, gives',
    '# the time: the sun does not reach the angle below the horizon that night, or the angle time',
    '# lies beyond the rule\'s limit (before sunrise minus the rule\'s portion of the night for fajr,',
    '# after sunset plus it for isha; night = that date\'s sunset to the next sunrise, as adhan',
    '# takes it; portions: MiddleOfTheNight 1/2, SeventhOfTheNight 1/7, TwilightAngle angle/60).',
    '# Computed independently of adhan with the Astronomical Almanac low-precision sun (under a minute),',
    '# so on a changeover day a flag may differ from what adhan decided: compare with a tolerance',
    '# of 1 minute, and 2 minutes for times the rule gives.',
    COLUMNS,
  ].join('\n') + '\n';
}

function write(name, text) {
  fs.mkdirSync(OUT, { recursive: true });
  fs.writeFileSync(path.join(OUT, name), text);
  console.log('wrote', path.relative(path.join(__dirname, '..', '..'), path.join(OUT, name)),
    `(${text.split('\n').filter((l) => l && !l.startsWith('#')).length - 1} rows)`);
}

// Cross-check: adhan's time must be nearer the time the flag names (the rule's limit, or
// the angle's) than the other one, unless both lie within 2 minutes of it.
function crossCheck(pl, rule, y, m, d, pt, flags, problems) {
  const next = new Date(Date.UTC(y, m - 1, d + 1));
  const sunrise = sunEvent(pl.lat, pl.lon, y, m, d, -0.833, false);
  const sunset = sunEvent(pl.lat, pl.lon, y, m, d, -0.833, true);
  const night = sunEvent(pl.lat, pl.lon, next.getUTCFullYear(), next.getUTCMonth() + 1,
    next.getUTCDate(), -0.833, false) - sunset;
  const [pf, pi] = PORTIONS[rule];
  const cases = [
    ['fajr', flags[0], sunrise - pf * night, sunEvent(pl.lat, pl.lon, y, m, d, -FAJR_ANGLE, false)],
    ['isha', flags[1], sunset + pi * night, sunEvent(pl.lat, pl.lon, y, m, d, -ISHA_ANGLE, true)],
  ];
  for (const [k, flag, limit, angle] of cases) {
    const t = pt[k].getTime();
    const gap = (x) => (x === null ? Infinity : Math.abs(x - t) / 60000);
    const want = flag ? limit : angle;
    const other = flag ? angle : limit;
    if (gap(want) > 2 && gap(other) < gap(want)) {
      problems.push(`${pl.name} ${rule} ${isoDate(y, m, d)} ${k}`);
    }
  }
}

// ---- 1. high latitudes
function highLat() {
  const places = [
    { name: 'London', lat: 51.5074, lon: -0.1278, tz: 0 },
    { name: 'Oslo', lat: 59.9139, lon: 10.7522, tz: 1 },
    { name: 'Edmonton', lat: 53.5461, lon: -113.4938, tz: -7 },
  ];
  const low = [
    { name: 'Jakarta', lat: -6.2, lon: 106.816, tz: 7 },
    { name: 'Cairo', lat: 30.0444, lon: 31.2357, tz: 2 },
  ];
  const rows = [];
  const counts = {};
  const problems = [];
  const add = (pl, rule) => eachDay(YEAR, (y, m, d) => {
    rows.push(fixedRow(pl, rule, y, m, d));
    const flags = ruleApplied(pl.lat, pl.lon, y, m, d, rule);
    crossCheck(pl, rule, y, m, d, times(pl.lat, pl.lon, y, m, d, rule), flags, problems);
    const k = `${pl.name} ${rule}`;
    counts[k] = counts[k] || [0, 0];
    counts[k][0] += flags[0];
    counts[k][1] += flags[1];
  });
  for (const pl of places) {
    for (const rule of ['MiddleOfTheNight', 'SeventhOfTheNight', 'TwilightAngle']) add(pl, rule);
  }
  for (const pl of low) add(pl, 'SeventhOfTheNight');
  const summary = Object.entries(counts).map(([k, [f, i]]) => `${k}: fajr ${f}, isha ${i}`);
  write('highlat_reference.csv', header(
    `High-latitude rules, every tenth day of ${YEAR} from 1 January, local STANDARD time (fixed offset, no summer time).`,
    ['Places: London (tz 0), Oslo (tz 1), Edmonton (tz -7) with MiddleOfTheNight,',
      'SeventhOfTheNight and TwilightAngle; Jakarta (tz 7) and Cairo (tz 2) with SeventhOfTheNight.',
      'Times are HH:MM clock times of the instant at the fixed offset; an isha after midnight',
      'shows the next day\'s clock time (e.g. 00:40) on the row of its date.',
      'Days the rule gave the time: ' + summary.join('; ') + '.',
      'adhan\'s SeventhOfTheNight also moves Cairo\'s summer fajr and isha: a seventh of a short',
      'night is less than the 20/18 degree twilight there (the flags show the days).',
      'Flags doubtful (the sun just reaches the angle, adhan\'s time is nearer the other choice): ' +
      (problems.join(', ') || 'none') + '.']) +
    rows.join('\n') + '\n');
  return { summary, problems };
}

// ---- 2. quarter-hour zones
function fractional() {
  const places = [
    { name: 'Delhi', lat: 28.6139, lon: 77.2090, tz: 5.5 },
    { name: 'Tehran', lat: 35.6892, lon: 51.3890, tz: 3.5 },
    { name: 'Kathmandu', lat: 27.7172, lon: 85.3240, tz: 5.75 },
    { name: 'Adelaide', lat: -34.9285, lon: 138.6007, tz: 9.5 },
    { name: "St. John's", lat: 47.5615, lon: -52.7126, tz: -3.5 },
    { name: 'Kabul', lat: 34.5553, lon: 69.2075, tz: 4.5 },
    { name: 'Yangon', lat: 16.8409, lon: 96.1735, tz: 6.5 },
    { name: 'Colombo', lat: 6.9271, lon: 79.8612, tz: 5.5 },
  ];
  const rule = 'MiddleOfTheNight';
  const rows = [];
  const problems = [];
  const applied = [];
  for (const pl of places) {
    for (let m = 1; m <= 12; m++) {
      for (const d of [1]) {
        rows.push(fixedRow(pl, rule, YEAR, m, d));
        const flags = ruleApplied(pl.lat, pl.lon, YEAR, m, d, rule);
        crossCheck(pl, rule, YEAR, m, d, times(pl.lat, pl.lon, YEAR, m, d, rule), flags, problems);
        ['fajr', 'isha'].forEach((k, i) => flags[i] && applied.push(`${pl.name} ${k} ${isoDate(YEAR, m, d)}`));
      }
    }
  }
  write('fractional_zones_reference.csv', header(
    `Zones that are not whole hours, the 1st of every month of ${YEAR}, fixed offset (no summer time).`,
    ['High-latitude rule MiddleOfTheNight (adhan\'s default); it gives the time only on: ' +
      (applied.join(', ') || 'no row') + '.',
      'tz is the standard offset in hours (5.5 = UTC+5:30, 5.75 = UTC+5:45).']) +
    rows.join('\n') + '\n');
  return problems;
}

// ---- 3. summer time from the IANA zone, per instant (Node's Intl with its own ICU tz data)
function zoneParts(date, zone) {
  const f = new Intl.DateTimeFormat('en-GB', {
    timeZone: zone, hourCycle: 'h23', year: 'numeric', month: '2-digit', day: '2-digit',
    hour: '2-digit', minute: '2-digit', second: '2-digit',
  });
  const p = Object.fromEntries(f.formatToParts(date).map((x) => [x.type, x.value]));
  const local = Date.UTC(+p.year, +p.month - 1, +p.day, +p.hour, +p.minute, +p.second);
  return { hhmm: `${p.hour}:${p.minute}`, offset: (local - Math.floor(date.getTime() / 1000) * 1000) / 3600000 };
}

function dst() {
  const rule = 'MiddleOfTheNight';
  const places = [
    { name: 'Berlin', lat: 52.52, lon: 13.405, tz: 1, zone: 'Europe/Berlin', change: [[3, 29], [10, 25]] },
    { name: 'London', lat: 51.5074, lon: -0.1278, tz: 0, zone: 'Europe/London', change: [[3, 29], [10, 25]] },
    { name: 'New York', lat: 40.7128, lon: -74.006, tz: -5, zone: 'America/New_York', change: [[3, 8], [11, 1]] },
    { name: 'Sydney', lat: -33.8688, lon: 151.2093, tz: 10, zone: 'Australia/Sydney', change: [[4, 5], [10, 4]] },
  ];
  const rows = [];
  const row = (pl, r, y, m, d) => {
    const pt = times(pl.lat, pl.lon, y, m, d, r);
    const [fa, ia] = ruleApplied(pl.lat, pl.lon, y, m, d, r);
    const local = PRAYERS.map((k) => zoneParts(pt[k], pl.zone));
    rows.push([pl.name, pl.lat, pl.lon, fmtTz(pl.tz), r, isoDate(y, m, d), ...local.map((x) => x.hhmm),
      fa, ia, pl.zone, local[0].offset, local[5].offset].join(','));
  };
  for (const pl of places) {
    const days = new Set();
    for (let m = 1; m <= 12; m++) days.add(Date.UTC(YEAR, m - 1, 1));
    for (const [m, d] of pl.change) {
      for (const k of [-1, 0, 1]) days.add(Date.UTC(YEAR, m - 1, d + k));
    }
    for (const t of [...days].sort((a, b) => a - b)) {
      const x = new Date(t);
      row(pl, rule, x.getUTCFullYear(), x.getUTCMonth() + 1, x.getUTCDate());
    }
  }
  // Fajr before the 02:00 switch: the sun stays above -20 degrees at Tromso in late March,
  // and TwilightAngle puts fajr a third of the night before sunrise, about 01:30 CET.
  const tromso = { name: 'Tromso', lat: 69.6492, lon: 18.9553, tz: 1, zone: 'Europe/Oslo' };
  for (const d of [28, 29, 30]) row(tromso, 'TwilightAngle', YEAR, 3, d);
  const cols = COLUMNS + ',zone,offset_fajr,offset_isha';
  const text = header(
    `Summer time applied per instant from the IANA zone, ${YEAR}.`,
    ['Change days (and the days before and after): Europe 29 March and 25 October, US 8 March',
      'and 1 November, Sydney 5 April and 4 October; plus the 1st of every month. Rule',
      'MiddleOfTheNight; the last rows: Tromso (69.6492, 18.9553, Europe/Oslo) with TwilightAngle,',
      'where fajr of 29 March falls before the 02:00 switch (offset_fajr 1, offset_isha 2).',
      `adhan gives UTC instants for the civil date; each is shown as the zone's clock time with`,
      `Node ${process.versions.node} Intl (ICU ${process.versions.icu}, tz data ${process.versions.tz}).`,
      'tz = the zone\'s standard offset; offset_fajr / offset_isha = UTC offset in hours at that instant.'])
    .replace(COLUMNS + '\n', cols + '\n');
  write('dst_reference.csv', text + rows.join('\n') + '\n');
}

function main() {
  const hl = highLat();
  const fr = fractional();
  dst();
  console.log('days the rule gave the time:\n  ' + hl.summary.join('\n  '));
  const problems = hl.problems.concat(fr);
  console.log(`cross-check flags against adhan: ${problems.length} disagreement(s)` +
    (problems.length ? ':\n  ' + problems.join('\n  ') : ''));
}

if (require.main === module) main();
module.exports = { sunAt, sunEvent, ruleApplied, times };
