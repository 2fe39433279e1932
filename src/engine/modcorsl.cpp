#include "modcorsl.h"

#include <cmath>

#include "moddeltat.h"
#include "modeclequa.h"
#include "modecltopo.h"
#include "modgeneral.h"
#include "modobliquity.h"
#include "sunmeanlongitude.h"

void corsl(double piValue, double JD, double& alpha, double& delta, double& alphaT, double& deltaT,
           double& lambda, double& beta, double& lambdaT, double& betaT, double& R, double& E)
{
    const double d = piValue / 180;
    double dT = 0;
    deltat(JD, dT);
    if (tdtmode == 1)
        dT = 0;
    const double T = (JD + dT - 2451545.0) / 36525;
    const double tau = T / 10;

    const double L0 = sunMeanLongitude(tau);
    double trueLongitude = 0;
    sunTrueLongitude(T, L0, d, trueLongitude, R);
    double omega = 125.04 - 1934.136 * T;
    modgeneral::range(omega);
    lambda = trueLongitude - 0.00569 - 0.00478 * std::sin(omega * d);
    modgeneral::range(lambda);
    beta = 0;

    double dpsi = 0, deps = 0, eps = 0;
    obliquity(JD, dpsi, deps, eps);
    double s = 0, sT = 0, parallax = 0;
    ecltopo(piValue, JD, eps, dpsi, lambda, beta, R, lambdaT, betaT, s, sT, parallax, "S");
    eclequa(piValue, JD, eps, lambda, beta, alpha, delta);
    eclequa(piValue, JD, eps, lambdaT, betaT, alphaT, deltaT);
    E = equationOfTime(piValue, L0, alpha, dpsi, eps);
}
