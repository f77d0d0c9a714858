// The main window object: its design is built by the constructor, which then points the events of
// the controls and menus at the window's procedures. Nothing is raised until the window is loaded.
#include "mainwindow/form1.h"

#include <utility>

#include "numerics/vector_state.h"

namespace tessary {

Form1::Form1() : Form("Mie scattering") {
    designControls();
    designMenus();
    // Shown maximised: the graph reaches below the start-up height and, on wide screens, to the
    // screen's right edge.
    setWindowState(2);
    // While a run waits for series computed ahead, the window stays live and Stop works.
    mieAhead.SetWaitHook([this] {
        doEvents();
        ClearUpperVectorState();  // the window's code before the run's next sums
        return codes.runState == kRunStopped;
    });

    // The events of the window, its controls and menus, group by group.
    connectWindowHandlers();
    connectIndexMenus();
    connectInputHandlers();
    connectOptionMenus();
    connectRunHandlers();

    // The menus that change what a run computes are disabled by LockON; chosen under the lock all the
    // same (by code, or a path that ignores the disabled state) they do nothing but beep.
    for (Menu* item : computationMenus())
        item->onClick = [this, handler = std::move(item->onClick)] {
            if (!RefuseWhileLocked() && handler) handler();
        };
}

// The constructor's event wiring, first step: window and graph commands.
void Form1::connectWindowHandlers() {
    // Main window: handlers
    onLoad = [this] { Form_Load(); };
    onClose = [this] { Form_Unload(); };
    cmdDefault.onClick = [this] { cmdDefault_Click(); };
    cmdExit.onClick = [this] { cmdExit_Click(); };
    mnuExit.onClick = [this] { mnuExit_Click(); };
    cmdInfo.onClick = [this] { cmdInfo_Click(); };
    cmdSimulation.onClick = [this] { cmdSimulation_Click(); };
    mnuWindowGraph.onClick = [this] { mnuWindowGraph_Click(); };
    mnuWindowSimulation.onClick = [this] { mnuWindowSimulation_Click(); };
    mnuHelp1.onClick = [this] { mnuHelp1_Click(); };
    mnuHelpContents.onClick = [this] { mnuHelpContents_Click(); };
    mnuAbout.onClick = [this] { mnuAbout_Click(); };

    // Graphs: handlers
    mnuVLarge.onClick = [this] { mnuVLarge_Click(); };
    mnuLarge.onClick = [this] { mnuLarge_Click(); };
    mnuMedium.onClick = [this] { mnuMedium_Click(); };
    mnuSmall.onClick = [this] { mnuSmall_Click(); };
    mnuSizeSpecial.onClick = [this] { mnuSizeSpecial_click(); };
    mnuDefault.onClick = [this] { mnuDefault_Click(); };
    mnuWhite.onClick = [this] { mnuWhite_Click(); };
    mnuGrey.onClick = [this] { mnuGrey_Click(); };
    mnuBlack.onClick = [this] { mnuBlack_Click(); };
    mnuHideLogo.onClick = [this] { mnuHideLogo_Click(); };
    mnuMajorGridX.onClick = [this] { mnuMajorGridX_Click(); };
    mnuMinorGridX.onClick = [this] { mnuMinorGridX_Click(); };
    mnuMajorGridY.onClick = [this] { mnuMajorGridY_Click(); };
    mnuMinorGridY.onClick = [this] { mnuMinorGridY_Click(); };
    mnuTrueColour.onClick = [this] { mnuTrueColour_Click(); };
    mnuBlackLine.onClick = [this] { mnuBlackLine_Click(); };
    mnuGreyLine.onClick = [this] { mnuGreyLine_Click(); };
    mnuRedLine.onClick = [this] { mnuRedLine_Click(); };
    mnuGreenLine.onClick = [this] { mnuGreenLine_Click(); };
    mnuBlueLine.onClick = [this] { mnuBlueLine_Click(); };
    mnuYellowLine.onClick = [this] { mnuYellowLine_Click(); };
    mnuCyanLine.onClick = [this] { mnuCyanLine_Click(); };
    mnuMagentaLine.onClick = [this] { mnuMagentaLine_Click(); };
    mnuSolid.onClick = [this] { mnuSolid_Click(); };
    mnuDot.onClick = [this] { mnuDot_Click(); };
    mnuDash.onClick = [this] { mnuDash_Click(); };
    mnuDrawWidth1.onClick = [this] { mnuDrawwidth1_Click(); };
    mnuDrawWidth2.onClick = [this] { mnuDrawwidth2_Click(); };
}

// The constructor's event wiring: index models.
void Form1::connectIndexMenus() {
    // Media: refractive-index model menus and dialogs. A run reads the model choice at every
    // wavelength: a choice made then is refused (with a beep).
    const std::pair<Menu*, void (Form1::*)()> indexMenus[] = {
        {&mnuRI_IAPWS, &Form1::mnuRI_IAPWS_Click},
        {&mnuRI_Cowley, &Form1::mnuRI_Cowley_Click},
        {&mnuRI_Segelstein, &Form1::mnuRI_Segelstein_Click},
        {&mnuRI_Ray, &Form1::mnuRI_Ray_Click},
        {&mnuRI_Lynch, &Form1::mnuRI_Lynch_Click},
        {&mnuRI_KayeLaby, &Form1::mnuRI_KayeLaby_Click},
        {&mnuRI_Gedzelman, &Form1::mnuRI_Gedzelman_Click},
        {&mnuRI_Au, &Form1::mnuRI_Au_Click},
        {&mnuRI_Ag, &Form1::mnuRI_Ag_Click},
        {&mnuRI_Cu, &Form1::mnuRI_Cu_Click},
        {&mnuRI_Air1, &Form1::mnuRI_Air1_Click},
        {&mnuRI_Vacuum1, &Form1::mnuRI_Vacuum1_Click},
        {&mnuRI_User1, &Form1::mnuRI_User1_Click},
        {&mnuRI_File1, &Form1::mnuRI_File1_Click},
        {&mnuRI_Vacuum2, &Form1::mnuRI_Vacuum2_Click},
        {&mnuRI_Air2, &Form1::mnuRI_Air2_Click},
        {&mnuRI_IAPWS2, &Form1::mnuRI_IAPWS2_Click},
        {&mnuRI_Segelstein2, &Form1::mnuRI_Segelstein2_Click},
        {&mnuRI_User2, &Form1::mnuRI_User2_Click},
        {&mnuRI_File2, &Form1::mnuRI_File2_Click},
    };
    for (const auto& [item, handler] : indexMenus)
        item->onClick = [this, handler = handler] {
            if (!RefuseWhileLocked()) (this->*handler)();
        };
}

// The constructor's event wiring: inputs and graph type.
void Form1::connectInputHandlers() {
    // Main window: input handlers (chkPhase has none: RaysCheck reads it)
    cboBright.onClick = [this] { cboBright_Click(); };
    cboBright.onChange = [this] { cboBright_Change(); };
    cboDistrib.onClick = [this] { cboDistrib_Click(); };
    cboDistrib.onChange = [this] { cboDistrib_Change(); };
    cboLee.onClick = [this] { cboLee_Click(); };
    cboN.onClick = [this] { cboN_click(); };
    cboN.onChange = [this] { cboN_Change(); };
    cboRays.onClick = [this] { cboRays_Click(); };
    cboRays.onChange = [this] { cboRays_Change(); };
    cboSD.onClick = [this] { cboSD_Click(); };
    cboSD.onChange = [this] { cboSD_Change(); };
    cboType.onClick = [this] { cboType_click(); };
    cboType.onChange = [this] { cboType_Change(); };
    cboWave.onClick = [this] { cboWave_Click(); };
    cboWave.onChange = [this] { cboWave_change(); };
    cboYmax.onClick = [this] { cboYmax_Click(); };
    cboYmax.onChange = [this] { cboYmax_Change(); };
    cboYmax.onScroll = [this] { cboYmax_Scroll(); };
    cboYmin.onClick = [this] { cboYmin_Click(); };
    cboYmin.onChange = [this] { cboYmin_Change(); };
    cboYmin.onScroll = [this] { cboYmin_Scroll(); };
    cboStep.onClick = [this] { cboStep_Click(); };
    cboStep.onChange = [this] { cboStep_Change(); };
    cboPol.onClick = [this] { cboPol_Click(); };
    chk1256.onClick = [this] { chk1256_Click(); };
    chkRays0.onClick = [this] { chkRays0_Click(); };
    chkComponents.onClick = [this] { chkComponents_Click(); };
    txtAngle.onChange = [this] { txtAngle_Change(); };
    txtRmax.onChange = [this] { txtRmax_Change(); };
    txtRstep.onChange = [this] { txtRstep_Change(); };
    txtXmin.onChange = [this] { txtXmin_Change(); };
    txtXmax.onChange = [this] { txtXmax_Change(); };
    txtRadius.onChange = [this] { txtRadius_Change(); };
    txtRefractReal.onChange = [this] { txtRefractReal_Change(); };
    txtRefractImag.onChange = [this] { txtRefractImag_Change(); };

    // Main window: hidden mode
    onKeyDown = [this](int& keyCode, int& shift) { Form_KeyDown(keyCode, shift); };

    // Graph-type selection and presets: handlers
    cboGraph.onClick = [this] { cboGraph_Click(); };
    cboGraph.onChange = [this] { cboGraph_Change(); };
}

// The constructor's event wiring: calculation and plot options.
void Form1::connectOptionMenus() {
    // Main window: calculation-option and beam menus: handlers
    mnuCentralBeam.onClick = [this] { mnuCentralBeam_Click(); };
    mnuDebyeRecursion.onClick = [this] { mnuDebyeRecursion_Click(); };
    mnuMultBeams.onClick = [this] { mnuMultBeams_Click(); };
    mnuSWPhase.onClick = [this] { mnuSWPhase_Click(); };
    mnuSWsub.onClick = [this] { mnuSWsub_Click(); };
    mnuSun.onClick = [this] { mnuSun_Click(); };
    mnuInterpolate.onClick = [this] { mnuInterpolate_Click(); };
    mnuKhare.onClick = [this] { mnuKhare_Click(); };
    mnuLock.onClick = [this] { mnuLock_Click(); };
    mnuNussenzveig.onClick = [this] { mnuNussenzveig_Click(); };
    mnuSurfaceShort.onClick = [this] { mnuSurfaceShort_Click(); };
    mnuSurfaceLong.onClick = [this] { mnuSurfaceLong_Click(); };
    mnuSurfaceBoth.onClick = [this] { mnuSurfaceBoth_Click(); };
    mnuPlaneWave.onClick = [this] { mnuPlaneWave_Click(); };
    mnuGaussian.onClick = [this] { mnuGaussian_Click(); };
    mnuTopHat.onClick = [this] { mnuTopHat_Click(); };
    mnuRadius.onClick = [this] { mnuRadius_Click(); };
    mnuDiameter.onClick = [this] { mnuDiameter_Click(); };
    mnuRadiusX.onClick = [this] { mnuRadiusX_Click(); };
    mnuAverage.onClick = [this] { mnuAverage_Click(); };
    mnuXStepLog.onClick = [this] { mnuXStepLog_Click(); };

    // Graphs: plot option menus: handlers
    mnuAmpPhase.onClick = [this] { mnuAmpPhase_Click(); };
    mnuIntPol.onClick = [this] { mnuIntPol_Click(); };
    mnuPolarPlot.onClick = [this] { mnuPolarPlot_Click(); };
    mnuDataVisible.onClick = [this] { mnuDataVisible_Click(); };
    mnuFalseColours.onClick = [this] { mnuFalseColours_Click(); };
    mnuInvWavelength.onClick = [this] { mnuInvWavelength_Click(); };
    mnuPhasePlot.onClick = [this] { mnuPhasePlot_Click(); };
    mnuAmplitude.onClick = [this] { mnuAmplitude_Click(); };
    mnuNormalised.onClick = [this] { mnuNormalised_Click(); };
    mnuOverplot.onClick = [this] { mnuOverplot_Click(); };
    mnuS1S2.onClick = [this] { mnuS1S2_Click(); };
    mnuShowData.onClick = [this] { mnuShowData_Click(); };
    mnuSize.onClick = [this] { mnuSize_Click(); };
    optLog.onClick = [this] { optLog_Click(); };
    optLinear.onClick = [this] { optLinear_Click(); };
    optPoint.onClick = [this] { optPoint_Click(); };
    optMono.onClick = [this] { optMono_Click(); };
    optDisp.onClick = [this] { optDisp_Click(); };
    optSun.onClick = [this] { optSun_Click(); };
    OptXLinear.onClick = [this] { optXLinear_Click(); };
    optXLog.onClick = [this] { optXLog_Click(); };
}

// The constructor's event wiring, last step: runs, files, spectrum and colour.
void Form1::connectRunHandlers() {
    // Media: wavelength input
    txtLambda.onChange = [this] { txtLambda_change(); };

    // Calculation runs: handlers
    cmdNewPlot.onClick = [this] { cmdNewPlot_Click(); };
    cmdOverPlot.onClick = [this] { cmdOverPlot_Click(); };
    cmdStop.onClick = [this] { cmdStop_Click(); };

    // Calculation runs: Replot: handler
    cmdReplot.onClick = [this] { cmdReplot_Click(); };

    // Files: file commands: handlers
    mnuRead.onClick = [this] { mnuRead_Click(); };
    mnuSave.onClick = [this] { mnuSave_Click(); };
    mnuSaveText.onClick = [this] { mnuSaveText_Click(); };
    mnuBatchFile.onClick = [this] { mnuBatchFile_Click(); };

    // Media: spectrum menus and dialogs: handlers
    mnuSpectrumLee.onClick = [this] { mnuSpectrumLee_Click(); };
    mnuSpectrumWernand.onClick = [this] { mnuSpectrumWernand_Click(); };
    mnuSpectrumFlat.onClick = [this] { mnuSpectrumFlat_Click(); };
    mnuBlackBody.onClick = [this] { mnuBlackBody_Click(); };
    mnuSpectrumFile.onClick = [this] { mnuSpectrumFile_Click(); };
    mnuSpectrumBand.onClick = [this] { mnuSpectrumBand_Click(); };
    mnuSizeDist.onClick = [this] { mnuSizeDist_Click(); };

    // Colour rendering: colour options: handlers
    mnuPhoto.onClick = [this] { mnuPhoto_Click(); };
    mnuFreeze.onClick = [this] { mnuFreeze_Click(); };
    mnuPeakWhite.onClick = [this] { mnuPeakWhite_Click(); };
    mnuGamma.onClick = [this] {  // opened during a run: no Replot offered under the lock
        if (!windowState.inputsLocked) mnuGamma_Click();
    };
    mnuGammaA.onClick = [this] { mnuGammaA_Click(); };
    mnuGammaB.onClick = [this] { mnuGammaB_Click(); };
    mnuGammaNone.onClick = [this] { mnuGammaNone_Click(); };
    mnuSaturated.onClick = [this] { mnuSaturated_Click(); };
    mnuSetNormal.onClick = [this] { mnuSetNormal_Click(); };
}

Form1::~Form1() = default;

}  // namespace tessary
