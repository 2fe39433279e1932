// The six daily prayer times of a whole year for one place: as one report
// run over the year (the report text is built but not written), and as 365
// today runs (each reading the three settings files again). No window.
#include <cstdlib>

#include <benchmark/benchmark.h>

#include "engine/modgeneral.h"
#include "engine/modjul.h"
#include "reports/prayertimes.h"
#include "yearbench.h"

namespace {

void setUpFolder()
{
    static bool done = false;
    if (done)
        return;
    settings::Preferences pref = settings::Preferences::defaults();
    pref.ishang = 17; // a separate Isha request, as most conventions need
    settings::DateSelection date;
    date.year1 = date.year2 = 2027;
    date.month1 = date.month2 = date.day1 = date.day2 = 1;
    date.oneday = true;
    yearbench::setUpCairoFolder(pref, date);
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

void ReportRunOfAYear(benchmark::State& state)
{
    setUpFolder();
    if (!settings::writeDateSelection(yearbench::yearOf2027()))
        std::abort();
    yearbench::DiscardingWriter discard;
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
