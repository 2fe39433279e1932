#pragma once

#include <string>

// One correction step of the time of a rise, set or twilight crossing (Meeus,
// Astronomical Algorithms, ch. 15: dm = (h - h0) / (360 cos(dec) cos(lat)
// sin(H))), with the medium-precision Sun (VSOP87, corsm) or Moon (ELP
// 2000-85, cormm).
// t: in and out, decimal hours after JD0 (the UT Julian Day of local midnight).
// h0: target altitude, degrees. phi: latitude, north positive; lambda:
// longitude, east positive; degrees. body: exactly "Moon" selects the Moon,
// any other text the Sun. topocentricAltitude: take the altitude from the
// topocentric right ascension and declination (the alert program) instead of
// the geocentric ones; the hour angle stays geocentric in both cases.
// The denominator takes the topocentric declination. Where it vanishes (the
// body on the meridian, or a pole) no step can be taken and t is left as it is.
// offset: out when given, the altitude less h0 at the instant t came in with,
// degrees (positive above the target).
void crc(double& t, double JD0, double h0, double phi, double lambda, const std::string& body,
         bool topocentricAltitude = false, double* offset = nullptr);
