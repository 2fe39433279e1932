#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "engine/modcorsvl.h"
#include "engine/modjul.h"
#include "engine/modriseset.h"
#include "engine/modvlowriseset.h"
#include "enginefixture.h"
#include "settings/records.h"

namespace {

using enginetest::arcsec;

struct RiseSet {
    EventTime rise, set;
};

RiseSet vlow(double JD, double lon, double lat, const std::string& body)
{
    RiseSet r;
    vlowriseset(JD, lon, lat, r.rise, r.set, body);
    return r;
}

double julianDay(double y, double m, double d)
{
    double JD = 0;
    jul(y, m, d, 0, JD);
    return JD;
}

} // namespace

using Vlowriseset = enginetest::SeriesTest;

TEST(VlowZone, NearestWholeZoneHalvesToEven)
{
    struct Case {
        double longitude, zone;
    } cases[] = {
        {7.5, 0}, {22.5, 2}, {-97.5, -6}, {37.5, 2}, {52.5, 4}, {-7.5, 0},
        {7.6, 1}, {7.4, 0},  {-7.6, -1},  {0, 0},    {180, 12}, {-172.5, -12},
    };
    for (const Case& c : cases)
        EXPECT_EQ(vlowZone(c.longitude), c.zone) << c.longitude;
}

TEST(VlowResult, TwentyFourHoursIsStillATime)
{
    struct Case {
        double hours;
        bool isTime;
    } cases[] = {
        {24.0, true},
        {0.0, true},
        {12.5, true},
        {std::nextafter(24.0, 25.0), false},
        {-1e-12, false},
        {std::numeric_limits<double>::quiet_NaN(), false},
        {std::numeric_limits<double>::infinity(), false},
    };
    for (const Case& c : cases) {
        const EventTime t = vlowResult(c.hours);
        EXPECT_EQ(!t.isMarker(), c.isTime) << c.hours;
        if (c.isTime) {
            EXPECT_EQ(t.hours, c.hours);
        } else {
            EXPECT_TRUE(t.is(TimeMarker::NoEvent)) << c.hours;
        }
    }
}

// The results are clock hours of the zone nearest to the longitude: a step of
// 0.1 degree across a zone boundary moves the sunrise by the whole hour of the
// zone (less the 0.4 minutes of the step itself); within a zone it hardly moves.
TEST_F(Vlowriseset, ResultsAreHoursOfTheNearestZone)
{
    struct Case {
        double west, east, hours; // east's sunrise minus west's, about
    } cases[] = {
        {7.4, 7.5, 0},     // both zone 0
        {7.5, 7.6, 1},     // 0 -> 1
        {22.4, 22.5, 1},   // 1 -> 2
        {22.5, 22.6, 0},   // both zone 2
        {-97.6, -97.5, 1}, // -7 -> -6
    };
    const double JD = julianDay(2027, 3, 20);
    for (const Case& c : cases) {
        const RiseSet w = vlow(JD, c.west, 30, "Sun");
        const RiseSet e = vlow(JD, c.east, 30, "Sun");
        ASSERT_FALSE(w.rise.isMarker() || e.rise.isMarker()) << c.west;
        EXPECT_NEAR(e.rise.hours - w.rise.hours, c.hours - 0.4 / 60, 0.01) << c.west;
        EXPECT_NEAR(e.set.hours - w.set.hours, c.hours - 0.4 / 60, 0.01) << c.west;
    }
}

TEST_F(Vlowriseset, NoCrossingGivesNoEventAtThisTier)
{
    struct Case {
        const char* what;
        double lat, month;
    } cases[] = {
        {"midnight sun", 70, 6},
        {"polar night", 70, 12},
        {"southern polar night", -75, 6},
    };
    for (const Case& c : cases) {
        const RiseSet r = vlow(julianDay(2027, c.month, 21), 20, c.lat, "Sun");
        EXPECT_TRUE(r.rise.is(TimeMarker::NoEvent)) << c.what;
        EXPECT_TRUE(r.set.is(TimeMarker::NoEvent)) << c.what;
    }
}

// With the body exactly on the meridian the correction step would divide by
// sin H = 0; it leaves the time as it was instead of making it infinite.
TEST_F(Vlowriseset, CorrectionOnTheMeridianLeavesTheTime)
{
    // At noon UT on this day the sidereal time lies near the Sun's right
    // ascension, so that alpha - theta is exact and theta + lon gives alpha back.
    const double JD0 = 2461501.0;
    double alpha, delta, aP, dP, lambda, beta, lP, bP, R, spare = 0, theta;
    corsvl(0, 0, JD0, alpha, delta, aP, dP, lambda, beta, lP, bP, R, spare);
    vlowsiderial(JD0, theta);
    // A longitude that puts the Sun's hour angle at exactly 0 (the geocentric
    // place does not depend on the observer).
    double lon = alpha - theta;
    for (int i = 0; i < 64 && (theta + lon) - alpha != 0; ++i)
        lon = std::nextafter(lon, (theta + lon) - alpha > 0 ? -1e9 : 1e9);
    ASSERT_EQ((theta + lon) - alpha, 0);
    ASSERT_EQ((theta + lon) - alpha, 0);

    double t = 0;
    vlowcrc(t, JD0, -0.833333, 40, lon, "Sun");
    EXPECT_EQ(t, 0);

    // Away from the meridian the step is taken.
    double t2 = 0;
    vlowcrc(t2, JD0, -0.833333, 40, lon + 30, "Sun");
    EXPECT_NE(t2, 0);
    EXPECT_TRUE(std::isfinite(t2));
}

