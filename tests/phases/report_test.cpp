// results.out of whole moon-phase runs against golden files (rewrite them
// with MIQATIX_UPDATE_GOLDEN=1 after checking the change by eye), the table's
// shape, the progress protocol and Cancel.
#include <cstdlib>

#include <gtest/gtest.h>

#include "engine/modgeneral.h"
#include "phasefixture.h"
#include "platform/filewriter.h"

namespace {

class ReportTest : public phasetest::PhaseTest {
protected:
    // Runs the year and compares results.out with golden/<name>.
    lunar::MoonPhasesResult runAndCompare(const std::string& year, const char* name)
    {
        const lunar::MoonPhasesResult run = lunar::runMoonPhases(year, host);
        EXPECT_TRUE(run.written) << run.writeError;
        testsupport::compareWithGolden(get("results.out"), "phases", name);
        return run;
    }

    // Madrid with summer time from 1 April to 1 October.
    void madridWithSummer()
    {
        loc = phasetest::madrid();
        pref.summ = std::string("1");
        pref.smf = 4, pref.sdf = 1, pref.smt = 10, pref.sdt = 1;
        pref.min = std::string("0");
        save();
        host.now = {true, true, lunar::deltaTSecondsOfYear(2019)};
    }

    phasetest::RecordingHost host;
};

TEST_F(ReportTest, YearAtMadridWithSummerTime)
{
    madridWithSummer();
    const lunar::MoonPhasesResult run = runAndCompare("2019", "madrid_2019.out");
    EXPECT_FALSE(run.cancelled);
    ASSERT_EQ(host.shown.size(), 1u);
    EXPECT_EQ(host.shown[0], "results.out");
    EXPECT_EQ(host.unloads, 1);
}

TEST_F(ReportTest, TopocentricTdtMinutesAtMecca)
{
    pref.min = std::string("1");
    save();
    host.now = {false, false, 0};
    runAndCompare("2027", "mecca_2027_topo_tdt.out");
}

// Lunation 234 lies in December 2018, 247 gives only the New Moon of 26
// December 2019 and 248 nothing; 13 New Moons and 12 of each other phase.
TEST_F(ReportTest, YearTakesOnlyItsOwnPhases)
{
    madridWithSummer();
    const lunar::MoonPhasesResult run = lunar::runMoonPhases("2019", host);
    int printed[4] = {};
    for (int i = 0; i < lunar::kPhaseLunations; ++i)
        for (int p = 0; p < 4; ++p)
            printed[p] += run.text[i][p] != "----";
    EXPECT_EQ(printed[0], 13);
    for (int p = 1; p < 4; ++p)
        EXPECT_EQ(printed[p], 12) << p;
    for (int p = 0; p < 4; ++p) {
        EXPECT_EQ(run.text[0][p], "----");
        EXPECT_EQ(run.text[14][p], "----");
    }
    EXPECT_EQ(run.text[1][0].substr(0, 10), "06/01/2019");
    EXPECT_EQ(run.text[13][0].substr(0, 10), "26/12/2019");
    EXPECT_EQ(run.text[13][1], "----");

    // The progress moves once per lunation, 6.25 % to 93.75 %.
    ASSERT_EQ(host.percents.size(), 15u);
    EXPECT_FLOAT_EQ(host.percents.front(), 6.25f);
    EXPECT_EQ(host.labels.front(), "6 %");
    EXPECT_FLOAT_EQ(host.percents.back(), 93.75f);
    EXPECT_EQ(host.labels.back(), "93 %");
    EXPECT_EQ(host.handOvers, 15);
}

// Options changed while the run hands control over apply to the phases
// computed afterwards; the header keeps those of the start.
TEST_F(ReportTest, OptionsChangedDuringTheRunApplyFromTheNextLunation)
{
    loc.zon = 0;
    save();
    host.now = {true, false, 0};
    const lunar::MoonPhasesResult tdt = lunar::runMoonPhases("2019", host);
    phasetest::RecordingHost switching;
    switching.now = {true, false, 0};
    switching.onHandOver = [&](int n) {
        if (n == 8)
            switching.now = {true, true, 3600};
    };
    const lunar::MoonPhasesResult mixed = lunar::runMoonPhases("2019", switching);
    EXPECT_DOUBLE_EQ(mixed.localJD[6][0], tdt.localJD[6][0]);
    EXPECT_NEAR(tdt.localJD[7][0] - mixed.localJD[7][0], 1.0 / 24, 1e-9);
    EXPECT_NE(get("results.out").find("Time Reference is Local (TDT)."), std::string::npos);
}

TEST_F(ReportTest, CancelKeepsTheRowsSoFarAndTheFooter)
{
    madridWithSummer();
    host.onHandOver = [](int n) {
        if (n == 4)
            cancelflag = -1;
    };
    const lunar::MoonPhasesResult run = runAndCompare("2019", "cancelled.out");
    EXPECT_TRUE(run.cancelled);
    EXPECT_TRUE(host.shown.empty());
    EXPECT_EQ(host.unloads, 1);
    EXPECT_EQ(host.handOvers, 4);
    EXPECT_EQ(run.localJD[4][0], 0);
}

TEST_F(ReportTest, FailedWriteIsReportedAndNothingOpens)
{
    put("results.out", "old report\r\n");
    testsupport::FailingWriter failing("disk full");
    platform::FileWriter* old = platform::setFileWriter(&failing);
    const lunar::MoonPhasesResult run = lunar::runMoonPhases("2019", host);
    platform::setFileWriter(old);
    EXPECT_FALSE(run.written);
    EXPECT_EQ(run.writeError, "disk full");
    EXPECT_TRUE(host.shown.empty());
    EXPECT_EQ(get("results.out"), "old report\r\n");
    EXPECT_EQ(host.unloads, 1);
}

TEST_F(ReportTest, MissingLocationStopsTheRunWithTdtmodeAtZero)
{
    std::filesystem::remove(file("loc.zvd"));
    EXPECT_THROW(lunar::runMoonPhases("2019", host), platform::FileFault);
    EXPECT_EQ(tdtmode, 0);
}

} // namespace
