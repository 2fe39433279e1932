// The Sun and Moon ephemeris: its settings record (coor.zvd), the quantities
// of one table row, their text forms, and the run that writes the table to
// ephemeris.out. Plain C++: the window hands the run a host for the progress
// window, the messages and the viewer.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/filewriter.h"
#include "settings/records.h"

namespace ephemeris {

// coor.zvd: the window's last settings, one settings line of 18 fields.
struct EphemerisSettings {
    int body = 0;   // list index: 0 Sun, 1 Moon, -1 none selected
    bool ut = true; // true "Local (UT1)", false "Local (TDT)"
    bool geocentric = true;
    double year1 = 2004, month1 = 1, day1 = 1, hour1 = 0, minute1 = 0, second1 = 0;
    double year2 = 2004, month2 = 1, day2 = 2, hour2 = 0, minute2 = 0, second2 = 0;
    double increment = 1; // whole, not negative
    int unit = 3;         // list index: 0 second, 1 minute, 2 hour, 3 day, -1 none
    int summer = 0;       // 1: one hour of summer time over the whole range
};

inline constexpr size_t kEphemerisSettingsFields = 18;
// What each field must read as (see settings::readRecordStrict).
inline constexpr std::string_view kEphemerisSettingsKinds = "nbbnnnnnnnnnnnnnnn";
inline constexpr const char* kSettingsFile = "coor.zvd";
inline constexpr const char* kReportFile = "ephemeris.out";

std::vector<settings::SettingsField> toFields(const EphemerisSettings& s);
EphemerisSettings ephemerisSettingsFrom(const std::vector<settings::SettingsField>& f);
// Strict: a missing or short coor.zvd stops the program naming the file.
EphemerisSettings readEphemerisSettings();
settings::SaveResult writeEphemerisSettings(const EphemerisSettings& s);

// The increment as a box's text gives it: |floor(value)| of the text's leading
// number ("2.7" gives 2, "-2.5" gives 3, "x" gives 0).
double incrementOf(const std::string& text);

// The step between rows in days for an increment and a unit index; a step
// that comes out as 0 (increment 0, or no unit) is one day. The increment is
// taken as incrementOf takes a text, so that a hand-edited coor.zvd cannot
// make the table run backwards.
double stepDays(double increment, int unit);

// The lunar mansion whose span holds the ecliptic longitude L (degrees); a
// longitude a little below 0 or at 360 and above falls in the first one; no
// longitude (not a number) has none: "----".
const char* lunarMansion(double L);

// One row's quantities, before formatting. Angles in degrees.
struct RowValues {
    double raHours = 0, dec = 0, altitude = 0, azimuth = 0;
    double latitude = 0, longitude = 0;
    double distanceKm = 0, semidiameter = 0, parallax = 0;
    double deltaTSeconds = 0;
    const char* mansion = "";
};

// The apparent place of the Sun (corsh) or the Moon (cormm) at t (UT, or TT
// while tdtmode = 1) in the chosen frame, with its altitude and azimuth for the
// place of loc.zvd. For the Sun distance, semidiameter and parallax are
// geocentric in both frames.
RowValues computeRow(bool moon, bool geocentric, double t);

// The instant (UT, or TT in a TDT run) of an entered local clock time and
// date: the hour less the zone, and one more hour less in summer time.
double clockInstant(double year, double month, double day, double hour, double minute,
                    double second, double zone, bool summer);

// "hh:mm:ss dd/mm/yyyy": the local clock time and date of the instant t. The
// clock time of an instant made by clockInstant reads as it was entered.
std::string rowLabel(double t, double zone, bool summer);

// The row line (without its line end), items at their columns.
std::string rowLine(const std::string& label, const RowValues& v, bool moon);

// The location line of the settings block, from loc.zvd's first 11 fields.
std::string locationLine(const settings::CurrentLocation& loc);

// The time zone as the arithmetic uses it: its "####0.00" text's number.
double zoneOf(const settings::CurrentLocation& loc);

// Appends `item` at the 1-based character column `column` of `line`; when the
// line already reaches that column the item starts a new line there.
void placeAt(std::string& line, size_t column, const std::string& item);

// The report text of the program folder's ephemeris.out, built line by line
// (CR LF). Small reports are written in one piece through
// platform::fileWriter(); a table too long to hold in memory (the row count
// has no limit) goes on into a temporary file beside the report, which is
// renamed over it at the end: either way the old report survives a failed
// write (platform::SpooledFile).
class ReportText {
public:
    explicit ReportText(size_t spillBytes = size_t(1) << 20);

    void line(const std::string& s);
    // Replaces `file`; false with `error` set when it could not be written.
    bool save(const std::filesystem::path& file, std::string& error);
    // The text held in memory (all of it unless it was spilled).
    const std::string& text() const { return out_.held(); }

private:
    platform::SpooledFile out_;
};

// What the run needs of the windows.
class RunHost {
public:
    virtual ~RunHost() = default;
    // The progress bar and its label: p from 0 to 100.
    virtual void progress(double p) = 0;
    // Hands control to the message loop once; true when Cancel was pressed.
    virtual bool handOverCancelled() = 0;
    // The end lies before the start: hide the progress window and say so.
    virtual void dateError(bool english) = 0;
    // A date lies outside the computable years (or the step is lost in the
    // rounding of the start): hide the progress window and show `text`, the
    // refusal in the interface language.
    virtual void farDates(const std::string& text, bool english) = 0;
    // The report could not be written.
    virtual void writeFailed(const std::string& error, bool english) = 0;
    // Opens the finished report.
    virtual void openReport(const std::filesystem::path& file) = 0;
};

enum class RunOutcome { Finished, Cancelled, DateError, FarDates, WriteFailed };

// The refusal of dates outside the computable years (engine/computableyears.h),
// in the interface language; empty when both ends compute and the step still
// moves the start on. Each end less the zone (hours) and the summer hour is
// universal time; in a TDT run the instants typed are TT, judged by their
// universal time (TT less Delta T), and a refusal names Delta T when it is
// what carries an end out. Names the end (Start or End LOCAL Time) and its
// year, and the zone or the summer hour when one of them carries it out.
std::string farDatesRefusal(const EphemerisSettings& s, double zone, bool english);

// Steps 3 to 12 of a run: reads loc.zvd and pref.zvd, checks the dates
// (far dates first, then an end before the start), writes the table and opens it unless cancelled.
// tdtmode is 1 for a TDT run and 0 again when the run ends, however it ends (a file fault
// included). `s` holds the inputs as the window's controls give them (the record that the run has
// just written to coor.zvd); `rows` receives the rows written.
RunOutcome runEphemeris(const EphemerisSettings& s, RunHost& host, long long* rows = nullptr);

// Restores tdtmode to 0 when it goes out of scope.
class TdtScope {
public:
    explicit TdtScope(bool tdt);
    ~TdtScope();
    TdtScope(const TdtScope&) = delete;
    TdtScope& operator=(const TdtScope&) = delete;
};

} // namespace ephemeris
