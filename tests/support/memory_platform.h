// The in-memory back end the tests drive: every service as inspectable
// state, a clock the tests set and advance, and timers that fire as the
// clock passes them.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "engine/datetime.h"
#include "platform/services.h"

namespace qov::memory {

struct MemorySettings : SettingsStore {
  std::string Get(const std::string& section, const std::string& key) override {
    ++reads;
    auto it = values.find({section, key});
    return it == values.end() ? std::string() : it->second;
  }
  bool Save(const std::string& section, const std::string& key, const std::string& value) override {
    if (failWrites) return false;
    values[{section, key}] = value;
    writes.push_back(section + "/" + key + "=" + value);
    return true;
  }

  std::map<std::pair<std::string, std::string>, std::string> values;
  std::vector<std::string> writes;  // in order, as "section/key=value"
  bool failWrites = false;
  int reads = 0;
};

struct FakeClock : Clock {
  double Now() override { return static_cast<double>(ms_) / 86400000.0; }
  double UtcOffsetAt(double utcDateTime) override { return zoneRule ? zoneRule(utcDateTime) : zoneHours; }
  std::string SystemName() override { return systemName; }
  std::string systemName = "Windows";
  // The system's zone: a fixed offset, or a rule of the test's own.
  double zoneHours = 7;
  std::function<double(double)> zoneRule;
  void Set(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
  void SetValue(double dateTime) { ms_ = std::llround(dateTime * 86400000.0); }
  int64_t ms() const { return ms_; }
  void SetMs(int64_t ms) { ms_ = ms; }

 private:
  int64_t ms_ = 0;  // since 1899-12-30 00:00
};

struct MemoryLocale : Locale {
  std::string LongTime(double dateTime) override { return FormatHHMMSS(dateTime); }
  std::string MonthName(int month) override {
    static const char* const kNames[] = {"Januari", "Februari", "Maret",     "April",   "Mei",      "Juni",
                                         "Juli",    "Agustus",  "September", "Oktober", "November", "Desember"};
    return month >= 1 && month <= 12 ? kNames[month - 1] : std::string();
  }
};

struct MemoryScreen : Screen {
  ScreenInfo Info() override { return info; }
  ScreenInfo info;
};

struct MemoryInstanceLock : InstanceLock {
  bool AnotherRunning() override { return another; }
  bool another = false;
};

struct MemoryDialogs : Dialogs {
  void MessageBox(const std::string& text, const std::string& caption) override { messages.emplace_back(text, caption); }
  bool ChooseColor(ui::Form& owner, ui::Color* result) override {
    colorOwners.push_back(&owner);
    if (nextColor) *result = *nextColor;
    return nextColor.has_value();
  }
  std::vector<std::pair<std::string, std::string>> messages;  // text, caption
  std::optional<ui::Color> nextColor;                         // the colour dialog's answer; none: cancel
  std::vector<const ui::Form*> colorOwners;                   // one per colour dialog shown
  std::optional<std::string> OpenSoundFile(ui::Form&, const std::string& title, const std::string&) override {
    fileDialogs.push_back(title);
    return nextFile;
  }
  std::optional<std::string> SaveFile(ui::Form&, const std::string& title, const std::string& suggested,
                                      const FileKind&) override {
    fileDialogs.push_back(title);
    suggestedNames.push_back(suggested);
    return nextFile;
  }
  std::optional<std::string> nextFile;  // the file dialogs' answer; none: cancel
  std::vector<std::string> fileDialogs;
  std::vector<std::string> suggestedNames;  // one per save dialog
};

// The window intents, per form. As on the real back end, a form without a
// window (no handle yet, or no more) keeps its state.
struct MemoryWindowService : WindowService {
  struct Window {
    bool topmost = false, sizable = false;
    int cornerEllipse = 0;  // pixels; 0: square corners
  };
  void SetTopmost(ui::Form& form, bool on) override { if (form.hWnd()) windows[&form].topmost = on; }
  void SetSizable(ui::Form& form, bool on) override { if (form.hWnd()) windows[&form].sizable = on; }
  void SetRoundCorners(ui::Form& form, int pixels) override { if (form.hWnd()) windows[&form].cornerEllipse = std::max(pixels, 0); }
  Window Of(const ui::Form& form) const { return windows.count(&form) ? windows.at(&form) : Window{}; }
  std::map<const ui::Form*, Window> windows;
};

// Plays what the test says it can: every file but those in `unplayable`,
// until Stop or `finished`.
struct MemorySound : Sound {
  bool Play(const std::string& path, int volume) override {
    if (unplayable.count(path)) return false;
    played.push_back(path);
    volumes.push_back(volume);
    return playing = true;
  }
  void Stop() override { playing = false; }
  bool Playing() override { return playing; }
  std::vector<std::string> played;
  std::vector<int> volumes;
  std::set<std::string> unplayable;
  bool playing = false;
};

struct MemoryShell : Shell {
  void Open(const std::string& link) override { opened.push_back(link); }
  std::vector<std::string> opened;
};

// The notification-area icon. TrayIcon::Click is named in full: the method
// Click hides the inherited type's short name.
class MemoryTray : public TrayIcon {
 public:
  bool Show(const std::string& text, std::function<void(TrayIcon::Click)> handler) override {
    tip = text;
    onClick_ = std::move(handler);
    return shown = !noNotificationArea;
  }
  void Remove() override { shown = false; }
  void ShowMessage(const std::string& title, const std::string& text) override {
    if (shown) messages.emplace_back(title, text);
  }
  void SetTip(const std::string& text) override { tip = text; }
  void SetMenu(ui::MenuItem& root, ui::Handler onOpening) override {
    menu = &root;
    onMenuOpening = std::move(onOpening);
  }
  // The user clicks the icon; false when there is none to click.
  bool Click(TrayIcon::Click click) {
    if (!shown || !onClick_) return false;
    const auto handler = onClick_;  // it may show the icon anew while it runs
    handler(click);
    return true;
  }

