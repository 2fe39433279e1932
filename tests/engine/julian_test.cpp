#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "engine/modday.h"
#include "engine/modjuc.h"
#include "engine/modjul.h"
#include "engine/modmonth.h"

namespace {

double julian(double y, double m, double d, double h = 0)
{
    double jd = 0;
    jul(y, m, d, h, jd);
    return jd;
}

} // namespace

TEST(Julian, WorkedValues)
{
    struct Case {
        const char* what;
        double y, m, d, h, jd;
    } cases[] = {
        {"J2000", 2000, 1, 1, 12, 2451545.0},
        {"Sputnik, 1957 October 4.81", 1957, 10, 4.81, 0, 2436116.31},
        {"333 January 27 at 12 h (Julian calendar)", 333, 1, 27, 12, 1842713.0},
        {"the start of the count", -4712, 1, 1, 12, 0.0},
        {"1987 June 19.5", 1987, 6, 19.5, 0, 2446966.0},
        {"1600 December 31", 1600, 12, 31, 0, 2305812.5},
        {"January 1583 is Gregorian", 1583, 1, 1, 0, 2299238.5},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(julian(c.y, c.m, c.d, c.h), c.jd, 1e-9) << c.what;
}

TEST(Julian, TheGregorianReform)
{
    EXPECT_DOUBLE_EQ(julian(1582, 10, 15) - julian(1582, 10, 4), 1);
    // A skipped date is read as a Julian date.
    EXPECT_DOUBLE_EQ(julian(1582, 10, 10) - julian(1582, 10, 4), 6);
}

TEST(Julian, CalendarDateOfAJulianDay)
{
    struct Case {
        double x, y, m, d;
    } cases[] = {
        {2451545.5, 2000, 1, 1.5},    {2299161.0, 1582, 10, 15.0}, {2299160.0, 1582, 10, 4.0},
        {2436116.81, 1957, 10, 4.81}, {1842713.5, 333, 1, 27.5},   {0.5, -4712, 1, 1.5},
    };
    for (const Case& c : cases) {
        double y = 0, m = 0, d = 0;
        juc(c.x, y, m, d);
        EXPECT_EQ(y, c.y) << c.x;
        EXPECT_EQ(m, c.m) << c.x;
        EXPECT_NEAR(d, c.d, 1e-6) << c.x;
    }
}

TEST(Julian, RoundTripOverALongSpan)
{
    // Every 0 h instant from JD 0.5 on, over some ten thousand years, in steps
    // that visit every day of the month over the span; and every day around the
    // reform.
    auto check = [](double J) {
        double y = 0, m = 0, d = 0;
        juc(J + 0.5, y, m, d);
        ASSERT_EQ(julian(y, m, d), J) << "JD " << J << " -> " << y << "-" << m << "-" << d;
    };
    for (double J = 0.5; J < 5.8e6; J += 97)
        check(J);
    for (double J = 2299100.5; J < 2299200.5; J += 1)
        check(J);
}

TEST(Julian, WeekdayNames)
{
    std::string name;
    day(2451545, 0, name);
    EXPECT_EQ(name, "Saturday");
    day(2299161, 1, name);
    EXPECT_EQ(name, "الجمعة");
    name = "kept";
    day(2451545.5, 0, name);
    EXPECT_EQ(name, "kept");
    const char* english[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                             "Thursday", "Friday", "Saturday"};
    const char* arabic[] = {"الأحد",  "الاثنين", "الثلاثاء", "الأربعاء",
                            "الخميس", "الجمعة",  "السبت"};
    // 2 January 2000 was a Sunday.
    for (int i = 0; i < 7; ++i) {
        day(2451546 + i, 2, name);
        EXPECT_EQ(name, english[i]);
        day(2451546 + i, 1, name);
        EXPECT_EQ(name, arabic[i]);
    }
}

TEST(Julian, MonthNames)
{
    std::string name;
    month(5, "E", name);
    EXPECT_EQ(name, "May");
    month(5, "A", name);
    EXPECT_EQ(name, "آيار");
    month(12, "E", name);
    EXPECT_EQ(name, "December");
    month(1, "", name);
    EXPECT_EQ(name, "كانون ثاني");
    name = "kept";
    month(13, "E", name);
    month(0, "A", name);
    EXPECT_EQ(name, "kept");
}
