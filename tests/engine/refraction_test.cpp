#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "engine/modgeneral.h"
#include "engine/modrefraction.h"
#include "engine/modrefractionnew.h"
#include "platform/fault.h"
#include "support/testsupport.h"

namespace {

// The observer and the weather of one loc.zvd line.
struct Weather {
    double lat = 30;       // degrees north
    double ele = 0;        // metres
    double pres = 1013.25; // mb
    double temp = 10;      // degrees Celsius
    double hum = 0;        // percent
    std::string alpha = "0.0065";
};

std::string locLine(const Weather& w)
{
    auto num = [](double v) {
        std::string s = std::to_string(v);
        return s;
    };
    return "\"Test\",0,0,0," + num(w.lat) + ",0,0," + num(w.ele) +
           ",0,#TRUE#,#TRUE#,#FALSE#,#FALSE#,0," + num(w.pres) + "," + num(w.temp) + "," +
           num(w.hum) + ",\"" + w.alpha + "\"\r\n";
}

// An independent evaluation of the same model atmosphere: the refractive
// index from its closed form, dn/dr by central differences, the radius of each
// zenith distance by bisection, and the refraction integral
//   R = integral of r n' / (n + r n') over the zenith distance
// by the midpoint rule with many strips.
double referenceRefraction(const Weather& w, double zDeg)
{
    const double d = kPi15 / 180;
    const double S = 6378120, ht = 11000, hs = 80000;
    const double phi = w.lat * d;
    const double P = w.pres, T0 = w.temp + 273.15, rh = w.hum / 100;
    const double alpha = std::stod(w.alpha);
    const double wl2 = 0.504 * 0.504;
    const double g = 9.784 * (1 - 0.0026 * std::cos(2 * phi) - 0.00000028 * w.ele);
    const double A = (287.6155 + (1.62887 + 0.0136 / wl2) / wl2) * 0.00027315 / 1013.25;
    const double gamal = g * 28.9644 / 8314.32;
    const double gamma = gamal / alpha, delta = 18.36;
    const double t = w.temp;
    const double psat = std::pow(10, (0.7859 + 0.03477 * t) / (1 + 0.00412 * t)) *
                        (1 + P * (0.0000045 + 0.0000000006 * t * t));
    const double pw = rh * psat / (1 - (1 - rh) * psat / P);
    const double W = pw * (1 - 18.0152 / 28.9644) * gamma / (delta - gamma);
    const double c1 = A * (P + W) / T0;
    const double c2 = (A * W + 0.0000112684 * pw) / T0;

    const double r0 = S + w.ele;
    const double rt = S + std::max(ht, w.ele);
    auto tropoIndex = [&](double r) {
        const double T = std::clamp(T0 - alpha * (r - r0), 100.0, 320.0);
        const double q = T / T0;
        return 1 + c1 * std::pow(q, gamma - 1) - c2 * std::pow(q, delta - 1);
    };
    const double Tt = std::clamp(T0 - alpha * (rt - r0), 100.0, 320.0);
    const double nt = tropoIndex(rt);
    auto stratoIndex = [&](double r) { return 1 + (nt - 1) * std::exp(-gamal / Tt * (r - rt)); };

    const double k0 = tropoIndex(r0) * r0 * std::sin(zDeg * d);
    auto layer = [&](auto index, double rLow, double rHigh) {
        auto rdndr = [&](double r) { return r * (index(r + 0.5) - index(r - 0.5)); };
        auto zenith = [&](double r) { return std::asin(std::min(1.0, k0 / (index(r) * r))); };
        const double zLow = zenith(rLow), zHigh = zenith(rHigh);
        const int strips = 4000;
        const double width = (zHigh - zLow) / strips;
        double sum = 0;
        for (int i = 0; i < strips; ++i) {
            const double s = std::sin(zLow + width * (i + 0.5));
            double lo = rLow, hi = rHigh; // n r grows with r
            for (int k = 0; k < 60; ++k) {
                const double mid = (lo + hi) / 2;
                (index(mid) * mid * s < k0 ? lo : hi) = mid;
            }
            const double r = (lo + hi) / 2;
            const double q = rdndr(r);
            sum += q / (index(r) + q);
        }
        return -sum * width; // from the observer's side up: the sum runs downwards in z
    };
    const double R = layer(tropoIndex, r0, rt) + layer(stratoIndex, rt, S + hs);
    return -R / d;
}

class Refraction : public testsupport::ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        pi = kPi15;
    }
    double refract(const Weather& w, double zDeg)
    {
        put("loc.zvd", locLine(w));
        double z = zDeg, R = 0;
        refractionnew(z, R);
        EXPECT_NEAR(z, zDeg * kPi15 / 180, 1e-15) << "z comes back in radians";
        return R;
    }
};

} // namespace

TEST(RefractionFormula, ValuesOfTheBennettForm)
{
    struct Case {
        double h, expected;
    } cases[] = {{0, 0.574626}, {45, 45.016581}, {90, 89.9999775}};
    for (const Case& c : cases) {
        double out = 0;
        refraction(c.h, out);
        EXPECT_NEAR(out, c.expected, 5e-7) << c.h;
    }
    EXPECT_EQ(pi, kPi15);
}

