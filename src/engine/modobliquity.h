#pragma once

// Nutation and the true obliquity of the ecliptic (IAU 1980 nutation, the 63
// terms of Meeus' Table 22.A held in rows 1..63 of mterm; Laskar's mean
// obliquity; Meeus, Astronomical Algorithms, ch. 22).
// JD: in, Julian Day, UT (Delta T is added), or TT when tdtmode = 1.
// dpsi: out, nutation in longitude, degrees; deps: out, nutation in obliquity,
// degrees; eps: out, true obliquity eps0 + deps, degrees.
// Note the output order (dpsi, deps, eps). Stores 3.14159265358979 into pi.
// With mterm not loaded the series sums are 0 and eps is the mean obliquity.
// A call for the instant of the call before (same JD and tdtmode, rows 1..63
// of mterm unchanged) returns that call's result: the position, the altitude
// and the hour angle of one instant each ask for it.
void obliquity(double JD, double& dpsi, double& deps, double& eps);

// Laskar's mean obliquity of the ecliptic (Meeus 22.3), degrees; U in units of
// 10000 Julian years of TT from J2000.0, valid for |U| < 1.
double meanObliquity(double U);
