// What shows results reads the run on show through its record and state: the readout and the simulation
// show only a finished run, and an Overplot changes nothing of the run on show until it finishes.
#include <QImage>
#include <algorithm>
#include <chrono>
#include <functional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "file_bytes.h"
#include "rel_error.h"
#include "tests/mainwindow/form1_test_support.h"

namespace tessary {
namespace {

using Act = std::function<void(Form1&)>;
using When = std::function<bool(Form1&)>;
bool AtOnce(Form1&) { return true; }                                 // the series' first pump
bool SecondWavelength(Form1& f) { return f.sweepState.loopI >= 2; }  // the driver's pump before it

class RunOnShowTest : public test::Form1Test {
  protected:
    // Presses the button with Stop pressed, and answered Yes, at the first event pump where `when` holds.
    void pressStopped(Form1& f, CommandButton& button, const When& when) {
        runtime.setPumpHook([&f, when] {
            if (f.codes.runState != Form1::kRunStopped && f.cmdStop.visible() && when(f)) f.cmdStop.click();
        });
        test::Press(button);
        runtime.setPumpHook({});
    }
    std::string saved(Menu& command, const char* extension) {  // the bytes a save writes
        fileDialogs.answer(folder.at("run"));
        test::Choose(command);
        return test::ReadAll(folder.at("run") + extension);
    }
    test::TestFolder folder{"tessary_run_on_show_"};
};

// The readout's texts drawn since the log was cleared, after its last clearing; with `again`, those that
// unticking and ticking Plot > Visible data draws now.
std::vector<std::string> Readout(Form1& f, bool again = true) {
    if (again) f.clearDrawLog(), test::Choose(f.mnuDataVisible), test::Choose(f.mnuDataVisible);
    std::vector<std::string> shown;
    for (const DrawOp& op : f.drawLog()) {
        if (op.kind == DrawOp::Kind::FilledBox && op.x1 == 12000 && op.y1 == 500) shown.clear();
        if (op.kind == DrawOp::Kind::Text &&
            ((op.x1 == 12000 && op.y1 <= 1600) || (op.y1 == f.graph.graphBottom + 500 && op.x1 < 13000)))
            shown.push_back(op.text);
    }
    return shown;
}

// A run stopped before it finished a point shows no readout, at its end and on a redraw: no partial sums
// of the series, of the rays, or of the wavelengths computed before the stop.
TEST_F(RunOnShowTest, ReadoutShowsNothingOfARunThatFinishedNoPoint) {
    const std::tuple<const char*, const char*, When> stopped[] = {
        {"Mie", "1", AtOnce}, {"Descartes", "1", AtOnce}, {"Mie", "RGB", SecondWavelength}};
    for (const auto& [method, waves, when] : stopped) {
        Form1& f = started();
        f.setRecording(true);
        test::Choose(f.mnuDataVisible), test::Choose(f.cboType, method), test::Type(f.cboWave, waves);
        f.clearDrawLog();
        pressStopped(f, f.cmdNewPlot, when);
        ASSERT_EQ(f.runRecord.state, ResultsState::Stopped) << method << waves;
        EXPECT_TRUE(Readout(f, false).empty()) << method << waves;
        test::Choose(f.cboPol, "Perpendicular");  // a redraw
        EXPECT_TRUE(Readout(f).empty()) << method << waves;
    }
}

// A size distribution shows no readout of one sphere: choosing one size after it (without a run) shows none of
// the values its series left for the last sample.
TEST_F(RunOnShowTest, ADistributionShowsNoReadoutOfASample) {
    Form1& f = started();
    f.setRecording(true);
    test::Choose(f.mnuDataVisible), test::Type(f.cboStep, "1"), f.optDisp.setValue(true);
    test::Press(f.cmdNewPlot);
    f.optMono.setValue(true);
    EXPECT_TRUE(Readout(f).empty());
}

// The readout is of the graph on show, whatever graph the list names since (not run): Visible data ticked
// shows it, unticked takes it away (with the Lee diagram chosen it stayed; with a sweep it did not show).
TEST_F(RunOnShowTest, ReadoutFollowsTheGraphOnShowNotTheList) {
    for (const char* chosen : {"Lee diagram", "Intensity v. radius"}) {
        Form1& f = started();
        f.setRecording(true);
        test::Choose(f.mnuDataVisible), test::Press(f.cmdNewPlot);
        const std::vector<std::string> readout = Readout(f);
        test::Choose(f.cboGraph, chosen);
        EXPECT_EQ(Readout(f), readout) << chosen;
        f.clearDrawLog(), test::Choose(f.mnuDataVisible);  // unticked: its box is cleared
        EXPECT_TRUE(std::any_of(f.drawLog().begin(), f.drawLog().end(), [](const DrawOp& op) {
            return op.kind == DrawOp::Kind::FilledBox && op.x1 == 12000 && op.y1 == 500;
        })) << chosen;
    }
}

// A run redrawn as another graph (the list's phase function or W/m2, not run; a narrower x window, also under
// Sun or of a sweep; phases or polarisation below, also under a typed maximum) saves the run's file, whose y
// scale is that of its stored curves over its range: read back on a fresh window, it is drawn on the run's axis
// (the scale drawn left the forward peak above it, or the deepest minimum below). An ordinary redraw, too.
TEST_F(RunOnShowTest, IntensityRunDrawnAsAnotherGraphSavesItsOwnScale) {
    const auto narrower = [](TextBox Form1::*box, const char* x) {
        return [box, x](Form1& f) { test::Type(f.*box, x), test::Press(f.cmdReplot); };
    };
    const auto pick = [](Menu Form1::*item) { return [item](Form1& f) { test::Choose(f.*item); }; };
    const auto graph = [](const char* g) { return [g](Form1& f) { test::Choose(f.cboGraph, g); }; };
    const std::pair<Act, Act> rows[] = {
        {{}, graph("Phase function")},
        {{}, graph("Watts/sq. m. v. scattering angle")},
        {{}, narrower(&Form1::txtXmin, "100")},
        {{}, pick(&Form1::mnuAmpPhase)},
        {{}, pick(&Form1::mnuIntPol)},
        {[](Form1& f) { test::Type(f.cboStep, "0.2"), f.optSun.setValue(true); },
         narrower(&Form1::txtXmin, "100")},
        {[](Form1& f) { test::Type(f.cboYmax, "100000000"); }, pick(&Form1::mnuAmpPhase)},
        {graph("Intensity v. radius"), narrower(&Form1::txtXmax, "8.81")},
        {{}, [](Form1& f) { test::Choose(f.cboPol, "Perpendicular"); }}};
    for (std::size_t row = 0; row < std::size(rows); ++row) {
        Form1& f = started();
        test::Type(f.cboStep, "1");
        if (rows[row].first) rows[row].first(f);
        test::Press(f.cmdNewPlot);
        const std::pair<double, double> axis{f.graph.yAxisMin, f.graph.yAxisMax};
        const std::string file = saved(f.mnuSave, ".tsy");
        rows[row].second(f);
        EXPECT_TRUE(saved(f.mnuSave, ".tsy") == file) << "row " << row;
        Form1& reader = started();
        fileDialogs.answer(folder.at("run") + ".tsy"), test::Choose(reader.mnuRead);
        EXPECT_EQ(std::make_pair(reader.graph.yAxisMin, reader.graph.yAxisMax), axis) << "row " << row;
    }
}

// An Overplot stopped at once leaves every output as it was: the readout, title and stored Qext (which no
// reader writes), the data file and the export with the Debye series' terms.
TEST_F(RunOnShowTest, StoppedOverplotLeavesEveryOutput) {
    for (const char* method : {"Debye", "Mie"}) {
        Form1& f = started();
        f.fileState.exportClock = [] {
            return LocalDateTime{2026, 12, 7, 10, 11, 12, 0};
        };  // one export time
        f.setRecording(true);
        test::Choose(f.mnuDataVisible), test::Choose(f.cboType, method), test::Type(f.cboStep, "1");
        test::Type(f.cboRays, "2"), test::Choose(f.mnuS1S2);
        test::Press(f.cmdNewPlot);
        const std::vector<std::string> readout = Readout(f);
        const std::string shown = f.caption() + CStr(f.results.qExt) + saved(f.mnuSave, ".tsy");
        const std::string text = saved(f.mnuSaveText, ".txt");
        ASSERT_EQ(readout.empty() ? "" : readout.back(), "X = 96.664389");
        ASSERT_EQ(text.find("\r\nx = ") != std::string::npos, f.cboType.text() == "Debye");  // the terms
        test::Type(f.txtRadius, "1000");
        pressStopped(f, f.cmdOverPlot, AtOnce);
        ASSERT_EQ(messages.last().prompt, "Do you want to stop the calculation?");
        EXPECT_EQ(Readout(f), readout) << method;
        EXPECT_TRUE(f.caption() + CStr(f.results.qExt) + saved(f.mnuSave, ".tsy") == shown) << method;
        EXPECT_TRUE(saved(f.mnuSaveText, ".txt") == text) << method;
    }
}

// Overplot draws over angle and x-variable graphs alone: over a Lee diagram or map it is not offered, and
// the command (clicked all the same) computes nothing and leaves the diagram, its record and file.
TEST_F(RunOnShowTest, NoOverplotOverALeeDiagramOrMap) {
    for (const char* graph : {"Lee diagram", "Map: angle v. radius", "Map: angle v. refractive index"}) {
        Form1& f = started();
        test::Choose(f.cboGraph, graph), test::Type(f.cboWave, "1");
        test::Press(f.cmdNewPlot);
        const std::string file = saved(f.mnuSave, ".tsy");
        const QImage shown = f.image();
        EXPECT_FALSE(f.cmdOverPlot.visible()) << graph;
        test::Type(f.txtRadius, "20"), f.cmdOverPlot.click();
        EXPECT_TRUE(saved(f.mnuSave, ".tsy") == file && f.image() == shown) << graph;
    }
}

// The simulation paints only the run on show, as its record computed it, or says why it paints nothing.
// From an RGB run (radius 50, 130 - 150 degrees) sent to the simulation window and painted, each act; when
// another run comes on show, the window puts back its picture and says why, and what Show simulation does.
// Then Show simulation (Window > Simulation when the window was closed) paints what the run on show sent
// afresh paints (the same as before when the run on show is the same), or refuses.
TEST_F(RunOnShowTest, SimulationPaintsOnlyTheRunOnShow) {
    const std::string graph =
                          "The simulation paints the colours of one sphere size against the scattering "
                          "angle, which the graph on show (",
                      then = " Run New plot, then Simulation.";
    const Act radius100 = [](Form1& f) { test::Type(f.txtRadius, "100"); };
    const Act readBack = [this](Form1& f) {  // the run saved and read back: a run of its own on show
        saved(f.mnuSave, ".tsy"), fileDialogs.answer(folder.at("run.tsy")), test::Choose(f.mnuRead);
    };
    const std::tuple<Act, When, bool, std::string> cases[] = {
        // act, Stop at, window closed, refusal
        {radius100, SecondWavelength, true,
         "The last run was stopped before it finished a point, so no results are stored." + then},
        {radius100, nullptr, false, ""},
        {[](Form1& f) { test::Choose(f.cboGraph, "Intensity v. radius"); }, nullptr, false,
         graph + "Intensity v. radius) does not hold." + then},
        {[](Form1& f) { test::Choose(f.cboGraph, "Lee diagram"); }, nullptr, true,
         graph + "Lee diagram) does not hold." + then},
        {[](Form1& f) { test::Type(f.txtRadius, "60"), f.optSun.setValue(true); }, nullptr, false, ""},
        {readBack, nullptr, false, ""},
        {[](Form1& f) { test::Type(f.cboWave, "1"), f.optDisp.setValue(true); }, nullptr, false,
         "The run on show averages a size distribution at one wavelength, which forms no colours to paint. Choose "
         "Monodisperse or several wavelengths, run New plot, then Simulation."}};
    for (const auto& [act, when, closed, refusal] : cases) {
        Form1& f = started();
        test::Type(f.cboWave, "RGB"), test::Type(f.txtRadius, "50");
        test::Type(f.txtXmin, "130"), test::Type(f.txtXmax, "150");
        test::Press(f.cmdNewPlot), test::Press(f.cmdSimulation);
        Form2& s = *f.Form2_;
        test::Choose(s.cboScale, "14");  // the lens that shows the whole bow
        test::Press(s.cmdSimPlot);
        const QImage run = s.Picture1.image().copy();
        if (closed) s.hide();
        act(f);
        const bool sameRun = f.optSun.value();  // Sun ticked with the results waiting for New plot: not drawn
        sameRun                ? test::Press(f.cmdSimulation)
        : f.runRecord.fromFile ? void()
        : when                 ? pressStopped(f, f.cmdNewPlot, when)
                               : test::Press(f.cmdNewPlot);
        const QImage photo = s.loadedPicture.image();
        EXPECT_TRUE(s.Picture1.image() == (sameRun ? run : photo));
        const std::string note = refusal.empty() ? "Show simulation paints the run on show." : refusal;
        EXPECT_EQ(s.lblPaintedRun.caption(), sameRun ? "" : "The painting was of another run. " + note);
        messages.clear();
        closed ? test::Choose(f.mnuWindowSimulation) : test::Press(s.cmdSimPlot);
        EXPECT_EQ(messages.shown().empty() ? "" : messages.last().prompt, refusal);
        const QImage painted = s.Picture1.image().copy();
        const bool same = sameRun || f.runRecord.fromFile;  // the run read back paints as it did
        EXPECT_TRUE(refusal.empty() ? (painted == run) == same : closed ? !s.visible() : painted == photo);
        if (!refusal.empty()) continue;
        EXPECT_EQ(s.lblPaintedRun.caption(), "");
        test::Press(f.cmdSimulation), test::Press(s.cmdSimPlot);
        EXPECT_TRUE(s.Picture1.image() == painted);
    }
}

bool PartWay(Form1& f) { return f.sweepState.loopI >= 25; }  // of the 29 wavelengths of radius 101 at Med.

// A stopped or refused Overplot leaves the run its efficiency and colour: its phase function draws as before.
TEST_F(RunOnShowTest, StoppedOrRefusedOverplotKeepsTheEfficiency) {
    const Act overplots[] = {
        [](Form1&) {},
        [](Form1& f) {
            f.optDisp.setValue(true), test::Type(f.txtRadius, "1E+30"), test::Press(f.cmdOverPlot);
        },
        [this](Form1& f) { test::Type(f.txtRadius, "101"), pressStopped(f, f.cmdOverPlot, AtOnce); },
        [this](Form1& f) { test::Type(f.txtLambda, "0.45"), pressStopped(f, f.cmdOverPlot, AtOnce); }};
    double norm = 0;  // the first row's, without an Overplot, and the colours of the lines it is drawn with
    std::set<OleColor> colours;
    for (const Act& overplot : overplots) {
        Form1& f = started();
        test::Type(f.txtRadius, "100"), test::Press(f.cmdNewPlot), overplot(f);
        f.setRecording(true), messages.clear(), test::Choose(f.cboGraph, "Phase function");
        EXPECT_TRUE(messages.shown().empty()) << messages.last().prompt;
        std::set<OleColor> drawn;
        for (const DrawOp& op : f.drawLog())
            if (op.kind == DrawOp::Kind::Line && op.x1 < 12000) drawn.insert(op.colour);  // not the data box
        if (norm == 0) norm = f.results.scatNorm, colours = drawn;
        EXPECT_TRUE(f.results.scatNorm == norm && drawn == colours);
    }
}

// Replot and Overplot are offered only where they draw; a stopped or refused Overplot leaves the graph be.
TEST_F(RunOnShowTest, ReplotAndOverplotOfferedOnlyWhereTheyDrawAndLeaveNoTraceStopped) {
    runtime.setPumpInterval(std::chrono::milliseconds(0));
    const Act none = [](Form1&) {};
    const auto run = [this](const Act& set, const When& stop, const Act& act) -> Form1& {
        Form1& f = started();
        set(f), stop ? pressStopped(f, f.cmdNewPlot, stop) : test::Press(f.cmdNewPlot), act(f);
        return f;
    };
    const Act radius = [](Form1& f) { test::Choose(f.cboGraph, "Intensity v. radius"); };
    const std::tuple<Act, When, Act, bool, bool> kinds[] = {
        // set-up, Stop at, act after the run, Replot offered (and draws), Overplot offered
        {none, nullptr, none, true, true},
        {none, nullptr, [](Form1& f) { test::Type(f.cboWave, "3"); }, false, false},
        {[](Form1& f) { test::Type(f.cboWave, "30"), test::Type(f.txtRadius, "1E+30"); }, nullptr, none,
         false, false},  // refused inside: the start-up run stays on show
        {[](Form1& f) { test::Type(f.txtRadius, "1000"); }, AtOnce, none, false, false},
        {[](Form1& f) { test::Type(f.cboWave, "RGB"); }, nullptr, none, true, false},
        {radius, nullptr, none, true, true},
        {radius, [](Form1& f) { return f.runRecord.doneLast >= 3; }, none, true, true},
        {[](Form1& f) { test::Choose(f.cboGraph, "Lee diagram"); }, nullptr, none, true, false}};
    for (std::size_t row = 0; row < std::size(kinds); ++row) {
        const auto& [set, stop, act, replot, overplot] = kinds[row];
        Form1& f = run(set, stop, act);
        test::Choose(f.mnuSaturated);
        EXPECT_TRUE(f.cmdReplot.visible() == replot && f.cmdOverPlot.visible() == overplot) << "row " << row;
        f.setRecording(true), f.cmdReplot.click();
        EXPECT_TRUE(f.drawLog().empty() != replot && f.cmdOverPlot.visible() == overplot) << "row " << row;
        EXPECT_FALSE(f.cmdReplot.visible()) << "row " << row;
    }
    const Act youngMod = [](Form1& f) {
        test::Choose(f.mnuRI_IAPWS2), test::Choose(f.mnuRI_KayeLaby), test::Choose(f.cboType, "Young mod");
    };
    const When partWay = [](Form1& f) { return f.runRecord.doneLast >= f.runRecord.doneFirst + 2; };
    const std::tuple<Act, When, Act, When> overplots[] = {
        // set-up, New plot's Stop at, act before the Overplot, its Stop at (none: refused)
        {[](Form1& f) { test::Choose(f.cboGraph, "Intensity v. wavelength"), test::Choose(f.mnuGaussian); },
         partWay, none, AtOnce},
        {youngMod, nullptr, [](Form1& f) { test::Type(f.txtLambda, "0.3816"); }, nullptr},
        {youngMod, nullptr, [](Form1& f) { test::Type(f.cboWave, "Low"), test::Press(f.cmdNewPlot); },
         nullptr},
        {[](Form1& f) { test::Choose(f.cboGraph, "Qext/Qsca/Qabs v. wavelength"); }, nullptr,
         [](Form1& f) { test::Type(f.txtRadius, "20"); }, partWay},
        {[](Form1& f) { f.optDisp.setValue(true); }, nullptr,
         [](Form1& f) { test::Type(f.txtRadius, "1E+30"); }, nullptr},
        {none, nullptr, [](Form1& f) { test::Type(f.txtRadius, "1000"); }, AtOnce}};
    for (std::size_t row = 0; row < std::size(overplots); ++row) {
        const auto& [set, stop, act, overplotStop] = overplots[row];
        Form1& f = run(set, stop, act);
        const QImage shown = f.image();
        const std::string title = f.caption();
        messages.clear();
        overplotStop ? pressStopped(f, f.cmdOverPlot, overplotStop) : f.cmdOverPlot.click();
        EXPECT_TRUE(f.image() == shown && f.caption() == title) << "Overplot row " << row;
        EXPECT_EQ(messages.shown().empty(), row == 2) << "Overplot row " << row;  // the others ran
    }
}

// The display options over the run states start no run, and over no finished results paint or offer nothing.
TEST_F(RunOnShowTest, DisplayOptionsDrawOnlyFinishedResults) {
    runtime.setPumpInterval(std::chrono::milliseconds(0));
    const Act med = [](Form1& f) { test::Type(f.txtRadius, "100"), test::Type(f.cboWave, "Med."); };
    const Act again = [med](Form1& f) { med(f), test::Press(f.cmdNewPlot), test::Type(f.txtRadius, "101"); };
    const std::tuple<Act, When, bool> states[] = {
        // set-up, Stop at, finished results
        {med, nullptr, true},
        {again, AtOnce, false},
        {again, PartWay, false},
        // refused before its first point: the run before it stays on show
        {[](Form1& f) { f.optDisp.setValue(true), test::Type(f.txtRadius, "1E+30"); }, nullptr, true},
        {[](Form1& f) { test::Choose(f.cboGraph, "Lee diagram"), test::Type(f.cboWave, "1"); },
         [](Form1& f) { return f.runRecord.doneLast >= 1; }, true}};
    const Act options[] = {[](Form1& f) { test::Type(f.cboBright, "2"); },
                           [](Form1& f) { test::Choose(f.mnuSaturated); },
                           [](Form1& f) { test::Choose(f.cboPol, "Perpendicular"); },
                           [](Form1& f) { f.optSun.setValue(true); },
                           [](Form1& f) { test::Choose(f.cboLee, "Absolute"); },
                           [](Form1& f) { test::Choose(f.mnuPolarPlot); }};
    for (std::size_t row = 0; row < std::size(states); ++row)
        for (std::size_t option = 0; option < std::size(options); ++option) {
            const auto& [set, stop, finished] = states[row];
            Form1& f = started();
            f.setRecording(true), set(f);
            stop ? pressStopped(f, f.cmdNewPlot, stop) : test::Press(f.cmdNewPlot);
            const std::uint64_t serial = f.runRecord.serial;
            const QImage shown = f.image();
            f.clearDrawLog(), options[option](f);
            const bool painted = f.image() != shown, offered = f.cmdSimulation.visible();
            EXPECT_TRUE(f.runRecord.serial == serial &&
                        (finished || (!painted && !offered && !f.mnuWindowSimulation.enabled() &&
                                      !f.cmdReplot.visible())) &&
                        (row != 0 || option != 0 || (painted && offered)))
                << "state " << row << ", option " << option;
        }
}

// A display option whose redraw the checks refuse (a box refused since the run) leaves the graph, its legend
// and the polarisation its record names as they were.
TEST_F(RunOnShowTest, ARefusedRedrawLeavesTheGraphAsItWas) {
    const Act refusals[] = {[](Form1& f) { test::Type(f.txtXmax, "200"), test::Press(f.cmdNewPlot); },
                            [](Form1& f) { test::Type(f.txtRadius, "0"), test::Press(f.cmdOverPlot); }};
    for (const Act& refused : refusals) {
        Form1& f = started();
        test::Type(f.txtRadius, "100"), test::Press(f.cmdNewPlot), refused(f);
        const QImage shown = f.image();
        const std::string drawnIn = f.runRecord.polarisation;
        test::Choose(f.cboPol, "Perpendicular");
        EXPECT_TRUE(f.image() == shown && f.runRecord.polarisation == drawnIn);
    }
}

// Both colour sums' column 1 and maxima, and the colours Brightness 2 paints in the strip and the simulation.
std::vector<double> ColoursOf(Form1& f) {
    std::vector<double> c{f.colourSums.peakCommon, f.colourSums.peakUnpol};
    for (std::size_t j = f.runRecord.windowFirst; j <= std::size_t(f.runRecord.windowLast); ++j)
        c.insert(c.end(), {f.colourSums.colourSumPerp[1][j], f.colourSums.colourSumPara[1][j]});
    test::Choose(f.mnuSaturated), test::Choose(f.mnuSaturated);
    f.setRecording(true), f.clearDrawLog(), test::Type(f.cboBright, "2"), test::Press(f.cmdSimulation);
    for (const DrawOp& op : f.drawLog())
        if (op.kind == DrawOp::Kind::FilledBox && op.y1 >= 2800 && op.y2 <= 3340) c.push_back(op.colour);
    c.insert(c.end(), f.simColourTable.cells.begin(), f.simColourTable.cells.end());
    return c;
}

// A run read back (also by Overplot) or redrawn for the sun's disc paints the colours its run formed.
TEST_F(RunOnShowTest, ColoursAreThoseOfTheRunOnShow) {
    const Act read = [this](Form1& f) { fileDialogs.answer(folder.at("run.tsy")), test::Choose(f.mnuRead); };
    const auto over = [read](const Act& set) {
        return [=](Form1& f) { set(f), test::Press(f.cmdNewPlot), test::Choose(f.mnuOverplot), read(f); };
    };
    const Act range = [](Form1& f) { test::Type(f.txtXmin, "30"), test::Type(f.txtXmax, "150"); };
    const Act sun = [range](Form1& f) { range(f), f.optSun.setValue(true); };
    const Act three = [](Form1& f) { test::Type(f.cboWave, "3"); };
    const std::pair<Act, Act> cases[] = {
        // the run (radius 100), and how another window comes to show it
        {[](Form1& f) { test::Choose(f.mnuAmplitude); }, read},
        {[](Form1& f) { test::Choose(f.mnuAmplitude), test::Choose(f.mnuS1S2); }, read},
        {sun, over(sun)},
        {three, over(three)},
        {sun, [range](Form1& f) {
             test::Type(f.txtRadius, "100"), range(f), test::Press(f.cmdNewPlot), f.optSun.setValue(true);
         }}};
    for (std::size_t row = 0; row < std::size(cases); ++row) {
        test::Type(started().txtRadius, "100"), cases[row].first(*form), test::Press(form->cmdNewPlot);
        saved(form->mnuSave, ".tsy");
        const std::vector<double> run = ColoursOf(*form);
        cases[row].second(started());
        const std::vector<double> shown = ColoursOf(*form);
        double error = shown.size() == run.size() ? 0 : 1;
        for (std::size_t i = 0; i < std::min(run.size(), shown.size()); ++i)
            error = std::max(error, test::RelError(shown[i], run[i]));
        EXPECT_LE(error, 1e-13) << "case " << row;  // a data file holds 15 digits
    }
}

// After a size distribution at one wavelength (no colours) Brightness and Saturated colours paint nothing.
TEST_F(RunOnShowTest, ADistributionAtOneWavelengthPaintsNoColours) {
    for (const bool saturated : {false, true}) {
        Form1& f = started();
        test::Choose(f.mnuSaturated), test::Choose(f.mnuSaturated), test::Type(f.cboBright, "2");
        f.optDisp.setValue(true), test::Press(f.cmdNewPlot);
        const QImage shown = f.image();
        saturated ? test::Choose(f.mnuSaturated) : test::Type(f.cboBright, "5");
        EXPECT_TRUE(f.image() == shown && !f.cmdSimulation.visible());
    }
}

// The stored results in use by the record's state: every point of a complete run, the finished points of
// a stopped one (and why it ended), none otherwise, with the reason (for a save: and New plot first).
TEST(ResultsInUseOf, FromTheStateOfTheRecord) {
    const std::string none = ", so no results are stored.", save = " Run New plot before saving.";
    const std::tuple<bool, ResultsState, std::int32_t, std::string, bool, std::string> cases[] = {
        {false, ResultsState::Complete, 9, "", false, "No results are stored."},
        {true, ResultsState::None, 9, "", false, "No results are stored."},
        {true, ResultsState::Complete, 9, "", true, ""},
        {true, ResultsState::Stopped, 5, "", true, ""},
        {true, ResultsState::Stopped, 5, " Too\r\nlarge ", true, "Too large"},
        {true, ResultsState::Stopped, 2, "", false,
         "The last run was stopped before it finished a point" + none},
        {true, ResultsState::Refused, 2, "Too large", false, "The last run was refused (Too large)" + none},
        {true, ResultsState::Refused, 2, "", false, "The last run ended before it computed a point" + none}};
    for (const auto& [taken, state, doneLast, endMessage, any, why] : cases) {
        RunRecord r;
        r.taken = taken, r.state = state, r.doneFirst = 3, r.doneLast = doneLast, r.plannedPoints = 11;
        r.endMessage = endMessage;
        const ResultsInUse u = ResultsInUseOf(r);
        EXPECT_EQ(std::tuple(u.any, u.stopped, u.first, u.last, u.planned),
                  std::tuple(any, any && state == ResultsState::Stopped, 3, any ? doneLast : 2, 11));
        EXPECT_EQ(u.noResults + "|" + u.reason, any ? "|" + why : why + "|" + why + save);
    }
}

}  // namespace
}  // namespace tessary
