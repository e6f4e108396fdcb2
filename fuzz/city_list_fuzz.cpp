// The city-list reader on any bytes. The first input byte picks the table
// size, the rest is the file. Whatever the file holds: no more records than
// the table takes, the first records the same whatever the table size, names
// that a list control can show (well-formed UTF-8, no control characters, at
// most kMaxCityNameChars characters), finite coordinates; and the records,
// written back in the file's own format, read back as themselves.
#include "settings/settings.h"
#include "fuzz/fuzz_check.h"
#include "location/city_list.h"

namespace s = qov::settings;
using qov::City;
using namespace qov::fuzz;

namespace {

// Code points of a well-formed UTF-8 text (shortest forms, no surrogates,
// at most U+10FFFF), or false.
bool DecodeUtf8(std::string_view t, std::vector<char32_t>& out) {
  out.clear();
  for (size_t i = 0; i < t.size();) {
    const auto b = static_cast<unsigned char>(t[i]);
    const size_t n = b < 0x80 ? 1 : b >= 0xC2 && b <= 0xDF ? 2 : b >= 0xE0 && b <= 0xEF ? 3
                     : b >= 0xF0 && b <= 0xF4 ? 4 : 0;
    if (n == 0 || i + n > t.size()) return false;
    char32_t c = n == 1 ? b : b & (0xFF >> (n + 1));
    for (size_t k = 1; k < n; ++k) {
      const auto u = static_cast<unsigned char>(t[i + k]);
      if ((u & 0xC0) != 0x80) return false;
      c = (c << 6) | (u & 0x3F);
    }
    static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kLeast[n] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
    out.push_back(c);
    i += n;
  }
  return true;
}

std::string Describe(const City& p) {
  return Line(Shown(p.name), p.latitude, p.longitude, p.zone);
}

bool SameRecord(const City& a, const City& b) {
  return a.name == b.name && Same(a.latitude, b.latitude) && Same(a.longitude, b.longitude) &&
         a.zone == b.zone;
}

// Equal up to the fifteen significant digits the written form keeps.
bool Close(double written, double read) {
  return std::fabs(written - read) <= 1e-14 * std::fabs(written) + 1e-300;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  // Mostly small tables, so that the limit is reached; sometimes the real one.
  const size_t maxRecords = data[0] >= 0xF0 ? qov::kMaxCities : data[0] % 8;
  const std::string_view bytes = Text(data + 1, size - 1);

  const std::vector<City> records = qov::ParseCityList(bytes, maxRecords);
  QOV_FUZZ_CHECK(records.size() <= maxRecords, Line(records.size(), "records for", maxRecords));
  // The first record is always attempted: even an empty file lists one entry.
  QOV_FUZZ_CHECK(maxRecords == 0 || !records.empty(), Line("no record for a table of", maxRecords));

  const std::vector<City> all = qov::ParseCityList(bytes, SIZE_MAX);
  QOV_FUZZ_CHECK(all.size() >= records.size(), "more records in a smaller table");

  bool quotes = false;
  std::vector<char32_t> code;
  for (size_t i = 0; i < records.size(); ++i) {
    const City& r = records[i];
    QOV_FUZZ_CHECK(SameRecord(r, all[i]),
                   Line("record", i, "depends on the table size:", Describe(r), Describe(all[i])));
    QOV_FUZZ_CHECK(DecodeUtf8(r.name, code), "malformed name " + Shown(r.name));
    QOV_FUZZ_CHECK(code.size() <= qov::kMaxCityNameChars,
                   Line(code.size(), "characters in", Shown(r.name)));
    for (const char32_t c : code)
      QOV_FUZZ_CHECK(c >= 0x20 && !(c >= 0x7F && c < 0xA0), "control character in " + Shown(r.name));
    QOV_FUZZ_CHECK(std::isfinite(r.latitude) && std::isfinite(r.longitude), Describe(r));
    quotes = quotes || r.name.find('"') != std::string::npos;
  }

  // The format has no escape for a quote inside a quoted name.
  if (quotes || records.empty()) return 0;
  std::string file;
  for (const City& r : records)
    file += "\"" + r.name + "\"," + s::SignedBlank(r.latitude) + "," + s::SignedBlank(r.longitude) +
            "," + s::PlainNumber(r.zone) + "\r\n";
  const std::vector<City> again = qov::ParseCityList(file, maxRecords);
  QOV_FUZZ_CHECK(again.size() == records.size(), Line(again.size(), "records from", Shown(file)));
  for (size_t i = 0; i < records.size(); ++i) {
    const City& a = records[i];
    const City& b = again[i];
    QOV_FUZZ_CHECK(a.name == b.name && a.zone == b.zone && Close(a.latitude, b.latitude) &&
                       Close(a.longitude, b.longitude),
                   Describe(a) + " came back as " + Describe(b));
  }
  return 0;
}
