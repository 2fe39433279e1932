#include <cmath>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "engine/modcorml.h"
#include "engine/modcormvl.h"
#include "engine/moddeltat.h"
#include "engine/modobliquity.h"
#include "enginefixture.h"

namespace {

using enginetest::angleDiff;
using enginetest::arcsec;

struct MoonPlace {
    double alpha = 0, delta = 0, alphaP = 0, deltaP = 0;
    double lambda = 0, beta = 0, lambdaP = 0, betaP = 0;
    double parallax = 0, s = 0, sP = 0, distance = 0;
};

MoonPlace lowest(double lon, double lat, double JD)
{
    MoonPlace m;
    cormvl(lon, lat, JD, m.alpha, m.delta, m.alphaP, m.deltaP, m.lambda, m.beta, m.lambdaP, m.betaP,
           m.parallax, m.s, m.sP, m.distance);
    return m;
}

MoonPlace low(double JD)
{
    MoonPlace m;
    corml(pi, JD, m.alpha, m.delta, m.alphaP, m.deltaP, m.lambda, m.beta, m.lambdaP, m.betaP,
          m.parallax, m.s, m.sP);
    return m;
}

double fourTermDpsi(double JD)
{
    double dEps = 0, dPsi = 0, eps = 0;
    cormvlnut(JD, dEps, dPsi, eps);
    return dPsi;
}

double seriesDpsi(double JD)
{
    double dPsi = 0, dEps = 0, eps = 0;
    obliquity(JD, dPsi, dEps, eps);
    return dPsi;
}

struct Place {
    const char* what;
    double lon, lat;
    std::string seaLevelLine; // the same place in loc.zvd, at height 0
};

const Place kPlaces[] = {
    {"Mecca", 39 + 49 / 60.0 + 34 / 3600.0, 21 + 25 / 60.0 + 21 / 3600.0,
     enginetest::locLine(39, 49, 34, 21, 25, 21, 0, true, true)},
    {"south-west", -70.5, -33, enginetest::locLine(70, 30, 0, 33, 0, 0, 0, false, false)},
    {"far north", 25.75, 69.5, enginetest::locLine(25, 45, 0, 69, 30, 0, 0, true, true)},
};

const double kInstants[] = {2415020.5, 2448724.5, 2451545.0, 2460000.25, 2460000.6, 2488069.5};

} // namespace

using Cormvl = enginetest::SeriesTest;

// The lowest tier sums the same lunar series as corml: only the nutation (four
// terms instead of 63, good to about 0.5" in longitude and 0.1" in obliquity)
// and the sidereal time built on it may differ. So the series part agrees to
// rounding and everything else to within 1".
TEST_F(Cormvl, AgreesWithTheLowTierExceptForTheNutation)
{
    for (const Place& p : kPlaces) {
        put("loc.zvd", p.seaLevelLine);
        for (const double JD : kInstants) {
            const MoonPlace v = lowest(p.lon, p.lat, JD);
            const MoonPlace l = low(JD);
            const std::string at = std::string(p.what) + " JD " + std::to_string(JD);
            EXPECT_NEAR(v.lambda - fourTermDpsi(JD), l.lambda - seriesDpsi(JD), 1e-9) << at;
            EXPECT_NEAR(v.beta, l.beta, 1e-12) << at;
            EXPECT_NEAR(v.parallax, l.parallax, 1e-12) << at;
            EXPECT_NEAR(v.s, l.s, 1e-12) << at;
            EXPECT_NEAR(arcsec(angleDiff(v.lambda, l.lambda)), 0, 1) << at;
            EXPECT_NEAR(arcsec(angleDiff(v.alpha, l.alpha)), 0, 1.2) << at;
            EXPECT_NEAR(arcsec(v.delta - l.delta), 0, 1) << at;
            EXPECT_NEAR(arcsec(angleDiff(v.lambdaP, l.lambdaP)), 0, 1) << at;
            EXPECT_NEAR(arcsec(v.betaP - l.betaP), 0, 1) << at;
            EXPECT_NEAR(arcsec(angleDiff(v.alphaP, l.alphaP)), 0, 1.2) << at;
            EXPECT_NEAR(arcsec(v.deltaP - l.deltaP), 0, 1) << at;
            EXPECT_NEAR(arcsec(v.sP - l.sP), 0, 0.01) << at;
            EXPECT_GE(v.alpha, 0);
            EXPECT_LT(v.alpha, 360);
            EXPECT_GE(v.lambdaP, 0);
            EXPECT_LT(v.lambdaP, 360);
        }
    }
}

