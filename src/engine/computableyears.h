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

inline constexpr double kFirstComputableYear = -1999;
inline constexpr double kLastComputableYear = 3000;

// The years of the series the positions are computed from, in TT: VSOP87
// holds the Sun to 1" from -2000 to +6000, the truncated ELP 2000-85 Moon
// holds wider. A computation in TT may reach past the computable years (TT
// runs 4437 s ahead at the end of 3000) but not past these.
inline constexpr double kFirstSeriesYear = -2000;
inline constexpr double kLastSeriesYear = 6000;

// True when the instant JD, a Julian Day of universal time, lies from
// 1 January of the first computable year, 0 h, to 1 January after the last,
// 0 h; false for a JD that is not a number. The TT the engine takes for it
// may lie beyond: the series hold (kLastSeriesYear) and Delta T is evaluated
// at the universal time.
bool instantComputable(double JD);

// What carries a stretch of clock time out of the computable years.
enum class SpanCause {
    None,       // nothing: it is computable
    Year,       // the date on the clock lies outside them
    Zone,       // the zone carries its universal time out
    SummerHour, // the summer hour does
    DeltaT,     // the Delta T between a TT clock and universal time does
};

// One end of a stretch as the clock of a place reads it.
struct ClockReading {
    double JD = 0;     // the reading as a Julian Day of the local clock
    double summer = 0; // hours of summer time in force at it (0, or 1 on a summer day)
};

struct SpanVerdict {
    SpanCause cause = SpanCause::None;
    bool lastEnd = false; // the end that leaves: the stretch's last, else its first
    double ut = 0;        // the universal time of that end, Julian Day
    bool computable() const { return cause == SpanCause::None; }
};

// Judges the stretch of clock time from `first` to `last` of a clock `zone`
// hours east of Greenwich on the computable years: each end less the zone
// and the summer hour in force at it is universal time; a clock that keeps
// TT (`terrestrial`) is judged by its universal time, TT less Delta T. The
// first end that leaves, and what carries it out: the date as read, else
// the zone, else the summer hour, else Delta T.
SpanVerdict judgeClockSpan(ClockReading first, ClockReading last, double zone,
                           bool terrestrial = false);

// The local days JD1 to JD2 (Julian Days at 0 h of the local clock), from the
// first day's 0 h to the last day's 24 h, each end with the summer hours in
// force on its day.
SpanVerdict judgeLocalDays(double JD1, double JD2, double zone, double firstSummer,
                           double lastSummer);
