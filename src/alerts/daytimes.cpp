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

double roundedZone(double zon)
{
    // Two decimals, as the zone passes through the pattern "####0.00".
    return std::round(zon * 100) / 100;
}

double localMidnight(double JD, int summer, double zon)
{
    return JD - (summer + roundedZone(zon)) / 24;
}

double cityCorrection(double city, double phi)
{
    if (city == 0)
        return 0;
    const double r = kPi15 / 180;
    // Kilometres in one degree of longitude at latitude phi.
    const double degreeLength = 111.413 * std::cos(phi * r) - 0.094 * std::cos(3 * phi * r);
    // The Sun crosses one degree of longitude in 4 minutes.
    return 4 * (city / degreeLength) / 60;
}

double meridianOffset(double zon, double longitude)
{
    return 4 * (15 * zon - longitude);
}

double transitClockTime(int summer, double m, double eqt)
{
    return 12 + summer + (m - eqt) / 60;
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
