#include "clock/alerts.h"

#include <cstdlib>
#include <cstring>
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

constexpr const char* kAppName = "Jam QOV";

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

// The minutes a "Pengingat" item stands for, from its name ("mPengingat10").
int16_t Alerts::MinutesOf(const ui::MenuItem& item) {
  return static_cast<int16_t>(std::atoi(item.name.c_str() + std::strlen("mPengingat")));
}

void Alerts::Load(const settings::WindowState& stored) {
  menu_.sound.checked = stored.sound;
  for (auto& item : menu_.reminder.children) {
    item->onClick = [this, minutes = MinutesOf(*item)] {
      SetReminder(minutes);
      settings_.SaveReminder(minutes);
    };
  }
  SetReminder(stored.reminderMinutes);
}

void Alerts::SetReminder(int16_t minutes) {
  reminder_ = minutes;
  for (auto& item : menu_.reminder.children) item->checked = MinutesOf(*item) == minutes;
}

// Once a minute: a prayer `reminder_` minutes from now gets its
// notification, unless that moment falls before the prayer before it (the
// reminder would announce it across another one). A prayer just after
// midnight is announced the evening before. Only the exact minute counts:
// after a sleep past it, nothing is shown late.
void Alerts::Remind(int minute, double now) {
  static constexpr const char* kNames[engine::kPrayerCount] = {"Shubuh", "Dzuhur", "Ashar", "Maghrib", "Isya"};
  const double today = DatePart(now);
  const int lastToday = schedule_.Minute(engine::Prayer::kIsya);
  auto remind = [&](int k, int at, int moment, int previous, double day) {
    double& done = reminded_[static_cast<size_t>(k)];
    if (moment != minute || moment < previous || done == day) return;
    done = day;
    svc_.tray->ShowMessage(kAppName, std::string(kNames[k]) + " " + std::to_string(reminder_) + " menit lagi (" +
                                         FormatHHMM(at / 1440.0) + ")");
  };
  int previous = -1;
  for (int k = 0; k < engine::kPrayerCount; ++k) {
    const auto p = static_cast<engine::Prayer>(k);
    const int at = schedule_.Minute(p);
    if (at >= 0 && at - reminder_ >= 0) remind(k, at, at - reminder_, previous, today);
    if (at >= 0) previous = at;
    const int next = schedule_.TomorrowMinute(p);
    if (next >= 0 && next - reminder_ < 0) remind(k, next, next - reminder_ + 1440, lastToday, today + 1);
  }
}

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

  const int minute = reading.MinuteOfDay();
  // A day that began while the computer slept, or a clock set to another
  // date, must not keep the old day's times; nor a place that follows the
  // system's zone its old offset (checked once a minute: the system's rules
  // are not asked every tick).
  schedule_.ComputeIfStale(now, minute != lastMinute_);
  if (armed_) {
    for (const Alert& a : kAlerts) {
      if (schedule_.Minute(a.prayer) == minute) {
        StartAlert(a.name);
        break;
      }
    }
  }

  if (minute != lastMinute_) {
    lastMinute_ = minute;
    if (reminder_ > 0 && svc_.tray) Remind(minute, now);
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
