// One call of each Sun tier that reads the series, including its read of the
// place (the stamp-checked loc.zvd) and the nutation.
#include <cstdlib>
#include <filesystem>

#include <benchmark/benchmark.h>

#include "engine/modcorsh.h"
#include "engine/modcorsl.h"
#include "engine/modcorsm.h"
#include "engine/modgeneral.h"
#include "platform/programfolder.h"
#include "series/seriesloader.h"

namespace {

namespace fs = std::filesystem;

// A temporary program folder with the series files and the default place.
struct Folder {
    fs::path path;

    Folder()
    {
        std::string pattern = (fs::temp_directory_path() / "miqatix-bench-XXXXXX").string();
        path = ::mkdtemp(pattern.data());
        for (const char* name : {"termfull.zvd", "term.zvd", "mterm.zvd"})
            fs::copy_file(fs::path(MIQATIX_SERIES_DIR) / name, path / name);
        fs::copy_file(fs::path(MIQATIX_DATA_DIR) / "settings" / "loc.zvd", path / "loc.zvd");
        platform::setProgramFolder(path);
        series::loadTermFull();
        series::loadTerm();
        series::loadMterm();
        pi = kPi15;
        tdtmode = 0;
    }
    ~Folder() { fs::remove_all(path); }
};

Folder& folder()
{
    static Folder f;
    return f;
}

template <void (*Procedure)(double, double, double&, double&, double&, double&, double&, double&,
                            double&, double&, double&, double&)>
void sunCall(benchmark::State& state)
{
    folder();
    double jd = 2460676.5;
    double alpha, delta, alphaT, deltaT, lambda, beta, lambdaT, betaT, R, E;
    for (auto _ : state) {
        Procedure(pi, jd, alpha, delta, alphaT, deltaT, lambda, beta, lambdaT, betaT, R, E);
        benchmark::DoNotOptimize(alpha);
        benchmark::DoNotOptimize(alphaT);
        jd += 0.001;
    }
}

} // namespace

BENCHMARK(sunCall<corsl>)->Name("corsl");
BENCHMARK(sunCall<corsm>)->Name("corsm");
BENCHMARK(sunCall<corsh>)->Name("corsh");

BENCHMARK_MAIN();
