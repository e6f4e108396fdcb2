#include "clock/schedule.h"

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
  today_ = DayOf(computedDate_);
  tomorrow_ = DayOf(computedDate_ + 1);
}

void Schedule::ComputeIfStale(double now, bool checkOffset) {
  if (DatePart(now) != computedDate_ ||
      (checkOffset && location_.followSystemZone && OffsetNow(now) != computedOffset_))
    Compute(now);
}

}  // namespace qov
