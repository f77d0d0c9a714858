// The New plot road on the real main window: start-up's first graph, the result arrays, every exit of
// New plot through its common end, Stop pressed from inside a run (through the runtime's pump hook),
// Overplot over the graph on show, and inputs that would divide by zero.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "graphs/graph_codes.h"
#include "mainwindow/form1.h"
#include "platform/text/conversions.h"
#include "runs/method_codes.h"
#include "tests/mainwindow/window_driver.h"
#include "tests/platform/ui/ui_test_support.h"

namespace tessary {
namespace {

constexpr OleColor kRedColour = 255;

class NewPlotTest : public test::UiTest {
  protected:
    NewPlotTest() {
        runtime.setModalHook([](Form& f) { f.hide(); });
        runtime.setEndHandler([](int) {});
    }
    ~NewPlotTest() override { form.reset(); }

    // The main window after start-up (which ends with the first New plot).
    Form1& start(bool record = false) {
        form = std::make_unique<Form1>();
        form->setRecording(record);
        form->load();
        return *form;
    }

    // The index of the angle (degrees) on the run's grid.
    std::size_t index(double degrees) const {
        return static_cast<std::size_t>(std::lround(degrees * (form->angleGrid.angleCount - 1) / 90.0)) + 1;
    }

    // Titles of the message boxes shown so far.
    std::vector<std::string> prompts() const {
        std::vector<std::string> p;
        for (const MessageBoxRequest& r : messages.shown()) p.push_back(r.prompt);
        return p;
    }

    // What every exit of New plot leaves: inputs unlocked, one beep, Replot hidden, and the results current after
    // a run, or marked as before the press (staleBefore) after a refusal.
    void expectCommonEnd(const Form1& f, int beepsBefore, int staleBefore = 0) const {
        EXPECT_FALSE(f.windowState.inputsLocked);
        EXPECT_FALSE(f.runFlags.runUnderWay);
        EXPECT_TRUE(f.cmdNewPlot.enabled());
        EXPECT_TRUE(f.txtRadius.enabled());
        EXPECT_EQ(f.mousePointer(), 1);
        EXPECT_EQ(runtime.beepCount(), beepsBefore + 1);
        EXPECT_EQ(f.runFlags.resultsStale, staleBefore);
        EXPECT_FALSE(f.cmdReplot.visible());
    }

    bool allFinite(const std::vector<double>& v) const {
        return std::all_of(v.begin(), v.end(), [](double d) { return std::isfinite(d); });
    }

