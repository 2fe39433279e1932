#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/modcorsh.h"
#include "engine/modcorsl.h"
#include "engine/modcorsm.h"
#include "engine/modcorsvl.h"
#include "engine/moddabb.h"
#include "engine/moddeltat.h"
#include "engine/modobliquity.h"
#include "enginefixture.h"
#include "platform/fault.h"

using namespace enginetest;

namespace {

constexpr double kDtr = kPi15 / 180;

struct Sun {
    double alpha = 0, delta = 0, alphaT = 0, deltaT = 0, lambda = 0, beta = 0, lambdaT = 0,
           betaT = 0, R = 0, E = 0;
};

using SunProcedure = void (*)(double, double, double&, double&, double&, double&, double&, double&,
                              double&, double&, double&, double&);

Sun sunBy(SunProcedure procedure, double jd)
{
    Sun s;
    procedure(kPi15, jd, s.alpha, s.delta, s.alphaT, s.deltaT, s.lambda, s.beta, s.lambdaT, s.betaT,
              s.R, s.E);
    return s;
}

Sun lowestSun(double lon, double lat, double jd)
{
    Sun s;
    double spare = 0;
    corsvl(lon, lat, jd, s.alpha, s.delta, s.alphaT, s.deltaT, s.lambda, s.beta, s.lambdaT, s.betaT,
           s.R, spare);
    return s;
}

double deltaT(double jd)
{
    double dT = 0;
    deltat(jd, dT);
    return dT;
}

const struct Tier {
    const char* name;
    SunProcedure procedure;
} kTiers[] = {{"corsl", corsl}, {"corsm", corsm}, {"corsh", corsh}};

} // namespace

using SunPosition = SeriesTest;

// Meeus, Example 25.a: 1992 October 13.0 TD by the low-precision theory
// (Meeus' obliquity there has a one-term nutation, hence the wider alpha, delta).
TEST_F(SunPosition, LowPrecisionMeeusExample25a)
{
    tdtmode = 1;
    const Sun s = sunBy(corsl, 2448908.5);
    EXPECT_NEAR(s.lambda, 199.90895, 2e-5);
    EXPECT_EQ(s.beta, 0);
    EXPECT_NEAR(s.R, 0.99766, 1e-5);
    EXPECT_NEAR(s.alpha, 198.38083, 1e-4);
    EXPECT_NEAR(s.delta, -7.78507, 1e-4);
}

// Meeus, Example 25.b, the same instant from the complete VSOP87 series. The
// complete series gives L = -43.6348492682 rad, B = -0.0000036067 rad,
// R = 0.9976085202 AU (the series' provenance notes; Meeus' own figures come
// from his abridged series and lie 0.27" away). From there: FK5, Meeus'
// nutation +15.908" and aberration -20.539"; the aberration from the daily
// motion differs from the latter by well under 0.01".
TEST_F(SunPosition, HighPrecisionMeeusExample25b)
{
    tdtmode = 1;
    const double jd = 2448908.5, T = (jd - 2451545) / 36525;
    double L = -43.6348492682 / kDtr + 180;
    L = std::fmod(L, 360.0) + (L < 0 ? 360 : 0);
    const double lambda1 = (L - 1.397 * T - 0.00031 * T * T) * kDtr;
    const double beta = 3.6067e-6 / kDtr + 0.03916 / 3600 * (std::cos(lambda1) - std::sin(lambda1));
    const double lambda = L - 0.09 / 3600 + 15.908 / 3600 - 20.539 / 3600;

    const Sun s = sunBy(corsh, jd);
    EXPECT_NEAR(arcsec(s.lambda - lambda), 0, 0.02);
    EXPECT_NEAR(arcsec(s.beta - beta), 0, 0.001);
    EXPECT_NEAR(s.R, 0.9976085202, 1e-10);
    // Meeus, Example 28.a, from his 25.b: alpha 198.378178, E = 13m 42.6s.
    EXPECT_NEAR(arcsec(s.alpha - 198.378178), 0, 0.3);
    EXPECT_NEAR(s.E, 13.709404, 5e-4);
}

