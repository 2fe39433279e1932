#pragma once

// Equatorial to horizontal coordinates for the current location (Meeus,
// Astronomical Algorithms, eq. 13.5 and 13.6), which is read from loc.zvd at
// every call. JD: the instant, UT (TT when tdtmode = 1), as siderial takes it.
// alpha, delta: right ascension and declination, degrees (geocentric, or
// topocentric when the caller hands in topocentric values). h: out, geometric
// altitude (no refraction), degrees; A: out, azimuth from the north through the
// east, 0 <= A < 360. Stores `pi`.
void altazm(double JD, double alpha, double delta, double& h, double& A);
