#include "qiblareport.h"

#include <cmath>
#include <ctime>

#include "engine/meridian.h"
#include "engine/moddeltat.h"
#include "engine/modgeneral.h"
#include "engine/modjuc.h"
#include "engine/modjul.h"
#include "engine/modsummer.h"
#include "platform/eventloop.h"
#include "platform/filewriter.h"
#include "platform/programfolder.h"
#include "reports/prayerreport.h"
#include "reports/reportpieces.h"
#include "settings/settingsline.h"

#include "version.h"

namespace qibla {

namespace {

const std::string kRule(84, '=');

// Columns of a row: first time, its remark, second time, its remark.
constexpr size_t kFirstColumn = 20, kFirstRemarkColumn = 30;
constexpr size_t kSecondColumn = 55, kSecondRemarkColumn = 70;

std::string at(size_t column, const std::string& item)
{
    std::string s;
    prayer::padTo(s, column);
    return s + item;
}

bool isOne(const std::string& field)
{
    return settings::lenientNumber(field) == 1;
}

void todaysDate(double& year, double& month, double& day)
{
    const std::time_t now = platform::Clock::to_time_t(platform::now());
    std::tm local{};
    localtime_r(&now, &local);
    year = local.tm_year + 1900;
    month = local.tm_mon + 1;
    day = local.tm_mday;
}

} // namespace

void QiblaTimesReport::writeHeader(const QiblaReportSettings& s)
{
    const settings::Preferences& p = s.pref;
    const settings::CurrentLocation& l = s.loc;
    const settings::DateSelection& d = s.date;
    using prayer::patternNumber;

    line(at(28, "By the Name of Allah"));
    line(at(21, "Falakorum"));
    line(at(22, "Miqatix " MIQATIX_VERSION_SHORT));
    line("");
    line("");
    line("* Settings:-");
    line("- Qiblah Direction is:  " + shortestText(s.qibang) + "° From True North");
    line(s.sunMode ? "- Qiblah Time you Chose is The Time At Which the SUN is at Qiblah Direction"
                   : "- Qiblah Time you Chose is The Time At Which the SUN'S SHADOW is at Qiblah "
                     "Direction");
    const std::string first = prayer::dateText(d.day1, d.month1, d.year1);
    const std::string last = prayer::dateText(d.day2, d.month2, d.year2);
    if (d.oneday)
        line("- Qiblah Direction for:  " + first + " CE");
    else
        line("- Qiblah Direction from:  " + first + " CE   To:  " + last + " CE");
    line("- " + l.locname +
         ", Long: " + reportpieces::signedDegrees(l.longid, l.longim, l.longis, l.east) + ":" +
         patternNumber(l.longim, 2, 0) + ":" + patternNumber(l.longis, 2, 1) +
         ", Lat: " + reportpieces::signedDegrees(l.latid, l.latim, l.latis, l.north) + ":" +
         patternNumber(l.latim, 2, 0) + ":" + patternNumber(l.latis, 2, 1) +
         ", Zone:" + patternNumber(l.zon, 1, 2));
    line(reportpieces::summerTimeLine(p, settings::lenientNumber(p.summ) == 0));
    line("- Delta T: " + patternNumber(s.deltaTSeconds, 2, 1) + " Second(s)");
    line(kRule);
    line("");
    line("  Date" + std::string(11, ' ') + "Qiblah Time" + std::string(23, ' ') + "Qiblah Time");
    line(std::string(18, ' ') + "First Time" + std::string(23, ' ') + "Second Time");
    line("");
}

void QiblaTimesReport::writeRow(const std::string& dateText, bool summer,
                                const QiblaDayTimes& times)
{
    ++rows_;
    if (rows_ % 5 == 0)
        line("");
    std::string s = summer ? "*" + dateText : dateText;
    auto item = [&s](size_t column, const std::string& text) {
        prayer::padTo(s, column);
        s += text;
    };
    // An empty remark still takes its column: every row is filled with blanks
    // up to the second remark's column.
    auto remark = [](const QiblaTime& t) { return t.belowHorizon ? "Below Horizon" : ""; };
    item(kFirstColumn, times.first.text);
    item(kFirstRemarkColumn, remark(times.first));
    item(kSecondColumn, times.second.text);
    item(kSecondRemarkColumn, remark(times.second));
    line(s);
}

void QiblaTimesReport::writeClosing()
{
    line(kRule);
    line("");
    line("* Remarks:-");
    line("- Date format: dd/mm/yyyy.");
    line("- The Symbol '*' before the date, refers to Summer Time.");
    line("- '----' Means that the Sun / Sun's Shadow does not reach the Qiblah Direction on that "
         "day.");
    line("- Kindly notice that at certain locations and on certain days, the Sun / Sun's Shadow "
         "reaches");
    line("  Qiblah direction twice on the same day!");
}

QiblaRunResult runQiblaTimesReport(float qibang, bool sunMode, prayer::RunHost* hostOrNull)
{
    reportpieces::NoWindow noWindow;
    prayer::RunHost& host = hostOrNull ? *hostOrNull : noWindow;
    QiblaRunResult result;
    result.reportFile = platform::programFile(kQiblaReportFile);

    host.reset();
    host.show();
    cancelflag = 0;
    pi = kPi15;

    QiblaReportSettings s;
    s.qibang = qibang;
    s.sunMode = sunMode;
    s.pref = settings::readPreferences();
    s.loc = settings::readCurrentLocation();
    const double longitude = meridianLongitude(s.loc.longitude());
    const double latitude = s.loc.latitude();

    double A = qibang;
    if (!sunMode) {
        A += 180;
        range(A);
    }

    s.date = settings::readDateSelection();
    settings::DateSelection& d = s.date;
    if (d.sysdate) {
        todaysDate(d.year1, d.month1, d.day1);
        d.year2 = d.year1;
        d.month2 = d.month1;
        d.day2 = d.day1;
    }
    double JD1, JD2, dT;
    jul(d.year1, d.month1, d.day1, 0, JD1);
    jul(d.year2, d.month2, d.day2, 0, JD2);
    // The span first: its refusal names the year.
    if (reportpieces::refuseIncomputableDays(host, d, JD1, JD2, s.loc.zon, s.pref,
                                             isOne(s.pref.summ), s.pref.eng)) {
        result.refused = true;
        return result;
    }
    if (reportpieces::refuseUncountableDays(host, JD1, JD2, s.pref.eng)) {
        result.refused = true;
        return result;
    }
    deltat((JD1 + JD2) / 2, dT);
    s.deltaTSeconds = dT * 86400;

    QiblaTimesReport report;
    report.spoolTo(result.reportFile);
    report.writeHeader(s);
    const double horizon = horizonAltitude(s.loc.ele, isOne(s.pref.eleset));
    const bool summerOn = isOne(s.pref.summ);

    for (double JD = JD1; JD <= JD2; JD = reportpieces::nextDay(JD)) {
        if (JD2 != JD1) {
            const double p = 100 * ((JD - JD1) / (JD2 - JD1));
            host.setProgress(static_cast<float>(p), reportpieces::percentText(p));
            host.handOver();
        } else {
            host.setProgress(100, "100 %");
        }

        double year, month, day;
        juc(JD + 0.5, year, month, day);
        const bool summer = summerOn && inSummerWindow(s.pref, SummerYearRule::TestedYear, year,
                                                       month, std::floor(day));
        const double JD0 = JD - (s.loc.zon + (summer ? 1 : 0)) / 24;
        QiblaDayTimes times;
        qiblaTimesOfDay(JD0, A, longitude, latitude, horizon, s.pref.min, times);
        report.writeRow(prayer::dateText(std::floor(day), month, year), summer, times);
        if (cancelflag == -1)
            break;
    }

    report.writeClosing();
    result.cancelled = cancelflag == -1;
    result.rows = report.rows();
    result.written = report.save(result.reportFile, result.writeError);
    if (result.written && !result.cancelled)
        host.showReport(result.reportFile);
    host.unload();
    return result;
}

} // namespace qibla
