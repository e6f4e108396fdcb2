// The rows of a timetable: each day's times computed exactly as the clock
// computes them, with the offset each time is written in and the day's
// Hijri date. Every output (the text table, CSV, the page, the calendar
// file) is written from these rows, so they cannot disagree.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "engine/datetime.h"
#include "engine/hijri.h"
#include "engine/prayer_times.h"

namespace qov::timetable {

struct Request {
  engine::Place place;  // place.timeZone is the zone unless offsetAt is set
  engine::Method method;
  // A followed zone: hours east of UTC at a UTC date-time value (NaN beyond
  // the zone's data). Empty: the fixed place.timeZone.
  engine::UtcOffsetAt offsetAt;
  int hijriCorrection = 0;  // days, as the clock's "Koreksi Hijriah"
};

struct Day {
  double date = 0;  // the row's date, a date-time value
  engine::FullDay times;
  // Hours east of UTC of each time (a followed zone's offset at that
  // instant, else the fixed zone).
  std::array<double, engine::kWaktuCount> utcOffset{};
  engine::HijriDate hijri;  // valid = false outside the Hijri calendar's years

  // The instant of a time as a UTC date-time value, on its own civil day
  // (a time marked -1 or +1 lies on the day before or after the row's).
  double Utc(engine::Waktu w) const;
};

Day ComputeDay(const Request& request, double date);
std::vector<Day> ComputeDays(const Request& request, double firstDay, int count);

// The civil days of Ramadan of a Hijri year by the clock's calendar (with
// its correction): the first and the number of days; nullopt where the
// calendar has no data for the whole month.
struct Span {
  double first = 0;
  int days = 0;
};
std::optional<Span> RamadanOf(int hijriYear, int hijriCorrection);
// The Hijri years whose Ramadan the calendar covers, for messages.
std::pair<int, int> RamadanYears(int hijriCorrection);

// Indonesian names for headings and the clock's window.
const char* MonthName(int month);    // 1..12: "Januari" .. "Desember"
const char* WeekdayName(double date);  // "Minggu" .. "Sabtu"
bool IsFriday(double date);

}  // namespace qov::timetable
