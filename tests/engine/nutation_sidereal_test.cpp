#include <cmath>
#include <cstring>

#include <gtest/gtest.h>

#include "engine/moddeltat.h"
#include "engine/modlasttdt.h"
#include "engine/modobliquity.h"
#include "engine/modsiderial.h"
#include "enginefixture.h"

using namespace enginetest;

namespace {

struct Nutation {
    double dpsi = 0, deps = 0, eps = 0;
};

Nutation nutationAt(double jd)
{
    Nutation n;
    obliquity(jd, n.dpsi, n.deps, n.eps);
    return n;
}

double sidereal(double jd)
{
    double theta = 0;
    siderial(jd, theta);
    return theta;
}

double deltaT(double jd)
{
    double dT = 0;
    deltat(jd, dT);
    return dT;
}

} // namespace

using Nutation_ = SeriesTest;

// Meeus, Example 22.a: 1987 April 10 at 0 h TD.
TEST_F(Nutation_, MeeusExample22a)
{
    tdtmode = 1;
    pi = 0;
    const Nutation n = nutationAt(2446895.5);
    EXPECT_NEAR(arcsec(n.dpsi), -3.788, 0.0015);
    EXPECT_NEAR(arcsec(n.deps), 9.443, 0.0015);
    EXPECT_NEAR(arcsec(n.eps - n.deps), arcsec(dms(23, 26, 27.407)), 0.0015);
    EXPECT_NEAR(arcsec(n.eps), arcsec(dms(23, 26, 36.850)), 0.0015);
    EXPECT_EQ(pi, kPi15);
}

TEST_F(Nutation_, MeanObliquityAtJ2000)
{
    tdtmode = 1;
    const Nutation n = nutationAt(2451545.0);
    EXPECT_DOUBLE_EQ(n.eps - n.deps, 84381.448 / 3600);
}

// With tdtmode = 0 the instant is UT and Delta T is added; with 1 it is TT.
TEST_F(Nutation_, UniversalTimeEqualsTerrestrialTimeLaterByDeltaT)
{
    for (double jd : {2305445.5, 2415020.5, 2446895.5, 2451545.0, 2469807.5}) {
        tdtmode = 0;
        const Nutation ut = nutationAt(jd);
        tdtmode = 1;
        const Nutation tt = nutationAt(jd + deltaT(jd));
        EXPECT_DOUBLE_EQ(ut.dpsi, tt.dpsi) << jd;
        EXPECT_DOUBLE_EQ(ut.deps, tt.deps) << jd;
        EXPECT_DOUBLE_EQ(ut.eps, tt.eps) << jd;
    }
}

TEST_F(Nutation_, WithoutTheTableTheNutationIsZero)
{
    std::memset(mterm, 0, sizeof mterm);
    tdtmode = 1;
    const Nutation n = nutationAt(2446895.5);
    EXPECT_EQ(n.dpsi, 0);
    EXPECT_EQ(n.deps, 0);
    EXPECT_NEAR(arcsec(n.eps), arcsec(dms(23, 26, 27.407)), 0.0015);
}

using SiderealTime = SeriesTest;

// Meeus, Example 12.a: 1987 April 10 at 0 h UT, apparent 13h 10m 46.1351s.
TEST_F(SiderealTime, MeeusExample12a)
{
    pi = 0;
    EXPECT_NEAR(sidereal(2446895.5), hms(13, 10, 46.1351), 2e-6);
    EXPECT_EQ(pi, kPi15);
}

TEST_F(SiderealTime, TerrestrialTimeHasDeltaTTakenOff)
{
    for (double jd : {2415020.5, 2446895.5, 2451545.0, 2460000.25, 2469807.5}) {
        tdtmode = 0;
        const double ut = sidereal(jd);
        tdtmode = 1;
        const double tt = sidereal(jd + deltaT(jd));
        EXPECT_NEAR(angleDiff(tt, ut), 0, 1e-6) << jd;
    }
}

// One solar day on, the sidereal time has moved 0.98565 degrees, on both sides
// of J2000 (where the raw value changes sign) and across the 0/360 seam; the
// nutation moves it by up to a tenth of an arcsecond a day.
TEST_F(SiderealTime, StaysInRangeAndAdvancesSmoothly)
{
    for (double jd = 2446890.5; jd < 2446890.5 + 400; jd += 1) {
        const double a = sidereal(jd);
        const double b = sidereal(jd + 1);
        ASSERT_GE(a, 0);
        ASSERT_LT(a, 360);
        EXPECT_NEAR(angleDiff(b, a), 0.98564736629, 1e-4) << jd;
    }
    for (double jd = 2451545.0 + 7000; jd < 2451545.0 + 7400; jd += 1) {
        const double a = sidereal(jd);
        ASSERT_GE(a, 0);
        ASSERT_LT(a, 360);
        EXPECT_NEAR(angleDiff(sidereal(jd + 1), a), 0.98564736629, 1e-4) << jd;
    }
}

TEST_F(SiderealTime, LocalTimeAtGreenwichEqualsTheGreenwichTime)
{
    struct Case {
        double jd, lon, mode;
    } cases[] = {
        {2446895.5, 0, 0},       {2451545.0, 0, 1},          {2460311.75, 0, 0},
        {2460311.75, 39.826, 0}, {2460311.75, -116.8625, 1}, {2433282.5, 180, 0},
    };
    for (const Case& c : cases) {
        tdtmode = c.mode;
        const Nutation n = nutationAt(c.jd);
        double local = 0;
        lasttdt(c.jd, c.lon, kPi15 * n.eps / 180, n.dpsi, local);
        EXPECT_GE(local, 0);
        EXPECT_LT(local, 360);
        EXPECT_NEAR(angleDiff(local, sidereal(c.jd) + c.lon), 0, 1e-9) << c.jd << " " << c.lon;
    }
}
