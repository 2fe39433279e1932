#include "moontimes.h"

#include <cmath>

#include "engine/meridian.h"
#include "engine/modaltazm.h"
#include "engine/modcorml.h"
#include "engine/modcormm.h"
#include "engine/modctim.h"
#include "engine/moddeltat.h"
#include "engine/modgeneral.h"
#include "engine/modjuc.h"
#include "engine/modjul.h"
#include "engine/modriseset.h"
#include "engine/modsiderial.h"
#include "engine/modsummer.h"
#include "engine/turns.h"
#include "moonreport.h"
#include "platform/eventloop.h"
#include "platform/programfolder.h"
#include "reportpieces.h"
#include "settings/records.h"

namespace moontimes {

using reportpieces::eventText;

namespace {

constexpr double kTransitConverged = 0.0002777777; // hours (one second)
constexpr double kMeridianWindow = 7;              // degrees of azimuth either side
// Within this zenith distance the azimuth tells nothing of the meridian: at a
// culmination a few thousandths of a degree from the zenith the second left by
// the iteration already turns it by tens of degrees, and at the zenith it
// turns through 180 degrees within seconds. An instant brought in from the
// next or the previous day lies 9 degrees of hour angle or more off the
// meridian, so it never comes this close to the zenith.
constexpr double kNearZenith = 1; // degrees

double intoDay(double T)
{
    T = foldTurns(T, 24);
    while (T < 0)
        T += 24;
    while (T >= 24)
        T -= 24;
    return T;
}

} // namespace

void moonRiseSet(double JD0, const std::string& min, MoonDay& day)
{
    riseset("Moon", JD0, day.rise, day.set);
    if (day.rise.is(TimeMarker::Up) || day.rise.is(TimeMarker::Down)) {
        day.riseText = day.rise.markerText();
        day.setText = day.set.markerText();
    } else {
        day.riseText = eventText(day.rise, min);
        day.setText = eventText(day.set, min);
    }
}

double iterateTransit(double JD0, double T, const HourAngleAt& hourAngle, int* passes)
{
    double next = T;
    int pass = 0;
    while (true) {
        ++pass;
        double H = std::fmod(hourAngle(JD0 + T / 24), 360.0);
        while (H > 180)
            H -= 360;
        while (H <= -180)
            H += 360;
        next = T - 24 * H / 360;
        if (!(std::fabs(next - T) > kTransitConverged) || pass >= kMostTransitPasses)
            break;
        T = next;
    }
    if (passes)
        *passes = pass;
    return next;
}

void moonTransit(double JD0, double lambda, const std::string& min, MoonDay& day)
{
    double alpha, delta, alphaT, deltaT, lam, beta, lamT, betaT, parallax, s, sT, distance;
    double theta;

    // First estimate: the hour at which the low-precision Moon's right
    // ascension meets the local sidereal time of midnight.
    corml(pi, JD0, alpha, delta, alphaT, deltaT, lam, beta, lamT, betaT, parallax, s, sT);
    siderial(JD0, theta);
    double T = intoDay(24 * (alpha - lambda - theta) / 360);

    T = iterateTransit(
        JD0, T,
        [&](double J) {
            siderial(J, theta);
            cormm(pi, J, alpha, delta, alphaT, deltaT, lam, beta, lamT, betaT, parallax, s, sT,
                  distance);
            return theta + lambda - alpha;
        },
        &day.transitPasses);
    T = intoDay(T);
    day.transit = T;
    ctim(min, T, day.transitText);

    // The instant found must show the Moon up and near the meridian: a day
    // without an upper transit has the iteration land on the previous or next
    // day's, which the reduction into the day puts far from the meridian.
    // `moonh0` is the target of the geocentric altitude (the horizontal
    // parallax is in it), so the geocentric altitude is what meets it; the
    // topocentric one lies lower by about the parallax and would drop every
    // transit within a degree of the horizon.
    const double J = JD0 + T / 24;
    corml(pi, J, alpha, delta, alphaT, deltaT, lam, beta, lamT, betaT, parallax, s, sT);
    altazm(J, alphaT, deltaT, day.altitude, day.azimuth);
    double geocentricAltitude, geocentricAzimuth;
    altazm(J, alpha, delta, geocentricAltitude, geocentricAzimuth);
    const double A = day.azimuth;
    if (geocentricAltitude <= moonh0)
        day.transitText = "----";
    if (day.altitude < 90 - kNearZenith) {
        if (std::fabs(A - 180) > kMeridianWindow && std::fabs(A) > kMeridianWindow &&
            std::fabs(A - 360) > kMeridianWindow)
            day.transitText = "----";
    } else {
        // Near the zenith the hour angle, which does not degenerate there,
        // says whether the instant lies on the meridian.
        siderial(J, theta);
        double H = std::fmod(theta + lambda - alphaT, 360.0);
        while (H > 180)
            H -= 360;
        while (H <= -180)
            H += 360;
        if (std::fabs(H) > kMeridianWindow)
            day.transitText = "----";
    }
    if (day.riseText == day.setText && day.riseText != "Up")
        day.transitText = day.riseText;
}

MoonTimesEngine::MoonTimesEngine() = default;

void MoonTimesEngine::bindMainWindow(std::string& shuroqtext, std::string& maghrebtext,
                                     bool& english)
{
    shuroq_ = &shuroqtext;
    maghreb_ = &maghrebtext;
    english_ = &english;
}

void MoonTimesEngine::cmdmoon_Click()
{
    reportpieces::NoWindow noWindow;
    prayer::RunHost& host = host_ ? *host_ : noWindow;
    result_ = {};
    const bool oneDay = onedaymode == 1;
    const bool report = !oneDay;
    result_.reportRun = report;

    if (report) {
        host.reset();
        host.show();
        modgeneral::Delay(0.1);
        cancelflag = 0;
    }

    pi = kPi15;
    const settings::Preferences pref = settings::readPreferences();
    settings::DateSelection date = settings::readDateSelection();
    const settings::CurrentLocation loc = settings::readCurrentLocation();
    *english_ = pref.eng;

    reportpieces::useSystemDate(date);

    // The meridian within a turn: a longitude of many turns would cost the
    // hour angle its seconds.
    const double lambda = meridianLongitude(loc.longitude());
    double JD1, JD2;
    jul(date.year1, date.month1, date.day1, 0, JD1);
    jul(date.year2, date.month2, date.day2, 0, JD2);

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
    const double zone = zoneAsPrinted(loc.zon);
    const std::string& min = pref.min;

    MoonTimesReport reportFile;
    if (report) {
        result_.reportFile = platform::programFile(kMoonReportFile);
        reportFile.spoolTo(result_.reportFile);
        reportFile.writeHeader({pref, loc, date, deltaT * 86400});
    }
    if (oneDay)
        JD1 = JD2 = onedayjd;

    for (double JD = JD1; JD <= JD2; JD = reportpieces::nextDay(JD)) {
        reportpieces::showProgress(host, JD, JD1, JD2);

        double year, month, dayOfMonth;
        juc(JD + 0.5, year, month, dayOfMonth);
        const std::int16_t f = reportpieces::summerFlag(oneDay, pref, dayOfMonth, month, year);
        const double JD0 = JD - (zone + f) / 24;

        MoonDay day;
        moonRiseSet(JD0, min, day);
        *shuroq_ = day.riseText;
        *maghreb_ = day.setText;
        daymoonrise = day.rise;
        daymoonset = day.set;
        if (oneDay)
            return;

        moonTransit(JD0, lambda, min, day);
        reportFile.writeRow(reportpieces::dateText(dayOfMonth, month, year), f == 1,
                            {day.riseText, day.transitText, day.setText}, min == "1");

        host.handOver();
        if (cancelflag == -1)
            break;
    }

    // Only report runs get here.
    result_.cancelled = cancelflag == -1;
    reportFile.writeClosing();
    result_.written = reportFile.save(result_.reportFile, result_.writeError);
    if (result_.written && !result_.cancelled)
        host.showReport(result_.reportFile);
    host.unload();
}

} // namespace moontimes
