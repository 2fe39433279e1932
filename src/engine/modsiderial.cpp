#include "modsiderial.h"

#include <cmath>

#include "meansiderealtime.h"
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
    theta = reduceSiderealAngle(meanSiderealTime(JD - dT) + dpsi * std::cos(eps));
}
