// The run-time estimate before a Mie or Debye run (Duration): reads the boxes and menus, counts the
// cost units of run_estimate.h, turns them into seconds at the measured rate and asks
// "Long calculation !" above half an hour. estimatedUnits keeps the cost units. A run whose series would
// refuse its largest |m x| is refused here, before the question.
#include <algorithm>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "colour/wavelength_set.h"
#include "graphs/graph_codes.h"
#include "mainwindow/form1.h"
#include "media/dlog_spectrum.h"
#include "numerics/complex.h"
#include "numerics/constants.h"
#include "platform/text/conversions.h"
#include "runs/method_codes.h"
#include "runs/run_estimate.h"
#include "runs/run_rules.h"
#include "scattering/debye.h"
#include "scattering/mie.h"

namespace tessary {

namespace {

// The wavelengths (um) of a run over `count` wavelengths, as lambdaN will set them: "RGB" or the
// centres of equal parts of the band in its dialog (a limit that is no Single keeps the one in use).
std::vector<double> RunWavelengths(Form1& f, int count) {
    if (f.cboWave.text() == "RGB") return {std::begin(kRgbWavelengthsUm), std::end(kRgbWavelengthsUm)};
    float minUm = f.light.bandMinUm;
    float maxUm = f.light.bandMaxUm;
    if (const Checked<float> s = CSng(Val(f.dlogSpectrumBand_->txtSpectrumMin.text()) / 1000.0); s.ok())
        minUm = s.value;
    if (const Checked<float> s = CSng(Val(f.dlogSpectrumBand_->txtSpectrumMax.text()) / 1000.0); s.ok())
        maxUm = s.value;
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

}  // namespace

// Estimates a Mie or Debye run (angle graphs and Lee diagrams; writes waveCount and, for Lee diagrams, the
// sweep values) and above 1800 s asks "Long calculation !"; No sets inputError to 1, as does a Debye ray
// order that RaysCheck refuses.
// Inputs that leave the estimate undefined (a step, wavelength or radius <= 0, a Lee sweep of no or more than
// 400 steps) write nothing and ask nothing.
void Form1::Duration() {
    const double step = Val(cboStep.text());
    const double range = Val(txtXmax.text()) - Val(txtXmin.text());
    RunEstimate estimate;  // 0 s for the graph codes without an estimate
    double largestRadius = 0.0;
    if (codes.graphCode == kGraphAngle) {
        // Radius by the checked size menu (radius, diameter or size parameter x).
        const double lambda = Val(txtLambda.text());
        double r = 0.0;
        if (mnuRadius.checked()) r = Val(txtRadius.text());
        if (mnuDiameter.checked()) r = Val(txtRadius.text()) / 2;
        if (mnuRadiusX.checked()) r = Val(txtRadius.text()) * lambda / kTwoPi;
        AngleRunInput in;
        in.calcMethod = codes.calcMethod;
        in.radius = r;
        in.step = step;
        in.range = range;
        in.waveCount = r > 0 ? EstimateWaveCount(cboWave.text(), r, calc.waveCount) : calc.waveCount;
        in.lambda = lambda;
        in.disperse = optDisp.value();
        in.samples = Val(cboN.text());
        estimate = EstimateAngleRun(in);
        if (estimate.status == EstimateStatus::Ok) calc.waveCount = estimate.waveCount;
        largestRadius = r;
    } else if (codes.graphCode == kGraphLee) {
        LeeRunInput in;
        in.calcMethod = codes.calcMethod;
        in.sweepStart = static_cast<float>(Val(txtRadius.text()));
        in.sweepEnd = static_cast<float>(Val(txtRmax.text()));
        in.sweepSteps = static_cast<float>(Val(txtRstep.text()));
        in.step = step;
        in.range = range;
        in.waveText = cboWave.text();
        in.waveCount = calc.waveCount;
        estimate = EstimateLeeRun(in);
        if (estimate.status == EstimateStatus::Ok) {
            sweepState.sweepStart = in.sweepStart;
            sweepState.sweepEnd = in.sweepEnd;
            sweepState.sweepSteps = in.sweepSteps;
            sweepState.sweepRatio = estimate.sweepRatio;
            calc.waveCount = estimate.waveCount;
            calc.radius = estimate.lastRadius;
            largestRadius = estimate.lastRadius;
            sweepState.loopStep = estimate.stepsDone;
        }
    }
    if (estimate.status != EstimateStatus::Ok) return;  // no estimate: nothing asked

    double units = estimate.seconds;
    if (codes.calcMethod == kMethodDebye) {
        if (!RaysCheck()) {  // an absurd typed order, refused with its message: no run
            runFlags.inputError = 1;
            return;
        }
        units = units * series.rayCount;
    }
    runProgress.estimatedUnits = units;
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
    const std::optional<std::string> prompt =
        LongRunPrompt(ExpectedSeconds(codes.calcMethod, codes.graphCode == kGraphLee, units));
    if (!prompt) return;
    const int answer = msgBox(*prompt, mb::kYesNo, std::string("Long calculation !"));
    if (answer == mb::kNo) runFlags.inputError = 1;
}

}  // namespace tessary
