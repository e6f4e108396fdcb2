// The stored place and method, as the location dialog edits them, and the
// engine's place and method for them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/prayer_times.h"
#include "platform/i18n.h"

namespace qov::settings {

// Member initialisers are a first run's values; for the values later
// versions added they are also what their absence means.
struct Location {
  std::string city = "Jakarta";
  double latitude = -6.15;
  double longitude = 106.816;
  double timeZone = 7;  // hours, in quarter-hour steps
  int16_t addDzuhur = 2;
  int16_t addMaghrib = 2;
  // 1 (Shafi'i and Hambali: the shadow once the object's length) or 2
  // (Hanafi: twice).
  int16_t mazhab = 1;
  double sudutFajar = 19;
  double sudutIsya = 20;
  int16_t addShubuh = 0;
  int16_t addAshar = 0;
  int16_t addIsya = 0;
  int16_t hijriCorrection = 0;  // days: a local decision on a month's start
  // The published Indonesian schedule's rules (rounding, ihtiyat, the
  // accurate sun) instead of the clock's own.
  bool kemenag = false;
  double elevation = 0;  // metres above sea level; lowers the horizon at Terbit and Maghrib
  bool followSystemZone = false;  // each time takes the system zone's offset at its instant
  engine::HighLatitudeRule highLatitude = engine::HighLatitudeRule::kAuto;
};

// Where the sun never reaches the Fajr or Isya angle: the rules one can
// choose, each stored as its position here and named by a caption in the
// dialog and a word in qov-jadwal. The clock always applies a rule, so
// "none" is qov-jadwal's alone and comes last.
struct HighLatitudeChoice {
  engine::HighLatitudeRule rule;
  const char* caption;  // null: not offered by the dialog
  const char* option;
};
inline constexpr HighLatitudeChoice kHighLatitudeChoices[] = {
    {engine::HighLatitudeRule::kAuto, N_("Otomatis"), "auto"},
    {engine::HighLatitudeRule::kMiddleOfNight, N_("Tengah malam"), "middle"},
    {engine::HighLatitudeRule::kSeventhOfNight, N_("Sepertujuh malam"), "seventh"},
    {engine::HighLatitudeRule::kTwilightAngle, N_("Sudut senja"), "angle"},
    {engine::HighLatitudeRule::kNone, nullptr, "none"},
};
inline constexpr int kStoredHighLatitudeChoices = [] {
  int n = 0;
  for (const HighLatitudeChoice& c : kHighLatitudeChoices) n += c.caption != nullptr;
  return n;
}();

// The engine's method and place for a stored location. Angles are whole
// degrees for the engine, halves to even; an Isya angle outside its range
// takes the latitude's default, as the published tables do.
engine::Place PlaceOf(const Location& l);
engine::Method MethodOf(const Location& l);

}  // namespace qov::settings
