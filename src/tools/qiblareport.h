// The Qibla-times report results.out: for every day of the calculation dates
// the local times at which the Sun (or a vertical object's shadow) points to
// the Qibla. Window-free: the Qibla window hands it the bearing, the option
// and a host for the progress window; tests run it with a host of their own.
// The text goes to the file as it is made and replaces it atomically at the
// end, like the other reports that share results.out.
#pragma once

#include <filesystem>
#include <string>

#include "qibla.h"
#include "reports/prayertimes.h"
#include "reports/reportpieces.h"
#include "settings/records.h"

namespace qibla {

inline constexpr const char* kQiblaReportFile = "results.out";

// What the settings block prints, as the run derived it.
struct QiblaReportSettings {
    float qibang = 0;    // the bearing as the window keeps it
    bool sunMode = true; // false: the shadow points to the Qibla
    settings::Preferences pref;
    settings::CurrentLocation loc;
    settings::DateSelection date; // first and last date as the run uses them
    double deltaTSeconds = 0;
};

class QiblaTimesReport : public reportpieces::ReportText {
public:
    // Lines 1 to 17: title, settings block and the two header lines.
    void writeHeader(const QiblaReportSettings& s);
    // A day's row; an empty line comes before every fifth row.
    void writeRow(const std::string& dateText, bool summer, const QiblaDayTimes& times);
    // The closing rule and the remarks.
    void writeClosing();

    // Counted here: the blank line comes before every fifth row, not after.
    int rows() const { return rows_; }

private:
    int rows_ = 0;
};

struct QiblaRunResult {
    bool cancelled = false; // Cancel stopped it (cancelflag -1)
    bool refused = false;   // dates too far to count day by day: nothing written
    bool written = false;   // the report file was written
    int rows = 0;
    std::filesystem::path reportFile;
    std::string writeError; // why writing the report failed, or empty
};

// One run of the report for the bearing `qibang` (Sun mode, or shadow mode:
// the bearing + 180). Reads pref.zvd, loc.zvd and date.zvd strictly (a missing
// or short file stops the program), shows the progress through `host`, hands
// over once a row and stops after the row in which Cancel was pressed; the
// report opens in the viewer unless cancelled or not written. Without a host
// nothing is shown and nothing yields.
QiblaRunResult runQiblaTimesReport(float qibang, bool sunMode, prayer::RunHost* host);

} // namespace qibla
