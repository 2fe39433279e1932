#include "moonreport.h"

#include <charconv>

#include "platform/filewriter.h"

#include "version.h"

namespace moontimes {

using prayer::padTo;
using prayer::patternNumber;
using prayer::plainNumber;

namespace {

const std::string kRule(71, '=');

// Columns of rise, transit and set: minutes rows, seconds rows, seconds header.
constexpr size_t kMinuteColumns[3] = {18, 35, 54};
constexpr size_t kSecondColumns[3] = {17, 37, 55};
constexpr size_t kSecondHeaderColumns[3] = {17, 35, 55};

std::string at(size_t column, const std::string& item)
{
    std::string s;
    padTo(s, column);
    return s + item;
}

// A settings text compared with a number ("1" equals 1, "1.0" too).
bool equalsNumber(const std::string& text, double v)
{
    double x = 0;
    const char* b = text.data();
    auto [p, ec] = std::from_chars(b, b + text.size(), x);
    return ec == std::errc() && p == b + text.size() && x == v;
}

// Whole degrees with the sign of the hemisphere: a place west (south) within
// its first degree keeps its minus although the degrees print as 00.
std::string signedDegrees(double deg, double min, double sec, bool positive)
{
    std::string t = patternNumber(positive ? deg : -deg, 2, 0);
    if (!positive && (deg != 0 || min != 0 || sec != 0) && t[0] != '-')
        t = "-" + t;
    return t;
}

} // namespace

void MoonTimesReport::line(const std::string& s)
{
    text_ += s;
    text_ += "\r\n";
}

void MoonTimesReport::writeHeader(const prayer::ReportSettings& s)
{
    const settings::Preferences& p = s.pref;
    const settings::CurrentLocation& l = s.loc;
    const settings::DateSelection& d = s.date;

    line(at(26, "By the Name of Allah"));
    line(at(21, "Falakorum"));
    line(at(20, "Miqatix " MIQATIX_VERSION_SHORT " by the Miqatix team"));
    line("");
    line("* Settings:-");

    const std::string first = prayer::dateText(d.day1, d.month1, d.year1) + " CE";
    const std::string last = prayer::dateText(d.day2, d.month2, d.year2) + " CE";
    if (d.oneday)
        line("- Moon Times for:  " + first);
    else
        line("- Moon Times from:  " + first + "   To:  " + last);

    line("- " + l.locname + ", Long: " + signedDegrees(l.longid, l.longim, l.longis, l.east) + ":" +
         patternNumber(l.longim, 2, 0) + ":" + patternNumber(l.longis, 2, 1) +
         ", Lat: " + signedDegrees(l.latid, l.latim, l.latis, l.north) + ":" +
         patternNumber(l.latim, 2, 0) + ":" + patternNumber(l.latis, 2, 1) +
         ", Ele:" + patternNumber(l.ele, 1, 1) + ", Zone:" + patternNumber(l.zon, 1, 2));

    if (equalsNumber(p.summ, 0))
        line("- No Summer Time.");
    else
        line("- Summer time is from:  " + patternNumber(p.sdf, 2, 0) + "/" +
             patternNumber(p.smf, 2, 0) + "   To:  " + patternNumber(p.sdt, 2, 0) + "/" +
             patternNumber(p.smt, 2, 0));

    if (equalsNumber(p.eleset, 1))
        line("- Height above mean sea-level affects rise  and  set events.");
    else
        line("- Height above mean sea-level does NOT affect rise  and  set events");

    line("- Refraction: Temp.: " + plainNumber(l.temp) + " °C   Pres.: " + plainNumber(l.pres) +
         " mb   Humidity: " + plainNumber(l.hum) + " %   Temp.Rate: " + l.alpha + " K/m");
    if (l.city == 0)
        line("- City Settings: 0 Km.");
    else
        line("- City Settings:" + prayer::numberItem(l.city) + "Km.");
    line("- Delta T: " + patternNumber(s.deltaTSeconds, 2, 1) + " Second(s)");
    line(kRule);
    line("");
    if (p.min == "1") {
        line("  Date" + std::string(10, ' ') + "Moon Rise" + std::string(6, ' ') + "Moon Transit" +
             std::string(8, ' ') + "Moon Set");
    } else {
        const char* const names[3] = {"Moon Rise", "Moon Transit", "Moon Set"};
        std::string h = "  Date";
        for (int i = 0; i < 3; ++i) {
            padTo(h, kSecondHeaderColumns[i]);
            h += names[i];
        }
        line(h);
    }
    line("");
}

void MoonTimesReport::writeRow(const std::string& date, bool summer, const MoonRow& row,
                               bool minutesPrecision)
{
    const std::string* items[3] = {&row.rise, &row.transit, &row.set};
    const size_t(&columns)[3] = minutesPrecision ? kMinuteColumns : kSecondColumns;
    std::string s = summer ? "*" + date : date;
    for (int i = 0; i < 3; ++i) {
        padTo(s, columns[i]);
        s += *items[i];
    }
    line(s);
    if (++rows_ % 5 == 0)
        line("");
}

void MoonTimesReport::writeClosing()
{
    line(kRule);
    line("");
    line("* Remarks:-");
    line("- Date format: dd/mm/yyyy.");
    line("- The Symbol '*' before the date, refers to Summer Time.");
}

bool MoonTimesReport::save(const std::filesystem::path& file, std::string& error) const
{
    return platform::fileWriter().replaceFile(file, text_, error);
}

} // namespace moontimes
