// Every report that prints the place keeps the minus sign of a place within
// its first degree west of Greenwich or south of the equator, where the whole
// degrees are 0 and a bare -0 would lose it.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/modgeneral.h"
#include "engine/modjul.h"
#include "ephemeris/ephemerisfixture.h"
#include "lunar/crescentcalc.h"
#include "lunar/moonphases.h"
#include "phases/phasefixture.h"
#include "platform/programfolder.h"
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

std::string programFile(const char* name)
{
    return testsupport::readFile(platform::programFolder() / name);
}

// Each report that prints the place, run for 1 March 2025 from the settings
// in the program folder; the text of the report it writes.
struct ReportRun {
    const char* report;
    std::function<std::string()> run;
};

const std::vector<ReportRun>& reportRuns()
{
    static const std::vector<ReportRun> runs = {
        {"prayer times",
         [] {
             prayer::PrayerTimesEngine engine;
             engine.cmdcom_Click();
             return programFile("results.out");
         }},
        {"moon times",
         [] {
             moontimes::MoonTimesEngine engine;
             engine.cmdmoon_Click();
             return programFile("mresults.out");
         }},
        {"moon phases",
         [] {
             phasetest::RecordingHost host;
             lunar::runMoonPhases("2025", host);
             return programFile("results.out");
         }},
        {"Qibla times",
         [] {
             qibla::runQiblaTimesReport(90, true, nullptr);
             return programFile("results.out");
         }},
        {"crescent visibility",
         [] {
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
         }},
        {"ephemeris",
         [] {
             ephemeristest::RecordingHost host;
             ephemeris::EphemerisSettings s;
             s.year1 = s.year2 = 2025, s.month1 = s.month2 = 3, s.day1 = s.day2 = 1;
             ephemeris::runEphemeris(s, host);
             return programFile("ephemeris.out");
         }},
    };
    return runs;
}

TEST_F(ReportHeaderTest, EveryReportKeepsTheSignOfAPlaceWithinItsFirstDegree)
{
    const std::string place = "- Gulf, Long: -00:30:00.0, Lat: -00:20:00.0, Ele:0.0, Zone:0.00";
    const std::map<std::string, std::string> lines = {
        {"prayer times", place},
        {"moon times", place},
        {"moon phases", place},
        {"Qibla times", "- Gulf, Long: -00:30:00.0, Lat: -00:20:00.0, Zone:0.00"},
        {"crescent visibility", place},
        // The ephemeris prints negated degrees as a number: "-0 ".
        {"ephemeris", "- Gulf, Long: -0 :30:00.0, Lat: -0 :20:00.0, Ele:0.0, Zone:0.00"},
    };
    for (const ReportRun& r : reportRuns())
        EXPECT_EQ(placeLine(r.run()), lines.at(r.report)) << r.report;
}

