#include "hijriconversion.h"

#include <cmath>
#include <stdexcept>

#include "engine/hijricalendar.h"
#include "engine/modday.h"
#include "engine/modjuc.h"
#include "engine/modjul.h"
#include "settings/settingsline.h"

namespace tools {

namespace {

constexpr double kHijriEpoch = 1948440; // 1 Muharram 1 = 16 July 622 (Julian)

// The converter's own Gregorian names: its Arabic May is spelt with hamza
// (أيار), unlike the month names of the reports.
const char* const kGregorianEnglish[12] = {"January",   "February", "March",    "April",
                                           "May",       "June",     "July",     "August",
                                           "September", "October",  "November", "December"};
const char* const kGregorianArabic[12] = {"كانون ثاني", "شباط",      "آذار",       "نيسان",
                                          "أيار",       "حزيران",    "تموز",       "آب",
                                          "أيلول",      "تشرين أول", "تشرين ثاني", "كانون أول"};

std::string wholeText(double value)
{
    return std::to_string(static_cast<long long>(value));
}

// Day number of a Hijri date whose year may carry a fraction: the calendar's
// own count for whole years, the same sum taken over the fraction otherwise.
double hijriDayNumber(double Y, int M, int D)
{
    if (Y == std::floor(Y))
        return static_cast<double>(dayNumberFromHijri(static_cast<long long>(Y), M, D));
    return std::floor((11 * Y + 3) / 30) + std::floor(354 * Y) + 30.0 * M -
           std::floor((M - 1) / 2.0) + D + kHijriEpoch - 385;
}

} // namespace

const char* converterMonthName(ConvertDirection direction, int month, bool arabic)
{
    if (month < 1 || month > 12)
        return nullptr;
    if (direction == ConvertDirection::HijriToGregorian)
        return hijriMonthName(month, arabic);
    return arabic ? kGregorianArabic[month - 1] : kGregorianEnglish[month - 1];
}

int converterMonthNumber(ConvertDirection direction, const std::string& name)
{
    for (bool arabic : {false, true})
        for (int m = 1; m <= 12; ++m)
            if (name == converterMonthName(direction, m, arabic))
                return m;
    return 0;
}

ConvertResult convertDate(const ConvertInput& input)
{
    double Y = 0;
    bool yearOverflows = false;
    settings::leadingNumber(input.yearText, Y, nullptr, &yearOverflows);
    const int M = converterMonthNumber(input.direction, input.monthText);
    if (M == 0)
        throw std::invalid_argument("not a month of the converter: " + input.monthText);
    double dayValue = 0;
    settings::leadingNumber(input.dayText, dayValue);
    const int D = static_cast<int>(dayValue);
    const double language = input.english ? 0 : 1;

    ConvertResult r;
    // Read as 0 it would draw the false "more than Zero" or 622 message.
    if (yearOverflows) {
        r.fault = ConvertFault::YearOverflow;
        return r;
    }
    if (input.direction == ConvertDirection::HijriToGregorian) {
        if (!(Y > 0)) {
            r.fault = ConvertFault::YearNotPositive;
            return r;
        }
        if (!(Y <= kLargestYear)) {
            r.fault = ConvertFault::YearTooLarge;
            return r;
        }
        const double N = hijriDayNumber(Y, M, D);
        double year = 0, month = 0, dayOfMonth = 0;
        juc(N, year, month, dayOfMonth);
        day(N, language, r.weekday);
        r.day = wholeText(std::floor(dayOfMonth));
        r.month = converterMonthName(ConvertDirection::GregorianToHijri, static_cast<int>(month),
                                     !input.english);
        r.year = wholeText(year);
        return r;
    }

    if (!(Y >= 622)) {
        r.fault = ConvertFault::Before622;
        return r;
    }
    if (!(Y <= kLargestYear)) {
        r.fault = ConvertFault::YearTooLarge;
        return r;
    }
    double N = 0;
    jul(Y, M, D, 12, N);
    // Before the epoch on a day count, so that 31 June 622 (1 July) is refused
    // like any other day before 16 July 622.
    if (N < kHijriEpoch) {
        r.fault = ConvertFault::Before622;
        return r;
    }
    if (Y == 1582 && M == 10 && D > 4 && D < 15) {
        r.fault = ConvertFault::Skipped1582;
        return r;
    }
    day(N, language, r.weekday);
    long long hijriYear = 0;
    int hijriMonth = 0, hijriDay = 0;
    hijriFromDayNumber(static_cast<long long>(N), hijriYear, hijriMonth, hijriDay);
    r.day = std::to_string(hijriDay);
    r.month = hijriMonthName(hijriMonth, !input.english);
    r.year = std::to_string(hijriYear);
    return r;
}

ConvertMessage convertMessage(ConvertFault fault, bool english)
{
    ConvertMessage m;
    m.title = english ? "Date Error" : "خطأ";
    switch (fault) {
    case ConvertFault::YearNotPositive:
        m.text = english ? "The Year must be more than Zero!" : "السنة يجب أن تكون أكبر من صفر";
        break;
    case ConvertFault::Before622:
        m.text = english ? "Your Date Must Be After 15/July/622 CE!"
                         : "التاريخ يجب أن يكون بعد 15/تموز/622";
        break;
    case ConvertFault::Skipped1582:
        m.text = english ? "The Date After 04 October 1582 CE is 15 October 1582 CE!"
                         : "التاريخ الذي يلي 04 تشرين أول 1582 هو 15 تشرين أول 1582";
        m.focus = ConvertFocus::Day;
        break;
    case ConvertFault::YearTooLarge:
        m.text = english ? "The Year must not be more than 999999999!"
                         : "السنة يجب ألا تزيد على 999999999";
        break;
    case ConvertFault::YearOverflow:
        m.text = english ? "The Year is too large a number!" : "السنة رقم كبير جدا";
        break;
    case ConvertFault::None:
        break;
    }
    return m;
}

} // namespace tools
