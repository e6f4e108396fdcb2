#!/usr/bin/env node
// Writes tests/engine/data/edges_reference.csv from the adhan library: the
// times at the edges of the day (a zone across the date line, a Maghrib or
// Isya after midnight, a Shubuh the evening before, a sun that does not set).
// Run with `TZ=UTC node make_edges.js` after `npm ci`. See README.md.
'use strict';
process.env.TZ = 'UTC';

const fs = require('fs');
const path = require('path');
const adhan = require('adhan');

const VERSION = JSON.parse(fs.readFileSync(
  path.join(__dirname, 'node_modules', 'adhan', 'package.json'), 'utf8')).version;
const OUT = path.join(__dirname, '..', '..', 'tests', 'engine', 'data', 'edges_reference.csv');

// name, lat, lon, zone (Madrid: Europe/Madrid's summer offset), rule, dates;
// Isha 18 unless a last field says otherwise (Madrid's 20 puts it past midnight).
const PLACES = [
  ['Apia', -13.8333, -171.7667, 13, 'MiddleOfTheNight', ['2026-06-15', '2026-12-15']],
  ["Nuku'alofa", -21.1368, -175.2011, 13, 'MiddleOfTheNight', ['2026-03-15']],
  ['Mata-Utu', -13.2816, -176.1745, 12, 'MiddleOfTheNight', ['2026-09-15']],
  ['Reykjavik', 64.1355, -21.8954, 0, 'SeventhOfTheNight',
    ['2026-06-13', '2026-06-18', '2026-06-23', '2026-06-28']],
  ['Bole', 44.8933, 82.0699, 8, 'MiddleOfTheNight', ['2026-06-10', '2026-06-21']],
  ['Madrid', 40.4165, -3.7026, 2, 'MiddleOfTheNight', ['2026-06-21', '2026-06-28'], 20],
  ['Budapest', 47.4984, 19.0404, 1, 'MiddleOfTheNight', ['2026-06-16', '2026-06-21', '2026-06-26']],
  ['Longyearbyen', 78.2233, 15.6469, 1, 'SeventhOfTheNight', ['2026-06-21']],
];
const PRAYERS = ['fajr', 'sunrise', 'dhuhr', 'asr', 'maghrib', 'isha'];
const pad = (n) => String(n).padStart(2, '0');

// Local clock time, with +1 / -1 when it falls on the day after or before
// the row's date; empty where adhan gives no time.
function local(date, tz, y, m, d) {
  if (isNaN(date.getTime())) return '';
  const t = new Date(date.getTime() + Math.round(tz * 60) * 60000);
  const offset = Math.round((Date.UTC(t.getUTCFullYear(), t.getUTCMonth(), t.getUTCDate()) -
    Date.UTC(y, m - 1, d)) / 86400000);
  return pad(t.getUTCHours()) + ':' + pad(t.getUTCMinutes()) + (offset ? (offset > 0 ? '+' : '') + offset : '');
}

const lines = [
  `# Reference figures, not the engine's output: the npm package adhan ${VERSION} via`,
  '# tools/reference/make_edges.js. Fajr 20, Isha isha_angle, Shafi, Maghrib = sunset, no adjustments,',
  '# Rounding.Nearest. Times are local clock times, +1/-1 on the day after/before the date;',
  '# empty where adhan gives none (the sun does not set). Zone: fixed offset (Madrid at',
  "# Europe/Madrid's summer offset). adhan takes a date as the solar day at the longitude:",
  '# across the date line (Apia) it is asked for the day before, whose times fall on the date.',
  '# Compare with a tolerance of 2 minutes.',
  'place,lat,lon,tz,rule,isha_angle,date,' + PRAYERS.join(','),
];
for (const [name, lat, lon, tz, rule, dates, isha = 18] of PLACES) {
  for (const iso of dates) {
    const [y, m, d] = iso.split('-').map(Number);
    const p = new adhan.CalculationParameters('Other', 20, isha);
    p.madhab = adhan.Madhab.Shafi;
    p.highLatitudeRule = adhan.HighLatitudeRule[rule];
    p.rounding = adhan.Rounding.Nearest;
    const at = (day) => new adhan.PrayerTimes(new adhan.Coordinates(lat, lon), new Date(y, m - 1, day), p);
    let pt = at(d);
    const noon = new Date(pt.dhuhr.getTime() + tz * 3600000);
    if (noon.getUTCDate() !== d) pt = at(d - 1);
    lines.push([name, lat, lon, tz, rule, isha, iso, ...PRAYERS.map((k) => local(pt[k], tz, y, m, d))].join(','));
  }
}
fs.writeFileSync(OUT, lines.join('\n') + '\n');
console.log('wrote', OUT, lines.filter((l) => !l.startsWith('#')).length - 1, 'rows');
