// Keeping one system timer per model timer in step with it: a timer is armed
// while it is enabled with a positive interval, and every change of its
// interval or state restarts the countdown, as a window timer does.
#pragma once

#include <cstdint>

#include "platform/model.h"

namespace qov::desktop {

struct ArmedTimer {
  bool armed = false;
  int interval = 0;
  uint64_t generation = 0;
};

enum class TimerAction { kNone, kSet, kKill };

// What the system timer must do to follow `t`; updates `state` to match.
TimerAction PlanTimer(const ui::Timer& t, ArmedTimer& state);

// Whether a WM_TIMER that arrives now should run the handler: a tick queued
// before the timer was stopped must not fire it.
inline bool ShouldFire(const ui::Timer& t, const ArmedTimer& state) {
  return state.armed && t.enabled() && t.interval() > 0;
}

}  // namespace qov::desktop
