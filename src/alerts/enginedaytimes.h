// The day's prayer times from the engine: the source the alert program runs
// with. It follows the steps of the main program's prayer-times engine for one
// day, with one difference of the alert program's own: the event finder takes
// the Sun's altitude from its topocentric right ascension and declination.
#pragma once

#include "alerts/daytimes.h"
#include "settings/records.h"

namespace alerts {

// The engine's results for one date, for the place and preferences given
// (the event finder and the Sun procedures read loc.zvd and pref.zvd of the
// program folder again themselves, so those files must hold the same records).
// Requests, in the order the process-wide values need: "Sun" (leaves
// `sunh0`), "Fajer" and, for unequal angles, "Isha"; the transit from corsl
// and then corsm until it moves less than a quarter of a second; the Sun's
// geocentric position and altitude at the adjusted Dhuhr, stored in `noonalt`;
// then "Asr". Stores `pi`. Needs the term table loaded.
DayEvents findDayEvents(const CalendarDate& date, const settings::Preferences& prefs,
                        const settings::CurrentLocation& loc);

// Reads pref.zvd and loc.zvd of the program folder, finds the day's events
// and turns them into the six "hh:mm" texts. A missing or short settings file
// stops the program through the platform's fault.
class EngineDayTimes : public DayTimesSource {
public:
    DayTimes compute(const CalendarDate& date) override;
};

} // namespace alerts
