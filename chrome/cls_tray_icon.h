// The notification-area icon: adds, changes and removes it through the
// platform's Shell_NotifyIcon.
#pragma once

#include <cstdint>
#include <string>

#include "platform/services.h"

namespace qov {

class ClsTrayIcon {
 public:
  static constexpr uint32_t TRAY_ID = 114;
  static constexpr uint32_t TRAY_CALLBACK = 1025;  // WM_USER + 1
  static constexpr uint32_t NIF_MESSAGE_ICON_TIP = 7;
  static constexpr size_t kTipField = 64;

  explicit ClsTrayIcon(Tray& tray);
  // Removes the icon once more; harmless when it is already gone.
  ~ClsTrayIcon();

  const std::string& Icon() const { return icon_; }
  void SetIcon(const std::string& iconId) { icon_ = iconId; }
  // The whole 64-character field: text, NUL, blanks.
  const std::string& ToolTip() const { return tip_; }
  void SetToolTip(const std::string& text);
  ui::Handle ParentHandle() const { return parent_; }
  void SetParentHandle(ui::Handle h) { parent_ = h; }

  int32_t trayCreate();
  int32_t trayModify();
  int32_t trayDelete();

 private:
  void Fill();
  Tray& tray_;
  std::string icon_;
  std::string tip_ = std::string(kTipField, ' ');
  ui::Handle parent_ = 0;
  TrayIconData record_;
};

}  // namespace qov
