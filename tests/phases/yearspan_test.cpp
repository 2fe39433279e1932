// The fifteen lunations of a year's table reach from before 1 January to past
// 31 December in every year the run serves, so that no phase falls between two
// years' tables; and the run at the first and last of those years ends with
// finite instants.
#include <cmath>
#include <cstdlib>
#include <set>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "engine/modjul.h"
#include "lunar/moonphase.h"
#include "lunar/moonphases.h"
#include "phasefixture.h"

namespace {

// The window refuses every year outside the computable years
// (engine/computableyears.h); the run itself holds much further out, from TT
// alone, and these tests keep it so: the years it was measured to serve.
constexpr double kFirstPhaseYear = -20000;
constexpr double kLastPhaseYear = 20000;

class YearSpanTest : public phasetest::PhaseTest {
protected:
    // The local instant of the phase k' (lunation + 0 or 0.75) as the run
    // refines it.
    double local(PhaseRunState state, double k, MoonPhase phase, const char* code)
    {
        double estimate = phaseEstimate(k, phase, state.pi / 180);
        double localJD = 0;
        RefinePhaseInstant(state, estimate, localJD, code);
        return localJD;
    }
    static double newYear(double year)
    {
        double JD;
        jul(year, 1, 1, 0, JD);
        return JD;
    }
};

TEST_F(YearSpanTest, EveryYearsTableReachesFromBeforeItsFirstDayToAfterItsLast)
{
    PhaseRunState state;
    state.zone = 3;
    state.summ = "0";
    state.ut1 = true;
    std::vector<double> years;
    // The years in which the first rule's lunation had drifted past
    // 1 January, every one of them, and a sample of all the others.
    for (double y = 6980; y <= 8020; ++y)
        years.push_back(y);
    for (double y = kFirstPhaseYear; y <= kLastPhaseYear; y += 997)
        years.push_back(y);
    years.push_back(kLastPhaseYear);
    for (double year : years) {
        SCOPED_TRACE(year);
        state.deltaTSeconds = lunar::deltaTSecondsOfYear(year);
        const double k = lunar::startLunation(year, state);
        EXPECT_LT(local(state, k, MoonPhase::New, "nm"), newYear(year));
        EXPECT_GE(local(state, k + 14.75, MoonPhase::LastQuarter, "lq"), newYear(year + 1));
    }
    // Where the first rule's lunation lies before 1 January it is kept: in
    // the present era it always does.
    for (double year = 1900; year <= 2100; year += 7) {
        state.deltaTSeconds = lunar::deltaTSecondsOfYear(year);
        EXPECT_EQ(lunar::startLunation(year, state), firstLunation(year)) << year;
    }
}

// Year 7109 ended with the Full Moon of 25 December and 7110 began with the
// New Moon of 8 January: the Last Quarter of the first days of 7110 was in
// neither table.
TEST_F(YearSpanTest, TheLastQuarterOfTheFirstDaysOf7110IsInItsTable)
{
    phasetest::RecordingHost host;
    host.now.deltaTSeconds = lunar::deltaTSecondsOfYear(7110);
    const lunar::MoonPhasesResult r = lunar::runMoonPhases("7110", host);
    std::string first;
    for (int i = 0; i < lunar::kPhaseLunations && first.empty(); ++i)
        for (int p = 0; p < 4 && first.empty(); ++p)
            if (r.text[i][p] != "----") {
                first = r.text[i][p];
                EXPECT_EQ(p, 3) << first; // a Last Quarter
            }
    EXPECT_EQ(first.substr(2, 9), "/01/7110 ") << first;
    EXPECT_LT(first.substr(0, 2), "08");
}

TEST_F(YearSpanTest, TheFirstAndLastComputableYearsEndWithFiniteInstants)
{
    for (double year : {kFirstPhaseYear, kLastPhaseYear})
        for (bool geocentric : {true, false}) {
            SCOPED_TRACE(std::to_string(year) + (geocentric ? " geocentric" : " topocentric"));
            phasetest::RecordingHost host;
            host.now.geocentric = geocentric;
            host.now.deltaTSeconds = lunar::deltaTSecondsOfYear(year);
            const lunar::MoonPhasesResult r =
                lunar::runMoonPhases(std::to_string(static_cast<long>(year)), host);
            int printed = 0;
            for (int i = 0; i < lunar::kPhaseLunations; ++i)
                for (int p = 0; p < 4; ++p) {
                    EXPECT_TRUE(std::isfinite(r.localJD[i][p]));
                    printed += r.text[i][p] != "----";
                }
            EXPECT_GE(printed, 48);
        }
}

// The year's span, judged on the instants the table prints: the local year
// less the zone and the summer hour where it is in force. Delta T is not
// judged there: TT passing into 3001 is no refusal.
TEST_F(YearSpanTest, TheYearIsJudgedAfterTheZoneAndTheSummerHourInForce)
{
    const struct {
        const char* what;
        const char* year;
        double zone;
        bool summerOn;
        const char* refusal; // a piece of the English refusal; "" computes
    } cases[] = {
        {"a present year", "2026", 3, false, ""},
        {"the last year east of Greenwich", "3000", 3, false, ""},
        {"the last year at zone 0", "3000", 0, false, ""},
        {"the last year twelve hours west", "3000", -12, false,
         "at the zone -12 of loc.zvd (field 9), the year ends at 01/01/3001 12:00 in universal "
         "time"},
        {"the first year at +3: local midnight is 21 h UT of -2000", "-1999", 3, false,
         "at the zone +3 of loc.zvd (field 9), the year begins at 31/12/-2000 21:00 in "
         "universal time"},
        {"the first year west", "-1999", -5, false, ""},
        {"the first year at 0, summer time on: no summer hour on 1 January", "-1999", 0, true, ""},
        {"the year after the last", "3001", 0, false, "The year 3001 in the Year box lies beyond"},
        {"the year before the first", "-2000", 0, false, "The year -2000 in the Year box"},
        {"a year beyond every double", "1e309", 0, false, "The year 1e309 in the Year box"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        loc.zon = c.zone;
        pref.summ = c.summerOn ? "1" : "0";
        pref.smf = 3, pref.sdf = 29, pref.smt = 10, pref.sdt = 25;
        save();
        const std::string refusal = lunar::phaseYearRefusal(c.year, loc, pref, true);
        if (*c.refusal == 0) {
            EXPECT_EQ(refusal, "");
            continue;
        }
        EXPECT_NE(refusal.find(c.refusal), std::string::npos) << refusal;
        EXPECT_NE(refusal.find("Please enter a year from -1999 to 3000 in universal time."),
                  std::string::npos)
            << refusal;
    }
}

// The summer hour is the cause where it is in force on the day that leaves:
// a summer window that takes in 1 January.
TEST_F(YearSpanTest, ASummerHourInForceOnTheFirstDayIsNamed)
{
    loc.zon = 0;
    pref.summ = "1";
    pref.smf = 12, pref.sdf = 1, pref.smt = 2, pref.sdt = 1; // across the year's end
    save();
    EXPECT_NE(lunar::phaseYearRefusal("-1999", loc, pref, true)
                  .find("at the zone 0 of loc.zvd (field 9) with the summer hour of pref.zvd "
                        "(field 11), the year begins at 31/12/-2000 23:00"),
              std::string::npos);
    EXPECT_EQ(lunar::phaseYearRefusal("-1998", loc, pref, true), "");
}

// The Delta T box may hold what keeps the TT of the year's instants within
// the Sun's and the Moon's series: the table's own Delta T at both ends of
// the span, and thousands of years either way in the present era.
TEST_F(YearSpanTest, TheDeltaTBoxIsHeldWithinTheSeries)
{
    const struct {
        const char* what;
        double year, deltaT;
        bool holds;
    } cases[] = {
        {"the own Delta T of 3000", 3000, 4439.15, true},
        {"the own Delta T of -1999", -1999, 46653, true},
        {"four hours more at the end of 3000", 3000, 4 * 3600, true},
        {"1e10 s (317 years) late in the span", 2800, 1e10, true},
        {"-1e10 s at 2026", 2026, -1e10, true},
        {"a year back from -1999", -1999, -3.2e7, false},
        {"2e12 s (63000 years)", 2026, 2e12, false},
        {"-2e12 s", 2026, -2e12, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(lunar::phaseDeltaTRefusal(c.year, c.deltaT, 3, true).empty(), c.holds);
        EXPECT_EQ(lunar::phaseDeltaTRange(c.year, 3).holds(c.deltaT), c.holds);
    }
}

// Every accepted year lists each phase once, in time order, New Moon, First
// Quarter, Full Moon and Last Quarter in turn, each 5.5 to 9.5 days after the
// one before and each New Moon 29.0 to 30.1 days after the last. The years
// far out were the ones that failed (phases twice at -64800, months of 27 to
// 36 days beyond some 45000 years): both ends and a year in every hundred
// between, split into rows that ctest runs side by side.
constexpr int kSampleStep = 100;
constexpr int kSlices = 8;

// What is wrong with a year's table; empty when nothing is.
std::string tableFaults(const lunar::MoonPhasesResult& r)
{
    static const char* const names[4] = {"New Moon", "First Quarter", "Full Moon", "Last Quarter"};
    std::ostringstream out;
    // The table is in time order, lunation by lunation.
    const auto at = [&](int n) { return r.localJD[n / 4][n % 4]; };
    const auto name = [&](int n) {
        return std::string(names[n % 4]) + " of lunation " + std::to_string(n / 4 + 1);
    };
    for (int n = 1; n < 4 * lunar::kPhaseLunations; ++n) {
        const double gap = at(n) - at(n - 1);
        if (!(gap >= 5.5 && gap <= 9.5))
            out << name(n) << " " << gap << " days after the phase before; ";
        if (n >= 4 && n % 4 == 0) {
            const double month = at(n) - at(n - 4);
            if (!(month >= 29.0 && month <= 30.1))
                out << name(n) << " " << month << " days after the New Moon before; ";
        }
    }
    // Computed phases reach beyond the year at both ends, so that, with the
    // gaps above, every phase of the year is listed.
    if (r.text[0][0] != "----" || r.text[lunar::kPhaseLunations - 1][3] != "----")
        out << "the table does not reach beyond both ends of the year; ";
    std::set<std::string> listed;
    for (const auto& row : r.text)
        for (const std::string& t : row)
            if (t != "----" && !listed.insert(t).second)
                out << t << " listed twice; ";
    return out.str();
}

class AcceptedYears : public phasetest::PhaseTest, public testing::WithParamInterface<int> {};

TEST_P(AcceptedYears, ListEachPhaseOnceInTurnAtSoundIntervals)
{
    const int slice = GetParam();
    std::vector<double> years;
    int index = 0;
    for (double y = kFirstPhaseYear; y < kLastPhaseYear; y += kSampleStep, ++index)
        if (index % kSlices == slice)
            years.push_back(y);
    if (slice == kSlices - 1)
        years.push_back(kLastPhaseYear);
    for (double year : years)
        // Geocentric at the sampled year, topocentric (up to two hours from
        // it) halfway to the next, and both at the two ends.
        for (bool geocentric : {true, false}) {
            const bool end = year == kFirstPhaseYear || year == kLastPhaseYear;
            const double y = geocentric || end ? year : year + kSampleStep / 2;
            SCOPED_TRACE(std::to_string(static_cast<long>(y)) +
                         (geocentric ? " geocentric" : " topocentric"));
            phasetest::RecordingHost host;
            host.now.geocentric = geocentric;
            host.now.deltaTSeconds = lunar::deltaTSecondsOfYear(y);
            const lunar::MoonPhasesResult r =
                lunar::runMoonPhases(std::to_string(static_cast<long>(y)), host);
            EXPECT_EQ(tableFaults(r), "");
        }
}

INSTANTIATE_TEST_SUITE_P(Slices, AcceptedYears, testing::Range(0, kSlices));

// A Delta T the window accepts, however far from the year's own, still gives
// every phase of the year once and in turn: the run seeks the lunations whose
// local instants fall in the year, 317 years of TT away for 1e10 s.
TEST_F(YearSpanTest, AnAcceptedDeltaTListsEachPhaseOnce)
{
    for (double deltaT : {69.0, 1e10, -1e10, 0.0})
        for (const char* year : {"2026", "2900"}) {
            if (!lunar::phaseDeltaTRange(std::atof(year), 3).holds(deltaT))
                continue;
            SCOPED_TRACE(std::string(year) + " Delta T " + std::to_string(deltaT));
            phasetest::RecordingHost host;
            host.now.deltaTSeconds = deltaT;
            const lunar::MoonPhasesResult r = lunar::runMoonPhases(year, host);
            EXPECT_EQ(tableFaults(r), "");
        }
}

} // namespace
