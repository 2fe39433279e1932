// The event finder and its refinement step: markers where a crossing does
// not happen, the Asr altitude, and the guards of the correction step.
#include <cmath>

#include <gtest/gtest.h>

#include "engine/modaltazm.h"
#include "engine/modcorsm.h"
#include "engine/modcrc.h"
#include "engine/modgeneral.h"
#include "engine/modjul.h"
#include "engine/modriseset.h"
#include "engine/modsiderial.h"
#include "platform/programfolder.h"
#include "series/seriesloader.h"
#include "settings/records.h"
#include "support/testsupport.h"

namespace {

class RisesetTest : public testsupport::ProgramFolderTest {
protected:
    static void SetUpTestSuite()
    {
        static bool loaded = false;
        if (loaded)
            return;
        const auto old = platform::programFolder();
        platform::setProgramFolder(testsupport::seriesDir());
        series::loadTerm();
        series::loadMterm();
        series::loadElp();
        platform::setProgramFolder(old);
        loaded = true;
    }

    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        pi = kPi15;
        tdtmode = 0;
        pref = settings::Preferences::defaults();
        place(21.4225, 39.8261, 3);
    }

    // A place by signed degrees, at 10 m, in the default weather.
    void place(double latitude, double longitude, double zone)
    {
        loc = {};
        loc.locname = "Test";
        loc.latid = std::fabs(latitude);
        loc.longid = std::fabs(longitude);
        loc.north = latitude >= 0;
        loc.south = !loc.north;
        loc.east = longitude >= 0;
        loc.west = !loc.east;
        loc.ele = 10;
        loc.zon = zone;
        loc.pres = 1010;
        loc.temp = 10;
        loc.alpha = "0.0065";
    }

    void save()
    {
        ASSERT_TRUE(settings::writePreferences(pref).ok);
        ASSERT_TRUE(settings::writeCurrentLocation(loc).ok);
    }

    // UT Julian Day of local midnight.
    double midnight(int y, int m, int d) const
    {
        double v;
        jul(y, m, d, 0, v);
        return v - loc.zon / 24;
    }

    settings::Preferences pref;
    settings::CurrentLocation loc;
};

struct MarkerCase {
    const char* what;
    double latitude;
    int month, day;
    const char* event;
    TimeMarker expected;
};

TEST_F(RisesetTest, DaysWithoutCrossingsGiveMarkers)
{
    const MarkerCase cases[] = {
        {"polar day", 78, 6, 21, "Sun", TimeMarker::Up},
        {"polar night", 78, 12, 21, "Sun", TimeMarker::Down},
        {"white night at 55 N for 18 degrees", 55, 6, 21, "Fajer", TimeMarker::Bright},
        {"the same for Isha", 55, 6, 21, "Isha", TimeMarker::Bright},
        {"the Sun never climbs to -18 near the pole in winter", 88, 12, 21, "Fajer",
         TimeMarker::Dark},
    };
    for (const MarkerCase& c : cases) {
        SCOPED_TRACE(c.what);
        place(c.latitude, 15, 1);
        save();
        EventTime rise, set;
        riseset(c.event, midnight(2027, c.month, c.day), rise, set);
        EXPECT_TRUE(rise.is(c.expected)) << rise.markerText() << " " << rise.hours;
        EXPECT_TRUE(set.is(c.expected)) << set.markerText() << " " << set.hours;
    }
}

// A height that cannot be a number (an elevation or latitude far beyond any
// place) gives no event, not the claim that the Sun never rises.
// A height or a latitude far beyond any place once gave no event (or
// another place's); now it does not reach the event finder: loc.zvd holding
// it is damaged, and the finder's read stops the program.
TEST_F(RisesetTest, AHeightOrLatitudeBeyondAnyPlaceStopsTheRead)
{
    const struct {
        const char* what;
        double ele, latitude;
    } cases[] = {
        {"elevation 1e308", 1e308, 21.4},
        {"elevation 1e7", 1e7, 21.4},
        {"latitude 1e308", 10, 1e308},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        place(c.latitude, 39.8, 3);
        loc.ele = c.ele;
        save();
        EventTime rise, set;
        EXPECT_THROW(riseset("Sun", midnight(2027, 3, 10), rise, set), platform::FileFault);
    }
}

TEST_F(RisesetTest, OrdinaryDayHasTimesInOrder)
{
    save();
    EventTime rise, set, dawn, dusk;
    const double JD0 = midnight(2027, 3, 1);
    riseset("Sun", JD0, rise, set);
    riseset("Fajer", JD0, dawn, dusk);
    ASSERT_FALSE(rise.isMarker());
    ASSERT_FALSE(set.isMarker());
    ASSERT_FALSE(dawn.isMarker());
    ASSERT_FALSE(dusk.isMarker());
    EXPECT_LT(dawn.hours, rise.hours);
    EXPECT_LT(rise.hours, set.hours);
    EXPECT_LT(set.hours, dusk.hours);
}

