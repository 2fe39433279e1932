#include <cmath>

#include <gtest/gtest.h>

#include "engine/moddeltat.h"
#include "engine/modjul.h"

namespace {

double deltaTSeconds(double JD)
{
    double dT = 0;
    deltat(JD, dT);
    return dT * 86400;
}

// The first Julian Day whose decimal year (JD - 1721057) / 365.2425 is y or more.
double firstJdOfYear(double y)
{
    double jd = 1721057 + y * 365.2425;
    while ((jd - 1721057) / 365.2425 >= y)
        jd = std::nextafter(jd, -INFINITY);
    while ((jd - 1721057) / 365.2425 < y)
        jd = std::nextafter(jd, INFINITY);
    return jd;
}

} // namespace

TEST(DeltaT, PublishedValues)
{
    struct Case {
        const char* what;
        double jd, seconds, tolerance;
    } cases[] = {
        {"J2000.0", 2451545.0, 63.8627, 5e-5},
        {"2010 January 1 at 0 h", 2455197.5, 66.7043, 5e-5},
        {"1900 January 1 at 0 h, the negative span", 2415020.5, -2.7788, 5e-5},
        {"JD 1721057, year 0", 1721057, 10583.6, 1e-9},
        {"2200 January 1, the last row", 2524593.5, 442.10, 5e-3},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(deltaTSeconds(c.jd), c.seconds, c.tolerance) << c.what;

    double jd = 0;
    jul(2010, 1, 1, 0, jd);
    EXPECT_EQ(jd, 2455197.5);
    double dT = 0;
    deltat(2451545.0, dT);
    EXPECT_NEAR(dT, 0.00073915, 5e-9); // days, not seconds
}

// A year on a span bound belongs to the span that starts there. The values
// are the polynomials of the new span at its start; those of the old span at
// its end differ by the second column, which the tolerance resolves.
TEST(DeltaT, ABoundBelongsToTheSpanThatStartsThere)
{
    struct Case {
        double year, startValue, endOfPreviousSpan;
    } cases[] = {
        {-500, 17203.656339, 17203.680000},
        {500, 5710.044670, 5710.131789},
        {1600, 120.0, 120.251115},
        {1700, 8.83, 8.992128},
        {1800, 13.72, 13.756124},
        {1860, 7.62, 7.569820},
        {1900, -2.79, -2.701600},
        {1920, 21.2, 21.187620},
        {1941, 24.773141, 24.772260},
        {1961, 33.579881, 33.550262},
        {1986, 54.877738, 54.867855},
        {2005, 64.670575, 64.720646},
        {2050, 93.0, 93.001},
    };
    for (const Case& c : cases) {
        const double jd = firstJdOfYear(c.year);
        EXPECT_NEAR(deltaTSeconds(jd), c.startValue, 1e-5) << c.year;
        EXPECT_NEAR(deltaTSeconds(std::nextafter(jd, -INFINITY)), c.endOfPreviousSpan, 1e-5)
            << "just before " << c.year;
    }
}

TEST(DeltaT, TheLastTwoRowsJoinWithoutAStep)
{
    const double jd = firstJdOfYear(2150);
    EXPECT_NEAR(deltaTSeconds(jd), deltaTSeconds(std::nextafter(jd, -INFINITY)), 1e-9);
    EXPECT_NEAR(deltaTSeconds(jd), 328.48, 1e-6);
}
