// Every stored value, one row each: where it is stored, its type and text
// form, the range a typed value must lie in, its first-run value and what
// its absence means. The store, the location dialog and qov-jadwal take
// their rules from here, so they cannot disagree.
#pragma once

#include <cstdint>
#include <string>
#include <type_traits>
#include <utility>

#include "engine/numeric.h"
#include "platform/i18n.h"
#include "settings/location.h"

namespace qov::settings {

enum class Type {
  kText,
  kNumber,  // a double
  kWhole,   // rounded half to even into 16 bits
  kZone,    // hours: stored values read as the nearest quarter hour
  kFlag,    // 0 off, any other number on
  kSingle,  // single precision: window geometry
};

// How a save writes the value. A first run writes the signed-blank form.
enum class TextForm {
  kSignedBlank,  // " 2", "-6.15", " .5"
  kPlain,        // "2", "-6.2": what a dialog box shows
  kFlag,         // "-1" on, "0" off
  kText,
};

// What a stored value outside the range reads as.
enum class Beyond {
  kKept,    // as stored
  kHeld,    // the nearest end
  kAbsent,  // what the value's absence means
};

struct Range {
  double min = -32768, max = 32767;  // by default the 16 bits of a whole value
  bool open = false;                 // min and max themselves excluded
  double step = 0;                   // a typed value lies on a multiple of it
};

// Reads and writes a Location field as a number.
struct Field {
  double (*get)(const Location&) = nullptr;
  void (*set)(Location&, double) = nullptr;
};

// A whole field takes a typed value rounded half to even, as the store's
// reader rounds; the value has passed its row's check.
template <auto Member>
constexpr Field FieldOf() {
  using T = std::remove_cvref_t<decltype(std::declval<Location&>().*Member)>;
  return {[](const Location& l) { return static_cast<double>(l.*Member); },
          [](Location& l, double v) {
            if constexpr (std::is_same_v<T, int16_t>)
              l.*Member = ToInt16(v).value_or(0);
            else
              l.*Member = static_cast<T>(v);
          }};
}

struct Setting {
  const char* section;
  const char* key;
  Type type;
  TextForm form = TextForm::kSignedBlank;
  Range range = {};
  bool firstRun = false;  // written by a first run: the Location's initialiser, else `absent`
  double absent = 0;      // what an absent or unreadable value means
  Beyond beyond = Beyond::kKept;
  // The location dialog: the caption's name for a refused box ("Lokasi -
  // Fajar salah"), and the box's label and unit for the message.
  const char* hint = nullptr;
  const char* label = nullptr;
  const char* unit = nullptr;
  Field field = {};

