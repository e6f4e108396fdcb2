// What later versions added to the day: the full schedule, the Hijri date,
// the Kemenag rules, the additions of all five, quarter-hour zones, the
// system's zone and the high-latitude rule. Absent from a store, each keeps
// the clock's earlier behaviour. All but the system's zone are the
// scenarios of tests/clock/data/day.txt.
#include "tests/app/scenario.h"

namespace qov::testing {
namespace {

class DayTest : public Scenario {
 protected:
  void Play() { Scenario::Play("clock/data/day.txt"); }
};

TEST_F(DayTest, JadwalLengkapListsTheEightTimesAndIsKept) { Play(); }
TEST_F(DayTest, ThePanelShowsTheHijriDateWithTheStoredCorrection) { Play(); }
TEST_F(DayTest, TheKemenagBoxFillsTheBoxesAndGivesThePublishedSchedule) { Play(); }
TEST_F(DayTest, AStoreWithoutTheNewValuesComputesAndWritesAsBefore) { Play(); }
TEST_F(DayTest, QuarterHourZonesShiftTheTimesByTheirFraction) { Play(); }
TEST_F(DayTest, AboveTheTwilightTheRuleGivesTheTimeAndThePanelSaysSo) { Play(); }

// Berlin's rules in a test's own form: +1, then +2 from 29 March 2026 01:00
// UTC. Dzuhur is 12:13 at +1 and 13:13 at +2.
TEST_F(DayTest, FollowingTheSystemZoneUsesItsOffsetAtEachTimeAndRecomputesWhenItChanges) {
  const double change = DateSerial(2026, 3, 29) + 1.0 / 24;
  p.clock.zoneRule = [change](double utc) { return utc >= change ? 2.0 : 1.0; };
  StorePlace({.city = "Berlin", .latitude = 52.52, .longitude = 13.405, .timeZone = 1});
  StartAt(DateSerial(2026, 3, 28) + 12.0 / 24);
  run->Click("location");
  run->Get("followZone").SetValue(true);
  run->Press("followZone");
  EXPECT_FALSE(run->Get("zone").enabled());
  EXPECT_EQ(run->Get("zone").text(), "1");
  run->Press("ok");
  EXPECT_EQ(Stored(p, "Lokasi", "Ikuti Zona Windows"), "-1");
  const std::pair<double, const char*> dzuhur[] = {
      {DateSerial(2026, 3, 28), "12:13"}, {DateSerial(2026, 3, 29), "13:13"}, {DateSerial(2026, 3, 30), "13:13"}};
  for (const auto& [day, shown] : dzuhur) {
    RunUntil(day + 12.0 / 24);
    EXPECT_EQ(PanelRows()[1], shown) << day;
  }
  // In summer the box shows +2; OK keeps the user's +1, and unticking
  // brings it back rather than fixing summer time for the year.
  run->Click("location");
  EXPECT_EQ(run->Get("zone").text(), "2");
  run->Press("ok");
  EXPECT_EQ(Stored(p, "Lokasi", "Time ZOne"), "1");
  run->Click("location");
  run->Get("followZone").SetValue(false);
  run->Press("followZone");
  EXPECT_EQ(run->Get("zone").text() + (run->Get("zone").enabled() ? " editable" : ""), "1 editable");
  run->Press("cancel");
  // Another zone chosen in the system while the clock runs: within a minute.
  p.clock.zoneRule = [](double) { return 5.5; };
  p.RunFor(61000);
  EXPECT_EQ(PanelRows()[1], "16:43");
}

}  // namespace
}  // namespace qov::testing