TEST_F(RisesetTest, HorizonAltitudeAlwaysHoldsTheDip)
{
    loc.ele = 400; // dip 0.583 degrees
    pref.eleset = "1";
    save();
    EventTime riseWith, setWith, riseWithout, setWithout;
    const double JD0 = midnight(2027, 3, 1);
    riseset("Sun", JD0, riseWith, setWith);
    const double h0With = sunh0;
    pref.eleset = "0";
    save();
    riseset("Sun", JD0, riseWithout, setWithout);
    // sunh0 carries the dip either way, but the refraction is taken at the
    // horizon's zenith distance only when the elevation counts.
    EXPECT_LT(sunh0, -0.583 - 0.5);
    EXPECT_LT(h0With, sunh0);
    // Without the dip the Sun has to climb higher: a later rise, an earlier set.
    EXPECT_GT(riseWithout.hours, riseWith.hours + 1.0 / 60);
    EXPECT_LT(setWithout.hours, setWith.hours - 1.0 / 60);
}

TEST_F(RisesetTest, AsrOfHanafiComesLaterThanStandard)
{
    noonalt = 60;
    pref.sha = "1";
    save();
    EventTime unused, standard, hanafi;
    const double JD0 = midnight(2027, 3, 1);
    riseset("Asr", JD0, unused, standard);
    pref.sha = "0";
    save();
    riseset("Asr", JD0, unused, hanafi);
    ASSERT_FALSE(standard.isMarker());
    ASSERT_FALSE(hanafi.isMarker());
    EXPECT_GT(hanafi.hours, standard.hours + 0.5);
}

TEST_F(RisesetTest, AsrWithoutANoonSunIsNoEvent)
{
    save();
    for (double noon : {0.0, -3.0}) {
        noonalt = noon;
        EventTime a, b;
        riseset("Asr", midnight(2027, 3, 1), a, b);
        EXPECT_TRUE(a.is(TimeMarker::NoEvent)) << noon;
        EXPECT_TRUE(b.is(TimeMarker::NoEvent)) << noon;
    }
}

TEST_F(RisesetTest, TwilightAngleFromTheCaller)
{
    pref.fajang = 18;
    save();
    const double JD0 = midnight(2027, 3, 1);
    EventTime a, b, c, d;
    riseset("Fajer", JD0, a, b);
    riseset("Fajer", JD0, c, d, {false, 15.0});
    ASSERT_FALSE(a.isMarker());
    ASSERT_FALSE(c.isMarker());
    // A smaller depression: later dawn, earlier dusk (about 4 minutes a degree here).
    EXPECT_GT(c.hours - a.hours, 0.15);
    EXPECT_LT(d.hours - b.hours, -0.15);
}

TEST_F(RisesetTest, TopocentricAltitudesMoveSunriseByAtMostTheParallax)
{
    save();
    const double JD0 = midnight(2027, 3, 1);
    EventTime g1, g2, t1, t2;
    riseset("Sun", JD0, g1, g2);
    riseset("Sun", JD0, t1, t2, {true, std::nullopt});
    // The Sun's 8.8" parallax lowers the topocentric Sun: a rise a little later.
    EXPECT_GT(t1.hours, g1.hours);
    EXPECT_LT(t1.hours - g1.hours, 2.0 / 3600);
    EXPECT_LT(t2.hours, g2.hours);
}

TEST_F(RisesetTest, CorrectionStepAtTheTargetAltitudeKeepsTheTime)
{
    save();
    const double JD0 = midnight(2027, 3, 1);
    const double t0 = 7.3;
    double a[10], h, A;
    corsm(pi, JD0 + t0 / 24, a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8], a[9]);
    altazm(JD0 + t0 / 24, a[0], a[1], h, A);
    double t = t0;
    crc(t, JD0, h, loc.latitude(), loc.longitude(), "Sun");
    EXPECT_DOUBLE_EQ(t, t0);
    // A rising Sun already above the target: the time moves earlier.
    t = t0;
    crc(t, JD0, h - 1, loc.latitude(), loc.longitude(), "Sun");
    EXPECT_LT(t, t0);
}

TEST_F(RisesetTest, CorrectionStepOnTheMeridianLeavesTheTime)
{
    save();
    // Choose the longitude that puts the Sun exactly on the meridian at t, so
    // that sin H = 0 and the step would divide by zero.
    const double JD0 = midnight(2027, 3, 1);
    const double t0 = 9;
    double a[10], theta;
    corsm(pi, JD0 + t0 / 24, a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8], a[9]);
    siderial(JD0 + t0 / 24, theta);
    double lambda = a[0] - theta;
    // Find a longitude for which theta + lambda - alpha is exactly 0.
    for (int i = 0; i < 8 && theta + lambda - a[0] != 0; ++i)
        lambda = std::nextafter(lambda, theta + lambda - a[0] > 0 ? -1e9 : 1e9);
    ASSERT_EQ(theta + lambda - a[0], 0.0);
    double t = t0;
    crc(t, JD0, -0.8, loc.latitude(), lambda, "Sun");
    EXPECT_EQ(t, t0);
}

} // namespace

