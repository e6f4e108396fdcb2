#include "chrome/cls_style.h"

namespace qov {

void ClsStyle::SetClient(ui::Form* form) {
  mClient = form;
  mhWnd = form ? form->hWnd() : 0;
}

// The style and the extended style are handled alike; only the word differs.
int32_t ClsStyle::GetSetWord(int index, int32_t value) {
  if (mhWnd == 0) return 0;
  if (value != 0) api_.SetWindowLong(mhWnd, index, value);
  return api_.GetWindowLong(mhWnd, index);
}

bool ClsStyle::SetWordBit(int index, int32_t bits, bool on) {
  if (mhWnd == 0) return false;
  const int32_t old = api_.GetWindowLong(mhWnd, index);
  const int32_t wanted = on ? (old | bits) : (old & ~bits);
  api_.SetWindowLong(mhWnd, index, wanted);
  pRedraw();
  return api_.GetWindowLong(mhWnd, index) == wanted;
}

void ClsStyle::SetTopMost(bool on) {
  if (mhWnd == 0) return;
  constexpr uint32_t kNoSizeNoMove = 1 | 2;
  api_.SetWindowPos(mhWnd, on ? WindowApi::kHwndTopmost : WindowApi::kHwndNoTopmost, 0, 0, 0, 0,
                    kNoSizeNoMove);
}

void ClsStyle::pRedraw() {
  if (mhWnd == 0) return;
  constexpr uint32_t kFrameChanged = 1 | 2 | 4 | 32;  // no size, move or z-order change
  api_.SetWindowPos(mhWnd, 0, 0, 0, 0, 0, kFrameChanged);
}

void ClsStyle::ShowSysMenu(int32_t x, int32_t y) {
  if (mhWnd == 0) return;
  // Screen positions beyond 16 bits wrap as the message's packing does.
  const auto x16 = static_cast<int16_t>(x), y16 = static_cast<int16_t>(y);
  api_.SendMessage(mhWnd, WM_SYSMENU_AT, 0, MakeLParam(y16, x16));
}

void ClsStyle::mClient_MouseDown(int button) {
  if (button == 1 && mAutoDrag && mhWnd != 0) {
    api_.ReleaseCapture();
    api_.SendMessage(mhWnd, WM_NCLBUTTONDOWN, HTCAPTION, 0);
  }
}

void ClsStyle::mClient_MouseUp(int button) {
  int x = 0, y = 0;
  api_.GetCursorPos(&x, &y);
  if (button == 2 && mAutoSysMenu) ShowSysMenu(x, y);
}

}  // namespace qov
