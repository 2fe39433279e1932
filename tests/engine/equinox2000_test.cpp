#include <gtest/gtest.h>

#include "engine/modequinox2000.h"
#include "engine/modgeneral.h"

TEST(Equinox2000, J2000IsTheIdentity)
{
    struct Case {
        double alpha, delta, alpha2000;
    } cases[] = {{41.054063, 49.22775, 41.054063}, {359.5, -12, 359.5}, {-10, 5, 350}, {0, 0, 0}};
    for (const Case& c : cases) {
        double a = -1, d = -1;
        equinox2000(2451545.0, c.alpha, c.delta, a, d);
        EXPECT_NEAR(a, c.alpha2000, 1e-10) << c.alpha;
        EXPECT_NEAR(d, c.delta, 1e-10) << c.alpha;
    }
    EXPECT_EQ(pi, kPi15);
}

TEST(Equinox2000, MeeusExample21bReversed)
{
    // theta Persei, mean place of 2028 November 13.19 TD, back to J2000.0.
    double a = 0, d = 0;
    equinox2000(2462088.69, 41.547214, 49.348483, a, d);
    EXPECT_NEAR(a, 41.054063, 2e-6);
    EXPECT_NEAR(d, 49.227750, 2e-6);
}

TEST(Equinox2000, RightAscensionStaysInOneTurn)
{
    // A star just east of the equinox, carried from a later date: alpha + zeta
    // and the result straddle 0, which must come out near 360, not below 0.
    double a = -1, d = 0;
    equinox2000(2488069.5, 0.2, 10, a, d); // 2100
    EXPECT_GE(a, 0);
    EXPECT_LT(a, 360);
    EXPECT_GT(a, 358);
}
