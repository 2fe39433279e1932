// results.out of whole Qibla-times runs against golden files, the progress
// protocol and Cancel. Rewrite the golden files with MIQATIX_UPDATE_GOLDEN=1
// after a deliberate change, and read the diff.
#include <cstdlib>

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include "engine/modgeneral.h"
#include "platform/eventloop.h"
#include "platform/filewriter.h"
#include "prayer/prayerfixture.h"
#include "reports/reportpieces.h"
#include "support/signedtext.h"
#include "tools/qiblareport.h"

namespace {

using prayertest::PrayerTest;
using prayertest::RecordingHost;

class QiblaReportTest : public PrayerTest {
protected:
    std::string runAndCompare(const std::string& name, float qibang, bool sunMode)
    {
        save();
        RecordingHost host;
        const qibla::QiblaRunResult r = qibla::runQiblaTimesReport(qibang, sunMode, &host);
        EXPECT_TRUE(r.written) << r.writeError;
        const std::string text = get("results.out");
        testsupport::compareWithGolden(text, "qibla", name);
        return text;
    }
};

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> out;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        out.push_back(text.substr(start, end - start));
    return out;
}

TEST_F(QiblaReportTest, LondonFortnightAcrossTheStartOfSummerTime)
{
    // 14 days: blocks of 4, 5 and 5 rows; summer time from 28 March.
    loc = prayertest::location({"London", 51.5074, -0.1278, 11, 0});
    pref.summ = "1";
    pref.smf = 3, pref.sdf = 28, pref.smt = 10, pref.sdt = 31;
    pref.min = "0";
    date = prayertest::dates(2027, 3, 20, 2027, 4, 2);
    const std::string text = runAndCompare("london-shadow.out", 119.0f, false);
    const std::vector<std::string> l = lines(text);
    ASSERT_GE(l.size(), 17u + 16u);
    EXPECT_EQ(l[17].rfind("20/03/2027         ", 0), 0u);
    EXPECT_EQ(l[21], ""); // before row 5
    EXPECT_EQ(l[27], ""); // before row 10
    EXPECT_EQ(l[28].rfind("*29/03/2027", 0), 0u);
}

TEST_F(QiblaReportTest, AWindowEndingOnADayTheMonthLacksEndsAsThePrayerReportsDo)
{
    // An end of 31 April is read in the row's year and rolls over to 1 May,
    // as in the prayer times: 1 May is still summer time, 2 May is not.
    loc = prayertest::location({"London", 51.5074, -0.1278, 11, 0});
    pref.summ = "1";
    pref.smf = 3, pref.sdf = 28, pref.smt = 4, pref.sdt = 31;
    pref.min = "0";
    date = prayertest::dates(2027, 4, 29, 2027, 5, 2);
    save();
    RecordingHost host;
    ASSERT_TRUE(qibla::runQiblaTimesReport(119.0f, false, &host).written);
    const std::vector<std::string> l = lines(get("results.out"));
    ASSERT_GE(l.size(), 21u);
    EXPECT_EQ(l[17].rfind("*29/04/2027", 0), 0u) << l[17];
    EXPECT_EQ(l[18].rfind("*30/04/2027", 0), 0u) << l[18];
    EXPECT_EQ(l[19].rfind("*01/05/2027", 0), 0u) << l[19];
    EXPECT_EQ(l[20].rfind("02/05/2027 ", 0), 0u) << l[20];
}

TEST_F(QiblaReportTest, KualaLumpurTwoTimesADayInOrder)
{
    // In late May the Sun north of the zenith turns back short of west-north-
    // west: the Qibla bearing is reached twice in an evening, or not at all.
    loc = prayertest::location({"Kuala Lumpur", 3.139, 101.6869, 60, 8});
    pref.min = "0";
    pref.summ = "0";
    date = prayertest::dates(2027, 5, 14, 2027, 5, 20);
    const std::string text = runAndCompare("kualalumpur-sun.out", 292.6f, true);
    const std::vector<std::string> l = lines(text);
    int twice = 0;
    for (size_t i = 17; i < l.size() && l[i][0] != '='; ++i) {
        if (l[i].empty())
            continue;
        const std::string first = l[i].substr(19, 8), second = l[i].substr(54, 8);
        if (second != "----" && second.size() == 8) {
            ++twice;
            EXPECT_LT(first, second) << l[i];
        }
    }
    EXPECT_GT(twice, 0);
}

