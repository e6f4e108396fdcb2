#include "timetable/days.h"

#include <cmath>

namespace qov::timetable {

double Day::Utc(engine::Waktu w) const {
  const auto i = static_cast<size_t>(w);
  return date + (times.times[i].Minutes() - utcOffset[i] * 60) / 1440;
}

Day ComputeDay(const Request& request, double date) {
  Day d;
  d.date = date;
  const CivilDate c = DateOf(date);
  if (request.offsetAt) {
    const engine::ZonedDay z = engine::HitungHariDiZona(c, request.place, request.method, request.offsetAt);
    d.times = z.day;
    d.utcOffset = z.utcOffset;
  } else {
    d.times = engine::HitungHariLengkap(c, request.place, request.method);
    d.utcOffset.fill(request.place.timeZone);
  }
  d.hijri = engine::HijriFromCivil(c.year, c.month, c.day, request.hijriCorrection);
  return d;
}

std::vector<Day> ComputeDays(const Request& request, double firstDay, int count) {
  std::vector<Day> days;
  days.reserve(count > 0 ? count : 0);
  for (int i = 0; i < count; ++i) days.push_back(ComputeDay(request, firstDay + i));
  return days;
}

namespace {
constexpr int kRamadan = 9;

// 1 Muharram 1 H fell in July 622; a Hijri year is 354.37/365.2425 of a
// civil one. Off by well under a year, which the search below absorbs.
int CivilYearNear(int hijriYear) {
  return static_cast<int>(std::floor(621.57 + (hijriYear - 1 + (kRamadan - 1) / 12.0) * 0.970224));
}
}  // namespace

std::optional<Span> RamadanOf(int hijriYear, int hijriCorrection) {
  const double earliest = DateSerial(engine::kHijriFirstCivilYear, 1, 1);
  const double latest = DateSerial(engine::kHijriLastCivilYear, 12, 31);
  const int near = CivilYearNear(hijriYear);
  for (int y = near - 1; y <= near + 1; ++y) {
    for (const engine::HijriMonth& m : engine::HijriMonthsForYear(y)) {
      if (m.year != hijriYear || m.month != kRamadan) continue;
      const double first = DateSerial(m.first.year, m.first.month, m.first.day);
      if (first < earliest || first + m.length - 1 > latest) return std::nullopt;
      // The clock's correction c shows civil day D as the Hijri date of D + c.
      return Span{first - hijriCorrection, m.length};
    }
  }
  return std::nullopt;
}

std::pair<int, int> RamadanYears(int hijriCorrection) {
  int first = engine::HijriFromCivil(engine::kHijriFirstCivilYear, 1, 1).year;
  int last = engine::HijriFromCivil(engine::kHijriLastCivilYear, 12, 31).year;
  while (first <= last && !RamadanOf(first, hijriCorrection)) ++first;
  while (last >= first && !RamadanOf(last, hijriCorrection)) --last;
  return {first, last};
}

const char* MonthName(int month) {
  static constexpr const char* kNames[] = {"Januari", "Februari", "Maret",     "April",   "Mei",      "Juni",
                                           "Juli",    "Agustus",  "September", "Oktober", "November", "Desember"};
  return month >= 1 && month <= 12 ? kNames[month - 1] : "";
}

namespace {
// 0 for Sunday; day 0 of the date-time values, 1899-12-30, was a Saturday.
int Weekday(double date) {
  const long long n = static_cast<long long>(std::floor(date));
  return static_cast<int>(((n + 6) % 7 + 7) % 7);
}
}  // namespace

const char* WeekdayName(double date) {
  static constexpr const char* kNames[] = {"Minggu", "Senin", "Selasa", "Rabu", "Kamis", "Jumat", "Sabtu"};
  return kNames[Weekday(date)];
}

bool IsFriday(double date) { return Weekday(date) == 5; }

}  // namespace qov::timetable
