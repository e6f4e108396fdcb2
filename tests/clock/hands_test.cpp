// Hand tips from the time.
#include <cmath>
#include <utility>

#include "tests/clock/clock_fixture.h"

namespace qov::testing {
namespace {

constexpr double k = 0.017453292519943278;

int Nearest(double v) { return static_cast<int>(std::nearbyint(v)); }

class HandsTest : public ClockTest {
 protected:
  void SetUp() override { StartAt(At(2004, 6, 15, 8)); }
  void ShowTime(int h, int mi, int s) {
    p.clock.SetValue(At(2004, 6, 15, h, mi, s, 20));
    c->UpdateHands();
  }
  void ExpectTip(const ui::Control& hand, double angle, int length) {
    EXPECT_EQ(hand.x2(), static_cast<float>(c->CenterX + length * std::sin(angle * k))) << angle;
    EXPECT_EQ(hand.y2(), static_cast<float>(c->CenterY - length * std::cos(angle * k))) << angle;
  }
};

}  // namespace

TEST_F(HandsTest, AtThreeOClockTheTipsPointRightAndUp) {
  ShowTime(3, 0, 0);
  EXPECT_NEAR(c->hHand->x2(), c->CenterX + Nearest(c->ShortHandLen * 1.2), 1e-3);
  EXPECT_NEAR(c->hHand->y2(), c->CenterY, 1e-3);
  EXPECT_NEAR(c->minHand->x2(), c->CenterX, 1e-3);
  EXPECT_NEAR(c->minHand->y2(), c->CenterY - Nearest(c->LongHandLen * 0.9), 1e-3);
  EXPECT_NEAR(c->secHand->y2(), c->CenterY - Nearest(c->LongHandLen * 1.05), 1e-3);
  ShowTime(13, 30, 45);
  ExpectTip(*c->minHand, 180, Nearest(c->LongHandLen * 0.9));
  ExpectTip(*c->secHand, 270, Nearest(c->LongHandLen * 1.05));
}

// Minutes after 03:00 and degrees: half degrees go to the even neighbour.
TEST_F(HandsTest, HourHandAngle) {
  for (auto [minutes, degrees] : {std::pair{0, 90}, {1, 90}, {3, 92}, {5, 92}, {7, 94}, {630, 405}, {1259, 720}}) {
    ShowTime(3 + minutes / 60, minutes % 60, 0);
    ExpectTip(*c->hHand, degrees, Nearest(c->ShortHandLen * 1.2));
  }
}

TEST_F(HandsTest, LengthsRoundHalvesToEvenAndSaturate) {
  c->LongHandLen = 5;  // minute hand 4.5 -> 4
  ShowTime(0, 0, 0);
  EXPECT_FLOAT_EQ(c->minHand->y2(), c->CenterY - 4.0f);
  c->LongHandLen = 32000;  // second hand 33600 does not fit 16 bits
  ShowTime(0, 0, 0);
  EXPECT_FLOAT_EQ(c->secHand->y2(), c->CenterY - 32767.0f);
}

}  // namespace qov::testing
