#include <functional>

#include "chrome/about.h"
#include "tests/clock/clock_fixture.h"

namespace qov {
namespace {

using ChromeTest = testing::ClockTest;

TEST_F(ChromeTest, AboutShowsTheFullFiveSecondsAfterAnyEarlierClose) {
  Start();
  const std::function<void(ui::Form&)> closers[] = {
      [](ui::Form& a) { a.onClick(); },
      [](ui::Form& a) { a.Get("Label1").onClick(); },
      [](ui::Form& a) { a.Get("Label2").onClick(); },
      [this](ui::Form& a) { p.windows.Close(a); },  // closed by the system
  };
  for (const auto& close : closers) {
    c->mAbout_Click();
    p.RunFor(2000);
    close(c->about->form());
    EXPECT_FALSE(c->about->form().visible());
    EXPECT_FALSE(c->about->form().FindTimer("Timer1")->enabled());
    EXPECT_FALSE(c->about->firstTickDone);

    c->mAbout_Click();
    FrmAbout& a = *c->about;
    ASSERT_EQ(p.windows.modal.size(), 1u);
    p.RunFor(9);
    EXPECT_FALSE(a.firstTickDone);
    p.RunFor(1);
    EXPECT_TRUE(a.firstTickDone);
    p.RunFor(4999);
    EXPECT_TRUE(a.form().visible());
    p.RunFor(1);
    EXPECT_FALSE(a.form().visible());
    EXPECT_FALSE(a.firstTickDone);
    EXPECT_TRUE(p.windows.modal.empty());
  }
}

TEST_F(ChromeTest, AboutIsCentredOverTheClockWithARoundedRegion) {
  Start();
  c->form().Move(4500, 3000, c->form().width(), c->form().height());
  const struct {
    float tpp;
    int w, h;
  } cases[] = {{15, 185, 67}, {12, 231, 84}, {10, 278, 100}};  // 277.5 and 100.5 go to even
  for (const auto& k : cases) {
    p.screen.info.twipsPerPixelX = p.screen.info.twipsPerPixelY = k.tpp;
    c->mAbout_Click();
    ui::Form& a = c->about->form();
    const auto& w = p.window.windows[a.hWnd()];
    EXPECT_EQ((std::vector<int>{w.regionW, w.regionH, w.regionEllipseW, w.regionEllipseH}),
              (std::vector<int>{k.w, k.h, 30, 30}));
    const ui::Form& f = c->form();
    EXPECT_NEAR(a.left() + a.width() / 2, f.left() + f.width() / 2, k.tpp);
    EXPECT_NEAR(a.top() + a.height() / 2, f.top() + f.height() / 2, k.tpp);
    a.onClick();
  }
  // In the top right corner, where the clock starts, the wider box is
  // pulled in rather than cut off by the screen's edge.
  const ScreenInfo sc = p.screen.Info();
  c->form().Move(sc.width - c->form().width(), 0, c->form().width(), c->form().height());
  c->mAbout_Click();
  const ui::Form& a = c->about->form();
  EXPECT_GT(a.width(), c->form().width());
  EXPECT_FLOAT_EQ(a.left() + a.width(), sc.width);
}

TEST_F(ChromeTest, MailLinkKeepsTheBoxOpenAndTheClockEndsTopmost) {
  Start();
  for (bool aop : {false, true}) {
    if (c->mAOP->checked != aop) c->mAOP_Click();
    ASSERT_EQ(p.window.windows[h].topmost, aop);
    c->mAbout_Click();
    ui::Form& a = c->about->form();
    a.Get("Label3").onClick();
    EXPECT_EQ(p.shell.opened.back(), std::string("mailto:") + kAuthorMail);
    p.RunFor(5009);
    EXPECT_TRUE(a.visible());
    EXPECT_TRUE(p.window.windows[h].topmost);
    p.RunFor(1);
    EXPECT_FALSE(a.visible());
    EXPECT_TRUE(p.window.windows[h].topmost);
  }
}

TEST_F(ChromeTest, OneAboutBoxAtATimeAndLinks) {
  Start();
  c->mQOV_Click();
  BukaLink(p.shell, "");
  EXPECT_EQ(p.shell.opened, std::vector<std::string>{kWebUrl});

  c->mAbout_Click();
  FrmAbout* first = c->about.get();
  c->mAbout_Click();  // e.g. from the icon's menu while the box is open
  ASSERT_EQ(c->about.get(), first);
  EXPECT_EQ(p.windows.modal.size(), 1u);
  Destroy();  // the open box goes with the clock
  EXPECT_TRUE(p.windows.modal.empty());
}

TEST_F(ChromeTest, EachColourMenuColoursOnlyItsHandAndCancelKeepsIt) {
  Start();
  const struct {
    const char* item;
    ui::Control* ClockFace::*hand;
  } cases[] = {{"mJam", &ClockFace::hHand}, {"MMenit", &ClockFace::minHand}, {"mDetik", &ClockFace::secHand}};
  constexpr ui::Color kRed = 0x000000FF;
  for (const auto& k : cases) {
    p.dialogs.colorOk = true;
    p.dialogs.nextColor = 0xFF000000 | kRed;  // a stray high byte is not a system colour
    p.windows.choose = k.item;
    c->PopupContextMenu();
    EXPECT_EQ(p.dialogs.lastColorOwner, h);
    for (const auto& other : cases)
      EXPECT_EQ((c.get()->*other.hand)->borderColor(), other.hand == k.hand ? kRed : ui::kWhite)
          << k.item << " " << other.item;

    p.dialogs.colorOk = false;
    p.windows.choose = k.item;
    c->PopupContextMenu();
    p.RunFor(1000);
    c->mVer2_Click();
    EXPECT_EQ((c.get()->*k.hand)->borderColor(), kRed) << k.item;
    (c.get()->*k.hand)->SetBorderColor(ui::kWhite);
  }
  EXPECT_EQ(p.dialogs.colorDialogs, 6);
}

}  // namespace
}  // namespace qov
