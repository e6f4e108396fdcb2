// The text form of clock numbers, the tables' way of writing a time. The
// engine no longer goes through it; the clock's display and the tests do.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "engine/numeric.h"
#include "engine/prayer_times.h"

namespace qov::engine {
namespace {

// Leading decimal number of s (sign, digits, one point), 0 when there is
// none: the lenient reading the clock-number texts were written for. Only
// short texts come here, so summing the digits is exact.
double LeadingNumber(std::string_view s) {
  std::size_t i = 0;
  double sign = 1;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) sign = s[i++] == '-' ? -1 : 1;
  double value = 0, scale = 1;
  bool point = false;
  for (; i < s.size(); ++i) {
    const char c = s[i];
    if (c >= '0' && c <= '9') {
      if (point) {
        scale *= 10;
        value += (c - '0') / scale;
      } else {
        value = value * 10 + (c - '0');
      }
    } else if (c == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  return sign * value;
}

// Text of x to 15 significant digits, through the exponent form.
std::string FifteenDigitText(double x) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.14e", x);
  std::string s = buf;
  const bool negative = s[0] == '-';
  if (negative) s.erase(0, 1);
  const std::size_t e = s.find('e');
  const int exponent = std::atoi(s.c_str() + e + 1);
  std::string digits = s.substr(0, 1) + s.substr(2, e - 2);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string out;
  if (exponent < 0) {
    out = "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
  } else {
    const auto whole = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= whole) {
      out = digits + std::string(whole - digits.size(), '0');
    } else {
      out = digits.substr(0, whole) + "." + digits.substr(whole);
    }
  }
  return negative ? "-" + out : out;
}

}  // namespace

std::string ClockNumberText(double clockNumber) {
  if (std::isnan(clockNumber)) return "nan";
  if (std::isinf(clockNumber)) return clockNumber < 0 ? "-inf" : "inf";
  if (clockNumber == 0) return "0";
  // Fast path for what ClockNumber produces, h + m/100 give or take a few
  // units in the last place: when x lies within a tenth of a unit of its 15th
  // digit from k/100, its 15-digit text is that of k/100.
  if (clockNumber >= 0.01 && clockNumber < 100) {
    const double unit = clockNumber >= 10 ? 1e-13 : clockNumber >= 1 ? 1e-14
                        : clockNumber >= 0.1 ? 1e-15 : 1e-16;
    const double k = std::nearbyint(clockNumber * 100);
    if (std::fabs(clockNumber - k / 100) < unit / 10) {
      const int n = static_cast<int>(k);
      char buf[8];
      std::size_t len = 0;
      if (n >= 1000) buf[len++] = static_cast<char>('0' + n / 1000);
      buf[len++] = static_cast<char>('0' + n / 100 % 10);
      if (n % 100 != 0) {
        buf[len++] = '.';
        buf[len++] = static_cast<char>('0' + n % 100 / 10);
        if (n % 10 != 0) buf[len++] = static_cast<char>('0' + n % 10);
      }
      return std::string(buf, len);
    }
  }
  return FifteenDigitText(clockNumber);
}

double ClockNumberToTime(const std::string& text, bool afternoon) {
  // A text without a point reads as if ".00" followed it.
  const std::string_view t = text;
  const std::size_t p = t.find('.');
  const double h = LeadingNumber(t.substr(0, p));
  double m = 0;
  if (p != std::string_view::npos) {
    const std::string_view minuteText = t.substr(p + 1, 2);
    m = LeadingNumber(minuteText);
    if (minuteText.size() == 1) m *= 10;  // "4.1" is 04:10
  }
  const double hour = RoundHalfEven(afternoon ? h + 12 : h);
  const double minute = RoundHalfEven(m);
  return (hour * 60 + minute) / 1440;
}

}  // namespace qov::engine
