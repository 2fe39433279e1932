// The tabular Islamic calendar that every Hijri date of the system follows:
// 1 Muharram 1 is Julian Day Number 1948440 (Friday 16 July 622, Julian
// calendar); 30-year cycles of 10631 days with the leap years 2, 5, 7, 10, 13,
// 16, 18, 21, 24, 26 and 29 of each cycle (355 days: month 12 has 30); odd
// months have 30 days, even months 29.
#pragma once

// Hijri year, month (1..12) and day of a Julian Day Number N (the Julian Day
// at noon). Exact for every N from the epoch on; earlier days give year 0 and
// below (the day before the epoch is 29/12/0).
void hijriFromDayNumber(long long N, long long& year, int& month, int& day);

// The whole day number floor(jd) for the sums above; false for no number or
// for a day more than 1e15 days (some 2.7e12 years) from the epoch of Julian
// Days, which no date of the programs reaches and beyond which the sums would
// leave the range of a 64-bit whole number.
bool wholeDayNumber(double jd, long long& N);

// The Julian Day Number of a Hijri date; hand it to juc for the calendar date.
// The day is not checked: day 30 of a 29-day month is the next month's first.
long long dayNumberFromHijri(long long year, int month, int day);

// Whether a Hijri year has 355 days.
bool hijriLeapYear(long long year);

// The month's name ("Muharram" .. "Thul Hejjah", or the Arabic name, UTF-8);
// nullptr outside 1..12.
const char* hijriMonthName(int month, bool arabic);
