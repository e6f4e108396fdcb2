// The notification-area icon on the real shell. Icons that were added are
// remembered and added again when the shell restarts (the taskbar announces
// itself with the registered message "TaskbarCreated"), or when it appears
// only after the program started.
#pragma once

#include <map>
#include <string>
#include <utility>

#include "platform/services.h"
#include "platform/win32/win.h"

namespace qov::win32 {

class Win32Tray final : public Tray {
 public:
  explicit Win32Tray(HINSTANCE instance) : instance_(instance) {}
  int NotifyIcon(Op op, const TrayIconData& data) override;
  // The shell (re)started: every icon the program holds is added again.
  void AddAgain();

 private:
  int Call(DWORD message, const TrayIconData& data);
  HICON IconFor(const std::string& id);

  HINSTANCE instance_;
  std::map<std::pair<ui::Handle, uint32_t>, TrayIconData> held_;
  std::map<std::string, AutoIcon> icons_;
};

}  // namespace qov::win32
