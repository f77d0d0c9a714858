// The progress display of a running calculation: the percentage in txtProgress and a bar growing
// from x = 12000 twips at 30 twips per percent, redrawn only when the value has grown by a step.
#include <cmath>

#include "mainwindow/form1.h"
#include "platform/text/conversions.h"
#include "platform/ui/window_colours.h"
#include "runs/run_rules.h"

namespace tessary {

namespace {

constexpr OleColor kBarColour = 12648192;  // &HC0FF00

// The counters the percentage is formed from, as they are now (the sweep fraction read by the sweep
// rule only).
ProgressInput CountersOf(const Form1& f, bool sweepRule) {
    ProgressInput in;
    in.calcMethod = f.codes.calcMethod;
    in.graphCode = f.codes.graphCode;
    in.waveCount = f.calc.waveCount;
    in.disperse = f.optDisp.value();
    in.gaussian = f.mnuGaussian.checked();
    if (sweepRule) in.sweepFraction = Val(f.Label20.caption());
    in.loopN = f.runProgress.loopN;
    in.termCount = f.runProgress.termCount;
    in.loopJ = f.sweepState.loopJ;
    in.firstPoint = f.angleGrid.firstPoint;
    in.lastPoint = f.angleGrid.lastPoint;
    in.outerCount = f.runProgress.outerCount;
    in.loopI = f.sweepState.loopI;
    in.loopK = f.sweepState.loopK;
    in.sampleCount = f.dist.sampleCount;
    in.stepsDone = f.runProgress.stepsDone;
    in.stepsTotal = f.runProgress.stepsTotal;
    in.progressPercent = f.runProgress.progressPercent;
    return in;
}

}  // namespace

// True in a sweep of the series and first approximations: the progress display then follows the step's
// caption only, and Progress changes nothing after its first call in a step.
bool Form1::ProgressFollowsSweepStep() const {
    return codes.calcMethod >= kMethodMie && codes.calcMethod <= kMethodAiry &&
           codes.graphCode >= kFirstSweepGraph && codes.graphCode <= kLastSweepGraph;
}

// The percentage of the running calculation in txtProgress and the bar at (12000, 1900).
void Form1::Progress() {
    // In a sweep of the series and first approximations the percentage follows the step's caption
    // only: nothing changes until the next step's caption (the series report every order).
    const bool sweepRule = ProgressFollowsSweepStep();
    if (sweepRule) {
        if (sweepState.sweepStepShown == sweepState.sweepStepCount) return;
        sweepState.sweepStepShown = sweepState.sweepStepCount;
    }
    const ProgressInput in = CountersOf(*this, sweepRule);
    const std::optional<ProgressValue> value = ProgressPercentage(in);
    if (!value) return;
    const float p = value->percent;
    runProgress.progressPercent = p;
    if (!ProgressDue(*value, runProgress.progressShown)) return;

    setForeColor(kBarColour);
    switch (value->display) {
        case ProgressDisplay::A:
            txtProgress.setText(CStr(p));
            break;
        case ProgressDisplay::B:
            txtProgress.setText(CStr(std::floor(p * 100.0f) / 100.0f));
            break;
        case ProgressDisplay::C:
            break;
    }
    boxFilled(12000, 1900, 12000 + 30.0 * p, 2000);
    if (value->display == ProgressDisplay::C) txtProgress.setText(CStr(p));
    setForeColor(kBlack);
    runProgress.progressShown = p;
}

// The next order of the running series from `from` on (its last order `last`) at which Progress
// can change the display; the orders before it need not be reported. In a sweep the display changes
// at the step's first report only.
std::int32_t Form1::ProgressNextOrder(std::int32_t from, std::int32_t last) const {
    if (ProgressFollowsSweepStep()) return last;
    return NextProgressOrder(CountersOf(*this, false), from, last, runProgress.progressShown);
}

}  // namespace tessary
