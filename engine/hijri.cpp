#include "engine/hijri.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/moon.h"

namespace qov::engine {
namespace {

// Numbering: 1 Ramadan 1444 H was 2023-03-23 (sidang isbat of 22 March
// 2023, shared by every Indonesian body). Its conjunction, 21 March 2023
// 17:23 UT, is Meeus lunation 287; months are counted as lunations from
// there, month index = (year - 1) * 12 + (month - 1).
constexpr int kAnchorLunation = 287;
constexpr int kAnchorMonthIndex = 1443 * 12 + 8;

// The Ministry accepts a month when the criterion holds at sunset at any
// one place in Indonesia, both quantities at the same place. Altitude
// grows westward and towards the pole the moon leans to, so the best
// place runs along the western and southern coasts: the Aceh tip
// mid-year, Mentawai, Enggano or Ujung Kulon around December (1 Rajab
// 1447 H: 2.46 degrees at Sabang, 3.12 at Tua Pejat). These ten places
// decide every month of 1900-2100 as 61 points spread along those coasts,
// Nusa Tenggara and west Kalimantan do.
struct Place {
  double latitude, longitude;
};
constexpr Place kPlaces[] = {
    {5.9058, 95.2164},    // Kilometre Zero monument, Sabang (Weh island)
    {5.4633, 95.2425},    // Tgk. Chiek Kuta Karang observatory, Lhoknga
    {2.6000, 95.9500},    // western cape of Simeulue
    {0.6000, 97.8000},    // southern Nias
    {-1.3000, 98.9000},   // Siberut
    {-2.0300, 99.5900},   // Tua Pejat, Sipora
    {-3.2000, 100.4000},  // South Pagai
    {-3.8000, 102.2600},  // Bengkulu
    {-5.3500, 102.2000},  // Enggano
    {-6.7500, 105.2000},  // Tanjung Layar, Ujung Kulon
};
// Nowhere in the country does the crescent stand more than 1.7 degrees
// higher than at Sabang, nor (once the conjunction is past) farther from
// the sun, where sunset comes latest: Sabang far below a threshold
// settles the evening.
constexpr double kAltitudeSpread = 2.0;
constexpr double kElongationSpread = 0.2;

// MABIMS as revised in 2021, applied from 1 Ramadan 1443 H: altitude
// >= 3 degrees and elongation >= 6.4. Before it the 1996 criterion:
// altitude >= 2 degrees, and elongation >= 3 or age >= 8 hours.
constexpr int kRevisedCriterionFirstLunation = 275;  // opens Ramadan 1443
struct Criterion {
  double minAltitude, minElongation, minAgeHours;
  bool Holds(const Crescent& c) const {
    return c.ageHours > 0 && c.moonAltitude >= minAltitude &&
           (c.elongation >= minElongation || c.ageHours >= minAgeHours);
  }
};
constexpr Criterion kMabims1996 = {2.0, 3.0, 8.0};
constexpr Criterion kMabims2021 = {3.0, 6.4, 1e9};
// The conjunction's civil day is reckoned in Western Indonesian Time.
constexpr double kWibHours = 7.0;
constexpr double kSerialEpochJd = 2415018.5;

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeap(y) ? 29 : kDays[m - 1];
}

int Serial(int y, int m, int d) { return static_cast<int>(qov::DateSerial(y, m, d)); }

// The day number (days since 1899-12-30) of a supported civil date moved by
// the clamped correction; false for anything else.
bool SupportedDay(int year, int month, int day, int correctionDays, int* serial) {
  if (year < kHijriFirstCivilYear - 1 || year > kHijriLastCivilYear + 1) return false;
  if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) return false;
  const int shift = std::clamp(correctionDays, -kHijriMaxCorrection, kHijriMaxCorrection);
  const int s = Serial(year, month, day) + shift;
  if (s < Serial(kHijriFirstCivilYear, 1, 1) || s > Serial(kHijriLastCivilYear, 12, 31)) {
    return false;
  }
  *serial = s;
  return true;
}

// Civil day (day number, WIB) of lunation k's conjunction.
int ConjunctionDay(int k) {
  const double conjunction = UniversalFromDynamical(NewMoonJde(k));
  return static_cast<int>(std::floor(conjunction - kSerialEpochJd + kWibHours / 24.0));
}

// Whether lunation k's crescent meets the criterion of its time at sunset
// of day `serial` somewhere in Indonesia (the conjunction before that
// sunset).
bool CriterionHolds(int k, int serial) {
  const Criterion& rule = k >= kRevisedCriterionFirstLunation ? kMabims2021 : kMabims1996;
  const qov::CivilDate d = qov::DateOf(serial);
  bool first = true;
  for (const Place& p : kPlaces) {
    const Crescent c = CrescentAtSunset(d.year, d.month, d.day, p.latitude, p.longitude);
    if (c.status != SkyStatus::kOk) continue;
    if (rule.Holds(c)) return true;
    if (first && (c.ageHours < -1.0 || c.moonAltitude < rule.minAltitude - kAltitudeSpread ||
                  (c.ageHours > 0 && c.ageHours < rule.minAgeHours - 1.0 &&
                   c.elongation < rule.minElongation - kElongationSpread))) {
      return false;
    }
    first = false;
  }
  return false;
}

