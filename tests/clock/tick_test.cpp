// The app's 300 ms heartbeat over simulated days: the digital time, the
// hands, the prayer alert and the "Pengingat" reminder. The times are the
// ones the clock shows for the place, pinned when these tests were written
// (Jakarta's first-run values unless a row says otherwise).
#include <string>
#include <vector>

#include "tests/app/app_fixture.h"

namespace qov::testing {
namespace {

using Strings = std::vector<std::string>;
using TickTest = AppTest;
double June(int day, int h = 0, int mi = 0, int s = 0, int ms = 0) { return At(2004, 6, day, h, mi, s, ms); }
constexpr double kSecond = 1.0 / 86400, kMinute = 1.0 / 1440;

// Places whose times fall at the day's edges (zone 7, latitude -6.15).
settings::Location Shifted(double longitude) { return {.city = "Jauh", .longitude = longitude}; }

// The alerts as "MM-DD HH:MM name".
Strings Seen(const std::vector<Alert>& alerts) {
  Strings out;
  for (const Alert& a : alerts) out.push_back(FormatIsoDate(a.at).substr(5) + " " + FormatHHMM(a.at) + " " + a.name);
  return out;
}

// Started 40 s into Dzuhur's minute: the first tick alerts.
TEST_F(TickTest, AnAlertShowsTheNameAndBlinksForSixtySixSeconds) {
  StartAt(June(15, 11, 55, 40));
  p.RunFor(600);  // the name shows from the tick after
  ASSERT_EQ(Seen(run->alerts), Strings{"06-15 11:55 Dzhuhur"});
  EXPECT_EQ(run->Get("digitalTime").text(), "Dzhuhur");
  const struct {
    double after;
    bool blink;
    const char* shows;
  } steps[] = {{1.05, false, "Dzhuhur"}, {2.05, true, "Dzhuhur"}, {65.5, false, "Dzhuhur"}, {66.5, true, "11:56:46"}};
  for (const auto& s : steps) {
    RunUntil(run->alerts[0].at + s.after * kSecond);
    EXPECT_EQ(form().blink(), s.blink) << s.after;
    EXPECT_EQ(run->Get("digitalTime").text(), s.shows) << s.after;
  }
  EXPECT_FALSE(run->Timer("blink").enabled() || run->Timer("alert").enabled());
  p.RunFor(180000);
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
// count: it still runs its full length and alerts (and plays) once. Times
// past midnight alert when they come, not at 23:59: longitude 30 puts Isya
// at 00:17 the next day, longitude 180 Shubuh at 23:48 the evening before.
TEST_F(TickTest, AlertsAroundMidnightRunTheirFullLengthAtTheirOwnInstant) {
  StorePlace(Shifted(34));
  StartAt(June(14, 23, 59, 50));
  run->Click("adzanSound");
  RunUntil(June(15, 0, 1, 30));
  EXPECT_EQ(run->Get("digitalTime").text(), "Isya") << "the wait's count does not cut it short";
  RunUntil(June(15, 0, 4));
  EXPECT_EQ(Seen(run->alerts), Strings{"06-15 00:01 Isya"});
  EXPECT_EQ(p.sound.played.size(), 1u);

  StorePlace(Shifted(30));
  StartAt(June(14, 23, 58, 50));
  RunUntil(June(16, 0, 30));
  EXPECT_EQ(Seen(run->alerts), (Strings{"06-15 00:17 Isya", "06-15 09:48 Shubuh", "06-15 17:02 Dzhuhur",
                                        "06-15 20:23 Ashar", "06-15 22:56 Maghrib", "06-16 00:17 Isya"}));
  StorePlace(Shifted(180));
  StartAt(June(14, 23, 40));
  RunUntil(June(15, 0, 5));
  EXPECT_EQ(Seen(run->alerts), Strings{"06-14 23:48 Shubuh"});
}

// Over the year's end, a sleep of months, a clock set back: the alerts
// after the jump are the new day's (each differs from the day jumped from).
TEST_F(TickTest, RecomputesTheDayAfterAClockJump) {
  for (const std::vector<std::string>& k : DataRows("clock/data/clock_jumps.txt")) {
    const double from = When(k.at(0)), to = When(k.at(1));
    StartAt(from);
    p.RunFor(1000);
    p.JumpTo(to);
    RunUntil(std::floor(to) + 0.99);
    EXPECT_EQ(Seen(run->alerts), Strings(k.begin() + 2, k.end())) << k[1];
  }
}

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
    StartAt(June(15, 8, 15, 7, 100));
    EXPECT_EQ(run->Get("digitalTime").text(), shows) << version;
    p.RunFor(300);
    const int64_t before = p.controlChanges;
    p.RunFor(300);  // at .7 s: truncated, not rounded up, and nothing repainted
    EXPECT_EQ(run->Get("digitalTime").text(), shows) << version;
    EXPECT_EQ(p.controlChanges, before) << version;
  }
}

TEST_F(TickTest, AdzanPlaysTheRecordingBesideTheProgramWhenSwitchedOn) {
  const struct {
    const char* appPath;
    bool sound;
    Strings plays;
  } cases[] = {{"C:\\Program Files\\QOVClock", true, {"C:\\Program Files\\QOVClock\\adzhan.wav"}},
               {"C:\\Program Files\\QOVClock", false, {}},
               {"C:\\", true, {"C:\\adzhan.wav"}}};
  for (const auto& k : cases) {
    p.files.appPath = k.appPath;
    p.sound.played.clear();
    StartAt(June(15, 11, 54, 59));
    if (run->Item("adzanSound").checked != k.sound) run->Click("adzanSound");
    p.RunFor(70000);
    EXPECT_EQ(run->alerts.size(), 1u);
    EXPECT_EQ(p.sound.played, k.plays) << k.appPath;
  }
}

// The hands point at the time (data/hands.txt).
TEST_F(TickTest, HandsPointAtTheTime) {
  StartAt(June(15, 8));
  auto sign = [](float v) { return std::fabs(v) < 2 ? 0 : v > 0 ? 1 : -1; };
  for (const std::vector<std::string>& k : DataRows("clock/data/hands.txt")) {
    p.JumpTo(June(15, std::stoi(k.at(0)), std::stoi(k[1]), std::stoi(k[2]), 10));
    p.RunFor(300);
    const ui::Control& hand = run->Get(k[3]);
    EXPECT_EQ(std::pair(sign(hand.x2() - hand.x1()), sign(hand.y2() - hand.y1())), std::pair(std::stoi(k[4]), std::stoi(k[5])))
        << k[3] << " at " << k[0] << ":" << k[1] << ":" << k[2];
  }
  run->Click("analogClock");
  EXPECT_FALSE(run->Get("hourHand").visible());
  EXPECT_EQ(run->Get("face").picture(), "plainFace");
}

// "Pengingat": a notification from the tray icon a set number of minutes
// before each prayer, once per prayer per day, never late.
Strings Notes(const MemoryPlatform& p) {
  Strings out;
  for (const auto& [title, text] : p.tray.messages) out.push_back(title + ": " + text);
  return out;
}

// At 63.5 degrees north on 21 June 2024 Isya (22:44) follows Maghrib (22:17)
// within half an hour: a 30-minute reminder would announce Isya across
// Maghrib, so there is none. Longitude 180 puts Shubuh at 23:48 the
// evening before: it is announced then. A stored choice works from the start.
TEST_F(TickTest, ReminderRespectsTheDaysOrderAndItsEdges) {
  StorePlace({.city = "Utara", .latitude = 63.5});
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
  EXPECT_EQ(Notes(p), Strings{"Jam QOV: Shubuh 5 menit lagi (23:48)"});
  RunUntil(June(15, 0, 2));
  EXPECT_EQ(p.tray.messages.size(), 1u);

  p.tray.messages.clear();
  // Dzuhur at 15:51 on 6 December 2026.
  StorePlace({.city = "Uji", .latitude = 0, .longitude = -60, .timeZone = 0, .addDzuhur = 0, .addMaghrib = 0});
  p.settings.values[{"PosisiWindow", "Pengingat"}] = " 5";
  StartAt(At(2026, 12, 6, 15, 44));
  EXPECT_TRUE(run->Item("reminder5").checked);
  RunUntil(At(2026, 12, 6, 15, 47));
  EXPECT_EQ(Notes(p), Strings{"Jam QOV: Dzuhur 5 menit lagi (15:51)"});
}

}  // namespace
}  // namespace qov::testing
