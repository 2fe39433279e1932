#include "modvlowriseset.h"

#include <cmath>

#include "meansiderealtime.h"
#include "modcormvl.h"
#include "modcorsvl.h"
#include "moddeltat.h"
#include "modgeneral.h"
#include "modlowaltazm.h"
#include "shortnutation.h"

namespace {

constexpr double kJ2000 = 2451545.0;
constexpr double kSunH0 = -0.833333; // refraction 34' plus semidiameter 16', degrees
constexpr double kConverged = 0.008; // hours (about half a minute)
constexpr int kMaxCorrections = 6;

// Geocentric apparent right ascension and declination of the body, degrees,
// and the Moon's horizontal parallax (0 for the Sun).
void position(const std::string& body, double longitude, double latitude, double JD, double& alpha,
              double& delta, double& parallax)
{
    double alphaP, deltaP, lambda, beta, lambdaP, betaP;
    if (body == "Sun") {
        double R, spare = 0;
        corsvl(longitude, latitude, JD, alpha, delta, alphaP, deltaP, lambda, beta, lambdaP, betaP,
               R, spare);
        parallax = 0;
    } else {
        double s, sP, distance;
        cormvl(longitude, latitude, JD, alpha, delta, alphaP, deltaP, lambda, beta, lambdaP, betaP,
               parallax, s, sP, distance);
    }
}

// One step each way into 0 <= m < 1, as the transit and its two offsets need.
double dayFraction(double m)
{
    if (m < 0)
        m += 1;
    if (m >= 1)
        m -= 1;
    return m;
}

// Corrects a first estimate until two steps agree within kConverged, at most
// kMaxCorrections steps.
double refine(double estimate, double JD0, double h0, double latitude, double longitude,
              const std::string& body)
{
    double t = estimate;
    for (int i = 0; i < kMaxCorrections; ++i) {
        t = estimate;
        vlowcrc(t, JD0, h0, latitude, longitude, body);
        if (std::fabs(t - estimate) <= kConverged)
            break;
        estimate = t;
    }
    return t;
}

} // namespace

double vlowZone(double longitude)
{
    const double x = longitude / 15;
    const double nearest = std::round(x); // halves away from zero
    if (std::fabs(x - std::trunc(x)) == 0.5)
        return 2 * std::round(x / 2); // an exact half goes to the even neighbour
    return nearest;
}

EventTime vlowResult(double hours)
{
    if (!(hours >= 0 && hours <= 24)) // also a NaN
        return EventTime::marked(TimeMarker::NoEvent);
    return EventTime::at(hours);
}

void vlowriseset(double JD, double longitude, double latitude, EventTime& rise, EventTime& set,
                 const std::string& body)
{
    const double d = storedPi() / 180;
    const double JD0 = JD - vlowZone(longitude) / 24;

    double alpha, delta, P;
    position(body, longitude, latitude, JD0 + 0.5, alpha, delta, P);
    double theta0;
    vlowsiderial(JD0, theta0);

    const double m0 = dayFraction((alpha - longitude - theta0) / 360);
    // The Moon's: refraction and semidiameter less the parallax (Meeus ch. 15).
    const double h0 = body == "Sun" ? kSunH0 : 0.7275 * P - 0.5667;
    const double phi = latitude * d, dec = delta * d;
    const double c =
        (std::sin(h0 * d) - std::sin(dec) * std::sin(phi)) / (std::cos(phi) * std::cos(dec));
    if (!(std::fabs(c) <= 1)) { // never crosses h0 that day (or no value at all)
        rise = EventTime::marked(TimeMarker::NoEvent);
        set = EventTime::marked(TimeMarker::NoEvent);
        return;
    }
    const double H0 = modgeneral::acos(c) / d;

    const double m1 = dayFraction(m0 - H0 / 360);
    const double m2 = dayFraction(m0 + H0 / 360);
    rise = vlowResult(refine(24 * m1, JD0, h0, latitude, longitude, body));
    set = vlowResult(refine(24 * m2, JD0, h0, latitude, longitude, body));
}

void vlowsiderial(double JD, double& theta)
{
    double dEpsilon, dPsi, epsilon;
    vlownut(JD, dEpsilon, dPsi, epsilon);
    pi = kPi15;
    const double eps = epsilon * pi / 180;
    theta = reduceSiderealAngle(meanSiderealTime(JD) + dPsi * std::cos(eps));
}

void vlownut(double JD, double& dEpsilon, double& dPsi, double& epsilon)
{
    double dT = 0;
    deltat(JD, dT);
    shortNutation((JD + dT - kJ2000) / 365250, storedPi() / 180, dEpsilon, dPsi, epsilon);
}

void vlowcrc(double& t, double JD0, double h0, double latitude, double longitude,
             const std::string& body)
{
    const double JD = JD0 + t / 24;
    const double d = storedPi() / 180;
    double alpha, delta, P;
    position(body, longitude, latitude, JD, alpha, delta, P);
    double h, A;
    lowaltazm(JD, alpha, delta, longitude, latitude, h, A);
    double theta;
    vlowsiderial(JD, theta);

    double H = std::fmod(theta + longitude - alpha, 360);
    if (H < 0)
        H += 360;
    const double denominator = 360 * std::cos(delta * d) * std::cos(latitude * d) * std::sin(H * d);
    const double step = (h - h0) / denominator * 24;
    if (denominator == 0 || !std::isfinite(step))
        return;
    t += step;
}
