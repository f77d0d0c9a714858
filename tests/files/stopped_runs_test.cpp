// Stopped, refused and overplotted runs through the window as a user acts: the saves, the text export
// and Replot hold only what a run computed, under the labels of the run that computed it.
#include <QImage>
#include <cmath>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "file_bytes.h"
#include "files/data_file.h"
#include "platform/text/conversions.h"
#include "tests/mainwindow/form1_test_support.h"

namespace tessary {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Lines(const std::string& bytes) {
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t end = bytes.find("\r\n", at);
        lines.push_back(bytes.substr(at, end - at));
        at = end == std::string::npos ? bytes.size() : end + 2;
    }
    return lines;
}

// The rows of an export after its heading line `from` (the x column and the rest of each row).
std::vector<std::string> RowsAfter(const std::string& bytes, const std::string& from) {
    const std::vector<std::string> lines = Lines(bytes);
    std::vector<std::string> rows;
    bool in = false;
    for (const std::string& line : lines) {
        if (in && line.empty()) break;
        if (in) rows.push_back(line);
        in = in || line.rfind(from, 0) == 0;
    }
    return rows;
}

class StoppedRunsTest : public test::Form1Test {
  protected:
    // The bytes a save command writes, empty when it refuses (its message is then in `refusal`).
    std::string saved(Menu& command, const char* extension) {
        const std::string name = folder.at("run");
        fileDialogs.answer(name);
        const std::size_t shown = messages.shown().size();
        test::Choose(command);
        std::string bytes = fs::exists(name + extension) ? test::ReadAll(name + extension) : "";
        fs::remove(name + extension);
        refusal = messages.shown().size() > shown ? messages.last().prompt : "";
        return bytes;
    }
    std::string data(Form1& f) { return saved(f.mnuSave, ".tsy"); }
    std::string text(Form1& f) { return saved(f.mnuSaveText, ".txt"); }
    // Stop pressed, and answered Yes, at the first event pump of the run where `when` holds.
    void stopWhen(Form1& f, std::function<bool()> when) {
        runtime.setPumpHook([&f, when] {
            if (f.codes.runState != Form1::kRunStopped && f.cmdStop.visible() && when()) f.cmdStop.click();
        });
    }

    test::TestFolder folder{"tessary_stops_"};
    std::string refusal;
};