// Stored values far beyond what a fixed room of digits holds print with every
// digit of the double: a longitude of 1e70 degrees once came out as a number
// of 63 digits (about 1e62), a temperature or a Fajr angle of 1e64 as 0.
TEST_F(ReportHeaderTest, HugeStoredValuesPrintWhole)
{
    put("loc.zvd", "\"Mecca\",1e70,0,0,21,25,21,277,3,#TRUE#,#TRUE#,#FALSE#,#FALSE#,0,1e64,1e64,"
                   "5,\"0.0065\"\r\n");
    put("pref.zvd", "1e64,18,4,1,10,1,0,0,0,3e38,\"0\",\"0\",\"1\",\"1\",#TRUE#,\"1\",\"6\",0,0,"
                    "1\r\n");
    const std::string e70 = "1000000000000000072531436381529235126158374409646521955518210155"
                            "4790400";
    const std::string e64 = "1000000000000000021320419009454396872301257871267964946774333849"
                            "6";
    ASSERT_EQ(e70.size(), 71u);
    ASSERT_EQ(e64.size(), 65u);
    const std::string place = "- Mecca, Long: " + e70 +
                              ":00:00.0, Lat: 21:25:21.0, Ele:277.0, "
                              "Zone:3.00";
    const std::string refraction =
        "- Refraction: Temp.: " + e64 + " °C   Pres.: " + e64 + " mb   Humidity: 5 %";
    const struct {
        const char* report;
        std::vector<std::string> pieces;
    } expected[] = {
        {"prayer times", {place, refraction, "- Fajer Angle: " + e64 + " ,  Isha Angle: 18 "}},
        {"moon times", {place, refraction}},
        {"moon phases", {place}},
        {"Qibla times", {"- Mecca, Long: " + e70 + ":00:00.0, Lat: 21:25:21.0, Zone:3.00"}},
        {"crescent visibility", {place, refraction}},
        {"ephemeris", {"- Mecca, Long: " + e70 + ":00:00.0"}},
    };
    for (const ReportRun& r : reportRuns()) {
        const std::string report = r.run();
        for (const auto& e : expected) {
            if (e.report != std::string(r.report))
                continue;
            for (const std::string& piece : e.pieces) {
                EXPECT_NE(report.find(piece), std::string::npos)
                    << r.report << " lacks: " << piece << "\n"
                    << report.substr(0, 1500);
            }
        }
        // Nor a half-made number of the platform's own.
        for (const char* foreign : {"inf", "nan", "e+"})
            EXPECT_EQ(report.find(foreign), std::string::npos) << r.report << ": " << foreign;
    }
}

// A huge western longitude is negated and printed with every digit like an
// eastern one: the ephemeris once wrote the first fifteen digits of
// 123456789012345678 and zeros for the rest. A latitude goes no further than
// a pole (beyond, loc.zvd is damaged), and a southern one is negated alike.
TEST_F(ReportHeaderTest, HugeWesternAndSouthernValuesPrintWhole)
{
    const std::string e17 = "123456789012345680"; // the double nearest 123456789012345678
    const struct {
        const char* where;
        const char* loc;
        std::string place;     // the reports' place line
        std::string ephemeris; // the ephemeris': negated degrees as a number
    } places[] = {
        {"west",
         "\"Mecca\",123456789012345678,0,0,21,25,21,277,3,#FALSE#,#TRUE#,#TRUE#,#FALSE#,0,1010,10,"
         "0,\"0.0065\"\r\n",
         "- Mecca, Long: -" + e17 + ":00:00.0, Lat: 21:25:21.0, Ele:277.0, Zone:3.00",
         "- Mecca, Long: -" + e17 + " :00:00.0, Lat: 21:25:21.0, Ele:277.0, Zone:3.00"},
        // A latitude beyond 90 degrees is refused as damage: the south
        // pole is the furthest south value there is.
        {"south",
         "\"Mecca\",39,49,34,90,0,0,277,3,#TRUE#,#FALSE#,#TRUE#,#FALSE#,0,1010,10,"
         "0,\"0.0065\"\r\n",
         "- Mecca, Long: 39:49:34.0, Lat: -90:00:00.0, Ele:277.0, Zone:3.00",
         "- Mecca, Long: 39:49:34.0, Lat: -90 :00:00.0, Ele:277.0, Zone:3.00"},
    };
    for (const auto& p : places) {
        put("loc.zvd", p.loc);
        const std::string qibla = p.place.substr(0, p.place.find(", Ele:")) + ", Zone:3.00";
        const std::map<std::string, std::string> lines = {
            {"prayer times", p.place}, {"moon times", p.place},          {"moon phases", p.place},
            {"Qibla times", qibla},    {"crescent visibility", p.place}, {"ephemeris", p.ephemeris},
        };
        for (const ReportRun& r : reportRuns())
            EXPECT_EQ(placeLine(r.run()), lines.at(r.report)) << p.where << ": " << r.report;
    }
}

} // namespace
