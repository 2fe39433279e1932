// The one bound of the computable years, on an instant, and why the
// machine's own date never needs it.
#include <chrono>
#include <cmath>

#include <gtest/gtest.h>

#include "engine/computableyears.h"
#include "engine/modjul.h"
#include "platform/eventloop.h"

namespace {

double jd(double year, double month, double day, double hours = 0)
{
    double v;
    jul(year, month, day, hours, v);
    return v;
}

TEST(ComputableYears, TheBoundHoldsFromTheFirstYearsStartToTheLastYearsEnd)
{
    const struct {
        const char* what;
        double JD;
        bool computable;
    } cases[] = {
        {"the present", jd(2026, 12, 11), true},
        {"1 January -1999, 0 h", jd(-1999, 1, 1), true},
        {"a minute before it", jd(-1999, 1, 1) - 1.0 / 1440, false},
        {"1 January 3001, 0 h, the close of 3000", jd(3001, 1, 1), true},
        {"a minute after it", jd(3001, 1, 1) + 1.0 / 1440, false},
        // TT runs 4437 s ahead here: it is universal time that is judged.
        {"31 December 3000, 23:50 UT", jd(3000, 12, 31, 23 + 50 / 60.0), true},
        {"the year 100000", jd(100000, 1, 1), false},
        {"not a number", NAN, false},
        {"beyond every number", INFINITY, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(instantComputable(c.JD), c.computable) << c.what;
}

// Local days at both ends of the span, judged on their universal time with
// the zone and the summer hour only where it is in force, and what carries
// a refused end out: the date itself, else the zone, else the summer hour.
TEST(ComputableYears, LocalDaysAreJudgedAfterTheZoneAndTheSummerHourInForce)
{
    const struct {
        const char* what;
        double first[3], last[3]; // year, month, day
        double zone, firstSummer, lastSummer;
        SpanCause cause;
        bool lastEnd;
        double ut[4]; // the universal time of the refused end: year, month, day, hours
    } cases[] = {
        {"1-7 January -1999, zone 0, no summer hour in January",
         {-1999, 1, 1},
         {-1999, 1, 7},
         0,
         0,
         0,
         SpanCause::None,
         false,
         {}},
        {"the same with a summer hour on 1 January",
         {-1999, 1, 1},
         {-1999, 1, 7},
         0,
         1,
         0,
         SpanCause::SummerHour,
         false,
         {-2000, 12, 31, 23}},
        {"1-7 January -1999 at +3: local midnight is 21 h UT of -2000",
         {-1999, 1, 1},
         {-1999, 1, 7},
         3,
         0,
         0,
         SpanCause::Zone,
         false,
         {-2000, 12, 31, 21}},
        {"1-7 January -1999 at -12",
         {-1999, 1, 1},
         {-1999, 1, 7},
         -12,
         0,
         0,
         SpanCause::None,
         false,
         {}},
        {"25-31 December 3000 at 0: TT passes into 3001, UT does not",
         {3000, 12, 25},
         {3000, 12, 31},
         0,
         0,
         0,
         SpanCause::None,
         false,
         {}},
        {"25-31 December 3000 at +1",
         {3000, 12, 25},
         {3000, 12, 31},
         1,
         0,
         0,
         SpanCause::None,
         false,
         {}},
        {"25-31 December 3000 at +14",
         {3000, 12, 25},
         {3000, 12, 31},
         14,
         0,
         0,
         SpanCause::None,
         false,
         {}},
        {"25-31 December 3000 at -12: the last day ends at 12 h of 3001",
         {3000, 12, 25},
         {3000, 12, 31},
         -12,
         0,
         0,
         SpanCause::Zone,
         true,
         {3001, 1, 1, 12}},
        {"a summer hour on 31 December 3000 at -1 brings its end back",
         {3000, 12, 31},
         {3000, 12, 31},
         -1,
         0,
         1,
         SpanCause::None,
         false,
         {}},
        {"31 December -2000",
         {-2000, 12, 31},
         {-2000, 12, 31},
         -12,
         0,
         0,
         SpanCause::Year,
         false,
         {-2000, 12, 31, 12}},
        {"1 January 3001 to it",
         {3001, 1, 1},
         {3001, 1, 1},
         14,
         0,
         0,
         SpanCause::Year,
         true,
         {3001, 1, 1, 10}},
        {"2999 to 3001, the last end",
         {2999, 3, 1},
         {3001, 3, 3},
         3,
         0,
         0,
         SpanCause::Year,
         true,
         {3001, 3, 3, 21}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const SpanVerdict v = judgeLocalDays(jd(c.first[0], c.first[1], c.first[2]),
                                             jd(c.last[0], c.last[1], c.last[2]), c.zone,
                                             c.firstSummer, c.lastSummer);
        EXPECT_EQ(v.cause, c.cause);
        EXPECT_EQ(v.computable(), c.cause == SpanCause::None);
        if (v.computable())
            continue;
        EXPECT_EQ(v.lastEnd, c.lastEnd);
        EXPECT_NEAR(v.ut, jd(c.ut[0], c.ut[1], c.ut[2], c.ut[3]), 1e-6);
    }
}

// A clock that keeps TT is judged by its universal time: 23:00 TT of 31
// December 3000 is 21:46 UT and computes; 1 January -1999, 3 h TT is still
// 31 December -2000 in universal time, carried out by Delta T.
TEST(ComputableYears, ATerrestrialClockIsJudgedByItsUniversalTime)
{
    const struct {
        const char* what;
        double JD, zone;
        SpanCause cause;
    } cases[] = {
        {"31/12/3000 23:00 TT at 0", jd(3000, 12, 31, 23), 0, SpanCause::None},
        {"31/12/3000 23:30 TT at -1", jd(3000, 12, 31, 23.5), -1, SpanCause::None},
        {"1/1/-1999 3:00 TT at 0", jd(-1999, 1, 1, 3), 0, SpanCause::DeltaT},
        {"1/1/-1999 3:00 TT at +3", jd(-1999, 1, 1, 3), 3, SpanCause::DeltaT},
        {"1/1/-1999 1:00 TT at +3", jd(-1999, 1, 1, 1), 3, SpanCause::Zone},
        {"1/1/3001 1:00 TT, still 3000 in universal time", jd(3001, 1, 1, 1), 0, SpanCause::None},
        {"1/1/3001 2:00 TT", jd(3001, 1, 1, 2), 0, SpanCause::Year},
    };
    for (const auto& c : cases)
        EXPECT_EQ(judgeClockSpan({c.JD, 0}, {c.JD, 0}, c.zone, true).cause, c.cause) << c.what;
}

// The machine's clock counts nanoseconds in 64 bits (and Linux keeps its
// clock below 2262 for the same reason): from any zone on Earth its every
// date lies within the computable years, so the today panel and the alert
// program need no refusal of their own. A wider clock would need one.
TEST(ComputableYears, EveryDateOfTheMachinesClockIsComputable)
{
    using namespace std::chrono;
    constexpr double kUnixEpoch = 2440587.5; // 1970-01-01 0 h UT
    constexpr double kWidestZone = 14.0 / 24;
    for (const platform::Clock::time_point t :
         {platform::Clock::time_point::min(), platform::Clock::time_point::max()}) {
        const double seconds = duration_cast<duration<double>>(t.time_since_epoch()).count();
        const double JD = kUnixEpoch + seconds / 86400;
        SCOPED_TRACE(JD);
        for (double zone : {-kWidestZone, kWidestZone})
            EXPECT_TRUE(instantComputable(JD + zone));
    }
}

} // namespace