// Day number of the 1st of the month that lunation k opens. The isbat
// session sits on the 29th, which is the conjunction's day: if the
// criterion holds that evening the month starts the next day, otherwise
// the running month completes 30 days. Over 1900-2100 this gives months
// of 29 or 30 days only (the tests check it).
int MonthStart(int k) {
  const int day = ConjunctionDay(k);
  return day + (CriterionHolds(k, day) ? 1 : 2);
}

// The lunation whose conjunction is the last before noon (WIB) of day
// `serial`. Its month starts one or two days after the conjunction's day,
// and the next month only after the next conjunction's day, which is not
// before `serial`.
int LunationOfNoon(int serial) {
  const double noonWib = serial + kSerialEpochJd + (12.0 - kWibHours) / 24.0;
  return LunationAtOrBefore(DynamicalFromUniversal(noonWib));
}

// Day number of the 1st of the month holding day `serial`, and its
// lunation.
int MonthHolding(int serial, int* lunation) {
  const int k = LunationOfNoon(serial);
  const int conjunctionDay = ConjunctionDay(k);
  // Two days after the conjunction's day month k has begun whatever the
  // criterion said; on the conjunction's day it has not.
  if (serial >= conjunctionDay + 2) {
    *lunation = k;
    return MonthStart(k);
  }
  if (serial == conjunctionDay + 1 && CriterionHolds(k, conjunctionDay)) {
    *lunation = k;
    return serial;
  }
  *lunation = k - 1;
  return MonthStart(k - 1);
}

HijriDate DateInMonth(int k, int first, int serial) {
  const int index = k - kAnchorLunation + kAnchorMonthIndex;
  HijriDate h;
  h.year = index / 12 + 1;
  h.month = index % 12 + 1;
  h.day = serial - first + 1;
  h.valid = true;
  return h;
}

}  // namespace

HijriDate HijriFromCivil(int year, int month, int day, int correctionDays) {
  int serial = 0;
  if (!SupportedDay(year, month, day, correctionDays, &serial)) return {};
  int k = 0;
  const int first = MonthHolding(serial, &k);
  return DateInMonth(k, first, serial);
}

const char* HijriMonthName(int month) {
  static constexpr const char* kNames[] = {
      "Muharram",     "Safar",         "Rabiul Awal", "Rabiul Akhir",
      "Jumadil Awal", "Jumadil Akhir", "Rajab",       "Syakban",
      "Ramadan",      "Syawal",        "Zulkaidah",   "Zulhijah",
  };
  return month >= 1 && month <= 12 ? kNames[month - 1] : "";
}

std::string FormatHijri(const HijriDate& date) {
  if (!date.valid || date.month < 1 || date.month > 12) return "";
  return std::to_string(date.day) + " " + HijriMonthName(date.month) + " " +
         std::to_string(date.year) + " H";
}

std::string FormatHijriIso(const HijriDate& date) {
  if (!date.valid || date.year < 0 || date.year > 9999 || date.month < 1 || date.month > 12 ||
      date.day < 1 || date.day > 30) {
    return "";
  }
  char buf[16];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", date.year, date.month, date.day);
  return buf;
}

std::vector<HijriMonth> HijriMonthsForYear(int year) {
  std::vector<HijriMonth> months;
  if (year < kHijriFirstCivilYear || year > kHijriLastCivilYear) return months;
  const int from = Serial(year - 1, 12, 31) - (kHijriMaxCorrection - 1);
  const int to = Serial(year + 1, 1, 1) + (kHijriMaxCorrection - 1);
  int k = 0;
  int first = MonthHolding(from, &k);
  while (first <= to) {
    const int next = MonthStart(k + 1);
    if (next > from) {
      const HijriDate h = DateInMonth(k, first, first);
      months.push_back(HijriMonth{h.year, h.month, qov::DateOf(first), next - first});
    }
    ++k;
    first = next;
  }
  return months;
}

HijriDate HijriFromMonths(const std::vector<HijriMonth>& months, int year, int month, int day,
                          int correctionDays) {
  int serial = 0;
  if (!SupportedDay(year, month, day, correctionDays, &serial)) return {};
  for (const HijriMonth& m : months) {
    if (m.first.year < kHijriFirstCivilYear - 1 || m.first.year > kHijriLastCivilYear + 1 ||
        m.length < 1 || m.length > 30) {
      continue;  // not a row HijriMonthsForYear makes
    }
    const int first = Serial(m.first.year, m.first.month, m.first.day);
    if (serial >= first && serial < first + m.length) {
      return HijriDate{m.year, m.month, serial - first + 1, true};
    }
  }
  return {};
}

}  // namespace qov::engine
