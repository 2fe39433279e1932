#include "modsiderial.h"

#include <cmath>

#include "moddeltat.h"
#include "modgeneral.h"
#include "modobliquity.h"

void siderial(double JD, double& theta)
{
    double dpsi = 0, deps = 0, eps = 0;
    obliquity(JD, dpsi, deps, eps);
    pi = kPi15;
    eps = pi * eps / 180;
    double dT = 0;
    deltat(JD, dT);
    if (tdtmode != 1)
        dT = 0;
    const double J = JD - dT;
    const double T = (J - 2451545) / 36525;
    const double theta0 =
        280.46061837 + 360.98564736629 * (J - 2451545) + 0.000387933 * T * T - T * T * T / 38710000;
    theta = theta0 + dpsi * std::cos(eps);
    if (theta >= 360)
        theta = 360 * (theta / 360 - std::floor(theta / 360));
    if (theta < 0)
        theta = std::fabs(360 * (std::floor(theta / 360) - theta / 360));
}
