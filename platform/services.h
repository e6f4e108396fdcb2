// Narrow services that the logic asks of the operating system. Each is an
// interface with two implementations: backends/win32 (the real calls) and
// tests/support (state the tests control and inspect).
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/model.h"

namespace qov {

// Per-user key-value store addressed by section and key under the
// application "QOVClock". A missing key reads as empty text.
class SettingsStore {
 public:
  // No setting is anywhere near this long: a longer value is not ours and
  // reads as missing, and none is written.
  static constexpr size_t kMaxValueBytes = 64 * 1024;
  virtual ~SettingsStore() = default;
  virtual std::string Get(const std::string& section, const std::string& key) = 0;
  // False when the value could not be written; callers have no error path
  // and ignore it, but a failed write never leaves a half-written value.
  virtual bool Save(const std::string& section, const std::string& key,
                    const std::string& value) = 0;
};

// Local wall-clock time as a date-time value (days since 1899-12-30).
class Clock {
 public:
  virtual ~Clock() = default;
  virtual double Now() = 0;
  // The offset of the system's time zone from universal time, in hours
  // (fractional where the zone is), in force at a universal date-time
  // value: the system's own rules, summer time included.
  virtual double UtcOffsetAt(double utcDateTime) = 0;
  // How the user knows the system whose zone this is, in the dialog's words
  // ("Ikuti zona waktu Windows"): "Windows", or "sistem" elsewhere.
  virtual std::string SystemName() = 0;
};

// The user's locale.
class Locale {
 public:
  virtual ~Locale() = default;
  // The locale's default long-time text of a date-time value.
  virtual std::string LongTime(double dateTime) = 0;
  // Full month name, month 1 to 12.
  virtual std::string MonthName(int month) = 0;
};

// The screen the main window is on: its work area in twips.
struct ScreenInfo {
  // Right and bottom edges of the work area (its size on the primary
  // monitor), and its left and top edges.
  ui::Twips width = 19200;   // 1280 px at 15 twips per pixel
  ui::Twips height = 12000;  // 800 px
  ui::Twips left = 0;
  ui::Twips top = 0;
  float twipsPerPixelX = 15;
  float twipsPerPixelY = 15;
};

// Moves a window to (left, top), pulled into the work area where it would
// cross an edge; a window larger than the work area keeps its left and top
// edges on it. Moves nothing when the place is unchanged.
inline void MoveOnScreen(ui::Form& window, const ScreenInfo& area, float left, float top) {
  left = std::max(std::min(left, area.width - window.width()), area.left);
  top = std::max(std::min(top, area.height - window.height()), area.top);
  if (left != window.left() || top != window.top()) window.Move(left, top, window.width(), window.height());
}

class Screen {
 public:
  virtual ~Screen() = default;
  virtual ScreenInfo Info() = 0;
};

// Refuses a second running copy of the program.
class InstanceLock {
 public:
  virtual ~InstanceLock() = default;
  // True when another copy already holds the lock. The first call takes it.
  virtual bool AnotherRunning() = 0;
  // Raises the running copy's window titled `title` over the others,
  // without giving it the keyboard, so the user sees the clock they asked for.
  virtual void BringRunningForward(const std::string& /*title*/) {}
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Modal message box with an information icon and one OK button.
  virtual void MessageBox(const std::string& text, const std::string& caption) = 0;
  // Standard colour dialog owned by `owner`, opening with no preselected
  // colour and 16 black custom colours. False when the user cancelled.
  virtual bool ChooseColor(ui::Form& owner, ui::Color* result) = 0;
  // The system's file dialog for a sound file (WAVE or MP3), owned by
  // `owner` and opening on `current`'s folder; nullopt when cancelled.
  virtual std::optional<std::string> OpenSoundFile(ui::Form& owner, const std::string& title,
                                                   const std::string& current) = 0;
  // The system's save dialog, owned by `owner`, offering the file name
  // `suggested` and files of one kind ("Kalender", "ics"); it asks before
  // replacing a file. The chosen path, nullopt when cancelled.
  struct FileKind {
    std::string description;
    std::string extension;  // without the dot
  };
  virtual std::optional<std::string> SaveFile(ui::Form& owner, const std::string& title,
                                              const std::string& suggested, const FileKind& kind) = 0;
};

// What the logic asks of a top-level window beyond the model, stated as
// intents; the back end translates them into its own window system.
class WindowService {
 public:
  virtual ~WindowService() = default;
  // Into or out of the topmost band, without moving the window.
  virtual void SetTopmost(ui::Form& form, bool on) = 0;
  // A border the user can drag to resize the window, or none.
  virtual void SetSizable(ui::Form& form, bool on) = 0;
  // Rounds the window's corners with ellipses of the given size in pixels
  // at 96 DPI.
  virtual void SetRoundCorners(ui::Form& form, int ellipsePixels) = 0;
};

// Asynchronous wave playback; missing or unplayable files play nothing.
// Asynchronous playback of one sound at a time.
class Sound {
 public:
  virtual ~Sound() = default;
  // Plays a WAVE (PCM) or MP3 file at `volume` percent (0..100) in place of
  // whatever plays. False, and silence, when the file cannot be read or is
  // not a sound the program plays: the caller falls back to another.
  virtual bool Play(const std::string& path, int volume) = 0;
  // Stops the sound; harmless when none plays.
  virtual void Stop() = 0;
  // Whether a sound started by Play is still playing. Asked when a menu
  // opens or the face is clicked, never per tick.
  virtual bool Playing() = 0;
};

// Hands a link to the shell's default action (browser, mail program).
class Shell {
 public:
  virtual ~Shell() = default;
  virtual void Open(const std::string& link) = 0;
};

// The notification-area icon. It reports its own clicks; where the
// notification area restarts, the back end shows the icon again.
class TrayIcon {
 public:
  virtual ~TrayIcon() = default;
  enum class Click { kDoubleLeft, kRight };
  // Shows the program's icon with a tip; `onClick` receives the user's
  // clicks on it. False where there is no notification area (the clock
  // then runs without an icon).
  virtual bool Show(const std::string& tip, std::function<void(Click)> onClick) = 0;
  // Removes the icon; harmless when it is not shown.
  virtual void Remove() = 0;
  // A notification: a balloon from the icon, a toast where the system turns
  // balloons into toasts, or the desktop's notification service where it
  // has one (which needs no icon).
  virtual void ShowMessage(const std::string& title, const std::string& text) = 0;
  // Changes the icon's tip (the next prayer and the time left); nothing
  // where no icon is shown.
  virtual void SetTip(const std::string& tip) = 0;
  // The icon's menu (`menu`'s children), for a back end that hands it over
  // (a D-Bus tray draws it itself); `onOpening` runs before each showing,
  // so that its items mirror the state. A back end that does not reports a
  // right click as kRight, and the program opens the menu.
  virtual void SetMenu(ui::MenuItem& menu, ui::Handler onOpening) = 0;
};

// Showing windows and menus.
class Windows {
 public:
  virtual ~Windows() = default;
  // Opens `menu`'s children as a context menu at the mouse pointer. Returns
  // when the menu closes; a chosen item's handler has run by then.
  virtual void PopupMenu(ui::Form& owner, ui::MenuItem& menu) = 0;
  // Shows `form` modally over `owner`. The in-memory back end returns at
  // once and leaves the form shown; the real one returns when it closes.
  virtual void ShowModal(ui::Form& form, ui::Form& owner) = 0;
  // Closes a form: its onUnload runs.
  virtual void Close(ui::Form& form) = 0;
  // Runs `then` once the windows shown so far are on the screen, for work
  // the first sight of the clock need not wait for. The in-memory back end
  // runs it at once.
  virtual void AfterShown(std::function<void()> then) = 0;
};

// Files beside the program.
class Files {
 public:
  virtual ~Files() = default;
  // The path of the file `name` in the program's folder (the program's data
  // folder where the platform keeps data apart), in the platform's form.
  virtual std::string BesideProgram(const std::string& name) = 0;
  // At most maxBytes of the file; nullopt when it cannot be opened.
  virtual std::optional<std::string> ReadAll(const std::string& path, size_t maxBytes) = 0;
  // Makes `bytes` the whole file at `path`, a file the user chose: written
  // beside it and renamed into place, so a failure leaves no half-written
  // file and an older one as it was. False when it could not be written.
  virtual bool WriteAll(const std::string& path, const std::string& bytes) = 0;
};

// Paper and PDF copies of a printable page (HTML with print CSS, one A4
// sheet per month, nothing fetched).
class Printer {
 public:
  virtual ~Printer() = default;
  // The system's print dialog over `owner`, then the page on the printer
  // chosen. Where the toolkit has no HTML engine of its own, the page opens
  // in the browser instead, whose print dialog also saves PDF. False when
  // nothing could be started; a cancelled dialog is no failure.
  virtual bool Print(ui::Form& owner, const std::string& html) = 0;
  // Whether WritePdf works here; where not, the browser's print makes PDF.
  virtual bool WritesPdf() = 0;
  // The page as a PDF file at `path`, whole or not at all.
  virtual bool WritePdf(const std::string& path, const std::string& html) = 0;
};

// Starting the program when the user logs in, through the desktop's own
// per-user entry (the one the installer's option writes). Asked when the
// menu opens, never per tick: the user may change it behind our back.
class LoginStart {
 public:
  virtual ~LoginStart() = default;
  virtual bool IsEnabled() = 0;
  // Writes or removes the entry. False when the entry could not be made
  // to say `on`; the caller tells the user rather than show a check mark
  // that is not true.
  virtual bool Enable(bool on) = 0;
};

// Everything the logic needs, passed by the back end at start.
struct Services {
  SettingsStore* settings = nullptr;
  Clock* clock = nullptr;
  Locale* locale = nullptr;
  Screen* screen = nullptr;
  InstanceLock* instance = nullptr;
  Dialogs* dialogs = nullptr;
  WindowService* window = nullptr;
  Sound* sound = nullptr;
  Shell* shell = nullptr;
  TrayIcon* tray = nullptr;
  Windows* windows = nullptr;
  Files* files = nullptr;
  LoginStart* loginStart = nullptr;
  Printer* printer = nullptr;
};

}  // namespace qov
