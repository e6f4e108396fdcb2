// The 300 ms heartbeat: one tmr_Timer call on the in-memory back end, the
// clock moving on by one tick each time through an ordinary hour (hands,
// digital text, prayer match; no alert, no engine call).
#include <benchmark/benchmark.h>

#include <cstdint>

#include "app/clockface.h"
#include "platform/memory/memory_platform.h"

namespace {

void TickThroughAnHour(benchmark::State& state, int16_t version) {
  qov::memory::MemoryPlatform p;
  qov::ClockFace c(p.services);
  p.Attach(c.form());
  if (!qov::StartClock(c)) {
    state.SkipWithError("start failed");
    return;
  }
  c.VersiDisplay = version;
  p.clock.Set(2004, 6, 15, 8, 0, 0);
  const int64_t start = p.clock.ms();
  int64_t tick = 0;
  for (auto _ : state) {
    // 12000 ticks are one hour; stay inside 08:00-09:00, clear of prayers.
    p.clock.SetMs(start + (tick++ % 12000) * 300);
    c.tmr_Timer();
    benchmark::DoNotOptimize(c.digTime->text().data());
  }
  state.counters["repaints/tick"] =
      benchmark::Counter(static_cast<double>(p.controlChanges), benchmark::Counter::kAvgIterations);
}

void BM_Tick_Version1(benchmark::State& state) { TickThroughAnHour(state, 1); }
void BM_Tick_Version2(benchmark::State& state) { TickThroughAnHour(state, 2); }
BENCHMARK(BM_Tick_Version1);
BENCHMARK(BM_Tick_Version2);

}  // namespace
