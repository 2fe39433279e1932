// The parts of the day's computation that need no astronomy: clock texts, the
// summer-time window, the local day, the city correction, and how the event
// results combine into the six texts.
#include <cmath>

#include <gtest/gtest.h>

#include "alerts/daytimes.h"
#include "alerts/placetext.h"

using namespace alerts;

namespace {

TEST(DayTimes, MinuteClockText)
{
    struct Case {
        double hours;
        const char* text;
    };
    const Case cases[] = {
        {4.2, "04:12"},
        {0, "00:00"},
        {13 + 29.0 / 3600, "13:00"}, // 29 s: down
        {13 + 30.0 / 3600, "13:00"}, // an exact half minute: to the even minute
        {13 + 90.0 / 3600, "13:02"}, // 1.5 min: to the even minute, up
        {23 + 59.0 / 60 + 29.4 / 3600, "23:59"},
        {23 + 59.0 / 60 + 29.5 / 3600, "24:00"}, // 24:00 from 23:59:29.5 on
        // One rounding of the minutes with their fraction: 5 min 29.6 s is
        // 5.49 min, not 5 min 30 s rounded up to 6.
        {7 + 5.0 / 60 + 29.6 / 3600, "07:05"},
        {24.5, "00:30"}, // past midnight the clock wraps
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hours);
        EXPECT_EQ(minuteClockText(c.hours), c.text);
    }
}

TEST(DayTimes, AdjustedTextsStayInsideTheDay)
{
    EXPECT_EQ(adjustedClockText(0.1, -10), "----"); // pushed before midnight
    EXPECT_EQ(adjustedClockText(0.2, -10), "00:02");
    EXPECT_EQ(adjustedClockText(23.9, 6), "----"); // pushed to 24:00
    EXPECT_EQ(adjustedClockText(23.9, 5), "23:59");
}

settings::Preferences summerPrefs(double smf, double sdf, double smt, double sdt,
                                  const char* summ = "1")
{
    settings::Preferences p;
    p.summ = summ;
    p.smf = smf;
    p.sdf = sdf;
    p.smt = smt;
    p.sdt = sdt;
    return p;
}

