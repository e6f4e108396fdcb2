// The pure engine against the frozen stateful one it replaced
// (tests/engine/legacy): the same minute for every input where the old
// engine gave a time, and no time where it gave none. Except where the old
// times were wrong: a zone more than 12 hours from its longitude's (all
// its times past 23:59), a time held at 00:01 or 23:59 (the new one keeps
// its clock time on the day before or after), a day whose sun neither sets
// nor rises or never reaches Ashar's altitude (the new one takes a nominal
// night), and one whose held times the old one put out of order.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <iostream>

#include "engine/datetime.h"
#include "engine/prayer_times.h"
#include "tests/engine/legacy/legacy_engine.h"

namespace qov::engine {
namespace {

// A fixed stream of numbers, the same on every platform (unlike the
// standard distributions).
class Draw {
 public:
  explicit Draw(uint64_t seed) : state_(seed) {}
  uint64_t Next() {  // splitmix64
    uint64_t z = (state_ += 0x9E3779B97F4A7C15u);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
  }
  double Real(double lo, double hi) { return lo + (hi - lo) * (Next() >> 11) * 0x1p-53; }
  int Whole(int lo, int hi) { return lo + static_cast<int>(Next() % static_cast<uint64_t>(hi - lo + 1)); }

 private:
  uint64_t state_;
};

struct Case {
  double day, lat, lon;
  int16_t zone, addDzuhur, addMaghrib, mazhab, fajr, isya;
};

// The old engine's minutes, or -1 where it left its outputs alone.
std::array<int, kPrayerCount> Legacy(const Case& c) {
  legacy::WaktuSholat w;
  w.WaktuShubuh = w.WaktuDzuhur = w.WaktuAshar = w.WaktuMaghrib = w.WaktuIsya = -1;
  w.HitungWaktuSholat(c.day, c.lat, c.lon, c.zone, c.addDzuhur, c.addMaghrib, c.mazhab, c.fajr,
                      c.isya);
  std::array<int, kPrayerCount> m;
  const double t[] = {w.WaktuShubuh, w.WaktuDzuhur, w.WaktuAshar, w.WaktuMaghrib, w.WaktuIsya};
  for (int k = 0; k < kPrayerCount; ++k) m[k] = t[k] < 0 ? -1 : static_cast<int>(std::lround(t[k] * 1440));
  return m;
}

// The new engine given what the caller now chooses: the Isya angle's
// latitude default where the old engine took it.
DayTimes Pure(const Case& c) {
  Method m;
  m.fajrAngle = c.fajr;
  m.isyaAngle = c.isya >= 10 && c.isya <= 20 ? c.isya : DefaultIsyaAngle(c.lat);
  m.mazhab = c.mazhab == 1 ? Mazhab::kShafii : Mazhab::kHanafi;
  m.addDzuhur = c.addDzuhur;
  m.addMaghrib = c.addMaghrib;
  return HitungWaktuSholat(DateOf(c.day), Place{c.lat, c.lon, static_cast<double>(c.zone)}, m);
}

struct Tally {
  int days = 0, differences = 0, fallbacks = 0, skipped = 0;
};

Tally Compare(const Case& c, Tally t) {
  const std::array<int, kPrayerCount> old = Legacy(c);
  const DayTimes now = Pure(c);
  bool inOrder = true, held = false;
  for (int k = 1; k < kPrayerCount; ++k) inOrder = inOrder && old[k] > old[k - 1];
  for (const PrayerTime& p : now.times) held = held || p.status == TimeStatus::kFallback;
  if (std::fabs(c.zone - c.lon / 15) > 12 || now[Prayer::kAshar].status == TimeStatus::kFallback ||
      now[Prayer::kMaghrib].status == TimeStatus::kFallback || (held && !inOrder)) {
    ++t.skipped;
    return t;
  }
  ++t.days;
  for (int k = 0; k < kPrayerCount; ++k) {
    t.fallbacks += now.times[k].status == TimeStatus::kFallback;
    if (now.times[k].minuteOfDay == old[k] || old[k] == 1 || old[k] == 1439) continue;
    if (++t.differences <= 10)
      ADD_FAILURE() << "prayer " << k << ": old " << old[k] << ", new " << now.times[k].minuteOfDay
                    << " for " << FormatIsoDate(c.day) << " lat " << c.lat << " lon " << c.lon
                    << " zone " << c.zone << " dz " << c.addDzuhur << " mg " << c.addMaghrib
                    << " mazhab " << c.mazhab << " fajr " << c.fajr << " isya " << c.isya;
  }
  return t;
}

TEST(LegacyEquivalence, SameMinutesOverRandomDaysPlacesAndMethods) {
  constexpr int kSamples = 200000;
  const double first = DateSerial(1900, 1, 1), last = DateSerial(2100, 12, 31);
  // The inhabited latitudes, then every latitude the settings accept, where
  // the sun misses the angles for weeks and the clamped hour angles rule.
  const struct {
    const char* name;
    double maxLatitude;
    uint64_t seed;
  } kRanges[] = {{"|lat| <= 65", 65, 1}, {"|lat| < 90", 89.999, 2}};
  for (const auto& range : kRanges) {
    Draw d(range.seed);
    Tally t;
    for (int i = 0; i < kSamples; ++i) {
      Case c;
      c.day = d.Whole(static_cast<int>(first), static_cast<int>(last));
      c.lat = d.Real(-range.maxLatitude, range.maxLatitude);
      c.lon = d.Real(-180, 180);
      // (within 12 hours of the longitude's)
      c.zone = static_cast<int16_t>(d.Whole(std::max(-12, static_cast<int>(std::ceil(c.lon / 15 - 12))),
                                            std::min(14, static_cast<int>(std::floor(c.lon / 15 + 12)))));
      c.fajr = static_cast<int16_t>(d.Whole(10, 25));
      c.isya = static_cast<int16_t>(d.Whole(10, 25));
      c.addDzuhur = static_cast<int16_t>(d.Whole(-5, 15));
      c.addMaghrib = static_cast<int16_t>(d.Whole(-5, 15));
      c.mazhab = static_cast<int16_t>(d.Whole(1, 2));
      t = Compare(c, t);
    }
    EXPECT_EQ(t.differences, 0) << range.name;
    std::cout << "[ legacy   ] " << range.name << ": " << t.days << " days, " << t.differences
              << " differing times, " << t.fallbacks << " fallback times; " << t.skipped
              << " days not compared\n";
  }
}

// Dates at the ends of the calendar and inputs the old engine refused.
TEST(LegacyEquivalence, EdgesOfTheDomain) {
  const double nan = std::nan("");
  const Case kCases[] = {
      {DateSerial(100, 1, 1), -6.2, 106.8, 7, 2, 2, 1, 20, 18},
      {DateSerial(99, 12, 31), -6.2, 106.8, 7, 2, 2, 1, 20, 18},
      {DateSerial(9999, 12, 31), 60, 25, 2, 0, 0, 2, 18, 18},
      {DateSerial(1582, 10, 10), 41.9, 12.5, 1, 0, 0, 1, 18, 17},
      {DateSerial(2004, 6, 15), nan, 106.8, 7, 2, 2, 1, 20, 18},
      {DateSerial(2004, 6, 15), 1e308, 106.8, 7, 2, 2, 1, 20, 18},
      {DateSerial(2004, 6, 15), -6.2, 1e200, 7, 2, 2, 1, 20, 18},
      {DateSerial(2004, 6, 15), 89.9999, 0, 0, -30000, 30000, 1, 25, 10},
      {DateSerial(2004, 12, 21), -89.9999, 180, 14, 10, 4, 2, 0, 0},
      {DateSerial(2004, 6, 21), 90, 0, -12, 0, 0, 1, -5, 300},
      {DateSerial(2004, 3, 20), 0, 0, 0, 0, 0, 1, 18, 18},
  };
  Tally t;
  for (const Case& c : kCases) t = Compare(c, t);
  EXPECT_EQ(t.differences, 0);
}

}  // namespace
}  // namespace qov::engine
