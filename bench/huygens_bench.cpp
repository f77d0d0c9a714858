// The Huygens wavefront method over a whole angle graph: order p = 2 of a water drop, x = 96.7, with
// K = 1000 ray intervals, at the angle steps of the graphs (0.1 and 0.01 degrees).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "approximations/huygens.h"

namespace {

// range(0): grid points from 0 to 90 degrees (901 for 0.1 degrees, 9001 for 0.01 degrees).
void BM_HuygensOrderTwo(benchmark::State& state) {
    const auto N = static_cast<std::int32_t>(state.range(0));
    const auto size = static_cast<std::size_t>(2 * N);
    std::vector<double> s1re(size), s1im(size), s2re(size), s2im(size);
    const tessary::AmplitudeTables S{s1re, s1im, s2re, s2im};
    tessary::HuygensInput in;
    in.x = 96.7;
    in.m = 1.333;
    in.K = 1000;
    in.N = N;
    in.first = 1;
    in.last = 2 * N - 1;
    tessary::RaySelection rays;
    rays.rayflag[2] = 1;
    rays.rayCount = 1;
    rays.rayPMax = 2;
    tessary::HuygensRays work;
    for (auto _ : state) {
        benchmark::DoNotOptimize(in);
        benchmark::DoNotOptimize(tessary::HuygensAmplitudes(in, rays, work, S));
        benchmark::DoNotOptimize(s1re.data());
    }
}
BENCHMARK(BM_HuygensOrderTwo)->Arg(901)->Arg(9001)->Unit(benchmark::kMillisecond);

}  // namespace