TEST(DayTimes, SummerWindow)
{
    struct Case {
        const char* what;
        settings::Preferences prefs;
        CalendarDate date;
        int summer;
    };
    const auto wrapping = summerPrefs(10, 1, 4, 1);
    const auto plain = summerPrefs(4, 1, 10, 1);
    const Case cases[] = {
        {"wrapping: December", wrapping, {2027, 12, 15}, 1},
        {"wrapping: March", wrapping, {2027, 3, 15}, 1},
        {"wrapping: June", wrapping, {2027, 6, 15}, 0},
        {"wrapping: first day", wrapping, {2027, 10, 1}, 1},
        {"wrapping: last day", wrapping, {2027, 4, 1}, 1},
        {"wrapping: day after", wrapping, {2027, 4, 2}, 0},
        {"plain: inside", plain, {2027, 6, 15}, 1},
        {"plain: last day", plain, {2027, 10, 1}, 1},
        {"plain: before", plain, {2027, 3, 31}, 0},
        {"switch off", summerPrefs(4, 1, 10, 1, "0"), {2027, 6, 15}, 0},
        {"switch not exactly 1", summerPrefs(4, 1, 10, 1, "1.0"), {2027, 6, 15}, 0},
        // 31 April is 1 May.
        {"day past the month's end", summerPrefs(4, 31, 10, 1), {2027, 4, 30}, 0},
        {"day past the month's end, in", summerPrefs(4, 31, 10, 1), {2027, 5, 1}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(summerHour(c.date, c.prefs), c.summer);
    }
}

TEST(DayTimes, LocalDayAndCorrections)
{
    // The zone enters the local day rounded to two decimals.
    EXPECT_DOUBLE_EQ(localMidnight(2461000.5, 1, 2.004), 2461000.5 - 3.0 / 24);
    EXPECT_DOUBLE_EQ(localMidnight(2461000.5, 0, -5), 2461000.5 + 5.0 / 24);
    EXPECT_DOUBLE_EQ(meridianOffset(3, 39.826), 4 * (45 - 39.826));
    // Across the date line the clock keeps the nearer meridian: Kiritimati's
    // +14 h is the meridian of 150 degrees west, 7.4 degrees east of it.
    EXPECT_NEAR(meridianOffset(14, -157.4), 4 * 7.4, 1e-9);
    EXPECT_NEAR(meridianOffset(-10, 173.2), 4 * 36.8, 1e-9);
    EXPECT_DOUBLE_EQ(transitClockTime(1, 20.7, 12.3), 13 + 8.4 / 60);
    EXPECT_EQ(cityCorrection(0, 40), 0);
    // A degree of longitude on the WGS84 ellipsoid, pi/180 a cos(lat) /
    // sqrt(1 - e^2 sin^2 lat): 111.319 km at the equator, 103.675 km at
    // Mecca, 69.441 km at London. The Sun crosses it in 4 minutes.
    EXPECT_NEAR(cityCorrection(111.319, 0), 4.0 / 60, 1e-6);
    EXPECT_NEAR(cityCorrection(103.675, 21.4225), 4.0 / 60, 1e-6);
    EXPECT_NEAR(cityCorrection(69.441, 51.5), 4.0 / 60, 1e-6);
    EXPECT_GT(cityCorrection(10, 60), cityCorrection(10, 30));
}

EventTime at(double h)
{
    return EventTime::at(h);
}
EventTime mark(TimeMarker m)
{
    return EventTime::marked(m);
}

TEST(DayTimes, AssembleDay)
{
    settings::Preferences p;
    p.subfaj = 2;
    p.subsho = 1;
    p.adddoh = 0;
    p.addmag = 3;
    p.addasr = 1;

    DayEvents normal;
    normal.sunMorning = at(5.7);
    normal.sunEvening = at(18.0);
    normal.fajr = at(4.3);
    normal.isha = at(19.5);
    normal.dhuhr = 11.75;
    normal.dhuhrAltitude = 50;
    normal.sunh0 = -0.83;
    normal.asrEvening = at(15.35);

    struct Case {
        const char* what;
        DayEvents events;
        double c;
        DayTimes times;
    };
    auto with = [&](auto change) {
        DayEvents e = normal;
        change(e);
        return e;
    };
    const Case cases[] = {
        {"a plain day", normal, 0, {"04:16", "05:41", "11:45", "15:22", "18:03", "19:30"}},
        // The city correction moves Fajr and sunrise only.
        {"city correction", normal, 0.05, {"04:13", "05:38", "11:45", "15:22", "18:03", "19:30"}},
        {"Fajr pushed before midnight",
         with([](DayEvents& e) { e.fajr = at(0.02); }),
         0,
         {"----", "05:41", "11:45", "15:22", "18:03", "19:30"}},
        {"Maghrib and Asr pushed past midnight",
         with([](DayEvents& e) {
             e.sunEvening = at(23.97);
             e.asrEvening = at(23.99);
         }),
         0,
         {"04:16", "05:41", "11:45", "----", "----", "19:30"}},
        {"Isha is never range-tested",
         with([](DayEvents& e) { e.isha = at(23.999); }),
         0,
         {"04:16", "05:41", "11:45", "15:22", "18:03", "24:00"}},
        {"polar night",
         with([](DayEvents& e) {
             e.sunMorning = e.sunEvening = mark(TimeMarker::Down);
             e.fajr = e.isha = mark(TimeMarker::Dark);
             e.dhuhrAltitude = -3;
             e.asrEvening = mark(TimeMarker::Down);
         }),
         0,
         {"Dark", "Down", "Down", "Down", "Down", "Dark"}},
        {"midnight sun",
         with([](DayEvents& e) {
             e.sunMorning = e.sunEvening = mark(TimeMarker::Up);
             e.fajr = e.isha = mark(TimeMarker::Bright);
             e.asrEvening = mark(TimeMarker::Up);
         }),
         0,
         {"Bright", "Up", "11:45", "----", "Up", "Bright"}},
        {"noon at the horizon: no Dhuhr",
         with([](DayEvents& e) { e.dhuhrAltitude = -0.83; }),
         0,
         {"04:16", "05:41", "----", "15:22", "18:03", "19:30"}},
        {"no sunset that day",
         with([](DayEvents& e) { e.sunEvening = mark(TimeMarker::NoEvent); }),
         0,
         {"04:16", "05:41", "11:45", "15:22", "----", "19:30"}},
        {"no Asr",
         with([](DayEvents& e) { e.asrEvening = mark(TimeMarker::NoEvent); }),
         0,
         {"04:16", "05:41", "11:45", "----", "18:03", "19:30"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(assembleDay(c.events, p, c.c), c.times);
    }
}

TEST(DayTimes, NumberPatterns)
{
    EXPECT_EQ(patternText(5, "##00"), "05");
    EXPECT_EQ(patternText(12.34, "###00.0"), "12.3");
    EXPECT_EQ(patternText(7, "###00.0"), "07.0");
    EXPECT_EQ(patternText(-5, "####0.00"), "-5.00");
    EXPECT_EQ(patternText(-0.001, "####0.00"), "0.00");
    EXPECT_EQ(patternText(120, "###############0.0"), "120.0");
    EXPECT_EQ(patternText(138, "####00"), "138");
    EXPECT_EQ(patternText(154.25, "###############0.0"), "154.3"); // a half: away from zero
}

} // namespace
