// The Kemenag method against published schedules (kemenag_golden.csv, the
// page of each row in its source column), and the full day's extra times
// against an independent sun.
#include <gtest/gtest.h>

#include <cmath>
#include <iostream>

#include "engine/prayer_times.h"
#include "tests/engine/reference_table.h"

namespace qov::engine {
namespace {

using testing::DateOfIso;
using testing::HHMM;
using testing::MinutesOf;
using testing::ReadTable;
using testing::Worst;

const struct {
  const char* column;
  Waktu waktu;
} kColumns[] = {{"imsak", Waktu::kImsak},   {"subuh", Waktu::kShubuh}, {"terbit", Waktu::kTerbit},
                {"dhuha", Waktu::kDhuha},   {"dzuhur", Waktu::kDzuhur}, {"ashar", Waktu::kAshar},
                {"maghrib", Waktu::kMaghrib}, {"isya", Waktu::kIsya}};

using testing::PlaceOf;

// Published to the minute; the coordinates are the seats' (Kemenag's own
// points are unpublished), so a minute either way is within the data.
TEST(Kemenag, PublishedSchedulesWithinAMinute) {
  const auto rows = ReadTable("kemenag_golden.csv");
  ASSERT_GE(rows.size(), 40u);
  int times = 0, equal = 0, withinOne = 0;
  Worst worst;
  for (const auto& r : rows) {
    const FullDay d = HitungHariLengkap(DateOfIso(r.at("date")), PlaceOf(r), KemenagMethod());
    ASSERT_TRUE(d.valid) << r.at("place");
    for (const auto& c : kColumns) {
      const int published = MinutesOf(r.at(c.column));
      if (published < 0) continue;
      EXPECT_EQ(d[c.waktu].status, TimeStatus::kNormal);
      const int diff = d[c.waktu].minuteOfDay - published;
      ++times;
      equal += diff == 0;
      withinOne += std::abs(diff) <= 1;
      worst.See(diff, r.at("place") + " " + r.at("date") + " " + c.column + ": published " +
                          r.at(c.column) + ", engine " + HHMM(d[c.waktu].minuteOfDay));
      // One page (Medan 2022-04-18) is off by a minute on four times and
      // two on Dhuha: it follows another table.
      EXPECT_LE(std::abs(diff), 2) << worst.where;
    }
  }
  const double equalShare = 100.0 * equal / times, withinShare = 100.0 * withinOne / times;
  std::cout << "[ kemenag  ] " << times << " published times: " << equalShare << "% equal, "
            << withinShare << "% within 1 min, worst " << worst.minutes << " (" << worst.where
            << ")\n";
  EXPECT_GE(withinShare, 97.0);
  EXPECT_GE(equalShare, 60.0);
}

// Each rule of the method moves its own time: the published rows fit the
// preset better than the variants the research ruled out.
TEST(Kemenag, EachRuleEarnsItsPlace) {
  const auto rows = ReadTable("kemenag_golden.csv");
  auto equalTimes = [&](const Method& m, bool withElevation) {
    int equal = 0;
    for (const auto& r : rows) {
      Place p = PlaceOf(r);
      if (!withElevation) p.elevation = 0;
      const FullDay d = HitungHariLengkap(DateOfIso(r.at("date")), p, m);
      for (const auto& c : kColumns)
        equal += d[c.waktu].minuteOfDay == MinutesOf(r.at(c.column));
    }
    return equal;
  };
  const auto variant = [](auto change) {
    Method m = KemenagMethod();
    change(m);
    return m;
  };
  const int preset = equalTimes(KemenagMethod(), true);
  const struct {
    const char* what;
    int equal;
  } kVariants[] = {
      {"Dzuhur +2", equalTimes(variant([](Method& m) { m.addDzuhur = 2; }), true)},
      {"horizon -0.8333", equalTimes(variant([](Method& m) { m.horizon = -0.8333; }), true)},
      {"elevation ignored", equalTimes(KemenagMethod(), false)},
      {"the tables' sun", equalTimes(variant([](Method& m) { m.sun = SunTheory::kTables; }), true)},
      {"clock numbers", equalTimes(variant([](Method& m) { m.rounding = Rounding::kClockNumber; }), true)}};
  for (const auto& v : kVariants) EXPECT_LT(v.equal, preset) << v.what;
}

// Terbit against adhan's sunrise (highlat and quarter-hour files, horizon
// -0.8333, rounded to the nearest minute): the engine drops the seconds
// (Kemenag rounding), so a minute either way is the rounding alone. The
// tables' sun stands at 0h of the day and its horizon 0.07 degree lower
// (the 5 m observer): two minutes, as golden_test.cpp allows it.
TEST(FullDay, TerbitAgreesWithAnIndependentSunrise) {
  Method accurate = KemenagMethod();
  accurate.horizon = -0.8333;
  accurate.addTerbit = 0;
  Method tables;
  tables.fajrAngle = 20;
  tables.isyaAngle = 18;
  const struct {
    const char* what;
    Method method;
    int tolerance;
  } kMethods[] = {{"accurate sun", accurate, 1}, {"tables' sun", tables, 2}};
  for (const auto& m : kMethods) {
    int compared = 0;
    Worst worst;
    for (const char* file : {"highlat_reference.csv", "fractional_zones_reference.csv"}) {
      for (const auto& r : ReadTable(file)) {
        if (r.at("rule") == "TwilightAngle" || (r.at("rule") == "MiddleOfTheNight" && file[0] == 'h'))
          continue;  // the same days again under another rule
        const FullDay d = HitungHariLengkap(DateOfIso(r.at("date")), PlaceOf(r), m.method);
        if (d[Waktu::kTerbit].status != TimeStatus::kNormal) continue;
        const int diff = d[Waktu::kTerbit].minuteOfDay - MinutesOf(r.at("sunrise"));
        ++compared;
        worst.See(diff, r.at("place") + " " + r.at("date"));
        EXPECT_LE(std::abs(diff), m.tolerance) << m.what << " " << worst.where;
      }
    }
    std::cout << "[ terbit   ] " << m.what << ": " << compared << " sunrises, worst " << worst.minutes
              << " min (" << worst.where << ")\n";
    EXPECT_GT(compared, 250);
  }
}

// Dhuha by the two sun theories, each its own code: the tables' (sun once
// a day, altitudes shifted by the 5 m dip) and the accurate one (iterated
// at the event).
TEST(FullDay, DhuhaByTheTwoSunsAgrees) {
  Method tables;
  tables.rounding = Rounding::kSecondsUp;
  Method accurate = tables;
  accurate.sun = SunTheory::kAccurate;
  Worst worst;
  for (const Place& p : {Place{-6.2, 106.8, 7}, Place{3.58, 98.67, 7}, Place{-8.65, 115.2, 8},
                         Place{-2.53, 140.72, 9}, Place{51.5, -0.13, 0}, Place{-33.9, 151.2, 10}})
    for (int month = 1; month <= 12; ++month)
      for (int day : {1, 15}) {
        const CivilDate date{2026, month, day};
        const int a = HitungHariLengkap(date, p, tables)[Waktu::kDhuha].minuteOfDay;
        const int b = HitungHariLengkap(date, p, accurate)[Waktu::kDhuha].minuteOfDay;
        worst.See(a - b, std::to_string(p.latitude) + " " + std::to_string(month) + "-" +
                             std::to_string(day));
        EXPECT_LE(std::abs(a - b), 1) << worst.where;
      }
  std::cout << "[ dhuha    ] tables' against accurate sun: worst " << worst.minutes << " min ("
            << worst.where << ")\n";
}

// The full day is in its order, Imsak the method's minutes before Shubuh,
// and its five are the routine's.
TEST(FullDay, OrderImsakAndTheFive) {
  const CivilDate date{2026, 3, 4};
  const Place surabaya{-7.2492, 112.7508, 7};
  for (const Method& m : {Method{}, KemenagMethod()}) {
    const FullDay d = HitungHariLengkap(date, surabaya, m);
    ASSERT_TRUE(d.valid);
    for (int k = 1; k < kWaktuCount; ++k) EXPECT_LT(d.times[k - 1].minuteOfDay, d.times[k].minuteOfDay) << k;
    EXPECT_EQ(d[Waktu::kShubuh].minuteOfDay - d[Waktu::kImsak].minuteOfDay, m.imsakBeforeShubuh);
    const DayTimes five = HitungWaktuSholat(date, surabaya, m);
    for (int k = 0; k < kPrayerCount; ++k) {
      EXPECT_EQ(d[static_cast<Prayer>(k)].minuteOfDay, five.times[k].minuteOfDay) << k;
      EXPECT_EQ(d.Five().times[k].minuteOfDay, five.times[k].minuteOfDay) << k;
    }
  }
}

}  // namespace
}  // namespace qov::engine
