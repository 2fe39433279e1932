// The telescope tool's numbers: Sun and Moon pointing against the horizontal
// coordinates of their engine positions, the summer hour, the Moon test, the
// bright limb's orientation against the Sun's direction on the sky, the
// picture names, the value texts and tele.zvd.
#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "engine/modcormm.h"
#include "engine/modcorsm.h"
#include "engine/modequinox2000.h"
#include "engine/modjul.h"
#include "engine/modsiderial.h"
#include "telescopefixture.h"
#include "tools/telescope.h"

using namespace hijritele;
using tools::TelescopeInput;
using tools::TelescopePointing;

namespace {

constexpr double kRad = 3.14159265358979323846 / 180;
constexpr double kLongitude = 39 + 49 / 60.0 + 34 / 3600.0;
constexpr double kLatitude = 21 + 25 / 60.0 + 21 / 3600.0;
constexpr double kZone = 3;

TelescopeInput at(double y, double m, double d, double hour, double minute, bool refracted = false,
                  bool j2000 = false)
{
    TelescopeInput in;
    in.year = y;
    in.month = m;
    in.day = d;
    in.hour = hour;
    in.minute = minute;
    in.refracted = refracted;
    in.j2000 = j2000;
    return in;
}

struct Horizontal {
    double alt, azm;
};

// Altitude and azimuth (from the north through the east) of a place of date
// at Mecca, by the spherical triangle written out here.
Horizontal horizontal(double JD, double ra, double dec)
{
    double theta = 0;
    siderial(JD, theta);
    const double H = (theta + kLongitude - ra) * kRad;
    const double phi = kLatitude * kRad, d = dec * kRad;
    const double alt =
        std::asin(std::sin(phi) * std::sin(d) + std::cos(phi) * std::cos(d) * std::cos(H));
    double azm =
        std::atan2(std::sin(H), std::cos(H) * std::sin(phi) - std::tan(d) * std::cos(phi)) / kRad +
        180;
    return {alt / kRad, std::fmod(azm + 360, 360)};
}

double angleDiff(double a, double b)
{
    return std::remainder(a - b, 360.0);
}

// Angular distance between two places given by altitude and azimuth.
double separation(double h1, double a1, double h2, double a2)
{
    return std::acos(std::sin(h1 * kRad) * std::sin(h2 * kRad) +
                     std::cos(h1 * kRad) * std::cos(h2 * kRad) * std::cos((a1 - a2) * kRad)) /
           kRad;
}

// Bennett's refraction as the tool's formula states it, degrees.
double bennett(double h)
{
    return 1 / std::tan((h + 7.31 / (h + 4.4)) * kRad) / 60;
}

struct Instant {
    const char* what;
    double y, m, d, hour, minute;
};

const Instant kInstants[] = {
    {"evening crescent", 2020, 5, 24, 19, 30},
    {"morning crescent", 2020, 5, 19, 5, 30},
    {"Moon up, Sun far below", 2011, 3, 21, 22, 30},
};

} // namespace

