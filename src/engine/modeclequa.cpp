#include "modeclequa.h"

#include <cmath>

#include "modgeneral.h"

namespace {

double dtr = 0; // degree-radian factor of the latest call

} // namespace

void eclequa(double piValue, double /*JD*/, double eps, double lambda, double beta, double& alpha,
             double& delta)
{
    dtr = piValue / 180;
    const double e = eps * dtr;
    const double l = lambda * dtr;
    const double b = beta * dtr;
    alpha =
        modgeneral::atn2(std::cos(l), std::sin(l) * std::cos(e) - std::tan(b) * std::sin(e)) / dtr;
    modgeneral::range(alpha);
    delta =
        modgeneral::asin(std::sin(b) * std::cos(e) + std::cos(b) * std::sin(e) * std::sin(l)) / dtr;
}
