// The in-memory back end: every service as inspectable state, a clock the
// tests set and advance, and timers that fire as the clock passes them.
#pragma once

#include <cstdint>
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

  bool Has(const std::string& section, const std::string& key) const;
  std::map<std::pair<std::string, std::string>, std::string> values;
  // Every write in order, as "section/key=value".
  std::vector<std::string> writes;
  bool failWrites = false;
  int reads = 0;
};

class FakeClock : public Clock {
 public:
  double Now() override;
  void Set(int year, int month, int day, int hour = 0, int minute = 0, int second = 0, int ms = 0);
  void SetValue(double dateTime);
  void AdvanceMs(int64_t ms) { ms_ += ms; }
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
  bool ChooseColor(ui::Handle owner, ui::Color* result) override;
  std::vector<std::pair<std::string, std::string>> messages;  // text, caption
  // The next colour dialog's answer: a colour, or cancel.
  bool colorOk = true;
  ui::Color nextColor = 0;
  int colorDialogs = 0;
  ui::Handle lastColorOwner = 0;
};

class MemoryWindowApi : public WindowApi {
 public:
  struct Window {
    int32_t style = 0;
    int32_t exStyle = 0;
    bool topmost = false;
    bool active = false;
    int x = 0, y = 0, cx = 0, cy = 0;
    uintptr_t procToken = 0;  // the installed procedure; 0 is the original
    int regionW = 0, regionH = 0, regionEllipseW = 0, regionEllipseH = 0;
    int redraws = 0;
  };
  struct PosCall {
    ui::Handle h, after;
    int x, y, cx, cy;
    uint32_t flags;
  };

  int32_t GetWindowLong(ui::Handle h, int index) override;
  int32_t SetWindowLong(ui::Handle h, int index, int32_t value) override;
  bool SetWindowPos(ui::Handle h, ui::Handle insertAfter, int x, int y, int cx, int cy,
                    uint32_t flags) override;
  intptr_t SendMessage(ui::Handle h, uint32_t msg, uintptr_t wParam, intptr_t lParam) override;
  void ReleaseCapture() override { ++captureReleases; }
  void GetCursorPos(int* x, int* y) override {
    *x = cursorX;
    *y = cursorY;
  }
  uintptr_t SubclassWindow(ui::Handle h, WindowProc proc) override;
  void RestoreWindowProc(ui::Handle h, uintptr_t token) override;
  intptr_t CallWindowProc(uintptr_t token, ui::Handle h, uint32_t msg, uintptr_t wParam,
                          intptr_t lParam) override;
  bool SetRoundRegion(ui::Handle h, int w, int h2, int ellipseW, int ellipseH) override;

  // Delivers a message through the window's current procedure, as the
  // message loop does.
  intptr_t Deliver(ui::Handle h, uint32_t msg, uintptr_t wParam, intptr_t lParam);

  std::map<ui::Handle, Window> windows;
  std::vector<PosCall> posCalls;
  struct Sent {
    ui::Handle h;
    uint32_t msg;
    uintptr_t wParam;
    intptr_t lParam;
  };
  std::vector<Sent> sent;
  // Messages that reached the original (default) procedure.
  std::vector<Sent> defaultProcMessages;
  // Window bits that the window refuses to take (a let that does not stick).
  int32_t refusedStyleBits = 0;
  bool failSubclass = false;
  int captureReleases = 0;
  int cursorX = 0, cursorY = 0;

 private:
  std::map<uintptr_t, WindowProc> procs_;
  std::map<uintptr_t, uintptr_t> previous_;  // token -> token it replaced
  uintptr_t nextToken_ = 1;
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

class MemoryTray : public Tray {
 public:
  int NotifyIcon(Op op, const TrayIconData& data) override;
  std::map<std::pair<ui::Handle, uint32_t>, TrayIconData> icons;
  std::vector<std::pair<Op, TrayIconData>> calls;
  bool noNotificationArea = false;
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
  std::string AppPath() override { return appPath; }
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
  MemoryWindowApi window;
  MemorySound sound;
  MemoryShell shell;
  MemoryTray tray;
  MemoryWindows windows;
  MemoryFiles files;

  // Gives the form a handle and starts rendering it: from now on its timers
  // run with the clock. Also registers the window with the window API.
  ui::Handle Attach(ui::Form& form);
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
  struct Scheduled {
    ui::Form* form;
    ui::Timer* timer;
    int64_t due;
    uint64_t generation;
  };
  void Rearm(ui::Timer& t);
  std::vector<ui::Form*> forms_;
  std::map<ui::Timer*, Scheduled> schedule_;
  ui::Handle nextHandle_ = 0x1000;
};

}  // namespace qov::memory
