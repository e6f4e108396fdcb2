// Start-up, shut-down, placement and the stored switches, on the in-memory
// back end.
#include <gtest/gtest.h>

#include <memory>
#include <tuple>
#include <vector>

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

// The switches as a first run shows them, and a later start that finds
// none of them stored: sound off, analog and on top on.
void ExpectFirstRunSwitches(MemoryPlatform& p, ClockFace& c) {
  EXPECT_TRUE(c.mAOP->checked);
  EXPECT_TRUE(Win(p, c).topmost);
  EXPECT_TRUE(c.mAna->checked);
  EXPECT_TRUE(c.hHand->visible());
  EXPECT_EQ(c.Picture1->picture(), ClockFace::kImage1);
  EXPECT_FALSE(c.msuara->checked);
}

// A first run stores the location at once and only the height at unload;
// the next start reads it all back, writes nothing, and neither jumps to
// 0,0 (no "Top" was stored) nor changes a switch no one touched.
TEST(FirstThenLaterRun, StoresTheLocationThenTheHeightAndReadsThemBack) {
  MemoryPlatform p;
  float left = 0, top = 0;
  {
    ProgramRun first(p);
    ASSERT_TRUE(first.Start());
    const std::vector<std::string> eleven = {
        "Lokasi/AddDhuhur= 2",   "Lokasi/AddMaghrib= 2", "Lokasi/MazhabAshar= 1",
        "Lokasi/sudutFajar= 19", "Lokasi/sudutIsya= 20", "Lokasi/Kota=Jakarta",
        "Lokasi/LAT=-6.15",      "Lokasi/LONG= 106.816", "Lokasi/Time ZOne= 7",
        "Lokasi/Pop Delay= 5",   "Lokasi/Versi Display= 1"};
    EXPECT_EQ(p.settings.writes, eleven);
    ClockFace& c = *first.clock;
    ExpectFirstRunSwitches(p, c);
    EXPECT_TRUE(c.AdzanArmed);
    EXPECT_FALSE(c.mVer1->checked || c.mVer2->checked);
    // A tenth of the design width in from the right edge, a tenth of the
    // height down (in whole pixels).
    ui::Form& f = c.form();
    EXPECT_NEAR(f.left(), p.screen.Info().width - 1.1 * 2115, 15);
    EXPECT_NEAR(f.top(), 0.1 * 3075, 15);
    EXPECT_TRUE(f.visible());
    left = f.left();
    top = f.top();
    p.settings.writes.clear();
    const float h = f.height();
    first.Exit();
    EXPECT_EQ(p.settings.writes, std::vector<std::string>{"PosisiWindow/Panjang=" + settings::SignedBlankSingle(h)});
    EXPECT_EQ(c.Style, nullptr);
  }
  p.settings.writes.clear();
  ProgramRun second(p);
  ASSERT_TRUE(second.Start());
  ClockFace& c = *second.clock;
  EXPECT_EQ(c.Kota, "Jakarta");
  EXPECT_EQ((std::vector<double>{c.Lat, c.Lon, c.SudutFajar, c.SudutIsya}),
            (std::vector<double>{-6.15, 106.816, 19, 20}));
  EXPECT_EQ((std::vector<int>{c.TimeZone, c.AddDhuhur, c.AddMaghrib, c.MazhabAshar, c.PopDelay, c.VersiDisplay}),
            (std::vector<int>{7, 2, 2, 1, 5, 1}));
  EXPECT_TRUE(p.settings.writes.empty()) << "a later start writes nothing it does not replace";
  EXPECT_FLOAT_EQ(c.form().left(), left);
  EXPECT_FLOAT_EQ(c.form().top(), top);
  ExpectFirstRunSwitches(p, c);
}

