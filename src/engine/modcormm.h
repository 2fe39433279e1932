#pragma once

// The Moon's apparent place from the ELP 2000-85 lunar theory as truncated by
// Chapront-Touze and Chapront ("Lunar Tables and Programs from 4000 B.C. to
// A.D. 8000": 1324 terms in the twelve elp tables), with the 63-term nutation
// in longitude. The series give the mean ecliptic and equinox of date.
// piValue: in, the circle constant to use (callers pass the process-wide pi).
// JD: in, the instant, UT (Delta T is added), or TT when tdtmode = 1.
// Outputs, degrees: alpha, delta geocentric apparent right ascension
// (0..360) and declination; alphaT, deltaT topocentric for the place of
// loc.zvd; lambda, beta geocentric apparent ecliptic longitude and latitude;
// lambdaT, betaT topocentric; parallax the equatorial horizontal parallax;
// s, sT geocentric and topocentric semidiameters; distance: km, geocentric.
// lambda is not reduced after the corrections and the nutation are added.
void cormm(double piValue, double JD, double& alpha, double& delta, double& alphaT, double& deltaT,
           double& lambda, double& beta, double& lambdaT, double& betaT, double& parallax,
           double& s, double& sT, double& distance);
