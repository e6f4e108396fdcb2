// Hand-edited settings: the start never fails and each key falls back as
// its reader promises. One row per key and kind of garbage.
#include <cmath>
#include <string>

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

TEST(BadSetting, StartSucceedsAndTheFieldFallsBack) {
  const std::string digits(100000, '9');
  const std::string binary("\x01\x02\xff\x00\x80", 5);
  const struct {
    const char *section, *key;
    std::string text;
    const char* observed;
    const char* shows;
  } cases[] = {
      {"Lokasi", "Kota", binary, "box:city", nullptr},
      {"Lokasi", "Kota", "", "box:city", "Jakarta"},  // a first run
      {"Lokasi", "LAT", "abc", "box:latitude", "0"},
      {"Lokasi", "LAT", "1e999", "box:latitude", "0"},
      {"Lokasi", "LAT", "-6,15", "box:latitude", "-6"},
      {"Lokasi", "LONG", digits, "box:longitude", "0"},
      {"Lokasi", "LONG", "nan", "box:longitude", "0"},
      {"Lokasi", "LONG", "1e308", "box:longitude", "1E+308"},
      {"Lokasi", "Time ZOne", "40000", "box:zone", "0"},
      {"Lokasi", "Time ZOne", "7abc", "box:zone", "7"},
      {"Lokasi", "AddDhuhur", "-32769", "box:addDzuhur", "0"},
      {"Lokasi", "AddMaghrib", "2.5", "box:addMaghrib", "2"},
      {"Lokasi", "MazhabAshar", "&HFFFF", "box:hambali", "Hambali/Hanafi"},
      {"Lokasi", "sudutFajar", "inf", "box:fajrAngle", "0"},
      {"Lokasi", "sudutIsya", "1e20", "box:isyaAngle", "1E+20"},
      {"Lokasi", "Pop Delay", "abc", "delay", "5"},
      {"Lokasi", "Pop Delay", "0", "delay", "5"},
      {"Lokasi", "Pop Delay", "-5", "delay", "-5"},
      {"Lokasi", "Versi Display", "99999999999999999999", "height", "3075"},
      {"PosisiWindow", "Suara Adzhan", "abc", "menu:adzanSound", "off"},
      {"PosisiWindow", "Suara Adzhan", "", "menu:adzanSound", "off"},
      {"PosisiWindow", "Analog", "-Infinity", "menu:analogClock", "off"},
      {"PosisiWindow", "Analog", "", "menu:analogClock", "on"},
      {"PosisiWindow", "AOT", "&H1", "menu:alwaysOnTop", "on"},
      {"PosisiWindow", "AOT", binary, "menu:alwaysOnTop", "off"},
      {"PosisiWindow", "Top", "1e308", "height", "3075"},
      {"PosisiWindow", "Left", digits, "height", "3075"},
      {"PosisiWindow", "Panjang", "0", "height", "3075"},
      {"PosisiWindow", "Panjang", "-5", "height", "3075"},
      {"PosisiWindow", "Panjang", "nan", "height", "3075"},
      {"PosisiWindow", "Panjang", "1e39", "height", "3075"},
      {"PosisiWindow", "Panjang", "7", "height", "3075"},  // under a pixel
      {"PosisiWindow", "Panjang", "", "topmost", "on"},    // a first run ended by force: on top as it was
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(std::string(k.key) + " '" + k.text.substr(0, 20) + "'");
    MemoryPlatform p;
    CompleteStore(p);
    p.settings.values[{k.section, k.key}] = k.text;
    Program run(p);
    ASSERT_TRUE(run.Start());
    EXPECT_TRUE(p.dialogs.messages.empty());
    const std::string shows = Observe(run, k.observed);
    EXPECT_TRUE(k.shows ? shows == k.shows : !shows.empty()) << shows;

    // Wherever it ended, the window is somewhere with a size, and it runs:
    // ticks, the panel, the dialog and the editor.
    ui::Form& f = run.form();
    for (float v : {f.left(), f.top(), f.width(), f.height()}) EXPECT_TRUE(std::isfinite(v));
    EXPECT_TRUE(f.width() > 0 && f.height() > 0);
    p.RunFor(61000);
    run.Click("prayerTimes");
    for (int i = 0; i < 5; ++i) EXPECT_FALSE(run.Get("prayerTime", i).text().empty());
    p.RunFor(40000);
    EXPECT_FALSE(run.Get("prayerPanel").visible() && k.text != "-5");
    run.Click("location");
    run.Press("cancel");
    EXPECT_FALSE(run.Get("locationDialog").visible());
  }
}

}  // namespace
}  // namespace qov::testing
