#include "prayertimes.h"

#include <cmath>

#include "engine/meridian.h"
#include "engine/modaltazm.h"
#include "engine/modcorsm.h"
#include "engine/modctim.h"
#include "engine/moddeltat.h"
#include "engine/modgeneral.h"
#include "engine/modjuc.h"
#include "engine/modjul.h"
#include "engine/modriseset.h"
#include "engine/modsummer.h"
#include "highlatitude.h"
#include "platform/eventloop.h"
#include "platform/programfolder.h"
#include "prayerreport.h"
#include "reportpieces.h"
#include "settings/records.h"

namespace prayer {

using reportpieces::eventText;

namespace {

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

// What every day of a run uses, fixed at the run's start.
struct RunConstants {
    const settings::Preferences& pref;
    double c;                     // the city correction, hours (0 in the one-day run)
    double M;                     // the meridian offset, minutes
    double zone;                  // the zone as the report prints it
    double addmag;                // minutes added to Maghrib, single precision
    const std::string& precision; // pref.min
};

// Sunrise and sunset: the finder's times into `sunrise` and `sunset`, the
// adjusted texts into shuroqtext and maghrebtext, daysunrise and daysunset.
void sunStep(PrayerTimesEngine& e, const RunConstants& k, double JD0, const RisesetOptions& sameDay,
             EventTime& sunrise, EventTime& sunset)
{
    EventTime rise, set;
    riseset("Sun", JD0, rise, set, sameDay);
    sunrise = rise, sunset = set; // before any adjustment
    if (rise.is(TimeMarker::Up) || rise.is(TimeMarker::Down)) {
        e.shuroqtext = rise.markerText();
        e.maghrebtext = set.markerText();
    } else {
        if (!rise.isMarker())
            rise = adjusted(rise.hours - k.c - k.pref.subsho / 60);
        e.shuroqtext = eventText(rise, k.precision);
        if (!set.isMarker())
            set = adjusted(set.hours + k.addmag / 60);
        e.maghrebtext = eventText(set, k.precision);
    }
    daysunrise = rise;
    daysunset = set;
}

// Twilight: one request serves both when the angles are equal.
void twilightStep(const settings::Preferences& pref, double JD0, const RisesetOptions& sameDay,
                  EventTime& fajr, EventTime& isha)
{
    EventTime unused;
    if (pref.ishang == pref.fajang) {
        riseset("Fajer", JD0, fajr, isha, sameDay);
    } else {
        RisesetOptions dawnOnly = sameDay, duskOnly = sameDay;
        dawnOnly.wanted = RisesetOptions::Wanted::Rise;
        duskOnly.wanted = RisesetOptions::Wanted::Set;
        riseset("Fajer", JD0, fajr, unused, dawnOnly);
        riseset("Isha", JD0, unused, isha, duskOnly);
    }
}

// The high-latitude method's run: the whole year of year1, with both angles
// at the method's 18 degrees, as its report prints them.
void takeTheMethodYear(settings::Preferences& pref, settings::DateSelection& date, double& JD1,
                       double& JD2)
{
    jul(date.year1, 1, 1, 0, JD1);
    jul(date.year1, 12, 31, 0, JD2);
    pref.fajang = kMethodTwilightAngle;
    pref.ishang = kMethodTwilightAngle;
    date.oneday = false;
    date.day1 = 1, date.month1 = 1;
    date.day2 = 31, date.month2 = 12, date.year2 = date.year1;
}

// Fajr and Isha into fajertext and ishatext. A "Bright" Fajr goes to the
// high-latitude method when one is given; false when the method refuses the
// latitude (the run stops, the texts are left as they were).
bool fajrIshaStep(PrayerTimesEngine& e, const RunConstants& k, HighLatitudeMethod* method,
                  double phi, HighLatitudeDay& hl, EventTime fajr, EventTime isha)
{
    bool fajrDone = false;
    if (fajr.is(TimeMarker::Bright) && method) {
        if (!method->brightFajr(phi, hl, fajr, isha))
            return false;
        hl.nightFraction = !fajr.isMarker();
    } else if (fajr.is(TimeMarker::Bright)) {
        e.fajertext = fajr.markerText();
        fajrDone = true;
    }
    if (!fajrDone) {
        if (!fajr.isMarker())
            fajr = adjusted(fajr.hours - k.c - k.pref.subfaj / 60);
        e.fajertext = eventText(fajr, k.precision);
    }
    // Isha takes no adjustment; a night-fraction Isha may pass midnight.
    e.ishatext = eventText(isha, k.precision);
    return true;
}

// Dhuhr: the transit, from the equation of time, into dhohurtext; the Sun's
// altitude there into noonalt. Returns the transit's clock hours.
double dhuhrStep(PrayerTimesEngine& e, const RunConstants& k, double JD, std::int16_t f)
{
    const double T = solarTransit(JD, f, k.zone, k.M) + k.pref.adddoh / 60;

    const double noonJD = JD + (T - k.zone - f) / 24;
    double a[10];
    corsm(pi, noonJD, a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8], a[9]);
    double h, azimuth;
    altazm(noonJD, a[0], a[1], h, azimuth);
    e.dhohurtext = eventText(EventTime::at(T), k.precision);
    if (h <= sunh0)
        e.dhohurtext = kNoEvent.markerText();
    if (e.maghrebtext == e.shuroqtext && e.shuroqtext != "Up")
        e.dhohurtext = e.shuroqtext;
    noonalt = h;
    return T;
}

// Asr after the transit T, into asrtext.
void asrStep(PrayerTimesEngine& e, const RunConstants& k, double JD0, double T,
             const RisesetOptions& sameDay)
{
    EventTime asr, unused;
    RisesetOptions asrOnly = sameDay;
    asrOnly.wanted = RisesetOptions::Wanted::Set;
    riseset("Asr", JD0, unused, asr, asrOnly);
    e.asrtext = eventText(asr, k.precision);
    if (!asr.isMarker() && asr.hours <= T)
        e.asrtext = kNoEvent.markerText();
    if (asr.isMarker())
        e.asrtext = kNoEvent.markerText();
    if (e.maghrebtext == "Down")
        e.asrtext = "Down";
    if (e.asrtext != "----" && e.asrtext != "Down")
        e.asrtext = eventText(adjusted(asr.hours + k.pref.addasr / 60), k.precision);
}

// The day's row of an ordinary run, in the clock the preferences choose.
void writeDayRow(const PrayerTimesEngine& e, const RunConstants& k, PrayerReport& reportFile,
                 const std::string& dateText, bool summer)
{
    ReportTimes row{e.fajertext, e.shuroqtext, e.dhohurtext, e.asrtext, e.maghrebtext, e.ishatext};
    if (k.pref.hour24 == 0 && (k.precision == "1" || k.precision == "0")) {
        row.dhuhr = twelveHour(row.dhuhr);
        row.asr = twelveHour(row.asr);
        row.maghrib = twelveHour(row.maghrib);
        row.isha = twelveHour(row.isha);
    }
    reportFile.writeRow(dateText, summer, row, k.precision == "1");
}

// The end of a report run: the high-latitude method's passes and rows, the
// remarks, the file and the viewer.
void closeReport(RunResult& result, PrayerReport& reportFile, RunHost& host,
                 HighLatitudeMethod* method, bool methodApplies)
{
    result.cancelled = cancelflag == -1;
    bool remarks = !result.stopped && !(methodApplies && result.cancelled);
    if (methodApplies && !result.stopped && !result.cancelled) {
        if (!method->finish(reportFile, host)) {
            result.cancelled = true;
            remarks = false;
        }
    }
    if (remarks)
        reportFile.writeRemarks();

    result.written = reportFile.save(result.reportFile, result.writeError);
    if (result.written && !result.cancelled && !result.stopped)
        host.showReport(result.reportFile);
    host.unload();
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
    if (methodApplies)
        takeTheMethodYear(pref, date, JD1, JD2);

    // The span first: its refusal names the year, and a year beyond it is
    // also one whose days may be too far to count.
    if (report && reportpieces::refuseIncomputableDays(host, date, JD1, JD2, zoneAsPrinted(loc.zon),
                                                       pref, pref.summ == "1", pref.eng)) {
        result_.stopped = true;
        return;
    }
    if (report && reportpieces::refuseUncountableDays(host, JD1, JD2, pref.eng)) {
        result_.stopped = true;
        return;
    }

    double deltaT;
    deltat((JD1 + JD2) / 2, deltaT);
    const double deltaTSeconds = deltaT * 86400;

    // The meridian, the zone and the city correction are the alert
    // program's too, so that both give the same Dhuhr for one loc.zvd.
    const double c = oneDay ? 0 : cityCorrection(loc.city, phi);
    const double M = meridianOffset(loc.zon, lambda);
    const double zone = zoneAsPrinted(loc.zon);
    // addmag is held in single precision; the one-day run adds no minutes.
    const double addmag = oneDay ? 0 : static_cast<double>(static_cast<float>(pref.addmag));
    const std::string& precision = pref.min;
    const RunConstants k{pref, c, M, zone, addmag, precision};

    PrayerReport reportFile;
    if (report) {
        result_.reportFile = platform::programFile(kPrayerReportFile);
        reportFile.spoolTo(result_.reportFile);
        reportFile.writeHeader({pref, loc, date, deltaTSeconds});
    }
    if (today || oneDay)
        JD1 = JD2 = today ? todayjd : onedayjd;
    if (methodApplies)
        method->begin(phi);

    for (double JD = JD1; JD <= JD2; JD = reportpieces::nextDay(JD)) {
        reportpieces::showProgress(host, JD, JD1, JD2);

        double year, month, day;
        juc(JD + 0.5, year, month, day);
        const std::int16_t f = reportpieces::summerFlag(oneDay, pref, day, month, year);
        const double JD0 = JD - (zone + f) / 24;

        // The day's requests scan the same hours: they share the samples.
        RisesetScanMemo scan;
        RisesetOptions sameDay;
        sameDay.memo = &scan;
        if (methodApplies)
            sameDay.twilightAngle = kMethodTwilightAngle;

        EventTime sunrise, sunset;
        sunStep(*this, k, JD0, sameDay, sunrise, sunset);
        if (oneDay)
            return;

        EventTime fajr, isha;
        twilightStep(pref, JD0, sameDay, fajr, isha);

        HighLatitudeDay hl;
        hl.jd = JD, hl.dateText = dateText(day, month, year), hl.summer = f;
        hl.sunrise = sunrise, hl.sunset = sunset;

        const bool methodTakesBright = methodOn && phi > kHighLatitudeLowest;
        if (!fajrIshaStep(*this, k, methodTakesBright ? method : nullptr, phi, hl, fajr, isha)) {
            std::string title, message;
            highLatitudeRefusal(pref.eng, title, message);
            host.warn(title, message, pref.eng);
            result_.stopped = true;
            break;
        }

        const double T = dhuhrStep(*this, k, JD, f);
        asrStep(*this, k, JD0, T, sameDay);

        if (today)
            return;

        if (methodApplies) {
            hl.fajertext = fajertext, hl.shuroqtext = shuroqtext, hl.dhohurtext = dhohurtext;
            hl.asrtext = asrtext, hl.maghrebtext = maghrebtext, hl.ishatext = ishatext;
            method->storeDay(hl);
        } else {
            writeDayRow(*this, k, reportFile, hl.dateText, f == 1);
        }

        host.handOver();
        if (cancelflag == -1)
            break;
    }

    // Only report runs get here.
    closeReport(result_, reportFile, host, method, methodApplies);
}

} // namespace prayer