// Meeus, Astronomical Algorithms, Example 47.a (1992 April 12, 0h TT), with the
// first edition's mean elements: lambda = 133.162660 before nutation,
// beta = -3.229127, Delta = 368409.68 km; Meeus alpha = 134.688470,
// delta = 13.768368 with the full nutation.
TEST_F(Cormvl, Example47a)
{
    tdtmode = 1;
    const double JD = 2448724.5;
    const MoonPlace m = lowest(0, 0, JD);
    EXPECT_NEAR(m.lambda - fourTermDpsi(JD), 133.162660, 2e-6);
    EXPECT_NEAR(arcsec(fourTermDpsi(JD)), 16.5945, 0.5);
    EXPECT_NEAR(m.beta, -3.229127, 1e-6);
    EXPECT_NEAR(m.distance, 368409.68, 0.01);
    EXPECT_NEAR(arcsec(m.alpha - 134.688470), 0, 1);
    EXPECT_NEAR(arcsec(m.delta - 13.768368), 0, 0.5);
}

// Unlike the lowest-precision Sun, the lowest-precision Moon honours tdtmode:
// an instant in UT is the instant JD + Delta T in TT, in every output.
TEST_F(Cormvl, TerrestrialTimeModeAddsNoDeltaT)
{
    for (const double JD : kInstants) {
        double dT = 0;
        deltat(JD, dT);
        tdtmode = 0;
        const MoonPlace ut = lowest(-70.5, -33, JD);
        tdtmode = 1;
        const MoonPlace tt = lowest(-70.5, -33, JD + dT);
        const MoonPlace same = lowest(-70.5, -33, JD);
        tdtmode = 0;
        const double a[] = {ut.alpha,   ut.delta, ut.alphaP,   ut.deltaP, ut.lambda, ut.beta,
                            ut.lambdaP, ut.betaP, ut.parallax, ut.s,      ut.sP,     ut.distance};
        const double b[] = {tt.alpha,   tt.delta, tt.alphaP,   tt.deltaP, tt.lambda, tt.beta,
                            tt.lambdaP, tt.betaP, tt.parallax, tt.s,      tt.sP,     tt.distance};
        for (int k = 0; k < 12; ++k)
            EXPECT_NEAR(a[k], b[k], 1e-7) << "JD " << JD << " output " << k + 4;
        // Taken as TT, the same number is an instant Delta T earlier: the Moon
        // moves about 0.55" per second of time.
        EXPECT_GT(std::fabs(arcsec(angleDiff(ut.lambda, same.lambda))),
                  0.5 * std::fabs(dT) * 86400 * 0.4)
            << "JD " << JD;
    }
}

// The place comes in as arguments and the observer stands at sea level: the
// stored location, its height and even its file play no part.
TEST_F(Cormvl, ReadsNoFileAndStandsAtSeaLevel)
{
    const Place& p = kPlaces[1];
    const double JD = 2460000.25;
    put("loc.zvd", p.seaLevelLine);
    const MoonPlace atSea = lowest(p.lon, p.lat, JD);
    const MoonPlace lowAtSea = low(JD);

    put("loc.zvd", enginetest::locLine(70, 30, 0, 33, 0, 0, 4000, false, false));
    const MoonPlace lowHigh = low(JD);
    EXPECT_GT(arcsec(std::fabs(lowHigh.betaP - lowAtSea.betaP)), 1); // the height matters there

    std::filesystem::remove(file("loc.zvd"));
    std::filesystem::remove(file("pref.zvd"));
    const MoonPlace noFile = lowest(p.lon, p.lat, JD);
    EXPECT_EQ(noFile.lambdaP, atSea.lambdaP);
    EXPECT_EQ(noFile.betaP, atSea.betaP);
    EXPECT_EQ(noFile.alphaP, atSea.alphaP);
    EXPECT_EQ(noFile.deltaP, atSea.deltaP);
    EXPECT_EQ(noFile.sP, atSea.sP);
}

// The four-term nutation returns the nutation in obliquity first, then the
// nutation in longitude (Meeus Example 22.a, 1987 April 10, 0h TT:
// dpsi = -3.788", deps = +9.443", true obliquity 23 26' 36.850").
TEST_F(Cormvl, FourTermNutationOrderAndValues)
{
    tdtmode = 1;
    double dEps = 0, dPsi = 0, eps = 0;
    cormvlnut(2446895.5, dEps, dPsi, eps);
    EXPECT_NEAR(arcsec(dPsi), -3.788, 0.5);
    EXPECT_NEAR(arcsec(dEps), 9.443, 0.1);
    EXPECT_NEAR(arcsec(eps - enginetest::dms(23, 26, 36.850)), 0, 0.1);
}

// Before any engine call has stored pi it reads 0; the lowest tier then works
// with the fifteen-digit value instead of turning every angle into a NaN.
TEST_F(Cormvl, WorksBeforePiIsFirstStored)
{
    const MoonPlace stored = lowest(-70.5, -33, 2460000.25);
    pi = 0;
    const MoonPlace unset = lowest(-70.5, -33, 2460000.25);
    EXPECT_EQ(unset.lambda, stored.lambda);
    EXPECT_EQ(unset.alpha, stored.alpha);
    EXPECT_EQ(unset.deltaP, stored.deltaP);
    EXPECT_EQ(unset.distance, stored.distance);
}
