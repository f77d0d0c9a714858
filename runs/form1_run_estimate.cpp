// The run-time estimate before a Mie or Debye run (Duration): reads the boxes, menus and dialogs, the
// pool's thread count and the processor's vector width, estimates the run's seconds (run_estimate.h)
// and asks "Long calculation !" above half an hour. estimatedSeconds keeps the estimate. A run whose
// series would refuse its largest |m x| is refused here, before the question.
#include <algorithm>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

#include "colour/wavelength_set.h"
#include "graphs/graph_codes.h"
#include "mainwindow/form1.h"
#include "media/dlog_spectrum.h"
#include "numerics/complex.h"
#include "numerics/constants.h"
#include "numerics/worker_pool.h"
#include "platform/text/conversions.h"
#include "runs/box_number.h"
#include "runs/method_codes.h"
#include "runs/run_estimate.h"
#include "runs/run_rules.h"
#include "scattering/angle_loops.h"
#include "scattering/debye.h"
#include "scattering/mie.h"

namespace tessary {

namespace {

// The band (um) that several wavelengths cut into equal parts, as lambdaN will take it: the limits in
// the spectrum-band dialog (a limit that is no Single keeps the one in use).
std::pair<float, float> RunBand(Form1& f) {
    float minUm = f.light.bandMinUm;
    float maxUm = f.light.bandMaxUm;
    if (const Checked<float> s = CSng(Val(f.dlogSpectrumBand_->txtSpectrumMin.text()) / 1000.0); s.ok())
        minUm = s.value;
    if (const Checked<float> s = CSng(Val(f.dlogSpectrumBand_->txtSpectrumMax.text()) / 1000.0); s.ok())
        maxUm = s.value;
    return {minUm, maxUm};
}

// The wavelengths (um) of a run over `count` wavelengths, as lambdaN will set them: "RGB" or the
// centres of equal parts of the band.
std::vector<double> RunWavelengths(Form1& f, int count) {
    if (f.cboWave.text() == "RGB") return {std::begin(kRgbWavelengthsUm), std::end(kRgbWavelengthsUm)};
    const auto [minUm, maxUm] = RunBand(f);
    std::vector<double> waves;
    for (int k = 1; k <= std::clamp(count, 0, 2001); ++k) waves.push_back(BandCentre(minUm, maxUm, count, k));
    return waves;
}

// The largest |m x| the series will be given for a sphere of `radius` (um), x and m formed as the run
// forms them. One wavelength: the boxes and the medium index on show, x by the angle graph's set-up or
// (leeRow) by the wavelength loop of a Lee row. Several: each wavelength's m and medium index from the
// models; a wavelength whose index the models do not give outright (a failure, or the index on show
// kept) is left out, so only an |m x| the run is sure to reach counts. A Lee diagram is judged by its
// last row, the largest radius.
double LargestMx(Form1& f, double radius, bool leeRow) {
    const int count =
        WaveCountForRadius(f.cboWave.text(), radius).value_or(Form1::WaveCountOf(f.cboWave.text()));
    if (count == 1) {
        const double lambda = Val(f.txtLambda.text());
        const double medium = f.indexState.mediumRe == 0 ? 1.0 : f.indexState.mediumRe;
        const double x = leeRow ? kTwoPi * radius / lambda * medium : radius * kTwoPi / lambda * medium;
        return ComplexAbs({x * Val(f.txtRefractReal.text()), x * Val(f.txtRefractImag.text())});
    }
    double largest = 0.0;
    for (const double lambda : RunWavelengths(f, count)) {
        const RefrelResult m = f.CheckedModelsIndex(lambda);
        if (!m.ok()) continue;
        const double x = kTwoPi * radius / lambda * m.mediumRe;
        largest = std::max(largest, ComplexAbs({x * m.relIndexRe, x * m.relIndexIm}));
    }
    return largest;
}

// The title the series gives its refusals: the Mie routines name themselves, Debye's say "Error".
std::string SeriesErrorTitle(int calcMethod, bool gaussian) {
    if (calcMethod != kMethodMie) return "Error";
    return gaussian ? "Error in MIE_Gaussian sub-routine" : "Error in BHMIE sub-routine";
}

// The setting every estimate reads: method, beam, indices, angle grid, wavelengths and the machine.
RunSetting EstimateSetting(Form1& f) {
    RunSetting s;
    s.calcMethod = f.codes.calcMethod;
    s.gaussianBeam = f.mnuGaussian.checked();
    if (s.gaussianBeam) {  // the dialog's values, leaving the beam of the results on show
        const BeamState kept = f.beamState;
        s.beam = f.ReadBeamDialog();
        f.beamState = kept;
    }
    s.beamPair = f.mnuMultBeams.checked();
    s.rayCount = f.series.rayCount;
    s.m = {Val(f.txtRefractReal.text()), Val(f.txtRefractImag.text())};
    s.mediumRe = f.indexState.mediumRe == 0 ? 1.0 : f.indexState.mediumRe;
    s.step = Val(f.cboStep.text());
    s.xMin = Val(f.txtXmin.text());
    s.xMax = Val(f.txtXmax.text());
    s.sunDiscSteps = f.light.sunDiscSteps;
    s.waveText = f.cboWave.text();
    s.waveCount = Form1::WaveCountOf(f.cboWave.text());
    s.lambda = Val(f.txtLambda.text());
    std::tie(s.bandMinUm, s.bandMaxUm) = RunBand(f);
    // Threads beyond the processor's cores add nothing.
    const int cores = static_cast<int>(std::thread::hardware_concurrency());
    s.threads = cores > 0 ? std::min(SharedPool().Threads(), cores) : SharedPool().Threads();
    s.avx2 = angle_loops::CpuHasAvx2();
    return s;
}

}  // namespace

// Estimates a Mie or Debye run (angle graphs and Lee diagrams; writes waveCount and, for Lee diagrams, the
// sweep values) and above 1800 s asks "Long calculation !"; No sets inputError to 1, as does a Debye ray
// order that RaysCheck refuses.
// Inputs that leave the estimate undefined (a step, wavelength or radius <= 0, a Lee sweep of no or more than
// 400 steps) write nothing and ask nothing.
void Form1::Duration() {
    RunEstimate estimate;  // 0 s for the graph codes without an estimate
    double largestRadius = 0.0;
    // The radius of an angle graph, the first of a Lee diagram: the one the size box stands for by the checked
    // size menu (radius, diameter or size parameter x).
    const double sizeBoxRadius =
        RadiusOfSizeBox(txtRadius.text(), mnuDiameter.checked(), mnuRadiusX.checked(), txtLambda.text());
    const auto estimateNow = [&] {
        const RunSetting setting = EstimateSetting(*this);
        if (codes.graphCode == kGraphAngle) {
            const double r = sizeBoxRadius;
            AngleRunInput in;
            in.run = setting;
            in.radius = r;
            in.disperse = optDisp.value();
            in.samples = Val(cboN.text());
            estimate = EstimateAngleRun(in);
            largestRadius = r;
        } else if (codes.graphCode == kGraphLee) {
            LeeRunInput in;
            in.run = setting;
            in.run.waveCount = calc.waveCount;  // the count before the sweep, for any other text
            in.sweepStart = static_cast<float>(sizeBoxRadius);
            in.sweepEnd = static_cast<float>(Val(txtRmax.text()));
            in.sweepSteps = static_cast<float>(Val(txtRstep.text()));
            estimate = EstimateLeeRun(in);
            largestRadius = estimate.lastRadius;
        }
    };
    estimateNow();
    if (estimate.status != EstimateStatus::Ok) return;  // no estimate: nothing asked
    if (codes.graphCode == kGraphAngle) {
        calc.waveCount = EstimateWaveCount(cboWave.text(), largestRadius, calc.waveCount);
    } else if (codes.graphCode == kGraphLee) {
        sweepState.sweepStart = static_cast<float>(sizeBoxRadius);
        sweepState.sweepEnd = static_cast<float>(Val(txtRmax.text()));
        sweepState.sweepSteps = static_cast<float>(Val(txtRstep.text()));
        sweepState.sweepRatio = estimate.sweepRatio;
        calc.waveCount = estimate.waveCount;
        calc.radius = estimate.lastRadius;
        sweepState.loopStep = estimate.stepsDone;
    }

    if (codes.calcMethod == kMethodDebye) {
        if (!RaysCheck()) {  // an absurd typed order, refused with its message: no run
            runFlags.inputError = 1;
            return;
        }
        estimateNow();  // with the ray orders just counted
    }
    runProgress.estimatedSeconds = estimate.seconds;
    // The series' own limit, refused with its own message and title. A size distribution's radii are
    // not the box's, so such a run is left to the series.
    const bool disperse = codes.graphCode == kGraphAngle && optDisp.value();
    const double limit = codes.calcMethod == kMethodMie ? kMieTermLimit : kDebyeTermLimit;
    if (!disperse && LargestMx(*this, largestRadius, codes.graphCode == kGraphLee) > limit) {
        msgBox("Reduce radius or increase wavelength", mb::kOkOnly,
               SeriesErrorTitle(codes.calcMethod, mnuGaussian.checked()));
        runFlags.inputError = 1;
        return;
    }
    const std::optional<std::string> prompt = LongRunPrompt(estimate.seconds);
    if (!prompt) return;
    const int answer = msgBox(*prompt, mb::kYesNo, std::string("Long calculation !"));
    if (answer == mb::kNo) runFlags.inputError = 1;
}

}  // namespace tessary
