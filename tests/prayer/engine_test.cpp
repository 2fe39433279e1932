// The prayer-times engine in its three modes: the order of the six times,
// the markers and adjustments, the one-day values and the progress protocol.
#include <cmath>

#include <gtest/gtest.h>

#include "engine/modctim.h"
#include "engine/modgeneral.h"
#include "engine/modjul.h"
#include "engine/modriseset.h"
#include "platform/eventloop.h"
#include "prayerfixture.h"
#include "reports/reportpieces.h"

namespace {

using prayertest::jd;
using prayertest::Place;
using prayertest::PrayerTest;
using prayertest::RecordingHost;
using reportpieces::YearSource;

// Minutes since midnight of an "hh:mm" or "hh:mm:ss" text.
double minutes(const std::string& t)
{
    EXPECT_GE(t.size(), 5u) << t;
    if (t.size() < 5)
        return -1;
    double m = std::stoi(t.substr(0, 2)) * 60 + std::stoi(t.substr(3, 2));
    if (t.size() >= 8)
        m += std::stoi(t.substr(6, 2)) / 60.0;
    return m;
}

class PrayerEngineTest : public PrayerTest {
protected:
    prayer::PrayerTimesEngine engine;

    void today(double day)
    {
        save();
        engine.todaymode = 1;
        engine.todayjd = day;
        engine.cmdcom_Click();
        engine.todaymode = 0;
    }
};

TEST_F(PrayerEngineTest, SixTimesInOrderForOrdinaryPlaces)
{
    const Place places[] = {
        {"Mecca", 21.4225, 39.8261, 277, 3},
        {"Jakarta", -6.2, 106.8, 8, 7},
        {"Cairo", 30.0444, 31.2357, 23, 2},
        {"New York", 40.7128, -74.006, 10, -5},
        {"London", 51.5074, -0.1278, 11, 0},
        {"Cape Town", -33.92, 18.42, 10, 2},
        // West of the date line on the clocks of its east side: the zone's
        // meridian lies more than half a turn from the place.
        {"Kiritimati", 1.87, -157.4, 5, 14},
        {"Apia", -13.83, -171.76, 2, 13},
        {"Nuku'alofa", -21.14, -175.2, 5, 13},
        {"Chatham", -43.95, -176.56, 30, 12.75},
    };
    pref.min = "0";
    pref.sha = "1";
    for (const Place& p : places) {
        for (int month : {1, 4, 10}) {
            SCOPED_TRACE(std::string(p.name) + " month " + std::to_string(month));
            loc = prayertest::location(p);
            today(jd(2027, month, 15));
            const double t[] = {minutes(engine.fajertext),   minutes(engine.shuroqtext),
                                minutes(engine.dhohurtext),  minutes(engine.asrtext),
                                minutes(engine.maghrebtext), minutes(engine.ishatext)};
            for (int i = 0; i + 1 < 6; ++i)
                EXPECT_LT(t[i], t[i + 1]) << "time " << i;
        }
    }
}

TEST_F(PrayerEngineTest, HanafiAsrIsLaterThanStandard)
{
    pref.sha = "1";
    today(jd(2027, 5, 10));
    const double standard = minutes(engine.asrtext);
    pref.sha = "0";
    today(jd(2027, 5, 10));
    EXPECT_GT(minutes(engine.asrtext), standard + 30);
}

TEST_F(PrayerEngineTest, TwilightRequestsFollowTheAngles)
{
    const double day = jd(2027, 3, 1);
    const double JD0 = day - 3.0 / 24;
    // Equal angles: Isha is the evening crossing of the one "Fajer" request.
    pref.fajang = pref.ishang = 18;
    today(day);
    EventTime dawn, dusk;
    riseset("Fajer", JD0, dawn, dusk);
    ASSERT_FALSE(dusk.isMarker());
    std::string text;
    ctim(pref.min, dusk.hours, text);
    EXPECT_EQ(engine.ishatext, text);
    // Unequal angles: a later Fajr, an earlier Isha.
    const std::string fajr18 = engine.fajertext, isha18 = engine.ishatext;
    pref.fajang = 19.5;
    pref.ishang = 17;
    today(day);
    EXPECT_LT(minutes(engine.fajertext), minutes(fajr18));
    EXPECT_LT(minutes(engine.ishatext), minutes(isha18));
}

TEST_F(PrayerEngineTest, PolarDayAndNight)
{
    loc = prayertest::location({"Svalbard", 78.22, 15.65, 10, 1});
    today(jd(2027, 6, 21));
    EXPECT_EQ(engine.shuroqtext, "Up");
    EXPECT_EQ(engine.maghrebtext, "Up");
    EXPECT_NE(minutes(engine.dhohurtext), -1); // a transit time
    EXPECT_EQ(engine.fajertext, "Bright");
    EXPECT_EQ(engine.ishatext, "Bright");
    EXPECT_TRUE(engine.asrtext == "----" || minutes(engine.asrtext) > 0) << engine.asrtext;

    today(jd(2027, 12, 21));
    EXPECT_EQ(engine.shuroqtext, "Down");
    EXPECT_EQ(engine.maghrebtext, "Down");
    EXPECT_EQ(engine.dhohurtext, "Down");
    EXPECT_EQ(engine.asrtext, "Down");
    EXPECT_TRUE(daysunrise.is(TimeMarker::Down));
    EXPECT_TRUE(daysunset.is(TimeMarker::Down));
}

TEST_F(PrayerEngineTest, AdjustmentsOutOfTheDayGiveNoEvent)
{
    struct Case {
        const char* what;
        double subfaj, subsho, addasr, addmag;
        const char* fajr;
        const char* shuruq;
        const char* asr;
        const char* maghrib;
    };
    // Mecca, 1 March: Fajr about 05:23, sunrise 06:39, Asr 15:52, sunset 18:26.
    const Case cases[] = {
        {"Fajr before midnight", 6 * 60, 0, 0, 0, "----", nullptr, nullptr, nullptr},
        {"sunrise before midnight", 0, 7 * 60, 0, 0, nullptr, "----", nullptr, nullptr},
        {"Asr after midnight", 0, 0, 9 * 60, 0, nullptr, nullptr, "----", nullptr},
        {"sunset after midnight", 0, 0, 0, 6 * 60, nullptr, nullptr, nullptr, "----"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        pref.subfaj = c.subfaj;
        pref.subsho = c.subsho;
        pref.addasr = c.addasr;
        pref.addmag = c.addmag;
        today(jd(2027, 3, 1));
        auto check = [](const char* expected, const std::string& got) {
            if (expected)
                EXPECT_EQ(got, expected);
            else
                EXPECT_NE(minutes(got), -1) << got;
        };
        check(c.fajr, engine.fajertext);
        check(c.shuruq, engine.shuroqtext);
        check(c.asr, engine.asrtext);
        check(c.maghrib, engine.maghrebtext);
    }
}

TEST_F(PrayerEngineTest, OneDayModeGivesTheAdjustedSunriseAndTheBareSunset)
{
    loc.city = 30; // the one-day run takes no city correction
    pref.subsho = 5;
    pref.addmag = 5;
    pref.summ = "1"; // ignored: the caller's summerflag counts
    pref.smf = 1, pref.sdf = 1, pref.smt = 12, pref.sdt = 31;
    save();
    const double day = jd(2027, 3, 1);
    for (std::int16_t flag : {0, 1}) {
        SCOPED_TRACE(flag);
        EventTime rise, set;
        riseset("Sun", day - (3.0 + flag) / 24, rise, set);
        onedaymode = 1;
        onedayjd = day;
        summerflag = flag;
        engine.fajertext = "untouched";
        engine.cmdcom_Click();
        onedaymode = 0;
        ASSERT_FALSE(daysunrise.isMarker());
        ASSERT_FALSE(daysunset.isMarker());
        EXPECT_NEAR(daysunrise.hours, rise.hours - 5.0 / 60, 1e-9);
        EXPECT_NEAR(daysunset.hours, set.hours, 1e-9);
        EXPECT_NEAR(daysunrise.hours, 6.6 - 5.0 / 60 + flag, 0.2);
        EXPECT_EQ(engine.fajertext, "untouched"); // nothing after the sunset step
        EXPECT_FALSE(engine.lastRun().reportRun);
    }
    EXPECT_FALSE(std::filesystem::exists(file("results.out")));
}

TEST_F(PrayerEngineTest, OneDayModeCarriesThePolarMarkers)
{
    loc = prayertest::location({"Svalbard", 78.22, 15.65, 10, 1});
    save();
    onedaymode = 1;
    onedayjd = jd(2027, 6, 21);
    summerflag = 0;
    engine.cmdcom_Click();
    onedaymode = 0;
    EXPECT_TRUE(daysunrise.is(TimeMarker::Up));
    EXPECT_TRUE(daysunset.is(TimeMarker::Up));
}

TEST_F(PrayerEngineTest, ProgressOfAnElevenDayRun)
{
    date = prayertest::dates(2027, 3, 1, 2027, 3, 11);
    save();
    RecordingHost host;
    engine.setHost(&host);
    cancelflag = -1; // left from an earlier cancelled run: a report run clears it
    engine.cmdcom_Click();
    ASSERT_EQ(host.labels.size(), 11u);
    for (int i = 0; i < 11; ++i) {
        EXPECT_FLOAT_EQ(host.percents[i], 10.0f * i);
        EXPECT_EQ(host.labels[i], std::to_string(10 * i) + " %");
    }
    EXPECT_EQ(host.calls.front(), "reset");
    EXPECT_EQ(host.calls[1], "show");
    EXPECT_EQ(host.handOvers, 11);
    EXPECT_EQ(host.calls[host.calls.size() - 2], "showReport");
    EXPECT_EQ(host.calls.back(), "unload");
    EXPECT_EQ(host.shown, std::vector<std::string>{"results.out"});
    EXPECT_TRUE(engine.lastRun().written);
    EXPECT_FALSE(engine.lastRun().cancelled);
}

TEST_F(PrayerEngineTest, ProgressOfOneDayIsFullAtOnce)
{
    save();
    RecordingHost host;
    engine.setHost(&host);
    engine.cmdcom_Click();
    EXPECT_EQ(host.labels, std::vector<std::string>{"100 %"});
    EXPECT_FLOAT_EQ(host.percents.at(0), 100.0f);
}

TEST_F(PrayerEngineTest, ProgressWithThirdsTruncatesTheLabel)
{
    date = prayertest::dates(2027, 3, 1, 2027, 3, 4);
    save();
    RecordingHost host;
    engine.setHost(&host);
    engine.cmdcom_Click();
    EXPECT_EQ(host.labels, (std::vector<std::string>{"0 %", "33 %", "66 %", "100 %"}));
}

TEST_F(PrayerEngineTest, CancelStopsAfterTheCurrentRowAndOpensNothing)
{
    date = prayertest::dates(2027, 3, 1, 2027, 3, 20);
    save();
    RecordingHost host;
    host.onHandOver = [](int count) {
        if (count == 3)
            cancelflag = -1; // the Cancel button during the third hand-over
    };
    engine.setHost(&host);
    engine.cmdcom_Click();
    EXPECT_EQ(host.handOvers, 3);
    EXPECT_TRUE(host.shown.empty());
    EXPECT_EQ(host.calls.back(), "unload");
    EXPECT_TRUE(engine.lastRun().cancelled);
    EXPECT_TRUE(engine.lastRun().written);
}

TEST_F(PrayerEngineTest, TodayAndOneDayRunsNeitherClearNorTestTheCancelFlag)
{
    save();
    RecordingHost host;
    engine.setHost(&host);
    cancelflag = -1;
    engine.todaymode = 1;
    engine.todayjd = jd(2027, 3, 1);
    engine.cmdcom_Click();
    engine.todaymode = 0;
    EXPECT_EQ(cancelflag, -1);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"reset", "progress"}));
    EXPECT_NE(minutes(engine.ishatext), -1);
}

} // namespace

