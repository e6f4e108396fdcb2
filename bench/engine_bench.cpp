// Prayer-time engine: one day's computation and a year's schedule, called
// the way the clock and qov-jadwal call it (one instance, calls in sequence).
#include <benchmark/benchmark.h>

#include "engine/datetime.h"
#include "engine/waktu_sholat.h"

namespace {

using qov::DateSerial;
using qov::engine::WaktuSholat;

void BM_HitungWaktuSholat(benchmark::State& state) {
  WaktuSholat w;
  double date = DateSerial(2004, 6, 15);
  for (auto _ : state) {
    w.HitungWaktuSholat(date, -6.1744, 106.8294, 7, 2, 2, 1, 20, 18);
    benchmark::DoNotOptimize(w.WaktuIsya);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_HitungWaktuSholat);

void BM_YearSchedule(benchmark::State& state) {
  WaktuSholat w;
  const double first = DateSerial(2004, 1, 1);
  for (auto _ : state) {
    for (int day = 0; day < 365; ++day) {
      w.HitungWaktuSholat(first + day, -6.1744, 106.8294, 7, 2, 2, 1, 20, 18);
      benchmark::DoNotOptimize(w.WaktuIsya);
    }
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * 365);
}
BENCHMARK(BM_YearSchedule)->Unit(benchmark::kMicrosecond);

}  // namespace
