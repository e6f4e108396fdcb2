// Keys and text forms of the settings the clock keeps between runs, and the
// lenient number reader every stored or typed number goes through.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace qov::settings {

inline constexpr const char* kApp = "QOVClock";
inline constexpr const char* kLokasi = "Lokasi";
inline constexpr const char* kPosisiWindow = "PosisiWindow";

// Section "Lokasi".
inline constexpr const char* kKota = "Kota";
inline constexpr const char* kLat = "LAT";
inline constexpr const char* kLong = "LONG";
inline constexpr const char* kTimeZone = "Time ZOne";
inline constexpr const char* kAddDhuhur = "AddDhuhur";
inline constexpr const char* kAddMaghrib = "AddMaghrib";
inline constexpr const char* kMazhabAshar = "MazhabAshar";
inline constexpr const char* kSudutFajar = "sudutFajar";
inline constexpr const char* kSudutIsya = "sudutIsya";
inline constexpr const char* kPopDelay = "Pop Delay";
inline constexpr const char* kVersiDisplay = "Versi Display";

// Section "PosisiWindow".
inline constexpr const char* kTop = "Top";
inline constexpr const char* kLeft = "Left";
inline constexpr const char* kPanjang = "Panjang";
inline constexpr const char* kSuaraAdzhan = "Suara Adzhan";
inline constexpr const char* kAnalog = "Analog";
inline constexpr const char* kAot = "AOT";

inline constexpr const char* kFlagOn = "-1";
inline constexpr const char* kFlagOff = "0";

// Signed-blank form: a leading blank unless negative, "." as separator, no
// trailing zeros, no zero before the point (" 2", "-6.15", " .5").
// `digits` significant digits: 15 for doubles, 7 for window geometry.
std::string SignedBlank(double v, int digits = 15);
inline std::string SignedBlankSingle(float v) { return SignedBlank(v, 7); }
// Plain integer: decimal digits, "-" when negative, no blank.
std::string PlainInt(long v);
// Plain number with up to 15 significant digits, no leading blank, no
// exponent for ordinary values ("-6.2", "7"): what a dialog box shows.
std::string PlainNumber(double v);

// The lenient reader: blanks, tabs and line feeds anywhere are ignored; the
// longest leading decimal number (sign, digits, point, fraction, exponent
// after E or D; or &H / &O followed by hex or octal digits) is taken and the
// rest ignored; no number gives 0. Never fails: an overflowing exponent
// gives 0 too, so a hand-edited value cannot poison arithmetic.
double Val(const std::string& text);

// Val rounded to 16 bits, halves to even; nullopt on overflow.
std::optional<int16_t> ValInt16(const std::string& text);
// A flag is on when its number is not 0.
inline bool ValFlag(const std::string& text) { return Val(text) != 0; }

// Strict reading of a dialog box: the whole text (blanks around allowed)
// must be one decimal number; nullopt otherwise.
std::optional<double> StrictNumber(const std::string& text);

}  // namespace qov::settings
