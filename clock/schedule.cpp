#include "clock/schedule.h"

namespace qov {

void Schedule::SetLocation(const settings::Location& l, double now) {
  location_ = l;
  Compute(now);
}

void Schedule::Compute(double now) {
  computedDate_ = DatePart(now);
  const engine::Place place = settings::PlaceOf(location_);
  const engine::Method method = settings::MethodOf(location_);
  times_ = engine::HitungWaktuSholat(DateOf(computedDate_), place, method);
  tomorrow_ = engine::HitungWaktuSholat(DateOf(computedDate_ + 1), place, method);
}

void Schedule::ComputeIfNewDay(double now) {
  if (DatePart(now) != computedDate_) Compute(now);
}

}  // namespace qov
