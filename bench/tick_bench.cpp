// The 300 ms heartbeat through ClockApp on the in-memory back end: the
// clock moving on by one tick each time through an ordinary hour (hands,
// digital text, prayer match; no alert).
#include <benchmark/benchmark.h>

#include "app/clock_app.h"
#include "tests/support/memory_platform.h"

namespace {

void TickThroughAnHour(benchmark::State& state, const char* version) {
  qov::memory::MemoryPlatform p;
  p.settings.values = {{{"Lokasi", "Kota"}, "Jakarta"}, {{"Lokasi", "Versi Display"}, version}};
  qov::ClockApp app(p.services);
  p.Attach(app.form());
  p.clock.Set(2004, 6, 15, 8, 0, 0);
  if (!app.Start()) {
    state.SkipWithError("start failed");
    return;
  }
  const int64_t start = p.clock.ms();
  for (auto _ : state) {
    // 12000 ticks are one hour; stay inside 08:00-09:00, clear of prayers.
    if (p.clock.ms() - start > 3500000) p.JumpTo(static_cast<double>(start) / 86400000.0);
    p.RunFor(300);
    benchmark::DoNotOptimize(app.form().Find("digitalTime")->text().data());
  }
  state.counters["repaints/tick"] =
      benchmark::Counter(static_cast<double>(p.controlChanges), benchmark::Counter::kAvgIterations);
}

void BM_Tick_Version1(benchmark::State& state) { TickThroughAnHour(state, " 1"); }
void BM_Tick_Version2(benchmark::State& state) { TickThroughAnHour(state, " 2"); }
BENCHMARK(BM_Tick_Version1);
BENCHMARK(BM_Tick_Version2);

}  // namespace
