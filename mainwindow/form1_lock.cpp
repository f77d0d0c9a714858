// Locking of the main window's inputs while a calculation or a long drawing runs: LockON disables
// the inputs and commands and shows the hourglass; LockOFF enables them again, clears the marks of
// changed inputs and restores the settings that depend on the graph type. Between the two,
// inputsLocked tells the menu commands that would start a run, load, save or redraw to refuse.
#include <initializer_list>

#include "mainwindow/form1.h"

namespace tessary {

namespace {

constexpr OleColor kWhite = 0xFFFFFF;

}  // namespace

void Form1::LockON() {
    inputsLocked = true;
    setMousePointer(11);
    for (Control* c : std::initializer_list<Control*>{
             &cmdNewPlot, &cmdReplot, &cmdOverPlot, &cboYmin,   &cboYmax,        &optXLog,        &OptXLinear,
             &cboStep,    &txtXmin,   &txtXmax,     &txtRadius, &txtLambda,      &optMono,        &optDisp,
             &cboDistrib, &cboSD,     &cboN,        &cboWave,   &txtRefractReal, &txtRefractImag, &txtRmax,
             &txtRstep,   &cboPol,    &cboBright,   &cboLee,    &cboGraph,       &txtAngle})
        c->setEnabled(false);
    cmdSimulation.setVisible(false);
    for (Control* c : std::initializer_list<Control*>{&cboType, &cboRays, &cmdDefault, &cmdExit})
        c->setEnabled(false);
}

void Form1::LockOFF() {
    setMousePointer(1);
    for (Control* c :
         std::initializer_list<Control*>{&cmdNewPlot, &cmdReplot, &cmdOverPlot, &cboYmin, &cboYmax})
        c->setEnabled(true);
    if (!optLog.enabled() || !optLinear.enabled()) {
        optLog.setEnabled(true);
        optLinear.setEnabled(true);
        if (logScaleDefault == 1)
            optLog.setValue(true);
        else
            optLinear.setValue(true);
    }
    optXLog.setEnabled(true);
    OptXLinear.setEnabled(true);
    cboStep.setEnabled(true);
    txtXmin.setEnabled(true);
    txtXmin.setBackColor(kWhite);
    txtXmax.setEnabled(true);
    txtXmax.setBackColor(kWhite);
    for (Control* c : std::initializer_list<Control*>{&txtRadius, &txtLambda, &optMono, &optDisp, &cboDistrib,
                                                      &cboSD, &cboN})
        c->setEnabled(true);
    cboWave.setEnabled(graphCode == 1 || graphCode == 20);
    for (Control* c : std::initializer_list<Control*>{&txtRefractReal, &txtRefractImag, &cboPol, &cboLee})
        c->setEnabled(true);
    cmdOverPlot.setVisible(true);
    if (waveCount != 1 || graphCode >= 20) {
        cboBright.setEnabled(true);
        cmdOverPlot.setVisible(false);
    }
    for (Control* c : std::initializer_list<Control*>{&txtRmax, &txtRstep, &cboGraph, &txtAngle})
        c->setEnabled(true);
    for (Control* c : std::initializer_list<Control*>{&txtAngle, &txtRadius, &txtRmax, &txtRstep})
        c->setBackColor(kWhite);
    optDisp.setBackColor(kButtonFace);
    optMono.setBackColor(kButtonFace);
    for (Control* c :
         std::initializer_list<Control*>{&cboGraph, &cboWave, &cboStep, &cboYmin, &cboDistrib, &cboN, &cboSD})
        c->setBackColor(kWhite);
    cboType.setEnabled(true);
    cboRays.setEnabled(true);
    cboRays.setBackColor(kWhite);
    cmdDefault.setEnabled(true);
    cboQmin.setBackColor(kWhite);
    cboQmax.setBackColor(kWhite);
    cmdExit.setEnabled(true);
    cmdNewPlot.setEnabled(true);
    cmdNewPlot.setDefault(true);
    inputsLocked = false;
}

}  // namespace tessary