namespace {

// The shortcuts the prayer-times engine takes must not change a result: the
// shared samples of one day, and refining only the crossing it keeps.
TEST_F(RisesetTest, SharedSamplesAndKeptCrossingsGiveTheSameTimes)
{
    struct Day {
        double latitude;
        int month, day;
    };
    // Ordinary days, and days at 48.6 N around the first and the last night
    // on which the Sun still reaches 18 degrees.
    const Day days[] = {{21.4, 3, 1},  {51.5, 12, 21}, {48.6, 5, 28}, {48.6, 6, 2},
                        {48.6, 6, 21}, {48.6, 7, 12},  {48.6, 7, 20}, {-33.9, 6, 21}};
    for (const Day& d : days) {
        SCOPED_TRACE(std::to_string(d.latitude) + " " + std::to_string(d.month) + "/" +
                     std::to_string(d.day));
        place(d.latitude, 10, 1);
        pref.fajang = 18;
        pref.ishang = 17;
        save();
        const double JD0 = midnight(2027, d.month, d.day);
        RisesetScanMemo memo;
        RisesetOptions shared;
        shared.memo = &memo;
        for (const char* event : {"Sun", "Fajer", "Isha"}) {
            SCOPED_TRACE(event);
            EventTime r, s, r2, s2, r3, s3, unused;
            riseset(event, JD0, r, s);
            riseset(event, JD0, r2, s2, shared);
            EXPECT_EQ(r, r2);
            EXPECT_EQ(s, s2);
            RisesetOptions riseOnly = shared, setOnly = shared;
            riseOnly.wanted = RisesetOptions::Wanted::Rise;
            setOnly.wanted = RisesetOptions::Wanted::Set;
            riseset(event, JD0, r3, unused, riseOnly);
            riseset(event, JD0, unused, s3, setOnly);
            EXPECT_EQ(r, r3);
            EXPECT_EQ(s, s3);
        }
    }
}

} // namespace

namespace {

// The Moon rises about 50 minutes later each day, so in a month one day has
// no moonrise and one no moonset; the other results are times of the day.
TEST_F(RisesetTest, MoonMissesOneRiseAndOneSetInAMonth)
{
    save();
    int noRise = 0, noSet = 0;
    for (int d = 1; d <= 30; ++d) {
        EventTime rise, set;
        riseset("Moon", midnight(2027, 4, d), rise, set);
        if (rise.is(TimeMarker::NoEvent))
            ++noRise;
        else
            EXPECT_FALSE(rise.isMarker()) << d;
        if (set.is(TimeMarker::NoEvent))
            ++noSet;
        else
            EXPECT_FALSE(set.isMarker()) << d;
        // Parallax less semidiameter, refraction and dip: near the horizon.
        EXPECT_GT(moonh0, -0.3);
        EXPECT_LT(moonh0, 0.4);
    }
    EXPECT_EQ(noRise, 1);
    EXPECT_EQ(noSet, 1);
}

} // namespace

// A longitude of many turns is the meridian it names: 1e12 and 1e15 degrees
// both lie exactly 280 degrees east, and the finder's events and the altitudes
// are those of 280 degrees to the last bit. Taken whole, the hour angle lost
// up to a quarter of a degree to rounding at 1e15, a minute of time.
TEST_F(RisesetTest, ALongitudeOfManyTurnsGivesTheEventsOfItsMeridian)
{
    const double JD0 = midnight(2026, 12, 11);
    auto events = [&](double longitude, EventTime out[6], double& h) {
        place(21.4225, longitude, 3);
        save();
        riseset("Sun", JD0, out[0], out[1]);
        riseset("Fajer", JD0, out[2], out[3]);
        noonalt = 60;
        riseset("Asr", JD0, out[4], out[5]);
        double a, d, aT, dT, l, b, lT, bT, R, E, A;
        corsm(kPi15, JD0 + 0.3, a, d, aT, dT, l, b, lT, bT, R, E);
        altazm(JD0 + 0.3, a, d, h, A);
    };
    EventTime want[6];
    double wantH;
    events(280, want, wantH);
    for (double turns : {1e12, 1e15}) {
        SCOPED_TRACE(turns);
        EventTime got[6];
        double gotH;
        events(turns, got, gotH);
        EXPECT_EQ(gotH, wantH);
        for (int i = 0; i < 6; ++i) {
            SCOPED_TRACE(i);
            ASSERT_FALSE(want[i].isMarker());
            EXPECT_EQ(got[i].hours, want[i].hours);
        }
    }
}
