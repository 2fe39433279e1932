#pragma once

// The Sun at high precision: the complete VSOP87D Earth series of the termfull
// table (2425 terms), FK5 correction, the aberration from the daily motion
// (dabb), the 63-term nutation, the topocentric correction for loc.zvd and the
// equation of time (Meeus, Astronomical Algorithms, ch. 25 and 28).
// Arguments as for corsl: piValue, JD (UT; TT when tdtmode = 1), then alpha, delta,
// alphaT, deltaT, lambda (0..360), beta, lambdaT, betaT (degrees), R (AU), E
// (minutes).
// Reads loc.zvd on every call (through ecltopo). Called before the termfull
// table is loaded, it stops the program naming termfull.zvd.
void corsh(double piValue, double JD, double& alpha, double& delta, double& alphaT, double& deltaT,
           double& lambda, double& beta, double& lambdaT, double& betaT, double& R, double& E);
