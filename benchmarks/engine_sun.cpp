// One call of each Sun tier that reads the series, including its read of the
// place (loc.zvd, served from the last read) and the nutation.
#include <filesystem>

#include <benchmark/benchmark.h>

#include "engine/modcorsh.h"
#include "engine/modcorsl.h"
#include "engine/modcorsm.h"
#include "engine/modgeneral.h"
#include "platform/programfolder.h"
#include "yearbench.h"

namespace {

void folder()
{
    yearbench::setUpDefaultPlaceFolder();
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
