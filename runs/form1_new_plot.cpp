// The run commands of the main window: New plot (a fresh calculation and graph), Overplot (the same
// inputs computed again and drawn over the graph on show) and Stop (asks, and on Yes sets runState 4,
// which every calculation loop tests). New plot ends every exit, refusals included, by unlocking the
// inputs, a beep and marking the results current.
#include <optional>
#include <string>

#include "graphs/graph_codes.h"
#include "mainwindow/form1.h"
#include "numerics/constants.h"
#include "platform/text/conversions.h"
#include "platform/ui/window_colours.h"
#include "runs/box_number.h"
#include "runs/method_codes.h"
#include "runs/run_rules.h"

namespace tessary {

namespace {

// Marks a run under way for the life of a run command.
class RunUnderWay {
  public:
    explicit RunUnderWay(bool& flag) : m_flag(flag) { m_flag = true; }
    ~RunUnderWay() { m_flag = false; }
    RunUnderWay(const RunUnderWay&) = delete;
    RunUnderWay& operator=(const RunUnderWay&) = delete;

  private:
    bool& m_flag;
};

// The input checks with the x range of the boxes (as the checks read them); inputError is 1 after a
// refusal.
void CheckInputs(Form1& f) {
    double xLow = BoxValue(f.txtXmin.text());
    double xHigh = BoxValue(f.txtXmax.text());
    f.CheckInput(xLow, xHigh, f.graph.yAxisMin, f.graph.yAxisMax, f.runFlags.inputError);
    if (f.runFlags.inputError != 1 && f.codes.runState != Form1::kRunStopped && f.LambdaOutsideSphereWindow())
        f.runFlags.inputError = 1;
}

// New plot between its first step and its common end; a return is the command's "end".
void NewPlotRun(Form1& f) {
    CheckInputs(f);
    if (f.codes.calcMethod == kMethodNone || f.codes.runState == Form1::kRunStopped) return;
    if (f.txtLambda.backColor() == kRed) f.runFlags.inputError = 1;  // the wavelength box refused its value
    if (f.runFlags.inputError == 1) {
        f.runFlags.inputError = 0;
        return;
    }
    f.RadiusFromBox();
    f.WaveCountFromRadius();
    f.TypeCalc();
    if (f.codes.calcMethod == kMethodNone) return;  // TypeCalc has shown "Unknown calculation method"
    if (f.codes.calcMethod < kMethodRayleigh) f.Duration();
    if (f.runFlags.inputError == 1) return;  // a long run declined; the flag stays until the next check

    f.TakeRunRecord();
    f.LockON();
    f.Array_Size();
    f.cmdExit.setDefault(false);
    f.codes.runState = Form1::kRunNewPlot;
    if (f.codes.graphCode >= kGraphLee) {
        f.LeeSweep();
        f.newPlotEnd = f.codes.runState == Form1::kRunStopped ? NewPlotEnd::Stopped : NewPlotEnd::Computed;
        return;
    }
    for (PictureBox* p : {&f.Picture1, &f.Picture2, &f.Picture3}) p->setVisible(false);
    f.sweepState.loopI = 1;
    f.Overplot();
    f.newPlotEnd = f.codes.runState == Form1::kRunStopped ? NewPlotEnd::Stopped : NewPlotEnd::Computed;
    f.cmdOverPlot.setVisible(f.calc.waveCount == 1);  // overplotting follows single-wavelength runs only
    if (f.codes.graphCode < kFirstSweepGraph) f.codes.runState = Form1::kRunNewPlot;
}

}  // namespace

// A step of the runs: radius from txtRadius by the checked radius, diameter or size-parameter menu.
// Overplot takes it before the input checks (for the counts of "High", "Med." and "Low"): the boxes
// are read as the checks will read them.
void Form1::RadiusFromBox() {
    const double value = BoxValue(txtRadius.text());
    if (mnuRadius.checked()) calc.radius = value;
    if (mnuDiameter.checked()) calc.radius = value / 2;
    if (mnuRadiusX.checked()) calc.radius = value * BoxValue(txtLambda.text()) / kTwoPi;  // the box holds x
}

// A step of the runs: waveCount for "High", "Med." and "Low" from the radius.
void Form1::WaveCountFromRadius() {
    if (const std::optional<int> count = WaveCountForRadius(cboWave.text(), calc.radius))
        calc.waveCount = *count;
}

// New plot and Overplot refuse (with a beep) while a run is under way.
void Form1::cmdNewPlot_Click() {
    if (runFlags.runUnderWay) {  // a run is on the stack already
        beep();
        return;
    }
    const RunUnderWay running(runFlags.runUnderWay);
    newPlotEnd = NewPlotEnd::Refused;
    results.qSca = 0;
    runFlags.resultsStale = 1;
    codes.simulationMode = 0;
    cmdSimulation.setVisible(false);
    mnuOverplot.setChecked(false);
    // A stop or failure of an earlier run, and results flagged as read from a file (say by a
    // cancelled Open), must not block this run; only the loader's own hand-over keeps the flag.
    if (codes.runState == kRunStopped) codes.runState = kRunNewPlot;
    if (!runFlags.dataFileLoading) runFlags.resultsFromFile = 0;

    NewPlotRun(*this);
    FinishRunRecord();

    LockOFF();
    beep();
    runFlags.resultsStale = 0;
    cmdReplot.setVisible(false);
}

void Form1::cmdOverPlot_Click() {
    if (runFlags.runUnderWay) {
        beep();
        return;
    }
    const RunUnderWay running(runFlags.runUnderWay);
    codes.runState = kRunOverplot;
    codes.simulationMode = 0;
    if (runFlags.inputError == 1) runFlags.inputError = 0;
    RadiusFromBox();
    WaveCountFromRadius();
    TypeCalc();
    CheckInputs(*this);  // a refused input is refused before any question of the run's length
    if (runFlags.inputError != 1 && codes.calcMethod < kMethodRayleigh) Duration();
    if (runFlags.inputError != 1 && codes.calcMethod != kMethodNone) {
        TakeRunRecord();
        LockON();
        Overplot();
        FinishRunRecord();
        setForeColor(kBlack);
        LockOFF();
        PolarLabel();
        if (calc.waveCount == 1) cmdOverPlot.setVisible(true);
    }
    codes.runState = kRunNewPlot;
    runFlags.resultsStale = 0;
    LockOFF();
}

// Stop only asks its question and, on Yes, sets runState to 4.
void Form1::cmdStop_Click() {
    const int answer =
        msgBox("Do you want to stop the calculation?", mb::kYesNo, std::string("Calculation in progress!"));
    if (answer == mb::kYes) codes.runState = kRunStopped;
}

}  // namespace tessary
