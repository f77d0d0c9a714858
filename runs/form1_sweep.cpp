// The branch of the run driver that draws one curve against an x variable: wavelength, radius, size
// parameter, refractive index, convergence, efficiencies or cross-sections, asymmetry parameter. Each
// step sets the method's inputs from the step table (runs/sweep_steps.h), calls the method at the one
// angle of txtAngle (or averages over the size distribution), and stores one value per curve.
//
// Beyond the program's historical sweep: the index models are evaluated before the step's size
// parameter is formed, so that a medium whose index follows the wavelength gives x of that step; a
// size parameter in a medium gives the radius x lambda / (2 pi n_medium). The convergence graph takes
// m from the index boxes, as the angle graph does, so that a typed index is the one computed with.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "graphs/graph_codes.h"
#include "mainwindow/form1.h"
#include "media/refrel.h"
#include "numerics/constants.h"
#include "numerics/vector_state.h"
#include "numerics/worker_pool.h"
#include "platform/text/conversions.h"
#include "platform/ui/window_colours.h"
#include "runs/method_codes.h"
#include "runs/sweep_steps.h"
#include "scattering/form1_series_common.h"

namespace tessary {

namespace {

constexpr const char* kIncorrectEntry = "    The red highlighted data entry is incorrect.    ";

// The unit factor K of the stored intensities: k^2 (k with amplitudes) in 1/m by the menus, or 1.
void UnitFactor(Form1& f, bool byMenus) {
    if (!byMenus) {
        f.waveNumberSq = 1.0;
        return;
    }
    f.waveNumber = f.mnuInvWavelength.checked() ? kTwoPi / (f.wavelength * 1E-6) : 1.0;
    f.waveNumberSq = f.mnuAmplitude.checked() ? f.waveNumber : f.waveNumber * f.waveNumber;
}

// The radius of the step beside the graph (codes 11 / 1 and 16 / 1 with visible data).
void RadiusBox(Form1& f) {
    f.setForeColor(kRed);
    f.boxFilled(2000, f.graphBottom + 1200, 3000, f.graphBottom + 1400);
    f.setForeColor(kBlack);
    f.setCurrentX(2000);
    f.setCurrentY(f.graphBottom + 1200);
    f.print(f.radius);
}

// Refuses a sweep the step table cannot make (the checks refuse such inputs before a run).
bool RefuseSweep(Form1& f, Control& box) {
    box.setBackColor(kRed);
    msgBox(kIncorrectEntry, mb::kOkOnly, std::string("Input error"));
    f.runState = Form1::kRunStopped;
    return false;
}

// The inputs of step i; false when the index models have no index there (their message shown).
bool StepInputs(Form1& f, double x, double lambdaBox) {
    SweepStep step = SweepStepFor(f.graphCode, f.graphSubCode, x, lambdaBox, f.radius, f.mediumRe);
    f.wavelength = step.wavelength;
    switch (step.index) {
        case StepIndex::Frame:
            break;
        case StepIndex::Refrel: {
            const std::optional<double> m = f.refrel(f.wavelength);
            if (!m) {
                f.runState = Form1::kRunStopped;
                return false;
            }
            f.calcIndexRe = *m;
            f.calcIndexIm = f.relIndexIm;
            if (f.mediumRe == 0) f.mediumRe = 1.0;
            step = SweepStepFor(f.graphCode, f.graphSubCode, x, lambdaBox, f.radius, f.mediumRe);
            break;
        }
        case StepIndex::Boxes:
            f.calcIndexRe = Val(f.txtRefractReal.text());
            f.calcIndexIm = Val(f.txtRefractImag.text());
            break;
        case StepIndex::SweptReal:
            f.calcIndexRe = x;
            f.calcIndexIm = f.relIndexIm;
            break;
    }
    if ((f.graphCode == kGraphEfficiency || f.graphCode == kGraphEfficiencyWavelength) && f.calcIndexIm > 0) f.absorbingFlag = 2;
    f.radius = step.radius;
    f.sizeParam = step.sizeParam;
    UnitFactor(f, step.unitByMenus);
    if (step.radiusBox && f.mnuDataVisible.checked()) RadiusBox(f);
    return true;
}

// The three values of step i from the method's results at angleIndex.
void StoreStep(Form1& f, std::int32_t i) {
    const auto at = static_cast<std::size_t>(i);
    const auto j = static_cast<std::size_t>(f.angleIndex);
    SweepResults r;
    if (j < f.s1Amp[0].size() && j < f.s1Amp[1].size() && j < f.s2Amp[0].size() && j < f.s2Amp[1].size()) {
        r.s1 = {f.s1Amp[0][j], f.s1Amp[1][j]};
        r.s2 = {f.s2Amp[0][j], f.s2Amp[1][j]};
    }
    r.qExt = f.qExt;
    r.qSca = f.qSca;
    r.g = f.asymmetryG;
    const std::optional<SweepValues> v = StoredSweepValues(f.graphCode, f.graphSubCode, r, f.waveNumberSq,
                                                           f.mnuAmplitude.checked(), f.radius);
    if (!v) return;
    f.intensityPerp[at] = v->perp;
    f.intensityPara[at] = v->para;
    f.intensityUnpol[at] = v->unpol;
}

// The plane-wave Mie series of every step computed ahead on the worker pool, when each step's input
// is known before the run (not for the convergence graph). An index that follows the wavelength is
// foreseen from the index models as they stand; the steps from the first the models refuse on are
// left to the run, which asks the models itself and reports the refusal. The series themselves do
// not change: each runs whole on one thread, and a step whose input differs computes its own.
std::unique_ptr<MieAheadPlan> PlanStepsAhead(Form1& f, const SweepPlan& plan, double lambdaBox) {
    const int threads = SharedPool().Threads();
    if (threads < 2 || f.calcMethod != kMethodMie || f.mnuGaussian.checked() || f.graphCode == kGraphConvergence || !f.optMono.value())
        return nullptr;
    const bool forward = f.graphCode >= kGraphEfficiency && f.graphCode <= kGraphAsymmetry;
    const double boxRe = Val(f.txtRefractReal.text()), boxIm = Val(f.txtRefractImag.text());
    const bool modelsRead = f.ReadIndexModels();
    // The input step i hands the series; none when the models refuse its wavelength.
    const auto stepInput = [&](std::int32_t i) -> std::optional<MieInput> {
        const double x = plan.x(i);
        SweepStep step = SweepStepFor(f.graphCode, f.graphSubCode, x, lambdaBox, f.radius, f.mediumRe);
        MieInput in;
        switch (step.index) {
            case StepIndex::Refrel: {  // as the step's own refrel call sets m and the medium
                if (!modelsRead || !(step.wavelength > 0.0)) return std::nullopt;
                const RefrelResult m = refrel(f.indexModels, step.wavelength);
                if (!m.ok()) return std::nullopt;
                in.m = {m.relIndexRe, m.relIndexIm};
                step = SweepStepFor(f.graphCode, f.graphSubCode, x, lambdaBox, f.radius,
                                    m.mediumRe == 0 ? 1.0 : m.mediumRe);
                break;
            }
            case StepIndex::Frame:
                in.m = {f.calcIndexRe, f.calcIndexIm};
                break;
            case StepIndex::Boxes:
                in.m = {boxRe, boxIm};
                break;
            case StepIndex::SweptReal:
                in.m = {x, f.relIndexIm};
                break;
        }
        in.x = step.sizeParam;
        in.NANG = std::max(f.angleCount, 2);
        in.first = in.last = forward ? 1 : f.angleIndex;
        in.angleIndex = f.angleIndex;
        in.mnuSize = f.mnuSize.checked();
        return in;
    };
    std::vector<MieInput> inputs;
    for (std::int32_t i = f.firstPoint; i <= f.lastPoint; ++i) {
        const std::optional<MieInput> in = stepInput(i);
        if (!in) break;  // this step and those after it compute their own
        inputs.push_back(*in);
    }
    if (!WorthComputingAhead(inputs)) return nullptr;
    return std::make_unique<MieAheadPlan>(f.mieAhead, std::move(inputs), 8 * threads);
}

}  // namespace

void Form1::DispatchSweepMethod(std::int32_t& first, std::int32_t& last) {
    if (calcMethod == kMethodDebye) {
        ClearUpperVectorState();  // the plane-wave series, whatever the beam menu says
        DebyeSeries(sizeParam, calcIndexRe, calcIndexIm, angleCount, s1Amp, s2Amp, qExt, qSca, qBack,
                    asymmetryG, first, last);
        return;
    }
    DispatchMethod(first, last);
}

bool Form1::SweepPath() {
    sweepLastStored = 0;
    AngleDelta();
    const std::optional<AngleOnGrid> grid = AngleGridFor(Val(txtAngle.text()));
    if (!grid) return RefuseSweep(*this, txtAngle);
    angleCount = grid->angleCount;
    angleIndex = grid->angleIndex;
    const auto points = static_cast<std::size_t>(2 * angleCount);
    for (ComplexTable* amplitude : {&s1Amp, &s2Amp})
        for (std::vector<double>& part : *amplitude) part.assign(points, 0.0);
    muTable.assign(static_cast<std::size_t>(angleCount) + 1, 0.0);

    const std::optional<SweepPlan> plan = PlanSweep(graphCode, Val(txtXmin.text()), Val(txtXmax.text()), xMin,
                                                    xMax, Val(cboStep.text()), mnuXStepLog.checked());
    if (!plan) return RefuseSweep(*this, cboStep);
    firstPoint = plan->firstPoint;
    lastPoint = plan->lastPoint;
    if (plan->logSteps) sweepRatio = plan->sweepRatio;
    dataXStart = xMin;
    const Checked<std::int32_t> last = CLng(xMax);
    if (last.ok()) windowLast = last.value;
    if (firstPoint == 2) windowFirst = 2;
    const auto size = static_cast<std::size_t>(lastPoint) + 1;
    for (auto* curve : {&intensityPerp, &intensityPara, &intensityUnpol, &avgPerp, &avgPara, &avgUnpol})
        if (curve->size() < size) curve->resize(size, 0.0);

    const double lambdaBox = Val(txtLambda.text());
    const bool disperse = !optMono.value();
    const std::unique_ptr<MieAheadPlan> ahead = PlanStepsAhead(*this, *plan, lambdaBox);
    SeriesEventPump pump;  // events once at the start, then at most every 30 ms
    for (std::int32_t i = firstPoint; i <= lastPoint; ++i) {
        if (runState == kRunStopped) break;
        if (ahead) ahead->Reach(i - firstPoint);
        Label20.setCaption(graphCode == kGraphConvergence ? std::string("1")
                                           : CStr(static_cast<double>(i - firstPoint) / (lastPoint - firstPoint + 1)));
        ++sweepStepCount;
        if (i == firstPoint)
            pump.pumpNow();
        else
            pump.pumpIfDue();
        if (runState == kRunStopped) break;
        if (!StepInputs(*this, plan->x(i), lambdaBox)) break;
        if (disperse) {
            sweepIndex = i;
            if (!DispCalc()) break;
            sweepLastStored = i;
        } else {
            // The efficiencies need the forward amplitude (Qext from S1 at 0 degrees), not the angle.
            const bool forward = graphCode >= kGraphEfficiency && graphCode <= kGraphAsymmetry;
            std::int32_t from = forward ? 1 : angleIndex, to = forward ? 1 : angleIndex;
            DispatchSweepMethod(from, to);
            if (runState == kRunStopped) break;
            StoreStep(*this, i);
            sweepLastStored = i;
        }
    }
    if (runState == kRunStopped) return false;
    if (disperse)
        Display(avgPerp, avgPara, avgUnpol);
    else
        Display(intensityPerp, intensityPara, intensityUnpol);
    return true;
}

}  // namespace tessary
