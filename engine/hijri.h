// The Hijri calendar as Indonesia's government fixes it: a month begins on
// the civil day after the evening on which, at sunset, the new crescent
// meets the MABIMS criterion at some place in Indonesia (since 1 Ramadan
// 1443 H: altitude >= 3 degrees and elongation >= 6.4 at the same place;
// before it the 1996 criterion, altitude >= 2 and elongation >= 3 or age
// >= 8 hours). See docs/hijri.md for the method, the sources and the
// published dates it reproduces.
//
// Supported: civil dates from 1900-01-01 to 2100-12-31. Outside that, and for
// impossible dates such as February 30, results carry valid = false.
#pragma once

#include <string>
#include <vector>

#include "engine/datetime.h"

namespace qov::engine {

inline constexpr int kHijriFirstCivilYear = 1900;
inline constexpr int kHijriLastCivilYear = 2100;
inline constexpr int kHijriMaxCorrection = 2;

struct HijriDate {
  int year = 0;
  int month = 0;  // 1 = Muharram .. 12 = Zulhijah
  int day = 0;
  bool valid = false;
  bool operator==(const HijriDate&) const = default;
};

// The Hijri date of a civil day in Indonesia. correctionDays, a local
// decision to follow a different sighting, is clamped to -2..+2 and moves
// the result by whole days across month and year ends (the Hijri date of
// the civil day year-month-day + correctionDays).
HijriDate HijriFromCivil(int year, int month, int day, int correctionDays = 0);

// Indonesian month name for 1..12 ("Muharram" .. "Zulhijah"); "" otherwise.
const char* HijriMonthName(int month);

// "12 Ramadan 1447 H"; "" for an invalid date.
std::string FormatHijri(const HijriDate& date);
// "1445-09-01"; "" for an invalid date.
std::string FormatHijriIso(const HijriDate& date);

// One Hijri month and the civil day of its 1st.
struct HijriMonth {
  int year = 0;
  int month = 0;
  qov::CivilDate first;
  int length = 0;  // 29 or 30
};

// Every Hijri month touching civil year `year` or the two days on either
// side of it, in order: enough for HijriFromMonths to answer any day of
// that year with any correction. Empty outside the supported years.
std::vector<HijriMonth> HijriMonthsForYear(int year);

// HijriFromCivil answered from such a table (no astronomy: for filling a
// year's calendar). valid = false when the table does not cover the day.
HijriDate HijriFromMonths(const std::vector<HijriMonth>& months, int year, int month, int day,
                          int correctionDays = 0);

}  // namespace qov::engine
