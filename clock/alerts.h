// The prayer alert and the reminder: at a prayer's minute the prayer's name
// in place of the time, a blinking window for 66 seconds and, when switched
// on, the adzan; a set number of minutes before each prayer a notification.
// The app's heartbeat calls Check every tick.
#pragma once

#include <climits>
#include <cstdint>
#include <string>

#include "chrome/context_menu.h"
#include "clock/schedule.h"
#include "platform/model.h"
#include "platform/services.h"
#include "settings/settings.h"

namespace qov {

class Alerts {
 public:
  Alerts(ui::Form& form, ContextMenu& menu, Services& services, settings::Settings& settings, Schedule& schedule);

  // Start-up: the stored sound switch and reminder.
  void Load(const settings::WindowState& stored);

  // The tick's share: a stale day's times, a prayer's alert, a reminder.
  void Check(double now);
  // The prayer's name while its alert runs, else empty.
  const std::string& banner() const { return armed_ ? kNoBanner : prayerName_; }

  void ToggleSound();
  // Minutes before each prayer for a notification; 0 turns it off.
  void SetReminder(int16_t minutes);

 private:
  static inline const std::string kNoBanner;

  void StartAlert(std::string names);
  void Remind(int64_t minute);
  void CountAlert();
  void Blink();

  ui::Form& form_;
  ContextMenu& menu_;
  Services& svc_;
  settings::Settings& settings_;
  Schedule& schedule_;

  ui::Timer* blinkTimer_ = nullptr;
  ui::Timer* alertTimer_ = nullptr;

  bool sound_ = false;
  bool armed_ = true;
  int64_t alertedMinute_ = INT64_MIN;  // each prayer's minute alerts once
  std::string prayerName_;
  int alertSeconds_ = 0;
  // Never reset: an alert after one with an odd number of blinks starts in
  // the other phase.
  bool blinkOff_ = false;

  int16_t reminder_ = 0;
  // Minutes counted from the epoch of date serials, as the schedule's
  // events are.
  int64_t lastMinute_ = -1;
  // The latest prayer reminded of: each is announced once, also when the
  // clock is set back across it.
  int64_t remindedUpTo_ = INT64_MIN;
};

}  // namespace qov
