// The alert's start and the adzan recording.
#include <string>
#include <tuple>

#include "tests/clock/clock_fixture.h"

namespace qov::testing {

// A drive's root already ends in a backslash: plain concatenation doubles it.
TEST_F(ClockTest, AdzanPlaysTheRecordingBesideTheProgramWhenSwitchedOn) {
  for (auto [appPath, sound, plays] :
       {std::tuple{"C:\\Program Files\\QOVClock", true, "C:\\Program Files\\QOVClock\\adzhan.wav"},
        {"C:\\Program Files\\QOVClock", false, nullptr}, {"C:\\", true, "C:\\\\adzhan.wav"}}) {
    if (c) Destroy();
    p.files.appPath = appPath;
    p.sound.played.clear();
    StartAt(At(2004, 6, 15, 8));
    c->msuara->checked = sound;
    c->Adzhan();
    EXPECT_FALSE(c->AdzanArmed);
    EXPECT_TRUE(c->Timer2->enabled() && c->Timer3->enabled());
    EXPECT_EQ(p.sound.played, plays ? std::vector<std::string>{plays} : std::vector<std::string>{}) << appPath;
  }
}

}  // namespace qov::testing
