// The prayer-time engine on any arguments: dates as any three integers,
// latitudes, longitudes, zones and angles as arbitrary doubles (NaN,
// infinities and huge values included, or drawn from the plausible
// ranges), any additions and any shadow-factor byte. Either no time at all
// (every minute -1) or five minutes of the day; a real place on a calendar
// date always has its times; a call repeated gives the same result. Clock
// numbers keep their shape: one or two hour digits, minutes below 60, and a
// text that reads back to the same minute.
#include <fuzzer/FuzzedDataProvider.h>


#include "engine/datetime.h"
#include "engine/prayer_times.h"
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

bool SameDay(const e::DayTimes& a, const e::DayTimes& b) {
  if (a.valid != b.valid) return false;
  for (int k = 0; k < e::kPrayerCount; ++k)
    if (a.times[k].minuteOfDay != b.times[k].minuteOfDay || a.times[k].status != b.times[k].status)
      return false;
  return true;
}

std::string ShownDay(const e::DayTimes& t) {
  std::string s = t.valid ? "valid" : "no time";
  for (const e::PrayerTime& p : t.times)
    s += Line("", p.minuteOfDay, p.status == e::TimeStatus::kFallback ? "fallback" : "normal");
  return s;
}

bool IsCalendarDate(const qov::CivilDate& d) {
  if (d.year < 100 || d.year > 9999 || d.month < 1 || d.month > 12 || d.day < 1) return false;
  return qov::DateOf(qov::DateSerial(d.year, d.month, d.day)) == d;
}

