#include "clock/schedule.h"

#include <algorithm>

namespace qov {

void Schedule::SetLocation(const settings::Location& l, double now) {
  location_ = l;
  Compute(now);
}

// The offset in force now: the local time `now` less the offset is the
// universal time, to within the hour a summer-time switch may be off.
double Schedule::OffsetNow(double now) const {
  return clock_.UtcOffsetAt(now - clock_.UtcOffsetAt(now) / 24);
}

engine::FullDay Schedule::DayOf(double day) const {
  const engine::Place place = settings::PlaceOf(location_);
  const engine::Method method = settings::MethodOf(location_);
  if (!location_.followSystemZone) return engine::HitungHariLengkap(DateOf(day), place, method);
  // Each time takes the offset the system's rules give at its own instant,
  // so the change days themselves are right.
  return engine::HitungHariDiZona(DateOf(day), place, method,
                                  [this](double utc) { return clock_.UtcOffsetAt(utc); })
      .day;
}

void Schedule::Compute(double now) {
  computedDate_ = DatePart(now);
  if (location_.followSystemZone) computedOffset_ = OffsetNow(now);
  eventCount_ = 0;
  ++version_;
  for (int row = -1; row <= 1; ++row) {
    const double date = computedDate_ + row;
    const engine::FullDay day = DayOf(date);
    if (row == 0) today_ = day;
    for (int k = 0; k < engine::kWaktuCount; ++k) {
      const auto w = static_cast<engine::Waktu>(k);
      const engine::PrayerTime& t = day[w];
      if (t.minuteOfDay < 0 || w == engine::Waktu::kDhuha) continue;
      events_[eventCount_++] = {static_cast<int64_t>(date) * 1440 + t.Minutes(), w};
    }
  }
  // A row's times are in order; neighbouring rows may overlap by a time
  // that crossed midnight.
  std::stable_sort(events_.begin(), events_.begin() + static_cast<std::ptrdiff_t>(eventCount_),
                   [](const Event& a, const Event& b) { return a.minute < b.minute; });
}

void Schedule::ComputeIfStale(double now, bool checkOffset) {
  if (DatePart(now) != computedDate_ ||
      (checkOffset && location_.followSystemZone && OffsetNow(now) != computedOffset_))
    Compute(now);
}

}  // namespace qov
