// The prayer-times report results.out: a title, a block that echoes the
// run's settings, one row per day and the remarks. Lines end with CR LF;
// columns are counted in characters (a place name may be Arabic), not bytes.
// The text is gathered in memory and the file replaced atomically at the end.
#pragma once

#include <filesystem>
#include <string>

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

class PrayerReport {
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

    const std::string& text() const { return text_; }
    int rows() const { return rows_; }

    // Replaces `file` with the text (atomically); false with `error` set when
    // the file could not be written.
    bool save(const std::filesystem::path& file, std::string& error) const;

private:
    void line(const std::string& s);
    std::string text_;
    int rows_ = 0;
};

// Number items and patterns of the report.
// " 5 ", "-5 ", " 1.25 ": plain decimal, one blank before (or the minus sign)
// and one after.
std::string numberItem(double v);
// Plain decimal without surrounding blanks ("10", "-0.5").
std::string plainNumber(double v);
// A "#...0...0.0..." pattern: at least `minDigits` integer digits, exactly
// `decimals` decimals, half away from zero, "-" before a negative value.
std::string patternNumber(double v, int minDigits, int decimals);
// "dd/mm/yyyy": day and month with at least two digits.
std::string dateText(double day, double month, double year);
// Characters (UTF-8 code points) of a text.
size_t charCount(const std::string& s);
// `s` padded with blanks so that the next item starts at column `column`
// (1-based); nothing is added when `s` already reaches it.
void padTo(std::string& s, size_t column);

} // namespace prayer
