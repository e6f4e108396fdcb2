// The context menu as a flat list of build steps, from the model's menu
// tree: hidden items are left out, "-" is a separator, an item with children
// opens a submenu, and every chosen item is found again by its command id.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/model.h"

namespace qov::desktop {

struct MenuStep {
  enum Type { kItem, kSeparator, kBeginSubmenu, kEndSubmenu };
  Type type = kItem;
  std::string caption;
  uint32_t id = 0;  // kItem only; 0 is "nothing chosen" for the system
  bool checked = false;
  bool enabled = true;
};

struct MenuPlan {
  std::vector<MenuStep> steps;
  std::vector<ui::MenuItem*> items;  // items[id - 1]

  // The item for a command id the system returned; null for 0 or unknown.
  ui::MenuItem* Find(uint32_t id) const {
    return id >= 1 && id <= items.size() ? items[id - 1] : nullptr;
  }
};

// Steps for the children of `root` (the root itself is the hidden top-level
// menu and is not shown).
MenuPlan PlanMenu(ui::MenuItem& root);

}  // namespace qov::desktop
