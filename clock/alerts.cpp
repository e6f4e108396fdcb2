#include "clock/alerts.h"

#include "clock/clock_time.h"
#include "engine/waktu_names.h"

namespace qov {

using engine::Prayer;

namespace {

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
  // A reminder belongs to the clock that saw its minute begin: one started
  // again within that minute (after a crash, or Exit and start) does not
  // show it a second time.
  lastMinute_ = MinuteCount(svc_.clock->Now());
  sound_ = stored.sound;
  menu_.Check(Command::kSound, sound_);
  SetReminder(stored.reminderMinutes);
}

void Alerts::SetReminder(int16_t minutes) {
  reminder_ = minutes;
  menu_.CheckReminder(minutes);
}

// Once a minute: a prayer `reminder_` minutes from now gets its
// notification, unless that moment falls before the prayer before it in
// time (the reminder would announce it across another one). Prayers that
// share a minute share one notification. Only the exact minute counts:
// after a sleep past it, nothing is shown late.
void Alerts::Remind(int64_t minute) {
  const auto events = schedule_.Events();
  std::string names;
  int64_t at = 0, previous = INT64_MIN;
  for (size_t i = 0; i < events.size(); ++i) {
    const Schedule::Event& e = events[i];
    if (i > 0 && events[i - 1].minute < e.minute) previous = events[i - 1].minute;
    if (e.minute - reminder_ != minute || e.minute <= remindedUpTo_ || minute < previous) continue;
    if (!names.empty()) names += ", ";
    names += engine::NameOf(e.prayer);
    at = e.minute;
  }
  if (names.empty()) return;
  remindedUpTo_ = at;
  svc_.tray->ShowMessage(kAppName, names + " " + std::to_string(reminder_) + " menit lagi (" +
                                       FormatHHMM(static_cast<double>((at % 1440 + 1440) % 1440) / 1440.0) + ")");
}

void Alerts::Check(double now) {
  const int64_t minute = MinuteCount(now);
  // A day that began while the computer slept, or a clock set to another
  // date, must not keep the old day's times; nor a place that follows the
  // system's zone its old offset (checked once a minute: the system's rules
  // are not asked every tick).
  schedule_.ComputeIfStale(now, minute != lastMinute_);
  if (minute != alertedMinute_) {
    // Every prayer whose minute this is: two may share one (an Isya and the
    // next Shubuh under the middle-of-night rule), and one a minute after
    // another takes over its alert. Names are put together only at that
    // moment, never in an ordinary tick.
    const char* first = nullptr;
    std::string names;
    for (const Schedule::Event& e : schedule_.Events()) {
      if (e.minute != minute) continue;
      if (!first) {
        first = AlertName(e.prayer);
      } else {
        if (names.empty()) names = first;
        names += " / ";
        names += AlertName(e.prayer);
      }
    }
    if (first) {
      alertedMinute_ = minute;
      StartAlert(names.empty() ? std::string(first) : names);
    }
  }

  if (minute != lastMinute_) {
    lastMinute_ = minute;
    if (reminder_ > 0 && svc_.tray) Remind(minute);
  }

  // Every tick of the minute 00:00 restarts the alert count while alerts
  // stay armed (the midnight wait); it ends a minute after.
  if (minute % 1440 == 0 && armed_) alertTimer_->SetEnabled(true);
}

void Alerts::StartAlert(std::string names) {
  prayerName_ = std::move(names);
  armed_ = false;
  // An alert that starts during the midnight wait (a prayer at 00:01) takes
  // over the count afresh: ending with the wait's count would cut it to a
  // few seconds and re-arm it inside its own minute, so the same prayer
  // would alert, and the adzan start, a second time.
  alertSeconds_ = 0;
  alertTimer_->SetEnabled(true);
  // A missing or unplayable file plays nothing and the alert goes on
  // regardless.
  if (sound_ && svc_.files && svc_.sound) svc_.sound->Play(svc_.files->BesideProgram(kAdzanFile), 100);
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
