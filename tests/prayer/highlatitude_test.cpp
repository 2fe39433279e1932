// The high-latitude alternative method: the night fraction, the gathering,
// the two smoothing passes and their blend on small synthetic years, and
// whole method runs of the engine around its latitude limits.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>

#include <gtest/gtest.h>

#include "engine/modgeneral.h"
#include "engine/modriseset.h"
#include "prayerfixture.h"
#include "reports/highlatitude.h"
#include "reports/prayerreport.h"

namespace {

using namespace prayer;
using prayertest::PrayerTest;
using prayertest::RecordingHost;

// ---------------------------------------------------------------------------
// Synthetic years.

const int kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// A year of stored days (leap or common) whose Fajr and Isha are given by
// the day number; the other texts are fixed.
std::vector<StoredDay> year(bool leap, const std::function<std::string(int)>& fajr,
                            const std::function<std::string(int)>& isha)
{
    std::vector<StoredDay> days;
    int d = 1;
    for (int m = 1; m <= 12; ++m) {
        const int n = kMonthDays[m - 1] + (leap && m == 2 ? 1 : 0);
        for (int day = 1; day <= n; ++day, ++d) {
            StoredDay s;
            s.dateText = dateText(day, m, leap ? 2028 : 2027);
            s.fajr = fajr(d);
            s.shuruq = "05:00", s.dhuhr = "12:00", s.asr = "15:00", s.maghrib = "19:00";
            s.isha = isha(d);
            days.push_back(s);
        }
    }
    return days;
}

std::string constant(int minutes)
{
    return clockText(minutes);
}

const CarryOn kGoOn = [] { return true; };

// ---------------------------------------------------------------------------

TEST(NightFraction, TheBandIsTheFirstUpperEdgeNotExceeded)
{
    struct Case {
        double phi, fr;
    };
    const Case cases[] = {
        {48.6, 0.190605047}, {49.5, 0.190605047}, {49.5001, 0.185005721}, {52, 0.181891441},
        {52.5, 0.181891441}, {53.2, 0.181178348}, {60.5, 0.190677889},    {64.5, 0.201963999},
        {64.6, 0.205548098}, {65, 0.205548098},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(nightFraction(c.phi), c.fr) << c.phi;
}

TEST(NightFraction, TimesComeFromTheUnadjustedSunriseAndSunset)
{
    struct Case {
        const char* what;
        EventTime rise, set;
        double night; // hours, or -1 for "----"
    };
    const double fr = 0.2;
    const Case cases[] = {
        {"ordinary", EventTime::at(4), EventTime::at(21), 7},
        {"sunset after midnight counts as the next night", EventTime::at(3), EventTime::at(0.5),
         2.5},
        {"missing sunset is midnight", EventTime::at(3), EventTime::marked(TimeMarker::NoEvent), 3},
        {"missing sunrise", EventTime::marked(TimeMarker::NoEvent), EventTime::at(21), -1},
        {"sunrise Up", EventTime::marked(TimeMarker::Up), EventTime::marked(TimeMarker::Up), -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EventTime fajr, isha;
        nightFractionTimes(fr, c.rise, c.set, fajr, isha);
        if (c.night < 0) {
            EXPECT_TRUE(fajr.is(TimeMarker::NoEvent));
            EXPECT_TRUE(isha.is(TimeMarker::NoEvent));
            continue;
        }
        ASSERT_FALSE(fajr.isMarker());
        ASSERT_FALSE(isha.isMarker());
        const double S = c.set.isMarker() ? 24 : (c.set.hours < 1 ? c.set.hours + 24 : c.set.hours);
        EXPECT_NEAR(fajr.hours, c.rise.hours - c.night * fr, 1e-12);
        EXPECT_NEAR(isha.hours, S + c.night * fr, 1e-12);
    }
}

TEST(HighLatitudeGathering, MidnightAndMissingTimesAndSummerTime)
{
    struct Case {
        const char* what;
        int summer;
        const char *fajr, *isha, *storedFajr, *storedIsha;
    };
    const Case cases[] = {
        {"clock texts stay", 0, "02:10", "23:40", "02:10", "23:40"},
        {"seconds stay in standard time", 0, "02:10:31", "23:40:07", "02:10:31", "23:40:07"},
        {"24:00 Isha is midnight", 0, "02:10", "24:00", "02:10", "00:00"},
        {"missing times are midnight", 0, "----", "----", "00:00", "00:00"},
        {"summer time moves both an hour earlier", 1, "03:10:31", "00:20", "02:10", "23:20"},
        {"a missing time in summer", 1, "----", "24:00", "23:00", "23:00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HighLatitudeDay day;
        day.dateText = "10/06/2027";
        day.summer = c.summer;
        day.nightFraction = true;
        day.fajertext = c.fajr;
        day.ishatext = c.isha;
        day.shuroqtext = "04:00";
        const StoredDay s = gatherDay(day);
        EXPECT_EQ(s.fajr, c.storedFajr);
        EXPECT_EQ(s.isha, c.storedIsha);
        EXPECT_EQ(s.shuruq, "04:00");
        EXPECT_EQ(s.mark, "#");
    }
}

TEST(HighLatitudeClock, MinuteDifferencesAreOfTheSameDay)
{
    EXPECT_EQ(minuteDifference("00:05", "23:55"), -1430);
    EXPECT_EQ(minuteDifference("23:55:59", "00:05:01"), 1430);
    EXPECT_EQ(clockText(-5), "23:55");
    EXPECT_EQ(clockText(1440 + 7), "00:07");
}

// A common and a leap year: the forward pass covers 2 January to 21 June,
// the backward pass 30 December back to 22 June; day 1 and the last day
// keep their times and get no marks.
TEST(HighLatitudePasses, ThePassesMeetBetweenTwentyFirstAndTwentySecondOfJune)
{
    for (bool leap : {false, true}) {
        SCOPED_TRACE(leap ? "leap year" : "common year");
        auto days = year(
            leap, [](int) { return constant(100); }, [](int) { return constant(1300); });
        for (auto& s : days)
            s.mark = "#";
        const int N = static_cast<int>(days.size());
        ASSERT_EQ(N, leap ? 366 : 365);

        // Which days each pass writes, and one hand-over per day written.
        auto covered = [&](auto pass, int& first, int& last, int& handOvers) {
            std::vector<OutputDay> out(days.size());
            out.back().fajr = days.back().fajr, out.back().isha = days.back().isha;
            handOvers = 0;
            ASSERT_TRUE(pass(days, out, [&] {
                ++handOvers;
                return true;
            }));
            first = N + 1, last = 0;
            for (int d = 1; d <= N; ++d)
                if (!out[d - 1].dateText.empty()) {
                    first = std::min(first, d);
                    last = std::max(last, d);
                }
        };
        int first, last, handOvers;
        covered(forwardPass, first, last, handOvers);
        EXPECT_EQ(first, 2);
        EXPECT_EQ(days[last - 1].dateText.substr(0, 5), "21/06");
        EXPECT_EQ(handOvers, last - first + 1);
        covered(backwardPass, first, last, handOvers);
        EXPECT_EQ(days[first - 1].dateText.substr(0, 5), "22/06");
        EXPECT_EQ(last, N - 1);
        EXPECT_EQ(handOvers, last - first + 1);

        std::vector<OutputDay> out;
        ASSERT_TRUE(smoothYear(days, out, kGoOn));
        for (int d = 1; d <= N; ++d) {
            const bool end = d == 1 || d == N;
            EXPECT_EQ(out[d - 1].dateText, days[d - 1].dateText);
            EXPECT_EQ(out[d - 1].fajrMark, end ? "" : "#") << d;
            EXPECT_EQ(out[d - 1].ishaMark, end ? "" : "#") << d;
        }
    }
}

// The first smoothing of a pass needs a step above 10 minutes, every later
// one a step above 5; a step of nearly a day is a time passing midnight.
TEST(HighLatitudePasses, TheLimitSwitchesFromTenToFiveAfterTheFirstSmoothing)
{
    struct Case {
        const char* what;
        std::vector<int> isha; // minutes of days 1, 2, 3, ...
        std::vector<std::string> out;
        std::vector<std::string> marks;
    };
    const Case cases[] = {
        {"8 minutes is within the first limit",
         {1200, 1208, 1216},
         {"20:00", "20:08", "20:16"},
         {"", "", ""}},
        {"after 11 minutes is smoothed, 5 minutes is not but 6 minutes is",
         {1200, 1211, 1200, 1206},
         {"20:00", "19:55", "20:00", "19:55"},
         {"", "#*", "", "#*"}},
        {"a jump across midnight is not smoothed",
         {1435, 3, 8},
         {"23:55", "00:03", "00:08"},
         {"", "", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto days = year(
            false, [](int) { return constant(120); },
            [&](int d) {
                return d <= static_cast<int>(c.isha.size()) ? constant(c.isha[d - 1])
                                                            : constant(c.isha.back());
            });
        std::vector<OutputDay> out(days.size());
        out[0] = {days[0].dateText, 0, days[0].fajr, "", "", "", "", days[0].isha, "", ""};
        ASSERT_TRUE(forwardPass(days, out, kGoOn));
        for (size_t i = 0; i < c.out.size(); ++i) {
            EXPECT_EQ(out[i].isha, c.out[i]) << "day " << i + 1;
            EXPECT_EQ(out[i].ishaMark, c.marks[i]) << "day " << i + 1;
        }
    }
}

// The backward pass lets the first Isha that crosses midnight stand while
// the day before it differs too; otherwise the crossing is smoothed.
TEST(HighLatitudePasses, BackwardPassKeepsOneIshaThatCrossesMidnight)
{
    struct Case {
        const char* what;
        int summer;
        int late, crossing, before; // Isha from 24 December on, on 23 and before
        const char *out23, *mark23, *out22;
    };
    const Case cases[] = {
        {"the day before differs: the crossing stands", 0, 23 * 60 + 40, 30, 45, "00:30", "",
         "00:25"},
        {"the day before is the same: smoothed", 0, 23 * 60 + 40, 30, 30, "23:35", "#*", "23:30"},
        {"summer time: the hour before midnight in standard time", 1, 22 * 60 + 40, 23 * 60 + 30,
         23 * 60 + 45, "23:30", "", "23:25"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto days = year(
            false, [](int) { return constant(120); },
            [&](int d) {
                return constant(d >= 358 ? c.late : d == 357 ? c.crossing : c.before);
            });
        for (auto& s : days)
            s.summer = c.summer;
        std::vector<OutputDay> out(days.size());
        out.back().fajr = days.back().fajr, out.back().isha = days.back().isha;
        ASSERT_TRUE(backwardPass(days, out, kGoOn));
        ASSERT_EQ(days[356].dateText, "23/12/2027");
        EXPECT_EQ(out[357].isha, clockText(c.late));
        EXPECT_EQ(out[356].isha, c.out23);
        EXPECT_EQ(out[356].ishaMark, c.mark23);
        EXPECT_EQ(out[355].isha, c.out22);
    }
}

TEST(HighLatitudePasses, TheBlendChecks)
{
    // Days d-3 .. d+2 around 22 June (d), Fajr and Isha as minutes.
    struct Case {
        const char* what;
        int fajr[6], isha[6];
        const char* fajrOut[6];
        const char* ishaOut[6];
        const char* fajrMarks[6];
        const char* ishaMarks[6];
    };
    const Case cases[] = {
        {"a: Fajr drops after the forward pass",
         {100, 100, 100, 130, 130, 130},
         {1300, 1300, 1300, 1300, 1300, 1300},
         // dF = 100 - 130 = -30: d+1 = 130 + (-20)/2 = 120, d = 110
         {"01:40", "01:40", "01:40", "01:50", "02:00", "02:10"},
         {"21:40", "21:40", "21:40", "21:40", "21:40", "21:40"},
         {"", "", "", "#*F", "#*F", ""},
         {"", "", "", "", "", ""}},
        {"b: Isha rises after the forward pass",
         {100, 100, 100, 100, 100, 100},
         {1300, 1300, 1300, 1330, 1330, 1330},
         // dI = -30: d-2 = 1300 - (-20)/2 = 1310, d-1 = 1320
         {"01:40", "01:40", "01:40", "01:40", "01:40", "01:40"},
         {"21:40", "21:50", "22:00", "22:10", "22:10", "22:10"},
         {"", "", "", "", "", ""},
         {"", "#*I", "#*I", "", "", ""}},
        {"c: Fajr rises at the meeting, half minutes to the later minute",
         {100, 100, 100, 75, 75, 75},
         {1300, 1300, 1300, 1300, 1300, 1300},
         // dF = 25: d-2 = 100 - 7.5 = 92.5 -> 93, d-1 = 93 - 7.5 = 85.5 -> 86
         {"01:40", "01:33", "01:26", "01:15", "01:15", "01:15"},
         {"21:40", "21:40", "21:40", "21:40", "21:40", "21:40"},
         {"", "#*F", "#*F", "", "", ""},
         {"", "", "", "", "", ""}},
        {"d: Isha drops at the meeting",
         {100, 100, 100, 100, 100, 100},
         {1330, 1330, 1330, 1300, 1300, 1300},
         // dI = 30: d+1 = 1300 + 10 = 1310, d = 1320
         {"01:40", "01:40", "01:40", "01:40", "01:40", "01:40"},
         {"22:10", "22:10", "22:10", "22:00", "21:50", "21:40"},
         {"", "", "", "", "", ""},
         {"", "", "", "#*I", "#*I", ""}},
        {"small steps are left alone",
         {100, 100, 100, 105, 105, 105},
         {1300, 1300, 1300, 1295, 1295, 1295},
         {"01:40", "01:40", "01:40", "01:45", "01:45", "01:45"},
         {"21:40", "21:40", "21:40", "21:35", "21:35", "21:35"},
         {"", "", "", "", "", ""},
         {"", "", "", "", "", ""}},
        {"an Isha step across midnight is no blend",
         {100, 100, 100, 100, 100, 100},
         {1435, 1435, 1435, 2, 2, 2},
         {"01:40", "01:40", "01:40", "01:40", "01:40", "01:40"},
         {"23:55", "23:55", "23:55", "00:02", "00:02", "00:02"},
         {"", "", "", "", "", ""},
         {"", "", "", "", "", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<OutputDay> out(6);
        for (int i = 0; i < 6; ++i) {
            out[i].fajr = clockText(c.fajr[i]);
            out[i].isha = clockText(c.isha[i]);
        }
        blend(out, 4, 10); // d is the fourth element
        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(out[i].fajr, c.fajrOut[i]) << "element " << i;
            EXPECT_EQ(out[i].isha, c.ishaOut[i]) << "element " << i;
            EXPECT_EQ(out[i].fajrMark, c.fajrMarks[i]) << "element " << i;
            EXPECT_EQ(out[i].ishaMark, c.ishaMarks[i]) << "element " << i;
        }
    }
}

TEST(HighLatitudePasses, TheBlendRunsOnTheTwentySecondOfJuneOfTheBackwardPass)
{
    // Fajr 01:40 up to 21 June, 02:10 from 22 June: only the blend (check a)
    // can move it, on 22 and 23 June.
    for (bool leap : {false, true}) {
        SCOPED_TRACE(leap ? "leap year" : "common year");
        const int june22 = leap ? 174 : 173;
        auto days = year(
            leap, [&](int d) { return constant(d < june22 ? 100 : 130); },
            [](int) { return constant(1300); });
        std::vector<OutputDay> out;
        ASSERT_TRUE(smoothYear(days, out, kGoOn));
        EXPECT_EQ(out[june22 - 2].fajr, "01:40");
        EXPECT_EQ(out[june22 - 1].fajr, "01:50");
        EXPECT_EQ(out[june22].fajr, "02:00");
        EXPECT_EQ(out[june22 - 1].fajrMark, "#*F");
        EXPECT_EQ(out[june22].fajrMark, "#*F");
        EXPECT_EQ(out[june22 + 1].fajr, "02:10");
    }
}

TEST(HighLatitudePasses, CancelStopsThePasses)
{
    auto days = year(
        false, [](int) { return constant(100); }, [](int) { return constant(1300); });
    std::vector<OutputDay> out;
    int handOvers = 0;
    EXPECT_FALSE(smoothYear(days, out, [&] { return ++handOvers < 10; }));
    EXPECT_EQ(handOvers, 10);
}

// The rows: summer-time days back in summer time, marks after Fajr and Isha,
// the minutes columns, a blank line after every fifth row.
TEST(HighLatitudeRows, LeapAndCommonYearsWriteEveryDay)
{
    for (bool leap : {false, true}) {
        SCOPED_TRACE(leap ? "leap year" : "common year");
        auto days = year(
            leap, [](int) { return constant(100); }, [](int) { return constant(1300); });
        days[1].summer = 1;
        days[1].fajr = "02:10:30"; // a seconds text in summer time prints as HH:MM
        days[2].mark = "#";
        std::vector<OutputDay> out;
        ASSERT_TRUE(smoothYear(days, out, kGoOn));
        PrayerReport report;
        writeMethodRows(report, out);
        EXPECT_EQ(report.rows(), leap ? 366 : 365);

        std::vector<std::string> lines;
        std::istringstream in(report.text());
        for (std::string l; std::getline(in, l);) {
            ASSERT_FALSE(l.empty());
            EXPECT_EQ(l.back(), '\r');
            lines.push_back(l.substr(0, l.size() - 1));
        }
        ASSERT_EQ(lines.size(), static_cast<size_t>(report.rows() + report.rows() / 5));
        for (size_t i = 0; i < lines.size(); ++i)
            EXPECT_EQ(lines[i].empty(), i % 6 == 5) << "line " << i;
        EXPECT_EQ(lines[0], "01/01/" + std::string(leap ? "2028" : "2027") +
                                "     01:40     05:00     12:00     15:00     19:00     21:40");
        // 02:10 in standard time would step 30 minutes: smoothed to 01:45,
        // then printed an hour later.
        EXPECT_EQ(lines[1].substr(0, 22),
                  "*02/01/" + std::string(leap ? "2028" : "2027") + "    02:45#*");
        EXPECT_EQ(lines[1].substr(65), "22:40");
        EXPECT_EQ(lines[2].substr(15, 6), "01:40#");
        EXPECT_EQ(lines[2].substr(65), "21:40#");
    }
}

// ---------------------------------------------------------------------------
// Whole method runs of the engine.

class HighLatitudeRunTest : public PrayerTest {
protected:
    RecordingHost host;
    prayer::PrayerTimesEngine engine;

    std::string run()
    {
        save();
        engine.setHost(&host);
        engine.cmdcom_Click();
        return get("results.out");
    }

    // The report's lines, without their line ends.
    static std::vector<std::string> lines(const std::string& text)
    {
        std::vector<std::string> out;
        std::istringstream in(text);
        for (std::string l; std::getline(in, l);)
            out.push_back(l.empty() || l.back() != '\r' ? l : l.substr(0, l.size() - 1));
        return out;
    }
    // The row of a date ("dd/mm"), or empty.
    static std::string row(const std::string& text, const std::string& date)
    {
        for (const std::string& l : lines(text))
            if (l.rfind(date, 0) == 0 || l.rfind("*" + date, 0) == 0)
                return l;
        return {};
    }
    static int countRows(const std::string& text)
    {
        int n = 0;
        for (const std::string& l : lines(text))
            if (l.size() > 10 && (l[2] == '/' || l[3] == '/'))
                ++n;
        return n;
    }
};

TEST_F(HighLatitudeRunTest, TheLatitudeBounds)
{
    struct Case {
        const char* what;
        double latitude;
        bool wholeYear;
    };
    const Case cases[] = {
        {"48.5 is below the method", 48.5, false},
        {"65 is within it", 65, true},
        {"-55 is south of it", -55, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        host = {};
        loc = prayertest::location({"Test", c.latitude, 10, 10, 1});
        pref.hilat = 1;
        pref.fajang = 16, pref.ishang = 14;
        date = prayertest::dates(2027, 6, 1, 2027, 6, 10);
        const std::string text = run();
        EXPECT_EQ(countRows(text), c.wholeYear ? 365 : 10);
        EXPECT_EQ(text.find('#') != std::string::npos, c.wholeYear);
        EXPECT_NE(text.find("* Remarks:-"), std::string::npos);
        EXPECT_EQ(host.shown.size(), 1u);
        EXPECT_TRUE(host.warnings.empty());
        if (c.wholeYear) {
            EXPECT_NE(text.find("- Prayer times from:  01/01/2027 CE   To:  31/12/2027 CE"),
                      std::string::npos);
            EXPECT_NE(text.find("- Fajer Angle: 18 ,  Isha Angle: 18 "), std::string::npos);
        } else {
            EXPECT_NE(text.find("- Prayer times from:  01/06/2027 CE   To:  10/06/2027 CE"),
                      std::string::npos);
            EXPECT_NE(text.find("- Fajer Angle: 16 ,  Isha Angle: 14 "), std::string::npos);
        }
    }
    // South of the equator the sky stays bright where twilight never ends.
    loc = prayertest::location({"Test", -55, 10, 10, 1});
    date = prayertest::dates(2027, 12, 20, 2027, 12, 21);
    host = {};
    EXPECT_NE(row(run(), "20/12/2027").find("Bright"), std::string::npos);
}

TEST_F(HighLatitudeRunTest, AboveSixtyFiveTheFirstBrightDayStopsWithTheMessage)
{
    loc = prayertest::location({"Test", 65.2, 15, 10, 1});
    date = prayertest::dates(2027, 4, 1, 2027, 6, 30);
    // Without the method: the same header and rows, "Bright" from some day.
    const std::string ordinary = run();
    const size_t bright = ordinary.find("Bright");
    ASSERT_NE(bright, std::string::npos);
    const std::string beforeBright = ordinary.substr(0, ordinary.rfind("\r\n", bright) + 2);
    ASSERT_GT(countRows(beforeBright), 3);

    pref.hilat = 1;
    for (bool english : {true, false}) {
        SCOPED_TRACE(english ? "English" : "Arabic");
        host = {};
        pref.eng = english;
        const std::string text = run();
        EXPECT_TRUE(engine.lastRun().stopped);
        std::string title, message;
        highLatitudeRefusal(english, title, message);
        ASSERT_EQ(host.warnings.size(), 1u);
        EXPECT_EQ(host.warnings[0], title + "|" + message + (english ? "|en" : "|ar"));
        EXPECT_TRUE(host.shown.empty());
        EXPECT_EQ(host.calls.back(), "unload");
        // The rows of the stored dates and angles up to the day before the
        // first white night, and nothing after them.
        EXPECT_EQ(text, beforeBright);
    }
    std::string title, message;
    highLatitudeRefusal(true, title, message);
    EXPECT_EQ(title, "High-Latitude Error!");
    highLatitudeRefusal(false, title, message);
    EXPECT_EQ(title, "خطأ");
}

// The twilight of a method run is that of 18 degrees, whatever angle the
// preferences hold: the same rows as a run whose preferences say 18.
TEST_F(HighLatitudeRunTest, TheAnglesPrintedAreTheAnglesUsed)
{
    loc = prayertest::location({"Berlin", 52.52, 13.405, 34, 1});
    pref.hilat = 1;
    date = prayertest::dates(2027, 1, 1, 2027, 1, 1);
    pref.fajang = 12, pref.ishang = 15;
    const std::string odd = run();
    pref.fajang = 18, pref.ishang = 18;
    host = {};
    const std::string plain = run();
    EXPECT_EQ(odd, plain);
    // And an ordinary run at 18 degrees gives the same winter times.
    pref.hilat = 0;
    date = prayertest::dates(2027, 1, 10, 2027, 1, 10);
    host = {};
    const std::string ordinary = run();
    EXPECT_EQ(row(ordinary, "10/01/2027"), row(plain, "10/01/2027"));
}

// A night-fraction Fajr carries the city correction and the Fajr minutes
// once; its Isha carries nothing; the night is that of the event finder's
// sunrise and sunset.
TEST_F(HighLatitudeRunTest, NightFractionTimesTakeTheirAdjustmentsOnce)
{
    loc = prayertest::location({"Berlin", 52.52, 13.405, 34, 1});
    pref.hilat = 1;
    date = prayertest::dates(2027, 1, 1, 2027, 1, 1);
    const std::string plain = row(run(), "21/06/2027");

    loc.city = 20;
    pref.subfaj = 3, pref.subsho = 7, pref.addmag = 4;
    host = {};
    const std::string adjusted = row(run(), "21/06/2027");
    ASSERT_FALSE(plain.empty());
    ASSERT_FALSE(adjusted.empty());
    ASSERT_EQ(plain.substr(20, 1), "#") << plain;
    const double city =
        4 * (20 / (111.413 * std::cos(52.52 * pi / 180) - 0.094 * std::cos(3 * 52.52 * pi / 180)));
    const int fajrShift = minuteDifference(plain.substr(15, 5), adjusted.substr(15, 5));
    EXPECT_NEAR(fajrShift, city + 3, 1.01);
    EXPECT_EQ(plain.substr(65, 5), adjusted.substr(65, 5)); // Isha unchanged
}

TEST_F(HighLatitudeRunTest, LeapAndCommonYearsOfAMethodRun)
{
    loc = prayertest::location({"Berlin", 52.52, 13.405, 34, 1});
    pref.hilat = 1;
    for (int y : {2027, 2028}) {
        SCOPED_TRACE(y);
        host = {};
        date = prayertest::dates(y, 3, 5, y, 3, 5);
        const std::string text = run();
        EXPECT_EQ(countRows(text), y == 2028 ? 366 : 365);
        const auto all = lines(text);
        size_t first = 0;
        while (first < all.size() && all[first].rfind("01/01/", 0) != 0)
            ++first;
        ASSERT_LT(first, all.size());
        for (size_t i = first; i < first + (y == 2028 ? 366 : 365) * 6 / 5; ++i)
            EXPECT_EQ(all[i].empty(), (i - first) % 6 == 5) << "line " << i;
        EXPECT_EQ(host.handOvers, 2 * (y == 2028 ? 366 : 365) - 2);
    }
}

TEST_F(HighLatitudeRunTest, CancelDuringTheGatheringKeepsTheHeaderOnly)
{
    loc = prayertest::location({"Berlin", 52.52, 13.405, 34, 1});
    pref.hilat = 1;
    for (int at : {100, 500}) { // during the gathering, during the passes
        SCOPED_TRACE(at);
        host = {};
        host.onHandOver = [at](int n) {
            if (n == at)
                cancelflag = -1;
        };
        const std::string text = run();
        EXPECT_TRUE(engine.lastRun().cancelled);
        EXPECT_EQ(countRows(text), 0);
        EXPECT_EQ(text.find("* Remarks:-"), std::string::npos);
        EXPECT_TRUE(host.shown.empty());
        EXPECT_EQ(host.calls.back(), "unload");
        cancelflag = 0;
    }
}

// A city near 52 degrees north through the year: the lines around the start
// and the end of the white nights, against a golden excerpt.
TEST_F(HighLatitudeRunTest, AmsterdamAroundTheWhiteNights)
{
    loc = prayertest::location({"Amsterdam", 52.3676, 4.9041, 0, 1});
    pref.hilat = 1;
    pref.summ = "1";
    pref.smf = 3, pref.sdf = 28, pref.smt = 10, pref.sdt = 31;
    date = prayertest::dates(2027, 3, 1, 2027, 3, 1);
    const std::string text = run();
    ASSERT_TRUE(engine.lastRun().written);

    // Header, then the rows from 10 May to 10 June and from 1 to 15 July,
    // then the last rows and the remarks' rule.
    const auto all = lines(text);
    std::string excerpt;
    auto take = [&](size_t from, size_t to) {
        for (size_t i = from; i < to && i < all.size(); ++i)
            excerpt += all[i] + "\n";
        excerpt += "...\n";
    };
    auto lineOf = [&](const std::string& date) {
        for (size_t i = 0; i < all.size(); ++i)
            if (all[i].rfind(date, 0) == 0 || all[i].rfind("*" + date, 0) == 0)
                return i;
        ADD_FAILURE() << date;
        return all.size();
    };
    take(0, 20);
    take(lineOf("14/05/2027"), lineOf("03/06/2027"));
    take(lineOf("18/06/2027"), lineOf("26/06/2027"));
    take(lineOf("18/07/2027"), lineOf("06/08/2027"));
    take(lineOf("30/12/2027"), lineOf("31/12/2027") + 3);

    testsupport::compareWithGolden(excerpt, "prayer", "highlatitude_amsterdam.txt");
}

} // namespace
