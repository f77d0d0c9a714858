// The main window as designed: the inputs sit in their band above the drawn areas, the members of each
// frame inside it, and the menus carry their design check, enabled and visible states.
#include <initializer_list>
#include <set>
#include <string>
#include <vector>

#include "tests/mainwindow/form1_test_support.h"

namespace tessary {
namespace {

using test::Form1Test;

struct Rect {
    double left, top, right, bottom;
    bool overlaps(const Rect& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
};

Rect RectOf(const Control& c) { return {c.left(), c.top(), c.left() + c.width(), c.top() + c.height()}; }

// Areas the drawing code paints on the main window (twips).
const std::vector<std::pair<const char*, Rect>> kDrawnAreas{
    {"legend strip", {1000, 2800, 15000, 3200}}, {"graph box", {1000, 3400, 15000, 9800}},
    {"run captions", {9000, 450, 12000, 2000}},  {"distribution picture", {12000, 0, 15600, 2700}},
    {"data box", {12000, 500, 16000, 2000}},     {"progress bar", {12000, 1900, 15000, 2000}},
};

TEST_F(Form1Test, InputsLieAboveTheDrawnAreas) {
    Form1& f = designed();
    const std::initializer_list<std::pair<const char*, const Control*>> inputs{
        {"cboGraph", &f.cboGraph},
        {"cboType", &f.cboType},
        {"cboRays", &f.cboRays},
        {"lblQminQmax", &f.lblQminQmax},
        {"cboQmin", &f.cboQmin},
        {"cboQmax", &f.cboQmax},
        {"lblSWFactor", &f.lblSWFactor},
        {"txtSWAmp", &f.txtSWAmp},
        {"cmdSimulation", &f.cmdSimulation},
        {"lblRadiusDisp", &f.lblRadiusDisp},
        {"Frame4", &f.Frame4},
        {"Frame3", &f.Frame3},
        {"Label19", &f.Label19},
        {"Label31", &f.Label31},
        {"txtAngle", &f.txtAngle},
        {"Frame2", &f.Frame2},
        {"Frame8", &f.Frame8},
        {"Label18", &f.Label18},
        {"cboBright", &f.cboBright},
        {"Frame1", &f.Frame1},
        {"Frame9", &f.Frame9},
        {"Frame5", &f.Frame5},
        {"Label26", &f.Label26},
        {"cboLee", &f.cboLee},
        {"cmdNewPlot", &f.cmdNewPlot},
        {"cmdOverPlot", &f.cmdOverPlot},
        {"cmdReplot", &f.cmdReplot},
        {"cmdExit", &f.cmdExit},
        {"cmdStop", &f.cmdStop},
        {"txtProgress", &f.txtProgress},
        {"Label16", &f.Label16},
        {"cmdDefault", &f.cmdDefault},
        {"cmdInfo", &f.cmdInfo},
        {"txtX1min", &f.txtX1min},
        {"txtX2Max", &f.txtX2Max},
        {"txtY1min", &f.txtY1min},
        {"txtY2max", &f.txtY2max},
        {"Label14", &f.Label14},
        {"Label15", &f.Label15},
        {"Label17", &f.Label17},
        {"Label20", &f.Label20}};
    for (const auto& [name, control] : inputs) {
        const Rect r = RectOf(*control);
        EXPECT_GE(r.left, 0) << name;
        EXPECT_GE(r.top, 0) << name;
        EXPECT_LE(r.right, 12000) << name;
        EXPECT_LE(r.bottom, 2800) << name;
        for (const auto& [area, rect] : kDrawnAreas)
            EXPECT_FALSE(r.overlaps(rect)) << name << " covers the " << area;
    }
}

TEST_F(Form1Test, FrameMembersFitInsideTheirFrames) {
    Form1& f = designed();
    const std::vector<std::pair<const Frame*, std::vector<const Control*>>> frames{
        {&f.Frame1, {&f.optLog, &f.optLinear, &f.Label21, &f.cboYmax, &f.Label22, &f.cboYmin}},
        {&f.Frame2, {&f.Label3, &f.txtXmin, &f.Label2, &f.txtXmax, &f.Label5, &f.cboStep}},
        {&f.Frame3,
         {&f.Label7, &f.Label29, &f.txtRadius, &f.optMono, &f.optDisp, &f.cboDistrib, &f.Label11, &f.cboSD,
          &f.Label13, &f.cboN, &f.Label24, &f.txtRmax, &f.Label25, &f.txtRstep}},
        {&f.Frame4,
         {&f.Label6, &f.Label28, &f.txtLambda, &f.Label4, &f.Label8, &f.Label9, &f.Label10, &f.txtRefractReal,
          &f.txtRefractImag, &f.Label12, &f.cboPol, &f.Label27, &f.cboWave, &f.chkComponents}},
        {&f.Frame5, {&f.optPoint, &f.optSun}},
        {&f.Frame6,
         {&f.lblSphere, &f.lblRI_Medium, &f.lblSpectrum, &f.lblSpectrumBand, &f.lblDebyeRays, &f.lblCubic,
          &f.lblAverage, &f.lblWatts, &f.lblDistance}},
        {&f.Frame7,
         {&f.chk1256, &f.chkRays0, &f.chkPhase, &f.chk2theta, &f.chkT12, &f.chkR11, &f.chkT21, &f.chkR22,
          &f.chkR22x}},
        {&f.Frame8, {&f.OptXLinear, &f.optXLog}},
        {&f.Frame9, {&f.Label30, &f.txtF9_fixed, &f.Label32, &f.txtF9_min, &f.txtF9_max, &f.txtF9_step}}};
    for (const auto& [frame, members] : frames) {
        for (const Control* c : members) {
            EXPECT_EQ(&c->container(), frame) << frame->caption();
            EXPECT_GE(c->left(), 0) << frame->caption();
            EXPECT_GT(c->top(), 150) << frame->caption() << ": under the caption";
            EXPECT_LE(c->left() + c->width(), frame->width()) << frame->caption();
            EXPECT_LE(c->top() + c->height(), frame->height()) << frame->caption();
        }
    }
}

// Positions inside frames are twips and come back to the nearest whole pixel (15 twips).
TEST_F(Form1Test, PositionsTheLayoutCodeReliesOnAreThoseOfTheRadiusEntry) {
    Form1& f = designed();
    constexpr double kPixel = 7.5;
    EXPECT_NEAR(f.Label7.left(), 120, kPixel);
    EXPECT_NEAR(f.Label7.top(), 350, kPixel);
    EXPECT_NEAR(f.txtRadius.left(), 120, kPixel);
    EXPECT_NEAR(f.txtRadius.top(), 600, kPixel);
    EXPECT_NEAR(f.txtRadius.width(), 855, kPixel);
    // The micro sign sits right after "Radius (" as the label's font draws it.
    EXPECT_NEAR(f.Label29.left(), f.Label7.left() + f.Label7.textWidth("Radius ("), kPixel);
    EXPECT_EQ(f.Label29.fontName(), "Symbol");
    EXPECT_EQ(f.Label28.fontName(), "Symbol");
    EXPECT_EQ(f.Label31.fontName(), "Symbol");
    // The Lee diagram's radius sweep fits the drop-size frame at its positions.
    EXPECT_LE(1320 + 495, f.Frame3.width());
}

TEST_F(Form1Test, CaptionsAndToolTipsOfTheDesign) {
    Form1& f = designed();
    EXPECT_EQ(f.Frame1.caption(), "Intensity scale");
    EXPECT_EQ(f.Frame3.caption(), "Drop size");
    EXPECT_EQ(f.Frame4.caption(), "Light");
    EXPECT_EQ(f.Frame5.caption(), "Light source");
    EXPECT_EQ(f.Frame6.caption(), "Information");
    EXPECT_EQ(f.Frame8.caption(), "Horizontal scale");
    EXPECT_EQ(f.Label6.caption(), "Wavelength (  m) in vacuo");
    EXPECT_EQ(f.Label4.caption(), "Colour of specified wavelength ");
    EXPECT_EQ(f.Label16.caption(), " % complete");
    EXPECT_EQ(f.cmdInfo.caption(), "Information ON");
    EXPECT_EQ(f.cmdDefault.caption(), "Restore defaults");
    EXPECT_EQ(f.cmdStop.caption(), "Stop calculation");
    EXPECT_EQ(f.chk2theta.caption(), "-2 (pi-theta)");
    EXPECT_EQ(f.chkR22x.caption(), "-1 - R22");
    EXPECT_EQ(f.cboType.toolTipText(), "Select calculation method");
    EXPECT_EQ(f.cboRays.toolTipText(), "Enter the value of p");
    EXPECT_EQ(
        f.cboLee.toolTipText(),
        "Normalised = each column set to max brightness, Absolute = normalised to max overall brightness ");
    EXPECT_EQ(f.optSun.toolTipText(), "Calculation for a light source with diameter 0.5 degrees");
    EXPECT_EQ(f.Frame2.toolTipText(), "Forward scattering = 0 degrees, back-scattering = 180 degrees");
    EXPECT_EQ(f.cmdOverPlot.toolTipText(), "New plot superimposed on current graph");
    EXPECT_EQ(f.cboPol.style(), ComboBox::Style::Fixed);
    EXPECT_EQ(f.cboRays.style(), ComboBox::Style::Editable);
    // Start-up's writes must change these texts, so that their change handlers run.
    EXPECT_EQ(f.txtLambda.text(), "");
    EXPECT_EQ(f.txtRadius.text(), "");
    EXPECT_TRUE(f.optMono.value());
    EXPECT_TRUE(f.optPoint.value());
}

// Every menu item of the window, menu by menu in the order of the menu bar.
std::vector<const Menu*> MenuBarItems(Form1& f) {
    const std::initializer_list<std::initializer_list<const Menu*>> menus{
        {&f.mnuFile, &f.mnuRead, &f.mnuSave, &f.mnuSaveText, &f.mnuBatchFile, &f.mnuExit},
        {&f.mnuVLarge,     &f.mnuLarge,      &f.mnuMedium,      &f.mnuSmall,        &f.mnuSizeSpecial,
         &f.mnuDefault,    &f.mnuWhite,      &f.mnuGrey,        &f.mnuBlack,        &f.mnuHideLogo,
         &f.mnuMajorGridX, &f.mnuMinorGridX, &f.mnuMajorGridY,  &f.mnuMinorGridY,   &f.mnuTrueColour,
         &f.mnuBlackLine,  &f.mnuGreyLine,   &f.mnuRedLine,     &f.mnuGreenLine,    &f.mnuBlueLine,
         &f.mnuYellowLine, &f.mnuCyanLine,   &f.mnuMagentaLine, &f.mnuFalseColours, &f.mnuSolid,
         &f.mnuDot,        &f.mnuDash,       &f.mnuDrawWidth1,  &f.mnuDrawWidth2},
        {&f.mnuAmpPhase, &f.mnuIntPol, &f.mnuPolarPlot, &f.mnuDataVisible, &f.mnuInvWavelength,
         &f.mnuPhasePlot, &f.mnuAmplitude, &f.mnuNormalised, &f.mnuOverplot, &f.mnuS1S2, &f.mnuShowData,
         &f.mnuSize},
        {&f.mnuRI,          &f.mnuSphere,        &f.mnuRI_Water1,      &f.mnuRI_IAPWS,
         &f.mnuRI_Cowley,   &f.mnuRI_Segelstein, &f.mnuRI_Ray,         &f.mnuRI_Lynch,
         &f.mnuRI_KayeLaby, &f.mnuRI_Gedzelman,  &f.mnuRI_Au,          &f.mnuRI_Ag,
         &f.mnuRI_Cu,       &f.mnuRI_Air1,       &f.mnuRI_Vacuum1,     &f.mnuRI_User1,
         &f.mnuRI_File1,    &f.mnuSurround,      &f.mnuRI_Vacuum2,     &f.mnuRI_Air2,
         &f.mnuWater2,      &f.mnuRI_IAPWS2,     &f.mnuRI_Segelstein2, &f.mnuRI_User2,
         &f.mnuRI_File2},
        {&f.mnuSpectrum, &f.mnuSpectrumLee, &f.mnuSpectrumWernand, &f.mnuSpectrumFlat, &f.mnuBlackBody,
         &f.mnuSpectrumFile, &f.mnuBar3, &f.mnuSpectrumBand, &f.mnuSizeDist},
        {&f.mnuIllumination, &f.mnuPlaneWave, &f.mnuGaussian, &f.mnuTopHat, &f.mnuMultBeams,
         &f.mnuCentralBeam},
        {&f.mnuRadiusDiameter, &f.mnuRadius, &f.mnuDiameter, &f.mnuRadiusX},
        {&f.mnuInterpolate, &f.mnuAverage, &f.mnuXStepLog, &f.mnuSurfaceWave, &f.mnuSurfaceShort,
         &f.mnuSurfaceLong, &f.mnuSurfaceBoth, &f.mnuSWPhase, &f.mnuKhare, &f.mnuLock, &f.mnuNussenzveig,
         &f.mnuBar},
        {&f.mnuSaturation, &f.mnuPhoto, &f.mnuFreeze, &f.mnuPeakWhite, &f.mnuGamma, &f.mnuGammaNone,
         &f.mnuGammaA, &f.mnuGammaB, &f.mnuSaturated, &f.mnuSetNormal},
        {&f.mnuWindow, &f.mnuWindowGraph, &f.mnuWindowSimulation},
        {&f.mnuHelp, &f.mnuHelp1, &f.mnuHelpContents, &f.mnuAbout},
        {&f.mnuHidden, &f.mnuDebyeRecursion, &f.mnuSun, &f.mnuSWsub, &f.mnuSpecial},
    };
    std::vector<const Menu*> items;
    for (const std::initializer_list<const Menu*>& menu : menus) items.insert(items.end(), menu);
    return items;
}

TEST_F(Form1Test, MenuDesignStates) {
    Form1& f = designed();
    const std::set<const Menu*> checked{
        &f.mnuLarge,         &f.mnuTrueColour,  &f.mnuDefault,     &f.mnuPhoto,        &f.mnuRI_IAPWS,
        &f.mnuRI_Vacuum2,    &f.mnuPlaneWave,   &f.mnuSpectrumLee, &f.mnuSpectrumBand, &f.mnuRadius,
        &f.mnuSurfaceShort,  &f.mnuSurfaceLong, &f.mnuSurfaceBoth, &f.mnuKhare,        &f.mnuSolid,
        &f.mnuInvWavelength, &f.mnuGammaA};
    const std::set<const Menu*> hidden{
        &f.mnuVLarge,      &f.mnuSizeSpecial, &f.mnuFalseColours, &f.mnuIllumination, &f.mnuMultBeams,
        &f.mnuCentralBeam, &f.mnuTopHat,      &f.mnuSurfaceWave,  &f.mnuBar,          &f.mnuSWPhase,
        &f.mnuKhare,       &f.mnuLock,        &f.mnuNussenzveig,  &f.mnuHidden,       &f.mnuSpecial};
    const std::set<const Menu*> disabled{&f.mnuVLarge, &f.mnuSizeSpecial, &f.mnuHidden, &f.mnuSpecial,
                                         &f.mnuWindowSimulation};
    const std::vector<const Menu*> all = MenuBarItems(f);
    for (const Menu* m : all) {
        EXPECT_EQ(m->checked(), checked.count(m) == 1) << m->caption();
        EXPECT_EQ(m->visible(), hidden.count(m) == 0) << m->caption();
        EXPECT_EQ(m->enabled(), disabled.count(m) == 0) << m->caption();
    }
    EXPECT_EQ(f.mnuLineWidth.caption(), "Plot line width ");
    EXPECT_EQ(f.mnuSizeDist.caption(), "Size distribution from file ... ");
    EXPECT_EQ(f.mnuBatchFile.caption(), "Batch file .....");
}

TEST_F(Form1Test, DialogsKeepTheirFieldsAndCloseByHiding) {
    Form1& f = designed();
    EXPECT_EQ(f.dlogP_->caption(), "Multiple ray paths");
    EXPECT_EQ(f.dlogP_->chkp(0).caption(), "p = 0");
    EXPECT_EQ(f.dlogP_->chkp(50).caption(), "p = 50");
    EXPECT_FALSE(f.dlogP_->chkDiffraction.visible());
    EXPECT_EQ(f.dlogAverage_->txtAverage.text(), "5");
    EXPECT_EQ(f.dlogIncident_->caption(), "Calculation of Watts/sq m ");
    EXPECT_EQ(f.dlogGaussianBeam_->txtBeamXF.text(), "-40");
    EXPECT_EQ(f.dlogGaussianBeam_->txtBeamWo.text(), "20");
    EXPECT_EQ(f.dlogTemp_->txtDensity.text(), "0.99996382125");
    EXPECT_EQ(f.dlogAir_->txtAirTemp.text(), "5");
    EXPECT_EQ(f.dlogRI_User1_->txtRI_1_4.text(), "1.5150");
    EXPECT_EQ(f.dlogRI_User2_->txtRI_1_1.text(), " 1.5301");
    EXPECT_EQ(f.dlogRI_User2_->txtRI_1_4.text(), "1.5140");
    EXPECT_EQ(f.dlogRI_User1_->txtMaterial1.toolTipText(), "Insert name of medium");
    EXPECT_EQ(f.dlogRay_->caption(), "Water:Refractive index");
    EXPECT_EQ(f.dlogSegelstein_->caption(), "Water: refractive index");
    EXPECT_EQ(f.dlogBlackBody_->txtBlackBody.text(), "6000");
    EXPECT_EQ(f.dlogSpectrumBand_->txtSpectrumMin.text(), "380");
    EXPECT_EQ(f.dlogSpectrumFile_->OKButton.caption(), "New file");

    // The user types into a dialog, OK closes it; the field keeps the value for the next showing.
    runtime.setModalHook([](Form& dialog) {
        auto& average = dynamic_cast<dlogAverage&>(dialog);
        average.txtAverage.setText("12");
        average.OKButton.click();
    });
    f.dlogAverage_->show(ShowMode::Modal);
    EXPECT_FALSE(f.dlogAverage_->visible());
    EXPECT_EQ(f.dlogAverage_->txtAverage.text(), "12");
    EXPECT_EQ(runtime.modalFormsLeftOpen(), 0);
}

TEST_F(Form1Test, SimulationWindowDesign) {
    Form1& f = designed();
    Form2& s = *f.Form2_;
    EXPECT_EQ(s.caption(), "Simulation");
    EXPECT_EQ(&s.form1(), &f);
    EXPECT_EQ(s.cboScale.text(), "54.5");
    EXPECT_EQ(s.cboScale.toolTipText(), "Input focal length of lens (35mm film equivalent)");
    EXPECT_EQ(s.Label3.caption(), "Focal length  (mm)");
    EXPECT_EQ(s.cmdExit2.toolTipText(), "Close Tessary program");
    EXPECT_EQ(s.mnuInvert.caption(), "Invert centre");
    // The picture keeps the 4:3 size of the built-in photograph, 576 x 432 pixels.
    EXPECT_EQ(s.Picture1.width(), 8640);
    EXPECT_EQ(s.Picture1.height(), 6480);
}

}  // namespace
}  // namespace tessary
