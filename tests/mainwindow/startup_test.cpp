// Start-up of the main window: the display check and its messages, the layout by screen width, the
// state the window is left in (lists, selections, menus, variables, built-in tables) and "Restore
// defaults".
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "graphs/graph_codes.h"
#include "runs/method_codes.h"
#include "tests/mainwindow/form1_test_support.h"

namespace tessary {
namespace {

using test::Form1Test;

const std::string kCR2 = "\r\r";
const std::string kDesignedFor =
    "Tessary has been designed for displays with 1024 x 768 pixels (or higher resolution).";

std::vector<std::string> Entries(const ComboBox& list) {
    std::vector<std::string> entries;
    for (int i = 0; i < list.listCount(); ++i) entries.push_back(list.list(i));
    return entries;
}

// ---------------------------------------------------------------------------------------------
// Display check and layout

TEST_F(Form1Test, Display640x480IsAProblemAndStartUpCarriesOn) {
    Form1& f = started(640, 480);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.last().title, "Screen resolution problem");
    EXPECT_EQ(messages.last().style, mb::kOkOnly);
    EXPECT_EQ(
        messages.last().prompt,
        kDesignedFor + kCR2 + "Your 640 x 480 display is not usable.  Sorry!" + kCR2 +
            "The basic features of Tessary will work on 800 x 600 displays, but much better results will be "
            "achieved with 1024 x 768 displays.");
    // Nothing is disabled and start-up runs to its end.
    EXPECT_TRUE(f.mnuDataVisible.visible());
    EXPECT_EQ(f.lblDebyeRays.caption(), "Mie (plane wave)");
    EXPECT_EQ(f.cboQmin.listCount(), 9);
    EXPECT_FALSE(f.Frame7.visible());
    EXPECT_TRUE(f.mnuLarge.checked());
}

TEST_F(Form1Test, Display800x500IsAProblem) {
    started(800, 500);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.last().title, "Screen resolution problem");
    EXPECT_NE(messages.last().prompt.find("Your 800 x 500 display is not usable."), std::string::npos);
}

TEST_F(Form1Test, Display800x600GetsTheWarningAndTheLargeLayout) {
    Form1& f = started(800, 600);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.last().title, "Screen resolution warning");
    EXPECT_EQ(messages.last().style, mb::kOkOnly);
    EXPECT_EQ(
        messages.last().prompt,
        kDesignedFor + kCR2 +
            "The basic features of Tessary will work on your 800 x 600 display, but much better results will "
            "be achieved with 1024 x 768 displays.");
    EXPECT_FALSE(f.mnuDataVisible.visible());
    EXPECT_TRUE(f.mnuLarge.checked());
    EXPECT_FALSE(f.mnuVLarge.visible());
    EXPECT_EQ(f.graph.graphRight, 15000.0f);
    EXPECT_EQ(f.graph.graphBottom, 9800.0f);
    // The window is limited to 12180 twips: the drawing area becomes 15360 x 12800 from y = -1500.
    EXPECT_EQ(f.width(), 12180);
    EXPECT_EQ(f.scaleTop(), -1500);
    EXPECT_NEAR(f.scaleHeight(), 12800, 1e-6);
    EXPECT_NEAR(f.scaleWidth(), 15360, 1e-6);
}

// The Large layout of displays up to 1024 pixels wide needs 768 pixels of height; the Very large one
// of wider displays follows the height down to 600.
TEST_F(Form1Test, DisplaysTooLowForTheirLayoutAreAnnounced) {
    const struct {
        int width, height;
        const char* title;  // "": no message
    } displays[] = {{1024, 768, ""},
                    {1024, 700, "Screen resolution warning"},
                    {1024, 600, "Screen resolution warning"},
                    {1024, 560, "Screen resolution problem"},
                    {1280, 600, ""},
                    {1280, 560, "Screen resolution problem"}};
    for (const auto& d : displays) {
        messages.clear();
        Form1& f = started(d.width, d.height);
        const std::string shown = messages.shown().empty() ? "" : messages.last().title;
        EXPECT_EQ(shown, d.title) << d.width << " x " << d.height;
        EXPECT_LE(messages.shown().size(), 1u);
        EXPECT_EQ(f.mnuDataVisible.visible(), shown != "Screen resolution warning");
    }
    started(1024, 600);
    EXPECT_NE(messages.last().prompt.find("will work on your 1024 x 600 display"), std::string::npos);
}

