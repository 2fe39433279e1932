#include "modcorml.h"

#include <cmath>

#include "lunarsums.h"
#include "moddeltat.h"
#include "modeclequa.h"
#include "modecltopo.h"
#include "modgeneral.h"
#include "modobliquity.h"

namespace {

constexpr double kMeanDistance = 385000.56; // km

} // namespace

void corml(double piValue, double JD, double& alpha, double& delta, double& alphaT, double& deltaT,
           double& lambda, double& beta, double& lambdaT, double& betaT, double& parallax,
           double& s, double& sT)
{
    const double r = piValue / 180;
    double dT = 0;
    deltat(JD, dT);
    if (tdtmode == 1)
        dT = 0;
    const double JDE = JD + dT;
    const double tau = (JDE - 2451545.0) / 365250;
    const double T = 10 * tau;

    double dpsi = 0, deps = 0, eps = 0;
    obliquity(JD, dpsi, deps, eps);

    double Lp = 0, sumL = 0, sumB = 0, sumR = 0; // radians; 0.000001 degree, 0.001 km
    lunarSums(T, r, Lp, sumL, sumB, sumR);

    lambda = Lp * 180 / piValue + sumL / 1000000 + dpsi;
    beta = sumB / 1000000;
    const double distance = kMeanDistance + sumR / 1000; // km

    ecltopo(piValue, JD, eps, dpsi, lambda, beta, distance, lambdaT, betaT, s, sT, parallax, "M");
    eclequa(piValue, JD, eps, lambda, beta, alpha, delta);
    eclequa(piValue, JD, eps, lambdaT, betaT, alphaT, deltaT);
}
