// Today's prayer times for the stored place: computed when the day, the
// place or the system's zone offset changes, never per tick.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "engine/prayer_times.h"
#include "platform/services.h"
#include "settings/settings.h"

namespace qov {

class Schedule {
 public:
  // `clock` gives the system zone's rules, for a place that follows them.
  Schedule(settings::Location location, Clock& clock) : location_(std::move(location)), clock_(clock) {}

  const settings::Location& location() const { return location_; }
  // A new place applies at once.
  void SetLocation(const settings::Location& l, double now);

  // Computes the times of the day `now` falls on.
  void Compute(double now);
  // Computes again when `now` lies on another day than the last computation
  // (a day begun while the computer slept, a clock set to another date),
  // or, for a place that follows the system's zone, when its offset changed
  // (the summer-time switch, another zone chosen).
  void ComputeIfStale(double now, bool checkOffset);

  // The full day (Imsak, Shubuh, Terbit, Dhuha, Dzuhur, Ashar, Maghrib, Isya).
  const engine::FullDay& times() const { return today_; }

  // A time that may alert (a prayer, Imsak or Terbit) at its minute counted from the epoch of date serials, so that
  // a time past midnight (an Isya at 00:30) or before it (a Shubuh at
  // 23:45 the evening before) lies where it falls.
  struct Event {
    int64_t minute;
    engine::Waktu waktu;
  };
  // The times of yesterday's, today's and tomorrow's rows but Dhuha, in the
  // order they come: what the alerts and reminders follow.
  std::span<const Event> Events() const { return {events_.data(), eventCount_}; }
  // Changes at every computation, so a follower knows its events moved.
  uint32_t version() const { return version_; }

 private:
  engine::FullDay DayOf(double day) const;
  double OffsetNow(double now) const;

  settings::Location location_;
  Clock& clock_;
  engine::FullDay today_;
  std::array<Event, 3 * (engine::kWaktuCount - 1)> events_{};
  size_t eventCount_ = 0;
  uint32_t version_ = 0;
  double computedDate_ = -1;
  double computedOffset_ = 0;
};

}  // namespace qov
