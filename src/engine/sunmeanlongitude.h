#pragma once

// The Sun's geometric mean longitude for the equation of time (Meeus,
// Astronomical Algorithms, 28.2), tau in Julian millennia of TT from J2000.0;
// degrees, 0..360. The divisors 15299 and 1988000 are Meeus' own.
double sunMeanLongitude(double tau);

// The Sun's true geometric longitude (degrees, 0..360) and the Earth-Sun
// distance R (AU) from the mean longitude L0, the equation of the centre and
// the orbit's eccentricity (Meeus 25.3-25.5); T in Julian centuries of TT
// from J2000.0, d the degree-to-radian factor the caller uses.
void sunTrueLongitude(double T, double L0, double d, double& trueLongitude, double& R);

// The equation of time in minutes from the mean longitude L0, the apparent
// right ascension alpha, the nutation dpsi and the obliquity eps, all degrees
// (Meeus 28.3): brought into -6 < E < 6 degrees by whole turns, then times 4.
double equationOfTime(double piValue, double L0, double alpha, double dpsi, double eps);
