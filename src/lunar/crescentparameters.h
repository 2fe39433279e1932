// The crescent's geometry seen from the place of loc.zvd, the Zivad
// visibility criterion at the best time, and the title of the Hijri month
// whose crescent is sought. Window-free: the crescent window and the
// visibility map call these.
#pragma once

#include <string>

namespace lunar {

// Kilometres in one astronomical unit.
inline constexpr double kKmPerAu = 149597870.66;

// Moon and Sun at one instant, seen from the place of loc.zvd.
// U: the instant, Julian Day (UT). alphaM, deltaM, alphaS, deltaS: right
// ascensions and declinations (degrees) of the Moon and the Sun, geocentric or
// topocentric alike; s: the Moon's semidiameter (degrees) of the same frame;
// R: the Sun's distance (AU); Delta: the Moon's distance (km), both geocentric.
// Out: hM, AM, hS, AS geometric altitudes (no refraction) and azimuths (from
// north through east) by altazm; E elongation and i phase angle (degrees);
// k illuminated fraction 0..1; w crescent width (degrees, 2 k s);
// m the Moon's visual magnitude (-12.73 + 0.026 |i| + 4e-9 i^4, i in degrees).
// Phase angle from the Sun-Moon-Earth triangle (Meeus, ch. 48).
void CrescentParameters(double U, double alphaM, double deltaM, double alphaS, double deltaS,
                        double s, double R, double Delta, double& hM, double& AM, double& hS,
                        double& AS, double& E, double& i, double& k, double& w, double& m);

// Elongation (radians) of two directions given by right ascension and
// declination in degrees; 0 for the same direction, pi for opposite ones.
double elongation(double alpha1, double delta1, double alpha2, double delta2);

// Phase angle (radians, 0..pi) of the Moon at distance Delta (km) whose
// elongation from the Sun at distance Rk (km) is E (radians).
double phaseAngle(double Delta, double Rk, double E);

// The Moon's visual magnitude at phase angle i (degrees).
double moonMagnitude(double i);

// The Zivad criterion's value: the arc of vision ARCV (degrees) less the
// limit for the topocentric crescent width W (arc minutes),
// -0.1018 W^3 + 0.7319 W^2 - 6.3226 W + 7.1651.
double zivadValue(double ARCV, double W);

// The four classes of the criterion, from the best.
enum class ZivadClass { NakedEye, OpticalAidCouldNakedEye, OpticalAidOnly, NotVisible };

// The class of a value V; each limit (5.65, 2, -0.97) belongs to the class above it.
ZivadClass zivadClass(double V);

// The class's sentence as the report prints it.
const char* zivadClassText(ZivadClass c);

// The Zivad criterion at the best time UB (Julian Day, UT), always with
// topocentric positions (corsh, cormm) whatever frame the report uses.
// Out: ARCV (degrees, topocentric geometric Moon altitude less the Sun's),
// W (arc minutes), V (zivadValue) and the class sentence.
// Reads loc.zvd (through the engine) on every call.
void ApplyVisibilityCriterion(double UB, double& ARCV, double& W, double& V,
                              std::string& classText);

// "<Hijri month name> <year> AH" of the month whose crescent is sought.
// onedayjd: the Julian Day at 0 h of the calculation day; newCrescent: the
// crescent that begins a month (else the one that ends it). The tabular
// calendar's date of the day number Int(onedayjd + 7) (new) or Int(onedayjd - 7)
// (old) names the month.
void HijriMonthTitle(double onedayjd, bool newCrescent, std::string& title);

} // namespace lunar
