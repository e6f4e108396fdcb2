// The clock's heartbeat and the prayer alert: every 300 ms the hands and
// the digital time; at a prayer's minute the prayer's name in place of the
// time, a blinking window for 66 seconds and, when switched on, the adzan.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "chrome/context_menu.h"
#include "clock/clock_window.h"
#include "clock/schedule.h"
#include "platform/model.h"
#include "platform/services.h"
#include "settings/settings.h"

namespace qov {

class Alerts {
 public:
  Alerts(ui::Form& form, ContextMenu& menu, Services& services, settings::Settings& settings,
         ClockWindow& window, Schedule& schedule);

  // Start-up: the stored sound switch.
  void Load(const settings::WindowState& stored);

  void Tick();
  void ToggleSound();
  // Minutes before each prayer for a notification; 0 turns it off.
  void SetReminder(int16_t minutes);
  int16_t reminder() const { return reminder_; }

 private:
  static int16_t MinutesOf(const ui::MenuItem& item);
  void StartAlert(const char* name);
  void Remind(int minute, double now);
  void CountAlert();
  void Blink();

  ui::Form& form_;
  ContextMenu& menu_;
  Services& svc_;
  settings::Settings& settings_;
  ClockWindow& window_;
  Schedule& schedule_;

  ui::Timer* blinkTimer_ = nullptr;
  ui::Timer* alertTimer_ = nullptr;
  ui::Timer* tick_ = nullptr;

  bool armed_ = true;
  std::string prayerName_;
  int alertSeconds_ = 0;
  // Never reset: an alert after one with an odd number of blinks starts in
  // the other phase.
  bool blinkOff_ = false;

  int16_t reminder_ = 0;
  int lastMinute_ = -1;
  // The day (date serial) each prayer was last reminded of: one reminder
  // per prayer per day, also when the clock is set back across it.
  std::array<double, engine::kPrayerCount> reminded_{};
};

}  // namespace qov
