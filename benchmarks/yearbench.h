// What the benchmarks of the report runs share: a temporary program folder
// with the four series tables loaded, the place Cairo, and a file writer that
// keeps reports in memory.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include "engine/modgeneral.h"
#include "platform/filewriter.h"
#include "platform/programfolder.h"
#include "series/seriesloader.h"
#include "settings/records.h"

namespace yearbench {

// Loads the series tables and makes a fresh temporary program folder current;
// stops on a failure.
inline void setUpSeriesFolder()
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
}

// Cairo: 31 14' E, 30 2' N, 23 m, zone 2.
inline settings::CurrentLocation cairo()
{
    settings::CurrentLocation loc;
    loc.locname = "Cairo";
    loc.longid = 31, loc.longim = 14, loc.latid = 30, loc.latim = 2;
    loc.east = loc.north = true;
    loc.ele = 23, loc.zon = 2, loc.pres = 1010, loc.temp = 10, loc.alpha = "0.0065";
    return loc;
}

// setUpSeriesFolder(), then `pref`, the place Cairo and `date` written there;
// stops on a failure.
inline void setUpCairoFolder(const settings::Preferences& pref, const settings::DateSelection& date)
{
    setUpSeriesFolder();
    if (!settings::writePreferences(pref) || !settings::writeCurrentLocation(cairo()) ||
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
