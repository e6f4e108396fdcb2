// The engine through its public routine: the worked example, the method's
// rules, the statuses and the faults it once had.
#include "engine/prayer_times.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/datetime.h"
#include "tests/engine/reference_table.h"

namespace qov::engine {
namespace {

using testing::HHMM;
using testing::ReadTable;

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

const CivilDate kExampleDay{2004, 6, 15};
const Place kJakarta{-6.1744, 106.8294, 7};

// tests/engine/data/prayer_cases.csv, each row saying what it checks.
TEST(PrayerTimes, TheCasesFile) {
  static const char* kNames[] = {"shubuh", "dzuhur", "ashar", "maghrib", "isya"};
  const auto rows = ReadTable("prayer_cases.csv");
  ASSERT_GE(rows.size(), 24u);
  for (const auto& r : rows) {
    const CivilDate day{std::stoi(r.at("year")), std::stoi(r.at("month")), std::stoi(r.at("day"))};
    const DayTimes t =
        HitungWaktuSholat(day, testing::PlaceOf(r),
                          MethodWith(std::stod(r.at("fajr_angle")), std::stod(r.at("isya_angle")),
                                     std::stoi(r.at("add_dzuhur")), std::stoi(r.at("add_maghrib"))));
    EXPECT_EQ(t.valid, r.at("shubuh") != "--:--") << r.at("what");
    std::string statuses;
    for (int k = 0; k < kPrayerCount; ++k) {
      const PrayerTime& p = t.times[k];
      const std::string got = HHMM(p.minuteOfDay) + (p.dayOffset > 0 ? "+" : "") +
                              (p.dayOffset ? std::to_string(p.dayOffset) : "");
      EXPECT_TRUE(r.at(kNames[k]).empty() || got == r.at(kNames[k])) << r.at("what") << ": " << kNames[k] << " " << got;
      statuses += p.status == TimeStatus::kNormal ? 'N' : p.status == TimeStatus::kFallback ? 'F' : 'R';
    }
    EXPECT_TRUE(r.at("statuses").empty() || statuses == r.at("statuses")) << r.at("what") << ": " << statuses;
  }
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
