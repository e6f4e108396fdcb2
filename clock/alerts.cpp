#include "clock/alerts.h"

#include <cmath>

#include "clock/clock_time.h"
#include "engine/datetime.h"
#include "engine/waktu_names.h"
#include "platform/i18n.h"

namespace qov {

using engine::Waktu;
using i18n::Fill;
using i18n::Tr;
using settings::AlertChoice;

namespace {

constexpr const char* kAppName = N_("Jam QOV");
constexpr const char* kAdzanFile = "adzhan.wav";
constexpr const char* kChimeFile = "bunyi.wav";

// The alert lasts this many seconds after its first.
constexpr int kAlertSeconds = 65;
constexpr int kSecondMs = 1000;
// "Hitung Mundur": the time and the countdown take turns this long each.
constexpr int kCountdownTurnSeconds = 5;

// A time of the day's place among the alert settings; Dhuha has none.
constexpr int kTimeOf[engine::kWaktuCount] = {0, 1, 2, -1, 3, 4, 5, 6};

bool IsFriday(int64_t minute) {
  const int64_t day = minute >= 0 ? minute / 1440 : (minute - 1439) / 1440;
  return (day % 7 + 7) % 7 == 6;  // day 0, 1899-12-30, was a Saturday
}

bool IsJumat(const Schedule::Event& e) { return e.waktu == Waktu::kDzuhur && IsFriday(e.minute); }
bool IsPrayer(Waktu w) { return w != Waktu::kImsak && w != Waktu::kTerbit; }

// The panel's and the reminder's name.
const char* NameOf(const Schedule::Event& e) { return Tr(IsJumat(e) ? N_("Jumat") : engine::NameOf(e.waktu)); }
// The alert has always spelled Dzuhur so; the panel and the reminder do not.
const char* AlertName(const Schedule::Event& e) {
  return Tr(IsJumat(e) ? N_("Jumat") : e.waktu == Waktu::kDzuhur ? N_("Dzhuhur") : engine::NameOf(e.waktu));
}

std::string ClockText(int64_t minute) { return FormatHHMM(static_cast<double>((minute % 1440 + 1440) % 1440) / 1440.0); }

std::string BaseName(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

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
  menu_.On(Command::kStopAdzan, [this] { StopSound(); });
  menu_.On(Command::kCountdown, [this] { ToggleCountdown(); });
  menu_.On(Command::kMuteHour, [this] { MuteUntil(svc_.clock->Now() + 1.0 / 24); });
  menu_.On(Command::kMuteTomorrow, [this] { MuteUntil(DatePart(svc_.clock->Now()) + 1); });
  menu_.On(Command::kUnmute, [this] { MuteUntil(0); });
  menu_.Show(Command::kStopAdzan, false);
  // Whether a sound plays is asked only here, never per tick.
  menu_.OnOpen([this] {
    menu_.Show(Command::kStopAdzan, svc_.sound && svc_.sound->Playing());
    ShowMute(svc_.clock->Now());
  });
}

void Alerts::Load(const settings::WindowState& stored) {
  // A reminder belongs to the clock that saw its minute begin: one started
  // again within that minute (after a crash, or Exit and start) does not
  // show it a second time.
  lastMinute_ = MinuteCount(svc_.clock->Now());
  sound_ = stored.sound;
  menu_.Check(Command::kSound, sound_);
  ApplyStored();
  SetReminder(stored.reminderMinutes);
}

void Alerts::ApplyStored() {
  cfg_ = settings_.ReadAlerts();
  // No menu choice mutes for longer than a day and an hour: a stored end
  // beyond two days is a hand-edited value, and mutes nothing.
  if (cfg_.muteUntil > svc_.clock->Now() + 2) cfg_.muteUntil = 0;
  countdownOn_ = cfg_.countdown;
  menu_.Check(Command::kCountdown, countdownOn_);
  ShowMute(svc_.clock->Now());
  RebuildLeads();
  scannedMinute_ = INT64_MIN;  // the next tick shows the next prayer afresh
}

void Alerts::SetReminder(int16_t minutes) {
  reminder_ = minutes;
  menu_.CheckReminder(minutes);
  RebuildLeads();
}

// Stored leads win; otherwise "Pengingat" for the five, and Jumat takes
// Dzuhur's.
void Alerts::RebuildLeads() {
  constexpr int kDzuhur = 3;
  for (int i = 0; i <= settings::kAlertTimes; ++i) {
    std::vector<int16_t>& leads = leads_[static_cast<size_t>(i)];
    const auto& own = cfg_.leads[static_cast<size_t>(i)];
    if (own) leads = *own;
    else if (i == settings::kJumat) leads = leads_[kDzuhur];
    else if (IsPrayer(static_cast<Waktu>(i < 3 ? i : i + 1)) && reminder_ > 0) leads = {reminder_};
    else leads.clear();
  }
}

void Alerts::Check(double now) {
  const ClockReading r = ReadClock(now);
  const int64_t minute = static_cast<int64_t>(std::floor(r.wholeSecond)) * 1440 + r.MinuteOfDay();
  const bool newMinute = minute != lastMinute_;
  // A day that began while the computer slept, or a clock set to another
  // date, must not keep the old day's times; nor a place that follows the
  // system's zone its old offset (checked once a minute: the system's rules
  // are not asked every tick).
  schedule_.ComputeIfStale(now, newMinute);
  // Looked through once a minute, and again when the times moved (a new
  // place applies within its minute).
  if (minute != scannedMinute_ || schedule_.version() != scannedVersion_) {
    scannedMinute_ = minute;
    scannedVersion_ = schedule_.version();
    Scan(minute, now);
  }
  if (newMinute) {
    const int64_t before = lastMinute_;
    lastMinute_ = minute;
    if (svc_.tray) {
      if (minute > before + 1) TellMissed(before, minute);
      Remind(minute);
    }
  }
  countdownShown_ = countdownOn_ && r.second / kCountdownTurnSeconds % 2 == 1;

  // Every tick of the minute 00:00 restarts the alert count while alerts
  // stay armed (the midnight wait); it ends a minute after.
  if (minute % 1440 == 0 && armed_) alertTimer_->SetEnabled(true);
}

// Every time whose minute this is and that is not "Mati": two may share
// one (an Isya and the next Shubuh under the middle-of-night rule), and one
// a minute after another takes over its alert. The strongest choice among
// them is what sounds.
void Alerts::Scan(int64_t minute, double now) {
  if (minute != alertedMinute_) {
    std::string names;
    AlertChoice strongest = AlertChoice::kOff;
    bool shubuh = false;
    for (const Schedule::Event& e : schedule_.Events()) {
      if (e.minute != minute) continue;
      const AlertChoice c = cfg_.choice[static_cast<size_t>(kTimeOf[static_cast<int>(e.waktu)])];
      if (c == AlertChoice::kOff) continue;
      if (!names.empty()) names += " / ";
      names += AlertName(e);
      if (c > strongest) strongest = c;
      shubuh = shubuh || (e.waktu == Waktu::kShubuh && c == AlertChoice::kAdzan);
    }
    if (!names.empty()) {
      alertedMinute_ = minute;
      StartAlert(std::move(names), strongest, shubuh, minute, now);
    }
  }
  ShowNext(minute);
}

// The next of the five prayers: the icon's tip "Ashar 15:07 — 1 jam 4
// menit lagi" and the countdown "Ashar -1:04".
void Alerts::ShowNext(int64_t minute) {
  for (const Schedule::Event& e : schedule_.Events()) {
    if (e.minute <= minute || !IsPrayer(e.waktu)) continue;
    const int64_t left = e.minute - minute, hours = left / 60, minutes = left % 60;
    const std::string h = std::to_string(hours), m = std::to_string(minutes);
    const std::string wait = hours == 0    ? Fill("{1} menit", {m})
                             : minutes == 0 ? Fill("{1} jam", {h})
                                            : Fill("{1} jam {2} menit", {h, m});
    std::string tip = Fill("{1} {2}", {NameOf(e), ClockText(e.minute)}) + " \u2014 " + Fill("{1} lagi", {wait});
    countdown_ = std::string(NameOf(e)) + " -" + std::to_string(hours) + ":" + (minutes < 10 ? "0" : "") +
                 std::to_string(minutes);
    if (tip != tip_ && svc_.tray) {
      tip_ = std::move(tip);
      svc_.tray->SetTip(tip_);
    }
    return;
  }
}

void Alerts::StartAlert(std::string names, AlertChoice choice, bool shubuh, int64_t minute, double now) {
  prayerName_ = std::move(names);
  armed_ = false;
  // An alert that starts during the midnight wait (a prayer at 00:01) takes
  // over the count afresh: ending with the wait's count would cut it to a
  // few seconds and re-arm it inside its own minute, so the same prayer
  // would alert, and the adzan start, a second time.
  alertSeconds_ = 0;
  alertTimer_->SetEnabled(true);
  blinkTimer_->SetEnabled(true);
  if (choice == AlertChoice::kNotification && svc_.tray)
    svc_.tray->ShowMessage(Tr(kAppName), Fill("Waktu {1} ({2})", {prayerName_, ClockText(minute)}));
  // "Suara Adzhan" is the master switch; a mute holds until its moment.
  if (!sound_ || now < cfg_.muteUntil || !svc_.files || !svc_.sound) return;
  if (choice == AlertChoice::kAdzan) {
    const std::string told = PlayAdzan(shubuh && !cfg_.shubuhFile.empty() ? cfg_.shubuhFile : cfg_.adzanFile, cfg_.volume);
    if (!told.empty() && svc_.tray) svc_.tray->ShowMessage(Tr(kAppName), told);
  } else if (choice == AlertChoice::kChime) {
    svc_.sound->Play(svc_.files->BesideProgram(kChimeFile), cfg_.volume);
  }
}

// A missing or unplayable file of the user's falls back to the shipped
// sound, never to silence; the shipped one failing plays nothing and the
// alert goes on regardless.
std::string Alerts::PlayAdzan(const std::string& file, int volume) {
  if (!svc_.files || !svc_.sound) return {};
  const std::string shipped = svc_.files->BesideProgram(kAdzanFile);
  if (!file.empty() && file != shipped && svc_.sound->Play(file, volume)) return {};
  svc_.sound->Play(shipped, volume);
  if (file.empty() || file == shipped) return {};
  return Fill("File adzan tidak dapat diputar: {1}. Memakai suara bawaan.", {BaseName(file)});
}

// Once a minute: each time with a lead ending now gets its notification,
// unless that moment falls before the prayer before it in time (the
// reminder would announce it across another one). Times that share a
// minute and lead share one line. Only the exact minute counts: after a
// sleep past it, nothing is shown late.
void Alerts::Remind(int64_t minute) {
  const auto events = schedule_.Events();
  std::string text, names;
  int64_t at = 0, latest = INT64_MIN, previous = INT64_MIN;
  int lead = 0;
  auto flush = [&] {
    if (names.empty()) return;
    if (!text.empty()) text += "; ";
    // A text of its own for one minute: English says "1 minute".
    text += lead == 1 ? Fill("{1} 1 menit lagi ({2})", {names, ClockText(at)})
                      : Fill("{1} {2} menit lagi ({3})", {names, std::to_string(lead), ClockText(at)});
    names.clear();
  };
  for (const Schedule::Event& e : events) {
    // The prayer before: the five always, Imsak and Terbit when they alert.
    if (latest < e.minute) previous = latest;
    const int time = kTimeOf[static_cast<int>(e.waktu)];
    if (IsPrayer(e.waktu) || cfg_.choice[static_cast<size_t>(time)] != AlertChoice::kOff) latest = e.minute;
    if (minute <= remindedUpTo_ || minute < previous) continue;
    for (int16_t l : leads_[static_cast<size_t>(IsJumat(e) ? settings::kJumat : time)]) {
      if (e.minute - l != minute) continue;
      if (l != lead || e.minute != at) flush();
      if (!names.empty()) names += ", ";
      names += NameOf(e);
      lead = l;
      at = e.minute;
    }
  }
  flush();
  if (text.empty()) return;
  remindedUpTo_ = minute;
  svc_.tray->ShowMessage(Tr(kAppName), text);
}

// The clock jumped forward (a sleep, the clock set on) past times that
// would have alerted: none of them sounds late, one quiet line lists them.
void Alerts::TellMissed(int64_t after, int64_t minute) {
  std::string text;
  for (const Schedule::Event& e : schedule_.Events()) {
    if (e.minute <= after || e.minute >= minute) continue;
    if (cfg_.choice[static_cast<size_t>(kTimeOf[static_cast<int>(e.waktu)])] == AlertChoice::kOff) continue;
    text += (text.empty() ? "" : ", ") + std::string(NameOf(e)) + " " + ClockText(e.minute);
  }
  if (!text.empty()) svc_.tray->ShowMessage(Tr(kAppName), Fill("Terlewat: {1}", {text}));
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

void Alerts::StopSound() {
  if (svc_.sound && svc_.sound->Playing()) svc_.sound->Stop();
}

void Alerts::MuteUntil(double until) {
  const double now = svc_.clock->Now();
  cfg_.muteUntil = until > now ? until : 0;
  settings_.SaveMuteUntil(cfg_.muteUntil);
  if (cfg_.muteUntil > 0) StopSound();
  ShowMute(now);
}

// "Bisukan (sampai 14:30)" while muted; a mute past its moment (also one
// that ended in a sleep) shows as none.
void Alerts::ShowMute(double now) {
  const bool muted = now < cfg_.muteUntil;
  menu_.SetCaption(Command::kMute, muted ? Fill("Bisukan (sampai {1})", {FormatHHMM(cfg_.muteUntil)}) : Tr("Bisukan"));
  menu_.Check(Command::kUnmute, !muted);
}

void Alerts::ToggleCountdown() {
  countdownOn_ = !countdownOn_;
  cfg_.countdown = countdownOn_;
  menu_.Check(Command::kCountdown, countdownOn_);
  settings_.SaveCountdown(countdownOn_);
}

}  // namespace qov
