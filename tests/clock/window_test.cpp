// The layout pass, the display versions and the sizing mode (the scenarios
// of tests/clock/data/window.txt), dragging and the hand colours.
#include <string>
#include <vector>

#include "tests/app/scenario.h"

namespace qov::testing {
namespace {

class WindowTest : public Scenario {
 protected:
  void Play() { Scenario::Play("clock/data/window.txt"); }
};

TEST_F(WindowTest, Version1PutsTheStripBelowTheFaceAndTheHandsOnItsCentre) { Play(); }
TEST_F(WindowTest, TheVersionsSwitchBetweenFaceAndStripAndStoreOnlyAChange) { Play(); }
TEST_F(WindowTest, TheDialogInTheStripKeepsItsButtonsReachableAndAllStaysOnScreen) { Play(); }
TEST_F(WindowTest, SizingBorderGoesTwoSecondsAfterTheLastResize) { Play(); }

// The grabbed point follows the pointer; the release on the face stores
// the place, on the bare window the height. On a strip wider than 16 bits
// of twips the grab point lies beyond 32767 and must not wrap.
TEST_F(WindowTest, DraggingMovesTheWindowByThePointersTravel) {
  const struct {
    const char* surface;  // empty: the bare window
    float grabX;
    const char* stores;
  } cases[] = {{"face", 300, "PosisiWindow/Top"},
               {"digitalTime", 300, nullptr},
               {"", 300, "PosisiWindow/Panjang"},
               {"digitalTime", 40005, nullptr}};
  StartAt(At(2004, 6, 15, 8));
  for (const auto& k : cases) {
    SCOPED_TRACE(std::string(k.surface) + " " + std::to_string(k.grabX));
    if (k.grabX > 32767) {
      p.screen.info.width = 19200 * 4;
      run->Click("version2");
      form().SetWidth(45000);
    }
    form().Move(6000, 3000, form().width(), form().height());
    p.settings.writes.clear();
    ui::MouseHandler down = *k.surface ? run->Get(k.surface).onMouseDown : form().onMouseDown;
    ui::MouseHandler move = *k.surface ? run->Get(k.surface).onMouseMove : form().onMouseMove;
    ui::MouseHandler up = *k.surface ? run->Get(k.surface).onMouseUp : form().onMouseUp;
    down(1, 0, k.grabX, 450);
    move(1, 0, k.grabX + 300, 300);  // the window follows: the pointer is again at the grab point on it
    EXPECT_EQ(std::pair(form().left(), form().top()), std::pair(6300.0f, 2850.0f));
    move(1, 0, k.grabX, 450);
    up(1, 0, k.grabX, 450);
    move(1, 0, 900, 900);  // released: no more following
    EXPECT_FLOAT_EQ(form().left(), 6300);
    EXPECT_EQ(p.settings.writes.empty() ? "" : p.settings.writes.front().substr(0, p.settings.writes.front().find('=')),
              k.stores ? k.stores : "");
  }
}

// Each colour item opens the dialog over the clock and colours only its
// hand, for the run; cancel keeps it.
TEST_F(WindowTest, EachColourItemColoursOnlyItsHand) {
  const char* const hands[] = {"hourHand", "minuteHand", "secondHand"};
  constexpr ui::Color kRed = 0x000000FF;
  StartAt(At(2004, 6, 15, 8));
  p.settings.writes.clear();
  for (const char* hand : hands) {
    p.dialogs.nextColor = 0xFF000000 | kRed;  // a stray high byte is not a system colour
    run->Click(std::string(hand) + "Color");
    for (const char* other : hands) EXPECT_EQ(run->Get(other).borderColor(), other == hand ? kRed : ui::kWhite) << hand << other;
    p.dialogs.nextColor.reset();
    run->Click(std::string(hand) + "Color");
    EXPECT_EQ(run->Get(hand).borderColor(), kRed);
    run->Get(hand).SetBorderColor(ui::kWhite);
  }
  EXPECT_EQ(p.dialogs.colorOwners, std::vector<const ui::Form*>(6, &form()));
  EXPECT_TRUE(p.settings.writes.empty());
}

}  // namespace
}  // namespace qov::testing
