#pragma once

// Horizontal to equatorial coordinates for the current location, read from
// loc.zvd at every call: the inverse of altazm (Meeus, Astronomical
// Algorithms, ch. 13). JD: the instant, UT (TT when tdtmode = 1); h: geometric
// altitude, degrees; A: azimuth from the north through the east, degrees.
// alpha: out, right ascension, 0 <= alpha < 360; delta: out, declination,
// degrees. Stores `pi`.
void altazmequa(double JD, double h, double A, double& alpha, double& delta);