// The truncated series against the same leading terms taken from the
// published VSOP87D file: every row range and every unit scale of term.zvd
// shows in R to 1e-12 AU and in lambda to 1e-9 degrees.
TEST_F(SunPosition, MediumPrecisionSumsTheLeadingTermsOfEachSeries)
{
    std::map<std::string, std::vector<std::vector<double>>> vsop;
    std::ifstream in(testsupport::dataDir() / "series" / "vsop87d-earth.csv");
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) {
        std::stringstream fields(line);
        std::string name, rank, a, b, c;
        std::getline(fields, name, ',');
        std::getline(fields, rank, ',');
        std::getline(fields, a, ',');
        std::getline(fields, b, ',');
        std::getline(fields, c, ',');
        vsop[name].push_back({std::stod(a), std::stod(b), std::stod(c)});
    }
    ASSERT_EQ(vsop["L0"].size(), 559u);
    const std::map<std::string, int> counts = {
        {"L0", 78}, {"L1", 39}, {"L2", 27}, {"L3", 8}, {"L4", 4}, {"L5", 4}, {"B0", 7},
        {"B1", 3},  {"R0", 50}, {"R1", 14}, {"R2", 8}, {"R3", 2}, {"R4", 4}};
    auto coordinate = [&](char which, double tau) {
        double value = 0;
        for (int power = 5; power >= 0; --power) {
            const std::string name = std::string(1, which) + std::to_string(power);
            double sum = 0;
            if (counts.count(name)) {
                for (int i = 0; i < counts.at(name); ++i)
                    sum += vsop[name][i][0] * std::cos(vsop[name][i][1] + vsop[name][i][2] * tau);
            }
            value = value * tau + sum;
        }
        return value;
    };

    tdtmode = 1;
    for (double jd : {2451545.0, 2448908.5, 2305447.5, 2634167.5, 2378496.5, 2543000.25}) {
        const double tau = (jd - 2451545.0) / 365250;
        const double R = coordinate('R', tau);
        double L = coordinate('L', tau) / kDtr + 180;
        L = std::fmod(L, 360.0) + (L < 0 ? 360 : 0);
        double dpsi = 0, deps = 0, eps = 0;
        obliquity(jd, dpsi, deps, eps);
        const double lambda = L - 0.000025 + dpsi - 0.0056916111 / R;

        const Sun s = sunBy(corsm, jd);
        EXPECT_NEAR(s.R, R, 1e-12) << jd;
        EXPECT_NEAR(angleDiff(s.lambda, lambda), 0, 1e-9) << jd;
        EXPECT_NEAR(arcsec(s.beta), arcsec(-coordinate('B', tau) / kDtr), 0.05) << jd;
    }
}

// The three tiers over 1700-2300 at every 37.3 days: low precision within
// Meeus' 0.01 degree, the truncated series within 1" of the complete one.
TEST_F(SunPosition, TheTiersAgreeWithinTheirPrecision)
{
    tdtmode = 1;
    for (double jd = 2451545.0 - 300 * 365.25; jd < 2451545.0 + 300 * 365.25; jd += 37.3) {
        const Sun l = sunBy(corsl, jd), m = sunBy(corsm, jd), h = sunBy(corsh, jd);
        ASSERT_NEAR(angleDiff(l.lambda, h.lambda), 0, 0.01) << jd;
        ASSERT_NEAR(angleDiff(l.alpha, h.alpha), 0, 0.011) << jd;
        ASSERT_NEAR(l.delta, h.delta, 0.01) << jd;
        ASSERT_NEAR(l.R, h.R, 1e-4) << jd;
        ASSERT_NEAR(l.E, h.E, 0.05) << jd;
        ASSERT_NEAR(arcsec(angleDiff(m.lambda, h.lambda)), 0, 1) << jd;
        ASSERT_NEAR(arcsec(m.beta - h.beta), 0, 1) << jd;
        ASSERT_NEAR(arcsec(angleDiff(m.alpha, h.alpha)), 0, 1.1) << jd;
        ASSERT_NEAR(arcsec(m.delta - h.delta), 0, 1) << jd;
        ASSERT_NEAR(m.R, h.R, 5e-6) << jd;
        ASSERT_NEAR(m.E, h.E, 0.002) << jd;
        // The topocentric shift is the same few arcseconds in every tier.
        ASSERT_NEAR(arcsec(angleDiff(l.alphaT, l.alpha) - angleDiff(h.alphaT, h.alpha)), 0, 0.01)
            << jd;
        ASSERT_NEAR(arcsec((m.deltaT - m.delta) - (h.deltaT - h.delta)), 0, 0.01) << jd;
        ASSERT_LT(std::fabs(h.beta), 0.00035) << jd; // of the order of 1"
    }
}

