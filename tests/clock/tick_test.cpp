// The app's 300 ms heartbeat over simulated days: the digital time and the
// hands here; the alert and the "Pengingat" reminder are the scenarios of
// tests/clock/data/tick.txt.
#include <string>
#include <vector>

#include "tests/app/scenario.h"

namespace qov::testing {
namespace {

class TickTest : public Scenario {
 protected:
  void Play() { Scenario::Play("clock/data/tick.txt"); }
};

TEST_F(TickTest, AnAlertShowsTheNameAndBlinksForSixtySixSeconds) { Play(); }
TEST_F(TickTest, MidnightWaitCountsWithoutBlinkAndAlertsNothing) { Play(); }
TEST_F(TickTest, AlertsAroundMidnightRunTheirFullLengthAtTheirOwnInstant) { Play(); }
TEST_F(TickTest, RecomputesTheDayAfterAClockJump) { Play(); }
TEST_F(TickTest, AdzanPlaysTheRecordingBesideTheProgramWhenSwitchedOn) { Play(); }
TEST_F(TickTest, ReminderRespectsTheDaysOrderAndItsEdges) { Play(); }

// A locale whose long time differs from "HH:MM:SS": the face shows the
// locale's, the strip always the fixed form; both from the first showing,
// and ticks within the same second repaint nothing.
class DotLocale : public memory::MemoryLocale {
 public:
  std::string LongTime(double) override { return "08.15.07"; }
};

TEST_F(TickTest, DigitalTextFollowsTheVersion) {
  static DotLocale locale;  // outlives the platform's pointer to it
  p.services.locale = &locale;
  for (const auto& [version, shows] : {std::pair(" 1", "08.15.07"), std::pair(" 2", "08:15:07"), std::pair("7", "08:15:07")}) {
    settings::Settings(p.settings).WriteFirstRun();
    p.settings.values[{"Lokasi", "Versi Display"}] = version;
    StartAt(At(2004, 6, 15, 8, 15, 7, 100));
    EXPECT_EQ(run->Get("digitalTime").text(), shows) << version;
    p.RunFor(300);
    const int64_t before = p.controlChanges;
    p.RunFor(300);  // at .7 s: truncated, not rounded up, and nothing repainted
    EXPECT_EQ(run->Get("digitalTime").text(), shows) << version;
    EXPECT_EQ(p.controlChanges, before) << version;
  }
}

// The hands point at the time (data/hands.txt).
TEST_F(TickTest, HandsPointAtTheTime) {
  StartAt(At(2004, 6, 15, 8));
  auto sign = [](float v) { return std::fabs(v) < 2 ? 0 : v > 0 ? 1 : -1; };
  for (const std::vector<std::string>& k : DataRows("clock/data/hands.txt")) {
    p.JumpTo(At(2004, 6, 15, std::stoi(k.at(0)), std::stoi(k[1]), std::stoi(k[2]), 10));
    p.RunFor(300);
    const ui::Control& hand = run->Get(k[3]);
    EXPECT_EQ(std::pair(sign(hand.x2() - hand.x1()), sign(hand.y2() - hand.y1())), std::pair(std::stoi(k[4]), std::stoi(k[5])))
        << k[3] << " at " << k[0] << ":" << k[1] << ":" << k[2];
  }
  run->Click("analogClock");
  EXPECT_FALSE(run->Get("hourHand").visible());
  EXPECT_EQ(run->Get("face").picture(), "plainFace");
}

}  // namespace
}  // namespace qov::testing
