// A Lee diagram on the main window (offscreen): water drops of 201 radii 1 -> 100 um (200 geometric
// steps; first argument 1: 10 -> 1000 um), the three wavelengths of "RGB", 130 to 180 degrees at 0.05
// (1001 angles), Mie. Measured: the Mie calls of the run alone (the same x, m and angle window; last
// argument 1: on the calling thread only, else with the series' angle blocks on the pool), the whole
// New plot (rows computed ahead on the pool), and the PlotLee redraw from the stores, at a point and
// (argument 1) over the sun's disc. The counter "threads" is the pool's, from TESSARY_THREADS or the
// hardware; run with TESSARY_THREADS=1, 2, 4, 8 for the scaling, for example:
//   TESSARY_THREADS=4 build/bench/tessary_window_bench --benchmark_filter=Lee
// BM_RatioLeeNewPlot times the Mie calls and New plot in turn in one run (the machine's state
// cancels) and reports New plot over the calls as "ratio": the run's cost beyond its kernel calls.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <optional>
#include <vector>

#include "mainwindow/form1.h"
#include "numerics/constants.h"
#include "numerics/worker_pool.h"
#include "platform/ui/runtime.h"
#include "scattering/mie.h"

namespace tessary {
namespace {

// One runtime and main window for every Lee benchmark, set to the diagram of `range` (0 or 1).
Form1& LeeWindow(long range) {
    static Runtime* runtime = [] {
        auto* r = new Runtime;
        r->setModalHook([](Form& f) { f.hide(); });
        r->setMessageBoxResponder([](const MessageBoxRequest&) { return 1; });
        return r;
    }();
    static Form1* form = [] {
        auto* f = new Form1;
        f->load();
        f->cboGraph.setText("Lee diagram");
        return f;
    }();
    (void)runtime;
    Form1& f = *form;
    f.txtRadius.setText(range == 0 ? "1" : "10");
    f.txtRmax.setText(range == 0 ? "100" : "1000");
    f.txtRstep.setText("200");
    f.cboWave.setText("RGB");
    f.txtXmin.setText("130");
    f.txtXmax.setText("180");
    f.cboStep.setText("0.05");
    f.cboType.setText("Mie");
    return f;
}

void Counters(benchmark::State& state, const Form1& f, bool calling) {
    state.counters["threads"] = calling ? 1 : SharedPool().Threads();
    state.counters["rows"] = f.sweepState.sweepSteps + 1;
    state.counters["waves"] = f.calc.waveCount;
    state.counters["angles"] = f.angleGrid.lastPoint - f.angleGrid.firstPoint + 1;
    state.counters["stored"] = f.leeStores.leeGridLast;
}

// The series calls of the run New plot has just made: per radius row and wavelength, x and m as the
// run forms them, the run's angle grid and window.
std::vector<MieInput> LeeCalls(const Form1& f) {
    std::vector<MieInput> calls;
    for (int k = 0; k <= static_cast<int>(f.sweepState.sweepSteps); ++k) {
        const double radius = static_cast<double>(f.sweepState.sweepStart) *
                              std::pow(static_cast<double>(f.sweepState.sweepRatio), k);
        for (const LeeWave& w : f.leeWaves) {  // as the first row called them
            MieInput in;
            in.x = kTwoPi * radius / w.wavelength * w.mediumRe;
            in.m = {w.mRe, w.mIm};
            in.NANG = f.angleGrid.angleCount;
            in.first = f.angleGrid.windowFirst;
            in.last = f.angleGrid.windowLast;
            calls.push_back(in);
        }
    }
    return calls;
}

void BM_LeeKernelCalls(benchmark::State& state) {
    Form1& f = LeeWindow(state.range(0));
    f.cmdNewPlot_Click();  // the sweep, wavelengths, grid and window of the run
    const std::vector<MieInput> calls = LeeCalls(f);
    const bool calling = state.range(1) == 1;
    std::optional<CallingThreadOnly> one;
    if (calling) one.emplace();
    MieResult r;
    for (auto _ : state) {
        for (const MieInput& in : calls) {
            MieSeries(in, r, [](int, int) { return false; });
            benchmark::DoNotOptimize(r.S1re.data());
        }
    }
    Counters(state, f, calling);
}
BENCHMARK(BM_LeeKernelCalls)
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({1, 0})
    ->Args({1, 1})
    ->Unit(benchmark::kMillisecond);

// New plot as the user presses it: checks, set-up, every row computed, summed, stored and painted.
// The rows ahead run on the pool whatever this thread is allowed: TESSARY_THREADS=1 times one thread.
void BM_LeeNewPlot(benchmark::State& state) {
    Form1& f = LeeWindow(state.range(0));
    for (auto _ : state) f.cmdNewPlot_Click();
    Counters(state, f, false);
}
BENCHMARK(BM_LeeNewPlot)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The Mie calls of the 1 -> 100 um diagram and its New plot, in turn. Run with TESSARY_THREADS=1 for
// one thread.
void BM_RatioLeeNewPlot(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    Form1& f = LeeWindow(0);
    f.cmdNewPlot_Click();
    const std::vector<MieInput> calls = LeeCalls(f);
    MieResult r;
    double kernel = 0.0, run = 0.0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        for (const MieInput& in : calls) {
            MieSeries(in, r, [](int, int) { return false; });
            benchmark::DoNotOptimize(r.S1re.data());
        }
        const auto t1 = Clock::now();
        f.cmdNewPlot_Click();
        const auto t2 = Clock::now();
        kernel += std::chrono::duration<double>(t1 - t0).count();
        run += std::chrono::duration<double>(t2 - t1).count();
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["calls_ms"] = 1e3 * kernel / n;
    state.counters["newplot_ms"] = 1e3 * run / n;
    state.counters["ratio"] = run / kernel;
    Counters(state, f, false);
}
BENCHMARK(BM_RatioLeeNewPlot)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(4.0);

// The redraw from the stores (brightness, Point/Sun and the like), after one New plot.
void BM_LeeRedraw(benchmark::State& state) {
    Form1& f = LeeWindow(0);
    f.optPoint.setValue(true);
    f.cmdNewPlot_Click();
    f.optSun.setValue(state.range(0) == 1);
    for (auto _ : state) f.PlotLee();
    Counters(state, f, false);
}
BENCHMARK(BM_LeeRedraw)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessary
