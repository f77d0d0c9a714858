// Calculation-option and beam menus of the main window: their check marks are the options the
// calculations read when they run. Toggles, groups with exactly one item checked, the size-entry
// captions, averaging and logarithmic steps, and the beam choice with its dialog. None of them
// starts a calculation; a few offer Replot.
#include <initializer_list>
#include <string>
#include <utility>

#include "mainwindow/form1.h"
#include "mainwindow/graph_presets.h"
#include "platform/text/conversions.h"
#include "runs/method_codes.h"
#include "runs/results_on_show.h"
#include "runs/sweep_steps.h"

namespace tessary {

namespace {

void Toggle(Menu& item) { item.setChecked(!item.checked()); }

// Checks one item of a group and unchecks the others.
void CheckOnly(Menu& item, std::initializer_list<Menu*> others) {
    item.setChecked(true);
    for (Menu* other : others) other->setChecked(false);
}

// Replot enabled, shown and made the default button.
void ShowReplot(Form1& f) {
    f.cmdReplot.setEnabled(true);
    f.cmdReplot.setVisible(true);
    f.cmdReplot.setDefault(true);
}

// A beam value as Single. A number beyond the Single range leaves the stored value; the run's input
// checks judge the box itself.
void StoreSingle(float& target, const TextBox& box) {
    const Checked<float> v = CSng(Val(box.text()));
    if (v.ok()) target = v.value;
}

// The beam dialog is not opened while results from a data file are shown: loading has set its fields.
void ShowBeamDialogAndStore(Form1& f) {
    dlogGaussianBeam& beam = *f.dlogGaussianBeam_;
    if (f.runFlags.resultsFromFile == 0) beam.show(ShowMode::Modal);
    StoreSingle(f.beamState.beamXf, beam.txtBeamXF);
    StoreSingle(f.beamState.beamYf, beam.txtBeamYF);
    StoreSingle(f.beamState.beamZf, beam.txtBeamZF);
    StoreSingle(f.beamState.beamW0, beam.txtBeamWo);
}

}  // namespace

// Toggles.
void Form1::mnuCentralBeam_Click() { Toggle(mnuCentralBeam); }
void Form1::mnuDebyeRecursion_Click() { Toggle(mnuDebyeRecursion); }
void Form1::mnuMultBeams_Click() { Toggle(mnuMultBeams); }
void Form1::mnuSWPhase_Click() { Toggle(mnuSWPhase); }
void Form1::mnuSWsub_Click() { Toggle(mnuSWsub); }

// Toggles that change only the drawing: Replot is offered while the results on show can be redrawn.
void Form1::mnuSun_Click() {
    Toggle(mnuSun);
    if (ResultsToRedraw(*this)) ShowReplot(*this);
}

void Form1::mnuInterpolate_Click() {
    Toggle(mnuInterpolate);
    lblCubic.setCaption(mnuInterpolate.checked() ? "Cubic interpolation ON" : "Cubic interpolation OFF");
    if (ResultsToRedraw(*this)) ShowReplot(*this);
}

// The surface-wave model: re-checked even when already checked.
void Form1::mnuKhare_Click() { CheckOnly(mnuKhare, {&mnuLock, &mnuNussenzveig}); }
void Form1::mnuLock_Click() { CheckOnly(mnuLock, {&mnuKhare, &mnuNussenzveig}); }
void Form1::mnuNussenzveig_Click() { CheckOnly(mnuNussenzveig, {&mnuKhare, &mnuLock}); }

// The surface-wave paths: an item already checked changes nothing.
void Form1::mnuSurfaceShort_Click() {
    if (!mnuSurfaceShort.checked()) CheckOnly(mnuSurfaceShort, {&mnuSurfaceLong, &mnuSurfaceBoth});
}
void Form1::mnuSurfaceLong_Click() {
    if (!mnuSurfaceLong.checked()) CheckOnly(mnuSurfaceLong, {&mnuSurfaceShort, &mnuSurfaceBoth});
}
void Form1::mnuSurfaceBoth_Click() {
    if (!mnuSurfaceBoth.checked()) CheckOnly(mnuSurfaceBoth, {&mnuSurfaceShort, &mnuSurfaceLong});
}

// What txtRadius means. Label29 is the micro sign in the gap of "(  m)", placed after "Radius (" or
// "Diameter (" as the label's font draws them.
void Form1::mnuRadius_Click() {
    if (mnuRadius.checked()) return;
    CheckOnly(mnuRadius, {&mnuDiameter, &mnuRadiusX});
    Label7.setCaption("Radius (  m)");
    Label29.setVisible(true);
    PlaceMicroSign(Label29, Label7, "Radius (");
}

void Form1::mnuDiameter_Click() {
    if (mnuDiameter.checked()) return;
    CheckOnly(mnuDiameter, {&mnuRadius, &mnuRadiusX});
    Label7.setCaption("Diameter (  m)");
    Label29.setVisible(true);
    PlaceMicroSign(Label29, Label7, "Diameter (");
}

void Form1::mnuRadiusX_Click() {
    if (mnuRadiusX.checked()) return;
    CheckOnly(mnuRadiusX, {&mnuRadius, &mnuDiameter});
    Label7.setCaption("Size parameter x");
    Label29.setVisible(false);
}

// Averaging of the curves; the dialog's OK names the width in the menu and the status label.
void Form1::mnuAverage_Click() {
    if (runFlags.resultsStale != 0) return;
    if (mnuAverage.checked()) {
        mnuAverage.setChecked(false);
        lblAverage.setCaption("Average OFF");
    } else {
        mnuAverage.setChecked(true);
        dlogAverage_->show(ShowMode::Modal);
    }
    if (ResultsToRedraw(*this)) ShowReplot(*this);
}

// Logarithmic x steps: the step list then holds a number of steps. Writing its text raises its
// Change, which marks the results out of date and resizes the result arrays. Only the sweeps that
// offer such steps change the list (the convergence graph steps through the orders one by one);
// unticking gives back the step the graph had, or its preset step once the graph or range changed.
void Form1::mnuXStepLog_Click() {
    Toggle(mnuXStepLog);
    if (!SweepLogStepCode(codes.graphCode)) return;
    if (mnuXStepLog.checked()) {
        stepBeforeLog = LinearStep{.step = cboStep.text(),
                                   .label = Label5.caption(),
                                   .xMin = txtXmin.text(),
                                   .xMax = txtXmax.text(),
                                   .graphCode = codes.graphCode,
                                   .graphSubCode = codes.graphSubCode};
        cboStep.setText("100");
        Label5.setCaption("No. of steps");
        return;
    }
    const bool same = stepBeforeLog && stepBeforeLog->graphCode == codes.graphCode &&
                      stepBeforeLog->graphSubCode == codes.graphSubCode &&
                      stepBeforeLog->xMin == txtXmin.text() && stepBeforeLog->xMax == txtXmax.text();
    if (same) {
        const LinearStep before = *std::exchange(stepBeforeLog, std::nullopt);
        cboStep.setText(before.step);
        Label5.setCaption(before.label);
        return;
    }
    const GraphPreset* preset = FindGraphPreset(codes.graphCode, codes.graphSubCode);
    // The asymmetry parameter's presets hold a number of steps, which is no step size.
    const bool linearPreset =
        preset && preset->range && preset->label5 && preset->stepLogMenu != StepLogMenu::On;
    cboStep.setText(linearPreset ? CStr(preset->range->step) : std::string("0.01"));
    Label5.setCaption(linearPreset ? preset->label5 : "Step");
}

// The beam group. The method handler calls these again after a change of method, so choosing Mie or
// Debye with the Gaussian beam checked opens its dialog again.
void Form1::mnuPlaneWave_Click() { CheckOnly(mnuPlaneWave, {&mnuGaussian, &mnuTopHat}); }

void Form1::mnuGaussian_Click() {
    CheckOnly(mnuGaussian, {&mnuPlaneWave, &mnuTopHat});
    dlogGaussianBeam& beam = *dlogGaussianBeam_;
    beam.setCaption("Gaussian beam");
    if (codes.calcMethod == kMethodMie || codes.calcMethod == kMethodDebye) {
        for (TextBox* box : {&beam.txtBeamYF, &beam.txtBeamZF, &beam.txtPhi}) box->setEnabled(true);
    }
    if (codes.calcMethod == kMethodYoungMod) {
        // Young mod.: the beam is centred on the axis.
        for (TextBox* box : {&beam.txtBeamYF, &beam.txtBeamZF, &beam.txtPhi}) {
            box->setText("0");
            box->setEnabled(false);
        }
    }
    ShowBeamDialogAndStore(*this);
}

void Form1::mnuTopHat_Click() {
    dlogGaussianBeam_->setCaption("Top hat beam");
    CheckOnly(mnuTopHat, {&mnuPlaneWave, &mnuGaussian});
    ShowBeamDialogAndStore(*this);
}

}  // namespace tessary
