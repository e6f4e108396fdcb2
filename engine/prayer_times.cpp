#include "engine/prayer_times.h"

#include <algorithm>
#include <cmath>
#include <type_traits>

#include "engine/moon.h"
#include "engine/numeric.h"

// The numbers are those of the published tables, down to the last digit: a
// reading that moves by one ulp can move a time across a minute. Where the
// tables' formulas take a detour (an arc sine through the arc tangent, a
// sine of an arc tangent), the direct form of the same value is used; the
// equivalence test against the frozen old engine holds that to zero
// differences.

namespace qov::engine {
namespace {

// PI is deliberately the ten-decimal value the tables were computed with.
constexpr double kPi = 3.1415926535;
constexpr double O = 180.0 / kPi;  // degrees per radian

constexpr double kJ1900 = 2415020;  // 1900 January 0.5, the theory's epoch
constexpr double kDaysPerCentury = 36525;

constexpr int kMaxAddDzuhur = 10;
constexpr int kMaxAddMaghrib = 4;

// Clock numbers: the minute turns at 36.24 s (0.0066 h).
constexpr double kRoundUpHours = 0.0066;

// An unreachable altitude is held just inside the cosine's range.
constexpr double kCosineLimit = 0.999999;
double TablesHourAngle(double c) { return (kPi / 2 - std::atan(c / std::sqrt(1 - c * c))) * O / 15; }

// Constants the library computes; initialised on first use, so that a
// caller's static initialiser may already ask for times.
struct Constants {
  // Dip of the horizon for an observer 5 m up: sqrt(2 h / R), radians.
  double horizonDip = std::sqrt(2 * 5.0 / 6378160);
  // Sun's centre at sunset: refraction plus semi-diameter.
  double sinSunsetDepression = std::sin(0.83311 / O);
  // The hour angles at the cosine's limits, exactly as the tables' arc
  // tangent form gives them.
  double hourAngleAtHighLimit = TablesHourAngle(kCosineLimit);
  double hourAngleAtLowLimit = TablesHourAngle(-kCosineLimit);
};

const Constants& K() {
  static const Constants k;
  return k;
}

// Degrees into [0, 360), towards minus infinity for negative angles.
double Reduce(double deg) { return deg - Int(deg / 360) * 360; }

// The tables take latitude and longitude to three decimals, cut downwards.
double Thousandths(double x) { return Int(x * 1000) / 1000; }

// Minutes from the date's midnight (negative the day before) by the clock
// numbers' rounding: within the day the same minute as writing the number
// out and reading it back; not held to the day. NaN for NaN.
double ClockMinutes(double v) {
  v += kRoundUpHours;
  const double h = Int(v);
  // A clock number's minutes may read 60 (a product rounding up to 60.0);
  // its text then reads as the next hour, which h * 60 + m is too.
  return h * 60 + Int((v - h) * 60);
}

// The sun on one day, from the low-precision theory referred to 1900.0
// (Meeus, Astronomical Formulae for Calculators, ch. 18) with the equation
// of time after Smart (Meeus, Astronomical Algorithms, eq. 28.3).
struct Sun {
  double sinDecl, cosDecl;
  double equationOfTime;  // hours
};

Sun SunOn(double j0) {
  const double T = (j0 - kJ1900) / kDaysPerCentury;
  const double T2 = T * T, T3 = T2 * T;
  const double MS = Reduce(358.47583 + 35999.04975 * T - 0.00015 * T2 - 0.0000033 * T3) / O;
  const double LS1 = Reduce(279.69668 + 36000.76892 * T + 0.0003025 * T2) / O;
  const double sinMS = std::sin(MS), cosMS = std::cos(MS);
  const double sin2MS = 2 * sinMS * cosMS;
  const double sin3MS = sinMS * (3 - 4 * sinMS * sinMS);
  const double CS = ((1.91946 - 0.004789 * T - 0.000014 * T2) * sinMS +
                     (0.020094 - 0.0001 * T) * sin2MS + 0.000293 * sin3MS) /
                    O;
  const double OM = Reduce(259.183275 - 1934.142 * T + 0.002078 * T2 + 0.0000022 * T3) / O;
  const double sinOM = std::sin(OM), cosOM = std::cos(OM);
  const double LS = LS1 + CS;
  const double E = (23.452294 - 0.0130125 * T - 0.00000164 * T2 + 0.000000503 * T3) / O;
  const double E1 = E + 0.00256 * cosOM / O;
  const double LSA = LS - (0.00569 + 0.00479 * sinOM) / O;

  Sun sun;
  // The declination is the arc sine of this; only its sine and cosine are
  // needed, and the cosine is positive.
  sun.sinDecl = std::sin(E1) * std::sin(LSA);
  sun.cosDecl = std::sqrt(1 - sun.sinDecl * sun.sinDecl);

  const double EC = 0.01675104 - 0.0000418 * T - 0.000000126 * T2;
  const double tanHalfE = std::tan(E / 2);
  const double y = tanHalfE * tanHalfE;
  const double sin2L = std::sin(2 * LS1), cos2L = std::cos(2 * LS1);
  const double sin4L = 2 * sin2L * cos2L;
  const double eqt = y * sin2L - 2 * EC * sinMS + 4 * EC * y * sinMS * cos2L -
                     0.5 * y * y * sin4L - 5.0 / 4 * EC * EC * sin2MS;
  sun.equationOfTime = eqt * O / 15;
  return sun;
}

struct HourAngle {
  double hours;  // 0..12
  bool held;     // the altitude is out of reach on this day
};

// Hour angle at which sin(altitude) equals `sinAltitude`, for
// sinn = sin(lat) sin(decl) and cinn = cos(lat) cos(decl).
HourAngle HourAngleAt(double sinAltitude, double sinn, double cinn) {
  const double c = (sinAltitude - sinn) / cinn;
  if (c >= 1) return {K().hourAngleAtHighLimit, true};
  if (c <= -1) return {K().hourAngleAtLowLimit, true};
  return {(kPi / 2 - std::asin(c)) * O / 15, false};
}

bool IsCalendarDate(const CivilDate& d) {
  static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (d.year < 100 || d.year > 9999 || d.month < 1 || d.month > 12 || d.day < 1) return false;
  const bool leap = (d.year % 4 == 0 && d.year % 100 != 0) || d.year % 400 == 0;
  return d.day <= (d.month == 2 && !leap ? 28 : kDays[d.month - 1]);
}

constexpr size_t At(Waktu w) { return static_cast<size_t>(w); }

// One event of the day: local hours before additions and rounding.
struct Event {
  double hours = 0;
  bool held = false;
};
using Events = std::array<Event, kWaktuCount>;  // Imsak's entry unused

// Sunrise, sunset and the next sunrise in hours of this day, at the
// method's horizon; held where it does not happen.
struct Night {
  Event sunrise, sunset, nextSunrise;
};

// Dip of the horizon, radians, for an observer h metres up: sqrt(2 h / R),
// held at a right angle so that no height overflows.
double DipOf(double elevation) {
  return std::min(std::sqrt(2.0 / 6378160) * std::sqrt(elevation), kPi / 2);
}

// ---- the tables' sun

struct TablesDay {
  double transit, sinn, cinn;
  Sun sun;
};

TablesDay TablesDayAt(double j0, double timeZone, double lg, double sinLa, double cosLa) {
  const Sun sun = SunOn(j0);
  // The transit on this local day, whatever the longitude's turn (a zone
  // across the date line from its longitude); exact where it is within.
  double turn = timeZone - lg / 15;
  if (std::fabs(turn) > 12) turn = std::remainder(turn, 24);
  return {12 + (turn - sun.equationOfTime), sinLa * sun.sinDecl, cosLa * sun.cosDecl, sun};
}

// The tables' sine of the sun's altitude at Terbit and Maghrib: the 5 m
// observer's dip, or the place's own where it stands higher.
double TablesHorizonSine(double elevation) {
  const double dip = elevation > 5 ? DipOf(elevation) : K().horizonDip;
  return -dip - K().sinSunsetDepression;
}

// ---- the accurate sun

struct SunAt {
  double hourAngle;    // degrees, -180..180
  double declination;  // degrees
};

SunAt AccurateSunAt(double jd, double longitude) {
  const EquatorialPosition s = SunApparent(DynamicalFromUniversal(jd));
  double h = std::fmod(SiderealTimeDegrees(jd) + longitude - s.rightAscension, 360.0);
  if (h >= 180) h -= 360;
  if (h < -180) h += 360;
  return {h, s.declination};
}

constexpr double kSiderealDegreesPerHour = 360.98564736629 / 24;

// Local hours at which the sun's centre stands at the altitude `altitude`
// gives for its declination (degrees), on the side `side` of the meridian
// (-1 morning, +1 afternoon, 0 the transit). `jd0` is 0h UT of the date.
// The sun is taken at the event itself: iterated to 0.0004 s.
template <class Altitude>
Event Solve(double jd0, double lat, double lon, double timeZone, int side, Altitude altitude) {
  const double sinPhi = std::sin(lat / O), cosPhi = std::cos(lat / O);
  // The event on this local day whatever the longitude's turn.
  double t = 12 + std::remainder(timeZone - lon / 15, 24) + side * 6;
  bool held = false;
  for (int i = 0; i < 12; ++i) {
    const SunAt s = AccurateSunAt(jd0 + (t - timeZone) / 24, lon);
    double target = 0;
    held = false;
    if (side != 0) {
      const double d = s.declination / O;
      double c = (std::sin(altitude(s.declination) / O) - sinPhi * std::sin(d)) /
                 (cosPhi * std::cos(d));
      if (c > 1 || c < -1) {
        held = true;
        c = c > 1 ? 1 : -1;
      }
      target = side * std::acos(c) * O;
    }
    double diff = std::fmod(target - s.hourAngle, 360.0);
    if (diff > 180) diff -= 360;
    if (diff < -180) diff += 360;
    const double step = diff / kSiderealDegreesPerHour;
    t += step;
    if (std::fabs(step) < 1e-7) break;
  }
  return {t, held};
}

// ---- the schedule

// Minutes from the date's midnight by the method's rounding, additions
// included; NaN where there is no time.
double RoundedMinutes(const Method& m, Waktu w, double hours, int add) {
  if (m.rounding == Rounding::kClockNumber) return ClockMinutes(hours + add / 60.0);
  const double minutes = hours * 60;
  const double whole = w == Waktu::kTerbit ? std::floor(minutes + 1e-9) : std::ceil(minutes - 1e-9);
  return whole + add;
}

int Addition(const Method& m, Waktu w) {
  switch (w) {
    case Waktu::kShubuh: return m.addShubuh;
    case Waktu::kTerbit: return m.addTerbit;
    case Waktu::kDhuha: return m.addDhuha;
    case Waktu::kDzuhur: return std::min(m.addDzuhur, kMaxAddDzuhur);
    case Waktu::kAshar: return m.addAshar;
    case Waktu::kMaghrib: return std::min(m.addMaghrib, kMaxAddMaghrib);
    case Waktu::kIsya: return m.addIsya;
    case Waktu::kImsak: break;
  }
  return 0;
}

double Portion(HighLatitudeRule rule, double angle) {
  switch (rule) {
    case HighLatitudeRule::kMiddleOfNight: return 1.0 / 2;
    case HighLatitudeRule::kSeventhOfNight: return 1.0 / 7;
    default: return std::clamp(angle / 60, 0.0, 1.0);  // a share of the night
  }
}

// Where the sun does not set, Terbit and Maghrib end a nominal 12-hour
// night around its lower transit (held at the hour angle's limit they
// would meet there and leave no night). Where it does not rise they stay
// at the limit, the transit, among the day's other held times.
void NominalNight(double transit, Event& terbit, Event& maghrib) {
  if (terbit.held && transit - terbit.hours > 6) terbit.hours = transit - 6;
  if (maghrib.held && maghrib.hours - transit > 6) maghrib.hours = transit + 6;
}

// Shubuh and Isya where the sun misses their angle, by the rule; a Shubuh
// before midnight or an Isya after it falls on the day before or after.
// A sunrise or sunset that does not happen is the nominal night's (12 hours
// around the sun's lower transit).
template <class NightOf>
void ApplyRule(const Method& m, double latitude, double transit, Events& ev, bool ruled[],
               NightOf nightOf) {
  const HighLatitudeRule rule = RuleFor(m.highLatitudeRule, latitude);
  Event& shubuh = ev[At(Waktu::kShubuh)];
  Event& isya = ev[At(Waktu::kIsya)];
  if (rule == HighLatitudeRule::kNone || !(shubuh.held || isya.held)) return;
  const Night n = nightOf();
  // (not finite: a longitude or zone beyond any real one took the sun out
  // of its theory's range)
  auto or_ = [](const Event& e, double nominal) {
    return e.held || !std::isfinite(e.hours) ? nominal : e.hours;
  };
  const double sunrise = or_(n.sunrise, transit - 6);
  const double sunset = or_(n.sunset, transit + 6);
  const double night = or_(n.nextSunrise, transit + 18) - sunset;
  if (shubuh.held) {
    // The night before taken as long as this one.
    shubuh.hours = sunrise - Portion(rule, m.fajrAngle) * night;
    ruled[At(Waktu::kShubuh)] = true;
  }
  if (isya.held) {
    isya.hours = sunset + Portion(rule, m.isyaAngle) * night;
    ruled[At(Waktu::kIsya)] = true;
  }
}

// The day (towards minus infinity) of minutes from a date's midnight.
constexpr int DayOf(int minutes) { return (minutes >= 0 ? minutes : minutes - 1439) / 1440; }

// Held and rule times (Shubuh to Isya) are moved to a minute from the time
// before them, then from the time after, where they meet or cross it; the
// sun's own times stay.
void KeepInOrder(int minutes[], const TimeStatus status[]) {
  constexpr size_t kFirst = At(Waktu::kShubuh), kLast = At(Waktu::kIsya);
  for (size_t i = kFirst + 1; i <= kLast; ++i)
    if (status[i] != TimeStatus::kNormal && minutes[i] <= minutes[i - 1])
      minutes[i] = minutes[i - 1] + 1;
  for (size_t i = kLast; i-- > kFirst;)
    if (status[i] != TimeStatus::kNormal && minutes[i] >= minutes[i + 1])
      minutes[i] = minutes[i + 1] - 1;
}

// The events of the day by the tables' sun. Only the five unless kFull or
// a time is held (the held times are ordered among all eight).
template <bool kFull>
bool TablesEvents(const CivilDate& date, const Place& place, const Method& method, double la,
                  double lg, Events& ev, bool ruled[]) {
  // The day counted from the month's first, as the tables count it (this
  // differs from JulianDay(y, m, d) only inside October 1582).
  const double j0 = JulianDay(date.year, date.month, 1) + date.day - 1;
  const double sinLa = std::sin(la / O), cosLa = std::cos(la / O);
  const TablesDay day = TablesDayAt(j0, place.timeZone, lg, sinLa, cosLa);
  const double transit = day.transit;
  if (!std::isfinite(transit)) return false;
  const double sinn = day.sinn, cinn = day.cinn;
  const Sun& sun = day.sun;

  const double shadow = method.mazhab == Mazhab::kShafii ? 1 : 2;
  // Ashar: cot(altitude) = shadow factor + tan|lat - decl|, so
  // sin(altitude) = 1 / sqrt(1 + cot^2); tan(lat - decl) from the sines and
  // cosines already at hand.
  const double tanNoonZenith =
      std::fabs((sinLa * sun.cosDecl - cosLa * sun.sinDecl) / (cinn + sinn));
  const double cotAshar = shadow + tanNoonZenith;

  const double dip = K().horizonDip;
  const double horizon = TablesHorizonSine(place.elevation);
  const HourAngle shubuh = HourAngleAt(-dip - std::sin(method.fajrAngle / O), sinn, cinn);
  const HourAngle ashar = HourAngleAt(-dip + 1 / std::sqrt(1 + cotAshar * cotAshar), sinn, cinn);
  const HourAngle maghrib = HourAngleAt(horizon, sinn, cinn);
  const HourAngle isya = HourAngleAt(-dip - std::sin(method.isyaAngle / O), sinn, cinn);

  ev[At(Waktu::kShubuh)] = {transit - shubuh.hours, shubuh.held};
  ev[At(Waktu::kDzuhur)] = {transit, false};
  ev[At(Waktu::kAshar)] = {transit + ashar.hours, ashar.held};
  ev[At(Waktu::kMaghrib)] = {transit + maghrib.hours, maghrib.held};
  ev[At(Waktu::kIsya)] = {transit + isya.hours, isya.held};
  if (kFull || shubuh.held || ashar.held || maghrib.held || isya.held) {
    const HourAngle dhuha = HourAngleAt(-dip + std::sin(method.dhuhaAltitude / O), sinn, cinn);
    ev[At(Waktu::kTerbit)] = {transit - maghrib.hours, maghrib.held};
    ev[At(Waktu::kDhuha)] = {transit - dhuha.hours, dhuha.held};
    NominalNight(transit, ev[At(Waktu::kTerbit)], ev[At(Waktu::kMaghrib)]);
  }
  if (method.highLatitudeRule != HighLatitudeRule::kNone) {
    ApplyRule(method, place.latitude, transit, ev, ruled, [&] {
      // The sun taken once more at each event: a day's change of
      // declination moves a summer sunset at 60 degrees by two minutes.
      auto at = [&](double dayJ0, double hours, int side) {
        const TablesDay d = TablesDayAt(dayJ0 + (hours - place.timeZone) / 24, place.timeZone, lg,
                                        sinLa, cosLa);
        const HourAngle h = HourAngleAt(horizon, d.sinn, d.cinn);
        return Event{d.transit + side * h.hours, h.held};
      };
      const Event none{0, true};
      const TablesDay next = TablesDayAt(j0 + 1, place.timeZone, lg, sinLa, cosLa);
      const HourAngle nextHa = HourAngleAt(horizon, next.sinn, next.cinn);
      Event nextRise = nextHa.held ? none : at(j0 + 1, next.transit - nextHa.hours, -1);
      nextRise.hours += 24;
      return Night{maghrib.held ? none : at(j0, transit - maghrib.hours, -1),
                   maghrib.held ? none : at(j0, transit + maghrib.hours, +1), nextRise};
    });
  }
  return true;
}

// The events of the day by the accurate sun.
bool AccurateEvents(const CivilDate& date, const Place& place, const Method& method, Events& ev,
                    bool ruled[]) {
  const double lat = place.latitude, lon = place.longitude, tz = place.timeZone;
  const double jd0 = JulianDayOf(date.year, date.month, date.day);
  const double horizon =
      method.horizon - (place.elevation > 0 ? DipOf(place.elevation) * O : 0);
  const auto fixed = [](double a) { return [a](double) { return a; }; };
  ev[At(Waktu::kShubuh)] = Solve(jd0, lat, lon, tz, -1, fixed(-method.fajrAngle));
  ev[At(Waktu::kTerbit)] = Solve(jd0, lat, lon, tz, -1, fixed(horizon));
  ev[At(Waktu::kDhuha)] = Solve(jd0, lat, lon, tz, -1, fixed(method.dhuhaAltitude));
  ev[At(Waktu::kDzuhur)] = Solve(jd0, lat, lon, tz, 0, fixed(0));
  // Ashar: the shadow at noon, with noon's declination, plus the object.
  const double shadow = method.mazhab == Mazhab::kShafii ? 1 : 2;
  const double noonDecl =
      SunApparent(DynamicalFromUniversal(jd0 + (ev[At(Waktu::kDzuhur)].hours - tz) / 24)).declination;
  // (|tan|, as the tables: in a polar night the noon sun is below the horizon)
  const double asharAltitude =
      std::atan(1 / (shadow + std::fabs(std::tan(std::fabs(lat - noonDecl) / O)))) * O;
  ev[At(Waktu::kAshar)] = Solve(jd0, lat, lon, tz, +1, fixed(asharAltitude));
  ev[At(Waktu::kMaghrib)] = Solve(jd0, lat, lon, tz, +1, fixed(horizon));
  ev[At(Waktu::kIsya)] = Solve(jd0, lat, lon, tz, +1, fixed(-method.isyaAngle));
  for (const Event& e : ev)
    if (!std::isfinite(e.hours)) return false;
  const Event rise = ev[At(Waktu::kTerbit)], set = ev[At(Waktu::kMaghrib)];
  const double transit = ev[At(Waktu::kDzuhur)].hours;
  ApplyRule(method, lat, transit, ev, ruled, [&] {
    Event next = Solve(jd0 + 1, lat, lon, tz, -1, fixed(horizon));
    next.hours += 24;
    return Night{rise, set, next};
  });
  NominalNight(transit, ev[At(Waktu::kTerbit)], ev[At(Waktu::kMaghrib)]);
  return true;
}

// The five (kFull false, into DayTimes) or the whole day (into FullDay).
template <bool kFull, class Out = std::conditional_t<kFull, FullDay, DayTimes>>
Out Compute(const CivilDate& date, const Place& place, const Method& given) {
  const Out none;
  if (!IsCalendarDate(date)) return none;
  // Safety minutes beyond half a day mean nothing (a hand-edited store):
  // held there, so that every time stays within a day of its row.
  Method method = given;
  for (int* add : {&method.addDzuhur, &method.addMaghrib, &method.addShubuh, &method.addAshar, &method.addIsya,
                   &method.addTerbit, &method.addDhuha, &method.imsakBeforeShubuh})
    *add = std::clamp(*add, -720, 720);
  for (const double x : {place.latitude, place.longitude, place.timeZone, place.elevation,
                         method.fajrAngle, method.isyaAngle, method.dhuhaAltitude, method.horizon})
    if (!std::isfinite(x)) return none;
  Events ev;
  bool ruled[kWaktuCount] = {};
  bool ok;
  if (method.sun == SunTheory::kAccurate) {
    if (!(std::fabs(place.latitude) < 90)) return none;
    ok = AccurateEvents(date, place, method, ev, ruled);
  } else {
    const double la = Thousandths(place.latitude);
    const double lg = Thousandths(place.longitude);
    if (!std::isfinite(la) || !std::isfinite(lg)) return none;
    ok = TablesEvents<kFull>(date, place, method, la, lg, ev, ruled);
  }
  if (!ok) return none;

  // Minutes from the date's midnight; Terbit and Dhuha only in the full day
  // or where the five have a held time, which is ordered among all eight.
  // Beyond 127 days (additions of months) there is no day offset to give.
  constexpr double kFar = 127 * 1440;
  int minutes[kWaktuCount];
  TimeStatus status[kWaktuCount] = {};
  bool held = false;
  auto take = [&](Waktu w) {
    const size_t i = At(w);
    const double m = RoundedMinutes(method, w, ev[i].hours, Addition(method, w));
    if (!(std::fabs(m) < kFar)) return false;
    minutes[i] = static_cast<int>(m);
    held |= ev[i].held;
    status[i] = static_cast<TimeStatus>(ev[i].held + ruled[i]);  // (a rule time was held)
    return true;
  };
  for (int k = 0; k < kPrayerCount; ++k)
    if (!take(WaktuOf(static_cast<Prayer>(k)))) return none;
  if ((kFull || held) && !(take(Waktu::kTerbit) && take(Waktu::kDhuha))) return none;
  if (held) KeepInOrder(minutes, status);
  // The day passes midnight at most once. Near the lowest point of the
  // night (the middle of the night, a held Shubuh and Isya) Isya can fall a
  // day after Shubuh: Imsak, a warning before Shubuh, is then shortened to
  // that day's midnight, or, with Shubuh in its first minute, Isya held
  // before the next. (The sun's own Isya is never a day after Shubuh.)
  if (kFull || status[At(Waktu::kIsya)] != TimeStatus::kNormal) {
    const int shubuh = minutes[At(Waktu::kShubuh)];
    int& isya = minutes[At(Waktu::kIsya)];
    const double before = static_cast<double>(shubuh) - method.imsakBeforeShubuh;
    if (!(std::fabs(before) < kFar)) return none;
    int& imsak = minutes[At(Waktu::kImsak)];
    imsak = static_cast<int>(before);
    const int start = (DayOf(isya) - 1) * 1440;
    if (imsak < start) {
      if (shubuh - 1 >= start)
        imsak = start;
      else if (status[At(Waktu::kIsya)] != TimeStatus::kNormal)
        isya = (DayOf(imsak) + 2) * 1440 - 1;
    }
    status[At(Waktu::kImsak)] = status[At(Waktu::kShubuh)];
  }

  Out out;
  constexpr int kCount = kFull ? kWaktuCount : kPrayerCount;
  for (int k = 0; k < kCount; ++k) {
    const size_t i = At(kFull ? static_cast<Waktu>(k) : WaktuOf(static_cast<Prayer>(k)));
    const int m = minutes[i];
    const int day = static_cast<unsigned>(m) < 1440 ? 0 : DayOf(m);
    out.times[k] = {static_cast<int16_t>(m - day * 1440), status[i], static_cast<int8_t>(day)};
  }
  out.valid = true;
  return out;
}

}  // namespace

// Meeus, Astronomical Algorithms, ch. 7 (Julian day of a calendar date).
double JulianDay(double year, double month, double day) {
  double y = year, m = month;
  if (m <= 2) {
    y -= 1;
    m += 12;
  }
  double b = 0;
  if (y + m / 100 + day / 10000 >= 1582.1015) {
    const double a = Int(y / 100);
    b = 2 - a + Int(a / 4);
  }
  return Int(365.25 * y) + Int(30.6001 * (m + 1)) + day + 1720994.5 + b;
}



double DefaultIsyaAngle(double latitude) {
  struct Row {
    double above, angle;
  };
  // Each later row overrides.
  static constexpr Row kRows[] = {{37, 17}, {41, 16.5}, {45, 15}, {50, 14}, {55, 13}};
  const double a = std::fabs(Thousandths(latitude));
  double angle = 18;
  for (const Row& r : kRows)
    if (a > r.above) angle = r.angle;
  return angle;
}


HighLatitudeRule RuleFor(HighLatitudeRule rule, double latitude) {
  if (rule != HighLatitudeRule::kAuto) return rule;
  return std::fabs(latitude) > 48 ? HighLatitudeRule::kSeventhOfNight
                                  : HighLatitudeRule::kMiddleOfNight;
}

Method KemenagMethod() {
  Method m;
  m.fajrAngle = 20;
  m.isyaAngle = 18;
  m.mazhab = Mazhab::kShafii;
  m.addShubuh = 2;
  m.addTerbit = -2;
  m.addDhuha = 2;
  m.addDzuhur = 3;
  m.addAshar = 2;
  m.addMaghrib = 2;
  m.addIsya = 2;
  m.imsakBeforeShubuh = 10;
  m.dhuhaAltitude = 4.5;
  m.horizon = -1;
  m.sun = SunTheory::kAccurate;
  m.rounding = Rounding::kSecondsUp;
  return m;
}

DayTimes FullDay::Five() const {
  DayTimes d;
  for (int k = 0; k < kPrayerCount; ++k) d.times[k] = (*this)[static_cast<Prayer>(k)];
  d.valid = valid;
  return d;
}

DayTimes HitungWaktuSholat(const CivilDate& date, const Place& place, const Method& method) {
  return Compute<false>(date, place, method);
}

FullDay HitungHariLengkap(const CivilDate& date, const Place& place, const Method& method) {
  return Compute<true>(date, place, method);
}

ZonedDay HitungHariDiZona(const CivilDate& date, const Place& place, const Method& method,
                          const UtcOffsetAt& offsetAt) {
  ZonedDay out;
  if (!IsCalendarDate(date) || !std::isfinite(place.longitude)) return out;
  // The day is framed by the offset in force at its solar noon; each time
  // then moves by the difference at its own instant.
  const double day = DateSerial(date.year, date.month, date.day);
  const double frame = offsetAt(day + (12 - place.longitude / 15) / 24);
  if (!std::isfinite(frame)) return out;
  Place framed = place;
  framed.timeZone = frame;
  const FullDay d = HitungHariLengkap(date, framed, method);
  if (!d.valid) return out;
  out.day = d;
  for (size_t i = 0; i < kWaktuCount; ++i) {
    PrayerTime& t = out.day.times[i];
    const double offset = offsetAt(day + (t.Minutes() - frame * 60) / 1440);
    if (!std::isfinite(offset)) return ZonedDay{};
    const long minutes = std::lround(t.Minutes() + (offset - frame) * 60);
    const int dayOffset = DayOf(static_cast<int>(minutes));
    t.minuteOfDay = static_cast<int16_t>(minutes - dayOffset * 1440);
    t.dayOffset = static_cast<int8_t>(dayOffset);
    out.utcOffset[i] = offset;
  }
  return out;
}

}  // namespace qov::engine
