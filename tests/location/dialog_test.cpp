// The location dialog: opening, picking a city, OK with its checks and its
// writes, Cancel, and the height it shares with the panel; all but the
// refused boxes and the names are the scenarios of
// tests/location/data/dialog.txt.
#include <string>
#include <vector>

#include "tests/app/scenario.h"

namespace qov::testing {
namespace {

constexpr ui::Color kWrongBox = 0x00C0C0FF;

class DialogTest : public Scenario {
 protected:
  void Play() { Scenario::Play("location/data/dialog.txt"); }
  void StartFirstRun() {
    StartAt(At(2004, 6, 15, 8));
    p.settings.writes.clear();
  }
  ui::Control& Frame() { return run->Get("locationDialog"); }
};

TEST_F(DialogTest, OpensWithTheStoredPlacePicksACityAndCancelDropsEdits) { Play(); }
TEST_F(DialogTest, OkStoresTheTypedTextsAndAppliesThePlaceAtOnce) { Play(); }
TEST_F(DialogTest, AsharSchoolsAndAnUnknownStoredSchoolOpensOnHanafi) { Play(); }
TEST_F(DialogTest, GrowsToTheDialogsHeightWhileOpenAndSharesTheHeightBeforeWithThePanel) { Play(); }

// A refused OK stores nothing, keeps the dialog open, marks the box, names
// it in the caption and states the box's range (data/refused_boxes.txt; the
// same values refuse qov-jadwal's options); the
// next OK or Cancel clears the marks. An empty name used to be stored and
// make the next start a first run.
TEST_F(DialogTest, OkRefusesABadBoxWholeOrAccepts) {
  const char* const all[] = {"city", "latitude", "longitude", "zone", "addShubuh", "addDzuhur", "addAshar",
                             "addMaghrib", "addIsya", "fajrAngle", "isyaAngle", "hijriCorrection", "elevation"};
  StartFirstRun();
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
  StartFirstRun();
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
