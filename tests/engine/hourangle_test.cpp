#include <cmath>
#include <cstdint>

#include <gtest/gtest.h>

#include "engine/modhourangle.h"

namespace {

constexpr double kUnset = 999; // what the caller's variables held before the call

struct Case {
    const char* shows;
    double phi, delta, A;
    double H1;
    std::int16_t f1;
    double H2;
    std::int16_t f2;
};

} // namespace

TEST(Hourangle, SolutionsAndFlags)
{
    const Case cases[] = {
        {"east azimuth: the morning solution, the other belongs to 315", 51.5, -10, 135, -43.006, 0,
         146.912, -1},
        {"west azimuth taken as A - 360: the afternoon solution", 51.5, 20, 300, 112.945, 0,
         -40.110, -1},
        {"due south: transit", 40, 30, 180, 0, 0, 180, -1},
        {"never north of the prime vertical: no solution, values kept", 21.4, 23.4, 90, kUnset, -1,
         kUnset, -1},
        {"culminates north of the zenith: never due south", 10, 20, 180, 0, -1, 180, -1},
        {"a body in the zenith (R = 0): no solution, values kept", 90, 90, 45, kUnset, -1, kUnset,
         -1},
        {"on the equator the Sun stays due east all morning (R = 0)", 0, 0, 90, kUnset, -1, kUnset,
         -1},
    };
    for (const Case& c : cases) {
        double H1 = kUnset, H2 = kUnset;
        std::int16_t f1 = 7, f2 = 7;
        hourangle(c.phi, c.delta, c.A, H1, f1, H2, f2);
        EXPECT_EQ(f1, c.f1) << c.shows;
        EXPECT_EQ(f2, c.f2) << c.shows;
        // 0 and 180 may come out with either sign: only their size is checked.
        EXPECT_NEAR(std::fabs(H1), std::fabs(c.H1), 5e-4) << c.shows;
        EXPECT_NEAR(std::fabs(H2), std::fabs(c.H2), 5e-4) << c.shows;
        if (std::fabs(c.H1) > 1e-9 && std::fabs(c.H1) < 179) {
            EXPECT_EQ(std::signbit(H1), std::signbit(c.H1)) << c.shows;
        }
        if (std::fabs(c.H2) > 1e-9 && std::fabs(c.H2) < 179) {
            EXPECT_EQ(std::signbit(H2), std::signbit(c.H2)) << c.shows;
        }
    }
}

TEST(Hourangle, ValidSolutionReallyHasTheAzimuth)
{
    // Put the body at the hour angle found and compute its azimuth (Meeus 13.5).
    const double d = M_PI / 180;
    const double phi = 51.5, delta = -10, A = 135;
    double H1 = 0, H2 = 0;
    std::int16_t f1 = 0, f2 = 0;
    hourangle(phi, delta, A, H1, f1, H2, f2);
    ASSERT_EQ(f1, 0);
    const double H = H1 * d;
    const double south = std::atan2(std::sin(H), std::cos(H) * std::sin(phi * d) -
                                                     std::tan(delta * d) * std::cos(phi * d));
    EXPECT_NEAR(std::fmod(south / d + 180 + 360, 360), A, 1e-6);
}
