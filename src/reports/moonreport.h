// The moon-times report mresults.out: a title, a block that echoes the run's
// settings, one row per day (moonrise, transit, moonset) and two closing
// remarks. Lines end with CR LF; columns are counted in characters, not bytes.
// The text is gathered in memory and the file replaced atomically at the end,
// the way the prayer-times report does it.
#pragma once

#include <filesystem>
#include <string>

#include "prayerreport.h"
#include "reportpieces.h"

namespace moontimes {

// The three texts of a row: clock texts or markers.
struct MoonRow {
    std::string rise, transit, set;
};

class MoonTimesReport : public reportpieces::ReportText {
public:
    // Lines 1 to 16: title, settings block and the column header of the
    // precision (pref.min "1": minutes, otherwise seconds).
    void writeHeader(const prayer::ReportSettings& s);
    // A day's row in the columns of the precision; an empty line follows every
    // fifth row.
    void writeRow(const std::string& dateText, bool summer, const MoonRow& row,
                  bool minutesPrecision);
    // The closing rule and the remarks.
    void writeClosing();
    // text(), rows() and save() come from the report text.
};

// The name of the report file in the program folder.
inline constexpr const char* kMoonReportFile = "mresults.out";

} // namespace moontimes
