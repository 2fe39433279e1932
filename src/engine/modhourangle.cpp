#include "modhourangle.h"

#include <cmath>

#include "modgeneral.h"

void hourangle(double phi, double delta, double A, double& H1, std::int16_t& f1, double& H2,
               std::int16_t& f2)
{
    const double p = kPi15;
    const double d = p / 180;
    f1 = 0;
    f2 = 0;
    modgeneral::rangeh(phi);
    modgeneral::rangeh(A);
    modgeneral::rangeh(delta);
    phi *= d;
    A *= d;
    delta *= d;

    const double a = std::sin(phi) * std::sin(A);
    const double c = std::cos(phi) * std::sin(A) * std::sin(delta);
    const double R = std::cos(delta) * std::sqrt(a * a + std::cos(A) * std::cos(A));

    // R = 0 (a body through the zenith, or at the equator the prime vertical
    // that the body follows all morning) leaves the azimuth undefined: no single
    // hour angle answers it. With the fifteen-digit pi, cos 90 degrees is about
    // 2e-15, not 0, so R is compared with a small bound.
    constexpr double kNoAzimuth = 1e-12;
    if (R > kNoAzimuth && std::fabs(c) <= R) {
        const double s = modgeneral::asin(c / R);
        const double theta = modgeneral::atn2(-std::cos(A), a);
        double h1 = s - theta;
        double h2 = -s - p - theta;
        H1 = modgeneral::rangepi(h1);
        H2 = modgeneral::rangepi(h2);
        if (A * H1 > 0)
            f1 = -1;
        if (A * H2 > 0)
            f2 = -1;
        H1 = H1 / d;
        H2 = H2 / d;
    } else {
        f1 = -1;
        f2 = -1;
    }
}
