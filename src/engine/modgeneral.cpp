#include "modgeneral.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>

#include "platform/eventloop.h"

double pi = 0;
double tdtmode = 0;
double sunh0 = 0;
double moonh0 = 0;
double nz = 0;
double noonalt = 0;
std::int16_t cancelflag = 0;
double onedaymode = 0;
double onedayjd = 0;
std::int16_t summerflag = 0;
EventTime daysunrise, daysunset;
EventTime daymoonrise, daymoonset;
std::string newold;
double conjjde = 0;

double term[249][5];
double termfull[2426][4];
double mterm[200][11];
double elpv0[219][7], elpv1[245][4], elpv2[155][4], elpv3[26][4];
double elpu0[189][7], elpu1[65][4], elpu2[65][4], elpu3[13][4];
double elpr0[155][7], elpr1[115][4], elpr2[69][4], elpr3[20][4];
double elpidx[245];
SeriesLoaded seriesLoaded;

namespace modgeneral {

double atn2(double x, double y)
{
    pi = kPi15;
    // No direction comes of a computation that gave no number: the 0 of the
    // origin would show as a real angle (an azimuth of 180 degrees, a right
    // ascension of 0 h) beside the other results' "----".
    if (std::isnan(x) || std::isnan(y))
        return std::numeric_limits<double>::quiet_NaN();
    if (x > 0)
        return std::atan(y / x);
    if (x < 0)
        return std::atan(y / x) + pi;
    if (y > 0)
        return pi / 2;
    if (y < 0)
        return -pi / 2;
    return 0;
}

double range(double& x)
{
    x = reduceTruncating(x);
    if (x == 360)
        x = 0;
    return x;
}

double rangeh(double& x)
{
    if (x < -180)
        x = x + 360;
    if (x > 180)
        x = x - 360;
    return x;
}

double rangepi(double& x)
{
    pi = kPi15;
    if (x < -pi)
        x = x + 2 * pi;
    if (x > pi)
        x = x - 2 * pi;
    return x;
}

double asin(double x)
{
    if (x >= 1)
        return 2 * std::atan(1.0);
    if (x <= -1)
        return -2 * std::atan(1.0);
    return std::atan(x / std::sqrt(1 - x * x));
}

double acos(double x)
{
    if (x >= 1)
        return 0;
    if (x <= -1)
        return 4 * std::atan(1.0);
    return std::atan(-x / std::sqrt(1 - x * x)) + 2 * std::atan(1.0);
}

void Delay(double seconds)
{
    using namespace std::chrono;
    // The date arithmetic of the clock counts whole seconds only.
    const auto start = time_point_cast<std::chrono::seconds>(platform::now());
    const auto end = start + std::chrono::seconds(static_cast<long long>(seconds));
    // Each hand-over sleeps while no event comes (up to a tenth of a second,
    // then the clock is read again), so a wait does not keep a core busy.
    for (auto t = platform::now(); t < end; t = platform::now())
        platform::waitForEvents(
            std::min(duration_cast<milliseconds>(end - t) + milliseconds(1), milliseconds(100)));
}

} // namespace modgeneral