TEST_F(Form1Test, Display1024x768HasTheLargeLayoutWithoutVeryLarge) {
    Form1& f = started(1024, 768);
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(f.windowState.screenWidthPx, 1024);
    EXPECT_EQ(f.windowState.screenHeightPx, 768);
    EXPECT_TRUE(f.mnuLarge.checked());
    EXPECT_FALSE(f.mnuVLarge.visible());
    EXPECT_FALSE(f.mnuVLarge.enabled());
    EXPECT_FALSE(f.mnuVLarge.checked());
    EXPECT_EQ(f.graph.graphLeft, 1000.0f);
    EXPECT_EQ(f.graph.graphRight, 15000.0f);
    EXPECT_EQ(f.graph.graphTop, 3400.0f);
    EXPECT_EQ(f.graph.graphBottom, 9800.0f);
    EXPECT_EQ(f.graph.polarRadius, 3200);
    EXPECT_EQ(f.width(), 15240);
    EXPECT_EQ(f.scaleTop(), 0);
    EXPECT_NEAR(f.scaleWidth(), 15360, 1e-6);
}

TEST_F(Form1Test, Display1280x1024HasTheVeryLargeLayout) {
    Form1& f = started(1280, 1024);
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_TRUE(f.mnuVLarge.visible());
    EXPECT_TRUE(f.mnuVLarge.enabled());
    EXPECT_TRUE(f.mnuVLarge.checked());
    EXPECT_FALSE(f.mnuLarge.checked());
    EXPECT_EQ(f.graph.graphRight, 1280.0f * 15);
    EXPECT_EQ(f.graph.graphBottom, 1024.0f * 15 - 2500);
    // Below 1400 pixels the information frame keeps its design place, 12000 twips (800 pixels).
    EXPECT_EQ(f.Frame6.widget()->x(), 800);
}

TEST_F(Form1Test, Display1400WideMovesTheInformationFrame) {
    Form1& f = started(1400, 1050);
    EXPECT_TRUE(f.mnuVLarge.checked());
    EXPECT_NEAR(f.Frame6.left(), 16000, 20);
}

// ---------------------------------------------------------------------------------------------
// State after start-up

