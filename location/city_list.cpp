#include "location/city_list.h"

#include <cmath>
#include <string>

#include "settings/settings.h"
#include "engine/numeric.h"
#include "platform/utf.h"

namespace qov {
namespace {

// A UTF-8 character takes at most 4 bytes, so this many raw bytes always
// hold the longest name we keep.
constexpr size_t kMaxNameBytes = 4 * kMaxCityNameChars;
// No sensible number is longer; the rest of a longer field is ignored.
constexpr size_t kMaxNumberChars = 128;

// Windows-1252 bytes 0x80 to 0x9F. The five undefined bytes map to the C1
// code points, as the system's own conversion does.
constexpr char32_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

unsigned char Byte(std::string_view s, size_t i) { return static_cast<unsigned char>(s[i]); }

bool IsCont(std::string_view s, size_t i) { return i < s.size() && (Byte(s, i) & 0xC0) == 0x80; }

bool InRange(std::string_view s, size_t i, unsigned lo, unsigned hi) {
  return i < s.size() && Byte(s, i) >= lo && Byte(s, i) <= hi;
}

// Length of the well-formed UTF-8 character at i (no overlong forms, no
// surrogates, nothing above U+10FFFF), or 0.
size_t Utf8Length(std::string_view s, size_t i) {
  const unsigned b = Byte(s, i);
  if (b < 0x80) return 1;
  if (b >= 0xC2 && b <= 0xDF) return IsCont(s, i + 1) ? 2 : 0;
  if (b >= 0xE0 && b <= 0xEF) {
    const unsigned lo = b == 0xE0 ? 0xA0 : 0x80, hi = b == 0xED ? 0x9F : 0xBF;
    return InRange(s, i + 1, lo, hi) && IsCont(s, i + 2) ? 3 : 0;
  }
  if (b >= 0xF0 && b <= 0xF4) {
    const unsigned lo = b == 0xF0 ? 0x90 : 0x80, hi = b == 0xF4 ? 0x8F : 0xBF;
    return InRange(s, i + 1, lo, hi) && IsCont(s, i + 2) && IsCont(s, i + 3) ? 4 : 0;
  }
  return 0;
}

bool IsValidUtf8(std::string_view s) {
  for (size_t i = 0; i < s.size();) {
    if (Byte(s, i) < 0x80) {  // the common case, kept cheap: files can be large
      ++i;
      continue;
    }
    const size_t n = Utf8Length(s, i);
    if (n == 0) return false;
    i += n;
  }
  return true;
}

char32_t Cp1252(unsigned char b) { return b >= 0x80 && b < 0xA0 ? kCp1252High[b - 0x80] : b; }

// Names go to a list control: no control characters, always valid UTF-8,
// at most kMaxCityNameChars characters.
std::string DecodeName(std::string_view raw, bool utf8) {
  std::string out;
  out.reserve(raw.size());
  size_t chars = 0;
  for (size_t i = 0; i < raw.size() && chars < kMaxCityNameChars; ++chars) {
    const size_t n = utf8 ? Utf8Length(raw, i) : 1;
    if (n > 1) {
      // U+0080 to U+009F encode as C2 80 to C2 9F.
      if (n == 2 && Byte(raw, i) == 0xC2 && Byte(raw, i + 1) < 0xA0)
        out.push_back(' ');
      else
        out.append(raw.substr(i, n));
      i += n;
      continue;
    }
    // A single byte: ASCII, or a stray byte of a UTF-8 file read as 1252.
    const char32_t c = Cp1252(Byte(raw, i++));
    if (c < 0x20 || (c >= 0x7F && c < 0xA0))
      out.push_back(' ');
    else
      AppendUtf8(out, c);
  }
  return out;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

class FieldReader {
 public:
  explicit FieldReader(std::string_view s) : s_(s) {}

  bool AtEnd() const { return p_ >= s_.size(); }

  // Blank lines and trailing blanks between records.
  void SkipBlankLines() {
    while (p_ < s_.size() && (IsBlank(s_[p_]) || IsLineEnd(s_[p_]))) ++p_;
  }

  // The next field's text, at most maxBytes of it (the rest is passed over).
  // Numbers drop blanks inside the field, as the lenient reader does.
  std::string_view NextText() {
    while (p_ < s_.size() && IsBlank(s_[p_])) ++p_;
    std::string_view text;
    if (p_ < s_.size() && s_[p_] == '"') {
      const size_t open = ++p_;
      size_t close = s_.find('"', open);
      if (close == std::string_view::npos) close = s_.size();  // unbalanced: runs to the end
      text = s_.substr(open, close - open);
      p_ = close < s_.size() ? close + 1 : close;
      // Whatever stands between the closing quote and the separator is dropped.
      SkipToSeparator();
    } else {
      const size_t start = p_;
      SkipToSeparator();
      text = s_.substr(start, p_ - start);
      while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    }
    EndField();
    return text;
  }

  double NextNumber() {
    const std::string_view text = NextText();
    std::string digits;
    for (char c : text) {
      if (digits.size() >= kMaxNumberChars) break;
      if (!IsBlank(c) && c != '\n') digits.push_back(c);
    }
    return settings::Val(digits);
  }

 private:
  void SkipToSeparator() {
    while (p_ < s_.size() && s_[p_] != ',' && !IsLineEnd(s_[p_])) ++p_;
  }

  void EndField() {
    if (p_ >= s_.size()) return;
    if (s_[p_] == ',') {
      ++p_;
    } else if (s_[p_] == '\r') {
      ++p_;
      if (p_ < s_.size() && s_[p_] == '\n') ++p_;
    } else if (s_[p_] == '\n') {
      ++p_;
    }
  }

  std::string_view s_;
  size_t p_ = 0;
};

}  // namespace

std::vector<City> ParseCityList(std::string_view bytes, size_t maxRecords) {
  std::vector<City> records;
  if (maxRecords == 0) return records;

  bool utf8 = false;
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
    bytes.remove_prefix(3);
    utf8 = true;
  } else {
    utf8 = IsValidUtf8(bytes);
  }

  FieldReader in(bytes);
  in.SkipBlankLines();
  // The end test follows each record, so an empty file still yields one
  // (blank) record, which the list shows as its single entry.
  do {
    City r;
    const std::string_view name = in.NextText();
    r.name = DecodeName(name.substr(0, kMaxNameBytes), utf8);
    r.latitude = in.NextNumber();
    r.longitude = in.NextNumber();
    // The nearest quarter hour ("7" stays 7, "5.5" is 5.5); 0 beyond 16 bits.
    const double zone = in.NextNumber();
    r.zone = ToInt16(zone) ? std::nearbyint(zone * 4) / 4 : 0;
    records.push_back(std::move(r));
    in.SkipBlankLines();
  } while (!in.AtEnd() && records.size() < maxRecords);
  return records;
}

}  // namespace qov
