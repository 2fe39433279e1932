// The Moon at the lowest precision: the tier evaluated for many places in a
// row (the lowest-precision rise and set, the crescent-visibility world map).
// No file is read: the observer comes in as arguments, at sea level, and the
// nutation costs four terms. Reads the process-wide `pi` without storing it
// (while it has never been stored, 0, it works with 3.14159265358979).
#pragma once

#include <string>

// Apparent place of the Moon for an instant and an observer (Meeus,
// Astronomical Algorithms, ch. 47, the abridged lunar theory of the first
// edition: Tables 47.A and 47.B, rows 64-183 of `mterm`).
// longitude: observer, degrees east-positive; latitude: degrees north-positive;
// JD: the instant, UT (TT when `tdtmode` = 1, then no Delta T is added).
// Outputs, degrees unless stated: alpha, delta geocentric apparent right
// ascension (0..360) and declination; alphaP, deltaP topocentric; lambda, beta
// geocentric apparent ecliptic longitude (not reduced) and latitude; lambdaP
// (0..360), betaP topocentric; parallax equatorial horizontal parallax; s, sP
// geocentric and topocentric semidiameter; distance geocentric, km.
void cormvl(double longitude, double latitude, double JD, double& alpha, double& delta,
            double& alphaP, double& deltaP, double& lambda, double& beta, double& lambdaP,
            double& betaP, double& parallax, double& s, double& sP, double& distance);

// Four-term nutation and the true obliquity (Meeus ch. 22, the low-accuracy
// terms; mean obliquity by Laskar's polynomial, Meeus 22.3).
// JD: UT, or TT when `tdtmode` = 1. Outputs in degrees, in this order: nutation
// in obliquity, nutation in longitude, true obliquity (the reverse of the first
// two of `obliquity`).
void cormvlnut(double JD, double& dEpsilon, double& dPsi, double& epsilon);

// Topocentric ecliptic coordinates of the Moon for a sea-level observer
// (Meeus ch. 40, the formulas in ecliptic coordinates).
// longitude east-positive, latitude, degrees; piValue the circle constant to
// use; JD as handed to the position procedure (the sidereal time follows
// `tdtmode`); epsilon true obliquity, dPsi nutation in longitude, lambda, beta
// geocentric ecliptic place, degrees; distance km. Outputs, degrees: lambdaP
// (0..360), betaP, s, sP, parallax. The last argument is not read.
void cormvltopo(double longitude, double latitude, double piValue, double JD, double epsilon,
                double dPsi, double lambda, double beta, double distance, double& lambdaP,
                double& betaP, double& s, double& sP, double& parallax, const std::string& spare);
