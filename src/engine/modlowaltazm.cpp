#include "modlowaltazm.h"

#include <cmath>

#include "modgeneral.h"
#include "modsiderial.h"

void lowaltazm(double JD, double alpha, double delta, double lambda, double phi, double& h,
               double& A)
{
    // The factors are taken before siderial and atn2 store `pi`.
    const double d = pi / 180;
    const double r = 180 / pi;
    double theta0 = 0;
    siderial(JD, theta0);

    double H = theta0 + lambda - alpha;
    modgeneral::range(H);
    const double Hr = H * d, phir = phi * d, deltar = delta * d;
    A = modgeneral::atn2(std::cos(Hr) * std::sin(phir) - std::cos(phir) * std::tan(deltar),
                         std::sin(Hr)) *
            r +
        180;
    modgeneral::range(A);
    h = modgeneral::asin(std::sin(phir) * std::sin(deltar) +
                         std::cos(phir) * std::cos(deltar) * std::cos(Hr)) *
        r;
}
