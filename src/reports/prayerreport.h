// The prayer-times report results.out: a title, a block that echoes the
// run's settings, one row per day and the remarks. Lines end with CR LF;
// columns are counted in characters (a place name may be Arabic), not bytes.
// The text is gathered in memory and the file replaced atomically at the end.
#pragma once

#include <filesystem>
#include <string>

#include "reportpieces.h"
#include "settings/records.h"

namespace prayer {

// What the settings block prints, as the run derived it.
struct ReportSettings {
    settings::Preferences pref; // fajang and ishang as the run uses them
    settings::CurrentLocation loc;
    settings::DateSelection date; // first and last date as the run uses them
    double deltaTSeconds = 0;     // Delta T at the middle of the range
};

// The six texts of a row.
struct ReportTimes {
    std::string fajr, shuruq, dhuhr, asr, maghrib, isha;
};

class PrayerReport : public reportpieces::ReportText {
public:
    // Title, settings block and column headers (minutes or seconds columns
    // by pref.min).
    void writeHeader(const ReportSettings& s);
    // A row of an ordinary run, in the columns of the precision; a blank line
    // follows every fifth row.
    void writeRow(const std::string& dateText, bool summer, const ReportTimes& t,
                  bool minutesPrecision);
    // A row of the high-latitude method: always the minutes columns, the Fajr
    // and Isha texts followed directly by their marks ("#", "#*", ...).
    void writeMarkedRow(const std::string& dateText, bool summer, const ReportTimes& t,
                        const std::string& fajrMark, const std::string& ishaMark);
    // The closing rule and the remarks.
    void writeRemarks();
    // text(), rows() and save() come from the report text.
};

// Number items and patterns of the report, shared with the moon-times report
// (see reportpieces.h) under the names the prayer code has always used.
using reportpieces::charCount;
using reportpieces::dateText;
using reportpieces::numberItem;
using reportpieces::padTo;
using reportpieces::patternNumber;
using reportpieces::plainNumber;

} // namespace prayer
