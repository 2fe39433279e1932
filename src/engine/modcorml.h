#pragma once

// The Moon's apparent place at low precision: the abridged lunar theory of
// Meeus, Astronomical Algorithms, ch. 47 (first-edition mean elements, the
// 60 + 60 periodic terms of Tables 47.A and 47.B in rows 64..183 of mterm),
// with the 63-term nutation in longitude.
// piValue: in, the circle constant to use (callers pass the process-wide pi).
// JD: in, the instant, UT (Delta T is added), or TT when tdtmode = 1.
// Outputs, degrees: alpha, delta geocentric apparent right ascension
// (0..360) and declination; alphaT, deltaT the same, topocentric for the place
// of loc.zvd; lambda, beta geocentric apparent ecliptic longitude and latitude;
// lambdaT, betaT topocentric; parallax the equatorial horizontal parallax;
// s, sT the geocentric and topocentric semidiameters.
// lambda is not reduced after the nutation is added, so it can lie a little
// outside 0..360.
void corml(double piValue, double JD, double& alpha, double& delta, double& alphaT, double& deltaT,
           double& lambda, double& beta, double& lambdaT, double& betaT, double& parallax,
           double& s, double& sT);
