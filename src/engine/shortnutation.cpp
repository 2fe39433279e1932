#include "shortnutation.h"

#include <cmath>

#include "modgeneral.h"
#include "modobliquity.h"

// corsvl keeps a four-term sum of its own on purpose: another mean longitude and reduction.
void shortNutation(double tau, double r, double& dEpsilon, double& dPsi, double& epsilon)
{
    const double T = 10 * tau;
    const double omega = reduceTruncating(125.04452 - 1934.136261 * T) * r; // the Moon's node
    const double L = reduceTruncating(280.4665 + 36000.7698 * T) * r;   // the Sun's mean longitude
    const double Lp = reduceTruncating(218.3165 + 481267.8813 * T) * r; // the Moon's mean longitude

    // Coefficients in arcseconds.
    dPsi = (-17.2 * std::sin(omega) - 1.32 * std::sin(2 * L) - 0.23 * std::sin(2 * Lp) +
            0.21 * std::sin(2 * omega)) /
           3600;
    dEpsilon = (9.2 * std::cos(omega) + 0.57 * std::cos(2 * L) + 0.1 * std::cos(2 * Lp) -
                0.09 * std::cos(2 * omega)) /
               3600;

    const double U = tau / 10; // units of 10000 Julian years
    epsilon = meanObliquity(U) + dEpsilon;
}