    std::unique_ptr<Form1> form;
};

std::size_t LastCls(const std::vector<DrawOp>& log) {
    std::size_t last = log.size();
    for (std::size_t i = 0; i < log.size(); ++i)
        if (log[i].kind == DrawOp::Kind::Cls) last = i;
    return last;
}

// ---------------------------------------------------------------------------------------------
// The first graph

TEST_F(NewPlotTest, StartUpDrawsTheMieGraphOfTheDefaults) {
    Form1& f = start(true);
    EXPECT_TRUE(messages.shown().empty()) << messages.last().prompt;
    EXPECT_EQ(f.caption(), "Mie scattering:   Water in a vacuum ");
    EXPECT_EQ(f.lblSphere.caption(), "Sphere: Water (IAPWS 5C)");
    EXPECT_EQ(f.lblRI_Medium.caption(), "Medium: Vacuum");
    EXPECT_EQ(f.lblDebyeRays.caption(), "Mie (plane wave)");
    EXPECT_EQ(f.angleGrid.angleCount, 901);
    EXPECT_EQ(f.angleGrid.firstPoint, 1);
    EXPECT_EQ(f.angleGrid.lastPoint, 1801);
    EXPECT_EQ(f.angleGrid.windowFirst, 1);
    EXPECT_EQ(f.angleGrid.windowLast, 1801);
    EXPECT_EQ(f.codes.runState, 1);
    EXPECT_EQ(f.runFlags.resultsStale, 0);
    EXPECT_EQ(f.calc.waveCount, 1);
    EXPECT_EQ(runtime.beepCount(), 1);
    EXPECT_TRUE(f.cmdOverPlot.visible());
    EXPECT_FALSE(f.cmdStop.visible());
    EXPECT_FALSE(f.txtProgress.visible());
    EXPECT_FALSE(f.windowState.inputsLocked);

    // x = 2 pi 10 / 0.65 for water at 5 C (m = 1.3325704): a strong forward peak, the primary
    // rainbow near 138 degrees, and the glory's rise towards 180 degrees.
    EXPECT_NEAR(f.calc.sizeParam, 96.66439, 1e-4);
    EXPECT_GT(f.results.qSca, 1.9);
    EXPECT_LT(f.results.qSca, 2.3);
    const std::vector<double>& perp = f.results.intensityPerp;
    EXPECT_GT(perp[1], 1e4 * perp[index(90)]);
    std::size_t bow = index(125);
    for (std::size_t j = index(125); j <= index(150); ++j)
        if (perp[j] > perp[bow]) bow = j;
    const double bowAngle = (bow - 1) * 0.1;
    EXPECT_GT(bowAngle, 135.0);
    EXPECT_LT(bowAngle, 143.0);
    double mean = 0;
    for (std::size_t j = index(160); j <= index(175); ++j) mean += f.results.intensityUnpol[j];
    mean /= index(175) - index(160) + 1;
    EXPECT_GT(f.results.intensityUnpol[index(180)], 3 * mean);
    EXPECT_TRUE(allFinite(f.results.intensityPerp));
    EXPECT_TRUE(allFinite(f.results.intensityPara));

    // The elapsed time in red under the right end of the graph.
    bool timeShown = false;
    for (const DrawOp& op : f.drawLog())
        if (op.kind == DrawOp::Kind::Text && op.colour == 0x0000FF) {
            timeShown = true;
            EXPECT_NEAR(op.x1, 0.95 * f.graph.graphRight, 1e-6);
            EXPECT_NEAR(op.y1, f.graph.graphBottom + 500, 1e-6);
        }
    EXPECT_TRUE(timeShown);
}

// ---------------------------------------------------------------------------------------------
// Result arrays

struct SizeCase {
    const char* name;
    const char* graph;  // the graph list's entry
    const char* xMin;
    const char* xMax;
    const char* step;
    const char* rStep;
    const char* mapStep;
    std::size_t curves, sun, angles, amplitudes, leeRows, leeColumns, peakRows;
};

TEST_F(NewPlotTest, ArraySizesFollowTheGrid) {
    Form1& f = start();
    const std::vector<SizeCase> cases{
        {"angle 0.1", "Intensity v. scattering angle", "0", "180", "0.1", "4", "4", 18002, 26, 9002, 18002, 2,
         2, 2},
        {"angle 0.005", "Intensity v. scattering angle", "0", "180", "0.005", "4", "4", 36002, 52, 18002,
         36002, 2, 2, 2},
        {"Lee 20 steps", "Lee diagram", "0", "180", "1", "20", "4", 18002, 26, 9002, 18002, 21, 181, 4},
        {"convergence", "Convergence", "0", "50", "1", "4", "4", 18002, 52, 18002, 36002, 2, 2, 2},
        {"step 0", "Intensity v. scattering angle", "0", "180", "0", "4", "4", 18002, 26, 9002, 18002, 2, 2,
         2},
    };
    for (const SizeCase& c : cases) {
        SCOPED_TRACE(c.name);
        test::Type(f.cboGraph, c.graph);
        f.txtXmin.setText(c.xMin);
        f.txtXmax.setText(c.xMax);
        f.cboStep.setText(c.step);
        f.txtRstep.setText(c.rStep);
        f.txtF9_step.setText(c.mapStep);
        f.Array_Size();
        for (const auto* curve :
             {&f.results.spareCurve, &f.results.intensityPerp, &f.results.intensityPara,
              &f.results.intensityUnpol, &f.results.avgPerp, &f.results.avgPara, &f.results.avgUnpol})
            EXPECT_EQ(curve->size(), c.curves);
        if (f.codes.graphCode !=
            kGraphConvergence) {  // x-variable graphs leave these as the case before made them
            EXPECT_EQ(f.light.sunDiscWeights.size(), c.sun);
            for (const auto* table : {&f.results.muTable, &f.results.piTable, &f.results.pi0Table,
                                      &f.results.piPrev, &f.results.tauTable})
                EXPECT_EQ(table->size(), c.angles);
            for (const auto* amplitude : {&f.results.s1Amp, &f.results.s2Amp})
                for (const std::vector<double>& part : *amplitude) EXPECT_EQ(part.size(), c.amplitudes);
        }
        EXPECT_EQ(f.leeStores.leeRed1.size(), c.leeRows);
        EXPECT_EQ(f.leeStores.leeBlue4.size(), c.leeRows);
        EXPECT_EQ(f.leeStores.leeGreen3.front().size(), c.leeColumns);
        EXPECT_EQ(f.leeStores.leeRowPeaks.size(), c.peakRows);
        EXPECT_EQ(f.leeStores.leeRowPeaks.front().size(), c.leeRows);
        EXPECT_TRUE(std::all_of(f.results.intensityPerp.begin(), f.results.intensityPerp.end(),
                                [](double v) { return v == 0; }));
    }
    // The colour sums grew with the 0.005 grid and keep that size and their contents.
    for (const auto* sums : {&f.colourSums.colourSumPerp, &f.colourSums.colourSumPara})
        for (const std::vector<double>& column : *sums) ASSERT_EQ(column.size(), 36002u);
    f.colourSums.colourSumPerp[0][5] = 7;
    test::Choose(f.cboGraph, "Intensity v. scattering angle");
    f.cboStep.setText("1");
    f.Array_Size();
    ASSERT_GE(f.colourSums.colourSumPerp[0].size(), 6u);
    EXPECT_EQ(f.colourSums.colourSumPerp[0][5], 7);
    EXPECT_EQ(f.colourSums.colourSumPara[7].size(), 36002u);
}

TEST_F(NewPlotTest, MapStepsSetTheSweepAndKeepTheAmplitudes) {
    Form1& f = start();
    const std::size_t amplitudes = f.results.s1Amp[0].size();
    test::Choose(f.cboGraph, "Map: angle v. radius");
    f.txtF9_step.setText("10");
    f.Array_Size();
    EXPECT_EQ(f.sweepState.sweepSteps, 10.0f);
    EXPECT_EQ(f.leeStores.leeRed2.size(), 11u);
    EXPECT_EQ(f.results.s1Amp[0].size(), amplitudes);
}

// ---------------------------------------------------------------------------------------------
// Every exit of New plot

TEST_F(NewPlotTest, UnknownMethodEndsAfterTheCheckAndStillUnlocksAndBeeps) {
    Form1& f = start();
    f.cboType.setText("mie");  // its handler reports the unknown text once
    EXPECT_EQ(f.codes.calcMethod, kMethodNone);
    EXPECT_EQ(f.cboType.backColor(), kRedColour);
    messages.clear();
    const int beeps = runtime.beepCount();
    const std::string title = f.caption();
    f.cmdNewPlot.click();
    // The input check names the method; the command then ends without TypeCalc, lock or run.
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.last().prompt, "Unknown calculation method");
    EXPECT_EQ(f.caption(), title);
    expectCommonEnd(f, beeps);
}

TEST_F(NewPlotTest, DeclinedLongRunEndsWithTheFlagSet) {
    Form1& f = start();
    f.txtRadius.setText("2000");
    f.cboStep.setText("0.01");
    f.cboWave.setText("2000");
    f.optDisp.setValue(true);  // 50 radii: hours on any number of threads
    f.cboN.setText("50");
    messages.clear();
    messages.answer(mb::kNo);
    const int beeps = runtime.beepCount();
    f.mieWork.ordersDone = -1;
    ASSERT_EQ(f.runFlags.resultsStale, 1);
    f.cmdNewPlot.click();
    ASSERT_FALSE(messages.shown().empty());
    EXPECT_EQ(messages.last().title, "Long calculation !");
    EXPECT_EQ(f.mieWork.ordersDone, -1);
    EXPECT_EQ(f.runFlags.inputError, 1);
    expectCommonEnd(f, beeps, 1);
}

// Radius 2000 um, 2000 wavelengths at 0.011 degree: the checks refuse the step first, with their own
// message and no question, whichever command runs.
TEST_F(NewPlotTest, RefusedInputIsRefusedBeforeTheLengthQuestion) {
    for (void (Form1::*command)() : {&Form1::cmdNewPlot_Click, &Form1::cmdOverPlot_Click}) {
        SCOPED_TRACE(command == &Form1::cmdNewPlot_Click ? "New plot" : "Overplot");
        Form1& f = start();
        f.txtRadius.setText("2000");
        // Overplot computes one wavelength (it is offered for no more).
        if (command == &Form1::cmdNewPlot_Click) f.cboWave.setText("2000");
        f.cboStep.setText("0.011");
        messages.clear();
        (f.*command)();
        EXPECT_EQ(prompts(), std::vector<std::string>{"Must be a sub-multiple of 90 degrees"});
        EXPECT_FALSE(f.windowState.inputsLocked);
    }
}

// A refused New plot whitens the boxes its checks read and those it ends with (not the real index, which the
// minimum angle's refusal comes before); the run on show stays.
TEST_F(NewPlotTest, ARefusedNewPlotClearsTheMarksOfTheBoxesItsChecksRead) {
    constexpr OleColor kYellow = 65535, kWhite = 16777215;
    const std::tuple<TextBox Form1::*, const char*, const char*, OleColor> cases[] = {
        {&Form1::txtXmax, "200", "Maximum angle > 180 degrees", kWhite},
        {&Form1::txtXmin, "abc", "    The red highlighted data entry is incorrect.    ", kYellow}};
    for (const auto& [refused, text, prompt, index] : cases) {
        Form1& f = start();
        f.cboYmax.setText("1000");  // a y limit marks its box while the results stand
        f.txtRadius.setText("50"), f.txtRefractReal.setText("1.5"), (f.*refused).setText(text);
        messages.clear(), f.cmdNewPlot.click();
        EXPECT_EQ(prompts(), std::vector<std::string>{prompt});
        EXPECT_EQ(std::vector({f.txtRadius.backColor(), f.cboYmax.backColor(), f.txtRefractReal.backColor()}),
                  std::vector({kWhite, kWhite, index}));
        EXPECT_EQ(f.runRecord.radius, 10.0);
    }
}

// A run whose series would refuse its largest |m x| (above 200000) is refused with the series' own
// message and title before any question of its length, and no run starts; a run just under the limit
// goes on. The limit, 200000 lambda / (2 pi |m|), from the index models at start-up (medium 1):
//   one wavelength 0.65 um, m = 1.33257035: 15526.49 um (15520: |m x| = 199916.4)
//   2000 wavelengths, shortest 0.38008001 um (float), m = 1.34657315: 8984.53 um (9000: 200344.4)
//   20 wavelengths, shortest 0.38799998 um (float), m = 1.34571171: 9177.61 um (9170: 199834.1)
//   RGB Lee diagram, shortest 0.44 um (float), m = 1.34122849: 10442.39 um
//   python3: 200000 * lam / (2 * math.pi * m); 2 * math.pi * r / lam * m
TEST_F(NewPlotTest, RunPastTheSeriesLimitIsRefusedBeforeTheLengthQuestion) {
    enum Outcome { Refused, Runs };
    struct Case {
        const char* method;
        const char* waves;  // 2000: from 0 degrees by 0.1, else from 179 by 0.01
        const char* radius;
        const char* leeLastRadius;  // nullptr: the angle graph
        Outcome outcome;
    };
    const Case cases[] = {
        {"Mie", "1", "20000", nullptr, Refused},   {"Mie", "1", "15520", nullptr, Runs},
        {"Debye", "1", "20000", nullptr, Refused}, {"Mie", "2000", "9000", nullptr, Refused},
        {"Mie", "20", "9170", nullptr, Runs},      {"Mie", "RGB", "1000", "10450", Refused},
        {"Mie", "RGB", "1000", "10440", Runs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.method) + " " + (c.leeLastRadius ? c.leeLastRadius : c.radius));
        Form1& f = start();
        f.cboType.setText(c.method);
        if (std::string(c.method) == "Debye") f.cboRays.setText("2");
        if (c.leeLastRadius) {
            test::Choose(f.cboGraph, "Lee diagram");
            f.txtRmax.setText(c.leeLastRadius);
            f.txtRstep.setText("1");
        }
        const bool many = std::string(c.waves) == "2000";
        f.txtXmin.setText(many ? "0" : "179");
        f.txtXmax.setText("180");
        f.cboStep.setText(many ? "0.1" : "0.01");
        f.txtRadius.setText(c.radius);
        f.cboWave.setText(c.waves);
        messages.clear();
        messages.answer(mb::kNo);
        f.cmdNewPlot.click();
        EXPECT_FALSE(f.windowState.inputsLocked);
        if (c.outcome == Runs) {
            EXPECT_TRUE(messages.shown().empty()) << messages.last().prompt;
            EXPECT_EQ(f.newPlotEnd, NewPlotEnd::Computed);
            continue;
        }
        ASSERT_EQ(messages.shown().size(), 1u) << messages.last().prompt;
        EXPECT_EQ(messages.last().prompt, "Reduce radius or increase wavelength");
        EXPECT_EQ(messages.last().title,
                  std::string(c.method) == "Mie" ? "Error in BHMIE sub-routine" : "Error");
        EXPECT_EQ(f.newPlotEnd, NewPlotEnd::Refused);  // no run started
    }
}

