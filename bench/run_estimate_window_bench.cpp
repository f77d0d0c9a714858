// Whole New plot runs on the main window (offscreen) beside the run-time estimate's cost units: angle
// graphs of Mie and Debye at one and many wavelengths and with a size distribution, and Lee diagrams.
// The counter "s_per_unit" is the wall time of the run over the units of the cost model that the
// estimate scales (runs/run_estimate.h); the rates there come from these, for example:
//   build/bench/tessary_window_bench --benchmark_filter=EstimatedRun
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>

#include "graphs/graph_codes.h"
#include "mainwindow/form1.h"
#include "platform/ui/runtime.h"
#include "runs/run_estimate.h"

namespace tessary {
namespace {

struct RunCase {
    const char* method;  // "Mie" or "Debye"
    const char* graph;   // "" keeps the default angle graph
    const char* radius;
    const char* rmax;  // Lee diagrams: largest radius
    const char* xmin;
    const char* xmax;
    const char* step;
    const char* waves;
    const char* rays;  // Debye's ray orders
    bool distribution;
};

const RunCase kRuns[] = {
    {"Mie", "", "100", "", "0", "180", "0.01", "1", "", false},
    {"Mie", "", "1000", "", "0", "180", "0.1", "1", "", false},
    {"Mie", "", "10", "", "0", "180", "0.1", "2000", "", false},
    {"Mie", "", "100", "", "0", "180", "0.1", "300", "", false},
    {"Mie", "", "100", "", "0", "180", "0.1", "2000", "", false},
    {"Mie", "", "300", "", "0", "180", "0.1", "2000", "", false},
    {"Mie", "", "100", "", "0", "180", "0.1", "1", "", true},
    {"Debye", "", "100", "", "0", "180", "0.01", "1", "2", false},
    {"Debye", "", "1000", "", "0", "180", "0.1", "1", "-4", false},
    {"Debye", "", "100", "", "0", "180", "0.1", "300", "2", false},
    {"Mie", "Lee diagram", "1", "100", "130", "180", "0.05", "RGB", "", false},
    {"Mie", "Lee diagram", "10", "1000", "130", "180", "0.05", "RGB", "", false},
    {"Debye", "Lee diagram", "1", "100", "130", "180", "0.05", "RGB", "2", false},
};

void BM_EstimatedRun(benchmark::State& state) {
    const RunCase& c = kRuns[state.range(0)];
    Runtime runtime;
    runtime.setModalHook([](Form& f) { f.hide(); });
    runtime.setMessageBoxResponder([](const MessageBoxRequest&) { return mb::kYes; });
    auto f = std::make_unique<Form1>();
    f->load();
    if (std::string(c.waves) != "1" && std::string(c.graph).empty()) f->mnuSpectrumLee_Click();
    if (*c.graph) f->cboGraph.setText(c.graph);
    f->cboType.setText(c.method);
    if (*c.rays) f->cboRays.setText(c.rays);
    f->txtRadius.setText(c.radius);
    if (*c.rmax) {
        f->txtRmax.setText(c.rmax);
        f->txtRstep.setText("200");
    }
    f->txtXmin.setText(c.xmin);
    f->txtXmax.setText(c.xmax);
    f->cboStep.setText(c.step);
    f->cboWave.setText(c.waves);
    if (c.distribution) {
        f->optDisp.setValue(true);
        f->cboDistrib.setText("Log-normal");
        f->cboSD.setText("20");
        f->cboN.setText("50");
    }
    double seconds = 0.0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        f->cmdNewPlot.click();
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        state.SetIterationTime(seconds);
    }
    f->Duration();  // again after the run: the run's cost units
    const double units = f->runProgress.estimatedUnits;
    state.counters["units"] = units;
    state.counters["s_per_unit"] = seconds / units;
    state.counters["estimate_s"] =
        ExpectedSeconds(f->codes.calcMethod, f->codes.graphCode == kGraphLee, units);
    state.counters["waves"] = f->calc.waveCount;
}
BENCHMARK(BM_EstimatedRun)->DenseRange(0, 12)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessary
