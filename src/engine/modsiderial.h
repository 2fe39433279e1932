#pragma once

// Apparent Greenwich sidereal time (Meeus, Astronomical Algorithms, 12.4 for
// the mean sidereal time, plus the equation of the equinoxes dpsi cos eps).
// JD: in, the instant, UT; TT when tdtmode = 1, in which case Delta T is
// subtracted first. theta: out, degrees, 0 <= theta < 360.
// The nutation comes from obliquity at the same JD, so it is evaluated at TT
// while the mean sidereal time uses UT. Stores 3.14159265358979 into pi.
void siderial(double JD, double& theta);
