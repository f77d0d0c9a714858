// Sweeps and size-distribution averages through the main window, headless, beside the bare kernel
// calls they make (the same size parameters, index, grid, angle window and term counts): 1000 steps
// of the Mie series against the size parameter at 178 degrees (a 46-point angle grid) and at 178.37
// degrees (a 9001-point grid), and a Log-normal distribution of 50 samples around 100 um on the 0.1
// degree angle graph. With more than one thread the window computes the series of the coming steps
// and samples ahead on the pool; TESSARY_THREADS=1 times the window's own cost over the calls.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>
#include <string>

#include "mainwindow/form1.h"
#include "media/size_distribution.h"
#include "platform/ui/runtime.h"
#include "scattering/mie.h"

namespace tessary {
namespace {

constexpr double kTwoPi = 6.28318530717958;

// The kernel calls of a sweep: x = 1 .. 1000 at the one angle index of the grid.
void BM_SweepKernelCalls(benchmark::State& state) {
    MieInput in;
    in.m = {1.33, 0.0};
    in.NANG = static_cast<int>(state.range(0));
    in.first = in.last = static_cast<int>(state.range(1));
    MieResult r;
    for (auto _ : state) {
        for (int x = 1; x <= 1000; ++x) {
            in.x = x;
            MieSeries(in, r);
            benchmark::DoNotOptimize(r.S1re.data());
        }
    }
}
BENCHMARK(BM_SweepKernelCalls)->Args({46, 90})->Args({9001, 17838})->Unit(benchmark::kMillisecond);

// The main window set to the sweep of x from 1 to 1000 in steps of 1 at 178 degrees (46-point grid)
// or 178.37 degrees (9001-point grid), m = 1.33.
std::unique_ptr<Form1> SizeSweepWindow(bool offGrid) {
    auto f = std::make_unique<Form1>();
    f->load();
    f->cboGraph.setText("Intensity v. size parameter x");
    f->mnuXStepLog.setChecked(false);
    f->txtXmin.setText("1");
    f->txtXmax.setText("1000");
    f->cboStep.setText("1");
    f->txtAngle.setText(offGrid ? "178.37" : "178");
    f->txtRefractReal.setText("1.33");
    return f;
}

// The same sweep as New plot runs it (checks, steps, storage, drawing).
void BM_SweepWindow(benchmark::State& state) {
    Runtime runtime;
    runtime.setMessageBoxResponder([](const MessageBoxRequest&) { return 1; });
    const std::unique_ptr<Form1> f = SizeSweepWindow(state.range(0) != 0);
    for (auto _ : state) f->cmdNewPlot.click();
    // The call the kernel benchmark repeats: grid, angle index and the last step's terms.
    state.counters["NANG"] = f->angleGrid.angleCount;
    state.counters["index"] = f->angleGrid.angleIndex;
    state.counters["terms"] = f->runProgress.termCount;
}
BENCHMARK(BM_SweepWindow)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The bare kernel calls and New plot alternated in one run, 20 times each: on a shared machine the
// fastest of each, taken minutes apart from the other, compares badly. ratio = fastest New plot /
// fastest kernel calls.
template <class Calls>
void Alternate(benchmark::State& state, Form1& f, Calls&& calls) {
    using Clock = std::chrono::steady_clock;
    double kernel = 1e30, window = 1e30;
    for (auto _ : state) {
        for (int pair = 0; pair < 20; ++pair) {
            const Clock::time_point t0 = Clock::now();
            calls();
            const Clock::time_point t1 = Clock::now();
            f.cmdNewPlot.click();
            const Clock::time_point t2 = Clock::now();
            kernel = std::min(kernel, std::chrono::duration<double, std::milli>(t1 - t0).count());
            window = std::min(window, std::chrono::duration<double, std::milli>(t2 - t1).count());
        }
    }
    state.counters["kernel_ms"] = kernel;
    state.counters["window_ms"] = window;
    state.counters["ratio"] = window / kernel;
}

void BM_SweepWindowOverKernelCalls(benchmark::State& state) {
    Runtime runtime;
    runtime.setMessageBoxResponder([](const MessageBoxRequest&) { return 1; });
    const std::unique_ptr<Form1> f = SizeSweepWindow(state.range(0) != 0);
    MieInput in;
    in.m = {1.33, 0.0};
    in.NANG = state.range(0) == 0 ? 46 : 9001;
    in.first = in.last = state.range(0) == 0 ? 90 : 17838;
    MieResult r;
    Alternate(state, *f, [&] {
        for (int x = 1; x <= 1000; ++x) {
            in.x = x;
            MieSeries(in, r);
            benchmark::DoNotOptimize(r.S1re.data());
        }
    });
}
BENCHMARK(BM_SweepWindowOverKernelCalls)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);

// The 50 kernel calls of a Log-normal distribution (sigma 20 %) around 100 um at 0.65 um.
struct DistributionCalls {
    DistributionCalls() {
        FillAbscissae(50, t);
        in.m = {1.33257035, 0.0};
        in.NANG = 901;
        in.first = 1;
        in.last = 1801;
    }
    void operator()() {
        for (int k = 1; k <= 50; ++k) {
            in.x = kTwoPi *
                   SampleRadius(DistributionKind::LogNormal, 100, 0.2f, t[static_cast<std::size_t>(k)]) /
                   0.65;
            MieSeries(in, r);
            benchmark::DoNotOptimize(r.S1re.data());
        }
    }
    DistributionAbscissae t{};
    MieInput in;
    MieResult r;
};

void BM_DistributionKernelCalls(benchmark::State& state) {
    DistributionCalls calls;
    for (auto _ : state) calls();
}
BENCHMARK(BM_DistributionKernelCalls)->Unit(benchmark::kMillisecond);

// The main window set to the same distribution on the default angle graph.
std::unique_ptr<Form1> DistributionWindow() {
    auto f = std::make_unique<Form1>();
    f->load();
    f->txtRadius.setText("100");
    f->optDisp.setValue(true);
    f->cboDistrib.setText("Log-normal");
    f->cboSD.setText("20");
    f->cboN.setText("50");
    return f;
}

void BM_DistributionWindow(benchmark::State& state) {
    Runtime runtime;
    runtime.setMessageBoxResponder([](const MessageBoxRequest&) { return 1; });
    const std::unique_ptr<Form1> f = DistributionWindow();
    for (auto _ : state) f->cmdNewPlot.click();
    state.counters["NANG"] = f->angleGrid.angleCount;
    state.counters["last"] = f->angleGrid.windowLast;
    state.counters["x"] = f->calc.sizeParam;
    state.counters["terms"] = f->runProgress.termCount;
}
BENCHMARK(BM_DistributionWindow)->Unit(benchmark::kMillisecond);

void BM_DistributionWindowOverKernelCalls(benchmark::State& state) {
    Runtime runtime;
    runtime.setMessageBoxResponder([](const MessageBoxRequest&) { return 1; });
    const std::unique_ptr<Form1> f = DistributionWindow();
    DistributionCalls calls;
    Alternate(state, *f, calls);
}
BENCHMARK(BM_DistributionWindowOverKernelCalls)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessary

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
