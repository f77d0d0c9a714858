// Speed ratios measured side by side in one run, each reported as the counter "ratio" (time of the
// second run over the first) with the thread count of the pool ("threads", from TESSARY_THREADS or
// the hardware):
// - the plane-wave and the Gaussian-beam Mie series on the pool against one thread (the plane-wave
//   series also at x = 100 and 1000 with 1801 angles, runs too small for the pool: ratio 1);
// - a loop of independent floating-point work on the pool against one thread: the best ratio the
//   machine allows at that moment (other load, cores that share their units), for comparison;
// - the plane-wave Mie series at x = 1e5 with 1801 angles (few angles for many orders) on the pool
//   against one thread, over the same ratio of the loop above, alternated in one run so that the
//   machine's state cancels; once on its own and once beside 8 busy processes that the benchmark
//   starts and ends;
// - the Debye series of p = 0..50 on a weakly absorbing sphere against a real index (the tables of an
//   absorbing sphere take linear time), all 51 orders against one order, and one order on the pool
//   against one thread.
// Run for example: build/bench/tessary_bench --benchmark_filter=Ratio
#include <benchmark/benchmark.h>

#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <vector>

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

// Plane-wave Mie series, m = 1.333, x and NANG the arguments (2 NANG - 1 angles): pool / one thread.
void BM_RatioMieThreads(benchmark::State& state) {
    MieInput in;
    in.x = static_cast<double>(state.range(0));
    in.m = {1.333, 0.0};
    in.NANG = static_cast<int>(state.range(1));
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
BENCHMARK(BM_RatioMieThreads)
    ->ArgNames({"x", "nang"})
    ->Args({100, 901})
    ->Args({1000, 901})
    ->Args({10000, 9001})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Independent work for the pool: 64 tasks, each updating 256 doubles of its own (in the level-1
// cache, like a block of the Mie series) 20000 times, with no synchronisation in between.
struct CeilingWork {
    static constexpr int kTasks = 64, kValues = 256, kSweeps = 20000;
    double results[kTasks] = {};

    void operator()(int t) {
        double v[kValues];
        for (int k = 0; k < kValues; ++k) v[k] = t + k * 1e-3;
        for (int sweep = 0; sweep < kSweeps; ++sweep)
            for (int k = 0; k < kValues; ++k) v[k] = v[k] * 0.999 + 1e-3;
        results[t] = v[t];
    }
    void OnPool() { SharedPool().ForEach(kTasks, *this); }
    void OnOneThread() {
        const CallingThreadOnly one;
        OnPool();
    }
};

// Independent work on the pool / one thread.
void BM_RatioParallelCeiling(benchmark::State& state) {
    CeilingWork work;
    Ratio(
        state, [&] { work.OnOneThread(); }, [&] { work.OnPool(); });
    benchmark::DoNotOptimize(work.results);
}
BENCHMARK(BM_RatioParallelCeiling)->Unit(benchmark::kMillisecond)->UseRealTime();

// Processes that keep `count` cores busy (a loop each) from construction to destruction. A child also
// ends when the benchmark's process does, however that ends.
class BusyProcesses {
  public:
    explicit BusyProcesses(int count) {
        const pid_t parent = getpid();
        for (int i = 0; i < count; ++i) {
            const pid_t child = fork();
            if (child == 0) {
                prctl(PR_SET_PDEATHSIG, SIGKILL);
                if (getppid() != parent) _exit(0);  // the parent ended before the line above
                for (unsigned long spin = 0;; ++spin) benchmark::DoNotOptimize(spin);
            }
            if (child > 0) children_.push_back(child);
        }
    }
    ~BusyProcesses() {
        for (const pid_t child : children_) kill(child, SIGKILL);
        for (const pid_t child : children_) waitpid(child, nullptr, 0);
    }
    BusyProcesses(const BusyProcesses&) = delete;
    BusyProcesses& operator=(const BusyProcesses&) = delete;

  private:
    std::vector<pid_t> children_;
};

// Mie series at x = 1e5, m = 1.333, 1801 angles on the pool / one thread, alternated with the same
// ratio of CeilingWork: "mie_ratio" and "ceiling_ratio", and "ratio" = mie_ratio / ceiling_ratio
// (1 when the series gains from the threads what the machine allows). Argument: the number of busy
// processes beside the benchmark.
void BM_RatioMieThreadsAgainstCeiling(benchmark::State& state) {
    const BusyProcesses busy(static_cast<int>(state.range(0)));
    MieInput in;
    in.x = 1e5;
    in.m = {1.333, 0.0};
    in.NANG = 901;
    in.first = 1;
    in.last = 2 * in.NANG - 1;
    MieResult r;
    CeilingWork work;
    double mieOne = 0.0, miePool = 0.0, ceilingOne = 0.0, ceilingPool = 0.0;
    auto time = [](double& sum, auto run) {
        const auto t0 = Clock::now();
        run();
        sum += std::chrono::duration<double>(Clock::now() - t0).count();
    };
    for (auto _ : state) {
        time(mieOne, [&] {
            const CallingThreadOnly one;
            MieSeries(in, r);
        });
        time(miePool, [&] { MieSeries(in, r); });
        time(ceilingOne, [&] { work.OnOneThread(); });
        time(ceilingPool, [&] { work.OnPool(); });
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["one_ms"] = 1e3 * mieOne / n;
    state.counters["pool_ms"] = 1e3 * miePool / n;
    state.counters["mie_ratio"] = miePool / mieOne;
    state.counters["ceiling_ratio"] = ceilingPool / ceilingOne;
    state.counters["ratio"] = (miePool / mieOne) / (ceilingPool / ceilingOne);
    state.counters["threads"] = SharedPool().Threads();
    benchmark::DoNotOptimize(r.S1re.data());
    benchmark::DoNotOptimize(work.results);
}
BENCHMARK(BM_RatioMieThreadsAgainstCeiling)
    ->ArgName("busy")
    ->Arg(0)
    ->Arg(8)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

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
    Ratio(
        state, [&] { DebyePlaneWave(real, rays, r); }, [&] { DebyePlaneWave(absorbing, rays, r); });
    if (r.status != DebyeStatus::Done) state.SkipWithError(r.message.c_str());
}
BENCHMARK(BM_RatioDebyeAbsorbing)->Arg(3000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

// Debye series at x = 1000, m = 1.33, 1801 angles: the 51 orders p = 0..50 / the order p = 2.
void BM_RatioDebyeAllOrders(benchmark::State& state) {
    const RaySelection one = Select("2"), all = Select("-50");
    const DebyeInput oneIn = DebyeRun(1000.0, {1.33, 0.0}, "2"), allIn = DebyeRun(1000.0, {1.33, 0.0}, "-50");
    DebyeResult r;
    Ratio(
        state, [&] { DebyePlaneWave(oneIn, one, r); }, [&] { DebyePlaneWave(allIn, all, r); });
    if (r.status != DebyeStatus::Done) state.SkipWithError(r.message.c_str());
}
BENCHMARK(BM_RatioDebyeAllOrders)->Unit(benchmark::kMillisecond)->UseRealTime();

// Debye series p = 2 at m = 1.33, 1801 angles, x the argument: pool / one thread. Its blocks go to
// the pool with less ado than the bands of the Mie series: at x = 100 the pool gains a little where
// the machine has cores to spare and loses about 2x where it has none.
void BM_RatioDebyeThreads(benchmark::State& state) {
    const RaySelection rays = Select("2");
    const DebyeInput in = DebyeRun(static_cast<double>(state.range(0)), {1.33, 0.0}, "2");
    DebyeResult r;
    Ratio(
        state,
        [&] {
            const CallingThreadOnly one;
            DebyePlaneWave(in, rays, r);
        },
        [&] { DebyePlaneWave(in, rays, r); });
    if (r.status != DebyeStatus::Done) state.SkipWithError(r.message.c_str());
}
BENCHMARK(BM_RatioDebyeThreads)->Arg(100)->Arg(3000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace tessary
