// A year of moon times for one place, without the report file: as one report
// run over the year (the report text is built, the file write discarded),
// and as 365 days of moonrise, transit and moonset straight from the
// engine's day functions. Also the rise and set alone, the figure other
// libraries quote (365 moonrises and moonsets).
#include <benchmark/benchmark.h>

#include "engine/modgeneral.h"
#include "engine/modjul.h"
#include "reports/moontimes.h"
#include "yearbench.h"

namespace {

void setUpFolder()
{
    static bool done = false;
    if (done)
        return;
    yearbench::setUpCairoFolder(settings::Preferences::defaults(), yearbench::yearOf2027());
    onedaymode = 0;
    done = true;
}

constexpr double kZone = 2;
constexpr double kLongitude = 31 + 14 / 60.0;

double firstDay()
{
    double JD;
    jul(2027, 1, 1, 0, JD);
    return JD;
}

void RiseSetOfAYear(benchmark::State& state)
{
    setUpFolder();
    const double first = firstDay();
    for (auto _ : state) {
        for (int d = 0; d < 365; ++d) {
            moontimes::MoonDay day;
            moontimes::moonRiseSet(first + d - kZone / 24, "1", day);
            benchmark::DoNotOptimize(day.rise.hours);
        }
    }
    state.SetLabel("365 moonrises and moonsets");
}
BENCHMARK(RiseSetOfAYear)->Unit(benchmark::kMillisecond);

void DaysOfAYear(benchmark::State& state)
{
    setUpFolder();
    const double first = firstDay();
    for (auto _ : state) {
        for (int d = 0; d < 365; ++d) {
            moontimes::MoonDay day;
            const double JD0 = first + d - kZone / 24;
            moontimes::moonRiseSet(JD0, "1", day);
            moontimes::moonTransit(JD0, kLongitude, "1", day);
            benchmark::DoNotOptimize(day.transit);
        }
    }
    state.SetLabel("365 days: rise, transit, set");
}
BENCHMARK(DaysOfAYear)->Unit(benchmark::kMillisecond);

void ReportRunOfAYear(benchmark::State& state)
{
    setUpFolder();
    yearbench::DiscardingWriter writer;
    platform::FileWriter* old = platform::setFileWriter(&writer);
    moontimes::MoonTimesEngine engine;
    for (auto _ : state) {
        engine.cmdmoon_Click();
        benchmark::DoNotOptimize(engine.lastRun().written);
    }
    platform::setFileWriter(old);
    state.SetLabel("365 days, report text built");
}
BENCHMARK(ReportRunOfAYear)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
