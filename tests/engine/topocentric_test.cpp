#include <cmath>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "engine/modcorsvl.h"
#include "engine/modearthglobe.h"
#include "engine/modeclequa.h"
#include "engine/modecltopo.h"
#include "engine/modlasttdt.h"
#include "engine/modobliquity.h"
#include "enginefixture.h"
#include "platform/fault.h"

using namespace enginetest;

namespace {

constexpr double kDtr = kPi15 / 180;

struct Topo {
    double lambdaT = 0, betaT = 0, s = 0, sT = 0, parallax = 0;
};

Topo topoHere(double jd, double eps, double dpsi, double lambda, double beta, double delta,
              const char* body)
{
    Topo t;
    ecltopo(kPi15, jd, eps, dpsi, lambda, beta, delta, t.lambdaT, t.betaT, t.s, t.sT, t.parallax,
            body);
    return t;
}

Topo topoAt(double lon, double lat, double jd, double eps, double dpsi, double lambda, double beta,
            double R)
{
    Topo t;
    double spare = 0;
    corsvltopo(lon, lat, kPi15, jd, eps, dpsi, lambda, beta, R, t.lambdaT, t.betaT, t.s, t.sT,
               t.parallax, spare);
    return t;
}

void toEquatorial(double eps, double lambda, double beta, double& alpha, double& delta)
{
    eclequa(kPi15, 0, eps, lambda, beta, alpha, delta);
}

} // namespace

TEST(EarthGlobe, PositionTerms)
{
    struct Case {
        const char* what;
        double lat, height, rhoSin, rhoCos, tolerance;
    } cases[] = {
        {"equator at sea level", 0, 0, 0, 1, 1e-15},
        {"Meeus Example 11.a, Palomar", dms(33, 21, 22), 1706, 0.546861, 0.836339, 1e-6},
        {"the pole", 90 - 1e-12, 0, 0.99664719, 0, 1e-9},
    };
    for (const Case& c : cases) {
        double rs = 0, rc = 0;
        pi = 0;
        earthglobe(c.lat, c.height, rs, rc);
        EXPECT_NEAR(rs, c.rhoSin, c.tolerance) << c.what;
        EXPECT_NEAR(rc, c.rhoCos, c.tolerance) << c.what;
        EXPECT_EQ(pi, kPi15);
    }
    // 6378.14 m is a thousandth of the equatorial radius.
    double rs0 = 0, rc0 = 0, rs = 0, rc = 0;
    earthglobe(30, 0, rs0, rc0);
    earthglobe(30, 6378.14, rs, rc);
    EXPECT_NEAR(rs - rs0, 0.001 * std::sin(30 * kDtr), 1e-15);
    EXPECT_NEAR(rc - rc0, 0.001 * std::cos(30 * kDtr), 1e-15);
}

TEST(EclipticToEquatorial, Cases)
{
    struct Case {
        const char* what;
        double eps, lambda, beta, alpha, delta, tolerance;
    } cases[] = {
        {"summer solstice", 23.44, 90, 0, 90, 23.44, 1e-12},
        {"winter solstice", 23.44, 270, 0, 270, -23.44, 1e-12},
        {"the equinox is 0, never 360", 23.44, 0, 0, 0, 0, 0},
        {"Meeus Example 13.a, Pollux", 23.4392911, 113.215630, 6.684170, 116.328942, 28.026183,
         2e-6},
        {"third quadrant", 23.44, 200, -5, 196.536094778910, -12.444708314969, 1e-10},
    };
    for (const Case& c : cases) {
        double alpha = -1, delta = -1;
        toEquatorial(c.eps, c.lambda, c.beta, alpha, delta);
        EXPECT_NEAR(alpha, c.alpha, c.tolerance) << c.what;
        EXPECT_NEAR(delta, c.delta, c.tolerance) << c.what;
        EXPECT_LT(alpha, 360) << c.what;
    }
}

using Topocentric = SeriesTest;

