// Weeks of the clock running: every 300 ms tick, midnights, clock jumps both
// ways, a sleep across midnight, and the panel, the delay editor, the
// location dialog and the display versions used over and over. Each prayer
// must alert once a day at its minute, and nothing may pile up.
#include <malloc.h>

#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <map>
#include <set>
#include <string>

#include "tests/app/app_fixture.h"

namespace qov::testing {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr int kDays = 6;  // the sanitizer build is an order of magnitude slower
#else
constexpr int kDays = 30;
#endif
constexpr int kRoundsPerDay = 12;
constexpr double kHour = 1.0 / 24;

// Jakarta has no prayer between 20:00 and 04:00, so no jump skips or
// repeats a prayer minute.
constexpr int kForwardJumpDay = 2;         // 22:00 to 01:00 three days later
constexpr int kBackJumpDay = 4;            // 01:00 back to 22:00 the day before
constexpr int kSleepDay = kDays - 3;       // 23:00 asleep until 03:30 next day
constexpr int kBackWithinDay = kDays - 2;  // 23:00 back to 21:00

// Jakarta's Shubuh, Dzuhur, Ashar, Maghrib and Isya from 1 to 30 January
// 2024, as the clock shows them with its first-run values.
const char* const kJanuary[30] = {
    "04:21 11:58 15:23 18:12 19:35", "04:21 11:58 15:23 18:13 19:36", "04:22 11:59 15:24 18:13 19:36",
    "04:22 11:59 15:24 18:13 19:36", "04:23 12:00 15:25 18:14 19:37", "04:24 12:00 15:25 18:14 19:37",
    "04:24 12:00 15:25 18:15 19:37", "04:25 12:01 15:25 18:15 19:38", "04:25 12:01 15:26 18:15 19:38",
    "04:26 12:02 15:26 18:16 19:38", "04:26 12:02 15:26 18:16 19:38", "04:27 12:03 15:27 18:16 19:39",
    "04:28 12:03 15:27 18:17 19:39", "04:28 12:03 15:27 18:17 19:39", "04:29 12:04 15:27 18:17 19:39",
    "04:29 12:04 15:27 18:17 19:39", "04:30 12:04 15:27 18:18 19:39", "04:30 12:05 15:28 18:18 19:39",
    "04:31 12:05 15:28 18:18 19:40", "04:31 12:05 15:28 18:18 19:40", "04:32 12:06 15:28 18:19 19:40",
    "04:33 12:06 15:28 18:19 19:40", "04:33 12:06 15:28 18:19 19:40", "04:34 12:06 15:28 18:19 19:40",
    "04:34 12:07 15:28 18:19 19:40", "04:35 12:07 15:28 18:19 19:40", "04:35 12:07 15:28 18:19 19:40",
    "04:35 12:07 15:27 18:19 19:40", "04:36 12:08 15:27 18:19 19:40", "04:36 12:08 15:27 18:20 19:39",
};
constexpr const char* kAlertNames[] = {"Shubuh", "Dzhuhur", "Ashar", "Maghrib", "Isya"};

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
  StartAt(day0 + 100.0 / 86400000);
  run->Click("adzanSound");  // every alert plays the recording
  const size_t controls = form().controls().size();
  const size_t timers = form().timers().size();
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
    for (int r = 0; r < kRoundsPerDay; ++r) expectedWrites += UserRound(d * kRoundsPerDay + r);
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

  std::map<int, std::map<std::string, int>> byDay;  // name -> minute of day
  for (const Alert& a : run->alerts) {
    const int d = static_cast<int>(std::floor(a.at)) - static_cast<int>(day0);
    EXPECT_EQ(byDay[d].count(a.name), 0u) << a.name << " twice on day " << d;
    byDay[d][a.name] = static_cast<int>(std::floor((a.at - std::floor(a.at)) * 1440 + 1e-9));
  }
  EXPECT_EQ(byDay.size(), kDays - skipped.size()) << "no alert outside the days run";
  for (int d = 0; d < kDays; ++d) {
    if (skipped.count(d)) {
      EXPECT_EQ(byDay.count(d), 0u) << "day " << d << " was jumped over";
      continue;
    }
    std::map<std::string, int> expected;
    for (size_t k = 0; k < 5; ++k) {
      const char* hhmm = kJanuary[d] + 6 * k;
      expected[kAlertNames[k]] = std::atoi(hhmm) * 60 + std::atoi(hhmm + 3);
    }
    EXPECT_EQ(byDay[d], expected) << "day " << d;
  }
  EXPECT_EQ(adzans, run->alerts.size()) << "one adzan per alert";
  EXPECT_LT(heapEnd, heapStart + 4 * 1024) << heapStart << " -> " << heapEnd;
  std::printf("[ soak ] days=%d ticks=%lld alerts=%zu heap_in_use=%zu->%zu bytes\n", kDays,
              static_cast<long long>(run->ticks), run->alerts.size(), heapStart, heapEnd);
}

}  // namespace
}  // namespace qov::testing
