// The location dialog: opening, picking a city, OK with its order of
// writes and its checks, Cancel, and the height it shares with the panel.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "app/clockface.h"
#include "engine/datetime.h"
#include "platform/memory/memory_platform.h"

namespace qov {
namespace {

constexpr ui::Color kWrongBox = 0x00C0C0FF;

class Dialog : public testing::Test {
 protected:
  void SetUp() override {
    p.files.files[p.files.appPath + "\\daftar_all.TXT"] =
        "Jakarta,-6.2,106.8,7\r\nMakassar,-5.14,119.42,8\r\n";
    p.Attach(c.form());
    ASSERT_TRUE(StartClock(c));
    p.settings.writes.clear();
  }
  // The user's typing, which the model does not echo.
  static void Type(ui::Control* box, const std::string& text) { box->SetTextFromUser(text); }
  std::string Shown() {
    std::string s = c.Combo1->text();
    for (ui::Control* b : Boxes()) s += "|" + b->text();
    return s + (c.Option1->value() ? "|Hanafi" : "") + (c.Option2->value() ? "|Hambali" : "");
  }
  auto Working() {
    return std::tuple(c.Kota, c.Lat, c.Lon, c.TimeZone, c.AddDhuhur, c.AddMaghrib, c.MazhabAshar, c.SudutFajar,
                      c.SudutIsya);
  }
  std::vector<ui::Control*> Boxes() {
    return {c.tkLat, c.tkLong, c.tkTimeZone, c.tkDz, c.tkMag, c.sdFajar, c.sdIsya};
  }