TEST_F(Topocentric, ParallaxAndSemidiameter)
{
    struct Case {
        const char* body;
        double delta, parallax, s, tolerance;
    } cases[] = {
        {"S", 1, 0.00244277777778, 0.266563889, 1e-15},
        {"S", 0.9833, 0.00244277777778 / 0.9833, 0.266563889 / 0.9833, 1e-15},
        {"M", 385000.56, 0.94924, 0.25866, 5e-6},
        {"Sun", 385000.56, 0.94924, 0.25866, 5e-6}, // only "S" is the Sun
    };
    for (const Case& c : cases) {
        const Topo t = topoHere(2451545.0, 23.44, 0, 120, 0.5, c.delta, c.body);
        EXPECT_NEAR(t.parallax, c.parallax, c.tolerance) << c.body << " " << c.delta;
        EXPECT_NEAR(t.s, c.s, c.tolerance) << c.body << " " << c.delta;
    }
}

// The ecliptic formulas against plain vector geometry: the body's geocentric
// vector in Earth radii (1 / sin parallax) less the observer's, in equatorial
// coordinates. This gives the topocentric right ascension, declination and,
// from the topocentric distance, the semidiameter.
TEST_F(Topocentric, AgreesWithTheObserversVectorTakenOff)
{
    struct Case {
        const char* what;
        std::string loc;
        double lon, lat, height;
        double jd, mode, lambda, beta, delta;
        const char* body;
    } cases[] = {
        {"Moon high over Mecca", kMeccaLine, dms(39, 49, 34), dms(21, 25, 21), 277, 2460311.75, 0,
         300, 4.5, 370000, "M"},
        {"Moon low in the south-west, southern and western place",
         locLine(70, 40, 0, 33, 27, 0, 520, false, false), -(70 + 40.0 / 60), -(33 + 27.0 / 60),
         520, 2460100.125, 1, 35, -5.1, 402000, "M"},
        {"Sun, high northern place", locLine(18, 57, 0, 69, 39, 0, 10, true, true), 18 + 57.0 / 60,
         69 + 39.0 / 60, 10, 2460480.5, 0, 90.5, 0.0001, 1.0163, "S"},
        {"Sun on the date line", locLine(179, 59, 59, 0, 0, 1, 3000, true, false),
         179 + 59.0 / 60 + 59.0 / 3600, -1.0 / 3600, 3000, 2451545.0, 0, 280.2, -0.0002, 0.9833,
         "S"},
    };
    for (const Case& c : cases) {
        put("loc.zvd", c.loc);
        tdtmode = c.mode;
        double dpsi = 0, deps = 0, eps = 0;
        obliquity(c.jd, dpsi, deps, eps);
        const Topo t = topoHere(c.jd, eps, dpsi, c.lambda, c.beta, c.delta, c.body);

        double theta = 0, rs = 0, rc = 0;
        lasttdt(c.jd, c.lon, eps * kDtr, dpsi, theta);
        earthglobe(c.lat, c.height, rs, rc);
        double alpha = 0, delta = 0;
        toEquatorial(eps, c.lambda, c.beta, alpha, delta);
        const double r = 1 / std::sin(t.parallax * kDtr);
        const double x =
            r * std::cos(delta * kDtr) * std::cos(alpha * kDtr) - rc * std::cos(theta * kDtr);
        const double y =
            r * std::cos(delta * kDtr) * std::sin(alpha * kDtr) - rc * std::sin(theta * kDtr);
        const double z = r * std::sin(delta * kDtr) - rs;
        const double dist = std::sqrt(x * x + y * y + z * z);
        const double alphaT = std::atan2(y, x) / kDtr;
        const double deltaT = std::asin(z / dist) / kDtr;
        const double sT = std::asin(r * std::sin(t.s * kDtr) / dist) / kDtr;

        double alphaT2 = 0, deltaT2 = 0;
        toEquatorial(eps, t.lambdaT, t.betaT, alphaT2, deltaT2);
        EXPECT_NEAR(angleDiff(alphaT2, alphaT), 0, 1e-8) << c.what;
        EXPECT_NEAR(deltaT2, deltaT, 1e-8) << c.what;
        EXPECT_NEAR(t.sT, sT, 1e-9) << c.what;
        EXPECT_GE(t.lambdaT, 0) << c.what;
        EXPECT_LT(t.lambdaT, 360) << c.what;
        EXPECT_GT(std::fabs(t.lambdaT - c.lambda) + std::fabs(t.betaT - c.beta), 1e-6) << c.what;
        tdtmode = 0;
    }
}