// Each menu switch stores its own key and nothing else at once, and the
// next start shows what was stored.
TEST(MenuSwitches, EachStoresOnlyItsOwnKeyAndTheNextStartShowsIt) {
  using Shown = std::vector<bool> (*)(MemoryPlatform&, ClockFace&);
  const struct {
    void (ClockFace::*click)();
    const char* key;
    bool firstRun;
    Shown shown;
  } cases[] = {
      {&ClockFace::mAOP_Click, "AOT", true,
       [](MemoryPlatform& p, ClockFace& c) { return std::vector<bool>{c.mAOP->checked, Win(p, c).topmost}; }},
      {&ClockFace::mAna_Click, "Analog", true,
       [](MemoryPlatform&, ClockFace& c) {
         return std::vector<bool>{c.mAna->checked, c.hHand->visible(), c.secHand->visible(),
                                  c.Picture1->picture() == ClockFace::kImage1};
       }},
      {&ClockFace::msuara_Click, "Suara Adzhan", false,
       [](MemoryPlatform&, ClockFace& c) { return std::vector<bool>{c.msuara->checked}; }},
  };
  auto expectAll = [](const std::vector<bool>& shown, bool on) {
    for (bool b : shown) EXPECT_EQ(b, on);
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.key);
    MemoryPlatform p;
    const std::string key = std::string("PosisiWindow/") + k.key;
    {
      ProgramRun first(p);
      ASSERT_TRUE(first.Start());
      p.settings.writes.clear();
      (first.clock.get()->*k.click)();
      expectAll(k.shown(p, *first.clock), !k.firstRun);
      EXPECT_EQ(p.settings.writes, std::vector<std::string>{key + (k.firstRun ? "=0" : "=-1")});
      first.Exit();
    }
    ProgramRun second(p);
    ASSERT_TRUE(second.Start());
    ClockFace& c = *second.clock;
    expectAll(k.shown(p, c), !k.firstRun);
    p.settings.writes.clear();
    (c.*k.click)();
    expectAll(k.shown(p, c), k.firstRun);
    EXPECT_EQ(p.settings.writes, std::vector<std::string>{key + (k.firstRun ? "=-1" : "=0")});
  }
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
  EXPECT_EQ((std::vector<float>{f.height(), f.top(), f.left()}), (std::vector<float>{4500, 1500, 3000}));
  EXPECT_NEAR(f.width(), 4500 / 1.491383812010444, 15);
  EXPECT_TRUE(Win(p, *run.clock).topmost);
}

// The strip's width is not stored; it comes back from the stored height,
// no wider than the screen. A place where no monitor is any more (the
// default screen is 19200 x 12000 twips) is pulled back onto the screen.
TEST(LaterStart, TheStripReopensAsClosedAndALostPlaceComesBackOnScreen) {
  const struct {
    const char *panjang, *top, *left;
    float width, height, x, y;
  } cases[] = {{" 2730", " 3000", " 1500", 2730 * 4.50588f, 2730, 1500, 3000},
               {" 2730", " -9000", " 25000", 2730 * 4.50588f, 2730, 19200 - 2730 * 4.50588f, 0},
               {" 6000", " 1500", " -30000", 19200, 19200 / 4.50588f, 0, 1500}};
  for (const auto& k : cases) {
    SCOPED_TRACE(k.panjang + std::string(k.top) + k.left);
    MemoryPlatform p;
    p.settings.values = {{{"Lokasi", "Kota"}, "Bandung"},     {{"Lokasi", "Versi Display"}, " 2"},
                         {{"Lokasi", "Pop Delay"}, " 5"},     {{"PosisiWindow", "Panjang"}, k.panjang},
                         {{"PosisiWindow", "Top"}, k.top},    {{"PosisiWindow", "Left"}, k.left}};
    ProgramRun run(p);
    ASSERT_TRUE(run.Start());
    const ui::Form& f = run.clock->form();
    EXPECT_NEAR(f.width(), k.width, 15);
    EXPECT_NEAR(f.height(), k.height, 15);
    EXPECT_NEAR(f.left(), k.x, 15);
    EXPECT_NEAR(f.top(), k.y, 15);
  }
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
  EXPECT_EQ(p.dialogs.messages, (decltype(p.dialogs.messages){{"Sudah ada yang jalan", "Jam QOV"}}));
  EXPECT_EQ(p.settings.reads, 0);
  EXPECT_TRUE(p.settings.writes.empty());
  EXPECT_FALSE(run.clock->form().visible());
}

// A bare window on the back end, and the style class over it.
struct BareWindow : testing::Test {
  void SetUp() override { p.Attach(f); }
  MemoryPlatform p;
  ui::Form f{"w"};
  ClsStyle style{p.window};
};

TEST_F(BareWindow, AlwaysOnTopRestatesPositionAndSizeInPixels) {
  f.Move(9000, 300, 2130, 3195);
  SetAlwaysOnTop(f, false, p.window);
  ASSERT_FALSE(p.window.posCalls.empty());
  const auto& k = p.window.posCalls.back();
  EXPECT_EQ(std::make_tuple(k.after, k.x, k.y, k.cx, k.cy, k.flags),
            std::make_tuple(WindowApi::kHwndNoTopmost, 600, 20, 142, 213, 0u));
  EXPECT_TRUE(p.window.windows[f.hWnd()].active);
}

TEST_F(BareWindow, StyleReadsBitsFromTheWindowItself) {
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

TEST_F(BareWindow, StyleAutoSysMenuAndAutoDrag) {
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
  std::vector<std::tuple<uint32_t, uintptr_t, intptr_t>> sent;
  for (const auto& m : p.window.sent) sent.emplace_back(m.msg, m.wParam, m.lParam);
  EXPECT_EQ(sent, (decltype(sent){{0x313u, 0, ClsStyle::MakeLParam(static_cast<int16_t>(40000), 700)},
                                  {0xA1u, 2u, 0}}));
  EXPECT_EQ(p.window.captureReleases, 1);
  EXPECT_EQ(ClsStyle::MakeLParam(-1, 5), static_cast<int32_t>(0xFFFF0005u));
}

}  // namespace
}  // namespace qov
