#include "daytimes.h"

#include <cmath>

#include "engine/modctim.h"
#include "engine/modgeneral.h"
#include "engine/modsummer.h"

namespace alerts {

namespace {

bool insideDay(double hours)
{
    return hours >= 0 && hours < 24;
}

} // namespace

std::string minuteClockText(double hours)
{
    std::string text;
    ctim(1, hours, text);
    return text;
}

std::string adjustedClockText(double hours, double minutes)
{
    const double t = hours + minutes / 60;
    return insideDay(t) ? minuteClockText(t) : "----";
}

int summerHour(const CalendarDate& date, const settings::Preferences& prefs)
{
    return prefs.summ == "1" && inSummerWindow(prefs, SummerYearRule::TestedYear, date.year,
                                               date.month, date.day)
               ? 1
               : 0;
}

double localMidnight(double JD, int summer, double zon)
{
    return JD - (summer + zoneAsPrinted(zon)) / 24;
}

DayTimes assembleDay(const DayEvents& e, const settings::Preferences& p, double c)
{
    DayTimes t;

    // Sunrise and Maghrib. A Sun that never rises or never sets gives its
    // marker to both, unadjusted.
    if (e.sunMorning.is(TimeMarker::Up) || e.sunMorning.is(TimeMarker::Down)) {
        t.sunrise = e.sunMorning.markerText();
        t.maghrib = e.sunEvening.isMarker() ? e.sunEvening.markerText()
                                            : minuteClockText(e.sunEvening.hours);
    } else {
        t.sunrise = e.sunMorning.isMarker() ? e.sunMorning.markerText()
                                            : adjustedClockText(e.sunMorning.hours - c, -p.subsho);
        t.maghrib = e.sunEvening.isMarker() ? e.sunEvening.markerText()
                                            : adjustedClockText(e.sunEvening.hours, p.addmag);
    }

    // Fajr is adjusted and kept inside the day; Isha is only formatted.
    t.fajr =
        e.fajr.isMarker() ? e.fajr.markerText() : adjustedClockText(e.fajr.hours - c, -p.subfaj);
    t.isha = e.isha.isMarker() ? e.isha.markerText() : minuteClockText(e.isha.hours);

    // Dhuhr: no Dhuhr while the Sun stays at or below the horizon altitude at
    // noon; on a day whose sunrise and Maghrib agree (both "Down") it takes
    // their text.
    t.dhuhr = minuteClockText(e.dhuhr);
    if (e.dhuhrAltitude <= e.sunh0)
        t.dhuhr = "----";
    if (t.sunrise != "Up" && t.sunrise == t.maghrib)
        t.dhuhr = t.sunrise;

    // Asr: any marker is "----"; a day without sunset or sunrise ("Down") is
    // "Down"; a time gets its minutes and must stay inside the day.
    if (e.asrEvening.isMarker())
        t.asr = "----";
    if (t.maghrib == "Down")
        t.asr = "Down";
    if (t.asr != "----" && t.asr != "Down")
        t.asr = adjustedClockText(e.asrEvening.hours, p.addasr);
    return t;
}

} // namespace alerts
