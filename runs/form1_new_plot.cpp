// The run commands of the main window: New plot (a fresh calculation and graph), Overplot (the same
// inputs computed again and drawn over the graph on show) and Stop (asks, and on Yes sets runState 4,
// which every calculation loop tests). New plot ends every exit, refusals included, by unlocking the
// inputs, a beep and marking the results current.
//
// The results on show and their record change only when a run starts: a New plot or Overplot refused
// by its checks, or declined, leaves both as they were. A New plot that starts replaces them, and its
// record says how it ended (complete, stopped after some points, refused); an Overplot changes nothing
// of the run on show until it finishes: refused or stopped, it puts back all it had changed.
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "graphs/graph_codes.h"
#include "mainwindow/form1.h"
#include "media/index_boxes.h"
#include "platform/text/conversions.h"
#include "platform/ui/window_colours.h"
#include "runs/box_number.h"
#include "runs/method_codes.h"
#include "runs/results_on_show.h"
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

// Watches a run from its start to its end: whether Stop was answered Yes, and the last message with an
// OK button only (a refusal's) shown meanwhile. The Stop button's handler and the message-box filter
// are put back when the run ends.
class RunWatch {
  public:
    explicit RunWatch(Form1& f)
        : m_form(f),
          m_stop(f.cmdStop.onClick),
          m_runtime(Runtime::current()),
          m_filter(m_runtime.messageBoxFilter()) {
        f.cmdStop.onClick = [this, previous = m_stop] {
            const bool before = m_form.codes.runState == Form1::kRunStopped;
            if (previous) previous();
            if (!before && m_form.codes.runState == Form1::kRunStopped) m_stopAnswered = true;
        };
        m_runtime.setMessageBoxFilter(
            [this, previous = m_filter](const MessageBoxRequest& box, const std::function<int()>& show) {
                if ((box.style & 7) == mb::kOkOnly) m_lastMessage = box.prompt;
                return previous ? previous(box, show) : show();
            });
    }
    ~RunWatch() {
        m_form.cmdStop.onClick = m_stop;
        m_runtime.setMessageBoxFilter(m_filter);
    }
    RunWatch(const RunWatch&) = delete;
    RunWatch& operator=(const RunWatch&) = delete;

    bool stopAnswered() const { return m_stopAnswered; }
    const std::string& lastMessage() const { return m_lastMessage; }

  private:
    Form1& m_form;
    std::function<void()> m_stop;
    Runtime& m_runtime;
    MessageBoxFilter m_filter;
    bool m_stopAnswered = false;
    std::string m_lastMessage;
};

// The run on show as an Overplot finds it, taken before the command changes anything: an Overplot that is
// refused or does not finish puts it all back, so that every output (saves, export, readout, title,
// simulation) stays that of the graph on show: its record, results, efficiencies, series terms and labels,
// the inputs the command derives from the boxes (radius, wavelength count, method code, size parameter), the
// hidden boxes that carry its x and y range, and the simulation it offers.
class RunOnShow {
  public:
    explicit RunOnShow(Form1& f)
        : record(f.runRecord),
          beamUse(f.beamUse),
          results(f.results),
          colourSums(f.colourSums),
          angleGrid(f.angleGrid),
          calc(f.calc),
          readout(f.readout),
          graph(f.graph),
          graphColours(f.graphColours),
          light(f.light),
          dist(f.dist),
          waveSet(f.waveSet),
          sweepState(f.sweepState),
          progress(f.runProgress),
          indexState(f.indexState),
          series(f.series),
          debyeWork(f.debyeWork),
          calcMethod(f.codes.calcMethod),
          simulationMode(f.codes.simulationMode),
          simulationOffered(f.cmdSimulation.visible()),
          title(f.caption()),
          label(f.lblDebyeRays.caption()),
          ranges{f.txtX1min.text(), f.txtX2Max.text(), f.txtY1min.text(), f.txtY2max.text(),
                 f.Label17.caption()} {}
    void restore(Form1& f) {
        f.runRecord = std::move(record);
        f.beamUse = beamUse;
        f.results = std::move(results);
        f.colourSums = std::move(colourSums);
        f.angleGrid = angleGrid;
        f.calc = calc;
        f.readout = readout;
        f.graph = graph;
        f.graphColours = graphColours;
        f.light = std::move(light);
        f.dist = std::move(dist);
        f.waveSet = waveSet;
        f.sweepState = sweepState;
        f.runProgress = progress;
        f.indexState = std::move(indexState);
        f.series = std::move(series);
        f.debyeWork = std::move(debyeWork);
        f.codes.calcMethod = calcMethod;
        f.codes.simulationMode = simulationMode;
        f.cmdSimulation.setVisible(simulationOffered);
        f.setCaption(title);
        f.lblDebyeRays.setCaption(label);
        f.txtX1min.setText(ranges[0]);
        f.txtX2Max.setText(ranges[1]);
        f.txtY1min.setText(ranges[2]);
        f.txtY2max.setText(ranges[3]);
        f.Label17.setCaption(ranges[4]);
    }

