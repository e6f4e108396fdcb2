// qov-jadwal: prints the prayer schedule of a day or a month for a place,
// computed by the clock's engine with the clock's settings rules. The argument
// handling and the formatting live here so that they can be tested without
// a process; main() only supplies the streams and today's date.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "settings/settings.h"

namespace qov::jadwal {

// Exit statuses.
inline constexpr int kExitOk = 0;
inline constexpr int kExitWriteError = 1;
inline constexpr int kExitUsage = 2;

// The zone of the times: a fixed offset, or a zone of the system's
// time-zone database whose offset each time takes at its own instant.
struct Zone {
  enum class Kind { kFixed, kNamed, kLocal } kind = Kind::kFixed;
  double hours = 0;  // kFixed: hours east of UTC, whole quarter hours
  std::string name;  // kNamed: the database's name ("Europe/London")
};

struct Options {
  // The place and method; an option not given keeps the clock's first-run
  // value.
  settings::Location location;
  Zone zone{Zone::Kind::kFixed, settings::Location{}.timeZone, {}};
  bool kemenag = false;  // --method kemenag: its values unless an option says otherwise
  // The method options given on the command line (for --method kemenag).
  std::vector<std::string> given;
  bool full = false;   // Imsak, Terbit and Dhuha too
  bool hijri = false;  // a last column with the Hijri date
  // First day and number of days; a date-time value (days since 1899-12-30).
  std::optional<double> firstDay;  // unset: today
  int days = 1;
  bool wholeMonth = false;  // --month: firstDay is a month's first
  int months = 0;           // --months N: that many months from the first; 0 not given
  std::optional<int> ramadan;  // --ramadan YEAR: the Hijri year's Ramadan
  bool csv = false;
  // The page and the calendar file: a path, "-" for standard output, or
  // empty for none. Either replaces the table.
  std::string htmlFile, icsFile;
  std::string placeName;             // --name; empty: the first-run city when no place is given
  std::vector<int16_t> alarmLeads;   // --remind: minutes before each time, in the calendar file
  bool help = false;
  bool helpIndonesian = false;  // --help with --lang id
};

// Parses the arguments (without the program name). On bad input returns
// nullopt and sets `error` to one line naming the problem.
std::optional<Options> ParseArgs(const std::vector<std::string>& args, std::string& error);

// The whole program: parses, computes and prints. Returns the exit status.
// `today` is a date-time value; only its date is used.
// `nowUtc` stamps the calendar file (0: `today`).
int RunJadwal(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              double today, double nowUtc = 0);

std::string Usage();
// The same help in Indonesian, for --help with --lang id.
std::string UsageIndonesian();

}  // namespace qov::jadwal
