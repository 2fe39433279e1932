#pragma once

// The Sun at medium precision: the truncated VSOP87D Earth series of the term
// table (248 terms), FK5 correction, the constant aberration -20.4898"/R, the
// 63-term nutation, the topocentric correction for loc.zvd and the equation of
// time (Meeus, Astronomical Algorithms, ch. 25 "higher accuracy" and ch. 28).
// Arguments as for corsl: piValue, JD (UT; TT when tdtmode = 1), then alpha, delta,
// alphaT, deltaT, lambda (0..360), beta, lambdaT, betaT (degrees), R (AU), E
// (minutes). term.zvd holds A in 1e-8 rad or AU for L0, B0, R0; 1e-9 for L1,
// L2, B1, R1, R2; 1e-11 for L3, L4, L5, R3, R4.
// Reads loc.zvd on every call (through ecltopo). Called before the term table
// is loaded, it stops the program naming term.zvd rather than divide by R = 0.
void corsm(double piValue, double JD, double& alpha, double& delta, double& alphaT, double& deltaT,
           double& lambda, double& beta, double& lambdaT, double& betaT, double& R, double& E);
