// "Pengingat": a notification from the tray icon a set number of minutes
// before each prayer, once per prayer per day, never late.
#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/app/app_fixture.h"

namespace qov::testing {
namespace {

using ReminderTest = AppTest;

constexpr const char* kNames[] = {"Shubuh", "Dzuhur", "Ashar", "Maghrib", "Isya"};

std::string Clock(int minute) { return FormatHHMM(minute / 1440.0); }

// The notifications the tray showed, as their texts.
std::vector<std::string> Texts(const MemoryPlatform& p) {
  std::vector<std::string> out;
  for (const auto& [title, text] : p.tray.messages) {
    EXPECT_EQ(title, "Jam QOV");
    out.push_back(text);
  }
  return out;
}

void Choose(Program& run, int minutes) { run.Click("reminder" + std::to_string(minutes)); }

TEST_F(ReminderTest, EachPrayerIsAnnouncedOnceAtItsMinuteForEveryChoice) {
  const double day = DateSerial(2024, 3, 12);
  const auto minutes = EngineMinutes(day);
  for (int lead : {5, 10, 15, 30}) {
    p.tray.messages.clear();
    StartAt(day - 1 + 23.0 / 24);
    Choose(*run, lead);
    EXPECT_EQ(Stored(p, "PosisiWindow", "Pengingat"), " " + std::to_string(lead));
    RunUntil(day + 1 - 1.0 / 86400);
    std::vector<std::string> want;
    for (int k = 0; k < 5; ++k)
      want.push_back(std::string(kNames[k]) + " " + std::to_string(lead) + " menit lagi (" + Clock(minutes[k]) + ")");
    EXPECT_EQ(Texts(p), want) << lead << " minutes";
  }
}

TEST_F(ReminderTest, OffShowsNothingAndTheChoiceIsKeptForTheNextStart) {
  const double day = DateSerial(2024, 3, 12);
  StartAt(day);
  EXPECT_TRUE(run->Item("reminderOff").checked) << "absent means off";
  RunUntil(day + 1);
  EXPECT_TRUE(p.tray.messages.empty());
  Choose(*run, 10);
  EXPECT_TRUE(run->Item("reminder10").checked);
  EXPECT_FALSE(run->Item("reminderOff").checked);
  StartAt(day + 1);
  EXPECT_TRUE(run->Item("reminder10").checked);
  for (const char* garbage : {" 7", "abc", "-5", "99999"}) {
    p.settings.values[{"PosisiWindow", "Pengingat"}] = garbage;
    StartAt(day + 1);
    EXPECT_TRUE(run->Item("reminderOff").checked) << "'" << garbage << "' is not a choice: off";
  }
}

TEST_F(ReminderTest, ASleepPastTheMomentShowsNothingLateAndAClockSetBackNothingTwice) {
  const double day = DateSerial(2024, 3, 12);
  const int dzuhur = EngineMinutes(day)[1];
  StartAt(day + (dzuhur - 20) / 1440.0);
  Choose(*run, 10);
  // Asleep from 15 to 5 minutes before Dzuhur: the reminder's minute passes.
  p.JumpTo(day + (dzuhur - 5) / 1440.0);
  RunUntil(day + (dzuhur + 1) / 1440.0);
  EXPECT_TRUE(p.tray.messages.empty());
  // Set back across the moment: once, not again.
  p.JumpTo(day + (dzuhur - 12) / 1440.0);
  RunUntil(day + (dzuhur - 9) / 1440.0);
  p.JumpTo(day + (dzuhur - 11) / 1440.0);
  RunUntil(day + (dzuhur - 1) / 1440.0);
  EXPECT_EQ(p.tray.messages.size(), 1u);
}

TEST_F(ReminderTest, NoneWhenTheMomentFallsBeforeThePreviousPrayer) {
  // Near the polar circle in June, Isya follows Maghrib within minutes:
  // thirty minutes before it lies before Maghrib, and a reminder would
  // announce Isya across Maghrib.
  const double day = DateSerial(2024, 6, 21);
  settings::Location l;
  l.city = "Utara";
  std::array<int, engine::kPrayerCount> minutes{};
  for (double lat = 55; lat < 66.5; lat += 0.5) {
    l.latitude = lat;
    minutes = EngineMinutes(day, l);
    if (minutes[4] - 30 < minutes[3]) break;
  }
  ASSERT_LT(minutes[4] - 30, minutes[3]) << "a place where Isya comes within 30 minutes of Maghrib";
  StorePlace(l);
  StartAt(day);
  Choose(*run, 30);
  RunUntil(day + 1 - 1.0 / 86400);
  for (const std::string& t : Texts(p)) EXPECT_EQ(t.find("Isya"), std::string::npos) << t;
  EXPECT_FALSE(Texts(p).empty());
}

TEST_F(ReminderTest, APrayerJustAfterMidnightIsAnnouncedTheEveningBefore) {
  // Longitude 180 in zone 7 puts Shubuh at 00:01 (the clamp's edge).
  settings::Location l;
  l.city = "Jauh";
  l.longitude = 180;
  StorePlace(l);
  const double day = DateSerial(2004, 6, 15);
  ASSERT_EQ(EngineMinutes(day, l)[0], 1);
  StartAt(day - 1 + 23.5 / 24);
  Choose(*run, 5);
  RunUntil(day + 2.0 / 1440);
  ASSERT_EQ(Texts(p), std::vector<std::string>{"Shubuh 5 menit lagi (00:01)"});
  // It came at 23:56 the evening before.
  ASSERT_EQ(p.tray.messages.size(), 1u);
}

}  // namespace
}  // namespace qov::testing

namespace qov::testing {
namespace {

TEST_F(ReminderTest, AStoredChoiceWorksFromTheStart) {
  settings::Location l;
  l.city = "Uji";
  l.latitude = 0;
  l.longitude = -60;
  l.timeZone = 0;
  l.addDzuhur = l.addMaghrib = 0;
  StorePlace(l);
  p.settings.values[{"PosisiWindow", "Pengingat"}] = " 5";
  const double day = DateSerial(2026, 12, 6);
  const int dzuhur = EngineMinutes(day, l)[1];
  StartAt(day + (dzuhur - 7) / 1440.0);
  EXPECT_TRUE(run->Item("reminder5").checked);
  RunUntil(day + (dzuhur - 4) / 1440.0);
  EXPECT_EQ(Texts(p), std::vector<std::string>{"Dzuhur 5 menit lagi (" + Clock(dzuhur) + ")"});
}

}  // namespace
}  // namespace qov::testing