namespace {

TEST_F(PrayerEngineTest, SystemDateReplacesTheStoredRange)
{
    date = prayertest::dates(2027, 1, 1, 2027, 1, 31);
    date.sysdate = true;
    save();
    // 15 March 2027, 10:00 local time.
    std::tm local{};
    local.tm_year = 2027 - 1900, local.tm_mon = 2, local.tm_mday = 15, local.tm_hour = 10;
    local.tm_isdst = -1;
    const auto instant = platform::Clock::from_time_t(std::mktime(&local));
    platform::setClock([instant] { return instant; });
    RecordingHost host;
    engine.setHost(&host);
    engine.cmdcom_Click();
    platform::setClock(nullptr);
    EXPECT_EQ(host.labels, std::vector<std::string>{"100 %"});
    const std::string report = get("results.out");
    EXPECT_NE(report.find("- Prayer times from:  15/03/2027 CE   To:  15/03/2027 CE"),
              std::string::npos);
    EXPECT_NE(report.find("\r\n15/03/2027     "), std::string::npos);
}

// The summer window is the one the run read at its start: preferences saved
// while the run hands over to the message loop change neither the rows' "*"
// nor their hours.
TEST_F(PrayerEngineTest, PreferencesSavedDuringARunLeaveItsSummerTime)
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
    engine.setHost(&host);
    engine.cmdcom_Click();
    const std::string report = get("results.out");
    for (const char* day : {"01", "02", "03"})
        EXPECT_NE(report.find(std::string("\r\n*") + day + "/03/2027    "), std::string::npos)
            << day;
}

} // namespace