TEST_F(QiblaReportTest, OneDayWestAndSouthInMinutes)
{
    loc = prayertest::location({"Buenos Aires", -34.6037, -58.3816, 25, -3});
    pref.min = "1";
    pref.summ = "0";
    date = prayertest::dates(2027, 1, 10, 2027, 1, 10);
    const std::string text = runAndCompare("buenosaires-sun.out", 67.5f, true);
    const std::vector<std::string> l = lines(text);
    EXPECT_EQ(l[8], "- Qiblah Direction for:  10/01/2027 CE");
    EXPECT_EQ(l[9].rfind("- Buenos Aires, Long: -58:", 0), 0u);
    EXPECT_NE(l[9].find(", Lat: -34:"), std::string::npos);
    EXPECT_EQ(l[10], "- No Summer Time.");
}

TEST_F(QiblaReportTest, SystemDateRunsTodayAsARange)
{
    date = prayertest::dates(2027, 1, 1, 2027, 1, 1);
    date.oneday = false;
    date.sysdate = true;
    save();
    // Noon of 5 May 2027, local time.
    std::tm t{};
    t.tm_year = 127, t.tm_mon = 4, t.tm_mday = 5, t.tm_hour = 12;
    const auto when = platform::Clock::from_time_t(std::mktime(&t));
    platform::setClock([when] { return when; });
    RecordingHost host;
    const qibla::QiblaRunResult r = qibla::runQiblaTimesReport(178.6f, true, &host);
    platform::setClock({});
    EXPECT_EQ(r.rows, 1);
    const std::vector<std::string> l = lines(get("results.out"));
    EXPECT_EQ(l[8], "- Qiblah Direction from:  05/05/2027 CE   To:  05/05/2027 CE");
    // One day: 100 % at once, without a hand-over; the report opens.
    EXPECT_EQ(host.labels, std::vector<std::string>{"100 %"});
    EXPECT_EQ(host.handOvers, 0);
    EXPECT_EQ(host.shown, std::vector<std::string>{"results.out"});
}

TEST(QiblaRowTest, EveryItemTakesItsColumnAlsoWhenEmpty)
{
    // Times from column 20 and 55, remarks from 30 and 70; an empty remark is
    // still placed, so the gap before column 70 is filled with blanks.
    auto time = [](const char* text, bool below) {
        qibla::QiblaTime t;
        t.found = std::string(text) != "----";
        t.text = text;
        t.belowHorizon = below;
        return t;
    };
    const std::string pad20(9, ' '), toCol70(7, ' ');
    struct Case {
        qibla::QiblaDayTimes times;
        bool summer;
        std::string row;
    };
    const Case cases[] = {
        {{time("11:18", false), time("----", false)},
         false,
         "10/01/2027" + pad20 + "11:18" + std::string(30, ' ') + "----" + std::string(11, ' ')},
        {{time("16:12:23", false), time("21:06:01", true)},
         true,
         "*10/01/2027" + std::string(8, ' ') + "16:12:23" + std::string(27, ' ') + "21:06:01" +
             toCol70 + "Below Horizon"},
        {{time("05:01:02", true), time("----", false)},
         false,
         "10/01/2027" + pad20 + "05:01:02" + "  " + "Below Horizon" + std::string(12, ' ') +
             "----" + std::string(11, ' ')},
        {{time("----", false), time("----", false)},
         false,
         "10/01/2027" + pad20 + "----" + std::string(31, ' ') + "----" + std::string(11, ' ')},
    };
    for (const Case& c : cases) {
        qibla::QiblaTimesReport report;
        report.writeRow("10/01/2027", c.summer, c.times);
        EXPECT_EQ(report.text(), c.row + "\r\n");
    }
}

TEST_F(QiblaReportTest, ProgressAndCancelAfterTheCurrentRow)
{
    date = prayertest::dates(2027, 1, 1, 2027, 1, 11);
    save();
    RecordingHost host;
    host.onHandOver = [](int count) {
        if (count == 3)
            cancelflag = -1;
    };
    const qibla::QiblaRunResult r = qibla::runQiblaTimesReport(178.6f, true, &host);
    EXPECT_TRUE(r.cancelled);
    EXPECT_TRUE(r.written);
    EXPECT_EQ(r.rows, 3); // the row of the third hand-over is still written
    EXPECT_TRUE(host.shown.empty());
    ASSERT_EQ(host.labels.size(), 3u);
    EXPECT_EQ(host.labels[0], "0 %");
    EXPECT_EQ(host.labels[1], "10 %");
    EXPECT_EQ(host.labels[2], "20 %");
    EXPECT_EQ(host.calls.back(), "unload");
    const std::string text = get("results.out");
    // The closing lines follow the rows written so far.
    EXPECT_NE(text.find("* Remarks:-"), std::string::npos);
    EXPECT_NE(text.find("03/01/2027"), std::string::npos);
    EXPECT_EQ(text.find("04/01/2027"), std::string::npos);
}

