// The Win32 back end's bookkeeping between the system and the model: mouse
// routing with capture, timers kept in step, and the context menu's build.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "backends/common/menu_plan.h"
#include "backends/common/mouse_router.h"
#include "backends/common/timer_plan.h"
#include "tests/data_lines.h"

namespace qov::desktop {
namespace {

using ui::Kind;

constexpr Scale k96{15, 15};
constexpr int L = MouseRouter::kLeft, R = MouseRouter::kRight;

// A face box over a digital text, every event written to a log as
// "surface:event:button:x,y".
struct Surfaces {
  ui::Form form{"clockface"};
  ui::Control& face = form.Add(Kind::PictureBox, "Picture1");
  ui::Control& text = form.Add(Kind::Label, "digTime");
  std::vector<std::string> log;
  MouseRouter router;

  Surfaces() {
    face.Move(0, 0, 1500, 1500);    // 100 x 100 px
    text.Move(0, 1500, 1500, 300);  // 100 x 20 px below
    Wire("form", form);
    Wire("face", face);
    Wire("text", text);
  }
  template <class Surface>
  void Wire(const std::string& who, Surface& s) {
    auto mouse = [this, who](const char* what) {
      return [this, who, what](int b, int, float x, float y) {
        log.push_back(who + ":" + what + ":" + std::to_string(b) + ":" + std::to_string(int(x)) + "," + std::to_string(int(y)));
      };
    };
    std::tie(s.onMouseDown, s.onMouseMove, s.onMouseUp) = std::tuple(mouse("down"), mouse("move"), mouse("up"));
    s.onClick = [this, who] { log.push_back(who + ":click"); };
    s.onDblClick = [this, who] { log.push_back(who + ":dblclick"); };
  }
  bool Down(int b, int px, int py) { return router.Down(form, b, 0, px, py, k96); }
  bool Up(int b, int held, int px, int py) { return router.Up(form, b, held, 0, px, py, k96); }
  void Move(int held, int px, int py) { router.Move(form, held, 0, px, py, k96); }
};

// Each press belongs to the surface it began on until every button is up;
// a Click needs the release on that same surface and a single button.
TEST(MouseRouting, APressKeepsItsSurfaceUntilEveryButtonIsUp) {
  const struct {
    const char* what;
    void (*act)(Surfaces&);
  } cases[] = {
      {"release on the pressed surface", [](Surfaces& s) { s.Down(L, 10, 105); s.Up(L, 0, 11, 106); }},
      {"what no control covers is the form's", [](Surfaces& s) { s.Down(L, 120, 10); s.Up(L, 0, 120, 10); }},
      {"a drag across a neighbour, released there",
       [](Surfaces& s) {
         EXPECT_TRUE(s.Down(L, 10, 10));
         s.Move(L, 10, 110);  // now over the digital text
         s.Move(L, -5, 110);  // and out of the window: the capture reports it
         EXPECT_FALSE(s.Up(L, 0, 12, 115));
         s.Move(0, 10, 110);  // no Click, and the press is over
       }},
      {"a double click, in the classic order without a second press",
       [](Surfaces& s) {
         s.Down(L, 5, 5);
         s.Up(L, 0, 5, 5);
         EXPECT_TRUE(s.router.DoubleClick(s.form, 0, 5, 5, k96));
         EXPECT_FALSE(s.Up(L, 0, 5, 5));
       }},
      {"a chord: no Click",
       [](Surfaces& s) {
         s.Down(L, 5, 5);
         EXPECT_TRUE(s.Down(R, 5, 105));  // still the face's press
         EXPECT_TRUE(s.Up(L, R, 5, 5));
         EXPECT_FALSE(s.Up(R, 0, 5, 5));
       }},
      {"a context menu takes the capture and swallows the release",
       [](Surfaces& s) {
         s.face.onMouseDown = [&s](int, int, float, float) { s.router.CaptureLost(); };
         EXPECT_FALSE(s.Down(R, 5, 5));
         EXPECT_FALSE(s.router.pressed());
         s.Move(0, 5, 105);  // moves go where the pointer is again
         EXPECT_FALSE(s.Up(R, 0, 5, 105));  // and a stray release reaches no one
       }},
  };
  std::map<std::string, std::vector<std::string>> heard;  // data/mouse_routing.txt
  for (auto& row : testing::DataRows("desktop/data/mouse_routing.txt")) heard[row[0]].assign(row.begin() + 1, row.end());
  for (const auto& k : cases) {
    SCOPED_TRACE(k.what);
    Surfaces s;
    k.act(s);
    ASSERT_TRUE(heard.count(k.what));
    EXPECT_EQ(s.log, heard[k.what]);
  }
}

// ---------------------------------------------------------------- timers

// Each step changes the timer, then plans; a tick already queued fires only
// while the timer is armed and running.
TEST(TimerPlan, FollowsEveryRestartAndStop) {
  ui::Form f("f");
  ui::Timer& t = f.AddTimer("tmr", 300, true);
  ArmedTimer state;
  const struct {
    const char* what;
    std::function<void()> change;
    TimerAction plan;
    bool fires;
  } steps[] = {
      {"created enabled", [] {}, TimerAction::kSet, true},
      {"nothing changed", [] {}, TimerAction::kNone, true},
      {"same interval set again restarts", [&] { t.SetInterval(300); }, TimerAction::kSet, true},
      {"disabled", [&] { t.SetEnabled(false); }, TimerAction::kKill, false},
      {"interval while disabled", [&] { t.SetInterval(2000); }, TimerAction::kNone, false},
      {"enabled again", [&] { t.SetEnabled(true); }, TimerAction::kSet, true},
      {"interval 0 never fires", [&] { t.SetInterval(0); }, TimerAction::kKill, false},
      {"already stopped", [&] { t.SetEnabled(false); }, TimerAction::kNone, false},
  };
  for (const auto& k : steps) {
    k.change();
    EXPECT_TRUE(k.fires || !ShouldFire(t, state)) << k.what << ": a queued tick";
    EXPECT_EQ(PlanTimer(t, state), k.plan) << k.what;
    EXPECT_EQ(ShouldFire(t, state), k.fires) << k.what;
  }
  ui::Timer& off = f.AddTimer("Timer2", 1000, false);
  ArmedTimer offState;
  EXPECT_EQ(PlanTimer(off, offState), TimerAction::kNone) << "created disabled: never armed";
  EXPECT_FALSE(offState.armed);
}

// ------------------------------------------------------------------ menus

std::string Describe(const MenuPlan& plan) {
  std::string s;
  for (const MenuStep& step : plan.steps) {
    if (step.type == MenuStep::kItem)
      s += step.caption + (step.checked ? "*" : "") + (step.enabled ? "" : "~") + "#" + std::to_string(step.id);
    s += step.type == MenuStep::kSeparator ? "-" : step.type == MenuStep::kBeginSubmenu ? step.caption + "[" : "";
    s += step.type == MenuStep::kEndSubmenu ? "] " : " ";
  }
  return s;
}

TEST(MenuPlan, BuildsTheVisibleTreeAndFindsEveryChosenItem) {
  ui::MenuItem root;
  root.visible = false;  // the hidden top-level menu itself is never an entry
  ui::MenuItem& web = root.Add("webSite", "QOV Web Site");
  root.Add("separatorAfterWebSite", "-");
  root.Add("alwaysOnTop", "Always On Top", true);
  ui::MenuItem& sete = root.Add("settings", "Setting");
  sete.Add("analogClock", "Analog Clock", true);
  ui::MenuItem& disp = sete.Add("clockDisplay", "Clock Display");
  disp.Add("version1", "Versi 1");
  ui::MenuItem& ver2 = disp.Add("version2", "Versi 2");
  ui::MenuItem& lok = sete.Add("location", "Lokasi");
  lok.enabled = false;
  root.Add("separatorBeforeExit", "-");
  root.Add("exit", "Exit").visible = false;

  const MenuPlan plan = PlanMenu(root);
  EXPECT_EQ(Describe(plan),
            "QOV Web Site#1 - Always On Top*#2 Setting[ Analog Clock*#3 Clock Display[ Versi 1#4 Versi 2#5 ] "
            "Lokasi~#6 ] - ");
  EXPECT_EQ(plan.Find(1), &web);
  EXPECT_EQ(plan.Find(5), &ver2);
  EXPECT_EQ(plan.Find(0), nullptr);  // the menu closed unchosen
  EXPECT_EQ(plan.Find(7), nullptr);
}

}  // namespace
}  // namespace qov::desktop
