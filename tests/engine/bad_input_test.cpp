// Date-time values beyond any calendar, as the fuzz targets turned them up
// (qov-jadwal's own finds are in tests/jadwal/cli_test.sh).
#include <gtest/gtest.h>

#include <limits>

#include "engine/datetime.h"

namespace qov {
namespace {

// No date and no time of day rather than a wrapped-around integer.
TEST(BeyondAnyCalendar, ReadsAsTheEpoch) {
  for (double v : {1e300, -1.05836e178, 1e10, -1e10, std::numeric_limits<double>::max(),
                   std::numeric_limits<double>::infinity()}) {
    EXPECT_EQ(DateOf(v), CivilDate{}) << v;
    EXPECT_EQ(FormatIsoDate(v), "1899-12-30") << v;
    EXPECT_EQ(FormatHHMMSS(v), "00:00:00") << v;
  }
}

TEST(BeyondAnyCalendar, TheLimitItselfStillHasADate) {
  EXPECT_EQ(FormatHHMMSS(1e9 - 0.5), "12:00:00");
  EXPECT_EQ(DateOf(DateSerial(9999, 12, 31) + 0.75), (CivilDate{9999, 12, 31}));
}

}  // namespace
}  // namespace qov
