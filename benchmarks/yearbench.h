// What the year benchmarks of the daily engines share: a temporary program
// folder with the four series tables loaded and the settings of Cairo, and a
// file writer that keeps reports in memory.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include "engine/modgeneral.h"
#include "mainwindow/seriesloader.h"
#include "platform/filewriter.h"
#include "platform/programfolder.h"
#include "settings/records.h"

namespace yearbench {

// Loads the series tables, makes a fresh temporary program folder current and
// writes `pref`, the place Cairo and `date` there; stops on a failure.
inline void setUpCairoFolder(const settings::Preferences& pref, const settings::DateSelection& date)
{
    std::string pattern =
        (std::filesystem::temp_directory_path() / "miqatix-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        std::abort();
    platform::setProgramFolder(MIQATIX_SERIES_DIR);
    series::loadTermFull();
    series::loadTerm();
    series::loadMterm();
    series::loadElp();
    platform::setProgramFolder(pattern);

    settings::CurrentLocation loc;
    loc.locname = "Cairo";
    loc.longid = 31, loc.longim = 14, loc.latid = 30, loc.latim = 2;
    loc.east = loc.north = true;
    loc.ele = 23, loc.zon = 2, loc.pres = 1010, loc.temp = 10, loc.alpha = "0.0065";
    if (!settings::writePreferences(pref) || !settings::writeCurrentLocation(loc) ||
        !settings::writeDateSelection(date))
        std::abort();
    pi = kPi15;
}

// The calculation dates of the whole year 2027.
inline settings::DateSelection yearOf2027()
{
    settings::DateSelection date;
    date.year1 = date.year2 = 2027;
    date.month1 = date.day1 = 1;
    date.month2 = 12, date.day2 = 31;
    return date;
}

// Keeps the report in memory: the benchmark measures the computation.
class DiscardingWriter : public platform::FileWriter {
public:
    bool replaceFile(const std::filesystem::path&, const std::string&, std::string&) override
    {
        return true;
    }
};

} // namespace yearbench