// tdtmode = 1 takes the instant as TT: the result at JD + Delta T equals the
// result at JD in UT. The topocentric values go through the sidereal time,
// which takes Delta T off again at the later instant, hence the tolerance.
TEST_F(SunPosition, UniversalTimeEqualsTerrestrialTimeLaterByDeltaT)
{
    for (const Tier& tier : kTiers) {
        for (double jd : {2378496.5, 2451545.0, 2460676.3, 2524593.5}) {
            tdtmode = 0;
            const Sun ut = sunBy(tier.procedure, jd);
            tdtmode = 1;
            const Sun tt = sunBy(tier.procedure, jd + deltaT(jd));
            EXPECT_DOUBLE_EQ(ut.alpha, tt.alpha) << tier.name << " " << jd;
            EXPECT_DOUBLE_EQ(ut.delta, tt.delta) << tier.name << " " << jd;
            EXPECT_DOUBLE_EQ(ut.lambda, tt.lambda) << tier.name << " " << jd;
            EXPECT_DOUBLE_EQ(ut.beta, tt.beta) << tier.name << " " << jd;
            EXPECT_DOUBLE_EQ(ut.R, tt.R) << tier.name << " " << jd;
            EXPECT_DOUBLE_EQ(ut.E, tt.E) << tier.name << " " << jd;
            EXPECT_NEAR(angleDiff(ut.alphaT, tt.alphaT), 0, 1e-9) << tier.name << " " << jd;
            EXPECT_NEAR(ut.deltaT, tt.deltaT, 1e-9) << tier.name << " " << jd;
            EXPECT_NEAR(angleDiff(ut.lambdaT, tt.lambdaT), 0, 1e-9) << tier.name << " " << jd;
            EXPECT_NEAR(ut.betaT, tt.betaT, 1e-9) << tier.name << " " << jd;
            // And the instant does shift by Delta T between the two readings.
            EXPECT_GT(std::fabs(angleDiff(sunBy(tier.procedure, jd).lambda, ut.lambda)), 1e-5)
                << tier.name << " " << jd;
            tdtmode = 0;
        }
    }
}

// The lowest tier always adds Delta T: its geocentric values ignore tdtmode,
// while its topocentric ones follow it through the sidereal time.
TEST_F(SunPosition, LowestPrecisionGeocentricValuesIgnoreTdtmode)
{
    const double lon = -70.6667, lat = -33.45;
    for (double jd : {2415020.5, 2451545.0, 2460676.3}) {
        tdtmode = 0;
        const Sun ut = lowestSun(lon, lat, jd);
        const Sun low = sunBy(corsl, jd);
        tdtmode = 1;
        const Sun tt = lowestSun(lon, lat, jd);
        tdtmode = 0;
        EXPECT_EQ(ut.alpha, tt.alpha) << jd;
        EXPECT_EQ(ut.delta, tt.delta) << jd;
        EXPECT_EQ(ut.lambda, tt.lambda) << jd;
        EXPECT_EQ(ut.R, tt.R) << jd;
        EXPECT_EQ(ut.beta, 0) << jd;
        EXPECT_NE(ut.betaT, 0) << jd;
        EXPECT_GT(std::fabs(ut.alphaT - tt.alphaT), 1e-8) << jd;
        // Same solar formulas as corsl; only the nutation and obliquity differ
        // (four terms: about 0.5").
        EXPECT_NEAR(ut.lambda, low.lambda, 1e-6) << jd;
        EXPECT_EQ(ut.R, low.R) << jd;
        EXPECT_NEAR(arcsec(angleDiff(ut.alpha, low.alpha)), 0, 1.5) << jd;
        EXPECT_NEAR(arcsec(ut.delta - low.delta), 0, 1.5) << jd;
    }
}

