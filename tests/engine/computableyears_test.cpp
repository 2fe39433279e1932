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
        bool instant;   // instantComputable
        bool universal; // universalTimeComputable: UT and its TT
    } cases[] = {
        {"the present", jd(2026, 12, 11), true, true},
        {"1 January -1999, 0 h", jd(-1999, 1, 1), true, true},
        {"a minute before it", jd(-1999, 1, 1) - 1.0 / 1440, false, false},
        {"1 January 3001, 0 h, the close of 3000", jd(3001, 1, 1), true, false},
        {"a minute after it", jd(3001, 1, 1) + 1.0 / 1440, false, false},
        // Delta T is 4443 s at the end of 3000: TT leaves the span 74 min
        // before universal time does.
        {"31 December 3000, 22:40 UT", jd(3000, 12, 31, 22 + 40 / 60.0), true, true},
        {"31 December 3000, 22:50 UT", jd(3000, 12, 31, 22 + 50 / 60.0), true, false},
        {"the year 100000", jd(100000, 1, 1), false, false},
        {"not a number", NAN, false, false},
        {"beyond every number", INFINITY, false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(instantComputable(c.JD), c.instant) << c.what;
        EXPECT_EQ(universalTimeComputable(c.JD), c.universal) << c.what;
    }
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
            EXPECT_TRUE(universalTimeComputable(JD + zone));
    }
}

} // namespace
