// qov-jadwal's argument handling on any argument vector: the input split on
// NUL bytes. A first byte 0xFF is dropped and makes the output stream fail.
// The status is 0, 1 or 2: 2 with one line on the error stream naming the
// problem and nothing on the output; 1 only when the output cannot be
// written (never success then); 0 with a well-formed schedule and nothing
// on the error stream. Two runs on the same arguments print the same.
// The page and the calendar file always go to the output ("-"), so that
// the target writes no file; they are checked for their first line.
#include <algorithm>
#include <regex>
#include <sstream>

#include "engine/datetime.h"
#include "fuzz/fuzz_check.h"
#include "tools/jadwal/jadwal.h"

using namespace qov::fuzz;

namespace {

struct Run {
  int status;
  std::string out, err;
};

Run RunOnce(const std::vector<std::string>& args, bool brokenOutput) {
  std::ostringstream out, err;
  if (brokenOutput) out.setstate(std::ios::badbit);
  const int status = qov::jadwal::RunJadwal(args, out, err, qov::DateSerial(2026, 12, 6));
  return {status, out.str(), err.str()};
}

std::string Joined(const std::vector<std::string>& args) {
  std::string s;
  for (const std::string& a : args) s += " " + Shown(a);
  return s;
}

// Every schedule line: a date and five times (eight with --full), then
// the table's UTC offsets and the Hijri date where asked, in the columns
// the format gives them.
void CheckSchedule(const std::string& out, bool csv, bool full, const std::string& args) {
  static const std::string kTime = "([01][0-9]|2[0-3]):[0-5][0-9]";
  static const std::string kOffset = "[-+][0-9]{2}:[0-5][0-9]";
  static const std::string kHijri = "[0-9]{4}-[0-9]{2}-[0-9]{2}";
  const std::string times = full ? "{8}" : "{5}";
  const std::regex kCsv("[^,]{4}-[^,]{2}-[^,]{2}(," + kTime + ")" + times + "(,(" + kHijri + ")?)?");
  // The table marks a time on the day after or before ("00:05+1") and
  // then explains the marks in a last line.
  const std::regex kTable(" *[^ ]{4}-[^ ]{2}-[^ ]{2}( +" + kTime + "([-+]1)?)" + times + "( +(" + kOffset +
                          "(/" + kOffset + ")?|-))?( +(" + kHijri + "|-))? *");
  QOV_FUZZ_CHECK(!out.empty() && out.back() == '\n', "unterminated output for" + args);
  if (out.rfind("BEGIN:VCALENDAR\r\n", 0) == 0 || out.rfind("<!DOCTYPE html>\n", 0) == 0) return;
  std::vector<std::string> lines = Split(out.substr(0, out.size() - 1), '\n');
  if (!csv && lines.size() > 2 && lines.back().rfind("+1: ", 0) == 0) lines.pop_back();
  const size_t header = csv ? 1 : 2;
  const size_t days = lines.size() - header;
  // A day, a Ramadan, or one to twelve months.
  QOV_FUZZ_CHECK(lines.size() > header && (days == 1 || (days >= 28 && days <= 366)),
                 Line(lines.size(), "lines for") + args);
  for (size_t i = header; i < lines.size(); ++i)
    QOV_FUZZ_CHECK(std::regex_match(lines[i], csv ? kCsv : kTable),
                   Shown(lines[i]) + " for" + args);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const bool broken = size > 0 && data[0] == 0xFF;
  if (broken) ++data, --size;
  std::vector<std::string> args;
  if (size > 0) args = Split(Text(data, size), '\0');
  for (size_t i = 0; i < args.size(); ++i) {
    for (const std::string option : {"--html", "--ics"}) {
      if (args[i].rfind(option + "=", 0) == 0) args[i] = option + "=-";
      if (args[i] == option && i + 1 < args.size()) args[i + 1] = "-";
    }
  }
  const std::string shown = Joined(args);

  const Run r = RunOnce(args, broken);
  QOV_FUZZ_CHECK(r.status == 0 || r.status == 1 || r.status == 2,
                 Line("status", r.status, "for") + shown);
  const Run again = RunOnce(args, broken);
  QOV_FUZZ_CHECK(again.status == r.status && again.out == r.out && again.err == r.err,
                 "two runs differ for" + shown);

  const std::string prefix = "qov-jadwal: ";
  switch (r.status) {
    case 2:
      QOV_FUZZ_CHECK(r.out.empty(), "output with a usage error for" + shown);
      QOV_FUZZ_CHECK(r.err.rfind(prefix, 0) == 0 && r.err.size() > prefix.size() + 1 &&
                         r.err.find('\n') == r.err.size() - 1,
                     "error " + Shown(r.err) + " for" + shown);
      break;
    case 1:
      QOV_FUZZ_CHECK(broken, "write error on a working stream for" + shown);
      QOV_FUZZ_CHECK(r.err == prefix + "cannot write the output\n", Shown(r.err));
      break;
    default:
      QOV_FUZZ_CHECK(!broken, "success on a failed stream for" + shown);
      QOV_FUZZ_CHECK(r.err.empty(), "error " + Shown(r.err) + " with success for" + shown);
      const auto has = [&args](const char* a) { return std::ranges::find(args, a) != args.end(); };
      if (has("--help") || has("-h")) {
        // The Indonesian help only when asked for by "--lang id" somewhere.
        bool asked = has("--lang=id");
        for (size_t i = 0; i + 1 < args.size(); ++i) asked |= args[i] == "--lang" && args[i + 1] == "id";
        QOV_FUZZ_CHECK(r.out == (asked ? qov::jadwal::UsageIndonesian() : qov::jadwal::Usage()),
                       "help text for" + shown);
      } else {
        CheckSchedule(r.out, has("--csv"), has("--full"), shown);
      }
  }
  return 0;
}
