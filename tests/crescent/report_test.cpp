// The crescent calculation and its report visib.out: a golden report for one
// day and place with the main window's real one-day engines, and the working
// values and notes on days whose events are put in by hand.
#include <cmath>
#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>

#include "crescentfixture.h"
#include "lunar/conjunction.h"
#include "lunar/crescentcalc.h"

namespace {

using namespace crescenttest;
using lunar::CalculationInput;
using lunar::CalculationTime;
using lunar::runCalculation;

void expectGolden(const std::string& report, const std::string& name)
{
    testsupport::compareWithGolden(report, "crescent", name);
}

class ReportTest : public CrescentTest {
protected:
    // The Preview of 2020 May 23 (the conjunction of 22 May, 20:39 LT in Mecca).
    CalculationInput previewed(bool newCrescent, bool geocentric = true)
    {
        lunar::PreviewInput p;
        p.dayText = "23";
        p.monthText = "5";
        p.yearText = "2020";
        p.newCrescent = newCrescent;
        p.geocentric = geocentric;
        const auto r = lunar::runPreview(p);
        EXPECT_TRUE(r);
        CalculationInput in;
        in.newCrescent = newCrescent;
        in.geocentric = geocentric;
        in.conjlocal = r->conjlocal;
        in.summertext = r->summertext;
        in.pi = r->pi;
        return in;
    }

    // Engines that leave the given local hours (a negative value: no event).
    lunar::OneDayEngines fixedEvents(double sunrise, double sunset, double moonrise, double moonset)
    {
        auto event = [](double h) {
            return h < 0 ? EventTime::marked(TimeMarker::NoEvent) : EventTime::at(h);
        };
        lunar::OneDayEngines e;
        e.prayerTimes = [=, this] {
            modesSeen.push_back(onedaymode);
            jdsSeen.push_back(onedayjd);
            daysunrise = event(sunrise);
            daysunset = event(sunset);
        };
        e.moonTimes = [=, this] {
            modesSeen.push_back(onedaymode);
            daymoonrise = event(moonrise);
            daymoonset = event(moonset);
        };
        return e;
    }

