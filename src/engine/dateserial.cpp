#include "dateserial.h"

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

long long dateSerial(double year, double month, double day)
{
    long long y = static_cast<long long>(roundHalfEven(year));
    long long m = static_cast<long long>(roundHalfEven(month)) - 1;
    const long long d = static_cast<long long>(roundHalfEven(day));
    y += m >= 0 ? m / 12 : (m - 11) / 12;
    m = ((m % 12) + 12) % 12 + 1;
    return daysFromCivil(y, m, 1) + d - 1;
}
