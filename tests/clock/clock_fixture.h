// A started clock on the in-memory back end, and helpers to observe alerts.
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

inline double At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
  return DateSerial(y, mo, d) + ((h * 60.0 + mi) * 60 + s) / 86400.0 + ms / 86400000.0;
}

class ClockTest : public ::testing::Test {
 protected:
  struct Alert {
    std::string name;
    double at;
  };

  // Starts the program at the given moment on an empty store and records
  // every alert the tick starts.
  void StartAt(double when) {
    p.clock.SetValue(when);
    c = std::make_unique<ClockFace>(p.services);
    p.Attach(c->form());
    ASSERT_TRUE(StartClock(*c));
    auto tick = c->tmr->onTimer;
    c->tmr->onTimer = [this, tick] {
      const bool armed = c->AdzanArmed;
      tick();
      if (armed && !c->AdzanArmed) alerts.push_back({c->NamaSholat, p.clock.Now()});
    };
  }

  void RunUntil(double when) { p.RunFor(std::llround((when - p.clock.Now()) * 86400000.0)); }

  memory::MemoryPlatform p;
  std::unique_ptr<ClockFace> c;
  std::vector<Alert> alerts;
};

}  // namespace qov::testing