TEST_F(NewPlotTest, AngleMapComputesEveryRowThroughTheCommonEnd) {
    Form1& f = start();
    test::Choose(f.cboGraph, "Map: angle v. refractive index");
    f.cboStep.setText("1");
    f.txtF9_min.setText("1.3");
    f.txtF9_max.setText("1.4");
    f.txtF9_step.setText("4");
    f.txtF9_fixed.setText("0");
    f.txtAngle.setText("10");
    messages.clear();
    const int beeps = runtime.beepCount();
    f.cmdNewPlot.click();
    EXPECT_TRUE(messages.shown().empty()) << messages.last().prompt;
    EXPECT_EQ(f.sweepState.loopStep, 5);  // one call ran the five rows
    EXPECT_EQ(f.leeStores.leeGridLast, f.angleGrid.windowLast);
    expectCommonEnd(f, beeps);
}

TEST_F(NewPlotTest, StateLeftByEarlierRunsDoesNotBlockNewPlot) {
    Form1& f = start();
    f.codes.runState = 4;            // an earlier run of another graph type stopped
    f.runFlags.resultsFromFile = 1;  // an Open that was cancelled
    f.mieWork.ordersDone = -1;
    f.cmdNewPlot.click();
    EXPECT_GT(f.mieWork.ordersDone, 0);
    EXPECT_EQ(f.codes.runState, 1);
    EXPECT_EQ(f.runFlags.resultsFromFile, 0);
}

