// The day's prayer times as a pure function: a date, a place and a method
// in, the times with their status out. No state survives a call.
//
// Layers: the sun for one day (transit, declination, equation of time), the
// hour angle at which the sun stands at an altitude, and the day's schedule
// (angles, shadow factor, additions, rounding, high-latitude rule). The
// default method is the clock's own: the published tables' low-precision
// sun and their clock-number rules (the minute turns at 36.24 s). A time on
// the civil day before or after the row's date keeps its clock time and
// says which day it is on. KemenagMethod() gives the Indonesian ministry's
// schedule instead.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "engine/datetime.h"

namespace qov::engine {

struct Place {
  double latitude = 0;   // degrees, north positive; strictly inside (-90, 90)
  double longitude = 0;  // degrees, east positive
  double timeZone = 0;   // hours east of UTC, any fraction (5.5, 5.75, -3.5)
  // Metres above the sea. A higher observer sees the sun rise earlier and
  // set later: the dip of the horizon, sqrt(2 h / R) = 1.93'·sqrt(h), lowers
  // the altitude of Terbit and Maghrib (no other time). The tables' sun
  // already stands on a 5 m observer, so there up to 5 m changes nothing.
  double elevation = 0;
};

// The Ashar shadow factor: the shadow's length over the object's at Ashar.
enum class Mazhab : int8_t { kShafii = 1, kHanafi = 2 };

enum class SunTheory : int8_t {
  // The tables' low-precision theory referred to 1900, the sun taken once
  // at 0h of the day; every altitude shifted by a 5 m observer's dip and
  // the horizon at 34' + 16'. Fast: the clock's own method.
  kTables,
  // Meeus, Astronomical Algorithms ch. 25 with nutation and aberration,
  // apparent sidereal time, each event iterated with the sun taken at the
  // event itself (under 2 s of time); the horizon is Method::horizon.
  kAccurate,
};

enum class Rounding : int8_t {
  // The tables' clock numbers: up from 36.24 s, additions added before.
  kClockNumber,
  // Kemenag: seconds rounded up (Terbit: dropped, the safe side of each),
  // then the additions.
  kSecondsUp,
};

// Where the sun does not reach the Fajr or Isya angle, the time comes from
// the night (sunset to the next sunrise, the method's own horizon): Fajr a
// share of it before sunrise, Isya the same share after sunset.
enum class HighLatitudeRule : int8_t {
  kNone,            // held at the hour angle's limit (TimeStatus::kFallback)
  kMiddleOfNight,   // half the night
  kSeventhOfNight,  // a seventh
  kTwilightAngle,   // angle / 60 (18 degrees: 0.3 of the night)
  kAuto,            // a seventh beyond 48 degrees of latitude, else the middle
};

struct Method {
  double fajrAngle = 19;  // sun's depression at Shubuh, degrees
  double isyaAngle = 20;  // sun's depression at Isya, degrees
  Mazhab mazhab = Mazhab::kShafii;
  // Additions (ihtiyat), minutes. These two are held above in every method
  // (Kemenag's 3 and 2 lie within); the others are used as given.
  int addDzuhur = 0;   // more than 10 counts as 10
  int addMaghrib = 0;  // more than 4 counts as 4
  int addShubuh = 0;
  int addAshar = 0;
  int addIsya = 0;
  int addTerbit = 0;
  int addDhuha = 0;
  int imsakBeforeShubuh = 10;  // minutes before the Shubuh shown
  double dhuhaAltitude = 4.5;  // sun's centre after sunrise, degrees
  // Sun's centre at Terbit and Maghrib for an observer at sea level,
  // degrees; the accurate theory only (the tables keep their own).
  double horizon = -0.8333;
  SunTheory sun = SunTheory::kTables;
  Rounding rounding = Rounding::kClockNumber;
  // kNone keeps the clock's results; the rule changes only the times whose
  // angle the sun does not reach.
  HighLatitudeRule highLatitudeRule = HighLatitudeRule::kNone;
};

// The Indonesian Ministry of Religious Affairs' schedule (Kemenag, Ditjen
// Bimas Islam, bimasislam.kemenag.go.id), as tools/kemenag/README.md derives
// it from published tables: Shubuh at -20 degrees, Isya at -18, Ashar with
// shadow factor 1 (Syafi'i), Dhuha at +4.5; Terbit and Maghrib at -1 degree
// minus the place's dip; Imsak 10 minutes before Shubuh; seconds up, then
// +2 minutes (Dzuhur +3); Terbit's seconds dropped, then -2; the accurate
// sun. Sources: the notes of a published Ramadan table (fdokumen.com,
// "Dhuhur ditambah ikhtiyat 3 menit ... Terbit detik berapapun dihilangkan
// kemudian dikurangi 2 menit"), rukyatulhilal.org/imsakiyah/kriteria.html,
// Kompas 2013-07-19 ("Isya ... -18 derajat ... Shubuh -20 derajat", Imsak
// 10 minutes before Shubuh), detik.com d-4545323 (Subuh -20),
// jateng.kemenag.go.id/?p=34385 (elevation of the markaz).
Method KemenagMethod();

// The five prayers.
enum class Prayer : int8_t { kShubuh, kDzuhur, kAshar, kMaghrib, kIsya };
inline constexpr int kPrayerCount = 5;

// The full Indonesian day, in its order.
enum class Waktu : int8_t { kImsak, kShubuh, kTerbit, kDhuha, kDzuhur, kAshar, kMaghrib, kIsya };
inline constexpr int kWaktuCount = 8;
constexpr Waktu WaktuOf(Prayer p) {
  constexpr Waktu kAt[] = {Waktu::kShubuh, Waktu::kDzuhur, Waktu::kAshar, Waktu::kMaghrib,
                           Waktu::kIsya};
  return kAt[static_cast<size_t>(p)];
}

enum class TimeStatus : int8_t {
  kNormal,
  // The sun never reaches the altitude on this day: the time is the
  // nearest the method can give (held at the hour angle's limit). Where
  // the sun does not set, Terbit and Maghrib end a nominal 12-hour night
  // around its lower transit. Held and rule times are then kept in the
  // day's order, a minute from their neighbour where they would meet or
  // cross it. The day passes midnight at most once: where a held or rule
  // Isya falls a day after Shubuh, Imsak is shortened to Shubuh's midnight.
  kFallback,
  // The sun does not reach the Fajr or Isya angle: the high-latitude rule
  // gave the time (Imsak follows Shubuh).
  kRule,
};

struct PrayerTime {
  int16_t minuteOfDay = -1;  // 0..1439, clock time on its own day; -1: no time
  TimeStatus status = TimeStatus::kNormal;
  // The civil day the time falls on, relative to the row's date: -1 for a
  // Shubuh the evening before, +1 for a Maghrib or Isya after midnight.
  // (Beyond that only with additions of a day or more.)
  int8_t dayOffset = 0;
  // Minutes from the row's date's midnight.
  int Minutes() const { return dayOffset * 1440 + minuteOfDay; }
};

struct DayTimes {
  std::array<PrayerTime, kPrayerCount> times{};
  // False when the inputs gave no time at all (a date outside years 100 to
  // 9999 or not in the calendar, a non-finite number): every minute is then
  // -1 and every status kNormal.
  bool valid = false;
  const PrayerTime& operator[](Prayer p) const { return times[static_cast<size_t>(p)]; }
};

struct FullDay {
  std::array<PrayerTime, kWaktuCount> times{};
  bool valid = false;  // as DayTimes::valid
  const PrayerTime& operator[](Waktu w) const { return times[static_cast<size_t>(w)]; }
  const PrayerTime& operator[](Prayer p) const { return (*this)[WaktuOf(p)]; }
  DayTimes Five() const;
};

// The engine's routine: the five times of `date` at `place` by `method`.
// With the tables' sun the latitude and longitude are taken to three
// decimals, as the tables do; the accurate sun takes them as given.
// The angles are used as given: choosing them (whole degrees, the Isya
// default) is the caller's part.
DayTimes HitungWaktuSholat(const CivilDate& date, const Place& place, const Method& method);
// The same day with Imsak, Terbit and Dhuha; its five are the routine's.
FullDay HitungHariLengkap(const CivilDate& date, const Place& place, const Method& method);

// The rule a latitude gets (kAuto resolved; the others as they are).
HighLatitudeRule RuleFor(HighLatitudeRule rule, double latitude);

// Summer time: the engine's zone is one fixed offset. Here each time takes
// the offset in force at its own instant (a Shubuh before a 02:00 change
// keeps the old one). `offsetAt` gives hours east of UTC at a UTC
// date-time value (days since 1899-12-30); place.timeZone is not used.
using UtcOffsetAt = std::function<double(double utcDateTime)>;
struct ZonedDay {
  FullDay day;
  std::array<double, kWaktuCount> utcOffset{};  // hours, the offset each time uses
};
ZonedDay HitungHariDiZona(const CivilDate& date, const Place& place, const Method& method,
                          const UtcOffsetAt& offsetAt);

// The tables' Isya angle for a latitude, taken to three decimals as above
// (towards minus infinity, so -37.0009 counts as beyond 37): 18 degrees
// near the equator, down to 13 beyond 55 degrees north or south.
double DefaultIsyaAngle(double latitude);

// Julian day at 0h of a calendar date (Gregorian from 1582-10-15 on).
double JulianDay(double year, double month, double day);

}  // namespace qov::engine
