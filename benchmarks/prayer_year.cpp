// The six daily prayer times of a whole year for one place: as one report
// run over the year (the report text is built but not written), and as 365
// today runs (each reading the three settings files again). No window.
#include <cstdlib>
#include <filesystem>

#include <benchmark/benchmark.h>

#include "engine/modgeneral.h"
#include "engine/modjul.h"
#include "mainwindow/prayertimes.h"
#include "mainwindow/seriesloader.h"
#include "platform/filewriter.h"
#include "platform/programfolder.h"
#include "settings/records.h"

namespace {

void setUpFolder()
{
    static bool done = false;
    if (done)
        return;
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

    settings::Preferences pref = settings::Preferences::defaults();
    pref.ishang = 17; // a separate Isha request, as most conventions need
    settings::CurrentLocation loc;
    loc.locname = "Cairo";
    loc.longid = 31, loc.longim = 14, loc.latid = 30, loc.latim = 2;
    loc.east = loc.north = true;
    loc.ele = 23, loc.zon = 2, loc.pres = 1010, loc.temp = 10, loc.alpha = "0.0065";
    settings::DateSelection date;
    date.year1 = date.year2 = 2027;
    date.month1 = date.month2 = date.day1 = date.day2 = 1;
    date.oneday = true;
    if (!settings::writePreferences(pref) || !settings::writeCurrentLocation(loc) ||
        !settings::writeDateSelection(date))
        std::abort();
    pi = kPi15;
    done = true;
}

void TodayRunsOfAYear(benchmark::State& state)
{
    setUpFolder();
    prayer::PrayerTimesEngine engine;
    double first;
    jul(2027, 1, 1, 0, first);
    for (auto _ : state) {
        for (int d = 0; d < 365; ++d) {
            engine.todaymode = 1;
            engine.todayjd = first + d;
            engine.cmdcom_Click();
            benchmark::DoNotOptimize(engine.ishatext.data());
        }
    }
    state.SetLabel("365 days");
}
BENCHMARK(TodayRunsOfAYear)->Unit(benchmark::kMillisecond);

// Keeps the report in memory: the benchmark measures the computation.
class DiscardingWriter : public platform::FileWriter {
public:
    bool replaceFile(const std::filesystem::path&, const std::string&, std::string&) override
    {
        return true;
    }
};

void ReportRunOfAYear(benchmark::State& state)
{
    setUpFolder();
    settings::DateSelection date;
    date.year1 = date.year2 = 2027;
    date.month1 = date.day1 = 1;
    date.month2 = 12;
    date.day2 = 31;
    if (!settings::writeDateSelection(date))
        std::abort();
    DiscardingWriter discard;
    platform::FileWriter* old = platform::setFileWriter(&discard);
    prayer::PrayerTimesEngine engine;
    for (auto _ : state) {
        engine.cmdcom_Click();
        benchmark::DoNotOptimize(engine.ishatext.data());
    }
    platform::setFileWriter(old);
    state.SetLabel("365 days");
}
BENCHMARK(ReportRunOfAYear)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