  std::vector<std::pair<std::string, std::string>> messages;  // title, text
  bool shown = false;
  std::string tip;
  ui::MenuItem* menu = nullptr;  // as a D-Bus tray would draw it
  ui::Handler onMenuOpening;
  bool noNotificationArea = false;  // Show fails, as where there is no notification area

 private:
  std::function<void(TrayIcon::Click)> onClick_;
};

// The desktop's login entry; `refuses` makes every change fail, as a
// read-only folder or a policy would.
struct MemoryLoginStart : LoginStart {
  bool IsEnabled() override { return enabled; }
  bool Enable(bool on) override {
    if (!refuses) enabled = on;
    return !refuses;
  }
  bool enabled = false;
  bool refuses = false;
};

struct MemoryPlatform;

struct MemoryWindows : Windows {
  void PopupMenu(ui::Form& owner, ui::MenuItem& menu) override;
  void ShowModal(ui::Form& form, ui::Form& owner) override;
  void Close(ui::Form& form) override;
  // At once, unless held: then kept in `afterShown` for the test to run.
  void AfterShown(std::function<void()> then) override {
    if (holdAfterShown) afterShown.push_back(std::move(then));
    else then();
  }

  // Captions of the last popup's visible items, depth first, submenus as
  // "Setting/Lokasi".
  std::vector<std::string> lastMenu;
  int popups = 0;
  std::string choose;  // the item to choose in the next popup; empty: none
  std::vector<ui::Form*> modal;
  bool holdAfterShown = false;
  std::vector<std::function<void()>> afterShown;
  MemoryPlatform* platform = nullptr;  // attaches a modal form when shown
};

struct MemoryFiles : Files {
  // As Windows joins them: no second separator after a drive's root.
  std::string BesideProgram(const std::string& name) override {
    return appPath + (appPath.empty() || appPath.back() == '\\' ? "" : "\\") + name;
  }
  std::optional<std::string> ReadAll(const std::string& path, size_t maxBytes) override {
    reads.push_back(path);
    auto it = files.find(path);
    return it == files.end() ? std::nullopt : std::optional(it->second.substr(0, maxBytes));
  }
  // A path in `unwritable` refuses, and keeps what it had.
  bool WriteAll(const std::string& path, const std::string& bytes) override {
    if (unwritable.count(path)) return false;
    files[path] = bytes;
    return true;
  }
  std::set<std::string> unwritable;
  std::string appPath = "C:\\Program Files\\QOVClock";
  std::map<std::string, std::string> files;
  std::vector<std::string> reads;
};

// Keeps what it was given to print; `pdf` off is a system without a PDF
// writer, where the browser prints.
struct MemoryPrinter : Printer {
  bool Print(ui::Form&, const std::string& html) override {
    printed.push_back(html);
    return !broken;
  }
  bool WritesPdf() override { return pdf; }
  bool WritePdf(const std::string& path, const std::string& html) override {
    if (broken) return false;
    pdfs[path] = html;
    return true;
  }
  std::vector<std::string> printed;
  std::map<std::string, std::string> pdfs;
  bool pdf = true;
  bool broken = false;
};

// All of the above, wired into one Services, with timers driven by the fake
// clock.
struct MemoryPlatform : ui::FormView {
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
  MemoryLoginStart loginStart;
  MemoryPrinter printer;

  // Gives the form a handle; from now on its timers run with the clock.
  ui::Handle Attach(ui::Form& form);
  // Its window is destroyed: the timers stop, its intents are forgotten.
  void Detach(ui::Form& form);
  // Advances the clock by ms, firing every timer that comes due in time
  // order (ties in creation order), each handler seeing its due time.
  void RunFor(int64_t ms);
  // Jumps the clock without firing anything (sleep, or the user setting the
  // clock); timers then fire as the clock goes on from there.
  void JumpTo(double dateTime);
  // The user resizes the window (pixels settle as the platform's do).
  void UserResize(ui::Form& form, ui::Twips width, ui::Twips height);

  void GeometryChanged() override {}
  void ControlChanged(ui::Control&) override { ++controlChanges; }
  void TimerChanged(ui::Timer& t) override;
  void FormChanged() override {}
  void FormDestroyed(ui::Form& form) override { Detach(form); }

  int64_t controlChanges = 0;

 private:
  std::vector<ui::Form*> forms_;
  std::map<ui::Timer*, int64_t> due_;  // the clock's ms at which each armed timer fires
  ui::Handle nextHandle_ = 0x1000;
};

}  // namespace qov::memory
