// The converter's Convert: the calendar examples both ways, the refusals and
// their messages, and the two directions as inverses of each other.
#include <string>

#include <gtest/gtest.h>

#include "engine/modjuc.h"
#include "tools/hijriconversion.h"

using namespace tools;

namespace {

constexpr auto HtoG = ConvertDirection::HijriToGregorian;
constexpr auto GtoH = ConvertDirection::GregorianToHijri;

ConvertResult convert(ConvertDirection direction, const std::string& year, const std::string& month,
                      int day, bool english = true)
{
    return convertDate({direction, year, month, std::to_string(day), english});
}

struct DateCase {
    const char* what;
    ConvertDirection direction;
    const char* year;
    const char* month;
    int day;
    bool english;
    const char *weekday, *dayText, *monthText, *yearText;
};

const DateCase kDates[] = {
    {"1 Muharram 1441", HtoG, "1441", "Muharram", 1, true, "Sunday", "1", "September", "2019"},
    {"the epoch, a Julian date", HtoG, "1", "Muharram", 1, true, "Friday", "16", "July", "622"},
    {"day 30 of a 29-day month", HtoG, "1441", "Safar", 30, true, "Wednesday", "30", "October",
     "2019"},
    {"the month after it", HtoG, "1441", "Rabeea' Awwal", 1, true, "Wednesday", "30", "October",
     "2019"},
    {"day 30 of the twelfth month, common year", HtoG, "1440", "Thul Hejjah", 30, true, "Sunday",
     "1", "September", "2019"},
    {"Arabic names", HtoG, "1441", "محرم", 1, false, "الأحد", "1", "أيلول", "2019"},
    {"text after the year", HtoG, "1441abc", "Muharram", 1, true, "Sunday", "1", "September",
     "2019"},
    {"Arabic May has hamza", HtoG, "1441", "شوال", 1, false, "الأحد", "24", "أيار", "2020"},
    {"1 January 2019", GtoH, "2019", "January", 1, true, "Tuesday", "23", "Rabeea' Thani", "1440"},
    {"16 July 622", GtoH, "622", "July", 16, true, "Friday", "1", "Muharram", "1"},
    {"last Julian day", GtoH, "1582", "October", 4, true, "Thursday", "16", "Ramadan", "990"},
    {"first Gregorian day", GtoH, "1582", "October", 15, true, "Friday", "17", "Ramadan", "990"},
    {"31 April carries into May", GtoH, "2019", "April", 31, true, "Wednesday", "25", "Sha'ban",
     "1440"},
    {"31 February carries into March", GtoH, "2019", "February", 31, true, "Sunday", "25",
     "Jamada Aakherah", "1440"},
    {"Arabic Gregorian name in", GtoH, "2019", "كانون ثاني", 1, false, "الثلاثاء", "23",
     "ربيع ثاني", "1440"},
    {"a year beyond four digits", GtoH, "12000", "January", 1, true, nullptr, nullptr, nullptr,
     nullptr},
};

} // namespace

TEST(HijriConversion, ConvertsTheCalendarExamples)
{
    for (const DateCase& c : kDates) {
        SCOPED_TRACE(c.what);
        const ConvertResult r = convert(c.direction, c.year, c.month, c.day, c.english);
        ASSERT_EQ(r.fault, ConvertFault::None);
        if (!c.weekday) {
            EXPECT_FALSE(r.weekday.empty());
            continue;
        }
        EXPECT_EQ(r.weekday, c.weekday);
        EXPECT_EQ(r.day, c.dayText);
        EXPECT_EQ(r.month, c.monthText);
        EXPECT_EQ(r.year, c.yearText);
    }
}

