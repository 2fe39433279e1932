#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "engine/modcorml.h"
#include "engine/modcormm.h"
#include "engine/moddeltat.h"
#include "engine/modearthglobe.h"
#include "engine/modgeneral.h"
#include "engine/modobliquity.h"
#include "engine/modsiderial.h"
#include "enginefixture.h"

namespace {

using enginetest::angleDiff;
using enginetest::arcsec;

// The eleven (corml) or twelve (cormm) outputs of a Moon procedure.
struct MoonPlace {
    double alpha = 0, delta = 0, alphaT = 0, deltaT = 0;
    double lambda = 0, beta = 0, lambdaT = 0, betaT = 0;
    double parallax = 0, s = 0, sT = 0, distance = 0;
};

MoonPlace low(double JD)
{
    MoonPlace m;
    corml(pi, JD, m.alpha, m.delta, m.alphaT, m.deltaT, m.lambda, m.beta, m.lambdaT, m.betaT,
          m.parallax, m.s, m.sT);
    return m;
}

MoonPlace elp(double JD)
{
    MoonPlace m;
    cormm(pi, JD, m.alpha, m.delta, m.alphaT, m.deltaT, m.lambda, m.beta, m.lambdaT, m.betaT,
          m.parallax, m.s, m.sT, m.distance);
    return m;
}

constexpr double kExample47a = 2448724.5;   // 1992 April 12, 0h TT
constexpr double kDpsi47a = 16.5945 / 3600; // nutation in longitude there, degrees
constexpr double kEarthRadius = 6378.137;   // km

class Moon : public enginetest::SeriesTest {
protected:
    void SetUp() override
    {
        SeriesTest::SetUp();
        series::loadElp();
    }
};

} // namespace

// Meeus, Astronomical Algorithms, Example 47.a. The low theory uses the
// first edition's mean elements: lambda = 133.162660 before nutation,
// beta = -3.229127, Delta = 368409.68 km. Meeus: alpha = 134.688470,
// delta = 13.768368 (from his second-edition longitude, 0.000005 less).
TEST_F(Moon, LowPrecisionExample47a)
{
    tdtmode = 1;
    const MoonPlace m = low(kExample47a);
    EXPECT_NEAR(m.lambda, 133.162660 + kDpsi47a, 2e-6);
    EXPECT_NEAR(m.beta, -3.229127, 1e-6);
    EXPECT_NEAR(m.parallax, std::asin(kEarthRadius / 368409.68) * 180 / kPi15, 1e-6);
    EXPECT_NEAR(m.s, std::asin(0.2725076 * kEarthRadius / 368409.68) * 180 / kPi15, 1e-6);
    EXPECT_NEAR(m.alpha, 134.688470, 2e-5);
    EXPECT_NEAR(m.delta, 13.768368, 1e-5);
}

// The same instant from the ELP series with its three small corrections.
TEST_F(Moon, ElpExample47a)
{
    tdtmode = 1;
    const MoonPlace m = elp(kExample47a);
    EXPECT_NEAR(m.lambda - kDpsi47a, 133.1621554, 1e-7);
    EXPECT_NEAR(m.lambda, 133.1667650, 1e-7);
    EXPECT_NEAR(m.beta, -3.2291867, 1e-7);
    EXPECT_NEAR(m.distance, 368405.542, 0.001);
    EXPECT_NEAR(m.parallax, std::asin(kEarthRadius / m.distance) * 180 / kPi15, 1e-12);
    // Meeus' place lies 1.8" further in longitude and 0.2" south of this one.
    EXPECT_NEAR(arcsec(m.alpha - 134.688470), 0, 2.5);
    EXPECT_NEAR(arcsec(m.delta - 13.768368), 0, 1);
}

// An instant in UT with tdtmode = 0 is the same instant as JD + Delta T in
// TT with tdtmode = 1, in every output (the topocentric ones included).
TEST_F(Moon, UniversalTimeAndTerrestrialTimeAgree)
{
    const double instants[] = {2415020.5, 2448724.5, 2451545.0, 2488069.5};
    for (const double JD : instants) {
        double dT = 0;
        deltat(JD, dT);
        for (const bool useElp : {false, true}) {
            tdtmode = 0;
            const MoonPlace ut = useElp ? elp(JD) : low(JD);
            tdtmode = 1;
            const MoonPlace tt = useElp ? elp(JD + dT) : low(JD + dT);
            tdtmode = 0;
            const double a[] = {ut.alpha,   ut.delta, ut.alphaT,   ut.deltaT, ut.lambda, ut.beta,
                                ut.lambdaT, ut.betaT, ut.parallax, ut.s,      ut.sT};
            const double b[] = {tt.alpha,   tt.delta, tt.alphaT,   tt.deltaT, tt.lambda, tt.beta,
                                tt.lambdaT, tt.betaT, tt.parallax, tt.s,      tt.sT};
            for (int k = 0; k < 11; ++k)
                EXPECT_NEAR(a[k], b[k], 1e-8)
                    << (useElp ? "cormm" : "corml") << " JD " << JD << " output " << k + 3;
            EXPECT_NEAR(ut.distance, tt.distance, 1e-6);
        }
    }
}

