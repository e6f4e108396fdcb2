// Always-on-top, keeping windows on the screen, and the sound switch.
#include "app/clockface.h"

#include <algorithm>

#include "app/settings.h"
#include "engine/numeric.h"

namespace qov {

namespace s = settings;

void SetAlwaysOnTop(ui::Form& window, bool onTop, WindowApi& api) {
  // Restating the window's own position and size moves nothing; only its
  // place in the stacking order changes.
  const float tx = window.twipsPerPixelX(), ty = window.twipsPerPixelY();
  const int x = ToInt32(window.left() / tx).value_or(0);
  const int y = ToInt32(window.top() / ty).value_or(0);
  const int cx = ToInt32(window.width() / tx).value_or(0);
  const int cy = ToInt32(window.height() / ty).value_or(0);
  api.SetWindowPos(window.hWnd(), onTop ? WindowApi::kHwndTopmost : WindowApi::kHwndNoTopmost, x, y,
                   cx, cy, 0);
}

void MoveOnScreen(ui::Form& window, const ScreenInfo& area, float left, float top) {
  left = std::max(std::min(left, area.width - window.width()), area.left);
  top = std::max(std::min(top, area.height - window.height()), area.top);
  if (left != window.left() || top != window.top()) window.Move(left, top, window.width(), window.height());
}

void ClockFace::mAOP_Click() {
  if (mAOP->checked) {
    mAOP->checked = false;
    SetAlwaysOnTop(form_, false, *svc_.window);
    Save(s::kPosisiWindow, s::kAot, s::kFlagOff);
  } else {
    Save(s::kPosisiWindow, s::kAot, s::kFlagOn);
    mAOP->checked = true;
    SetAlwaysOnTop(form_, true, *svc_.window);
  }
}

void ClockFace::msuara_Click() {
  if (msuara->checked) {
    msuara->checked = false;
    Save(s::kPosisiWindow, s::kSuaraAdzhan, s::kFlagOff);
  } else {
    Save(s::kPosisiWindow, s::kSuaraAdzhan, s::kFlagOn);
    msuara->checked = true;
  }
}

}  // namespace qov
