#include "computableyears.h"

#include "moddeltat.h"
#include "modjul.h"

namespace {

bool withinYears(double JD, double firstYear, double lastYear)
{
    double first = 0, afterLast = 0;
    jul(firstYear, 1, 1, 0, first);
    jul(lastYear + 1, 1, 1, 0, afterLast);
    return JD >= first && JD <= afterLast;
}

} // namespace

bool instantComputable(double JD)
{
    return withinYears(JD, kFirstComputableYear, kLastComputableYear);
}

SpanVerdict judgeClockSpan(ClockReading first, ClockReading last, double zone, bool terrestrial)
{
    const ClockReading ends[2] = {first, last};
    for (int i = 0; i < 2; ++i) {
        const ClockReading& end = ends[i];
        const double standard = end.JD - zone / 24;
        const double civil = standard - end.summer / 24;
        double ut = civil;
        if (terrestrial) {
            double dT = 0;
            deltat(civil, dT);
            ut = civil - dT;
        }
        if (instantComputable(ut))
            continue;
        SpanVerdict v;
        v.lastEnd = i == 1;
        v.ut = ut;
        if (!instantComputable(end.JD))
            v.cause = SpanCause::Year;
        else if (!instantComputable(standard))
            v.cause = SpanCause::Zone;
        else if (!instantComputable(civil))
            v.cause = SpanCause::SummerHour;
        else
            v.cause = SpanCause::DeltaT;
        return v;
    }
    return {};
}

SpanVerdict judgeLocalDays(double JD1, double JD2, double zone, double firstSummer,
                           double lastSummer)
{
    return judgeClockSpan({JD1, firstSummer}, {JD2 + 1, lastSummer}, zone);
}
