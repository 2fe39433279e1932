// Pieces that the prayer-times and moon-times reports share, and the parts of
// their runs that do not depend on what is computed: number items, columns,
// the settings lines both reports print alike, the report text itself, the
// clock text of a result, the zone and date a run uses and the host of a run
// without a window. Window-free.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

#include "engine/computableyears.h"
#include "engine/eventtime.h"
#include "engine/numberpattern.h"
#include "platform/filewriter.h"
#include "prayertimes.h"
#include "settings/records.h"

namespace reportpieces {

// " 5 ", "-5 ", " 1.25 ": plain decimal, one blank before (or the minus sign)
// and one after.
std::string numberItem(double v);
// Plain decimal without surrounding blanks ("10", "-0.5"), and the
// "#...0...0.0..." patterns: the engine's, which every report shares.
using ::patternNumber;
using ::plainNumber;
// "dd/mm/yyyy": day and month with at least two digits.
std::string dateText(double day, double month, double year);
// Characters (UTF-8 code points) of a text.
size_t charCount(const std::string& s);
// `s` padded with blanks so that the next item starts at column `column`
// (1-based); nothing is added when `s` already reaches it.
void padTo(std::string& s, size_t column);
// `item` starting at column `column` of an otherwise blank line.
std::string at(size_t column, const std::string& item);
// `start` followed by each item at its column (items and columns pair up).
std::string columnsText(std::string start, std::span<const std::string> items,
                        std::span<const size_t> columns);
// A settings value compared with a number, as the report's tests do ("1"
// equals 1, "1.0" too).
bool equalsNumber(const std::string& text, double v);
// Whole degrees with the sign of the hemisphere: a place west of Greenwich
// (south of the equator) within its first degree keeps its minus although its
// whole degrees print as 00.
std::string signedDegrees(double deg, double min, double sec, bool positive);

// The rule under the settings block and above the remarks.
inline const std::string kRule(71, '=');

// Lines of the settings block that both reports print alike.
std::string placeLine(const settings::CurrentLocation& l);      // name, position, zone
std::string summerTimeLine(const settings::Preferences& p);     // the summer-time window
std::string heightLine(const settings::Preferences& p);         // whether height counts
std::string refractionLine(const settings::CurrentLocation& l); // temperature, pressure, ...
std::string cityLine(const settings::CurrentLocation& l);       // the city correction
std::string deltaTLine(double deltaTSeconds);
// The same line where a report reads the switch as off in a way of its own
// (the Qiblah times by its number, the moon phases by the text "0").
std::string summerTimeLine(const settings::Preferences& p, bool off);

// A report's text: lines ending with CR LF that replace the report file
// atomically at the end; rows are counted so that a blank line follows every
// fifth. Once spoolTo() names the file, lines go on to it as they are made
// (platform::SpooledFile), so that a report of any length keeps memory flat.
class ReportText {
public:
    // From now on the lines are written to `file` as they come; the lines
    // gathered so far go first.
    void spoolTo(const std::filesystem::path& file);

    // The text held in memory: all of it for a short report.
    const std::string& text() const { return spool_ ? spool_->held() : text_; }
    int rows() const { return rows_; }
    // The most text ever held in memory at once.
    size_t peakHeld() const { return spool_ ? spool_->peakHeld() : text_.size(); }

