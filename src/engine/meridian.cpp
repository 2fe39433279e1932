#include "meridian.h"

#include <cmath>

#include "modcorsl.h"
#include "modcorsm.h"
#include "modgeneral.h"
#include "turns.h"

namespace {

constexpr double kTransitConverged = 6.94444e-05; // hours (a quarter of a second)
// The transit settles in two or three passes; the bound only keeps a day whose
// estimates would swing for ever from hanging a run.
constexpr int kMostTransitPasses = 50;
constexpr double kMinutesPerDegree = 4; // the Sun's apparent motion, 360 degrees a day

// The equation of time, minutes, of a Sun procedure at an instant (UT).
template <typename SunProcedure> double equationOfTime(SunProcedure sun, double JD)
{
    double a, d, aT, dT, l, b, lT, bT, R, E;
    sun(kPi15, JD, a, d, aT, dT, l, b, lT, bT, R, E);
    return E;
}

} // namespace

double meridianLongitude(double longitude)
{
    return foldTurns(longitude, 360);
}

double zoneAsPrinted(double zon)
{
    return std::round(std::fabs(zon) * 100) / 100 * (zon < 0 ? -1 : 1);
}

double meridianOffset(double zon, double longitude)
{
    // Where the zone's meridian and the place lie on either side of the date
    // line (Kiritimati keeps +14 h at 157 degrees west, Samoa and Tonga +13 h
    // near 172 west), 15 zon - longitude passes a half turn and the transit
    // would fall on the next day's clock; the day's events are then searched
    // against a noon a day away and Asr is lost. The meridian the clock keeps
    // is the nearer one.
    double degrees = 15 * zon - meridianLongitude(longitude);
    if (degrees > 180)
        degrees -= 360 * std::ceil((degrees - 180) / 360);
    else if (degrees < -180)
        degrees += 360 * std::ceil((-180 - degrees) / 360);
    return kMinutesPerDegree * degrees;
}

double cityCorrection(double city, double phi)
{
    if (city == 0)
        return 0;
    const double deg = kPi15 / 180;
    // Kilometres in one degree of longitude at latitude phi.
    const double degreeLength = 111.413 * std::cos(phi * deg) - 0.094 * std::cos(3 * phi * deg);
    return kMinutesPerDegree * (city / degreeLength) / 60;
}

double transitClockTime(double summer, double M, double eqt)
{
    return 12 + summer + (M - eqt) / 60;
}

double solarTransit(double JD, double summer, double zone, double M)
{
    double T = transitClockTime(summer, M, equationOfTime(corsl, JD + 0.5 - (zone + summer) / 24));
    double next = T;
    for (int pass = 0; pass < kMostTransitPasses; ++pass) {
        next = transitClockTime(summer, M, equationOfTime(corsm, JD + (T - zone - summer) / 24));
        if (!(std::fabs(next - T) > kTransitConverged))
            break;
        T = next;
    }
    return next;
}
