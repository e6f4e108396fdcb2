#include "settings/settings.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/numeric.h"

namespace qov::settings {
namespace {

std::optional<float> ReadSingle(const std::string& text) {
  if (text.empty()) return std::nullopt;
  const double v = Val(text);
  if (std::fabs(v) > std::numeric_limits<float>::max()) return std::nullopt;
  return static_cast<float>(v);
}

}  // namespace

engine::Place PlaceOf(const Location& l) { return {l.latitude, l.longitude, l.timeZone, l.elevation}; }

engine::Method MethodOf(const Location& l) {
  // The Kemenag box brings the published schedule's own rules (its sun,
  // rounding, horizon, Terbit and Dhuha); the boxes still give the angles,
  // the school and the additions.
  engine::Method m = l.kemenag ? engine::KemenagMethod() : engine::Method{};
  // Whole degrees, halves to even; beyond 16 bits reads as no angle.
  m.fajrAngle = ToInt16(l.sudutFajar).value_or(0);
  const double isya = ToInt16(l.sudutIsya).value_or(0);
  m.isyaAngle = kIsyaAngle.Accepts(isya) ? isya : engine::DefaultIsyaAngle(l.latitude);
  m.mazhab = l.mazhab == 1 ? engine::Mazhab::kShafii : engine::Mazhab::kHanafi;
  m.addDzuhur = l.addDzuhur;
  m.addMaghrib = l.addMaghrib;
  m.addShubuh = l.addShubuh;
  m.addAshar = l.addAshar;
  m.addIsya = l.addIsya;
  m.highLatitudeRule = l.highLatitude;
  return m;
}

std::string Settings::Get(const Setting& s) const { return store_.Get(s.section, s.key); }

void Settings::Put(const Setting& s, const std::string& value) {
  // A failed write leaves the old value; the clock has no better answer
  // than to go on with what it shows.
  store_.Save(s.section, s.key, value);
}

bool Settings::IsFirstRun() const { return Get(kCity).empty(); }

Location Settings::WriteFirstRun() {
  const Location l;
  for (const Setting* s : kLocationSettings)
    if (s->firstRun) Put(*s, s == &kCity ? l.city : s->Text(s->field.get(l), true));
  for (const Setting* s : {&kPopDelay, &kDisplayVersion}) Put(*s, s->Text(s->absent, true));
  return l;
}

Location Settings::ReadLocation() const {
  Location l;
  for (const Setting* s : kLocationSettings) {
    if (s == &kCity)
      l.city = Get(*s);
    else
      s->field.set(l, s->Read(Get(*s)));
  }
  return l;
}

void Settings::SaveLocation(const Location& l) {
  for (const Setting* s : kLocationSettings) {
    if (s == &kCity) {
      Put(*s, l.city);
      continue;
    }
    const double v = s->field.get(l);
    // A value later versions added is written only once it differs from
    // its absence, so a store that never used it stays as it was.
    if (s->firstRun || v != s->absent || !Get(*s).empty()) Put(*s, s->Text(v));
  }
}

// 0 or unreadable is mended to the default, and stored again.
int16_t Settings::ReadMended(const Setting& s) {
  const std::optional<int16_t> v = ValInt16(Get(s));
  if (v && *v != 0) return *v;
  Put(s, s.Text(s.absent, true));
  return static_cast<int16_t>(s.absent);
}

int16_t Settings::ReadPopDelay() { return ReadMended(kPopDelay); }
void Settings::SavePopDelay(int16_t seconds) { Put(kPopDelay, kPopDelay.Text(seconds)); }

// Any other number shows neither layout, as it always has; only 1 and 2
// are ever written.
DisplayVersion Settings::ReadDisplayVersion() { return static_cast<DisplayVersion>(ReadMended(kDisplayVersion)); }

void Settings::SaveDisplayVersion(DisplayVersion v) {
  Put(kDisplayVersion, kDisplayVersion.Text(static_cast<int>(v)));
}

WindowState Settings::ReadWindow() const {
  WindowState w;
  w.top = ReadSingle(Get(kTop));
  w.left = ReadSingle(Get(kLeft));
  w.height = ReadSingle(Get(kHeight));
  w.sound = kSound.Read(Get(kSound)) != 0;
  w.analog = kAnalog.Read(Get(kAnalog)) != 0;
  w.alwaysOnTop = kAlwaysOnTop.Read(Get(kAlwaysOnTop)) != 0;
  w.fullSchedule = kFullSchedule.Read(Get(kFullSchedule)) != 0;
  const double reminder = kReminder.Read(Get(kReminder));
  for (int16_t c : kReminderChoices)
    if (c == reminder) w.reminderMinutes = c;
  return w;
}

void Settings::SavePosition(float top, float left) {
  Put(kTop, kTop.Text(top));
  Put(kLeft, kLeft.Text(left));
}

void Settings::SaveHeight(float height) { Put(kHeight, kHeight.Text(height)); }
void Settings::SaveAnalog(bool on) { Put(kAnalog, kAnalog.Text(on)); }
void Settings::SaveAlwaysOnTop(bool on) { Put(kAlwaysOnTop, kAlwaysOnTop.Text(on)); }
void Settings::SaveSound(bool on) { Put(kSound, kSound.Text(on)); }
void Settings::SaveFullSchedule(bool on) { Put(kFullSchedule, kFullSchedule.Text(on)); }
void Settings::SaveReminder(int16_t minutes) { Put(kReminder, kReminder.Text(minutes)); }

std::optional<std::vector<int16_t>> ParseLeads(const std::string& text) {
  std::vector<int16_t> leads;
  size_t from = 0;
  bool only = true;  // a lone "0" means none
  while (from <= text.size()) {
    size_t comma = text.find(',', from);
    if (comma == std::string::npos) comma = text.size();
    const std::string part = text.substr(from, comma - from);
    from = comma + 1;
    const size_t b = part.find_first_not_of(" \t"), e = part.find_last_not_of(" \t");
    if (b == std::string::npos) {
      if (comma < text.size() || !leads.empty()) return std::nullopt;  // an empty part between commas
      continue;
    }
    const std::string digits = part.substr(b, e - b + 1);
    if (digits.size() > 3 || digits.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
    const int v = std::stoi(digits);
    if (v == 0 && only && comma == text.size()) break;
    only = false;
    if (v < 1 || v > kMaxLead) return std::nullopt;
    leads.push_back(static_cast<int16_t>(v));
  }
  std::sort(leads.begin(), leads.end(), std::greater<>());
  leads.erase(std::unique(leads.begin(), leads.end()), leads.end());
  return leads;
}

std::string LeadsText(const std::vector<int16_t>& leads) {
  if (leads.empty()) return "0";
  std::string text;
  for (int16_t m : leads) text += (text.empty() ? "" : ",") + std::to_string(m);
  return text;
}

AlertSettings Settings::ReadAlerts() const {
  // A value with no number in it reads as its absence, not as 0.
  auto number = [this](const Setting& s) {
    const std::string text = Get(s);
    return HasNumber(text) ? s.Read(text) : s.absent;
  };
  AlertSettings a;
  for (int i = 0; i < kAlertTimes; ++i)
    a.choice[static_cast<size_t>(i)] = static_cast<AlertChoice>(number(kAlertChoices[i]));
  for (int i = 0; i <= kAlertTimes; ++i) {
    const std::string text = Get(kLeads[i]);
    // Unreadable reads as absent: the clock reminds as it did before.
    if (!text.empty()) a.leads[static_cast<size_t>(i)] = ParseLeads(text);
  }
  a.adzanFile = Get(kAdzanFile);
  a.shubuhFile = Get(kShubuhFile);
  a.volume = static_cast<int16_t>(number(kVolume));
  const double until = number(kMuteUntil);
  a.muteUntil = std::isfinite(until) ? until : 0;
  a.countdown = kCountdown.Read(Get(kCountdown)) != 0;
  return a;
}

void Settings::SaveAlerts(const AlertSettings& a) {
  auto put = [this](const Setting& s, const std::string& text, bool differs) {
    if (differs || !Get(s).empty()) Put(s, text);
  };
  for (int i = 0; i < kAlertTimes; ++i) {
    const Setting& s = kAlertChoices[i];
    const double v = static_cast<double>(a.choice[static_cast<size_t>(i)]);
    put(s, s.Text(v), v != s.absent);
  }
  for (int i = 0; i <= kAlertTimes; ++i) {
    const auto& leads = a.leads[static_cast<size_t>(i)];
    put(kLeads[i], leads ? LeadsText(*leads) : std::string(), leads.has_value());
  }
  put(kAdzanFile, a.adzanFile, !a.adzanFile.empty());
  put(kShubuhFile, a.shubuhFile, !a.shubuhFile.empty());
  put(kVolume, kVolume.Text(a.volume), a.volume != kVolume.absent);
}

void Settings::SaveMuteUntil(double until) { Put(kMuteUntil, kMuteUntil.Text(until)); }
void Settings::SaveCountdown(bool on) { Put(kCountdown, kCountdown.Text(on)); }

}  // namespace qov::settings
