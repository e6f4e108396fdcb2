// UTF-8 (the logic's text) and UTF-16 (the systems' wide text), one module
// for the city-list reader and both back ends.
// Malformed input never fails: each bad byte or lone surrogate becomes
// U+FFFD, so a damaged registry value or file name still round-trips into
// something displayable instead of aborting the caller.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qov {

// Appends one code point (at most U+10FFFF) in UTF-8.
void AppendUtf8(std::string& out, char32_t cp);

inline constexpr char32_t kReplacement = 0xFFFD;

namespace detail {

// Decodes one code point at s[i], advancing i; malformed sequences (bad
// lead, missing continuation, overlong form, surrogate, beyond U+10FFFF)
// consume one byte and give U+FFFD.
char32_t DecodeUtf8(std::string_view s, size_t& i);

}  // namespace detail

// WChar is wchar_t on Windows and char16_t in the tests: both 16 bits.
template <typename WChar>
std::basic_string<WChar> Utf8ToUtf16(std::string_view s) {
  static_assert(sizeof(WChar) == 2, "UTF-16 code units");
  std::basic_string<WChar> out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) {
    const char32_t cp = detail::DecodeUtf8(s, i);
    if (cp >= 0x10000) {
      const char32_t v = cp - 0x10000;
      out.push_back(static_cast<WChar>(0xD800 + (v >> 10)));
      out.push_back(static_cast<WChar>(0xDC00 + (v & 0x3FF)));
    } else {
      out.push_back(static_cast<WChar>(cp));
    }
  }
  return out;
}

template <typename WChar>
std::string Utf16ToUtf8(std::basic_string_view<WChar> s) {
  static_assert(sizeof(WChar) == 2, "UTF-16 code units");
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    const char32_t u = static_cast<uint16_t>(s[i]);
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < s.size()) {
      const char32_t lo = static_cast<uint16_t>(s[i + 1]);
      if (lo >= 0xDC00 && lo <= 0xDFFF) {
        AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (lo - 0xDC00));
        ++i;
        continue;
      }
    }
    AppendUtf8(out, (u >= 0xD800 && u <= 0xDFFF) ? kReplacement : u);
  }
  return out;
}

template <typename WChar>
std::string Utf16ToUtf8(const std::basic_string<WChar>& s) {
  return Utf16ToUtf8(std::basic_string_view<WChar>(s));
}

// The notification-area icon's tip as shown: everything up to a terminator,
// at most 127 UTF-16 units (what the icon's tip field holds), cut on a
// character boundary.
std::string TipText(std::string_view field);

}  // namespace qov
