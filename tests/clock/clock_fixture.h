// A clock on the in-memory back end, and helpers to observe alerts.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "app/clockface.h"
#include "engine/datetime.h"
#include "platform/memory/memory_platform.h"

namespace qov::testing {

// The first-run place and parameters (Jakarta) that an empty store gives.
inline engine::WaktuSholat TimesFor(double day) {
  engine::WaktuSholat e;
  e.HitungWaktuSholat(day, -6.15, 106.816, 7, 2, 2, 1, 19, 20);
  return e;
}

// The clock holds that day's times exactly as a fresh engine computes them.
inline void ExpectTimesOf(ClockFace& c, double day) {
  auto all = [](const engine::WaktuSholat& e) {
    return std::vector<double>{e.WaktuShubuh, e.WaktuDzuhur, e.WaktuAshar, e.WaktuMaghrib, e.WaktuIsya};
  };
  EXPECT_EQ(c.ComputedDate, day);
  EXPECT_EQ(all(c.engine()), all(TimesFor(day)));
}

inline double At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
  return DateSerial(y, mo, d) + ((h * 60.0 + mi) * 60 + s) / 86400.0 + ms / 86400000.0;
}

class ClockTest : public ::testing::Test {
 protected:
  struct Alert {
    std::string name;
    double at;
  };

  // The window on the back end, not yet started: for what must come first.
  void Create() {
    c = std::make_unique<ClockFace>(p.services);
    h = p.Attach(c->form());
  }
  // Starts the program at the given moment on the store as it is (empty
  // unless the test filled it) and records every alert the tick starts.
  void StartAt(double when) {
    p.clock.SetValue(when);
    if (!c) Create();
    ASSERT_TRUE(StartClock(*c));
    auto tick = c->tmr->onTimer;
    c->tmr->onTimer = [this, tick] {
      const bool armed = c->AdzanArmed;
      tick();
      if (armed && !c->AdzanArmed) alerts.push_back({c->NamaSholat, p.clock.Now()});
    };
  }

  void Start() { StartAt(p.clock.Now()); }
  void Destroy() {
    p.Detach(c->form());
    c.reset();
  }
  void RunUntil(double when) { p.RunFor(std::llround((when - p.clock.Now()) * 86400000.0)); }

  memory::MemoryPlatform p;
  std::unique_ptr<ClockFace> c;
  ui::Handle h = 0;
  std::vector<Alert> alerts;
};

}  // namespace qov::testing
