// Replot on the real main window after start-up's first graph (Mie, 0 to 180 degrees at 0.1, one
// wavelength): a narrower x range is redrawn at once from the stored curves, a wider one runs New
// plot; stale results and changed calculation inputs refuse without drawing; the single and two-panel
// angle graphs, the phase function and absolute units; the common end; the redraw guard.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "graphs/graph_codes.h"
#include "mainwindow/form1.h"
#include "numerics/complex.h"
#include "runs/method_codes.h"
#include "tests/platform/ui/ui_test_support.h"
#include "tests/support/rel_error.h"

namespace tessary {
namespace {

constexpr OleColor kYellow = 65535;
constexpr OleColor kRed = 255;
constexpr OleColor kWhite = 16777215;

class ReplotTest : public test::UiTest {
  protected:
    ReplotTest() {
        runtime.setModalHook([](Form& f) { f.hide(); });
        runtime.setEndHandler([](int) {});
        form = std::make_unique<Form1>();
        form->setRecording(true);
        form->load();  // start-up computes and draws the default graph
        form->clearDrawLog();
        messages.clear();
        beeps = runtime.beepCount();
        storedPerp = form->results.intensityPerp;
        storedS1 = form->results.s1Amp;
    }
    ~ReplotTest() override { form.reset(); }

    Form1& f() { return *form; }

    std::size_t count(DrawOp::Kind kind) const {
        std::size_t n = 0;
        for (const DrawOp& op : form->drawLog())
            if (op.kind == kind) ++n;
        return n;
    }
    // A plot box filled from (graphLeft, top) to (graphRight, bottom).
    bool plotBoxDrawn(double top, double bottom) const {
        for (const DrawOp& op : form->drawLog())
            if (op.kind == DrawOp::Kind::FilledBox && op.x1 == form->graph.graphLeft &&
                op.x2 == form->graph.graphRight && std::abs(op.y1 - top) < 1e-3 &&
                std::abs(op.y2 - bottom) < 1e-3)
                return true;
        return false;
    }
    // Nothing was computed: the stored amplitudes and intensities are those of start-up's run.
    void expectNothingComputed() {
        EXPECT_EQ(form->results.s1Amp[0], storedS1[0]);
        EXPECT_EQ(form->results.s1Amp[1], storedS1[1]);
        EXPECT_EQ(form->results.intensityPerp, storedPerp);
        EXPECT_EQ(runtime.beepCount(), beeps);  // New plot ends with a beep
    }
    // The state every completed redraw leaves.
    void expectCommonEnd() {
        Form1& w = f();
        EXPECT_FALSE(w.windowState.inputsLocked);
        EXPECT_EQ(w.mousePointer(), 1);
        EXPECT_FALSE(w.cmdReplot.visible());
        EXPECT_FALSE(w.cmdReplot.enabled());
        EXPECT_TRUE(w.cmdNewPlot.isDefault());
        EXPECT_EQ(w.codes.runState, 1);
        EXPECT_EQ(w.runFlags.resultsStale, 0);
        EXPECT_EQ(w.runFlags.resultsFromFile, 0);
        EXPECT_EQ(w.runFlags.inputError, 0);
        EXPECT_TRUE(w.cboLee.enabled());
        EXPECT_EQ(w.cboGraph.backColor(), kWhite);
        EXPECT_EQ(w.codes.simulationMode, 0);
        EXPECT_EQ(w.codes.prevGraphCode, w.codes.graphCode);
        EXPECT_EQ(w.codes.prevGraphSubCode, w.codes.graphSubCode);
    }

