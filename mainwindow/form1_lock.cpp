// Locking of the main window's inputs while a calculation or a long drawing runs: LockON disables
// the inputs, the commands and the menus that change what a run computes, and shows the hourglass;
// LockOFF enables them again (each menu as it was before), clears the marks of changed inputs and
// restores the settings that depend on the graph type. The light source is among the inputs: a Lee
// diagram or map smooths each row over the sun's disc or not as it paints it. Between the two,
// inputsLocked tells the menu commands that would start a run, change its options, load, save or
// redraw to refuse.
#include <cstddef>
#include <initializer_list>
#include <vector>

#include "graphs/graph_codes.h"
#include "mainwindow/form1.h"
#include "platform/ui/window_colours.h"
#include "runs/results_on_show.h"

namespace tessary {

// The menu items whose marks or dialogs change what a run computes (method options and beams, index models,
// spectrum, size entry, colour steps): LockON disables them with the inputs, and a choice of one while the
// inputs are locked is refused. A run reads these marks (and the dialogs behind them) at every step,
// wavelength or cell it computes or paints; the view menus (Graph, Plot display, Window, Help) and the File
// commands, which refuse by themselves, are not among them.
std::vector<Menu*> Form1::computationMenus() {
    return {// Advanced: index models of the sphere and the medium, spectrum, size distribution
            &mnuRI_IAPWS, &mnuRI_Cowley, &mnuRI_Segelstein, &mnuRI_Ray, &mnuRI_Lynch, &mnuRI_KayeLaby,
            &mnuRI_Gedzelman, &mnuRI_Au, &mnuRI_Ag, &mnuRI_Cu, &mnuRI_Air1, &mnuRI_Vacuum1, &mnuRI_User1,
            &mnuRI_File1, &mnuRI_Vacuum2, &mnuRI_Air2, &mnuRI_IAPWS2, &mnuRI_Segelstein2, &mnuRI_User2,
            &mnuRI_File2, &mnuSpectrumLee, &mnuSpectrumWernand, &mnuSpectrumFlat, &mnuBlackBody,
            &mnuSpectrumFile, &mnuSpectrumBand, &mnuSizeDist,
            // Advanced: illumination, size entry, steps and smoothing, surface waves
            &mnuPlaneWave, &mnuGaussian, &mnuTopHat, &mnuMultBeams, &mnuCentralBeam, &mnuRadius, &mnuDiameter,
            &mnuRadiusX, &mnuInterpolate, &mnuAverage, &mnuXStepLog, &mnuSurfaceShort, &mnuSurfaceLong,
            &mnuSurfaceBoth, &mnuSWPhase, &mnuKhare, &mnuLock, &mnuNussenzveig,
            // Hidden: method keys
            &mnuDebyeRecursion, &mnuSun, &mnuSWsub,
            // Plot: the unit factor and the division by x of the stored values
            &mnuAmplitude, &mnuInvWavelength, &mnuSize,
            // Colour: the colour steps of the painted sums, and the normalisation taken from a run
            &mnuPhoto, &mnuFreeze, &mnuPeakWhite, &mnuGammaNone, &mnuGammaA, &mnuGammaB, &mnuSaturated,
            &mnuSetNormal};
}

void Form1::LockON() {
    // A lock inside a lock keeps the states taken by the first.
    if (windowState.menusEnabledBeforeLock.empty()) {
        for (Menu* m : computationMenus()) {
            windowState.menusEnabledBeforeLock.push_back(m->enabled());
            m->setEnabled(false);
        }
    }
    windowState.inputsLocked = true;
    setMousePointer(11);
    for (Control* c : std::initializer_list<Control*>{
             &cmdNewPlot, &cmdReplot, &cmdOverPlot, &cboYmin,   &cboYmax,        &optXLog,        &OptXLinear,
             &cboStep,    &txtXmin,   &txtXmax,     &txtRadius, &txtLambda,      &optMono,        &optDisp,
             &cboDistrib, &cboSD,     &cboN,        &cboWave,   &txtRefractReal, &txtRefractImag, &txtRmax,
             &txtRstep,   &cboPol,    &cboBright,   &cboLee,    &cboGraph,       &txtAngle})
        c->setEnabled(false);
    optPoint.setEnabled(false);
    optSun.setEnabled(false);
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
        if (runFlags.logScaleDefault == 1)
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
    cboWave.setEnabled(codes.graphCode == kGraphAngle || codes.graphCode == kGraphLee);
    for (Control* c : std::initializer_list<Control*>{&txtRefractReal, &txtRefractImag, &cboPol, &cboLee})
        c->setEnabled(true);
    cmdOverPlot.setVisible(OverplotOffered(*this));
    if (calc.waveCount != 1 || codes.graphCode >= kGraphLee) cboBright.setEnabled(true);
    for (Control* c : std::initializer_list<Control*>{&txtRmax, &txtRstep, &cboGraph, &txtAngle})
        c->setEnabled(true);
    optPoint.setEnabled(true);
    optSun.setEnabled(true);
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
    // Each menu as it was before the lock (some are disabled for other reasons); an unlock without
    // a lock changes none.
    const std::vector<Menu*> menus = computationMenus();
    for (std::size_t i = 0; i < menus.size() && i < windowState.menusEnabledBeforeLock.size(); ++i)
        menus[i]->setEnabled(windowState.menusEnabledBeforeLock[i]);
    windowState.menusEnabledBeforeLock.clear();
    windowState.inputsLocked = false;
}

}  // namespace tessary
