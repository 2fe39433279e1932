// Rounding to the nearest whole number with an exact half going to the even
// number: the rule of the conversions that turn clock and sexagesimal parts
// into whole numbers, independent of the floating-point rounding mode.
#pragma once

#include <cmath>

inline double roundHalfEven(double x)
{
    const double below = std::floor(x);
    const double fraction = x - below;
    if (fraction < 0.5)
        return below;
    if (fraction > 0.5)
        return below + 1;
    return std::fmod(below, 2.0) == 0 ? below : below + 1;
}
