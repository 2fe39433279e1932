// The four-term nutation of the lowest precision tier (Meeus, Astronomical
// Algorithms, ch. 22: about 0.5" in longitude and 0.1" in obliquity), shared
// by the lowest-precision Moon (`cormvlnut`) and the lowest-precision rise and
// set (`vlownut`), which differ only in how they turn their instant into TT.
#pragma once

// tau: in, Julian millennia of TT from J2000.0; r: in, radians per degree of
// the caller's circle constant. Outputs in degrees: nutation in obliquity,
// nutation in longitude, true obliquity (Laskar's mean obliquity, Meeus 22.3,
// plus the nutation in obliquity).
void shortNutation(double tau, double r, double& dEpsilon, double& dPsi, double& epsilon);
