// The prayer-time panel, its auto-close and the pop-delay editor.
#include <string>
#include <utility>

#include "tests/app/app_fixture.h"

namespace qov::testing {
namespace {

class PanelTest : public AppTest {
 protected:
  void SetUp() override {
    StartAt(At(2004, 6, 15, 8));
    form().SetHeight(2400);
  }
  ui::Control& Frame() { return run->Get("prayerPanel"); }
  void ExpectCentred() {
    EXPECT_FLOAT_EQ(Frame().left(), (form().width() - Frame().width()) / 2);
    EXPECT_FLOAT_EQ(Frame().top(), (form().height() - Frame().height()) / 2);
  }
  bool EditorShown() {
    for (const char* c : {"delayCaption", "delayBox", "delayUnit", "delayOk"})
      if (!run->Get(c).visible()) return false;
    return true;
  }
};

TEST_F(PanelTest, OpensWithTodaysTimesAndClosesAfterTheDelayOrAClick) {
  run->Click("prayerTimes");
  EXPECT_FLOAT_EQ(form().height(), 3000);
  EXPECT_FLOAT_EQ(form().width(), run->Get("face").width()) << "laid out before centring";
  ExpectCentred();
  EXPECT_TRUE(Frame().shown());
  EXPECT_FALSE(EditorShown());
  EXPECT_EQ(run->Get("date").text(), "15 Juni 2004");
  // Jakarta's times that day, as the clock has always shown them.
  const char* times[] = {"04:40", "11:55", "15:15", "17:48", "19:10"};
  for (int k = 0; k < 5; ++k) EXPECT_EQ(run->Get("prayerTime", k).text(), times[k]) << k;
  p.RunFor(4900);
  EXPECT_TRUE(Frame().visible());
  p.RunFor(200);
  EXPECT_FALSE(Frame().visible());
  EXPECT_FLOAT_EQ(form().height(), 2400);
  // Opened twice then clicked: the height from before the first.
  run->Click("prayerTimes");
  run->Click("prayerTimes");
  run->Press("prayerPanel");
  EXPECT_FALSE(Frame().visible());
  EXPECT_FLOAT_EQ(form().height(), 2400);
  // The strip is held tall enough for the whole panel while it shows (it
  // used to keep its proportion and clip the panel), then returns.
  run->Click("version2");
  const float strip = form().height(), digits = run->Get("digitalTime").font().size;
  ASSERT_LT(strip, Frame().height());
  run->Click("prayerTimes");
  EXPECT_GE(form().height(), Frame().height());
  ExpectCentred();
  // The digits keep their size (grown with the strip they were cut off).
  EXPECT_FLOAT_EQ(run->Get("digitalTime").font().size, digits);
  p.RunFor(5000);
  EXPECT_FALSE(Frame().visible());
  EXPECT_FLOAT_EQ(form().height(), strip);
}

// The editor opens on the delay in force and stays until OK. Whatever is
// typed, the panel then opens and closes: a delay above 0 closes it after
// that many seconds (up to 32767 s); 0 or below leaves it until clicked.
TEST_F(PanelTest, TheEditorStaysUntilOkAndTheTypedDelayIsStoredAndUsedSafely) {
  const std::pair<const char*, const char*> cases[] = {
      {"9", "9"},  {"7.5", "8"}, {"6.5", "6"}, {"12 detik", "12"}, {" 4 5", "45"},     {"&H10", "16"},   {"0", "0"},
      {"", "0"},   {"abc", "0"}, {"-5", "-5"}, {"99999", "32767"}, {"1e9", "32767"}, {"-99999", "-32768"}};
  std::string inForce = "5";
  for (const auto& [typed, stored] : cases) {
    SCOPED_TRACE(typed);
    run->Click("popUpTimes");
    EXPECT_TRUE(EditorShown());
    EXPECT_EQ(run->Get("delayBox").text(), inForce);
    p.RunFor(60000);
    EXPECT_TRUE(Frame().visible()) << "no auto-close with the editor";
    run->Type("delayBox", typed);
    run->Press("delayOk");
    EXPECT_FALSE(EditorShown() || Frame().visible());
    EXPECT_EQ(p.settings.writes.back(), std::string("Lokasi/Pop Delay=") + stored);
    inForce = stored;
    const int delay = std::stoi(stored);
    run->Click("prayerTimes");
    ASSERT_TRUE(Frame().visible());
    if (delay > 0) {
      p.RunFor(int64_t{delay} * 1000 - 1);
      EXPECT_TRUE(Frame().visible());
      p.RunFor(1);
      EXPECT_FALSE(Frame().visible());
    } else {
      p.RunFor(600000);
      EXPECT_TRUE(Frame().visible());
      run->Press("prayerPanel");
    }
    EXPECT_FLOAT_EQ(form().height(), 2400);
  }
}

}  // namespace
}  // namespace qov::testing
