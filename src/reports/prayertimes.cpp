#include "prayertimes.h"

#include <cmath>

#include "engine/modaltazm.h"
#include "engine/modcorsl.h"
#include "engine/modcorsm.h"
#include "engine/modctim.h"
#include "engine/moddeltat.h"
#include "engine/modgeneral.h"
#include "engine/modjuc.h"
#include "engine/modjul.h"
#include "engine/modriseset.h"
#include "engine/modsummer.h"
#include "engine/turns.h"
#include "highlatitude.h"
#include "platform/eventloop.h"
#include "platform/programfolder.h"
#include "prayerreport.h"
#include "reportpieces.h"
#include "settings/records.h"

namespace prayer {

using reportpieces::eventText;

namespace {

constexpr double kTransitConverged = 6.94444e-05; // hours (a quarter of a second)
constexpr int kMostTransitPasses = 50;
constexpr double kMethodTwilightAngle = 18; // degrees, Fajr and Isha of a method run

const EventTime kNoEvent = EventTime::marked(TimeMarker::NoEvent);

// A time moved by an adjustment, or "----" when that pushes it out of the day.
EventTime adjusted(double hours)
{
    if (hours < 0 || hours >= 24)
        return kNoEvent;
    return EventTime::at(hours);
}

// The 12-hour clock of the report: an afternoon clock text 12 hours earlier.
// Markers and "24:00" pass unchanged.
std::string twelveHour(const std::string& t)
{
    if (t.size() < 5 || t[2] != ':' || !std::isdigit(static_cast<unsigned char>(t[0])) ||
        !std::isdigit(static_cast<unsigned char>(t[1])))
        return t;
    const int hour = (t[0] - '0') * 10 + (t[1] - '0');
    if (hour <= 12 || hour >= 24)
        return t;
    const int h = hour - 12;
    std::string out = t;
    out[0] = static_cast<char>('0' + h / 10);
    out[1] = static_cast<char>('0' + h % 10);
    return out;
}

} // namespace

PrayerTimesEngine::PrayerTimesEngine() : nightFraction_(std::make_unique<NightFractionMethod>()) {}

PrayerTimesEngine::~PrayerTimesEngine() = default;

void PrayerTimesEngine::cmdcom_Click()
{
    reportpieces::NoWindow noWindow;
    RunHost& host = host_ ? *host_ : noWindow;
    result_ = {};
    const bool oneDay = onedaymode == 1;
    const bool today = !oneDay && todaymode == 1;
    const bool report = !oneDay && !today;
    result_.reportRun = report;

    host.reset();
    if (report) {
        host.show();
        modgeneral::Delay(0.1);
        cancelflag = 0;
    }

    pi = kPi15;
    settings::Preferences pref = settings::readPreferences();
    settings::DateSelection date = settings::readDateSelection();
    const settings::CurrentLocation loc = settings::readCurrentLocation();

    reportpieces::useSystemDate(date);

    const double lambda = loc.longitude();
    const double phi = loc.latitude();
    double JD1, JD2;
    jul(date.year1, date.month1, date.day1, 0, JD1);
    jul(date.year2, date.month2, date.day2, 0, JD2);

    // The high-latitude method is on outside today runs; it takes over the
    // whole year between its two latitudes, with the angles its report prints
    // and the dates its rows cover.
    HighLatitudeMethod* method = hilat_ ? hilat_ : nightFraction_.get();
    const bool methodOn = pref.hilat == 1 && !today && !oneDay;
    const bool methodApplies = methodOn && phi > kHighLatitudeLowest && phi <= kHighLatitudeHighest;
    if (methodApplies) {
        jul(date.year1, 1, 1, 0, JD1);
        jul(date.year1, 12, 31, 0, JD2);
        pref.fajang = kMethodTwilightAngle;
        pref.ishang = kMethodTwilightAngle;
        date.oneday = false;
        date.day1 = 1, date.month1 = 1;
        date.day2 = 31, date.month2 = 12, date.year2 = date.year1;
    }

    if (report && reportpieces::refuseUncountableDays(host, JD1, JD2, pref.eng)) {
        result_.stopped = true;
        return;
    }

    double deltaT;
    deltat((JD1 + JD2) / 2, deltaT);
    const double deltaTSeconds = deltaT * 86400;

    const double deg = pi / 180;
    double c = 0;
    if (loc.city != 0 && !oneDay)
        c = 4 * (loc.city / (111.413 * std::cos(phi * deg) - 0.094 * std::cos(3 * phi * deg))) / 60;
    // A longitude of many turns counts as the same meridian within a turn or
    // two, as everywhere else; taken whole it would put the transit
    // millions of days away.
    const double M = 4 * (15 * loc.zon - foldTurns(lambda, 360));
    const double zone = reportpieces::zoneAsPrinted(loc.zon);
    // addmag is held in single precision; the one-day run adds no minutes.
    const double addmag = oneDay ? 0 : static_cast<double>(static_cast<float>(pref.addmag));
    const std::string& precision = pref.min;

    PrayerReport reportFile;
    if (report) {
        result_.reportFile = platform::programFile(kPrayerReportFile);
        reportFile.spoolTo(result_.reportFile);
        reportFile.writeHeader({pref, loc, date, deltaTSeconds});
    }
    if (today)
        JD1 = JD2 = todayjd;
    if (oneDay)
        JD1 = JD2 = onedayjd;
    if (methodApplies)
        method->begin(phi);

    for (double JD = JD1; JD <= JD2; JD = reportpieces::nextDay(JD)) {
        reportpieces::showProgress(host, JD, JD1, JD2);

        double year, month, day;
        juc(JD + 0.5, year, month, day);
        const std::int16_t f = reportpieces::summerFlag(oneDay, pref, day, month, year);
        const double JD0 = JD - (zone + f) / 24;

        // Sunrise and sunset.
        // The day's requests scan the same hours: they share the samples.
        RisesetScanMemo scan;
        RisesetOptions sameDay;
        sameDay.memo = &scan;
        if (methodApplies)
            sameDay.twilightAngle = kMethodTwilightAngle;

        EventTime rise, set;
        riseset("Sun", JD0, rise, set, sameDay);
        const EventTime sunrise = rise, sunset = set; // before any adjustment
        if (rise.is(TimeMarker::Up) || rise.is(TimeMarker::Down)) {
            shuroqtext = rise.markerText();
            maghrebtext = set.markerText();
        } else {
            if (!rise.isMarker())
                rise = adjusted(rise.hours - c - pref.subsho / 60);
            shuroqtext = eventText(rise, precision);
            if (!set.isMarker())
                set = adjusted(set.hours + addmag / 60);
            maghrebtext = eventText(set, precision);
        }
        daysunrise = rise;
        daysunset = set;
        if (oneDay)
            return;

        // Twilight: one request serves both when the angles are equal.
        EventTime fajr, isha, unused;
        if (pref.ishang == pref.fajang) {
            riseset("Fajer", JD0, fajr, isha, sameDay);
        } else {
            RisesetOptions dawnOnly = sameDay, duskOnly = sameDay;
            dawnOnly.wanted = RisesetOptions::Wanted::Rise;
            duskOnly.wanted = RisesetOptions::Wanted::Set;
            riseset("Fajer", JD0, fajr, unused, dawnOnly);
            riseset("Isha", JD0, unused, isha, duskOnly);
        }

        HighLatitudeDay hl;
        hl.jd = JD;
        hl.dateText = dateText(day, month, year);
        hl.summer = f;
        hl.sunrise = sunrise;
        hl.sunset = sunset;

        bool fajrDone = false;
        if (fajr.is(TimeMarker::Bright) && methodOn && phi > kHighLatitudeLowest) {
            if (!method->brightFajr(phi, hl, fajr, isha)) {
                std::string title, message;
                highLatitudeRefusal(pref.eng, title, message);
                host.warn(title, message, pref.eng);
                result_.stopped = true;
                break;
            }
            hl.nightFraction = !fajr.isMarker();
        } else if (fajr.is(TimeMarker::Bright)) {
            fajertext = fajr.markerText();
            fajrDone = true;
        }
        if (!fajrDone) {
            if (!fajr.isMarker())
                fajr = adjusted(fajr.hours - c - pref.subfaj / 60);
            fajertext = eventText(fajr, precision);
        }
        // Isha takes no adjustment; a night-fraction Isha may pass midnight.
        ishatext = eventText(isha, precision);

        // Dhuhr: the transit, from the equation of time.
        double a[12];
        corsl(pi, JD + 0.5 - (zone + f) / 24, a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8],
              a[9]);
        double T = 12 + f + (M - a[9]) / 60;
        double Tnext = T;
        for (int pass = 0; pass < kMostTransitPasses; ++pass) {
            corsm(pi, JD + (T - zone - f) / 24, a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7],
                  a[8], a[9]);
            Tnext = 12 + f + (M - a[9]) / 60;
            if (!(std::fabs(Tnext - T) > kTransitConverged))
                break;
            T = Tnext;
        }
        T = Tnext + pref.adddoh / 60;

        const double noonJD = JD + (T - zone - f) / 24;
        corsm(pi, noonJD, a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8], a[9]);
        double h, azimuth;
        altazm(noonJD, a[0], a[1], h, azimuth);
        dhohurtext = eventText(EventTime::at(T), precision);
        if (h <= sunh0)
            dhohurtext = kNoEvent.markerText();
        if (maghrebtext == shuroqtext && shuroqtext != "Up")
            dhohurtext = shuroqtext;
        noonalt = h;

        // Asr.
        EventTime asr;
        RisesetOptions asrOnly = sameDay;
        asrOnly.wanted = RisesetOptions::Wanted::Set;
        riseset("Asr", JD0, unused, asr, asrOnly);
        asrtext = eventText(asr, precision);
        if (!asr.isMarker() && asr.hours <= T)
            asrtext = kNoEvent.markerText();
        if (asr.isMarker())
            asrtext = kNoEvent.markerText();
        if (maghrebtext == "Down")
            asrtext = "Down";
        if (asrtext != "----" && asrtext != "Down")
            asrtext = eventText(adjusted(asr.hours + pref.addasr / 60), precision);

        if (today)
            return;

        if (methodApplies) {
            hl.fajertext = fajertext;
            hl.shuroqtext = shuroqtext;
            hl.dhohurtext = dhohurtext;
            hl.asrtext = asrtext;
            hl.maghrebtext = maghrebtext;
            hl.ishatext = ishatext;
            method->storeDay(hl);
        } else {
            ReportTimes row{fajertext, shuroqtext, dhohurtext, asrtext, maghrebtext, ishatext};
            if (pref.hour24 == 0 && (precision == "1" || precision == "0")) {
                row.dhuhr = twelveHour(row.dhuhr);
                row.asr = twelveHour(row.asr);
                row.maghrib = twelveHour(row.maghrib);
                row.isha = twelveHour(row.isha);
            }
            reportFile.writeRow(hl.dateText, f == 1, row, precision == "1");
        }

        host.handOver();
        if (cancelflag == -1)
            break;
    }

    // Only report runs get here.
    result_.cancelled = cancelflag == -1;
    bool remarks = !result_.stopped && !(methodApplies && result_.cancelled);
    if (methodApplies && !result_.stopped && !result_.cancelled) {
        if (!method->finish(reportFile, host)) {
            result_.cancelled = true;
            remarks = false;
        }
    }
    if (remarks)
        reportFile.writeRemarks();

    result_.written = reportFile.save(result_.reportFile, result_.writeError);
    if (result_.written && !result_.cancelled && !result_.stopped)
        host.showReport(result_.reportFile);
    host.unload();
}

} // namespace prayer
