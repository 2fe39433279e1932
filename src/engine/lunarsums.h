// The periodic sums of the abridged lunar theory (Meeus, Astronomical
// Algorithms, ch. 47, first edition), shared by the low-precision Moon
// (`corml`) and the lowest-precision Moon (`cormvl`), which differ only in
// their nutation and their observer.
#pragma once

#include "modgeneral.h"

// The mean elements of the Moon and the 60 + 60 periodic terms of Tables 47.A
// and 47.B (rows 64..183 of `mterm`), with the additive terms of Venus,
// Jupiter and the flattening of the Earth.
// T: in, Julian centuries of TT from J2000.0. r: in, radians per degree of
// the caller's circle constant (pi / 180).
// Lp: out, the Moon's mean longitude, radians (reduced into 0..360 degrees
// first). sumL, sumB: out, the sums in longitude and latitude, 0.000001
// degree. sumR: out, the sum in distance, 0.001 km.
// The sine and cosine of each term's argument come from those of D, M, M' and
// F (MultipleAngles), to a few units in the last place of a direct sine.
// The terms are added in table order, so that both callers get the same sums
// to the last bit.
void lunarSums(double T, double r, double& Lp, double& sumL, double& sumB, double& sumR);
