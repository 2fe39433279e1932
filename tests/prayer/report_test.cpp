// Layout of results.out: the writer on its own, with fixed rows, against
// golden files, and the number patterns of the settings block.

#include <gtest/gtest.h>

#include "prayerfixture.h"
#include "reports/prayerreport.h"
#include "support/testsupport.h"

namespace {

using prayer::PrayerReport;
using prayer::ReportSettings;
using prayer::ReportTimes;

ReportSettings mecca()
{
    ReportSettings s;
    s.pref = settings::Preferences::defaults();
    s.pref.fajang = 18.5;
    s.pref.ishang = 17;
    s.loc = prayertest::location({"Mecca", 21.4225, 39.8261, 277, 3});
    s.loc.longid = 39, s.loc.longim = 49, s.loc.longis = 34;
    s.loc.latid = 21, s.loc.latim = 25, s.loc.latis = 21;
    s.date = prayertest::dates(2027, 3, 1, 2027, 3, 7);
    s.deltaTSeconds = 70.2549;
    return s;
}

TEST(PrayerReportLayout, SevenDaysInMinutesWithSummerRowsAndRemarks)
{
    ReportSettings s = mecca();
    s.pref.summ = "1";
    s.pref.smf = 3, s.pref.sdf = 5, s.pref.smt = 10, s.pref.sdt = 30;
    PrayerReport r;
    r.writeHeader(s);
    for (int d = 1; d <= 7; ++d) {
        ReportTimes t{"05:20", "06:37", "12:30", "15:52", "18:24", "19:36"};
        if (d == 7)
            t = {"Bright", "Up", "----", "Down", "Up", "Dark"};
        r.writeRow(prayer::dateText(d, 3, 2027), d >= 5, t, true);
    }
    r.writeRemarks();
    prayertest::compareWithGolden(r.text(), "prayer", "layout_minutes.out");
}

TEST(PrayerReportLayout, SecondsColumnsAndWestSouthPlace)
{
    ReportSettings s = mecca();
    s.pref.min = "0";
    s.pref.eleset = "0";
    s.pref.sha = "0";
    s.pref.subfaj = 2, s.pref.subsho = -1.5, s.pref.adddoh = 3, s.pref.addasr = 0.25;
    s.pref.addmag = 1.1;
    s.loc = prayertest::location({"Río Gallegos", -51.6230, -(0.5), -12.5, -3.5});
    s.loc.longid = 0, s.loc.longim = 30, s.loc.longis = 0;
    s.loc.latid = 51, s.loc.latim = 37, s.loc.latis = 22.8;
    s.loc.city = 12.5;
    s.date = prayertest::dates(2027, 12, 30, 2027, 12, 30);
    s.deltaTSeconds = 5;
    PrayerReport r;
    r.writeHeader(s);
    r.writeRow("30/12/2027", true,
               {"03:01:02", "04:55:10", "12:58:03", "05:10:44", "09:02:00", "10:50:59"}, false);
    r.writeRemarks();
    prayertest::compareWithGolden(r.text(), "prayer", "layout_seconds.out");
}

TEST(PrayerReportLayout, HighLatitudeRowsKeepTheMinuteColumnsAndTheMarks)
{
    PrayerReport r;
    r.writeMarkedRow("21/06/2027", true, {"02:10", "03:40", "13:05", "17:20", "21:30", "22:50"},
                     "#*", "#*I");
    EXPECT_EQ(r.text(), "*21/06/2027    02:10#*   03:40     13:05     17:20     21:30     "
                        "22:50#*I\r\n");
}

struct PatternCase {
    double v;
    int digits, decimals;
    const char* text;
};

TEST(PrayerReportLayout, NumberPatterns)
{
    const PatternCase cases[] = {
        {5, 2, 0, "05"},       {-5, 2, 0, "-05"},       {123, 2, 0, "123"},
        {21, 2, 1, "21.0"},    {5.25, 2, 1, "05.3"},    {3, 1, 2, "3.00"},
        {-3.5, 1, 2, "-3.50"}, {70.2549, 2, 1, "70.3"}, {-0.004, 1, 2, "0.00"},
    };
    for (const PatternCase& c : cases)
        EXPECT_EQ(prayer::patternNumber(c.v, c.digits, c.decimals), c.text) << c.v;
    EXPECT_EQ(prayer::numberItem(0), " 0 ");
    EXPECT_EQ(prayer::numberItem(-1.5), "-1.5 ");
    EXPECT_EQ(prayer::numberItem(18.5), " 18.5 ");
    EXPECT_EQ(prayer::dateText(1, 2, 800), "01/02/800");
}

TEST(PrayerReportLayout, ColumnsCountCharactersNotBytes)
{
    std::string s = "مكة"; // three characters, six bytes
    prayer::padTo(s, 10);
    EXPECT_EQ(prayer::charCount(s), 9u);
}

} // namespace
