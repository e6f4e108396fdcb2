// Start-up, shut-down, placement and the stored switches: the scenarios of
// tests/app/data/startup.txt, a second copy and a store that takes no write.
#include "tests/app/scenario.h"

namespace qov::testing {
namespace {

class Startup : public Scenario {
 protected:
  void Play() { Scenario::Play("app/data/startup.txt"); }
};
using FirstThenLaterRun = Startup;
using MenuSwitches = Startup;
using LaterStart = Startup;
using Exit = Startup;
using Language = Startup;

TEST_F(FirstThenLaterRun, StoresTheLocationThenTheHeightAndReadsThemBack) { Play(); }
TEST_F(MenuSwitches, EachStoresOnlyItsOwnKeyAndTheNextStartShowsIt) { Play(); }
TEST_F(MenuSwitches, LoginStartShowsTheEntryAndTellsARefusal) { Play(); }
TEST_F(LaterStart, RestoresTheWindowAndPullsALostPlaceBackOnScreen) { Play(); }
TEST_F(Language, TextsFollowTheLanguageAtOnceAndAfterARestart) { Play(); }
TEST_F(LaterStart, UnknownDisplayVersionLeavesTheLayoutAloneAndStaysUsable) { Play(); }
TEST_F(Exit, WhileAnOverlayEnlargesTheWindowStoresTheHeightBefore) { Play(); }

TEST(SecondCopy, IsRefusedBeforeAnySettingIsTouched) {
  MemoryPlatform p;
  p.instance.another = true;
  Program run(p);
  EXPECT_FALSE(run.Start());
  EXPECT_EQ(p.dialogs.messages, (decltype(p.dialogs.messages){{"Sudah ada yang jalan", "Jam QOV"}}));
  EXPECT_EQ(p.settings.reads, 0);
  EXPECT_TRUE(p.settings.writes.empty());
  EXPECT_FALSE(run.form().visible());
  EXPECT_FALSE(p.tray.shown);
}

// The tray icon waits for the window to be on the screen; a clock closed
// before then leaves no icon behind.
TEST(TrayIcon, ComesAfterTheWindowAndNeverAfterAnEarlyClose) {
  for (bool closedFirst : {false, true}) {
    SCOPED_TRACE(closedFirst ? "closed first" : "left open");
    MemoryPlatform p;
    p.windows.holdAfterShown = true;
    Program run(p);
    ASSERT_TRUE(run.Start());
    EXPECT_TRUE(run.form().visible());
    EXPECT_FALSE(p.tray.shown);
    if (closedFirst) p.windows.Close(run.form());
    for (auto& then : std::exchange(p.windows.afterShown, {})) then();
    EXPECT_EQ(p.tray.shown, !closedFirst);
  }
}

// A store that takes no write (read-only or broken): the first run and
// every handler that writes go on with their in-memory state.
TEST(FailingStore, FirstRunAndEveryWritingHandlerGoOn) {
  for (bool firstRun : {true, false}) {
    SCOPED_TRACE(firstRun ? "first run" : "later run");
    MemoryPlatform p;
    if (!firstRun) {
      settings::Settings(p.settings).WriteFirstRun();
      p.settings.writes.clear();
    }
    p.settings.failWrites = true;
    Program run(p);
    ASSERT_TRUE(run.Start());
    for (const char* item : {"adzanSound", "analogClock", "alwaysOnTop", "version2", "version1"}) {
      const bool was = run.Item(item).checked;
      run.Click(item);
      EXPECT_NE(run.Item(item).checked, was) << item;
    }
    for (const char* typed : {"9", ""}) {  // the second OK keeps what the first typed
      run.Click("popUpTimes");
      EXPECT_EQ(run.Get("delayBox").text(), *typed ? "5" : "9");
      if (*typed) run.Type("delayBox", typed);
      run.Press("delayOk");
    }
    run.Click("prayerTimes");
    const std::string dzuhur = run.Get("prayerTime", 1).text();
    run.Click("location");
    run.Type("city", "Desa");
    run.Type("longitude", "120");
    run.Press("ok");
    EXPECT_FALSE(run.Get("locationDialog").visible());
    run.Click("prayerTimes");
    EXPECT_NE(run.Get("prayerTime", 1).text(), dzuhur) << "the new place is in use";
    run.Get("digitalTime").onDblClick();
    run.form().onMouseDown(1, 0, 100, 100);
    run.form().onMouseUp(1, 0, 100, 100);
    p.RunFor(3 * 60 * 1000);
    run.Exit();
    EXPECT_TRUE(p.settings.writes.empty());
    EXPECT_TRUE(p.dialogs.messages.empty());
  }
}

}  // namespace
}  // namespace qov::testing
