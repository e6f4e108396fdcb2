#include "clock/alerts.h"

#include "clock/clock_time.h"
#include "engine/waktu_names.h"

namespace qov {

using engine::Prayer;

namespace {

// The order in which the tick tests the times; the first match wins.
constexpr Prayer kAlertOrder[] = {Prayer::kDzuhur, Prayer::kAshar, Prayer::kMaghrib, Prayer::kIsya, Prayer::kShubuh};

// The alert has always spelled Dzuhur so; the panel and the reminder do not.
const char* AlertName(Prayer p) { return p == Prayer::kDzuhur ? "Dzhuhur" : engine::NameOf(p); }

constexpr const char* kAppName = "Jam QOV";
constexpr const char* kAdzanFile = "adzhan.wav";

// The alert lasts this many seconds after its first.
constexpr int kAlertSeconds = 65;
constexpr int kSecondMs = 1000;

}  // namespace

Alerts::Alerts(ui::Form& form, ContextMenu& menu, Services& services, settings::Settings& settings,
               Schedule& schedule)
    : form_(form), menu_(menu), svc_(services), settings_(settings), schedule_(schedule) {
  blinkTimer_ = &form_.AddTimer("blink", kSecondMs, false);
  alertTimer_ = &form_.AddTimer("alert", kSecondMs, false);
  blinkTimer_->onTimer = [this] { Blink(); };
  alertTimer_->onTimer = [this] { CountAlert(); };
  menu_.On(Command::kSound, [this] { ToggleSound(); });
  menu_.OnReminder([this](int16_t minutes) {
    SetReminder(minutes);
    settings_.SaveReminder(minutes);
  });
}

void Alerts::Load(const settings::WindowState& stored) {
  sound_ = stored.sound;
  menu_.Check(Command::kSound, sound_);
  SetReminder(stored.reminderMinutes);
}

void Alerts::SetReminder(int16_t minutes) {
  reminder_ = minutes;
  menu_.CheckReminder(minutes);
}

// Once a minute: a prayer `reminder_` minutes from now gets its
// notification, unless that moment falls before the prayer before it (the
// reminder would announce it across another one). A prayer just after
// midnight is announced the evening before. Only the exact minute counts:
// after a sleep past it, nothing is shown late.
void Alerts::Remind(int minute, double now) {
  const double today = DatePart(now);
  const int lastToday = schedule_.Minute(Prayer::kIsya);
  auto remind = [&](int k, int at, int moment, int previous, double day) {
    double& done = reminded_[static_cast<size_t>(k)];
    if (moment != minute || moment < previous || done == day) return;
    done = day;
    svc_.tray->ShowMessage(kAppName, std::string(engine::NameOf(static_cast<Prayer>(k))) + " " +
                                         std::to_string(reminder_) + " menit lagi (" + FormatHHMM(at / 1440.0) + ")");
  };
  int previous = -1;
  for (int k = 0; k < engine::kPrayerCount; ++k) {
    const auto p = static_cast<Prayer>(k);
    const int at = schedule_.Minute(p);
    if (at >= 0 && at - reminder_ >= 0) remind(k, at, at - reminder_, previous, today);
    if (at >= 0) previous = at;
    const int next = schedule_.TomorrowMinute(p);
    if (next >= 0 && next - reminder_ < 0) remind(k, next, next - reminder_ + 1440, lastToday, today + 1);
  }
}

void Alerts::Check(double now) {
  const int minute = ReadClock(now).MinuteOfDay();
  // A day that began while the computer slept, or a clock set to another
  // date, must not keep the old day's times; nor a place that follows the
  // system's zone its old offset (checked once a minute: the system's rules
  // are not asked every tick).
  schedule_.ComputeIfStale(now, minute != lastMinute_);
  if (armed_) {
    for (const Prayer p : kAlertOrder) {
      if (schedule_.Minute(p) == minute) {
        StartAlert(AlertName(p));
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
  // A missing or unplayable file plays nothing and the alert goes on
  // regardless.
  if (sound_ && svc_.files && svc_.sound) svc_.sound->PlayWave(svc_.files->BesideProgram(kAdzanFile));
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
  sound_ = !sound_;
  menu_.Check(Command::kSound, sound_);
  settings_.SaveSound(sound_);
}

}  // namespace qov