TEST_F(TelescopeTest, SunAndMoonPointAtTheirTopocentricPlaces)
{
    for (const Instant& t : kInstants) {
        SCOPED_TRACE(t.what);
        double JD = 0;
        jul(t.y, t.m, t.d, t.hour + t.minute / 60 - kZone, JD);
        double a0, d0, a0T, d0T, l, b, lT, bT, R, E;
        corsm(pi, JD, a0, d0, a0T, d0T, l, b, lT, bT, R, E);
        double a, d, aT, dT, parallax, s, sT, distance;
        cormm(pi, JD, a, d, aT, dT, l, b, lT, bT, parallax, s, sT, distance);
        const Horizontal sun = horizontal(JD, a0T, d0T), moon = horizontal(JD, aT, dT);

        TelescopePointing p;
        ASSERT_TRUE(tools::telescopePointing(at(t.y, t.m, t.d, t.hour, t.minute), p));
        EXPECT_DOUBLE_EQ(p.JD, JD);
        EXPECT_NEAR(p.sun.alt, sun.alt, 1e-8);
        EXPECT_NEAR(angleDiff(p.sun.azm, sun.azm), 0, 1e-8);
        EXPECT_NEAR(p.moon.alt, moon.alt, 1e-8);
        EXPECT_NEAR(angleDiff(p.moon.azm, moon.azm), 0, 1e-8);
        // Airless, of date: the telescope's coordinates are the topocentric ones.
        EXPECT_NEAR(angleDiff(p.sun.ra, a0T), 0, 1e-7);
        EXPECT_NEAR(p.sun.dec, d0T, 1e-7);
        EXPECT_NEAR(angleDiff(p.moon.ra, aT), 0, 1e-7);
        EXPECT_NEAR(p.moon.dec, dT, 1e-7);

        TelescopePointing j2000;
        ASSERT_TRUE(
            tools::telescopePointing(at(t.y, t.m, t.d, t.hour, t.minute, false, true), j2000));
        double ra2000 = 0, dec2000 = 0;
        equinox2000(JD, aT, dT, ra2000, dec2000);
        EXPECT_NEAR(angleDiff(j2000.moon.ra, ra2000), 0, 1e-7);
        EXPECT_NEAR(j2000.moon.dec, dec2000, 1e-7);
        EXPECT_DOUBLE_EQ(j2000.moon.alt, p.moon.alt);

        // Refracted: every altitude gains Bennett's refraction, even the Sun's
        // far below the horizon; azimuths stay; the telescope's right ascension
        // and declination are those of the raised place.
        TelescopePointing r;
        ASSERT_TRUE(tools::telescopePointing(at(t.y, t.m, t.d, t.hour, t.minute, true), r));
        EXPECT_NEAR(r.sun.alt, sun.alt + bennett(sun.alt), 1e-8);
        EXPECT_NEAR(r.moon.alt, moon.alt + bennett(moon.alt), 1e-8);
        EXPECT_NEAR(r.crescent.alt, p.crescent.alt + bennett(p.crescent.alt), 1e-8);
        EXPECT_DOUBLE_EQ(r.sun.azm, p.sun.azm);
        EXPECT_DOUBLE_EQ(r.crescent.azm, p.crescent.azm);
        const Horizontal raised = horizontal(JD, r.moon.ra, r.moon.dec);
        EXPECT_NEAR(raised.alt, r.moon.alt, 1e-7);
        EXPECT_NEAR(angleDiff(raised.azm, r.moon.azm), 0, 1e-7);
    }
}

TEST_F(TelescopeTest, SummerTimeTakesTheClockAsOneHourAhead)
{
    TelescopePointing winterRule, summerRule;
    ASSERT_TRUE(tools::telescopePointing(at(2020, 5, 24, 19, 30), winterRule));
    put("pref.zvd", kSummerPrefs);
    ASSERT_TRUE(tools::telescopePointing(at(2020, 5, 24, 19, 30), summerRule));
    EXPECT_NEAR(summerRule.JD, winterRule.JD - 1.0 / 24, 1e-9);
    // Outside the window (April 1 to October 1) the clock is zone time.
    TelescopePointing march;
    ASSERT_TRUE(tools::telescopePointing(at(2011, 3, 21, 22, 30), march));
    double JD = 0;
    jul(2011, 3, 21, 22.5 - kZone, JD);
    EXPECT_DOUBLE_EQ(march.JD, JD);
}

TEST_F(TelescopeTest, AMoonBelowTheHorizonGivesNoPointing)
{
    TelescopePointing p;
    p.crsang = 123;
    p.sun.ra = 45;
    EXPECT_FALSE(tools::telescopePointing(at(2011, 3, 21, 18, 30), p));
    EXPECT_EQ(p.crsang, 123);
    EXPECT_EQ(p.sun.ra, 45);
}

