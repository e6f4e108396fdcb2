// Hand-edited settings: the start never fails and each key falls back as
// its reader promises. One row per key and kind of garbage.
#include <cmath>
#include <string>
#include <vector>

#include "tests/app/app_fixture.h"

namespace qov::testing {
namespace {

// What a previous normal run leaves behind.
void CompleteStore(MemoryPlatform& p) {
  settings::Settings(p.settings).WriteFirstRun();
  p.settings.values[{"PosisiWindow", "Top"}] = " 450";
  p.settings.values[{"PosisiWindow", "Left"}] = " 9000";
  p.settings.values[{"PosisiWindow", "Panjang"}] = " 3075";
  p.settings.writes.clear();
}

// What the program shows of a setting: a dialog box ("box:"), a menu check
// ("menu:"), the delay editor, the window being on top, or its height.
std::string Observe(Program& r, const std::string& what) {
  if (what.rfind("box:", 0) == 0) {
    r.Click("location");
    const std::string shown = r.Get(what.substr(4)).text() + (r.Get("hanafi").value() ? "/Hanafi" : "");
    r.Press("cancel");
    return shown;
  }
  if (what == "topmost") return r.Topmost() && r.Item("alwaysOnTop").checked ? "on" : "off";
  if (what.rfind("menu:", 0) == 0) return r.Item(what.substr(5)).checked ? "on" : "off";
  if (what == "delay") {
    r.Click("popUpTimes");
    const std::string shown = r.Get("delayBox").text();
    r.Press("delayOk");
    return shown;
  }
  return settings::PlainNumber(r.form().height());
}

// The rows are in data/bad_settings.txt.
TEST(BadSetting, StartSucceedsAndTheFieldFallsBack) {
  for (std::vector<std::string> k : DataRows("app/data/bad_settings.txt")) {
    ASSERT_EQ(k.size(), 5u);
    const std::string &section = k[0], &key = k[1], &observed = k[3], &shows = k[4];
    std::string& text = k[2];
    if (text == "<nines>") text.assign(100000, '9');
    SCOPED_TRACE(key + " '" + text.substr(0, 20) + "'");
    MemoryPlatform p;
    CompleteStore(p);
    p.settings.values[{section, key}] = text;
    Program run(p);
    ASSERT_TRUE(run.Start());
    EXPECT_TRUE(p.dialogs.messages.empty());
    const std::string shown = Observe(run, observed);
    EXPECT_TRUE(shows == "*" ? !shown.empty() : shown == shows) << shown;

    // Wherever it ended, the window is somewhere with a size, and it runs:
    // ticks, the panel, the dialog and the editor.
    ui::Form& f = run.form();
    for (float v : {f.left(), f.top(), f.width(), f.height()}) EXPECT_TRUE(std::isfinite(v));
    EXPECT_TRUE(f.width() > 0 && f.height() > 0);
    p.RunFor(61000);
    run.Click("prayerTimes");
    for (int i = 0; i < 5; ++i) EXPECT_FALSE(run.Get("prayerTime", i).text().empty());
    p.RunFor(40000);
    EXPECT_FALSE(run.Get("prayerPanel").visible() && text != "-5");
    run.Click("location");
    run.Press("cancel");
    EXPECT_FALSE(run.Get("locationDialog").visible());
  }
}

}  // namespace
}  // namespace qov::testing
