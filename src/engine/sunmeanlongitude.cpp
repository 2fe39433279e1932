#include "sunmeanlongitude.h"

#include <cmath>

#include "modgeneral.h"
#include "turns.h"

double sunMeanLongitude(double tau)
{
    double L0 = 280.4664567 + 360007.6982779 * tau + 0.03032028 * tau * tau +
                tau * tau * tau / 49931 - tau * tau * tau * tau / 15299 -
                tau * tau * tau * tau * tau / 1988000;
    return modgeneral::range(L0);
}

void sunTrueLongitude(double T, double L0, double d, double& trueLongitude, double& R)
{
    double M = 357.5291 + 35999.0503 * T - 0.0001559 * T * T - 0.00000048 * T * T * T;
    modgeneral::range(M);
    const double e = 0.016708617 - 0.000042037 * T - 0.0000001236 * T * T;
    const double C = (1.9146 - 0.004817 * T - 0.000014 * T * T) * std::sin(M * d) +
                     (0.019993 - 0.000101 * T) * std::sin(2 * M * d) +
                     0.00029 * std::sin(3 * M * d);
    trueLongitude = L0 + C;
    modgeneral::range(trueLongitude);
    double nu = M + C;
    modgeneral::range(nu);
    R = 1.000001018 * (1 - e * e) / (1 + e * std::cos(nu * d));
}

double equationOfTime(double piValue, double L0, double alpha, double dpsi, double eps)
{
    constexpr double kMinutesPerDegree = 4;
    double E = foldTurns(L0 - 0.0057183 - alpha + dpsi * std::cos(eps * piValue / 180), 360);
    while (E <= -6)
        E += 360;
    while (E >= 6)
        E -= 360;
    return kMinutesPerDegree * E;
}
