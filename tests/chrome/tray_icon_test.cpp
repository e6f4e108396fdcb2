#include <algorithm>
#include <array>
#include <tuple>

#include "chrome/cls_tray_icon.h"
#include "tests/clock/clock_fixture.h"

namespace qov {
namespace {

using ChromeTest = testing::ClockTest;

constexpr uint32_t kCallback = 1025;
constexpr intptr_t kDblClk = 515, kRightDown = 516;

bool MenuHasExit(const memory::MemoryWindows& w) {
  return std::count(w.lastMenu.begin(), w.lastMenu.end(), "Exit") == 1;
}

TEST(ClsTrayIcon, TipFieldIsCutTerminatedAndPadded) {
  const struct {
    std::string text, field;
  } cases[] = {
      {std::string(70, 'a'), std::string(63, 'a') + '\0'},
      {std::string(63, 'b'), std::string(63, 'b') + '\0'},
      {"QOV Clock", std::string("QOV Clock") + '\0' + std::string(54, ' ')},
      {"", std::string(1, '\0') + std::string(63, ' ')},
  };
  memory::MemoryTray tray;
  ClsTrayIcon icon(tray);
  for (const auto& k : cases) {
    icon.SetToolTip(k.text);
    EXPECT_EQ(icon.ToolTip(), k.field) << k.text.size();
  }
}

TEST(ClsTrayIcon, RecordsAndRepeatedRemoval) {
  memory::MemoryTray tray;
  {
    ClsTrayIcon icon(tray);
    icon.SetIcon("MAINICON");
    icon.SetToolTip("QOV Clock");
    icon.SetParentHandle(0x1000);
    EXPECT_EQ(icon.trayCreate(), 1);
    icon.SetToolTip("x");
    EXPECT_EQ(icon.trayModify(), 1);
    icon.SetParentHandle(0x2000);  // removal still finds the icon it added
    EXPECT_EQ(icon.trayDelete(), 1);
    EXPECT_EQ(icon.trayDelete(), 0);
  }
  EXPECT_TRUE(tray.icons.empty());
  const Tray::Op ops[] = {Tray::kAdd, Tray::kModify, Tray::kDelete, Tray::kDelete, Tray::kDelete};
  ASSERT_EQ(tray.calls.size(), std::size(ops));
  for (size_t i = 0; i < std::size(ops); ++i) {
    const auto& [op, d] = tray.calls[i];
    EXPECT_EQ(std::make_tuple(op, d.hWnd, d.uID, d.uFlags, d.uCallbackMessage, d.iconId),
              std::make_tuple(ops[i], 0x1000, 114u, 7u, kCallback, std::string("MAINICON"))) << i;
  }
  EXPECT_EQ(tray.calls[1].second.tip.substr(0, 2), std::string("x\0", 2));
}

TEST_F(ChromeTest, IconLivesUntilExitFromItsMenu) {
  Start();
  const auto it = p.tray.icons.find({h, 114});
  ASSERT_NE(it, p.tray.icons.end());
  EXPECT_EQ(it->second.tip, std::string("QOV Clock") + '\0' + std::string(54, ' '));
  EXPECT_EQ(it->second.iconId, "MAINICON");

  p.windows.choose = "mExit";
  p.window.Deliver(h, kCallback, 114, kRightDown);
  EXPECT_TRUE(p.tray.icons.empty());
  EXPECT_EQ(p.window.windows[h].procToken, 0u);  // hook undone
  EXPECT_TRUE(p.settings.Has("PosisiWindow", "Panjang"));
  Destroy();  // the icon object's own removal finds nothing
  EXPECT_EQ(p.tray.calls.back().first, Tray::kDelete);
  EXPECT_TRUE(p.tray.icons.empty());
}

TEST_F(ChromeTest, HookPassesEveryMessageOnAndReturnsThePreviousResult) {
  Create();
  std::vector<std::array<intptr_t, 3>> seen;
  p.window.SubclassWindow(h, [&](ui::Handle, uint32_t m, uintptr_t w, intptr_t l) -> intptr_t {
    seen.push_back({m, static_cast<intptr_t>(w), l});
    return 7000 + m + l;
  });
  Start();
  const std::array<intptr_t, 3> msgs[] = {
      {kCallback, 114, kDblClk}, {kCallback, 114, kRightDown}, {kCallback, 114, 512}, {15, 0, 0}, {0x201, 1, 0x200010}};
  for (const auto& m : msgs) {
    EXPECT_EQ(p.window.Deliver(h, m[0], m[1], m[2]), 7000 + m[0] + m[2]);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back(), m);
  }
  EXPECT_EQ(seen.size(), std::size(msgs));
}

TEST_F(ChromeTest, OnlyDoubleAndRightClickOnTheClocksIconAct) {
  Start();
  c->Form_MouseDown(2, 0, 0, 0);
  EXPECT_FALSE(MenuHasExit(p.windows));
  c->digTime_MouseDown(2, 0, 10, 10);
  EXPECT_FALSE(MenuHasExit(p.windows));
  EXPECT_EQ(p.windows.popups, 2);
  c->form().Hide();
  const int popups = p.windows.popups;
  for (intptr_t l : {512, 513, 514, 517, 518}) p.window.Deliver(h, kCallback, 114, l);
  for (intptr_t l : {kDblClk, kRightDown}) c->WindowProc(h + 0x10, kCallback, 114, l);
  EXPECT_EQ(p.windows.popups, popups);
  EXPECT_FALSE(c->form().visible());
  EXPECT_FALSE(c->mExit->visible);

  for (int i = 0; i < 2; ++i) {  // shown, and stays shown
    p.window.Deliver(h, kCallback, 114, kDblClk);
    EXPECT_TRUE(c->form().visible());
  }
  p.window.Deliver(h, kCallback, 114, kRightDown);
  EXPECT_EQ(p.windows.popups, popups + 1);
  EXPECT_TRUE(MenuHasExit(p.windows));
  c->Picture1_MouseDown(2, 0, 0, 0);
  EXPECT_FALSE(MenuHasExit(p.windows));
}

// Hooking again replaces the hook rather than chaining to itself; a failed
// hook leaves none, and unhooking then leaves another's hook alone.
TEST_F(ChromeTest, HookingAgainReplacesTheHookAndAFailedHookLeavesNone) {
  Start();
  c->HookWindow(h);
  p.window.Deliver(h, kCallback, 114, kRightDown);
  EXPECT_EQ(p.windows.popups, 1);
  c->UnhookWindow();
  p.window.Deliver(h, kCallback, 114, kRightDown);
  EXPECT_EQ(p.windows.popups, 1);
  EXPECT_EQ(p.window.defaultProcMessages.size(), 2u);

  p.window.failSubclass = true;
  c->HookWindow(h);
  EXPECT_EQ(c->oldWindowProc, 0u);
  p.window.Deliver(h, kCallback, 114, kRightDown);
  EXPECT_EQ(p.windows.popups, 1);
  p.window.failSubclass = false;
  p.window.SubclassWindow(h, [](ui::Handle, uint32_t, uintptr_t, intptr_t) -> intptr_t { return 0; });
  const uintptr_t installed = p.window.windows[h].procToken;
  c->UnhookWindow();
  EXPECT_EQ(p.window.windows[h].procToken, installed);
}

}  // namespace
}  // namespace qov
