#include "tests/engine/legacy/legacy_engine.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "engine/datetime.h"
#include "engine/numeric.h"

namespace qov::legacy {
namespace {

constexpr double O = kDegPerRad;

// Dip of the horizon for an observer HI metres up: sqrt(2 h / R), radians.
constexpr double kEarthRadiusM = 6378160;
constexpr double kObserverHeightM = 5;  // HI
const double kHEI = std::sqrt(2 * kObserverHeightM / kEarthRadiusM);

// Sun's centre at sunset: refraction plus semi-diameter, degrees.
constexpr double kSunsetDepression = 0.83311;

constexpr double kJ1900 = 2415020;  // 1900 January 0.5, the theory's epoch
constexpr double kDaysPerCentury = 36525;

// Additions beyond these are held (minutes).
constexpr int kMaxAddDzuhur = 10;
constexpr int kMaxAddMaghrib = 4;
// An Isya angle outside this range falls back on the latitude default.
constexpr double kMinIsya = 10;
constexpr double kMaxIsya = 20;

constexpr double kCosineLimit = 0.999999;

// Slots of the day's table of clock numbers, in the order of the day.
enum Slot { kShubuh = 2, kDzuhur = 4, kAshar = 5, kMaghrib = 6, kIsya = 7 };

// Clock numbers: the minute turns at 36.24 s (0.0066 h), the day is held to
// 00:01..23:59, and numbers above 13 go to the 12-hour dial.
constexpr double kEarliest = 0.01;
constexpr double kLatest = 23.59;
constexpr double kRoundUpHours = 0.0066;
constexpr double kFoldAbove = 13;

// reduce(): degrees into [0, 360), floor semantics for negative angles.
double Reduce(double deg) { return deg - Int(deg / 360) * 360; }

// Default Isya angle by absolute latitude; each later row overrides.
double DefaultIsyaAngle(double la) {
  struct Row {
    double above, angle;
  };
  static constexpr Row kRows[] = {{37, 17}, {41, 16.5}, {45, 15}, {50, 14}, {55, 13}};
  const double a = std::fabs(la);
  double angle = 18;
  for (const Row& r : kRows)
    if (a > r.above) angle = r.angle;
  return angle;
}

struct Clock {
  double number;
  bool folded;
};

Clock MakeClock(double v) {
  if (v <= kEarliest) return {kEarliest, false};
  v += kRoundUpHours;
  const double h = Int(v);
  const double m = Int((v - h) * 60) / 100;
  double ai = h + m;
  if (ai > kLatest) ai = kLatest;
  if (ai > kFoldAbove) return {ai - 12, true};
  return {ai, false};
}

// Leading decimal number of s (sign, digits, one point), 0 when there is
// none: the lenient reading the clock-number texts were written for. Only
// short texts come here, so summing the digits is exact.
double LeadingNumber(std::string_view s) {
  std::size_t i = 0;
  double sign = 1;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) sign = s[i++] == '-' ? -1 : 1;
  double value = 0, scale = 1;
  bool point = false;
  for (; i < s.size(); ++i) {
    const char c = s[i];
    if (c >= '0' && c <= '9') {
      if (point) {
        scale *= 10;
        value += (c - '0') / scale;
      } else {
        value = value * 10 + (c - '0');
      }
    } else if (c == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  return sign * value;
}

// Text of x to 15 significant digits, through the exponent form.
std::string FifteenDigitText(double x) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.14e", x);
  std::string s = buf;
  const bool negative = s[0] == '-';
  if (negative) s.erase(0, 1);
  const std::size_t e = s.find('e');
  const int exponent = std::atoi(s.c_str() + e + 1);
  std::string digits = s.substr(0, 1) + s.substr(2, e - 2);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string out;
  if (exponent < 0) {
    out = "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
  } else {
    const auto whole = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= whole) {
      out = digits + std::string(whole - digits.size(), '0');
    } else {
      out = digits.substr(0, whole) + "." + digits.substr(whole);
    }
  }
  return negative ? "-" + out : out;
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

double ClampCosine(double x) {
  if (x >= 1) return kCosineLimit;
  if (x <= -1) return -kCosineLimit;
  return x;
}

double ClockNumber(double hours) { return MakeClock(hours).number; }

bool ClockNumberFolded(double hours) { return MakeClock(hours).folded; }

std::string ClockNumberText(double clockNumber) {
  if (std::isnan(clockNumber)) return "nan";
  if (std::isinf(clockNumber)) return clockNumber < 0 ? "-inf" : "inf";
  if (clockNumber == 0) return "0";
  // Fast path for what ClockNumber produces, h + m/100 give or take a few
  // units in the last place: when x lies within a tenth of a unit of its 15th
  // digit from k/100, its 15-digit text is that of k/100.
  if (clockNumber >= 0.01 && clockNumber < 100) {
    const double unit = clockNumber >= 10 ? 1e-13 : clockNumber >= 1 ? 1e-14
                        : clockNumber >= 0.1 ? 1e-15 : 1e-16;
    const double k = std::nearbyint(clockNumber * 100);
    if (std::fabs(clockNumber - k / 100) < unit / 10) {
      const int n = static_cast<int>(k);
      char buf[8];
      std::size_t len = 0;
      if (n >= 1000) buf[len++] = static_cast<char>('0' + n / 1000);
      buf[len++] = static_cast<char>('0' + n / 100 % 10);
      if (n % 100 != 0) {
        buf[len++] = '.';
        buf[len++] = static_cast<char>('0' + n % 100 / 10);
        if (n % 10 != 0) buf[len++] = static_cast<char>('0' + n % 10);
      }
      return std::string(buf, len);
    }
  }
  return FifteenDigitText(clockNumber);
}

double ClockNumberToTime(const std::string& text, bool afternoon) {
  // A text without a point reads as if ".00" followed it.
  const std::string_view t = text;
  const std::size_t p = t.find('.');
  const double h = LeadingNumber(t.substr(0, p));
  double m = 0;
  if (p != std::string_view::npos) {
    const std::string_view minuteText = t.substr(p + 1, 2);
    m = LeadingNumber(minuteText);
    if (minuteText.size() == 1) m *= 10;  // "4.1" is 04:10
  }
  const double hour = RoundHalfEven(afternoon ? h + 12 : h);
  const double minute = RoundHalfEven(m);
  return (hour * 60 + minute) / 1440;
}

double WaktuSholat::HourAngle(double co, double sinn, double cinn) {
  double co2 = (co - sinn) / cinn;
  co2 = ClampCosine(co2);
  // The arc cosine written with the arc tangent, in the method's PI.
  return (kPi / 2 - std::atan(co2 / std::sqrt(1 - co2 * co2))) * O / 15;
}

// Low-precision sun referred to 1900.0 (Meeus, Astronomical Formulae for
// Calculators, ch. 18); equation of time after Smart (Meeus, Astronomical
// Algorithms, eq. 28.3).
WaktuSholat::DayResult WaktuSholat::ComputeDay(const DayInput& in) {
  const double T = (in.j0 - kJ1900) / kDaysPerCentury;
  const double T2 = T * T, T3 = T2 * T;
  const double MS = Reduce(358.47583 + 35999.04975 * T - 0.00015 * T2 - 0.0000033 * T3) / O;
  const double LS1 = Reduce(279.69668 + 36000.76892 * T + 0.0003025 * T2) / O;
  // Each sine is taken once and reused below.
  const double sinMS = std::sin(MS), sin2MS = std::sin(2 * MS);
  const double CS = ((1.91946 - 0.004789 * T - 0.000014 * T2) * sinMS +
                     (0.020094 - 0.0001 * T) * sin2MS + 0.000293 * std::sin(3 * MS)) /
                    O;
  const double OM = Reduce(259.183275 - 1934.142 * T + 0.002078 * T2 + 0.0000022 * T3) / O;
  const double LS = LS1 + CS;
  const double E = (23.452294 - 0.0130125 * T - 0.00000164 * T2 + 0.000000503 * T3) / O;
  const double E1 = E + 0.00256 * std::cos(OM) / O;
  const double LSA = LS - (0.00569 + 0.00479 * std::sin(OM)) / O;

  const double s = std::sin(E1) * std::sin(LSA);
  const double decl = std::atan(s / std::sqrt(1 - s * s));

  const double EC = 0.01675104 - 0.0000418 * T - 0.000000126 * T2;
  const double tanHalfE = std::tan(E / 2);
  const double y = tanHalfE * tanHalfE;
  const double eqt = y * std::sin(2 * LS1) - 2 * EC * sinMS +
                     4 * EC * y * sinMS * std::cos(2 * LS1) -
                     0.5 * y * y * std::sin(4 * LS1) - 5.0 / 4 * EC * EC * sin2MS;
  const double ET = eqt * O / 15;

  const double TT1 = in.timeZone - in.lg / 15;
  const double TRT1 = 12 + (TT1 - ET);

  const double sinn = std::sin(in.la / O) * std::sin(decl);
  const double cinn = std::cos(in.la / O) * std::cos(decl);

  DayResult r;
  r.trt1 = TRT1;
  auto put = [&r](int slot, double hours) {
    const Clock c = MakeClock(hours);
    r.jadwal[slot] = c.number;
    r.folded[slot] = c.folded;
  };

  static const double kSinSunset = std::sin(kSunsetDepression / O);
  put(kMaghrib, TRT1 + HourAngle(-kHEI - kSinSunset, sinn, cinn) + in.zu1);
  put(kDzuhur, TRT1 + in.zu);
  put(kShubuh, TRT1 - HourAngle(-kHEI - std::sin(in.ajr / O), sinn, cinn));
  put(kIsya, TRT1 + HourAngle(-kHEI - std::sin(in.sha / O), sinn, cinn));
  // Ashar: cot(altitude) = shadow factor + tan(noon zenith distance).
  const double A = std::fabs(std::tan(in.la / O - decl));
  put(kAshar, TRT1 + HourAngle(-kHEI + std::sin(std::atan(1 / (in.shad + A))), sinn, cinn));
  return r;
}

void WaktuSholat::HitungWaktuSholat(double date, double latitude, double longitude,
                                    int16_t timeZone, int16_t addDzuhur, int16_t addMaghrib,
                                    int16_t mazhabAshar, int16_t sudutFajar, int16_t sudutIsya) {
  DayInput in;
  in.la = Int(latitude * 1000) / 1000;
  in.lg = Int(longitude * 1000) / 1000;
  // Outside the platform's calendar (years 100 to 9999) there is no date:
  // the call fails and nothing changes.
  static const double kFirstDate = DateSerial(100, 1, 1);
  static const double kEndDate = DateSerial(10000, 1, 1);
  if (!(date >= kFirstDate && date < kEndDate)) return;
  const CivilDate d = DateOf(date);
  in.j0 = JulianDay(d.year, d.month, 1) + d.day - 1;
  in.timeZone = timeZone;

  const double sha1 = DefaultIsyaAngle(in.la);
  in.zu = (addDzuhur > kMaxAddDzuhur ? kMaxAddDzuhur : addDzuhur) / 60.0;
  in.zu1 = (addMaghrib > kMaxAddMaghrib ? kMaxAddMaghrib : addMaghrib) / 60.0;
  in.shad = (mazhabAshar == 1 || mazhabAshar == 2) ? mazhabAshar : 2;

  // The angles persist: 0 keeps the previous call's value, and an Isya angle
  // out of range is replaced for good by the latitude default.
  if (sudutFajar != 0) ajr_ = sudutFajar;
  if (sudutIsya != 0) sha_ = sudutIsya;
  if (sha_ < kMinIsya || sha_ > kMaxIsya) sha_ = sha1;
  in.ajr = ajr_;
  in.sha = sha_;

  const DayResult r = ComputeDay(in);

  // Afternoon is decided by the fold, so a Dzuhur past 13:00 stays in the
  // afternoon and an Ashar or Maghrib at 12:xx stays on this day.
  struct Out {
    int slot;
    double* target;
  };
  const Out outs[] = {{kShubuh, &WaktuShubuh}, {kDzuhur, &WaktuDzuhur}, {kAshar, &WaktuAshar},
                      {kMaghrib, &WaktuMaghrib}, {kIsya, &WaktuIsya}};
  double values[5];
  bool finite = std::isfinite(in.la) && std::isfinite(in.lg) && std::isfinite(r.trt1);
  for (int i = 0; i < 5; ++i) {
    const int slot = outs[i].slot;
    values[i] = ClockNumberToTime(ClockNumberText(r.jadwal[slot]), r.folded[slot]);
    finite = finite && std::isfinite(r.jadwal[slot]) && std::isfinite(values[i]);
  }
  // A floating-point fault leaves the last completed call's outputs.
  if (!finite) return;
  for (int i = 0; i < 5; ++i) *outs[i].target = values[i];
}

}  // namespace qov::legacy
