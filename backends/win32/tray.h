// The notification-area icon on the real shell, owned by the main window,
// whose window procedure hands the icon's callback message to Notify. A
// shown icon is added again when the shell restarts (the taskbar announces
// itself with the registered message "TaskbarCreated") or appears only
// after the program started.
#pragma once

#include <functional>
#include <string>

#include "platform/services.h"
#include "backends/win32/win.h"

namespace qov::win32 {

class Win32TrayIcon final : public TrayIcon {
 public:
  static constexpr UINT kId = 114;
  static constexpr UINT kCallbackMessage = WM_USER + 1;

  // `owner` gives the main window at the time of the call.
  Win32TrayIcon(HINSTANCE instance, std::function<HWND()> owner)
      : instance_(instance), owner_(std::move(owner)) {}
  ~Win32TrayIcon() override { Remove(); }
  Win32TrayIcon(const Win32TrayIcon&) = delete;
  Win32TrayIcon& operator=(const Win32TrayIcon&) = delete;

  bool Show(const std::string& tip, std::function<void(Click)> onClick) override;
  void Remove() override;
  void ShowMessage(const std::string& title, const std::string& text) override;
  void SetTip(const std::string& tip) override;
  // The shell reports a right click, and the program opens the menu.
  void SetMenu(ui::MenuItem&, ui::Handler) override {}

  // The taskbar (re)started: a shown icon is added again.
  void ShowAgain();
  // The owner received kCallbackMessage; its lParam names the mouse message.
  void Notify(LPARAM lParam);

 private:
  bool Call(DWORD message);

  HINSTANCE instance_;
  std::function<HWND()> owner_;
  // Kept while the icon is wanted, even when adding it failed: a taskbar
  // that starts later announces itself, and the icon then appears.
  bool wanted_ = false;
  HWND window_ = nullptr;
  std::wstring tip_;
  std::function<void(Click)> onClick_;
  AutoIcon icon_;
};

}  // namespace qov::win32
