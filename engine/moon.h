// The moon and the sun as seen at sunset, for deciding when a Hijri month
// begins: positions after Meeus, "Astronomical Algorithms" (2nd ed.):
// the moon from the truncated series of chapter 47, the sun from the
// low-accuracy theory of chapter 25 (about 0.01 degree), true new moons
// from chapter 49 and delta-T from the Espenak-Meeus polynomials.
//
// Times: JD is Julian Day in UT, JDE the same instant in dynamical time
// (JDE = JD + delta-T). Angles are degrees, longitudes east-positive.
// Every function is pure; results that cannot be computed carry a status
// instead of NaN. Instants are taken within +-20000 years of J2000 (a
// non-finite one as J2000 itself), so no input yields NaN or a hang.
#pragma once

namespace qov::engine {

// Julian Day of a proleptic Gregorian date at `hours` UT. Month and day
// may run over (month 13 is January of the next year).
double JulianDayOf(int year, int month, int day, double hours = 0.0);

// Delta-T = TD - UT in seconds for a decimal year (Espenak-Meeus
// polynomials; the long-term parabola outside 1860-2150).
double DeltaTSeconds(double decimalYear);
double DynamicalFromUniversal(double jd);
double UniversalFromDynamical(double jde);

struct EclipticPosition {
  double longitude = 0;   // degrees, 0..360
  double latitude = 0;    // degrees
  double distanceKm = 0;  // centre to centre
};

struct EquatorialPosition {
  double rightAscension = 0;  // degrees, 0..360
  double declination = 0;     // degrees
  double distanceKm = 0;
};

// Geometric geocentric moon, mean equinox of date (Meeus 47: no nutation).
EclipticPosition MoonEcliptic(double jde);
// Apparent geocentric moon: nutation in longitude added, true equinox of
// date.
EquatorialPosition MoonApparent(double jde);
// Apparent geocentric sun (Meeus 25, low accuracy: aberration and
// nutation included).
EclipticPosition SunApparentEcliptic(double jde);
EquatorialPosition SunApparent(double jde);

// Geocentric angular distance between the apparent sun and moon centres.
double Elongation(double jde);
// Angular distance between two equatorial directions, degrees.
double AngleBetween(const EquatorialPosition& a, const EquatorialPosition& b);

// JDE of the true new moon of lunation k (k = 0 is the new moon of
// 2000 January 6; k = -283 is 1977 February 18).
double NewMoonJde(int k);
// The lunation whose new moon is the last at or before the instant jde.
int LunationAtOrBefore(double jde);

// Greenwich apparent sidereal time, degrees, at the UT instant jd.
double SiderealTimeDegrees(double jd);

enum class SkyStatus {
  kOk,
  kNoSunset,  // polar day or night at that latitude and date
  kBadInput,  // non-finite or impossible latitude, longitude or date
};

struct Sunset {
  SkyStatus status = SkyStatus::kBadInput;
  double jd = 0;  // UT instant of sunset
};

// Sunset (sun's centre at the standard altitude -0.8333 degree: refraction
// 34' and semidiameter 16') on the local date year-month-day at a place.
// The local date is the one of local mean time, which for any inhabited
// place names the same evening as its zone time. kBadInput for a latitude
// not strictly inside +-90, a longitude beyond +-180, a non-finite one, a
// month outside 1..12, a day outside 1..31 or a year beyond -4000..8000.
Sunset SunsetOn(int year, int month, int day, double latitude, double longitude);

// The new crescent at sunset, in the quantities Indonesia's hisab team
// reports at the isbat sessions (their published figures match these to
// ~0.03 degree): moonAltitude is the apparent topocentric altitude of the
// moon's centre above the true horizon (parallax for an observer at sea
// level, standard refraction added, no dip); elongation is the geocentric
// angle between the centres of the apparent sun and moon.
struct Crescent {
  SkyStatus status = SkyStatus::kBadInput;
  double sunsetJd = 0;       // UT
  double conjunctionJd = 0;  // UT of the new moon nearest to sunset
  double moonAltitude = 0;   // degrees
  double elongation = 0;     // degrees
  double ageHours = 0;       // sunset minus conjunction; negative before it
};

Crescent CrescentAtSunset(int year, int month, int day, double latitude, double longitude);

}  // namespace qov::engine
