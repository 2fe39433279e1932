// The hook points the high-latitude method plugs into: when the engine calls
// them, over which days, and what the report keeps when the method stops.
#include <gtest/gtest.h>

#include "engine/modgeneral.h"
#include "prayerfixture.h"
#include "reports/prayerreport.h"

namespace {

using prayertest::PrayerTest;
using prayertest::RecordingHost;

class FakeMethod : public prayer::HighLatitudeMethod {
public:
    bool refuse = false; // stop at the first "Bright" Fajr (above 65 degrees)
    int begun = 0, brightDays = 0, finished = 0;
    std::vector<prayer::HighLatitudeDay> stored;

    bool brightFajr(double, const prayer::HighLatitudeDay& day, EventTime& fajr,
                    EventTime& isha) override
    {
        ++brightDays;
        if (refuse)
            return false;
        EXPECT_FALSE(day.sunrise.isMarker());
        fajr = EventTime::at(day.sunrise.hours - 1.5);
        isha = EventTime::at(day.sunset.hours + 1.5);
        return true;
    }
    void begin(double) override { ++begun; }
    void storeDay(const prayer::HighLatitudeDay& day) override { stored.push_back(day); }
    bool finish(prayer::PrayerReport& report, prayer::RunHost&) override
    {
        ++finished;
        for (const auto& d : stored)
            report.writeMarkedRow(
                d.dateText, d.summer == 1,
                {d.fajertext, d.shuroqtext, d.dhohurtext, d.asrtext, d.maghrebtext, d.ishatext}, "",
                "");
        return true;
    }
};

class HighLatitudeHookTest : public PrayerTest {
protected:
    FakeMethod method;
    RecordingHost host;
    prayer::PrayerTimesEngine engine;

    void run()
    {
        save();
        engine.setHost(&host);
        engine.setHighLatitudeMethod(&method);
        engine.cmdcom_Click();
    }
};

TEST_F(HighLatitudeHookTest, BetweenTheLatitudesTheMethodTakesTheWholeYear)
{
    loc = prayertest::location({"London", 51.5074, -0.1278, 11, 0});
    pref.hilat = 1;
    pref.fajang = 16, pref.ishang = 15;
    date = prayertest::dates(2027, 3, 1, 2027, 3, 3);
    run();
    EXPECT_EQ(method.begun, 1);
    ASSERT_EQ(method.stored.size(), 365u);
    EXPECT_EQ(method.stored.front().dateText, "01/01/2027");
    EXPECT_EQ(method.stored.back().dateText, "31/12/2027");
    EXPECT_GT(method.brightDays, 0); // the white nights of June
    EXPECT_EQ(method.finished, 1);
    EXPECT_EQ(host.handOvers, 365);
    const std::string report = get("results.out");
    // The header gives the days the rows cover, not the stored range.
    EXPECT_NE(report.find("- Prayer times from:  01/01/2027 CE   To:  31/12/2027 CE"),
              std::string::npos);
    EXPECT_NE(report.find("- Fajer Angle: 18 ,  Isha Angle: 18 "), std::string::npos);
    EXPECT_NE(report.find("* Remarks:-"), std::string::npos);
    EXPECT_EQ(host.shown.size(), 1u);
}

TEST_F(HighLatitudeHookTest, AboveSixtyFiveTheFirstBrightFajrStopsTheRun)
{
    loc = prayertest::location({"Tromso", 69.65, 18.96, 10, 1});
    pref.hilat = 1;
    date = prayertest::dates(2027, 3, 1, 2027, 4, 30);
    method.refuse = true;
    run();
    EXPECT_EQ(method.begun, 0);
    EXPECT_EQ(method.brightDays, 1);
    EXPECT_TRUE(engine.lastRun().stopped);
    const std::string report = get("results.out");
    // The rows before the first white night stay, without the remarks.
    EXPECT_NE(report.find("\r\n01/03/2027     "), std::string::npos);
    EXPECT_NE(report.find("\r\n10/03/2027     "), std::string::npos);
    EXPECT_EQ(report.find("\r\n30/04/2027"), std::string::npos);
    EXPECT_EQ(report.find("* Remarks:-"), std::string::npos);
    EXPECT_TRUE(host.shown.empty());
    EXPECT_EQ(host.calls.back(), "unload");
}

TEST_F(HighLatitudeHookTest, OffOrSouthOrTodayTheMethodIsNotCalled)
{
    struct Case {
        const char* what;
        double hilat, latitude;
        bool today;
    };
    const Case cases[] = {
        {"switched off", 0, 51.5, false},
        {"at 48.5 exactly", 1, 48.5, false},
        {"southern latitude", 1, -55, false},
        {"today run", 1, 51.5, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        method = {};
        loc = prayertest::location({"Test", c.latitude, 10, 10, 1});
        pref.hilat = c.hilat;
        date = prayertest::dates(2027, 6, 20, 2027, 6, 21);
        engine.todaymode = c.today ? 1 : 0;
        engine.todayjd = prayertest::jd(2027, 6, 21);
        run();
        engine.todaymode = 0;
        EXPECT_EQ(method.begun + method.brightDays + method.finished, 0);
        EXPECT_TRUE(method.stored.empty());
    }
}

} // namespace
