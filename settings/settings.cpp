#include "settings/settings.h"

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

}  // namespace qov::settings
