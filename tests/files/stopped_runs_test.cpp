// Stopped, refused and overplotted runs through the window as a user acts: the saves, the text export
// and Replot hold only what a run computed, under the labels of the run that computed it.
#include <QImage>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "file_bytes.h"
#include "files/data_file.h"
#include "numerics/elementary.h"
#include "runs/sweep_steps.h"
#include "platform/text/conversions.h"
#include "tests/mainwindow/form1_test_support.h"

namespace tessary {
namespace {

// The lines of an export after the one starting with `heading`, to the first empty one.
std::vector<std::string> RowsAfter(const std::string& bytes, const std::string& heading) {
    std::vector<std::string> rows;
    for (std::size_t at = bytes.find("\r\n", bytes.find("\r\n" + heading) + 2);
         at + 2 < bytes.size() && bytes.compare(at, 4, "\r\n\r\n") != 0; at = bytes.find("\r\n", at + 2))
        rows.push_back(bytes.substr(at + 2, bytes.find("\r\n", at + 2) - at - 2));
    return rows;
}
double X(const std::string& row) { return Val(row.substr(0, row.find('\t'))); }

// The graph (when given) and its x range, as typed.
void Range(Form1& f, const char* graph, const char* xMin, const char* xMax, const char* step) {
    if (graph) test::Choose(f.cboGraph, graph);
    test::Type(f.txtXmin, xMin), test::Type(f.txtXmax, xMax), test::Type(f.cboStep, step);
}

class StoppedRunsTest : public test::Form1Test {
  protected:
    // The loops that pump by time pump at each of their counted chances: Stop lands where a test counts.
    StoppedRunsTest() { runtime.setPumpInterval(std::chrono::milliseconds(0)); }
    // The bytes a save command writes, empty when it refuses (its message is then in `refusal`).
    std::string saved(Menu& command, const char* extension) {
        fileDialogs.answer(folder.at("run"));
        messages.clear();
        test::Choose(command);
        const std::string bytes = test::ReadAll(folder.at("run") + extension);
        std::filesystem::remove(folder.at("run") + extension);
        refusal = messages.shown().empty() ? "" : messages.last().prompt;
        return bytes;
    }
    std::string data(Form1& f) { return saved(f.mnuSave, ".tsy"); }
    // A freshly made window that has read the file back.
    Form1& readBack(const std::string& file) {
        Form1& b = started();
        test::WriteAll(folder.at("read.tsy"), file);
        fileDialogs.answer(folder.at("read.tsy"));
        messages.clear();
        test::Choose(b.mnuRead);
        return b;
    }
    std::string text(Form1& f) { return saved(f.mnuSaveText, ".txt"); }
    // Presses the button (New plot), with Stop pressed and answered Yes at the first pump where `when` holds.
    void runStopped(Form1& f, std::function<bool()> when, CommandButton* button = nullptr) {
        runtime.setPumpHook([&f, when] {
            if (f.codes.runState != Form1::kRunStopped && f.cmdStop.visible() && when()) f.cmdStop.click();
        });
        test::Press(button ? *button : f.cmdNewPlot);
        runtime.setPumpHook({});
    }

