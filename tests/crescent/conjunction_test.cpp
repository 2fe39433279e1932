// The conjunction preview: known new moons, the search's start from a date,
// the Hijri month input, summer time and the local dates of the day options.
#include <cmath>

#include <gtest/gtest.h>

#include "crescentfixture.h"
#include "engine/computableyears.h"
#include "engine/moddeltat.h"
#include "lunar/conjunction.h"

namespace {

using namespace crescenttest;
using lunar::PreviewInput;
using lunar::runPreview;

constexpr double kMinute = 1.0 / 1440;

struct KnownNewMoon {
    const char* what;
    int y, m, d, h, min; // the published instant, UT
};

// New moons as the published lunar phase tables give them (to the minute).
const KnownNewMoon kNewMoons[] = {
    {"2000 January", 2000, 1, 6, 18, 14},
    {"the eclipse of 2017 August", 2017, 8, 21, 18, 30},
    {"the end of Ramadan 1441", 2020, 5, 22, 17, 39},
    {"the eclipse of 2023 April", 2023, 4, 20, 4, 12},
    {"the eclipse of 2024 April", 2024, 4, 8, 18, 21},
};

class ConjunctionTest : public CrescentTest {};

TEST_F(ConjunctionTest, GeocentricConjunctionsMatchPublishedInstants)
{
    for (const KnownNewMoon& n : kNewMoons) {
        PreviewInput in;
        // A few days after the new moon: the search goes back to it.
        in.dayText = std::to_string(n.d + 3 > 28 ? 28 : n.d + 3);
        in.monthText = std::to_string(n.m);
        in.yearText = std::to_string(n.y);
        const auto r = runPreview(in);
        ASSERT_TRUE(r) << n.what;
        EXPECT_NEAR(r->conjut, utJd(n.y, n.m, n.d, n.h, n.min), 2 * kMinute) << n.what;
        EXPECT_NEAR(r->conjjde, r->conjunction, 2.9e-6) << n.what;
        EXPECT_EQ(conjjde, r->conjjde) << n.what;
        EXPECT_EQ(tdtmode, 0) << n.what;
    }
}

TEST_F(ConjunctionTest, MeanPhaseEstimateIsMeeusExample)
{
    // Meeus' worked example: the New Moon of 1977 February, k = -283,
    // JDE 2443192.65118 (1977 February 18, 3h37m TD).
    EXPECT_NEAR(lunar::trueNewMoon(-283), 2443192.65118, 0.0003);
}

TEST_F(ConjunctionTest, DateNearerTheNextNewMoonFindsThatOne)
{
    PreviewInput in;
    in.dayText = "12"; // 2020 May 22 + 20 days, nearer the new moon of 21 June
    in.monthText = "6";
    in.yearText = "2020";
    const auto r = runPreview(in);
    ASSERT_TRUE(r);
    EXPECT_NEAR(r->conjut, utJd(2020, 6, 21, 6, 41), 2 * kMinute);
}

TEST_F(ConjunctionTest, TopocentricConjunctionDiffersFromGeocentric)
{
    PreviewInput in;
    in.dayText = "23";
    in.monthText = "5";
    in.yearText = "2020";
    const auto geo = runPreview(in);
    in.geocentric = false;
    const auto topo = runPreview(in);
    ASSERT_TRUE(geo && topo);
    // The parallax moves the Moon by up to a degree: up to about two hours.
    const double hours = std::fabs(topo->conjut - geo->conjut) * 24;
    EXPECT_GT(hours, 0.05);
    EXPECT_LT(hours, 2.5);
}

TEST_F(ConjunctionTest, HijriMonthFindsItsFirstAndLastConjunction)
{
    PreviewInput in;
    in.gregorian = false;
    in.hijriMonth = 8;           // Ramadan
    in.hijriYearText = " 14 41"; // blanks inside are skipped
    const auto first = runPreview(in);
    ASSERT_TRUE(first);
    EXPECT_NEAR(first->conjut, utJd(2020, 4, 23, 2, 26), 2 * kMinute);
    in.newCrescent = false; // the end of the month
    const auto last = runPreview(in);
    ASSERT_TRUE(last);
    EXPECT_NEAR(last->conjut, utJd(2020, 5, 22, 17, 39), 2 * kMinute);
}

TEST_F(ConjunctionTest, TabularMonthStart)
{
    // 1 Muharram 1 is day 1948440; 1 Ramadan 1441 (tabular) is 2020 April 24.
    EXPECT_EQ(lunar::hijriMonthStart(1, 0), 1948440);
    EXPECT_EQ(lunar::hijriMonthStart(1441, 8), 2458964);
}

TEST_F(ConjunctionTest, SummerTimeAddsAnHourOnlyWhenSwitchedOn)
{
    PreviewInput in;
    in.dayText = "23";
    in.monthText = "5";
    in.yearText = "2020";
    put("pref.zvd", prefLine("1", "1"));
    const auto on = runPreview(in);
    ASSERT_TRUE(on);
    EXPECT_EQ(on->summerflag, 1);
    EXPECT_EQ(summerflag, 1);
    EXPECT_EQ(on->summertext, "On");
    EXPECT_NEAR(on->conjlocal, on->conjut + (1 + 3) / 24.0, 1e-9);

    put("pref.zvd", prefLine("1", "0"));
    const auto off = runPreview(in);
    ASSERT_TRUE(off);
    EXPECT_EQ(off->summerflag, 0);
    EXPECT_EQ(summerflag, 0);
    EXPECT_EQ(off->summertext, "Off");
    EXPECT_NEAR(off->conjlocal, off->conjut + 3 / 24.0, 1e-9);
}

TEST_F(ConjunctionTest, DayCaptionsFollowTheLocalDateAndTheCrescent)
{
    // 2020 May 22 17:39 UT is 20:39 in Mecca; at zone +8 it is already 23 May
    // locally, while its UT date (22 May) decides the summer time.
    PreviewInput in;
    in.dayText = "23";
    in.monthText = "5";
    in.yearText = "2020";
    auto r = runPreview(in);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->captions[0], "22/05/2020  CE");
    EXPECT_EQ(r->captions[1], "23/05/2020  CE");
    EXPECT_EQ(r->captions[2], "24/05/2020  CE");