  // Whether a typed value may be stored: within the range (a whole value
  // once rounded) and on its step.
  bool Accepts(double v) const { return InRange(v) && OnStep(v); }
  bool InRange(double v) const;
  bool OnStep(double v) const;
  // A stored text as the value it means.
  double Read(const std::string& stored) const;
  // The value in the row's text form; `firstRun` gives the signed-blank one.
  std::string Text(double v, bool firstRun = false) const;
};

// The dialog's message for a refused box: "Sudut Fajar harus antara 10 dan
// 25 derajat."
std::string RefusalMessage(const Setting& s);

inline constexpr const char* kLokasi = "Lokasi";
inline constexpr const char* kPosisiWindow = "PosisiWindow";

// ---- "Lokasi", in the order a first run writes them

inline constexpr Setting kAddDzuhur{.section = kLokasi, .key = "AddDhuhur", .type = Type::kWhole,
                                    .form = TextForm::kPlain, .firstRun = true, .hint = "Dzhuhur",
                                    .label = "+ Dzhuhur", .unit = "menit", .field = FieldOf<&Location::addDzuhur>()};
inline constexpr Setting kAddMaghrib{.section = kLokasi, .key = "AddMaghrib", .type = Type::kWhole,
                                     .form = TextForm::kPlain, .firstRun = true, .hint = "Maghrib",
                                     .label = "+ Maghrib", .unit = "menit", .field = FieldOf<&Location::addMaghrib>()};
// The engine takes any school but Shafi'i's single shadow as Hanafi's
// double one; reading it so keeps the dialog honest about what is used.
inline constexpr Setting kMazhab{.section = kLokasi, .key = "MazhabAshar", .type = Type::kWhole,
                                 .form = TextForm::kPlain, .range = {1, 2}, .firstRun = true, .absent = 2,
                                 .beyond = Beyond::kAbsent, .field = FieldOf<&Location::mazhab>()};
// Angles that give a meaningful twilight: below 10 degrees the sky is
// already bright (Shubuh would come out near sunrise); no method in use goes
// beyond 25 for Fajr, and the engine takes Isya angles from 10 to 20 only.
inline constexpr Setting kFajrAngle{.section = kLokasi, .key = "sudutFajar", .type = Type::kNumber,
                                    .form = TextForm::kPlain, .range = {10, 25}, .firstRun = true, .hint = "Fajar",
                                    .label = "Sudut Fajar", .unit = "derajat", .field = FieldOf<&Location::sudutFajar>()};
inline constexpr Setting kIsyaAngle{.section = kLokasi, .key = "sudutIsya", .type = Type::kNumber,
                                    .form = TextForm::kPlain, .range = {10, 20}, .firstRun = true, .hint = "Isya",
                                    .label = "Sudut Isya", .unit = "derajat", .field = FieldOf<&Location::sudutIsya>()};
// A blank name would read as a first run at the next start, which would
// overwrite the place with Jakarta's.
inline constexpr Setting kCity{.section = kLokasi, .key = "Kota", .type = Type::kText, .form = TextForm::kText,
                               .firstRun = true, .hint = "Kota", .label = "Kota"};
inline constexpr Setting kLatitude{.section = kLokasi, .key = "LAT", .type = Type::kNumber, .form = TextForm::kPlain,
                                   .range = {-90, 90, true}, .firstRun = true, .hint = "Lat", .label = "Lat",
                                   .unit = "derajat", .field = FieldOf<&Location::latitude>()};
inline constexpr Setting kLongitude{.section = kLokasi, .key = "LONG", .type = Type::kNumber, .form = TextForm::kPlain,
                                    .range = {-180, 180}, .firstRun = true, .hint = "Long", .label = "Long",
                                    .unit = "derajat", .field = FieldOf<&Location::longitude>()};
// Zones lie in quarter-hour steps (India 5.5, Nepal 5.75).
inline constexpr Setting kTimeZone{.section = kLokasi, .key = "Time ZOne", .type = Type::kZone,
                                   .form = TextForm::kPlain, .range = {-12, 14, false, 0.25}, .firstRun = true,
                                   .hint = "Gmt", .label = "Gmt", .unit = "jam", .field = FieldOf<&Location::timeZone>()};
// 0 or unreadable is mended to the absent value, and stored again.
inline constexpr Setting kPopDelay{.section = kLokasi, .key = "Pop Delay", .type = Type::kWhole,
                                   .form = TextForm::kPlain, .firstRun = true, .absent = 5};
inline constexpr int16_t kDefaultPopDelay = static_cast<int16_t>(kPopDelay.absent);
inline constexpr Setting kDisplayVersion{.section = kLokasi, .key = "Versi Display", .type = Type::kWhole,
                                         .form = TextForm::kSignedBlank, .firstRun = true, .absent = 1};

// Values later versions added: a first run never writes them, and the
// dialog's OK only once they differ from their absence or are stored.
inline constexpr Setting kAddShubuh{.section = kLokasi, .key = "AddShubuh", .type = Type::kWhole,
                                    .form = TextForm::kSignedBlank, .hint = "Shubuh", .label = "+ Shubuh",
                                    .unit = "menit", .field = FieldOf<&Location::addShubuh>()};
inline constexpr Setting kAddAshar{.section = kLokasi, .key = "AddAshar", .type = Type::kWhole,
                                   .form = TextForm::kSignedBlank, .hint = "Ashar", .label = "+ Ashar",
                                   .unit = "menit", .field = FieldOf<&Location::addAshar>()};
inline constexpr Setting kAddIsya{.section = kLokasi, .key = "AddIsya", .type = Type::kWhole,
                                  .form = TextForm::kSignedBlank, .hint = "Isya", .label = "+ Isya", .unit = "menit",
                                  .field = FieldOf<&Location::addIsya>()};
// A month's start moves by whole days, and by no more than two.
inline constexpr Setting kHijriCorrection{.section = kLokasi, .key = "Koreksi Hijriah", .type = Type::kWhole,
                                          .form = TextForm::kSignedBlank, .range = {-2, 2, false, 1},
                                          .beyond = Beyond::kHeld, .hint = "Hijriah", .label = "Koreksi Hijriah",
                                          .unit = "hari", .field = FieldOf<&Location::hijriCorrection>()};
// 1: the published Indonesian schedule's rules.
inline constexpr Setting kMethod{.section = kLokasi, .key = "Metode", .type = Type::kWhole,
                                 .form = TextForm::kSignedBlank, .range = {0, 1}, .beyond = Beyond::kAbsent,
                                 .field = FieldOf<&Location::kemenag>()};
// Stored as the rule's position among the dialog's choices.
inline constexpr Setting kHighLatitude{
    .section = kLokasi, .key = "Lintang Tinggi", .type = Type::kWhole, .form = TextForm::kSignedBlank,
    .range = {0, kStoredHighLatitudeChoices - 1}, .beyond = Beyond::kAbsent,
    .field = {[](const Location& l) {
                for (int i = 0; i < kStoredHighLatitudeChoices; ++i)
                  if (kHighLatitudeChoices[i].rule == l.highLatitude) return static_cast<double>(i);
                return 0.0;
              },
              [](Location& l, double v) { l.highLatitude = kHighLatitudeChoices[static_cast<int>(v)].rule; }}};
// From the Dead Sea's shore (-430 m) to above the highest towns (about
// 5100 m).
inline constexpr Setting kElevation{.section = kLokasi, .key = "Ketinggian", .type = Type::kNumber,
                                    .form = TextForm::kSignedBlank, .range = {-500, 6000}, .beyond = Beyond::kAbsent,
                                    .hint = "Tinggi", .label = "Ketinggian", .unit = "meter",
                                    .field = FieldOf<&Location::elevation>()};
inline constexpr Setting kFollowSystemZone{.section = kLokasi, .key = "Ikuti Zona Windows", .type = Type::kFlag,
                                           .form = TextForm::kFlag, .field = FieldOf<&Location::followSystemZone>()};

// The Location's values in the order they are written.
inline constexpr const Setting* kLocationSettings[] = {
    &kAddDzuhur, &kAddMaghrib, &kMazhab,   &kFajrAngle,       &kIsyaAngle, &kCity,          &kLatitude,
    &kLongitude, &kTimeZone,   &kAddShubuh, &kAddAshar,       &kAddIsya,   &kHijriCorrection, &kMethod,
    &kHighLatitude, &kElevation, &kFollowSystemZone};

// ---- "PosisiWindow": the window's place, height and switches

inline constexpr Setting kTop{.section = kPosisiWindow, .key = "Top", .type = Type::kSingle};
inline constexpr Setting kLeft{.section = kPosisiWindow, .key = "Left", .type = Type::kSingle};
inline constexpr Setting kHeight{.section = kPosisiWindow, .key = "Panjang", .type = Type::kSingle};
// Never stored by a first run: absent, each is the first run's state.
inline constexpr Setting kSound{.section = kPosisiWindow, .key = "Suara Adzhan", .type = Type::kFlag,
                                .form = TextForm::kFlag};
inline constexpr Setting kAnalog{.section = kPosisiWindow, .key = "Analog", .type = Type::kFlag,
                                 .form = TextForm::kFlag, .absent = 1};
inline constexpr Setting kAlwaysOnTop{.section = kPosisiWindow, .key = "AOT", .type = Type::kFlag,
                                      .form = TextForm::kFlag, .absent = 1};
inline constexpr Setting kFullSchedule{.section = kPosisiWindow, .key = "Jadwal Lengkap", .type = Type::kFlag,
                                       .form = TextForm::kFlag};
// Minutes before each prayer; only the menu's choices, anything else is off.
inline constexpr Setting kReminder{.section = kPosisiWindow, .key = "Pengingat", .type = Type::kWhole};
inline constexpr int16_t kReminderChoices[] = {0, 5, 10, 15, 30};

// ---- "PosisiWindow": the alerts the user sets in "Pengaturan Adzan"

// What happens at a time of the day, stored as its number.
enum class AlertChoice : int8_t { kOff = 0, kNotification = 1, kChime = 2, kAdzan = 3 };
inline constexpr const char* kAlertChoiceNames[] = {N_("Mati"), N_("Notifikasi"), N_("Bunyi"), N_("Adzan")};
// The times that may alert, in the day's order; the reminder leads have
// one more, Friday's Dzuhur.
inline constexpr int kAlertTimes = 7;
inline constexpr int kJumat = kAlertTimes;
inline constexpr const char* kAlertTimeNames[kAlertTimes + 1] = {N_("Imsak"),  N_("Shubuh"),  N_("Terbit"),
                                                                 N_("Dzuhur"), N_("Ashar"),   N_("Maghrib"),
                                                                 N_("Isya"),   N_("Jumat")};
// Absent: the five prayers alert with the adzan (when "Suara Adzhan" is
// on), Imsak and Terbit not at all.
#define QOV_ALERT_CHOICE(name, none)                                                                   \
  Setting {                                                                                            \
    .section = kPosisiWindow, .key = "Aksi " name, .type = Type::kWhole, .range = {0, 3}, .absent = none, \
    .beyond = Beyond::kAbsent                                                                          \
  }
inline constexpr Setting kAlertChoices[kAlertTimes] = {
    QOV_ALERT_CHOICE("Imsak", 0), QOV_ALERT_CHOICE("Shubuh", 3),  QOV_ALERT_CHOICE("Terbit", 0),
    QOV_ALERT_CHOICE("Dzuhur", 3), QOV_ALERT_CHOICE("Ashar", 3), QOV_ALERT_CHOICE("Maghrib", 3),
    QOV_ALERT_CHOICE("Isya", 3)};
#undef QOV_ALERT_CHOICE
// Minutes before the time, "30,10"; "0" is none. Absent (or unreadable):
// the "Pengingat" choice for the five, none for Imsak and Terbit, Dzuhur's
// for Jumat.
#define QOV_LEADS(name) \
  Setting { .section = kPosisiWindow, .key = "Pengingat " name, .type = Type::kText, .form = TextForm::kText }
inline constexpr Setting kLeads[kAlertTimes + 1] = {QOV_LEADS("Imsak"),   QOV_LEADS("Shubuh"), QOV_LEADS("Terbit"),
                                                    QOV_LEADS("Dzuhur"),  QOV_LEADS("Ashar"),  QOV_LEADS("Maghrib"),
                                                    QOV_LEADS("Isya"),    QOV_LEADS("Jumat")};
#undef QOV_LEADS
inline constexpr int16_t kMaxLead = 120;
// The user's sound files; absent or empty: adzhan.wav beside the program,
// and for Shubuh the adzan file.
inline constexpr Setting kAdzanFile{.section = kPosisiWindow, .key = "File Adzan", .type = Type::kText,
                                    .form = TextForm::kText};
inline constexpr Setting kShubuhFile{.section = kPosisiWindow, .key = "File Adzan Shubuh", .type = Type::kText,
                                     .form = TextForm::kText};
inline constexpr Setting kVolume{.section = kPosisiWindow, .key = "Volume Adzan", .type = Type::kWhole,
                                 .range = {0, 100, false, 1}, .absent = 100, .beyond = Beyond::kHeld,
                                 .label = "Volume"};
// The date-time the mute ends; absent, 0 or past: sound as set.
inline constexpr Setting kMuteUntil{.section = kPosisiWindow, .key = "Bisukan Sampai", .type = Type::kNumber};
inline constexpr Setting kCountdown{.section = kPosisiWindow, .key = "Hitung Mundur", .type = Type::kFlag,
                                    .form = TextForm::kFlag};
// The language's code, "id" or "en"; absent or unknown: Indonesian.
inline constexpr Setting kLanguage{.section = kPosisiWindow, .key = "Bahasa", .type = Type::kText,
                                   .form = TextForm::kText};

}  // namespace qov::settings
