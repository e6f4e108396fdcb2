// The clock program on the in-memory back end, driven only as the user and
// the system drive it: menu items, controls and timers by the names the
// features give them, time through the platform's clock.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/clock_app.h"
#include "engine/datetime.h"
#include "engine/prayer_times.h"
#include "settings/settings.h"
#include "tests/data_lines.h"
#include "tests/support/memory_platform.h"

namespace qov::testing {

using memory::MemoryPlatform;

inline double At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
  return DateSerial(y, mo, d) + ((h * 60.0 + mi) * 60 + s) / 86400.0 + ms / 86400000.0;
}

// The location dialog makes the window this tall (434 pixels at 96 dpi).
inline constexpr float kDialogHeight = 6510;

inline std::string Stored(MemoryPlatform& p, const char* section, const char* key) { return p.settings.Get(section, key); }

struct Alert {
  std::string name;
  double at;  // the tick that started it
};

// One run of the program over a platform whose store may outlive it.
class Program {
 public:
  explicit Program(MemoryPlatform& p) : p_(p), app_(std::make_unique<ClockApp>(p.services)) { p.Attach(form()); }

  // Starts and records every alert: the tick that turns the blink on, or
  // that puts another prayer's name in place of one, starts one; the name
  // is what the digital time shows next.
  bool Start() {
    if (!app_->Start()) return false;
    ui::Timer* tick = form().FindTimer("tick");
    ui::Timer* blink = form().FindTimer("blink");
    if (!tick || !blink) return false;
    auto inner = tick->onTimer;
    tick->onTimer = [this, inner, blink] {
      const bool blinking = blink->enabled();
      const std::string before = Get("digitalTime").text();
      inner();
      ++ticks;
      const std::string& shown = Get("digitalTime").text();
      const bool name = shown.find(':') == std::string::npos;
      if ((!blinking && blink->enabled()) || (blinking && name && shown != before && before.find(':') == std::string::npos))
        alerts.push_back({"", p_.clock.Now()});
      if (!alerts.empty() && alerts.back().name.empty() && shown.find(':') == std::string::npos)
        alerts.back().name = shown;
    };
    return true;
  }

  ui::Form& form() { return app_->form(); }
  // A control of the clock, else of the newest open window over it.
  ui::Control& Get(const std::string& name, int index = -1) {
    ui::Control* c = form().Find(name, index);
    for (auto w = p_.windows.modal.rbegin(); !c && w != p_.windows.modal.rend(); ++w) c = (*w)->Find(name, index);
    if (!c) ADD_FAILURE() << "no control " << name;
    return c ? *c : form().Get(name, index);
  }
  ui::Timer& Timer(const std::string& name) { return *form().FindTimer(name); }
  ui::MenuItem& Item(const std::string& name) { return *form().menu().Find(name); }
  // The user picks a menu item.
  void Click(const std::string& item) {
    ui::MenuItem* m = form().menu().Find(item);
    ASSERT_TRUE(m && m->onClick) << item;
    m->onClick();
  }
  void Press(const std::string& control) {
    ui::Control& c = Get(control);
    ASSERT_TRUE(c.onClick) << control;
    c.onClick();
  }
  void Type(const std::string& box, const std::string& text) { Get(box).SetTextFromUser(text); }
  // "Exit" from the tray icon's menu.
  void Exit() {
    p_.windows.choose = "exit";
    p_.tray.Click(TrayIcon::Click::kRight);
  }
  bool Topmost() { return p_.window.Of(form()).topmost; }
  bool Sizable() { return p_.window.Of(form()).sizable; }

  std::vector<Alert> alerts;
  int64_t ticks = 0;

 private:
  MemoryPlatform& p_;
  std::unique_ptr<ClockApp> app_;
};

class AppTest : public ::testing::Test {
 protected:
  void StartAt(double when) {
    p.clock.SetValue(when);
    run.reset();
    run = std::make_unique<Program>(p);
    ASSERT_TRUE(run->Start());
  }
  void RunUntil(double when) { p.RunFor(std::llround((when - p.clock.Now()) * 86400000.0)); }
  // Stores a place as the location dialog would have.
  void StorePlace(const settings::Location& l) {
    settings::Settings(p.settings).SaveLocation(l);
    p.settings.writes.clear();
  }
  ui::Form& form() { return run->form(); }
  // The panel's times as the user reads them, top to bottom.
  std::vector<std::string> PanelRows() {
    run->Click("prayerTimes");
    std::vector<std::pair<float, std::string>> byTop;
    for (const auto& c : form().controls())
      if ((c->name() == "prayerTime" || c->name() == "extraTime") && c->visible()) byTop.push_back({c->top(), c->text()});
    std::sort(byTop.begin(), byTop.end());
    std::vector<std::string> rows;
    for (auto& [top, text] : byTop) rows.push_back(text);
    run->Press("prayerPanel");
    return rows;
  }

  MemoryPlatform p;
  std::unique_ptr<Program> run;
};

}  // namespace qov::testing
