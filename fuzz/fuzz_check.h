// Shared pieces of the fuzz targets: invariant checks that abort with a
// readable message (libFuzzer then saves the input as a crash), message
// building, the splitting of one input into several texts, and the standard
// headers every target uses.
#pragma once

#include <bit>
#include <cmath>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/prayer_times.h"

namespace qov::fuzz {

[[noreturn]] inline void Fail(const char* file, int line, const char* condition,
                              const std::string& detail) {
  std::fprintf(stderr, "\n%s:%d: invariant broken: %s\n  %s\n", file, line, condition,
               detail.c_str());
  std::fflush(stderr);
  std::abort();
}

// Checked in every build type: the targets exist to find these.
#define QOV_FUZZ_CHECK(condition, detail)                                    \
  do {                                                                       \
    if (!(condition)) ::qov::fuzz::Fail(__FILE__, __LINE__, #condition, (detail)); \
  } while (0)

// The text with control and non-ASCII bytes escaped, for messages.
inline std::string Shown(std::string_view s) {
  std::string out = "\"";
  for (const char c : s) {
    const auto b = static_cast<unsigned char>(c);
    char buf[8];
    std::snprintf(buf, sizeof buf,
                  b == '"' || b == '\\' ? "\\%c" : b < 0x20 || b >= 0x7F ? "\\x%02X" : "%c", b);
    out += buf;
  }
  return out + "\"";
}

inline std::string Num(double v) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.17g", v);
  return buf;
}

inline std::string Part(std::string_view s) { return std::string(s); }
inline std::string Part(double v) { return Num(v); }
template <std::integral I>
std::string Part(I v) { return std::to_string(v); }

// The parts joined by blanks, for a message.
template <class... T>
std::string Line(const T&... parts) {
  std::string out;
  const char* blank = "";
  ((out += blank + Part(parts), blank = " "), ...);
  return out;
}

// Bit-exact equality that also holds for two NaNs of any payload.
inline bool Same(double a, double b) { return (std::isnan(a) && std::isnan(b)) || a == b; }

// The input bytes as text.
inline std::string_view Text(const uint8_t* data, size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// Texts separated by sep; n separators give n + 1 texts.
inline std::vector<std::string> Split(std::string_view s, char sep) {
  std::vector<std::string> parts(1);
  for (const char c : s) {
    if (c == sep)
      parts.emplace_back();
    else
      parts.back() += c;
  }
  return parts;
}

inline std::string Outputs(const engine::DayTimes& d) {
  std::string out;
  for (const engine::PrayerTime& t : d.times) out += Part(t.minuteOfDay) + " ";
  return out;
}

// The engine's five outputs are minutes of the day, or none at all.
inline void CheckTimesOfDay(const engine::DayTimes& d, const std::string& where) {
  for (const engine::PrayerTime& t : d.times)
    QOV_FUZZ_CHECK(t.minuteOfDay >= -1 && t.minuteOfDay < 1440 && (d.valid || t.minuteOfDay == -1),
                   where + ": " + Outputs(d));
}

}  // namespace qov::fuzz
