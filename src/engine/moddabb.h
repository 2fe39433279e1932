#pragma once

// The Sun's daily motion in geocentric longitude, for the aberration
// -0.005775518 R dlambda (Meeus, Astronomical Algorithms, ch. 25, the series
// beside the aberration formula: 3548.193" plus 21 periodic terms).
// tau: in, Julian millennia of TT from J2000.0.
// dlambda: out, degrees per day. Uses its own 3.14159265358979; pi is not touched.
void dabb(double tau, double& dlambda);