TEST_F(NewPlotTest, ANewPlotDuringLoadingKeepsTheFileResults) {
    Form1& f = start();
    f.runFlags.resultsFromFile = 1;
    f.runFlags.dataFileLoading = true;
    f.cmdReplot.setVisible(true);
    f.cmdReplot.setEnabled(true);
    f.mieWork.ordersDone = -1;
    f.cmdNewPlot.click();
    EXPECT_EQ(f.mieWork.ordersDone, -1);  // the run driver returned at once
    EXPECT_EQ(f.runFlags.resultsFromFile, 1);
    EXPECT_FALSE(f.cmdReplot.visible());
}

// ---------------------------------------------------------------------------------------------
// Stop, pressed while the series pumps events

TEST_F(NewPlotTest, StopAnsweredNoLetsTheRunComplete) {
    Form1& f = start();
    f.txtRadius.setText("20");
    bool pressed = false;
    std::int32_t orderBefore = 0, orderAfter = 0;
    runtime.setPumpHook([&] {
        if (pressed || !f.cmdStop.visible()) return;
        pressed = true;
        orderBefore = f.runProgress.loopN;
        f.cmdStop.click();
        orderAfter = f.runProgress.loopN;
    });
    messages.clear();
    messages.answer(mb::kNo);
    f.cmdNewPlot.click();
    ASSERT_TRUE(pressed);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.last().prompt, "Do you want to stop the calculation?");
    EXPECT_EQ(messages.last().title, "Calculation in progress!");
    EXPECT_EQ(messages.last().style, mb::kYesNo);
    EXPECT_EQ(orderAfter, orderBefore);
    EXPECT_EQ(f.mieWork.status, MieStatus::Done);
    EXPECT_EQ(f.runProgress.loopN, f.runProgress.termCount);
    EXPECT_EQ(f.codes.runState, 1);
    EXPECT_GT(f.results.qSca, 0);
}

