// The moon-times engine's one-day run for the crescent-visibility tool, the
// progress it shows, the texts it leaves in the main window, and the bound on
// the transit iteration.
#include <cmath>
#include <filesystem>
#include <iostream>

#include <gtest/gtest.h>

#include "engine/modaltazm.h"
#include "engine/modcorml.h"
#include "engine/modcormm.h"
#include "engine/modctim.h"
#include "engine/modgeneral.h"
#include "engine/modriseset.h"
#include "engine/modsiderial.h"
#include "platform/eventloop.h"
#include "prayer/prayerfixture.h"
#include "reports/moontimes.h"
#include "reports/reportpieces.h"

namespace {

using prayertest::jd;
using prayertest::PrayerTest;
using prayertest::RecordingHost;

class MoonEngineTest : public PrayerTest {};

// The main window's text of a result in minutes precision.
std::string text(const EventTime& e)
{
    if (e.isMarker())
        return e.markerText();
    std::string s;
    ctim("1", e.hours, s);
    return s;
}

TEST_F(MoonEngineTest, OneDayRunLeavesTheDaysRiseAndSetAndNothingElse)
{
    struct Case {
        const char* what;
        prayertest::Place place;
        int year, month, day;
        std::int16_t summer;
        TimeMarker rise, set; // None: a time
    };
    const Case cases[] = {
        {"ordinary day",
         {"Mecca", 21.4225, 39.8261, 277, 3},
         2027,
         3,
         1,
         0,
         TimeMarker::None,
         TimeMarker::None},
        {"summer time moves local midnight",
         {"London", 51.5, -7 / 60.0, 11, 0},
         2027,
         3,
         29,
         1,
         TimeMarker::None,
         TimeMarker::None},
        {"no moonrise",
         {"London", 51.5, -7 / 60.0, 11, 0},
         2027,
         3,
         26,
         0,
         TimeMarker::NoEvent,
         TimeMarker::None},
        {"no moonset",
         {"London", 51.5, -7 / 60.0, 11, 0},
         2027,
         3,
         13,
         0,
         TimeMarker::None,
         TimeMarker::NoEvent},
        {"stays down",
         {"Tromso", 69.6492, 18.9553, 10, 1},
         2027,
         1,
         5,
         0,
         TimeMarker::Down,
         TimeMarker::Down},
        {"stays up",
         {"Tromso", 69.6492, 18.9553, 10, 1},
         2027,
         1,
         18,
         0,
         TimeMarker::Up,
         TimeMarker::Up},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        loc = prayertest::location(c.place);
        save();
        const double day = jd(c.year, c.month, c.day);
        onedaymode = 1;
        onedayjd = day;
        summerflag = c.summer;

        std::string shuroq = "before", maghreb = "before";
        bool english = false;
        moontimes::MoonTimesEngine engine;
        engine.bindMainWindow(shuroq, maghreb, english);
        RecordingHost host;
        engine.setHost(&host);
        engine.cmdmoon_Click();
        const double leftMoonh0 = moonh0;

        // The caller's inputs stay as they were.
        EXPECT_EQ(onedaymode, 1);
        EXPECT_EQ(onedayjd, day);
        EXPECT_EQ(summerflag, c.summer);
        // The hidden window gets its bar, nothing else; no file is written.
        EXPECT_EQ(host.calls, std::vector<std::string>{"progress"});
        EXPECT_EQ(host.labels, std::vector<std::string>{"100 %"});
        EXPECT_FALSE(std::filesystem::exists(file("mresults.out")));
        EXPECT_FALSE(engine.lastRun().reportRun);

        EventTime rise, set;
        riseset("Moon", day - (c.place.zon + c.summer) / 24, rise, set);
        EXPECT_EQ(daymoonrise, rise);
        EXPECT_EQ(daymoonset, set);
        EXPECT_EQ(leftMoonh0, moonh0);
        EXPECT_EQ(daymoonrise.marker, c.rise);
        EXPECT_EQ(daymoonset.marker, c.set);
        EXPECT_EQ(shuroq, text(rise));
        EXPECT_EQ(maghreb, text(set));
        EXPECT_TRUE(english);
        onedaymode = 0;
    }
}

TEST_F(MoonEngineTest, ReportRunLeavesTheLastDaysTextsInTheMainWindow)
{
    loc = prayertest::location({"London", 51.5, -7 / 60.0, 11, 0});
    date = prayertest::dates(2027, 3, 24, 2027, 3, 26);
    pref.eng = false;
    save();
    std::string shuroq, maghreb;
    bool english = true;
    moontimes::MoonTimesEngine engine;
    engine.bindMainWindow(shuroq, maghreb, english);
    engine.cmdmoon_Click();
    EXPECT_EQ(shuroq, "----"); // 26 March has no moonrise
    EXPECT_EQ(maghreb, "06:51");
    EXPECT_FALSE(english);
    EXPECT_EQ(daymoonrise.marker, TimeMarker::NoEvent);
}

TEST_F(MoonEngineTest, ElevenDaysShowTenPercentSteps)
{
    date = prayertest::dates(2027, 3, 1, 2027, 3, 11);
    save();
    moontimes::MoonTimesEngine engine;
    RecordingHost host;
    engine.setHost(&host);
    engine.cmdmoon_Click();
    const std::vector<std::string> want = {"0 %",  "10 %", "20 %", "30 %", "40 %", "50 %",
                                           "60 %", "70 %", "80 %", "90 %", "100 %"};
    EXPECT_EQ(host.labels, want);
    EXPECT_EQ(host.handOvers, 11);
}

TEST_F(MoonEngineTest, TodaysSystemDateReplacesTheStoredRange)
{
    date = prayertest::dates(2027, 3, 1, 2027, 3, 20);
    date.sysdate = true;
    save();
    // 12 h UTC on 15 June 2027: the same date in every zone within 11 hours.
    platform::setClock([] {
        return platform::Clock::from_time_t(1813060800); // 2027-06-15 12:00:00 UTC
    });
    moontimes::MoonTimesEngine engine;
    RecordingHost host;
    engine.setHost(&host);
    engine.cmdmoon_Click();
    platform::setClock(nullptr);
    const std::string text = get("mresults.out");
    EXPECT_NE(text.find("- Moon Times from:  15/06/2027 CE   To:  15/06/2027 CE\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("\r\n15/06/2027 "), std::string::npos);
    EXPECT_EQ(host.labels, std::vector<std::string>{"100 %"});
}

TEST_F(MoonEngineTest, EachMissingSettingsFileStopsTheRun)
{
    for (const char* name : {"pref.zvd", "date.zvd", "loc.zvd"}) {
        SCOPED_TRACE(name);
        save();
        std::filesystem::remove(file(name));
        moontimes::MoonTimesEngine engine;
        EXPECT_THROW(engine.cmdmoon_Click(), platform::FileFault);
    }
}

// The transit iteration on stand-in hour angles: one of a Moon-like motion,
// which it solves to the second, and one that never settles, which it leaves
// after its bound with the last value instead of running on.
TEST_F(MoonEngineTest, TransitIterationConvergesAndIsBounded)
{
    const double JD0 = 2461465.5;
    auto hours = [&](double J) { return (J - JD0) * 24; };

    int passes = 0;
    const double T = moontimes::iterateTransit(
        JD0, 3, [&](double J) { return 14.49 * (hours(J) - 7.3); }, &passes);
    EXPECT_NEAR(T, 7.3, 1.0 / 3600);
    EXPECT_LE(passes, 6);

    // H jumps between +90 and -90 degrees: T swings by six hours for ever.
    int calls = 0;
    const double last = moontimes::iterateTransit(
        JD0, 12,
        [&](double) {
            ++calls;
            return calls % 2 ? 90.0 : -90.0;
        },
        &passes);
    EXPECT_EQ(passes, moontimes::kMostTransitPasses);
    EXPECT_EQ(calls, moontimes::kMostTransitPasses);
    EXPECT_DOUBLE_EQ(last, 12); // the 50th pass (H = -90) brings it back from 6 to 12
}

TEST_F(MoonEngineTest, HourAnglesAreTakenIntoTheHalfOpenCircle)
{
    // 540 degrees is 180 (the far side, -180 < H <= 180), 720.25 is 0.25.
    for (const auto& [H, shift] : {std::pair{540.0, -12.0}, std::pair{720.25, -0.25 / 15}}) {
        int passes = 0;
        const double T = moontimes::iterateTransit(
            2461465.5, 12, [&](double) { return passes++ ? 0.0 : H; }, nullptr);
        EXPECT_NEAR(T, 12 + shift, 1e-9) << H;
    }
}

// The Moon's upper meridian passage within the local day from JD0, found
// apart from the engine's iteration: a sign change of the hour angle from east
// to west, bracketed with the low-precision Moon every two hours and bisected
// with the ELP 2000-85 one. Hours after JD0, or a negative value for a day
// without one; altitude: out, geocentric, degrees.
double upperPassage(double JD0, double lambda, double& altitude)
{
    double a, d, aT, dT, l, b, lT, bT, p, s, sT, r, theta, A;
    auto hourAngle = [&](double hours, bool precise) {
        const double J = JD0 + hours / 24;
        if (precise)
            cormm(pi, J, a, d, aT, dT, l, b, lT, bT, p, s, sT, r);
        else
            corml(pi, J, a, d, aT, dT, l, b, lT, bT, p, s, sT);
        siderial(J, theta);
        double H = std::fmod(theta + lambda - a, 360.0);
        H += H > 180 ? -360 : H <= -180 ? 360 : 0;
        return H;
    };
    constexpr double kStep = 2;
    double previous = hourAngle(0, false);
    for (double t = 0; t < 24; t += kStep) {
        const double next = hourAngle(t + kStep, false);
        const bool crosses = previous <= 0.5 && next > -0.5 && next - previous < 90;
        previous = next;
        if (!crosses)
            continue;
        double lo = std::max(t - 0.1, 0.0), hi = std::min(t + kStep + 0.1, 24.0);
        if (!(hourAngle(lo, true) <= 0 && hourAngle(hi, true) > 0))
            continue;
        while (hi - lo > 0.1 / 3600)
            (hourAngle((lo + hi) / 2, true) > 0 ? hi : lo) = (lo + hi) / 2;
        hourAngle(lo, true);
        altazm(JD0 + lo / 24, a, d, altitude, A);
        return lo;
    }
    return -1;
}

// Between the tropics the Moon culminates at or near the zenith twice a month
// wherever its declination passes the latitude. There its azimuth is no guide
// to the meridian, yet every day with an upper passage above the rise/set
// altitude shows it, and a day without one keeps "----".
TEST_F(MoonEngineTest, LowLatitudesShowEveryTransitUpToTheZenith)
{
    pref.min = "0";
    int nearZenith = 0, offMeridianAzimuth = 0, withoutPassage = 0, days = 0;
    // A passage this close to midnight may fall either side of it by the
    // second the iteration leaves.
    constexpr double kEdge = 5.0 / 3600;
    for (double latitude = -28.5; latitude <= 28.5; latitude += 3) {
        loc = prayertest::location({"Sweep", latitude, 39.8, 0, 3});
        save();
        for (double JD = jd(2024, 7, 1); JD < jd(2025, 7, 1); ++JD) {
            const double JD0 = JD - loc.zon / 24;
            moontimes::MoonDay day;
            moontimes::moonRiseSet(JD0, "0", day);
            moontimes::moonTransit(JD0, loc.longitude(), "0", day);
            ++days;
            double altitude = 0;
            const double passage = upperPassage(JD0, loc.longitude(), altitude);
            const bool shown = day.transitText.size() == 8 && day.transitText[2] == ':';
            SCOPED_TRACE(std::to_string(latitude) + " JD " + std::to_string(JD) + " " +
                         day.transitText + " alt " + std::to_string(altitude));
            if (passage < kEdge || passage > 24 - kEdge) {
                withoutPassage += passage < 0;
                if (passage < 0) {
                    EXPECT_FALSE(shown);
                }
                continue;
            }
            if (altitude <= moonh0) {
                EXPECT_FALSE(shown);
                continue;
            }
            ASSERT_TRUE(shown);
            EXPECT_NEAR(day.transit, passage, 2.0 / 3600);
            if (day.altitude > 89.9) {
                ++nearZenith;
                const double A = day.azimuth;
                offMeridianAzimuth +=
                    std::fabs(A - 180) > 7 && std::fabs(A) > 7 && std::fabs(A - 360) > 7;
            }
        }
    }
    // The sweep meets many culminations within a tenth of a degree of the
    // zenith, some of them with an azimuth far from the meridian, and the
    // monthly days without a transit.
    std::cout << days << " days, " << nearZenith << " within 0.1 degrees of the zenith, "
              << offMeridianAzimuth << " with the azimuth off the meridian\n";
    EXPECT_GE(nearZenith, 20);
    EXPECT_GE(offMeridianAzimuth, 1);
    EXPECT_GE(withoutPassage, days / 40);
}

// A run keeps the summer window it read at its start, whatever is saved
// while it hands over to the message loop.
TEST_F(MoonEngineTest, PreferencesSavedDuringARunLeaveItsSummerTime)
{
    pref.summ = "1";
    pref.smf = 1, pref.sdf = 1, pref.smt = 12, pref.sdt = 31;
    date = prayertest::dates(2027, 3, 1, 2027, 3, 3);
    save();
    RecordingHost host;
    host.onHandOver = [this](int) {
        settings::Preferences changed = pref;
        changed.summ = "0";
        ASSERT_TRUE(settings::writePreferences(changed).ok);
    };
    std::string shuroq, maghreb;
    bool english = true;
    moontimes::MoonTimesEngine engine;
    engine.bindMainWindow(shuroq, maghreb, english);
    engine.setHost(&host);
    engine.cmdmoon_Click();
    const std::string report = get("mresults.out");
    for (const char* day : {"01", "02", "03"})
        EXPECT_NE(report.find(std::string("\r\n*") + day + "/03/2027 "), std::string::npos) << day;
}

} // namespace

// Days beyond the computable years, judged after the zone and the summer
// hour in force: the run is refused before any row with a message naming
// date.zvd, the field the year comes from and the zone where it carries the
// days out, and the report before stays. A refused run that started all the
// same is cancelled at its first hand-over, so that a missing guard fails
// here at once instead of computing a thousand years of rows.
TEST_F(MoonEngineTest, AReportOfDaysBeyondTheComputableYearsIsRefused)
{
    const struct {
        double first[3], last[3]; // year, month, day
        double zone;
        const char* named; // the English refusal's start; "" computes
    } cases[] = {
        {{2026, 12, 11}, {2026, 12, 11}, 3, ""},
        {{3000, 12, 11}, {3000, 12, 11}, 3, ""},
        {{3000, 12, 25}, {3000, 12, 31}, 0, ""},
        {{-1999, 1, 1}, {-1999, 1, 7}, 0, ""},
        {{-1999, 1, 1},
         {-1999, 1, 7},
         3,
         "The year -1999 in date.zvd (field 2) takes the calculation beyond the years it can be "
         "made for, -1999 to 3000 in universal time: at the zone +3 of loc.zvd (field 9), its "
         "first day begins at 31/12/-2000 21:00"},
        {{100000, 12, 11}, {100000, 12, 11}, 3, "The year 100000 in date.zvd (field 2)"},
        {{3001, 12, 11}, {3001, 12, 11}, 3, "The year 3001 in date.zvd (field 2)"},
        {{-2000, 12, 11}, {-2000, 12, 11}, 3, "The year -2000 in date.zvd (field 2)"},
        {{2026, 12, 11}, {3001, 12, 11}, 3, "The year 3001 in date.zvd (field 5)"},
        {{1e15, 3, 1}, {1e15, 3, 3}, 3, "The year 1e+15 in date.zvd (field 2)"},
    };
    for (bool english : {true, false})
        for (const auto& c : cases) {
            SCOPED_TRACE(std::to_string(c.first[0]) + " to " + std::to_string(c.last[0]) +
                         (english ? " en" : " ar"));
            pref.eng = english;
            pref.summ = "1";
            pref.smf = 3, pref.sdf = 29, pref.smt = 10, pref.sdt = 25;
            loc.zon = c.zone;
            date = prayertest::dates(2027, 3, 1, 2027, 3, 3);
            date.year1 = c.first[0], date.month1 = c.first[1], date.day1 = c.first[2];
            date.year2 = c.last[0], date.month2 = c.last[1], date.day2 = c.last[2];
            save();
            put("mresults.out", "the report before");
            moontimes::MoonTimesEngine engine;
            RecordingHost host;
            if (*c.named)
                host.onHandOver = [](int) { cancelflag = -1; };
            engine.setHost(&host);
            engine.cmdmoon_Click();
            if (!*c.named) {
                EXPECT_TRUE(host.warnings.empty());
                EXPECT_EQ(host.shown.size(), 1u);
                continue;
            }
            ASSERT_EQ(host.warnings.size(), 1u);
            if (english)
                EXPECT_EQ(host.warnings[0].find(std::string("Date Error|") + c.named), 0u)
                    << host.warnings[0];
            else
                EXPECT_NE(host.warnings[0].find("\u2066-1999\u2069"), std::string::npos);
            EXPECT_EQ(host.handOvers, 0);
            EXPECT_TRUE(host.shown.empty());
            EXPECT_EQ(host.calls.back(), "unload");
            EXPECT_EQ(get("mresults.out"), "the report before");
        }
}
