// One call each of the two Moon theories and of the integrated refraction,
// with the read of loc.zvd that each call makes (served from the last read:
// no hand-over comes between the calls).
#include <filesystem>

#include <benchmark/benchmark.h>

#include "engine/modcorml.h"
#include "engine/modcormm.h"
#include "engine/modgeneral.h"
#include "engine/modrefractionnew.h"
#include "platform/programfolder.h"
#include "yearbench.h"

namespace {

void folder()
{
    yearbench::setUpDefaultPlaceFolder();
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
