// The Qt implementations of the narrow services: settings in an INI file,
// the local clock and locale, the screen's work area, the single-instance
// lock, the standard dialogs, sound, links and the program's data files.
#pragma once

#include <QColor>
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/i18n.h"
#include "platform/services.h"

class QWidget;

namespace qov::qt {

class AudioPlayer;

// The widget showing a form, or null when it has none.
using WidgetOf = std::function<QWidget*(const ui::Form*)>;

// $XDG_CONFIG_HOME/QOVClock/QOVClock.conf, one group per section; every
// value is text, as in the registry.
class IniSettings final : public SettingsStore {
 public:
  std::string Get(const std::string& section, const std::string& key) override;
  bool Save(const std::string& section, const std::string& key, const std::string& value) override;
};

class LocalClock final : public Clock {
 public:
  double Now() override;
  double UtcOffsetAt(double utcDateTime) override;
  std::string SystemName() override { return N_("sistem"); }

 private:
  // The zone's offset during one UTC minute: the tick asks the time three
  // times a second, and each local time from the system rereads its zone
  // file. Offsets change only at whole minutes.
  int64_t offsetMinute_ = INT64_MIN;
  int64_t offsetMs_ = 0;
};

class UserLocale final : public Locale {
 public:
  std::string LongTime(double dateTime) override;
  std::string MonthName(int month) override;

 private:
  // The tick asks for the same second three times; formatting it once
  // spares the locale lookups.
  int lastSecondOfDay_ = -1;
  std::string lastText_;
};

class DesktopScreen final : public Screen {
 public:
  explicit DesktopScreen(std::function<QWidget*()> mainWidget) : mainWidget_(std::move(mainWidget)) {}
  ScreenInfo Info() override;

 private:
  std::function<QWidget*()> mainWidget_;
};

// A lock file in the user's runtime folder (or, without one, beside the
// settings): per user, and released by the system when the process dies.
class LockFileInstance final : public InstanceLock {
 public:
  LockFileInstance() = default;
  LockFileInstance(const LockFileInstance&) = delete;
  LockFileInstance& operator=(const LockFileInstance&) = delete;
  ~LockFileInstance() override;
  bool AnotherRunning() override;
  void BringRunningForward(const std::string& title) override;

 private:
  QByteArray path_;
  int held_ = -1;      // the locked file, open for the process's life
  qint64 holder_ = 0;  // the running copy's process
  bool asked_ = false;
  bool another_ = false;
};

class SystemDialogs final : public Dialogs {
 public:
  explicit SystemDialogs(WidgetOf widgetOf) : widgetOf_(std::move(widgetOf)) {}
  void MessageBox(const std::string& text, const std::string& caption) override;
  bool ChooseColor(ui::Form& owner, ui::Color* result) override;
  std::optional<std::string> OpenSoundFile(ui::Form& owner, const std::string& title,
                                           const std::string& current) override;
  std::optional<std::string> SaveFile(ui::Form& owner, const std::string& title, const std::string& suggested,
                                      const FileKind& kind) override;

 private:
  WidgetOf widgetOf_;
};

class SystemSound final : public Sound {
 public:
  SystemSound();
  ~SystemSound() override;
  bool Play(const std::string& path, int volume) override;
  void Stop() override;
  bool Playing() override;

 private:
  // Loaded at the first sound (backends/qt/sound/player.h); without its
  // module the clock plays nothing, as with a file it cannot play.
  std::unique_ptr<AudioPlayer> player_;
  bool triedLoading_ = false;
};

class SystemShell final : public Shell {
 public:
  void Open(const std::string& link) override;
};

class DataFiles final : public Files {
 public:
  std::string BesideProgram(const std::string& name) override;
  std::optional<std::string> ReadAll(const std::string& path, size_t maxBytes) override;
  bool WriteAll(const std::string& path, const std::string& bytes) override;
};

// The printable page through Qt's own HTML engine (QTextDocument): on the
// printer the print dialog chooses, or as a PDF file.
class PagePrinter final : public Printer {
 public:
  explicit PagePrinter(WidgetOf widgetOf) : widgetOf_(std::move(widgetOf)) {}
  bool Print(ui::Form& owner, const std::string& html) override;
  bool WritesPdf() override { return true; }
  bool WritePdf(const std::string& path, const std::string& html) override;

 private:
  WidgetOf widgetOf_;
};

// $XDG_CONFIG_HOME/autostart/qov-clock.desktop, which every desktop that
// follows the freedesktop.org autostart rules starts at login.
class AutostartEntry final : public LoginStart {
 public:
  bool IsEnabled() override;
  bool Enable(bool on) override;
};

// The logic joins paths with backslashes, as on Windows: a path that does
// not exist as written is tried with them turned into slashes.
QString LocalPath(const std::string& path);

// `symbol` of one of the program's modules (`file`), loaded at the first
// call: beside the program in the build, in lib/qov-clock/modules beside
// bin/ when installed (a folder the loader's cache never lists). Null when
// the module is missing or broken. A module stays loaded once loaded.
QFunctionPointer ModuleEntry(const char* file, const char* symbol);

// The model's 0x00BBGGRR and Qt's colours.
inline QRgb ToRgb(ui::Color c) { return qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

}  // namespace qov::qt
