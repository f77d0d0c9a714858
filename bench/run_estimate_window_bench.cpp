// Whole New plot runs on the main window (offscreen) beside the run-time estimate: a table of angle
// graphs (Mie and Debye, plane wave and Gaussian beam, radii 1 to 1000 um, fine and coarse angle steps,
// one to 2000 wavelengths, a size distribution) and Lee diagrams (radius sweeps). Each run is timed
// once; the counters are the estimate in seconds ("estimate_s"), the estimate over the measured time
// ("ratio"), the threads of the pool and the wavelengths of the run. The estimate's constants
// (runs/run_estimate.h) come from these runs, with one thread and with the pool of this machine:
//   build/bench/tessary_window_bench --benchmark_filter=EstimatedRun
//   TESSARY_THREADS=1 build/bench/tessary_window_bench --benchmark_filter=EstimatedRun
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>

#include "mainwindow/form1.h"
#include "numerics/worker_pool.h"
#include "platform/ui/runtime.h"

namespace tessary {
namespace {

struct RunCase {
    const char* name;
    const char* method;  // "Mie" or "Debye"
    bool beam;           // Gaussian beam (the beam dialog as it starts)
    bool lee;            // a Lee diagram from radius to rmax in 200 steps
    const char* radius;
    const char* rmax;
    const char* xmin;
    const char* xmax;
    const char* step;
    const char* waves;
    const char* rays;     // Debye's ray orders
    const char* samples;  // radii of a log-normal distribution (20 %), "" for one size
};

// clang-format off
const RunCase kRuns[] = {
    {"MieR1Fine2000Waves",     "Mie",   false, false, "1",    "",     "0",   "180", "0.01", "2000", "",   ""},
    {"MieR10Fine300Waves",     "Mie",   false, false, "10",   "",     "0",   "180", "0.01", "300",  "",   ""},
    {"MieR100Back300Waves",    "Mie",   false, false, "100",  "",     "130", "180", "0.05", "300",  "",   ""},
    {"MieR300Coarse2000Waves", "Mie",   false, false, "300",  "",     "0",   "180", "0.1",  "2000", "",   ""},
    {"MieR1000Fine30Waves",    "Mie",   false, false, "1000", "",     "0",   "180", "0.01", "30",   "",   ""},
    {"MieR1000Fine2000Waves",  "Mie",   false, false, "1000", "",     "0",   "180", "0.01", "2000", "",   ""},
    {"MieR100Distribution",    "Mie",   false, false, "100",  "",     "0",   "180", "0.01", "1",    "",   "50"},
    {"MieGaussR200",           "Mie",   true,  false, "200",  "",     "0",   "180", "0.1",  "1",    "",   ""},
    {"MieGaussR20Waves30",     "Mie",   true,  false, "20",   "",     "0",   "180", "0.1",  "30",   "",   ""},
    {"DebyeR100Fine30Waves",   "Debye", false, false, "100",  "",     "0",   "180", "0.01", "30",   "2",  ""},
    {"DebyeR1000Orders5Fine",  "Debye", false, false, "1000", "",     "0",   "180", "0.01", "1",    "-4", ""},
    {"DebyeR100Waves300",      "Debye", false, false, "100",  "",     "0",   "180", "0.1",  "300",  "2",  ""},
    {"DebyeGaussR200",         "Debye", true,  false, "200",  "",     "0",   "180", "0.1",  "1",    "2",  ""},
    {"LeeMieR1To100",          "Mie",   false, true,  "1",    "100",  "130", "180", "0.05", "RGB",  "",   ""},
    {"LeeMieR10To1000",        "Mie",   false, true,  "10",   "1000", "130", "180", "0.05", "RGB",  "",   ""},
    {"LeeMieR1To100Med",       "Mie",   false, true,  "1",    "100",  "130", "180", "0.1",  "Med.", "",   ""},
    {"LeeDebyeR1To100",        "Debye", false, true,  "1",    "100",  "130", "180", "0.05", "RGB",  "2",  ""},
};
// clang-format on

void BM_EstimatedRun(benchmark::State& state) {
    const RunCase& c = kRuns[state.range(0)];
    state.SetLabel(c.name);
    Runtime runtime;
    runtime.setModalHook([](Form& f) { f.hide(); });
    runtime.setMessageBoxResponder([](const MessageBoxRequest&) { return mb::kYes; });
    auto f = std::make_unique<Form1>();
    f->load();
    if (c.beam) f->mnuGaussian_Click();
    if (std::string(c.waves) != "1" && !c.lee) f->mnuSpectrumLee_Click();
    if (c.lee) f->cboGraph.setText("Lee diagram");
    f->cboType.setText(c.method);
    if (*c.rays) f->cboRays.setText(c.rays);
    f->txtRadius.setText(c.radius);
    if (c.lee) {
        f->txtRmax.setText(c.rmax);
        f->txtRstep.setText("200");
    }
    f->txtXmin.setText(c.xmin);
    f->txtXmax.setText(c.xmax);
    f->cboStep.setText(c.step);
    f->cboWave.setText(c.waves);
    if (*c.samples) {
        f->optDisp.setValue(true);
        f->cboDistrib.setText("Log-normal");
        f->cboSD.setText("20");
        f->cboN.setText(c.samples);
    }
    double seconds = 0.0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        f->cmdNewPlot.click();
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        state.SetIterationTime(seconds);
    }
    f->Duration();  // again after the run, as it was before it
    const double estimate = f->runProgress.estimatedSeconds;
    state.counters["estimate_s"] = estimate;
    state.counters["ratio"] = estimate / seconds;
    state.counters["threads"] = SharedPool().Threads();
    state.counters["waves"] = f->calc.waveCount;
}
BENCHMARK(BM_EstimatedRun)
    ->DenseRange(0, static_cast<int>(std::size(kRuns)) - 1)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessary
