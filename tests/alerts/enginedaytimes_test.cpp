// The alert program's day of prayer times from the engine: the order of the
// requests, the adjustments and markers as they come out of real events, the
// summer hour, the topocentric altitude of its event finder, and agreement
// with the main program's today run.
#include <cmath>
#include <cstdlib>
#include <string>

#include <QCoreApplication>
#include <QTimer>
#include <gtest/gtest.h>

#include "alerts/enginedaytimes.h"
#include "engine/modaltazm.h"
#include "engine/modcorsm.h"
#include "engine/modctim.h"
#include "engine/modgeneral.h"
#include "engine/modjul.h"
#include "engine/modriseset.h"
#include "platform/programfolder.h"
#include "platform/qt/qtplatform.h"
#include "prayer/prayerfixture.h"
#include "reports/prayertimes.h"
#include "series/seriesloader.h"
#include "settings/records.h"
#include "support/testsupport.h"

using namespace alerts;

namespace {

// The prayer tests' places, carried into whole minutes at 60 seconds as the
// location dialog would save them.
using prayertest::location;
using prayertest::Place;

const Place kMecca{"Mecca", 21.4225, 39.8261, 277, 3};

double jd(const CalendarDate& d)
{
    double v;
    jul(d.year, d.month, d.day, 0, v);
    return v;
}

// Minutes after midnight of an "hh:mm" text; -1 for anything else.
int minutes(const std::string& t)
{
    if (t.size() != 5 || t[2] != ':')
        return -1;
    return std::stoi(t.substr(0, 2)) * 60 + std::stoi(t.substr(3, 2));
}

std::string clock(double hours)
{
    std::string t;
    ctim(1, hours, t);
    return t;
}

class EngineDayTimesTest : public testsupport::ProgramFolderTest {
protected:
    static void SetUpTestSuite()
    {
        // The alert program loads these three; it never asks for the Moon.
        const auto old = platform::programFolder();
        platform::setProgramFolder(testsupport::seriesDir());
        series::loadTermFull();
        series::loadTerm();
        series::loadMterm();
        platform::setProgramFolder(old);
    }

    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        tdtmode = 0;
        pref = settings::Preferences::defaults();
        pref.summ = "0";
        pref.fajang = pref.ishang = 18;
        pref.subfaj = pref.subsho = pref.adddoh = pref.addmag = pref.addasr = 0;
        pref.min = "1";
        pref.hour24 = 1;
        loc = location(kMecca);
    }

    void save()
    {
        ASSERT_TRUE(settings::writePreferences(pref).ok);
        ASSERT_TRUE(settings::writeCurrentLocation(loc).ok);
    }

    DayTimes compute(const CalendarDate& d)
    {
        save();
        return source.compute(d);
    }

    DayEvents events(const CalendarDate& d)
    {
        save();
        return findDayEvents(d, pref, loc);
    }

    settings::Preferences pref;
    settings::CurrentLocation loc;
    EngineDayTimes source;
};

const CalendarDate kDay{2027, 3, 1};

TEST_F(EngineDayTimesTest, TwilightRequestsFollowTheAngles)
{
    RisesetOptions topocentric;
    topocentric.topocentricAltitude = true;
    const double JD0 = jd(kDay) - 3.0 / 24;
    EventTime morning, evening;

    // Equal angles: Isha is the evening crossing of the one "Fajer" request.
    const DayTimes equal = compute(kDay);
    save();
    riseset("Fajer", JD0, morning, evening, topocentric);
    ASSERT_FALSE(morning.isMarker());
    ASSERT_FALSE(evening.isMarker());
    EXPECT_EQ(equal.fajr, clock(morning.hours));
    EXPECT_EQ(equal.isha, clock(evening.hours));

    // Different angles: Fajr from "Fajer", Isha from the "Isha" request.
    pref.fajang = 19.5;
    pref.ishang = 17;
    const DayTimes different = compute(kDay);
    riseset("Fajer", JD0, morning, evening, topocentric);
    EXPECT_EQ(different.fajr, clock(morning.hours));
    riseset("Isha", JD0, morning, evening, topocentric);
    EXPECT_EQ(different.isha, clock(evening.hours));
    EXPECT_LT(minutes(different.fajr), minutes(equal.fajr));
    EXPECT_LT(minutes(different.isha), minutes(equal.isha));
}

