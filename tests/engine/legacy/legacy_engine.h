// Frozen copy of the stateful engine as it was before the pure
// HitungWaktuSholat(CivilDate, Place, Method): the reference the
// equivalence test and the benchmark compare the engine with. Do not edit
// or optimise it; its value is that it is the old code, unchanged.
// The prayer-time engine: for one date, one place and the calculation
// parameters, the day's five prayer times as time-of-day values.
//
// Layers: clock numbers and their text form (ClockNumber,
// ClockNumberToTime), one solar day (ComputeDay, HourAngle, ClampCosine),
// and the day driver HitungWaktuSholat, which checks and normalises the
// arguments and keeps the outputs. The Fajr and Isya angles survive from one
// call to the next (an argument of 0 keeps the previous angle), so an
// instance holds the engine's whole state. Not re-entrant.
#pragma once

#include <cstdint>
#include <string>

namespace qov::legacy {

// Constants of the method. PI is deliberately the ten-decimal value: the
// published tables were computed with it.
inline constexpr double kPi = 3.1415926535;
inline constexpr double kDegPerRad = 180.0 / kPi;  // O

// Julian day at 0h of a calendar date (Gregorian from 1582-10-15 on).
double JulianDay(double year, double month, double day);

// x moved inside the open interval (-1, 1): +-0.999999 at or beyond +-1.
double ClampCosine(double x);

// Clock number of a time in hours: h + m/100, rounded, held to 00:01..23:59
// and folded to a 12-hour dial above 13.
double ClockNumber(double hours);
// Whether ClockNumber(hours) folded its result (the afternoon half).
bool ClockNumberFolded(double hours);

// Text form of a clock number: plain decimal, at most 15 significant digits,
// no exponent, no trailing zeros or point ("4.1", "12", "3.15").
std::string ClockNumberText(double clockNumber);

// Time-of-day value of a clock number's text; `afternoon` adds 12 hours.
double ClockNumberToTime(const std::string& text, bool afternoon);

class WaktuSholat {
 public:
  // Outputs: time-of-day values (0.5 is 12:00); 0 before the first call.
  double WaktuShubuh = 0;
  double WaktuDzuhur = 0;
  double WaktuAshar = 0;
  double WaktuMaghrib = 0;
  double WaktuIsya = 0;

  // date: a date-time value (days since 1899-12-30), only its date is used.
  // The latitude must lie strictly between -90 and 90.
  void HitungWaktuSholat(double date, double latitude, double longitude, int16_t timeZone,
                         int16_t addDzuhur, int16_t addMaghrib, int16_t mazhabAshar,
                         int16_t sudutFajar, int16_t sudutIsya);

  // Fajr and Isya angles in force (0 before any non-zero argument).
  double AJR() const { return ajr_; }
  double SHA() const { return sha_; }

  // The day computation on explicit inputs, exposed for tests: fills the
  // clock-number slots 2, 4, 5, 6, 7 of `jadwal` (index 0 unused) and the
  // matching fold flags.
  struct DayInput {
    double j0 = 0, la = 0, lg = 0, timeZone = 0, zu = 0, zu1 = 0, shad = 1, ajr = 0, sha = 0;
  };
  struct DayResult {
    double jadwal[9] = {};
    bool folded[9] = {};
    double trt1 = 0;  // transit, hours of zone time
  };
  static DayResult ComputeDay(const DayInput& in);
  // Hour angle in hours (0..12) at which the altitude term equals co, for
  // sinn = sin(lat) sin(decl), cinn = cos(lat) cos(decl).
  static double HourAngle(double co, double sinn, double cinn);

 private:
  double ajr_ = 0;
  double sha_ = 0;
};

}  // namespace qov::legacy
