#pragma once

// Mean right ascension and declination carried from the mean equinox of a date
// to the mean equinox of J2000.0 (rigorous precession, Meeus, Astronomical
// Algorithms, ch. 21: the IAU 1976 angles zeta, z, theta, eqs. 21.2 and 21.4).
// JD: the Julian Day of the input's equinox; alpha, delta: degrees, referred to
// that equinox (a mean place: nutation and aberration are not removed).
// alpha2000: out, degrees, 0 <= alpha2000 < 360; delta2000: out, degrees.
// Stores `pi`.
void equinox2000(double JD, double alpha, double delta, double& alpha2000, double& delta2000);
