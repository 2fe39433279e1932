#pragma once

// Local apparent sidereal time (Meeus, Astronomical Algorithms, 12.4 plus the
// equation of the equinoxes), with the nutation handed in by the caller.
// JD: in, the instant, UT; TT when tdtmode = 1 (Delta T is then subtracted).
// lon: in, the observer's longitude, degrees, east positive.
// eps: in, the true obliquity in RADIANS (not degrees; not checked).
// dpsi: in, nutation in longitude, degrees.
// theta: out, local apparent sidereal time, degrees, 0 <= theta < 360.
// pi is not touched.
void lasttdt(double JD, double lon, double eps, double dpsi, double& theta);
