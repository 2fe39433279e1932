#include "prayerreport.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "platform/filewriter.h"

#include "version.h"

namespace prayer {

namespace {

const std::string kRule(71, '=');

// Columns of the six times: minutes rows, seconds rows.
constexpr size_t kMinuteColumns[6] = {16, 26, 36, 46, 56, 66};
constexpr size_t kSecondColumns[6] = {14, 24, 34, 44, 54, 64};
constexpr size_t kSecondHeaderColumns[6] = {15, 25, 35, 46, 54, 66};

std::string at(size_t column, const std::string& item)
{
    std::string s;
    padTo(s, column);
    return s + item;
}

// A settings value compared with a number, as the report's tests do ("1", 1).
bool equalsNumber(const std::string& text, double v)
{
    double x = 0;
    const char* b = text.data();
    auto [p, ec] = std::from_chars(b, b + text.size(), x);
    return ec == std::errc() && p == b + text.size() && x == v;
}

std::string rowText(const std::string& date, bool summer, const std::string (&items)[6],
                    const size_t (&columns)[6])
{
    std::string s = summer ? "*" + date : date;
    for (int i = 0; i < 6; ++i) {
        padTo(s, columns[i]);
        s += items[i];
    }
    return s;
}

} // namespace

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

std::string plainNumber(double v)
{
    if (v == 0)
        return "0"; // also for -0
    char buf[64];
    auto [p, ec] = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
    if (ec != std::errc())
        return "0";
    return std::string(buf, p);
}

std::string numberItem(double v)
{
    const std::string n = plainNumber(v);
    return v < 0 ? n + " " : " " + n + " ";
}

std::string patternNumber(double v, int minDigits, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    // Half away from zero, as the platform's number patterns round.
    double a = std::round(std::fabs(v) * scale) / scale;
    const bool negative = v < 0 && a != 0;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%0*.*f", minDigits + (decimals > 0 ? decimals + 1 : 0),
                  decimals, a);
    return (negative ? "-" : "") + std::string(buf);
}

std::string dateText(double day, double month, double year)
{
    return patternNumber(day, 2, 0) + "/" + patternNumber(month, 2, 0) + "/" +
           patternNumber(year, 1, 0);
}

void PrayerReport::line(const std::string& s)
{
    text_ += s;
    text_ += "\r\n";
}

