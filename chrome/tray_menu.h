// The notification-area icon: a double click shows the clock, a right click
// opens the context menu with "Exit".
#pragma once

#include "chrome/context_menu.h"
#include "platform/model.h"
#include "platform/services.h"

namespace qov {

class TrayMenu {
 public:
  TrayMenu(ui::Form& clock, ContextMenu& menu, TrayIcon& tray) : clock_(clock), menu_(menu), tray_(tray) {}
  ~TrayMenu() { Remove(); }
  TrayMenu(const TrayMenu&) = delete;
  TrayMenu& operator=(const TrayMenu&) = delete;

  // Without a notification area the clock runs without an icon, and its
  // window's menu offers "Exit".
  void Show();
  void Remove();
  void OnClick(TrayIcon::Click click);

 private:
  ui::Form& clock_;
  ContextMenu& menu_;
  TrayIcon& tray_;
};

}  // namespace qov
