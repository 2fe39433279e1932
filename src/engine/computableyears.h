// The years for which the engine's series hold: the ephemeris table and the
// telescope tool compute these and refuse others.
//
// Both rest on the same three pieces of the engine: the VSOP87 Earth series
// for the Sun (1" for 4000 years either side of J2000, so -2000 to +6000),
// the ELP 2000-85 Moon as truncated for the years 4000 B.C. to A.D. 8000, and
// the Espenak-Meeus polynomials of Delta T, made for -1999 to +3000. Delta T
// is the narrowest: beyond its span the universal time of every row, and
// with it the altitude, the azimuth and the telescope's pointing, rests on a
// parabola extrapolated by hours. Far beyond it the series themselves break
// down (the Sun's distance turns negative some 70000 years out, an ecliptic
// latitude passes 90 degrees), and the instants lose their seconds.
#pragma once

#include "modjul.h"

inline constexpr double kFirstComputableYear = -1999;
inline constexpr double kLastComputableYear = 3000;

// True when the local date and clock time lies within the computable years.
// The calendar values are taken as jul takes them (a day 32 is a day of the
// next month, an hour 25 one of the next day), so that a day or an hour of
// many digits cannot carry the instant out of the span unseen.
inline bool localDateComputable(double year, double month, double day, double hours)
{
    double JD = 0, first = 0, afterLast = 0;
    jul(year, month, day, hours, JD);
    jul(kFirstComputableYear, 1, 1, 0, first);
    jul(kLastComputableYear + 1, 1, 1, 0, afterLast);
    return JD >= first && JD < afterLast; // false for a date that is not a number
}
