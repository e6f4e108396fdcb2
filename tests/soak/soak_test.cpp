// A month of the clock running on the in-memory back end: every 300 ms tick,
// midnights, clock jumps both ways, a sleep across midnight, and the panel,
// the pop-delay editor, the location dialog and the display versions used
// over and over. Each prayer must alert once a day, the times must always be
// today's, and nothing may pile up.
#include <malloc.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/settings.h"
#include "tests/clock/clock_fixture.h"

namespace qov::testing {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr int kDays = 8;  // the sanitizer build is an order of magnitude slower
#else
constexpr int kDays = 30;
#endif
constexpr int kCyclesPerDay = 12;
constexpr double kHour = 1.0 / 24;
constexpr double kMs = 1.0 / 86400000;

// Days on which the events happen (jakarta has no prayer between 20:00 and
// 04:00, so none of the jumps skips or repeats a prayer minute).
constexpr int kForwardJumpDay = 2;  // 22:00 to 01:00 three days later
constexpr int kBackJumpDay = 6;     // 01:00 back to 22:00 the day before
constexpr int kSleepDay = kDays - 3;  // 23:00 asleep until 03:30 next day
constexpr int kBackWithinDay = kDays - 2;  // 23:00 back to 21:00

size_t HeapInUse() { return mallinfo2().uordblks; }

class Soak : public ClockTest {
 protected:
  void SetUp() override {
    p.files.files[p.files.appPath + "\\daftar_all.TXT"] =
        "Jakarta,-6.15,106.816,7\r\nBandung,-6.9,107.6,7\r\nMedan,3.59,98.67,7\r\n";
  }

  void RunTo(double when) {
    if (when > p.clock.Now()) RunUntil(when);
  }

  void ExpectTodaysTimes(const char* where) {
    SCOPED_TRACE(where);
    ExpectTimesOf(*c, DatePart(p.clock.Now()));
  }

  void JumpAndSettle(double to, const char* where) {
    p.JumpTo(to);
    p.RunFor(1000);
    ExpectTodaysTimes(where);
  }

  // One round of the user's commands; returns the settings writes that
  // they are expected to make.
  size_t UserRound(int round) {
    c->mwSholat_Click();  // closes by itself after the pop delay
    p.RunFor(6000);
    EXPECT_FALSE(c->Frame1->visible());
    c->mwSholat_Click();
    c->Frame1_Click();
    c->mpop_Click();
    c->tkDel->SetTextFromUser(round % 2 ? "5" : "5 detik");
    c->Command3_Click();
    c->mLok_Click();
    c->Combo1->SelectItem(1 + round % 2);
    c->Command2_Click();  // Cancel: nothing stored
    c->mLok_Click();
    c->Command1_Click();  // OK over the working values: nine keys, same place
    if (round % 3 == 0) round % 2 ? c->mVer1_Click() : c->mVer2_Click();
    p.RunFor(300);
    return 1 + 9 + (round % 3 == 0);  // the delay, the place, the version
  }

