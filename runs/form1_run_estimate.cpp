// The run-time estimate before a Mie or Debye run (Duration): reads the boxes and menus, counts the
// cost units of run_estimate.h, turns them into seconds at the measured rate and asks
// "Long calculation !" above half an hour. scratchB keeps the cost units.
#include <optional>
#include <string>

#include "mainwindow/form1.h"
#include "numerics/constants.h"
#include "platform/text/conversions.h"
#include "runs/run_estimate.h"

namespace tessary {

void Form1::Duration() {
    const double step = Val(cboStep.text());
    const double range = Val(txtXmax.text()) - Val(txtXmin.text());
    RunEstimate estimate;  // 0 s for the graph codes without an estimate
    if (graphCode == 1) {
        // Radius by the checked size menu (radius, diameter or size parameter x).
        const double lambda = Val(txtLambda.text());
        double r = 0.0;
        if (mnuRadius.checked()) r = Val(txtRadius.text());
        if (mnuDiameter.checked()) r = Val(txtRadius.text()) / 2;
        if (mnuRadiusX.checked()) r = Val(txtRadius.text()) * lambda / kTwoPi;
        AngleRunInput in;
        in.calcMethod = calcMethod;
        in.radius = r;
        in.step = step;
        in.range = range;
        in.waveCount = r > 0 ? EstimateWaveCount(cboWave.text(), r, waveCount) : waveCount;
        in.lambda = lambda;
        in.disperse = optDisp.value();
        in.samples = Val(cboN.text());
        estimate = EstimateAngleRun(in);
        if (estimate.status == EstimateStatus::Ok) waveCount = estimate.waveCount;
    } else if (graphCode == 20) {
        LeeRunInput in;
        in.calcMethod = calcMethod;
        in.sweepStart = static_cast<float>(Val(txtRadius.text()));
        in.sweepEnd = static_cast<float>(Val(txtRmax.text()));
        in.sweepSteps = static_cast<float>(Val(txtRstep.text()));
        in.step = step;
        in.range = range;
        in.waveText = cboWave.text();
        in.waveCount = waveCount;
        estimate = EstimateLeeRun(in);
        if (estimate.status == EstimateStatus::Ok) {
            sweepStart = in.sweepStart;
            sweepEnd = in.sweepEnd;
            sweepSteps = in.sweepSteps;
            sweepRatio = estimate.sweepRatio;
            waveCount = estimate.waveCount;
            radius = estimate.lastRadius;
            loopStep = estimate.stepsDone;
        }
    }
    if (estimate.status != EstimateStatus::Ok) return;  // no estimate: nothing asked

    double units = estimate.seconds;
    if (calcMethod == 2) {
        if (!RaysCheck()) {  // an absurd typed order, refused with its message: no run
            inputError = 1;
            return;
        }
        units = units * rayCount;
    }
    scratchB = units;
    const std::optional<std::string> prompt =
        LongRunPrompt(ExpectedSeconds(calcMethod, graphCode == 20, units));
    if (!prompt) return;
    const int answer = msgBox(*prompt, mb::kYesNo, std::string("Long calculation !"));
    scratchText = CStr(answer);
    if (answer == mb::kNo) inputError = 1;
}

}  // namespace tessary
