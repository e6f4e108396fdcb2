#include "clock/alerts.h"

#include <string_view>

#include "clock/clock_time.h"

namespace qov {

using engine::Prayer;

namespace {

// The order in which the tick tests the times; the first match wins.
struct Alert {
  Prayer prayer;
  const char* name;
};
constexpr Alert kAlerts[] = {{Prayer::kDzuhur, "Dzhuhur"}, {Prayer::kAshar, "Ashar"},
                             {Prayer::kMaghrib, "Maghrib"}, {Prayer::kIsya, "Isya"},
                             {Prayer::kShubuh, "Shubuh"}};

// The alert lasts this many seconds after its first.
constexpr int kAlertSeconds = 65;
constexpr int kTickMs = 300;
constexpr int kSecondMs = 1000;

// "HH:MM:SS" written into the label only when it differs; no allocation
// beyond the short string the label keeps.
void ShowClockText(ui::Control& label, const ClockReading& t) {
  const char text[8] = {static_cast<char>('0' + t.hour / 10),   static_cast<char>('0' + t.hour % 10),
                        ':',
                        static_cast<char>('0' + t.minute / 10), static_cast<char>('0' + t.minute % 10),
                        ':',
                        static_cast<char>('0' + t.second / 10), static_cast<char>('0' + t.second % 10)};
  const std::string_view view(text, sizeof text);
  if (label.text() != view) label.SetText(std::string(view));
}

}  // namespace

Alerts::Alerts(ui::Form& form, ContextMenu& menu, Services& services, settings::Settings& settings,
               ClockWindow& window, Schedule& schedule)
    : form_(form), menu_(menu), svc_(services), settings_(settings), window_(window), schedule_(schedule) {
  blinkTimer_ = &form_.AddTimer("blink", kSecondMs, false);
  alertTimer_ = &form_.AddTimer("alert", kSecondMs, false);
  tick_ = &form_.AddTimer("tick", kTickMs, true);
  blinkTimer_->onTimer = [this] { Blink(); };
  alertTimer_->onTimer = [this] { CountAlert(); };
  tick_->onTimer = [this] { Tick(); };
  menu_.sound.onClick = [this] { ToggleSound(); };
}

void Alerts::Load(const settings::WindowState& stored) { menu_.sound.checked = stored.sound; }

void Alerts::Tick() {
  const double now = svc_.clock->Now();
  if (window_.analog()) window_.UpdateHands(now);

  const ClockReading reading = ReadClock(now);
  ui::Control& text = window_.digitalTime();
  if (!armed_) {
    text.SetText(prayerName_);
  } else if (window_.version() == settings::DisplayVersion::kFace) {
    text.SetText(svc_.locale->LongTime(reading.wholeSecond));
  } else {
    ShowClockText(text, reading);
  }

  // A day that began while the computer slept, or a clock set to another
  // date, must not keep the old day's times.
  schedule_.ComputeIfNewDay(now);

  const int minute = reading.MinuteOfDay();
  if (armed_) {
    for (const Alert& a : kAlerts) {
      if (schedule_.Minute(a.prayer) == minute) {
        StartAlert(a.name);
        break;
      }
    }
  }

  // Every tick of the minute 00:00 restarts the alert count while alerts
  // stay armed (the midnight wait); it ends a minute after.
  if (minute == 0 && armed_) alertTimer_->SetEnabled(true);
}

void Alerts::StartAlert(const char* name) {
  prayerName_ = name;
  armed_ = false;
  // An alert that starts during the midnight wait (a prayer at 00:01) takes
  // over the count afresh: ending with the wait's count would cut it to a
  // few seconds and re-arm it inside its own minute, so the same prayer
  // would alert, and the adzan start, a second time.
  alertSeconds_ = 0;
  alertTimer_->SetEnabled(true);
  // Plain concatenation: a program at a drive's root ("C:\") gives
  // "C:\\adzhan.wav", which Windows reads as the same file. A missing or
  // unplayable file plays nothing and the alert goes on regardless.
  if (menu_.sound.checked && svc_.files && svc_.sound)
    svc_.sound->PlayWave(svc_.files->AppPath() + "\\adzhan.wav");
  blinkTimer_->SetEnabled(true);
}

void Alerts::CountAlert() {
  if (alertSeconds_ >= kAlertSeconds) {
    alertSeconds_ = 0;
    alertTimer_->SetEnabled(false);
    blinkTimer_->SetEnabled(false);
    armed_ = true;
    form_.SetBlink(true);
  } else {
    ++alertSeconds_;
  }
}

void Alerts::Blink() {
  blinkOff_ = !blinkOff_;
  form_.SetBlink(!blinkOff_);
}

void Alerts::ToggleSound() {
  const bool on = !menu_.sound.checked;
  menu_.sound.checked = on;
  settings_.SaveSound(on);
}

}  // namespace qov