// Meeus gives the abridged theory as good to about 10" in longitude and 4" in
// latitude; its distance terms stop at about 1 km of amplitude. Over 1800 to
// 2200, every 7.3 days (about 20000 instants), the typical difference is well
// inside that (rms 2.7", 1.0", 3 km) and the largest few times it (17", 6",
// 16 km), with no drift over the centuries: the mean stays below 1".
TEST_F(Moon, LowTheoryKeepsToElpOverFourCenturies)
{
    tdtmode = 1;
    struct Spread {
        double worst = 0, squares = 0, sum = 0;
        int count = 0;
        void add(double v)
        {
            worst = std::max(worst, std::fabs(v));
            squares += v * v;
            sum += v;
            ++count;
        }
        double rms() const { return std::sqrt(squares / count); }
        double mean() const { return sum / count; }
    } lon, lat, km;
    for (double JD = 2378496.5; JD < 2524593.5; JD += 7.3) {
        const MoonPlace l = low(JD);
        const MoonPlace e = elp(JD);
        lon.add(arcsec(angleDiff(l.lambda, e.lambda)));
        lat.add(arcsec(l.beta - e.beta));
        km.add(kEarthRadius / std::sin(l.parallax * kPi15 / 180) - e.distance);
    }
    EXPECT_LT(lon.rms(), 4);
    EXPECT_LT(lat.rms(), 1.5);
    EXPECT_LT(km.rms(), 4);
    EXPECT_LT(lon.worst, 20);
    EXPECT_LT(lat.worst, 7);
    EXPECT_LT(km.worst, 20);
    EXPECT_LT(std::fabs(lon.mean()), 1);
    EXPECT_LT(std::fabs(lat.mean()), 0.5);
    EXPECT_LT(std::fabs(km.mean()), 1);
}

// The topocentric place against the equatorial parallax formulas (Meeus 40.2,
// 40.3) applied to the geocentric place: the Moon procedures hand the
// topocentric correction the right instant, distance unit and obliquity.
TEST_F(Moon, TopocentricPlaceMatchesTheEquatorialParallax)
{
    struct Place {
        const char* what;
        std::string line;
        double lon, lat, height;
    } places[] = {
        {"Mecca", enginetest::kMeccaLine, 39 + 49 / 60.0 + 34 / 3600.0,
         21 + 25 / 60.0 + 21 / 3600.0, 277},
        {"south-west", enginetest::locLine(70, 30, 0, 33, 0, 0, 2500, false, false), -70.5, -33,
         2500},
    };
    const double d = kPi15 / 180;
    for (const Place& p : places) {
        put("loc.zvd", p.line);
        for (const double JD : {2451545.0, 2460000.25, 2460000.6}) {
            for (const bool useElp : {false, true}) {
                const MoonPlace m = useElp ? elp(JD) : low(JD);
                double rs = 0, rc = 0, theta = 0;
                earthglobe(p.lat, p.height, rs, rc);
                siderial(JD, theta);
                const double H = (theta + p.lon - m.alpha) * d;
                const double sp = std::sin(m.parallax * d);
                const double dec = m.delta * d;
                const double dA =
                    std::atan2(-rc * sp * std::sin(H), std::cos(dec) - rc * sp * std::cos(H));
                const double decT = std::atan2((std::sin(dec) - rs * sp) * std::cos(dA),
                                               std::cos(dec) - rc * sp * std::cos(H));
                const char* which = useElp ? "cormm" : "corml";
                EXPECT_NEAR(arcsec(angleDiff(m.alphaT, m.alpha + dA / d)), 0, 0.05)
                    << p.what << " " << which << " JD " << JD;
                EXPECT_NEAR(arcsec(m.deltaT - decT / d), 0, 0.05)
                    << p.what << " " << which << " JD " << JD;
            }
        }
    }
}

