// mresults.out of whole report runs against golden files. Rewrite them with
// MIQATIX_UPDATE_GOLDEN=1 after a deliberate change, and read the diff.

#include <gtest/gtest.h>

#include "engine/modgeneral.h"
#include "platform/filewriter.h"
#include "prayer/prayerfixture.h"
#include "reports/moontimes.h"

namespace {

using prayertest::PrayerTest;
using prayertest::RecordingHost;

// Tromso: the Moon stays down on some days of each month and up on others.
const prayertest::Place kTromso{"Tromso", 69.6492, 18.9553, 10, 1};
const prayertest::Place kLondon{"London", 51.5, -7 / 60.0, 11, 0};

class MoonGoldenTest : public PrayerTest {
protected:
    // Runs a report and compares mresults.out with golden/<name>; returns the
    // report's text.
    std::string runAndCompare(const std::string& name, RecordingHost* host = nullptr)
    {
        save();
        moontimes::MoonTimesEngine engine;
        RecordingHost quiet;
        engine.setHost(host ? host : &quiet);
        engine.cmdmoon_Click();
        EXPECT_TRUE(engine.lastRun().written) << engine.lastRun().writeError;
        const std::string text = get("mresults.out");
        prayertest::compareWithGolden(text, "moontimes", name);
        return text;
    }
};

// The rows of a report: the lines between the column header and the rule.
std::vector<std::string> rows(const std::string& text)
{
    std::vector<std::string> lines, out;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    for (size_t i = 16; i < lines.size() && lines[i] != std::string(71, '='); ++i)
        if (!lines[i].empty())
            out.push_back(lines[i]);
    return out;
}

TEST_F(MoonGoldenTest, OneDayShowsTheFullBarAtOnceAndOpensTheReport)
{
    RecordingHost host;
    runAndCompare("oneday.out", &host);
    EXPECT_EQ(host.labels, std::vector<std::string>{"100 %"});
    EXPECT_EQ(host.percents, std::vector<float>{100});
    EXPECT_EQ(host.shown, std::vector<std::string>{"mresults.out"});
    EXPECT_EQ(host.calls.front(), "reset");
    EXPECT_EQ(host.calls[1], "show");
    EXPECT_EQ(host.calls.back(), "unload");
}

// A week in London with a day without moonrise (26 March) and summer time
// from the 28th, in both precisions.
TEST_F(MoonGoldenTest, WeekWithoutAMoonriseAndWithSummerTime)
{
    struct Case {
        const char* min;
        const char* golden;
    };
    for (const Case& c : {Case{"1", "week_minutes.out"}, Case{"0", "week_seconds.out"}}) {
        SCOPED_TRACE(c.golden);
        loc = prayertest::location(kLondon);
        date = prayertest::dates(2027, 3, 24, 2027, 3, 30);
        pref.min = c.min;
        pref.summ = "1";
        pref.smf = 3, pref.sdf = 28, pref.smt = 10, pref.sdt = 31;
        const std::vector<std::string> r = rows(runAndCompare(c.golden));
        ASSERT_EQ(r.size(), 7u);
        EXPECT_EQ(r[2].substr(0, 10), "26/03/2027");
        EXPECT_NE(r[2].find("----"), std::string::npos);
        EXPECT_EQ(r[3].substr(0, 11), "27/03/2027 ");
        EXPECT_EQ(r[4].substr(0, 11), "*28/03/2027");
    }
}

// Three weeks at Tromso: days on which the Moon stays down show "Down" in
// all three columns; days on which it stays up show "Up" with a transit, or
// "----" on the day without an upper transit (22 January).
TEST_F(MoonGoldenTest, MoonStaysDownOrUpAllDay)
{
    loc = prayertest::location(kTromso);
    date = prayertest::dates(2027, 1, 1, 2027, 1, 22);
    const std::vector<std::string> r = rows(runAndCompare("polar.out"));
    ASSERT_EQ(r.size(), 22u);
    EXPECT_EQ(r[4], "05/01/2027       Down             Down               Down");
    EXPECT_EQ(r[17].substr(17, 2), "Up");
    EXPECT_EQ(r[17].substr(34, 5), "20:06");
    EXPECT_EQ(r[17].substr(53), "Up");
    EXPECT_EQ(r[21], "22/01/2027       Up               ----               Up");
}

TEST_F(MoonGoldenTest, LastDateBeforeTheFirstWritesHeaderAndClosingOnly)
{
    date = prayertest::dates(2027, 3, 10, 2027, 3, 1);
    RecordingHost host;
    const std::string text = runAndCompare("reversed.out", &host);
    EXPECT_TRUE(rows(text).empty());
    EXPECT_TRUE(host.labels.empty());
    EXPECT_EQ(host.shown, std::vector<std::string>{"mresults.out"});
}

TEST_F(MoonGoldenTest, CancelWritesTheClosingLinesAndOpensNothing)
{
    date = prayertest::dates(2027, 3, 1, 2027, 3, 12);
    RecordingHost host;
    host.onHandOver = [](int count) {
        if (count == 7)
            cancelflag = -1;
    };
    const std::string text = runAndCompare("cancelled.out", &host);
    EXPECT_EQ(rows(text).size(), 7u);
    EXPECT_EQ(host.handOvers, 7);
    EXPECT_TRUE(host.shown.empty());
    EXPECT_EQ(host.calls.back(), "unload");
}

// The zone of every instant is the zone as printed with two decimals.
TEST_F(MoonGoldenTest, AZoneOfMoreDecimalsIsUsedAsPrinted)
{
    pref.min = "0";
    date = prayertest::dates(2027, 3, 1, 2027, 3, 3);
    loc = prayertest::location({"Kolkata", 22.5726, 88.3639, 9, 5.333});
    const std::string three = runAndCompare("zone_5333.out");
    EXPECT_NE(three.find(", Zone:5.33\r\n"), std::string::npos);
    loc.zon = 5.33;
    save();
    moontimes::MoonTimesEngine engine;
    engine.cmdmoon_Click();
    EXPECT_EQ(rows(get("mresults.out")), rows(three));

    // 5.333 itself would move local midnight by 10.8 s, which shows in the
    // seconds.
    moontimes::MoonDay exact;
    moontimes::moonRiseSet(prayertest::jd(2027, 3, 1) - 5.333 / 24, "0", exact);
    EXPECT_EQ(rows(three)[0].find(exact.riseText), std::string::npos);
}

TEST_F(MoonGoldenTest, AFailedWriteOpensNothing)
{
    testsupport::FailingWriter failing("disk full");
    save();
    platform::FileWriter* old = platform::setFileWriter(&failing);
    moontimes::MoonTimesEngine engine;
    RecordingHost host;
    engine.setHost(&host);
    engine.cmdmoon_Click();
    platform::setFileWriter(old);
    EXPECT_FALSE(engine.lastRun().written);
    EXPECT_EQ(engine.lastRun().writeError, "disk full");
    EXPECT_TRUE(host.shown.empty());
    EXPECT_EQ(host.calls.back(), "unload");
}

} // namespace
