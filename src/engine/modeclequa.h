#pragma once

// Ecliptic to equatorial coordinates (Meeus, Astronomical Algorithms, 13.3, 13.4).
// piValue: in, the value used for degree-radian conversion (callers pass the
// process-wide pi); JD: not used. eps: obliquity; lambda, beta: ecliptic
// longitude and latitude; all degrees.
// alpha: out, right ascension, degrees, 0 <= alpha < 360; delta: out,
// declination, degrees.
void eclequa(double piValue, double JD, double eps, double lambda, double beta, double& alpha,
             double& delta);