TEST(HijriConversion, RefusesWhatTheCalendarsDoNotHold)
{
    const struct {
        const char* what;
        ConvertDirection direction;
        const char* year;
        const char* month;
        int day;
        ConvertFault fault;
    } cases[] = {
        {"Hijri year 0", HtoG, "0", "Muharram", 1, ConvertFault::YearNotPositive},
        {"negative Hijri year", HtoG, "-5", "Muharram", 1, ConvertFault::YearNotPositive},
        {"no number", HtoG, "abc", "Muharram", 1, ConvertFault::YearNotPositive},
        {"year 621", GtoH, "621", "December", 31, ConvertFault::Before622},
        {"year 0", GtoH, "0", "January", 1, ConvertFault::Before622},
        {"negative year", GtoH, "-5", "January", 1, ConvertFault::Before622},
        {"no number", GtoH, "abc", "January", 1, ConvertFault::Before622},
        {"15 July 622", GtoH, "622", "July", 15, ConvertFault::Before622},
        {"June 622", GtoH, "622", "June", 1, ConvertFault::Before622},
        {"31 June 622 is 1 July", GtoH, "622", "June", 31, ConvertFault::Before622},
        {"5 October 1582", GtoH, "1582", "October", 5, ConvertFault::Skipped1582},
        {"14 October 1582", GtoH, "1582", "October", 14, ConvertFault::Skipped1582},
        // Beyond 2^53 days the day count is no longer whole: refused, not wrong.
        {"huge Hijri year", HtoG, "1e17", "Muharram", 1, ConvertFault::YearTooLarge},
        {"huge Gregorian year", GtoH, "1e17", "January", 1, ConvertFault::YearTooLarge},
        // Beyond the range of numbers: its own refusal, not the false one
        // that a year of 0 would draw; a tiny year is just 0.
        {"year 1e309", HtoG, "1e309", "Muharram", 1, ConvertFault::YearOverflow},
        {"year 1e999", GtoH, "1e999", "January", 1, ConvertFault::YearOverflow},
        {"year -1e400", HtoG, " -1e400", "Muharram", 1, ConvertFault::YearOverflow},
        {"year -1e400", GtoH, "-1e400", "January", 1, ConvertFault::YearOverflow},
        {"year 1e-400", HtoG, "1e-400", "Muharram", 1, ConvertFault::YearNotPositive},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.what) + (c.direction == HtoG ? " (Hijri)" : " (Gregorian)"));
        const ConvertResult r = convert(c.direction, c.year, c.month, c.day);
        EXPECT_EQ(r.fault, c.fault);
        EXPECT_TRUE(r.weekday.empty() && r.day.empty() && r.month.empty() && r.year.empty());
    }
    EXPECT_EQ(convert(HtoG, "999999999", "Muharram", 1).fault, ConvertFault::None);
    EXPECT_EQ(convert(GtoH, "999999999", "December", 31).fault, ConvertFault::None);
}

TEST(HijriConversion, MessagesNameTheFaultAndTheInputToMend)
{
    const struct {
        ConvertFault fault;
        bool english;
        const char *text, *title;
        ConvertFocus focus;
    } cases[] = {
        {ConvertFault::YearNotPositive, true, "The Year must be more than Zero!", "Date Error",
         ConvertFocus::Year},
        {ConvertFault::YearNotPositive, false, "السنة يجب أن تكون أكبر من صفر", "خطأ",
         ConvertFocus::Year},
        {ConvertFault::Before622, true, "Your Date Must Be After 15/July/622 CE!", "Date Error",
         ConvertFocus::Year},
        {ConvertFault::Before622, false, "التاريخ يجب أن يكون بعد 15/تموز/622", "خطأ",
         ConvertFocus::Year},
        {ConvertFault::Skipped1582, true,
         "The Date After 04 October 1582 CE is 15 October 1582 CE!", "Date Error",
         ConvertFocus::Day},
        {ConvertFault::Skipped1582, false,
         "التاريخ الذي يلي 04 تشرين أول 1582 هو 15 تشرين أول 1582", "خطأ", ConvertFocus::Day},
    };
    for (const auto& c : cases) {
        const ConvertMessage m = convertMessage(c.fault, c.english);
        EXPECT_EQ(m.text, c.text);
        EXPECT_EQ(m.title, c.title);
        EXPECT_EQ(m.focus, c.focus);
    }
}

// Every day of two 30-year cycles (the first one, across the Julian-Gregorian
// change, and today's) converted to Hijri and back lands on the same day.
TEST(HijriConversion, TheTwoDirectionsAreInversesOverWholeCycles)
{
    for (double first : {1948440.0, 2299161.0 - 5000, 2458728.0 - 5000}) {
        for (double N = first; N < first + 10631; ++N) {
            double y = 0, m = 0, d = 0;
            juc(N, y, m, d);
            const std::string gregorianMonth = converterMonthName(GtoH, static_cast<int>(m), false);
            const ConvertResult h = convert(GtoH, std::to_string(static_cast<long long>(y)),
                                            gregorianMonth, static_cast<int>(d));
            ASSERT_EQ(h.fault, ConvertFault::None) << N;
            const ConvertResult g = convert(HtoG, h.year, h.month, std::stoi(h.day));
            ASSERT_EQ(g.fault, ConvertFault::None) << N;
            ASSERT_EQ(g.weekday, h.weekday) << N;
            ASSERT_EQ(g.year, std::to_string(static_cast<long long>(y))) << N;
            ASSERT_EQ(g.month, gregorianMonth) << N;
            ASSERT_EQ(g.day, std::to_string(static_cast<int>(d))) << N;
        }
    }
}

// A year with a fraction enters the day count with it; a whole year written
// with a decimal point is the same year.
TEST(HijriConversion, YearsWithAFractionAreCounted)
{
    const ConvertResult whole = convert(HtoG, "1441", "Muharram", 1);
    const ConvertResult written = convert(HtoG, "1441.0", "Muharram", 1);
    EXPECT_EQ(written.year, whole.year);
    EXPECT_EQ(written.day, whole.day);
    const ConvertResult half = convert(HtoG, "1441.5", "Muharram", 1);
    ASSERT_EQ(half.fault, ConvertFault::None);
    // Int(354 * 1441.5) + Int((11 * 1441.5 + 3) / 30) = 177 days on from 1441.
    EXPECT_EQ(half.day + " " + half.month + " " + half.year, "25 February 2020");
}
