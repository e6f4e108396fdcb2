// The layout pass, the display versions and the sizing mode.
#include <gtest/gtest.h>

#include <cmath>

#include "app/clockface.h"
#include "app/settings.h"
#include "chrome/cls_style.h"
#include "platform/memory/memory_platform.h"

namespace qov {
namespace {

class Layout : public testing::Test {
 protected:
  void SetUp() override {
    p.Attach(c.form());
    ASSERT_TRUE(StartClock(c));
  }
  bool Sizable() { return (p.window.windows[c.form().hWnd()].style & ClsStyle::WS_THICKFRAME) != 0; }

  memory::MemoryPlatform p;
  ClockFace c{p.services};
};

TEST_F(Layout, Version1At2130TwipsWide) {
  // 3180 twips high gives 2132.3 wide, which settles at 142 pixels.
  c.form().SetHeight(3180);
  ui::Form& f = c.form();
  ASSERT_FLOAT_EQ(f.width(), 2130);
  EXPECT_EQ((std::vector<int>{c.hHand->borderWidth(), c.minHand->borderWidth(), c.secHand->borderWidth()}),
            (std::vector<int>{4, 3, 1}));
  EXPECT_FLOAT_EQ(c.Picture1->width(), 2130);
  EXPECT_FLOAT_EQ(c.Picture1->height(), 3180 * 0.88f);
  EXPECT_FLOAT_EQ(c.digTime->top(), c.Picture1->height());
  EXPECT_FLOAT_EQ(c.digTime->height(), 3180 - c.Picture1->height());
  EXPECT_NEAR(c.digTime->font().size, (3180 - 3180 * 0.88) / 28, 1e-3);
  EXPECT_EQ((std::vector<int>{c.CenterX, c.CenterY, c.LongHandLen, c.ShortHandLen}),
            (std::vector<int>{1065, 1590, 596, 320})) << "319.5 rounds to the even neighbour";
  for (ui::Control* hand : {c.hHand, c.minHand, c.secHand}) {
    EXPECT_FLOAT_EQ(hand->x1(), 1065);
    EXPECT_FLOAT_EQ(hand->y1(), 1590);
  }
}

TEST_F(Layout, NestedResizeSettlesAfterOnePass) {
  int passes = 0;
  auto inner = c.form().onResize;
  c.form().onResize = [&] {
    ++passes;
    inner();
  };
  c.form().SetHeight(4500);
  // The height change, then the width the pass sets: two passes, then still.
  EXPECT_EQ(passes, 2);
  const float w = c.form().width();
  c.Form_Resize();
  EXPECT_FLOAT_EQ(c.form().width(), w);
  EXPECT_EQ(passes, 2);
}

TEST_F(Layout, Version2KeepsTheFaceWidthAndMakesAStrip) {
  const float w1 = c.form().width();
  p.settings.writes.clear();
  c.mVer1_Click();  // already version 1: nothing to do
  EXPECT_TRUE(p.settings.writes.empty());
  EXPECT_FALSE(c.mVer1->checked);
  c.mVer2_Click();
  ui::Form& f = c.form();
  EXPECT_EQ(c.VersiDisplay, 2);
  EXPECT_EQ(p.settings.writes, std::vector<std::string>{"Lokasi/Versi Display= 2"});
  EXPECT_FLOAT_EQ(f.width(), 6 * w1);
  EXPECT_NEAR(f.height(), f.width() / 4.505879999999999, 15);
  EXPECT_NEAR(c.Picture1->width(), w1, 1);
  EXPECT_FLOAT_EQ(c.Picture1->height(), f.height());
  EXPECT_FLOAT_EQ(c.digTime->left(), c.Picture1->width());
  EXPECT_FLOAT_EQ(c.digTime->width(), f.width() - c.Picture1->width());
  EXPECT_NEAR(c.digTime->font().size, f.height() / 22.5, 1e-3);
  EXPECT_EQ(c.CenterY, static_cast<int16_t>(std::nearbyint(c.Picture1->height() * 0.56)));
  EXPECT_EQ(std::pair(c.mVer1->checked, c.mVer2->checked), std::pair(false, true));

  p.settings.writes.clear();
  c.mVer2_Click();
  EXPECT_TRUE(p.settings.writes.empty()) << "already version 2";

  c.mVer1_Click();
  EXPECT_EQ(c.VersiDisplay, 1);
  EXPECT_NEAR(f.height(), w1 * 1.4, 15);
  EXPECT_NEAR(f.width(), f.height() / 1.491383812010444, 15);
  EXPECT_EQ(std::pair(c.mVer1->checked, c.mVer2->checked), std::pair(true, false));
}

TEST_F(Layout, LocationDialogInTheStripKeepsItsButtonsReachable) {
  c.mVer2_Click();
  const float strip = c.form().height();
  ASSERT_LT(strip, 4410);
  c.mLok_Click();
  EXPECT_FLOAT_EQ(c.form().height(), 4410);
  EXPECT_GE(c.Frame2->top(), 0) << "the whole dialog, OK and Cancel included, is inside the window";
  c.Command2_Click();
  EXPECT_FLOAT_EQ(c.form().height(), strip);
  c.form().SetHeight(5000);  // the strip's proportion holds again
  EXPECT_FLOAT_EQ(c.form().height(), strip);
}

TEST_F(Layout, GrowingPastTheScreenEdgePullsTheWindowBackIn) {
  // Started near the top right corner: the strip and the dialog would
  // otherwise reach past the right edge.
  const ScreenInfo sc = p.screen.Info();
  c.mVer2_Click();
  EXPECT_LE(c.form().left() + c.form().width(), sc.width);
  c.mVer1_Click();
  c.mLok_Click();
  EXPECT_LE(c.form().left() + c.form().width(), sc.width);
  EXPECT_GE(c.form().left(), 0);
  // Moving alone never pulls it in.
  c.Command2_Click();
  c.form().SetLeft(sc.width - 300);
  EXPECT_FLOAT_EQ(c.form().left(), sc.width - 300);
}

TEST_F(Layout, SizingBorderGoesTwoSecondsAfterTheLastResize) {
  p.RunFor(2500);  // the start's own pass has ended its sizing mode
  c.Picture1_DblClick();
  EXPECT_TRUE(Sizable());
  p.UserResize(c.form(), c.form().width(), 4000);
  p.RunFor(1500);
  EXPECT_TRUE(Sizable());
  p.UserResize(c.form(), c.form().width(), 4200);
  p.RunFor(1900);
  EXPECT_TRUE(Sizable()) << "the second resize restarted the two seconds";
  p.RunFor(200);
  EXPECT_FALSE(Sizable());
  EXPECT_FALSE(c.ResizePending);
  EXPECT_FALSE(c.Timer1->enabled());
}

TEST_F(Layout, TinyWindowKeepsTheLastAcceptedHandWidth) {
  c.form().SetHeight(600);  // far below 2130 twips wide
  EXPECT_GE(c.secHand->borderWidth(), 1);
  EXPECT_GE(c.hHand->borderWidth(), 1);
}

}  // namespace
}  // namespace qov
