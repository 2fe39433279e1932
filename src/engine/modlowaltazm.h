#pragma once

// Equatorial to horizontal coordinates for a given place (Meeus, Astronomical
// Algorithms, eq. 13.5 and 13.6); reads no file. JD: UT (TT when tdtmode = 1);
// alpha, delta: degrees; lambda: longitude, degrees, east positive; phi:
// latitude, degrees, north positive. h: out, geometric altitude, degrees; A:
// out, azimuth from the north through the east, 0 <= A < 360.
// Takes its degree factor from `pi` on entry, so `pi` must have been stored.
void lowaltazm(double JD, double alpha, double delta, double lambda, double phi, double& h,
               double& A);
