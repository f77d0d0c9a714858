// The main window's design: where each control sits, its tool tip, and the states the window has
// before start-up runs. Form positions are twips at design time; inside frames always twips.
#include <initializer_list>
#include <utility>

#include "mainwindow/form1.h"

namespace tessary {

namespace {

// Positions are laid out on a grid of screen pixels at 15 twips each.
constexpr double px(double pixels) { return pixels * 15; }

// Heights of labels, text boxes, lists, option and check boxes and buttons.
constexpr double kLabelH = px(13);
constexpr double kTwoLinesH = px(25);
constexpr double kTextH = px(19);
constexpr double kComboH = px(20);
constexpr double kOptionH = px(16);
constexpr double kButtonH = px(22);

}  // namespace

void Form1::designControls() {
    // Top row: graph type, method and the method's inputs; above the run captions (y < 450) the run
    // commands. Start-up makes the window 15240 twips wide and 15360 units, so nothing designed here
    // reaches x = 11900 twips (12000 units), where the distribution picture and data box begin.
    cboGraph.move(px(3), px(2), px(196), kComboH);
    cboType.move(px(203), px(2), px(90), kComboH);
    cboType.setToolTipText("Select calculation method");
    cboRays.move(px(297), px(2), px(60), kComboH);
    cboRays.setToolTipText("Enter the value of p");
    cboRays.setVisible(false);
    lblQminQmax.move(px(361), px(6), px(29), kLabelH);
    cboQmin.move(px(391), px(2), px(34), kComboH);
    cboQmax.move(px(427), px(2), px(34), kComboH);
    lblSWFactor.move(px(465), px(6), px(31), kLabelH);
    txtSWAmp.move(px(497), px(3), px(34), kTextH);
    for (Control* c :
         std::initializer_list<Control*>{&lblQminQmax, &cboQmin, &cboQmax, &lblSWFactor, &txtSWAmp})
        c->setVisible(false);
    // The radius of a distribution run, shown only while that run computes.
    lblRadiusDisp.move(px(361), px(6), px(170), kLabelH);
    lblRadiusDisp.setVisible(false);
    cmdSimulation.move(px(535), px(1), px(65), kButtonH);
    cmdNewPlot.move(px(605), px(1), px(54), kButtonH);
    cmdOverPlot.move(px(661), px(1), px(53), kButtonH);
    cmdOverPlot.setToolTipText("New plot superimposed on current graph");
    cmdReplot.move(px(716), px(1), px(42), kButtonH);
    cmdReplot.setVisible(false);
    cmdReplot.setEnabled(false);
    cmdExit.move(px(760), px(1), px(32), kButtonH);

    designInputFrames();
    designAxisFrames();
    designLowerControls();
}

// A step of designControls after the top row: the light and drop-size frames.
void Form1::designInputFrames() {
    // Light.
    Frame4.move(px(3), px(26), px(192), px(160));
    Label6.move(px(6), px(16), px(134), kLabelH);
    // The micro sign fills the two blanks of "Wavelength (  m)" and leaves its m uncovered.
    Label28.setFontName("Symbol");
    PlaceMicroSign(Label28, Label6, "Wavelength (");
    txtLambda.move(px(142), px(13), px(44), kTextH);
    Label4.move(px(6), px(36), px(180), px(16));
    Label8.move(px(6), px(64), px(52), kTwoLinesH);
    Label9.move(px(60), px(55), px(60), kLabelH);
    Label10.move(px(131), px(55), px(55), kLabelH);
    txtRefractReal.move(px(60), px(69), px(68), kTextH);
    txtRefractImag.move(px(131), px(69), px(55), kTextH);
    Label12.move(px(6), px(98), px(62), kLabelH);
    cboPol.move(px(70), px(94), px(116), kComboH);
    Label27.move(px(6), px(116), px(62), kTwoLinesH);
    cboWave.move(px(70), px(118), px(70), kComboH);
    chkComponents.move(px(6), px(142), px(120), kOptionH);
    chkComponents.setVisible(false);
    chkComponents.setEnabled(false);

    // Drop size. Label7, Label29 and txtRadius take the positions the graph-type presets give them.
    Frame3.move(px(198), px(26), px(128), px(160));
    Label7.move(120, 350, px(100), kLabelH);
    Label29.setFontName("Symbol");
    PlaceMicroSign(Label29, Label7, "Radius (");
    txtRadius.move(120, 600, 855, kTextH);
    optMono.move(px(8), px(62), px(112), kOptionH);
    optDisp.move(px(8), px(79), px(112), kOptionH);
    optDisp.setToolTipText("Calculation for randomly sized spherical drops");
    optMono.setValue(true);
    cboDistrib.move(px(8), px(97), px(100), kComboH);
    cboDistrib.setToolTipText("Select type of statistical distribution");
    cboDistrib.setVisible(false);
    cboDistrib.setEnabled(false);
    Label11.move(px(8), px(119), px(58), kLabelH);
    Label13.move(px(68), px(119), px(56), kLabelH);
    cboSD.move(px(8), px(132), px(56), kComboH);
    cboSD.setToolTipText("Standard deviation of drop radius (% of median radius)");
    cboN.move(px(68), px(132), px(54), kComboH);
    cboN.setToolTipText("Number of samples to approximate statistical distribution");
    // The radius sweep of the Lee diagram, beside its minimum radius (top 170, left 1320, width 495).
    Label24.move(px(8), px(37), px(80), kLabelH);
    txtRmax.move(1320, px(33), 495, kTextH);
    Label25.move(px(8), px(59), px(80), kLabelH);
    txtRstep.move(1320, px(55), 495, kTextH);
    for (Control* c : std::initializer_list<Control*>{&Label11, &cboSD, &Label13, &cboN, &Label24, &txtRmax,
                                                      &Label25, &txtRstep})
        c->setVisible(false);
}

// A step of designControls: the x and y axis and light-source frames.
void Form1::designAxisFrames() {
    // x axis; below it the horizontal scale, or, for the diagrams and several wavelengths (when the
    // horizontal scale is never shown), brightness and Lee normalisation.
    Frame2.move(px(329), px(26), px(130), px(100));
    Frame2.setToolTipText("Forward scattering = 0 degrees, back-scattering = 180 degrees");
    Label3.move(px(6), px(15), px(56), kTwoLinesH);
    txtXmin.move(px(62), px(17), px(62), kTextH);
    Label2.move(px(6), px(43), px(56), kTwoLinesH);
    txtXmax.move(px(62), px(45), px(62), kTextH);
    Label5.move(px(6), px(71), px(56), kTwoLinesH);
    cboStep.move(px(62), px(73), px(62), kComboH);
    Frame8.move(px(329), px(128), px(130), px(58));
    OptXLinear.move(px(6), px(16), px(118), kOptionH);
    optXLog.move(px(6), px(34), px(118), kOptionH);
    Frame8.setVisible(false);
    Label18.move(px(331), px(138), px(62), kLabelH);
    cboBright.move(px(395), px(134), px(62), kComboH);
    cboBright.setToolTipText("Adjusts the brightness of the coloured bars or Lee diagram");
    Label26.move(px(331), px(159), px(46), kTwoLinesH);
    cboLee.move(px(379), px(160), px(80), kComboH);
    cboLee.setToolTipText(
        "Normalised = each column set to max brightness, Absolute = normalised to max overall brightness ");
    for (Control* c : std::initializer_list<Control*>{&Label18, &cboBright, &Label26, &cboLee})
        c->setVisible(false);

    // y axis; the second sweep of the maps takes the same place (the two are never shown together).
    Frame1.move(px(462), px(26), px(134), px(100));
    optLog.move(px(6), px(16), px(120), kOptionH);
    optLinear.move(px(6), px(33), px(120), kOptionH);
    Label21.move(px(6), px(57), px(24), kLabelH);
    cboYmax.move(px(32), px(53), px(96), kComboH);
    Label22.move(px(6), px(79), px(24), kLabelH);
    cboYmin.move(px(32), px(75), px(96), kComboH);
    Frame9.move(px(462), px(26), px(134), px(100));
    Label30.move(px(6), px(19), px(76), kLabelH);
    txtF9_fixed.move(px(84), px(15), px(44), kTextH);
    Label32.move(px(6), px(40), px(120), kLabelH);
    txtF9_min.move(px(6), px(55), px(40), kTextH);
    txtF9_max.move(px(48), px(55), px(40), kTextH);
    txtF9_step.move(px(90), px(55), px(38), kTextH);
    Frame9.setVisible(false);

    // Light source, and below it the fixed scattering angle (radius of the angle maps).
    Frame5.move(px(462), px(128), px(134), px(36));
    optPoint.move(px(6), px(16), px(56), kOptionH);
    optPoint.setToolTipText("Calculation for a point source of light");
    optSun.move(px(66), px(16), px(56), kOptionH);
    optSun.setToolTipText("Calculation for a light source with diameter 0.5 degrees");
    optPoint.setValue(true);
    Label19.move(px(462), px(169), px(84), kLabelH);
    Label31.setFontName("Symbol");
    PlaceMicroSign(Label31, Label19, "Radius (");
    txtAngle.move(px(549), px(166), px(46), kTextH);
    for (Control* c : std::initializer_list<Control*>{&Label19, &Label31, &txtAngle}) c->setVisible(false);
}

// A step of designControls: the controls below the run captions and the graph.
void Form1::designLowerControls() {
    // Below the run captions: defaults and information; stop and progress while a run computes.
    cmdDefault.move(px(605), px(136), px(93), kButtonH);
    cmdInfo.move(px(700), px(136), px(92), kButtonH);
    cmdStop.move(px(605), px(162), px(90), kButtonH);
    cmdStop.setToolTipText("Stop the current calculation");
    cmdStop.setVisible(false);
    cmdStop.setEnabled(false);
    txtProgress.move(px(697), px(163), px(32), kTextH);
    txtProgress.setShownAtEvents(true);  // rewritten by every step of a run
    Label16.move(px(731), px(166), px(62), kLabelH);

    // Information: over the corner of the distribution picture while shown.
    Frame6.move(12000, 0, 3360, 2700);
    int row = 0;
    for (Label* l : {&lblSphere, &lblRI_Medium, &lblSpectrum, &lblSpectrumBand, &lblDebyeRays, &lblCubic,
                     &lblAverage, &lblWatts, &lblDistance})
        l->move(px(8), px(16) + px(16) * row++, px(208), kLabelH);
    Frame6.setVisible(false);

    // Debye terms, below the graph.
    Frame7.move(1000, 10100, px(600), px(38));
    const std::initializer_list<std::pair<CheckBox*, double>> debyeTerms{
        {&chk1256, 48}, {&chkRays0, 54}, {&chkPhase, 58}, {&chk2theta, 96}, {&chkT12, 52},
        {&chkR11, 52},  {&chkT21, 52},   {&chkR22, 52},   {&chkR22x, 70}};
    double left = px(6);
    for (const auto& [box, width] : debyeTerms) {
        box->move(left, px(16), px(width), kOptionH);
        left += px(width + 4);
    }

    // The logo in the graph box; the rotated titles of the Lee panels (13 x 126 pixels).
    lblLogo.move(1100, 3600, 2400, 450);
    lblLogo.setOpaque(false);
    for (PictureBox* p : {&Picture1, &Picture2, &Picture3}) {
        p->move(350, 5600, px(13), px(126));
        p->setVisible(false);
    }

    // Values the runs keep in controls; never shown.
    for (Control* c : std::initializer_list<Control*>{&txtX1min, &txtX2Max, &txtY1min, &txtY2max, &Label14,
                                                      &Label15, &Label17, &Label20}) {
        c->move(px(3), px(2), px(20), kTextH);
        c->setVisible(false);
    }
}

// Places a Symbol-font label (the micro sign) over the two blanks of "(  m)" in caption's text, right after
// its text `before`, transparent so that it joins its neighbours.
void Form1::PlaceMicroSign(Label& micro, const Label& caption, const std::string& before) {
    micro.setOpaque(false);
    micro.move(caption.left() + caption.textWidth(before), caption.top(), micro.textWidth(micro.caption()),
               caption.height());
}

void Form1::designMenus() {
    for (Menu* m : {&mnuLarge, &mnuTrueColour, &mnuDefault, &mnuPhoto, &mnuRI_IAPWS, &mnuRI_Vacuum2,
                    &mnuPlaneWave, &mnuSpectrumLee, &mnuSpectrumBand, &mnuRadius, &mnuSurfaceShort,
                    &mnuSurfaceLong, &mnuSurfaceBoth, &mnuKhare, &mnuSolid, &mnuInvWavelength, &mnuGammaA})
        m->setChecked(true);
    for (Menu* m : {&mnuVLarge, &mnuSizeSpecial, &mnuFalseColours, &mnuIllumination, &mnuMultBeams,
                    &mnuCentralBeam, &mnuTopHat, &mnuSurfaceWave, &mnuBar, &mnuSWPhase, &mnuKhare, &mnuLock,
                    &mnuNussenzveig, &mnuHidden, &mnuSpecial})
        m->setVisible(false);
    for (Menu* m : {&mnuVLarge, &mnuSizeSpecial, &mnuHidden, &mnuSpecial, &mnuWindowSimulation})
        m->setEnabled(false);
}

}  // namespace tessary