  private:
    RunRecord record;
    RunBeamUse beamUse;
    StoredResults results;
    ColourSums colourSums;
    AngleGrid angleGrid;
    CalcInputs calc;
    RunReadout readout;
    GraphFrame graph;
    GraphColours graphColours;  // the run's wavelength colour its curves and legend are drawn in
    LightState light;
    DistributionState dist;
    WaveSet waveSet;
    SweepState sweepState;
    RunProgress progress;
    IndexState indexState;
    SeriesState series;
    DebyeResult debyeWork;
    int calcMethod, simulationMode;
    bool simulationOffered;
    std::string title, label;
    std::array<std::string, 5> ranges;  // txtX1min, txtX2Max, txtY1min, txtY2max and Label17's caption
};

// The run on show as a New plot finds it, with what a New plot replaces on the window besides (the drawing, the
// Lee stores, the Lee panels' titles and the graph size it sets for them, the text export offered): a run its method or model refuses
// before it finishes a point puts it all back, so that the refusal leaves the graph on show, its record, saves
// and light source as they were. The Lee stores are kept only of a Lee diagram or map on show.
class WindowOnShow {
  public:
    explicit WindowOnShow(Form1& f)
        : m_run(f), m_drawing(f.drawing()), m_textExport(f.mnuSaveText.enabled()) {
        if (f.runRecord.graphCode >= kGraphLee) m_lee = f.leeStores;
        for (std::size_t i = 0; i < kPanels; ++i) m_panels[i] = Panels(f)[i]->visible();
        for (std::size_t i = 0; i < kSizes; ++i) m_sizes[i] = Sizes(f)[i]->checked();
    }
    void restore(Form1& f) {
        m_run.restore(f);
        if (m_lee) f.leeStores = std::move(*m_lee);
        f.restoreDrawing(m_drawing);
        f.mnuSaveText.setEnabled(m_textExport);
        for (std::size_t i = 0; i < kPanels; ++i) Panels(f)[i]->setVisible(m_panels[i]);
        for (std::size_t i = 0; i < kSizes; ++i) Sizes(f)[i]->setChecked(m_sizes[i]);
    }

  private:
    static constexpr std::size_t kPanels = 3, kSizes = 5;
    static std::array<PictureBox*, kPanels> Panels(Form1& f) {
        return {&f.Picture1, &f.Picture2, &f.Picture3};
    }
    static std::array<Menu*, kSizes> Sizes(Form1& f) {
        return {&f.mnuVLarge, &f.mnuLarge, &f.mnuMedium, &f.mnuSmall, &f.mnuSizeSpecial};
    }
    RunOnShow m_run;
    Canvas::Drawing m_drawing;
    bool m_textExport;  // the text export offered (not for a Lee diagram or map)
    std::optional<LeeColourStores> m_lee;
    std::array<bool, kPanels> m_panels{};
    std::array<bool, kSizes> m_sizes{};
};

// What a press offers and marks beside the graph on show, taken before the command changes anything: a press
// that is refused by its checks or declined puts it back, so that it changes nothing on show, not the "results
// stale" flag nor the buttons offered.
class OffersOnShow {
  public:
    explicit OffersOnShow(const Form1& f)
        : m_stale(f.runFlags.resultsStale),
          m_simulationMode(f.codes.simulationMode),
          m_qSca(f.results.qSca),
          m_shown{f.cmdReplot.visible(), f.cmdReplot.enabled(), f.cmdOverPlot.visible(),
                  f.cmdOverPlot.enabled(), f.cmdSimulation.visible()} {}
    void restore(Form1& f) const {
        f.runFlags.resultsStale = m_stale;
        f.codes.simulationMode = m_simulationMode;
        f.results.qSca = m_qSca;
        f.cmdReplot.setVisible(m_shown[0]);
        f.cmdReplot.setEnabled(m_shown[1]);
        f.cmdOverPlot.setVisible(m_shown[2]);
        f.cmdOverPlot.setEnabled(m_shown[3]);
        f.cmdSimulation.setVisible(m_shown[4]);
    }

