// Inputs the fuzz targets turned up: date-time values beyond any calendar,
// control characters in qov-jadwal's arguments, and a help text that cannot
// be written.
#include <gtest/gtest.h>

#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "engine/datetime.h"
#include "tools/jadwal/jadwal.h"

namespace qov {
namespace {

class BeyondAnyCalendar : public testing::TestWithParam<double> {};

// No date and no time of day rather than a wrapped-around integer.
TEST_P(BeyondAnyCalendar, ReadsAsTheEpoch) {
  EXPECT_EQ(DateOf(GetParam()), CivilDate{});
  EXPECT_EQ(FormatIsoDate(GetParam()), "1899-12-30");
  EXPECT_EQ(FormatHHMMSS(GetParam()), "00:00:00");
}

INSTANTIATE_TEST_SUITE_P(Values, BeyondAnyCalendar,
                         testing::Values(1e300, -1.05836e178, 1e10, -1e10,
                                         std::numeric_limits<double>::max(),
                                         std::numeric_limits<double>::infinity()));

TEST(BeyondAnyCalendar, TheLimitItselfStillHasADate) {
  EXPECT_EQ(FormatHHMMSS(1e9 - 0.5), "12:00:00");
  EXPECT_EQ(DateOf(DateSerial(9999, 12, 31) + 0.75), (CivilDate{9999, 12, 31}));
}

struct Outcome {
  int status;
  std::string out, err;
};

Outcome Jadwal(const std::vector<std::string>& args, bool failedOutput = false) {
  std::ostringstream out, err;
  if (failedOutput) out.setstate(std::ios::badbit);
  const int status = jadwal::RunJadwal(args, out, err, DateSerial(2026, 12, 6));
  return {status, out.str(), err.str()};
}

TEST(JadwalBadInput, ControlCharactersInAnArgumentAreEscapedOnTheOneErrorLine) {
  EXPECT_EQ(Jadwal({"--he\n"}).err, "qov-jadwal: unknown option \"--he\\x0A\" (see --help)\n");
  EXPECT_EQ(Jadwal({"--lat", "1\x1b[2J"}).err,
            "qov-jadwal: --lat: \"1\\x1B[2J\" is not a number\n");
  EXPECT_EQ(Jadwal({"--date", "2026-01-0\x7f"}).err,
            "qov-jadwal: --date: \"2026-01-0\\x7F\" is not a valid date (YYYY-MM-DD)\n");
}

TEST(JadwalBadInput, AnUnwritableOutputIsAFailureForTheHelpTooAndTheSchedule) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--help"}, std::vector<std::string>{"--date", "2026-01-01"}}) {
    const Outcome r = Jadwal(args, true);
    EXPECT_EQ(r.status, jadwal::kExitWriteError) << args[0];
    EXPECT_EQ(r.err, "qov-jadwal: cannot write the output\n") << args[0];
  }
}

}  // namespace
}  // namespace qov