TEST_F(Form1Test, ListsHoldTheirEntriesAndSelections) {
    Form1& f = started();
    const std::vector<std::string> yLimits{"Automatic", "1000000", "100000",  "10000",   "1000",
                                           "100",       "10",      "1",       "0.1",     "0.01",
                                           "0.001",     "0.0001",  "0.00001", "0.000001"};
    EXPECT_EQ(Entries(f.cboYmax), yLimits);
    EXPECT_EQ(Entries(f.cboYmin), yLimits);
    EXPECT_EQ(f.cboYmax.text(), "Automatic");
    EXPECT_EQ(f.cboYmin.text(), "Automatic");
    EXPECT_EQ(Entries(f.cboWave),
              (std::vector<std::string>{"1", "3", "7", "10", "15", "30", "60", "100", "200", "300", "500",
                                        "1000", "2000", "RGB", "High", "Med.", "Low"}));
    EXPECT_EQ(f.cboWave.text(), "1");
    ASSERT_EQ(f.cboGraph.listCount(), 21);
    EXPECT_EQ(f.cboGraph.list(1), "Watts/sq. m. v. scattering angle");
    EXPECT_EQ(f.cboGraph.list(7), "Lee diagram");
    EXPECT_EQ(f.cboGraph.list(20), "Map: angle v. wavelength");
    EXPECT_EQ(f.cboGraph.listIndex(), 0);
    EXPECT_EQ(f.cboGraph.text(), "Intensity v. scattering angle");
    EXPECT_EQ(Entries(f.cboStep),
              (std::vector<std::string>{"10", "5", "2", "1", "0.5", "0.2", "0.1", "0.05", "0.02", "0.01"}));
    EXPECT_EQ(f.cboStep.text(), "0.1");
    EXPECT_EQ(Entries(f.cboPol),
              (std::vector<std::string>{"Perpendicular", "Parallel", "Both", "Unpolarised", "All 3"}));
    EXPECT_EQ(f.cboPol.listIndex(), 2);
    EXPECT_EQ(f.cboPol.text(), "Both");
    EXPECT_EQ(Entries(f.cboSD), (std::vector<std::string>{"20", "10", "5", "2", "1", "0.5", "0.2", "0.1",
                                                          "0.05", "0.02", "0.01"}));
    EXPECT_EQ(f.cboSD.text(), "1");
    EXPECT_EQ(Entries(f.cboN), (std::vector<std::string>{"50", "20", "10", "5"}));
    EXPECT_EQ(f.cboN.listIndex(), 0);
    EXPECT_EQ(Entries(f.cboDistrib), (std::vector<std::string>{"Normal", "Log-normal", "Special"}));
    EXPECT_EQ(f.cboDistrib.text(), "Normal");
    EXPECT_EQ(Entries(f.cboBright),
              (std::vector<std::string>{"100", "50", "20", "10", "5", "2", "1", "0.5", "0.2", "0.1"}));
    EXPECT_EQ(f.cboBright.listIndex(), -1);
    EXPECT_EQ(Entries(f.cboLee), (std::vector<std::string>{"Normalised", "Absolute"}));
    EXPECT_EQ(f.cboLee.listIndex(), 0);
    EXPECT_EQ(Entries(f.cboType),
              (std::vector<std::string>{"Mie", "Debye", "Rayleigh", "Airy", "Diffraction", "Descartes",
                                        "Young", "Young mod", "Surface wave"}));
    EXPECT_EQ(f.cboType.text(), "Mie");
    ASSERT_EQ(f.cboRays.listCount(), 33);
    EXPECT_EQ(f.cboRays.list(0), "Multiple");
    EXPECT_EQ(f.cboRays.list(1), "0");
    EXPECT_EQ(f.cboRays.list(31), "30");
    EXPECT_EQ(f.cboRays.list(32), "Multiple");
    EXPECT_EQ(f.cboRays.listIndex(), -1);
    const std::vector<std::string> terms{"1", "2", "3", "4", "5", "10", "15", "20", "25"};
    EXPECT_EQ(Entries(f.cboQmax), terms);
    EXPECT_EQ(Entries(f.cboQmin), terms);
    // the terms 1 to 10, as swQmin and swQmax
    EXPECT_EQ(f.cboQmax.listIndex(), 5);
    EXPECT_EQ(f.cboQmax.text(), "10");
    EXPECT_EQ(f.cboQmin.listIndex(), 0);
    EXPECT_EQ(f.cboQmin.text(), "1");
}

// The first surface-wave run after start-up runs with the lists as they were left (terms 1 to 10),
// and its curve stays finite and of the size of 179.9 degrees' at 180 degrees.
TEST_F(Form1Test, FirstSurfaceWaveRunAfterStartUpRuns) {
    Form1& f = started();
    f.cboType.setText("Surface wave");
    f.cboRays.setText("1");
    messages.clear();
    f.cmdNewPlot.click();
    EXPECT_TRUE(messages.shown().empty()) << messages.last().prompt;
    ASSERT_EQ(f.angleGrid.angleCount, 901);
    const auto intensity = [&f](std::size_t j) {
        return f.results.s1Amp[0][j] * f.results.s1Amp[0][j] + f.results.s1Amp[1][j] * f.results.s1Amp[1][j];
    };
    double near = 0.0;  // the largest |S1|^2 within a degree of 180, 180 left out
    for (std::size_t j = 1791; j <= 1800; ++j) near = std::max(near, intensity(j));
    EXPECT_GT(near, 0.0);
    EXPECT_TRUE(std::isfinite(intensity(1801)));
    EXPECT_LE(intensity(1801), 10 * near);
}

