#include "modcorsm.h"

#include <cmath>

#include "moddeltat.h"
#include "modgeneral.h"
#include "vsopsun.h"

namespace {

constexpr double kAberrationAt1AU = -0.0056916111; // degrees (20.4898")
constexpr double kStoredUnit = 1e8;                // A of L0, B0, R0 in 1e-8

// Sum of A cos(B + C tau) over rows first..last of term, scaled to 1e-8 units.
double series(int first, int last, double scale, double tau)
{
    double s = 0;
    for (int i = first; i <= last; ++i)
        s += term[i][2] * std::cos(term[i][3] + term[i][4] * tau);
    return s * scale;
}

} // namespace

void corsm(double piValue, double JD, double& alpha, double& delta, double& alphaT, double& deltaT,
           double& lambda, double& beta, double& lambdaT, double& betaT, double& R, double& E)
{
    double dT = 0;
    deltat(JD, dT);
    if (tdtmode == 1)
        dT = 0;
    const double tau = (JD + dT - 2451545.0) / 365250;
    requireSeries(seriesLoaded.term, "term.zvd");

    // Rows per series; L1, L2, B1, R1, R2 are held in 1e-9 and L3..L5, R3, R4
    // in 1e-11, hence the scales 1/10 and 1/1000.
    const double L0 = series(1, 78, 1, tau), L1 = series(79, 117, 0.1, tau),
                 L2 = series(118, 144, 0.1, tau), L3 = series(145, 152, 0.001, tau),
                 L4 = series(153, 156, 0.001, tau), L5 = series(157, 160, 0.001, tau);
    const double B0 = series(161, 167, 1, tau), B1 = series(168, 170, 0.1, tau);
    const double R0 = series(171, 220, 1, tau), R1 = series(221, 234, 0.1, tau),
                 R2 = series(235, 242, 0.1, tau), R3 = series(243, 244, 0.001, tau),
                 R4 = series(245, 248, 0.001, tau);

    const double L =
        (L0 + tau * (L1 + tau * (L2 + tau * (L3 + tau * (L4 + tau * L5))))) / kStoredUnit;
    const double B = (B0 + tau * B1) / kStoredUnit;
    R = (R0 + tau * (R1 + tau * (R2 + tau * (R3 + tau * R4)))) / kStoredUnit;

    const double geocentricL = reduceTruncating(L * 180 / piValue + 180);
    vsopSunFinish(piValue, JD, tau, geocentricL, -(B * 180 / piValue), kAberrationAt1AU / R, R,
                  alpha, delta, alphaT, deltaT, lambda, beta, lambdaT, betaT, E);
}
