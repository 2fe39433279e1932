// Bounding the reductions by whole turns. A loop that adds or takes away one
// turn at a time runs as many times as the value has turns: a longitude of
// 1e12 degrees would take billions of steps, and an infinite value would never
// leave. foldTurns takes the whole turns away at once when there are more than
// a few, so that such a loop runs a turn or two at most; a value within a few
// turns is returned unchanged, so that ordinary values keep the exact results
// of the step-by-step reduction.
#pragma once

#include <cmath>
#include <limits>

// x less a whole number of periods (same sign as x, |result| < period) when
// |x| exceeds four periods; x unchanged otherwise. Not a number for an
// infinite or not-a-number x, which ends a reduction loop at once.
inline double foldTurns(double x, double period)
{
    if (std::fabs(x) <= 4 * period)
        return x;
    if (!std::isfinite(x))
        return std::numeric_limits<double>::quiet_NaN();
    return std::fmod(x, period);
}
