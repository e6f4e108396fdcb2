// The settings the clock keeps between runs, typed. This module alone knows
// the stored key names, their text forms, the one lenient reader, the range
// rules and the first-run defaults; the clock and qov-jadwal share it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "engine/prayer_times.h"
#include "platform/services.h"

namespace qov::settings {

// ---- ranges and defaults, stated once

inline constexpr double kMinLatitude = -90, kMaxLatitude = 90;  // both excluded
inline constexpr double kMinLongitude = -180, kMaxLongitude = 180;
inline constexpr double kMinZone = -12, kMaxZone = 14;
// Angles that give a meaningful twilight: below 10 degrees the sky is
// already bright (Shubuh would come out near sunrise); no method in use goes
// beyond 25 for Fajr, and the engine takes Isya angles from 10 to 20 only.
inline constexpr double kMinFajr = 10, kMaxFajr = 25;
inline constexpr double kMinIsya = 10, kMaxIsya = 20;
inline constexpr int kDefaultPopDelay = 5;

// Where the sun never reaches the Fajr or Isya angle: the share of the
// night the time comes from. Automatic: a seventh of the night above 48
// degrees of latitude, the middle of the night below.
enum class HighLatitude : int16_t { kAuto = 0, kMiddleOfNight = 1, kSeventhOfNight = 2, kTwilightAngle = 3 };

// The stored place and method, as the location dialog edits them.
struct Location {
  std::string city = "Jakarta";
  double latitude = -6.15;
  double longitude = 106.816;
  double timeZone = 7;  // hours, in quarter-hour steps
  int16_t addDzuhur = 2;
  int16_t addMaghrib = 2;
  // 1 (Shafi'i and Hambali: the shadow once the object's length) or 2
  // (Hanafi: twice); a stored value outside these reads as 2, the factor
  // the engine has always used for it.
  int16_t mazhab = 1;
  double sudutFajar = 19;
  double sudutIsya = 20;
  // Values later versions added; absent from a store, each reads as what
  // the clock did before it existed.
  int16_t addShubuh = 0;
  int16_t addAshar = 0;
  int16_t addIsya = 0;
  int16_t hijriCorrection = 0;  // days, -2..2: a local decision on a month's start
  // The published Indonesian schedule's rules (rounding, ihtiyat, the
  // accurate sun) instead of the clock's own.
  bool kemenag = false;
  double elevation = 0;  // metres above sea level; lowers the horizon at Terbit and Maghrib
  bool followSystemZone = false;  // each time takes the system zone's offset at its instant
  HighLatitude highLatitude = HighLatitude::kAuto;
};

enum class DisplayVersion : int16_t { kFace = 1, kStrip = 2 };

// What the window keeps: place on the screen, height and switches. A value
// that was never stored is empty.
struct WindowState {
  std::optional<float> top, left, height;
  bool analog = true;       // never stored: the first run's face with hands
  bool alwaysOnTop = true;  // never stored: the first run's topmost window
  bool sound = false;
  bool fullSchedule = false;     // the panel lists Imsak, Terbit and Dhuha too
  int16_t reminderMinutes = 0;   // a notification that long before each prayer; 0: none
};

// The engine's method and place for a stored location. Angles are whole
// degrees for the engine, halves to even; an Isya angle outside 10..20
// takes the latitude's default, as the published tables do.
engine::Place PlaceOf(const Location& l);
engine::Method MethodOf(const Location& l);

class Settings {
 public:
  explicit Settings(SettingsStore& store) : store_(store) {}

  // A store without "Kota" has never run the clock (or was never completed).
  bool IsFirstRun() const;
  // Writes the first run's place, method, pop delay and display version, in
  // the signed-blank form, and returns them.
  Location WriteFirstRun();

  // The stored location; a number that does not fit its field keeps the
  // default's value.
  Location ReadLocation() const;
  // What the location dialog's OK stores, in the dialog's plain text form.
  void SaveLocation(const Location& l);

  // The pop-up delay in seconds; 0 or unreadable is mended to the default
  // (stored again).
  int16_t ReadPopDelay();
  void SavePopDelay(int16_t seconds);

  // The display version; 0 or unreadable is mended to the face (stored).
  DisplayVersion ReadDisplayVersion();
  void SaveDisplayVersion(DisplayVersion v);

  WindowState ReadWindow() const;
  void SavePosition(float top, float left);
  void SaveHeight(float height);
  void SaveAnalog(bool on);
  void SaveAlwaysOnTop(bool on);
  void SaveSound(bool on);
  void SaveFullSchedule(bool on);
  void SaveReminder(int16_t minutes);

 private:
  std::string Get(const char* section, const char* key) const;
  void Put(const char* section, const char* key, const std::string& value);

  SettingsStore& store_;
};

// ---- text forms and the readers

// Signed-blank form: a leading blank unless negative, "." as separator, no
// trailing zeros, no zero before the point (" 2", "-6.15", " .5").
// `digits` significant digits: 15 for doubles, 7 for window geometry.
std::string SignedBlank(double v, int digits = 15);
// Plain integer: decimal digits, "-" when negative, no blank.
std::string PlainInt(long v);
// Plain number with up to 15 significant digits, no leading blank: what a
// dialog box shows ("-6.2", "7").
std::string PlainNumber(double v);

// The lenient reader: blanks, tabs and line feeds anywhere are ignored; the
// longest leading decimal number (sign, digits, point, fraction, exponent
// after E or D; or &H / &O followed by hex or octal digits) is taken and the
// rest ignored; no number gives 0. Never fails: an overflowing exponent
// gives 0 too, so a hand-edited value cannot poison arithmetic.
double Val(const std::string& text);
// Whether Val finds a number at all (as opposed to reading 0 for none).
bool HasNumber(const std::string& text);
// Val rounded to 16 bits, halves to even; nullopt on overflow.
std::optional<int16_t> ValInt16(const std::string& text);

// Strict reading of a dialog box or an option: the whole text (blanks
// around allowed) must be one decimal number; nullopt otherwise.
std::optional<double> StrictNumber(const std::string& text);

// Range rules shared by the dialog and qov-jadwal.
inline bool LatitudeOk(double v) { return v > kMinLatitude && v < kMaxLatitude; }
inline bool LongitudeOk(double v) { return v >= kMinLongitude && v <= kMaxLongitude; }
// Zones lie in quarter-hour steps (India 5.5, Nepal 5.75).
inline bool ZoneInRange(double v) { return v >= kMinZone && v <= kMaxZone; }
inline bool ZoneOk(double v) { return ZoneInRange(v) && v * 4 == static_cast<int>(v * 4); }
// A stored or listed zone: the nearest quarter hour, so a whole number
// reads as it always did and "5.5" as 5.5; nullopt beyond any zone's range
// of 16 bits, as before.
std::optional<double> ReadZone(const std::string& text);
inline constexpr int kMaxHijriCorrection = 2;
inline constexpr double kMinElevation = -500, kMaxElevation = 6000;  // metres
inline bool ElevationOk(double v) { return v >= kMinElevation && v <= kMaxElevation; }
inline bool HijriCorrectionOk(double v) { return v >= -kMaxHijriCorrection && v <= kMaxHijriCorrection; }
// The reminder's choices in minutes; 0 is off.
inline constexpr int16_t kReminderChoices[] = {0, 5, 10, 15, 30};
inline bool FajrAngleOk(double v) { return v >= kMinFajr && v <= kMaxFajr; }
inline bool IsyaAngleOk(double v) { return v >= kMinIsya && v <= kMaxIsya; }

}  // namespace qov::settings
