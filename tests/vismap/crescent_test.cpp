#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "engine/hijricalendar.h"
#include "engine/modaltazm.h"
#include "engine/modcormm.h"
#include "engine/modcorsh.h"
#include "engine/modjul.h"
#include "lunar/crescentparameters.h"
#include "lunarfixture.h"

using namespace lunar;

// The class limits belong to the class above them; -0.97 is the lowest limit.
TEST(ZivadCriterion, ClassesAtTheirLimits)
{
    struct Case {
        double V;
        const char* text;
    } cases[] = {
        {7.0, "Easily Visible By Naked Eye."},
        {5.65, "Easily Visible By Naked Eye."},
        {5.6499, "Visible With Optical Aid, Could Be Seen By Naked Eye."},
        {2.0, "Visible With Optical Aid, Could Be Seen By Naked Eye."},
        {1.9999, "Visible With Optical Aid Only."},
        {-0.97, "Visible With Optical Aid Only."},
        {-0.965, "Visible With Optical Aid Only."},
        {-0.975, "Not Visible Even With Optical Aid."},
        {-20.0, "Not Visible Even With Optical Aid."},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(zivadClassText(zivadClass(c.V)), c.text) << "V = " << c.V;
}

TEST(ZivadCriterion, ValueIsArcOfVisionLessTheWidthLimit)
{
    // The width limits of the criterion's table: 7.1651 at W = 0, 1.4726 at
    // W = 1', -3.3669 at W = 2' (worked by hand from its cubic).
    EXPECT_NEAR(zivadValue(10, 0), 2.8349, 1e-12);
    EXPECT_NEAR(zivadValue(10, 1), 8.5274, 1e-12);
    EXPECT_NEAR(zivadValue(0, 2), 3.3669, 1e-12);
}

TEST(CrescentMagnitude, UsesThePhaseAngleInDegrees)
{
    EXPECT_DOUBLE_EQ(moonMagnitude(0), -12.73);
    EXPECT_NEAR(moonMagnitude(90), -10.12756, 1e-12);
    EXPECT_NEAR(moonMagnitude(-90), -10.12756, 1e-12);
}

TEST(CrescentGeometry, ElongationAndPhaseAngle)
{
    const double rad = kPi15 / 180;
    EXPECT_NEAR(elongation(10, 0, 100, 0) / rad, 90, 1e-9);
    EXPECT_NEAR(elongation(0, 90, 0, -90) / rad, 180, 1e-9);
    // The very same direction: the cosine rounds to 1 or a hair above; no NaN.
    const double same = elongation(123.456, 23.4, 123.456, 23.4);
    EXPECT_FALSE(std::isnan(same));
    EXPECT_NEAR(same, 0, 1e-6);
    // Near the conjunction the Moon turns its dark side to us.
    const double Rk = kKmPerAu;
    EXPECT_NEAR(phaseAngle(384400, Rk, 0.001 * rad) / rad, 180, 0.01);
    EXPECT_NEAR(phaseAngle(384400, Rk, kPi15) / rad, 0, 1e-9);
    // At quadrature the Sun is so far off that i is just under 90 degrees.
    const double iq = phaseAngle(384400, Rk, 90 * rad) / rad;
    EXPECT_LT(iq, 90);
    EXPECT_GT(iq, 89.8);
}

class CrescentAtMecca : public lunartest::SeriesFolder {};

TEST_F(CrescentAtMecca, ParametersFollowTheGivenCoordinates)
{
    double U = 0;
    jul(2023, 3, 24, 16, U);
    struct Case {
        const char* what;
        double aM, dM, aS, dS;
        double E, kMin, kMax;
    } cases[] = {
        {"conjunction: no width", 10, 5, 10, 5, 0, 0, 1e-9},
        {"quadrature: a hair over half lit", 100, 0, 10, 0, 90, 0.5, 0.502},
        {"opposition: full", 190, 0, 10, 0, 180, 1 - 1e-9, 1},
    };
    for (const Case& c : cases) {
        double hM, AM, hS, AS, E, i, k, w, m;
        CrescentParameters(U, c.aM, c.dM, c.aS, c.dS, 0.25, 0.996, 380000, hM, AM, hS, AS, E, i, k,
                           w, m);
        double h, A;
        altazm(U, c.aM, c.dM, h, A);
        EXPECT_DOUBLE_EQ(hM, h) << c.what;
        EXPECT_DOUBLE_EQ(AM, A) << c.what;
        altazm(U, c.aS, c.dS, h, A);
        EXPECT_DOUBLE_EQ(hS, h) << c.what;
        EXPECT_DOUBLE_EQ(AS, A) << c.what;
        EXPECT_NEAR(E, c.E, 1e-6) << c.what;
        EXPECT_GE(k, c.kMin) << c.what;
        EXPECT_LE(k, c.kMax) << c.what;
        EXPECT_DOUBLE_EQ(w, 2 * k * 0.25) << c.what;
        EXPECT_DOUBLE_EQ(m, moonMagnitude(i)) << c.what;
    }
}

// New moon of 21 March 2023 at 17:23 UT. At Mecca's sunset (about 15:40 UT)
// the same day the Moon is below the Sun's arc of vision; three days later it
// stands high in the evening sky.
TEST_F(CrescentAtMecca, CriterionAroundTheNewMoonOfMarch2023)
{
    struct Case {
        const char* what;
        double day, hoursUT;
        const char* text;
    } cases[] = {
        {"before the conjunction", 21, 15.9, "Not Visible Even With Optical Aid."},
        {"three days old", 24, 16.2, "Easily Visible By Naked Eye."},
    };
    for (const Case& c : cases) {
        double UB = 0;
        jul(2023, 3, c.day, c.hoursUT, UB);
        double ARCV, W, V;
        std::string text;
        ApplyVisibilityCriterion(UB, ARCV, W, V, text);
        EXPECT_EQ(text, c.text) << c.what;
        EXPECT_DOUBLE_EQ(V, zivadValue(ARCV, W)) << c.what;

        // The arc of vision is the topocentric one, whatever frame a report uses.
        double aS, dS, aST, dST, l, b, lT, bT, R, eq;
        corsh(kPi15, UB, aS, dS, aST, dST, l, b, lT, bT, R, eq);
        double aM, dM, aMT, dMT, par, s, sT, Delta;
        cormm(kPi15, UB, aM, dM, aMT, dMT, l, b, lT, bT, par, s, sT, Delta);
        double hM, hS, A;
        altazm(UB, aMT, dMT, hM, A);
        altazm(UB, aST, dST, hS, A);
        EXPECT_NEAR(ARCV, hM - hS, 1e-9) << c.what;
        EXPECT_GE(W, 0) << c.what;
        EXPECT_LE(W, 120 * sT) << c.what;
    }
}

TEST(HijriMonthTitle, NamesTheMonthOfTheCrescent)
{
    // The calculation day as a Hijri date; onedayjd is its Julian Day at 0 h.
    struct Case {
        const char* what;
        int month, day;
        bool newCrescent;
        const char* title;
    } cases[] = {
        {"new crescent on 29 Sha'ban", 8, 29, true, "Ramadan 1441 AH"},
        {"old crescent on 29 Ramadan", 9, 29, false, "Ramadan 1441 AH"},
        {"new, day number still in Sha'ban", 8, 23, true, "Sha'ban 1441 AH"},
        {"new, day number just into Ramadan", 8, 24, true, "Ramadan 1441 AH"},
        {"old, day number back in Sha'ban", 9, 7, false, "Sha'ban 1441 AH"},
        {"old crescent of Muharram 1442", 1, 29, false, "Muharram 1442 AH"},
    };
    for (const Case& c : cases) {
        const long long year = c.month == 1 ? 1442 : 1441;
        const double onedayjd = double(dayNumberFromHijri(year, c.month, c.day)) - 0.5;
        std::string title;
        HijriMonthTitle(onedayjd, c.newCrescent, title);
        EXPECT_EQ(title, c.title) << c.what;
    }
}

TEST(HijriMonthTitle, ADayBeyondEveryCalendarDateHasNoTitle)
{
    for (double onedayjd : {1e20, -1e300, double(INFINITY), double(NAN)}) {
        std::string title;
        HijriMonthTitle(onedayjd, true, title);
        EXPECT_EQ(title, "----") << onedayjd;
    }
}
