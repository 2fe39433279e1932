#include "modcorsvl.h"

#include <cmath>

#include "moddeltat.h"
#include "modeclequa.h"
#include "modecltopo.h"
#include "modgeneral.h"
#include "modobliquity.h"
#include "sunmeanlongitude.h"

void corsvltopo(double lonObs, double lat, double piValue, double JD, double eps, double dpsi,
                double lambda, double beta, double R, double& lambdaT, double& betaT, double& s,
                double& sT, double& parallax, double& /*spare*/)
{
    ecltopoAtPlace(piValue, JD, eps, dpsi, lambda, beta, R, lonObs, lat, 0, true, lambdaT, betaT, s,
                   sT, parallax);
}

void corsvl(double lonObs, double lat, double JD, double& alpha, double& delta, double& alphaT,
            double& deltaT, double& lambda, double& beta, double& lambdaT, double& betaT, double& R,
            double& /*spare*/)
{
    const double p = storedPi();
    const double d = p / 180;
    double dT = 0;
    deltat(JD, dT); // always: the geocentric values do not follow tdtmode
    const double T = (JD + dT - 2451545.0) / 36525;
    const double tau = T / 10;

    const double L0 = sunMeanLongitude(tau);
    double trueLongitude = 0;
    sunTrueLongitude(T, L0, d, trueLongitude, R);
    double omega = 125.04452 - 1934.136261 * T;
    modgeneral::range(omega);
    lambda = trueLongitude - 0.00569 - 0.00478 * std::sin(omega * d);
    modgeneral::range(lambda);
    beta = 0;

    // Four-term nutation (Meeus 22, "accuracy of 0.5\""), arcseconds.
    // Not shortNutation: this tier takes the Sun's mean longitude of 28.2 and the range rule, as
    // its procedure gives them, where shortNutation takes 280.4665 + 36000.7698 T and truncation.
    double moonLongitude = 218.3165 + 481267.8813 * T;
    modgeneral::range(moonLongitude);
    const double L = L0;
    const double dpsi = (-17.20 * std::sin(omega * d) - 1.32 * std::sin(2 * L * d) -
                         0.23 * std::sin(2 * moonLongitude * d) + 0.21 * std::sin(2 * omega * d)) /
                        3600;
    const double deps = (9.20 * std::cos(omega * d) + 0.57 * std::cos(2 * L * d) +
                         0.10 * std::cos(2 * moonLongitude * d) - 0.09 * std::cos(2 * omega * d)) /
                        3600;
    const double eps = meanObliquity(T / 100) + deps;

    double s = 0, sT = 0, parallax = 0, spare = 0;
    corsvltopo(lonObs, lat, p, JD, eps, dpsi, lambda, beta, R, lambdaT, betaT, s, sT, parallax,
               spare);
    eclequa(p, JD, eps, lambda, beta, alpha, delta);
    eclequa(p, JD, eps, lambdaT, betaT, alphaT, deltaT);
}
