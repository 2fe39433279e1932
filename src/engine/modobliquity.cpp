#include "modobliquity.h"

#include <cmath>

#include "moddeltat.h"
#include "modgeneral.h"

namespace {

constexpr int kNutationRows = 63;
constexpr double kTenThousandthArcsecPerDegree = 36000000;
constexpr double kArcsecPerDegree = 3600;

// The largest multiple of a fundamental argument that the table of powers
// below covers; the published series needs 4 at most.
constexpr int kMaxMultiple = 8;

// cos and sin of k*x for k = 0 .. kMaxMultiple, by repeated rotation: the
// 63 terms then need no sine or cosine of their own, which makes the
// nutation several times faster. It sits in the inner loop of every position.
struct Powers {
    double c[kMaxMultiple + 1];
    double s[kMaxMultiple + 1];

    explicit Powers(double x)
    {
        c[0] = 1;
        s[0] = 0;
        c[1] = std::cos(x);
        s[1] = std::sin(x);
        for (int k = 2; k <= kMaxMultiple; ++k) {
            c[k] = c[k - 1] * c[1] - s[k - 1] * s[1];
            s[k] = s[k - 1] * c[1] + c[k - 1] * s[1];
        }
    }

    // Multiplies (re, im) by exp(i m x); false when m is not a whole number
    // within the table.
    bool rotate(double m, double& re, double& im) const
    {
        const int k = static_cast<int>(m);
        if (k != m || k > kMaxMultiple || k < -kMaxMultiple)
            return false;
        const double ck = c[k < 0 ? -k : k];
        const double sk = k < 0 ? -s[-k] : s[k];
        const double r = re * ck - im * sk;
        im = im * ck + re * sk;
        re = r;
        return true;
    }
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

    const Powers pD(D), pM(M), pMp(Mp), pF(F), pOm(Om);
    double sumPsi = 0;
    double sumEps = 0;
    for (int i = 1; i <= kNutationRows; ++i) {
        const double* c = mterm[i];
        // exp(i a) for a = D c2 + M c3 + M' c4 + F c5 + Omega c6.
        double cosA = 1;
        double sinA = 0;
        if (!(pD.rotate(c[2], cosA, sinA) && pM.rotate(c[3], cosA, sinA) &&
              pMp.rotate(c[4], cosA, sinA) && pF.rotate(c[5], cosA, sinA) &&
              pOm.rotate(c[6], cosA, sinA))) {
            const double a = D * c[2] + M * c[3] + Mp * c[4] + F * c[5] + Om * c[6];
            cosA = std::cos(a);
            sinA = std::sin(a);
        }
        sumPsi += sinA * (c[7] + c[8] * T);
        sumEps += cosA * (c[9] + c[10] * T);
    }
    dpsi = sumPsi / kTenThousandthArcsecPerDegree;
    deps = sumEps / kTenThousandthArcsecPerDegree;

    eps = meanObliquity(U) + deps;
}
