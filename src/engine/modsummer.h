#pragma once

#include <cstdint>

#include "settings/records.h"

// Whether summer time is in force on a calendar date under the preferences
// (pref.zvd, read on every call: a saved change counts at the next call).
// day, month, year: the date; each part is first rounded to a whole number
// (half to even) and a day or month beyond its range rolls over (31 April is
// 1 May). flag: out, 1 inside the window from (smf, sdf) to (smt, sdt), both
// days included, when field summ is "1"; 0 otherwise. A window whose start
// comes after its end wraps the year end. Both ends take the date's year.
// A missing or short pref.zvd stops the program (platform::stopProgram).
void summer(double day, double month, double year, std::int16_t& flag);

// The same rule under preferences the caller read itself: a run that reads
// pref.zvd once at its start keeps to that window for all its days, even when
// the file is saved again while it hands over to the message loop.
void summer(const settings::Preferences& pref, double day, double month, double year,
            std::int16_t& flag);

// How the summer-time window's ends and the tested date are compared.
enum class SummerYearRule {
    // As dates of the tested year by the platform's date-from-parts rule:
    // each part rounded (half to even), a day or month beyond its range
    // rolled over (an end of 31 April is 1 May, of 29 February in a common
    // year 1 March). The engine's `summer`, the alert program's day and the
    // Qibla times.
    TestedYear,
    // Month and day alone, as dates of one leap year: 29 February exists, 31
    // April comes after 30 April and before 1 May, and the year is not read.
    // The crescent preview's conjunction.
    OneLeapYear,
};

// Whether year/month/day lies in the preferences' summer-time window, from
// smf/sdf to smt/sdt, both days included; an end before the start wraps the
// year end. The switch (summ) is the caller's to test: the callers read it
// by different rules.
bool inSummerWindow(const settings::Preferences& pref, SummerYearRule rule, double year,
                    double month, double day);
