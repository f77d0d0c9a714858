// Ray optics: modified Young with the orders p = 0..50 at x = 1000, m = 1.333 on the 0.01 degree grid
// (NANG = 9001, 18001 angle indices, about 1.8 million rays), and on the 0.1 degree grid.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <vector>

#include "approximations/geometric_optics.h"
#include "runs/method_codes.h"
#include "scattering/ray_orders.h"

namespace {

void BM_YoungModAllOrders(benchmark::State& state) {
    tessary::RayChoice choice;
    choice.listText = "-50";
    choice.calcMethod = tessary::kMethodYoungMod;
    const tessary::RaySelection rays = tessary::RaysCheck(choice, tessary::RaySelection{}).selection;
    tessary::GOInput in;
    in.x = 1000.0;
    in.mRe = 1.333;
    in.N = static_cast<std::int32_t>(state.range(0));
    in.first = 1;
    in.last = 2 * in.N - 1;
    in.calcMethod = tessary::kMethodYoungMod;
    const auto size = static_cast<std::size_t>(2 * in.N);
    std::vector<double> s1re(size), s1im(size), s2re(size), s2im(size);
    tessary::GOWorkspace work;
    tessary::ApproxOutcome out;
    for (auto _ : state) {
        benchmark::DoNotOptimize(in);
        out = tessary::GeometricOptics(in, rays, {s1re, s1im, s2re, s2im}, work);
        benchmark::DoNotOptimize(s1re.data());
        benchmark::ClobberMemory();
    }
    if (out.status != tessary::ApproxStatus::Done) state.SkipWithError(out.message.c_str());
}
BENCHMARK(BM_YoungModAllOrders)->Arg(901)->Arg(9001)->Unit(benchmark::kMillisecond);

}  // namespace