// A date or time so far off that the engine gives no number shows NA in every
// box: the azimuth once read 180:00:00 (the arctangent's 0 of the origin).
TEST_F(TelescopeTest, AnInstantWithoutNumbersShowsNoValueAnywhere)
{
    const struct {
        const char* what;
        double year, hour, minute;
    } cases[] = {{"year", 1e308, 18, 30}, {"hour", 2011, 1e308, 30}, {"minute", 2011, 18, 1e308}};
    for (const auto& c : cases) {
        TelescopePointing p;
        if (!tools::telescopePointing(at(c.year, 3, 21, c.hour, c.minute), p))
            continue; // refused: nothing shown either
        for (const tools::SkyPoint* point : {&p.sun, &p.moon, &p.crescent}) {
            const tools::PointingTexts t = tools::pointingTexts(*point);
            EXPECT_EQ(t.ra + t.dec + t.alt + t.azm, "NA:NA:NA+NA:NA:NANA:NA:NANA:NA:NA") << c.what;
        }
    }
}

// The bright limb faces the Sun: its orientation is the direction of the Sun
// seen from the Moon on the sky (from the zenith, towards smaller azimuth),
// within the Moon's parallax, and its midpoint is one semidiameter nearer the
// Sun than the Moon's centre.
TEST_F(TelescopeTest, TheBrightLimbFacesTheSun)
{
    const struct {
        const Instant& when;
        double low, high; // the quarter of the picture the limb lies in
    } cases[] = {
        {kInstants[0], 180, 270}, // Sun set behind, to the right: down and right
        {kInstants[1], 90, 180},  // Sun rising to the left: down and left
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.when.what);
        TelescopePointing p;
        ASSERT_TRUE(tools::telescopePointing(
            at(c.when.y, c.when.m, c.when.d, c.when.hour, c.when.minute), p));
        double a, d, aT, dT, l, b, lT, bT, parallax, s, sT, distance;
        cormm(pi, p.JD, a, d, aT, dT, l, b, lT, bT, parallax, s, sT, distance);

        const double hs = p.sun.alt * kRad, hm = p.moon.alt * kRad;
        const double dA = (p.moon.azm - p.sun.azm) * kRad;
        double towardsSun =
            std::atan2(std::sin(dA) * std::cos(hs),
                       std::sin(hs) * std::cos(hm) - std::cos(hs) * std::sin(hm) * std::cos(dA)) /
            kRad;
        EXPECT_NEAR(angleDiff(p.crsang, towardsSun), 0, 1.0);
        EXPECT_GT(p.crsang, c.low);
        EXPECT_LT(p.crsang, c.high);

        const double moonToSun = separation(p.moon.alt, p.moon.azm, p.sun.alt, p.sun.azm);
        const double limbToSun = separation(p.crescent.alt, p.crescent.azm, p.sun.alt, p.sun.azm);
        EXPECT_NEAR(moonToSun - limbToSun, sT, 1e-4);
        EXPECT_NEAR(separation(p.moon.alt, p.moon.azm, p.crescent.alt, p.crescent.azm), sT, 1e-4);
    }
}

