#include "modrefraction.h"

#include <cmath>

#include "modgeneral.h"

void refraction(double h, double& hrefr)
{
    pi = kPi15;
    const double d = pi / 180;
    const double x = h + 7.31 / (h + 4.4); // degrees
    hrefr = h + (1 / std::tan(x * d)) / 60;
}