    std::vector<double> modesSeen, jdsSeen;
};

TEST_F(ReportTest, GoldenReportForMeccaTheDayAfterTheConjunction)
{
    CalculationInput in = previewed(true);
    in.dayOffset = 1;
    in.time = CalculationTime::Best;
    const auto r = runCalculation(in, realEngines());
    ASSERT_FALSE(r.noEvent);
    expectGolden(r.report, "visib-mecca-2020-05-23.out");
    EXPECT_EQ(onedaymode, 0);
}

TEST_F(ReportTest, TopocentricOldCrescentInSeconds)
{
    put("pref.zvd", prefLine("0"));
    CalculationInput in = previewed(false, false);
    in.dayOffset = 1;
    in.time = CalculationTime::Sun;
    const auto r = runCalculation(in, realEngines());
    ASSERT_FALSE(r.noEvent);
    expectGolden(r.report, "visib-mecca-2020-05-21-old.out");
}

TEST_F(ReportTest, CalculationDayFollowsTheCrescentAndTheDayOption)
{
    struct Case {
        bool isNew;
        int offset;
        int day; // of May 2020
    } cases[] = {{true, 0, 22}, {true, 1, 23}, {true, 2, 24}, {false, 1, 21}, {false, 2, 20}};
    for (const Case& c : cases) {
        jdsSeen.clear();
        modesSeen.clear();
        CalculationInput in = previewed(c.isNew);
        in.dayOffset = c.offset;
        const auto r = runCalculation(in, fixedEvents(5.7, 19.1, 6.5, 20.2));
        EXPECT_EQ(jdsSeen, std::vector<double>{utJd(2020, 5, c.day, 0, 0)}) << c.day;
        EXPECT_EQ(r.values.onedayjd, utJd(2020, 5, c.day, 0, 0)) << c.day;
        // onedaymode is 1 during both runs and only then.
        EXPECT_EQ(modesSeen, (std::vector<double>{1, 1})) << c.day;
        EXPECT_EQ(onedaymode, 0);
    }
}

TEST_F(ReportTest, TimeOfCalculationAndBestTime)
{
    const double J0 = utJd(2020, 5, 23, 0, 0);
    struct Case {
        const char* what;
        bool isNew;
        CalculationTime time;
        double sunrise, sunset, moonrise, moonset;
        double T, B; // hours after J0
        const char* note;
    } cases[] = {
        {"new, best time", true, CalculationTime::Best, 5.7, 19.0, 6.0, 20.8, 19.8, 19.8, ""},
        {"new, sunset, criterion still at the best time", true, CalculationTime::Sun, 5.7, 19.0,
         6.0, 20.8, 19.0, 19.8, ""},
        {"new, moon sets first, best time is the sunset", true, CalculationTime::Best, 5.7, 19.0,
         6.0, 18.1, 19.0, 19.0, "Because The Moon Sets \r\n"},
        {"new, moon sets first, sunset: criterion before sunset", true, CalculationTime::Sun, 5.7,
         19.0, 6.0, 18.1, 19.0, 18.6, "Because The Moon Sets \r\n"},
        {"new, lag exactly 0: no note on the lag", true, CalculationTime::Best, 5.7, 19.0, 6.0,
         19.0, 19.0, 19.0, ""},
        {"old, best time", false, CalculationTime::Best, 5.7, 19.0, 3.0, 20.8, 4.5, 4.5, ""},
        {"old, moon rises after the sun: the moonrise", false, CalculationTime::Best, 5.7, 19.0,
         6.6, 20.8, 6.6, 6.6, "Because The Moon Rises \r\n"},
        {"specific time", true, CalculationTime::Specific, 5.7, 19.0, 6.0, 20.8, 21.5, 19.8, ""},
    };
    for (const Case& c : cases) {
        CalculationInput in = previewed(c.isNew);
        // 23 May for the new crescent, 21 May for the old.
        in.dayOffset = 1;
        in.time = c.time;
        in.hourText = "21";
        in.minuteText = "30";
        const auto r = runCalculation(in, fixedEvents(c.sunrise, c.sunset, c.moonrise, c.moonset));
        ASSERT_FALSE(r.noEvent) << c.what;
        const double j0 = r.values.onedayjd;
        EXPECT_EQ(j0, c.isNew ? J0 : J0 - 2) << c.what;
        EXPECT_NEAR((r.values.T - j0) * 24, c.T, 1e-6) << c.what;
        EXPECT_NEAR((r.values.B - j0) * 24, c.B, 1e-6) << c.what;
        if (*c.note)
            EXPECT_NE(r.report.find(c.note), std::string::npos) << c.what;
        else
            EXPECT_EQ(r.report.find("- Note:"), std::string::npos) << c.what;
    }
}

TEST_F(ReportTest, ConjunctionAfterTheTimeOfCalculationIsNoted)
{
    // The conjunction day of the new crescent: the conjunction (20:39 LT)
    // falls after a 19:00 sunset; with the moon setting first too, the
    // combined note.
    struct Case {
        const char* what;
        double moonset;
        const char* note;
    } cases[] = {
        {"moon sets after the sun", 20.0,
         "Because The Conjunction\r\n        Occurs After Sunset.\r\n"},
        {"moon sets first", 18.5,
         "Because The Moon Sets\r\n        Before The Sun, and The Conjunction Occurs After "
         "Sunset.\r\n"},
    };
    for (const Case& c : cases) {
        CalculationInput in = previewed(true);
        in.dayOffset = 0;
        in.time = CalculationTime::Sun;
        const auto r = runCalculation(in, fixedEvents(5.7, 19.0, 6.0, c.moonset));
        EXPECT_LT(r.values.A, 0) << c.what;
        EXPECT_NE(r.report.find(c.note), std::string::npos) << c.what;
    }
}

TEST_F(ReportTest, MissingEventGivesTheShortNote)
{
    struct Case {
        const char* what;
        bool isNew;
        double sunrise, sunset, moonrise, moonset;
    } cases[] = {
        {"no moonset", true, 5.7, 19.0, 6.0, -1},
        {"no sunset", true, 5.7, -1, 6.0, 20.0},
        {"no moonrise", false, 5.7, 19.0, -1, 20.0},
    };
    for (const Case& c : cases) {
        CalculationInput in = previewed(c.isNew);
        const auto r = runCalculation(in, fixedEvents(c.sunrise, c.sunset, c.moonrise, c.moonset));
        EXPECT_TRUE(r.noEvent) << c.what;
        EXPECT_EQ(r.report, lunar::noEventReport()) << c.what;
    }
    EXPECT_EQ(lunar::noEventReport(),
              std::string(25, ' ') + "By the Name of Allah\r\n" + std::string(20, ' ') +
                  "Falakorum\r\n" + std::string(19, ' ') +
                  "Miqatix 5.5\r\n\r\n"
                  "Crescent Visibility calculations on this day from this location need careful "
                  "\r\ntechnique, because there is no Sunset/Sunrise and/or Moonset/Moonrise "
                  "event(s).\r\n");
}

TEST_F(ReportTest, WestAndSouthLocationsPrintWithAMinus)
{
    put("loc.zvd", "\"Somewhere\",0,30,0,12,0,0,10,0,#FALSE#,#FALSE#,#TRUE#,#TRUE#,0,1010,10,0,"
                   "\"0.0065\"\r\n");
    CalculationInput in = previewed(true);
    const auto r = runCalculation(in, fixedEvents(6.0, 18.0, 6.5, 19.0));
    EXPECT_NE(r.report.find("- Somewhere, Long: -00:30:00.0, Lat: -12:00:00.0, Ele:10.0, "
                            "Zone:0.00\r\n"),
              std::string::npos);
}

} // namespace