void PrayerReport::writeHeader(const ReportSettings& s)
{
    const settings::Preferences& p = s.pref;
    const settings::CurrentLocation& l = s.loc;
    const settings::DateSelection& d = s.date;

    line(at(26, "By the Name of Allah"));
    line(at(21, "Falakorum"));
    line(at(20, "Miqatix " MIQATIX_VERSION_SHORT " by the Miqatix team"));
    line("");
    line("* Settings:-");

    const std::string first = dateText(d.day1, d.month1, d.year1);
    const std::string last = dateText(d.day2, d.month2, d.year2);
    if (d.oneday)
        line("- Prayer times for:  " + first + " CE");
    else
        line("- Prayer times from:  " + first + " CE   To:  " + last + " CE");

    // A place west of Greenwich (south of the equator) within its first degree
    // keeps its sign although its whole degrees print as 00.
    auto signedDegrees = [](double deg, double min, double sec, bool positive) {
        std::string t = patternNumber(positive ? deg : -deg, 2, 0);
        if (!positive && (deg != 0 || min != 0 || sec != 0) && t[0] != '-')
            t = "-" + t;
        return t;
    };
    const std::string longid = signedDegrees(l.longid, l.longim, l.longis, l.east);
    const std::string latid = signedDegrees(l.latid, l.latim, l.latis, l.north);
    line("- " + l.locname + ", Long: " + longid + ":" + patternNumber(l.longim, 2, 0) + ":" +
         patternNumber(l.longis, 2, 1) + ", Lat: " + latid + ":" + patternNumber(l.latim, 2, 0) +
         ":" + patternNumber(l.latis, 2, 1) + ", Ele:" + patternNumber(l.ele, 1, 1) +
         ", Zone:" + patternNumber(l.zon, 1, 2));

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

    // addmag is held in single precision: print the digits of that value.
    std::string mag = "0";
    {
        const float m = static_cast<float>(p.addmag);
        char buf[64];
        auto [e, ec] = std::to_chars(buf, buf + sizeof buf, m, std::chars_format::fixed);
        if (ec == std::errc() && m != 0)
            mag = std::string(buf, e);
        mag = m < 0 ? mag + " " : " " + mag + " ";
    }
    line("- Sub. Fajer:" + numberItem(p.subfaj) + "Min, Sub. Shuroq:" + numberItem(p.subsho) +
         "Min, Add Dhohur:" + numberItem(p.adddoh) + "Min, Add Asr:" + numberItem(p.addasr) +
         "Min, Add Maghreb:" + mag + "Min");
    line("- Fajer Angle:" + numberItem(p.fajang) + ",  Isha Angle:" + numberItem(p.ishang));
    line("- Refraction: Temp.: " + plainNumber(l.temp) + " °C   Pres.: " + plainNumber(l.pres) +
         " mb   Humidity: " + plainNumber(l.hum) + " %   Temp.Rate: " + l.alpha + " K/m");
    line(std::string("- Mazhab:  ") + (equalsNumber(p.sha, 1) ? "Standard" : "Hanafi"));
    if (l.city == 0)
        line("- City Settings: 0 Km.");
    else
        line("- City Settings:" + numberItem(l.city) + "Km.");
    line("- Delta T: " + patternNumber(s.deltaTSeconds, 2, 1) + " Second(s)");
    line(kRule);
    line("");
    if (p.min == "1") {
        line("  Date         Fajer    Shuroq     Dhohur    Aser     Maghreb    Isha");
        line("              B. Twi.   Sunrise    Transit   -----    Sunset    E. Twi.");
    } else {
        const std::string names[6] = {"Fajer", "Shuroq", "Dhohur", "Aser", "Maghreb", "Isha"};
        std::string h = "  Date";
        for (int i = 0; i < 6; ++i) {
            padTo(h, kSecondHeaderColumns[i]);
            h += names[i];
        }
        line(h);
        line("              B. Twi.   Sunrise   Transit    -----    Sunset    E. Twi.");
    }
    line("");
}

void PrayerReport::writeRow(const std::string& date, bool summer, const ReportTimes& t,
                            bool minutesPrecision)
{
    const std::string items[6] = {t.fajr, t.shuruq, t.dhuhr, t.asr, t.maghrib, t.isha};
    line(rowText(date, summer, items, minutesPrecision ? kMinuteColumns : kSecondColumns));
    if (++rows_ % 5 == 0)
        line("");
}

void PrayerReport::writeMarkedRow(const std::string& date, bool summer, const ReportTimes& t,
                                  const std::string& fajrMark, const std::string& ishaMark)
{
    const std::string items[6] = {t.fajr + fajrMark, t.shuruq,         t.dhuhr, t.asr,
                                  t.maghrib,         t.isha + ishaMark};
    line(rowText(date, summer, items, kMinuteColumns));
    if (++rows_ % 5 == 0)
        line("");
}

void PrayerReport::writeRemarks()
{
    line(kRule);
    line("");
    line("* Remarks:-");
    static const char* const remarks[] = {
        "Date format: dd/mm/yyyy.",
        "The Symbol '*' before the date, refers to Summer Time.",
        "Fajer: Beginning of Astronomical Twilight.",
        "Shuroq: Sunrise.",
        "Dhohur: Transit of Sun.",
        "Maghreb: Sunset.",
        "Isha: End of Astronomical Twilight.",
        "----: There is no event.",
        "Up: The Sun is always above horizon.",
        "Down: The Sun is always below horizon.",
        "Bright: The sky is always bright.",
        "Dark: The sky is always dark.",
    };
    for (const char* r : remarks)
        line(std::string("- ") + r);
}

bool PrayerReport::save(const std::filesystem::path& file, std::string& error) const
{
    return platform::fileWriter().replaceFile(file, text_, error);
}

} // namespace prayer
