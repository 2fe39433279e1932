// Mean sidereal time at Greenwich, in degrees, not reduced to 0..360.
// J: in, Julian Day of UT. Meeus, Astronomical Algorithms, eq. 12.4 (the
// IAU 1982 expression, T in Julian centuries from J2000.0).
#pragma once

#include <cmath>

inline double meanSiderealTime(double J)
{
    const double T = (J - 2451545) / 36525;
    return 280.46061837 + 360.98564736629 * (J - 2451545) + 0.000387933 * T * T -
           T * T * T / 38710000;
}

// An angle into 0..360 degrees by the floor rule of the sidereal-time
// routines: above 360 the fraction of whole turns, below 0 its distance from
// the lower whole turn. 0 <= x < 360 is returned unchanged.
inline double reduceSiderealAngle(double theta)
{
    if (theta >= 360)
        theta = 360 * (theta / 360 - std::floor(theta / 360));
    if (theta < 0)
        theta = std::fabs(360 * (std::floor(theta / 360) - theta / 360));
    return theta;
}
