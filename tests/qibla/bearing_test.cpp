// The Qibla bearing against published directions and against the textbook
// great-circle formula, and the places where the formula has no answer.
#include <cmath>

#include <gtest/gtest.h>

#include "tools/qibla.h"

namespace {

// Initial great-circle bearing from a place to the Kaaba as the Qibla tables
// publish it (Kaaba 21.4225 N, 39.8262 E), written out independently.
double greatCircleBearing(double latitude, double longitude)
{
    const double r = M_PI / 180;
    const double p1 = latitude * r, p2 = 21.4225 * r, dl = (39.8262 - longitude) * r;
    const double y = std::sin(dl) * std::cos(p2);
    const double x = std::cos(p1) * std::sin(p2) - std::sin(p1) * std::cos(p2) * std::cos(dl);
    return std::fmod(std::atan2(y, x) / r + 360, 360);
}

TEST(QiblaBearing, WellKnownCitiesMatchPublishedDirections)
{
    struct City {
        const char* name;
        double latitude, longitude;
        double published; // degrees from true north, as Qibla tables give it
    };
    const City cities[] = {
        {"New York", 40.7128, -74.0060, 58.5},     {"London", 51.5074, -0.1278, 119.0},
        {"Jakarta", -6.2088, 106.8456, 295.1},     {"Sydney", -33.8688, 151.2093, 277.5},
        {"Tokyo", 35.6762, 139.6503, 293.0},       {"Cairo", 30.0444, 31.2357, 136.1},
        {"Los Angeles", 34.0522, -118.2437, 23.9}, {"Istanbul", 41.0082, 28.9784, 151.6},
        {"Cape Town", -33.9249, 18.4241, 23.4},
    };
    for (const City& c : cities) {
        SCOPED_TRACE(c.name);
        const qibla::Bearing b = qibla::qiblaBearing(c.longitude, c.latitude);
        ASSERT_TRUE(b.defined);
        // The window's Kaaba lies a few metres from the tables' one.
        EXPECT_NEAR(b.degrees, greatCircleBearing(c.latitude, c.longitude), 0.005);
        EXPECT_NEAR(qibla::roundedBearing(b.degrees), c.published, 0.1 + 1e-4);
    }
}

TEST(QiblaBearing, MeridianOfTheKaabaPointsStraightNorthOrSouth)
{
    EXPECT_DOUBLE_EQ(qibla::qiblaBearing(qibla::kKaabaLongitude, -10).degrees, 0);
    EXPECT_NEAR(qibla::qiblaBearing(qibla::kKaabaLongitude, 50).degrees, 180, 1e-9);
}

TEST(QiblaBearing, KaabaAndItsAntipodeHaveNoDirection)
{
    struct Case {
        const char* what;
        double longitude, latitude;
        bool defined;
    };
    const Case cases[] = {
        {"the Kaaba", qibla::kKaabaLongitude, qibla::kKaabaLatitude, false},
        {"the antipode", qibla::kKaabaLongitude - 180, -qibla::kKaabaLatitude, false},
        {"the antipode, east side", qibla::kKaabaLongitude + 180, -qibla::kKaabaLatitude, false},
        // The shipped Mecca location is some 15 m from the Kaaba: a real direction.
        {"Mecca as shipped", 39 + 49 / 60.0 + 34 / 3600.0, 21 + 25 / 60.0 + 21 / 3600.0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const qibla::Bearing b = qibla::qiblaBearing(c.longitude, c.latitude);
        EXPECT_EQ(b.defined, c.defined);
        EXPECT_TRUE(std::isfinite(b.degrees));
        EXPECT_GE(b.degrees, 0);
        EXPECT_LT(b.degrees, 360);
        if (!c.defined) {
            EXPECT_EQ(b.degrees, 0);
        }
    }
}

TEST(QiblaBearing, PolesGiveTheBearingAlongTheMeridianOfTheLongitude)
{
    // At the north pole every way is south; the bearing is measured from the
    // meridian of the given longitude: 180 - (Kaaba longitude - longitude).
    for (double longitude : {-180.0, -90.0, 0.0, 39.8261167, 120.0, 180.0}) {
        SCOPED_TRACE(longitude);
        const qibla::Bearing north = qibla::qiblaBearing(longitude, 90);
        ASSERT_TRUE(north.defined);
        double expected = 180 - (qibla::kKaabaLongitude - longitude);
        expected = std::fmod(expected + 720, 360);
        EXPECT_NEAR(std::fmod(north.degrees - expected + 540, 360), 180, 1e-6);
        const qibla::Bearing south = qibla::qiblaBearing(longitude, -90);
        ASSERT_TRUE(south.defined);
        double fromSouth = std::fmod(qibla::kKaabaLongitude - longitude + 720, 360);
        EXPECT_NEAR(std::fmod(south.degrees - fromSouth + 540, 360), 180, 1e-6);
    }
}

TEST(QiblaBearing, DueEastOrWestWithoutDivisionByZero)
{
    // 100 degrees from the Kaaba's meridian the northward component of the
    // direction changes sign near latitude 66: across that line the bearing
    // goes through 90 (or 270) and never turns negative.
    for (double latitude = 40; latitude <= 80; latitude += 0.01) {
        for (double longitude : {qibla::kKaabaLongitude - 100, qibla::kKaabaLongitude + 100}) {
            const qibla::Bearing b = qibla::qiblaBearing(longitude, latitude);
            ASSERT_GE(b.degrees, 0) << latitude;
            ASSERT_LT(b.degrees, 360) << latitude;
            EXPECT_NEAR(b.degrees, greatCircleBearing(latitude, longitude), 0.01);
        }
    }
}

TEST(QiblaBearing, RoundingAndShortestText)
{
    struct Case {
        double degrees;
        const char* text;
    };
    const Case cases[] = {
        {45.0, "45"},      {135.6, "135.6"}, {135.649, "135.6"}, {135.65, "135.7"}, {359.95, "360"},
        {359.94, "359.9"}, {89.96, "90"},    {0.04, "0"},        {0.05, "0.1"},     {12.25, "12.3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.degrees);
        EXPECT_EQ(qibla::shortestText(qibla::roundedBearing(c.degrees)), c.text);
    }
}

} // namespace