TEST_F(Refraction, KnownValuesOfTheStandardAtmosphere)
{
    const Weather standard;
    struct Case {
        double z, arcmin, tol;
    } cases[] = {
        {90, 34.09, 0.005},
        {80, 5.34, 0.005},
        {45, 0.97, 0.005},
        {0.0001, 0, 1e-5},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(refract(standard, c.z) * 60, c.arcmin, c.tol) << "z = " << c.z;
    EXPECT_NEAR(refract(standard, 90), 0.56814, 5e-6);
}

TEST_F(Refraction, AgreesWithAnIndependentIntegration)
{
    Weather humidWarm;
    humidWarm.temp = 30;
    humidWarm.hum = 80;
    humidWarm.pres = 1000;
    Weather mountain; // observer above the tropopause: no troposphere below
    mountain.ele = 12000;
    mountain.pres = 200;
    mountain.temp = -56;
    Weather south;
    south.lat = -45;
    south.ele = 1500;
    south.pres = 850;
    south.hum = 50;
    struct Case {
        const char* what;
        Weather weather;
        double z;
    } cases[] = {
        {"standard", {}, 90},       {"standard", {}, 89.5},        {"standard", {}, 89},
        {"standard", {}, 88},       {"standard", {}, 85},          {"standard", {}, 80},
        {"standard", {}, 45},       {"humid warm", humidWarm, 90}, {"humid warm", humidWarm, 85},
        {"mountain", mountain, 90}, {"mountain", mountain, 80},    {"south", south, 89},
    };
    for (const Case& c : cases) {
        const double R = refract(c.weather, c.z);
        const double reference = referenceRefraction(c.weather, c.z);
        EXPECT_NEAR(R * 3600, reference * 3600, 1.0) << c.what << ", z = " << c.z;
    }
}

TEST_F(Refraction, GuardedAtmospheres)
{
    Weather noAir;
    noAir.pres = 0;
    EXPECT_EQ(refract(noAir, 90), 0) << "no atmosphere, no refraction";
    noAir.pres = -10;
    EXPECT_EQ(refract(noAir, 60), 0);

    Weather smallest;
    smallest.alpha = "0.001";
    const double atSmallest = refract(smallest, 90);
    EXPECT_TRUE(std::isfinite(atSmallest));
    EXPECT_GT(atSmallest, 0.3);
    for (const char* text : {"0", "", "none", "0,0"}) {
        Weather w;
        w.alpha = text;
        EXPECT_EQ(refract(w, 90), atSmallest) << "lapse rate \"" << text << "\"";
    }

    Weather comma;
    comma.alpha = "0,0065";
    EXPECT_EQ(refract(comma, 90), refract(Weather{}, 90));
}

TEST_F(Refraction, ReadsThePlaceAtEveryCall)
{
    const double before = refract(Weather{}, 90);
    Weather thin;
    thin.pres = 500;
    EXPECT_NEAR(refract(thin, 90), before * 500 / 1013.25, 0.05 * before);
}

TEST_F(Refraction, MissingPlaceStopsTheProgram)
{
    double z = 90, R = 0;
    EXPECT_THROW(refractionnew(z, R), platform::FileFault);
}

// Outside 100..320 K the troposphere is isothermal at the bound. (Its r dn/dr
// keeps the form of the linear law there, as in the published scheme, so a
// quadrature that differentiates n itself does not apply to such a layer.)
TEST(RefractionHelpers, TroposphereTemperatureIsHeldTo100To320K)
{
    struct Case {
        double T0, alpha, height, T;
    } cases[] = {
        {283.15, 0.0065, 1000, 276.65},
        {283.15, 0.03, 10000, 100},
        {300, -0.01, 5000, 320},
    };
    const double r0 = 6378120;
    for (const Case& c : cases) {
        double T = 0, n = 0, rdndr = 0;
        tropomodel(r0, c.T0, c.alpha, 3.2, 16.36, 2.8e-4, 0, 1e-8, 0, 0, 0, r0 + c.height, T, n,
                   rdndr);
        EXPECT_NEAR(T, c.T, 1e-9) << c.alpha << " K/m over " << c.height << " m";
    }
}

TEST(RefractionHelpers, ArrayExtremesKeepTheFirstOfEquals)
{
    const std::array<double, 2> a{3, -1}, b{-1, 3}, c{2, 2};
    EXPECT_EQ(arraymax(a), 3);
    EXPECT_EQ(arraymax(b), 3);
    EXPECT_EQ(arraymin(a), -1);
    EXPECT_EQ(arraymin(b), -1);
    EXPECT_EQ(arraymax(c), 2);
    double f = 0;
    refintegrand(1.0003, -0.0002, f); // -0.0002 / 1.0001, worked by hand
    EXPECT_NEAR(f, -1.99980002e-4, 1e-12);
}