    // Replaces `file` with the text (atomically); false with `error` set when
    // the file could not be written.
    bool save(const std::filesystem::path& file, std::string& error);

protected:
    void line(const std::string& s);
    // A day's row; a blank line follows every fifth.
    void row(const std::string& s);
    // The title lines and the heading of the settings block.
    void writeTitle();
    // The closing rule, the heading of the remarks and the two remarks about
    // the date column.
    void writeDateRemarks();

private:
    std::string text_;
    std::optional<platform::SpooledFile> spool_;
    int rows_ = 0;
};

// The text of a result: a marker's text, or the clock text of a time in the
// precision `min` ("1": hh:mm, "0": hh:mm:ss).
std::string eventText(const EventTime& e, const std::string& min);

// When the date selection asks for the system date, its first and last date
// become today (local time of the platform's clock).
void useSystemDate(settings::DateSelection& date);

// Summer time of a run's day: the one-day run takes `summerflag`, a run with
// summ "1" asks the window of the preferences the run read at its start, any
// other run has none.
std::int16_t summerFlag(bool oneDay, const settings::Preferences& pref, double day, double month,
                        double year);

// The progress of the day loop at Julian Day JD of JD1 .. JD2 ("37 %"; a
// one-day range shows "100 %").
void showProgress(prayer::RunHost& host, double JD, double JD1, double JD2);

// The whole percentage of p for the progress label ("37 %"), kept within
// 0 .. 100; 0 when p is not a number (a range with an unbounded end).
std::string percentText(double p);

// The day after JD for the row loops `for (JD = JD1; JD <= JD2; JD = nextDay(JD))`.
// Far from the present era adding a day no longer changes the Julian Day: the
// result is then not a number, which ends the loop instead of repeating one
// row for ever. A range keeps its length otherwise; Cancel ends a long one.
double nextDay(double JD);

// Whether the days from JD1 to JD2 (Julian Days at 0 h) can be counted one by
// one: both ends are numbers and each gives back its own calendar date. Some
// trillions of years from now a Julian Day no longer tells one day from the
// next, and a report's rows would carry wrong dates.
bool countableDays(double JD1, double JD2);

// The refusal of a report whose days cannot be counted, in the interface
// language.
void uncountableDaysMessage(bool english, std::string& title, std::string& text);

// For a report from JD1 to JD2 whose days cannot be counted: shows the
// refusal through `host`, unloads its progress window and returns true. The
// run then ends before any row, leaving the report before in place.
bool refuseUncountableDays(prayer::RunHost& host, double JD1, double JD2, bool english);

// A year as a refusal names it: whole digits as date.zvd holds them, the
// first fifteen and the power of ten from 1e15 on.
std::string yearText(double year);
// yearText as a message in the interface language shows it: a year below 0
// keeps its minus left of its digits in Arabic.
std::string yearInMessage(double year, bool english);
// "dd/mm/yyyy hh:mm" of a Julian Day of universal time, to the minute.
std::string universalTimeText(double ut);

// The clause of a refusal that tells what carries `what` (the first day, the
// year, ...) out of the computable years when it is not its date as read:
// the zone of loc.zvd, with the summer hour of pref.zvd, or Delta T, and the
// universal time at which it begins or ends (or, an `instant`, which it
// is). Signed numbers stay one left-to-right run in Arabic.
std::string spanCauseText(const SpanVerdict& why, double zone, bool english,
                          const std::string& what, bool instant = false);

// How the days from JD1 to JD2 (local days at 0 h) stand against the
// computable years (engine/computableyears.h): from the first day's 0 h to
// the last day's 24 h, the zone (hours east) taken off, and the summer hour
// where it is in force on that day (summerOn, and the day within the window
// of `pref`, as the report stars a date).
SpanVerdict judgeDays(double JD1, double JD2, double zone, const settings::Preferences& pref,
                      bool summerOn);

// The field of date.zvd a refused run's year comes from: the first date's
// year (field 2) or the last date's (field 5). The system's date needs no
// such refusal: the machine's clock counts nanoseconds in 64 bits, and the
// kernel keeps it within 1678 to 2262 (tests/engine/computableyears_test.cpp).
enum class YearSource { FirstDate, LastDate };

// The refusal of a run whose year `year` takes it outside the computable
// years, in the interface language, naming date.zvd and its field, and the
// zone, the summer hour or Delta T when `why` says one of them carries it
// out.
void incomputableDaysMessage(bool english, double year, YearSource source, std::string& title,
                             std::string& text, const SpanVerdict& why = {}, double zone = 0);

// For a report from JD1 to JD2 whose days leave the computable years: shows
// the refusal through `host`, naming the year of the end that leaves them
// and its field of `date` and what carries it out, unloads the progress
// window and returns true. Comes before the count of the days: a refusal
// that names the year tells more than one that days cannot be counted.
bool refuseIncomputableDays(prayer::RunHost& host, const settings::DateSelection& date, double JD1,
                            double JD2, double zone, const settings::Preferences& pref,
                            bool summerOn, bool english);

// The host of a run without a window: no progress, no hand-over, no viewer.
class NoWindow : public prayer::RunHost {
public:
    void reset() override {}
    void show() override {}
    void setProgress(float, const std::string&) override {}
    void handOver() override {}
    void showReport(const std::filesystem::path&) override {}
    void unload() override {}
};

} // namespace reportpieces
