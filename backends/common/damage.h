// Which pixels to repaint when the model changes. Each control's drawn
// rectangle is remembered, so a change repaints where the control was and
// where it is now, and nothing else: a hand's tick repaints two thin boxes,
// never the whole face. When a container moves, its contents move with it
// and their remembered places are taken anew, or the next tick of a hand
// would leave its old image behind.
#pragma once

#include <unordered_map>

#include "platform/model.h"
#include "backends/common/geometry.h"

namespace qov::desktop {

class DamageTracker {
 public:
  // The area to repaint after `c` changed.
  PxRect Changed(const ui::Control& c, Scale s, const PxRect& client);
  // Every place is taken anew (the window was resized, its scale or frame
  // changed); the caller repaints everything.
  void Reset(const ui::Form& form, Scale s, const PxRect& client);
  // Painting saw the control at `r`.
  void Drawn(const ui::Control& c, const PxRect& r) { drawn_[&c] = r; }
  void Clear() { drawn_.clear(); }

 private:
  void Refresh(const ui::Form& form, const ui::Control* container, Scale s, const PxRect& client);

  std::unordered_map<const ui::Control*, PxRect> drawn_;
};

}  // namespace qov::desktop
