// The Sun and Moon ephemeris table, as the window runs it but without the
// progress window and with the file write discarded: a Moon month in hourly
// steps (721 rows, the typical observer's table), a Sun year in daily steps
// (366 rows), and one row of each body alone.
#include <cstdlib>
#include <filesystem>

#include <benchmark/benchmark.h>

#include "engine/modgeneral.h"
#include "engine/modjul.h"
#include "platform/filewriter.h"
#include "platform/programfolder.h"
#include "series/seriesloader.h"
#include "settings/records.h"
#include "tools/ephemeris.h"
#include "yearbench.h"

namespace {

void setUpFolder()
{
    static bool done = false;
    if (done)
        return;
    yearbench::setUpSeriesFolder();

    settings::CurrentLocation loc;
    loc.locname = "Riyadh";
    loc.longid = 46, loc.longim = 43, loc.latid = 24, loc.latim = 38;
    loc.east = loc.north = true;
    loc.ele = 600, loc.zon = 3, loc.pres = 1010, loc.temp = 10, loc.alpha = "0.0065";
    if (!settings::writePreferences(settings::Preferences::defaults()) ||
        !settings::writeCurrentLocation(loc))
        std::abort();
    pi = kPi15;
    done = true;
}

// No progress window: every hand-over returns at once.
class QuietHost : public ephemeris::RunHost {
public:
    void progress(double) override {}
    bool handOverCancelled() override { return false; }
    void dateError(bool) override {}
    void farDates(bool) override {}
    void writeFailed(const std::string&, bool) override {}
    void openReport(const std::filesystem::path&) override {}
};

void runTable(benchmark::State& state, const ephemeris::EphemerisSettings& s, const char* label)
{
    setUpFolder();
    yearbench::DiscardingWriter writer;
    platform::FileWriter* old = platform::setFileWriter(&writer);
    QuietHost host;
    long long rows = 0;
    for (auto _ : state) {
        ephemeris::runEphemeris(s, host, &rows);
        benchmark::DoNotOptimize(rows);
    }
    platform::setFileWriter(old);
    state.SetLabel(label);
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["per_row"] =
        benchmark::Counter(static_cast<double>(rows) * state.iterations(),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void MoonMonthHourly(benchmark::State& state)
{
    ephemeris::EphemerisSettings s;
    s.body = 1;
    s.geocentric = false;
    s.year1 = s.year2 = 2027;
    s.month1 = 2, s.day1 = 1;
    s.month2 = 3, s.day2 = 3; // 30 days of February and March 2027
    s.increment = 1, s.unit = 2;
    runTable(state, s, "Moon, topocentric, 30 days hourly");
}
BENCHMARK(MoonMonthHourly)->Unit(benchmark::kMillisecond);

void SunYearDaily(benchmark::State& state)
{
    ephemeris::EphemerisSettings s;
    s.body = 0;
    s.year1 = 2027, s.month1 = 1, s.day1 = 1;
    s.year2 = 2028, s.month2 = 1, s.day2 = 1;
    s.increment = 1, s.unit = 3;
    runTable(state, s, "Sun, geocentric, a year daily");
}
BENCHMARK(SunYearDaily)->Unit(benchmark::kMillisecond);

void OneRow(benchmark::State& state)
{
    setUpFolder();
    const bool moon = state.range(0) == 1;
    double t;
    jul(2027, 2, 1, 9, t);
    for (auto _ : state) {
        ephemeris::RowValues v = ephemeris::computeRow(moon, true, t);
        benchmark::DoNotOptimize(v.raHours);
        t += 1.0 / 24;
    }
    state.SetLabel(moon ? "Moon row (cormm, altazm, deltat)" : "Sun row (corsh, altazm, deltat)");
}
BENCHMARK(OneRow)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
