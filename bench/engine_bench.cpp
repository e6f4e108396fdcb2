// Prayer-time engine: one day, and a year's schedule (219 ns a day when the
// pure engine replaced the first one, which took 762 ns on the same machine).
#include <benchmark/benchmark.h>

#include "engine/datetime.h"
#include "engine/prayer_times.h"

namespace {

using qov::CivilDate;
using qov::DateSerial;
namespace engine = qov::engine;

// The worked example: Jakarta, Fajr 20, Isya 18, two minutes added to each.
constexpr double kLat = -6.1744, kLon = 106.8294;
constexpr int16_t kZone = 7;

engine::Method ExampleMethod() {
  engine::Method m;
  m.fajrAngle = 20;
  m.isyaAngle = 18;
  m.addDzuhur = m.addMaghrib = 2;
  return m;
}

void BM_Engine_Day(benchmark::State& state) {
  CivilDate date{2004, 6, 15};
  engine::Place place{kLat, kLon, kZone};
  engine::Method method = ExampleMethod();
  for (auto _ : state) {
    benchmark::DoNotOptimize(date);
    benchmark::DoNotOptimize(place);
    benchmark::DoNotOptimize(method);
    engine::DayTimes t = engine::HitungWaktuSholat(date, place, method);
    benchmark::DoNotOptimize(t);
  }
}
BENCHMARK(BM_Engine_Day);

void BM_Engine_Year(benchmark::State& state) {
  const double first = DateSerial(2004, 1, 1);
  engine::Place place{kLat, kLon, kZone};
  engine::Method method = ExampleMethod();
  for (auto _ : state) {
    benchmark::DoNotOptimize(place);
    for (int day = 0; day < 366; ++day) {
      engine::DayTimes t = engine::HitungWaktuSholat(qov::DateOf(first + day), place, method);
      benchmark::DoNotOptimize(t);
    }
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * 366);
}
BENCHMARK(BM_Engine_Year)->Unit(benchmark::kMicrosecond);

}  // namespace

namespace {

// The Kemenag preset's full day (the accurate sun, each event iterated) and
// the default method's full day, for scale; and a day where the rule runs.
void BM_Kemenag_FullDay(benchmark::State& state) {
  CivilDate date{2023, 8, 20};
  engine::Place place{-5.1486, 119.4319, 8};
  const engine::Method method = engine::KemenagMethod();
  for (auto _ : state) {
    benchmark::DoNotOptimize(date);
    engine::FullDay t = engine::HitungHariLengkap(date, place, method);
    benchmark::DoNotOptimize(t);
  }
}
BENCHMARK(BM_Kemenag_FullDay);

void BM_Engine_FullDay(benchmark::State& state) {
  CivilDate date{2004, 6, 15};
  engine::Place place{kLat, kLon, kZone};
  const engine::Method method = ExampleMethod();
  for (auto _ : state) {
    benchmark::DoNotOptimize(date);
    engine::FullDay t = engine::HitungHariLengkap(date, place, method);
    benchmark::DoNotOptimize(t);
  }
}
BENCHMARK(BM_Engine_FullDay);

void BM_Engine_HighLatitudeRuleDay(benchmark::State& state) {
  CivilDate date{2026, 6, 21};
  engine::Place place{59.9139, 10.7522, 1};
  engine::Method method = ExampleMethod();
  method.highLatitudeRule = engine::HighLatitudeRule::kSeventhOfNight;
  for (auto _ : state) {
    benchmark::DoNotOptimize(date);
    engine::DayTimes t = engine::HitungWaktuSholat(date, place, method);
    benchmark::DoNotOptimize(t);
  }
}
BENCHMARK(BM_Engine_HighLatitudeRuleDay);

}  // namespace
