// The city list file beside the program: free-format records of name,
// latitude, longitude and time zone. The parser is pure (bytes in, records
// out) so that it can be tested and fuzzed without a window.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qov {

// One record of the city list.
struct City {
  std::string name;
  double latitude = 0;
  double longitude = 0;
  double zone = 0;  // hours, in quarter-hour steps
};

// The list holds at most this many places; later records are not read.
inline constexpr size_t kMaxCities = 2001;

inline constexpr const char* kCityListFile = "daftar_all.TXT";
// Far above any real list; a larger file is read up to here and its last
// record may come out cut short.
inline constexpr size_t kCityListMaxBytes = size_t{16} << 20;
// Longest name kept, in characters; longer names are cut.
inline constexpr size_t kMaxCityNameChars = 200;

// Reads up to maxRecords records in file order. Fields are separated by
// commas; a line end also ends a field; blanks before a field are skipped;
// a quoted text field ends at its closing quote and may hold commas; an
// unquoted one ends at a comma or line end. Numbers are read leniently
// (settings::Val), the zone rounded half to even into 16 bits (0 when it
// does not fit). Lines end in CR LF, LF or CR; blank lines between records
// add nothing.
//
// Names are UTF-8 in the result: a file with a UTF-8 byte-order mark or one
// that is valid UTF-8 throughout is taken as UTF-8, any other as
// Windows-1252. Control characters in names become blanks.
//
// The first record is always attempted, so empty input gives one blank
// record. A record cut short by the end of the input keeps 0 in its missing
// fields. Runs in one pass with memory bounded by the records kept.
std::vector<City> ParseCityList(std::string_view bytes, size_t maxRecords);

}  // namespace qov
