// A run over several wavelengths on the main window (offscreen): 100 wavelengths of sunlight, water
// drop of radius 10 um, 0 to 180 degrees at 0.1, Mie. The 100 series calls alone; the wavelength loop
// with its colour sums, maxima and drawing; the whole New plot; and the memory a run of 100 against
// 1000 wavelengths holds (maximum resident size after the run, in kB).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <cstdlib>
#include <memory>
#include <string>

#include "mainwindow/form1.h"
#include "numerics/constants.h"
#include "platform/ui/runtime.h"

namespace tessary {
namespace {

// One application, runtime and main window for the whole benchmark program.
Form1& Window(const std::string& waves) {
    // The benchmark program's main makes the application; this is for a program without one.
    static QCoreApplication* app = [] {
        if (QCoreApplication::instance() != nullptr) return QCoreApplication::instance();
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        static int argc = 1;
        static char name[] = "several_wavelengths_bench";
        static char* argv[] = {name, nullptr};
        return static_cast<QCoreApplication*>(new QApplication(argc, argv));
    }();
    static Runtime* runtime = [] {
        auto* r = new Runtime;
        r->setModalHook([](Form& f) { f.hide(); });
        return r;
    }();
    static Form1* form = [] {
        auto* f = new Form1;
        f->load();
        return f;
    }();
    (void)app;
    (void)runtime;
    form->mnuSpectrumLee_Click();
    form->txtRadius.setText("10");
    form->txtXmin.setText("0");
    form->txtXmax.setText("180");
    form->cboStep.setText("0.1");
    form->cboWave.setText(waves);
    return *form;
}

// The series of wavelength k of the run's set, with its index and size parameter as the run forms them.
void SeriesAtWavelength(Form1& f, std::size_t k) {
    f.calc.wavelength = f.waveSet.waveList[k];
    f.calc.calcIndexRe = *f.refrel(f.calc.wavelength);
    f.calc.calcIndexIm = f.indexState.relIndexIm;
    f.calc.sizeParam = kTwoPi * f.calc.radius / f.calc.wavelength * f.indexState.mediumRe;
    f.BHMIE(f.calc.sizeParam, f.calc.calcIndexRe, f.calc.calcIndexIm, f.angleGrid.angleCount, f.results.s1Amp,
            f.results.s2Amp, f.results.qExt, f.results.qSca, f.results.qBack, f.results.asymmetryG,
            f.angleGrid.windowFirst, f.angleGrid.windowLast);
}

void BM_SeriesCallsAlone(benchmark::State& state) {
    Form1& f = Window("100");
    f.cmdNewPlot_Click();  // the grid, window and wavelength set of the run
    for (auto _ : state) {
        for (int i = 1; i <= f.calc.waveCount; ++i) {
            SeriesAtWavelength(f, static_cast<std::size_t>(i));
        }
        benchmark::DoNotOptimize(f.results.s1Amp[0].data());
    }
}
BENCHMARK(BM_SeriesCallsAlone)->Unit(benchmark::kMillisecond);

// The run's loop as the window makes it: index, series and colour sums per wavelength, then the
// pass of run maxima over the shown points (the drawing is left to BM_NewPlot).
void BM_WavelengthLoopSumsAndMaxima(benchmark::State& state) {
    Form1& f = Window("100");
    f.cmdNewPlot_Click();
    for (auto _ : state) {
        for (int i = 1; i <= f.calc.waveCount; ++i) {
            const auto k = static_cast<std::size_t>(i);
            SeriesAtWavelength(f, k);
            ColourSumTerm term;
            term.few = false;
            term.weight = f.waveSet.weightPerWave[k];
            term.K = f.calc.waveNumberSq;
            term.red = f.waveSet.redPerWave[k];
            term.green = f.waveSet.greenPerWave[k];
            term.blue = f.waveSet.bluePerWave[k];
            AddColourSums(term, f.results.s1Amp[0], f.results.s1Amp[1], f.results.s2Amp[0],
                          f.results.s2Amp[1], f.angleGrid.windowFirst, f.angleGrid.windowLast,
                          f.colourSums.colourSumPerp, f.colourSums.colourSumPara, f.results.intensityPerp,
                          f.results.intensityPara);
        }
        for (f.sweepState.loopJ = f.angleGrid.firstPoint; f.sweepState.loopJ <= f.angleGrid.lastPoint;
             ++f.sweepState.loopJ)
            f.PlotN();
        benchmark::DoNotOptimize(f.colourSums.peakCommon);
    }
}
BENCHMARK(BM_WavelengthLoopSumsAndMaxima)->Unit(benchmark::kMillisecond);

void BM_NewPlot(benchmark::State& state) {
    Form1& f = Window("100");
    for (auto _ : state) f.cmdNewPlot_Click();
    benchmark::DoNotOptimize(f.colourSums.colourSumPerp[0].data());
}
BENCHMARK(BM_NewPlot)->Unit(benchmark::kMillisecond);

void BM_MemoryOfTheRun(benchmark::State& state) {
    Form1& f = Window(std::to_string(state.range(0)));
    for (auto _ : state) f.cmdNewPlot_Click();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["maxRSS_kB"] = static_cast<double>(usage.ru_maxrss);
}
BENCHMARK(BM_MemoryOfTheRun)->Arg(100)->Arg(1000)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessary
