#include "modcorml.h"

#include <cmath>

#include "moddeltat.h"
#include "modeclequa.h"
#include "modecltopo.h"
#include "modgeneral.h"
#include "modobliquity.h"

namespace {

constexpr int kFirstLongitudeRow = 64; // Table 47.A: longitude and distance
constexpr int kFirstLatitudeRow = 124; // Table 47.B: latitude
constexpr int kRowsPerTable = 60;
constexpr double kMeanDistance = 385000.56; // km

// Into 0..360 by the truncating rule; exactly 360 stays 360.
double reduce(double x)
{
    const double q = x / 360 - std::trunc(x / 360);
    if (x < 0)
        return 360 * q + 360;
    if (x > 360)
        return 360 * q;
    return x;
}

// The eccentricity factor of a term by its multiple of M.
double eccentricityFactor(double multipleOfM, double E)
{
    const double m = std::fabs(multipleOfM);
    if (m == 1)
        return E;
    if (m == 2)
        return E * E;
    return 1;
}

} // namespace

void corml(double pi, double JD, double& alpha, double& delta, double& alphaT, double& deltaT,
           double& lambda, double& beta, double& lambdaT, double& betaT, double& parallax,
           double& s, double& sT)
{
    const double r = pi / 180;
    double dT = 0;
    deltat(JD, dT);
    if (tdtmode == 1)
        dT = 0;
    const double JDE = JD + dT;
    const double tau = (JDE - 2451545.0) / 365250;
    const double T = 10 * tau;
    const double T2 = T * T, T3 = T2 * T, T4 = T3 * T;

    double dpsi = 0, deps = 0, eps = 0;
    obliquity(JD, dpsi, deps, eps);

    // Mean elements, degrees.
    const double Lp =
        reduce(218.3164591 + 481267.88134236 * T - 0.0013268 * T2 + T3 / 538841 - T4 / 65194000) *
        r;
    const double D =
        reduce(297.8502042 + 445267.1115168 * T - 0.00163 * T2 + T3 / 545868 - T4 / 113065000) * r;
    const double M = reduce(357.5291092 + 35999.0502909 * T - 0.0001536 * T2 + T3 / 24490000) * r;
    const double Mp =
        reduce(134.9634114 + 477198.8676313 * T + 0.008997 * T2 + T3 / 69699 - T4 / 14712000) * r;
    const double F =
        reduce(93.2720993 + 483202.0175273 * T - 0.0034029 * T2 - T3 / 3526000 + T4 / 863310000) *
        r;
    const double A1 = reduce(119.75 + 131.849 * T) * r;
    const double A2 = reduce(53.09 + 479264.29 * T) * r;
    const double A3 = reduce(313.45 + 481266.484 * T) * r;
    const double E = 1 - 0.002516 * T - 0.0000074 * T2;

    double sumL = 0, sumR = 0,
           sumB = 0; // 0.000001 degree, 0.001 km, 0.000001 degree
    for (int i = kFirstLongitudeRow; i < kFirstLongitudeRow + kRowsPerTable; ++i) {
        const double* c = mterm[i];
        const double arg = c[2] * D + c[3] * M + c[4] * Mp + c[5] * F;
        const double e = eccentricityFactor(c[3], E);
        sumL += c[6] * std::sin(arg) * e;
        sumR += c[7] * std::cos(arg) * e;
    }
    for (int i = kFirstLatitudeRow; i < kFirstLatitudeRow + kRowsPerTable; ++i) {
        const double* c = mterm[i];
        const double arg = c[2] * D + c[3] * M + c[4] * Mp + c[5] * F;
        sumB += c[6] * std::sin(arg) * eccentricityFactor(c[3], E);
    }
    // Venus, Jupiter and the flattening of the Earth.
    sumL += 3958 * std::sin(A1) + 1962 * std::sin(Lp - F) + 318 * std::sin(A2);
    sumB += -2235 * std::sin(Lp) + 382 * std::sin(A3) + 175 * std::sin(A1 - F) +
            175 * std::sin(A1 + F) + 127 * std::sin(Lp - Mp) - 115 * std::sin(Lp + Mp);

    lambda = Lp * 180 / pi + sumL / 1000000 + dpsi;
    beta = sumB / 1000000;
    const double distance = kMeanDistance + sumR / 1000; // km

    ecltopo(pi, JD, eps, dpsi, lambda, beta, distance, lambdaT, betaT, s, sT, parallax, "M");
    eclequa(pi, JD, eps, lambda, beta, alpha, delta);
    eclequa(pi, JD, eps, lambdaT, betaT, alphaT, deltaT);
}
