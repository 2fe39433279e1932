#include "reportpieces.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <limits>

#include "engine/computableyears.h"
#include "engine/modctim.h"
#include "engine/modgeneral.h"
#include "engine/modjuc.h"
#include "engine/modjul.h"
#include "engine/modsummer.h"
#include "platform/eventloop.h"
#include "platform/filewriter.h"
#include "platform/systemreason.h"

#include "version.h"

namespace reportpieces {

size_t charCount(const std::string& s)
{
    size_t n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80)
            ++n;
    return n;
}

void padTo(std::string& s, size_t column)
{
    const size_t have = charCount(s);
    if (have + 1 < column)
        s.append(column - 1 - have, ' ');
}

std::string at(size_t column, const std::string& item)
{
    std::string s;
    padTo(s, column);
    return s + item;
}

std::string columnsText(std::string start, std::span<const std::string> items,
                        std::span<const size_t> columns)
{
    for (size_t i = 0; i < items.size() && i < columns.size(); ++i) {
        padTo(start, columns[i]);
        start += items[i];
    }
    return start;
}

std::string numberItem(double v)
{
    const std::string n = plainNumber(v);
    return v < 0 ? n + " " : " " + n + " ";
}

std::string dateText(double day, double month, double year)
{
    return patternNumber(day, 2, 0) + "/" + patternNumber(month, 2, 0) + "/" +
           patternNumber(year, 1, 0);
}

bool equalsNumber(const std::string& text, double v)
{
    double x = 0;
    const char* b = text.data();
    auto [p, ec] = std::from_chars(b, b + text.size(), x);
    return ec == std::errc() && p == b + text.size() && x == v;
}

std::string signedDegrees(double deg, double min, double sec, bool positive)
{
    std::string t = patternNumber(positive ? deg : -deg, 2, 0);
    if (!positive && (deg != 0 || min != 0 || sec != 0) && t[0] != '-')
        t = "-" + t;
    return t;
}

std::string placeLine(const settings::CurrentLocation& l)
{
    return "- " + l.locname + ", Long: " + signedDegrees(l.longid, l.longim, l.longis, l.east) +
           ":" + patternNumber(l.longim, 2, 0) + ":" + patternNumber(l.longis, 2, 1) +
           ", Lat: " + signedDegrees(l.latid, l.latim, l.latis, l.north) + ":" +
           patternNumber(l.latim, 2, 0) + ":" + patternNumber(l.latis, 2, 1) +
           ", Ele:" + patternNumber(l.ele, 1, 1) + ", Zone:" + patternNumber(l.zon, 1, 2);
}

std::string summerTimeLine(const settings::Preferences& p)
{
    return summerTimeLine(p, equalsNumber(p.summ, 0));
}

std::string summerTimeLine(const settings::Preferences& p, bool off)
{
    if (off)
        return "- No Summer Time.";
    return "- Summer time is from:  " + patternNumber(p.sdf, 2, 0) + "/" +
           patternNumber(p.smf, 2, 0) + "   To:  " + patternNumber(p.sdt, 2, 0) + "/" +
           patternNumber(p.smt, 2, 0);
}

std::string heightLine(const settings::Preferences& p)
{
    if (equalsNumber(p.eleset, 1))
        return "- Height above mean sea-level affects rise  and  set events.";
    return "- Height above mean sea-level does NOT affect rise  and  set events";
}

std::string refractionLine(const settings::CurrentLocation& l)
{
    return "- Refraction: Temp.: " + plainNumber(l.temp) + " °C   Pres.: " + plainNumber(l.pres) +
           " mb   Humidity: " + plainNumber(l.hum) + " %   Temp.Rate: " + l.alpha + " K/m";
}

std::string cityLine(const settings::CurrentLocation& l)
{
    if (l.city == 0)
        return "- City Settings: 0 Km.";
    return "- City Settings:" + numberItem(l.city) + "Km.";
}

std::string deltaTLine(double deltaTSeconds)
{
    return "- Delta T: " + patternNumber(deltaTSeconds, 2, 1) + " Second(s)";
}

void ReportText::spoolTo(const std::filesystem::path& file)
{
    spool_.emplace(file);
    spool_->append(text_);
    text_.clear();
}

void ReportText::line(const std::string& s)
{
    if (spool_) {
        spool_->append(s);
        spool_->append("\r\n");
        return;
    }
    text_ += s;
    text_ += "\r\n";
}

void ReportText::row(const std::string& s)
{
    line(s);
    if (++rows_ % 5 == 0)
        line("");
}

