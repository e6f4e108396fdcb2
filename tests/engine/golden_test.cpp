// The engine against times nobody here computed with it: an independent
// solar model (tools/jadwal/crosscheck.py wrote golden.csv) within two
// minutes, and the clock's first engine, frozen when this one replaced it,
// to the minute (frozen_engine.csv).
#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <string>

#include "engine/prayer_times.h"
#include "tests/engine/reference_table.h"

namespace qov::engine {
namespace {

using testing::DateOfIso;
using testing::HHMM;
using testing::MinutesOf;
using testing::ReadTable;

TEST(Golden, TablesOfIndependentAndFrozenTimes) {
  static const char* kNames[] = {"shubuh", "dzuhur", "ashar", "maghrib", "isya"};
  const struct {
    const char* file;
    int allowedMinutes;
    size_t minRows;
  } kTables[] = {{"golden.csv", 2, 30}, {"frozen_engine.csv", 0, 1500}};
  for (const auto& table : kTables) {
    int worst = 0;
    std::string worstWhere;
    const auto rows = ReadTable(table.file);
    EXPECT_GE(rows.size(), table.minRows) << table.file;
    for (const auto& r : rows) {
      // The rows keep the Isya angles within 10..20, so the angles go to
      // the engine as they stand.
      const Place place{std::stod(r.at("lat")), std::stod(r.at("lon")), std::stod(r.at("tz"))};
      Method method;
      method.addDzuhur = std::stoi(r.at("add_dzuhur"));
      method.addMaghrib = std::stoi(r.at("add_maghrib"));
      method.mazhab = r.at("ashar_factor") == "1" ? Mazhab::kShafii : Mazhab::kHanafi;
      method.fajrAngle = std::stoi(r.at("fajr_angle"));
      method.isyaAngle = std::stoi(r.at("isya_angle"));
      const DayTimes t = HitungWaktuSholat(DateOfIso(r.at("date")), place, method);
      for (int k = 0; k < kPrayerCount; ++k) {
        const int want = MinutesOf(r.at(kNames[k])), got = t.times[k].minuteOfDay;
        const int error = std::abs(got - want);
        EXPECT_LE(error, table.allowedMinutes) << table.file << " " << r.at("place") << " " << r.at("date") << " "
                                               << kNames[k] << ": engine " << HHMM(got) << ", table " << HHMM(want);
        if (error > worst) worst = error, worstWhere = r.at("place") + " " + r.at("date") + " " + kNames[k];
      }
    }
    std::cout << "[ golden   ] " << table.file << ": " << rows.size() << " rows, worst " << worst << " min"
              << (worst ? " (" + worstWhere + ")" : "") << "\n";
  }
}

}  // namespace
}  // namespace qov::engine