    put("loc.zvd", "\"East\",116,0,0,21,25,21,0,8,#TRUE#,#TRUE#,#FALSE#,#FALSE#,0,1010,10,0,"
                   "\"0.0065\"\r\n");
    put("pref.zvd", prefLine("1", "1", true, 5, 22, 5, 22)); // summer on 22 May only
    in.newCrescent = false;
    r = runPreview(in);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->summerflag, 1);
    EXPECT_EQ(r->captions[0], "23/05/2020  CE");
    EXPECT_EQ(r->captions[1], "22/05/2020  CE");
    EXPECT_EQ(r->captions[2], "21/05/2020  CE");
}

TEST_F(ConjunctionTest, RefusesInputNothingCanRunOn)
{
    struct Case {
        const char* what;
        const char *day, *month, *year;
        lunar::PreviewRefusal why;
    } cases[] = {
        {"no day", "", "5", "2020", lunar::PreviewRefusal::NoDay},
        {"no month", "23", "", "2020", lunar::PreviewRefusal::NoMonth},
        {"year not a number", "23", "5", "twenty", lunar::PreviewRefusal::NoYear},
        {"year beyond the lunation range", "23", "5", "9000",
         lunar::PreviewRefusal::YearOutOfRange},
        // The lunation number would still fit; the message's bounds hold.
        {"the year before the first", "31", "12", "-641", lunar::PreviewRefusal::YearOutOfRange},
        {"the year after the last", "1", "1", "3001", lunar::PreviewRefusal::YearOutOfRange},
        {"a year beyond every double", "23", "5", "1e309", lunar::PreviewRefusal::YearOverflows},
    };
    for (const Case& c : cases) {
        conjjde = 0;
        PreviewInput in;
        in.dayText = c.day;
        in.monthText = c.month;
        in.yearText = c.year;
        lunar::PreviewRefusal why{};
        EXPECT_FALSE(runPreview(in, &why)) << c.what;
        EXPECT_EQ(why, c.why) << c.what;
        EXPECT_EQ(conjjde, 0) << c.what;
        EXPECT_EQ(tdtmode, 0) << c.what;
    }
}

// The first years the refusal names are searched, in either calendar and
// for either crescent; the years beyond them are refused. The last are the
// computable years' (engine/computableyears.h), judged on the days around the
// conjunction, so that the window tells one span; the Hijri years end with
// the last whose every month is searched within it.
TEST_F(ConjunctionTest, TheBoundsOfTheRefusalAreTheBoundsOfTheSearch)
{
    struct Case {
        bool gregorian;
        const char *day, *month, *year;
        int hijriMonth;
        lunar::PreviewRefusal why; // None: searched
    } cases[] = {
        {true, "1", "1", "-640", 0, lunar::PreviewRefusal::None},
        {true, "15", "6", "3000", 0, lunar::PreviewRefusal::None},
        {true, "31", "12", "3000", 0, lunar::PreviewRefusal::InstantOutOfRange},
        {true, "1", "1", "3001", 0, lunar::PreviewRefusal::YearOutOfRange},
        {true, "31", "12", "4640", 0, lunar::PreviewRefusal::YearOutOfRange},
        {false, "", "", "-1300", 0, lunar::PreviewRefusal::None},
        {false, "", "", "2400", 0, lunar::PreviewRefusal::None},
        {false, "", "", "2451", 11, lunar::PreviewRefusal::None},
        {false, "", "", "2452", 0, lunar::PreviewRefusal::HijriYearOutOfRange},
        {false, "", "", "4141", 11, lunar::PreviewRefusal::HijriYearOutOfRange},
        {false, "", "", "-1301", 11, lunar::PreviewRefusal::HijriYearOutOfRange},
        {false, "", "", "1e309", 0, lunar::PreviewRefusal::YearOverflows},
        {false, "", "", "-1 e 4 0 0", 0, lunar::PreviewRefusal::YearOverflows},
    };
    EXPECT_EQ(lunar::kFirstPreviewYear, -640);
    EXPECT_EQ(lunar::kLastPreviewYear, kLastComputableYear);
    for (const Case& c : cases)
        for (bool newCrescent : {true, false}) {
            SCOPED_TRACE(std::string(c.year) + (newCrescent ? " new" : " old"));
            PreviewInput in;
            in.gregorian = c.gregorian;
            in.dayText = c.day;
            in.monthText = c.month;
            in.yearText = c.year;
            in.hijriYearText = c.year;
            in.hijriMonth = c.hijriMonth;
            in.newCrescent = newCrescent;
            lunar::PreviewRefusal why{};
            const auto r = runPreview(in, &why);
            EXPECT_EQ(why, c.why);
            EXPECT_EQ(r.has_value(), c.why == lunar::PreviewRefusal::None);
            if (r) { // a conjunction near the date asked for
                EXPECT_NE(r->captions[0], "----");
            }
        }
}

TEST_F(ConjunctionTest, MissingLocationStopsWithTheFileNamed)
{
    std::filesystem::remove(file("loc.zvd"));
    PreviewInput in;
    in.dayText = "23";
    in.monthText = "5";
    in.yearText = "2020";
    EXPECT_THROW(runPreview(in), platform::FileFault);
}

} // namespace