void ReportText::writeTitle()
{
    line(at(26, "By the Name of Allah"));
    line(at(21, "Falakorum"));
    line(at(20, "Miqatix " MIQATIX_VERSION_SHORT " by the Miqatix team"));
    line("");
    line("* Settings:-");
}

void ReportText::writeDateRemarks()
{
    line(kRule);
    line("");
    line("* Remarks:-");
    line("- Date format: dd/mm/yyyy.");
    line("- The Symbol '*' before the date, refers to Summer Time.");
}

bool ReportText::save(const std::filesystem::path& file, std::string& error)
{
    if (spool_ && spool_->file() == file)
        return spool_->commit(error);
    if (spool_ && spool_->spilled()) {
        error = "the report was started for another file";
        return false;
    }
    return platform::fileWriter().replaceFile(file, text(), error);
}

std::string eventText(const EventTime& e, const std::string& min)
{
    if (e.isMarker())
        return e.markerText();
    std::string s;
    ctim(min, e.hours, s);
    return s;
}

void useSystemDate(settings::DateSelection& date)
{
    if (!date.sysdate)
        return;
    const std::time_t now = platform::Clock::to_time_t(platform::now());
    std::tm local{};
    localtime_r(&now, &local);
    date.year1 = local.tm_year + 1900;
    date.month1 = local.tm_mon + 1;
    date.day1 = local.tm_mday;
    date.year2 = date.year1;
    date.month2 = date.month1;
    date.day2 = date.day1;
}

std::int16_t summerFlag(bool oneDay, const settings::Preferences& pref, double day, double month,
                        double year)
{
    std::int16_t f = 0;
    if (oneDay)
        f = summerflag;
    else if (pref.summ == "1")
        summer(pref, day, month, year, f);
    return f;
}

void showProgress(prayer::RunHost& host, double JD, double JD1, double JD2)
{
    if (JD2 != JD1) {
        const float p = static_cast<float>(100 * ((JD - JD1) / (JD2 - JD1)));
        host.setProgress(p, percentText(p));
    } else {
        host.setProgress(100, "100 %");
    }
}

std::string percentText(double p)
{
    if (!(p > 0))
        return "0 %";
    return std::to_string(static_cast<int>(std::floor(std::min(p, 100.0)))) + " %";
}

double nextDay(double JD)
{
    const double next = JD + 1;
    return next > JD ? next : std::numeric_limits<double>::quiet_NaN();
}

bool countableDays(double JD1, double JD2)
{
    // Below 2^46 a Julian Day keeps its fraction to a hundredth of a day,
    // which the calendar conversion needs to find the day of each row (some
    // 190 billion years either side of the epoch).
    constexpr double kCountable = 70368744177664.0; // 2^46
    for (const double JD : {JD1, JD2}) {
        if (!(std::fabs(JD) < kCountable))
            return false;
        double year, month, day, back;
        juc(JD + 0.5, year, month, day);
        jul(year, month, std::floor(day), 0, back);
        if (back != JD)
            return false;
    }
    return true;
}

void uncountableDaysMessage(bool english, std::string& title, std::string& text)
{
    if (english) {
        title = "Date Error";
        text = "The dates of the calculation lie too far from our time to be counted day by "
               "day. Please choose other dates from the Date window.";
    } else {
        title = "خطأ";
        text = "تواريخ الحساب بعيدة جدا عن زماننا فلا يمكن عدها يوما بيوم، يرجى اختيار تواريخ "
               "أخرى من نافذة التاريخ";
    }
}

bool refuseUncountableDays(prayer::RunHost& host, double JD1, double JD2, bool english)
{
    if (countableDays(JD1, JD2))
        return false;
    std::string title, message;
    uncountableDaysMessage(english, title, message);
    host.warn(title, message, english);
    host.unload();
    return true;
}

std::string yearText(double year)
{
    // Whole digits as date.zvd holds them; a year too long to read so is
    // given by its first digits and its power of ten.
    char y[40];
    std::snprintf(y, sizeof y, std::fabs(year) < 1e15 ? "%.0f" : "%.15g", year);
    return y;
}

std::string yearInMessage(double year, bool english)
{
    return platform::numberInMessage(yearText(year), english);
}

std::string universalTimeText(double ut)
{
    // To the minute: a zone is a whole number of minutes.
    const double minutes = std::nearbyint(ut * 1440);
    double year, month, day;
    juc(minutes / 1440 + 0.5, year, month, day);
    const double whole = std::floor(day);
    const double minute = std::nearbyint((day - whole) * 1440);
    char clock[16];
    std::snprintf(clock, sizeof clock, "%02.0f:%02.0f", std::floor(minute / 60),
                  std::fmod(minute, 60));
    return dateText(whole, month, year) + " " + clock;
}

