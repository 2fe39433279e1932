#include "moddeltat.h"

namespace {

constexpr double kSecondsPerDay = 86400;

// Delta T in seconds for the decimal year y.
double deltaTSeconds(double y)
{
    if (y < -500) {
        const double u = (y - 1820) / 100;
        return -20 + 32 * u * u;
    }
    if (y < 500) {
        const double u = y / 100;
        return 10583.6 +
               u * (-1014.41 +
                    u * (33.78311 + u * (-5.952053 +
                                         u * (-0.1798452 + u * (0.022174192 + u * 0.0090316521)))));
    }
    if (y < 1600) {
        const double u = (y - 1000) / 100;
        return 1574.2 +
               u * (-556.01 +
                    u * (71.23472 + u * (0.319781 + u * (-0.8503463 +
                                                         u * (-0.005050998 + u * 0.0083572073)))));
    }
    if (y < 1700) {
        const double t = y - 1600;
        return 120 - 0.9808 * t - 0.01532 * t * t + t * t * t / 7129;
    }
    if (y < 1800) {
        const double t = y - 1700;
        return 8.83 + 0.1603 * t - 0.0059285 * t * t + 0.00013336 * t * t * t -
               t * t * t * t / 1174000;
    }
    if (y < 1860) {
        const double t = y - 1800;
        return 13.72 +
               t * (-0.332447 +
                    t * (0.0068612 +
                         t * (0.0041116 +
                              t * (-0.00037436 + t * (0.0000121272 +
                                                      t * (-0.0000001699 + t * 0.000000000875))))));
    }
    if (y < 1900) {
        const double t = y - 1860;
        return 7.62 + 0.5737 * t - 0.251754 * t * t + 0.01680668 * t * t * t -
               0.0004473624 * t * t * t * t + t * t * t * t * t / 233174;
    }
    if (y < 1920) {
        const double t = y - 1900;
        return -2.79 + 1.494119 * t - 0.0598939 * t * t + 0.0061966 * t * t * t -
               0.000197 * t * t * t * t;
    }
    if (y < 1941) {
        const double t = y - 1920;
        return 21.2 + 0.84493 * t - 0.0761 * t * t + 0.0020936 * t * t * t;
    }
    if (y < 1961) {
        const double t = y - 1950; // counted from 1950, not from the span's start
        return 29.07 + 0.407 * t - t * t / 233 + t * t * t / 2547;
    }
    if (y < 1986) {
        const double t = y - 1975; // counted from 1975
        return 45.45 + 1.067 * t - t * t / 260 - t * t * t / 718;
    }
    if (y < 2005) {
        const double t = y - 2000;
        return 63.86 + t * (0.3345 + t * (-0.060374 +
                                          t * (0.0017275 + t * (0.000651814 + t * 0.00002373599))));
    }
    if (y < 2050) {
        const double t = y - 2000;
        return 62.92 + 0.32217 * t + 0.005589 * t * t;
    }
    const double u = (y - 1820) / 100;
    if (y < 2150)
        return -20 + 32 * u * u - 0.5628 * (2150 - y);
    return -20 + 32 * u * u;
}

} // namespace

void deltat(double JD, double& dT)
{
    const double y = (JD - 1721057) / 365.2425;
    dT = deltaTSeconds(y) / kSecondsPerDay;
}
