// A started clock on the in-memory back end.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "app/clockface.h"
#include "platform/memory/memory_platform.h"

namespace qov {

class ChromeTest : public ::testing::Test {
 protected:
  void Create() {
    c = std::make_unique<ClockFace>(p.services);
    h = p.Attach(c->form());
  }
  void Start() {
    if (!c) Create();
    ASSERT_TRUE(StartClock(*c));
  }
  void Destroy() {
    p.Detach(c->form());
    c.reset();
  }
  void TearDown() override {
    if (c) Destroy();
  }

  memory::MemoryPlatform p;
  std::unique_ptr<ClockFace> c;
  ui::Handle h = 0;
};

}  // namespace qov