  int64_t ticks = 0;
  size_t adzans = 0;
};

TEST_F(Soak, AMonthOfTicksJumpsAndCommands) {
  const double day0 = DateSerial(2024, 1, 1);
  StartAt(day0 + 100 * kMs);
  c->msuara_Click();  // "Suara Adzhan" on: every alert plays the recording
  auto counted = c->tmr->onTimer;
  c->tmr->onTimer = [this, counted] {
    ++ticks;
    counted();
  };

  const size_t controls = c->form().controls().size();
  const size_t timers = c->form().timers().size();
  const size_t cities = c->Combo1->items().size();
  std::set<int> skipped;
  size_t heapStart = 0;
  // The logs the test itself keeps must not count as the program's growth.
  alerts.reserve(kDays * 5 + 5);
  p.sound.played.reserve(16);

  for (int d = 0; d < kDays; ++d) {
    const double day = day0 + d;
    if (d == kDays / 2) heapStart = HeapInUse();
    const size_t quietWrites = p.settings.writes.size();
    RunTo(day + 1 * kHour);
    ExpectTodaysTimes("01:00");
    if (d == kBackJumpDay) {
      JumpAndSettle(day - 1 + 22 * kHour, "back across midnight");
      RunTo(day + 1 * kHour);
      ExpectTodaysTimes("midnight again after the jump back");
    }
    RunTo(day + 9 * kHour);
    EXPECT_EQ(p.settings.writes.size(), quietWrites) << "ticking alone stores nothing, day " << d;

    size_t expectedWrites = 0;
    for (int r = 0; r < kCyclesPerDay; ++r) expectedWrites += UserRound(d * kCyclesPerDay + r);
    EXPECT_EQ(p.settings.writes.size() - quietWrites, expectedWrites) << "day " << d;
    EXPECT_EQ(c->Kota, "Jakarta");
    EXPECT_EQ(c->PopDelay, 5);
    EXPECT_EQ(c->form().controls().size(), controls);
    EXPECT_EQ(c->form().timers().size(), timers);
    EXPECT_EQ(c->Combo1->items().size(), cities);
    ExpectTodaysTimes("after the commands");
    // The back end's own call logs are the test's memory, not the clock's.
    p.settings.writes.clear();
    p.window.posCalls.clear();
    p.window.sent.clear();
    p.window.defaultProcMessages.clear();
    p.tray.calls.clear();
    for (const std::string& path : p.sound.played) EXPECT_EQ(path, p.files.appPath + "\\adzhan.wav");
    adzans += p.sound.played.size();
    p.sound.played.clear();

    RunTo(day + 22 * kHour);
    ExpectTodaysTimes("22:00");
    if (d == kForwardJumpDay) {
      JumpAndSettle(day + 3 + 1 * kHour, "forward across days");
      skipped.insert({d + 1, d + 2});
      d += 2;
      continue;
    }
    RunTo(day + 23 * kHour);
    if (d == kSleepDay) {
      JumpAndSettle(day + 1 + 3.5 * kHour, "woken after midnight");
      continue;
    }
    if (d == kBackWithinDay) JumpAndSettle(day + 21 * kHour, "back within the day");
  }
  RunTo(day0 + kDays);
  const size_t heapEnd = HeapInUse();
  adzans += p.sound.played.size();

  std::map<int, std::multiset<std::string>> byDay;
  for (const Alert& a : alerts) byDay[static_cast<int>(DatePart(a.at) - day0)].insert(a.name);
  EXPECT_EQ(byDay.size(), kDays - skipped.size()) << "no alert outside the month";
  for (int d = 0; d < kDays; ++d) {
    const auto& got = byDay[d];
    if (skipped.count(d)) {
      EXPECT_TRUE(got.empty()) << "day " << d << " was jumped over";
      continue;
    }
    EXPECT_EQ(got, (std::multiset<std::string>{"Shubuh", "Dzhuhur", "Ashar", "Maghrib", "Isya"}))
        << "day " << d;
  }
  EXPECT_EQ(adzans, alerts.size()) << "one adzan per alert";
  EXPECT_TRUE(c->AdzanArmed);
  // The second half must not hold on to memory: a small allowance covers
  // the allocator's own bookkeeping.
  EXPECT_LT(heapEnd, heapStart + 4 * 1024) << heapStart << " -> " << heapEnd;

  std::printf("[ soak ] days=%d ticks=%lld alerts=%zu adzan=%zu heap_in_use=%zu->%zu bytes\n", kDays,
              static_cast<long long>(ticks), alerts.size(), adzans, heapStart, heapEnd);
  RecordProperty("days", kDays);
  RecordProperty("ticks", std::to_string(ticks));
  RecordProperty("alerts", static_cast<int>(alerts.size()));
  RecordProperty("heap_start", std::to_string(heapStart));
  RecordProperty("heap_end", std::to_string(heapEnd));
}

}  // namespace
}  // namespace qov::testing
