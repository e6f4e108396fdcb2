// The prayer-time engine on any arguments: dates, latitudes and longitudes
// as arbitrary doubles (NaN, infinities and huge values included, or drawn
// from the plausible ranges), and any 16-bit parameters, over a few calls on
// one engine so that the angles carried from call to call play their part.
// The outputs are always times of day in [0, 1.0001], a repeated call gives
// the same outputs, and clock numbers keep their shape: one or two hour
// digits, minutes below 60, and a text that reads back to the same minute.
#include <fuzzer/FuzzedDataProvider.h>

#include <regex>

#include "engine/datetime.h"
#include "fuzz/fuzz_check.h"

namespace e = qov::engine;
using namespace qov::fuzz;

namespace {

double AnyDouble(FuzzedDataProvider& in, double lo, double hi) {
  switch (in.ConsumeIntegralInRange<int>(0, 3)) {
    case 0:
      return std::bit_cast<double>(in.ConsumeIntegral<uint64_t>());
    case 1:
      return in.ConsumeFloatingPoint<double>();
    default:
      return in.ConsumeFloatingPointInRange<double>(lo, hi);
  }
}

bool SameOutputs(const e::WaktuSholat& a, const e::WaktuSholat& b) {
  return a.WaktuShubuh == b.WaktuShubuh && a.WaktuDzuhur == b.WaktuDzuhur &&
         a.WaktuAshar == b.WaktuAshar && a.WaktuMaghrib == b.WaktuMaghrib &&
         a.WaktuIsya == b.WaktuIsya && a.AJR() == b.AJR() && a.SHA() == b.SHA();
}

void CheckClockNumber(double hours) {
  const double c = e::ClockNumber(hours);
  const std::string t = e::ClockNumberText(c);
  const std::string where = Line("hours", hours, "->", c, Shown(t));
  if (std::isnan(hours)) return;
  QOV_FUZZ_CHECK(c >= 0.01 && c <= 13, where);
  // h, h.m or h.mm: one or two hour digits, the minutes below 60.
  static const std::regex kShape(R"([0-9]{1,2}(\.[0-9]{1,2})?)");
  QOV_FUZZ_CHECK(std::regex_match(t, kShape), where);
  const size_t point = t.find('.');
  const std::string h = t.substr(0, point);
  const std::string m = point == std::string::npos ? "" : t.substr(point + 1);
  const int hour = std::atoi(h.c_str());
  const int minute = m.empty() ? 0 : std::atoi(m.c_str()) * (m.size() == 1 ? 10 : 1);
  QOV_FUZZ_CHECK(minute < 60 && std::fabs(hour + minute / 100.0 - c) < 1e-9, where);
  const bool folded = e::ClockNumberFolded(hours);
  const double day = e::ClockNumberToTime(t, folded);
  const double expected = ((folded ? hour + 12 : hour) * 60 + minute) / 1440.0;
  QOV_FUZZ_CHECK(std::fabs(day - expected) < 1e-12 && day >= 0 && day < 1,
                 where + " reads back as " + Num(day));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  e::WaktuSholat w;
  const int calls = in.ConsumeIntegralInRange<int>(1, 4);
  for (int i = 0; i < calls; ++i) {
    const double date = AnyDouble(in, qov::DateSerial(100, 1, 1), qov::DateSerial(9999, 12, 31));
    const double lat = AnyDouble(in, -90, 90);
    const double lon = AnyDouble(in, -180, 180);
    int16_t p[6];
    for (int16_t& v : p) v = in.ConsumeIntegral<int16_t>();
    const std::string args = Line("date", date, "lat", lat, "lon", lon, "zone", p[0], "dz", p[1],
                                  "mag", p[2], "ashar", p[3], "fajar", p[4], "isya", p[5]);

    w.HitungWaktuSholat(date, lat, lon, p[0], p[1], p[2], p[3], p[4], p[5]);
    CheckTimesOfDay(w, args);

    // Same arguments again, on a copy that carries the same angles.
    e::WaktuSholat again = w;
    again.HitungWaktuSholat(date, lat, lon, p[0], p[1], p[2], p[3], p[4], p[5]);
    QOV_FUZZ_CHECK(SameOutputs(w, again), args + ": " + Outputs(w) + " then " + Outputs(again));
  }

  CheckClockNumber(AnyDouble(in, -48, 48));

  // Any double has a text and a day value, without a crash; finite ones keep
  // fifteen digits.
  const double x = AnyDouble(in, -1e6, 1e6);
  const std::string xt = e::ClockNumberText(x);
  // (Fifteen digits of the largest doubles lie beyond the double range.)
  if (std::fabs(x) < 1e308) {
    const double back = std::strtod(xt.c_str(), nullptr);
    QOV_FUZZ_CHECK(std::fabs(back - x) <= 1e-14 * std::fabs(x) + 1e-300 && xt.find('e') == std::string::npos,
                   Num(x) + " written " + Shown(xt.size() > 80 ? xt.substr(0, 80) + "..." : xt));
  }
  const double day = AnyDouble(in, -1e6, 1e7);
  (void)qov::FormatHHMMSS(day);
  (void)qov::FormatIsoDate(day);
  (void)e::JulianDay(AnyDouble(in, -5000, 10000), AnyDouble(in, -20, 20), AnyDouble(in, -40, 40));
  const bool afternoon = in.ConsumeBool();
  (void)e::ClockNumberToTime(in.ConsumeRemainingBytesAsString(), afternoon);
  return 0;
}
