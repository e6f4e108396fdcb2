#include "engine/datetime.h"

#include <cmath>
#include <cstdio>

namespace qov {
namespace {

// Days from 1970-01-01 of a proleptic Gregorian date (H. Hinnant's
// days_from_civil).
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long long>(doe) - 719468;
}

CivilDate CivilFromDays(long long z) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long y = static_cast<long long>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  return CivilDate{static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

constexpr long long kEpochOffset = 25569;  // 1970-01-01 minus 1899-12-30

// Far beyond any calendar the platform has (years 100 to 9999), yet small
// enough that whole seconds stay exact and every integer conversion fits.
constexpr double kMaxDays = 1e9;

bool HasDate(double dateTime) {
  return std::isfinite(dateTime) && std::fabs(dateTime) <= kMaxDays;
}

}  // namespace

double DateSerial(int year, int month, int day) {
  // Normalise the month first so that month 13 or 0 run over into the year.
  long long y = year, m = month - 1;
  y += m >= 0 ? m / 12 : -((11 - m) / 12);
  m = ((m % 12) + 12) % 12;
  return static_cast<double>(DaysFromCivil(y, static_cast<unsigned>(m + 1), 1) + kEpochOffset +
                             (day - 1));
}

double TimeSerial(int hour, int minute, int second) {
  return (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
}

double DatePart(double dateTime) { return std::floor(dateTime); }

CivilDate DateOf(double dateTime) {
  if (!HasDate(dateTime)) return CivilDate{};
  // The fraction may round up to the next day only through TimeOf; the date
  // is the whole part after the same rounding to seconds.
  double secs = std::nearbyint(dateTime * 86400.0);
  return CivilFromDays(static_cast<long long>(std::floor(secs / 86400.0)) - kEpochOffset);
}

TimeOfDay TimeOf(double dateTime) {
  if (!HasDate(dateTime)) return TimeOfDay{};
  double secs = std::nearbyint(dateTime * 86400.0);
  long long s = static_cast<long long>(secs - std::floor(secs / 86400.0) * 86400.0);
  return TimeOfDay{static_cast<int>(s / 3600), static_cast<int>(s / 60 % 60), static_cast<int>(s % 60)};
}

std::string FormatHHMM(double dateTime) {
  TimeOfDay t = TimeOf(dateTime);
  char buf[8];
  std::snprintf(buf, sizeof buf, "%02d:%02d", t.hour, t.minute);
  return buf;
}

std::string FormatHHMMSS(double dateTime) {
  TimeOfDay t = TimeOf(dateTime);
  char buf[12];
  std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", t.hour, t.minute, t.second);
  return buf;
}

std::string FormatIsoDate(double dateTime) {
  CivilDate d = DateOf(dateTime);
  char buf[24];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", d.year, d.month, d.day);
  return buf;
}

}  // namespace qov