TEST_F(QiblaReportTest, AFailedWriteIsReportedAndOpensNothing)
{
    testsupport::FailingWriter failing("disk full");
    save();
    put("results.out", "old");
    platform::FileWriter* old = platform::setFileWriter(&failing);
    RecordingHost host;
    const qibla::QiblaRunResult r = qibla::runQiblaTimesReport(178.6f, true, &host);
    platform::setFileWriter(old);
    EXPECT_FALSE(r.written);
    EXPECT_EQ(r.writeError, "disk full");
    EXPECT_TRUE(host.shown.empty());
    EXPECT_EQ(get("results.out"), "old");
}

TEST_F(QiblaReportTest, MissingDateFileStopsTheRunAndKeepsTheOldReport)
{
    save();
    put("results.out", "old");
    std::filesystem::remove(file("date.zvd"));
    EXPECT_THROW(qibla::runQiblaTimesReport(178.6f, true, nullptr), platform::FileFault);
    EXPECT_EQ(get("results.out"), "old");
}

TEST_F(QiblaReportTest, ShadowModeTargetsTheOppositeBearing)
{
    loc = prayertest::location({"London", 51.5074, -0.1278, 0, 0});
    date = prayertest::dates(2027, 6, 21, 2027, 6, 21);
    save();
    qibla::runQiblaTimesReport(119.0f, false, nullptr);
    const std::string shadow = get("results.out");
    EXPECT_NE(shadow.find("- Qiblah Direction is:  119° From True North"), std::string::npos);
    qibla::QiblaDayTimes day;
    qibla::qiblaTimesOfDay(prayertest::jd(2027, 6, 21), 299.0, -0.1278, 51.5074,
                           qibla::horizonAltitude(0, true), pref.min, day);
    ASSERT_TRUE(day.first.found);
    EXPECT_NE(shadow.find(day.first.text), std::string::npos);
}

} // namespace

// Days that leave the computable years once the zone and the summer hour in
// force are taken off: a late hour of 31 December 3000 twelve hours west is
// already 3001, 1 January -1999 at +3 still -2000; a summer window on that
// does not take in January takes no hour off 1 January. The refusal names
// the year, its field and the zone, in both languages, every signed number
// drawn with its sign in front; days too far to count are named alike.
TEST_F(QiblaReportTest, DaysBeyondTheComputableYearsAreRefusedAndKeepTheOldReport)
{
    const struct {
        double year, month, day, zone;
        const char* refusal; // the English refusal's telling piece; "" computes
    } cases[] = {
        {3000, 12, 31, 3, ""},
        {3000, 12, 31, 0, ""},
        {-1999, 1, 1, 0, ""},
        {3000, 12, 31, -12,
         "at the zone -12 of loc.zvd (field 9), its last day ends at "
         "01/01/3001 12:00 in universal time."},
        {-1999, 1, 1, 3,
         "at the zone +3 of loc.zvd (field 9), its first day begins at "
         "31/12/-2000 21:00 in universal time."},
        {3001, 1, 1, 3, "The year 3001 in date.zvd (field 2)"},
        {-2000, 12, 31, 3, "The year -2000 in date.zvd (field 2)"},
        {100000, 1, 1, 3, "The year 100000 in date.zvd (field 2)"},
        {-1e308, 3, 1, 3, "The year -1e+308 in date.zvd (field 2)"},
    };
    for (bool english : {true, false})
        for (const auto& c : cases) {
            SCOPED_TRACE(std::to_string(c.year) + " zone " + std::to_string(c.zone) +
                         (english ? " en" : " ar"));
            pref.eng = english;
            pref.summ = "1";
            pref.smf = 3, pref.sdf = 29, pref.smt = 10, pref.sdt = 25;
            loc.zon = c.zone;
            date = prayertest::dates(2027, 3, 1, 2027, 3, 1);
            date.year1 = date.year2 = c.year;
            date.month1 = date.month2 = c.month;
            date.day1 = date.day2 = c.day;
            save();
            put("results.out", "old");
            RecordingHost host;
            const qibla::QiblaRunResult r = qibla::runQiblaTimesReport(178.6f, true, &host);
            EXPECT_EQ(r.refused, *c.refusal != 0);
            if (!r.refused) {
                EXPECT_TRUE(host.warnings.empty());
                EXPECT_TRUE(r.written);
                continue;
            }
            ASSERT_EQ(host.warnings.size(), 1u);
            const QString shown = QString::fromStdString(host.warnings[0]);
            if (english)
                EXPECT_TRUE(shown.contains(QString::fromUtf8(c.refusal))) << shown.toStdString();
            else
                EXPECT_EQ(testsupport::signsOnTheFarSide(shown), QStringList{})
                    << shown.toStdString();
            EXPECT_FALSE(r.written);
            EXPECT_TRUE(host.shown.empty());
            EXPECT_EQ(host.calls.back(), "unload");
            EXPECT_EQ(get("results.out"), "old");
        }
}
