// The day's prayer times as a pure function: a date, a place and a method
// in, five times with their status out. No state survives a call.
//
// Layers: the sun for one day (transit, declination, equation of time), the
// hour angle at which the sun stands at an altitude, and the day's schedule
// (angles, shadow factor, additions, clock-number rounding). The clock
// number rules (the minute turns at 36.24 s, the day is held to
// 00:01..23:59) are those of the published tables this engine reproduces.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/datetime.h"

namespace qov::engine {

struct Place {
  double latitude = 0;   // degrees, north positive; strictly inside (-90, 90)
  double longitude = 0;  // degrees, east positive
  double timeZone = 0;   // hours east of UTC
};

// The Ashar shadow factor: the shadow's length over the object's at Ashar.
enum class Mazhab : int8_t { kShafii = 1, kHanafi = 2 };

struct Method {
  double fajrAngle = 19;  // sun's depression at Shubuh, degrees
  double isyaAngle = 20;  // sun's depression at Isya, degrees
  Mazhab mazhab = Mazhab::kShafii;
  int addDzuhur = 0;   // minutes; more than 10 counts as 10
  int addMaghrib = 0;  // minutes; more than 4 counts as 4
};

enum class Prayer : int8_t { kShubuh, kDzuhur, kAshar, kMaghrib, kIsya };
inline constexpr int kPrayerCount = 5;

enum class TimeStatus : int8_t {
  kNormal,
  // The sun never reaches the altitude on this day: the time is the
  // nearest the method can give (held at the hour angle's limit).
  kFallback,
};

struct PrayerTime {
  int16_t minuteOfDay = -1;  // 0..1439; -1: no time
  TimeStatus status = TimeStatus::kNormal;
};

struct DayTimes {
  std::array<PrayerTime, kPrayerCount> times{};
  // False when the inputs gave no time at all (a date outside years 100 to
  // 9999 or not in the calendar, a non-finite number): every minute is then
  // -1 and every status kNormal.
  bool valid = false;
  const PrayerTime& operator[](Prayer p) const { return times[static_cast<size_t>(p)]; }
};

// The engine's routine: the five times of `date` at `place` by `method`.
// The latitude and longitude are taken to three decimals, as the tables do.
// The angles are used as given: choosing them (whole degrees, the Isya
// default) is the caller's part.
DayTimes HitungWaktuSholat(const CivilDate& date, const Place& place, const Method& method);

// The tables' Isya angle for a latitude, taken to three decimals as above
// (towards minus infinity, so -37.0009 counts as beyond 37): 18 degrees
// near the equator, down to 13 beyond 55 degrees north or south.
double DefaultIsyaAngle(double latitude);

// Julian day at 0h of a calendar date (Gregorian from 1582-10-15 on).
double JulianDay(double year, double month, double day);

// Clock numbers, the tables' form of a time: h + m/100, rounded up at
// 36.24 s, held to 00:01..23:59 and folded to a 12-hour dial above 13.
double ClockNumber(double hours);
bool ClockNumberFolded(double hours);
// Plain decimal text of a clock number, at most 15 significant digits
// ("4.1", "12", "3.15").
std::string ClockNumberText(double clockNumber);
// Time-of-day value (0.5 is 12:00) of a clock number's text; `afternoon`
// adds 12 hours.
double ClockNumberToTime(const std::string& text, bool afternoon);

}  // namespace qov::engine
