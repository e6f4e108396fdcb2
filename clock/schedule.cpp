#include "clock/schedule.h"

namespace qov {

void Schedule::SetLocation(const settings::Location& l, double now) {
  location_ = l;
  Compute(now);
}

void Schedule::Compute(double now) {
  computedDate_ = DatePart(now);
  times_ = engine::HitungWaktuSholat(DateOf(computedDate_), settings::PlaceOf(location_),
                                     settings::MethodOf(location_));
}

void Schedule::ComputeIfNewDay(double now) {
  if (DatePart(now) != computedDate_) Compute(now);
}

}  // namespace qov