std::string spanCauseText(const SpanVerdict& v, double zone, bool english, const std::string& what,
                          bool instant)
{
    const std::string zoneShown = platform::numberInMessage(settings::signedHours(zone), english);
    const std::string ut = platform::numberInMessage(universalTimeText(v.ut), english);
    if (english) {
        std::string where = " at the zone " + zoneShown + " of loc.zvd (field 9)";
        if (v.cause == SpanCause::SummerHour)
            where += " with the summer hour of pref.zvd (field 11)";
        if (v.cause == SpanCause::DeltaT)
            where = " with Delta T taken off TT";
        const char* verb = instant ? " is " : v.lastEnd ? " ends at " : " begins at ";
        return where + ", " + what + verb + ut + " in universal time";
    }
    std::string where = "فعند المنطقة الزمنية " + zoneShown + " في الملف " +
                        platform::pathInMessage("loc.zvd", false) + " (الحقل 9)";
    if (v.cause == SpanCause::SummerHour)
        where += " مع الساعة الصيفية في الملف " + platform::pathInMessage("pref.zvd", false) +
                 " (الحقل 11)";
    if (v.cause == SpanCause::DeltaT)
        where = "فبعد طرح Delta T";
    if (instant)
        return where + " يوافق " + what + " " + ut + " بالتوقيت العالمي";
    return where + (v.lastEnd ? " ينتهي " : " يبدأ ") + what + " في " + ut + " بالتوقيت العالمي";
}

SpanVerdict judgeDays(double JD1, double JD2, double zone, const settings::Preferences& pref,
                      bool summerOn)
{
    const auto summerHours = [&](double JD) {
        double year, month, day;
        juc(JD + 0.5, year, month, day);
        return summerOn && inSummerWindow(pref, SummerYearRule::TestedYear, year, month,
                                          std::floor(day))
                   ? 1.0
                   : 0.0;
    };
    return judgeLocalDays(JD1, JD2, zone, summerHours(JD1), summerHours(JD2));
}

void incomputableDaysMessage(bool english, double year, YearSource source, std::string& title,
                             std::string& text, const SpanVerdict& why, double zone)
{
    const std::string y = yearInMessage(year, english);
    const std::string first = yearInMessage(kFirstComputableYear, english);
    const std::string last = yearInMessage(kLastComputableYear, english);
    const std::string field = source == YearSource::FirstDate ? "2" : "5";
    const bool byYear = why.cause == SpanCause::Year || why.cause == SpanCause::None;
    if (english) {
        title = "Date Error";
        text = "The year " + y + " in date.zvd (field " + field +
               ") takes the calculation beyond the years it can be made for, " + first + " to " +
               last + " in universal time";
        if (!byYear)
            text += ":" +
                    spanCauseText(why, zone, true, why.lastEnd ? "its last day" : "its first day");
        text += ". Please choose other dates from the Date window.";
    } else {
        title = "خطأ";
        text = "السنة " + y + " في الملف " + platform::pathInMessage("date.zvd", false) +
               " (الحقل " + field + ") تخرج بالحساب عن السنوات التي يصح لها، من " + first +
               " إلى " + last + " بالتوقيت العالمي";
        if (!byYear)
            text += ": " +
                    spanCauseText(why, zone, false, why.lastEnd ? "اليوم الأخير" : "اليوم الأول");
        text += "، يرجى اختيار تواريخ أخرى من نافذة التاريخ";
    }
}

bool refuseIncomputableDays(prayer::RunHost& host, const settings::DateSelection& date, double JD1,
                            double JD2, double zone, const settings::Preferences& pref,
                            bool summerOn, bool english)
{
    const SpanVerdict why = judgeDays(JD1, JD2, zone, pref, summerOn);
    if (why.computable())
        return false;
    // The end that leaves the span; a range whose two ends hold one year
    // names the first field.
    const bool firstEnd = !why.lastEnd || date.year2 == date.year1;
    const YearSource source = firstEnd ? YearSource::FirstDate : YearSource::LastDate;
    std::string title, message;
    incomputableDaysMessage(english, firstEnd ? date.year1 : date.year2, source, title, message,
                            why, zone);
    host.warn(title, message, english);
    host.unload();
    return true;
}

} // namespace reportpieces
