// The 300 ms tick and the alert over simulated days.
#include <cmath>
#include <string>

#include "tests/app/app_fixture.h"

namespace qov::testing {
namespace {

double June(int day, int h = 0, int mi = 0, int s = 0, int ms = 0) { return At(2004, 6, day, h, mi, s, ms); }

using TickTest = AppTest;

// Places whose clamped times fall at the day's edges (zone 7, latitude -6.15).
settings::Location Shifted(double longitude) {
  settings::Location l;
  l.city = "Jauh";
  l.longitude = longitude;
  return l;
}

TEST_F(TickTest, EachPrayerAlertsOnceADayAtTheFirstTickOfItsMinute) {
  StartAt(June(14, 23, 59, 0, 170));  // ticks off whole seconds
  RunUntil(June(15, 23, 59, 55));
  const auto minutes = EngineMinutes(DateSerial(2004, 6, 15));
  ASSERT_EQ(run->alerts.size(), 5u);
  for (size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(run->alerts[i].name, kAlertNames[i]);
    const double minute = DateSerial(2004, 6, 15) + minutes[i] / 1440.0;
    EXPECT_GE(run->alerts[i].at, minute - 1e-9) << i;
    EXPECT_LT(run->alerts[i].at, minute + 0.3 / 86400) << i;
  }
  EXPECT_TRUE(p.sound.played.empty()) << "sound is off after a first run";
}

TEST_F(TickTest, AnAlertShowsTheNameAndBlinksForSixtySixSeconds) {
  const double dzuhur = DateSerial(2004, 6, 15) + EngineMinutes(DateSerial(2004, 6, 15))[1] / 1440.0;
  StartAt(dzuhur - 2.0 / 86400);
  RunUntil(dzuhur + 0.45 / 86400);
  ASSERT_EQ(run->alerts.size(), 1u);
  const double t0 = run->alerts[0].at;
  EXPECT_EQ(run->Get("digitalTime").text(), "Dzhuhur");
  RunUntil(t0 + 1.05 / 86400);
  EXPECT_FALSE(form().blink());
  RunUntil(t0 + 2.05 / 86400);
  EXPECT_TRUE(form().blink());
  RunUntil(t0 + 65.5 / 86400);
  EXPECT_EQ(run->Get("digitalTime").text(), "Dzhuhur");
  RunUntil(t0 + 66.5 / 86400);
  EXPECT_FALSE(run->Timer("blink").enabled() || run->Timer("alert").enabled());
  EXPECT_TRUE(form().blink());
  EXPECT_EQ(run->Get("digitalTime").text()[2], ':');
  RunUntil(t0 + 180.0 / 86400);
  EXPECT_EQ(run->alerts.size(), 1u);
}

TEST_F(TickTest, MidnightWaitCountsWithoutBlinkAndAlertsNothing) {
  StartAt(June(14, 23, 59, 50));
  RunUntil(June(15, 0, 0, 5));
  EXPECT_TRUE(run->Timer("alert").enabled());
  EXPECT_FALSE(run->Timer("blink").enabled());
  EXPECT_EQ(run->Get("digitalTime").text(), "00:00:05");
  RunUntil(June(15, 0, 1, 10));
  EXPECT_FALSE(run->Timer("alert").enabled());
  EXPECT_TRUE(form().blink());
  EXPECT_TRUE(run->alerts.empty());
}

// A prayer at 00:01 starts inside the midnight wait's count: it still runs
// its full length and alerts (and plays) once.
TEST_F(TickTest, PrayerAtOneMinutePastMidnightAlertsOnceForItsFullLength) {
  StorePlace(Shifted(180));
  ASSERT_EQ(EngineMinutes(DateSerial(2004, 6, 15), Shifted(180))[0], 1);
  StartAt(June(14, 23, 59, 50));
  run->Click("adzanSound");
  RunUntil(June(15, 0, 1, 30));
  ASSERT_EQ(run->alerts.size(), 1u);
  EXPECT_EQ(run->alerts[0].name, "Shubuh");
  EXPECT_EQ(run->Get("digitalTime").text(), "Shubuh") << "the wait's count does not cut it short";
  RunUntil(June(15, 0, 4));
  EXPECT_EQ(run->alerts.size(), 1u);
  EXPECT_EQ(p.sound.played.size(), 1u);
}

// An Isya at 23:59 alerts through midnight; the next day's times still apply.
TEST_F(TickTest, AlertThroughMidnightDoesNotKeepYesterdaysTimes) {
  StorePlace(Shifted(30));
  ASSERT_EQ(EngineMinutes(DateSerial(2004, 6, 14), Shifted(30))[4], 1439);
  StartAt(June(14, 23, 58, 50));
  RunUntil(June(16, 0, 0));
  ASSERT_EQ(run->alerts.size(), 6u);
  EXPECT_EQ(run->alerts[0].name, "Isya");
  const auto minutes = EngineMinutes(DateSerial(2004, 6, 15), Shifted(30));
  for (size_t i = 1; i < 6; ++i)
    EXPECT_EQ(std::floor((run->alerts[i].at - DateSerial(2004, 6, 15)) * 1440 + 1e-9), minutes[i - 1]) << i;
}

// Over midnight, a sleep of months, a clock set back: the alerts after the
// jump are the new day's.
TEST_F(TickTest, RecomputesTheDayAfterAClockJump) {
  const struct {
    double from, to;
  } cases[] = {{At(2004, 12, 31, 22), At(2005, 1, 1, 10)},
               {June(15, 22), At(2004, 11, 3, 10)},
               {June(15, 10), At(2004, 2, 1, 9, 30)}};
  for (const auto& k : cases) {
    StartAt(k.from);
    p.RunFor(1000);
    p.JumpTo(k.to);
    RunUntil(std::floor(k.to) + 0.99);
    const auto minutes = EngineMinutes(std::floor(k.to));
    ASSERT_EQ(run->alerts.size(), 4u);
    for (size_t i = 0; i < 4; ++i)
      EXPECT_EQ(std::floor((run->alerts[i].at - std::floor(k.to)) * 1440 + 1e-9), minutes[i + 1]) << i;
    EXPECT_NE(minutes, EngineMinutes(std::floor(k.from)));
  }
}

TEST_F(TickTest, StartingWithinAPrayerMinuteAlertsAtTheFirstTick) {
  StartAt(DateSerial(2004, 6, 15) + EngineMinutes(DateSerial(2004, 6, 15))[3] / 1440.0 + 40.0 / 86400);
  p.RunFor(300);
  ASSERT_EQ(run->alerts.size(), 1u);
  EXPECT_LT(run->alerts[0].at, p.clock.Now() + 1e-9);
  p.RunFor(300);
  EXPECT_EQ(run->alerts[0].name, "Maghrib");
}

TEST_F(TickTest, TicksWithinASecondRepaintNothing) {
  StartAt(June(15, 8, 0, 0, 100));
  p.RunFor(300);
  const int64_t before = p.controlChanges;
  p.RunFor(300);
  EXPECT_EQ(p.controlChanges, before);
  EXPECT_EQ(run->Get("digitalTime").text(), "08:00:00") << "truncated, not rounded up";
}

// A locale whose long time differs from "HH:MM:SS": the face shows the
// locale's, the strip always the fixed form.
class DotLocale : public memory::MemoryLocale {
 public:
  std::string LongTime(double t) override {
    std::string s = FormatHHMMSS(t);
    s[2] = s[5] = '.';
    return s;
  }
};

TEST_F(TickTest, DigitalTextFollowsTheVersion) {
  static DotLocale locale;  // outlives the platform's pointer to it
  p.services.locale = &locale;
  const struct {
    const char* version;
    const char* shows;
  } cases[] = {{" 1", "08.15.07"}, {" 2", "08:15:07"}, {"7", "08:15:07"}};
  for (const auto& k : cases) {
    settings::Settings(p.settings).WriteFirstRun();
    p.settings.values[{"Lokasi", "Versi Display"}] = k.version;
    StartAt(June(15, 8, 15, 7, 100));
    p.RunFor(300);
    EXPECT_EQ(run->Get("digitalTime").text(), k.shows) << k.version;
  }
}

// A drive's root already ends in a backslash: plain concatenation doubles it.
TEST_F(TickTest, AdzanPlaysTheRecordingBesideTheProgramWhenSwitchedOn) {
  const double dzuhur = DateSerial(2004, 6, 15) + EngineMinutes(DateSerial(2004, 6, 15))[1] / 1440.0;
  const struct {
    const char* appPath;
    bool sound;
    const char* plays;
  } cases[] = {{"C:\\Program Files\\QOVClock", true, "C:\\Program Files\\QOVClock\\adzhan.wav"},
               {"C:\\Program Files\\QOVClock", false, nullptr},
               {"C:\\", true, "C:\\adzhan.wav"}};
  for (const auto& k : cases) {
    p.files.appPath = k.appPath;
    p.sound.played.clear();
    StartAt(dzuhur - 1.0 / 86400);
    if (run->Item("adzanSound").checked != k.sound) run->Click("adzanSound");
    p.RunFor(70000);
    EXPECT_EQ(run->alerts.size(), 1u);
    EXPECT_EQ(p.sound.played, k.plays ? std::vector<std::string>{k.plays} : std::vector<std::string>{}) << k.appPath;
  }
}

// The hands point at the time: up is 12, right is 3.
TEST_F(TickTest, HandsPointAtTheTime) {
  const struct {
    int h, mi, s;
    const char* hand;
    int dx, dy;  // sign of the tip's offset from the centre
  } cases[] = {{3, 0, 0, "hourHand", 1, 0},   {3, 0, 0, "minuteHand", 0, -1}, {9, 0, 0, "hourHand", -1, 0},
               {13, 30, 45, "minuteHand", 0, 1}, {13, 30, 45, "secondHand", -1, 0}, {6, 0, 15, "secondHand", 1, 0}};
  StartAt(June(15, 8));
  for (const auto& k : cases) {
    p.JumpTo(June(15, k.h, k.mi, k.s, 10));
    p.RunFor(300);
    const ui::Control& hand = run->Get(k.hand);
    const float dx = hand.x2() - hand.x1(), dy = hand.y2() - hand.y1();
    auto sign = [](float v) { return std::fabs(v) < 2 ? 0 : v > 0 ? 1 : -1; };
    EXPECT_EQ(sign(dx), k.dx) << k.hand << " at " << k.h << ":" << k.mi << ":" << k.s;
    EXPECT_EQ(sign(dy), k.dy) << k.hand << " at " << k.h << ":" << k.mi << ":" << k.s;
  }
  run->Click("analogClock");
  EXPECT_FALSE(run->Get("hourHand").visible());
  EXPECT_EQ(run->Get("face").picture(), "plainFace");
}

}  // namespace
}  // namespace qov::testing