TEST_F(NewPlotTest, StopAnsweredYesEndsWithTheEmptyFrame) {
    Form1& f = start(true);
    f.txtRadius.setText("20");
    bool pressed = false;
    std::int32_t orderBefore = 0, orderAfter = 0;
    runtime.setPumpHook([&] {
        if (pressed || !f.cmdStop.visible()) return;
        pressed = true;
        orderBefore = f.runProgress.loopN;
        f.cmdStop.click();
        orderAfter = f.runProgress.loopN;
        EXPECT_EQ(f.codes.runState, 4);
    });
    messages.clear();
    messages.answer(mb::kYes);
    const int beeps = runtime.beepCount();
    f.clearDrawLog();
    f.cmdNewPlot.click();
    ASSERT_TRUE(pressed);
    EXPECT_EQ(orderAfter, orderBefore);  // Stop moves no loop counter
    EXPECT_EQ(f.mieWork.status, MieStatus::Stopped);
    EXPECT_LT(f.runProgress.loopN, f.runProgress.termCount);
    EXPECT_FALSE(f.txtProgress.visible());
    EXPECT_FALSE(f.Label16.visible());
    EXPECT_FALSE(f.cmdStop.visible());
    EXPECT_FALSE(f.cmdStop.enabled());
    EXPECT_EQ(f.codes.runState, 1);
    expectCommonEnd(f, beeps);

    // After the last clear the window shows exactly the frame from 0 to 180 by 1 to 10000.
    const std::vector<DrawOp> run = f.drawLog();
    const std::size_t cls = LastCls(run);
    ASSERT_LT(cls, run.size());
    f.clearDrawLog();
    double x0 = 0, x1 = 180, y0 = 1, y1 = 10000;
    f.Grid(f.graph.graphLeft, f.graph.graphRight, f.graph.graphTop, f.graph.graphBottom, x0, x1, y0, y1);
    const std::vector<DrawOp> frame = f.drawLog();
    ASSERT_LE(cls + frame.size(), run.size());
    for (std::size_t i = 0; i < frame.size(); ++i) {
        EXPECT_EQ(run[cls + i].kind, frame[i].kind) << i;
        EXPECT_EQ(run[cls + i].text, frame[i].text) << i;
        EXPECT_EQ(run[cls + i].y1, frame[i].y1) << i;
    }
    for (std::size_t i = cls + frame.size(); i < run.size(); ++i)  // no curve in the box after the frame
        if (run[i].kind == DrawOp::Kind::Line) {
            EXPECT_LT(run[i].y1, f.graph.graphTop) << i;
        }
}

