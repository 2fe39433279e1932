#include "modcorsh.h"

#include <cmath>

#include "moddabb.h"
#include "moddeltat.h"
#include "modgeneral.h"
#include "vsopsun.h"

namespace {

constexpr double kAberrationConstant = -0.005775518; // degrees per AU per (degree a day)

// Sum of A cos(B + C tau) over rows first..last of termfull (A in rad or AU).
double series(int first, int last, double tau)
{
    double s = 0;
    for (int i = first; i <= last; ++i)
        s += termfull[i][1] * std::cos(termfull[i][2] + termfull[i][3] * tau);
    return s;
}

} // namespace

void corsh(double piValue, double JD, double& alpha, double& delta, double& alphaT, double& deltaT,
           double& lambda, double& beta, double& lambdaT, double& betaT, double& R, double& E)
{
    double dT = 0;
    deltat(JD, dT);
    if (tdtmode == 1)
        dT = 0;
    const double tau = (JD + dT - 2451545.0) / 365250;
    requireSeries(seriesLoaded.termfull, "termfull.zvd");

    // The VSOP87D Earth series in the file's order, rows per series.
    const double L0 = series(1, 559, tau), L1 = series(560, 900, tau), L2 = series(901, 1042, tau),
                 L3 = series(1043, 1064, tau), L4 = series(1065, 1075, tau),
                 L5 = series(1076, 1080, tau);
    const double B0 = series(1081, 1264, tau), B1 = series(1265, 1363, tau),
                 B2 = series(1364, 1412, tau), B3 = series(1413, 1423, tau),
                 B4 = series(1424, 1428, tau);
    const double R0 = series(1429, 1954, tau), R1 = series(1955, 2246, tau),
                 R2 = series(2247, 2385, tau), R3 = series(2386, 2412, tau),
                 R4 = series(2413, 2422, tau), R5 = series(2423, 2425, tau);

    const double L = L0 + tau * (L1 + tau * (L2 + tau * (L3 + tau * (L4 + tau * L5))));
    const double B = B0 + tau * (B1 + tau * (B2 + tau * (B3 + tau * B4)));
    R = R0 + tau * (R1 + tau * (R2 + tau * (R3 + tau * (R4 + tau * R5))));

    double geocentricL = L * 180 / piValue + 180;
    modgeneral::range(geocentricL);
    double dlambda = 0;
    dabb(tau, dlambda);
    vsopSunFinish(piValue, JD, tau, geocentricL, -(B * 180 / piValue),
                  kAberrationConstant * R * dlambda, R, alpha, delta, alphaT, deltaT, lambda, beta,
                  lambdaT, betaT, E);
}
