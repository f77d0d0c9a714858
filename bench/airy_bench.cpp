// Airy function and real Bessel functions per call, over the argument ranges the approximate methods use.
#include <benchmark/benchmark.h>

#include "numerics/airy.h"
#include "numerics/bessel_real.h"

namespace {

// 1000 arguments evenly over [lo, hi), lo and hi given in tenths.
void BM_AiryCalc(benchmark::State& state) {
    const double lo = state.range(0) / 10.0, hi = state.range(1) / 10.0;
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i) {
            double x = lo + (hi - lo) * i / 1000;
            benchmark::DoNotOptimize(x);
            benchmark::DoNotOptimize(tessary::AiryCalc(x));
        }
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_AiryCalc)->Args({-200, -38})->Args({-38, 0})->Args({0, 38})->Args({38, 200});

void BM_BesselJY(benchmark::State& state) {
    const double hi = static_cast<double>(state.range(0));
    for (auto _ : state) {
        for (int i = 1; i <= 1000; ++i) {
            double x = hi * i / 1000;
            benchmark::DoNotOptimize(x);
            benchmark::DoNotOptimize(tessary::BesselJY(x, tessary::BesselKind::JY));
        }
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_BesselJY)->Arg(11)->Arg(100);

}  // namespace
