// The narrow services on the real system: the registry, the clock and the
// locale, the screen, the single-instance lock, the standard dialogs, sound,
// the shell and the program's folder.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/services.h"
#include "backends/win32/win.h"

namespace qov::win32 {

// HKEY_CURRENT_USER\Software\QOVClock\<section>, one REG_SZ per key.
class RegistrySettings final : public SettingsStore {
 public:
  std::string Get(const std::string& section, const std::string& key) override;
  bool Save(const std::string& section, const std::string& key, const std::string& value) override;
};

class LocalClock final : public Clock {
 public:
  double Now() override;
  double UtcOffsetAt(double utcDateTime) override;
  std::string SystemName() override { return "Windows"; }
};

class UserLocale final : public Locale {
 public:
  std::string LongTime(double dateTime) override;
  std::string MonthName(int month) override;
};

// The work area of the monitor the main window is on (the primary one before
// it exists), in that monitor's twips.
class MonitorScreen final : public Screen {
 public:
  explicit MonitorScreen(std::function<HWND()> mainWindow) : mainWindow_(std::move(mainWindow)) {}
  ScreenInfo Info() override;

 private:
  std::function<HWND()> mainWindow_;
};

// A named mutex in the session: the first copy creates it and holds it for
// its whole life.
class MutexInstanceLock final : public InstanceLock {
 public:
  bool AnotherRunning() override;
  void BringRunningForward(const std::string& title) override;

 private:
  bool asked_ = false;
  bool another_ = false;
  AutoHandle mutex_;
};

class SystemDialogs final : public Dialogs {
 public:
  void MessageBox(const std::string& text, const std::string& caption) override;
  bool ChooseColor(ui::Form& owner, ui::Color* result) override;
  std::optional<std::string> OpenSoundFile(ui::Form& owner, const std::string& title,
                                           const std::string& current) override;
  std::optional<std::string> SaveFile(ui::Form& owner, const std::string& title, const std::string& suggested,
                                      const FileKind& kind) override;
};

class Mp3Decoder;

// The file decoded to 16-bit PCM (an MP3 by the system's ACM codec), scaled
// to the volume in memory and played through waveOut: the device's own
// volume would change the whole program's, and waveOutReset stops at once.
// An MP3's first second is decoded before Play returns (a file the codec
// cannot read is refused there); a thread decodes the rest and queues it
// while the start plays, so a long adzan does not hold the clock up.
class SystemSound final : public Sound {
 public:
  SystemSound();
  ~SystemSound() override;
  SystemSound(const SystemSound&) = delete;
  SystemSound& operator=(const SystemSound&) = delete;
  bool Play(const std::string& path, int volume) override;
  void Stop() override;
  bool Playing() override;

 private:
  struct Block {
    std::vector<int16_t> pcm;  // the device reads it until reset
    WAVEHDR header{};
  };
  bool Queue(std::vector<int16_t> pcm);
  static DWORD WINAPI DecodeRest(void* self);

  HWAVEOUT out_ = nullptr;
  int volume_ = 100;
  // Filled by Play, then by the decoder thread alone until it ends; a
  // deque, so queued headers never move.
  std::deque<Block> blocks_;
  std::unique_ptr<Mp3Decoder> decoder_;
  AutoHandle thread_;
  volatile LONG cancel_ = 0;
};

class SystemShell final : public Shell {
 public:
  void Open(const std::string& link) override;
};

// HKCU\...\CurrentVersion\Run, value "QOVClock", as the installer's option
// writes it; an all-users installation's entry in HKLM counts too.
class RunAtSignIn final : public LoginStart {
 public:
  bool IsEnabled() override;
  bool Enable(bool on) override;
};

class SystemFiles final : public Files {
 public:
  std::string BesideProgram(const std::string& name) override;
  std::optional<std::string> ReadAll(const std::string& path, size_t maxBytes) override;
  bool WriteAll(const std::string& path, const std::string& bytes) override;
};

// Windows has no HTML engine the program can print with: the page goes to
// a file in the user's temporary folder and opens in the default browser,
// whose print dialog prints it or saves it as PDF.
class BrowserPrinter final : public Printer {
 public:
  bool Print(ui::Form& owner, const std::string& html) override;
  bool WritesPdf() override { return false; }
  bool WritePdf(const std::string&, const std::string&) override { return false; }
};

}  // namespace qov::win32
