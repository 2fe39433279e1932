#pragma once

// Calendar date of a Julian Day (Meeus, Astronomical Algorithms, ch. 7).
// X: the Julian Day plus 0.5 (or a whole Julian Day Number, the day at noon).
// year, month: out; day: out, the day of the month with the fraction of X.
// Valid for X >= 0.
void juc(double X, double& year, double& month, double& day);