TEST_F(SunPosition, LowestPrecisionBeforePiIsStored)
{
    const Sun stored = lowestSun(39.8, 21.4, 2460676.3);
    pi = 0;
    const Sun unset = lowestSun(39.8, 21.4, 2460676.3);
    EXPECT_DOUBLE_EQ(unset.alpha, stored.alpha);
    EXPECT_DOUBLE_EQ(unset.deltaT, stored.deltaT);
    EXPECT_DOUBLE_EQ(unset.lambdaT, stored.lambdaT);
}

// Day by day through 2025 and 2026 at noon UT: the equation of time stays in
// -24..24 minutes and moves smoothly (also where L0 passes 0 and alpha 360),
// with its extremes near 3 November and 12 February; R stays within the
// perihelion and aphelion distances.
TEST_F(SunPosition, EquationOfTimeAndDistanceOverTwoYears)
{
    for (const Tier& tier : kTiers) {
        double minR = 2, maxR = 0, previous = NAN;
        for (double jd = 2460676.0; jd < 2460676.0 + 730; jd += 1) {
            const Sun s = sunBy(tier.procedure, jd);
            ASSERT_GT(s.E, -24) << tier.name << " " << jd;
            ASSERT_LT(s.E, 24) << tier.name << " " << jd;
            if (!std::isnan(previous)) {
                ASSERT_NEAR(s.E, previous, 0.55) << tier.name << " " << jd;
            }
            previous = s.E;
            ASSERT_GE(s.lambda, 0);
            ASSERT_LT(s.lambda, 360);
            ASSERT_GE(s.alpha, 0);
            ASSERT_LT(s.alpha, 360);
            minR = std::min(minR, s.R);
            maxR = std::max(maxR, s.R);
        }
        EXPECT_NEAR(minR, 0.9833, 2e-4) << tier.name;
        EXPECT_NEAR(maxR, 1.0167, 2e-4) << tier.name;
        EXPECT_NEAR(sunBy(tier.procedure, 2460983.0).E, 16.4, 0.1) << tier.name;  // 2025 Nov 3
        EXPECT_NEAR(sunBy(tier.procedure, 2460719.0).E, -14.2, 0.1) << tier.name; // 2025 Feb 12
    }
}

// The daily motion of the aberration against the motion of the complete
// series' longitude over one day.
TEST_F(SunPosition, DailyMotionMatchesTheCompleteSeries)
{
    tdtmode = 1;
    for (double jd : {2451545.0, 2448908.5, 2451727.0, 2415020.5, 2488069.5}) {
        double dlambda = 0;
        dabb((jd - 2451545.0) / 365250, dlambda);
        const double motion =
            angleDiff(sunBy(corsh, jd + 0.5).lambda, sunBy(corsh, jd - 0.5).lambda);
        EXPECT_NEAR(arcsec(dlambda), arcsec(motion), 0.5) << jd;
    }
    double dlambda = 0;
    pi = 0;
    dabb(0, dlambda);
    EXPECT_EQ(pi, 0);
}

// Whether the series are loaded is the loader's to say. A call before it
// stops the program naming the series file; a loaded series whose sums come
// out zero, negative or not a number for a wild instant (a year of 1e6, a
// Julian Day that is not finite) is no reason to stop.
TEST_F(SunPosition, OnlyACallBeforeTheSeriesAreLoadedStopsWithTheFileName)
{
    const struct {
        SunProcedure procedure;
        const char* name;
    } cases[] = {{corsm, "term.zvd"}, {corsh, "termfull.zvd"}};
    for (const auto& [procedure, name] : cases)
        for (double jd : {3.67e8, -3.6e8, 1e15, 1e308, -1e308, HUGE_VAL, std::nan("")})
            EXPECT_NO_THROW(sunBy(procedure, jd)) << name << " at " << jd;

    const SeriesLoaded loaded = seriesLoaded;
    seriesLoaded = {};
    for (const auto& [procedure, name] : cases) {
        try {
            sunBy(procedure, 2451545.0);
            ADD_FAILURE() << name << ": no stop";
        } catch (const platform::FileFault& fault) {
            EXPECT_EQ(fault.file(), name);
        }
    }
    seriesLoaded = loaded;
    // The low tier reads no series.
    EXPECT_NEAR(sunBy(corsl, 2451545.0).R, 0.9833, 1e-3);
}
