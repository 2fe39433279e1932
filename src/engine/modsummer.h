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