// A stopped angle graph ends on the empty frame over the angle range the run asked for.
TEST_F(NewPlotTest, StopLeavesTheFrameOfTheRunsAngleRange) {
    for (const auto& [from, to] : {std::pair{100.0, 180.0}, {0.0, 90.0}}) {
        Form1& f = start(true);
        f.txtRadius.setText("20");
        f.txtXmin.setText(CStr(from));
        f.txtXmax.setText(CStr(to));
        runtime.setPumpHook([&f] {
            if (f.codes.runState != 4 && f.cmdStop.visible()) f.cmdStop.click();
        });
        messages.clear();
        messages.answer(mb::kYes);
        f.clearDrawLog();
        f.cmdNewPlot.click();
        runtime.setPumpHook({});
        ASSERT_EQ(f.mieWork.status, MieStatus::Stopped) << from;

        const std::vector<DrawOp> run = f.drawLog();
        const std::size_t cls = LastCls(run);
        ASSERT_LT(cls, run.size());
        f.clearDrawLog();
        double x0 = from, x1 = to, y0 = 1, y1 = 10000;
        f.Grid(f.graph.graphLeft, f.graph.graphRight, f.graph.graphTop, f.graph.graphBottom, x0, x1, y0, y1);
        const std::vector<DrawOp> frame = f.drawLog();
        ASSERT_LE(cls + frame.size(), run.size()) << from;
        for (std::size_t i = 0; i < frame.size(); ++i) {
            EXPECT_EQ(run[cls + i].kind, frame[i].kind) << from << " " << i;
            EXPECT_EQ(run[cls + i].text, frame[i].text) << from << " " << i;
            EXPECT_EQ(run[cls + i].x1, frame[i].x1) << from << " " << i;
        }
    }
}

