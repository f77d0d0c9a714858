// Plane-wave Mie series at growing size parameter: water-like sphere (m = 1.333), 0.01 degree step
// (NANG = 9001, 18001 angle indices), every angle summed. The result object is reused across
// iterations, as a run over wavelengths or radii does.
#include <benchmark/benchmark.h>

#include "scattering/mie.h"

namespace tessary {
namespace {

void BM_MieSeries(benchmark::State& state) {
    MieInput input;
    input.x = static_cast<double>(state.range(0));
    input.m = {1.333, 0.0};
    input.NANG = 9001;
    input.first = 1;
    input.last = 2 * input.NANG - 1;
    MieResult result;
    for (auto _ : state) {
        benchmark::DoNotOptimize(input);
        MieSeries(input, result);
        benchmark::DoNotOptimize(result.S1re.data());
        benchmark::DoNotOptimize(result.Qext);
        benchmark::ClobberMemory();
    }
    // Orders summed per call, and angle-order terms per second (forward and mirrored angles).
    state.counters["orders"] = result.termCount;
    state.counters["terms/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * result.termCount * (2 * input.NANG - 1),
                           benchmark::Counter::kIsRate);
}
BENCHMARK(BM_MieSeries)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// Absorbing sphere: the complex-arithmetic path of the coefficients (the angle loops are the same).
void BM_MieSeriesAbsorbing(benchmark::State& state) {
    MieInput input;
    input.x = static_cast<double>(state.range(0));
    input.m = {1.333, 0.01};
    input.NANG = 9001;
    input.first = 1;
    input.last = 2 * input.NANG - 1;
    MieResult result;
    for (auto _ : state) {
        benchmark::DoNotOptimize(input);
        MieSeries(input, result);
        benchmark::DoNotOptimize(result.S1re.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MieSeriesAbsorbing)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessary
