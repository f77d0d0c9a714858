// Lee diagrams and angle maps on the real main window: New plot lays out three panels and fills one
// column per radius of the geometric sweep or per step of a map, Stop keeps the columns finished, and
// the redraw reads only the stores.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <tuple>

#include "graphs/graph_codes.h"
#include "mainwindow/form1.h"
#include "numerics/worker_pool.h"
#include "tests/mainwindow/window_driver.h"
#include "tests/platform/ui/ui_test_support.h"
#include "tests/support/child_run.h"

namespace tessary {
namespace {

// The four row-peak stores hold at least steps sweep steps (so that a test may index them).
::testing::AssertionResult PeaksHold(const std::vector<std::vector<float>>& peaks, std::size_t steps) {
    if (peaks.size() < 4) return ::testing::AssertionFailure() << peaks.size() << " row-peak stores";
    for (const std::vector<float>& row : peaks)
        if (row.size() < steps) return ::testing::AssertionFailure() << "a row-peak store of " << row.size();
    return ::testing::AssertionSuccess();
}

class LeeDiagramTest : public test::UiTest {
  protected:
    LeeDiagramTest() {
        runtime.setModalHook([](Form& f) { f.hide(); });
        runtime.setEndHandler([](int) {});
    }
    ~LeeDiagramTest() override { form.reset(); }

    // The main window after start-up, set to a Lee diagram of 1 -> 100 µm in 4 steps, 178-180°.
    Form1& lee() {
        form = std::make_unique<Form1>();
        form->load();
        test::Choose(form->cboGraph, "Lee diagram");
        form->cboStep.setText("0.05");
        form->txtXmin.setText("178");
        form->txtXmax.setText("180");
        form->txtRadius.setText("1");
        form->txtRmax.setText("100");
        form->txtRstep.setText("4");
        form->cboWave.setText("1");
        return *form;
    }

    // The main window after start-up with the map entry chosen (which computes its preset map).
    Form1& map(const char* entry) {
        form = std::make_unique<Form1>();
        form->load();
        form->cboGraph.setText(entry);
        return *form;
    }

    // Texts printed since the log was cleared that contain part.
    int printed(const std::string& part) const {
        return static_cast<int>(
            std::count_if(form->drawLog().begin(), form->drawLog().end(), [&](const DrawOp& op) {
                return op.kind == DrawOp::Kind::Text && op.text.find(part) != std::string::npos;
            }));
    }

    // Presses Stop and answers Yes at the first event pump of the given sweep step.
    void stopAtStep(Form1& f, int step) {
        messages.answer(mb::kYes);
        runtime.setPumpHook([&f, step] {
            if (f.sweepState.loopStep == step && f.codes.runState != 4 && f.cmdStop.visible())
                f.cmdStop.click();
        });
    }

    // The filled cells in the perpendicular panel of the Large layout since the last clear.
    std::vector<DrawOp> panelCellsAfterLastCls() const {
        const std::vector<DrawOp>& log = form->drawLog();
        std::size_t from = 0;
        for (std::size_t i = 0; i < log.size(); ++i)
            if (log[i].kind == DrawOp::Kind::Cls) from = i;
        std::vector<DrawOp> cells;
        for (std::size_t i = from; i < log.size(); ++i) {
            const DrawOp& op = log[i];
            if (op.kind == DrawOp::Kind::FilledBox && op.x1 >= 1000 && op.x2 <= 5000 && op.y1 >= 3400 &&
                op.y2 <= 9800)
                cells.push_back(op);
        }
        return cells;
    }

    std::unique_ptr<Form1> form;
};

TEST_F(LeeDiagramTest, NewPlotFillsEveryRowOfTheGeometricSweep) {
    Form1& f = lee();
    messages.clear();
    f.cmdNewPlot.click();
    EXPECT_TRUE(messages.shown().empty()) << messages.last().prompt;
    EXPECT_FLOAT_EQ(f.sweepState.sweepRatio, 3.1622777f);
    EXPECT_NEAR(f.calc.radius, 100.000005, 1e-5);
    EXPECT_NEAR(f.Picture1.left(), 350, 15);  // whole pixels
    EXPECT_NEAR(f.Picture2.left(), 5350, 15);
    EXPECT_NEAR(f.Picture3.left(), 10350, 15);
    EXPECT_NEAR(f.Picture1.top(), 5600, 15);
    ASSERT_EQ(f.leeStores.leeRed1.size(), 5u);
    ASSERT_TRUE(PeaksHold(f.leeStores.leeRowPeaks, 5));
    for (int k = 0; k <= 4; ++k)
        EXPECT_GT(f.leeStores.leeRowPeaks[1][static_cast<std::size_t>(k)], 0.0f) << k;
    EXPECT_EQ(f.angleGrid.lastPoint - f.angleGrid.firstPoint, 40);  // 178..180 at 0.05°
    EXPECT_FALSE(f.windowState.inputsLocked);

    // The redraw paints from the stores alone: the same row peaks.
    const auto peaks = f.leeStores.leeRowPeaks;
    f.txtRstep.setText("7");  // an edited step count does not reach the redraw
    f.optSun.setValue(true);
    f.optPoint.setValue(true);
    f.setRecording(true);
    f.clearDrawLog();
    f.PlotLee();
    ASSERT_TRUE(PeaksHold(f.leeStores.leeRowPeaks, 5));
    // Cells of the perpendicular panel: half-width first and last steps, half-height end rows.
    std::vector<DrawOp> cells;
    for (const DrawOp& op : f.drawLog())
        if (op.kind == DrawOp::Kind::FilledBox && op.x1 >= 1000 && op.x2 <= 5000 && op.y1 >= 3400 &&
            op.y2 <= 9800)
            cells.push_back(op);
    ASSERT_EQ(cells.size(), 5u * 41u);
    const double columns[][2] = {{1000, 1500}, {1500, 2500}, {2500, 3500}, {3500, 4500}, {4500, 5000}};
    for (std::size_t k = 0; k < 5; ++k) {
        EXPECT_DOUBLE_EQ(cells[41 * k].x1, columns[k][0]) << k;
        EXPECT_DOUBLE_EQ(cells[41 * k].x2, columns[k][1]) << k;
        EXPECT_DOUBLE_EQ(cells[41 * k].y1, 3400) << k;
        EXPECT_DOUBLE_EQ(cells[41 * k].y2, 3480) << k;
        EXPECT_DOUBLE_EQ(cells[41 * k + 40].y1, 9720) << k;
        EXPECT_DOUBLE_EQ(cells[41 * k + 40].y2, 9800) << k;
    }
    for (std::size_t e = 1; e <= 3; ++e)
        for (std::size_t k = 0; k <= 4; ++k)
            EXPECT_NEAR(f.leeStores.leeRowPeaks[e][k], peaks[e][k], 1e-5 * peaks[e][k]);
    EXPECT_FALSE(f.windowState.inputsLocked);
}

// Stop answered Yes during the run of step 2: the panels show the diagram of steps 0 and 1, as its data file
// saves it, across the whole panel. A redraw draws those finished steps again and computes nothing. (A redraw
// here used to run New plot: a brightness, light-source or normalisation choice then started a whole new run.)
TEST_F(LeeDiagramTest, StopKeepsTheFinishedColumnsAndTheRedrawDrawsThemAlone) {
    Form1& f = lee();
    f.setRecording(true);
    stopAtStep(f, 2);
    f.cmdNewPlot.click();
    runtime.setPumpHook({});
    EXPECT_EQ(messages.last().prompt, "Do you want to stop the calculation?");
    EXPECT_EQ(f.codes.runState, 4);
    EXPECT_EQ(f.runRecord.doneLast, 1);
    EXPECT_FALSE(f.windowState.inputsLocked);
    EXPECT_EQ(f.runFlags.resultsStale, 0);
    EXPECT_TRUE(f.Picture1.visible());
    const std::vector<DrawOp> cells = panelCellsAfterLastCls();
    ASSERT_EQ(cells.size(), 2u * 41u);
    EXPECT_DOUBLE_EQ(cells.front().x1, 1000);  // half-width step 0, then step 1 to the panel's end
    EXPECT_DOUBLE_EQ(cells.back().x1, 3000);
    EXPECT_DOUBLE_EQ(cells.back().x2, 5000);

    f.clearDrawLog();
    f.PlotLee();                         // as Replot or the light-source options call it
    EXPECT_EQ(f.runRecord.doneLast, 1);  // no run
    EXPECT_EQ(panelCellsAfterLastCls().size(), 2u * 41u);
    EXPECT_DOUBLE_EQ(panelCellsAfterLastCls().back().x2, 5000);
}

TEST_F(LeeDiagramTest, DisperseComputesSingleSizeRowsAndSmoothsAcrossThem) {
    Form1& f = lee();
    f.txtRadius.setText("10");
    f.txtRstep.setText("40");
    f.optDisp.setValue(true);
    f.cboSD.setText("10");
    messages.clear();
    f.cmdNewPlot.click();
    EXPECT_TRUE(messages.shown().empty()) << messages.last().prompt;
    EXPECT_NE(f.leeStores.leeGridLast, -1);
    EXPECT_FLOAT_EQ(f.dist.relStdDev, 0.1f);  // the distribution pass ran
    // The smoothed row mixes its neighbours: it differs from the stored single size.
    EXPECT_NE(f.leeStores.leeRed3[20], f.leeStores.leeRed1[20]);
    EXPECT_FALSE(f.windowState.inputsLocked);
    // A Replot over a width whose weights a Single cannot hold (every row black) is refused: the rows stay.
    const auto smoothed = f.leeStores.leeRed3[20];
    f.cboSD.setText("1e300"), messages.clear(), test::Press(f.cmdReplot);
    EXPECT_EQ(messages.shown().empty() ? "" : messages.last().prompt, "Reduce the Standard Deviation");
    EXPECT_TRUE(f.leeStores.leeRed3[20] == smoothed && (*f.runRecord.disperse)[1] == "10");
}

TEST_F(LeeDiagramTest, StepCountsThatAreNotWholeAreRefused) {
    for (const char* steps : {"4.7", "1e-308"}) {
        Form1& f = lee();
        f.txtRstep.setText(steps);
        messages.clear();
        f.cmdNewPlot.click();
        ASSERT_FALSE(messages.shown().empty()) << steps;
        EXPECT_EQ(messages.last().prompt, "Number of steps not valid") << steps;
        EXPECT_EQ(f.leeStores.leeGridLast, -1) << steps;  // nothing computed
    }
}

// The brightest stored perpendicular cell of each row of a single-wavelength Lee diagram lies on the
// rainbow's maximum, which moves towards the geometric bow (137.86 degrees) as the drop grows.
TEST_F(LeeDiagramTest, RainbowMaximumOfEachRow) {
    Form1& f = lee();
    f.cboStep.setText("0.05");
    f.txtXmin.setText("130");
    f.txtXmax.setText("150");
    f.txtRadius.setText("10");
    f.txtRmax.setText("1000");
    f.txtRstep.setText("2");
    f.txtLambda.setText("0.65");
    f.optPoint.setValue(true);
    f.cmdNewPlot.click();
    ASSERT_EQ(f.leeStores.leeRed1.size(), 3u);
    const double expected[] = {142.45, 138.95, 138.10};
    for (std::size_t k = 0; k < 3; ++k) {
        const std::vector<float>& row = f.leeStores.leeRed1[k];
        const auto c = std::max_element(row.begin(), row.end()) - row.begin();
        EXPECT_NEAR((f.leeStores.leeGridFirst + c - 1) * 0.05, expected[k], 1e-9) << k;
    }
}

struct MapRun {
    const char* entry;
    const char* stepText;  // printed for step 3 of the preset
};

TEST_F(LeeDiagramTest, MapsComputeEveryStepAndEndRedrawnFromTheStores) {
    for (const MapRun& m : {MapRun{"Map: angle v. refractive index", "Step:  3    Ref Index = 1.4"},
                            MapRun{"Map: angle v. imaginary RI", "Step:  3    Imaginary RI = 0.00775"},
                            MapRun{"Map: angle v. radius", "Step:  3    Radius = 16.25"},
                            MapRun{"Map: angle v. wavelength", "Step:  3    Wavelength = 0.625"}}) {
        SCOPED_TRACE(m.entry);
        Form1& f = map(m.entry);
        f.setRecording(true);
        messages.clear();
        f.cmdNewPlot.click();
        EXPECT_TRUE(messages.shown().empty()) << messages.last().prompt;
        EXPECT_GE(printed(m.stepText), 1);
        ASSERT_EQ(f.leeStores.leeRed1.size(), 5u);
        ASSERT_TRUE(PeaksHold(f.leeStores.leeRowPeaks, 5));
        for (std::size_t k = 0; k <= 4; ++k) EXPECT_GT(f.leeStores.leeRowPeaks[1][k], 0.0f) << k;
        // The stores hold the whole computed window, sun-disc margin included.
        EXPECT_GE(f.leeStores.leeRed1[4].size(),
                  static_cast<std::size_t>(f.angleGrid.windowLast - f.angleGrid.windowFirst + 1));
        EXPECT_EQ(f.leeStores.leeGridLast, f.angleGrid.windowLast);
        EXPECT_EQ(f.cboLee.text(), "Absolute");
        EXPECT_EQ(f.codes.runState, 1);
        EXPECT_TRUE(f.Picture3.visible());
        EXPECT_FALSE(f.windowState.inputsLocked);
    }
}

// Every row of a wavelength map inside the bands of the sphere's and the medium's models, or New plot
// refuses the map before its first row as a graph against the wavelength is refused: Cowley's rows past
// 700 nm ran his formula beyond its band, the IAPWS sphere's past 2 um the number in the index box.
TEST_F(LeeDiagramTest, WavelengthMapRowsLieInsideTheModelsBands) {
    const std::string cowley =
        "Cowley's values for refractive index of water are valid only for the 0.38 - 0.7";
    for (const auto& [sphere, from, to, prompt] :
         {std::tuple{"Cowley", "300", "1000", cowley},
          {"Gedzelman", "400", "750", std::string("Gedzelman's")},
          {"IAPWS 5C", "1000", "3000", std::string("IAPWS values are valid only for the 150 - 2000 nm")},
          {"Cowley", "400", "700", std::string()}}) {
        Form1& f = map("Map: angle v. wavelength");
        test::Choose(f, std::string("Advanced > Refractive index > Sphere > Water > ") + sphere);
        for (auto [box, text] : {std::pair{&f.txtF9_min, from}, {&f.txtF9_max, to}, {&f.txtF9_step, "2"}})
            test::Type(*box, text);
        f.setRecording(true);
        messages.clear();
        test::Press(f.cmdNewPlot);
        EXPECT_EQ(messages.shown().empty() ? "" : messages.shown()[0].prompt.substr(0, prompt.size()),
                  prompt);
        EXPECT_EQ(printed("Step:"), prompt.empty() ? 3 : 0) << from;
    }
}

TEST_F(LeeDiagramTest, FalseColourKeyOnlyOverMaps) {
    // Decade ticks of brightness 1 over the unpolarised panel of the Large layout.
    const auto decadeTicks = [this] {
        int n = 0;
        for (const DrawOp& op : form->drawLog())
            if (op.kind == DrawOp::Kind::Line && op.x1 == op.x2 &&
                (std::fabs(op.x1 - 12428.571) < 0.01 || std::fabs(op.x1 - 13857.143) < 0.01) &&
                op.y2 - op.y1 == 50)
                ++n;
        return n;
    };
    Form1& m = map("Map: angle v. refractive index");
    m.mnuFalseColours.setChecked(true);
    m.cboBright.setText("1");
    m.setRecording(true);
    m.PlotLee();
    EXPECT_EQ(decadeTicks(), 2);
    Form1& l = lee();
    l.mnuFalseColours.setChecked(true);
    l.cboBright.setText("1");
    l.setRecording(true);
    l.PlotLee();
    EXPECT_EQ(decadeTicks(), 0);
}

TEST_F(LeeDiagramTest, RedrawStoppedMidwayStillUnlocksAndAMapFromZeroDrawsNoNaN) {
    Form1& f = map("Map: angle v. imaginary RI");
    f.txtF9_min.setText("0");
    f.txtF9_max.setText("0.01");
    f.setRecording(true);
    messages.clear();
    f.cmdNewPlot.click();
    EXPECT_TRUE(messages.shown().empty()) << messages.last().prompt;
    EXPECT_EQ(f.droppedCommands(), 0);  // no coordinate was NaN or infinite
    EXPECT_EQ(f.leeStores.leeGridLast, f.angleGrid.windowLast);
    int pumps = 0;
    runtime.setPumpHook([&] {
        if (++pumps == 2) f.codes.runState = 4;
    });
    f.PlotLee();
    runtime.setPumpHook({});
    EXPECT_FALSE(f.windowState.inputsLocked);
    EXPECT_EQ(f.runFlags.resultsStale, 0);
}

TEST_F(LeeDiagramTest, StoppedMapKeepsTheRowsItFinished) {
    Form1& f = map("Map: angle v. refractive index");
    f.setRecording(true);
    stopAtStep(f, 3);
    f.cmdNewPlot.click();
    runtime.setPumpHook({});
    EXPECT_EQ(f.codes.runState, 4);            // not shown as finished
    EXPECT_EQ(f.sweepState.sweepSteps, 2.0f);  // redrawn as the map of those rows
    EXPECT_TRUE(f.Picture1.visible());
    EXPECT_FALSE(f.windowState.inputsLocked);
    // Steps 0 to 2, one cell per angle point each.
    EXPECT_EQ(panelCellsAfterLastCls().size(),
              3u * static_cast<std::size_t>(f.angleGrid.lastPoint - f.angleGrid.firstPoint + 1));
}

TEST_F(LeeDiagramTest, MapRefusals) {
    const std::string oneSize =
        "This calculation method is available only for graphs against scattering angle at "
        "one wavelength and one size";
    struct Refusal {
        const char* method;
        bool disperse;
        const char* steps;
        std::string prompt;
    };
    for (const Refusal& r : {Refusal{"Mie", true, "4", "Size distributions are not available for angle maps"},
                             Refusal{"Aperture", false, "4", oneSize},
                             Refusal{"Mie", false, "4.7", "Number of steps not valid"}}) {
        SCOPED_TRACE(r.prompt);
        Form1& f = map("Map: angle v. refractive index");
        f.cboType.setText(r.method);
        f.optDisp.setValue(r.disperse);
        f.txtF9_step.setText(r.steps);
        messages.clear();
        f.leeStores.leeGridLast = -1;
        f.cmdNewPlot.click();
        ASSERT_FALSE(messages.shown().empty());
        EXPECT_EQ(messages.last().prompt, r.prompt);
        EXPECT_EQ(f.leeStores.leeGridLast, -1);  // nothing computed
    }
}

// Huygens takes its ray count from the angle box, hidden on a Lee diagram (where it held 0 and every
// run failed) and a radius on the radius map (10 µm traced 10 rays): refused before anything runs.
TEST_F(LeeDiagramTest, HuygensRefusedOnLeeDiagramsAndMaps) {
    for (const char* graph : {"Lee diagram", "Map: angle v. radius", "Map: angle v. refractive index"}) {
        SCOPED_TRACE(graph);
        Form1& f = std::string(graph) == "Lee diagram" ? lee() : map(graph);
        f.cboType.setText("Huygens");
        messages.clear();
        f.leeStores.leeGridLast = -1;
        f.cmdNewPlot.click();
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_EQ(messages.last().prompt,
                  "This calculation method is available only for graphs against scattering angle at one "
                  "wavelength and one size");
        EXPECT_EQ(messages.last().title, "Error");
        EXPECT_EQ(f.cboType.backColor(), 255u);
        EXPECT_EQ(f.leeStores.leeGridLast, -1);  // nothing computed
    }
}

// One panel of the Large layout: frame, angle ticks, the sweep labels under it and their ticks.
TEST_F(LeeDiagramTest, AxesOfOnePanel) {
    struct Axes {
        int code;
        double low, high;
        std::vector<std::string> labels;  // left to right, ends included
        std::vector<double> labelX;       // label ticks between the ends
        std::size_t sweepTicks;           // short ticks along a radius axis
    };
    const std::vector<Axes> cases = {
        {20, 5, 20, {"5", "10", "20"}, {3000}, 16},
        {20, 1, 10, {"1", "1", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "10", "10"}, {}, 91},
        {22, 1.1f, 1.5f, {"1.1", "1.2", "1.3", "1.4", "1.5"}, {1992.5, 3000, 4007.5}, 0},
        {23, 0.001f, 0.01f, {".001", ".0018", ".0036", ".0054", ".0072", ".009", ".01"}, {}, 0},
        {25, 400, 700, {"400", "450", "500", "550", "600", "650", "700"}, {}, 0},
    };
    Form1& f = lee();
    for (const Axes& c : cases) {
        SCOPED_TRACE(c.code);
        SCOPED_TRACE(c.low);
        f.codes.graphCode = c.code;
        f.setRecording(true);
        f.clearDrawLog();
        f.GridLeeAxes(1000, 5000, 3400, 9800, c.low, c.high, 178, 180);
        std::vector<std::pair<double, std::string>> labels;
        std::vector<double> labelTicks;
        std::size_t angleTicks = 0, sweepTicks = 0;
        bool frame = false;
        for (const DrawOp& op : f.drawLog()) {
            if (op.kind == DrawOp::Kind::FilledBox)
                frame = frame || (op.x1 == 985 && op.y1 == 3385 && op.x2 == 5015 && op.y2 == 9815 &&
                                  op.colour == rgb(255, 255, 224));
            if (op.kind == DrawOp::Kind::Line && op.x1 == 985 && op.x2 == 935) ++angleTicks;
            if (op.kind == DrawOp::Kind::Line && op.y1 == 9815 && op.y2 == 9915 && op.x1 > 985 &&
                op.x1 < 5015)
                labelTicks.push_back(op.x1);
            if (op.kind == DrawOp::Kind::Line && op.x1 == op.x2 && op.y1 == 9815 && op.y2 < 9915)
                ++sweepTicks;
            if (op.kind == DrawOp::Kind::Text && op.y1 == 9915) {
                std::string t = op.text;
                t.erase(std::remove(t.begin(), t.end(), ' '), t.end());
                labels.emplace_back(op.x1, t);
            }
        }
        EXPECT_TRUE(frame);
        EXPECT_EQ(angleTicks, 40u);  // 178 to 179.95: the Single step stops short of 180
        std::stable_sort(labels.begin(), labels.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        std::vector<std::string> texts;
        for (const auto& l : labels) texts.push_back(l.second);
        EXPECT_EQ(texts, c.labels);
        if (!c.labelX.empty()) {
            ASSERT_EQ(labelTicks.size(), c.labelX.size());
            for (std::size_t i = 0; i < c.labelX.size(); ++i) EXPECT_NEAR(labelTicks[i], c.labelX[i], 0.01);
        }
        if (c.code == kGraphLee) {
            EXPECT_EQ(sweepTicks, c.sweepTicks);
        }
    }
}

// Run by the parent in a child process with TESSARY_THREADS set: an RGB diagram of 5 -> 50 um in 6
// steps, 130-180 degrees at 0.05 (rows computed ahead on the pool, series over angle blocks), its
// stores and row peaks written raw where TESSARY_RESULTS_FILE says.
TEST_F(LeeDiagramTest, WriteStoresForTheParent) {
    const char* path = std::getenv("TESSARY_RESULTS_FILE");
    if (path == nullptr) GTEST_SKIP() << "runs as a child of LeeDiagramTest.SameStoresForAnyThreadCount";
    Form1& f = lee();
    f.txtRadius.setText("5");
    f.txtRmax.setText("50");
    f.txtRstep.setText("6");
    f.cboWave.setText("RGB");
    f.txtXmin.setText("130");
    f.txtXmax.setText("180");
    f.cmdNewPlot.click();
    ASSERT_EQ(f.leeStores.leeGridLast, 3601);
    std::ofstream out(path, std::ios::binary);
    const int threads = SharedPool().Threads();
    out.write(reinterpret_cast<const char*>(&threads), sizeof threads);
    const auto put = [&](const std::vector<float>& v) {
        out.write(reinterpret_cast<const char*>(v.data()),
                  static_cast<std::streamsize>(v.size() * sizeof(float)));
    };
    for (const auto* store : {&f.leeStores.leeRed1, &f.leeStores.leeGreen1, &f.leeStores.leeBlue1,
                              &f.leeStores.leeRed2, &f.leeStores.leeGreen2, &f.leeStores.leeBlue2})
        for (const std::vector<float>& row : *store) put(row);
    ASSERT_TRUE(PeaksHold(f.leeStores.leeRowPeaks, 0));
    for (std::size_t e = 1; e <= 3; ++e) put(f.leeStores.leeRowPeaks[e]);
}

std::string RunChild(int threads) {
    return test::RunSelfWithThreads("LeeDiagramTest.WriteStoresForTheParent", std::to_string(threads));
}

TEST_F(LeeDiagramTest, SameStoresForAnyThreadCount) {
    const std::string one = RunChild(1);
    const std::string four = RunChild(4);
    ASSERT_GT(one.size(), 6u * 7u * 1001u * sizeof(float));
    EXPECT_EQ(one[0], 1);
    EXPECT_EQ(four[0], 4);
    EXPECT_NE(one.find_first_not_of('\0', sizeof(int)), std::string::npos);  // colours were stored
    ASSERT_EQ(four.size(), one.size());
    EXPECT_TRUE(four.compare(sizeof(int), std::string::npos, one, sizeof(int), std::string::npos) == 0)
        << "4 threads store other bytes than one";
}

}  // namespace
}  // namespace tessary
