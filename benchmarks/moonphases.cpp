// A year of moon phases, as the Calculate button runs it: 15 lunations, 60
// instants refined on the full VSOP87 Sun and the ELP 2000-85 Moon, the report
// text built (the file write discarded). Geocentric and topocentric (the
// topocentric instants lie further from the estimates and take more steps).
#include <cstdlib>
#include <filesystem>

#include <benchmark/benchmark.h>

#include "engine/modgeneral.h"
#include "lunar/moonphases.h"
#include "platform/filewriter.h"
#include "platform/programfolder.h"
#include "series/seriesloader.h"
#include "settings/records.h"
#include "yearbench.h"

namespace {

void setUpFolder()
{
    static bool done = false;
    if (done)
        return;
    yearbench::setUpSeriesFolder();
    if (!settings::writePreferences(settings::Preferences::defaults()) ||
        !settings::writeCurrentLocation(yearbench::cairo()))
        std::abort();
    done = true;
}

class QuietHost : public lunar::PhaseRunHost {
public:
    explicit QuietHost(bool geocentric) { choices_.geocentric = geocentric; }
    void reset() override {}
    void show() override {}
    void setProgress(float, const std::string&) override {}
    void handOver() override {}
    void showReport(const std::filesystem::path&) override {}
    void unload() override {}
    lunar::PhaseChoices choices() override { return choices_; }

private:
    lunar::PhaseChoices choices_{true, true, 69};
};

void runYear(benchmark::State& state, bool geocentric)
{
    setUpFolder();
    yearbench::DiscardingWriter writer;
    platform::FileWriter* old = platform::setFileWriter(&writer);
    QuietHost host(geocentric);
    for (auto _ : state) {
        lunar::MoonPhasesResult r = lunar::runMoonPhases("2027", host);
        benchmark::DoNotOptimize(r.localJD[7][2]);
    }
    platform::setFileWriter(old);
}

void BM_MoonPhasesYearGeocentric(benchmark::State& state)
{
    runYear(state, true);
}
void BM_MoonPhasesYearTopocentric(benchmark::State& state)
{
    runYear(state, false);
}

} // namespace

BENCHMARK(BM_MoonPhasesYearGeocentric)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MoonPhasesYearTopocentric)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
