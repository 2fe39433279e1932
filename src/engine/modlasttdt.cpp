#include "modlasttdt.h"

#include <cmath>

#include "moddeltat.h"
#include "modgeneral.h"

void lasttdt(double JD, double lon, double eps, double dpsi, double& theta)
{
    double dT = 0;
    deltat(JD, dT);
    if (tdtmode != 1)
        dT = 0;
    const double J = JD - dT;
    const double T = (J - 2451545) / 36525;
    const double theta0 =
        280.46061837 + 360.98564736629 * (J - 2451545) + 0.000387933 * T * T - T * T * T / 38710000;
    theta = lon + theta0 + dpsi * std::cos(eps);
    modgeneral::range(theta);
}
