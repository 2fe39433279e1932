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

// The window's span, judged on the instants the run computes: the local year
// less the zone (and the summer hour), and that plus Delta T in UT1.
TEST(PhaseSpan, JudgesTheInstantsAfterTheZoneAndDeltaT)
{
    using lunar::PhaseSpan;
    const struct {
        const char* what;
        double year, zone;
        bool summerOn, ut1;
        double deltaT;
        PhaseSpan expected;
    } cases[] = {
        {"a present year", 2026, 3, false, true, 69, PhaseSpan::Computable},
        {"the last year east of Greenwich", 3000, 3, false, true, 4437, PhaseSpan::Computable},
        {"the last year twelve hours west", 3000, -12, false, true, 0, PhaseSpan::YearBeyond},
        {"the first year east", -1999, 3, false, true, 46647, PhaseSpan::YearBeyond},
        {"the first year west", -1999, -5, false, true, 46647, PhaseSpan::Computable},
        {"the first year west in summer time", -1999, -0.5, true, false, 0, PhaseSpan::YearBeyond},
        {"the year after the last", 3001, 0, false, false, 0, PhaseSpan::YearBeyond},
        {"the year before the first", -2000, 0, false, false, 0, PhaseSpan::YearBeyond},
        {"a year not a number", NAN, 3, false, true, 0, PhaseSpan::YearBeyond},
        {"Delta T of 1e10 s (317 years)", 2026, 3, false, true, 1e10, PhaseSpan::Computable},
        {"Delta T of 1e10 s late in the span", 2800, 3, false, true, 1e10, PhaseSpan::DeltaTBeyond},
        {"Delta T of 2e12 s", 2026, 3, false, true, 2e12, PhaseSpan::DeltaTBeyond},
        {"Delta T of -2e12 s", 2026, 3, false, true, -2e12, PhaseSpan::DeltaTBeyond},
        {"Delta T of 3e12 s", 2026, 3, false, true, 3e12, PhaseSpan::DeltaTBeyond},
        {"Delta T of 3e12 s in a TDT run, which does not take it", 2026, 3, false, false, 3e12,
         PhaseSpan::Computable},
        {"Delta T that ends the last year past the span", 3000, 3, false, true, 4 * 3600,
         PhaseSpan::DeltaTBeyond},
    };
    for (const auto& c : cases)
        EXPECT_EQ(lunar::phaseSpan(c.year, c.zone, c.summerOn, c.ut1, c.deltaT), c.expected)
            << c.what;
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
            if (lunar::phaseSpan(std::atof(year), 3, false, true, deltaT) !=
                lunar::PhaseSpan::Computable)
                continue;
            SCOPED_TRACE(std::string(year) + " Delta T " + std::to_string(deltaT));
            phasetest::RecordingHost host;
            host.now.deltaTSeconds = deltaT;
            const lunar::MoonPhasesResult r = lunar::runMoonPhases(year, host);
            EXPECT_EQ(tableFaults(r), "");
        }
}

} // namespace