// Meeus Example 12.a: 1987 April 10, 0h UT, apparent sidereal time
// 13h 10m 46.1351s (mean 13h 10m 46.3668s); the four-term nutation is good to
// a few hundredths of a second of time here. The instant is UT whatever
// tdtmode says.
TEST_F(Vlowriseset, SiderealTimeExample12aInUniversalTime)
{
    for (const double mode : {0.0, 1.0}) {
        tdtmode = mode;
        double theta = 0;
        vlowsiderial(2446895.5, theta);
        EXPECT_NEAR(arcsec(theta - enginetest::hms(13, 10, 46.1351)) / 15, 0, 0.03) << mode;
        EXPECT_EQ(pi, kPi15);
    }
    double theta = 0;
    vlowsiderial(2451545.0 + 36525 * 0.5 + 0.3, theta);
    EXPECT_GE(theta, 0);
    EXPECT_LT(theta, 360);
}

// Meeus Example 22.a (1987 April 10, 0h TT): dpsi = -3.788", deps = +9.443",
// true obliquity 23 26' 36.850"; the output order is deps, dpsi, eps, and
// Delta T (about 55 s) is added whatever tdtmode says.
TEST_F(Vlowriseset, FourTermNutationAddsDeltaTAlways)
{
    const double JD = 2446895.5 - 55.0 / 86400; // the UT of that instant
    double dEps0 = 0, dPsi0 = 0, eps0 = 0, dEps1 = 0, dPsi1 = 0, eps1 = 0;
    tdtmode = 0;
    vlownut(JD, dEps0, dPsi0, eps0);
    tdtmode = 1;
    vlownut(JD, dEps1, dPsi1, eps1);
    EXPECT_EQ(dPsi0, dPsi1);
    EXPECT_EQ(dEps0, dEps1);
    EXPECT_EQ(eps0, eps1);
    EXPECT_NEAR(arcsec(dPsi0), -3.788, 0.5);
    EXPECT_NEAR(arcsec(dEps0), 9.443, 0.1);
    EXPECT_NEAR(arcsec(eps0 - enginetest::dms(23, 26, 36.850)), 0, 0.1);
}

namespace {

struct Town {
    const char* name;
    double lon, lat;
    std::string line; // the same place in loc.zvd, at sea level
};

const Town kTowns[] = {
    {"Mecca", 39 + 49 / 60.0 + 34 / 3600.0, 21 + 25 / 60.0 + 21 / 3600.0,
     enginetest::locLine(39, 49, 34, 21, 25, 21, 0, true, true)},
    {"London", -0.12, 51.5, enginetest::locLine(0, 7, 12, 51, 30, 0, 0, false, true)},
    {"New York", -74, 40.72, enginetest::locLine(74, 0, 0, 40, 43, 12, 0, false, true)},
    {"Cape Town", 18.42, -33.92, enginetest::locLine(18, 25, 12, 33, 55, 12, 0, true, false)},
    {"Jakarta", 106.85, -6.2, enginetest::locLine(106, 51, 0, 6, 12, 0, 0, true, false)},
};

} // namespace

// Against the event finder (low-precision scan, medium-precision refinement,
// integrated refraction) for the same places at sea level: the lowest tier's
// fixed horizon altitudes and its simpler theories keep within a minute for
// the Sun and two for the Moon (in practice a few seconds: the fixed altitudes
// are close to the integrated ones at sea level in the standard weather).
TEST_F(Vlowriseset, AgreesWithTheEventFinder)
{
    settings::Preferences pref = settings::Preferences::defaults();
    ASSERT_TRUE(settings::writePreferences(pref).ok);
    series::loadElp();
    struct Limit {
        const char* body;
        double minutes;
    } limits[] = {{"Sun", 1.0}, {"Moon", 2.0}};
    for (const Limit& b : limits) {
        int compared = 0;
        for (const Town& town : kTowns) {
            put("loc.zvd", town.line);
            for (double month = 1; month <= 12; month += 1) {
                const double JD = julianDay(2027, month, 5 + 2 * month);
                const double JD0 = JD - vlowZone(town.lon) / 24;
                const RiseSet v = vlow(JD, town.lon, town.lat, b.body);
                RiseSet f;
                riseset(b.body, JD0, f.rise, f.set);
                const EventTime* ours[] = {&v.rise, &v.set};
                const EventTime* theirs[] = {&f.rise, &f.set};
                for (int k = 0; k < 2; ++k) {
                    if (ours[k]->isMarker() || theirs[k]->isMarker())
                        continue;
                    ++compared;
                    const double minutes = (ours[k]->hours - theirs[k]->hours) * 60;
                    EXPECT_NEAR(minutes, 0, b.minutes) << b.body << " " << town.name << " month "
                                                       << month << (k == 0 ? " rise" : " set");
                }
            }
        }
        EXPECT_GT(compared, 100) << b.body;
    }
}

TEST_F(Vlowriseset, WorksBeforePiIsFirstStored)
{
    const double JD = julianDay(2027, 5, 1);
    for (const char* body : {"Sun", "Moon"}) {
        pi = kPi15;
        const RiseSet stored = vlow(JD, -74, 40.72, body);
        pi = 0;
        const RiseSet unset = vlow(JD, -74, 40.72, body);
        EXPECT_EQ(unset.rise, stored.rise) << body;
        EXPECT_EQ(unset.set, stored.set) << body;
        EXPECT_FALSE(unset.rise.isMarker()) << body;
    }
}
