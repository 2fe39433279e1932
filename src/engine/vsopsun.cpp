#include "vsopsun.h"

#include <cmath>

#include "modeclequa.h"
#include "modecltopo.h"
#include "modgeneral.h"
#include "modobliquity.h"
#include "platform/fault.h"
#include "sunmeanlongitude.h"

namespace {

constexpr double kFk5Longitude = 0.000025;         // degrees (0.09")
constexpr double kFk5Latitude = 0.000010877777777; // degrees (0.03916")

} // namespace

void vsopSunFinish(double piValue, double JD, double tau, double geocentricL, double B,
                   double aberration, double R, double& alpha, double& delta, double& alphaT,
                   double& deltaT, double& lambda, double& beta, double& lambdaT, double& betaT,
                   double& E)
{
    const double d = piValue / 180;
    const double T = 10 * tau;
    const double lambda1 = geocentricL - 1.397 * T - 0.00031 * T * T;
    const double L = geocentricL - kFk5Longitude;
    B = B + kFk5Latitude * (std::cos(lambda1 * d) - std::sin(lambda1 * d));

    double dpsi = 0, deps = 0, eps = 0;
    obliquity(JD, dpsi, deps, eps);
    lambda = L + dpsi + aberration;
    modgeneral::range(lambda);
    beta = B;

    double s = 0, sT = 0, parallax = 0;
    ecltopo(piValue, JD, eps, dpsi, lambda, beta, R, lambdaT, betaT, s, sT, parallax, "S");
    eclequa(piValue, JD, eps, lambda, beta, alpha, delta);
    eclequa(piValue, JD, eps, lambdaT, betaT, alphaT, deltaT);
    E = equationOfTime(piValue, sunMeanLongitude(tau), alpha, dpsi, eps);
}

void requireSeries(bool loaded, const char* file)
{
    if (!loaded)
        platform::stopProgram(platform::FileFault(platform::FileFaultKind::Missing, file,
                                                  "The series has not been loaded."));
}