TEST_F(Form1Test, InputsAndLabelsAfterStartUp) {
    Form1& f = started();
    EXPECT_EQ(f.txtLambda.text(), "0.65");
    EXPECT_EQ(f.txtRadius.text(), "10");
    // Water by the IAPWS formula at 5 C in a vacuum, at 0.65 um.
    EXPECT_EQ(f.txtRefractReal.text(), "1.33257035");
    EXPECT_EQ(f.txtRefractImag.text(), "0");
    EXPECT_FALSE(f.txtProgress.visible());
    EXPECT_EQ(f.txtProgress.text(), "0");
    EXPECT_FALSE(f.Label16.visible());
    EXPECT_EQ(f.lblSphere.caption(), "Sphere: Water (IAPWS 5C)");
    EXPECT_EQ(f.lblRI_Medium.caption(), "Medium: Vacuum");
    EXPECT_EQ(f.lblSpectrum.caption(), "Spectrum: Sun (Lee)");
    EXPECT_EQ(f.lblSpectrumBand.caption(), "380 - 700 nm band");
    EXPECT_EQ(f.lblDebyeRays.caption(), "Mie (plane wave)");
    EXPECT_EQ(f.lblWatts.caption(), "");
    EXPECT_EQ(f.lblDistance.caption(), "");
    EXPECT_EQ(f.mnuAverage.caption(), "Average  5");
    EXPECT_TRUE(f.optLog.value());
    EXPECT_TRUE(f.OptXLinear.value());
    EXPECT_TRUE(f.optMono.value());
    EXPECT_FALSE(f.cboSD.visible());
    EXPECT_FALSE(f.cboN.visible());
    EXPECT_FALSE(f.Label11.visible());
    EXPECT_FALSE(f.Label13.visible());
    EXPECT_FALSE(f.txtRmax.visible());
    // After the first calculation: New plot the default, Replot hidden, Overplot shown.
    EXPECT_FALSE(f.cmdReplot.visible());
    EXPECT_TRUE(f.cmdOverPlot.visible());
    EXPECT_TRUE(f.cmdNewPlot.isDefault());
    EXPECT_TRUE(f.cmdNewPlot.enabled());
    for (const Control* c :
         {static_cast<const Control*>(&f.txtLambda), static_cast<const Control*>(&f.cboYmax)})
        EXPECT_NE(c->backColor(), 255u);
    // Debye terms set after the first calculation, their frame hidden.
    EXPECT_EQ(f.chkR22.value(), 1);
    EXPECT_EQ(f.chkT21.value(), 1);
    EXPECT_EQ(f.chkPhase.value(), 1);
    EXPECT_EQ(f.chk1256.value(), 1);
    EXPECT_EQ(f.chkR11.value(), 0);
    EXPECT_FALSE(f.Frame7.visible());
    // The simulation window exists, marked for its first initialisation.
    ASSERT_TRUE(f.Form2_.loaded());
    EXPECT_EQ(f.Form2_->txtX1.backColor(), 0x00FF00u);
    EXPECT_FALSE(f.Form2_->visible());
}

TEST_F(Form1Test, MenusAfterStartUp) {
    Form1& f = started();
    EXPECT_TRUE(f.mnuMajorGridX.checked());
    EXPECT_FALSE(f.mnuMinorGridX.checked());
    EXPECT_FALSE(f.mnuMinorGridX.enabled());
    EXPECT_TRUE(f.mnuMajorGridY.checked());
    EXPECT_FALSE(f.mnuMinorGridY.checked());
    EXPECT_TRUE(f.mnuDefault.checked());
    EXPECT_TRUE(f.mnuRI_IAPWS.checked());
    EXPECT_TRUE(f.mnuRI_Vacuum2.checked());
    EXPECT_TRUE(f.mnuSpectrumLee.checked());
    EXPECT_TRUE(f.mnuRadius.checked());
    EXPECT_FALSE(f.mnuSizeSpecial.visible());
    EXPECT_FALSE(f.mnuHidden.visible());
}

