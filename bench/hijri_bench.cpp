// Hijri calendar: one day's date (the clock asks once a day), a year of
// days asked one by one, and a year answered from one month table.
#include <benchmark/benchmark.h>

#include "engine/datetime.h"
#include "engine/hijri.h"
#include "engine/moon.h"

namespace {

using qov::engine::HijriDate;

void BM_CrescentAtSunset(benchmark::State& state) {
  for (auto _ : state) {
    auto c = qov::engine::CrescentAtSunset(2025, 2, 28, 5.9058, 95.2164);
    benchmark::DoNotOptimize(c);
  }
}
BENCHMARK(BM_CrescentAtSunset);

void BM_HijriFromCivil(benchmark::State& state) {
  for (auto _ : state) {
    HijriDate h = qov::engine::HijriFromCivil(2026, 3, 20);
    benchmark::DoNotOptimize(h);
  }
}
BENCHMARK(BM_HijriFromCivil)->Unit(benchmark::kMicrosecond);

void BM_HijriYearDayByDay(benchmark::State& state) {
  for (auto _ : state) {
    for (int day = 1; day <= 365; ++day) {
      const qov::CivilDate d = qov::DateOf(qov::DateSerial(2026, 1, day));
      HijriDate h = qov::engine::HijriFromCivil(d.year, d.month, d.day);
      benchmark::DoNotOptimize(h);
    }
  }
  state.SetItemsProcessed(state.iterations() * 365);
}
BENCHMARK(BM_HijriYearDayByDay)->Unit(benchmark::kMillisecond);

void BM_HijriYearFromTable(benchmark::State& state) {
  for (auto _ : state) {
    const auto months = qov::engine::HijriMonthsForYear(2026);
    for (int day = 1; day <= 365; ++day) {
      const qov::CivilDate d = qov::DateOf(qov::DateSerial(2026, 1, day));
      HijriDate h = qov::engine::HijriFromMonths(months, d.year, d.month, d.day);
      benchmark::DoNotOptimize(h);
    }
  }
  state.SetItemsProcessed(state.iterations() * 365);
}
BENCHMARK(BM_HijriYearFromTable)->Unit(benchmark::kMicrosecond);

}  // namespace
