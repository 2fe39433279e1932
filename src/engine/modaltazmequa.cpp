#include "modaltazmequa.h"

#include <cmath>

#include "meridian.h"
#include "modgeneral.h"
#include "modsiderial.h"
#include "settings/liveread.h"

void altazmequa(double JD, double h, double A, double& alpha, double& delta)
{
    const settings::CurrentLocation& loc = settings::liveCurrentLocation();
    const double lambda = meridianLongitude(loc.longitude());
    const double phi = loc.latitude();
    pi = kPi15;

    const double d = pi / 180;
    const double r = 180 / pi;
    double As = A + 180; // counted from the south
    modgeneral::range(As);
    const double Asr = As * d, phir = phi * d, hr = h * d;
    const double H =
        modgeneral::atn2(std::cos(Asr) * std::sin(phir) + std::cos(phir) * std::tan(hr),
                         std::sin(Asr)) *
        r;
    delta = modgeneral::asin(std::sin(phir) * std::sin(hr) -
                             std::cos(phir) * std::cos(hr) * std::cos(Asr)) *
            r;
    double theta0 = 0;
    siderial(JD, theta0);
    alpha = theta0 + lambda - H;
    modgeneral::range(alpha);
}
