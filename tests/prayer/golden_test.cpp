// results.out of whole report runs against golden files. Rewrite them with
// MIQATIX_UPDATE_GOLDEN=1 after a deliberate change, and read the diff.

#include <gtest/gtest.h>

#include "engine/modgeneral.h"
#include "platform/filewriter.h"
#include "prayerfixture.h"

namespace {

using prayertest::PrayerTest;
using prayertest::RecordingHost;

class GoldenReportTest : public PrayerTest {
protected:
    // Runs a report and compares results.out with golden/<name>.
    void runAndCompare(const std::string& name, RecordingHost* host = nullptr)
    {
        save();
        prayer::PrayerTimesEngine engine;
        RecordingHost quiet;
        engine.setHost(host ? host : &quiet);
        engine.cmdcom_Click();
        ASSERT_TRUE(engine.lastRun().written) << engine.lastRun().writeError;
        prayertest::compareWithGolden(get("results.out"), "prayer", name);
    }
};

TEST_F(GoldenReportTest, OneDay)
{
    runAndCompare("oneday.out");
}

TEST_F(GoldenReportTest, SevenDaysWithSummerTimeFromTheFifth)
{
    loc = prayertest::location({"Cairo", 30.0444, 31.2357, 23, 2});
    date = prayertest::dates(2027, 4, 26, 2027, 5, 2);
    pref.summ = "1";
    pref.smf = 4, pref.sdf = 30, pref.smt = 10, pref.sdt = 29;
    runAndCompare("sevendays_summer.out");
}

TEST_F(GoldenReportTest, SecondsPrecisionWithAdjustmentsAndCity)
{
    pref.min = "0";
    pref.subfaj = 2, pref.subsho = 1, pref.adddoh = 3, pref.addasr = 2, pref.addmag = 1.5;
    pref.sha = "0";
    loc.city = 10;
    date = prayertest::dates(2027, 3, 1, 2027, 3, 2);
    runAndCompare("seconds.out");
}

TEST_F(GoldenReportTest, TwelveHourClockWestOfGreenwich)
{
    loc = prayertest::location({"New York", 40.7128, -74.006, 10, -5});
    pref.hour24 = 0;
    pref.fajang = 15, pref.ishang = 15;
    date = prayertest::dates(2027, 7, 1, 2027, 7, 3);
    runAndCompare("twelvehour_west.out");
}

TEST_F(GoldenReportTest, CancelKeepsTheRowsWrittenAndTheRemarks)
{
    date = prayertest::dates(2027, 3, 1, 2027, 3, 20);
    RecordingHost host;
    host.onHandOver = [](int count) {
        if (count == 6)
            cancelflag = -1;
    };
    runAndCompare("cancelled.out", &host);
    EXPECT_TRUE(host.shown.empty());
}

TEST_F(GoldenReportTest, AFailedWriteIsReportedAndOpensNothing)
{
    testsupport::FailingWriter failing("disk full");
    save();
    platform::FileWriter* old = platform::setFileWriter(&failing);
    prayer::PrayerTimesEngine engine;
    RecordingHost host;
    engine.setHost(&host);
    engine.cmdcom_Click();
    platform::setFileWriter(old);
    EXPECT_FALSE(engine.lastRun().written);
    EXPECT_EQ(engine.lastRun().writeError, "disk full");
    EXPECT_TRUE(host.shown.empty());
    EXPECT_EQ(host.calls.back(), "unload");
}

} // namespace
