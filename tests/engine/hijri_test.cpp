#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "engine/hijricalendar.h"
#include "engine/moddateconv.h"
#include "engine/modjuc.h"

namespace {

struct Hijri {
    long long year;
    int month, day;
};

Hijri forward(long long N)
{
    Hijri h{};
    hijriFromDayNumber(N, h.year, h.month, h.day);
    return h;
}

} // namespace

TEST(HijriCalendar, DateconvCases)
{
    struct Case {
        const char* what;
        double day, month, year;
        const char* lang;
        double hday;
        const char* hmonth;
        double hyear;
    } cases[] = {
        {"the epoch (Julian calendar date)", 16, 7, 622, "E", 1, "Muharram", 1},
        {"J2000 in Arabic", 1, 1, 2000, "A", 24, "رمضان", 1420},
        {"9 December 2026", 9, 12, 2026, "E", 28, "Jamada Aakherah", 1448},
        {"9 December 2026 in Arabic (yeh in the first word)", 9, 12, 2026, "A", 28,
         "\u062c\u0645\u0627\u062f\u064a \u0627\u0644\u0622\u062e\u0631\u0629", 1448},
        {"month 5 in Arabic (alef maqsura)", 13, 10, 2026, "A", 1,
         "\u062c\u0645\u0627\u062f\u0649 \u0627\u0644\u0623\u0648\u0644\u0649", 1448},
        {"lang other than \"A\" is English", 1, 1, 2000, "a", 24, "Ramadan", 1420},
        {"the last Julian day and the first Gregorian day", 4, 10, 1582, "E", 16, "Ramadan", 990},
        {"follow each other", 15, 10, 1582, "E", 17, "Ramadan", 990},
        {"a day beyond every calendar date", 1, 1, 1e300, "E", 0, "----", 0},
        {"a year that is not a number", 1, 1, NAN, "A", 0, "----", 0},
    };
    for (const Case& c : cases) {
        double hday = -1, hyear = -1;
        std::string hmonth = "unset";
        dateconv(c.day, c.month, c.year, "GtoH", c.lang, hday, hmonth, hyear);
        EXPECT_EQ(hday, c.hday) << c.what;
        EXPECT_EQ(hmonth, c.hmonth) << c.what;
        EXPECT_EQ(hyear, c.hyear) << c.what;
    }
}

TEST(HijriCalendar, OtherModesLeaveTheOutputs)
{
    for (const char* mode : {"", "HtoG", "gtoh"}) {
        double hday = -1, hyear = -2;
        std::string hmonth = "unset";
        dateconv(1, 1, 2000, mode, "E", hday, hmonth, hyear);
        EXPECT_EQ(hday, -1) << mode;
        EXPECT_EQ(hmonth, "unset") << mode;
        EXPECT_EQ(hyear, -2) << mode;
    }
}

TEST(HijriCalendar, YearBoundaries)
{
    struct Case {
        const char* what;
        long long N;
        Hijri h;
    } cases[] = {
        {"the epoch", 1948440, {1, 1, 1}},
        {"end of year 1 (common)", 1948440 + 353, {1, 12, 29}},
        {"start of year 2", 1948440 + 354, {2, 1, 1}},
        {"end of year 2 (leap)", 1948440 + 708, {2, 12, 30}},
        {"start of year 3", 1948440 + 709, {3, 1, 1}},
        {"the day before the epoch", 1948440 - 1, {0, 12, 29}},
        {"start of the second cycle", 1948440 + 10631, {31, 1, 1}},
        {"end of the first cycle (year 30 common)", 1948440 + 10630, {30, 12, 29}},
    };
    for (const Case& c : cases) {
        const Hijri h = forward(c.N);
        EXPECT_EQ(h.year, c.h.year) << c.what;
        EXPECT_EQ(h.month, c.h.month) << c.what;
        EXPECT_EQ(h.day, c.h.day) << c.what;
    }
}

TEST(HijriCalendar, Inverse)
{
    EXPECT_EQ(dayNumberFromHijri(1420, 9, 24), 2451545);
    EXPECT_EQ(dayNumberFromHijri(1, 1, 1), 1948440);
    EXPECT_EQ(dayNumberFromHijri(1448, 6, 28), 2461384); // 9 December 2026
    // Day 30 of a 29-day month is the next month's first day.
    EXPECT_EQ(dayNumberFromHijri(1448, 2, 30), dayNumberFromHijri(1448, 3, 1));

    double y = 0, m = 0, d = 0;
    juc(static_cast<double>(dayNumberFromHijri(1448, 6, 28)), y, m, d);
    EXPECT_EQ(y, 2026);
    EXPECT_EQ(m, 12);
    EXPECT_EQ(d, 9);
}

// Walks day by day through 60 cycles: month lengths, leap years of the cycle
// and the inverse must agree with the calendar's rules on every day.
TEST(HijriCalendar, SixtyCyclesDayByDay)
{
    long long N = 1948440;
    for (long long year = 1; year <= 60 * 30; ++year) {
        const bool leap = hijriLeapYear(year);
        const int position = static_cast<int>((year - 1) % 30 + 1);
        const bool listed = position == 2 || position == 5 || position == 7 || position == 10 ||
                            position == 13 || position == 16 || position == 18 || position == 21 ||
                            position == 24 || position == 26 || position == 29;
        ASSERT_EQ(leap, listed) << year;
        for (int month = 1; month <= 12; ++month) {
            const int length = (month % 2 == 1 || (month == 12 && leap)) ? 30 : 29;
            for (int day = 1; day <= length; ++day, ++N) {
                const Hijri h = forward(N);
                ASSERT_TRUE(h.year == year && h.month == month && h.day == day)
                    << "N " << N << " gave " << h.year << "/" << h.month << "/" << h.day
                    << ", expected " << year << "/" << month << "/" << day;
                ASSERT_EQ(dayNumberFromHijri(year, month, day), N) << year << "/" << month;
            }
        }
    }
    EXPECT_EQ(N, 1948440 + 60 * 10631);
}
