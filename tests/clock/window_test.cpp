// The layout pass, the display versions, the sizing mode, dragging and the
// hand colours.
#include <string>
#include <vector>

#include "tests/app/app_fixture.h"

namespace qov::testing {
namespace {

constexpr float kStripAspect = 4.50588f, kFaceAspect = 1.491383812010444f;

class WindowTest : public AppTest {
 protected:
  void SetUp() override { StartAt(At(2004, 6, 15, 8)); }
  ui::Control& Get(const char* name) { return run->Get(name); }
};

TEST_F(WindowTest, Version1KeepsTheFaceProportionAndTheStripBelowIt) {
  form().SetHeight(3180);  // 2132.3 wide settles at 142 pixels
  ASSERT_FLOAT_EQ(form().width(), 2130);
  EXPECT_EQ((std::vector<int>{Get("hourHand").borderWidth(), Get("minuteHand").borderWidth(),
                              Get("secondHand").borderWidth()}),
            (std::vector<int>{4, 3, 1}));
  EXPECT_FLOAT_EQ(Get("face").width(), 2130);
  EXPECT_FLOAT_EQ(Get("face").height(), 3180 * 0.88f);
  EXPECT_FLOAT_EQ(Get("digitalTime").top(), Get("face").height());
  EXPECT_FLOAT_EQ(Get("digitalTime").height(), 3180 - Get("face").height());
  for (const char* hand : {"hourHand", "minuteHand", "secondHand"}) {
    EXPECT_FLOAT_EQ(Get(hand).x1(), 1065) << hand;
    EXPECT_FLOAT_EQ(Get(hand).y1(), 1590) << hand;
  }
  form().SetHeight(600);  // far below: the hands keep a visible width
  EXPECT_GE(Get("secondHand").borderWidth(), 1);
}

TEST_F(WindowTest, TheVersionsSwitchBetweenFaceAndStrip) {
  const float w1 = form().width();
  p.settings.writes.clear();
  run->Click("version1");  // already version 1
  EXPECT_TRUE(p.settings.writes.empty());
  run->Click("version2");
  EXPECT_EQ(p.settings.writes, std::vector<std::string>{"Lokasi/Versi Display= 2"});
  EXPECT_NEAR(form().width(), 6 * w1, 15);
  EXPECT_NEAR(form().height(), form().width() / kStripAspect, 15);
  EXPECT_NEAR(Get("face").width(), form().width() / 6, 1);
  EXPECT_FLOAT_EQ(Get("face").height(), form().height());
  EXPECT_FLOAT_EQ(Get("digitalTime").left(), Get("face").width());
  EXPECT_FLOAT_EQ(Get("digitalTime").width(), form().width() - Get("face").width());
  EXPECT_EQ(std::pair(run->Item("version1").checked, run->Item("version2").checked), std::pair(false, true));
  p.settings.writes.clear();
  run->Click("version2");
  EXPECT_TRUE(p.settings.writes.empty()) << "already version 2";
  run->Click("version1");
  EXPECT_NEAR(form().height(), w1 * 1.4, 15);
  EXPECT_NEAR(form().width(), form().height() / kFaceAspect, 15);
  EXPECT_EQ(std::pair(run->Item("version1").checked, run->Item("version2").checked), std::pair(true, false));
}

TEST_F(WindowTest, ALayoutPassSettlesAfterTheWidthItSets) {
  int passes = 0;
  auto inner = form().onResize;
  form().onResize = [&] {
    ++passes;
    inner();
  };
  form().SetHeight(4500);
  EXPECT_EQ(passes, 2) << "the height change, then the width the pass sets";
}

TEST_F(WindowTest, TheDialogInTheStripKeepsItsButtonsReachable) {
  run->Click("version2");
  const float strip = form().height();
  ASSERT_LT(strip, kDialogHeight);
  run->Click("location");
  EXPECT_FLOAT_EQ(form().height(), kDialogHeight);
  EXPECT_GE(Get("locationDialog").top(), 0) << "OK and Cancel are inside the window";
  form().SetWidth(form().width() + 150);  // a resize while open keeps the hold
  EXPECT_FLOAT_EQ(form().height(), kDialogHeight);
  run->Press("cancel");
  form().SetHeight(5000);  // the strip's proportion holds again
  EXPECT_NEAR(form().height(), form().width() / kStripAspect, 15);
}

TEST_F(WindowTest, GrowingPastTheScreenEdgePullsTheWindowBackIn) {
  const ScreenInfo sc = p.screen.Info();
  run->Click("version2");
  EXPECT_LE(form().left() + form().width(), sc.width);
  run->Click("version1");
  run->Click("location");
  EXPECT_LE(form().left() + form().width(), sc.width);
  EXPECT_GE(form().left(), 0);
  run->Press("cancel");
  form().SetLeft(sc.width - 300);  // moving alone never pulls it in
  EXPECT_FLOAT_EQ(form().left(), sc.width - 300);
}

TEST_F(WindowTest, SizingBorderGoesTwoSecondsAfterTheLastResize) {
  p.RunFor(2500);
  EXPECT_FALSE(run->Sizable());
  Get("face").onDblClick();
  EXPECT_TRUE(run->Sizable());
  p.UserResize(form(), form().width(), 4000);
  p.RunFor(1500);
  EXPECT_TRUE(run->Sizable());
  p.UserResize(form(), form().width(), 4200);
  p.RunFor(1900);
  EXPECT_TRUE(run->Sizable()) << "the second resize restarted the two seconds";
  p.RunFor(200);
  EXPECT_FALSE(run->Sizable());
}

// The grabbed point follows the pointer; the release on the face stores
// the place, on the bare window the height.
TEST_F(WindowTest, DraggingMovesTheWindowByThePointersTravel) {
  const struct {
    const char* surface;  // empty: the bare window
    const char* stores;
  } cases[] = {{"face", "PosisiWindow/Top"}, {"digitalTime", nullptr}, {"", "PosisiWindow/Panjang"}};
  for (const auto& k : cases) {
    SCOPED_TRACE(k.surface);
    form().Move(6000, 3000, form().width(), form().height());
    p.settings.writes.clear();
    ui::MouseHandler down = *k.surface ? Get(k.surface).onMouseDown : form().onMouseDown;
    ui::MouseHandler move = *k.surface ? Get(k.surface).onMouseMove : form().onMouseMove;
    ui::MouseHandler up = *k.surface ? Get(k.surface).onMouseUp : form().onMouseUp;
    down(1, 0, 300, 450);
    move(1, 0, 600, 300);  // the window follows: the pointer is again at (300, 450) on it
    EXPECT_FLOAT_EQ(form().left(), 6300);
    EXPECT_FLOAT_EQ(form().top(), 2850);
    move(1, 0, 300, 450);
    up(1, 0, 300, 450);
    move(1, 0, 900, 900);  // released: no more following
    EXPECT_FLOAT_EQ(form().left(), 6300);
    if (k.stores) {
      ASSERT_FALSE(p.settings.writes.empty());
      EXPECT_EQ(p.settings.writes.front().rfind(k.stores, 0), 0u) << p.settings.writes.front();
    } else {
      EXPECT_TRUE(p.settings.writes.empty());
    }
  }
}

// On a strip wider than 16 bits of twips the grab point lies beyond 32767;
// taken as a 16-bit value it became 0 and the window leapt by the offset.
TEST_F(WindowTest, DraggingAVeryWideStripGrabbedBeyondSixteenBitsDoesNotJump) {
  p.screen.info.width = 19200 * 4;
  p.screen.info.height = 12000 * 2;
  run->Click("version2");
  form().SetWidth(45000);
  ASSERT_GT(Get("digitalTime").width(), 33000);
  form().Move(0, 0, form().width(), form().height());
  ui::Control& strip = Get("digitalTime");
  strip.onMouseDown(1, 0, 40005, 300);
  strip.onMouseMove(1, 0, 40155, 300);
  EXPECT_FLOAT_EQ(form().left(), 150);
  EXPECT_FLOAT_EQ(form().top(), 0);
  strip.onMouseUp(1, 0, 40155, 300);
}

TEST_F(WindowTest, RightClickOnTheWindowOpensTheMenuWithoutExit) {
  for (const char* surface : {"face", "digitalTime", ""}) {
    SCOPED_TRACE(surface);
    const int popups = p.windows.popups;
    (*surface ? Get(surface).onMouseDown : form().onMouseDown)(2, 0, 10, 10);
    EXPECT_EQ(p.windows.popups, popups + 1);
    EXPECT_FALSE(p.windows.lastMenu.empty());
    EXPECT_EQ(std::count(p.windows.lastMenu.begin(), p.windows.lastMenu.end(), "Exit"), 0);
  }
}

// Each colour item colours only its hand, for the run; cancel keeps it.
TEST_F(WindowTest, EachColourItemColoursOnlyItsHand) {
  const struct {
    const char *item, *hand;
  } cases[] = {{"hourHandColor", "hourHand"}, {"minuteHandColor", "minuteHand"}, {"secondHandColor", "secondHand"}};
  constexpr ui::Color kRed = 0x000000FF;
  for (const auto& k : cases) {
    p.dialogs.colorOk = true;
    p.dialogs.nextColor = 0xFF000000 | kRed;  // a stray high byte is not a system colour
    run->Click(k.item);
    EXPECT_EQ(p.dialogs.lastColorOwner, &form());
    for (const auto& other : cases)
      EXPECT_EQ(Get(other.hand).borderColor(), other.hand == k.hand ? kRed : ui::kWhite) << k.item << other.hand;
    p.dialogs.colorOk = false;
    run->Click(k.item);
    EXPECT_EQ(Get(k.hand).borderColor(), kRed);
    Get(k.hand).SetBorderColor(ui::kWhite);
  }
  EXPECT_EQ(p.dialogs.colorDialogs, 6);
  EXPECT_TRUE(p.settings.writes.empty() || p.settings.writes.back().find("Warna") == std::string::npos);
}

}  // namespace
}  // namespace qov::testing
