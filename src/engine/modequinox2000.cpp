#include "modequinox2000.h"

#include <cmath>

#include "modgeneral.h"

void equinox2000(double JD, double alpha, double delta, double& alpha2000, double& delta2000)
{
    pi = kPi15;
    const double d = pi / 180;
    // T: the starting epoch in Julian centuries from J2000.0; t: the interval
    // from it to J2000.0.
    const double T = (JD - 2451545) / 36525;
    const double t = (2451545 - JD) / 36525;
    const double t2 = t * t;
    const double t3 = t2 * t;

    // Precession angles, arcseconds.
    const double rate = 2306.2181 + 1.39656 * T - 0.000139 * T * T;
    double zeta = rate * t + (0.30188 - 0.000344 * T) * t2 + 0.017998 * t3;
    double z = rate * t + (1.09468 + 0.000066 * T) * t2 + 0.018203 * t3;
    double theta = (2004.3109 - 0.8533 * T - 0.000217 * T * T) * t - (0.42665 + 0.000217 * T) * t2 -
                   0.041833 * t3;
    zeta *= d / 3600;
    z *= d / 3600;
    theta *= d / 3600;
    alpha *= d;
    delta *= d;

    const double A = std::cos(delta) * std::sin(alpha + zeta);
    const double B = std::cos(theta) * std::cos(delta) * std::cos(alpha + zeta) -
                     std::sin(theta) * std::sin(delta);
    const double C = std::sin(theta) * std::cos(delta) * std::cos(alpha + zeta) +
                     std::cos(theta) * std::sin(delta);

    alpha2000 = (modgeneral::atn2(B, A) + z) / d;
    delta2000 = modgeneral::asin(C) / d;
    modgeneral::range(alpha2000);
}
