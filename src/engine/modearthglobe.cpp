#include "modearthglobe.h"

#include <cmath>

#include "modgeneral.h"

namespace {

constexpr double kAxisRatio = 0.99664719;     // b/a of the Earth's ellipsoid
constexpr double kEquatorialRadius = 6378140; // metres

} // namespace

void earthglobe(double phi, double H, double& rhoSinPhi, double& rhoCosPhi)
{
    pi = kPi15;
    const double p = phi * pi / 180;
    const double u = std::atan(kAxisRatio * std::tan(p));
    rhoSinPhi = kAxisRatio * std::sin(u) + (H / kEquatorialRadius) * std::sin(p);
    rhoCosPhi = std::cos(u) + (H / kEquatorialRadius) * std::cos(p);
}
