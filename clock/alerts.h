// The prayer alerts and the reminders: at a time's minute, as the user set
// it for that time, the name in place of the time, a blinking window for 66
// seconds and a notification, a chime or the adzan; reminders a set number
// of minutes before; the next prayer in the tray icon's tip and, with
// "Hitung Mundur", on the digital line in turn with the time. The app's
// heartbeat calls Check every tick.
#pragma once

#include <array>
#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "chrome/context_menu.h"
#include "clock/schedule.h"
#include "platform/model.h"
#include "platform/services.h"
#include "settings/settings.h"

namespace qov {

class Alerts {
 public:
  Alerts(ui::Form& form, ContextMenu& menu, Services& services, settings::Settings& settings, Schedule& schedule);

  // Start-up: the stored sound switch, reminder and alert settings.
  void Load(const settings::WindowState& stored);
  // The alert settings read again from the store (the dialog's OK).
  void ApplyStored();

  // The tick's share: a stale day's times, then, once a minute, a time's
  // alert, the reminders, what a sleep missed and the next prayer.
  void Check(double now);
  // The name while an alert runs, else the countdown in its turn, else empty.
  const std::string& banner() const { return !armed_ ? prayerName_ : countdownShown_ ? countdown_ : kNoBanner; }

  void ToggleSound();
  // "Pengingat": minutes before each of the five; 0 turns it off.
  void SetReminder(int16_t minutes);
  // The leads in force for a time (settings::kAlertTimeNames' order).
  const std::vector<int16_t>& LeadsOf(int time) const { return leads_[static_cast<size_t>(time)]; }
  const settings::AlertSettings& stored() const { return cfg_; }

  // Stops the adzan or chime; harmless when none plays.
  void StopSound();
  // No sound until the date-time `until`; 0 (or a past time) sounds again.
  void MuteUntil(double until);
  void ToggleCountdown();
  // The language changed: the mute's caption now, the tip at the next tick.
  void Retranslate() {
    tip_.clear();
    ShowMute(svc_.clock->Now());
  }
  // Plays an adzan file (empty: the shipped one) at `volume`. One that
  // cannot be played gives way to the shipped sound: the message saying so
  // is returned, else empty.
  std::string PlayAdzan(const std::string& file, int volume);

 private:
  static inline const std::string kNoBanner;

  void Scan(int64_t minute, double now);
  void ShowNext(int64_t minute);
  void StartAlert(std::string names, settings::AlertChoice choice, bool shubuh, int64_t minute, double now);
  void Remind(int64_t minute);
  void TellMissed(int64_t after, int64_t minute);
  void RebuildLeads();
  void ShowMute(double now);
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
  int64_t alertedMinute_ = INT64_MIN;  // each time's minute alerts once
  std::string prayerName_;
  int alertSeconds_ = 0;
  // Never reset: an alert after one with an odd number of blinks starts in
  // the other phase.
  bool blinkOff_ = false;

  settings::AlertSettings cfg_;
  int16_t reminder_ = 0;
  std::array<std::vector<int16_t>, settings::kAlertTimes + 1> leads_;
  // Minutes counted from the epoch of date serials, as the schedule's
  // events are.
  int64_t lastMinute_ = -1;
  // The minute and the schedule's computation last looked through.
  int64_t scannedMinute_ = INT64_MIN;
  uint32_t scannedVersion_ = 0;
  // The latest reminder moment shown: each is shown once, also when the
  // clock is set back across it.
  int64_t remindedUpTo_ = INT64_MIN;

  std::string tip_;
  std::string countdown_;  // "Ashar -1:04"
  bool countdownOn_ = false;
  bool countdownShown_ = false;
};

}  // namespace qov
