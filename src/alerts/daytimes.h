// The day's prayer times of the alert program: six clock texts "hh:mm" (24-hour,
// always to the minute) or markers, for one local date.
//
// The computation needs the engine's event finder and the Sun positions; it is
// reached through DayTimesSource, so that the alert loop does not depend on
// how the times are found. The steps that need no astronomy (the summer-time
// window, the local day, the city correction, the minute adjustments, the
// "----" rule for a time pushed out of the day, the clock texts and the way
// the event results combine into the six texts) are plain functions here.
#pragma once

#include <string>

#include "engine/eventtime.h"
#include "engine/meridian.h"
#include "settings/records.h"

namespace alerts {

struct CalendarDate {
    int year = 0;
    int month = 0;
    int day = 0;
    bool operator==(const CalendarDate&) const = default;
};

// The six texts of one day. Each is "hh:mm" or a marker ("----", "Up", "Down",
// "Bright", "Dark"); Isha may read "24:00" when it rounds up to midnight.
struct DayTimes {
    std::string fajr, sunrise, dhuhr, asr, maghrib, isha;
    bool operator==(const DayTimes&) const = default;
};

// Computes the day's times for the place of loc.zvd and the preferences of
// pref.zvd, both read again from the program folder on every call.
class DayTimesSource {
public:
    virtual ~DayTimesSource() = default;
    virtual DayTimes compute(const CalendarDate& date) = 0;
};

// What the engine gives for one day, in decimal hours after local midnight
// (or markers), gathered in the order the process-wide values need: the "Sun"
// request first (it leaves the horizon altitude), then Fajr and Isha, then
// Dhuhr and its altitude, which must be stored before the "Asr" request.
struct DayEvents {
    EventTime sunMorning, sunEvening; // "Sun": sunrise and sunset
    EventTime fajr;                   // morning value of "Fajer"
    EventTime isha;                   // evening value of "Fajer" (equal angles) or of "Isha"
    double dhuhr = 0;                 // D: the transit clock time plus adddoh minutes, hours
    double dhuhrAltitude = 0;         // h: the Sun's geometric altitude at D, degrees
    double sunh0 = 0;                 // the horizon altitude the "Sun" request left, degrees
    EventTime asrEvening;             // evening value of "Asr"
};

// Combines the engine's results into the six texts: the minute adjustments of
// the preferences, the city correction c (hours, taken from Fajr and sunrise
// only), "----" for an adjusted Fajr, sunrise, Maghrib or Asr outside 0 h to
// 24 h, and the Dhuhr and Asr rules for days without a sunrise or sunset.
DayTimes assembleDay(const DayEvents& events, const settings::Preferences& prefs, double c);

// Clock text of decimal hours to the minute, "hh:mm": the engine's ctim in
// its minutes mode (the minutes with their fraction rounded once, an exact
// half to the even minute; "24:00" from 23:59:29.5 on).
std::string minuteClockText(double hours);

// `value` + `minutes`/60 hours as clock text, or "----" when the sum lies
// before 0 h or at 24 h or later.
std::string adjustedClockText(double hours, double minutes);

// The summer hour (0 or 1) of a date: 1 when `summ` is "1" and the date lies
// in the window from smf/sdf to smt/sdt of its own year, both days included;
// an end before the start wraps the year end. Day numbers past the end of
// their month roll into the next month.
int summerHour(const CalendarDate& date, const settings::Preferences& prefs);

// The universal-time Julian Day of local midnight of the date whose 0 h UT
// Julian Day is JD, with the zone as the day uses it (zoneAsPrinted). The
// meridian offset, the zone, the city correction and the transit are the
// engine's (engine/meridian.h), the same as the main program's.
double localMidnight(double JD, int summer, double zon);

} // namespace alerts
