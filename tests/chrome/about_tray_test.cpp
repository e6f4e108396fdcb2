// The about box, the links and the tray icon's menu.
#include <algorithm>
#include <functional>
#include <string>

#include "chrome/about_box.h"
#include "tests/app/app_fixture.h"

namespace qov::testing {
namespace {

class ChromeTest : public AppTest {
 protected:
  void SetUp() override { StartAt(At(2004, 6, 15, 8)); }
  // The about box: the modal form the platform shows.
  ui::Form& About() {
    EXPECT_EQ(p.windows.modal.size(), 1u);
    return *p.windows.modal.back();
  }
};

// However the last box was closed, the next shows the full five seconds;
// its mail link keeps it open, and the clock ends topmost whatever its own
// switch says.
TEST_F(ChromeTest, AboutShowsTheFullFiveSecondsAfterAnyEarlierCloseAndEndsTopmost) {
  const std::pair<std::function<void(ui::Form&)>, bool> cases[] = {
      {[](ui::Form& a) { a.onClick(); }, false},
      {[](ui::Form& a) { a.Get("title").onClick(); }, true},
      {[](ui::Form& a) { a.Get("credit").onClick(); }, false},
      {[this](ui::Form& a) { p.windows.Close(a); }, true},  // closed by the system
  };
  for (const auto& [close, onTop] : cases) {
    if (run->Item("alwaysOnTop").checked != onTop) run->Click("alwaysOnTop");
    ASSERT_EQ(run->Topmost(), onTop);
    run->Click("about");
    p.RunFor(2000);
    close(About());
    EXPECT_TRUE(p.windows.modal.empty());

    run->Click("about");
    ui::Form& a = About();
    a.Get("mail").onClick();
    EXPECT_EQ(p.shell.opened.back(), std::string("mailto:") + kAuthorMail);
    p.RunFor(5009);
    EXPECT_TRUE(a.visible());
    EXPECT_TRUE(run->Topmost());
    p.RunFor(1);
    EXPECT_FALSE(a.visible());
    EXPECT_TRUE(p.windows.modal.empty());
    EXPECT_TRUE(run->Topmost());
  }
}

TEST_F(ChromeTest, AboutIsCentredOverTheClockWithRoundCorners) {
  form().Move(4500, 3000, form().width(), form().height());
  run->Click("about");
  ui::Form& a = About();
  EXPECT_EQ(p.window.Of(a).cornerEllipse, 30);
  EXPECT_NEAR(a.left() + a.width() / 2, form().left() + form().width() / 2, 15);
  EXPECT_NEAR(a.top() + a.height() / 2, form().top() + form().height() / 2, 15);
  a.onClick();
  // In the top right corner, where the clock starts, the wider box is
  // pulled in rather than cut off.
  const ScreenInfo sc = p.screen.Info();
  form().Move(sc.width - form().width(), 0, form().width(), form().height());
  run->Click("about");
  EXPECT_GT(About().width(), form().width());
  EXPECT_FLOAT_EQ(About().left() + About().width(), sc.width);
}

// One box at a time (the icon's menu offers it while one is open); it goes
// with the clock. The web link opens the site.
TEST_F(ChromeTest, AboutShowsTheVersionAndAMailLinkWithTheHandCursor) {
  run->Click("about");
  run->Click("about");
  ui::Form& a = About();
  EXPECT_EQ(a.Get("title").text(), std::string("Jam QOV Ver ") + kVersion);
  EXPECT_NE(std::string(kVersion), "0.0.0") << "the build's project version";
  EXPECT_EQ(std::pair(a.Get("mail").cursor(), a.Get("title").cursor()), std::pair(ui::Cursor::Hand, ui::Cursor::Arrow));
  EXPECT_TRUE(a.Get("mail").font().underline);
  run->Click("webSite");
  OpenLink(p.shell, "");
  EXPECT_EQ(p.shell.opened, std::vector<std::string>{kWebUrl});
  run.reset();
  EXPECT_TRUE(p.windows.modal.empty());
}

// The window's own right click never offers Exit; the icon's menu lists the
// captions in data/tray_menu.txt.
TEST_F(ChromeTest, TheTrayIconsRightClickOpensTheMenuWithExitAndDoubleClickShows) {
  EXPECT_TRUE(p.tray.shown);
  EXPECT_EQ(p.tray.tip, "QOV Clock");
  for (ui::MouseHandler& rightClick :
       {std::ref(form().onMouseDown), std::ref(run->Get("face").onMouseDown), std::ref(run->Get("digitalTime").onMouseDown)}) {
    const int popups = p.windows.popups;
    rightClick(2, 0, 10, 10);
    EXPECT_EQ(p.windows.popups, popups + 1);
    EXPECT_EQ(std::count(p.windows.lastMenu.begin(), p.windows.lastMenu.end(), "Exit"), 0);
  }
  form().Hide();
  for (int i = 0; i < 2; ++i) {  // shown, and stays shown
    p.tray.Click(TrayIcon::Click::kDoubleLeft);
    EXPECT_TRUE(form().visible());
  }
  p.tray.Click(TrayIcon::Click::kRight);
  EXPECT_EQ(p.windows.lastMenu, DataLines("chrome/data/tray_menu.txt"));
  // A tray that draws the menu itself gets the same one, Exit shown even
  // after the window's menu hid it.
  form().onMouseDown(2, 0, 10, 10);
  ASSERT_TRUE(p.tray.menu && p.tray.onMenuOpening);
  p.tray.onMenuOpening();
  EXPECT_TRUE(p.tray.menu->Find("exit")->visible);
}

TEST(Tray, WithoutANotificationAreaTheClockRuns) {
  MemoryPlatform p;
  p.tray.noNotificationArea = true;
  Program run(p);
  ASSERT_TRUE(run.Start());
  EXPECT_FALSE(p.tray.Click(TrayIcon::Click::kRight));
  p.RunFor(1000);
  EXPECT_TRUE(run.form().visible());
  // ... and its own menu is then the way to quit.
  run.form().onMouseDown(2, 0, 10, 10);
  EXPECT_EQ(std::count(p.windows.lastMenu.begin(), p.windows.lastMenu.end(), "Exit"), 1);
}

}  // namespace
}  // namespace qov::testing