    test::TestFolder folder{"tessary_stops_"};
    std::string refusal;
};

bool AtOnce() { return true; }

// Saves after Stop. A run that finished no point (angle sums are partial until the end) has nothing to save:
// both saves refuse and say why; one that its method refused before it finished a point leaves the run on
// show before it, whose file the saves write as before. A stopped sweep saves its finished
// points, as the complete run gives them, as the sweep to the last finished x with the stop line, in the
// file, its export and the file read back; a redraw scans no unreached point; its y range is that of
// its points. The line of a sweep of logarithmic steps names the range it planned, whose x are those of
// its rows, also read back; the line of a sweep its method refused says so and why.
TEST_F(StoppedRunsTest, SavesAfterStopHoldOnlyFinishedPoints) {
    const std::pair<std::function<void(Form1&)>, const char*> none[] = {
        {[](Form1& f) { test::Type(f.txtRadius, "300"), test::Type(f.cboStep, "0.01"); },
         "stopped before it finished a point"},
        {[](Form1& f) { test::Type(f.txtRadius, "100"), test::Type(f.cboWave, "Med."); },
         "stopped before it finished a point"},
        {[](Form1& f) { f.optDisp.setValue(true), test::Type(f.txtRadius, "1E+30"); }, nullptr}};
    for (const auto& [set, reason] : none) {
        Form1& f = started();
        const std::string before = data(f);
        set(f);
        runStopped(f, [&f] { return !f.optDisp.value(); });
        if (!reason) {
            EXPECT_EQ(data(f), before);
            continue;
        }
        for (const std::string& bytes : {data(f), text(f)})
            EXPECT_EQ(bytes + refusal.substr(0, refusal.find(',')),
                      std::string("The last run was ") + reason);
    }
    struct Sweep {
        const char *graph, *from, *to, *step;
        bool log, stop;
        std::string line;
    };
    const Sweep sweeps[] = {
        {"Intensity v. radius", "200", "400", "0.2", false, true, "Stopped after 4 of 1001 points"},
        {"Qext/Qsca/Qabs v. radius", "0.1", "50", "40", true, true,
         "Stopped after 38 of 41 points; planned maximum 50 in 40 steps"},
        {"Intensity v. radius", "15000", "16000", "100", false, false,
         "Stopped after 6 of 11 points; refused: Reduce radius or increase wavelength"}};
    for (const Sweep& c : sweeps) {
        Form1& f = started();
        Range(f, c.graph, c.from, c.to, c.step);
        if (c.log) test::Choose(f, "Advanced > Logarithmic steps"), test::Type(f.cboStep, c.step);
        runStopped(f, [&f, &c] { return c.stop && f.runRecord.doneLast >= 4; });
        const int k = f.runRecord.doneLast;
        const std::string stopLine = "\r\n" + c.line + "\r\n";
        const std::string file = data(f);  // x max, step and the stop line
        const double from = Val(c.from), step = Val(c.step);
        const double xk = c.log ? LogSweepValue(from, Val(c.to), step, k - 1) : from + step * (k - 1);
        EXPECT_NE(file.find("\r\n" + CStr(xk) + "\r\n" + (c.log ? CStr(k - 1) : c.step) + "\r\n"),
                  std::string::npos);
        EXPECT_NE(file.find(stopLine), std::string::npos) << c.line;
        std::vector<std::string> rows = RowsAfter(text(f), "Radius\t");
        ASSERT_EQ(rows.size(), k + 1u);
        EXPECT_EQ("\r\n" + rows.back() + "\r\n", stopLine);
        EXPECT_NEAR(X(rows[k - 1]), xk, 1e-9 * xk);
        f.setRecording(true);
        test::Choose(f.cboPol, "Perpendicular");  // a redraw from the stored results: no segment past point k
        double right = 0;
        for (const DrawOp& op : f.drawLog())
            if (op.kind == DrawOp::Kind::Line && op.x1 != op.x2 && op.y1 != op.y2)
                right = std::max({right, op.x1, op.x2});
        EXPECT_LE(right, f.graph.graphLeft +
                             (xk - from) / (Val(c.to) - from) * (f.graph.graphRight - f.graph.graphLeft) + 1);
        test::Press(f.cmdNewPlot);  // the complete run: the same rows (x included) up to the stop
        const std::vector<std::string> whole = RowsAfter(text(f), "Radius\t");
        EXPECT_EQ(std::vector<std::string>(whole.begin(), whole.begin() + k),
                  std::vector<std::string>(rows.begin(), rows.end() - 1));
        Form1& b = readBack(file);  // the same file and rows again
        EXPECT_TRUE(data(b) == file);
        EXPECT_EQ(RowsAfter(text(b), "Radius\t"), rows);
        if (c.log) continue;  // the complete run to the last finished x saves the file, y range included
        Form1& g = started();
        Range(g, c.graph, c.from, CStr(xk).c_str(), c.step);
        test::Press(g.cmdNewPlot);
        EXPECT_TRUE(file == data(g) + c.line + "\r\n");
    }
}

// A map stopped in its fourth step is the map of its three finished rows: it is redrawn as that map
// (without the caption of the step it did not finish), saves the complete file of that shorter map, row
// peaks included, with the stop line, and reads back drawn as the window that saved it.
TEST_F(StoppedRunsTest, AStoppedMapIsTheMapOfItsFinishedRows) {
    for (const char* graph : {"Map: angle v. radius", "Map: angle v. wavelength"}) {
        SCOPED_TRACE(graph);
        Form1& f = started();
        test::Choose(f.cboGraph, graph);
        const double end = MapSweepValue(Val(f.txtF9_min.text()), Val(f.txtF9_max.text()), 2, 4);
        bool pressed = false;
        runStopped(f, [&f, &pressed] { return !pressed && (pressed = f.sweepState.loopStep == 3); });
        ASSERT_EQ(f.runRecord.doneLast, 2);
        const std::string file = data(f);
        const QImage shown = f.image();
        Form1& g = started();
        test::Choose(g.cboGraph, graph);
        test::Type(g.txtF9_max, CStr(end)), test::Type(g.txtF9_step, "2");
        test::Press(g.cmdNewPlot);
        EXPECT_TRUE(file == data(g) + "Stopped after 3 of 5 points\r\n");
        Form1& b = readBack(file);
        EXPECT_TRUE(b.image() == shown);
        EXPECT_TRUE(data(b) == file);
    }
}

// A Lee diagram stopped in its fourth row saves the file of the diagram of its three finished rows, the
// y scale they left included, with the stop line: read back, New plot computes that diagram and saves it.
TEST_F(StoppedRunsTest, AStoppedLeeDiagramSavesTheDiagramOfItsFinishedRows) {
    Form1& f = started();
    test::Choose(f.cboGraph, "Lee diagram"), test::Type(f.txtRstep, "10"), test::Type(f.txtRmax, "40");
    runStopped(f, [&f] { return f.sweepState.loopStep == 3; });
    ASSERT_EQ(f.runRecord.doneLast, 2);
    const std::string file = data(f);
    Form1& b = readBack(file);
    test::Press(b.cmdNewPlot);
    EXPECT_TRUE(file == data(b) + "Stopped after 3 of 11 points\r\n");
}

// A sweep stopped after two or three points (fewer than New plot takes) reads back without a message and
// saves the same bytes: a redraw draws the points stored, however few.
TEST_F(StoppedRunsTest, ASweepStoppedAfterFewPointsReadsBackQuietly) {
    Form1& a = started();
    Range(a, "Intensity v. radius", "1", "10", "1");
    test::Press(a.cmdNewPlot);
    TextFileReader reader = TextFileReader::FromBytes(data(a));
    const DecodedDataFile decoded = DecodeDataFile(reader);
    ASSERT_TRUE(decoded.ok());
    for (const int done : {2, 3}) {
        DataFile d = *decoded.file;  // as the save of the run stopped after `done` points writes it
        d.inputs[6] = CStr(done);
        d.last = done;
        d.values.resize(3 * static_cast<std::size_t>(done));
        d.stopped = StoppedRun{done, 10};
        d.yScaleMax = *std::max_element(d.values.begin(), d.values.end());  // of the points stored, as saved
        const std::string file = EncodeDataFileBytes(d).value();
        Form1& b = readBack(file);
        EXPECT_TRUE(messages.shown().empty()) << messages.last().prompt;
        EXPECT_TRUE(data(b) == file) << done;
    }
}

// Stop answered while a run's results are drawn, after its last point (the curves formed, every step of
// a sweep done, the last row of a Lee diagram at 100 %), leaves the run complete: it saves as the run
// left alone.
TEST_F(StoppedRunsTest, StopAfterTheLastPointLeavesTheRunComplete) {
    const std::pair<const char*, std::function<bool(Form1&)>> cases[] = {
        {"Phase function", [](Form1& f) { return f.results.intensityUnpol.at(1) != 0; }},
        {"Intensity v. radius",
         [](Form1& f) {
             return f.runRecord.plannedPoints > 0 && f.runRecord.doneLast >= f.runRecord.plannedPoints;
         }},
        {"Lee diagram",
         [](Form1& f) {
             return f.sweepState.loopStep >= f.sweepState.sweepSteps && f.txtProgress.text() == "100";
         }},
        {"Map: angle v. radius",  // the last row's colours summed: the pump of its painting
         [](Form1& f) {
             return f.sweepState.loopStep == 4 && f.runRecord.doneLast == 3 && f.colourSums.peakCommon > 0;
         }},
    };
    for (const auto& [graph, drawn] : cases) {
        Form1& a = started();
        test::Choose(a.cboGraph, graph);
        test::Press(a.cmdNewPlot);
        const std::string whole = data(a);
        Form1& b = started();
        test::Choose(b.cboGraph, graph);
        bool pressed = false;
        runStopped(b, [&b, &pressed, drawn = drawn] { return pressed = pressed || drawn(b); });
        ASSERT_TRUE(pressed) << graph;
        EXPECT_EQ(b.runRecord.state, ResultsState::Complete) << graph;
        EXPECT_TRUE(data(b) == whole) << graph;
    }
}

// An Overplot stopped at once leaves the run on show: its saved bytes, record and graph. A New plot
// stopped before its method ran takes its own method's title, as its record does.
TEST_F(StoppedRunsTest, StoppedOverplotKeepsTheRunOnShow) {
    Form1& f = started();
    test::Type(f.cboStep, "0.01");
    test::Press(f.cmdNewPlot);
    const std::string before = data(f);
    const QRect frame(f.toPixel(f.graph.graphLeft, f.graph.graphTop),
                      f.toPixel(f.graph.graphRight, f.graph.graphBottom));
    const QImage graph = f.image().copy(frame);
    test::Type(f.txtRadius, "400");
    runStopped(f, AtOnce, &f.cmdOverPlot);
    EXPECT_EQ(data(f), before);
    EXPECT_EQ(f.runRecord.radiusText, "10");
    EXPECT_TRUE(f.image().copy(frame) == graph);
    test::Choose(f.cboType, "Descartes");
    test::Press(f.cmdNewPlot);
    test::Choose(f.cboType, "Mie");
    test::Choose(f.cboGraph, "Qext/Qsca/Qabs v. radius");
    runStopped(f, AtOnce);
    EXPECT_EQ(f.caption(), "Mie scattering:   Water in a vacuum ");  // as the series titles it
    EXPECT_EQ(f.runRecord.title, f.caption());
}

// The convergence graph's export lists the orders its series summed, 1 to its term count, whatever the
// run before left in the maximum box; a stopped one the orders it finished, with the stop line.
TEST_F(StoppedRunsTest, ConvergenceExportListsTheOrdersSummed) {
    Form1& f = started();
    test::Type(f.cboGraph, "Convergence");
    for (const char* radius : {"10", "2", "10", "400"}) {
        test::Type(f.txtRadius, radius);
        const bool stop = std::string(radius) == "400";
        // The series of radius 400 pumps at a counted order (every 512th of a sweep's series): Stop lands
        // inside it.
        runStopped(f, [&f, stop] { return stop && f.runProgress.termCount > 1000; });
        const bool stopped = f.runRecord.state == ResultsState::Stopped;
        ASSERT_EQ(stopped, stop) << radius;
        const std::vector<std::string> rows = RowsAfter(text(f), "Scattering angle = ");
        const int n = stopped ? f.mieWork.ordersDone : f.runProgress.termCount;
        ASSERT_EQ(rows.size(), n + (stopped ? 1u : 0u)) << radius;
        EXPECT_EQ(X(rows[n - 1]), n);
        const std::string line =
            "Stopped after " + CStr(n) + " of " + CStr(f.runProgress.termCount) + " points";
        EXPECT_EQ(rows.back(), stopped ? line : rows[n - 1]);
        EXPECT_EQ(stopped, stop && n < f.runProgress.termCount);
    }
}

// A New plot refused by its checks leaves the run on show and its record: the data file (its light source
// too) and the export's rows stay the run's, not those of the Replot's window or the refused boxes, and
// the simulation of the run (of several wavelengths) stays within reach.
TEST_F(StoppedRunsTest, RefusedNewPlotLeavesTheRunOnShow) {
    using Act = std::function<void(Form1&)>;
    const Act stepZero = [](Form1& f) { test::Type(f.cboStep, "0"); };
    const std::tuple<Act, Act, Act, const char*> cases[] = {
        {[](Form1& f) {
             Range(f, "Intensity v. radius", "1", "100", "4"),
                 test::Choose(f, "Advanced > Logarithmic steps"), test::Type(f.cboStep, "4");
         },
         [](Form1& f) { test::Type(f.txtXmax, "50"), test::Press(f.cmdReplot); }, stepZero, "Radius\t"},
        {[](Form1& f) { test::Type(f.cboStep, "1"); },
         [](Form1& f) { Range(f, nullptr, "20", "40", "1"), test::Press(f.cmdReplot); }, stepZero, "theta\t"},
        {[](Form1& f) { test::Choose(f.cboGraph, "Intensity v. radius"); }, [](Form1&) {},
         [](Form1& f) { test::Type(f.txtXmin, "1000"), f.optSun.setValue(true); }, "Radius\t"},
        {[](Form1& f) { test::Type(f.cboWave, "RGB"); }, [](Form1&) {}, stepZero, "Angle\tWavelength\t"}};
    int simulations = 0;
    for (const auto& [run, between, refuse, heading] : cases) {
        Form1& f = started();
        run(f);
        test::Press(f.cmdNewPlot);
        const std::vector<std::string> rows = RowsAfter(text(f), heading);
        ASSERT_FALSE(rows.empty()) << heading;
        between(f);
        const std::string before = data(f);
        EXPECT_NE(before.find("Light source: Point"), std::string::npos);
        const std::pair<bool, int> simulation = {f.cmdSimulation.visible(), f.codes.simulationMode};
        simulations += simulation.first;
        refuse(f);
        test::Press(f.cmdNewPlot);
        EXPECT_FALSE(messages.shown().empty()) << heading;  // refused
        EXPECT_EQ(data(f), before);
        EXPECT_EQ(RowsAfter(text(f), heading), rows);
        EXPECT_EQ(std::pair(f.cmdSimulation.visible(), f.codes.simulationMode), simulation);
    }
    EXPECT_EQ(simulations, 1);
}

// An Overplot of a sweep computes at the points of its own range, which its export labels.
TEST_F(StoppedRunsTest, OverplottedSweepComputesAtItsOwnPoints) {
    Form1& f = started();
    Range(f, "Intensity v. radius", "1", "10", "1");
    test::Press(f.cmdNewPlot);
    const std::vector<std::string> whole = RowsAfter(text(f), "Radius\t");
    Range(f, nullptr, "2", "6", "0.5");
    test::Press(f.cmdOverPlot);
    const std::vector<std::string> over = RowsAfter(text(f), "Radius\t");
    ASSERT_EQ(whole.size(), 10u);
    ASSERT_EQ(over.size(), 9u);
    for (int r = 2; r <= 6; ++r) EXPECT_EQ(over[2 * r - 4], whole[r - 1]) << r;
}

// The index model's band holds every point the sweep computes, the last step past the typed maximum too
// (2009.936 nm past IAPWS's 2000 nm; 702 nm past Cowley's 700 nm).
TEST_F(StoppedRunsTest, BandChecksHoldTheLastStep) {
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        {"368", "1936.1", "820.968", "IAPWS values are valid only for the 150 - 2000 nm"},
        {"368", "1936.1", "784", nullptr},
        {"380", "700", "7",
         "Cowley's values for refractive index of water are valid only for the 0.38 - 0.7"},
        {"380", "700", "8", nullptr}};
    Form1& f = started();
    for (const auto& [xMin, xMax, step, prompt] : cases) {
        if (std::string(xMin) == "380") test::Choose(f.mnuRI_Cowley);
        Range(f, "Cext/Csca/Cabs v. wavelength", xMin, xMax, step);
        messages.clear();
        test::Press(f.cmdNewPlot);
        ASSERT_EQ(messages.shown().size(), prompt ? 1u : 0u) << step;
        EXPECT_EQ(f.runRecord.stepText == step, !prompt);
        EXPECT_EQ(prompt ? messages.last().prompt.find(prompt) : 0, 0u);
    }
}

}  // namespace
}  // namespace tessary
