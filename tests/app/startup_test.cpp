// Start-up, shut-down, placement and the stored switches, on the in-memory
// back end.
#include <gtest/gtest.h>

#include <memory>

#include "app/clockface.h"
#include "app/settings.h"
#include "chrome/cls_style.h"
#include "platform/memory/memory_platform.h"

namespace qov {
namespace {

using memory::MemoryPlatform;

// One run of the program over a settings store that outlives it.
struct ProgramRun {
  explicit ProgramRun(MemoryPlatform& p) : platform(p), clock(std::make_unique<ClockFace>(p.services)) {
    p.Attach(clock->form());
  }
  bool Start() { return StartClock(*clock); }
  void Exit() {
    clock->mExit_Click();
    platform.Detach(clock->form());
  }
  MemoryPlatform& platform;
  std::unique_ptr<ClockFace> clock;
};

const memory::MemoryWindowApi::Window& Win(MemoryPlatform& p, ClockFace& c) { return p.window.windows[c.form().hWnd()]; }

std::string Stored(MemoryPlatform& p, const char* section, const char* key) {
  return p.settings.values[{section, key}];
}

TEST(FirstRun, WritesTheElevenLocationValuesInOrderAndNoWindowValue) {
  MemoryPlatform p;
  ProgramRun run(p);
  ASSERT_TRUE(run.Start());
  const std::vector<std::string> expected = {
      "Lokasi/AddDhuhur= 2",   "Lokasi/AddMaghrib= 2", "Lokasi/MazhabAshar= 1",
      "Lokasi/sudutFajar= 19", "Lokasi/sudutIsya= 20", "Lokasi/Kota=Jakarta",
      "Lokasi/LAT=-6.15",      "Lokasi/LONG= 106.816", "Lokasi/Time ZOne= 7",
      "Lokasi/Pop Delay= 5",   "Lokasi/Versi Display= 1"};
  EXPECT_EQ(p.settings.writes, expected);
  ClockFace& c = *run.clock;
  EXPECT_TRUE(c.mAOP->checked);
  EXPECT_TRUE(Win(p, c).topmost);
  EXPECT_TRUE(c.mAna->checked);
  EXPECT_FALSE(c.msuara->checked);
  EXPECT_TRUE(c.hHand->visible());
  EXPECT_TRUE(c.AdzanArmed);
  EXPECT_FALSE(c.mVer1->checked);
  EXPECT_FALSE(c.mVer2->checked);
}

TEST(FirstRun, OpensNearTheTopRightCornerOfTheScreen) {
  MemoryPlatform p;
  ProgramRun run(p);
  ASSERT_TRUE(run.Start());
  ui::Form& f = run.clock->form();
  const ScreenInfo s = p.screen.Info();
  // One tenth of the design width in from the right edge, a tenth of the
  // height down (in whole pixels).
  EXPECT_NEAR(f.left(), s.width - 1.1 * 2115, 15);
  EXPECT_NEAR(f.top(), 0.1 * 3075, 15);
  EXPECT_TRUE(f.visible());
}

TEST(LaterStart, ReadsBackWhatTheFirstRunWrote) {
  MemoryPlatform p;
  {
    ProgramRun first(p);
    ASSERT_TRUE(first.Start());
    first.Exit();
  }
  p.settings.writes.clear();
  ProgramRun second(p);
  ASSERT_TRUE(second.Start());
  ClockFace& c = *second.clock;
  EXPECT_EQ(c.Kota, "Jakarta");
  EXPECT_DOUBLE_EQ(c.Lat, -6.15);
  EXPECT_DOUBLE_EQ(c.Lon, 106.816);
  EXPECT_EQ(c.TimeZone, 7);
  EXPECT_EQ(c.AddDhuhur, 2);
  EXPECT_EQ(c.AddMaghrib, 2);
  EXPECT_EQ(c.MazhabAshar, 1);
  EXPECT_DOUBLE_EQ(c.SudutFajar, 19);
  EXPECT_DOUBLE_EQ(c.SudutIsya, 20);
  EXPECT_EQ(c.PopDelay, 5);
  EXPECT_EQ(c.VersiDisplay, 1);
  EXPECT_TRUE(p.settings.writes.empty()) << "a later start writes nothing it does not replace";
}

TEST(LaterStart, UnmovedWindowStaysNearTheCornerInsteadOfJumpingToZero) {
  MemoryPlatform p;
  float firstLeft = 0, firstTop = 0;
  {
    ProgramRun first(p);
    ASSERT_TRUE(first.Start());
    firstLeft = first.clock->form().left();
    firstTop = first.clock->form().top();
    first.Exit();
  }
  ASSERT_TRUE(p.settings.Has("PosisiWindow", "Panjang"));
  ASSERT_FALSE(p.settings.Has("PosisiWindow", "Top"));
  ProgramRun second(p);
  ASSERT_TRUE(second.Start());
  EXPECT_FLOAT_EQ(second.clock->form().left(), firstLeft);
  EXPECT_FLOAT_EQ(second.clock->form().top(), firstTop);
}

TEST(LaterStart, UntouchedSwitchesKeepWhatTheFirstRunShowed) {
  MemoryPlatform p;
  {
    ProgramRun first(p);
    ASSERT_TRUE(first.Start());
    first.Exit();
  }
  ProgramRun second(p);
  ASSERT_TRUE(second.Start());
  ClockFace& c = *second.clock;
  EXPECT_TRUE(c.mAna->checked);
  EXPECT_TRUE(c.hHand->visible());
  EXPECT_EQ(c.Picture1->picture(), ClockFace::kImage1);
  EXPECT_TRUE(c.mAOP->checked);
  EXPECT_TRUE(Win(p, c).topmost);
  EXPECT_FALSE(c.msuara->checked);
}

TEST(LaterStart, SwitchesTheUserTurnedOffStayOff) {
  MemoryPlatform p;
  {
    ProgramRun first(p);
    ASSERT_TRUE(first.Start());
    first.clock->mAna_Click();
    first.clock->mAOP_Click();
    first.Exit();
  }
  EXPECT_EQ(Stored(p, "PosisiWindow", "Analog"), "0");
  EXPECT_EQ(Stored(p, "PosisiWindow", "AOT"), "0");
  ProgramRun second(p);
  ASSERT_TRUE(second.Start());
  ClockFace& c = *second.clock;
  EXPECT_FALSE(c.mAna->checked);
  EXPECT_FALSE(c.hHand->visible());
  EXPECT_EQ(c.Picture1->picture(), ClockFace::kImage2);
  EXPECT_FALSE(c.mAOP->checked);
  EXPECT_FALSE(Win(p, c).topmost);
}

TEST(LaterStart, RestoresStoredHeightAndPosition) {
  MemoryPlatform p;
  p.settings.values = {{{"Lokasi", "Kota"}, "Bandung"},     {{"Lokasi", "Versi Display"}, " 1"},
                       {{"Lokasi", "Pop Delay"}, " 5"},     {{"PosisiWindow", "Panjang"}, " 4500"},
                       {{"PosisiWindow", "Top"}, " 1500"},  {{"PosisiWindow", "Left"}, " 3000"},
                       {{"PosisiWindow", "AOT"}, "-1"}};
  ProgramRun run(p);
  ASSERT_TRUE(run.Start());
  ui::Form& f = run.clock->form();
  EXPECT_FLOAT_EQ(f.height(), 4500);
  EXPECT_FLOAT_EQ(f.top(), 1500);
  EXPECT_FLOAT_EQ(f.left(), 3000);
  EXPECT_NEAR(f.width(), 4500 / 1.491383812010444, 15);
  EXPECT_TRUE(Win(p, *run.clock).topmost);
}

TEST(LaterStart, UnknownDisplayVersionLeavesTheLayoutAloneAndStaysUsable) {
  MemoryPlatform p;
  p.settings.values = {{{"Lokasi", "Kota"}, "Jakarta"}, {{"Lokasi", "Versi Display"}, "7"}};
  ProgramRun run(p);
  ASSERT_TRUE(run.Start());
  ClockFace& c = *run.clock;
  EXPECT_EQ(c.VersiDisplay, 7);
  EXPECT_FLOAT_EQ(c.form().width(), 2115);
  EXPECT_FLOAT_EQ(c.form().height(), 3075);
  c.mVer1_Click();
  c.mVer2_Click();
  EXPECT_FLOAT_EQ(c.form().width(), 2115);
  EXPECT_EQ(Stored(p, "Lokasi", "Versi Display"), "7");
  p.RunFor(3000);
}

TEST(SecondCopy, IsRefusedBeforeAnySettingIsTouched) {
  MemoryPlatform p;
  p.instance.another = true;
  ProgramRun run(p);
  EXPECT_FALSE(run.Start());
  ASSERT_EQ(p.dialogs.messages.size(), 1u);
  EXPECT_EQ(p.dialogs.messages[0].first, "Sudah ada yang jalan");
  EXPECT_EQ(p.dialogs.messages[0].second, "Jam QOV");
  EXPECT_EQ(p.settings.reads, 0);
  EXPECT_TRUE(p.settings.writes.empty());
  EXPECT_FALSE(run.clock->form().visible());
}

TEST(Unload, StoresTheHeightButNotThePosition) {
  MemoryPlatform p;
  ProgramRun run(p);
  ASSERT_TRUE(run.Start());
  p.settings.writes.clear();
  const float h = run.clock->form().height();
  run.Exit();
  ASSERT_EQ(p.settings.writes.size(), 1u);
  EXPECT_EQ(p.settings.writes[0], "PosisiWindow/Panjang=" + settings::SignedBlankSingle(h));
  EXPECT_EQ(run.clock->Style, nullptr);
}

TEST(AlwaysOnTop, RestatesPositionAndSizeInPixels) {
  MemoryPlatform p;
  ui::Form f("w");
  p.Attach(f);
  f.Move(9000, 300, 2130, 3195);
  SetAlwaysOnTop(f, false, p.window);
  ASSERT_FALSE(p.window.posCalls.empty());
  const auto& call = p.window.posCalls.back();
  EXPECT_EQ(call.after, WindowApi::kHwndNoTopmost);
  EXPECT_EQ(call.x, 600);
  EXPECT_EQ(call.y, 20);
  EXPECT_EQ(call.cx, 142);
  EXPECT_EQ(call.cy, 213);
  EXPECT_EQ(call.flags, 0u);
  EXPECT_TRUE(p.window.windows[f.hWnd()].active);
}

TEST(MenuSwitches, EachTogglesOnlyItsOwnKey) {
  MemoryPlatform p;
  ProgramRun run(p);
  ASSERT_TRUE(run.Start());
  ClockFace& c = *run.clock;
  p.settings.writes.clear();
  c.mAOP_Click();  // checked at first run: off
  c.mAOP_Click();
  c.msuara_Click();
  c.msuara_Click();
  const std::vector<std::string> expected = {"PosisiWindow/AOT=0", "PosisiWindow/AOT=-1",
                                             "PosisiWindow/Suara Adzhan=-1",
                                             "PosisiWindow/Suara Adzhan=0"};
  EXPECT_EQ(p.settings.writes, expected);
  EXPECT_TRUE(Win(p, c).topmost);
  EXPECT_FALSE(c.msuara->checked);
}

TEST(WindowStyle, ReadsBitsFromTheWindowItself) {
  MemoryPlatform p;
  ui::Form f("w");
  p.Attach(f);
  ClsStyle style(p.window);
  EXPECT_FALSE(style.Sizable()) << "no client: every get is False";
  style.SetSizable(true);
  EXPECT_EQ(p.window.windows[f.hWnd()].style, 0);
  style.SetClient(&f);
  p.window.windows[f.hWnd()].style = 0x800000;  // a border but no dialog frame
  EXPECT_TRUE(style.Titlebar());
  style.SetTitlebar(false);
  EXPECT_EQ(p.window.windows[f.hWnd()].style & 0xC00000, 0);
  style.SetSizable(true);
  EXPECT_TRUE(style.Sizable());
  EXPECT_GE(p.window.windows[f.hWnd()].redraws, 2) << "the frame is redrawn after each change";
  SetAlwaysOnTop(f, true, p.window);
  EXPECT_TRUE(style.TopMost()) << "made topmost by other code";
  style.SetTopMost(false);
  EXPECT_FALSE(style.TopMost());
  p.window.refusedStyleBits = ClsStyle::WS_MAXIMIZEBOX;
  style.SetMaxButton(true);
  EXPECT_FALSE(style.MaxButton());
}

TEST(WindowStyle, AutoSysMenuAndAutoDrag) {
  MemoryPlatform p;
  ui::Form f("w");
  p.Attach(f);
  ClsStyle style(p.window);
  style.SetClient(&f);
  style.mClient_MouseDown(1);
  style.mClient_MouseUp(2);
  EXPECT_TRUE(p.window.sent.empty()) << "both off: the class does nothing";
  style.SetAutoDrag(true);
  style.SetAutoSysMenu(true);
  p.window.cursorX = 700;
  p.window.cursorY = 40000;  // beyond 16 bits wraps as the message packs it
  style.mClient_MouseUp(1);
  style.mClient_MouseUp(4);
  EXPECT_TRUE(p.window.sent.empty());
  style.mClient_MouseUp(2);
  style.mClient_MouseDown(1);
  ASSERT_EQ(p.window.sent.size(), 2u);
  EXPECT_EQ(p.window.sent[0].msg, 0x313u);
  EXPECT_EQ(p.window.sent[0].lParam, ClsStyle::MakeLParam(static_cast<int16_t>(40000), 700));
  EXPECT_EQ(p.window.sent[1].msg, 0xA1u);
  EXPECT_EQ(p.window.sent[1].wParam, 2u);
  EXPECT_EQ(p.window.captureReleases, 1);
  EXPECT_EQ(ClsStyle::MakeLParam(-1, 5), static_cast<int32_t>(0xFFFF0005u));
}

}  // namespace
}  // namespace qov
