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
#include "runs/run_rules.h"
#include "runs/sweep_steps.h"
#include "scattering/form1_series_common.h"

namespace tessary {

namespace {

constexpr const char* kIncorrectEntry = "    The red highlighted data entry is incorrect.    ";

// The unit factor K of the stored intensities: k^2 (k with amplitudes), k in 1/m in the medium, by the
// menus, or 1.
void UnitFactor(CalcInputs& calc, double mediumRe, bool byMenus, bool perMetre, bool amplitude) {
    if (!byMenus) {
        calc.waveNumberSq = 1.0;
        return;
    }
    calc.waveNumber = perMetre ? MediumWaveNumber(calc.wavelength, mediumRe) : 1.0;
    calc.waveNumberSq = amplitude ? calc.waveNumber : calc.waveNumber * calc.waveNumber;
}

// The radius of the step beside the graph (codes 11 / 1 and 16 / 1 with visible data).
void RadiusBox(Form1& f) {
    f.setForeColor(kRed);
    f.boxFilled(2000, f.graph.graphBottom + 1200, 3000, f.graph.graphBottom + 1400);
    f.setForeColor(kBlack);
    f.setCurrentX(2000);
    f.setCurrentY(f.graph.graphBottom + 1200);
    f.print(f.calc.radius);
}

// Refuses a sweep the step table cannot make (the checks refuse such inputs before a run).
bool RefuseSweep(WindowCodes& codes, Control& box) {
    box.setBackColor(kRed);
    msgBox(kIncorrectEntry, mb::kOkOnly, std::string("Input error"));
    codes.runState = Form1::kRunStopped;
    return false;
}

// The inputs of step i; false when the index models have no index there (their message shown).
bool StepInputs(Form1& f, double x, double lambdaBox) {
    SweepStep step = SweepStepFor(f.codes.graphCode, f.codes.graphSubCode, x, lambdaBox, f.calc.radius,
                                  f.indexState.mediumRe);
    f.calc.wavelength = step.wavelength;
    switch (step.index) {
        case StepIndex::Frame:
            break;
        case StepIndex::Refrel: {
            const std::optional<double> m = f.refrel(f.calc.wavelength);
            if (!m) {
                f.codes.runState = Form1::kRunStopped;
                return false;
            }
            f.calc.calcIndexRe = *m;
            f.calc.calcIndexIm = f.indexState.relIndexIm;
            if (f.indexState.mediumRe == 0) f.indexState.mediumRe = 1.0;
            step = SweepStepFor(f.codes.graphCode, f.codes.graphSubCode, x, lambdaBox, f.calc.radius,
                                f.indexState.mediumRe);
            break;
        }
        case StepIndex::Boxes:
            f.calc.calcIndexRe = Val(f.txtRefractReal.text());
            f.calc.calcIndexIm = Val(f.txtRefractImag.text());
            break;
        case StepIndex::SweptReal:
            // Im m as the boxes give it at the run's wavelength, as its record names it.
            f.calc.calcIndexRe = x;
            f.calc.calcIndexIm = Val(f.txtRefractImag.text());
            break;
    }
    if (f.codes.graphCode >= kGraphEfficiency && f.codes.graphCode <= kGraphAsymmetry &&
        f.calc.calcIndexIm > 0)
        f.calc.absorbingFlag = 2;
    f.calc.radius = step.radius;
    f.calc.sizeParam = step.sizeParam;
    UnitFactor(f.calc, f.indexState.mediumRe, step.unitByMenus, f.mnuInvWavelength.checked(),
               f.mnuAmplitude.checked());
    if (step.radiusBox && f.mnuDataVisible.checked()) RadiusBox(f);
    return true;
}

// The three values of step i from the method's results at angleIndex.
void StoreStep(Form1& f, std::int32_t i) {
    const auto at = static_cast<std::size_t>(i);
    const auto j = static_cast<std::size_t>(f.angleGrid.angleIndex);
    SweepResults r;
    if (j < f.results.s1Amp[0].size() && j < f.results.s1Amp[1].size() && j < f.results.s2Amp[0].size() &&
        j < f.results.s2Amp[1].size()) {
        r.s1 = {f.results.s1Amp[0][j], f.results.s1Amp[1][j]};
        r.s2 = {f.results.s2Amp[0][j], f.results.s2Amp[1][j]};
    }
    r.qExt = f.results.qExt;
    r.qSca = f.results.qSca;
    r.g = f.results.asymmetryG;
    const std::optional<SweepValues> v =
        StoredSweepValues(f.codes.graphCode, f.codes.graphSubCode, r, f.calc.waveNumberSq,
                          f.mnuAmplitude.checked(), f.calc.radius);
    if (!v) return;
    f.results.intensityPerp[at] = v->perp;
    f.results.intensityPara[at] = v->para;
    f.results.intensityUnpol[at] = v->unpol;
}

// The plane-wave Mie series of every step computed ahead on the worker pool, when each step's input
// is known before the run (not for the convergence graph). An index that follows the wavelength is
// foreseen from the index models as they stand; the steps from the first the models refuse on are
// left to the run, which asks the models itself and reports the refusal. The series themselves do
// not change: each runs whole on one thread, and a step whose input differs computes its own.
std::unique_ptr<MieAheadPlan> PlanStepsAhead(Form1& f, const SweepPlan& plan, double lambdaBox) {
    const int threads = SharedPool().Threads();
    if (threads < 2 || f.codes.calcMethod != kMethodMie || f.mnuGaussian.checked() ||
        f.codes.graphCode == kGraphConvergence || !f.optMono.value())
        return nullptr;
    const bool forward = f.codes.graphCode >= kGraphEfficiency && f.codes.graphCode <= kGraphAsymmetry;
    const double boxRe = Val(f.txtRefractReal.text()), boxIm = Val(f.txtRefractImag.text());
    const bool modelsRead = f.ReadIndexModels();
    // The input step i hands the series; none when the models refuse its wavelength.
    const auto stepInput = [&](std::int32_t i) -> std::optional<MieInput> {
        const double x = plan.x(i);
        SweepStep step = SweepStepFor(f.codes.graphCode, f.codes.graphSubCode, x, lambdaBox, f.calc.radius,
                                      f.indexState.mediumRe);
        MieInput in;
        switch (step.index) {
            case StepIndex::Refrel: {  // as the step's own refrel call sets m and the medium
                if (!modelsRead || !(step.wavelength > 0.0)) return std::nullopt;
                const RefrelResult m = refrel(f.indexState.indexModels, step.wavelength);
                if (!m.ok()) return std::nullopt;
                in.m = {m.relIndexRe, m.relIndexIm};
                step = SweepStepFor(f.codes.graphCode, f.codes.graphSubCode, x, lambdaBox, f.calc.radius,
                                    m.mediumRe == 0 ? 1.0 : m.mediumRe);
                break;
            }
            case StepIndex::Frame:
                in.m = {f.calc.calcIndexRe, f.calc.calcIndexIm};
                break;
            case StepIndex::Boxes:
                in.m = {boxRe, boxIm};
                break;
            case StepIndex::SweptReal:
                in.m = {x, boxIm};
                break;
        }
        in.x = step.sizeParam;
        in.NANG = std::max(f.angleGrid.angleCount, 2);
        in.first = in.last = forward ? 1 : f.angleGrid.angleIndex;
        in.angleIndex = f.angleGrid.angleIndex;
        in.mnuSize = f.mnuSize.checked();
        return in;
    };
    std::vector<MieInput> inputs;
    for (std::int32_t i = f.angleGrid.firstPoint; i <= f.angleGrid.lastPoint; ++i) {
        const std::optional<MieInput> in = stepInput(i);
        if (!in) break;  // this step and those after it compute their own
        inputs.push_back(*in);
    }
    if (!WorthComputingAhead(inputs)) return nullptr;
    return std::make_unique<MieAheadPlan>(f.mieAhead, std::move(inputs), 8 * threads);
}

}  // namespace

// The points of the convergence graph are the orders of its one series: all its terms, or after a stop the
// orders the plane-wave Mie series had summed in full (each point is the sum up to its order, final once
// that order is added); the other series leave no order finished.
void Form1::ConvergenceOrdersDone(bool seriesCalled) {
    runRecord.doneFirst = 1;
    runRecord.plannedPoints = runProgress.termCount;
    runRecord.doneLast = 0;
    if (codes.runState != kRunStopped)
        runRecord.doneLast = runProgress.termCount;
    else if (seriesCalled && codes.calcMethod == kMethodMie && !mnuGaussian.checked() &&
             mieWork.status == MieStatus::Stopped)
        runRecord.doneLast = std::min(mieWork.ordersDone, mieWork.termCount);
}

// The method of a sweep or distribution step at the angle window first..last: the plane-wave Debye series for
// code 2 whatever the beam menu says, the run's dispatch for the others.
void Form1::DispatchSweepMethod(std::int32_t& first, std::int32_t& last) {
    if (codes.calcMethod == kMethodDebye) {
        ClearUpperVectorState();  // the plane-wave series, whatever the beam menu says
        DebyeSeries(calc.sizeParam, calc.calcIndexRe, calc.calcIndexIm, angleGrid.angleCount, results.s1Amp,
                    results.s2Amp, results.qExt, results.qSca, results.qBack, results.asymmetryG, first,
                    last);
        return;
    }
    DispatchMethod(first, last);
}

// The sweep branch of Overplot (graph codes 10 to 19): the angle grid of txtAngle, the step table, per step
// the method (or DispCalc) and the stored values, then the curves; false when stopped or refused (the
// driver's stop exit follows).
bool Form1::SweepPath() {
    AngleDelta();
    const std::optional<AngleOnGrid> grid = AngleGridFor(Val(txtAngle.text()));
    if (!grid) return RefuseSweep(codes, txtAngle);
    angleGrid.angleCount = grid->angleCount;
    angleGrid.angleIndex = grid->angleIndex;
    const auto points = static_cast<std::size_t>(2 * angleGrid.angleCount);
    for (ComplexTable* amplitude : {&results.s1Amp, &results.s2Amp})
        for (std::vector<double>& part : *amplitude) part.assign(points, 0.0);
    results.muTable.assign(static_cast<std::size_t>(angleGrid.angleCount) + 1, 0.0);

    // The run's own range, also when an Overplot draws it into the frame of the graph on show.
    const double xMin = Val(txtXmin.text()), xMax = Val(txtXmax.text());
    const std::optional<SweepPlan> plan =
        PlanSweep(codes.graphCode, xMin, xMax, xMin, xMax, Val(cboStep.text()), mnuXStepLog.checked());
    if (!plan) return RefuseSweep(codes, cboStep);
    angleGrid.firstPoint = plan->firstPoint;
    angleGrid.lastPoint = plan->lastPoint;
    if (plan->logSteps) sweepState.sweepRatio = plan->sweepRatio;
    graph.dataXStart = xMin;
    // The points finished so far, counted into the run's record as the steps are stored.
    runRecord.doneFirst = angleGrid.firstPoint;
    runRecord.doneLast = angleGrid.firstPoint - 1;
    runRecord.plannedPoints = angleGrid.lastPoint - angleGrid.firstPoint + 1;
    const Checked<std::int32_t> last = CLng(graph.xMax);
    if (last.ok()) angleGrid.windowLast = last.value;
    if (angleGrid.firstPoint == 2) angleGrid.windowFirst = 2;
    const auto size = static_cast<std::size_t>(angleGrid.lastPoint) + 1;
    for (auto* curve : {&results.intensityPerp, &results.intensityPara, &results.intensityUnpol,
                        &results.avgPerp, &results.avgPara, &results.avgUnpol})
        if (curve->size() < size) curve->resize(size, 0.0);

    const double lambdaBox = Val(txtLambda.text());
    const bool disperse = !optMono.value();
    const std::unique_ptr<MieAheadPlan> ahead = PlanStepsAhead(*this, *plan, lambdaBox);
    SeriesEventPump pump;  // events once at the start, then at most every 30 ms
    bool seriesCalled = false;
    for (std::int32_t i = angleGrid.firstPoint; i <= angleGrid.lastPoint; ++i) {
        if (codes.runState == kRunStopped) break;
        if (ahead) ahead->Reach(i - angleGrid.firstPoint);
        Label20.setCaption(codes.graphCode == kGraphConvergence
                               ? std::string("1")
                               : CStr(static_cast<double>(i - angleGrid.firstPoint) /
                                      (angleGrid.lastPoint - angleGrid.firstPoint + 1)));
        ++sweepState.sweepStepCount;
        if (i == angleGrid.firstPoint)
            pump.pumpNow();
        else
            pump.pumpIfDue();
        if (codes.runState == kRunStopped) break;
        if (!StepInputs(*this, plan->x(i), lambdaBox)) break;
        if (disperse) {
            sweepState.sweepIndex = i;
            if (!DispCalc()) break;
            runRecord.doneLast = i;
        } else {
            // The efficiencies need the forward amplitude (Qext from S1 at 0 degrees), not the angle.
            const bool forward = codes.graphCode >= kGraphEfficiency && codes.graphCode <= kGraphAsymmetry;
            std::int32_t from = forward ? 1 : angleGrid.angleIndex, to = forward ? 1 : angleGrid.angleIndex;
            seriesCalled = true;
            DispatchSweepMethod(from, to);
            if (codes.runState == kRunStopped) break;
            StoreStep(*this, i);
            runRecord.doneLast = i;
        }
    }
    if (codes.graphCode == kGraphConvergence) ConvergenceOrdersDone(seriesCalled);
    if (codes.runState == kRunStopped) {
        // The graph on show stays until an Overplot finishes; a New plot's finished points have a y range
        // of their own.
        if (!runFlags.overplotUnderWay) StoppedSweepYScale(runRecord.doneLast);
        return false;
    }
    if (disperse)
        Display(results.avgPerp, results.avgPara, results.avgUnpol);
    else
        Display(results.intensityPerp, results.intensityPara, results.intensityUnpol);
    return true;
}

}  // namespace tessary