TEST_F(EngineDayTimesTest, AdjustmentsAndTheCityCorrection)
{
    // Mecca, 1 March 2027: Fajr about 05:23, sunrise 06:39, Dhuhr 12:33,
    // Asr 15:52, Maghrib 18:26, Isha 19:40.
    const DayTimes plain = compute(kDay);
    for (const std::string* t :
         {&plain.fajr, &plain.sunrise, &plain.dhuhr, &plain.asr, &plain.maghrib, &plain.isha})
        ASSERT_GE(minutes(*t), 0) << *t;

    struct Case {
        const char* what;
        double subfaj, subsho, adddoh, addmag, addasr, city;
        // Expected shift in minutes of each time, or "----".
        int fajr, sunrise, dhuhr, asr, maghrib, isha;
        bool fajrGone = false, sunriseGone = false, asrGone = false, maghribGone = false;
    };
    // One degree of longitude at Mecca's latitude is 103.675 km on the WGS84
    // ellipsoid (pi/180 a cos(lat) / sqrt(1 - e^2 sin^2 lat)): a city that far
    // east sees the Sun 4 minutes earlier.
    const double oneDegree = 103.675;
    const Case cases[] = {
        {"each prayer's minutes", 2, 3, 4, 5, 6, 0, -2, -3, 4, 6, 5, 0},
        {"the city correction moves Fajr and sunrise only", 0, 0, 0, 0, 0, oneDegree, -4, -4, 0, 0,
         0, 0},
        {"Fajr pushed before midnight", 6 * 60, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, true},
        {"the city correction pushes Fajr and sunrise before midnight", 0, 0, 0, 0, 0,
         oneDegree * 15 * 7, 0, 0, 0, 0, 0, 0, true, true},
        {"Maghrib and Asr pushed past midnight", 0, 0, 0, 6 * 60, 9 * 60, 0, 0, 0, 0, 0, 0, 0,
         false, false, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        pref.subfaj = c.subfaj;
        pref.subsho = c.subsho;
        pref.adddoh = c.adddoh;
        pref.addmag = c.addmag;
        pref.addasr = c.addasr;
        loc.city = c.city;
        const DayTimes t = compute(kDay);
        auto expect = [](const std::string& got, const std::string& before, int shift, bool gone) {
            if (gone)
                EXPECT_EQ(got, "----");
            else
                EXPECT_NEAR(minutes(got), minutes(before) + shift, 1) << got;
        };
        expect(t.fajr, plain.fajr, c.fajr, c.fajrGone);
        expect(t.sunrise, plain.sunrise, c.sunrise, c.sunriseGone);
        expect(t.dhuhr, plain.dhuhr, c.dhuhr, false);
        expect(t.asr, plain.asr, c.asr, c.asrGone);
        expect(t.maghrib, plain.maghrib, c.maghrib, c.maghribGone);
        expect(t.isha, plain.isha, c.isha, false);
    }
}

TEST_F(EngineDayTimesTest, PolarDays)
{
    struct Case {
        const char* what;
        Place place;
        CalendarDate date;
        const char* fajr; // nullptr: a clock time
        const char* sunrise;
        const char* dhuhr;
        const char* asr;
        const char* maghrib;
        const char* isha;
    };
    const Place svalbard{"Svalbard", 78.22, 15.65, 10, 1};
    const Place northPole{"Near the pole", 85, 15, 0, 1};
    const Case cases[] = {
        {"midnight sun", svalbard, {2027, 6, 21}, "Bright", "Up", nullptr, nullptr, "Up", "Bright"},
        {"polar night with twilight",
         svalbard,
         {2027, 12, 21},
         nullptr,
         "Down",
         "Down",
         "Down",
         "Down",
         nullptr},
        {"polar night without twilight",
         northPole,
         {2027, 12, 21},
         "Dark",
         "Down",
         "Down",
         "Down",
         "Down",
         "Dark"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        loc = location(c.place);
        const DayTimes t = compute(c.date);
        auto expect = [](const std::string& got, const char* marker) {
            if (marker)
                EXPECT_EQ(got, marker);
            else
                EXPECT_GE(minutes(got), 0) << got;
        };
        expect(t.fajr, c.fajr);
        expect(t.sunrise, c.sunrise);
        expect(t.dhuhr, c.dhuhr);
        if (c.asr)
            expect(t.asr, c.asr);
        else // a time, or "----" when the Sun never reaches the Asr altitude
            EXPECT_TRUE(t.asr == "----" || minutes(t.asr) >= 0) << t.asr;
        expect(t.maghrib, c.maghrib);
        expect(t.isha, c.isha);
    }
}

TEST_F(EngineDayTimesTest, SummerWindowAcrossTheYearEnd)
{
    struct Case {
        const char* what;
        CalendarDate date;
        int hour;
    };
    const Case cases[] = {
        {"December", {2027, 12, 15}, 1}, {"March", {2027, 3, 15}, 1},   {"June", {2027, 6, 15}, 0},
        {"first day", {2027, 10, 1}, 1}, {"last day", {2027, 4, 1}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        pref.summ = "0";
        const DayTimes winter = compute(c.date);
        pref.summ = "1";
        pref.smf = 10, pref.sdf = 1, pref.smt = 4, pref.sdt = 1;
        const DayTimes summer = compute(c.date);
        // The same instants an hour later on the clock (a second's difference
        // in the refined events may move a text by one minute).
        EXPECT_NEAR(minutes(summer.fajr) - minutes(winter.fajr), 60 * c.hour, 1);
        EXPECT_NEAR(minutes(summer.dhuhr) - minutes(winter.dhuhr), 60 * c.hour, 1);
        EXPECT_NEAR(minutes(summer.maghrib) - minutes(winter.maghrib), 60 * c.hour, 1);
        EXPECT_NEAR(minutes(summer.isha) - minutes(winter.isha), 60 * c.hour, 1);
    }
}

TEST_F(EngineDayTimesTest, AlwaysTwentyFourHourMinutes)
{
    const DayTimes usual = compute(kDay);
    pref.min = "0";  // seconds
    pref.hour24 = 0; // 12-hour clock
    const DayTimes t = compute(kDay);
    EXPECT_EQ(t, usual);
    EXPECT_GT(minutes(t.maghrib), 12 * 60);
}

TEST_F(EngineDayTimesTest, EventFinderTakesTheTopocentricAltitude)
{
    const DayEvents e = events(kDay);
    const double JD0 = jd(kDay) - 3.0 / 24;
    EventTime topoRise, topoSet, geoRise, geoSet;
    RisesetOptions topocentric;
    topocentric.topocentricAltitude = true;
    riseset("Sun", JD0, topoRise, topoSet, topocentric);
    riseset("Sun", JD0, geoRise, geoSet);
    ASSERT_FALSE(e.sunMorning.isMarker());
    EXPECT_EQ(e.sunMorning.hours, topoRise.hours);
    EXPECT_EQ(e.sunEvening.hours, topoSet.hours);
    // The solar parallax moves the crossings by a second or so.
    EXPECT_NE(e.sunMorning.hours, geoRise.hours);
    EXPECT_NEAR(e.sunMorning.hours, geoRise.hours, 10.0 / 3600);

    // The noon altitude is the geocentric one at the adjusted Dhuhr, left in
    // noonalt for the Asr request.
    const double noon = jd(kDay) + (e.dhuhr - 3) / 24;
    double a, d, aT, dT, l, b, lT, bT, R, E, h, hTopo, azimuth;
    corsm(kPi15, noon, a, d, aT, dT, l, b, lT, bT, R, E);
    altazm(noon, a, d, h, azimuth);
    altazm(noon, aT, dT, hTopo, azimuth);
    EXPECT_EQ(e.dhuhrAltitude, h);
    EXPECT_NE(e.dhuhrAltitude, hTopo);
    EXPECT_EQ(noonalt, e.dhuhrAltitude);
}

TEST_F(EngineDayTimesTest, AgreesWithTheMainProgramToTheMinute)
{
    const Place places[] = {
        kMecca,
        {"Jakarta", -6.2, 106.8, 8, 7},
        {"Cairo", 30.0444, 31.2357, 23, 2},
        {"New York", 40.7128, -74.006, 10, -5},
        {"London", 51.5074, -0.1278, 11, 0},
        {"Cape Town", -33.92, 18.42, 10, 2},
        // Clocks of the far side of the date line: Asr comes, in both.
        {"Kiritimati", 1.87, -157.43, 5, 14},
        {"Apia", -13.83, -171.76, 2, 13},
    };
    settings::DateSelection date;
    date.year1 = date.year2 = 2027;
    date.month1 = date.month2 = 1;
    date.day1 = date.day2 = 1;
    ASSERT_TRUE(settings::writeDateSelection(date).ok);
    pref.subfaj = 2, pref.subsho = 1, pref.adddoh = 2, pref.addmag = 3, pref.addasr = 1;
    pref.fajang = 18.5, pref.ishang = 17;

    prayer::PrayerTimesEngine qamtar;
    int exact = 0, all = 0;
    for (const Place& p : places) {
        for (const CalendarDate& d :
             {CalendarDate{2027, 1, 15}, CalendarDate{2027, 4, 15}, CalendarDate{2027, 10, 15}}) {
            SCOPED_TRACE(std::string(p.name) + " month " + std::to_string(d.month));
            loc = location(p);
            loc.city = 7;
            const DayTimes alert = compute(d);
            qamtar.todaymode = 1;
            qamtar.todayjd = jd(d);
            qamtar.cmdcom_Click();
            qamtar.todaymode = 0;
            const std::string main[] = {qamtar.fajertext, qamtar.shuroqtext,  qamtar.dhohurtext,
                                        qamtar.asrtext,   qamtar.maghrebtext, qamtar.ishatext};
            const std::string mine[] = {alert.fajr, alert.sunrise, alert.dhuhr,
                                        alert.asr,  alert.maghrib, alert.isha};
            for (int i = 0; i < 6; ++i) {
                ASSERT_GE(minutes(mine[i]), 0) << mine[i];
                EXPECT_LE(std::abs(minutes(mine[i]) - minutes(main[i])), 1)
                    << i << ": " << mine[i] << " " << main[i];
                ++all;
                exact += mine[i] == main[i];
            }
        }
    }
    // The parallax moves an event by a second or so: a text differs only where
    // that second crosses a half minute.
    EXPECT_GE(exact, all - 3);
}

// Both programs take a longitude of many turns as the meridian it names: the
// same Dhuhr minute, and Asr within the minute the alert program's topocentric
// Sun may move it. Taken whole, such a longitude put the alert program's
// transit thousands of years away: 11 and 25 minutes early at 360000039.8
// degrees, no Dhuhr at 1e12 and 1e15.
TEST_F(EngineDayTimesTest, ALongitudeOfManyTurnsGivesBothProgramsTheSameDhuhr)
{
    struct Case {
        const char* what;
        double longid, longim, longis;
        bool east;
        double zon;
        CalendarDate date;
    };
    const Case cases[] = {
        {"ordinary", 39, 49, 34, true, 3, {2027, 3, 1}},
        {"ordinary west", 74, 0, 22, false, -5, {2027, 3, 1}},
        {"a million turns", 360000039.8, 0, 0, true, 3, {2027, 3, 1}},
        {"1e12", 1e12, 0, 0, true, 3, {2027, 3, 1}},
        {"1e15 as saved with minutes and seconds", 1e15, 49, 34, true, 3, {2026, 12, 11}},
    };
    settings::DateSelection date;
    date.year1 = date.year2 = 2027;
    date.month1 = date.month2 = date.day1 = date.day2 = 1;
    ASSERT_TRUE(settings::writeDateSelection(date).ok);
    prayer::PrayerTimesEngine qamtar;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        loc = location(kMecca);
        loc.longid = c.longid, loc.longim = c.longim, loc.longis = c.longis;
        loc.east = c.east, loc.west = !c.east;
        loc.zon = c.zon;
        const DayTimes alert = compute(c.date);
        qamtar.todaymode = 1;
        qamtar.todayjd = jd(c.date);
        qamtar.cmdcom_Click();
        qamtar.todaymode = 0;
        ASSERT_GE(minutes(qamtar.dhohurtext), 0) << qamtar.dhohurtext;
        ASSERT_GE(minutes(qamtar.asrtext), 0) << qamtar.asrtext;
        EXPECT_EQ(alert.dhuhr, qamtar.dhohurtext);
        ASSERT_GE(minutes(alert.asr), 0) << alert.asr;
        EXPECT_LE(std::abs(minutes(alert.asr) - minutes(qamtar.asrtext)), 1)
            << alert.asr << " " << qamtar.asrtext;
    }
}

// The main program saves the place while this one runs. The tick that follows
// (a handler entered from the message loop) computes the whole day with the
// new place: the engine's kept record of the old one is looked at again too.
TEST_F(EngineDayTimesTest, APlaceSavedByTheMainProgramCountsFromTheNextTick)
{
    platform::watchHandlerEntries();
    loc = location({"Riyadh", 24.6333, 46.7167, 600, 3});
    const DayTimes riyadh = compute(kDay);
    const std::string riyadhFile = get("loc.zvd");
    loc = location(kMecca);
    const DayTimes mecca = compute(kDay);
    ASSERT_NE(riyadh.fajr, mecca.fajr);

    // Saved by the other program (write and rename), so no save of this one
    // marks it.
    testsupport::writeFile(file("loc.zvd.new"), riyadhFile);
    std::filesystem::rename(file("loc.zvd.new"), file("loc.zvd"));
    DayTimes tick;
    QTimer::singleShot(0, [&] { tick = source.compute(kDay); });
    QCoreApplication::processEvents();
    EXPECT_EQ(tick, riyadh);
}

} // namespace
