// The years for which the engine's results hold. Every computation that takes
// a date refuses an instant outside them: the prayer-times and moon-times
// reports, the Qibla times, the ephemeris, the telescope tool, the crescent
// visibility and its map, and the moon phases. The today panel and the alert
// program take the machine's date, which cannot leave them (1678 to 2262).
//
// They rest on three pieces of the engine: the VSOP87 Earth series for the
// Sun (1" for 4000 years either side of J2000, so -2000 to +6000), the
// ELP 2000-85 Moon as truncated for the years 4000 B.C. to A.D. 8000, and the
// Espenak-Meeus polynomials of Delta T, made for -1999 to +3000. Delta T is
// the narrowest: beyond its span the universal time of every event rests on
// a parabola extrapolated by hours (4437 s at 3000, 15190 s at 4000, 214110 s
// at 10000), and the Moon, half a degree an hour, moves with it. Measured
// for Mecca, Oslo and Sydney: the Sun's prayer times stay in order and within
// minutes of their present ones out to -10000 and +20000 (they hang on the
// Earth's turning, not on Delta T), and break down by 100000 (sunrise after
// sunset, "----" for Dhuhr); the moon phases in TT stay in turn out to
// +-20000 years; in local time they carry the whole Delta T. The span is
// that of Delta T, the one piece that holds for no computation beyond it.
#pragma once

#include "moddeltat.h"
#include "modjul.h"

inline constexpr double kFirstComputableYear = -1999;
inline constexpr double kLastComputableYear = 3000;

// True when the instant JD, a Julian Day of universal time or of TT as the
// computation takes it, lies from 1 January of the first computable year,
// 0 h, to 1 January after the last, 0 h; false for a JD that is not a number.
inline bool instantComputable(double JD)
{
    double first = 0, afterLast = 0;
    jul(kFirstComputableYear, 1, 1, 0, first);
    jul(kLastComputableYear + 1, 1, 1, 0, afterLast);
    return JD >= first && JD <= afterLast;
}

// True when the instant UT, a Julian Day of universal time, and the TT the
// engine takes for it (UT + Delta T) both lie within the computable years.
inline bool universalTimeComputable(double UT)
{
    if (!instantComputable(UT))
        return false;
    double dT = 0;
    deltat(UT, dT);
    return instantComputable(UT + dT);
}
