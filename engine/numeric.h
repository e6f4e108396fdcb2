// Number conversions shared by the engine and the logic: rounding to the
// nearest integer with halves to the even neighbour, and 16/32-bit integer
// conversions that report overflow instead of wrapping.
#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

namespace qov {

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
inline double RoundHalfEven(double x) { return std::nearbyint(x); }

// Rounds and converts; nullopt when the result does not fit 16 bits or x is
// not a number.
inline std::optional<int16_t> ToInt16(double x) {
  if (!std::isfinite(x)) return std::nullopt;
  double r = RoundHalfEven(x);
  if (r < -32768.0 || r > 32767.0) return std::nullopt;
  return static_cast<int16_t>(r);
}

inline std::optional<int32_t> ToInt32(double x) {
  if (!std::isfinite(x)) return std::nullopt;
  double r = RoundHalfEven(x);
  if (r < -2147483648.0 || r > 2147483647.0) return std::nullopt;
  return static_cast<int32_t>(r);
}

// Int(): the largest whole number not greater than x.
inline double Int(double x) { return std::floor(x); }

}  // namespace qov
