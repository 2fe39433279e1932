// Engine-wide values and the small angle helpers every computation module
// uses, and the series tables that the loader fills at start-up.
//
// The process-wide values pass a few results and modes between the engine,
// the daily engines and the tool windows beside the procedure arguments. They
// are plain variables: everything runs on the one window thread.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>

#include "eventtime.h"

// 3.14159265358979: fifteen significant digits, stored by many procedures
// before use. Deliberately not the nearest double to pi: results must match
// the published tables computed with this value.
extern double pi;
inline constexpr double kPi15 = 3.14159265358979;

// The process-wide pi for the procedures that read it without storing it: it
// is normally stored by an earlier engine call; before the first store it
// reads 0, which would turn every angle into a NaN, and kPi15 stands in.
inline double storedPi()
{
    return pi != 0 ? pi : kPi15;
}

extern double tdtmode;                    // 1: instants are Terrestrial Time already
extern double sunh0;                      // last Sun horizon altitude of the event finder, degrees
extern double moonh0;                     // last Moon horizon altitude of the event finder, degrees
extern double nz;                         // roots found by the quadratic interpolation
extern double noonalt;                    // the Sun's altitude at local transit, degrees
extern std::int16_t cancelflag;           // -1: the user pressed Cancel
extern double onedaymode;                 // 1 during a one-day run of the daily engines
extern double onedayjd;                   // Julian Day at 0 h of that day
extern std::int16_t summerflag;           // 1: summer time on the one-day run's date
extern EventTime daysunrise, daysunset;   // last day of the prayer-times engine
extern EventTime daymoonrise, daymoonset; // last day of the moon-times engine
extern std::string newold;                // "New" or "Old": the crescent of the visibility map
extern double conjjde;                    // conjunction instant, JDE (TT)

// Series tables, 1-based (row 0 and column 0 unused), one spare slot each.
// Columns: term 1 index, 2 A, 3 B, 4 C; termfull 1 A, 2 B, 3 C;
// mterm 1 index, 2..10 the row's numbers; elp main 1 A, 2..6 a0..a4;
// elp Poisson 1 A, 2 phase, 3 rate.
extern double term[249][5];
extern double termfull[2426][4];
extern double mterm[200][11];
extern double elpv0[219][7], elpv1[245][4], elpv2[155][4], elpv3[26][4];
extern double elpu0[189][7], elpu1[65][4], elpu2[65][4], elpu3[13][4];
extern double elpr0[155][7], elpr1[115][4], elpr2[69][4], elpr3[20][4];
extern double elpidx[245];

// An angle into 0..360 degrees by the truncating rule, x - 360 trunc(x / 360)
// (plus 360 below 0) in the form the published routines compute it: an exact
// 360 stays 360 (modgeneral::range makes it 0), harmless before a sine.
inline double reduceTruncating(double x)
{
    const double q = x / 360 - std::trunc(x / 360);
    if (x < 0)
        return 360 * q + 360;
    if (x > 360)
        return 360 * q;
    return x;
}

// Which tables the series loader has filled from their whole files. Whether a
// table is loaded is known from here, never guessed from a result: extreme
// inputs can make a sum of a loaded series zero, negative or not a number.
struct SeriesLoaded {
    bool termfull = false, term = false, mterm = false, elp = false;
};
extern SeriesLoaded seriesLoaded;

namespace modgeneral {

// Angle whose tangent is y/x, radians in -pi/2 .. 3pi/2 (not -pi .. pi: a
// third-quadrant direction comes out between pi and 3pi/2). Not a number when
// x or y is not one. Stores `pi`.
double atn2(double x, double y);

// x brought into 0 <= x < 360 degrees by the truncating rule; the reduced value
// is also written back into x.
double range(double& x);

// One step of +-360 towards -180 .. 180, written back into x.
double rangeh(double& x);

// One step of +-2pi towards -pi .. pi (radians), written back into x. Stores `pi`.
double rangepi(double& x);

// Arcsine and arccosine in radians, as arctan(x / sqrt(1 - x^2)) and
// arctan(-x / sqrt(1 - x^2)) + 2 arctan(1). At |x| >= 1 they give the end of
// their range (asin(+-1) = +-pi/2, acos(1) = 0, acos(-1) = pi) instead of
// dividing by zero.
double asin(double x);
double acos(double x);

// Waits the given number of whole seconds (the fraction is dropped, so 0.1
// returns at once), handing control to the message loop meanwhile.
void Delay(double seconds);

} // namespace modgeneral
