// The wall clock's reading as the clock face shows it.
#pragma once

#include <cmath>
#include <cstdint>

namespace qov {

struct ClockReading {
  int hour = 0, minute = 0, second = 0;
  double wholeSecond = 0;  // the date-time truncated to its second
  int MinuteOfDay() const { return hour * 60 + minute; }
};

// Whole seconds, truncated: a clock that showed 08:00:00 at 07:59:59.6
// would run early. The value is first taken to the nearest millisecond so
// that binary noise in the double (07:59:59.99999999) does not lose a
// second the clock has reached.
inline ClockReading ReadClock(double now) {
  if (!std::isfinite(now) || std::fabs(now) > 1e7) return ClockReading{};
  constexpr int64_t kMsPerDay = 86400000;
  const int64_t ms = std::llround(now * static_cast<double>(kMsPerDay));
  int64_t ofDay = ms % kMsPerDay;
  if (ofDay < 0) ofDay += kMsPerDay;
  const int s = static_cast<int>(ofDay / 1000);
  const double whole = static_cast<double>((ms - ofDay) / 1000 + s) * 1000 / kMsPerDay;
  return ClockReading{s / 3600, s / 60 % 60, s % 60, whole};
}

// The minute `now` falls in, counted from the epoch of date serials (the
// prayers' events count so): the day's minutes plus the clock's minute.
inline int64_t MinuteCount(double now) {
  const ClockReading r = ReadClock(now);
  return static_cast<int64_t>(std::floor(r.wholeSecond)) * 1440 + r.MinuteOfDay();
}

}  // namespace qov
