#include "qibla.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "engine/modaltazm.h"
#include "engine/modcorsm.h"
#include "engine/modctim.h"
#include "engine/modgeneral.h"
#include "engine/modhourangle.h"
#include "engine/modrefractionnew.h"
#include "engine/modsiderial.h"

namespace qibla {

namespace {

constexpr double kDegree = kPi15 / 180;

// Below this length of the direction vector (the sine of the distance to the
// Kaaba or to its antipode) no direction can be told: about 6 mm on the ground.
constexpr double kNoDirection = 1e-9;

// A second, in hours: the iteration stops when two steps agree to it.
constexpr double kSecondInHours = 0.000277778;

// One solution: which of hourangle's two hour angles it follows.
enum class Branch { First, Second };

// Runs the iteration for one branch from noon. Leaves the flag of the other
// branch of the last hourangle call in `otherFlag`.
QiblaTime solve(Branch branch, double JD0, double A, double longitude, double latitude,
                double horizon, const std::string& min, std::int16_t& otherFlag)
{
    QiblaTime time;
    double t = 12;
    double tNext = t;
    for (;;) {
        const double jd = JD0 + t / 24;
        double a, d, aT, dT, l, b, lT, bT, R, E;
        corsm(pi, jd, a, d, aT, dT, l, b, lT, bT, R, E);
        double theta;
        siderial(jd, theta);
        double H = theta + longitude - aT;
        rangeh(H);
        double H1, H2;
        std::int16_t f1, f2;
        hourangle(latitude, dT, A, H1, f1, H2, f2);
        const bool first = branch == Branch::First;
        otherFlag = first ? f2 : f1;
        if ((first ? f1 : f2) != 0)
            return time; // this branch's azimuth is not reached today
        double wanted = first ? H1 : H2;
        double dH = rangeh(wanted) - H;
        tNext = t + rangeh(dH) / 15;
        if (std::fabs(t - tNext) <= kSecondInHours)
            break;
        if (++time.steps == kMostQiblaSteps)
            break;
        t = tNext;
    }

    // A step may carry the time across midnight, more than once when the
    // iteration wandered: bring it into the day however far it went.
    tNext = std::fmod(tNext, 24.0);
    if (tNext < 0)
        tNext += 24;
    if (tNext >= 24)
        tNext = 0;
    const double jd = JD0 + tNext / 24;
    double a, d, aT, dT, l, b, lT, bT, R, E;
    corsm(pi, jd, a, d, aT, dT, l, b, lT, bT, R, E);
    double h, azimuth;
    altazm(jd, aT, dT, h, azimuth);
    time.found = true;
    time.hours = tNext;
    time.belowHorizon = h < horizon;
    ctim(min, tNext, time.text);
    return time;
}

} // namespace

Bearing qiblaBearing(double longitude, double latitude)
{
    const double phiK = kKaabaLatitude * kDegree;
    const double phi = latitude * kDegree;
    const double dL = (kKaabaLongitude - longitude) * kDegree;
    const double E = std::cos(phiK) * std::sin(dL);
    const double N = std::sin(phiK) * std::cos(phi) - std::cos(phiK) * std::sin(phi) * std::cos(dL);
    Bearing b;
    if (std::hypot(E, N) < kNoDirection) {
        b.defined = false;
        return b;
    }
    double q = std::atan2(E, N) * 180 / kPi15;
    if (q < 0)
        q += 360;
    if (q >= 360)
        q = 0;
    b.degrees = q;
    return b;
}

float roundedBearing(double degrees)
{
    char buf[32];
    // Half away from zero, as the number pattern rounds; the text is read back.
    const double r = std::round(std::fabs(degrees) * 10) / 10;
    std::snprintf(buf, sizeof buf, "%.1f", degrees < 0 ? -r : r);
    return std::strtof(buf, nullptr);
}

std::string shortestText(float value)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.7g", static_cast<double>(value));
    std::string s = buf;
    if (s == "-0")
        s = "0";
    return s;
}

double range(double& var)
{
    return modgeneral::range(var);
}

double rangeh(double& var)
{
    return modgeneral::rangeh(var);
}

void qiblaTimesOfDay(double JD0, double A, double longitude, double latitude, double horizon,
                     const std::string& min, QiblaDayTimes& day)
{
    pi = kPi15;
    std::int16_t secondFlag = -1, unused = -1;
    day.first = solve(Branch::First, JD0, A, longitude, latitude, horizon, min, secondFlag);
    day.second = secondFlag == 0
                     ? solve(Branch::Second, JD0, A, longitude, latitude, horizon, min, unused)
                     : QiblaTime{};
    if (!day.first.found && day.second.found)
        std::swap(day.first, day.second);
    else if (day.first.found && day.second.found && day.second.text < day.first.text)
        std::swap(day.first, day.second);
}

double horizonAltitude(double elevation, bool eleset)
{
    const double dip = elevation > 0 ? 0.02916666 * std::sqrt(elevation) : 0;
    double z = eleset ? 90 + dip : 90; // refractionnew turns its argument into radians
    double R = 0;
    refractionnew(z, R);
    return -(R + dip + 0.2665639 - 0.0024);
}

} // namespace qibla
