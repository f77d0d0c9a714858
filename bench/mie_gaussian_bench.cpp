// Gaussian-beam Mie series with the beam dialog's default beam (centre at xf = -40 um, w0 = 20 um,
// wavelength 0.65 um) on a water-like sphere (m = 1.333), 0.1 degree step (NANG = 901, 1801 angle
// indices), every angle summed. Peak memory is measured outside the benchmark, for example
//     /usr/bin/time -v build/bench/tessary_bench --benchmark_filter='BM_MieGaussian/1000'
#include <benchmark/benchmark.h>

#include "scattering/mie_gaussian.h"

namespace tessary {
namespace {

void BM_MieGaussian(benchmark::State& state) {
    MieGaussianInput input;
    input.x = static_cast<double>(state.range(0));
    input.m = {1.333, 0.0};
    input.NANG = 901;
    input.first = 1;
    input.last = 2 * input.NANG - 1;
    input.wavelength = 0.65;
    input.beam = GaussianBeamInput{};
    MieGaussianResult result;
    for (auto _ : state) {
        benchmark::DoNotOptimize(input);
        MieGaussianSeries(input, result);
        benchmark::DoNotOptimize(result.S1re.data());
        benchmark::ClobberMemory();
    }
    state.counters["N"] = result.beamNMax;
    state.counters["M"] = result.beamMMax;
    // (n, m) products summed per angle: the size of the double sum.
    state.counters["terms"] = static_cast<double>(result.work.waves.terms.size());
    if (result.status != MieStatus::Done) state.SkipWithError(result.message.c_str());
}
BENCHMARK(BM_MieGaussian)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessary
