#include <chrono>
#include <cmath>

#include <gtest/gtest.h>

#include "engine/modgeneral.h"
#include "platform/eventloop.h"

TEST(Modgeneral, Atn2CoversMinusHalfPiToThreeHalvesPi)
{
    struct Case {
        double x, y, expected;
    } cases[] = {
        {1, 1, std::atan(1.0)},
        {-1, -1, 5 * std::atan(1.0)}, // 5pi/4, not -3pi/4
        {-1, 1, 3 * std::atan(1.0)},
        {1, -1, -std::atan(1.0)},
        {0, 1, kPi15 / 2},
        {0, -1, -kPi15 / 2},
        {0, 0, 0},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(modgeneral::atn2(c.x, c.y), c.expected, 1e-13) << c.x << "," << c.y;
    EXPECT_EQ(pi, kPi15);
    // A result that is not a number gives no direction, not the origin's 0.
    const double nan = std::nan("");
    const double noNumber[][2] = {{nan, 1}, {1, nan}, {nan, nan}, {nan, 0}};
    for (const auto& xy : noNumber)
        EXPECT_TRUE(std::isnan(modgeneral::atn2(xy[0], xy[1]))) << xy[0] << "," << xy[1];
}

TEST(Modgeneral, RangeWritesBackTheReducedValue)
{
    struct Case {
        double in, out;
    } cases[] = {{-30, 330}, {-360, 0}, {360, 0}, {720, 0}, {400, 40}, {0, 0}, {359.999, 359.999}};
    for (const Case& c : cases) {
        double x = c.in;
        const double r = modgeneral::range(x);
        EXPECT_NEAR(r, c.out, 1e-9) << c.in;
        EXPECT_EQ(x, r) << c.in;
    }
}

TEST(Modgeneral, RangehAndRangepiTakeOneStep)
{
    struct Case {
        double in, out;
    } hcases[] = {{190, -170}, {-190, 170}, {180, 180}, {-180, -180}, {600, 240}};
    for (const Case& c : hcases) {
        double x = c.in;
        EXPECT_DOUBLE_EQ(modgeneral::rangeh(x), c.out);
        EXPECT_DOUBLE_EQ(x, c.out);
    }
    double a = 4, b = -4;
    EXPECT_NEAR(modgeneral::rangepi(a), 4 - 2 * kPi15, 1e-14);
    EXPECT_NEAR(modgeneral::rangepi(b), -4 + 2 * kPi15, 1e-14);
    EXPECT_NEAR(a, -2.28318, 1e-5);
}

TEST(Modgeneral, ArcsineAndArccosine)
{
    EXPECT_NEAR(modgeneral::asin(0.5), std::asin(0.5), 1e-15);
    EXPECT_NEAR(modgeneral::acos(0.5), std::acos(0.5), 1e-15);
    EXPECT_EQ(modgeneral::acos(0), 2 * std::atan(1.0));
    // The ends of the range instead of a division by zero.
    EXPECT_EQ(modgeneral::asin(1), 2 * std::atan(1.0));
    EXPECT_EQ(modgeneral::asin(-1), -2 * std::atan(1.0));
    EXPECT_EQ(modgeneral::asin(1.0000001), 2 * std::atan(1.0));
    EXPECT_EQ(modgeneral::acos(1), 0);
    EXPECT_EQ(modgeneral::acos(-1), 4 * std::atan(1.0));
}

TEST(Modgeneral, DelayCountsWholeSeconds)
{
    using namespace std::chrono;
    // A set clock that moves 100 ms on every hand-over to the message loop.
    auto t = system_clock::time_point(seconds(1000000)) + milliseconds(300);
    int handovers = 0;
    platform::setClock([&] { return t; });
    platform::setEventProcessor([&] {
        ++handovers;
        t += milliseconds(100);
    });
    modgeneral::Delay(0.1);
    EXPECT_EQ(handovers, 0); // returns at once
    modgeneral::Delay(1);
    EXPECT_EQ(handovers, 7); // from .300 until the clock reads the next whole second
    platform::setClock({});
    platform::setEventProcessor({});
}
