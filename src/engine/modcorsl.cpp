#include "modcorsl.h"

#include <cmath>

#include "moddeltat.h"
#include "modeclequa.h"
#include "modecltopo.h"
#include "modgeneral.h"
#include "modobliquity.h"
#include "sunmeanlongitude.h"

void corsl(double pi, double JD, double& alpha, double& delta, double& alphaT, double& deltaT,
           double& lambda, double& beta, double& lambdaT, double& betaT, double& R, double& E)
{
    const double d = pi / 180;
    double dT = 0;
    deltat(JD, dT);
    if (tdtmode == 1)
        dT = 0;
    const double T = (JD + dT - 2451545.0) / 36525;
    const double tau = T / 10;

    const double L0 = sunMeanLongitude(tau);
    double M = 357.5291 + 35999.0503 * T - 0.0001559 * T * T - 0.00000048 * T * T * T;
    modgeneral::range(M);
    const double e = 0.016708617 - 0.000042037 * T - 0.0000001236 * T * T;
    const double C = (1.9146 - 0.004817 * T - 0.000014 * T * T) * std::sin(M * d) +
                     (0.019993 - 0.000101 * T) * std::sin(2 * M * d) +
                     0.00029 * std::sin(3 * M * d);
    double trueLongitude = L0 + C;
    modgeneral::range(trueLongitude);
    double nu = M + C;
    modgeneral::range(nu);
    R = 1.000001018 * (1 - e * e) / (1 + e * std::cos(nu * d));
    double omega = 125.04 - 1934.136 * T;
    modgeneral::range(omega);
    lambda = trueLongitude - 0.00569 - 0.00478 * std::sin(omega * d);
    modgeneral::range(lambda);
    beta = 0;

    double dpsi = 0, deps = 0, eps = 0;
    obliquity(JD, dpsi, deps, eps);
    double s = 0, sT = 0, parallax = 0;
    ecltopo(pi, JD, eps, dpsi, lambda, beta, R, lambdaT, betaT, s, sT, parallax, "S");
    eclequa(pi, JD, eps, lambda, beta, alpha, delta);
    eclequa(pi, JD, eps, lambdaT, betaT, alphaT, deltaT);
    E = equationOfTime(pi, L0, alpha, dpsi, eps);
}
