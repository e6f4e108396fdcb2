// A box that the dialog reads strictly is stored as typed and read back
// leniently at the next start: both readings must give the same number, or
// the place changes between one run and the next.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/clockface.h"
#include "app/settings.h"
#include "platform/memory/memory_platform.h"

namespace qov {
namespace {

class ReaderAgreement : public testing::TestWithParam<std::string> {};

TEST_P(ReaderAgreement, StrictAndLenientReadingsAgree) {
  const std::optional<double> strict = settings::StrictNumber(GetParam());
  ASSERT_TRUE(strict.has_value());
  EXPECT_EQ(settings::Val(GetParam()), *strict);
}

TEST_P(ReaderAgreement, TypedLatitudeReadsBackTheSameAtTheNextStart) {
  memory::MemoryPlatform p;
  double typed = 0;
  {
    ClockFace c(p.services);
    p.Attach(c.form());
    ASSERT_TRUE(StartClock(c));
    c.mLok_Click();
    c.tkLat->SetTextFromUser(GetParam());
    c.Command1_Click();
    ASSERT_FALSE(c.Frame2->visible()) << "refused " << GetParam();
    typed = c.Lat;
  }
  ClockFace again(p.services);
  p.Attach(again.form());
  ASSERT_TRUE(StartClock(again));
  EXPECT_EQ(again.Lat, typed);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReaderAgreement,
    testing::Values("-6.15", " 12 ", "+.5", "1e0000001", "-2.5E-0000002", "8.0e+00000000000001",
                    "0.00000000000000000000000000000000000000001e40"));

TEST(ReaderAgreement, LongExponentsStillSaturateToZero) {
  EXPECT_EQ(settings::Val("1e0000000000000000400"), 0);
  EXPECT_EQ(settings::Val("1e-00000000000000000400"), 0);
  EXPECT_EQ(settings::Val("0e99999999999"), 0);
  EXPECT_EQ(settings::StrictNumber("1e0000000000000000400"), std::nullopt);
}

}  // namespace
}  // namespace qov
