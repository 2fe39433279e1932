#include "modcormvl.h"

#include <cmath>

#include "lunarsums.h"
#include "moddeltat.h"
#include "modearthglobe.h"
#include "modeclequa.h"
#include "modgeneral.h"
#include "modlasttdt.h"
#include "shortnutation.h"

namespace {

constexpr double kJ2000 = 2451545.0;
constexpr double kDaysPerMillennium = 365250;
constexpr double kEarthRadiusKm = 6378.137;    // equatorial radius
constexpr double kMoonRadiusRatio = 0.2725076; // Moon's radius in Earth radii

// Julian millennia of the instant, Delta T added unless `tdtmode` says the
// instant is TT already.
double millennia(double JD)
{
    double dT = 0;
    deltat(JD, dT);
    if (tdtmode == 1)
        dT = 0;
    return (JD + dT - kJ2000) / kDaysPerMillennium;
}

} // namespace

void cormvl(double longitude, double latitude, double JD, double& alpha, double& delta,
            double& alphaP, double& deltaP, double& lambda, double& beta, double& lambdaP,
            double& betaP, double& parallax, double& s, double& sP, double& distance)
{
    const double p = storedPi();
    const double r = p / 180;
    const double T = 10 * millennia(JD);
    double dEpsilon = 0, dPsi = 0, epsilon = 0;
    cormvlnut(JD, dEpsilon, dPsi, epsilon);

    double Lp = 0, sumL = 0, sumB = 0, sumR = 0;
    lunarSums(T, r, Lp, sumL, sumB, sumR);

    lambda = Lp * 180 / p + sumL / 1000000 + dPsi;
    beta = sumB / 1000000;
    distance = 385000.56 + sumR / 1000;

    cormvltopo(longitude, latitude, p, JD, epsilon, dPsi, lambda, beta, distance, lambdaP, betaP, s,
               sP, parallax, "M");
    eclequa(p, JD, epsilon, lambda, beta, alpha, delta);
    eclequa(p, JD, epsilon, lambdaP, betaP, alphaP, deltaP);
}

void cormvlnut(double JD, double& dEpsilon, double& dPsi, double& epsilon)
{
    shortNutation(millennia(JD), storedPi() / 180, dEpsilon, dPsi, epsilon);
}

void cormvltopo(double longitude, double latitude, double piValue, double JD, double epsilon,
                double dPsi, double lambda, double beta, double distance, double& lambdaP,
                double& betaP, double& s, double& sP, double& parallax, const std::string&)
{
    const double r = piValue / 180;
    double theta = 0;
    lasttdt(JD, longitude, epsilon * r, dPsi, theta);

    parallax = modgeneral::asin(kEarthRadiusKm / distance) / r;
    s = modgeneral::asin(kMoonRadiusRatio * kEarthRadiusKm / distance) / r;

    double S = 0, C = 0; // rho sin phi', rho cos phi'
    earthglobe(latitude, 0, S, C);

    const double l = lambda * r, b = beta * r, p = parallax * r, th = theta * r, e = epsilon * r;
    const double N = std::cos(l) * std::cos(b) - C * std::sin(p) * std::cos(th);
    double lt =
        modgeneral::atn2(N, std::sin(l) * std::cos(b) -
                                std::sin(p) * (S * std::sin(e) + C * std::cos(e) * std::sin(th)));
    const double bt = std::atan(
        std::cos(lt) *
        (std::sin(b) - std::sin(p) * (S * std::cos(e) - C * std::sin(e) * std::sin(th))) / N);
    const double st = modgeneral::asin(std::cos(lt) * std::cos(bt) * std::sin(s * r) / N);

    lambdaP = lt / r;
    modgeneral::range(lambdaP);
    betaP = bt / r;
    sP = st / r;
}
