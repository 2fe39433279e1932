#include "sunmeanlongitude.h"

#include <cmath>

#include "modgeneral.h"

double sunMeanLongitude(double tau)
{
    double L0 = 280.4664567 + 360007.6982779 * tau + 0.03032028 * tau * tau +
                tau * tau * tau / 49931 - tau * tau * tau * tau / 15299 -
                tau * tau * tau * tau * tau / 1988000;
    return modgeneral::range(L0);
}

double equationOfTime(double pi, double L0, double alpha, double dpsi, double eps)
{
    constexpr double kMinutesPerDegree = 4;
    double E = L0 - 0.0057183 - alpha + dpsi * std::cos(eps * pi / 180);
    while (E <= -6)
        E += 360;
    while (E >= 6)
        E -= 360;
    return kMinutesPerDegree * E;
}