// A report whose days cannot be counted one by one (so far from our time that
// a Julian Day no longer tells one day from the next, or not a number at all)
// is refused with a message before any row: no report with wrong dates, and
// the report of the run before stays. So is one whose days leave the
// computable years, judged after the zone: its message names the year and
// the field of date.zvd it comes from. Days within keep their rows, each
// under its own date.
TEST_F(PrayerEngineTest, AReportOfDaysTooFarToCountOrComputeIsRefused)
{
    const struct {
        double year1, month1, day1, year2, month2, day2, zone;
        const char* firstRow;   // the date text of the first row; "" refused
        const char* named = ""; // the year and field the refusal names
        const char* cause = ""; // and what carries it out, when not the year
    } cases[] = {
        {2027, 3, 1, 2027, 3, 3, 3, "01/03/2027"},
        {2026, 12, 11, 2026, 12, 11, 3, "11/12/2026"},
        {3000, 3, 1, 3000, 3, 3, 3, "01/03/3000"},
        {-1999, 3, 1, -1999, 3, 3, 3, "01/03/-1999"},
        // The last days of the span: three hours east their 24 h is 21 h UT;
        // at zone 0 TT passes into 3001 but universal time does not; twelve
        // hours west the last day ends at 12 h UT of 3001.
        {3000, 12, 31, 3000, 12, 31, 3, "31/12/3000"},
        {3000, 12, 25, 3000, 12, 31, 0, "25/12/3000"},
        {3000, 12, 25, 3000, 12, 31, 1, "25/12/3000"},
        {-1999, 1, 1, -1999, 1, 7, 0, "01/01/-1999"},
        {3000, 12, 31, 3000, 12, 31, -12, "", "The year 3000 in date.zvd (field 2)",
         ": at the zone -12 of loc.zvd (field 9), its last day ends at 01/01/3001 12:00 in "
         "universal time."},
        {-1999, 1, 1, -1999, 1, 7, 3, "", "The year -1999 in date.zvd (field 2)",
         ": at the zone +3 of loc.zvd (field 9), its first day begins at 31/12/-2000 21:00 in "
         "universal time."},
        {3001, 1, 1, 3001, 1, 1, 3, "", "The year 3001 in date.zvd (field 2)"},
        {-2000, 12, 31, -2000, 12, 31, 3, "", "The year -2000 in date.zvd (field 2)"},
        {100000, 1, 1, 100000, 1, 1, 3, "", "The year 100000 in date.zvd (field 2)"},
        {2999, 3, 1, 3001, 3, 3, 3, "", "The year 3001 in date.zvd (field 5)"},
        {-2000, 3, 1, 2027, 3, 3, 3, "", "The year -2000 in date.zvd (field 2)"},
        {-10000, 3, 1, -10000, 3, 3, 3, "", "The year -10000 in date.zvd (field 2)"},
        {1e11, 3, 1, 1e11, 3, 3, 3, "", "The year 100000000000 in date.zvd (field 2)"},
        // Days too far to be counted one by one are beyond the span too,
        // and the span's refusal names their year and its field.
        {5e12, 3, 1, 5e12, 3, 3, 3, "", "The year 5000000000000 in date.zvd (field 2)"},
        {1e15, 3, 1, 1e15, 3, 3, 3, "", "The year 1e+15 in date.zvd (field 2)"},
        {2027, 3, 1, 1e15, 3, 3, 3, "", "The year 1e+15 in date.zvd (field 5)"},
        {1e308, 3, 1, 1e308, 3, 3, 3, "", "The year 1e+308 in date.zvd (field 2)"},
        {-1e308, 3, 1, -1e308, 3, 3, 3, "", "The year -1e+308 in date.zvd (field 2)"},
    };
    for (bool english : {true, false}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::to_string(c.year1) + " to " + std::to_string(c.year2) + " zone " +
                         std::to_string(c.zone) + (english ? " en" : " ar"));
            pref.eng = english;
            pref.summ = "1"; // a summer hour from 29 March to 25 October
            pref.smf = 3, pref.sdf = 29, pref.smt = 10, pref.sdt = 25;
            loc.zon = c.zone;
            date = prayertest::dates(2027, 3, 1, 2027, 3, 3);
            date.year1 = c.year1, date.month1 = c.month1, date.day1 = c.day1;
            date.year2 = c.year2, date.month2 = c.month2, date.day2 = c.day2;
            save();
            put("results.out", "the report before");
            RecordingHost host;
            engine.setHost(&host);
            engine.cmdcom_Click();
            engine.setHost(nullptr);
            const std::string text = get("results.out");
            if (*c.firstRow) {
                EXPECT_TRUE(host.warnings.empty());
                EXPECT_EQ(host.shown.size(), 1u);
                EXPECT_NE(text.find(std::string("\r\n") + c.firstRow), std::string::npos) << text;
                continue;
            }
            ASSERT_EQ(host.warnings.size(), 1u);
            const std::string& warning = host.warnings[0];
            if (english) {
                EXPECT_EQ(warning.find(std::string("Date Error|") + c.named), 0u) << warning;
                EXPECT_NE(warning.find(std::string("-1999 to 3000 in universal time") +
                                       (*c.cause ? c.cause : ".")),
                          std::string::npos)
                    << warning;
            } else {
                // The year and the span as one left-to-right run each.
                EXPECT_NE(warning.find("\u2066-1999\u2069"), std::string::npos) << warning;
                EXPECT_EQ(warning.find(" -"), std::string::npos) << warning;
            }
            EXPECT_TRUE(engine.lastRun().stopped);
            EXPECT_TRUE(host.shown.empty());
            EXPECT_EQ(host.calls.back(), "unload");
            EXPECT_EQ(text, "the report before");
        }
    }
}