  memory::MemoryPlatform p;
  ClockFace c{p.services};
};

TEST_F(Dialog, OpensWithTheWorkingValuesAndCancelDropsEdits) {
  c.Lat = -0.25;  // near the equator: the box shows the leading zero
  c.TimeZone = -3;
  const auto before = Working();
  c.mLok_Click();
  EXPECT_EQ(Shown(), "Jakarta|-0.25|106.816|-3|2|2|19|20|Hambali");
  EXPECT_TRUE(c.Frame2->shown());
  for (ui::Control* box : Boxes()) Type(box, "9");
  c.Option1->SetValue(true);
  c.Command2_Click();
  EXPECT_FALSE(c.Frame2->visible());
  EXPECT_TRUE(p.settings.writes.empty());
  EXPECT_EQ(Working(), before);
  c.mLok_Click();
  EXPECT_EQ(Shown(), "Jakarta|-0.25|106.816|-3|2|2|19|20|Hambali");
}

TEST_F(Dialog, PickingACityFillsThePlaceBoxesFromTheRecordOfItsItemData) {
  c.mLok_Click();
  Type(c.tkDz, "5");
  c.Combo1->ClearItems();  // positions that differ from the record indices
  c.Combo1->AddItem("Makassar", 1);
  c.Combo1->AddItem("Jakarta", 0);
  c.Combo1->AddItem("stray", 99999);
  c.Combo1->SelectItem(0);
  c.Combo1->SelectItem(2);  // no such record: nothing changes
  EXPECT_EQ(Shown(), "stray|-5.14|119.42|8|5|2|19|20|Hambali");
  EXPECT_TRUE(p.settings.writes.empty());
}

TEST_F(Dialog, OkStoresTheRawTextsInOrderAndSetsTheConvertedValues) {
  const double dzuhur = c.engine().WaktuDzuhur;
  c.mLok_Click();
  const std::vector<std::string> typed = {"Desa Kecil", " -10.17 ", "123.6",      "7.5",
                                          "3.5",        "2.5",      "20 derajat", " 1 8"};
  Type(c.Combo1, typed[0]);
  for (size_t i = 0; i < Boxes().size(); ++i) Type(Boxes()[i], typed[i + 1]);
  c.Command1_Click();
  EXPECT_EQ(p.settings.writes,
            (std::vector<std::string>{"Lokasi/Kota=Desa Kecil", "Lokasi/LAT= -10.17 ", "Lokasi/LONG=123.6",
                                      "Lokasi/Time ZOne=7.5", "Lokasi/AddDhuhur=3.5", "Lokasi/AddMaghrib=2.5",
                                      "Lokasi/MazhabAshar=1", "Lokasi/sudutFajar=20 derajat",
                                      "Lokasi/sudutIsya= 1 8"}));
  EXPECT_EQ(Working(), std::tuple(std::string("Desa Kecil"), -10.17, 123.6, 8, 4, 2, 1, 20.0, 18.0));
  EXPECT_FALSE(c.Frame2->visible());
  // The alerts follow the new place at once, not from the next midnight.
  engine::WaktuSholat expected;
  expected.HitungWaktuSholat(DatePart(p.clock.Now()), -10.17, 123.6, 8, 4, 2, 1, 20, 18);
  EXPECT_NE(c.engine().WaktuDzuhur, dzuhur);
  EXPECT_EQ(c.engine().WaktuDzuhur, expected.WaktuDzuhur);
  EXPECT_EQ(c.engine().WaktuIsya, expected.WaktuIsya);
}

// Hanafi casts a shadow twice the object's length, Hanbali once; the stored
// number stays the factor the engine takes.
TEST_F(Dialog, AsharOptionsStoreTheirSchoolsShadowFactor) {
  for (auto [option, stored] : {std::pair{c.Option1, "2"}, std::pair{c.Option2, "1"}}) {
    c.mLok_Click();
    option->SetValue(true);
    c.Command1_Click();
    EXPECT_EQ(p.settings.Get("Lokasi", "MazhabAshar"), stored);
    EXPECT_EQ(std::to_string(c.MazhabAshar), stored);
  }
  for (int16_t factor : {2, 1, 0, 3}) {
    c.MazhabAshar = factor;
    c.mLok_Click();
    EXPECT_EQ(Shown().substr(Shown().rfind('|')), factor == 2 ? "|Hanafi" : "|Hambali") << factor;
  }
}

TEST_F(Dialog, GrowsTo4410WhileOpenAndReturnsAfterOkOrCancel) {
  for (float before : {3000.0f, 4410.0f, 5010.0f}) {
    for (bool ok : {true, false}) {
      c.form().SetHeight(before);
      c.mLok_Click();
      ui::Form& f = c.form();
      EXPECT_EQ(f.height(), std::max(before, 4410.0f));
      EXPECT_FLOAT_EQ(c.Frame2->top(), (f.height() - 4365) / 2);
      EXPECT_FLOAT_EQ(c.Frame2->left(), (f.width() - 2835) / 2);
      ok ? c.Command1_Click() : c.Command2_Click();
      EXPECT_EQ(f.height(), before) << before << (ok ? " OK" : " Cancel");
    }
  }
}

TEST_F(Dialog, TheSavedHeightIsSharedWithThePanelAndTakenWhenOpeningAgain) {
  c.form().SetHeight(3000);
  c.mLok_Click();
  c.mLok_Click();
  c.Command2_Click();
  EXPECT_EQ(c.form().height(), 4410) << "opening again saved the enlarged height";
  c.form().SetHeight(2400);
  c.mwSholat_Click();  // grows the window to 3000
  c.mLok_Click();
  c.Command2_Click();
  EXPECT_EQ(c.form().height(), 3000);
}

// A rejected OK stores nothing, changes no working value, keeps the dialog
// open and marks the box; the next OK or Cancel clears the marks.
TEST_F(Dialog, OkRejectsABadBoxWholeOrAccepts) {
  const struct {
    const char* box;
    std::string text;
    const char* hint;  // nullptr: accepted
  } cases[] = {{"tkLat", "", "Lat"},          {"tkLat", "-6,2", "Lat"},         {"tkLat", "90", "Lat"},
               {"tkLat", "1e999", "Lat"},     {"tkLat", " -89.99 ", nullptr},   {"tkLong", "180.5", "Long"},
               {"tkLong", "-180", nullptr},   {"tkTimeZone", "7 WIB", "Gmt"},   {"tkTimeZone", "-12.6", "Gmt"},
               {"tkTimeZone", "14.5", nullptr}, {"tkDz", "32767.5", "Dzhuhur"}, {"tkDz", "menit", nullptr},
               {"tkMag", "-32769", "Maghrib"}, {"sdFajar", "derajat 20", "Fajar"}, {"sdFajar", " - .", "Fajar"},
               {"sdFajar", " -.5", nullptr},  {"sdIsya", "&Hzz", "Isya"},       {"sdIsya", "&H12", nullptr}};
  for (const auto& k : cases) {
    SCOPED_TRACE(std::string(k.box) + " '" + k.text + "'");
    c.form().SetHeight(3000);
    const auto before = Working();
    c.mLok_Click();
    Type(c.tkDz, "40000");  // leaves a mark the next OK must clear
    c.Command1_Click();
    p.settings.writes.clear();
    Type(c.tkDz, "2");
    ui::Control* box = &c.form().Get(k.box);
    Type(box, k.text);
    c.Command1_Click();

    const bool rejected = k.hint != nullptr;
    EXPECT_EQ(c.Frame2->visible(), rejected);
    EXPECT_EQ(c.Frame2->text(), rejected ? std::string("Lokasi - ") + k.hint + " salah" : "Lokasi");
    for (ui::Control* b : Boxes())
      EXPECT_EQ(b->backColor(), rejected && b == box ? kWrongBox : ui::kSystemWindow) << b->name();
    EXPECT_EQ(p.settings.writes.size(), rejected ? 0u : 9u);
    EXPECT_EQ(c.form().height(), rejected ? 4410 : 3000);
    if (rejected) {
      EXPECT_EQ(Working(), before);
      c.Command2_Click();
      EXPECT_EQ(c.Frame2->text(), "Lokasi");
      EXPECT_EQ(box->backColor(), ui::kSystemWindow);
    }
  }
}

}  // namespace
}  // namespace qov
