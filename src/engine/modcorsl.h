#pragma once

// The Sun at low precision (Meeus, Astronomical Algorithms, ch. 25, the
// low-precision theory: mean longitude, equation of the centre, radius vector,
// apparent longitude by -0.00569 - 0.00478 sin(omega)), with the 63-term
// nutation, the topocentric correction for loc.zvd and the equation of time.
// piValue: in, the degree-radian constant (callers pass the process-wide pi).
// JD: in, UT; TT when tdtmode = 1.
// Outputs: alpha, delta apparent geocentric right ascension (0..360) and
// declination; alphaT, deltaT topocentric for loc.zvd; lambda apparent
// geocentric longitude (0..360); beta always 0; lambdaT, betaT topocentric;
// all degrees. R distance, AU; E equation of time, minutes (-24 < E < 24).
// Reads loc.zvd on every call (through ecltopo).
void corsl(double piValue, double JD, double& alpha, double& delta, double& alphaT, double& deltaT,
           double& lambda, double& beta, double& lambdaT, double& betaT, double& R, double& E);
