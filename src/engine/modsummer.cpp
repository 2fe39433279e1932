#include "modsummer.h"

#include <cmath>

#include "rounding.h"
#include "settings/liveread.h"

namespace {

// Days since 1970-01-01 of a proleptic Gregorian date with a month in 1..12
// (H. Hinnant's days_from_civil).
long long daysFromCivil(long long y, long long m, long long d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

// A date from parts with the rollover of the platform's date-from-parts rule:
// month 13 is January of the next year, month 0 December of the one before,
// day 0 the last day of the month before, day 32 of January 1 February.
long long dateSerial(double year, double month, double day)
{
    long long y = static_cast<long long>(roundHalfEven(year));
    long long m = static_cast<long long>(roundHalfEven(month)) - 1;
    const long long d = static_cast<long long>(roundHalfEven(day));
    y += m >= 0 ? m / 12 : (m - 11) / 12;
    m = ((m % 12) + 12) % 12 + 1;
    return daysFromCivil(y, m, 1) + d - 1;
}

} // namespace

void summer(double day, double month, double year, std::int16_t& flag)
{
    const settings::Preferences& pref = settings::livePreferences();
    if (pref.summ != "1") {
        flag = 0;
        return;
    }
    const long long start = dateSerial(year, pref.smf, pref.sdf);
    const long long end = dateSerial(year, pref.smt, pref.sdt);
    const long long d = dateSerial(year, month, day);
    if (end < start)
        flag = (d >= start || d <= end) ? 1 : 0;
    else
        flag = (start <= d && d <= end) ? 1 : 0;
}
