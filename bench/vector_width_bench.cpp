// The AVX2 build of the angle loops against the baseline (SSE2) build, side by side in one run on one
// thread, reported as the counter "ratio" (time of the AVX2 build over the SSE2 build); skipped where
// the processor has no AVX2. Both builds give the same bits (tests/scattering/angle_loops_test.cpp).
// Run for example: build/bench/tessary_bench --benchmark_filter=VectorWidth
#include <benchmark/benchmark.h>

#include <chrono>

#include "numerics/worker_pool.h"
#include "scattering/angle_loops.h"
#include "scattering/debye.h"
#include "scattering/mie.h"
#include "scattering/ray_orders.h"

namespace tessary {
namespace {

using Clock = std::chrono::steady_clock;

// Times the SSE2 run and the AVX2 run in turn once per iteration, both on the calling thread.
template <class Run>
void VectorWidthRatio(benchmark::State& state, Run run) {
    if (!angle_loops::CpuHasAvx2()) {
        state.SkipWithError("no AVX2 on this processor");
        return;
    }
    const CallingThreadOnly one;
    double sse2 = 0.0, avx2 = 0.0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        run(true);
        const auto t1 = Clock::now();
        run(false);
        const auto t2 = Clock::now();
        sse2 += std::chrono::duration<double>(t1 - t0).count();
        avx2 += std::chrono::duration<double>(t2 - t1).count();
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["sse2_ms"] = 1e3 * sse2 / n;
    state.counters["avx2_ms"] = 1e3 * avx2 / n;
    state.counters["ratio"] = avx2 / sse2;
}

// Plane-wave Mie series, m = 1.333, 18001 angles, x = 1000 and 10000.
void BM_RatioVectorWidthMie(benchmark::State& state) {
    MieInput in;
    in.x = static_cast<double>(state.range(0));
    in.m = {1.333, 0.0};
    in.NANG = 9001;
    in.first = 1;
    in.last = 2 * in.NANG - 1;
    MieResult r;
    VectorWidthRatio(state, [&](bool baseline) {
        in.baselineVectors = baseline;
        MieSeries(in, r);
        benchmark::DoNotOptimize(r.S1re.data());
    });
}
BENCHMARK(BM_RatioVectorWidthMie)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

// Debye series p = 0..50, m = 1.33, 1801 angles, x = 1000.
void BM_RatioVectorWidthDebye(benchmark::State& state) {
    RayChoice choice;
    choice.listText = "-50";
    const RaySelection rays = RaysCheck(choice, RaySelection{}).selection;
    DebyeInput in;
    in.x = 1000.0;
    in.m = {1.33, 0.0};
    in.NANG = 901;
    in.first = 1;
    in.last = 2 * in.NANG - 1;
    in.rayListText = "-50";
    DebyeResult r;
    VectorWidthRatio(state, [&](bool baseline) {
        in.baselineVectors = baseline;
        DebyePlaneWave(in, rays, r);
        benchmark::DoNotOptimize(r.S1re.data());
    });
}
BENCHMARK(BM_RatioVectorWidthDebye)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace tessary