TEST(CrescentPicture, NameIsTheNearestTenDegreeStepAndTheFlips)
{
    const struct {
        double crsang;
        bool h, v;
        const char* name;
    } cases[] = {
        {0, false, false, "00"},       {4.99, false, false, "00"},  {5.0, false, false, "10"},
        {354.99, false, false, "350"}, {355.0, false, false, "00"}, {359.999, false, false, "00"},
        {120, true, true, "120hv"},    {0, true, false, "00h"},     {95, false, true, "100v"},
        {204.9, true, false, "200h"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(tools::crescentPictureName(c.crsang, c.h, c.v), c.name) << c.crsang;
}

TEST(PointingTexts, HoursDegreesAndTheMissingValue)
{
    tools::SkyPoint p;
    p.ra = 187.5; // 12.5 h
    p.dec = -5.5;
    p.alt = 45.25;
    p.azm = 270.0125;
    tools::PointingTexts t = tools::pointingTexts(p);
    EXPECT_EQ(t.ra, "12H 30M 00S ");
    EXPECT_EQ(t.dec, "-05\u00b0:30':00\"");
    EXPECT_EQ(t.alt, "+45\u00b0:15':00\"");
    EXPECT_EQ(t.azm, "270:00:45");
    p.ra = p.dec = p.alt = p.azm = std::nan("");
    t = tools::pointingTexts(p);
    EXPECT_EQ(t.ra + t.dec + t.alt + t.azm, "NA:NA:NA+NA:NA:NANA:NA:NANA:NA:NA");
}

TEST_F(TelescopeTest, SettingsFileReadsAndWritesItsElevenFields)
{
    const tools::TelescopeSettings shipped = tools::readTelescopeSettings();
    EXPECT_EQ(shipped.year, 2011);
    EXPECT_EQ(shipped.minute, 30);
    EXPECT_TRUE(shipped.airless && shipped.jnow && !shipped.refracted && !shipped.j2000);

    tools::TelescopeSettings s;
    s.year = 2024;
    s.month = 12;
    s.day = 31;
    s.hour = 23;
    s.minute = 59;
    s.airless = false;
    s.refracted = true;
    s.jnow = false;
    s.j2000 = true;
    s.flipVertical = 1;
    ASSERT_TRUE(tools::writeTelescopeSettings(s));
    EXPECT_EQ(get("tele.zvd"), "2024,12,31,23,59,#FALSE#,#TRUE#,#FALSE#,#TRUE#,1,0\r\n");
    const tools::TelescopeSettings back = tools::readTelescopeSettings();
    EXPECT_EQ(back.day, 31);
    EXPECT_TRUE(back.refracted && back.j2000 && !back.airless && !back.jnow);
    EXPECT_EQ(back.flipVertical, 1);
    EXPECT_EQ(back.flipHorizontal, 0);
}

TEST_F(TelescopeTest, AMissingOrShortSettingsFileStopsAFailedWriteIsReported)
{
    put("tele.zvd", "2011,3,21,18,30,#TRUE#,#FALSE#,#TRUE#,#FALSE#,0\r\n");
    EXPECT_THROW(tools::readTelescopeSettings(), platform::FileFault);
    std::filesystem::remove(file("tele.zvd"));
    EXPECT_THROW(tools::readTelescopeSettings(), platform::FileFault);

    put("tele.zvd", "old");
    testsupport::FailingWriter failing("No space left on device");
    platform::FileWriter* old = platform::setFileWriter(&failing);
    const settings::SaveResult r = tools::writeTelescopeSettings({});
    platform::setFileWriter(old);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, "No space left on device");
    EXPECT_EQ(get("tele.zvd"), "old");
}

TEST(CrescentPoint, OffsetsAlongTheOrientationAndStaysFiniteAtTheZenith)
{
    pi = kPi15;
    double hc = 0, Ac = 0;
    tools::crescentPoint(30, 200, 0.25, 90, hc, Ac); // limb to the left: smaller azimuth
    EXPECT_NEAR(hc, 30, 1e-12);
    EXPECT_NEAR(Ac, 200 - 0.25 / std::cos(30 * kRad), 1e-9);
    tools::crescentPoint(30, 200, 0.25, 180, hc, Ac); // limb at the bottom
    EXPECT_NEAR(hc, 29.75, 1e-12);
    EXPECT_NEAR(Ac, 200, 1e-9);
    tools::crescentPoint(90, 200, 0.25, 90, hc, Ac);
    EXPECT_TRUE(std::isfinite(Ac));
    EXPECT_EQ(Ac, 200);
}