  private:
    int m_stale, m_simulationMode;
    double m_qSca;
    std::array<bool, 5> m_shown;  // Replot shown and enabled, Overplot shown and enabled, Simulation shown
};

// The record of a run that starts: its inputs, and no point finished yet (the run counts them). The run
// names its method from the start, never the run before it; the method's calls name what they do besides
// (a beam, an option, a hand-over to another series) as they compute.
void StartRecord(Form1& f) {
    f.beamUse = {};  // the method calls say which beam they use
    f.TakeRunRecord();
    const RunCaptions captions = RunCaptionsOf(f.runRecord);
    f.lblDebyeRays.setCaption(captions.label);
    f.setCaption(captions.title);
    f.runRecord.methodLabel = captions.label;
    f.runRecord.title = captions.title;
}

// The end of a New plot that started: its record settled.
void SettleNewPlot(Form1& f, const RunWatch& watch) {
    f.SettleRunRecord(watch.stopAnswered(), watch.lastMessage());
    f.VisibleData();  // the readout of the run as its record now says it ended
}

// A sweep stopped part-way keeps its finished points: its record, file and export hold them, so they are drawn
// as Replot draws them, in place of the stop exit's empty frame.
void DrawStoppedSweep(Form1& f) {
    const RunRecord& r = f.runRecord;
    if (f.newPlotEnd != NewPlotEnd::Stopped || r.graphCode < kFirstSweepGraph ||
        r.graphCode > kLastSweepGraph || !ResultsInUseOf(r).stopped)
        return;
    f.runFlags.resultsStale = 0;  // the redraw draws only current results; New plot's end clears it too
    f.ReplotFromStores();
}

// The input checks with the x range of the boxes (as the checks read them); inputError is 1 after a
// refusal. First the index and colour of the run's wavelength: its models' unless an index was typed since
// the last change of wavelength or model (whatever was refused or hidden when they were chosen).
void CheckInputs(Form1& f) {
    ShowModelsIndex(f);
    double xLow = BoxValue(f.txtXmin.text());
    double xHigh = BoxValue(f.txtXmax.text());
    f.CheckInput(xLow, xHigh, f.graph.yAxisMin, f.graph.yAxisMax, f.runFlags.inputError);
    if (f.runFlags.inputError != 1 && f.codes.runState != Form1::kRunStopped && f.LambdaOutsideSphereWindow())
        f.runFlags.inputError = 1;
}

// New plot between its first step and its common end; a return is the command's "end". True when a
// run started (and replaced the results and their record).
bool NewPlotRun(Form1& f) {
    CheckInputs(f);
    if (f.codes.calcMethod == kMethodNone || f.codes.runState == Form1::kRunStopped) return false;
    if (f.txtLambda.backColor() == kRed) f.runFlags.inputError = 1;  // the wavelength box refused its value
    if (f.runFlags.inputError == 1) {
        f.runFlags.inputError = 0;
        return false;
    }
    f.RadiusFromBox();
    f.WaveCountFromRadius();
    f.TypeCalc();
    if (f.codes.calcMethod == kMethodNone) return false;  // TypeCalc has shown "Unknown calculation method"
    if (f.codes.calcMethod < kMethodRayleigh) f.Duration();
    if (f.runFlags.inputError == 1) return false;  // a long run declined; the flag stays until the next check

    f.results.qSca = 0;
    StartRecord(f);
    f.LockON();
    f.Array_Size();
    f.cmdExit.setDefault(false);
    f.codes.runState = Form1::kRunNewPlot;
    const RunWatch watch(f);
    if (f.codes.graphCode >= kGraphLee) {
        f.LeeSweep();
        f.newPlotEnd = f.codes.runState == Form1::kRunStopped ? NewPlotEnd::Stopped : NewPlotEnd::Computed;
        SettleNewPlot(f, watch);
        return true;
    }
    for (PictureBox* p : {&f.Picture1, &f.Picture2, &f.Picture3}) p->setVisible(false);
    f.sweepState.loopI = 1;
    f.Overplot();
    f.newPlotEnd = f.codes.runState == Form1::kRunStopped ? NewPlotEnd::Stopped : NewPlotEnd::Computed;
    SettleNewPlot(f, watch);
    DrawStoppedSweep(f);
    f.cmdOverPlot.setVisible(OverplotOffered(f));  // overplotting follows single-wavelength runs only
    if (f.codes.graphCode < kFirstSweepGraph) f.codes.runState = Form1::kRunNewPlot;
    return true;
}

}  // namespace

