// The alert's start and the adzan recording.
#include <string>
#include <tuple>

#include "tests/clock/clock_fixture.h"

namespace qov::testing {

class AdzanTest : public ClockTest,
                  public ::testing::WithParamInterface<std::tuple<const char*, bool, const char*>> {};

TEST_P(AdzanTest, PlaysTheRecordingBesideTheProgramWhenSwitchedOn) {
  const auto [appPath, sound, plays] = GetParam();
  p.files.appPath = appPath;
  StartAt(At(2004, 6, 15, 8));
  c->msuara->checked = sound;
  c->Adzhan();
  EXPECT_FALSE(c->AdzanArmed);
  EXPECT_TRUE(c->Timer2->enabled() && c->Timer3->enabled());
  EXPECT_EQ(p.sound.played, plays ? std::vector<std::string>{plays} : std::vector<std::string>{});
}

// A drive's root already ends in a backslash: plain concatenation doubles it.
INSTANTIATE_TEST_SUITE_P(
    Paths, AdzanTest,
    ::testing::Values(std::tuple{"C:\\Program Files\\QOVClock", true, "C:\\Program Files\\QOVClock\\adzhan.wav"},
                      std::tuple{"C:\\Program Files\\QOVClock", false, nullptr},
                      std::tuple{"C:\\", true, "C:\\\\adzhan.wav"}));

}  // namespace qov::testing
