// The three-point parabola of the event finder.
#include <cmath>

#include <gtest/gtest.h>

#include "engine/modquad.h"

namespace {

struct QuadCase {
    const char* what;
    double y1, y2, y3;
    double nz;
    double z1, z2; // expected roots (checked when nz > 0)
    double xe, ye;
};

constexpr double kUnset = 99; // what the caller put into z1, z2 beforehand

const QuadCase kCases[] = {
    {"two roots inside", 1, -1, 1, 2, -std::sqrt(0.5), std::sqrt(0.5), 0, -1},
    // (x - 0.5)(x + 2): the root -2 lies below -1
    {"one root inside, the other below -1 moves into z1", -1.5, -1, 1.5, 1, 0.5, 0.5, -0.75,
     -1.5625},
    {"tangent parabola counts no root", 1, 0, 1, 0, kUnset, kUnset, 0, 0},
    {"no real roots", 2, 1, 2, 0, kUnset, kUnset, 0, 1},
    {"straight line with a root inside", -1, 0, 1, 1, 0, 0, 0, 0},
    {"straight line with its root beyond +1", -3, -2, -1, 0, kUnset, kUnset, 0, -2},
    {"flat line has no root", 2, 2, 2, 0, kUnset, kUnset, 0, 2},
    {"first sample exactly 0", 0, 1, 0, 2, -1, 1, 0, 1},
};

TEST(Quad, TableOfCases)
{
    for (const QuadCase& c : kCases) {
        SCOPED_TRACE(c.what);
        double xe = -7, ye = -7, z1 = kUnset, z2 = kUnset, nz = -1;
        quad(c.y1, c.y2, c.y3, xe, ye, z1, z2, nz);
        EXPECT_EQ(nz, c.nz);
        EXPECT_NEAR(xe, c.xe, 1e-12);
        EXPECT_NEAR(ye, c.ye, 1e-12);
        if (c.nz > 0 || c.z1 == kUnset) {
            EXPECT_NEAR(z1, c.z1, 1e-12);
        }
        if (c.nz == 2 || c.z2 == kUnset) {
            EXPECT_NEAR(z2, c.z2, 1e-12);
        }
    }
}

TEST(Quad, TwoRootsOneOutsideAboveKeepsOrder)
{
    // Parabola with roots at -0.5 and 1.5: z1 is the one inside, z2 stays above.
    // y = (x + 0.5)(x - 1.5) = x^2 - x - 0.75
    double xe, ye, z1 = 0, z2 = 0, nz;
    quad(1 + 1 - 0.75, -0.75, 1 - 1 - 0.75, xe, ye, z1, z2, nz);
    EXPECT_EQ(nz, 1);
    EXPECT_NEAR(z1, -0.5, 1e-12);
    EXPECT_NEAR(z2, 1.5, 1e-12);
    EXPECT_NEAR(xe, 0.5, 1e-12);
}

} // namespace
