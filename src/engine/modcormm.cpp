#include "modcormm.h"

#include <cmath>

#include "moddeltat.h"
#include "modeclequa.h"
#include "modecltopo.h"
#include "modgeneral.h"
#include "modobliquity.h"

namespace {

// A main-term table: A sin(arg) or A cos(arg), arg = a0 + a1 t + a2 1e-4 t^2
// + a3 1e-6 t^3 + a4 1e-8 t^4 degrees. Columns 1 A, 2..6 a0..a4.
double mainSum(const double (*table)[7], int rows, double t, double r, bool cosine)
{
    const double t2 = t * t, t3 = t2 * t, t4 = t3 * t;
    double sum = 0;
    for (int i = 1; i <= rows; ++i) {
        const double* c = table[i];
        const double arg =
            (c[2] + c[3] * t + c[4] * 0.0001 * t2 + c[5] * 0.000001 * t3 + c[6] * 0.00000001 * t4) *
            r;
        sum += c[1] * (cosine ? std::cos(arg) : std::sin(arg));
    }
    return sum;
}

// A Poisson table: A sin(phase + rate t) or A cos(...). Columns 1 A, 2 phase,
// 3 rate (degrees per century).
double poissonSum(const double (*table)[4], int rows, double t, double r, bool cosine)
{
    double sum = 0;
    for (int i = 1; i <= rows; ++i) {
        const double* c = table[i];
        const double arg = (c[2] + c[3] * t) * r;
        sum += c[1] * (cosine ? std::cos(arg) : std::sin(arg));
    }
    return sum;
}

constexpr double kMeanDistance = 385000.57; // km

} // namespace

void cormm(double piValue, double JD, double& alpha, double& delta, double& alphaT, double& deltaT,
           double& lambda, double& beta, double& lambdaT, double& betaT, double& parallax,
           double& s, double& sT, double& distance)
{
    const double r = piValue / 180;
    double dT = 0;
    deltat(JD, dT);
    if (tdtmode == 1)
        dT = 0;
    const double t = (JD + dT - 2451545.0) / 36525; // Julian centuries of TT
    const double t2 = t * t, t3 = t2 * t, t4 = t3 * t;

    // The row counts of the truncated series; rows the loader left empty count 0.
    const double S1 = mainSum(elpv0, 218, t, r, false);
    const double S2 = poissonSum(elpv1, 244, t, r, false);
    const double S3 = poissonSum(elpv2, 154, t, r, false);
    const double S4 = poissonSum(elpv3, 25, t, r, false);
    const double S5 = mainSum(elpu0, 188, t, r, false);
    const double S6 = poissonSum(elpu1, 64, t, r, false);
    const double S7 = poissonSum(elpu2, 64, t, r, false);
    const double S8 = poissonSum(elpu3, 12, t, r, false);
    const double S9 = mainSum(elpr0, 154, t, r, true);
    const double S10 = poissonSum(elpr1, 114, t, r, true);
    const double S11 = poissonSum(elpr2, 68, t, r, true);
    const double S12 = poissonSum(elpr3, 19, t, r, true);

    // The longitude and latitude Poisson series are in 0.001 degree; the
    // distance series are in km throughout.
    double V = 218.31665 + 481267.88134 * t - 13.268 * 0.0001 * t2 + 1.8561 * 0.000001 * t3 -
               1.534 * 0.00000001 * t4 + S1 + 0.001 * (S2 + t * S3 + 0.0001 * t2 * S4);
    modgeneral::range(V);
    double U = S5 + 0.001 * (S6 + t * S7 + 0.0001 * t2 * S8);
    double R = kMeanDistance + S9 + S10 + t * S11 + 0.0001 * t2 * S12;

    // The small corrections of the published tables.
    V += -0.00019524 - 0.00001059 * std::sin((225 + 477198.9 * t) * r);
    U += -0.00001754 * std::sin((183.3 + 483202 * t) * r);
    R += 0.0708 * std::cos((225 + 477198.9 * t) * r);

    double dpsi = 0, deps = 0, eps = 0;
    obliquity(JD, dpsi, deps, eps);
    lambda = V + dpsi;
    beta = U;
    distance = R;

    ecltopo(piValue, JD, eps, dpsi, lambda, beta, distance, lambdaT, betaT, s, sT, parallax, "M");
    eclequa(piValue, JD, eps, lambda, beta, alpha, delta);
    eclequa(piValue, JD, eps, lambdaT, betaT, alphaT, deltaT);
}
