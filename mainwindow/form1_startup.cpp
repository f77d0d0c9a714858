// Start-up of the main window and "Restore defaults". Start-up gives every window variable, list and
// menu its start value while resultsStale is 1, so that the handlers it raises on the way only
// configure the window; it checks the display, chooses the layout by screen width, fills the built-in
// tables and draws the frame of the default graph.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>

#include "graphs/graph_codes.h"
#include "mainwindow/builtin_tables.h"
#include "mainwindow/form1.h"
#include "media/index_tables.h"
#include "platform/text/conversions.h"
#include "platform/ui/window_colours.h"
#include "runs/method_codes.h"

namespace tessary {

namespace {

// The display size in pixels from twips, rounded half to even; a pixel size of 0 (no usable metrics)
// counts as the usual 15 twips per pixel, and sizes beyond the Long range saturate.
int ScreenPixels(int twips, int twipsPerPixel) {
    const double px = static_cast<double>(twips) / (twipsPerPixel > 0 ? twipsPerPixel : 15);
    const Checked<std::int32_t> rounded = CLng(px);
    if (rounded.ok()) return rounded.value;
    return px > 0 ? INT32_MAX : 0;
}

const std::string kDesignedFor =
    "Tessary has been designed for displays with 1024 x 768 pixels (or higher resolution).";

void AddItems(ComboBox& list, std::initializer_list<const char*> items) {
    for (const char* item : items) list.addItem(item);
}

constexpr std::initializer_list<const char*> kYLimits{"Automatic", "1000000", "100000",  "10000",   "1000",
                                                      "100",       "10",      "1",       "0.1",     "0.01",
                                                      "0.001",     "0.0001",  "0.00001", "0.000001"};
constexpr std::initializer_list<const char*> kTerms{"1", "2", "3", "4", "5", "10", "15", "20", "25"};

std::string ScreenWarningText(int widthPx, int heightPx) {
    return kDesignedFor + kCR + kCR + "The basic features of Tessary will work on your " + CStr(widthPx) +
           " x " + CStr(heightPx) +
           " display, but much better results will be achieved with 1024 x 768 displays.";
}

std::string ScreenProblemText(int widthPx, int heightPx) {
    return kDesignedFor + kCR + kCR + "Your " + CStr(widthPx) + " x " + CStr(heightPx) +
           " display is not usable.  Sorry!" + kCR + kCR +
           "The basic features of Tessary will work on 800 x 600 displays, but much better results will be "
           "achieved with 1024 x 768 displays.";
}

// The index boxes at the start: the models' index at 0.65 um (water's), not a typed one.
void StartIndex(Form1& f) {
    const IndexBoxesWrite writing(f.runFlags);
    if (const std::optional<double> m = f.refrel(0.65)) f.txtRefractReal.setText(Format(*m, "0.00000000"));
    f.txtRefractImag.setText("0");
}

}  // namespace

void Form1::Form_Load() {
    // Files left open when the program ends (exit, window closed, also during a run) are closed first.
    std::weak_ptr<Form1*> self = m_alive;
    Runtime::current().addEndAction([self] {
        if (const auto form = self.lock()) (*form)->openWriters.AbandonAll();
    });

    loadDisplayCheck();
    loadStartValues();
    loadLists();
    loadControlStates();
    loadLayoutAndTables();

    // 33: the frame of the default graph.
    Grid(graph.graphLeft, graph.graphRight, graph.graphTop, graph.graphBottom, graph.xMin, graph.xMax,
         graph.yAxisMin, graph.yAxisMax);

    // 34: the first calculation and graph.
    cmdNewPlot_Click();

    loadTermLists();
}

void Form1::loadDisplayCheck() {
    // 1-3: command line and display check. Displays up to 1024 pixels wide get the layout of a 1024 x 768
    // display (Large), whose graph, x axis and run time reach 720 pixels down: a lower one gets the
    // warning too, lest they fall below the screen unannounced. Wider displays get a layout that
    // follows their height (Very large), which is usable from 600 pixels on.
    windowState.commandLine = tessary::commandLine();
    const ScreenMetrics display = screen();
    windowState.screenWidthPx = ScreenPixels(display.widthTwips(), display.twipsPerPixelX);
    windowState.screenHeightPx = ScreenPixels(display.heightTwips(), display.twipsPerPixelY);
    const int w = windowState.screenWidthPx, h = windowState.screenHeightPx;
    const bool layoutFits = w > 1024 ? h >= 600 : w == 1024 && h >= 768;
    if (layoutFits) return;
    if (w >= 800 && h >= 600) {
        msgBox(ScreenWarningText(w, h), mb::kOkOnly, std::string("Screen resolution warning"));
        mnuDataVisible.setVisible(false);
    } else {
        msgBox(ScreenProblemText(w, h), mb::kOkOnly, std::string("Screen resolution problem"));
    }
}

void Form1::loadStartValues() {
    // 4-5: arrays (the Segelstein and Ray water tables are built into the index engine).
    light.sunDiscWeights.assign(26, 0.0);
    series.rayflag.assign(51, 0);

    // 6: window size; the drawing code always works in a width of 15360 units.
    setHeight(9285);
    setWidth(15240);
    if (width() == 12180) {
        setScaleTop(-1500);
        setScaleHeight(12800);
    }
    setScaleWidth(15360);

    // 7-10: codes, flags, the y scale and the water and band defaults.
    codes.graphCode = kGraphAngle;
    codes.calcMethod = kMethodMie;
    runFlags.resultsStale = 1;
    light.spectrumFileLoaded = 0;
    windowState.hiddenKeyArmed = 0;
    dist.sizeHistogram.histLoaded = 0;
    windowState.hiddenKeyPos = 0;
    optLog.setValue(true);
    runFlags.logScaleDefault = 1;
    if (optMono.value()) {
        for (Control* c : std::initializer_list<Control*>{&Label11, &Label13, &cboSD, &cboN})
            c->setVisible(false);
    }
    indexState.reducedTemp = static_cast<float>(278.15 / 273.15);
    light.bandMinUm = 0.38f;
    light.bandMaxUm = 0.7f;
    indexState.waterTemp = 5.0f;
    indexState.waterDensity = 0.9999638f;

    // 11-14: radius, index, progress, y limits, step.
    txtRadius.setText("10");
    StartIndex(*this);
    txtProgress.setVisible(false);
    txtProgress.setText("0");
    Label16.setVisible(false);
    lblDistance.setCaption("");
    lblWatts.setCaption("");
    cboYmax.setText("Automatic");
    cboYmin.setText("Automatic");
    graph.yAxisMin = 10;
    graph.yAxisMax = 100000;
    txtY1min.setText("10");
    txtY2max.setText("100000");
    cboStep.setText("0.1");
    cboSD.setText("1");
}

void Form1::loadLists() {
    // 15: the lists and their selections, in this order.
    AddItems(cboYmax, kYLimits);
    AddItems(cboWave, {"1", "3", "7", "10", "15", "30", "60", "100", "200", "300", "500", "1000", "2000",
                       "RGB", "High", "Med.", "Low"});
    cboWave.setText("1");
    AddItems(cboGraph, {"Intensity v. scattering angle",
                        "Watts/sq. m. v. scattering angle",
                        "Phase function",
                        "Intensity v. wavelength",
                        "Intensity v. radius",
                        "Intensity v. size parameter x",
                        "Intensity v. refractive index",
                        "Lee diagram",
                        "Qext/Qsca/Qabs v. radius",
                        "Cext/Csca/Cabs v. radius",
                        "Qext/Qsca/Qabs v. size x",
                        "Cext/Csca/Cabs v. size x",
                        "Qext/Qsca/Qabs v. wavelength",
                        "Cext/Csca/Cabs v. wavelength",
                        "Asymmetry parameter v. radius",
                        "Asymmetry parameter v. size x",
                        "Asymmetry parameter v. wavelength",
                        "Map: angle v. refractive index",
                        "Map: angle v. imaginary RI",
                        "Map: angle v. radius",
                        "Map: angle v. wavelength"});
    cboGraph.setListIndex(0);
    AddItems(cboYmin, kYLimits);
    AddItems(cboStep, {"10", "5", "2", "1", "0.5", "0.2", "0.1", "0.05", "0.02", "0.01"});
    AddItems(cboPol, {"Perpendicular", "Parallel", "Both", "Unpolarised", "All 3"});
    cboPol.setListIndex(kPolBoth);
    AddItems(cboSD, {"20", "10", "5", "2", "1", "0.5", "0.2", "0.1", "0.05", "0.02", "0.01"});
    AddItems(cboN, {"50", "20", "10", "5"});
    cboN.setListIndex(0);
    AddItems(cboDistrib, {"Normal", "Log-normal", "Special"});
    cboDistrib.setListIndex(0);
    AddItems(cboBright, {"100", "50", "20", "10", "5", "2", "1", "0.5", "0.2", "0.1"});
    AddItems(cboLee, {"Normalised", "Absolute"});
    cboLee.setEnabled(false);
    cboLee.setListIndex(0);
    codes.calcMethod = kMethodMie;
    AddItems(cboType, {"Mie", "Debye", "Rayleigh", "Airy", "Diffraction", "Descartes", "Young", "Young mod",
                       "Surface wave"});
    cboType.setListIndex(0);
    cboRays.addItem("Multiple");
    for (int p = 0; p <= 30; ++p) cboRays.addItem(CStr(p));
    cboRays.addItem("Multiple");
}

void Form1::loadControlStates() {
    // 16-19: x scale, grid menus, run buttons, x range, white inputs.
    OptXLinear.setValue(true);
    mnuMajorGridX.setChecked(true);
    mnuMinorGridX.setChecked(false);
    mnuMajorGridY.setChecked(true);
    mnuMinorGridY.setChecked(false);
    mnuMinorGridX.setEnabled(false);
    cmdReplot.setEnabled(false);
    cmdReplot.setVisible(false);
    cmdOverPlot.setEnabled(false);
    cmdOverPlot.setVisible(false);
    cmdNewPlot.setEnabled(true);
    cmdNewPlot.setDefault(true);
    txtRmax.setVisible(false);
    codes.graphCode = kGraphAngle;
    codes.graphSubCode = kSubIntensity;
    graph.xMax = Val(txtXmax.text());
    for (Control* c : std::initializer_list<Control*>{&cboYmax, &cboYmin, &cboStep, &cboPol, &txtLambda,
                                                      &txtRadius, &txtRefractReal, &txtRefractImag})
        c->setBackColor(kWhite);
    txtProgress.setText("0");

    // 20-22: background colours, the simulation window's first-load marker, the y scale, a clean window.
    mnuDefault_Click();
    Form2_->txtX1.setBackColor(kGreen);
    if (cboYmin.text() == "Automatic") graph.yScaleMin = 0.1;
    if (cboYmax.text() == "Automatic") graph.yScaleMax = 100000;
    cls();
}

void Form1::loadLayoutAndTables() {
    // 23-26: wavelength, material names, layout by screen width, status labels.
    txtLambda.setText("0.65");
    indexState.sphereName = " Water";
    indexState.mediumName = "a vacuum ";
    if (windowState.screenWidthPx > 1024) {
        mnuVLarge.setEnabled(true);
        mnuVLarge.setVisible(true);
        mnuVLarge_Click();
        if (windowState.screenWidthPx >= 1400) Frame6.setLeft(16000);
    } else {
        mnuLarge_Click();
    }
    lblSphere.setCaption("Sphere: Water (IAPWS 5C)");
    lblRI_Medium.setCaption("Medium: Vacuum");
    lblDebyeRays.setCaption("");
    lblSpectrum.setCaption("Spectrum: Sun (Lee)");
    lblSpectrumBand.setCaption("380 - 700 nm band");

    // 27-32: hidden-mode keys, built-in tables and the wavelength set, result arrays, averaging
    // caption, method label.
    windowState.hiddenKeyTable = {'T', 'E', 'S', 'Y'};
    FillSunTables();
    lambdaN();
    FillIndexTables();
    Array_Size();
    mnuAverage.setCaption("Average  " + dlogAverage_->txtAverage.text());
    lblDebyeRays.setCaption("Mie (plane wave)");
    codes.simulationMode = 0;
    // The window's drawing persists (back buffer) and its key handler sees every key first: the
    // runtime's windows always work so.
}

void Form1::loadTermLists() {
    // 35-36: Debye terms, surface-wave term lists.
    chkR22.setValue(1);
    chkT21.setValue(1);
    chkPhase.setValue(1);
    chk1256.setValue(1);
    Frame7.setVisible(false);
    series.swQmin = 1;
    series.swQmax = 10;
    AddItems(cboQmax, kTerms);
    AddItems(cboQmin, kTerms);
    cboQmax.setText("10");  // the lists show swQmin and swQmax, so a first run has its terms
    cboQmin.setText("1");
}

void Form1::FillSunTables() {
    builtinTables.sunLeeTable = builtin::kSunLee;
    builtinTables.sunWernandTable = builtin::kSunWernand;
}

void Form1::FillIndexTables() {
    builtinTables.riBuiltinTable = tessary::riBuiltinTable;
    for (int row = 1; row <= kMetalRows; ++row) {
        const auto r = static_cast<std::size_t>(row);
        builtinTables.metalWavelengths[r] = tessary::metalWavelengths[r - 1];
        builtinTables.copperIndexTable[1][r] = tessary::copperIndexTable[r - 1].n;
        builtinTables.copperIndexTable[2][r] = tessary::copperIndexTable[r - 1].k;
        builtinTables.silverIndexTable[1][r] = tessary::silverIndexTable[r - 1].n;
        builtinTables.silverIndexTable[2][r] = tessary::silverIndexTable[r - 1].k;
        builtinTables.goldIndexTable[1][r] = tessary::goldIndexTable[r - 1].n;
        builtinTables.goldIndexTable[2][r] = tessary::goldIndexTable[r - 1].k;
    }
}

void Form1::cmdDefault_Click() {
    // 1-3: band, water and medium, spectrum.
    dlogSpectrumBand_->txtSpectrumMin.setText("380");
    dlogSpectrumBand_->txtSpectrumMax.setText("700");
    mnuSpectrumBand_Click();
    dlogTemp_->txtTemp.setText("5");
    mnuRI_IAPWS_Click();
    mnuRI_Vacuum2_Click();
    mnuSpectrumLee_Click();

    // 4-6: wavelength count, wavelength, size entry as a radius, radius and index.
    cboWave.setText("1");
    txtLambda.setText("0.65");
    if (!mnuRadius.checked()) mnuRadius_Click();
    txtRadius.setText("10");
    StartIndex(*this);

    // 7: colour schemes, saturation mode.
    mnuDefault_Click();
    mnuTrueColour_Click();
    mnuPhoto_Click();

    // 8: toggles that switch themselves off (averaging only while the results are current).
    if (mnuNormalised.checked()) mnuNormalised_Click();
    if (mnuOverplot.checked()) mnuOverplot_Click();
    if (mnuInterpolate.checked()) mnuInterpolate_Click();
    if (mnuAverage.checked()) mnuAverage_Click();

    // 9-10: Debye terms, polarisation.
    chkR22.setValue(1);
    chkR11.setValue(0);
    chkT12.setValue(0);
    chkT21.setValue(1);
    chk2theta.setValue(0);
    chkR22x.setValue(0);
    chkPhase.setValue(1);
    chk1256.setValue(1);
    cboPol.setText("Both");
}

}  // namespace tessary
