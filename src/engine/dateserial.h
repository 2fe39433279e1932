// Day numbers of calendar dates, for comparing and counting dates whose parts
// may lie outside their ranges.
#pragma once

// Days since 1970-01-01 of a proleptic Gregorian date with month in 1..12 and
// day in 1..31 (any year; negative before 1970). Method: H. Hinnant's
// days_from_civil, in 400-year eras.
long long daysFromCivil(long long y, long long m, long long d);

// Days since 1970-01-01 of a date given by parts, each first rounded to a
// whole number (half to even), with the rollover of the platform's
// date-from-parts rule: month 13 is January of the next year, month 0
// December of the one before, day 0 the last day of the month before, day 32
// of January 1 February. A part beyond +-1e12 (no calendar's date) counts as
// +-1e12 and one that is not a number as 0, which keeps the day count defined.
long long dateSerial(double year, double month, double day);
