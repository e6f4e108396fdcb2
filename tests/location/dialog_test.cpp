// The location dialog: opening, picking a city, OK with its checks and its
// writes, Cancel, and the height it shares with the panel.
#include <algorithm>
#include <string>
#include <vector>

#include "tests/app/app_fixture.h"

namespace qov::testing {
namespace {

constexpr ui::Color kWrongBox = 0x00C0C0FF;
const char* const kBoxes[] = {"city", "latitude", "longitude", "zone", "addDzuhur", "addMaghrib", "fajrAngle", "isyaAngle"};

class DialogTest : public AppTest {
 protected:
  void SetUp() override {
    p.files.files[p.files.appPath + "\\daftar_all.TXT"] = "Jakarta,-6.2,106.8,7\r\nMakassar,-5.14,119.42,8\r\n";
    StartAt(At(2004, 6, 15, 8));
    p.settings.writes.clear();
  }
  std::string Shown() {
    std::string s;
    for (const char* b : kBoxes) s += run->Get(b).text() + "|";
    return s + (run->Get("hanafi").value() ? "Hanafi" : "") + (run->Get("hambali").value() ? "Hambali" : "");
  }
  ui::Control& Frame() { return run->Get("locationDialog"); }
};

// A picked city fills the place boxes from its record (an item naming no
// record changes nothing); Cancel drops every edit.
TEST_F(DialogTest, OpensWithTheStoredPlacePicksACityAndCancelDropsEdits) {
  run->Click("location");
  EXPECT_TRUE(Frame().shown());
  EXPECT_EQ(Shown(), "Jakarta|-6.15|106.816|7|2|2|19|20|Hambali");
  run->Type("addDzuhur", "5");
  ui::Control& city = run->Get("city");
  ASSERT_EQ(city.items().size(), 2u);
  city.SelectItem(1);
  EXPECT_EQ(Shown(), "Makassar|-5.14|119.42|8|5|2|19|20|Hambali");
  city.AddItem("stray", 99999);
  city.SelectItem(2);
  EXPECT_EQ(Shown(), "stray|-5.14|119.42|8|5|2|19|20|Hambali");
  run->Get("hanafi").SetValue(true);
  run->Press("cancel");
  EXPECT_FALSE(Frame().visible());
  EXPECT_TRUE(p.settings.writes.empty());
  run->Click("location");
  EXPECT_EQ(Shown(), "Jakarta|-6.15|106.816|7|2|2|19|20|Hambali");
}

// OK stores the typed texts as read (halves to even), and the new place
// applies at once: the panel shows what a restart shows, and the alert
// comes at the panel's Dzuhur.
TEST_F(DialogTest, OkStoresTheTypedTextsAndAppliesThePlaceAtOnce) {
  const std::vector<std::string> before = PanelRows();
  run->Click("location");
  const std::vector<std::string> typed = {"Desa Kecil", " -10.17 ", "123.6", "7.5", "3.5", "2.5", "20 derajat", " 1 8"};
  for (size_t i = 0; i < typed.size(); ++i) run->Type(kBoxes[i], typed[i]);
  run->Press("ok");
  EXPECT_FALSE(Frame().visible());
  // A half-hour zone is kept as typed; it used to be rounded to 8.
  EXPECT_EQ(p.settings.writes,
            (std::vector<std::string>{"Lokasi/AddDhuhur=4", "Lokasi/AddMaghrib=2", "Lokasi/MazhabAshar=1",
                                      "Lokasi/sudutFajar=20", "Lokasi/sudutIsya=18", "Lokasi/Kota=Desa Kecil",
                                      "Lokasi/LAT=-10.17", "Lokasi/LONG=123.6", "Lokasi/Time ZOne=7.5"}));
  const std::vector<std::string> after = PanelRows();
  EXPECT_NE(after, before);
  const int dzuhur = std::stoi(after.at(1).substr(0, 2)) * 60 + std::stoi(after[1].substr(3, 2));
  RunUntil(DateSerial(2004, 6, 15) + (dzuhur + 1.0 / 60) / 1440);
  ASSERT_FALSE(run->alerts.empty());
  EXPECT_EQ(run->alerts.back().name, "Dzhuhur");
  // An empty name, refused, leaves the place for the next start: it used to
  // be stored and make that start a first run, back at Jakarta.
  run->Click("location");
  run->Type("city", "");
  run->Press("ok");
  StartAt(At(2004, 6, 15, 8));
  EXPECT_EQ(PanelRows(), after);
  run->Click("location");
  EXPECT_EQ(Shown(), "Desa Kecil|-10.17|123.6|7.5|4|2|20|18|Hambali");
}

// Hanafi casts a shadow twice the object's length, Hambali once; a stored
// school that is neither opens on Hanafi, the factor the engine uses, and
// OK then keeps the times.
TEST_F(DialogTest, AsharSchoolsAndAnUnknownStoredSchoolOpensOnHanafi) {
  for (auto [option, stored] : {std::pair{"hanafi", "2"}, std::pair{"hambali", "1"}}) {
    run->Click("location");
    run->Get(option).SetValue(true);
    run->Press("ok");
    EXPECT_EQ(Stored(p, "Lokasi", "MazhabAshar"), stored);
  }
  for (const char* odd : {"0", "3", "-5", "&HFFFF"}) {
    p.settings.values[{"Lokasi", "MazhabAshar"}] = odd;
    StartAt(At(2004, 6, 15, 8));
    const std::vector<std::string> times = PanelRows();
    run->Click("location");
    EXPECT_TRUE(run->Get("hanafi").value()) << odd;
    run->Press("ok");
    EXPECT_EQ(std::pair(PanelRows(), Stored(p, "Lokasi", "MazhabAshar")), std::pair(times, std::string("2"))) << odd;
  }
}

// The window grows to the dialog's height, centred, and returns after OK or
// Cancel; opening again, or over the panel, keeps the first height.
TEST_F(DialogTest, GrowsToTheDialogsHeightWhileOpenAndSharesTheHeightBeforeWithThePanel) {
  for (float before : {3000.0f, kDialogHeight, 5010.0f}) {
    for (const char* button : {"ok", "cancel"}) {
      form().SetHeight(before);
      run->Click("location");
      EXPECT_FLOAT_EQ(form().height(), std::max(before, kDialogHeight));
      EXPECT_FLOAT_EQ(Frame().top(), (form().height() - Frame().height()) / 2);
      EXPECT_FLOAT_EQ(Frame().left(), (form().width() - Frame().width()) / 2);
      run->Press(button);
      EXPECT_FLOAT_EQ(form().height(), before) << before << button;
    }
  }
  for (const char* first : {"location", "prayerTimes"}) {
    form().SetHeight(2400);
    run->Click(first);
    run->Click("location");
    run->Press("cancel");
    EXPECT_FLOAT_EQ(form().height(), 2400) << first;
  }
}

// A refused OK stores nothing, keeps the dialog open, marks the box, names
// it in the caption and states the box's range (data/refused_boxes.txt; the
// same values refuse qov-jadwal's options); the
// next OK or Cancel clears the marks. An empty name used to be stored and
// make the next start a first run.
TEST_F(DialogTest, OkRefusesABadBoxWholeOrAccepts) {
  const char* const all[] = {"city", "latitude", "longitude", "zone", "addShubuh", "addDzuhur", "addAshar",
                             "addMaghrib", "addIsya", "fajrAngle", "isyaAngle", "hijriCorrection", "elevation"};
  for (const std::vector<std::string>& k : DataRows("location/data/refused_boxes.txt")) {
    ASSERT_EQ(k.size(), 4u);
    const std::string &box = k[0], &text = k[1], &hint = k[2], &message = k[3];
    SCOPED_TRACE(box + " '" + text + "'");
    form().SetHeight(3000);
    const std::vector<std::string> times = PanelRows();
    run->Click("location");
    run->Type("addDzuhur", "40000");  // leaves a mark the next OK must clear
    run->Press("ok");
    p.settings.writes.clear();
    p.dialogs.messages.clear();
    run->Type("addDzuhur", "2");
    run->Type(box, text);
    run->Press("ok");

    const bool refused = !hint.empty();
    EXPECT_EQ(Frame().visible(), refused);
    EXPECT_EQ(Frame().text(), refused ? "Lokasi - " + hint + " salah" : "Lokasi");
    for (const char* b : all)
      EXPECT_EQ(run->Get(b).backColor(), refused && b == box ? kWrongBox : ui::kSystemWindow) << b;
    EXPECT_EQ(p.settings.writes.empty(), refused);
    using Messages = decltype(p.dialogs.messages);
    const Messages expected = refused ? Messages{{message, "Lokasi"}} : Messages{};
    EXPECT_EQ(p.dialogs.messages, expected);
    EXPECT_FLOAT_EQ(form().height(), refused ? kDialogHeight : 3000);
    if (refused) {
      run->Press("cancel");
      EXPECT_EQ(std::pair(Frame().text(), PanelRows()), std::pair(std::string("Lokasi"), times));
      EXPECT_EQ(run->Get(box).backColor(), ui::kSystemWindow);
    }
    settings::Settings(p.settings).SaveLocation(settings::Location{});
  }
}

// The zone box follows the system's zone in the system's own name; the
// high-latitude rules are a list to choose from, the city list takes typing.
TEST_F(DialogTest, NamesTheSystemAndOffersTheRulesAsAList) {
  for (const char* system : {"Windows", "sistem"}) {
    p.clock.systemName = system;
    StartAt(At(2004, 6, 15, 8));
    EXPECT_EQ(run->Get("followZone").text(), std::string("Ikuti zona waktu ") + system);
  }
  std::vector<std::string> rules;
  for (const ui::ComboItem& item : run->Get("highLatitude").items()) rules.push_back(item.text);
  EXPECT_EQ(rules, (std::vector<std::string>{"Otomatis", "Tengah malam", "Sepertujuh malam", "Sudut senja"}));
  EXPECT_EQ(std::make_pair(run->Get("highLatitude").listOnly(), run->Get("city").listOnly()), std::make_pair(true, false));
}

}  // namespace
}  // namespace qov::testing
