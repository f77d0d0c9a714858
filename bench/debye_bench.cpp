// Plane-wave Debye series: all 51 orders p = 0..50 at x = 1000 with a 0.1 degree step (NANG = 901,
// 1801 angle indices), for a water-like sphere on the real path and, weakly absorbing, on the complex
// path (linear-time tables); one order against the size parameter; and the fixed cost before any
// angle: all orders at x = 1e4 on the real path with NANG = 2 (3 angle indices). The result object
// is reused across iterations, as a run over wavelengths or radii does.
#include <benchmark/benchmark.h>

#include <string>

#include "scattering/debye.h"
#include "scattering/ray_orders.h"

namespace {

using tessary::Complex;

void RunDebye(benchmark::State& state, double x, Complex m, const char* listText, int nang = 901) {
    tessary::RayChoice choice;
    choice.listText = listText;
    const tessary::RaySelection rays = tessary::RaysCheck(choice, tessary::RaySelection{}).selection;
    tessary::DebyeInput in;
    in.x = x;
    in.m = m;
    in.NANG = nang;
    in.first = 1;
    in.last = 2 * in.NANG - 1;
    in.rayListText = listText;
    tessary::DebyeResult result;
    for (auto _ : state) {
        benchmark::DoNotOptimize(in);
        tessary::DebyePlaneWave(in, rays, result);
        benchmark::DoNotOptimize(result.S1re.data());
        benchmark::ClobberMemory();
    }
    if (result.status != tessary::DebyeStatus::Done) state.SkipWithError(result.message.c_str());
    state.counters["termCount"] = result.termCount;
}

void BM_DebyeAllOrders(benchmark::State& state) { RunDebye(state, 1000.0, {1.33, 0.0}, "-50"); }
BENCHMARK(BM_DebyeAllOrders)->Unit(benchmark::kMillisecond);

void BM_DebyeAllOrdersAbsorbing(benchmark::State& state) { RunDebye(state, 1000.0, {1.33, 0.001}, "-50"); }
BENCHMARK(BM_DebyeAllOrdersAbsorbing)->Unit(benchmark::kMillisecond);

// The primary rainbow order alone against x.
void BM_DebyeOneOrder(benchmark::State& state) {
    RunDebye(state, static_cast<double>(state.range(0)), {1.33, 0.0}, "2");
}
BENCHMARK(BM_DebyeOneOrder)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// Tables and the sums over the orders dominate: only three angles.
void BM_DebyeAllOrdersFewAngles(benchmark::State& state) { RunDebye(state, 1e4, {1.33, 0.0}, "-50", 2); }
BENCHMARK(BM_DebyeAllOrdersFewAngles)->Unit(benchmark::kMillisecond);

}  // namespace
