// Start-up, shut-down, placement and the stored switches.
#include <algorithm>
#include <string>
#include <vector>

#include "tests/app/app_fixture.h"

namespace qov::testing {
namespace {

// What the window shows of the three stored switches, in the order
// (on top, analog, sound): each item's check and what it does.
std::vector<std::vector<bool>> Switches(Program& r) {
  return {{r.Item("alwaysOnTop").checked, r.Topmost()},
          {r.Item("analogClock").checked, r.Get("hourHand").visible(), r.Get("secondHand").visible(),
           r.Get("face").picture() == "faceWithNumerals"},
          {r.Item("adzanSound").checked}};
}
// A first run, and a later start that finds none stored: on top and
// analog on, sound off.
const std::vector<std::vector<bool>> kFirstRunSwitches = {{true, true}, {true, true, true, true}, {false}};

// A first run stores the location at once and only the height at exit; the
// next start reads it back, writes nothing, and stays where it was (the
// dialog's tests pin what it shows of them).
TEST(FirstThenLaterRun, StoresTheLocationThenTheHeightAndReadsThemBack) {
  MemoryPlatform p;
  std::pair<float, float> place;
  {
    Program first(p);
    ASSERT_TRUE(first.Start());
    EXPECT_EQ(p.settings.writes, DataLines("app/data/first_run.txt"));
    EXPECT_EQ(Switches(first), kFirstRunSwitches);
    ui::Form& f = first.form();
    // A tenth of the design width in from the right edge, a tenth of the
    // height down (in whole pixels).
    EXPECT_NEAR(f.left(), p.screen.Info().width - 1.1 * 2115, 15);
    EXPECT_NEAR(f.top(), 0.1 * 3075, 15);
    EXPECT_TRUE(f.visible());
    place = {f.left(), f.top()};
    p.settings.writes.clear();
    const float h = f.height();
    first.Exit();
    EXPECT_EQ(p.settings.writes, std::vector<std::string>{"PosisiWindow/Panjang=" + settings::SignedBlank(h, 7)});
  }
  p.settings.writes.clear();
  Program second(p);
  ASSERT_TRUE(second.Start());
  EXPECT_TRUE(p.settings.writes.empty()) << "a later start writes nothing it does not mend";
  EXPECT_EQ(std::pair(second.form().left(), second.form().top()), place);
  EXPECT_EQ(Switches(second), kFirstRunSwitches);
}

// Each menu switch stores its own key and nothing else ("0" off, "-1" on),
// and the next start shows what was stored.
TEST(MenuSwitches, EachStoresOnlyItsOwnKeyAndTheNextStartShowsIt) {
  const char* const cases[][2] = {{"alwaysOnTop", "AOT"}, {"analogClock", "Analog"}, {"adzanSound", "Suara Adzhan"}};
  for (size_t i = 0; i < 3; ++i) {
    SCOPED_TRACE(cases[i][1]);
    const bool firstRun = kFirstRunSwitches[i][0];
    const std::vector<bool> changed(kFirstRunSwitches[i].size(), !firstRun);
    MemoryPlatform p;
    {
      Program first(p);
      ASSERT_TRUE(first.Start());
      p.settings.writes.clear();
      first.Click(cases[i][0]);
      EXPECT_EQ(Switches(first)[i], changed);
      EXPECT_EQ(p.settings.writes, std::vector<std::string>{std::string("PosisiWindow/") + cases[i][1] + (firstRun ? "=0" : "=-1")});
      first.Exit();
    }
    Program second(p);
    ASSERT_TRUE(second.Start());
    EXPECT_EQ(Switches(second)[i], changed);
  }
}

void LaterStore(MemoryPlatform& p, const char* version) {
  p.settings.values = {{{"Lokasi", "Kota"}, "Bandung"}, {{"Lokasi", "Versi Display"}, version}, {{"Lokasi", "Pop Delay"}, " 5"}};
}

// The rows and what they hold to are in data/later_start.txt.
TEST(LaterStart, RestoresTheWindowAndPullsALostPlaceBackOnScreen) {
  for (const std::vector<std::string>& k : DataRows("app/data/later_start.txt")) {
    ASSERT_EQ(k.size(), 8u);
    SCOPED_TRACE(k[0] + k[1] + k[2] + k[3]);
    MemoryPlatform p;
    LaterStore(p, k[0].c_str());
    for (int i = 1; i < 4; ++i) p.settings.values[{"PosisiWindow", std::array{"Panjang", "Top", "Left"}[i - 1]}] = k[i];
    Program run(p);
    ASSERT_TRUE(run.Start());
    const ui::Form& f = run.form();
    EXPECT_EQ((std::vector<float>{f.width(), f.height(), f.left(), f.top()}),
              (std::vector<float>{std::stof(k[4]), std::stof(k[5]), std::stof(k[6]), std::stof(k[7])}));
  }
}

TEST(LaterStart, UnknownDisplayVersionLeavesTheLayoutAloneAndStaysUsable) {
  MemoryPlatform p;
  LaterStore(p, "7");
  Program run(p);
  ASSERT_TRUE(run.Start());
  for (const char* version : {"", "version1", "version2"}) {
    if (*version) run.Click(version);
    EXPECT_EQ(std::pair(run.form().width(), run.form().height()), std::pair(2115.0f, 3075.0f)) << version;
  }
  EXPECT_EQ(Stored(p, "Lokasi", "Versi Display"), "7");
  p.RunFor(3000);
  EXPECT_EQ(run.Get("digitalTime").text().size(), 8u) << "a time";
}

// Exit hides the window and removes the icon. While the dialog or the panel
// holds the window enlarged it stores the height from before, not the
// enlarged one.
TEST(Exit, WhileAnOverlayEnlargesTheWindowStoresTheHeightBefore) {
  const struct {
    const char* overlay;
    bool fromTray;
  } cases[] = {{"location", true}, {"location", false}, {"prayerTimes", true}, {"popUpTimes", false}};
  for (const auto& k : cases) {
    SCOPED_TRACE(std::string(k.overlay) + (k.fromTray ? " tray Exit" : " unload"));
    MemoryPlatform p;
    Program run(p);
    ASSERT_TRUE(run.Start());
    run.form().SetHeight(2400);
    const float before = run.form().height();
    run.Click(k.overlay);
    ASSERT_GT(run.form().height(), before);
    p.settings.writes.clear();
    if (k.fromTray) run.Exit();
    else p.windows.Close(run.form());
    EXPECT_EQ(Stored(p, "PosisiWindow", "Panjang"), settings::SignedBlank(before, 7));
    EXPECT_FALSE(p.tray.shown || run.form().visible());
  }
}

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