// The refusal of days beyond the computable years names the year, date.zvd
// and its field, in both languages, and the summer hour of pref.zvd where it
// is what carries the days out.
TEST(IncomputableDays, TheMessageNamesTheYearAndWhereItLives)
{
    const std::string lri = "\u2066", pdi = "\u2069";
    double summerDay = 0;
    jul(-1999, 1, 1, 0, summerDay);
    SpanVerdict bySummer;
    bySummer.cause = SpanCause::SummerHour;
    bySummer.ut = summerDay - 1.0 / 24;
    const struct {
        bool english;
        double year;
        YearSource source;
        SpanVerdict why;
        const char* title;
        std::string text;
    } cases[] = {
        {true,
         100000,
         YearSource::FirstDate,
         {SpanCause::Year},
         "Date Error",
         "The year 100000 in date.zvd (field 2) takes the calculation beyond the years it can be "
         "made for, -1999 to 3000 in universal time. Please choose other dates from the Date "
         "window."},
        {true,
         3001,
         YearSource::LastDate,
         {SpanCause::Year},
         "Date Error",
         "The year 3001 in date.zvd (field 5) takes the calculation beyond the years it can be "
         "made for, -1999 to 3000 in universal time. Please choose other dates from the Date "
         "window."},
        {false,
         -2000,
         YearSource::FirstDate,
         {SpanCause::Year},
         "خطأ",
         "السنة " + lri + "-2000" + pdi + " في الملف " + lri + "date.zvd" + pdi +
             " (الحقل 2) تخرج بالحساب عن السنوات التي يصح لها، من " + lri + "-1999" + pdi +
             " إلى " + lri + "3000" + pdi +
             " بالتوقيت العالمي، يرجى اختيار تواريخ أخرى من نافذة التاريخ"},
        {true, -1999, YearSource::FirstDate, bySummer, "Date Error",
         "The year -1999 in date.zvd (field 2) takes the calculation beyond the years it can be "
         "made for, -1999 to 3000 in universal time: at the zone 0 of loc.zvd (field 9) with the "
         "summer hour of pref.zvd (field 11), its first day begins at 31/12/-2000 23:00 in "
         "universal time. Please choose other dates from the Date window."},
    };
    for (const auto& c : cases) {
        std::string title, text;
        reportpieces::incomputableDaysMessage(c.english, c.year, c.source, title, text, c.why, 0);
        EXPECT_EQ(title, c.title);
        EXPECT_EQ(text, c.text);
    }
}

// A longitude of many turns gives the times of the same meridian within one
// turn: Dhuhr stays a time, and Asr follows it.
TEST_F(PrayerEngineTest, ALongitudeOfManyTurnsGivesTheTimesOfItsMeridian)
{
    pref.min = "1";
    const struct {
        double turns, within; // 1e12 and 1e15 degrees both lie 280 degrees on
    } cases[] = {{1e12, 280}, {-1e12, -280}, {1e15, 280}, {-1e15, -280}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.turns);
        loc = prayertest::location({"Test", 21.4225, c.within, 277, 3});
        today(jd(2027, 3, 10));
        const std::string want[] = {engine.fajertext, engine.shuroqtext,  engine.dhohurtext,
                                    engine.asrtext,   engine.maghrebtext, engine.ishatext};
        loc = prayertest::location({"Test", 21.4225, c.turns, 277, 3});
        today(jd(2027, 3, 10));
        const std::string got[] = {engine.fajertext, engine.shuroqtext,  engine.dhohurtext,
                                   engine.asrtext,   engine.maghrebtext, engine.ishatext};
        // The whole turns are taken away exactly, before any hour angle is
        // formed: the times are those of the meridian itself.
        for (int i = 0; i < 6; ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(got[i], want[i]);
        }
    }
}
