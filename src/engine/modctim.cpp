#include "modctim.h"

#include <cmath>
#include <cstdio>

#include "rounding.h"

namespace {

constexpr long long kSecondsPerDay = 86400;
// Beyond this many hours from midnight (about 114,000 years) a time no longer
// names a second of any day, and the whole seconds would overflow the count.
constexpr double kFarthestHours = 1e9;

// A time of day from whole seconds, wrapping past midnight either way.
void clockParts(long long seconds, long long& h, long long& m, long long& s)
{
    seconds %= kSecondsPerDay;
    if (seconds < 0)
        seconds += kSecondsPerDay;
    h = seconds / 3600;
    m = seconds / 60 % 60;
    s = seconds % 60;
}

} // namespace

void ctim(const NumberOrText& mode, double hours, std::string& text)
{
    if (!(std::fabs(hours) < kFarthestHours)) {
        text = "----"; // not a number, or no clock time of any day
        return;
    }
    const double H = std::floor(hours);
    const double m = 60 * (hours - H);
    const double M = std::floor(m);
    const double S = 60 * (m - M);
    char buffer[32];
    long long hh, mm, ss;

    if (mode.isText("0") || (!mode.isText() && mode.equalsNumber(0))) {
        if (H == 23 && M == 59 && S >= 59.5) {
            text = "24:00:00";
            return;
        }
        const auto total = static_cast<long long>(H * 3600 + M * 60 + roundHalfEven(S));
        clockParts(total, hh, mm, ss);
        std::snprintf(buffer, sizeof buffer, "%02lld:%02lld:%02lld", hh, mm, ss);
        text = buffer;
        return;
    }

    if (H == 23 && M == 59 && S >= 29.5 && mode.equalsNumber(1)) {
        text = "24:00";
        return;
    }
    const auto total = static_cast<long long>(H * 60 + roundHalfEven(M + S / 60)) * 60;
    clockParts(total, hh, mm, ss);
    std::snprintf(buffer, sizeof buffer, "%02lld:%02lld", hh, mm);
    text = buffer;
}
