#include "modlasttdt.h"

#include <cmath>

#include "meansiderealtime.h"
#include "moddeltat.h"
#include "modgeneral.h"

void lasttdt(double JD, double lon, double eps, double dpsi, double& theta)
{
    double dT = 0;
    deltat(JD, dT);
    if (tdtmode != 1)
        dT = 0;
    theta = lon + meanSiderealTime(JD - dT) + dpsi * std::cos(eps);
    modgeneral::range(theta);
}
