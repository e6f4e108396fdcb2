#include "backends/common/conversions.h"

#include <algorithm>
#include <cmath>

#include "engine/datetime.h"

namespace qov::desktop {

double DateTimeFromLocal(int year, int month, int day, int hour, int minute, int second, int ms) {
  const double msOfDay = ((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + ms;
  return DateSerial(year, month, day) + msOfDay / 86400000.0;
}

int FontHeightPx(float points, unsigned dpi) {
  constexpr float kMinPoints = 1, kMaxPoints = 1000;
  const float pt = std::isfinite(points) ? std::clamp(points, kMinPoints, kMaxPoints) : 8.25f;
  const double px = pt * static_cast<double>(dpi ? dpi : 96) / 72.0;
  return std::max(1, static_cast<int>(std::lround(px)));
}

Border BorderOf(int outerW, int outerH, int clientW, int clientH) {
  return {std::max(0, (outerW - clientW) / 2), std::max(0, (outerH - clientH) / 2)};
}

TwipsRect ToTwips(const PxRect& r, Scale s) {
  return {static_cast<float>(r.left) * s.tppX, static_cast<float>(r.top) * s.tppY,
          static_cast<float>(r.right - r.left) * s.tppX, static_cast<float>(r.bottom - r.top) * s.tppY};
}

}  // namespace qov::desktop
