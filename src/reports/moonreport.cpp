#include "moonreport.h"

namespace moontimes {

using reportpieces::columnsText;
using reportpieces::kRule;

namespace {

// Columns of rise, transit and set: minutes rows, seconds rows, seconds header.
constexpr size_t kMinuteColumns[3] = {18, 35, 54};
constexpr size_t kSecondColumns[3] = {17, 37, 55};
constexpr size_t kSecondHeaderColumns[3] = {17, 35, 55};

} // namespace

void MoonTimesReport::writeHeader(const prayer::ReportSettings& s)
{
    const settings::Preferences& p = s.pref;
    const settings::CurrentLocation& l = s.loc;
    const settings::DateSelection& d = s.date;

    writeTitle();
    const std::string first = reportpieces::dateText(d.day1, d.month1, d.year1) + " CE";
    const std::string last = reportpieces::dateText(d.day2, d.month2, d.year2) + " CE";
    if (d.oneday)
        line("- Moon Times for:  " + first);
    else
        line("- Moon Times from:  " + first + "   To:  " + last);
    line(reportpieces::placeLine(l));
    line(reportpieces::summerTimeLine(p));
    line(reportpieces::heightLine(p));
    line(reportpieces::refractionLine(l));
    line(reportpieces::cityLine(l));
    line(reportpieces::deltaTLine(s.deltaTSeconds));
    line(kRule);
    line("");
    if (p.min == "1") {
        line("  Date" + std::string(10, ' ') + "Moon Rise" + std::string(6, ' ') + "Moon Transit" +
             std::string(8, ' ') + "Moon Set");
    } else {
        const std::string names[3] = {"Moon Rise", "Moon Transit", "Moon Set"};
        line(columnsText("  Date", names, kSecondHeaderColumns));
    }
    line("");
}

void MoonTimesReport::writeRow(const std::string& date, bool summer, const MoonRow& r,
                               bool minutesPrecision)
{
    const std::string items[3] = {r.rise, r.transit, r.set};
    row(columnsText(summer ? "*" + date : date, items,
                    minutesPrecision ? kMinuteColumns : kSecondColumns));
}

void MoonTimesReport::writeClosing()
{
    writeDateRemarks();
}

} // namespace moontimes
