// The engine through its public routine: the worked example, the method's
// rules, the statuses and the faults it once had.
#include "engine/prayer_times.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "engine/datetime.h"

namespace qov::engine {

void PrintTo(TimeStatus s, std::ostream* os) {
  *os << (s == TimeStatus::kNormal ? "normal" : "fallback");
}

namespace {

using Times = std::vector<std::string>;  // Shubuh, Dzuhur, Ashar, Maghrib, Isya
using Statuses = std::vector<TimeStatus>;
constexpr TimeStatus N = TimeStatus::kNormal, F = TimeStatus::kFallback;

std::string HHMM(const PrayerTime& t) {
  if (t.minuteOfDay < 0) return "--:--";
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d:%02d", t.minuteOfDay / 60, t.minuteOfDay % 60);
  return buf;
}
Times Read(const DayTimes& d) {
  Times t;
  for (const PrayerTime& p : d.times) t.push_back(HHMM(p));
  return t;
}
Statuses StatusesOf(const DayTimes& d) {
  Statuses s;
  for (const PrayerTime& p : d.times) s.push_back(p.status);
  return s;
}

Method MethodWith(double fajr, double isya, int addDzuhur = 0, int addMaghrib = 0,
                  Mazhab mazhab = Mazhab::kShafii) {
  Method m;
  m.fajrAngle = fajr;
  m.isyaAngle = isya;
  m.addDzuhur = addDzuhur;
  m.addMaghrib = addMaghrib;
  m.mazhab = mazhab;
  return m;
}

// The worked example: Jakarta, 2004-06-15.
const CivilDate kExampleDay{2004, 6, 15};
const Place kJakarta{-6.1744, 106.8294, 7};
const Place kMadrid{40.4, -3.7, 2};
const Place kRovaniemi{66, 25, 2};
const Place kTromso{70, 25, 2};
const Place kHelsinki{60, 25, 2};

TEST(WorkedExample, JakartaOnTheFifteenthOfJune2004) {
  const DayTimes t = HitungWaktuSholat(kExampleDay, kJakarta, MethodWith(20, 18, 2, 2));
  EXPECT_TRUE(t.valid);
  EXPECT_EQ(Read(t), (Times{"04:36", "11:55", "15:15", "17:48", "19:01"}));
  EXPECT_EQ(t[Prayer::kAshar].minuteOfDay, 15 * 60 + 15);
}

TEST(Method, AdditionsAreHeldAboveOnly) {
  auto minutes = [](int dz, int mg) {
    const DayTimes t = HitungWaktuSholat(kExampleDay, kJakarta, MethodWith(20, 18, dz, mg));
    return std::pair(t[Prayer::kDzuhur].minuteOfDay, t[Prayer::kMaghrib].minuteOfDay);
  };
  const auto [dz0, mg0] = minutes(0, 0);
  const struct { int dz, mg, dzShift, mgShift; } kCases[] = {
      {15, 6, 10, 4}, {10, 4, 10, 4}, {-3, -3, -3, -3}, {-90, -60, -90, -60}};
  for (const auto& c : kCases) {
    const auto [dz, mg] = minutes(c.dz, c.mg);
    EXPECT_EQ(std::pair(dz - dz0, mg - mg0), std::pair(c.dzShift, c.mgShift)) << c.dz << " " << c.mg;
  }
}

// A longer shadow comes later in the afternoon; nothing else moves.
TEST(Method, HanafiAsharIsLaterAndTheOtherTimesStay) {
  const DayTimes shafii = HitungWaktuSholat(kExampleDay, kJakarta, MethodWith(20, 18));
  const DayTimes hanafi =
      HitungWaktuSholat(kExampleDay, kJakarta, MethodWith(20, 18, 0, 0, Mazhab::kHanafi));
  EXPECT_GT(hanafi[Prayer::kAshar].minuteOfDay, shafii[Prayer::kAshar].minuteOfDay + 30);
  for (Prayer p : {Prayer::kShubuh, Prayer::kDzuhur, Prayer::kMaghrib, Prayer::kIsya})
    EXPECT_EQ(hanafi[p].minuteOfDay, shafii[p].minuteOfDay);
}

TEST(Method, DefaultIsyaAngleByLatitudeWithBoundariesInTheRowAbove) {
  const std::pair<double, double> kCases[] = {
      {-6.2, 18}, {40, 17}, {42, 16.5}, {48, 15}, {52, 14}, {60, 13}, {37, 18}, {41, 17},
      {45, 16.5}, {50, 15}, {55, 14}, {-60, 13},
      // Taken to three decimals downwards: -37.0009 is -37.001, 37.0009 is 37.000.
      {-37.0009, 17}, {37.0009, 18}};
  for (auto [lat, angle] : kCases) EXPECT_EQ(DefaultIsyaAngle(lat), angle) << lat;
}

// Where the sun never reaches an angle the time is held at the hour angle's
// limit and says so; Dzuhur always has its sun.
TEST(Statuses, FallbackExactlyWhereTheSunMissesTheAltitude) {
  const struct {
    const char* what;
    CivilDate day;
    Place place;
    Method method;
    Statuses statuses;
  } kCases[] = {
      {"Jakarta", kExampleDay, kJakarta, MethodWith(20, 18), {N, N, N, N, N}},
      {"60 N in June, 18 degrees", {2004, 6, 21}, kHelsinki, MethodWith(18, 18), {F, N, N, N, F}},
      {"60 N in March, 18 degrees", {2004, 3, 20}, kHelsinki, MethodWith(18, 18), {N, N, N, N, N}},
      {"60 S in June", {2004, 6, 21}, {-60, 25, 2}, MethodWith(18, 18), {N, N, N, N, N}},
      {"66 N at midsummer", {2004, 6, 21}, kRovaniemi, MethodWith(18, 18), {F, N, N, F, F}},
      {"70 N at midwinter", {2004, 12, 21}, kTromso, MethodWith(18, 18), {N, N, F, F, N}},
  };
  for (const auto& c : kCases) {
    const DayTimes t = HitungWaktuSholat(c.day, c.place, c.method);
    EXPECT_TRUE(t.valid) << c.what;
    EXPECT_EQ(StatusesOf(t), c.statuses) << c.what;
  }
}

// The sun does not set: Maghrib ends a nominal 12-hour night's evening,
// Isya is held at the lower transit, after midnight.
TEST(Polar, MidsummerTakesANominalNight) {
  const DayTimes t = HitungWaktuSholat({2004, 6, 21}, kRovaniemi, MethodWith(18, 18));
  const Times times = Read(t);
  EXPECT_EQ((Times{times[0], times[3], times[4]}), (Times{"00:22", "18:22", "00:21"}));
  EXPECT_EQ(t[Prayer::kIsya].dayOffset, 1);
}

// West of the zone's meridian noon passes 13:00: the folded clock number is
// an afternoon time, not 02:xx.
TEST(Regression, DzuhurAfterOnePmStaysInTheAfternoon) {
  const struct { CivilDate day; int addDzuhur; const char* dzuhur; } kCases[] = {
      {{2004, 6, 15}, 2, "14:17"}, {{2004, 7, 26}, 0, "14:21"}, {{2004, 11, 3}, -30, "13:28"}};
  for (const auto& c : kCases)
    EXPECT_EQ(HHMM(HitungWaktuSholat(c.day, kMadrid, MethodWith(18, 18, c.addDzuhur, 2))
                       [Prayer::kDzuhur]),
              c.dzuhur) << c.day.month;
}

// Polar winter: Ashar and Maghrib held at noon (12:18), never folded, a
// minute apart after Dzuhur.
TEST(Regression, AfternoonPrayerAtTwelveStaysOnTheSameDay) {
  const DayTimes t = HitungWaktuSholat({2004, 12, 21}, kTromso, MethodWith(18, 18));
  EXPECT_EQ(HHMM(t[Prayer::kAshar]), "12:19");
  EXPECT_EQ(HHMM(t[Prayer::kMaghrib]), "12:20");
}

// Non-finite input once gave NaN times; a date beyond the calendar has no
// day to compute. Either way: no time at all, never a made-up one.
TEST(Regression, NonFiniteInputOrNoSuchDateGivesNoTime) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const Method m = MethodWith(20, 18, 2, 2);
  const struct {
    const char* what;
    CivilDate day;
    Place place;
    Method method;
  } kCases[] = {
      {"NaN latitude", kExampleDay, {nan, 106.8, 7}, m},
      {"infinite longitude", kExampleDay, {-6.2, inf, 7}, m},
      {"latitude beyond the doubles once in thousandths", kExampleDay, {1e308, 106.8, 7}, m},
      {"NaN zone", kExampleDay, {-6.2, 106.8, nan}, m},
      {"infinite Fajr angle", kExampleDay, kJakarta, MethodWith(inf, 18)},
      {"NaN Isya angle", kExampleDay, kJakarta, MethodWith(20, nan)},
      {"year 99", {99, 12, 31}, kJakarta, m},
      {"year 10000", {10000, 1, 1}, kJakarta, m},
      {"30 February", {2004, 2, 30}, kJakarta, m},
      {"29 February of a common year", {2003, 2, 29}, kJakarta, m},
      {"month 13", {2004, 13, 1}, kJakarta, m},
      {"day 0", {2004, 6, 0}, kJakarta, m},
  };
  for (const auto& c : kCases) {
    const DayTimes t = HitungWaktuSholat(c.day, c.place, c.method);
    EXPECT_FALSE(t.valid) << c.what;
    EXPECT_EQ(Read(t), Times(5, "--:--")) << c.what;
    EXPECT_EQ(StatusesOf(t), Statuses(5, N)) << c.what;
  }
  for (const CivilDate& day : {CivilDate{100, 1, 1}, CivilDate{9999, 12, 31}, CivilDate{2004, 2, 29}})
    EXPECT_TRUE(HitungWaktuSholat(day, kJakarta, m).valid) << day.year;
}

TEST(JulianDay, JanuaryFebruaryAndTheGregorianSwitch) {
  const struct { double y, m, d, jd; } kCases[] = {
      {2004, 1, 1, 2453005.5}, {2004, 2, 29, 2453064.5}, {2004, 3, 1, 2453065.5},
      {2004, 6, 1, 2453157.5}, {2000, 1, 1, 2451544.5},  {1900, 3, 1, 2415079.5},
      // The Julian 4th October 1582 was followed by the Gregorian 15th.
      {1582, 10, 15, 2299160.5}, {1582, 10, 4, 2299159.5}};
  for (const auto& c : kCases) EXPECT_EQ(JulianDay(c.y, c.m, c.d), c.jd) << c.y << "-" << c.m;
}

}  // namespace
}  // namespace qov::engine
