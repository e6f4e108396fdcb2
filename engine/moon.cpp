#include "engine/moon.h"

#include <cmath>
#include <cstdlib>
#include <numbers>

#include "engine/datetime.h"

namespace qov::engine {
namespace {

constexpr double kRad = std::numbers::pi / 180.0;
constexpr double kJ2000 = 2451545.0;
constexpr double kEarthRadiusKm = 6378.14;
constexpr double kSynodicMonth = 29.530588861;
constexpr double kStandardSunsetAltitude = -0.8333;
// Date serial 0 (1899-12-30) as a Julian Day.
constexpr double kSerialEpochJd = 2415018.5;

double Sin(double deg) { return std::sin(deg * kRad); }
double Cos(double deg) { return std::cos(deg * kRad); }

double Normalize360(double deg) {
  double r = std::fmod(deg, 360.0);
  return r < 0 ? r + 360.0 : r;
}

// -180 <= result < 180
double Normalize180(double deg) { return Normalize360(deg + 180.0) - 180.0; }

double Centuries(double jde) { return (jde - kJ2000) / 36525.0; }

// Instants are held within +-20000 years of J2000, far beyond where the
// theories mean anything, so that no series and no search overflows.
constexpr double kMaxDaysFromJ2000 = 20000.0 * 365.25;
double ClampJd(double jd) {
  if (!std::isfinite(jd)) return kJ2000;
  return std::fmax(kJ2000 - kMaxDaysFromJ2000, std::fmin(kJ2000 + kMaxDaysFromJ2000, jd));
}

// Nutation in longitude and obliquity, degrees (Meeus 22, to 0.5").
struct Nutation {
  double longitude = 0;
  double obliquity = 0;
};

Nutation NutationAt(double t) {
  const double omega = 125.04452 - 1934.136261 * t;
  const double sunMean = 280.4665 + 36000.7698 * t;
  const double moonMean = 218.3165 + 481267.8813 * t;
  Nutation n;
  n.longitude = (-17.20 * Sin(omega) - 1.32 * Sin(2 * sunMean) - 0.23 * Sin(2 * moonMean) +
                 0.21 * Sin(2 * omega)) /
                3600.0;
  n.obliquity = (9.20 * Cos(omega) + 0.57 * Cos(2 * sunMean) + 0.10 * Cos(2 * moonMean) -
                 0.09 * Cos(2 * omega)) /
                3600.0;
  return n;
}

double MeanObliquity(double t) {
  return 23.0 + 26.0 / 60.0 +
         (21.448 - 46.8150 * t - 0.00059 * t * t + 0.001813 * t * t * t) / 3600.0;
}

EquatorialPosition ToEquatorial(double lambda, double beta, double epsilon, double distanceKm) {
  EquatorialPosition e;
  e.rightAscension = Normalize360(
      std::atan2(Sin(lambda) * Cos(epsilon) - std::tan(beta * kRad) * Sin(epsilon), Cos(lambda)) /
      kRad);
  e.declination =
      std::asin(Sin(beta) * Cos(epsilon) + Cos(beta) * Sin(epsilon) * Sin(lambda)) / kRad;
  e.distanceKm = distanceKm;
  return e;
}

// Meeus table 47.A: multiples of D, M, M', F; longitude terms in 1e-6
// degree (sine); distance terms in 1e-3 km (cosine).
struct LonDistTerm {
  signed char d, m, mp, f;
  int l, r;
};
constexpr LonDistTerm kLonDist[] = {
    {0, 0, 1, 0, 6288774, -20905355}, {2, 0, -1, 0, 1274027, -3699111},
    {2, 0, 0, 0, 658314, -2955968},   {0, 0, 2, 0, 213618, -569925},
    {0, 1, 0, 0, -185116, 48888},     {0, 0, 0, 2, -114332, -3149},
    {2, 0, -2, 0, 58793, 246158},     {2, -1, -1, 0, 57066, -152138},
    {2, 0, 1, 0, 53322, -170733},     {2, -1, 0, 0, 45758, -204586},
    {0, 1, -1, 0, -40923, -129620},   {1, 0, 0, 0, -34720, 108743},
    {0, 1, 1, 0, -30383, 104755},     {2, 0, 0, -2, 15327, 10321},
    {0, 0, 1, 2, -12528, 0},          {0, 0, 1, -2, 10980, 79661},
    {4, 0, -1, 0, 10675, -34782},     {0, 0, 3, 0, 10034, -23210},
    {4, 0, -2, 0, 8548, -21636},      {2, 1, -1, 0, -7888, 24208},
    {2, 1, 0, 0, -6766, 30824},       {1, 0, -1, 0, -5163, -8379},
    {1, 1, 0, 0, 4987, -16675},       {2, -1, 1, 0, 4036, -12831},
    {2, 0, 2, 0, 3994, -10445},       {4, 0, 0, 0, 3861, -11650},
    {2, 0, -3, 0, 3665, 14403},       {0, 1, -2, 0, -2689, -7003},
    {2, 0, -1, 2, -2602, 0},          {2, -1, -2, 0, 2390, 10056},
    {1, 0, 1, 0, -2348, 6322},        {2, -2, 0, 0, 2236, -9884},
    {0, 1, 2, 0, -2120, 5751},        {0, 2, 0, 0, -2069, 0},
    {2, -2, -1, 0, 2048, -4950},      {2, 0, 1, -2, -1773, 4130},
    {2, 0, 0, 2, -1595, 0},           {4, -1, -1, 0, 1215, -3958},
    {0, 0, 2, 2, -1110, 0},           {3, 0, -1, 0, -892, 3258},
    {2, 1, 1, 0, -810, 2616},         {4, -1, -2, 0, 759, -1897},
    {0, 2, -1, 0, -713, -2117},       {2, 2, -1, 0, -700, 2354},
    {2, 1, -2, 0, 691, 0},            {2, -1, 0, -2, 596, 0},
    {4, 0, 1, 0, 549, -1423},         {0, 0, 4, 0, 537, -1117},
    {4, -1, 0, 0, 520, -1571},        {1, 0, -2, 0, -487, -1739},
    {2, 1, 0, -2, -399, 0},           {0, 0, 2, -2, -381, -4421},
    {1, 1, 1, 0, 351, 0},             {3, 0, -2, 0, -340, 0},
    {4, 0, -3, 0, 330, 0},            {2, -1, 2, 0, 327, 0},
    {0, 2, 1, 0, -323, 1165},         {1, 1, -1, 0, 299, 0},
    {2, 0, 3, 0, 294, 0},             {2, 0, -1, -2, 0, 8752},
};

// Meeus table 47.B: latitude terms in 1e-6 degree (sine).
struct LatTerm {
  signed char d, m, mp, f;
  int b;
};
constexpr LatTerm kLat[] = {
    {0, 0, 0, 1, 5128122}, {0, 0, 1, 1, 280602},  {0, 0, 1, -1, 277693}, {2, 0, 0, -1, 173237},
    {2, 0, -1, 1, 55413},  {2, 0, -1, -1, 46271}, {2, 0, 0, 1, 32573},   {0, 0, 2, 1, 17198},
    {2, 0, 1, -1, 9266},   {0, 0, 2, -1, 8822},   {2, -1, 0, -1, 8216},  {2, 0, -2, -1, 4324},
    {2, 0, 1, 1, 4200},    {2, 1, 0, -1, -3359},  {2, -1, -1, 1, 2463},  {2, -1, 0, 1, 2211},
    {2, -1, -1, -1, 2065}, {0, 1, -1, -1, -1870}, {4, 0, -1, -1, 1828},  {0, 1, 0, 1, -1794},
    {0, 0, 0, 3, -1749},   {0, 1, -1, 1, -1565},  {1, 0, 0, 1, -1491},   {0, 1, 1, 1, -1475},
    {0, 1, 1, -1, -1410},  {0, 1, 0, -1, -1344},  {1, 0, 0, -1, -1335},  {0, 0, 3, 1, 1107},
    {4, 0, 0, -1, 1021},   {4, 0, -1, 1, 833},    {0, 0, 1, -3, 777},    {4, 0, -2, 1, 671},
    {2, 0, 0, -3, 607},    {2, 0, 2, -1, 596},    {2, -1, 1, -1, 491},   {2, 0, -2, 1, -451},
    {0, 0, 3, -1, 439},    {2, 0, 2, 1, 422},     {2, 0, -3, -1, 421},   {2, 1, -1, 1, -366},
    {2, 1, 0, 1, -351},    {4, 0, 0, 1, 331},     {2, -1, 1, 1, 315},    {2, -2, 0, -1, 302},
    {0, 0, 1, 3, -283},    {2, 1, 1, -1, -229},   {1, 1, 0, -1, 223},    {1, 1, 0, 1, 223},
    {0, 1, -2, -1, -220},  {2, 1, -1, -1, -220},  {1, 0, 1, 1, -185},    {2, -1, -2, -1, 181},
    {0, 1, 2, 1, -177},    {4, 0, -2, -1, 176},   {4, -1, -1, -1, 166},  {1, 0, 1, -1, -164},
    {4, 0, 1, -1, 132},    {1, 0, -1, -1, -119},  {4, -1, 0, -1, 115},   {2, -2, 0, 1, 107},
};

// Terms whose argument holds the sun's anomaly M shrink with the Earth's
// orbital eccentricity: factor E for |M| = 1, E^2 for |M| = 2.
double EccentricityFactor(int m, double e) {
  const int a = std::abs(m);
  return a == 0 ? 1.0 : (a == 1 ? e : e * e);
}

// Observer's geocentric coordinates on the ellipsoid at sea level
// (Meeus 11): rho sin(phi') and rho cos(phi').
void ObserverGeocentric(double latitude, double* rhoSin, double* rhoCos) {
  constexpr double kBa = 0.99664719;
  const double u = std::atan(kBa * std::tan(latitude * kRad));
  *rhoSin = kBa * std::sin(u);
  *rhoCos = std::cos(u);
}

bool IsFiniteAll(double a, double b) { return std::isfinite(a) && std::isfinite(b); }

// Refraction for a true (airless) altitude, degrees, at 1010 hPa and 10 C
// (Saemundsson, Meeus 16.4). Below -1 degree the body is out of sight and
// the formula's pole at -5.11 is near, so nothing is added there.
double Refraction(double trueAltitude) {
  if (trueAltitude < -1.0) return 0.0;
  const double h = trueAltitude;
  return 1.02 / std::tan((h + 10.3 / (h + 5.11)) * kRad) / 60.0;
}

}  // namespace

double JulianDayOf(int year, int month, int day, double hours) {
  return qov::DateSerial(year, month, day) + kSerialEpochJd + hours / 24.0;
}

double DeltaTSeconds(double y) {
  if (!std::isfinite(y)) return 0.0;
  y = std::fmax(-18000.0, std::fmin(22000.0, y));
  const auto longTerm = [](double year) {
    const double u = (year - 1820.0) / 100.0;
    return -20.0 + 32.0 * u * u;
  };
  if (y < 1860.0 || y >= 2150.0) return longTerm(y);
  if (y < 1900.0) {
    const double t = y - 1860.0;
    return 7.62 + 0.5737 * t - 0.251754 * t * t + 0.01680668 * t * t * t -
           0.0004473624 * std::pow(t, 4) + std::pow(t, 5) / 233174.0;
  }
  if (y < 1920.0) {
    const double t = y - 1900.0;
    return -2.79 + 1.494119 * t - 0.0598939 * t * t + 0.0061966 * t * t * t -
           0.000197 * std::pow(t, 4);
  }
  if (y < 1941.0) {
    const double t = y - 1920.0;
    return 21.20 + 0.84493 * t - 0.076100 * t * t + 0.0020936 * t * t * t;
  }
  if (y < 1961.0) {
    const double t = y - 1950.0;
    return 29.07 + 0.407 * t - t * t / 233.0 + t * t * t / 2547.0;
  }
  if (y < 1986.0) {
    const double t = y - 1975.0;
    return 45.45 + 1.067 * t - t * t / 260.0 - t * t * t / 718.0;
  }
  if (y < 2005.0) {
    const double t = y - 2000.0;
    return 63.86 + 0.3345 * t - 0.060374 * t * t + 0.0017275 * t * t * t +
           0.000651814 * std::pow(t, 4) + 0.00002373599 * std::pow(t, 5);
  }
  if (y < 2050.0) {
    const double t = y - 2000.0;
    return 62.92 + 0.32217 * t + 0.005589 * t * t;
  }
  return longTerm(y) - 0.5628 * (2150.0 - y);
}

double DynamicalFromUniversal(double jd) {
  const double year = 2000.0 + (jd - kJ2000) / 365.25;
  return jd + DeltaTSeconds(year) / 86400.0;
}

double UniversalFromDynamical(double jde) {
  const double year = 2000.0 + (jde - kJ2000) / 365.25;
  return jde - DeltaTSeconds(year) / 86400.0;
}

EclipticPosition MoonEcliptic(double jde) {
  jde = ClampJd(jde);
  const double t = Centuries(jde);
  const double t2 = t * t, t3 = t2 * t, t4 = t3 * t;
  const double lp = 218.3164477 + 481267.88123421 * t - 0.0015786 * t2 + t3 / 538841.0 -
                    t4 / 65194000.0;
  const double d = 297.8501921 + 445267.1114034 * t - 0.0018819 * t2 + t3 / 545868.0 -
                   t4 / 113065000.0;
  const double m = 357.5291092 + 35999.0502909 * t - 0.0001536 * t2 + t3 / 24490000.0;
  const double mp = 134.9633964 + 477198.8675055 * t + 0.0087414 * t2 + t3 / 69699.0 -
                    t4 / 14712000.0;
  const double f = 93.2720950 + 483202.0175233 * t - 0.0036539 * t2 - t3 / 3526000.0 +
                   t4 / 863310000.0;
  const double a1 = 119.75 + 131.849 * t;
  const double a2 = 53.09 + 479264.290 * t;
  const double a3 = 313.45 + 481266.484 * t;
  const double e = 1.0 - 0.002516 * t - 0.0000074 * t2;

  double sl = 0, sr = 0, sb = 0;
  for (const auto& k : kLonDist) {
    const double arg = Normalize360(k.d * d + k.m * m + k.mp * mp + k.f * f);
    const double w = EccentricityFactor(k.m, e);
    sl += k.l * w * Sin(arg);
    sr += k.r * w * Cos(arg);
  }
  for (const auto& k : kLat) {
    const double arg = Normalize360(k.d * d + k.m * m + k.mp * mp + k.f * f);
    sb += k.b * EccentricityFactor(k.m, e) * Sin(arg);
  }
  // Venus (A1), Jupiter (A2) and the Earth's flattening (L' - F).
  sl += 3958 * Sin(a1) + 1962 * Sin(lp - f) + 318 * Sin(a2);
  sb += -2235 * Sin(lp) + 382 * Sin(a3) + 175 * Sin(a1 - f) + 175 * Sin(a1 + f) +
        127 * Sin(lp - mp) - 115 * Sin(lp + mp);

  EclipticPosition p;
  p.longitude = Normalize360(lp + sl / 1e6);
  p.latitude = sb / 1e6;
  p.distanceKm = 385000.56 + sr / 1000.0;
  return p;
}

EquatorialPosition MoonApparent(double jde) {
  jde = ClampJd(jde);
  const double t = Centuries(jde);
  const Nutation n = NutationAt(t);
  const EclipticPosition p = MoonEcliptic(jde);
  return ToEquatorial(p.longitude + n.longitude, p.latitude, MeanObliquity(t) + n.obliquity,
                      p.distanceKm);
}

EclipticPosition SunApparentEcliptic(double jde) {
  jde = ClampJd(jde);
  const double t = Centuries(jde);
  const double l0 = 280.46646 + 36000.76983 * t + 0.0003032 * t * t;
  const double m = 357.52911 + 35999.05029 * t - 0.0001537 * t * t;
  const double e = 0.016708634 - 0.000042037 * t - 0.0000001267 * t * t;
  const double c = (1.914602 - 0.004817 * t - 0.000014 * t * t) * Sin(m) +
                   (0.019993 - 0.000101 * t) * Sin(2 * m) + 0.000289 * Sin(3 * m);
  const double trueLongitude = l0 + c;
  const double v = m + c;
  const double radiusAu = 1.000001018 * (1 - e * e) / (1 + e * Cos(v));
  const double omega = 125.04 - 1934.136 * t;
  EclipticPosition p;
  p.longitude = Normalize360(trueLongitude - 0.00569 - 0.00478 * Sin(omega));
  p.latitude = 0.0;
  p.distanceKm = radiusAu * 149597870.7;
  return p;
}

EquatorialPosition SunApparent(double jde) {
  jde = ClampJd(jde);
  const double t = Centuries(jde);
  const double omega = 125.04 - 1934.136 * t;
  const EclipticPosition p = SunApparentEcliptic(jde);
  return ToEquatorial(p.longitude, 0.0, MeanObliquity(t) + 0.00256 * Cos(omega), p.distanceKm);
}

double Elongation(double jde) { return AngleBetween(SunApparent(jde), MoonApparent(jde)); }

double AngleBetween(const EquatorialPosition& s, const EquatorialPosition& m) {
  const double c = Sin(s.declination) * Sin(m.declination) +
                   Cos(s.declination) * Cos(m.declination) *
                       Cos(s.rightAscension - m.rightAscension);
  return std::acos(std::fmax(-1.0, std::fmin(1.0, c))) / kRad;
}

double NewMoonJde(int k) {
  const double kk = k;
  const double t = kk / 1236.85;
  const double t2 = t * t, t3 = t2 * t, t4 = t3 * t;
  double jde = 2451550.09766 + kSynodicMonth * kk + 0.00015437 * t2 - 0.000000150 * t3 +
               0.00000000073 * t4;
  const double e = 1.0 - 0.002516 * t - 0.0000074 * t2;
  const double m = Normalize360(2.5534 + 29.10535670 * kk - 0.0000014 * t2 - 0.00000011 * t3);
  const double mp = Normalize360(201.5643 + 385.81693528 * kk + 0.0107582 * t2 +
                                 0.00001238 * t3 - 0.000000058 * t4);
  const double f = Normalize360(160.7108 + 390.67050284 * kk - 0.0016118 * t2 -
                                0.00000227 * t3 + 0.000000011 * t4);
  const double om = Normalize360(124.7746 - 1.56375588 * kk + 0.0020672 * t2 + 0.00000215 * t3);

  jde += -0.40720 * Sin(mp) + 0.17241 * e * Sin(m) + 0.01608 * Sin(2 * mp) +
         0.01039 * Sin(2 * f) + 0.00739 * e * Sin(mp - m) - 0.00514 * e * Sin(mp + m) +
         0.00208 * e * e * Sin(2 * m) - 0.00111 * Sin(mp - 2 * f) - 0.00057 * Sin(mp + 2 * f) +
         0.00056 * e * Sin(2 * mp + m) - 0.00042 * Sin(3 * mp) + 0.00042 * e * Sin(m + 2 * f) +
         0.00038 * e * Sin(m - 2 * f) - 0.00024 * e * Sin(2 * mp - m) - 0.00017 * Sin(om) -
         0.00007 * Sin(mp + 2 * m) + 0.00004 * Sin(2 * mp - 2 * f) + 0.00004 * Sin(3 * m) +
         0.00003 * Sin(mp + m - 2 * f) + 0.00003 * Sin(2 * mp + 2 * f) -
         0.00003 * Sin(mp + m + 2 * f) + 0.00003 * Sin(mp - m + 2 * f) -
         0.00002 * Sin(mp - m - 2 * f) - 0.00002 * Sin(3 * mp + m) + 0.00002 * Sin(4 * mp);

  // Planetary arguments A1..A14: coefficient, phase, rate per lunation.
  struct Planetary {
    double coefficient, phase, rate;
  };
  static constexpr Planetary kPlanetary[] = {
      {325, 299.77, 0.107408}, {165, 251.88, 0.016321}, {164, 251.83, 26.651886},
      {126, 349.42, 36.412478}, {110, 84.66, 18.206239}, {62, 141.74, 53.303771},
      {60, 207.14, 2.453732},  {56, 154.84, 7.306860},  {47, 34.52, 27.261239},
      {42, 207.19, 0.121824},  {40, 291.34, 1.844379},  {37, 161.72, 24.198154},
      {35, 239.56, 25.513099}, {23, 331.55, 3.592518},
  };
  double planetary = 0;
  for (int i = 0; i < 14; ++i) {
    double arg = kPlanetary[i].phase + kPlanetary[i].rate * kk;
    if (i == 0) arg -= 0.009173 * t2;
    planetary += kPlanetary[i].coefficient * Sin(Normalize360(arg));
  }
  return jde + planetary * 1e-6;
}

int LunationAtOrBefore(double jde) {
  jde = ClampJd(jde);
  int k = static_cast<int>(std::floor((jde - 2451550.09766) / kSynodicMonth));
  // The true new moon strays up to ~0.6 day from the mean one.
  while (NewMoonJde(k) > jde) --k;
  while (NewMoonJde(k + 1) <= jde) ++k;
  return k;
}

double SiderealTimeDegrees(double jd) {
  jd = ClampJd(jd);
  const double t = Centuries(jd);
  const double mean = 280.46061837 + 360.98564736629 * (jd - kJ2000) + 0.000387933 * t * t -
                      t * t * t / 38710000.0;
  const Nutation n = NutationAt(t);
  return Normalize360(mean + n.longitude * Cos(MeanObliquity(t) + n.obliquity));
}

Sunset SunsetOn(int year, int month, int day, double latitude, double longitude) {
  Sunset out;
  if (!IsFiniteAll(latitude, longitude) || std::fabs(latitude) >= 90.0 ||
      std::fabs(longitude) > 180.0 || year < -4000 || year > 8000 || month < 1 || month > 12 ||
      day < 1 || day > 31) {
    return out;
  }
  // Start at 18h local mean time and walk the hour angle onto the sunset one.
  double jd = JulianDayOf(year, month, day, 18.0 - longitude / 15.0);
  for (int i = 0; i < 8; ++i) {
    const EquatorialPosition sun = SunApparent(DynamicalFromUniversal(jd));
    const double cosH0 = (Sin(kStandardSunsetAltitude) - Sin(latitude) * Sin(sun.declination)) /
                         (Cos(latitude) * Cos(sun.declination));
    if (cosH0 < -1.0 || cosH0 > 1.0) {
      out.status = SkyStatus::kNoSunset;
      return out;
    }
    const double h0 = std::acos(cosH0) / kRad;
    const double h = Normalize180(SiderealTimeDegrees(jd) + longitude - sun.rightAscension);
    const double step = Normalize180(h0 - h) / 360.985647;
    jd += step;
    if (std::fabs(step) < 1e-7) break;
  }
  out.status = SkyStatus::kOk;
  out.jd = jd;
  return out;
}

Crescent CrescentAtSunset(int year, int month, int day, double latitude, double longitude) {
  Crescent c;
  const Sunset s = SunsetOn(year, month, day, latitude, longitude);
  c.status = s.status;
  if (s.status != SkyStatus::kOk) return c;
  c.sunsetJd = s.jd;
  const double jde = DynamicalFromUniversal(s.jd);

  const int k = LunationAtOrBefore(jde);
  const double before = NewMoonJde(k), after = NewMoonJde(k + 1);
  const double conjunctionJde = (jde - before <= after - jde) ? before : after;
  c.conjunctionJd = UniversalFromDynamical(conjunctionJde);
  c.ageHours = (jde - conjunctionJde) * 24.0;

  // Topocentric place of the moon (Meeus 40), then its altitude.
  const EquatorialPosition moon = MoonApparent(jde);
  c.elongation = AngleBetween(SunApparent(jde), moon);
  double rhoSin = 0, rhoCos = 0;
  ObserverGeocentric(latitude, &rhoSin, &rhoCos);
  const double sinPi = kEarthRadiusKm / moon.distanceKm;
  const double hourAngle = SiderealTimeDegrees(s.jd) + longitude - moon.rightAscension;
  const double denom = Cos(moon.declination) - rhoCos * sinPi * Cos(hourAngle);
  const double dAlpha = std::atan2(-rhoCos * sinPi * Sin(hourAngle), denom) / kRad;
  const double decTopo =
      std::atan2((Sin(moon.declination) - rhoSin * sinPi) * Cos(dAlpha), denom) / kRad;
  const double hTopo = hourAngle - dAlpha;
  const double sinAlt =
      Sin(latitude) * Sin(decTopo) + Cos(latitude) * Cos(decTopo) * Cos(hTopo);
  const double airless = std::asin(std::fmax(-1.0, std::fmin(1.0, sinAlt))) / kRad;
  c.moonAltitude = airless + Refraction(airless);
  return c;
}

}  // namespace qov::engine