void CheckDay(const qov::CivilDate& date, const e::Place& place, const e::Method& method) {
  const std::string args =
      Line("date", date.year, date.month, date.day, "lat", place.latitude, "lon", place.longitude,
           "zone", place.timeZone, "fajr", method.fajrAngle, "isya", method.isyaAngle, "dz",
           method.addDzuhur, "mag", method.addMaghrib, "mazhab", static_cast<int>(method.mazhab));
  const e::DayTimes t = e::HitungWaktuSholat(date, place, method);
  const std::string where = args + Line(" elev", place.elevation, "sun", static_cast<int>(method.sun),
                                        "rounding", static_cast<int>(method.rounding), "rule",
                                        static_cast<int>(method.highLatitudeRule)) +
                            ": " + ShownDay(t);
  for (const e::PrayerTime& p : t.times) {
    if (t.valid)
      QOV_FUZZ_CHECK(p.minuteOfDay >= 0 && p.minuteOfDay < 24 * 60, where);
    else
      QOV_FUZZ_CHECK(p.minuteOfDay == -1 && p.status == e::TimeStatus::kNormal, where);
  }
  QOV_FUZZ_CHECK(t[e::Prayer::kDzuhur].status == e::TimeStatus::kNormal, where);

  // Within these bounds nothing can overflow: a place on the earth on a
  // calendar date, in a zone within a day of UTC, has its times, however
  // odd the method (a zone beyond that gives no time at all).
  const bool real = IsCalendarDate(date) && std::fabs(place.latitude) < 90 &&
                    std::fabs(place.longitude) <= 1e300 && std::fabs(place.timeZone) <= 24 &&
                    std::isfinite(method.fajrAngle) && std::isfinite(method.isyaAngle) &&
                    std::isfinite(place.elevation) && std::isfinite(method.dhuhaAltitude) &&
                    std::isfinite(method.horizon);
  if (real) QOV_FUZZ_CHECK(t.valid, where);
  const bool finite = std::isfinite(place.latitude) && std::isfinite(place.longitude) &&
                      std::isfinite(place.timeZone) && std::isfinite(method.fajrAngle) &&
                      std::isfinite(method.isyaAngle) && std::isfinite(place.elevation) &&
                      std::isfinite(method.dhuhaAltitude) && std::isfinite(method.horizon);
  if (!IsCalendarDate(date) || !finite) QOV_FUZZ_CHECK(!t.valid, where);

  const e::DayTimes again = e::HitungWaktuSholat(date, place, method);
  QOV_FUZZ_CHECK(SameDay(t, again), where + " then " + ShownDay(again));

  // The full day holds the same five and three more minutes of the day;
  // a rule's status only where one was asked for, and only on Shubuh,
  // Imsak and Isya.
  const e::FullDay full = e::HitungHariLengkap(date, place, method);
  QOV_FUZZ_CHECK(SameDay(full.Five(), t), where + " full " + ShownDay(full.Five()));
  for (int k = 0; k < e::kWaktuCount; ++k) {
    const e::PrayerTime& p = full.times[k];
    QOV_FUZZ_CHECK(full.valid ? p.minuteOfDay >= 0 && p.minuteOfDay < 24 * 60 : p.minuteOfDay == -1,
                   where + Line(" full time", k, p.minuteOfDay));
    const auto w = static_cast<e::Waktu>(k);
    if (p.status == e::TimeStatus::kRule)
      QOV_FUZZ_CHECK(method.highLatitudeRule != e::HighLatitudeRule::kNone &&
                         (w == e::Waktu::kImsak || w == e::Waktu::kShubuh || w == e::Waktu::kIsya),
                     where + Line(" rule on", k));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const bool plausibleDate = in.ConsumeBool();
  qov::CivilDate date;
  date.year = plausibleDate ? in.ConsumeIntegralInRange<int>(90, 10010) : in.ConsumeIntegral<int>();
  date.month = plausibleDate ? in.ConsumeIntegralInRange<int>(0, 13) : in.ConsumeIntegral<int>();
  date.day = plausibleDate ? in.ConsumeIntegralInRange<int>(0, 32) : in.ConsumeIntegral<int>();
  e::Place place;
  place.latitude = AnyDouble(in, -90, 90);
  place.longitude = AnyDouble(in, -180, 180);
  place.timeZone = AnyDouble(in, -12, 14);
  e::Method method;
  method.fajrAngle = AnyDouble(in, 0, 30);
  method.isyaAngle = AnyDouble(in, 0, 30);
  method.addDzuhur = in.ConsumeIntegral<int>();
  method.addMaghrib = in.ConsumeIntegral<int>();
  method.mazhab = static_cast<e::Mazhab>(in.ConsumeIntegral<int8_t>());
  // The default method, or any of the others' settings.
  if (in.ConsumeBool()) {
    place.elevation = AnyDouble(in, 0, 9000);
    method.addShubuh = in.ConsumeIntegral<int>();
    method.addAshar = in.ConsumeIntegral<int>();
    method.addIsya = in.ConsumeIntegral<int>();
    method.addTerbit = in.ConsumeIntegral<int>();
    method.addDhuha = in.ConsumeIntegral<int>();
    method.imsakBeforeShubuh = in.ConsumeIntegral<int>();
    method.dhuhaAltitude = AnyDouble(in, -5, 20);
    method.horizon = AnyDouble(in, -3, 0);
    method.sun = in.ConsumeBool() ? e::SunTheory::kAccurate : e::SunTheory::kTables;
    method.rounding = in.ConsumeBool() ? e::Rounding::kSecondsUp : e::Rounding::kClockNumber;
    method.highLatitudeRule = static_cast<e::HighLatitudeRule>(in.ConsumeIntegralInRange<int>(0, 4));
  }
  CheckDay(date, place, method);

  const double isya = e::DefaultIsyaAngle(AnyDouble(in, -90, 90));
  QOV_FUZZ_CHECK(isya >= 13 && isya <= 18, Num(isya));

  const double day = AnyDouble(in, -1e6, 1e7);
  (void)qov::FormatHHMMSS(day);
  (void)qov::FormatIsoDate(day);
  (void)e::JulianDay(AnyDouble(in, -5000, 10000), AnyDouble(in, -20, 20), AnyDouble(in, -40, 40));
  return 0;
}
