#pragma once

// Julian Day of a calendar date (Meeus, Astronomical Algorithms, eq. 7.1).
// year, month, day: the date (day may carry a fraction); hours: decimal hours
// added as hours/24. Gregorian from 1582 October 15 on, Julian before (the
// ten skipped days count as Julian dates). JD: out, days.
void jul(double year, double month, double day, double hours, double& JD);
