#include "enginedaytimes.h"

#include <cmath>

#include "engine/modaltazm.h"
#include "engine/modcorsl.h"
#include "engine/modcorsm.h"
#include "engine/modgeneral.h"
#include "engine/modjuc.h"
#include "engine/modjul.h"
#include "engine/modriseset.h"

namespace alerts {

namespace {

constexpr double kTransitConverged = 6.94444e-05; // hours (a quarter of a second)
// The transit settles in two or three passes; the bound only keeps a day whose
// estimates would swing for ever from hanging the alert loop.
constexpr int kMostTransitPasses = 50;

// The equation of time, minutes, of a Sun procedure at an instant (UT).
template <typename SunProcedure> double equationOfTime(SunProcedure sun, double JD)
{
    double a, d, aT, dT, l, b, lT, bT, R, E;
    sun(pi, JD, a, d, aT, dT, l, b, lT, bT, R, E);
    return E;
}

} // namespace

DayEvents findDayEvents(const CalendarDate& date, const settings::Preferences& prefs,
                        const settings::CurrentLocation& loc)
{
    pi = kPi15;
    DayEvents e;

    double JD = 0;
    jul(date.year, date.month, date.day, 0, JD);
    const double lambda = loc.longitude();
    const double m = meridianOffset(loc.zon, lambda);
    const double zone = roundedZone(loc.zon);

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

    // Dhuhr: the clock time T stands for the instant JD + (T - s - zone)/24.
    auto instant = [&](double T) { return JD + (T - s - zone) / 24; };
    double T = transitClockTime(s, m, equationOfTime(corsl, JD + 0.5 - (s + zone) / 24));
    double next = T;
    for (int pass = 0; pass < kMostTransitPasses; ++pass) {
        next = transitClockTime(s, m, equationOfTime(corsm, instant(T)));
        if (!(std::fabs(next - T) > kTransitConverged))
            break;
        T = next;
    }
    e.dhuhr = next + prefs.adddoh / 60;

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