TEST_F(Form1Test, VariablesAfterStartUp) {
    Form1& f = started();
    EXPECT_EQ(f.codes.graphCode, kGraphAngle);
    EXPECT_EQ(f.codes.graphSubCode, kSubIntensity);
    EXPECT_EQ(f.codes.calcMethod, kMethodMie);
    EXPECT_EQ(f.runFlags.resultsStale, 0);  // the first calculation has run
    EXPECT_EQ(f.runFlags.resultsFromFile, 0);
    EXPECT_EQ(f.runFlags.logScaleDefault, 1);
    EXPECT_EQ(f.light.spectrumFileLoaded, 0);
    EXPECT_EQ(f.dist.sizeHistogram.histLoaded, 0);
    EXPECT_EQ(f.windowState.hiddenKeyArmed, 0);
    EXPECT_EQ(f.windowState.hiddenKeyPos, 0);
    EXPECT_EQ(f.indexState.reducedTemp, static_cast<float>(278.15 / 273.15));
    EXPECT_EQ(f.indexState.reducedTemp, 1.0183049f);
    EXPECT_EQ(f.light.bandMinUm, 0.38f);
    EXPECT_EQ(f.light.bandMaxUm, 0.7f);
    EXPECT_EQ(f.indexState.waterTemp, 5.0f);
    EXPECT_EQ(f.indexState.waterDensity, 0.9999638f);
    EXPECT_EQ(f.graph.xMax, 180);
    EXPECT_EQ(f.indexState.sphereName, " Water");
    EXPECT_EQ(f.indexState.mediumName, "a vacuum ");
    EXPECT_EQ(f.codes.simulationMode, 0);
    EXPECT_EQ(f.series.swQmin, 1);
    EXPECT_EQ(f.series.swQmax, 10);
    EXPECT_EQ(f.series.rayflag.size(), 51u);
    // Four distinct letter keys.
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_GE(f.windowState.hiddenKeyTable[i], 'A');
        EXPECT_LE(f.windowState.hiddenKeyTable[i], 'Z');
        for (std::size_t j = 0; j < i; ++j)
            EXPECT_NE(f.windowState.hiddenKeyTable[i], f.windowState.hiddenKeyTable[j]);
    }
}

TEST_F(Form1Test, CommandLineIsKept) {
    runtime.setCommandLine("-x file.tsy");
    Form1& f = started();
    EXPECT_EQ(f.windowState.commandLine, "-x file.tsy");
}

TEST_F(Form1Test, BuiltInTablesAsStored) {
    Form1& f = started();
    EXPECT_EQ(f.builtinTables.sunLeeTable[0], 0.46f);
    EXPECT_EQ(f.builtinTables.sunLeeTable[17], 1.0f);
    EXPECT_EQ(f.builtinTables.sunLeeTable[64], 0.617f);
    EXPECT_EQ(f.builtinTables.sunWernandTable[0], 0.33456245f);
    EXPECT_EQ(f.builtinTables.sunWernandTable[26], 1.0f);
    EXPECT_EQ(f.builtinTables.sunWernandTable[130], 0.47528f);
    EXPECT_EQ(f.builtinTables.riBuiltinTable[0], 3.43822e-10f);
    EXPECT_EQ(f.builtinTables.riBuiltinTable[64], 2.03686e-09f);
    EXPECT_EQ(f.builtinTables.riBuiltinTable[128], 3.47594e-08f);
    EXPECT_EQ(f.builtinTables.metalWavelengths[1], 0.187878f);
    EXPECT_EQ(f.builtinTables.metalWavelengths[49], 1.93749f);
    EXPECT_EQ(f.builtinTables.copperIndexTable[1][1], 0.94f);
    EXPECT_EQ(f.builtinTables.copperIndexTable[2][1], 1.337f);
    EXPECT_EQ(f.builtinTables.silverIndexTable[1][24], 0.17f);
    EXPECT_EQ(f.builtinTables.silverIndexTable[2][24], 0.829f);
    EXPECT_EQ(f.builtinTables.goldIndexTable[1][49], 0.92f);
    EXPECT_EQ(f.builtinTables.goldIndexTable[2][49], 13.78f);
    // Row 0 and first index 0 stay 0.
    EXPECT_EQ(f.builtinTables.metalWavelengths[0], 0.0f);
    for (std::size_t row = 0; row < 50; ++row) {
        EXPECT_EQ(f.builtinTables.copperIndexTable[0][row], 0.0f);
        EXPECT_EQ(f.builtinTables.silverIndexTable[0][row], 0.0f);
        EXPECT_EQ(f.builtinTables.goldIndexTable[0][row], 0.0f);
    }
    EXPECT_EQ(f.builtinTables.goldIndexTable[1][0], 0.0f);
}

