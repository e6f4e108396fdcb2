#include "backends/common/timer_plan.h"

namespace qov::desktop {

TimerAction PlanTimer(const ui::Timer& t, ArmedTimer& state) {
  const bool want = t.enabled() && t.interval() > 0;
  if (!want) {
    const bool wasArmed = state.armed;
    state = ArmedTimer{false, t.interval(), t.generation()};
    return wasArmed ? TimerAction::kKill : TimerAction::kNone;
  }
  if (state.armed && state.interval == t.interval() && state.generation == t.generation())
    return TimerAction::kNone;
  state = ArmedTimer{true, t.interval(), t.generation()};
  return TimerAction::kSet;
}

}  // namespace qov::desktop
