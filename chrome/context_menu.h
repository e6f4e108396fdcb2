// The clock's context menu, opened by a right click on the window or on the
// tray icon. The menu is the form's own (hidden) menu; the features own the
// handlers of their items and keep their check marks.
#pragma once

#include "platform/model.h"
#include "platform/services.h"

namespace qov {

class ContextMenu {
 public:
  ContextMenu(ui::Form& form, Windows& windows);

  // Opened on the window: "Exit" is hidden, the window is closed from the
  // tray's menu only.
  void OpenFromWindow();
  void OpenFromTray();

  ui::MenuItem& webSite;
  ui::MenuItem& alwaysOnTop;
  ui::MenuItem& prayerTimes;
  ui::MenuItem& analog;
  ui::MenuItem& version1;
  ui::MenuItem& version2;
  ui::MenuItem& popUpTimes;
  ui::MenuItem& sound;
  ui::MenuItem& fullSchedule;
  // "Pengingat": Mati, 5, 10, 15 and 30 minutes, one checked.
  ui::MenuItem& reminder;
  ui::MenuItem& location;
  ui::MenuItem& hourHandColor;
  ui::MenuItem& minuteHandColor;
  ui::MenuItem& secondHandColor;
  ui::MenuItem& about;
  ui::MenuItem& exit;

 private:
  ui::Form& form_;
  Windows& windows_;
};

}  // namespace qov
