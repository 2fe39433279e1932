#include "numberpattern.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace {

// Room for any double in plain decimal: 309 integer digits for the largest,
// some 330 characters for the smallest subnormal, with sign and point.
constexpr size_t kWholeDouble = 400;

} // namespace

std::string patternNumber(double v, int minDigits, int decimals)
{
    if (!std::isfinite(v))
        return "----"; // a computation that gave no number
    const double scale = std::pow(10.0, decimals);
    // Half away from zero, as the platform's number patterns round.
    double a = std::round(std::fabs(v) * scale) / scale;
    if (!std::isfinite(a))
        a = std::fabs(v); // too large to hold a fraction: nothing to round
    const bool negative = v < 0 && a != 0;
    const int width = minDigits + (decimals > 0 ? decimals + 1 : 0);
    // Ordinary values fit the small room in one pass; a huge one or a pattern
    // with many decimals is written again into the room it measured.
    char small[64];
    const int length = std::snprintf(small, sizeof small, "%0*.*f", width, decimals, a);
    if (length < 0)
        return "----";
    std::string text;
    if (static_cast<size_t>(length) < sizeof small) {
        text.assign(small, static_cast<size_t>(length));
    } else {
        text.assign(static_cast<size_t>(length), '\0');
        std::snprintf(text.data(), text.size() + 1, "%0*.*f", width, decimals, a);
    }
    return negative ? "-" + text : text;
}

std::string plainNumber(double v)
{
    if (v == 0)
        return "0"; // also for -0
    if (!std::isfinite(v))
        return "----";
    char buf[kWholeDouble];
    const auto [p, ec] = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
    return std::string(buf, ec == std::errc() ? p : buf);
}