TEST_F(NewPlotTest, NoSecondRunStartsWhileOneIsUnderWay) {
    Form1& f = start();
    int tries = 0;
    int beepsInside = 0;
    runtime.setPumpHook([&] {
        if (tries > 0 || !f.cmdStop.visible()) return;
        ++tries;
        const int before = runtime.beepCount();
        f.cmdNewPlot_Click();
        f.cmdOverPlot_Click();
        beepsInside = runtime.beepCount() - before;
        EXPECT_TRUE(f.windowState.inputsLocked);
        EXPECT_EQ(f.codes.runState, 1);
    });
    f.cmdNewPlot.click();
    EXPECT_EQ(tries, 1);
    EXPECT_EQ(beepsInside, 2);
    EXPECT_EQ(f.mieWork.status, MieStatus::Done);
}

// ---------------------------------------------------------------------------------------------
// Overplot

TEST_F(NewPlotTest, OverplotDrawsOverTheGraphOnShow) {
    Form1& f = start(true);
    const double yMin = f.graph.yAxisMin, yMax = f.graph.yAxisMax;
    const std::vector<double> before = f.results.intensityPerp;
    f.txtRadius.setText("5");
    f.clearDrawLog();
    f.cmdOverPlot.click();
    const std::vector<DrawOp>& log = f.drawLog();
    EXPECT_EQ(LastCls(log), log.size());  // nothing cleared, no new frame
    EXPECT_GT(
        std::count_if(log.begin(), log.end(), [](const DrawOp& op) { return op.kind == DrawOp::Kind::Line; }),
        1000);
    EXPECT_EQ(f.graph.yAxisMin, yMin);
    EXPECT_EQ(f.graph.yAxisMax, yMax);
    EXPECT_NE(f.results.intensityPerp[1], before[1]);  // the 5 um sphere
    EXPECT_NEAR(f.calc.sizeParam, 96.66439 / 2, 1e-4);
    EXPECT_EQ(f.codes.runState, 1);
    EXPECT_EQ(f.runFlags.resultsStale, 0);
    EXPECT_FALSE(f.windowState.inputsLocked);
    EXPECT_TRUE(f.cmdOverPlot.visible());
}

