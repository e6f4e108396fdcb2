// The in-memory back end the tests drive: every service as inspectable
// state, a clock the tests set and advance, and timers that fire as the
// clock passes them.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/services.h"

namespace qov::memory {

class MemorySettings : public SettingsStore {
 public:
  std::string Get(const std::string& section, const std::string& key) override;
  bool Save(const std::string& section, const std::string& key, const std::string& value) override;

  std::map<std::pair<std::string, std::string>, std::string> values;
  // Every write in order, as "section/key=value".
  std::vector<std::string> writes;
  bool failWrites = false;
  int reads = 0;
};

class FakeClock : public Clock {
 public:
  double Now() override;
  double UtcOffsetAt(double utcDateTime) override { return zoneRule ? zoneRule(utcDateTime) : zoneHours; }
  std::string SystemName() override { return systemName; }
  std::string systemName = "Windows";
  // The system's zone: a fixed offset, or a rule of the test's own.
  double zoneHours = 7;
  std::function<double(double)> zoneRule;
  void Set(int year, int month, int day, int hour = 0, int minute = 0, int second = 0, int ms = 0);
  void SetValue(double dateTime);
  int64_t ms() const { return ms_; }
  void SetMs(int64_t ms) { ms_ = ms; }

 private:
  int64_t ms_ = 0;  // milliseconds since 1899-12-30 00:00
};

class MemoryLocale : public Locale {
 public:
  std::string LongTime(double dateTime) override;
  std::string MonthName(int month) override;
};

class MemoryScreen : public Screen {
 public:
  ScreenInfo Info() override { return info; }
  ScreenInfo info;
};

class MemoryInstanceLock : public InstanceLock {
 public:
  bool AnotherRunning() override { return another; }
  bool another = false;
};

class MemoryDialogs : public Dialogs {
 public:
  void MessageBox(const std::string& text, const std::string& caption) override;
  bool ChooseColor(ui::Form& owner, ui::Color* result) override;
  std::vector<std::pair<std::string, std::string>> messages;  // text, caption
  // The next colour dialog's answer: a colour, or cancel.
  bool colorOk = true;
  ui::Color nextColor = 0;
  int colorDialogs = 0;
  const ui::Form* lastColorOwner = nullptr;
};

// The window intents, per form. As on the real back end, a form without a
// window (no handle yet, or no more) keeps its state: the call is counted
// and changes nothing.
class MemoryWindowService : public WindowService {
 public:
  struct Window {
    bool topmost = false;
    bool sizable = false;
    int cornerEllipse = 0;  // pixels; 0: square corners
  };

  void SetTopmost(ui::Form& form, bool on) override;
  void SetSizable(ui::Form& form, bool on) override;
  void SetRoundCorners(ui::Form& form, int ellipsePixels) override;

  // The form's window as the calls left it; default for an untouched form.
  const Window& Of(const ui::Form& form) const;
  std::map<const ui::Form*, Window> windows;
};

class MemorySound : public Sound {
 public:
  void PlayWave(const std::string& path) override { played.push_back(path); }
  std::vector<std::string> played;
};

class MemoryShell : public Shell {
 public:
  void Open(const std::string& link) override { opened.push_back(link); }
  std::vector<std::string> opened;
};

// The notification-area icon. Members name TrayIcon::Click in full: the
// method Click hides the inherited type's short name.
class MemoryTray : public TrayIcon {
 public:
  bool Show(const std::string& tip, std::function<void(TrayIcon::Click)> onClick) override;
  void Remove() override;
  void ShowMessage(const std::string& title, const std::string& text) override;
  // Notifications shown, as (title, text).
  std::vector<std::pair<std::string, std::string>> messages;

  // The user clicks the icon: its handler runs when the icon is shown.
  // False when there is no icon to click.
  bool Click(TrayIcon::Click click);

  bool shown = false;    // in the notification area now
  bool removed = false;  // Remove took a shown icon away
  std::string tip;       // as last shown
  // Show fails and no icon appears, as where there is no notification area.
  bool noNotificationArea = false;

 private:
  std::function<void(TrayIcon::Click)> onClick_;
};

class MemoryPlatform;

class MemoryWindows : public Windows {
 public:
  void PopupMenu(ui::Form& owner, ui::MenuItem& menu) override;
  void ShowModal(ui::Form& form, ui::Form& owner) override;
  void Close(ui::Form& form) override;

  // Captions of the visible items of the last popup menu, depth first,
  // submenus as "Setting/Lokasi".
  std::vector<std::string> lastMenu;
  int popups = 0;
  // Item to choose in the next popup (by name); empty closes it unchosen.
  std::string choose;
  std::vector<ui::Form*> modal;
  // Set by MemoryPlatform: a modal form is attached when shown (it gets its
  // handle, then its onLoad runs) and detached when closed.
  MemoryPlatform* platform = nullptr;
};

class MemoryFiles : public Files {
 public:
  // As Windows joins them: no second separator after a drive's root.
  std::string BesideProgram(const std::string& name) override {
    return appPath + (appPath.empty() || appPath.back() == '\\' ? "" : "\\") + name;
  }
  std::optional<std::string> ReadAll(const std::string& path, size_t maxBytes) override;
  std::string appPath = "C:\\Program Files\\QOVClock";
  std::map<std::string, std::string> files;
  std::vector<std::string> reads;
};

// All of the above, wired into one Services, with timers driven by the fake
// clock.
class MemoryPlatform : public ui::FormView {
 public:
  MemoryPlatform();
  ~MemoryPlatform() override;

  Services services;
  MemorySettings settings;
  FakeClock clock;
  MemoryLocale locale;
  MemoryScreen screen;
  MemoryInstanceLock instance;
  MemoryDialogs dialogs;
  MemoryWindowService window;
  MemorySound sound;
  MemoryShell shell;
  MemoryTray tray;
  MemoryWindows windows;
  MemoryFiles files;

  // Gives the form a handle and starts rendering it: from now on its timers
  // run with the clock.
  ui::Handle Attach(ui::Form& form);
  // Its window is destroyed: the timers stop and the window intents' state
  // for it is forgotten.
  void Detach(ui::Form& form);

  // Advances the clock by ms, firing every timer that comes due, in time
  // order (ties in creation order), each handler seeing the clock at its
  // due time.
  void RunFor(int64_t ms);
  // Jumps the clock without firing anything (sleep, or the user setting the
  // clock); timers then fire as the clock goes on from there.
  void JumpTo(double dateTime);

  // The user resizes the window (pixels settle as the platform's do).
  void UserResize(ui::Form& form, ui::Twips width, ui::Twips height);

  // ui::FormView
  void GeometryChanged() override {}
  void ControlChanged(ui::Control&) override { ++controlChanges; }
  void TimerChanged(ui::Timer& t) override;
  void FormChanged() override {}
  void FormDestroyed(ui::Form& form) override { Detach(form); }

  int64_t controlChanges = 0;

 private:
  void Rearm(ui::Timer& t);
  std::vector<ui::Form*> forms_;
  std::map<ui::Timer*, int64_t> due_;  // the clock's ms at which each armed timer fires
  ui::Handle nextHandle_ = 0x1000;
};

}  // namespace qov::memory
