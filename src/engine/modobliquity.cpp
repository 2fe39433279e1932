#include "modobliquity.h"

#include <cmath>

#include "moddeltat.h"
#include "modgeneral.h"
#include "multipleangles.h"

namespace {

constexpr int kNutationRows = 63;
constexpr double kTenThousandthArcsecPerDegree = 36000000;
constexpr double kArcsecPerDegree = 3600;

constexpr int kArguments = 5; // D, M, M', F, Omega
constexpr int kColumns = 11;
using NutationRows = DecodedMultiples<kNutationRows, kArguments, kColumns>;

// The last result: within one step of the event finder the position, the
// altitude and the hour angle each ask for the nutation of the same instant.
struct LastNutation {
    bool valid = false;
    double JD = 0, tdt = 0;
    double dpsi = 0, deps = 0, eps = 0;
};

} // namespace

double meanObliquity(double U)
{
    const double eps0 =
        84381.448 +
        U * (-4680.93 +
             U * (-1.55 +
                  U * (1999.25 +
                       U * (-51.38 +
                            U * (-249.67 +
                                 U * (-39.05 +
                                      U * (7.12 + U * (27.87 + U * (5.79 + U * 2.45)))))))));
    return eps0 / kArcsecPerDegree;
}

void obliquity(double JD, double& dpsi, double& deps, double& eps)
{
    pi = kPi15;
    static NutationRows series;
    static LastNutation last;
    const bool changed = series.update(&mterm[1]);
    if (!changed && last.valid && last.JD == JD && last.tdt == tdtmode) {
        dpsi = last.dpsi;
        deps = last.deps;
        eps = last.eps;
        return;
    }

    const double dtr = pi / 180;
    double dT = 0;
    deltat(JD, dT);
    if (tdtmode == 1)
        dT = 0;
    const double tau = (JD + dT - 2451545.0) / 365250;
    const double T = 10 * tau;
    const double U = tau / 10;

    const double D =
        reduceTruncating(297.85036 + 445267.11148 * T - 0.0019142 * T * T + T * T * T / 189474) *
        dtr;
    const double M =
        reduceTruncating(357.52772 + 35999.05034 * T - 0.0001603 * T * T - T * T * T / 300000) *
        dtr;
    const double Mp =
        reduceTruncating(134.96298 + 477198.867398 * T + 0.0086972 * T * T + T * T * T / 56250) *
        dtr;
    const double F =
        reduceTruncating(93.27191 + 483202.017538 * T - 0.0036825 * T * T + T * T * T / 327270) *
        dtr;
    const double Om =
        reduceTruncating(125.04452 - 1934.136261 * T + 0.0020708 * T * T + T * T * T / 450000) *
        dtr;

    const MultipleAngles multiples[kArguments] = {MultipleAngles(D), MultipleAngles(M),
                                                  MultipleAngles(Mp), MultipleAngles(F),
                                                  MultipleAngles(Om)};
    double cosA[kNutationRows], sinA[kNutationRows];
    series.rotations(multiples, cosA, sinA);
    double sumPsi = 0;
    double sumEps = 0;
    for (int i = 1; i <= kNutationRows; ++i) {
        const double* c = mterm[i];
        // exp(i a) for a = D c2 + M c3 + M' c4 + F c5 + Omega c6.
        if (!series.whole(i - 1)) {
            const double a = D * c[2] + M * c[3] + Mp * c[4] + F * c[5] + Om * c[6];
            cosA[i - 1] = std::cos(a);
            sinA[i - 1] = std::sin(a);
        }
        sumPsi += sinA[i - 1] * (c[7] + c[8] * T);
        sumEps += cosA[i - 1] * (c[9] + c[10] * T);
    }
    dpsi = sumPsi / kTenThousandthArcsecPerDegree;
    deps = sumEps / kTenThousandthArcsecPerDegree;

    eps = meanObliquity(U) + deps;
    last = {true, JD, tdtmode, dpsi, deps, eps};
}
