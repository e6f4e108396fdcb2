// Weeks of the clock running: every 300 ms tick, midnights, clock jumps both
// ways, a sleep across midnight, and the panel, the delay editor, the
// location dialog and the display versions used over and over. Each prayer
// must alert once a day at the first tick of its minute, and nothing may
// pile up.
#include <malloc.h>

#include <cstdio>
#include <map>
#include <set>

#include "tests/app/app_fixture.h"

namespace qov::testing {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr int kDays = 6;  // the sanitizer build is an order of magnitude slower
#else
constexpr int kDays = 30;
#endif
constexpr double kHour = 1.0 / 24;

// Jakarta has no prayer between 20:00 and 04:00, so no jump skips or
// repeats a prayer minute.
constexpr int kForwardJumpDay = 2;         // 22:00 to 01:00 three days later
constexpr int kBackJumpDay = 4;            // 01:00 back to 22:00 the day before
constexpr int kSleepDay = kDays - 3;       // 23:00 asleep until 03:30 next day
constexpr int kBackWithinDay = kDays - 2;  // 23:00 back to 21:00

size_t HeapInUse() { return mallinfo2().uordblks; }

class Soak : public AppTest {
 protected:
  void RunTo(double when) {
    if (when > p.clock.Now()) RunUntil(when);
  }
  // One round of the user's commands; returns the writes they must make.
  size_t UserRound(int round) {
    run->Click("prayerTimes");  // closes by itself after the pop delay
    p.RunFor(6000);
    EXPECT_FALSE(run->Get("prayerPanel").visible());
    run->Click("popUpTimes");
    run->Type("delayBox", round % 2 ? "5" : "5 detik");
    run->Press("delayOk");
    run->Click("location");
    run->Get("city").SelectItem(1 + round % 2);
    run->Press("cancel");  // nothing stored
    run->Click("location");
    run->Press("ok");  // the shown place again: nine keys
    if (round % 3 == 0) run->Click(round % 2 ? "version1" : "version2");
    p.RunFor(300);
    return 1 + 9 + (round % 3 == 0);
  }
};

TEST_F(Soak, WeeksOfTicksJumpsAndCommands) {
  p.files.files[p.files.appPath + "\\daftar_all.TXT"] =
      "Jakarta,-6.15,106.816,7\r\nBandung,-6.9,107.6,7\r\nMedan,3.59,98.67,7\r\n";
  const double day0 = DateSerial(2024, 1, 1);
  StartAt(day0 + 100.0 / 86400000);  // ticks 100 ms past whole seconds
  run->Click("adzanSound");           // every alert plays the recording
  const size_t controls = form().controls().size(), timers = form().timers().size();
  std::set<int> skipped;
  size_t heapStart = 0, adzans = 0;
  run->alerts.reserve(kDays * 5 + 5);  // the test's own logs are not growth
  p.sound.played.reserve(16);

  for (int d = 0; d < kDays; ++d) {
    const double day = day0 + d;
    if (d == kDays / 2) heapStart = HeapInUse();
    const size_t quietWrites = p.settings.writes.size();
    RunTo(day + 1 * kHour);
    if (d == kBackJumpDay) {
      p.JumpTo(day - 1 + 22 * kHour);
      RunTo(day + 1 * kHour);
    }
    RunTo(day + 9 * kHour);
    EXPECT_EQ(p.settings.writes.size(), quietWrites) << "ticking alone stores nothing, day " << d;
    size_t expectedWrites = 0;
    for (int r = 0; r < 12; ++r) expectedWrites += UserRound(d * 12 + r);
    EXPECT_EQ(p.settings.writes.size() - quietWrites, expectedWrites) << "day " << d;
    EXPECT_EQ(form().controls().size(), controls);
    EXPECT_EQ(form().timers().size(), timers);
    p.settings.writes.clear();
    adzans += p.sound.played.size();
    p.sound.played.clear();

    RunTo(day + 22 * kHour);
    if (d == kForwardJumpDay) {
      p.JumpTo(day + 3 + 1 * kHour);
      skipped.insert({d + 1, d + 2});
      d += 2;
      continue;
    }
    RunTo(day + 23 * kHour);
    if (d == kSleepDay) {
      p.JumpTo(day + 1 + 3.5 * kHour);
      continue;
    }
    if (d == kBackWithinDay) p.JumpTo(day + 21 * kHour);
  }
  RunTo(day0 + kDays);
  const size_t heapEnd = HeapInUse();
  adzans += p.sound.played.size();

  // Per day, each name's alert as "HH:MM"; an alert past 300 ms into its
  // minute missed the minute's first tick.
  std::map<int, std::map<std::string, std::string>> byDay;
  for (const Alert& a : run->alerts) {
    const int d = static_cast<int>(std::floor(a.at) - day0);
    EXPECT_LT(std::fmod(a.at * 1440 + 1e-9, 1.0) * 60, 0.3) << a.name << " late on day " << d;
    EXPECT_EQ(byDay[d].count(a.name), 0u) << a.name << " twice on day " << d;
    byDay[d][a.name] = FormatHHMM(a.at - std::floor(a.at));
  }
  EXPECT_EQ(byDay.size(), kDays - skipped.size()) << "no alert outside the days run";
  const std::vector<std::string> january = DataLines("soak/data/jakarta_january_2024.csv");
  for (int d = 0; d < kDays; ++d) {
    std::string shown;
    for (const char* name : {"Shubuh", "Dzhuhur", "Jumat", "Ashar", "Maghrib", "Isya"})
      if (byDay[d].count(name)) shown += (shown.empty() ? "" : ",") + byDay[d][name];
    EXPECT_EQ(shown, skipped.count(d) ? "" : january.at(static_cast<size_t>(d))) << "day " << d;
  }
  EXPECT_EQ(adzans, run->alerts.size()) << "one adzan per alert";
  EXPECT_LT(heapEnd, heapStart + 4 * 1024) << heapStart << " -> " << heapEnd;
  std::printf("[ soak ] days=%d ticks=%lld alerts=%zu heap_in_use=%zu->%zu bytes\n", kDays,
              static_cast<long long>(run->ticks), run->alerts.size(), heapStart, heapEnd);
}

}  // namespace
}  // namespace qov::testing
