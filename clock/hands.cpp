// The analog hands: each is a line from the pivot (CenterX, CenterY) to a
// tip that the tick places from the time.
#include <cmath>
#include <cstdint>

#include "app/clockface.h"
#include "clock/clock_time.h"
#include "engine/numeric.h"

namespace qov {

namespace {

// Degrees to radians with the factor the face has always used: a hair
// below pi / 180, so 360 is not exactly a full turn.
constexpr double kRadPerDeg = 0.017453292519943278;

// Nearest 16-bit integer, halves to even. A hand on an absurdly large
// window saturates instead of failing the tick.
int16_t Nearest16(double v) {
  if (!(v > -32768.0)) return v < 0 ? INT16_MIN : 0;  // also NaN -> 0
  const double r = RoundHalfEven(v);
  return r > 32767.0 ? INT16_MAX : static_cast<int16_t>(r);
}

}  // namespace

void ClockFace::SetHand(int16_t angle, ui::Control& line, int16_t length) {
  const double r = angle * kRadPerDeg;
  // Computed in double, kept in single precision as the line stores it.
  const float x2 = static_cast<float>(CenterX + length * std::sin(r));
  const float y2 = static_cast<float>(CenterY - length * std::cos(r));
  line.SetEnd(x2, y2);
}

void ClockFace::UpdateHands() {
  const ClockReading t = ReadClock(svc_.clock->Now());
  SetHand(static_cast<int16_t>(t.second * 6), *secHand, Nearest16(LongHandLen * 1.05));
  SetHand(static_cast<int16_t>(t.minute * 6), *minHand, Nearest16(LongHandLen * 0.9));
  // Odd minutes give a half degree, which goes to the even neighbour.
  SetHand(Nearest16(t.hour * 30 + t.minute / 12.0 * 6), *hHand, Nearest16(ShortHandLen * 1.2));
}

}  // namespace qov
