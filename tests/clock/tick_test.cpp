// The app's 300 ms heartbeat over simulated days: the digital time, the
// hands, the prayer alert and the "Pengingat" reminder. The times are the
// ones the clock shows for the place, pinned when these tests were written
// (Jakarta's first-run values unless a row says otherwise).
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/app/app_fixture.h"

namespace qov::testing {
namespace {

double June(int day, int h = 0, int mi = 0, int s = 0, int ms = 0) { return At(2004, 6, day, h, mi, s, ms); }
constexpr double kSecond = 1.0 / 86400;
// Alerts as (name, minute since the epoch of date serials).
using Timed = std::vector<std::pair<std::string, long>>;
long MinuteOf(double t) { return std::lround(std::floor(t * 1440 + 1e-6)); }

// Jakarta, 14 and 15 June 2004, in the alert's spelling.
const std::pair<const char*, double> kJuneAlerts[] = {{"Shubuh", June(15, 4, 40)},  {"Dzhuhur", June(15, 11, 55)},
                                                      {"Ashar", June(15, 15, 15)},  {"Maghrib", June(15, 17, 48)},
                                                      {"Isya", June(15, 19, 10)}};

using TickTest = AppTest;

// Places whose times fall at the day's edges (zone 7, latitude -6.15).
settings::Location Shifted(double longitude) {
  settings::Location l;
  l.city = "Jauh";
  l.longitude = longitude;
  return l;
}

Timed Minutes(const std::vector<Alert>& alerts) {
  Timed out;
  for (const Alert& a : alerts) out.push_back({a.name, MinuteOf(a.at)});
  return out;
}

TEST_F(TickTest, EachPrayerAlertsOnceADayAtTheFirstTickOfItsMinute) {
  StartAt(June(14, 23, 59, 0, 170));  // ticks off whole seconds
  RunUntil(June(15, 23, 59, 55));
  ASSERT_EQ(run->alerts.size(), 5u);
  for (size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(run->alerts[i].name, kJuneAlerts[i].first);
    EXPECT_GE(run->alerts[i].at, kJuneAlerts[i].second - 1e-9) << i;
    EXPECT_LT(run->alerts[i].at, kJuneAlerts[i].second + 0.3 * kSecond) << i;
  }
  EXPECT_TRUE(p.sound.played.empty()) << "sound is off after a first run";
}

TEST_F(TickTest, AnAlertShowsTheNameAndBlinksForSixtySixSeconds) {
  const double dzuhur = June(15, 11, 55);
  StartAt(dzuhur - 2 * kSecond);
  RunUntil(dzuhur + 0.45 * kSecond);
  ASSERT_EQ(run->alerts.size(), 1u);
  const double t0 = run->alerts[0].at;
  EXPECT_EQ(run->Get("digitalTime").text(), "Dzhuhur");
  const struct {
    double after;
    bool blink;
    const char* shows;  // nullptr: a time
  } steps[] = {{1.05, false, "Dzhuhur"}, {2.05, true, "Dzhuhur"}, {65.5, false, "Dzhuhur"}, {66.5, true, nullptr}};
  for (const auto& s : steps) {
    RunUntil(t0 + s.after * kSecond);
    EXPECT_EQ(form().blink(), s.blink) << s.after;
    EXPECT_EQ(run->Get("digitalTime").text(), s.shows ? s.shows : "11:56:06") << s.after;
  }
  EXPECT_FALSE(run->Timer("blink").enabled() || run->Timer("alert").enabled());
  RunUntil(t0 + 180 * kSecond);
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

// Longitude 34 in zone 7 puts Isya at 00:01, inside the midnight wait's
// count: it still runs its full length and alerts (and plays) once.
TEST_F(TickTest, PrayerAtOneMinutePastMidnightAlertsOnceForItsFullLength) {
  StorePlace(Shifted(34));
  StartAt(June(14, 23, 59, 50));
  run->Click("adzanSound");
  RunUntil(June(15, 0, 1, 30));
  ASSERT_EQ(Minutes(run->alerts), (Timed{{"Isya", MinuteOf(June(15, 0, 1))}}));
  EXPECT_EQ(run->Get("digitalTime").text(), "Isya") << "the wait's count does not cut it short";
  RunUntil(June(15, 0, 4));
  EXPECT_EQ(run->alerts.size(), 1u);
  EXPECT_EQ(p.sound.played.size(), 1u);
}

// Times past midnight alert when they come, not at 23:59: longitude 30 puts
// Isya at 00:17 the next day; longitude 180 puts Shubuh at 23:48 the
// evening before.
TEST_F(TickTest, TimesAcrossMidnightAlertAtTheirOwnInstant) {
  StorePlace(Shifted(30));
  StartAt(June(14, 23, 58, 50));
  RunUntil(June(16, 0, 30));
  EXPECT_EQ(Minutes(run->alerts), (Timed{{"Isya", MinuteOf(June(15, 0, 17))},
                                          {"Shubuh", MinuteOf(June(15, 9, 48))},
                                          {"Dzhuhur", MinuteOf(June(15, 17, 2))},
                                          {"Ashar", MinuteOf(June(15, 20, 23))},
                                          {"Maghrib", MinuteOf(June(15, 22, 56))},
                                          {"Isya", MinuteOf(June(16, 0, 17))}}));
  StorePlace(Shifted(180));
  StartAt(June(14, 23, 40));
  RunUntil(June(15, 0, 5));
  EXPECT_EQ(Minutes(run->alerts), (Timed{{"Shubuh", MinuteOf(June(14, 23, 48))}}));
}

// Over the year's end, a sleep of months, a clock set back: the alerts
// after the jump are the new day's (each day's times differ from the one
// jumped from).
TEST_F(TickTest, RecomputesTheDayAfterAClockJump) {
  const struct {
    double from, to;
    int times[4][2];  // Dzuhur, Ashar, Maghrib, Isya of the day jumped to
  } cases[] = {{At(2004, 12, 31, 22), At(2005, 1, 1, 10), {{11, 58}, {15, 23}, {18, 13}, {19, 36}}},
               {June(15, 22), At(2004, 11, 3, 10), {{11, 38}, {14, 54}, {17, 49}, {19, 7}}},
               {June(15, 10), At(2004, 2, 1, 9, 30), {{12, 8}, {15, 27}, {18, 20}, {19, 39}}}};
  const char* names[] = {"Dzhuhur", "Ashar", "Maghrib", "Isya"};
  for (const auto& k : cases) {
    StartAt(k.from);
    p.RunFor(1000);
    p.JumpTo(k.to);
    RunUntil(std::floor(k.to) + 0.99);
    Timed want;
    for (int i = 0; i < 4; ++i) want.push_back({names[i], MinuteOf(std::floor(k.to)) + k.times[i][0] * 60 + k.times[i][1]});
    EXPECT_EQ(Minutes(run->alerts), want);
  }
}

TEST_F(TickTest, StartingWithinAPrayerMinuteAlertsAtTheFirstTick) {
  StartAt(June(15, 17, 48, 40));
  p.RunFor(300);
  ASSERT_EQ(run->alerts.size(), 1u);
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
// locale's, the strip always the fixed form; both from the first showing.
class DotLocale : public memory::MemoryLocale {
 public:
  std::string LongTime(double) override { return "08.15.07"; }
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
    EXPECT_EQ(run->Get("digitalTime").text(), k.shows) << k.version;
    p.RunFor(300);
    EXPECT_EQ(run->Get("digitalTime").text(), k.shows) << k.version;
  }
}

TEST_F(TickTest, AdzanPlaysTheRecordingBesideTheProgramWhenSwitchedOn) {
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
    StartAt(June(15, 11, 54, 59));
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
    auto sign = [](float v) { return std::fabs(v) < 2 ? 0 : v > 0 ? 1 : -1; };
    EXPECT_EQ(std::pair(sign(hand.x2() - hand.x1()), sign(hand.y2() - hand.y1())), std::pair(k.dx, k.dy))
        << k.hand << " at " << k.h << ":" << k.mi << ":" << k.s;
  }
  run->Click("analogClock");
  EXPECT_FALSE(run->Get("hourHand").visible());
  EXPECT_EQ(run->Get("face").picture(), "plainFace");
}

// "Pengingat": a notification from the tray icon a set number of minutes
// before each prayer, once per prayer per day, never late.
std::vector<std::string> Notes(const MemoryPlatform& p) {
  std::vector<std::string> out;
  for (const auto& [title, text] : p.tray.messages) out.push_back(title + ": " + text);
  return out;
}

TEST_F(TickTest, ReminderAnnouncesEachPrayerOnceForEveryChoice) {
  const double day = DateSerial(2024, 3, 12);
  const char* times[] = {"Shubuh %d menit lagi (04:44)", "Dzuhur %d menit lagi (12:04)", "Ashar %d menit lagi (15:09)",
                         "Maghrib %d menit lagi (18:09)", "Isya %d menit lagi (19:25)"};
  for (int lead : {5, 10, 15, 30}) {
    p.tray.messages.clear();
    StartAt(day - 1 + 23.0 / 24);
    run->Click("reminder" + std::to_string(lead));
    EXPECT_EQ(Stored(p, "PosisiWindow", "Pengingat"), " " + std::to_string(lead));
    RunUntil(day + 1 - kSecond);
    std::vector<std::string> want;
    for (const char* t : times) {
      char text[64];
      std::snprintf(text, sizeof text, t, lead);
      want.push_back(std::string("Jam QOV: ") + text);
    }
    EXPECT_EQ(Notes(p), want) << lead << " minutes";
  }
}

TEST_F(TickTest, ReminderOffShowsNothingAndAChoiceIsKeptForTheNextStart) {
  const double day = DateSerial(2024, 3, 12);
  StartAt(day);
  EXPECT_TRUE(run->Item("reminderOff").checked) << "absent means off";
  RunUntil(day + 1);
  EXPECT_TRUE(p.tray.messages.empty());
  run->Click("reminder10");
  EXPECT_EQ(std::pair(run->Item("reminder10").checked, run->Item("reminderOff").checked), std::pair(true, false));
  StartAt(day + 1);
  EXPECT_TRUE(run->Item("reminder10").checked);
  for (const char* garbage : {" 7", "abc", "-5", "99999"}) {
    p.settings.values[{"PosisiWindow", "Pengingat"}] = garbage;
    StartAt(day + 1);
    EXPECT_TRUE(run->Item("reminderOff").checked) << "'" << garbage << "' is not a choice: off";
  }
}

TEST_F(TickTest, ReminderAfterASleepPastItsMomentNeverLateAndSetBackNeverTwice) {
  const double dzuhur = At(2024, 3, 12, 12, 4);
  const double minute = 1.0 / 1440;
  StartAt(dzuhur - 20 * minute);
  run->Click("reminder10");
  p.JumpTo(dzuhur - 5 * minute);  // asleep across 11:54
  RunUntil(dzuhur + minute);
  EXPECT_TRUE(p.tray.messages.empty());
  p.JumpTo(dzuhur - 12 * minute);
  RunUntil(dzuhur - 9 * minute);
  p.JumpTo(dzuhur - 11 * minute);
  RunUntil(dzuhur - minute);
  EXPECT_EQ(p.tray.messages.size(), 1u);
}

// At 63.5 degrees north on 21 June 2024 Isya (22:44) follows Maghrib (22:17)
// within half an hour: a 30-minute reminder would announce Isya across
// Maghrib, so there is none. Longitude 180 puts Shubuh at 23:48 the
// evening before: it is announced then. A stored choice works from the start.
TEST_F(TickTest, ReminderRespectsTheDaysOrderAndItsEdges) {
  settings::Location north;
  north.city = "Utara";
  north.latitude = 63.5;
  StorePlace(north);
  StartAt(DateSerial(2024, 6, 21));
  run->Click("reminder30");
  RunUntil(DateSerial(2024, 6, 22) - kSecond);
  EXPECT_EQ(Notes(p).size(), 4u);
  for (const std::string& t : Notes(p)) EXPECT_EQ(t.find("Isya"), std::string::npos) << t;

  p.tray.messages.clear();
  StorePlace(Shifted(180));
  StartAt(June(14, 23, 30));
  run->Click("reminder5");
  RunUntil(June(14, 23, 43, 1));
  EXPECT_EQ(Notes(p), std::vector<std::string>{"Jam QOV: Shubuh 5 menit lagi (23:48)"});
  RunUntil(June(15, 0, 2));
  EXPECT_EQ(p.tray.messages.size(), 1u);

  p.tray.messages.clear();
  settings::Location uji;  // Dzuhur at 15:51 on 6 December 2026
  uji.city = "Uji";
  uji.latitude = 0;
  uji.longitude = -60;
  uji.timeZone = 0;
  uji.addDzuhur = uji.addMaghrib = 0;
  StorePlace(uji);
  p.settings.values[{"PosisiWindow", "Pengingat"}] = " 5";
  StartAt(At(2026, 12, 6, 15, 44));
  EXPECT_TRUE(run->Item("reminder5").checked);
  RunUntil(At(2026, 12, 6, 15, 47));
  EXPECT_EQ(Notes(p), std::vector<std::string>{"Jam QOV: Dzuhur 5 menit lagi (15:51)"});
}

}  // namespace
}  // namespace qov::testing
