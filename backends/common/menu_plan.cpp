#include "backends/common/menu_plan.h"

namespace qov::desktop {

namespace {

// Menus are a handful of levels deep; a deeper tree is a broken model, and
// stopping there keeps a cycle-free walk bounded.
constexpr int kMaxDepth = 16;

void Walk(ui::MenuItem& menu, MenuPlan& plan, int depth) {
  for (auto& child : menu.children) {
    ui::MenuItem& m = *child;
    if (!m.visible) continue;
    MenuStep step;
    if (m.caption == "-") {
      step.type = MenuStep::kSeparator;
      plan.steps.push_back(step);
      continue;
    }
    step.caption = m.caption;
    step.checked = m.checked;
    step.enabled = m.enabled;
    if (!m.children.empty() && depth < kMaxDepth) {
      step.type = MenuStep::kBeginSubmenu;
      plan.steps.push_back(step);
      Walk(m, plan, depth + 1);
      plan.steps.push_back(MenuStep{MenuStep::kEndSubmenu, {}, 0, false, true});
      continue;
    }
    plan.items.push_back(&m);
    step.id = static_cast<uint32_t>(plan.items.size());
    plan.steps.push_back(step);
  }
}

}  // namespace

MenuPlan PlanMenu(ui::MenuItem& root) {
  MenuPlan plan;
  Walk(root, plan, 0);
  return plan;
}

}  // namespace qov::desktop