    std::unique_ptr<Form1> form;
    int beeps = 0;
    std::vector<double> storedPerp;
    Form1::ComplexTable storedS1;
};

// ---------------------------------------------------------------------------------------------
// The x range

TEST_F(ReplotTest, NarrowerRangeIsRedrawnAtOnceFromTheStoredCurves) {
    f().txtXmin.setText("20");
    f().txtXmax.setText("100");
    ASSERT_TRUE(f().cmdReplot.visible());  // the boxes offer Replot for a range inside the stored one
    f().cmdReplot.click();

    expectNothingComputed();
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(f().txtX1min.text(), "0");  // the stored range stays that of the run
    EXPECT_EQ(f().txtX2Max.text(), "180");
    EXPECT_EQ(f().graph.xMin, 20);
    EXPECT_EQ(f().graph.xMax, 100);
    EXPECT_EQ(f().angleGrid.angleCount, 901);
    EXPECT_EQ(f().angleGrid.firstPoint, 201);
    EXPECT_EQ(f().angleGrid.lastPoint, 1001);
    EXPECT_EQ(f().angleGrid.windowFirst, std::max(201 - f().light.sunDiscSteps, 1));
    EXPECT_EQ(f().angleGrid.windowLast, 1001 + f().light.sunDiscSteps);
    EXPECT_EQ(count(DrawOp::Kind::Cls), 1u);
    EXPECT_GT(count(DrawOp::Kind::Line), 800u);  // the curves over 800 steps of 0.1 degree
    EXPECT_TRUE(plotBoxDrawn(f().graph.graphTop, f().graph.graphBottom));
    expectCommonEnd();
}

TEST_F(ReplotTest, WiderRangeRunsNewPlot) {
    f().txtXmin.setText("20");
    f().txtXmax.setText("100");
    f().cmdNewPlot.click();
    ASSERT_EQ(f().txtX1min.text(), "20");
    ASSERT_EQ(f().results.intensityPerp[1], 0);  // 0 degrees lies outside this run's window
    const int before = runtime.beepCount();

    f().txtXmin.setText("0");
    f().cmdReplot.click();

    EXPECT_EQ(runtime.beepCount(), before + 1);
    EXPECT_EQ(f().txtX1min.text(), "0");
    EXPECT_EQ(f().txtX2Max.text(), "100");
    EXPECT_EQ(f().angleGrid.firstPoint, 1);
    EXPECT_REL_NEAR(f().results.intensityPerp[1], storedPerp[1], 1e-12);  // computed again
    EXPECT_FALSE(f().windowState.inputsLocked);
    EXPECT_FALSE(f().cmdReplot.visible());
    EXPECT_EQ(f().runFlags.resultsStale, 0);
}

// ---------------------------------------------------------------------------------------------
// Refusals

TEST_F(ReplotTest, StaleResultsRefuseWithTheButtonHidden) {
    f().txtRefractReal.setText("1.5");  // a calculation input: the results are out of date
    ASSERT_EQ(f().runFlags.resultsStale, 1);
    f().offerReplot();
    f().cmdReplot.click();

    EXPECT_FALSE(f().cmdReplot.visible());
    EXPECT_FALSE(f().cmdReplot.enabled());
    EXPECT_FALSE(f().windowState.inputsLocked);
    EXPECT_EQ(f().mousePointer(), 1);
    EXPECT_EQ(f().runFlags.resultsStale, 1);
    EXPECT_TRUE(f().drawLog().empty());
    EXPECT_TRUE(messages.shown().empty());
    expectNothingComputed();
}

TEST_F(ReplotTest, ChangedCalculationInputTurnsRedAndNothingIsDrawn) {
    struct Case {
        const char* name;
        std::vector<std::string> yellow;
        std::string red;
    };
    const std::vector<Case> cases{{"wavelengths", {"cboWave"}, "cboWave"},
                                  {"step", {"cboStep"}, "cboStep"},
                                  {"radius", {"txtRadius"}, "txtRadius"},
                                  {"wavelengths first", {"txtRadius", "cboStep", "cboWave"}, "cboWave"},
                                  {"step before radius", {"txtRadius", "cboStep"}, "cboStep"}};
    Form1& w = f();
    const std::vector<std::pair<std::string, Control*>> boxes{
        {"cboWave", &w.cboWave}, {"cboStep", &w.cboStep}, {"txtRadius", &w.txtRadius}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        w.clearDrawLog();
        for (const auto& [name, box] : boxes) box->setBackColor(kWhite);
        for (const std::string& name : c.yellow)
            for (const auto& [boxName, box] : boxes)
                if (boxName == name) box->setBackColor(kYellow);
        w.runFlags.resultsStale = 0;
        w.cmdReplot.click();

        for (const auto& [name, box] : boxes) EXPECT_EQ(box->backColor() == kRed, name == c.red) << name;
        EXPECT_TRUE(w.drawLog().empty());
        EXPECT_FALSE(w.windowState.inputsLocked);
        EXPECT_TRUE(messages.shown().empty());
        expectNothingComputed();
    }
}

TEST_F(ReplotTest, StepTypedSinceTheRunDrawsOnTheRunsGrid) {
    // A step typed since the run (here with its mark cleared) does not change the grid the stored
    // curves are drawn on: that is the run's own.
    f().cboStep.setText("0.2");
    f().cboStep.setBackColor(kWhite);
    f().runFlags.resultsStale = 0;
    f().clearDrawLog();
    f().cmdReplot.click();

    EXPECT_NE(f().cboStep.backColor(), kRed);
    EXPECT_EQ(f().runRecord.stepText, "0.1");
    expectNothingComputed();
    EXPECT_EQ(f().angleGrid.angleCount, 901);
    EXPECT_GT(count(DrawOp::Kind::Line), 800u);
    EXPECT_FALSE(f().windowState.inputsLocked);
    expectCommonEnd();
}

TEST_F(ReplotTest, RefusedWhileARunHasTheInputsLocked) {
    f().LockON();
    f().cmdReplot.click();
    EXPECT_EQ(runtime.beepCount(), beeps + 1);
    EXPECT_TRUE(f().drawLog().empty());
    EXPECT_TRUE(f().windowState.inputsLocked);
    f().LockOFF();
}

TEST_F(ReplotTest, FailedInputCheckEndsThroughTheCommonEnd) {
    f().txtXmin.setText("100");
    f().txtXmax.setText("50");
    f().cmdReplot.click();
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(count(DrawOp::Kind::Cls), 0u);
    expectNothingComputed();
    expectCommonEnd();
}

// ---------------------------------------------------------------------------------------------
// Angle graphs at one wavelength

TEST_F(ReplotTest, IntensityAndPhaseWithPolarPlotDrawsTheSinglePanel) {
    const float T = f().graph.graphTop, B = f().graph.graphBottom;
    const double upperBottom = T + 0.45 * (B - T), lowerTop = T + 0.55 * (B - T);
    f().mnuAmpPhase.setChecked(true);
    f().mnuPolarPlot.setChecked(true);
    f().cmdReplot.click();
    EXPECT_FALSE(plotBoxDrawn(T, upperBottom));
    EXPECT_FALSE(plotBoxDrawn(lowerTop, B));
    EXPECT_GT(count(DrawOp::Kind::Line), 1000u);
    expectCommonEnd();

    // Without the polar plot the same results come in two panels.
    f().clearDrawLog();
    f().mnuPolarPlot.setChecked(false);
    f().cmdReplot.click();
    EXPECT_TRUE(plotBoxDrawn(T, upperBottom));
    EXPECT_TRUE(plotBoxDrawn(lowerTop, B));
}

TEST_F(ReplotTest, IntensityAndPhaseDrawsTwoPanelsFromTheAmplitudes) {
    const float T = f().graph.graphTop, B = f().graph.graphBottom;
    f().mnuAmpPhase.setChecked(true);
    f().cmdReplot.click();

    EXPECT_TRUE(plotBoxDrawn(T, T + 0.45 * (B - T)));
    EXPECT_TRUE(plotBoxDrawn(T + 0.55 * (B - T), B));
    EXPECT_FALSE(plotBoxDrawn(T, B));
    EXPECT_EQ(f().graph.graphTop, T);  // the full box again afterwards
    EXPECT_EQ(f().graph.graphBottom, B);
    EXPECT_EQ(f().graph.phasePanel, 0);
    for (std::size_t j : {1u, 451u, 1381u, 1801u}) {
        SCOPED_TRACE(j);
        const double re1 = f().results.s1Amp[0][j], im1 = f().results.s1Amp[1][j];
        const double re2 = f().results.s2Amp[0][j], im2 = f().results.s2Amp[1][j];
        EXPECT_EQ(f().results.avgPerp[j], PhaseDegrees(re1, im1));
        EXPECT_EQ(f().results.avgPara[j], PhaseDegrees(re2, im2));
        EXPECT_EQ(f().results.avgUnpol[j], PhaseDegrees((re1 + re2) / 2, (im1 + im2) / 2));
    }
    expectNothingComputed();
    expectCommonEnd();
}

TEST_F(ReplotTest, PhaseFunctionFromTheGraphListIsRedrawnFromTheStoredCurves) {
    f().cboGraph.setText("Phase function");  // among angle graphs the list replots at once
    EXPECT_EQ(f().codes.graphSubCode, kSubPhaseFunction);
    EXPECT_REL_NEAR(
        f().results.scatNorm,
        f().results.qSca * 3.14159265358979 * f().calc.sizeParam * f().calc.sizeParam / 12.56637061435916,
        1e-15);
    for (std::size_t j : {1u, 900u, 1801u}) {
        EXPECT_EQ(f().results.avgPerp[j], storedPerp[j] / f().results.scatNorm);
        EXPECT_EQ(f().results.avgUnpol[j], f().results.intensityUnpol[j] / f().results.scatNorm);
    }
    EXPECT_GT(count(DrawOp::Kind::Line), 1000u);
    EXPECT_TRUE(messages.shown().empty());
    expectNothingComputed();
    expectCommonEnd();
}

TEST_F(ReplotTest, AbsoluteUnitsScaleByIncidentIntensityDistanceAndWaveNumber) {
    f().dlogIncident_->txtDistance.setText("2");
    f().dlogIncident_->txtIncidentPD.setText("8");
    f().cboGraph.setText("Watts/sq. m. v. scattering angle");
    ASSERT_EQ(f().codes.graphSubCode, kSubWatts);
    ASSERT_GT(f().calc.waveNumberSq, 1);  // k^2 of the wavelength in the medium, per square metre
    const double factor = 8.0 / (2.0 * 2.0) / f().calc.waveNumberSq;
    for (std::size_t j : {1u, 900u, 1801u}) {
        EXPECT_EQ(f().results.avgPerp[j], storedPerp[j] * factor);
        EXPECT_EQ(f().results.avgPara[j], f().results.intensityPara[j] * factor);
    }
    EXPECT_TRUE(messages.shown().empty());
    expectNothingComputed();
    expectCommonEnd();
}

TEST_F(ReplotTest, PhaseFunctionWithoutScatteringIsRefusedAndTheRedrawEnds) {
    f().codes.graphSubCode = kSubPhaseFunction;
    f().runRecord.qSca = 0;  // a redraw scales by the efficiency of the results on show, their record's
    f().cmdReplot.click();
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.last().prompt, "The phase function needs a scattering efficiency above 0 (Qsca = 0)");
    expectCommonEnd();
}

// ---------------------------------------------------------------------------------------------
// Common end and guard

TEST_F(ReplotTest, CommonEndReleasesTheInputsAndMarksTheResultsCurrent) {
    f().codes.simulationMode = 1;
    f().cboGraph.setBackColor(kYellow);
    f().cboLee.setEnabled(false);
    f().cboYmax.setBackColor(kYellow);
    f().txtXmin.setBackColor(kYellow);
    f().offerReplot();
    f().cmdReplot.click();
    EXPECT_EQ(f().cboYmax.backColor(), kWhite);
    EXPECT_EQ(f().txtXmin.backColor(), kWhite);
    EXPECT_TRUE(f().cmdOverPlot.enabled());
    expectCommonEnd();
}

TEST_F(ReplotTest, ResultsFromAFileAreRedrawnDespiteAYellowStep) {
    f().runFlags.resultsFromFile = 1;
    f().cboStep.setBackColor(kYellow);  // no calculation input is tested for results from a file
    f().cmdReplot.click();
    EXPECT_GT(count(DrawOp::Kind::Line), 1000u);
    EXPECT_NE(f().cboStep.backColor(), kRed);
    expectCommonEnd();  // and the results no longer count as read from a file
}

TEST_F(ReplotTest, TheRunsLabelAndTitleStayWhateverTheListsSayNow) {
    const std::string title = f().caption(), label = f().lblDebyeRays.caption();
    f().codes.calcMethod = kMethodDebye;  // the Debye series with order 1 chosen since the Mie run
    f().cboRays.setText("1");
    f().runFlags.resultsStale = 0;
    f().setCaption("old title");
    f().cmdReplot.click();
    EXPECT_EQ(f().caption(), title);
    EXPECT_EQ(f().lblDebyeRays.caption(), label);
    EXPECT_EQ(title.rfind("Mie scattering", 0), 0u) << title;
    expectCommonEnd();
}

TEST_F(ReplotTest, DisplayOptionsChosenDuringARedrawStartNoSecondRedraw) {
    Form1& w = f();
    int presses = 0;
    w.cmdReplot.onClick = [&] {
        ++presses;
        w.cmdReplot_Click();
    };
    bool busy = false, nested = true;
    runtime.setMessageBoxResponder([&](const MessageBoxRequest&) {
        busy = w.RedrawBusy();
        nested = w.ReplotIfIdle();
        w.mnuAmpPhase_Click();  // changes its mark only
        return mb::kOk;
    });
    // The input check's message is shown from inside the redraw.
    w.txtXmin.setText("100");
    w.txtXmax.setText("50");
    w.cboPol.setText("Parallel");  // a display option: replots through ReplotIfIdle

    EXPECT_EQ(presses, 1);
    EXPECT_TRUE(busy);
    EXPECT_FALSE(nested);
    EXPECT_TRUE(w.mnuAmpPhase.checked());
    EXPECT_EQ(w.windowState.redrawDepth, 0);
    EXPECT_FALSE(w.windowState.inputsLocked);
}

}  // namespace
}  // namespace tessary
