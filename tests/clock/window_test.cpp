// The layout pass, the display versions, the sizing mode, dragging and the
// hand colours. Geometry is what the window settles at, in whole pixels of
// 15 twips.
#include <algorithm>
#include <string>
#include <vector>

#include "tests/app/app_fixture.h"

namespace qov::testing {
namespace {

class WindowTest : public AppTest {
 protected:
  void SetUp() override { StartAt(At(2004, 6, 15, 8)); }
  ui::Control& Get(const char* name) { return run->Get(name); }
  std::vector<float> Box(const ui::Control& c) { return {c.left(), c.top(), c.width(), c.height()}; }
  std::vector<float> Size() { return {form().width(), form().height()}; }
  std::vector<bool> Versions() { return {run->Item("version1").checked, run->Item("version2").checked}; }
};

TEST_F(WindowTest, Version1PutsTheStripBelowTheFaceAndTheHandsOnItsCentre) {
  form().SetHeight(3180);
  EXPECT_EQ(Size(), (std::vector<float>{2130, 3180}));
  EXPECT_EQ(Box(Get("face")), (std::vector<float>{0, 0, 2130, 2798.4f}));
  const ui::Control& strip = Get("digitalTime");
  EXPECT_EQ(std::pair(strip.top(), strip.width()), std::pair(2798.4f, 2130.0f));
  EXPECT_FLOAT_EQ(strip.top() + strip.height(), 3180);
  for (auto [hand, width] : {std::pair("hourHand", 4), {"minuteHand", 3}, {"secondHand", 1}}) {
    EXPECT_EQ(Get(hand).borderWidth(), width) << hand;
    EXPECT_EQ(std::pair(Get(hand).x1(), Get(hand).y1()), std::pair(1065.0f, 1590.0f)) << hand;
  }
  form().SetHeight(600);  // far below: the hands keep a visible width
  EXPECT_GE(Get("secondHand").borderWidth(), 1);
}

TEST_F(WindowTest, TheVersionsSwitchBetweenFaceAndStripAndStoreOnlyAChange) {
  EXPECT_EQ(Size(), (std::vector<float>{2055, 3075}));
  for (const std::vector<std::string>& s : DataRows("clock/data/display_versions.txt")) {
    ASSERT_EQ(s.size(), 6u);
    p.settings.writes.clear();
    run->Click(s[0]);
    EXPECT_EQ(p.settings.writes, s[1].empty() ? std::vector<std::string>{} : std::vector<std::string>{s[1]}) << s[0];
    EXPECT_EQ(Size(), (std::vector<float>{std::stof(s[2]), std::stof(s[3])})) << s[0];
    EXPECT_EQ(Versions(), (std::vector<bool>{s[4] == "1", s[5] == "1"})) << s[0];
  }
  run->Click("version2");
  EXPECT_EQ(Box(Get("face")), (std::vector<float>{0, 0, 1935, 2580}));
  EXPECT_EQ(Box(Get("digitalTime")), (std::vector<float>{1935, 0, 9675, 2580}));
}

TEST_F(WindowTest, TheDialogInTheStripKeepsItsButtonsReachableAndAllStaysOnScreen) {
  const ScreenInfo sc = p.screen.Info();
  run->Click("version2");
  EXPECT_EQ(Size(), (std::vector<float>{12330, 2730}));
  EXPECT_LE(form().left() + form().width(), sc.width);
  run->Click("location");
  EXPECT_FLOAT_EQ(form().height(), kDialogHeight);
  EXPECT_GE(Get("locationDialog").top(), 0) << "OK and Cancel are inside the window";
  EXPECT_LE(form().left() + form().width(), sc.width);
  form().SetWidth(form().width() + 150);  // a resize while open keeps the hold
  EXPECT_FLOAT_EQ(form().height(), kDialogHeight);
  run->Press("cancel");
  form().SetHeight(5000);  // the strip's proportion holds again
  EXPECT_EQ(Size(), (std::vector<float>{12480, 2775}));
  form().SetLeft(sc.width - 300);  // moving alone never pulls it in
  EXPECT_FLOAT_EQ(form().left(), sc.width - 300);
}

// A double click gives the window a sizing border; it goes two seconds
// after the last resize.
TEST_F(WindowTest, SizingBorderGoesTwoSecondsAfterTheLastResize) {
  p.RunFor(2500);
  EXPECT_FALSE(run->Sizable());
  Get("face").onDblClick();
  for (const auto& [height, waits, sizable] : {std::tuple(4000.0f, 1500, true), {4200.0f, 1900, true}, {0.0f, 200, false}}) {
    if (height > 0) p.UserResize(form(), form().width(), height);
    p.RunFor(waits);
    EXPECT_EQ(run->Sizable(), sizable) << height << " " << waits;
  }
}

// The grabbed point follows the pointer; the release on the face stores
// the place, on the bare window the height. On a strip wider than 16 bits
// of twips the grab point lies beyond 32767 and must not wrap.
TEST_F(WindowTest, DraggingMovesTheWindowByThePointersTravel) {
  const struct {
    const char* surface;  // empty: the bare window
    float grabX;
    const char* stores;
  } cases[] = {{"face", 300, "PosisiWindow/Top"},
               {"digitalTime", 300, nullptr},
               {"", 300, "PosisiWindow/Panjang"},
               {"digitalTime", 40005, nullptr}};
  for (const auto& k : cases) {
    SCOPED_TRACE(std::string(k.surface) + " " + std::to_string(k.grabX));
    if (k.grabX > 32767) {
      p.screen.info.width = 19200 * 4;
      run->Click("version2");
      form().SetWidth(45000);
    }
    form().Move(6000, 3000, form().width(), form().height());
    p.settings.writes.clear();
    ui::MouseHandler down = *k.surface ? Get(k.surface).onMouseDown : form().onMouseDown;
    ui::MouseHandler move = *k.surface ? Get(k.surface).onMouseMove : form().onMouseMove;
    ui::MouseHandler up = *k.surface ? Get(k.surface).onMouseUp : form().onMouseUp;
    down(1, 0, k.grabX, 450);
    move(1, 0, k.grabX + 300, 300);  // the window follows: the pointer is again at the grab point on it
    EXPECT_EQ(std::pair(form().left(), form().top()), std::pair(6300.0f, 2850.0f));
    move(1, 0, k.grabX, 450);
    up(1, 0, k.grabX, 450);
    move(1, 0, 900, 900);  // released: no more following
    EXPECT_FLOAT_EQ(form().left(), 6300);
    EXPECT_EQ(p.settings.writes.empty() ? "" : p.settings.writes.front().substr(0, p.settings.writes.front().find('=')),
              k.stores ? k.stores : "");
  }
}

// Each colour item opens the dialog over the clock and colours only its
// hand, for the run; cancel keeps it.
TEST_F(WindowTest, EachColourItemColoursOnlyItsHand) {
  const char* const hands[] = {"hourHand", "minuteHand", "secondHand"};
  constexpr ui::Color kRed = 0x000000FF;
  p.settings.writes.clear();
  for (const char* hand : hands) {
    p.dialogs.nextColor = 0xFF000000 | kRed;  // a stray high byte is not a system colour
    run->Click(std::string(hand) + "Color");
    for (const char* other : hands) EXPECT_EQ(Get(other).borderColor(), other == hand ? kRed : ui::kWhite) << hand << other;
    p.dialogs.nextColor.reset();
    run->Click(std::string(hand) + "Color");
    EXPECT_EQ(Get(hand).borderColor(), kRed);
    Get(hand).SetBorderColor(ui::kWhite);
  }
  EXPECT_EQ(p.dialogs.colorOwners, std::vector<const ui::Form*>(6, &form()));
  EXPECT_TRUE(p.settings.writes.empty());
}

}  // namespace
}  // namespace qov::testing
