#include "settings/settings.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "engine/numeric.h"

namespace qov::settings {
namespace {

// Significant digits and decimal exponent of |v|, trailing zeros dropped.
void Decompose(double v, int digits, std::string& mantissa, int& exponent) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*e", digits - 1, std::fabs(v));
  // buf is "d.ddddde+XX"
  mantissa.clear();
  const char* p = buf;
  for (; *p && *p != 'e'; ++p)
    if (*p != '.') mantissa.push_back(*p);
  exponent = *p == 'e' ? std::atoi(p + 1) : 0;
  while (mantissa.size() > 1 && mantissa.back() == '0') mantissa.pop_back();
}

std::string Unsigned(double v, int digits, bool leadingZero) {
  if (v == 0) return "0";
  if (!std::isfinite(v)) return "0";
  std::string m;
  int e = 0;
  Decompose(v, digits, m, e);
  const int n = static_cast<int>(m.size());
  if (e >= digits || e < -4) {
    // Scientific form, as the runtime writes very large or small numbers.
    std::string s = m.substr(0, 1);
    if (n > 1) s += "." + m.substr(1);
    char eb[16];
    std::snprintf(eb, sizeof eb, "E%c%02d", e < 0 ? '-' : '+', e < 0 ? -e : e);
    return s + eb;
  }
  if (e >= 0) {
    std::string s = e + 1 >= n ? m + std::string(static_cast<size_t>(e + 1 - n), '0')
                               : m.substr(0, static_cast<size_t>(e + 1));
    if (e + 1 < n) s += "." + m.substr(static_cast<size_t>(e + 1));
    return s;
  }
  return std::string(leadingZero ? "0." : ".") + std::string(static_cast<size_t>(-e - 1), '0') + m;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string SignedBlank(double v, int digits) {
  if (!std::isfinite(v)) v = 0;
  return (v < 0 ? "-" : " ") + Unsigned(v, digits, false);
}

std::string PlainInt(long v) { return std::to_string(v); }

std::string PlainNumber(double v) {
  if (!std::isfinite(v)) v = 0;
  return (v < 0 ? "-" : "") + Unsigned(v, 15, true);
}

double Val(const std::string& text) {
  std::string s;
  s.reserve(text.size());
  for (char c : text)
    if (!IsBlank(c)) s.push_back(c);
  size_t i = 0;
  if (s.size() >= 2 && s[0] == '&' && (s[1] == 'H' || s[1] == 'h' || s[1] == 'O' || s[1] == 'o')) {
    const int base = (s[1] == 'H' || s[1] == 'h') ? 16 : 8;
    // The runtime reads up to 32 bits of hex or octal as a signed integer.
    uint64_t acc = 0;
    bool any = false;
    for (i = 2; i < s.size(); ++i) {
      char c = s[i];
      int d = IsDigit(c) ? c - '0' : (c >= 'a' && c <= 'f') ? c - 'a' + 10 : (c >= 'A' && c <= 'F') ? c - 'A' + 10 : 99;
      if (d >= base) break;
      acc = acc * static_cast<unsigned>(base) + static_cast<unsigned>(d);
      any = true;
      if (acc > 0xFFFFFFFFull) return 0;
    }
    if (!any) return 0;
    return acc > 0xFFFF && acc <= 0xFFFFFFFF ? static_cast<double>(static_cast<int32_t>(acc))
           : acc <= 0xFFFF                  ? static_cast<double>(static_cast<int16_t>(acc))
                                            : 0;
  }
  std::string num;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) num.push_back(s[i++]);
  size_t digits = 0;
  while (i < s.size() && IsDigit(s[i])) num.push_back(s[i++]), ++digits;
  if (i < s.size() && s[i] == '.') {
    num.push_back(s[i++]);
    while (i < s.size() && IsDigit(s[i])) num.push_back(s[i++]), ++digits;
  }
  if (digits == 0) return 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
    size_t j = i + 1;
    std::string ex = "e";
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ex.push_back(s[j++]);
    // Every exponent digit counts, leading zeros included, so that a text the
    // strict reading takes ("1e0000001") reads the same here; strtod
    // saturates a long exponent and ERANGE turns that into 0 below.
    size_t expDigits = 0;
    while (j < s.size() && IsDigit(s[j])) ex.push_back(s[j++]), ++expDigits;
    if (expDigits > 0) num += ex;
  }
  errno = 0;
  double v = std::strtod(num.c_str(), nullptr);
  if (errno == ERANGE || !std::isfinite(v)) return 0;
  return v;
}

std::optional<int16_t> ValInt16(const std::string& text) { return ToInt16(Val(text)); }

std::optional<double> ReadZone(const std::string& text) {
  const double v = Val(text);
  if (!ToInt16(v)) return std::nullopt;
  return std::nearbyint(v * 4) / 4;
}

bool HasNumber(const std::string& text) {
  std::string t;
  for (char c : text)
    if (!IsBlank(c)) t.push_back(c);
  auto digit = [&](size_t i, int base) {
    if (i >= t.size()) return false;
    const char c = static_cast<char>(t[i] | 0x20);  // lower case for letters
    if (base == 16) return IsDigit(t[i]) || (c >= 'a' && c <= 'f');
    return t[i] >= '0' && t[i] < static_cast<char>('0' + base);
  };
  if (t.size() >= 2 && t[0] == '&') {
    const char k = static_cast<char>(t[1] | 0x20);
    if (k == 'h') return digit(2, 16);
    if (k == 'o') return digit(2, 8);
  }
  size_t i = 0;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  if (digit(i, 10)) return true;
  return i < t.size() && t[i] == '.' && digit(i + 1, 10);
}

std::optional<double> StrictNumber(const std::string& text) {
  size_t b = 0, e = text.size();
  while (b < e && (text[b] == ' ' || text[b] == '\t')) ++b;
  while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t')) --e;
  const std::string s = text.substr(b, e - b);
  size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  size_t digits = 0;
  while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  }
  if (digits == 0) return std::nullopt;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    size_t ed = 0;
    while (i < s.size() && IsDigit(s[i])) ++i, ++ed;
    if (ed == 0) return std::nullopt;
  }
  if (i != s.size()) return std::nullopt;
  errno = 0;
  double v = std::strtod(s.c_str(), nullptr);
  if (errno == ERANGE || !std::isfinite(v)) return std::nullopt;
  return v;
}

}  // namespace qov::settings
