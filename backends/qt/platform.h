// The Qt back end as a whole: every service, the windows of the forms, the
// context menu and modal showing.
#pragma once

#include <QPointer>
#include <vector>

#include "backends/qt/form_widget.h"
#include "backends/qt/services.h"
#include "backends/qt/tray.h"
#include "platform/services.h"

namespace qov::qt {

class Platform;

// The clock's icon, every size of qov.ico, read once.
QIcon ClockIcon();

class QtWindowService final : public WindowService {
 public:
  explicit QtWindowService(Platform& platform) : platform_(platform) {}
  void SetTopmost(ui::Form& form, bool on) override;
  void SetSizable(ui::Form& form, bool on) override;
  void SetRoundCorners(ui::Form& form, int ellipsePixels) override;

 private:
  Platform& platform_;
};

class Platform final : public Windows {
 public:
  Platform();
  ~Platform() override;
  Platform(const Platform&) = delete;
  Platform& operator=(const Platform&) = delete;

  Services services;

  // Creates the program's main window for `form`, hidden: the form has its
  // handle and scale before its load handler runs.
  bool AttachMain(ui::Form& form);
  // Closes every window without any unload handler: for a copy that was
  // refused at start and must leave no trace.
  void Discard();
  // Closes, with their unload handlers, the windows still open.
  void Shutdown();
  // Closes the main window as the user would (its unload handler runs).
  void CloseMain();

  FormWidget* Find(const ui::Form* form) const;
  FormWidget* mainWidget() const;

  // Windows
  void PopupMenu(ui::Form& owner, ui::MenuItem& menu) override;
  void ShowModal(ui::Form& form, ui::Form& owner) override;
  void Close(ui::Form& form) override;
  void AfterShown(std::function<void()> then) override;

 private:
  FormWidget* Create(ui::Form& form, bool isMain, QWidget* owner);
  std::vector<FormWidget*> Open() const;

  IniSettings settings_;
  LocalClock clock_;
  UserLocale locale_;
  DesktopScreen screen_;
  LockFileInstance instanceLock_;
  SystemDialogs dialogs_;
  QtWindowService windowService_;
  PagePrinter printer_;
  SystemSound sound_;
  SystemShell shell_;
  QtTrayIcon tray_;
  DataFiles files_;
  AutostartEntry loginStart_;
  PictureCache pictures_;
  std::vector<QPointer<FormWidget>> windows_;
};

}  // namespace qov::qt
