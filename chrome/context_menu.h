// The clock's context menu, opened by a right click on the window or on the
// tray icon. The menu is the form's own (hidden) menu, built from one table;
// the features attach their handlers by command and mirror their own state
// in the check marks.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/model.h"
#include "platform/services.h"

namespace qov {

// What an item does.
enum class Command : int8_t {
  kNone,  // a separator or a submenu
  kWebSite,
  kAlwaysOnTop,
  kPrayerTimes,
  kAnalog,
  kVersion1,
  kVersion2,
  kPopUpTimes,
  kSound,
  kLocation,
  kHourHandColor,
  kMinuteHandColor,
  kSecondHandColor,
  kFullSchedule,
  kReminder,  // one item per choice of minutes
  kAbout,
  kStopAdzan,
  kAlertSettings,
  kCountdown,
  kMute,  // the "Bisukan" submenu, whose caption says until when
  kMuteHour,
  kMuteTomorrow,
  kUnmute,
  kLoginStart,
  kMonthTable,
  kLanguage,  // the "Bahasa / Language" submenu, one item per language
  kExit,
};
inline constexpr int kCommandCount = static_cast<int>(Command::kExit) + 1;
// "Pengingat": Mati, 5, 10, 15 and 30 minutes.
inline constexpr int kReminderChoices = 5;

class ContextMenu {
 public:
  ContextMenu(ui::Form& form, Windows& windows);

  // Opened on the window: "Exit" is hidden, the window is closed from the
  // tray's menu only, unless there is no tray (OfferExitOnWindow).
  void OpenFromWindow();
  void OpenFromTray();
  // Readies the menu as the tray shows it, for a tray that draws it itself.
  void PrepareForTray();
  // Without a notification area the window's menu is the only way to quit.
  void OfferExitOnWindow(bool on) { exitOnWindow_ = on; }

  void On(Command command, ui::Handler handler);
  void Check(Command command, bool on);
  void Show(Command command, bool on);
  void Enable(Command command, bool on);
  void SetCaption(Command command, const std::string& caption);
  // Runs before every opening, so items mirror what only then is asked
  // (whether a sound plays).
  void OnOpen(ui::Handler handler) { onOpen_.push_back(std::move(handler)); }
  // A "Pengingat" choice calls `handler` with its minutes (0 is off).
  void OnReminder(const std::function<void(int16_t)>& handler);
  // Ticks the choice of `minutes`, none when no choice has them.
  void CheckReminder(int16_t minutes);
  // A language's item calls `handler` with its code ("en").
  void OnLanguage(const std::function<void(const std::string&)>& handler);
  void CheckLanguage(const std::string& code);

 private:
  struct ReminderChoice {
    ui::MenuItem* item = nullptr;
    int16_t minutes = 0;
  };

  ui::Form& form_;
  Windows& windows_;
  std::array<ui::MenuItem*, kCommandCount> items_{};
  std::array<ReminderChoice, kReminderChoices> reminders_{};
  std::vector<ui::Handler> onOpen_;
  bool exitOnWindow_ = false;
};

}  // namespace qov
