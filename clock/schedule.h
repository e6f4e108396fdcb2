// Today's prayer times for the stored place: computed when the day or the
// place changes, never per tick.
#pragma once

#include "engine/prayer_times.h"
#include "settings/settings.h"

namespace qov {

class Schedule {
 public:
  explicit Schedule(settings::Location location) : location_(std::move(location)) {}

  const settings::Location& location() const { return location_; }
  // A new place applies at once.
  void SetLocation(const settings::Location& l, double now);

  // Computes the times of the day `now` falls on.
  void Compute(double now);
  // Computes again when `now` lies on another day than the last computation
  // (a day begun while the computer slept, a clock set to another date).
  void ComputeIfNewDay(double now);

  const engine::DayTimes& times() const { return times_; }
  // Minute of the day of a prayer, -1 when there is none today.
  int Minute(engine::Prayer p) const { return times_[p].minuteOfDay; }
  // The next day's, for what is announced before midnight (a reminder).
  int TomorrowMinute(engine::Prayer p) const { return tomorrow_[p].minuteOfDay; }
  double date() const { return computedDate_; }

 private:
  settings::Location location_;
  engine::DayTimes times_;
  engine::DayTimes tomorrow_;
  double computedDate_ = -1;
};

}  // namespace qov
