#include "prayerreport.h"

#include <charconv>
#include <cmath>

namespace prayer {

using reportpieces::columnsText;
using reportpieces::equalsNumber;
using reportpieces::kRule;

namespace {

// Columns of the six times: minutes rows, seconds rows.
constexpr size_t kMinuteColumns[6] = {16, 26, 36, 46, 56, 66};
constexpr size_t kSecondColumns[6] = {14, 24, 34, 44, 54, 64};
constexpr size_t kSecondHeaderColumns[6] = {15, 25, 35, 46, 54, 66};

} // namespace

void PrayerReport::writeHeader(const ReportSettings& s)
{
    const settings::Preferences& p = s.pref;
    const settings::CurrentLocation& l = s.loc;
    const settings::DateSelection& d = s.date;

    writeTitle();
    const std::string first = dateText(d.day1, d.month1, d.year1);
    const std::string last = dateText(d.day2, d.month2, d.year2);
    if (d.oneday)
        line("- Prayer times for:  " + first + " CE");
    else
        line("- Prayer times from:  " + first + " CE   To:  " + last + " CE");
    line(reportpieces::placeLine(l));
    line(reportpieces::summerTimeLine(p));
    line(reportpieces::heightLine(p));

    // addmag is held in single precision: print the digits of that value. One
    // beyond its range (3.4e38) prints as stored, not as "inf".
    std::string mag = "0";
    {
        const float m = static_cast<float>(p.addmag);
        char buf[64]; // a float's 39 integer digits or 45 decimals
        auto [e, ec] = std::to_chars(buf, buf + sizeof buf, m, std::chars_format::fixed);
        if (!std::isfinite(m))
            mag = plainNumber(p.addmag);
        else if (ec == std::errc() && m != 0)
            mag = std::string(buf, e);
        mag = m < 0 ? mag + " " : " " + mag + " ";
    }
    line("- Sub. Fajer:" + numberItem(p.subfaj) + "Min, Sub. Shuroq:" + numberItem(p.subsho) +
         "Min, Add Dhohur:" + numberItem(p.adddoh) + "Min, Add Asr:" + numberItem(p.addasr) +
         "Min, Add Maghreb:" + mag + "Min");
    line("- Fajer Angle:" + numberItem(p.fajang) + ",  Isha Angle:" + numberItem(p.ishang));
    line(reportpieces::refractionLine(l));
    line(std::string("- Mazhab:  ") + (equalsNumber(p.sha, 1) ? "Standard" : "Hanafi"));
    line(reportpieces::cityLine(l));
    line(reportpieces::deltaTLine(s.deltaTSeconds));
    line(kRule);
    line("");
    if (p.min == "1") {
        line("  Date         Fajer    Shuroq     Dhohur    Aser     Maghreb    Isha");
        line("              B. Twi.   Sunrise    Transit   -----    Sunset    E. Twi.");
    } else {
        const std::string names[6] = {"Fajer", "Shuroq", "Dhohur", "Aser", "Maghreb", "Isha"};
        line(columnsText("  Date", names, kSecondHeaderColumns));
        line("              B. Twi.   Sunrise   Transit    -----    Sunset    E. Twi.");
    }
    line("");
}

void PrayerReport::writeRow(const std::string& date, bool summer, const ReportTimes& t,
                            bool minutesPrecision)
{
    const std::string items[6] = {t.fajr, t.shuruq, t.dhuhr, t.asr, t.maghrib, t.isha};
    row(columnsText(summer ? "*" + date : date, items,
                    minutesPrecision ? kMinuteColumns : kSecondColumns));
}

void PrayerReport::writeMarkedRow(const std::string& date, bool summer, const ReportTimes& t,
                                  const std::string& fajrMark, const std::string& ishaMark)
{
    const std::string items[6] = {t.fajr + fajrMark, t.shuruq,         t.dhuhr, t.asr,
                                  t.maghrib,         t.isha + ishaMark};
    row(columnsText(summer ? "*" + date : date, items, kMinuteColumns));
}

void PrayerReport::writeRemarks()
{
    writeDateRemarks();
    static const char* const remarks[] = {
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

} // namespace prayer
