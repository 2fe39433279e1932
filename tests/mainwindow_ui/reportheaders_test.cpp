// Every report that prints the place keeps the minus sign of a place within
// its first degree west of Greenwich or south of the equator, where the whole
// degrees are 0 and a bare -0 would lose it.
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "engine/modgeneral.h"
#include "engine/modjul.h"
#include "ephemeris/ephemerisfixture.h"
#include "lunar/crescentcalc.h"
#include "lunar/moonphases.h"
#include "phases/phasefixture.h"
#include "reports/moontimes.h"
#include "reports/prayertimes.h"
#include "settings/records.h"
#include "support/seriestables.h"
#include "support/testsupport.h"
#include "tools/ephemeris.h"
#include "tools/qiblareport.h"

namespace {

// 0 30' W, 0 20' S.
const char* const kNearTheOrigin = "\"Gulf\",0,30,0,0,20,0,0,0,#FALSE#,#FALSE#,#TRUE#,#TRUE#,0,"
                                   "1010,10,0,\"0.0065\"\r\n";

class ReportHeaderTest : public testsupport::ProgramFolderTest {
protected:
    static void SetUpTestSuite() { testsupport::loadSeriesTables(); }
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        putDefaultSettings();
        put("loc.zvd", kNearTheOrigin);
        settings::DateSelection d = settings::readDateSelection();
        d.sysdate = false;
        d.year1 = d.year2 = 2025, d.month1 = d.month2 = 3, d.day1 = d.day2 = 1;
        ASSERT_TRUE(settings::writeDateSelection(d).ok);
        pi = kPi15;
        onedaymode = 0;
        tdtmode = 0;
        cancelflag = 0;
    }
    void TearDown() override
    {
        onedaymode = 0;
        ProgramFolderTest::TearDown();
    }

    // The line of `report` that holds the place.
    static std::string placeLine(const std::string& report)
    {
        const size_t at = report.find("Long:");
        if (at == std::string::npos)
            return "";
        const size_t start = report.rfind('\n', at) + 1;
        return report.substr(start, report.find('\r', at) - start);
    }
};

TEST_F(ReportHeaderTest, EveryReportKeepsTheSignOfAPlaceWithinItsFirstDegree)
{
    const std::string place = "- Gulf, Long: -00:30:00.0, Lat: -00:20:00.0, Ele:0.0, Zone:0.00";
    const struct {
        const char* report;
        std::function<std::string()> run;
        std::string line;
    } cases[] = {
        {"prayer times",
         [&] {
             prayer::PrayerTimesEngine engine;
             engine.cmdcom_Click();
             return get("results.out");
         },
         place},
        {"moon times",
         [&] {
             moontimes::MoonTimesEngine engine;
             engine.cmdmoon_Click();
             return get("mresults.out");
         },
         place},
        {"moon phases",
         [&] {
             phasetest::RecordingHost host;
             lunar::runMoonPhases("2025", host);
             return get("results.out");
         },
         place},
        {"Qibla times",
         [&] {
             qibla::runQiblaTimesReport(90, true, nullptr);
             return get("results.out");
         },
         "- Gulf, Long: -00:30:00.0, Lat: -00:20:00.0, Zone:0.00"},
        {"crescent visibility",
         [&] {
             lunar::CalculationInput in;
             jul(2025, 2, 28, 0.75, in.conjlocal);
             in.summertext = "Off";
             in.pi = kPi15;
             in.dayOffset = 1;
             lunar::OneDayEngines engines;
             engines.prayerTimes = [] {
                 daysunrise = EventTime::at(6);
                 daysunset = EventTime::at(18);
             };
             engines.moonTimes = [] {
                 daymoonrise = EventTime::at(7);
                 daymoonset = EventTime::at(19);
             };
             return lunar::runCalculation(in, engines).report;
         },
         place},
        // The ephemeris prints negated degrees as a number: "-0 ".
        {"ephemeris",
         [&] {
             ephemeristest::RecordingHost host;
             ephemeris::EphemerisSettings s;
             s.year1 = s.year2 = 2025, s.month1 = s.month2 = 3, s.day1 = s.day2 = 1;
             ephemeris::runEphemeris(s, host);
             return get("ephemeris.out");
         },
         "- Gulf, Long: -0 :30:00.0, Lat: -0 :20:00.0, Ele:0.0, Zone:0.00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(placeLine(c.run()), c.line) << c.report;
}

} // namespace