// The series procedures keep what they derive from the tables (which rows'
// arguments are whole multiples, which arguments two tables share) and the
// nutation of the last instant. A table changed between two calls for the
// same instant must count at once. Each step below changes one term and
// checks the output against that term alone, after the same call before it.
TEST_F(Moon, ChangedTablesCountAtTheSameInstant)
{
    tdtmode = 1;
    const double JD = 2460000.25;
    const double T = (JD - 2451545.0) / 36525;
    const double d = kPi15 / 180;
    // Meeus 22 (the nutation's Omega) and 47 (the Moon's M'), degrees, in
    // 0..360 (where half of the angle is taken).
    auto reduced = [](double x) { return x - 360 * std::floor(x / 360); };
    const double omega =
        reduced(125.04452 - 1934.136261 * T + 0.0020708 * T * T + T * T * T / 450000);
    const double mPrime = reduced(134.9634114 + 477198.8676313 * T + 0.008997 * T * T +
                                  T * T * T / 69699 - T * T * T * T / 14712000);
    // The first row of the ELP main problem's longitude (sine) and distance
    // (cosine) tables: both have the argument of M'.
    const double elpArgs[] = {134.9634114, 477198.8676313, 89.970, 14.348, -6.797};
    const double elpArg = elpArgs[0] + elpArgs[1] * T + elpArgs[2] * 1e-4 * T * T +
                          elpArgs[3] * 1e-6 * T * T * T + elpArgs[4] * 1e-8 * T * T * T * T;

    auto dpsi = [&] {
        double p = 0, e = 0, eps = 0;
        obliquity(JD, p, e, eps);
        return p;
    };
    auto nutationRow = [](double multipleOfOmega) {
        std::memset(mterm[1], 0, sizeof mterm[1] * 63);
        mterm[1][6] = multipleOfOmega;
        mterm[1][7] = -171996; // 0.0001"
    };
    auto moonRow = [](double multipleOfMPrime) {
        std::memset(mterm[64], 0, sizeof mterm[64] * 120);
        mterm[64][4] = multipleOfMPrime;
        mterm[64][6] = 6288774; // 0.000001 degree
    };
    auto elpRows = [&](double distancePhaseShift) {
        std::memset(elpv0, 0, sizeof elpv0);
        std::memset(elpr0, 0, sizeof elpr0);
        elpv0[1][1] = 1;    // degree
        elpr0[1][1] = 1000; // km
        for (int k = 0; k < 5; ++k)
            elpv0[1][2 + k] = elpr0[1][2 + k] = elpArgs[k];
        elpr0[1][2] += distancePhaseShift;
    };

    struct Step {
        const char* what;
        std::function<void()> change;
        std::function<double()> output;
        double expected;
    };
    const std::vector<Step> steps = {
        {"nutation, no terms", [&] { nutationRow(0); }, dpsi, 0},
        {"nutation, Omega", [&] { nutationRow(1); }, dpsi,
         -171996 * std::sin(omega * d) / 36000000},
        {"nutation, 2 Omega", [&] { nutationRow(2); }, dpsi,
         -171996 * std::sin(2 * omega * d) / 36000000},
        {"nutation, Omega / 2 (not whole)", [&] { nutationRow(0.5); }, dpsi,
         -171996 * std::sin(0.5 * omega * d) / 36000000},
        {"Moon longitude, no terms", [&] { moonRow(0); }, [&] { return low(JD).lambda; }, 0},
        {"Moon longitude, M'", [&] { moonRow(1); }, [&] { return low(JD).lambda; },
         6.288774 * std::sin(mPrime * d)},
        {"Moon longitude, 3 M'", [&] { moonRow(3); }, [&] { return low(JD).lambda; },
         6.288774 * std::sin(3 * mPrime * d)},
        {"Moon longitude, M' / 2 (not whole)", [&] { moonRow(0.5); },
         [&] { return low(JD).lambda; }, 6.288774 * std::sin(0.5 * mPrime * d)},
        {"ELP distance, no terms",
         [&] {
             std::memset(elpv0, 0, sizeof elpv0);
             std::memset(elpr0, 0, sizeof elpr0);
         },
         [&] { return elp(JD).distance; }, 0},
        {"ELP distance, argument shared with the longitude", [&] { elpRows(0); },
         [&] { return elp(JD).distance; }, 1000 * std::cos(elpArg * d)},
        {"ELP distance, argument of its own", [&] { elpRows(10); },
         [&] { return elp(JD).distance; }, 1000 * std::cos((elpArg + 10) * d)},
    };
    double zero = 0;
    for (const Step& step : steps) {
        step.output(); // the same instant before the change
        step.change();
        const double value = step.output();
        if (step.expected == 0)
            zero = value;
        else
            EXPECT_NEAR(value - zero, step.expected, 1e-9) << step.what;
    }
}
