// Speed ratios measured side by side in one run, each reported as the counter "ratio" (time of the
// second run over the first) with the thread count of the pool ("threads", from TESSARY_THREADS or
// the hardware):
// - the plane-wave and the Gaussian-beam Mie series on the pool against one thread;
// - a loop of independent floating-point work on the pool against one thread: the best ratio the
//   machine allows at that moment (other load, cores that share their units), for comparison;
// - the Debye series of p = 0..50 on a weakly absorbing sphere against a real index (the tables of an
//   absorbing sphere take linear time), and all 51 orders against one order.
// Run for example: build/bench/tessary_bench --benchmark_filter=Ratio
#include <benchmark/benchmark.h>

#include <chrono>

#include "numerics/worker_pool.h"
#include "scattering/debye.h"
#include "scattering/mie.h"
#include "scattering/mie_gaussian.h"
#include "scattering/ray_orders.h"

namespace tessary {
namespace {

using Clock = std::chrono::steady_clock;

// Times first() and second() in turn once per iteration.
template <class First, class Second>
void Ratio(benchmark::State& state, First first, Second second) {
    double a = 0.0, b = 0.0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        first();
        const auto t1 = Clock::now();
        second();
        const auto t2 = Clock::now();
        a += std::chrono::duration<double>(t1 - t0).count();
        b += std::chrono::duration<double>(t2 - t1).count();
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["first_ms"] = 1e3 * a / n;
    state.counters["second_ms"] = 1e3 * b / n;
    state.counters["ratio"] = b / a;
    state.counters["threads"] = SharedPool().Threads();
}

// Plane-wave Mie series, x = 10000, m = 1.333, 18001 angles: pool / one thread.
void BM_RatioMieThreads(benchmark::State& state) {
    MieInput in;
    in.x = 10000.0;
    in.m = {1.333, 0.0};
    in.NANG = 9001;
    in.first = 1;
    in.last = 2 * in.NANG - 1;
    MieResult r;
    Ratio(
        state,
        [&] {
            const CallingThreadOnly one;
            MieSeries(in, r);
        },
        [&] { MieSeries(in, r); });
    benchmark::DoNotOptimize(r.S1re.data());
}
BENCHMARK(BM_RatioMieThreads)->Unit(benchmark::kMillisecond)->UseRealTime();

// Independent work on the pool / one thread: 64 tasks, each updating 256 doubles of its own (in the
// level-1 cache, like a block of the Mie series) 20000 times, with no synchronisation in between.
void BM_RatioParallelCeiling(benchmark::State& state) {
    constexpr int kTasks = 64, kValues = 256, kSweeps = 20000;
    double results[kTasks];
    auto task = [&](int t) {
        double v[kValues];
        for (int k = 0; k < kValues; ++k) v[k] = t + k * 1e-3;
        for (int sweep = 0; sweep < kSweeps; ++sweep)
            for (int k = 0; k < kValues; ++k) v[k] = v[k] * 0.999 + 1e-3;
        results[t] = v[t];
    };
    Ratio(
        state,
        [&] {
            const CallingThreadOnly one;
            SharedPool().ForEach(kTasks, task);
        },
        [&] { SharedPool().ForEach(kTasks, task); });
    benchmark::DoNotOptimize(results);
}
BENCHMARK(BM_RatioParallelCeiling)->Unit(benchmark::kMillisecond)->UseRealTime();

// Gaussian-beam Mie series, x = 1000, the dialog's default beam, 1801 angles: pool / one thread.
void BM_RatioMieGaussianThreads(benchmark::State& state) {
    MieGaussianInput in;
    in.x = 1000.0;
    in.m = {1.333, 0.0};
    in.NANG = 901;
    in.first = 1;
    in.last = 2 * in.NANG - 1;
    in.wavelength = 0.65;
    in.beam = GaussianBeamInput{};
    MieGaussianResult r;
    Ratio(
        state,
        [&] {
            const CallingThreadOnly one;
            MieGaussianSeries(in, r);
        },
        [&] { MieGaussianSeries(in, r); });
    benchmark::DoNotOptimize(r.S1re.data());
}
BENCHMARK(BM_RatioMieGaussianThreads)->Unit(benchmark::kMillisecond)->UseRealTime();

DebyeInput DebyeRun(double x, Complex m, const char* listText) {
    DebyeInput in;
    in.x = x;
    in.m = m;
    in.NANG = 901;
    in.first = 1;
    in.last = 2 * in.NANG - 1;
    in.rayListText = listText;
    return in;
}

RaySelection Select(const char* listText) {
    RayChoice choice;
    choice.listText = listText;
    return RaysCheck(choice, RaySelection{}).selection;
}

// Debye series p = 0..50, 1801 angles: m = 1.33 + 0.001i / m = 1.33, at x = 3000 and 10000.
void BM_RatioDebyeAbsorbing(benchmark::State& state) {
    const double x = static_cast<double>(state.range(0));
    const RaySelection rays = Select("-50");
    const DebyeInput real = DebyeRun(x, {1.33, 0.0}, "-50"), absorbing = DebyeRun(x, {1.33, 0.001}, "-50");
    DebyeResult r;
    Ratio(state, [&] { DebyePlaneWave(real, rays, r); }, [&] { DebyePlaneWave(absorbing, rays, r); });
    if (r.status != DebyeStatus::Done) state.SkipWithError(r.message.c_str());
}
BENCHMARK(BM_RatioDebyeAbsorbing)->Arg(3000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

// Debye series at x = 1000, m = 1.33, 1801 angles: the 51 orders p = 0..50 / the order p = 2.
void BM_RatioDebyeAllOrders(benchmark::State& state) {
    const RaySelection one = Select("2"), all = Select("-50");
    const DebyeInput oneIn = DebyeRun(1000.0, {1.33, 0.0}, "2"), allIn = DebyeRun(1000.0, {1.33, 0.0}, "-50");
    DebyeResult r;
    Ratio(state, [&] { DebyePlaneWave(oneIn, one, r); }, [&] { DebyePlaneWave(allIn, all, r); });
    if (r.status != DebyeStatus::Done) state.SkipWithError(r.message.c_str());
}
BENCHMARK(BM_RatioDebyeAllOrders)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace tessary
