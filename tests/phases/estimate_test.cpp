// The phase estimate: Meeus' worked examples and the year's first lunation.
#include <cmath>

#include <gtest/gtest.h>

#include "engine/modjuc.h"
#include "lunar/moonphase.h"

namespace {

const double kRad = 3.14159265358979 / 180;

TEST(PhaseEstimate, FirstLunationTakesTheFloorOfTheProduct)
{
    const struct {
        double year, k0;
    } cases[] = {
        {2000, -1},  // 0 * 12.3685 - 1
        {1999, -14}, // Int(-12.3685) = -13, not -12
        {2019, 234},
        {2004, 48},
    };
    for (const auto& c : cases)
        EXPECT_EQ(firstLunation(c.year), c.k0) << c.year;
}

TEST(PhaseEstimate, ReproducesMeeusWorkedExamples)
{
    const struct {
        const char* what;
        double k;
        MoonPhase phase;
        double jde;
    } cases[] = {
        // Example 49.a: the New Moon of 1977 February.
        {"New Moon 1977 Feb 18", -283, MoonPhase::New, 2443192.65118},
        // Example 49.b: the first Last Quarter of 2044.
        {"Last Quarter 2044 Jan 21", 544.75, MoonPhase::LastQuarter, 2467636.49186},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(phaseEstimate(c.k, c.phase, kRad), c.jde, 0.0001) << c.what;
}

TEST(PhaseEstimate, LunationZeroIsJanuary2000)
{
    const struct {
        double k;
        MoonPhase phase;
        double day; // of January 2000, with the fraction (TT)
    } cases[] = {
        {0, MoonPhase::New, 6.7},     // 6 Jan 2000 18:14 UT
        {0.5, MoonPhase::Full, 21.2}, // 21 Jan 2000 04:40 UT
    };
    for (const auto& c : cases) {
        double y, m, d;
        juc(phaseEstimate(c.k, c.phase, kRad) + 0.5, y, m, d);
        EXPECT_EQ(y, 2000);
        EXPECT_EQ(m, 1);
        EXPECT_NEAR(d, c.day, 0.1) << c.k;
    }
}

TEST(PhaseEstimate, QuartersDifferByTwiceW)
{
    double E, M, Mp, F, Om, first, last;
    const double k = 234.25, T = k / 1236.85;
    PhaseArguments(k, T, kRad, E, M, Mp, F, Om);
    FirstQuarterTerms(E, M, Mp, F, Om, first);
    LastQuarterTerms(E, M, Mp, F, Om, last);
    const double W = quarterCorrection(E, M, Mp, F);
    EXPECT_GT(W, 0.002); // 0.00306 and small terms
    EXPECT_NEAR(first - last, 2 * W, 1e-15);
}

TEST(PhaseEstimate, ArgumentsAreReducedRadians)
{
    double E, M, Mp, F, Om;
    const double k = -24739, T = k / 1236.85; // year 0: large negative angles
    PhaseArguments(k, T, kRad, E, M, Mp, F, Om);
    for (double a : {M, Mp, F, Om}) {
        EXPECT_GE(a, 0);
        EXPECT_LT(a, 360 * kRad);
    }
    EXPECT_NEAR(E, 1 - 0.002516 * T - 0.0000074 * T * T, 1e-15);
}

} // namespace
