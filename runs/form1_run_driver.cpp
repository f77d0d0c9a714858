// The run driver Overplot: the set-up every run goes through, the choice of the calculation path by
// graph code, wavelength count and size distribution, the angle grid of the angle graphs, the elapsed
// time after the results, and the common end with its normal and its stop exit.
#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <string>

#include "graphs/graph_codes.h"
#include "mainwindow/form1.h"
#include "numerics/constants.h"
#include "platform/text/clock.h"
#include "platform/text/conversions.h"
#include "platform/ui/window_colours.h"
#include "runs/method_codes.h"
#include "runs/run_rules.h"
#include "scattering/form1_series_common.h"

namespace tessary {

namespace {

constexpr OleColor kTimeColour = 0x0000FF;  // red
constexpr const char* kIncorrectEntry = "    The red highlighted data entry is incorrect.    ";

bool Automatic(const ComboBox& list) { return list.text() == "Automatic"; }

// The set-up of every run up to the start time; false when the run stops here (results from a file).
bool RunSetUp(Form1& f) {
    f.readout = {};
    if (f.codes.graphCode < kGraphLee) f.Array_Size();
    if (f.indexState.mediumRe == 0) f.indexState.mediumRe = 1.0;
    f.calc.absorbingFlag = 0;
    f.codes.prevGraphCode = f.codes.graphCode;
    f.codes.prevGraphSubCode = f.codes.graphSubCode;
    if (f.optDisp.value()) {  // erase the distribution's small graph
        f.setForeColor(kButtonFace);
        f.boxFilled(12000, 0, 15600, 2700);
    }
    if (f.runFlags.resultsFromFile == 1) {
        f.cmdReplot.setEnabled(false);
        f.cmdReplot.setVisible(false);
        return false;
    }
    // A run at one wavelength places the sphere in the medium its record names, at that wavelength (the
    // runs over several wavelengths take it per wavelength).
    if (!f.runRecord.indexPerWavelength && !f.MediumOfRun(Val(f.txtLambda.text()))) {
        f.RunCommonEnd();  // the stop exit
        return false;
    }
    if (f.codes.runState == Form1::kRunOverplot || f.mnuOverplot.checked()) {
        f.codes.runState = Form1::kRunOverplot;  // the axis limits of the graph on show stay
    } else {
        f.graph.xMin = Val(f.txtXmin.text());
        f.graph.xMax = Val(f.txtXmax.text());
        if (!Automatic(f.cboYmin)) f.graph.yAxisMin = Val(f.cboYmin.text());
        if (!Automatic(f.cboYmax)) f.graph.yAxisMax = Val(f.cboYmax.text());
    }
    if (f.codes.calcMethod < kMethodRayleigh ||
        f.codes.calcMethod > kMethodYoungMod) {  // an empty progress bar
        f.setForeColor(kWhite);
        f.boxFilled(12000, 1900, 15000, 2000);
        f.setForeColor(kBlack);
        f.runProgress.progressShown = 0;
        f.runProgress.progressPercent = 0;
    }
    f.Label14.setCaption("1");
    f.Label15.setCaption("1");
    f.graph.yScaleMin = Val(f.txtY1min.text());
    f.graph.yScaleMax = Val(f.txtY2max.text());
    f.txtX1min.setText(CStr(f.graph.xMin));
    f.txtX2Max.setText(CStr(f.graph.xMax));
    f.setForeColor(kBlack);

    f.calc.waveCount =
        Form1::WaveCountOf(f.cboWave.text());  // the words RGB, High, Med. and Low, or the number

    if (f.Frame6.visible() && f.windowState.screenWidthPx < 1400) f.cmdInfo_Click();
    const bool showProgress =
        f.codes.calcMethod != kMethodRayleigh && f.codes.calcMethod != kMethodDiffraction;
    if (showProgress) f.txtProgress.setText("0");
    f.txtProgress.setVisible(showProgress);
    f.Label16.setVisible(showProgress);
    f.cmdStop.setVisible(true);
    f.cmdStop.setEnabled(true);
    f.cmdStop.setDefault(true);
    for (Control* c : std::initializer_list<Control*>{&f.txtLambda, &f.txtRadius, &f.txtRefractReal,
                                                      &f.txtRefractImag, &f.cboStep})
        c->setBackColor(kWhite);
    f.optMono.setBackColor(kButtonFace);
    f.optDisp.setBackColor(kButtonFace);
    if (f.codes.graphCode < kGraphLee) f.RadiusFromBox();
    // One wavelength: m as the boxes show it.
    f.calc.calcIndexRe = Val(f.txtRefractReal.text());
    f.calc.calcIndexIm = Val(f.txtRefractImag.text());
    f.calc.wavelength = Val(f.txtLambda.text());
    return true;
}

// The calculation path after the angle grid; true when results were made and are to be finished.
bool AnglePath(Form1& f) {
    const bool disperse = f.optDisp.value();
    if (disperse &&
        f.codes.graphCode == kGraphLee) {  // single-size rows: PlotLee averages over the distribution
        f.cboLee.setText("Normalised");
        return f.SeveralWavelengths();
    }
    if (disperse && f.calc.waveCount == 1) return f.DispCalc();
    if (f.codes.graphCode >= kGraphLee) {
        f.cboLee.setText("Normalised");
        return f.SeveralWavelengths();
    }
    if (f.calc.waveCount != 1) {
        const bool components = f.calc.waveCount <= 7;
        f.chkComponents.setValue(components ? 1 : 0);
        f.chkComponents.setVisible(components);
        return f.SeveralWavelengths();
    }
    f.DispatchMethod(f.angleGrid.windowFirst, f.angleGrid.windowLast);
    if (f.codes.runState == Form1::kRunStopped) return false;  // stopped, or the method refused
    return f.AngleGraph();
}

}  // namespace

// The run driver: set-up, path, calculation, drawing and common end of one run.
void Form1::Overplot() {
    if (!RunSetUp(*this)) return;
    const float start = Timer();
    const int stateAtStart = codes.runState;

    bool finished = false;
    if ((codes.graphCode >= kFirstSweepGraph && codes.graphCode <= kLastSweepGraph) ||
        codes.graphCode == kGraphLee + 1 || codes.graphCode > kGraphMapWavelength) {
        finished = SweepPath();
    } else {
        if (codes.graphCode == kGraphMapIndex || codes.graphCode == kGraphMapImaginary ||
            codes.graphCode == kGraphMapWavelength)
            calc.radius = Val(txtAngle.text());
        if (AngleSetUp()) finished = AnglePath(*this);
    }
    // Stop answered while the finished results were drawn came after the run's last point: nothing was
    // left to stop, and the run ends complete. A row of a Lee diagram is its last point only in the
    // last row; a Stop after an earlier row stops the diagram.
    const bool lastPoint = codes.graphCode != kGraphLee || sweepState.loopStep >= sweepState.sweepSteps;
    if (finished && lastPoint && codes.runState == kRunStopped) codes.runState = stateAtStart;
    if (finished) SettleReadoutEnds(*this);
    if (finished) ShowElapsedTime(start);
    RunCommonEnd();
}

// A step of the runs: the angle grid and the window of indices; false after a refusal.
bool Form1::AngleSetUp() {
    calc.sizeParam = calc.radius * kTwoPi / calc.wavelength * indexState.mediumRe;
    const double step = Val(cboStep.text());
    const Checked<std::int32_t> count = CLng(90 / step + 1);
    if (!(step > 0) || !count.ok() || count.value < 2 || count.value > kMaxAngleCount) {
        cboStep.setBackColor(kRed);
        msgBox(kIncorrectEntry, mb::kOkOnly, std::string("Input error"));
        codes.runState = kRunStopped;
        return false;
    }
    angleGrid.angleCount = count.value;
    const std::int32_t points = 2 * angleGrid.angleCount - 1;

    // Watts per square metre are E |S|^2 / (k^2 d^2) whatever the unit menu says: k is the wave number.
    const bool watts = codes.graphCode == kGraphAngle && codes.graphSubCode == kSubWatts;
    calc.waveNumber =
        mnuInvWavelength.checked() || watts ? MediumWaveNumber(calc.wavelength, indexState.mediumRe) : 1;
    calc.waveNumberSq = mnuAmplitude.checked() ? calc.waveNumber : calc.waveNumber * calc.waveNumber;

    const auto size = static_cast<std::size_t>(points) + 1;
    for (ComplexTable* amplitude : {&results.s1Amp, &results.s2Amp})
        for (std::vector<double>& part : *amplitude) part.assign(size, 0.0);
    for (auto* curve : {&results.intensityPerp, &results.intensityPara, &results.intensityUnpol,
                        &results.avgPerp, &results.avgPara, &results.avgUnpol})
        curve->assign(size, 0.0);
    results.muTable.assign(static_cast<std::size_t>(angleGrid.angleCount) + 1, 0.0);
    SunCorrection();

    graph.xMin = Val(txtXmin.text());
    graph.xMax = Val(txtXmax.text());
    const Checked<std::int32_t> first = CLng(graph.xMin / step + 1);
    const Checked<std::int32_t> last = CLng(graph.xMax / step + 1);
    if (!first.ok() || !last.ok()) {
        (first.ok() ? txtXmax : txtXmin).setBackColor(kRed);
        msgBox(kIncorrectEntry, mb::kOkOnly, std::string("Input error"));
        codes.runState = kRunStopped;
        return false;
    }
    angleGrid.firstPoint = first.value;
    angleGrid.lastPoint = last.value;
    const std::int64_t from = std::int64_t{angleGrid.firstPoint} - light.sunDiscSteps;
    const std::int64_t to = std::int64_t{angleGrid.lastPoint} + light.sunDiscSteps;
    angleGrid.windowFirst = static_cast<std::int32_t>(std::max<std::int64_t>(from, 1));
    angleGrid.windowLast = static_cast<std::int32_t>(std::min<std::int64_t>(to, points));
    if (codes.graphCode >= kGraphLee) LeeStoresHoldWindow();
    return true;
}

// A step of the runs: the elapsed time.
void Form1::ShowElapsedTime(float startTime) {
    VisibleData();
    const double R = graph.graphRight;
    const double B = graph.graphBottom;
    setForeColor(kButtonFace);
    boxFilled(0.95 * R, B + 400, 0.95 * R + 1000, B + 1000);
    setCurrentX(0.95 * R);
    setCurrentY(B + 500);
    setForeColor(kTimeColour);
    print(Format(TimerElapsed(startTime, Timer()), "#0.##"));
    setForeColor(kBlack);
}

// A step of the runs: the common end of every run.
void Form1::RunCommonEnd() {
    // The stop exit. A Lee diagram or map keeps its panels with the columns it finished; an Overplot
    // leaves the graph on show as it was (the command puts its run back); any other graph shows an empty
    // frame, an angle graph over the angle range the run asked for.
    if (codes.runState == kRunStopped && codes.graphCode < kGraphLee && !runFlags.overplotUnderWay) {
        cls();
        for (PictureBox* p : {&Picture1, &Picture2, &Picture3}) p->setVisible(false);
        double x0 = 0, x1 = 180, y0 = 1, y1 = 10000;
        if (codes.graphCode < kFirstSweepGraph) {
            x0 = graph.xMin;
            x1 = graph.xMax;
        }
        Grid(graph.graphLeft, graph.graphRight, graph.graphTop, graph.graphBottom, x0, x1, y0, y1);
    }
    txtProgress.setVisible(false);
    txtProgress.setText("0");
    Label16.setVisible(false);
    cmdStop.setVisible(false);
    cmdStop.setEnabled(false);
    setForeColor(kButtonFace);
    boxFilled(12000, 1900, 15000, 2000);
    setForeColor(kBlack);
    cmdOverPlot.setEnabled(false);
    cmdNewPlot.setDefault(true);
    for (Control* c : std::initializer_list<Control*>{&cboYmax, &cboYmin, &cboStep, &txtXmin, &txtXmax,
                                                      &txtRadius, &txtRmax, &txtRstep, &txtLambda,
                                                      &txtRefractReal, &txtRefractImag, &cboPol})
        c->setBackColor(kWhite);
    for (OptionButton* o : {&optLog, &optLinear, &optMono, &optDisp}) o->setBackColor(kButtonFace);
    PolarLabel();
    cboWave.setBackColor(kWhite);
    mnuSaveText.setEnabled(codes.graphCode < kGraphLee);
    VisibleData();
    if (optDisp.value()) DistDisplay();
}

}  // namespace tessary
