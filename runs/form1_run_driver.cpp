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

namespace tessary {

namespace {

constexpr OleColor kTimeColour = 0x0000FF;  // red
constexpr const char* kIncorrectEntry = "    The red highlighted data entry is incorrect.    ";

bool Automatic(const ComboBox& list) { return list.text() == "Automatic"; }

// The set-up of every run up to the start time; false when the run stops here (results from a file).
bool RunSetUp(Form1& f) {
    f.readout = {};
    if (f.graphCode < kGraphLee) f.Array_Size();
    if (f.mediumRe == 0) f.mediumRe = 1.0;
    f.absorbingFlag = 0;
    f.prevGraphCode = f.graphCode;
    f.prevGraphSubCode = f.graphSubCode;
    if (f.optDisp.value()) {  // erase the distribution's small graph
        f.setForeColor(kButtonFace);
        f.boxFilled(12000, 0, 15600, 2700);
    }
    if (f.resultsFromFile == 1) {
        f.cmdReplot.setEnabled(false);
        f.cmdReplot.setVisible(false);
        return false;
    }
    if (f.runState == Form1::kRunOverplot || f.mnuOverplot.checked()) {
        f.runState = Form1::kRunOverplot;  // the axis limits of the graph on show stay
    } else {
        f.xMin = Val(f.txtXmin.text());
        f.xMax = Val(f.txtXmax.text());
        if (!Automatic(f.cboYmin)) f.yAxisMin = Val(f.cboYmin.text());
        if (!Automatic(f.cboYmax)) f.yAxisMax = Val(f.cboYmax.text());
    }
    if (f.calcMethod < kMethodRayleigh || f.calcMethod > kMethodYoungMod) {  // an empty progress bar
        f.setForeColor(kWhite);
        f.boxFilled(12000, 1900, 15000, 2000);
        f.setForeColor(kBlack);
        f.progressShown = 0;
        f.progressPercent = 0;
    }
    f.Label14.setCaption("1");
    f.Label15.setCaption("1");
    f.yScaleMin = Val(f.txtY1min.text());
    f.yScaleMax = Val(f.txtY2max.text());
    f.txtX1min.setText(CStr(f.xMin));
    f.txtX2Max.setText(CStr(f.xMax));
    f.setForeColor(kBlack);

    f.waveCount = Form1::WaveCountOf(f.cboWave.text());  // the words RGB, High, Med. and Low, or the number

    if (f.Frame6.visible() && f.screenWidthPx < 1400) f.cmdInfo_Click();
    const bool showProgress = f.calcMethod != kMethodRayleigh && f.calcMethod != kMethodDiffraction;
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
    if (f.graphCode < kGraphLee) f.RadiusFromBox();
    // One wavelength: m as the boxes show it.
    f.calcIndexRe = Val(f.txtRefractReal.text());
    f.calcIndexIm = Val(f.txtRefractImag.text());
    f.wavelength = Val(f.txtLambda.text());
    return true;
}

// The calculation path after the angle grid; true when results were made and are to be finished.
bool AnglePath(Form1& f) {
    const bool disperse = f.optDisp.value();
    if (disperse && f.graphCode == kGraphLee) {  // single-size rows: PlotLee averages over the distribution
        f.cboLee.setText("Normalised");
        return f.SeveralWavelengths();
    }
    if (disperse && f.waveCount == 1) return f.DispCalc();
    if (f.graphCode >= kGraphLee) {
        f.cboLee.setText("Normalised");
        return f.SeveralWavelengths();
    }
    if (f.waveCount != 1) {
        const bool components = f.waveCount <= 7;
        f.chkComponents.setValue(components ? 1 : 0);
        f.chkComponents.setVisible(components);
        return f.SeveralWavelengths();
    }
    f.DispatchMethod(f.windowFirst, f.windowLast);
    if (f.runState == Form1::kRunStopped) return false;  // stopped, or the method refused
    return f.AngleGraph();
}

}  // namespace

void Form1::RefuseRun(const std::string& what) {
    msgBox(NotAvailableMessage(what), mb::kOkOnly, std::string("Error"));
    runState = kRunStopped;
}

void Form1::Overplot() {
    if (!RunSetUp(*this)) return;
    const float start = Timer();

    bool finished = false;
    if ((graphCode >= kFirstSweepGraph && graphCode <= kLastSweepGraph) || graphCode == kGraphLee + 1 || graphCode > kGraphMapWavelength) {
        finished = SweepPath();
    } else {
        if (graphCode == kGraphMapIndex || graphCode == kGraphMapImaginary || graphCode == kGraphMapWavelength) radius = Val(txtAngle.text());
        if (AngleSetUp()) finished = AnglePath(*this);
    }
    if (finished) ShowElapsedTime(start);
    RunCommonEnd();
}

bool Form1::AngleSetUp() {
    sizeParam = radius * kTwoPi / wavelength * mediumRe;
    const double step = Val(cboStep.text());
    const Checked<std::int32_t> count = CLng(90 / step + 1);
    if (!(step > 0) || !count.ok() || count.value < 2 || count.value > kMaxAngleCount) {
        cboStep.setBackColor(kRed);
        msgBox(kIncorrectEntry, mb::kOkOnly, std::string("Input error"));
        runState = kRunStopped;
        return false;
    }
    angleCount = count.value;
    const std::int32_t points = 2 * angleCount - 1;

    waveNumber = mnuInvWavelength.checked() ? kTwoPi / (wavelength * 1E-06) : 1;
    waveNumberSq = mnuAmplitude.checked() ? waveNumber : waveNumber * waveNumber;

    const auto size = static_cast<std::size_t>(points) + 1;
    for (ComplexTable* amplitude : {&s1Amp, &s2Amp})
        for (std::vector<double>& part : *amplitude) part.assign(size, 0.0);
    for (auto* curve : {&intensityPerp, &intensityPara, &intensityUnpol, &avgPerp, &avgPara, &avgUnpol})
        curve->assign(size, 0.0);
    muTable.assign(static_cast<std::size_t>(angleCount) + 1, 0.0);
    SunCorrection();

    xMin = Val(txtXmin.text());
    xMax = Val(txtXmax.text());
    const Checked<std::int32_t> first = CLng(xMin / step + 1);
    const Checked<std::int32_t> last = CLng(xMax / step + 1);
    if (!first.ok() || !last.ok()) {
        (first.ok() ? txtXmax : txtXmin).setBackColor(kRed);
        msgBox(kIncorrectEntry, mb::kOkOnly, std::string("Input error"));
        runState = kRunStopped;
        return false;
    }
    firstPoint = first.value;
    lastPoint = last.value;
    const std::int64_t from = std::int64_t{firstPoint} - sunDiscSteps;
    const std::int64_t to = std::int64_t{lastPoint} + sunDiscSteps;
    windowFirst = static_cast<std::int32_t>(std::max<std::int64_t>(from, 1));
    windowLast = static_cast<std::int32_t>(std::min<std::int64_t>(to, points));
    if (graphCode >= kGraphLee) LeeStoresHoldWindow();
    return true;
}

void Form1::ShowElapsedTime(float startTime) {
    VisibleData();
    const double R = graphRight;
    const double B = graphBottom;
    setForeColor(kButtonFace);
    boxFilled(0.95 * R, B + 400, 0.95 * R + 1000, B + 1000);
    setCurrentX(0.95 * R);
    setCurrentY(B + 500);
    setForeColor(kTimeColour);
    print(Format(TimerElapsed(startTime, Timer()), "#0.##"));
    setForeColor(kBlack);
}

void Form1::RunCommonEnd() {
    // The stop exit. A Lee diagram or map keeps its panels with the columns it finished; any other
    // graph shows an empty frame, an angle graph over the angle range the run asked for.
    if (runState == kRunStopped && graphCode < kGraphLee) {
        cls();
        for (PictureBox* p : {&Picture1, &Picture2, &Picture3}) p->setVisible(false);
        double x0 = 0, x1 = 180, y0 = 1, y1 = 10000;
        if (graphCode < kFirstSweepGraph) {
            x0 = xMin;
            x1 = xMax;
        }
        Grid(graphLeft, graphRight, graphTop, graphBottom, x0, x1, y0, y1);
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
    mnuSaveText.setEnabled(graphCode < kGraphLee);
    VisibleData();
    if (optDisp.value()) DistDisplay();
}

}  // namespace tessary
