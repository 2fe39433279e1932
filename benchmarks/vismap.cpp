// One whole visibility map: the conjunction at load and the 432 blocks of the
// grid under the Zivad criterion, two days after the new moon of March 2023.
#include <filesystem>

#include <benchmark/benchmark.h>

#include "engine/modgeneral.h"
#include "engine/modjul.h"
#include "lunar/vismapcompute.h"
#include "platform/programfolder.h"
#include "series/seriesloader.h"

static void BM_VisibilityMap(benchmark::State& state)
{
    // The series files and the shipped settings (corsh and cormm read loc.zvd).
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / "miqatix_bench_vismap";
    fs::create_directories(folder);
    for (const fs::path& dir :
         {fs::path(MIQATIX_SERIES_DIR), fs::path(MIQATIX_DATA_DIR) / "settings"})
        for (const auto& entry : fs::directory_iterator(dir))
            fs::copy_file(entry.path(), folder / entry.path().filename(),
                          fs::copy_options::overwrite_existing);
    platform::setProgramFolder(folder);
    series::loadTermFull();
    series::loadTerm();
    series::loadMterm();
    series::loadElp();
    pi = kPi15;
    double conj = 0;
    jul(2023, 3, 21, 17.42, conj);
    for (auto _ : state) {
        lunar::VisibilityMapComputation map;
        map.prepare(conj);
        int plotted = 0;
        map.drawAll(
            map.days[0] + 1, true, [] { return 0; }, [&](double, double, int) { ++plotted; }, {});
        benchmark::DoNotOptimize(plotted);
    }
}
BENCHMARK(BM_VisibilityMap)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
