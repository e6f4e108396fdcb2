// The main tick and the alert timers over simulated days.
#include <array>
#include <cmath>
#include <string>

#include "tests/clock/clock_fixture.h"

namespace qov::testing {
namespace {

double June(int day, int h = 0, int mi = 0, int s = 0, int ms = 0) { return At(2004, 6, day, h, mi, s, ms); }

}  // namespace

TEST_F(ClockTest, EachPrayerAlertsOnceOverADayAtTheFirstTickOfItsMinute) {
  StartAt(June(14, 23, 59, 0, 170));  // ticks off whole seconds
  RunUntil(June(15, 23, 59, 55));
  const engine::WaktuSholat e = TimesFor(DateSerial(2004, 6, 15));
  const std::array<std::pair<const char*, double>, 5> expected = {
      {{"Shubuh", e.WaktuShubuh}, {"Dzhuhur", e.WaktuDzuhur}, {"Ashar", e.WaktuAshar},
       {"Maghrib", e.WaktuMaghrib}, {"Isya", e.WaktuIsya}}};
  ASSERT_EQ(alerts.size(), 5u);
  for (size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(alerts[i].name, expected[i].first);
    const double minute = DateSerial(2004, 6, 15) + std::floor(expected[i].second * 1440 + 1e-6) / 1440;
    EXPECT_GE(alerts[i].at, minute - 1e-9) << i;
    EXPECT_LT(alerts[i].at, minute + 0.3 / 86400) << i;
  }
  EXPECT_TRUE(p.sound.played.empty());  // sound is off after a first run
}

TEST_F(ClockTest, EngineIsNotAskedBetweenTheDocumentedMoments) {
  StartAt(June(15, 8, 0, 0));
  c->engine().WaktuShubuh = TimeSerial(3, 33, 0);
  RunUntil(June(15, 23, 59, 59));
  EXPECT_EQ(c->engine().WaktuShubuh, TimeSerial(3, 33, 0));
  RunUntil(June(16, 0, 0, 1));
  ExpectTimesOf(*c, DateSerial(2004, 6, 16));
}

// Two prayers in one minute: only the first in the fixed order Dzuhur, Ashar,
// Maghrib, Isya, Shubuh fires, even when binary noise puts it just before.
TEST_F(ClockTest, OfPrayersSharingAMinuteOnlyTheFirstInOrderFires) {
  static const char* const kNames[] = {"Dzhuhur", "Ashar", "Maghrib", "Isya", "Shubuh"};
  for (auto [first, second] : {std::pair{0, 1}, {1, 2}, {2, 3}, {3, 4}, {0, 4}}) {
    if (c) Destroy();
    alerts.clear();
    StartAt(June(15, 8, 0, 0, 50));
    engine::WaktuSholat& e = c->engine();
    double* slots[5] = {&e.WaktuDzuhur, &e.WaktuAshar, &e.WaktuMaghrib, &e.WaktuIsya, &e.WaktuShubuh};
    for (int i = 0; i < 5; ++i) *slots[i] = TimeSerial(2, 10 * i, 0);
    *slots[second] = TimeSerial(8, 1, 0);
    *slots[first] = TimeSerial(8, 1, 0) - 1e-9;  // still reads 08:01
    RunUntil(June(15, 8, 4));
    ASSERT_EQ(alerts.size(), 1u) << first << second;
    EXPECT_EQ(alerts[0].name, kNames[first]);
  }
}

TEST_F(ClockTest, AnAlertShowsTheNameAndBlinksForSixtySixTicks) {
  const double dzuhur = DateSerial(2004, 6, 15) + TimesFor(DateSerial(2004, 6, 15)).WaktuDzuhur;
  StartAt(dzuhur - 2.0 / 86400);
  int timer2 = 0;
  auto t2 = c->Timer2->onTimer;
  c->Timer2->onTimer = [&] { ++timer2; t2(); };
  RunUntil(dzuhur + 0.45 / 86400);  // the alert tick and the one after
  ASSERT_EQ(alerts.size(), 1u);
  const double t0 = alerts[0].at;
  EXPECT_EQ(c->digTime->text(), "Dzhuhur");
  EXPECT_TRUE(c->Timer3->enabled());
  RunUntil(t0 + 1.05 / 86400);
  EXPECT_FALSE(c->form().blink());
  RunUntil(t0 + 2.05 / 86400);
  EXPECT_TRUE(c->form().blink());
  RunUntil(t0 + 65.5 / 86400);
  EXPECT_FALSE(c->AdzanArmed);
  RunUntil(t0 + 66.05 / 86400);
  EXPECT_EQ(timer2, 66);
  EXPECT_TRUE(c->AdzanArmed);
  EXPECT_FALSE(c->Timer2->enabled() || c->Timer3->enabled());
  EXPECT_TRUE(c->form().blink());
  RunUntil(t0 + 120.0 / 86400);
  EXPECT_EQ(alerts.size(), 1u);
  EXPECT_EQ(c->digTime->text()[2], ':');
}

TEST_F(ClockTest, BlinkPhaseCarriesOverBetweenAlerts) {
  StartAt(June(15, 8, 0, 0));
  for (int i = 0; i < 3; ++i) c->Timer3_Timer();  // an alert with an odd number of blinks
  c->AlertTicks = 65;
  c->Timer2_Timer();
  EXPECT_TRUE(c->form().blink());
  c->Timer3_Timer();  // the next alert starts in the other phase
  EXPECT_TRUE(c->form().blink());
  c->Timer3_Timer();
  EXPECT_FALSE(c->form().blink());
}

TEST_F(ClockTest, MidnightWaitCountsWithoutBlinkAndRecomputes) {
  StartAt(June(14, 23, 59, 50));
  RunUntil(June(15, 0, 0, 5));
  EXPECT_TRUE(c->AdzanArmed);
  EXPECT_TRUE(c->Timer2->enabled());
  EXPECT_FALSE(c->Timer3->enabled());
  EXPECT_EQ(c->digTime->text(), "00:00:05");
  ExpectTimesOf(*c, DateSerial(2004, 6, 15));
  RunUntil(June(15, 0, 1, 10));
  EXPECT_FALSE(c->Timer2->enabled());
  EXPECT_TRUE(c->form().blink());
  EXPECT_TRUE(alerts.empty());
}

TEST_F(ClockTest, PrayerAtMidnightAlertsAndHoldsOffThatMinutesRecomputation) {
  StartAt(June(15, 0, 0, 0, 50));
  c->engine().WaktuIsya = 0;
  c->engine().WaktuShubuh = TimeSerial(3, 33, 0);
  RunUntil(June(15, 0, 0, 59, 900));
  ASSERT_EQ(alerts.size(), 1u);
  EXPECT_EQ(alerts[0].name, "Isya");
  EXPECT_EQ(c->engine().WaktuShubuh, TimeSerial(3, 33, 0));
}

TEST_F(ClockTest, PrayerInTheMidnightWaitAlertsOnceForItsFullLength) {
  StartAt(June(14, 23, 59, 50));  // the last tick of 00:00 is at 00:00:59.9
  RunUntil(June(15, 0, 1, 0));
  c->engine().WaktuShubuh = TimeSerial(0, 1, 0);
  c->msuara->checked = true;
  RunUntil(June(15, 0, 1, 30));
  EXPECT_FALSE(c->AdzanArmed);  // the wait's count does not cut it short
  RunUntil(June(15, 0, 3, 0));
  EXPECT_EQ(alerts.size(), 1u);
  EXPECT_EQ(p.sound.played.size(), 1u);
}

TEST_F(ClockTest, AlertThroughoutMidnightDoesNotKeepYesterdaysTimes) {
  StartAt(June(14, 23, 59, 55));
  c->engine().WaktuIsya = TimeSerial(23, 59, 0);
  RunUntil(June(15, 0, 0, 59, 900));
  ASSERT_EQ(alerts.size(), 1u);
  EXPECT_FALSE(c->AdzanArmed);
  ExpectTimesOf(*c, DateSerial(2004, 6, 15));
}

// Over midnight, a sleep of months, a clock set back.
TEST_F(ClockTest, RecomputesForTheNewDateAfterAClockJump) {
  for (auto [from, to] : {std::pair{June(15, 22), June(16, 10)}, {June(15, 22), At(2004, 11, 3, 10)},
                          {June(15, 10), At(2004, 2, 1, 9, 30)}}) {
    if (c) Destroy();
    StartAt(from);
    p.RunFor(1000);
    p.JumpTo(to);
    p.RunFor(300);
    ExpectTimesOf(*c, std::floor(to));
  }
}

TEST_F(ClockTest, StartingWithinAPrayerMinuteAlertsAtTheFirstTick) {
  StartAt(DateSerial(2004, 6, 15) + TimesFor(DateSerial(2004, 6, 15)).WaktuMaghrib + 40.0 / 86400);
  p.RunFor(300);
  ASSERT_EQ(alerts.size(), 1u);
  EXPECT_EQ(alerts[0].name, "Maghrib");
}

TEST_F(ClockTest, TicksWithinASecondRepaintNothing) {
  StartAt(June(15, 8, 0, 0, 100));
  c->tmr_Timer();
  const int64_t before = p.controlChanges;
  p.clock.SetValue(June(15, 8, 0, 0, 999));
  c->tmr_Timer();
  EXPECT_EQ(p.controlChanges, before);
  EXPECT_EQ(c->digTime->text(), "08:00:00");  // truncated, not rounded up
}

// A locale whose long time differs from "HH:MM:SS".
class DotLocale : public memory::MemoryLocale {
 public:
  std::string LongTime(double t) override {
    std::string s = FormatHHMMSS(t);
    s[2] = s[5] = '.';
    return s;
  }
};

TEST_F(ClockTest, DigitalTextByVersionAndDuringAnAlert) {
  DotLocale locale;
  p.services.locale = &locale;
  StartAt(June(15, 8, 15, 7, 600));
  c->NamaSholat = "Ashar";
  const struct {
    int16_t version;
    bool armed;
    const char* shows;
  } cases[] = {{1, true, "08.15.07"}, {2, true, "08:15:07"}, {7, true, "08:15:07"}, {1, false, "Ashar"}};
  for (const auto& k : cases) {
    c->VersiDisplay = k.version;
    c->AdzanArmed = k.armed;
    c->tmr_Timer();
    EXPECT_EQ(c->digTime->text(), k.shows) << k.version << k.armed;
  }
}

}  // namespace qov::testing
