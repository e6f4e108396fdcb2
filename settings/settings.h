// The settings the clock keeps between runs, typed, over the table of
// stored values (settings/table.h), with the text forms and the one lenient
// reader; the clock and qov-jadwal share it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/services.h"
#include "settings/location.h"
#include "settings/table.h"

namespace qov::settings {

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

// What "Pengaturan Adzan" keeps, and the mute and countdown switches.
struct AlertSettings {
  std::array<AlertChoice, kAlertTimes> choice{};
  // Minutes before each time (the last: Jumat), longest first; nullopt:
  // nothing stored, the "Pengingat" choice applies.
  std::array<std::optional<std::vector<int16_t>>, kAlertTimes + 1> leads;
  std::string adzanFile, shubuhFile;  // empty: the sound beside the program
  int16_t volume = 100;
  double muteUntil = 0;
  bool countdown = false;
};

// Reminder leads as typed ("30, 10") or stored ("30,10"): whole minutes
// 1..120 between commas, longest first, each once; blank or "0" is none.
// nullopt when a part is not such a number.
std::optional<std::vector<int16_t>> ParseLeads(const std::string& text);
// The stored form: "30,10", "0" for none.
std::string LeadsText(const std::vector<int16_t>& leads);

class Settings {
 public:
  explicit Settings(SettingsStore& store) : store_(store) {}

  // A store without "Kota" has never run the clock (or was never completed).
  bool IsFirstRun() const;
  // Writes the first run's place, method, pop delay and display version, in
  // the signed-blank form, and returns them.
  Location WriteFirstRun();

  // The stored location; a number that cannot be read or lies beyond its
  // row's range reads as the row says.
  Location ReadLocation() const;
  // What the location dialog's OK stores, in each row's text form.
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

  AlertSettings ReadAlerts() const;
  // The dialog's OK: each value written only once it differs from its
  // absence or is stored already.
  void SaveAlerts(const AlertSettings& a);
  void SaveMuteUntil(double until);
  void SaveCountdown(bool on);
  // The language's code as stored; "" when absent.
  std::string ReadLanguage() const { return Get(kLanguage); }
  void SaveLanguage(const std::string& code) { Put(kLanguage, code); }

 private:
  std::string Get(const Setting& s) const;
  void Put(const Setting& s, const std::string& value);
  int16_t ReadMended(const Setting& s);

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

// A stored or listed zone: the nearest quarter hour, so a whole number
// reads as it always did and "5.5" as 5.5; nullopt beyond any zone's range
// of 16 bits, as before.
std::optional<double> ReadZone(const std::string& text);

}  // namespace qov::settings
