#include "modcrc.h"

#include <cmath>

#include "modaltazm.h"
#include "modcormm.h"
#include "modcorsm.h"
#include "modgeneral.h"
#include "modsiderial.h"
#include "turns.h"

void crc(double& t, double JD0, double h0, double phi, double lambda, const std::string& body,
         bool topocentricAltitude, double* offset)
{
    const double ownPi = kPi15;
    const double deg = ownPi / 180;
    const double JD = JD0 + t / 24;

    double ra, dec, raTopo, decTopo, lon, lat, lonTopo, latTopo, a11, a12;
    if (body == "Moon") {
        double a13, a14;
        cormm(ownPi, JD, ra, dec, raTopo, decTopo, lon, lat, lonTopo, latTopo, a11, a12, a13, a14);
    } else {
        corsm(ownPi, JD, ra, dec, raTopo, decTopo, lon, lat, lonTopo, latTopo, a11, a12);
    }

    double h, azimuth;
    if (topocentricAltitude)
        altazm(JD, raTopo, decTopo, h, azimuth);
    else
        altazm(JD, ra, dec, h, azimuth);
    if (offset)
        *offset = h - h0;

    double theta;
    siderial(JD, theta);
    double H = foldTurns(theta + lambda - ra, 360);
    while (H >= 360)
        H -= 360;
    while (H < 0)
        H += 360;

    const double denominator =
        360 * std::cos(decTopo * deg) * std::cos(phi * deg) * std::sin(H * deg);
    // On the meridian (or at a pole) the altitude does not change with time to
    // first order: no step can be taken.
    if (denominator == 0)
        return;
    t = t + (h - h0) / denominator * 24;
}
