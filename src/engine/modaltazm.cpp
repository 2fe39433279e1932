#include "modaltazm.h"

#include <cmath>

#include "meridian.h"
#include "modgeneral.h"
#include "modsiderial.h"
#include "settings/liveread.h"

void altazm(double JD, double alpha, double delta, double& h, double& A)
{
    pi = kPi15;
    double theta0 = 0;
    siderial(JD, theta0);
    const settings::CurrentLocation& loc = settings::liveCurrentLocation();
    const double lambda = meridianLongitude(loc.longitude());
    const double phi = loc.latitude();

    const double d = pi / 180;
    const double r = 180 / pi;
    double H = theta0 + lambda - alpha;
    modgeneral::range(H);
    const double Hr = H * d, phir = phi * d, deltar = delta * d;
    // The arctangent counts the azimuth from the south towards the west.
    A = modgeneral::atn2(std::cos(Hr) * std::sin(phir) - std::cos(phir) * std::tan(deltar),
                         std::sin(Hr)) *
            r +
        180;
    modgeneral::range(A);
    h = modgeneral::asin(std::sin(phir) * std::sin(deltar) +
                         std::cos(phir) * std::cos(deltar) * std::cos(Hr)) *
        r;
}
