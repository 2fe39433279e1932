// The Qibla times of a day against an independent computation: a low-precision
// Sun (Meeus, Astronomical Algorithms, ch. 25, with the mean sidereal time of
// ch. 12) whose azimuth is scanned over the local day minute by minute and
// each crossing of the target bisected to a fraction of a second.
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "engine/modgeneral.h"
#include "prayer/prayerfixture.h"
#include "tools/qibla.h"

namespace {

using prayertest::PrayerTest;

constexpr double kR = M_PI / 180;

// The Sun's apparent right ascension and declination, degrees (Meeus 25).
void lowSun(double jd, double& ra, double& dec)
{
    const double T = (jd - 2451545.0) / 36525;
    const double L0 = 280.46646 + 36000.76983 * T;
    const double M = (357.52911 + 35999.05029 * T) * kR;
    const double C = (1.914602 - 0.004817 * T) * std::sin(M) + 0.019993 * std::sin(2 * M) +
                     0.000289 * std::sin(3 * M);
    const double omega = (125.04 - 1934.136 * T) * kR;
    const double lambda = (L0 + C - 0.00569 - 0.00478 * std::sin(omega)) * kR;
    const double eps = (23.439291 - 0.0130042 * T + 0.00256 * std::cos(omega)) * kR;
    ra = std::atan2(std::cos(eps) * std::sin(lambda), std::cos(lambda)) / kR;
    dec = std::asin(std::sin(eps) * std::sin(lambda)) / kR;
}

// Azimuth from north through east, degrees, at UT Julian Day jd.
double azimuth(double jd, double longitude, double latitude)
{
    double ra, dec;
    lowSun(jd, ra, dec);
    const double T = (jd - 2451545.0) / 36525;
    const double theta = 280.46061837 + 360.98564736629 * (jd - 2451545.0) + 0.000387933 * T * T;
    const double H = (theta + longitude - ra) * kR;
    const double phi = latitude * kR, d = dec * kR;
    const double A =
        std::atan2(std::sin(H), std::cos(H) * std::sin(phi) - std::tan(d) * std::cos(phi));
    return std::fmod(A / kR + 180 + 720, 360);
}

double offset(double jd, double longitude, double latitude, double target)
{
    return std::remainder(azimuth(jd, longitude, latitude) - target, 360);
}

// Local hours (0 to 24) at which the Sun's azimuth is `target`.
std::vector<double> crossings(double JD0, double longitude, double latitude, double target)
{
    std::vector<double> hours;
    const double step = 1.0 / 60;
    for (double t = 0; t < 24; t += step) {
        double a = t, b = t + step;
        double fa = offset(JD0 + a / 24, longitude, latitude, target);
        const double fb = offset(JD0 + b / 24, longitude, latitude, target);
        if ((fa < 0) == (fb < 0) || std::fabs(fa - fb) > 90)
            continue;
        for (int i = 0; i < 40; ++i) {
            const double m = (a + b) / 2;
            const double fm = offset(JD0 + m / 24, longitude, latitude, target);
            if ((fm < 0) == (fa < 0))
                a = m, fa = fm;
            else
                b = m;
        }
        hours.push_back((a + b) / 2);
    }
    return hours;
}

class QiblaTimesTest : public PrayerTest {};

TEST_F(QiblaTimesTest, TimesAgreeWithAnIndependentSun)
{
    struct Case {
        const char* what;
        prayertest::Place place;
        int year, month, day;
        double target; // azimuth: the bearing, or the bearing + 180 for the shadow
    };
    const Case cases[] = {
        {"London, Sun, midsummer", {"London", 51.5074, -0.1278, 0, 0}, 2027, 6, 21, 119.0},
        {"London, shadow, midsummer", {"London", 51.5074, -0.1278, 0, 0}, 2027, 6, 21, 299.0},
        {"Cairo, Sun, midwinter", {"Cairo", 30.0444, 31.2357, 0, 2}, 2027, 12, 21, 136.1},
        {"Jakarta, Sun, June", {"Jakarta", -6.2088, 106.8456, 0, 7}, 2027, 6, 21, 295.1},
        // The Sun north of the zenith swings between north-east and north-west:
        // 300 is reached twice, in the evening and below the horizon at night.
        {"Kuala Lumpur, target 300, June",
         {"Kuala Lumpur", 3.139, 101.6869, 0, 8},
         2027,
         6,
         21,
         300},
        {"Sydney, Sun, January", {"Sydney", -33.8688, 151.2093, 0, 10}, 2027, 1, 15, 277.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        loc = prayertest::location(c.place);
        save();
        const double JD0 = prayertest::jd(c.year, c.month, c.day) - c.place.zon / 24;
        qibla::QiblaDayTimes day;
        qibla::qiblaTimesOfDay(JD0, c.target, c.place.longitude, c.place.latitude, -0.8333, "0",
                               day);
        const std::vector<double> expected =
            crossings(JD0, c.place.longitude, c.place.latitude, c.target);
        std::vector<double> found;
        for (const qibla::QiblaTime* t : {&day.first, &day.second})
            if (t->found)
                found.push_back(t->hours);
        ASSERT_EQ(found.size(), expected.size());
        if (std::string(c.what).rfind("Kuala", 0) == 0) {
            EXPECT_EQ(found.size(), 2u);
        }
        ASSERT_FALSE(found.empty());
        for (size_t i = 0; i < found.size(); ++i)
            EXPECT_NEAR(found[i], expected[i], 10.0 / 3600) << "time " << i;
        if (found.size() == 2)
            EXPECT_LT(day.first.text, day.second.text);
        else
            EXPECT_EQ(day.second.text, "----");
    }
}

TEST_F(QiblaTimesTest, TimesAreMarkedBelowTheHorizon)
{
    // London in midsummer: the shadow bearing 299 is reached in the evening
    // with the Sun up, the Sun bearing 119 also in the morning; at the winter
    // solstice the Sun rises south of east (azimuth above 119 at sunrise), so
    // any solution near 119 lies below the horizon.
    loc = prayertest::location({"London", 51.5074, -0.1278, 0, 0});
    save();
    const double horizon = -0.8333;
    qibla::QiblaDayTimes summer;
    qibla::qiblaTimesOfDay(prayertest::jd(2027, 6, 21), 119.0, -0.1278, 51.5074, horizon, "0",
                           summer);
    ASSERT_TRUE(summer.first.found);
    EXPECT_FALSE(summer.first.belowHorizon);
    qibla::QiblaDayTimes winter;
    qibla::qiblaTimesOfDay(prayertest::jd(2027, 12, 21), 119.0, -0.1278, 51.5074, horizon, "0",
                           winter);
    ASSERT_TRUE(winter.first.found);
    EXPECT_TRUE(winter.first.belowHorizon) << winter.first.text;
}

TEST_F(QiblaTimesTest, AzimuthNeverReachedGivesDashesAndPolesDoNotHang)
{
    struct Case {
        const char* what;
        double longitude, latitude, target;
        int month;
    };
    // Near the equator in May and June the Sun swings between north-east and
    // north-west, by day and by night: a bearing of 170, or 112.6 (south of
    // east), is never reached. At the poles the formula still answers without
    // a hang or a time outside the day.
    const Case cases[] = {
        {"equator, June, 170", 0, 0, 170, 6},
        {"Kuala Lumpur, May, 112.6", 101.6869, 3.139, 112.6, 5},
        {"north pole", 0, 90, 180, 6},
        {"south pole", 0, -90, 0, 12},
        {"near the north pole", 10, 89.9999, 200, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        loc = prayertest::location({"Here", c.latitude, c.longitude, 0, 0});
        save();
        qibla::QiblaDayTimes day;
        qibla::qiblaTimesOfDay(prayertest::jd(2027, c.month, 20), c.target, c.longitude, c.latitude,
                               -0.8333, "0", day);
        for (const qibla::QiblaTime* t : {&day.first, &day.second}) {
            if (t->found) {
                EXPECT_GE(t->hours, 0);
                EXPECT_LT(t->hours, 24);
                EXPECT_LE(t->steps, qibla::kMostQiblaSteps);
            } else {
                EXPECT_EQ(t->text, "----");
            }
        }
        if (c.latitude < 10 && c.latitude > -10) {
            EXPECT_EQ(day.first.text, "----");
            EXPECT_EQ(day.second.text, "----");
        }
    }
}

} // namespace
