#include "backends/common/damage.h"

namespace qov::desktop {

PxRect DamageTracker::Changed(const ui::Control& c, Scale s, const PxRect& client) {
  PxRect& was = drawn_[&c];
  const PxRect now = DrawnRectPx(c, s, client);
  const PxRect dirty = Union(was, now);
  was = now;
  // Its contents were inside the old and are inside the new rectangle, and
  // now stand elsewhere.
  if (IsContainer(c.kind())) Refresh(c.form(), &c, s, client);
  return dirty;
}

void DamageTracker::Reset(const ui::Form& form, Scale s, const PxRect& client) { Refresh(form, nullptr, s, client); }

void DamageTracker::Refresh(const ui::Form& form, const ui::Control* container, Scale s, const PxRect& client) {
  for (const auto& c : form.controls()) {
    bool inside = container == nullptr;
    for (const ui::Control* k = c->container(); k && !inside; k = k->container()) inside = k == container;
    if (inside) drawn_[c.get()] = DrawnRectPx(*c, s, client);
  }
}

}  // namespace qov::desktop