// A step of the runs: radius from txtRadius by the checked radius, diameter or size-parameter menu.
// Overplot takes it before the input checks (for the counts of "High", "Med." and "Low"): the boxes
// are read as the checks will read them.
void Form1::RadiusFromBox() {
    if (mnuRadius.checked() || mnuDiameter.checked() || mnuRadiusX.checked())
        calc.radius =
            RadiusOfSizeBox(txtRadius.text(), mnuDiameter.checked(), mnuRadiusX.checked(), txtLambda.text());
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
    const OffersOnShow offers(*this);  // before anything changes
    // A batch reports a refused run as such and goes on: only a window run puts back the run on show.
    std::optional<WindowOnShow> onShow;
    if (!fileState.batchRunning) onShow.emplace(*this);
    runFlags.resultsStale = 1;
    mnuOverplot.setChecked(false);
    // A stop or failure of an earlier run, and results flagged as read from a file (say by a
    // cancelled Open), must not block this run; only the loader's own hand-over keeps the flag.
    if (codes.runState == kRunStopped) codes.runState = kRunNewPlot;
    if (!runFlags.dataFileLoading) runFlags.resultsFromFile = 0;

    // A refused or declined run leaves the run on show as it was: its simulation, the buttons offered beside
    // it and the mark of inputs changed since it was computed.
    const CalcInputs calcBefore = calc;
    codes.simulationMode = 0;
    cmdSimulation.setVisible(false);
    const bool ran = NewPlotRun(*this);
    // Refused by its method or model (with their message) before it finished a point.
    if (ran && runRecord.state == ResultsState::Refused && !runRecord.endMessage.empty() && onShow)
        onShow->restore(*this);
    LockOFF();
    beep();
    if (ran) {
        runFlags.resultsStale = 0;
        cmdReplot.setVisible(false);
    } else {
        calc = calcBefore;
        offers.restore(*this);
    }
    SimulationFollowsRunOnShow();
}

// Overplot draws over the angle or x-variable graph on show that the graph list names, and is offered over
// those alone (OverplotOffered): a Lee diagram or map (whose colour stores it would write row by row) has no
// curve to draw over, and another graph than the list's would be drawn on axes that are not its own.
void Form1::cmdOverPlot_Click() {
    if (runFlags.runUnderWay || !OverplotOffered(*this)) {
        beep();
        return;
    }
    const RunUnderWay running(runFlags.runUnderWay);
    RunOnShow onShow(*this);  // before anything changes
    const OffersOnShow offers(*this);
    const Canvas::Drawing shown = drawing();
    codes.runState = kRunOverplot;
    codes.simulationMode = 0;
    if (runFlags.inputError == 1) runFlags.inputError = 0;
    RadiusFromBox();
    WaveCountFromRadius();
    TypeCalc();
    CheckInputs(*this);  // a refused input is refused before any question of the run's length
    if (runFlags.inputError != 1 && codes.calcMethod < kMethodRayleigh) Duration();
    const bool started = runFlags.inputError != 1 && codes.calcMethod != kMethodNone;
    bool finished = false;
    if (started) {
        results.qSca = 0;  // a method that computes no efficiency leaves none
        StartRecord(*this);
        LockON();
        bool stopAnswered = false;
        std::string lastMessage;
        {
            const RunUnderWay overplotting(runFlags.overplotUnderWay);
            const RunWatch watch(*this);
            Overplot();
            stopAnswered = watch.stopAnswered();
            lastMessage = watch.lastMessage();
        }
        finished = codes.runState != kRunStopped;
        if (finished)
            SettleRunRecord(stopAnswered, lastMessage);
        else
            onShow.restore(*this);
        VisibleData();
        setForeColor(kBlack);
        LockOFF();
        PolarLabel();
    } else {
        onShow.restore(*this);
    }
    // Stopped or refused, it leaves the graph on show as it was: none of its legend, captions, curves, frame or
    // distribution picture stays drawn.
    if (!finished) restoreDrawing(shown);
    codes.runState = kRunNewPlot;
    LockOFF();
    if (started)
        runFlags.resultsStale = 0;
    else
        offers.restore(*this);  // refused by its checks or declined
    SimulationFollowsRunOnShow();
}

// Stop only asks its question and, on Yes, sets runState to 4.
void Form1::cmdStop_Click() {
    const int answer =
        msgBox("Do you want to stop the calculation?", mb::kYesNo, std::string("Calculation in progress!"));
    if (answer == mb::kYes) codes.runState = kRunStopped;
}

}  // namespace tessary
