// One call each of the two Moon theories and of the integrated refraction,
// with the read of loc.zvd that each call makes (served from the stamp-checked
// cache while the file is unchanged).
#include <cstdlib>
#include <filesystem>
#include <string>

#include <benchmark/benchmark.h>

#include "engine/modcorml.h"
#include "engine/modcormm.h"
#include "engine/modgeneral.h"
#include "engine/modrefractionnew.h"
#include "platform/programfolder.h"
#include "series/seriesloader.h"

namespace {

// A temporary program folder with the series files and the default place.
class Folder {
public:
    Folder()
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "miqatix-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            std::abort();
        path_ = pattern;
        const std::filesystem::path series = MIQATIX_SERIES_DIR;
        const std::filesystem::path data = MIQATIX_DATA_DIR;
        for (const char* name : {"mterm.zvd", "elp.zvd"})
            std::filesystem::copy_file(series / name, path_ / name);
        std::filesystem::copy_file(data / "settings" / "loc.zvd", path_ / "loc.zvd");
        platform::setProgramFolder(path_);
        series::loadMterm();
        series::loadElp();
        pi = kPi15;
        tdtmode = 0;
    }
    ~Folder() { std::filesystem::remove_all(path_); }

private:
    std::filesystem::path path_;
};

Folder& folder()
{
    static Folder f;
    return f;
}

void BM_corml(benchmark::State& state)
{
    folder();
    double JD = 2460000.25;
    double a, d, at, dt, l, b, lt, bt, p, s, st;
    for (auto _ : state) {
        corml(pi, JD, a, d, at, dt, l, b, lt, bt, p, s, st);
        benchmark::DoNotOptimize(at);
        JD += 0.001;
    }
}
BENCHMARK(BM_corml);

void BM_cormm(benchmark::State& state)
{
    folder();
    double JD = 2460000.25;
    double a, d, at, dt, l, b, lt, bt, p, s, st, dist;
    for (auto _ : state) {
        cormm(pi, JD, a, d, at, dt, l, b, lt, bt, p, s, st, dist);
        benchmark::DoNotOptimize(at);
        JD += 0.001;
    }
}
BENCHMARK(BM_cormm);

// At the horizon, the zenith distance the event finder asks for.
void BM_refractionnew(benchmark::State& state)
{
    folder();
    for (auto _ : state) {
        double z = 90, R = 0;
        refractionnew(z, R);
        benchmark::DoNotOptimize(R);
    }
}
BENCHMARK(BM_refractionnew);

} // namespace

BENCHMARK_MAIN();
