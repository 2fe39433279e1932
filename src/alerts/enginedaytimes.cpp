#include "enginedaytimes.h"

#include <cmath>

#include "engine/modaltazm.h"
#include "engine/modcorsm.h"
#include "engine/modgeneral.h"
#include "engine/modjuc.h"
#include "engine/modjul.h"
#include "engine/modriseset.h"

namespace alerts {

DayEvents findDayEvents(const CalendarDate& date, const settings::Preferences& prefs,
                        const settings::CurrentLocation& loc)
{
    pi = kPi15;
    DayEvents e;

    double JD = 0;
    jul(date.year, date.month, date.day, 0, JD);
    const double lambda = loc.longitude();
    const double m = meridianOffset(loc.zon, lambda);
    const double zone = zoneAsPrinted(loc.zon);

    double year, month, day;
    juc(JD + 0.5, year, month, day);
    const int s = summerHour(
        {static_cast<int>(year), static_cast<int>(month), static_cast<int>(std::floor(day))},
        prefs);
    const double JD0 = localMidnight(JD, s, loc.zon);

    // The alert program's choice: altitudes from the topocentric position.
    // The day's requests scan the same hours and share the samples.
    RisesetScanMemo scan;
    RisesetOptions topocentric;
    topocentric.topocentricAltitude = true;
    topocentric.memo = &scan;
    RisesetOptions morningOnly = topocentric, eveningOnly = topocentric;
    morningOnly.wanted = RisesetOptions::Wanted::Rise;
    eveningOnly.wanted = RisesetOptions::Wanted::Set;

    riseset("Sun", JD0, e.sunMorning, e.sunEvening, topocentric);
    e.sunh0 = sunh0;

    EventTime unused;
    if (prefs.fajang == prefs.ishang) {
        riseset("Fajer", JD0, e.fajr, e.isha, topocentric);
    } else {
        riseset("Fajer", JD0, e.fajr, unused, morningOnly);
        riseset("Isha", JD0, unused, e.isha, eveningOnly);
    }

    // Dhuhr: the clock time T stands for the instant JD + (T - zone - s)/24.
    auto instant = [&](double T) { return JD + (T - zone - s) / 24; };
    e.dhuhr = solarTransit(JD, s, zone, m) + prefs.adddoh / 60;

    // The noon altitude stays geocentric: corsm's first two outputs.
    double a, d, aT, dT, l, b, lT, bT, R, E, azimuth;
    corsm(pi, instant(e.dhuhr), a, d, aT, dT, l, b, lT, bT, R, E);
    altazm(instant(e.dhuhr), a, d, e.dhuhrAltitude, azimuth);
    noonalt = e.dhuhrAltitude;

    riseset("Asr", JD0, unused, e.asrEvening, eveningOnly);
    return e;
}

DayTimes EngineDayTimes::compute(const CalendarDate& date)
{
    // The precision and clock preferences are not read: assembleDay writes
    // 24-hour texts to the minute whatever they say.
    const settings::Preferences prefs = settings::readPreferences();
    const settings::CurrentLocation loc = settings::readCurrentLocation();
    const DayEvents events = findDayEvents(date, prefs, loc);
    return assembleDay(events, prefs, cityCorrection(loc.city, loc.latitude()));
}

} // namespace alerts