// An overplot over another x range is drawn on the axis of the graph on show, each value at the x it
// was computed at (angles 20 to 40 over 0 to 180; radii 2 to 6 over 1 to 10), not stretched over it.
TEST_F(NewPlotTest, OverplotOfAnotherRangeLiesAtItsOwnX) {
    // The graph; minimum, maximum and step of the graph on show, then of the overplot.
    const std::array<const char*, 7> cases[] = {
        {"Intensity v. scattering angle", "0", "180", "1", "20", "40", "0.5"},
        {"Intensity v. radius", "1", "10", "1", "2", "6", "0.5"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c[0]);
        Form1& f = start(true);
        test::Type(f.cboGraph, c[0]);
        const auto run = [&](std::size_t at, CommandButton& button) {
            test::Type(f.txtXmin, c[at]), test::Type(f.txtXmax, c[at + 1]), test::Type(f.cboStep, c[at + 2]);
            f.clearDrawLog();
            test::Press(button);
        };
        run(1, f.cmdNewPlot);
        run(4, f.cmdOverPlot);
        const auto X = [&](const char* x) {  // on the axis on show
            const double from = Val(c[1]),
                         perX = (f.graph.graphRight - f.graph.graphLeft) / (Val(c[2]) - from);
            return f.graph.graphLeft + (Val(x) - from) * perX;
        };
        double lowest = 1e30, highest = -1e30;
        for (const DrawOp& op : f.drawLog())  // the curves: not the black frame, nor the legend above it
            if (op.kind == DrawOp::Kind::Line && op.colour != 0 && op.y1 >= f.graph.graphTop &&
                op.y1 <= f.graph.graphBottom)
                lowest = std::min({lowest, op.x1, op.x2}), highest = std::max({highest, op.x1, op.x2});
        EXPECT_NEAR(lowest, X(c[4]), 1.0);
        EXPECT_NEAR(highest, X(c[5]), 1.0);
    }
}

// ---------------------------------------------------------------------------------------------
// Inputs that would divide by zero

TEST_F(NewPlotTest, RadiusOrWavelengthZeroEndsWithAMessage) {
    for (const char* box : {"radius", "wavelength"}) {
        SCOPED_TRACE(box);
        Form1& f = start();
        if (std::string(box) == "radius")
            f.txtRadius.setText("0");
        else
            f.txtLambda.setText("0");
        messages.clear();
        const int beeps = runtime.beepCount();
        const int stale = f.runFlags.resultsStale;
        f.cmdNewPlot.click();
        EXPECT_FALSE(messages.shown().empty());
        expectCommonEnd(f, beeps, stale);
        EXPECT_TRUE(allFinite(f.results.intensityPerp));
    }
}

TEST_F(NewPlotTest, TheDriverRefusesAZeroSizeThroughTheSeries) {
    Form1& f = start(true);
    f.txtRadius.setText("0");
    messages.clear();
    f.clearDrawLog();
    f.codes.runState = 1;
    f.Overplot();  // without the input checks of the command
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.last().title, "Error in BHMIE sub-routine");
    EXPECT_EQ(messages.last().prompt, "Size parameter x = 0 is not a finite number above 0");
    EXPECT_EQ(f.codes.runState, 4);
    EXPECT_LT(LastCls(f.drawLog()), f.drawLog().size());

    f.txtRadius.setText("10");
    f.txtLambda.setText("0");
    f.codes.runState = 1;
    messages.clear();
    f.Overplot();
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.last().title, "Error in BHMIE sub-routine");
    EXPECT_EQ(f.codes.runState, 4);
}

TEST_F(NewPlotTest, AStepOfZeroIsRefusedByTheDriver) {
    Form1& f = start();
    f.cboStep.setText("0");
    messages.clear();
    f.codes.runState = 1;
    f.Overplot();
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.last().prompt, "    The red highlighted data entry is incorrect.    ");
    EXPECT_EQ(messages.last().title, "Input error");
    EXPECT_EQ(f.codes.runState, 4);
}

}  // namespace
}  // namespace tessary