// Meeus, Example 40.a: Mars from Palomar on 2003 August 28 at 3h 17m UT. Its
// parallax is the Sun's formula at 0.37276 AU, so the "S" body serves.
TEST_F(Topocentric, MeeusExample40a)
{
    put("loc.zvd", locLine(116, 51, 45, 33, 21, 22, 1706, false, true));
    const double jd = 2452879.63681;
    double dpsi = 0, deps = 0, eps = 0;
    obliquity(jd, dpsi, deps, eps);
    const double alpha = hms(22, 38, 7.25), delta = dms(-15, 46, 15.9);
    const double e = eps * kDtr, a = alpha * kDtr, d = delta * kDtr;
    const double lambda =
        std::atan2(std::sin(a) * std::cos(e) + std::tan(d) * std::sin(e), std::cos(a)) / kDtr;
    const double beta =
        std::asin(std::sin(d) * std::cos(e) - std::cos(d) * std::sin(e) * std::sin(a)) / kDtr;
    const Topo t = topoHere(jd, eps, dpsi, lambda, beta, 0.37276, "S");
    double alphaT = 0, deltaT = 0;
    toEquatorial(eps, t.lambdaT, t.betaT, alphaT, deltaT);
    EXPECT_NEAR(arcsec(angleDiff(alphaT, hms(22, 38, 8.54))), 0, 0.2);
    EXPECT_NEAR(arcsec(deltaT - dms(-15, 46, 30.0)), 0, 0.2);
}

TEST_F(Topocentric, ThePlaceComesFromTheFileAtEveryCall)
{
    struct Case {
        const char* what;
        std::string loc;
        double lon, lat;
    } cases[] = {
        {"South: 33 30' 0\" is -33.5", locLine(10, 15, 36, 33, 30, 0, 0, true, false), 10.26,
         -33.5},
        {"West: 10 15' 36\" is -10.26", locLine(10, 15, 36, 33, 30, 0, 0, false, true), -10.26,
         33.5},
        {"both", locLine(10, 15, 36, 33, 30, 0, 0, false, false), -10.26, -33.5},
    };
    const double jd = 2460000.5, eps = 23.436, dpsi = 0.004;
    for (const Case& c : cases) {
        put("loc.zvd", c.loc);
        const Topo here = topoHere(jd, eps, dpsi, 200, 0, 0.99, "S");
        const Topo there = topoAt(c.lon, c.lat, jd, eps, dpsi, 200, 0, 0.99);
        EXPECT_NEAR(here.lambdaT, there.lambdaT, 1e-12) << c.what;
        EXPECT_NEAR(here.betaT, there.betaT, 1e-12) << c.what;
        EXPECT_NEAR(here.sT, there.sT, 1e-12) << c.what;
    }
    // corsvltopo is at sea level; the saved height does count for ecltopo.
    put("loc.zvd", locLine(10, 15, 36, 33, 30, 0, 2500, true, true));
    const Topo high = topoHere(jd, eps, dpsi, 200, 0, 0.99, "S");
    const Topo sea = topoAt(10.26, 33.5, jd, eps, dpsi, 200, 0, 0.99);
    EXPECT_GT(std::fabs(high.betaT - sea.betaT), 1e-9);
}

TEST_F(Topocentric, AMissingPlaceFileStopsTheProgram)
{
    std::filesystem::remove(file("loc.zvd"));
    try {
        topoHere(2451545.0, 23.44, 0, 120, 0, 1, "S");
        FAIL() << "no stop";
    } catch (const platform::FileFault& fault) {
        EXPECT_EQ(fault.kind(), platform::FileFaultKind::Missing);
        EXPECT_EQ(fault.file(), "loc.zvd");
    }
}
