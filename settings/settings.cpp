#include "settings/settings.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/numeric.h"

namespace qov::settings {
namespace {

// The store's sections and keys: the names existing stores hold.
constexpr const char* kLokasi = "Lokasi";
constexpr const char* kPosisiWindow = "PosisiWindow";

constexpr const char* kKota = "Kota";
constexpr const char* kLat = "LAT";
constexpr const char* kLong = "LONG";
constexpr const char* kTimeZone = "Time ZOne";
constexpr const char* kAddDhuhur = "AddDhuhur";
constexpr const char* kAddMaghrib = "AddMaghrib";
constexpr const char* kMazhabAshar = "MazhabAshar";
constexpr const char* kSudutFajar = "sudutFajar";
constexpr const char* kSudutIsya = "sudutIsya";
constexpr const char* kPopDelay = "Pop Delay";
constexpr const char* kVersiDisplay = "Versi Display";
constexpr const char* kAddShubuh = "AddShubuh";
constexpr const char* kAddAshar = "AddAshar";
constexpr const char* kAddIsya = "AddIsya";
constexpr const char* kKoreksiHijriah = "Koreksi Hijriah";
constexpr const char* kMetode = "Metode";
constexpr const char* kKetinggian = "Ketinggian";
constexpr const char* kIkutiZona = "Ikuti Zona Windows";
constexpr const char* kLintangTinggi = "Lintang Tinggi";
constexpr int16_t kMetodeKemenag = 1;

constexpr const char* kTop = "Top";
constexpr const char* kLeft = "Left";
constexpr const char* kPanjang = "Panjang";
constexpr const char* kSuaraAdzhan = "Suara Adzhan";
constexpr const char* kAnalog = "Analog";
constexpr const char* kAot = "AOT";
constexpr const char* kJadwalLengkap = "Jadwal Lengkap";
constexpr const char* kPengingat = "Pengingat";

constexpr const char* kFlagOn = "-1";
constexpr const char* kFlagOff = "0";

// A stored number that does not fit its 16-bit field leaves the field as
// it was.
void Read16(int16_t& field, const std::string& text) {
  if (auto v = ValInt16(text)) field = *v;
}

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
  m.isyaAngle = IsyaAngleOk(isya) ? isya : engine::DefaultIsyaAngle(l.latitude);
  m.mazhab = l.mazhab == 1 ? engine::Mazhab::kShafii : engine::Mazhab::kHanafi;
  m.addDzuhur = l.addDzuhur;
  m.addMaghrib = l.addMaghrib;
  m.addShubuh = l.addShubuh;
  m.addAshar = l.addAshar;
  m.addIsya = l.addIsya;
  static constexpr engine::HighLatitudeRule kRules[] = {
      engine::HighLatitudeRule::kAuto, engine::HighLatitudeRule::kMiddleOfNight,
      engine::HighLatitudeRule::kSeventhOfNight, engine::HighLatitudeRule::kTwilightAngle};
  m.highLatitudeRule = kRules[static_cast<size_t>(l.highLatitude)];
  return m;
}

std::string Settings::Get(const char* section, const char* key) const { return store_.Get(section, key); }

void Settings::Put(const char* section, const char* key, const std::string& value) {
  // A failed write leaves the old value; the clock has no better answer
  // than to go on with what it shows.
  store_.Save(section, key, value);
}

bool Settings::IsFirstRun() const { return Get(kLokasi, kKota).empty(); }

Location Settings::WriteFirstRun() {
  const Location l;
  Put(kLokasi, kAddDhuhur, SignedBlank(l.addDzuhur));
  Put(kLokasi, kAddMaghrib, SignedBlank(l.addMaghrib));
  Put(kLokasi, kMazhabAshar, SignedBlank(l.mazhab));
  Put(kLokasi, kSudutFajar, SignedBlank(l.sudutFajar));
  Put(kLokasi, kSudutIsya, SignedBlank(l.sudutIsya));
  Put(kLokasi, kKota, l.city);
  Put(kLokasi, kLat, SignedBlank(l.latitude));
  Put(kLokasi, kLong, SignedBlank(l.longitude));
  Put(kLokasi, kTimeZone, SignedBlank(l.timeZone));
  Put(kLokasi, kPopDelay, SignedBlank(kDefaultPopDelay));
  Put(kLokasi, kVersiDisplay, SignedBlank(static_cast<int>(DisplayVersion::kFace)));
  return l;
}

Location Settings::ReadLocation() const {
  Location l;
  l.city = Get(kLokasi, kKota);
  l.latitude = Val(Get(kLokasi, kLat));
  l.longitude = Val(Get(kLokasi, kLong));
  // The fields start from 0, as a store that lacks them always read.
  l.timeZone = 0;
  l.addDzuhur = l.addMaghrib = l.mazhab = 0;
  if (auto zone = ReadZone(Get(kLokasi, kTimeZone))) l.timeZone = *zone;
  Read16(l.addMaghrib, Get(kLokasi, kAddMaghrib));
  Read16(l.addDzuhur, Get(kLokasi, kAddDhuhur));
  Read16(l.mazhab, Get(kLokasi, kMazhabAshar));
  // The engine takes any school but Shafi'i's single shadow as Hanafi's
  // double one; reading it so keeps the dialog honest about what is used.
  if (l.mazhab != 1) l.mazhab = 2;
  l.sudutFajar = Val(Get(kLokasi, kSudutFajar));
  l.sudutIsya = Val(Get(kLokasi, kSudutIsya));
  Read16(l.addShubuh, Get(kLokasi, kAddShubuh));
  Read16(l.addAshar, Get(kLokasi, kAddAshar));
  Read16(l.addIsya, Get(kLokasi, kAddIsya));
  // A hand-edited correction beyond the range is held to it.
  int16_t correction = 0;
  Read16(correction, Get(kLokasi, kKoreksiHijriah));
  l.hijriCorrection = static_cast<int16_t>(std::clamp<int>(correction, -kMaxHijriCorrection, kMaxHijriCorrection));
  int16_t method = 0;
  Read16(method, Get(kLokasi, kMetode));
  l.kemenag = method == kMetodeKemenag;
  const double elevation = Val(Get(kLokasi, kKetinggian));
  l.elevation = ElevationOk(elevation) ? elevation : 0;
  l.followSystemZone = Val(Get(kLokasi, kIkutiZona)) != 0;
  int16_t rule = 0;
  Read16(rule, Get(kLokasi, kLintangTinggi));
  // An unknown rule reads as the automatic choice.
  if (rule >= 0 && rule <= static_cast<int16_t>(HighLatitude::kTwilightAngle)) l.highLatitude = static_cast<HighLatitude>(rule);
  return l;
}

void Settings::SaveLocation(const Location& l) {
  Put(kLokasi, kKota, l.city);
  Put(kLokasi, kLat, PlainNumber(l.latitude));
  Put(kLokasi, kLong, PlainNumber(l.longitude));
  Put(kLokasi, kTimeZone, PlainNumber(l.timeZone));
  Put(kLokasi, kAddDhuhur, PlainInt(l.addDzuhur));
  Put(kLokasi, kAddMaghrib, PlainInt(l.addMaghrib));
  Put(kLokasi, kMazhabAshar, PlainInt(l.mazhab));
  Put(kLokasi, kSudutFajar, PlainNumber(l.sudutFajar));
  Put(kLokasi, kSudutIsya, PlainNumber(l.sudutIsya));
  // The new values are written only once they differ from what their
  // absence means, so a store that never used them stays as it was.
  const Location before = ReadLocation();
  auto putNew = [&](const char* key, int16_t now, int16_t was) {
    if (now != was || !Get(kLokasi, key).empty()) Put(kLokasi, key, SignedBlank(now));
  };
  putNew(kAddShubuh, l.addShubuh, before.addShubuh);
  putNew(kAddAshar, l.addAshar, before.addAshar);
  putNew(kAddIsya, l.addIsya, before.addIsya);
  putNew(kKoreksiHijriah, l.hijriCorrection, before.hijriCorrection);
  putNew(kMetode, l.kemenag ? kMetodeKemenag : 0, before.kemenag ? kMetodeKemenag : 0);
  putNew(kLintangTinggi, static_cast<int16_t>(l.highLatitude), static_cast<int16_t>(before.highLatitude));
  if (l.elevation != before.elevation || !Get(kLokasi, kKetinggian).empty())
    Put(kLokasi, kKetinggian, SignedBlank(l.elevation));
  if (l.followSystemZone != before.followSystemZone || !Get(kLokasi, kIkutiZona).empty())
    Put(kLokasi, kIkutiZona, l.followSystemZone ? kFlagOn : kFlagOff);
}

int16_t Settings::ReadPopDelay() {
  int16_t delay = 0;
  Read16(delay, Get(kLokasi, kPopDelay));
  if (delay == 0) {
    delay = kDefaultPopDelay;
    Put(kLokasi, kPopDelay, SignedBlank(delay));
  }
  return delay;
}

void Settings::SavePopDelay(int16_t seconds) { Put(kLokasi, kPopDelay, PlainInt(seconds)); }

DisplayVersion Settings::ReadDisplayVersion() {
  int16_t v = 0;
  Read16(v, Get(kLokasi, kVersiDisplay));
  if (v == 0) {
    v = static_cast<int16_t>(DisplayVersion::kFace);
    Put(kLokasi, kVersiDisplay, SignedBlank(v));
  }
  // Any other number shows neither layout, as it always has; only 1 and 2
  // are ever written.
  return static_cast<DisplayVersion>(v);
}

void Settings::SaveDisplayVersion(DisplayVersion v) {
  Put(kLokasi, kVersiDisplay, SignedBlank(static_cast<int>(v)));
}

WindowState Settings::ReadWindow() const {
  WindowState w;
  w.top = ReadSingle(Get(kPosisiWindow, kTop));
  w.left = ReadSingle(Get(kPosisiWindow, kLeft));
  w.height = ReadSingle(Get(kPosisiWindow, kPanjang));
  // A switch that was never stored keeps the state the first run showed.
  const std::string sound = Get(kPosisiWindow, kSuaraAdzhan);
  w.sound = !sound.empty() && Val(sound) != 0;
  const std::string analog = Get(kPosisiWindow, kAnalog);
  w.analog = analog.empty() || Val(analog) != 0;
  const std::string aot = Get(kPosisiWindow, kAot);
  w.alwaysOnTop = aot.empty() || Val(aot) != 0;
  w.fullSchedule = Val(Get(kPosisiWindow, kJadwalLengkap)) != 0;
  // Only the menu's choices; anything else is off.
  int16_t reminder = 0;
  Read16(reminder, Get(kPosisiWindow, kPengingat));
  for (int16_t c : kReminderChoices)
    if (c == reminder) w.reminderMinutes = c;
  return w;
}

void Settings::SavePosition(float top, float left) {
  Put(kPosisiWindow, kTop, SignedBlank(top, 7));
  Put(kPosisiWindow, kLeft, SignedBlank(left, 7));
}

void Settings::SaveHeight(float height) { Put(kPosisiWindow, kPanjang, SignedBlank(height, 7)); }
void Settings::SaveAnalog(bool on) { Put(kPosisiWindow, kAnalog, on ? kFlagOn : kFlagOff); }
void Settings::SaveAlwaysOnTop(bool on) { Put(kPosisiWindow, kAot, on ? kFlagOn : kFlagOff); }
void Settings::SaveSound(bool on) { Put(kPosisiWindow, kSuaraAdzhan, on ? kFlagOn : kFlagOff); }
void Settings::SaveFullSchedule(bool on) { Put(kPosisiWindow, kJadwalLengkap, on ? kFlagOn : kFlagOff); }
void Settings::SaveReminder(int16_t minutes) { Put(kPosisiWindow, kPengingat, SignedBlank(minutes)); }

}  // namespace qov::settings
