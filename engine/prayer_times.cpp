#include "engine/prayer_times.h"

#include <algorithm>
#include <cmath>

#include "engine/numeric.h"

// The numbers are those of the published tables, down to the last digit: a
// reading that moves by one ulp can move a time across a minute. Where the
// tables' formulas take a detour (an arc sine through the arc tangent, a
// sine of an arc tangent), the direct form of the same value is used; the
// equivalence test against the frozen old engine holds that to zero
// differences.

namespace qov::engine {
namespace {

// PI is deliberately the ten-decimal value the tables were computed with.
constexpr double kPi = 3.1415926535;
constexpr double O = 180.0 / kPi;  // degrees per radian

constexpr double kJ1900 = 2415020;  // 1900 January 0.5, the theory's epoch
constexpr double kDaysPerCentury = 36525;

constexpr int kMaxAddDzuhur = 10;
constexpr int kMaxAddMaghrib = 4;

// Clock numbers: the minute turns at 36.24 s (0.0066 h), the day is held to
// 00:01..23:59, and numbers above 13 go to the 12-hour dial.
constexpr double kEarliest = 0.01;
constexpr double kLatest = 23.59;
constexpr double kRoundUpHours = 0.0066;
constexpr double kFoldAbove = 13;

// An unreachable altitude is held just inside the cosine's range.
constexpr double kCosineLimit = 0.999999;
double TablesHourAngle(double c) { return (kPi / 2 - std::atan(c / std::sqrt(1 - c * c))) * O / 15; }

// Constants the library computes; initialised on first use, so that a
// caller's static initialiser may already ask for times.
struct Constants {
  // Dip of the horizon for an observer 5 m up: sqrt(2 h / R), radians.
  double horizonDip = std::sqrt(2 * 5.0 / 6378160);
  // Sun's centre at sunset: refraction plus semi-diameter.
  double sinSunsetDepression = std::sin(0.83311 / O);
  // The hour angles at the cosine's limits, exactly as the tables' arc
  // tangent form gives them.
  double hourAngleAtHighLimit = TablesHourAngle(kCosineLimit);
  double hourAngleAtLowLimit = TablesHourAngle(-kCosineLimit);
};

const Constants& K() {
  static const Constants k;
  return k;
}

// Degrees into [0, 360), towards minus infinity for negative angles.
double Reduce(double deg) { return deg - Int(deg / 360) * 360; }

// The tables take latitude and longitude to three decimals, cut downwards.
double Thousandths(double x) { return Int(x * 1000) / 1000; }

struct Clock {
  double number;
  bool folded;
};

Clock MakeClock(double v) {
  if (v <= kEarliest) return {kEarliest, false};
  v += kRoundUpHours;
  const double h = Int(v);
  const double m = Int((v - h) * 60) / 100;
  double ai = h + m;
  if (ai > kLatest) ai = kLatest;
  if (ai > kFoldAbove) return {ai - 12, true};
  return {ai, false};
}

// The minute of the day a clock number stands for, with the fold read as
// the afternoon: the same minute as writing the number out and reading it
// back, without the text. -1 for NaN.
int MinuteOfDay(double v) {
  if (std::isnan(v)) return -1;
  if (v <= kEarliest) return 1;
  v += kRoundUpHours;
  const double h = Int(v);
  const double m = Int((v - h) * 60);
  if (h + m / 100 > kLatest) return 23 * 60 + 59;
  // A clock number's minutes may read 60 (a product rounding up to 60.0);
  // its text then reads as the next hour, which h * 60 + m is too.
  return static_cast<int>(h * 60 + m);
}

// The sun on one day, from the low-precision theory referred to 1900.0
// (Meeus, Astronomical Formulae for Calculators, ch. 18) with the equation
// of time after Smart (Meeus, Astronomical Algorithms, eq. 28.3).
struct Sun {
  double sinDecl, cosDecl;
  double equationOfTime;  // hours
};

Sun SunOn(double j0) {
  const double T = (j0 - kJ1900) / kDaysPerCentury;
  const double T2 = T * T, T3 = T2 * T;
  const double MS = Reduce(358.47583 + 35999.04975 * T - 0.00015 * T2 - 0.0000033 * T3) / O;
  const double LS1 = Reduce(279.69668 + 36000.76892 * T + 0.0003025 * T2) / O;
  const double sinMS = std::sin(MS), cosMS = std::cos(MS);
  const double sin2MS = 2 * sinMS * cosMS;
  const double sin3MS = sinMS * (3 - 4 * sinMS * sinMS);
  const double CS = ((1.91946 - 0.004789 * T - 0.000014 * T2) * sinMS +
                     (0.020094 - 0.0001 * T) * sin2MS + 0.000293 * sin3MS) /
                    O;
  const double OM = Reduce(259.183275 - 1934.142 * T + 0.002078 * T2 + 0.0000022 * T3) / O;
  const double sinOM = std::sin(OM), cosOM = std::cos(OM);
  const double LS = LS1 + CS;
  const double E = (23.452294 - 0.0130125 * T - 0.00000164 * T2 + 0.000000503 * T3) / O;
  const double E1 = E + 0.00256 * cosOM / O;
  const double LSA = LS - (0.00569 + 0.00479 * sinOM) / O;

  Sun sun;
  // The declination is the arc sine of this; only its sine and cosine are
  // needed, and the cosine is positive.
  sun.sinDecl = std::sin(E1) * std::sin(LSA);
  sun.cosDecl = std::sqrt(1 - sun.sinDecl * sun.sinDecl);

  const double EC = 0.01675104 - 0.0000418 * T - 0.000000126 * T2;
  const double tanHalfE = std::tan(E / 2);
  const double y = tanHalfE * tanHalfE;
  const double sin2L = std::sin(2 * LS1), cos2L = std::cos(2 * LS1);
  const double sin4L = 2 * sin2L * cos2L;
  const double eqt = y * sin2L - 2 * EC * sinMS + 4 * EC * y * sinMS * cos2L -
                     0.5 * y * y * sin4L - 5.0 / 4 * EC * EC * sin2MS;
  sun.equationOfTime = eqt * O / 15;
  return sun;
}

struct HourAngle {
  double hours;  // 0..12
  bool held;     // the altitude is out of reach on this day
};

// Hour angle at which sin(altitude) equals `sinAltitude`, for
// sinn = sin(lat) sin(decl) and cinn = cos(lat) cos(decl).
HourAngle HourAngleAt(double sinAltitude, double sinn, double cinn) {
  const double c = (sinAltitude - sinn) / cinn;
  if (c >= 1) return {K().hourAngleAtHighLimit, true};
  if (c <= -1) return {K().hourAngleAtLowLimit, true};
  return {(kPi / 2 - std::asin(c)) * O / 15, false};
}

bool IsCalendarDate(const CivilDate& d) {
  static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (d.year < 100 || d.year > 9999 || d.month < 1 || d.month > 12 || d.day < 1) return false;
  const bool leap = (d.year % 4 == 0 && d.year % 100 != 0) || d.year % 400 == 0;
  return d.day <= (d.month == 2 && !leap ? 28 : kDays[d.month - 1]);
}

}  // namespace

// Meeus, Astronomical Algorithms, ch. 7 (Julian day of a calendar date).
double JulianDay(double year, double month, double day) {
  double y = year, m = month;
  if (m <= 2) {
    y -= 1;
    m += 12;
  }
  double b = 0;
  if (y + m / 100 + day / 10000 >= 1582.1015) {
    const double a = Int(y / 100);
    b = 2 - a + Int(a / 4);
  }
  return Int(365.25 * y) + Int(30.6001 * (m + 1)) + day + 1720994.5 + b;
}

double ClockNumber(double hours) { return MakeClock(hours).number; }

bool ClockNumberFolded(double hours) { return MakeClock(hours).folded; }

double DefaultIsyaAngle(double latitude) {
  struct Row {
    double above, angle;
  };
  // Each later row overrides.
  static constexpr Row kRows[] = {{37, 17}, {41, 16.5}, {45, 15}, {50, 14}, {55, 13}};
  const double a = std::fabs(Thousandths(latitude));
  double angle = 18;
  for (const Row& r : kRows)
    if (a > r.above) angle = r.angle;
  return angle;
}

DayTimes HitungWaktuSholat(const CivilDate& date, const Place& place, const Method& method) {
  const DayTimes none;
  if (!IsCalendarDate(date)) return none;
  for (const double x : {place.latitude, place.longitude, place.timeZone, method.fajrAngle,
                         method.isyaAngle})
    if (!std::isfinite(x)) return none;
  const double la = Thousandths(place.latitude);
  const double lg = Thousandths(place.longitude);
  if (!std::isfinite(la) || !std::isfinite(lg)) return none;

  // The day counted from the month's first, as the tables count it (this
  // differs from JulianDay(y, m, d) only inside October 1582).
  const double j0 = JulianDay(date.year, date.month, 1) + date.day - 1;
  const Sun sun = SunOn(j0);
  const double transit = 12 + ((place.timeZone - lg / 15) - sun.equationOfTime);
  if (!std::isfinite(transit)) return none;

  const double sinLa = std::sin(la / O), cosLa = std::cos(la / O);
  const double sinn = sinLa * sun.sinDecl;
  const double cinn = cosLa * sun.cosDecl;

  const double addDzuhur = std::min(method.addDzuhur, kMaxAddDzuhur) / 60.0;
  const double addMaghrib = std::min(method.addMaghrib, kMaxAddMaghrib) / 60.0;
  const double shadow = method.mazhab == Mazhab::kShafii ? 1 : 2;

  // Ashar: cot(altitude) = shadow factor + tan|lat - decl|, so
  // sin(altitude) = 1 / sqrt(1 + cot^2); tan(lat - decl) from the sines and
  // cosines already at hand.
  const double tanNoonZenith =
      std::fabs((sinLa * sun.cosDecl - cosLa * sun.sinDecl) / (cinn + sinn));
  const double cotAshar = shadow + tanNoonZenith;

  const Constants& k = K();
  const double dip = k.horizonDip;
  const HourAngle shubuh = HourAngleAt(-dip - std::sin(method.fajrAngle / O), sinn, cinn);
  const HourAngle ashar = HourAngleAt(-dip + 1 / std::sqrt(1 + cotAshar * cotAshar), sinn, cinn);
  const HourAngle maghrib = HourAngleAt(-dip - k.sinSunsetDepression, sinn, cinn);
  const HourAngle isya = HourAngleAt(-dip - std::sin(method.isyaAngle / O), sinn, cinn);

  const struct {
    double hours;
    bool held;
  } times[kPrayerCount] = {
      {transit - shubuh.hours, shubuh.held},
      {transit + addDzuhur, false},
      {transit + ashar.hours, ashar.held},
      {transit + maghrib.hours + addMaghrib, maghrib.held},
      {transit + isya.hours, isya.held},
  };
  DayTimes out;
  for (int i = 0; i < kPrayerCount; ++i) {
    const int minute = MinuteOfDay(times[i].hours);
    if (minute < 0) return none;
    out.times[i] = {static_cast<int16_t>(minute),
                    times[i].held ? TimeStatus::kFallback : TimeStatus::kNormal};
  }
  out.valid = true;
  return out;
}

}  // namespace qov::engine
