#include "modecltopo.h"

#include <cmath>

#include "meridian.h"
#include "modearthglobe.h"
#include "modgeneral.h"
#include "modlasttdt.h"
#include "settings/liveread.h"

namespace {

constexpr double kSunParallaxAt1AU = 0.00244277777778; // degrees (8.794")
constexpr double kSunSemidiameterAt1AU = 0.266563889;  // degrees (959.63")
constexpr double kEarthRadiusKm = 6378.137;
constexpr double kMoonRadiusRatio = 0.2725076; // Moon's radius / Earth's

} // namespace

void ecltopoAtPlace(double piValue, double JD, double eps, double dpsi, double lambda, double beta,
                    double delta, double lon, double lat, double height, bool sun, double& lambdaT,
                    double& betaT, double& s, double& sT, double& parallax)
{
    const double dtr = piValue / 180;
    double theta = 0;
    lasttdt(JD, lon, eps * dtr, dpsi, theta);
    if (sun) {
        parallax = kSunParallaxAt1AU / delta;
        s = kSunSemidiameterAt1AU / delta;
    } else {
        parallax = modgeneral::asin(kEarthRadiusKm / delta) / dtr;
        s = modgeneral::asin(kMoonRadiusRatio * kEarthRadiusKm / delta) / dtr;
    }
    double rhoSin = 0, rhoCos = 0;
    earthglobe(lat, height, rhoSin, rhoCos);

    const double l = lambda * dtr, b = beta * dtr, e = eps * dtr, th = theta * dtr;
    const double sinPar = std::sin(parallax * dtr);
    const double N = std::cos(l) * std::cos(b) - rhoCos * sinPar * std::cos(th);
    const double lt = modgeneral::atn2(
        N, std::sin(l) * std::cos(b) -
               sinPar * (rhoSin * std::sin(e) + rhoCos * std::cos(e) * std::sin(th)));
    const double bt = std::atan(
        std::cos(lt) *
        (std::sin(b) - sinPar * (rhoSin * std::cos(e) - rhoCos * std::sin(e) * std::sin(th))) / N);
    const double st = modgeneral::asin(std::cos(lt) * std::cos(bt) * std::sin(s * dtr) / N);
    lambdaT = lt / dtr;
    modgeneral::range(lambdaT);
    betaT = bt / dtr;
    sT = st / dtr;
}

void ecltopo(double piValue, double JD, double eps, double dpsi, double lambda, double beta,
             double delta, double& lambdaT, double& betaT, double& s, double& sT, double& parallax,
             const std::string& body)
{
    const settings::CurrentLocation& loc = settings::liveCurrentLocation();
    ecltopoAtPlace(piValue, JD, eps, dpsi, lambda, beta, delta, meridianLongitude(loc.longitude()),
                   loc.latitude(), loc.ele, body == "S", lambdaT, betaT, s, sT, parallax);
}
