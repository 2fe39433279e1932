#include "hijricalendar.h"

#include <cmath>

namespace {

constexpr long long kEpoch = 1948440; // 1 Muharram 1: Friday 16 July 622 (Julian)

// The greatest whole number not greater than a / b (b > 0).
long long floorDiv(long long a, long long b)
{
    const long long q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

const char* const kEnglish[12] = {
    "Muharram", "Safar",   "Rabeea' Awwal", "Rabeea' Thani", "Jamada Aula",  "Jamada Aakherah",
    "Rajab",    "Sha'ban", "Ramadan",       "Shawwal",       "Thul Kea'deh", "Thul Hejjah"};

// Month 5 ends its first word in alef maqsura, month 6 in yeh: both as the
// calendar's tables spell them.
const char* const kArabic[12] = {"محرم",         "صفر",          "ربيع أول",  "ربيع ثاني",
                                 "جمادى الأولى", "جمادي الآخرة", "رجب",       "شعبان",
                                 "رمضان",        "شوال",         "ذو القعدة", "ذو الحجة"};

} // namespace

void hijriFromDayNumber(long long N, long long& year, int& month, int& day)
{
    long long l = N - kEpoch + 10632;
    const long long n = floorDiv(l - 1, 10631);
    l = l - 10631 * n + 354;
    const long long j = floorDiv(10985 - l, 5316) * floorDiv(50 * l, 17719) +
                        floorDiv(l, 5670) * floorDiv(43 * l, 15238);
    l = l - floorDiv(30 - j, 15) * floorDiv(17719 * j, 50) -
        floorDiv(j, 16) * floorDiv(15238 * j, 43) + 29;
    const long long m = floorDiv(24 * l, 709);
    day = static_cast<int>(l - floorDiv(709 * m, 24));
    month = static_cast<int>(m);
    year = 30 * n + j - 30;
}

bool wholeDayNumber(double jd, long long& N)
{
    constexpr double kLargestDay = 1e15;
    const double day = std::floor(jd);
    if (!(std::fabs(day) <= kLargestDay))
        return false;
    N = static_cast<long long>(day);
    return true;
}

long long dayNumberFromHijri(long long year, int month, int day)
{
    return floorDiv(11 * year + 3, 30) + 354 * year + 30 * month - floorDiv(month - 1, 2) + day +
           kEpoch - 385;
}

bool hijriLeapYear(long long year)
{
    const long long position = ((year - 1) % 30 + 30) % 30 + 1;
    switch (position) {
    case 2:
    case 5:
    case 7:
    case 10:
    case 13:
    case 16:
    case 18:
    case 21:
    case 24:
    case 26:
    case 29:
        return true;
    default:
        return false;
    }
}

const char* hijriMonthName(int month, bool arabic)
{
    if (month < 1 || month > 12)
        return nullptr;
    return arabic ? kArabic[month - 1] : kEnglish[month - 1];
}