TEST_F(Form1Test, StartUpDrawsTheFrameOfTheDefaultGraph) {
    Form1& f = designed();
    f.setRecording(true);
    f.load();
    EXPECT_FALSE(f.drawLog().empty());
    EXPECT_EQ(f.droppedCommands(), 0);
}

// ---------------------------------------------------------------------------------------------
// Restore defaults

TEST_F(Form1Test, RestoreDefaultsPutsThePhysicalInputsBack) {
    Form1& f = started();
    f.txtLambda.setText("0.5");
    f.txtRadius.setText("3");
    f.txtRefractReal.setText("1.5");
    f.txtRefractImag.setText("0.01");
    f.cboWave.setText("RGB");
    f.cboPol.setListIndex(kPolPerpendicular);
    f.dlogSpectrumBand_->txtSpectrumMin.setText("400");
    f.dlogSpectrumBand_->txtSpectrumMax.setText("600");
    f.dlogTemp_->txtTemp.setText("20");
    f.mnuWhite.trigger();
    f.mnuRedLine.trigger();
    f.chkR11.setValue(1);
    f.chkR22.setValue(0);
    f.chk1256.setValue(0);
    f.cboGraph.setListIndex(4);
    const std::string graph = f.cboGraph.text();
    test::Choose(f.cboType, "Diffraction");
    f.txtXmin.setText("20");
    f.cboStep.setText("0.5");
    modalCaptions.clear();

    f.cmdDefault.click();

    // It shows the spectrum-limits and the water dialogs, and keeps the method and the angles.
    EXPECT_EQ(modalCaptions, (std::vector<std::string>{"Spectrum limits", "Water properties"}));
    EXPECT_EQ(f.cboType.text() + " " + f.txtXmin.text() + " " + f.cboStep.text(), "Diffraction 20 0.5");

    EXPECT_EQ(f.txtLambda.text(), "0.65");
    EXPECT_EQ(f.txtRadius.text(), "10");
    EXPECT_EQ(f.txtRefractReal.text(), "1.33257035");
    EXPECT_EQ(f.txtRefractImag.text(), "0");
    EXPECT_EQ(f.cboWave.text(), "1");
    EXPECT_EQ(f.cboPol.text(), "Both");
    EXPECT_EQ(f.dlogSpectrumBand_->txtSpectrumMin.text(), "380");
    EXPECT_EQ(f.dlogSpectrumBand_->txtSpectrumMax.text(), "700");
    EXPECT_EQ(f.dlogTemp_->txtTemp.text(), "5");
    EXPECT_TRUE(f.mnuDefault.checked());
    EXPECT_FALSE(f.mnuWhite.checked());
    EXPECT_TRUE(f.mnuTrueColour.checked());
    EXPECT_FALSE(f.mnuRedLine.checked());
    EXPECT_EQ(f.chkR22.value(), 1);
    EXPECT_EQ(f.chkR11.value(), 0);
    EXPECT_EQ(f.chkT12.value(), 0);
    EXPECT_EQ(f.chkT21.value(), 1);
    EXPECT_EQ(f.chk2theta.value(), 0);
    EXPECT_EQ(f.chkR22x.value(), 0);
    EXPECT_EQ(f.chkPhase.value(), 1);
    EXPECT_EQ(f.chk1256.value(), 1);
    // The graph type stays.
    EXPECT_EQ(f.cboGraph.text(), graph);
}

TEST_F(Form1Test, RestoreDefaultsSwitchesOverplotFromFileOffAndLeavesItOff) {
    Form1& f = started();
    f.mnuOverplot.setChecked(true);
    f.cmdDefault.click();
    EXPECT_FALSE(f.mnuOverplot.checked());
    f.cmdDefault.click();
    EXPECT_FALSE(f.mnuOverplot.checked());
}

TEST_F(Form1Test, RestoreDefaultsReturnsToRadiusEntry) {
    Form1& f = started();
    f.mnuDiameter.trigger();
    ASSERT_FALSE(f.mnuRadius.checked());
    f.cmdDefault.click();
    EXPECT_TRUE(f.mnuRadius.checked());
    EXPECT_EQ(f.txtRadius.text(), "10");
}

}  // namespace
}  // namespace tessary
