// The prayer-time panel, its auto-close and the pop-delay editor.
#include <string>
#include <utility>

#include "tests/clock/clock_fixture.h"

namespace qov::testing {
namespace {

class PanelTest : public ClockTest {
 protected:
  void SetUp() override {
    StartAt(At(2004, 6, 15, 8, 0, 0));
    form().SetHeight(2400);
  }
  ui::Form& form() { return c->form(); }
  void ExpectCentred() {
    EXPECT_FLOAT_EQ(c->Frame1->left(), (form().width() - c->Frame1->width()) / 2);
    EXPECT_FLOAT_EQ(c->Frame1->top(), (form().height() - c->Frame1->height()) / 2);
  }
  bool EditorShown() {
    return c->lbWkSholat[5]->visible() && c->lbWkSholat[6]->visible() && c->tkDel->visible() &&
           c->Command3->visible();
  }
};

}  // namespace

TEST_F(PanelTest, OpensWithTodaysTimesAndClosesAfterTheDelay) {
  c->engine().WaktuDzuhur = TimeSerial(3, 33, 0);  // stale times are replaced
  c->mwSholat_Click();
  EXPECT_EQ(c->SavedHeight, 2400);
  EXPECT_EQ(form().height(), 3000);
  EXPECT_FLOAT_EQ(form().width(), c->Picture1->width());  // laid out before centring
  ExpectCentred();
  EXPECT_TRUE(c->Frame1->shown());
  EXPECT_FALSE(EditorShown());
  EXPECT_EQ(c->timerPopUp->interval(), 5000);

  EXPECT_EQ(c->Label2_0->text(), "15 Juni 2004");
  const engine::WaktuSholat e = TimesFor(DateSerial(2004, 6, 15));
  const double rows[5] = {e.WaktuShubuh, e.WaktuDzuhur, e.WaktuAshar, e.WaktuMaghrib, e.WaktuIsya};
  for (size_t k = 0; k < 5; ++k) EXPECT_EQ(c->lbWkt[k]->text(), FormatHHMM(rows[k])) << k;
  EXPECT_EQ(c->engine().WaktuDzuhur, e.WaktuDzuhur);

  p.RunFor(4900);
  EXPECT_TRUE(c->Frame1->visible());
  p.RunFor(200);
  EXPECT_FALSE(c->Frame1->visible());
  EXPECT_FALSE(c->timerPopUp->enabled());
  EXPECT_EQ(form().height(), 2400);
}

TEST_F(PanelTest, StripVersionClipsTheFrameButOpensAndCloses) {
  c->mVer2_Click();
  const float h = form().height();
  ASSERT_LT(h, c->Frame1->height());
  c->mwSholat_Click();
  EXPECT_TRUE(c->Frame1->shown());
  EXPECT_EQ(form().height(), h);  // the strip keeps its proportion
  ExpectCentred();
  p.RunFor(5000);
  EXPECT_FALSE(c->Frame1->visible());
  EXPECT_EQ(form().height(), h);
}

TEST_F(PanelTest, ClickOrTheArmedTimerClosesToTheSavedHeightEvenWhenOpenedTwice) {
  c->mwSholat_Click();
  c->Frame1_Click();
  EXPECT_FALSE(c->Frame1->visible());
  EXPECT_EQ(form().height(), 2400);
  form().SetHeight(3600);
  p.RunFor(5000);
  EXPECT_EQ(form().height(), 2400);
  c->mwSholat_Click();
  c->mwSholat_Click();  // opening twice saves the enlarged height
  c->Frame1_Click();
  EXPECT_EQ(form().height(), 3000);
}

TEST_F(PanelTest, EditorOpensWithoutAutoCloseAndStaysUntilOk) {
  c->mpop_Click();
  EXPECT_TRUE(EditorShown());
  EXPECT_EQ(c->tkDel->text(), "5");
  EXPECT_FALSE(c->timerPopUp->enabled());
  c->Frame1_Click();
  c->mwSholat_Click();
  EXPECT_TRUE(EditorShown());  // a click hides only the frame
  c->tkDel->SetTextFromUser("9");
  c->Command3_Click();
  EXPECT_FALSE(EditorShown() || c->Frame1->visible());
  EXPECT_EQ(c->timerPopUp->interval(), 5000);  // an armed timer keeps its interval
  c->mwSholat_Click();
  EXPECT_EQ(c->timerPopUp->interval(), 9000);
}

// Whatever is typed, the panel opens and closes: a delay above 0 closes it
// after that many seconds (32-bit arithmetic, up to 32767 s); 0 or below
// leaves it until clicked.
TEST_F(PanelTest, TypedDelayIsStoredAndUsedSafely) {
  const std::pair<const char*, const char*> cases[] = {
      {"7.5", "8"}, {"6.5", "6"}, {"12 detik", "12"}, {" 4 5", "45"},     {"&H10", "16"},      {"0", "0"},
      {"", "0"},    {"abc", "0"}, {"-5", "-5"},       {"99999", "32767"}, {"1e9", "32767"}, {"-99999", "-32768"}};
  for (const auto& [typed, stored] : cases) {
    SCOPED_TRACE(typed);
    c->mpop_Click();
    c->tkDel->SetTextFromUser(typed);
    c->Command3_Click();
    EXPECT_EQ(p.settings.writes.back(), std::string("Lokasi/Pop Delay=") + stored);
    const int delay = std::stoi(stored);
    EXPECT_EQ(c->PopDelay, delay);

    c->mwSholat_Click();
    EXPECT_TRUE(c->Frame1->visible());
    EXPECT_EQ(c->timerPopUp->enabled(), delay > 0);
    if (delay > 0) {
      EXPECT_EQ(c->timerPopUp->interval(), delay * 1000);
      if (delay < 100) p.RunFor(delay * 1000);
    } else {
      p.RunFor(600000);
      EXPECT_TRUE(c->Frame1->visible());
    }
    if (c->Frame1->visible()) c->Frame1_Click();
    EXPECT_FALSE(c->Frame1->visible());
    EXPECT_EQ(form().height(), 2400);
  }
}

}  // namespace qov::testing
