#include "dateserial.h"

#include <algorithm>
#include <cmath>

#include "rounding.h"

long long daysFromCivil(long long y, long long m, long long d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

namespace {

// Far enough for every date a calendar holds, near enough that the day count
// of any sum of such parts stays far inside a long long.
constexpr double kLargestPart = 1e12;

long long wholePart(double v)
{
    if (std::isnan(v))
        return 0;
    return static_cast<long long>(roundHalfEven(std::clamp(v, -kLargestPart, kLargestPart)));
}

} // namespace

long long dateSerial(double year, double month, double day)
{
    long long y = wholePart(year);
    long long m = wholePart(month) - 1;
    const long long d = wholePart(day);
    y += m >= 0 ? m / 12 : (m - 11) / 12;
    m = ((m % 12) + 12) % 12 + 1;
    return daysFromCivil(y, m, 1) + d - 1;
}