// A run stopped before it finished a point, or refused by its method, leaves nothing to save: both saves
// refuse, say why, and write no file (no partial sums, no zeros, no earlier run's numbers).
TEST_F(StoppedRunsTest, RunsThatFinishedNoPointHaveNothingToSave) {
    struct Case {
        const char* what;
        std::function<void(Form1&)> set;
        bool stop;
        const char* reason;
    };
    const char* kStopped = "The last run was stopped before it finished a point";
    const Case cases[] = {
        {"angle graph at radius 300 and 0.01",
         [](Form1& f) { test::Type(f.txtRadius, "300"), test::Type(f.cboStep, "0.01"); }, true, kStopped},
        {"Med. at radius 100, 130 to 150 at 0.05",
         [](Form1& f) {
             test::Type(f.txtRadius, "100"), test::Type(f.cboWave, "Med."), test::Type(f.txtXmin, "130");
             test::Type(f.txtXmax, "150"), test::Type(f.cboStep, "0.05");
         },
         true, kStopped},
        {"Log-normal radii about 1e30",
         [](Form1& f) { f.optDisp.setValue(true), test::Type(f.txtRadius, "1E+30"); }, false,
         "The last run was refused (Reduce radius or increase wavelength)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Form1& f = started();
        c.set(f);
        if (c.stop) stopWhen(f, [] { return true; });
        test::Press(f.cmdNewPlot);
        runtime.setPumpHook({});
        for (const std::string& bytes : {data(f), text(f)}) {
            EXPECT_EQ(bytes, "");
            EXPECT_EQ(refusal.rfind(c.reason, 0), 0u) << refusal;
        }
    }
}

// A sweep stopped after some steps saves the points it finished as the whole sweep of that range (its
// maximum the last x finished, the stop line after), each as the complete run gives it; the export has
// those rows and the same line; a redraw scans no point the run did not reach.
TEST_F(StoppedRunsTest, StoppedSweepSavesThePointsItFinished) {
    Form1& f = started();
    test::Choose(f.cboGraph, "Intensity v. radius");
    test::Type(f.txtXmin, "200"), test::Type(f.txtXmax, "400"), test::Type(f.cboStep, "0.2");
    stopWhen(f, [&f] { return f.runRecord.doneLast >= 3; });
    test::Press(f.cmdNewPlot);
    runtime.setPumpHook({});
    const int k = f.runRecord.doneLast;
    ASSERT_GE(k, 3);
    ASSERT_LT(k, 1001);
    const std::vector<double> finished(f.results.intensityPerp.begin() + 1,
                                       f.results.intensityPerp.begin() + k + 1);

    fileDialogs.answer(folder.at("run"));
    test::Choose(f.mnuSave);
    TextFileReader reader = TextFileReader::Open(folder.at("run.tsy"));
    const DecodedDataFile file = DecodeDataFile(reader);
    ASSERT_TRUE(file.ok());
    EXPECT_EQ(file.file->first, 1);
    EXPECT_EQ(file.file->last, k);
    EXPECT_EQ(file.file->inputs[6], CStr(200 + 0.2 * (k - 1)));
    EXPECT_EQ(file.file->stopped, (StoppedRun{k, 1001}));
    ASSERT_EQ(file.file->values.size(), 3u * k);
    const std::vector<std::string> rows = RowsAfter(text(f), "Radius\t");
    ASSERT_EQ(rows.size(), k + 1u);
    EXPECT_EQ(rows.back(), "Stopped after " + CStr(k) + " of 1001 points");
    EXPECT_NEAR(Val(rows[k - 1].substr(0, rows[k - 1].find('\t'))), 200 + 0.2 * (k - 1), 1e-9);

    test::Choose(f.cboPol, "Perpendicular");  // a redraw from the stored results
    EXPECT_GT(Val(f.txtY1min.text()), 0.0);   // no zero of an unreached point in the y range
    test::Press(f.cmdNewPlot);                // the complete run gives the same finished values
    for (int i = 1; i <= k; ++i) {
        EXPECT_NEAR(file.file->values[3 * (i - 1)], f.results.intensityPerp[i], 1e-13 * finished[i - 1]) << i;
        EXPECT_EQ(finished[i - 1], f.results.intensityPerp[i]) << i;
    }
}

// A Lee diagram or map stopped during its third step saves the two steps it finished as a diagram of
// those steps (its end the second step's radius or value), which a fresh window reads back.
TEST_F(StoppedRunsTest, StoppedDiagramSavesTheStepsItFinished) {
    for (const char* graph : {"Lee diagram", "Map: angle v. radius"}) {
        SCOPED_TRACE(graph);
        Form1& f = started();
        test::Choose(f.cboGraph, graph);
        test::Type(f.cboStep, "0.05"), test::Type(f.txtXmin, "178"), test::Type(f.txtXmax, "180");
        test::Type(f.txtRadius, "1"), test::Type(f.txtRmax, "100"), test::Type(f.txtRstep, "4");
        test::Type(f.txtF9_min, "1"), test::Type(f.txtF9_max, "100"), test::Type(f.txtF9_step, "4");
        stopWhen(f, [&f] { return f.sweepState.loopStep == 2; });
        test::Press(f.cmdNewPlot);
        runtime.setPumpHook({});
        fileDialogs.answer(folder.at("run"));
        test::Choose(f.mnuSave);
        TextFileReader reader = TextFileReader::Open(folder.at("run.tsy"));
        const DecodedDataFile file = DecodeDataFile(reader);
        ASSERT_TRUE(file.ok());
        EXPECT_EQ(file.file->sweepSteps, 1.0f);
        EXPECT_NEAR(file.file->sweepEnd, std::string(graph) == "Lee diagram" ? std::sqrt(10.0) : 25.75, 1e-5);
        EXPECT_EQ(file.file->stopped, (StoppedRun{2, 5}));
        Form1& g = started();
        messages.clear();
        fileDialogs.answer(folder.at("run.tsy"));
        test::Choose(g.mnuRead);
        EXPECT_TRUE(messages.shown().empty()) << messages.last().prompt;
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
    stopWhen(f, [] { return true; });
    test::Press(f.cmdOverPlot);
    EXPECT_EQ(data(f), before);
    EXPECT_EQ(f.runRecord.radiusText, "10");
    EXPECT_TRUE(f.image().copy(frame) == graph);

    test::Choose(f.cboType, "Descartes");
    runtime.setPumpHook({});
    test::Press(f.cmdNewPlot);
    test::Choose(f.cboType, "Mie");
    test::Choose(f.cboGraph, "Qext/Qsca/Qabs v. radius");
    stopWhen(f, [] { return true; });
    test::Press(f.cmdNewPlot);
    EXPECT_EQ(f.caption(), "Mie scattering:   Water in a vacuum ");  // as the series titles it
    EXPECT_EQ(f.runRecord.title, f.caption());
}

// The convergence graph's export lists the orders its series summed, 1 to its term count, whatever the
// run before left in the maximum box; a stopped one the orders it finished, with the stop line.
TEST_F(StoppedRunsTest, ConvergenceExportListsTheOrdersSummed) {
    Form1& f = started();
    test::Type(f.cboGraph, "Convergence");
    for (const char* radius : {"10", "2", "10"}) {
        SCOPED_TRACE(radius);
        test::Type(f.txtRadius, radius);
        test::Press(f.cmdNewPlot);
        const std::vector<std::string> rows = RowsAfter(text(f), "Scattering angle = ");
        ASSERT_EQ(rows.size(), static_cast<std::size_t>(f.runProgress.termCount));
        EXPECT_EQ(Val(rows.back().substr(0, rows.back().find('\t'))), f.runProgress.termCount);
    }
    stopWhen(f, [&f] { return f.runProgress.termCount > 1000; });  // inside the series at radius 400
    test::Type(f.txtRadius, "400");
    test::Press(f.cmdNewPlot);
    const int k = f.mieWork.ordersDone;
    const std::string t = text(f);
    const std::vector<std::string> rows = RowsAfter(t, "Scattering angle = ");
    ASSERT_GE(k, 1);
    ASSERT_EQ(rows.size(), k + 1u);
    EXPECT_EQ(rows.back(), "Stopped after " + CStr(k) + " of " + CStr(f.runProgress.termCount) + " points");
}

// A New plot refused by its checks leaves the run on show and its record: the data file and the rows
// of the export are those of the run, not of the Replot's window or the refused boxes, and the light
// source saved is the one the results were drawn with.
TEST_F(StoppedRunsTest, RefusedNewPlotLeavesTheRunOnShow) {
    struct Case {
        const char* what;
        std::function<void(Form1&)> run, between, refuse;
        const char* heading;
    };
    const Case cases[] = {
        {"radius 1 to 100 in 4 logarithmic steps, Replot to 50, step 0",
         [](Form1& f) {
             test::Choose(f.cboGraph, "Intensity v. radius");
             test::Choose(f, "Advanced > Logarithmic steps");
             test::Type(f.txtXmin, "1"), test::Type(f.txtXmax, "100"), test::Type(f.cboStep, "4");
             test::Type(f.txtAngle, "30");
         },
         [](Form1& f) { test::Type(f.txtXmax, "50"), test::Press(f.cmdReplot); },
         [](Form1& f) { test::Type(f.cboStep, "0"); }, "Radius\t"},
        {"angle 0 to 180 at 1, Replot at 20 to 40, step 0", [](Form1& f) { test::Type(f.cboStep, "1"); },
         [](Form1& f) { test::Type(f.txtXmin, "20"), test::Type(f.txtXmax, "40"), test::Press(f.cmdReplot); },
         [](Form1& f) { test::Type(f.cboStep, "0"); }, "theta\t"},
        {"radius sweep, minimum 10 with the sun",
         [](Form1& f) { test::Choose(f.cboGraph, "Intensity v. radius"); }, [](Form1&) {},
         [](Form1& f) { test::Type(f.txtXmin, "1000"), f.optSun.setValue(true); }, "Radius\t"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Form1& f = started();
        c.run(f);
        test::Press(f.cmdNewPlot);
        const std::vector<std::string> rows = RowsAfter(text(f), c.heading);
        c.between(f);
        const std::string before = data(f);
        EXPECT_NE(before.find("Light source: Point"), std::string::npos);
        messages.clear();
        c.refuse(f);
        test::Press(f.cmdNewPlot);
        EXPECT_FALSE(messages.shown().empty());  // refused
        EXPECT_EQ(data(f), before);
        EXPECT_EQ(RowsAfter(text(f), c.heading), rows);
    }
}

// An Overplot of a sweep computes at the points of its own range, which its export labels.
TEST_F(StoppedRunsTest, OverplottedSweepComputesAtItsOwnPoints) {
    Form1& f = started();
    test::Choose(f.cboGraph, "Intensity v. radius");
    test::Type(f.txtXmin, "1"), test::Type(f.txtXmax, "10"), test::Type(f.cboStep, "1");
    test::Type(f.txtAngle, "30");
    test::Press(f.cmdNewPlot);
    const std::vector<std::string> whole = RowsAfter(text(f), "Radius\t");
    test::Type(f.txtXmin, "2"), test::Type(f.txtXmax, "6"), test::Type(f.cboStep, "0.5");
    test::Press(f.cmdOverPlot);
    const std::vector<std::string> over = RowsAfter(text(f), "Radius\t");
    ASSERT_EQ(whole.size(), 10u);
    ASSERT_EQ(over.size(), 9u);
    const auto values = [](const std::string& row) { return row.substr(row.find('\t')); };
    for (int r = 2; r <= 6; ++r) EXPECT_EQ(values(over[2 * (r - 2)]), values(whole[r - 1])) << r;
}

// The band of the index model holds every point the sweep computes: the last linear step past the
// typed maximum (368 to 1936.1 nm by 820.968 computes 2009.936 nm) is refused, the step marked.
TEST_F(StoppedRunsTest, BandChecksHoldTheLastStep) {
    Form1& f = started();
    test::Choose(f.cboGraph, "Cext/Csca/Cabs v. wavelength");
    test::Type(f.txtXmin, "368"), test::Type(f.txtXmax, "1936.1");
    for (const auto& [step, refused] : {std::pair{"820.968", true}, {"784", false}}) {
        SCOPED_TRACE(step);
        test::Type(f.cboStep, step);
        messages.clear();
        test::Press(f.cmdNewPlot);
        ASSERT_EQ(messages.shown().size(), refused ? 1u : 0u);
        EXPECT_EQ(f.runRecord.stepText == step, !refused);
        if (!refused) continue;
        EXPECT_EQ(messages.last().prompt.rfind("IAPWS values are valid only for the 150 - 2000 nm band", 0),
                  0u);
    }
}

}  // namespace
}  // namespace tessary
