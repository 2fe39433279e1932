#pragma once

// The steps that corsm and corsh share after summing their series: from the
// heliocentric L (degrees, 0..360 once reduced by the caller), B (degrees) and
// the aberration in degrees to the apparent geocentric outputs (Meeus,
// Astronomical Algorithms, ch. 25: FK5 correction, nutation, topocentric
// correction, equatorial coordinates, equation of time).
// geocentricL: L + 180 already brought into 0..360 by the caller's rule.
void vsopSunFinish(double piValue, double JD, double tau, double geocentricL, double B,
                   double aberration, double R, double& alpha, double& delta, double& alphaT,
                   double& deltaT, double& lambda, double& beta, double& lambdaT, double& betaT,
                   double& E);

// Stops the program when the series loader has not filled the table read from
// `file` (its sums would all be 0).
void requireSeries(bool loaded, const char* file);
