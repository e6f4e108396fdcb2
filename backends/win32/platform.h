// The Win32 back end as a whole: every service, the windows of the forms,
// the popup menu, modal showing and the message loops.
#pragma once

#include <memory>
#include <vector>

#include "platform/services.h"
#include "backends/win32/gdi_cache.h"
#include "backends/win32/services.h"
#include "backends/win32/tray.h"
#include "backends/win32/win.h"
#include "backends/win32/window_service.h"

namespace qov::win32 {

class FormWindow;

class Platform final : public Windows {
 public:
  explicit Platform(HINSTANCE instance);
  ~Platform() override;
  Platform(const Platform&) = delete;
  Platform& operator=(const Platform&) = delete;

  Services services;

  HINSTANCE instance() const { return instance_; }
  GdiCache& gdi() { return gdi_; }
  Win32TrayIcon& tray() { return tray_; }
  // The registered message by which a (re)started taskbar announces itself.
  UINT taskbarCreated() const { return taskbarCreated_; }
  HWND mainWindow() const;

  // Creates the program's main window for `form`, hidden: the form has its
  // handle and scale before its load handler runs.
  bool AttachMain(ui::Form& form);
  // Destroys every window without any unload handler: for a copy that was
  // refused at start and must leave no trace.
  void Discard();
  // Closes, with their unload handlers, the windows still open after the
  // loop ended.
  void Shutdown();
  // Runs until the main window is gone; the exit code of WM_QUIT.
  int RunMessageLoop();

  // Windows
  void PopupMenu(ui::Form& owner, ui::MenuItem& menu) override;
  void ShowModal(ui::Form& form, ui::Form& owner) override;
  void Close(ui::Form& form) override;
  // At once: the Windows program's start is not held up by its icon.
  void AfterShown(std::function<void()> then) override { then(); }

 private:
  FormWindow* Find(const ui::Form& form) const;
  FormWindow* Create(ui::Form& form, bool isMain, HWND owner);
  void Reap();

  HINSTANCE instance_;
  UINT taskbarCreated_ = 0;
  RegistrySettings settings_;
  LocalClock clock_;
  UserLocale locale_;
  MonitorScreen screen_;
  MutexInstanceLock instanceLock_;
  SystemDialogs dialogs_;
  Win32WindowService windowService_;
  SystemSound sound_;
  SystemShell shell_;
  Win32TrayIcon tray_;
  SystemFiles files_;
  RunAtSignIn loginStart_;
  BrowserPrinter printer_;
  GdiCache gdi_;
  std::vector<std::unique_ptr<FormWindow>> windows_;
};

}  // namespace qov::win32
