#pragma once

// Delta T = TT - UT for an instant (Espenak and Meeus 2006, the polynomial
// expressions of the NASA eclipse pages, one per span of years).
// JD: in, a Julian Day, UT or TT alike (the difference is below the precision
// of the expressions). dT: out, Delta T in days. tdtmode is not read.
// The decimal year is (JD - 1721057) / 365.2425; a year on a span bound is
// computed with the span that starts there.
void deltat(double JD, double& dT);
