// Sweeps over an x variable and size-distribution averages on the main window: the step table, the
// stored values against an independent arbitrary-precision Mie code, logarithmic steps, the averages
// over Log-normal and histogram samples, the refusals and Stop.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <tuple>

#include "files/text_export.h"
#include "graphs/graph_codes.h"
#include "mainwindow/form1.h"
#include "numerics/worker_pool.h"
#include "runs/sweep_steps.h"
#include "tests/mainwindow/window_driver.h"
#include "tests/support/child_run.h"
#include "tests/platform/ui/ui_test_support.h"
#include "tests/support/rel_error.h"

namespace tessary {
namespace {

TEST(SweepSteps, StepTableAndAngleGrid) {
    const std::optional<SweepPlan> p = PlanSweep(kGraphRadius, 0.01, 100, 0.01, 100, 4, true);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->lastPoint, 5);
    for (int i = 1; i <= 5; ++i) EXPECT_REL_NEAR(p->x(i), std::pow(10.0, i - 3), 1e-14);
    // Logarithmic steps in double: x(k + 1) = xmin r^k, r = (xmax/xmin)^(1/N), ending on xmax (Python:
    // 0.1 * 10 ** (k / 1000) for 0.1 to 1000 in 4000 steps; 1000 exactly at k = 4000).
    for (const auto& [code, lo, hi, n] :
         {std::tuple{16, 0.1, 1000.0, 4000}, {11, 0.01, 100.0, 4000}, {10, 380.0, 700.0, 7}}) {
        const std::optional<SweepPlan> q = PlanSweep(code, lo, hi, lo, hi, n, true);
        ASSERT_TRUE(q);
        ASSERT_EQ(q->lastPoint, n + 1);
        const long double r = std::pow(static_cast<long double>(hi) / lo, 1.0L / n);
        for (int k = 0; k <= n; ++k)
            EXPECT_REL_NEAR(q->x(k + 1), static_cast<double>(lo * std::pow(r, static_cast<long double>(k))),
                            1e-13);
        EXPECT_REL_NEAR(q->x(n + 1), hi, 1e-12);
    }
    EXPECT_EQ(PlanSweep(kGraphIndex, 1.3, 1.4, 1.3, 1.4, 0.01, true)->lastPoint, 11);  // always linear
    EXPECT_EQ(PlanSweep(kGraphConvergence, 1, 2, 1, 2, 0.1, false)->lastPoint, 1);
    EXPECT_EQ(PlanSweep(kGraphEfficiency, 0, 10, 0, 10, 1, false)->firstPoint, 2);  // no zero radius
    EXPECT_FALSE(PlanSweep(kGraphRadius, 1, 2, 1, 2, 1e-9, false));
    for (const auto& [theta, count, index] :
         {std::tuple{30.0, 4, 2}, {0.0, 2, 1}, {178.0, 46, 90}, {178.37, 9001, 17838}}) {
        EXPECT_EQ(AngleGridFor(theta)->angleCount, count);
        EXPECT_EQ(AngleGridFor(theta)->angleIndex, index);
    }
    EXPECT_FALSE(AngleGridFor(178.3701));
}

class SweepTest : public test::UiTest {
  protected:
    SweepTest() {
        runtime.setModalHook([](Form& dialog) { dialog.hide(); });
        runtime.setEndHandler([](int) {});
        f.load();
        messages.clear();
    }
    // Chooses a graph, its range, the index and the angle, then runs New plot.
    void run(const std::string& graph, const std::string& lo, const std::string& hi, const std::string& step,
             const std::string& mIm = "0") {
        f.cboGraph.setText(graph);
        f.mnuXStepLog.setChecked(false);
        f.mnuInvWavelength.setChecked(false);
        for (auto [box, text] : {std::pair{&f.txtXmin, lo},
                                 {&f.txtXmax, hi},
                                 {&f.txtAngle, std::string("178")},
                                 {&f.txtRefractReal, std::string("1.33")},
                                 {&f.txtRefractImag, mIm}})
            box->setText(text);
        f.cboStep.setText(step);
        f.cmdNewPlot.click();
        ASSERT_TRUE(messages.shown().empty()) << messages.last().prompt;
    }
    void disperse(const char* kind, const char* sd, const char* n) {
        f.optDisp.setValue(true);
        f.cboDistrib.setText(kind);
        f.cboSD.setText(sd);
        f.cboN.setText(n);
    }
    std::unique_ptr<Form1> form = std::make_unique<Form1>();
    Form1& f = *form;
};

TEST_F(SweepTest, OraclesOfTheStoredValues) {
    struct Case {
        const char *graph, *lo, *hi, *step, *mIm;
        std::size_t i;
        double perp, para, unpol;  // para, unpol < 0: not compared
    };
    const Case cases[] = {
        {"Qext/Qsca/Qabs v. size x", "1", "50", "1", "0", 1, 0.09392400121407, 0.09392400121407, 0},
        {"Qext/Qsca/Qabs v. size x", "1", "50", "1", "0", 10, 2.206548710185, 2.206548710185, 0},
        {"Qext/Qsca/Qabs v. size x", "1", "50", "1", "0", 50, 1.979886284601, 1.979886284601, 0},
        {"Qext/Qsca/Qabs v. size x", "1", "50", "1", "0.01", 10, 2.249240908064, 1.872112060543,
         0.3771288475208},
        {"Asymmetry parameter v. size x", "1", "50", "1", "0", 10, 0.7124592696733, -1, -1},
        {"Asymmetry parameter v. size x", "1", "50", "1", "0", 50, 0.8507267028737, -1, -1},
        // scripts/mie_small_reference_values.py (the upward recurrence of psi_n gave -8.2e-8)
        {"Asymmetry parameter v. size x", "0.0001", "0.01", "0.001", "0", 1, 1.8327783252121158e-9, -1, -1},
        {"Cext/Csca/Cabs v. radius", "0.5", "2", "0.5", "0", 2, 7.1725945873e-12, -1, -1},  // r = 1 um
        {"Intensity v. size parameter x", "80", "90", "2", "0", 5, 1031.721143913, 7825.613794453, -1},
        {"Intensity v. size parameter x", "80", "90", "2", "0", 6, 1933.8430054, 2127.806319596, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.graph) + " " + std::to_string(c.i));
        run(c.graph, c.lo, c.hi, c.step, c.mIm);
        EXPECT_REL_NEAR(f.results.intensityPerp[c.i], c.perp, 1e-10);
        if (c.para >= 0) {
            EXPECT_REL_NEAR(f.results.intensityPara[c.i], c.para, 1e-10);
        }
        if (c.unpol >= 0) {
            EXPECT_NEAR(f.results.intensityUnpol[c.i], c.unpol, 1e-15 + 1e-10 * c.unpol);  // Qabs
        }
    }
    EXPECT_EQ(f.angleGrid.angleIndex, 90);
}

// A clear sphere absorbs nothing: Qabs = Qext - Qsca is stored (and so exported) as 0, not as the
// rounding residue of the difference (-1.4e-17 and the like); a true difference is kept.
TEST(SweepSteps, AbsorptionWithinTheRoundingOfQextIsZero) {
    const double eps = 2.220446049250313e-16;
    const struct {
        double qExt, qSca, qAbs;
    } cases[] = {
        {2.0, 2.0 + 2 * eps, 0},
        {2.0, 2.0 - 8 * eps, 0},
        {0.09392400121407, 0.09392400121407 * (1 - 4 * eps), 0},
        {1.0, 1.0 - 1e-14, 1.0 - (1.0 - 1e-14)},
        {2.249240908064, 1.872112060543, 2.249240908064 - 1.872112060543},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.qSca);
        for (int sub : {1, 3})
            EXPECT_EQ(
                StoredSweepValues(kGraphEfficiency, sub, {{}, {}, c.qExt, c.qSca, 0}, 1, false, 1)->unpol,
                c.qAbs);
    }
}

TEST_F(SweepTest, ClearSphereStoresQabsZeroAtEveryStep) {
    run("Qext/Qsca/Qabs v. size x", "1", "50", "1", "0");
    for (std::size_t i = 1; i <= 50; ++i) EXPECT_EQ(f.results.intensityUnpol[i], 0.0) << i;
}

// The curves of an efficiency graph follow the index the run used, not the index model's: with
// 0.001 typed as the imaginary part (the model's is 0) Qext, Qsca and Qabs are drawn, as the legend
// lists them, after the run and on Replot; a clear sphere has the one curve Qext = Qsca.
TEST_F(SweepTest, EfficiencyCurvesFollowTheIndexTheRunUsed) {
    // The curves drawn: the colours of the sloped segments inside the graph, each with how many.
    const auto curveColours = [&] {
        std::map<OleColor, int> segments;
        for (const DrawOp& op : f.drawLog())
            if (op.kind == DrawOp::Kind::Line && op.x1 != op.x2 && op.y1 != op.y2 &&
                op.x1 > f.graph.graphLeft && op.x2 < f.graph.graphRight)
                ++segments[op.colour];
        return std::count_if(segments.begin(), segments.end(), [](const auto& s) { return s.second >= 10; });
    };
    f.setRecording(true);
    for (const auto& [imaginary, curves, legend] :
         {std::tuple{"0.001", 3, "Qabs"}, {"0", 1, "Qext = Qsca   Qabs = 0"}}) {
        SCOPED_TRACE(imaginary);
        test::Choose(f.cboGraph, "Qext/Qsca/Qabs v. radius");
        test::Type(f.txtRefractImag, imaginary);
        f.clearDrawLog();
        test::Press(f.cmdNewPlot);
        ASSERT_EQ(f.indexState.relIndexIm, 0.0);  // the model's
        EXPECT_EQ(curveColours(), curves);
        EXPECT_TRUE(std::ranges::any_of(f.drawLog(), [&](const DrawOp& op) { return op.text == legend; }));
        test::Type(f.txtXmax, CStr(test::Shown(f.txtXmax) / 2));
        f.clearDrawLog();
        test::Press(f.cmdReplot);
        EXPECT_EQ(curveColours(), curves);
        EXPECT_TRUE(std::ranges::any_of(f.drawLog(), [&](const DrawOp& op) { return op.text == legend; }));
    }
}

TEST_F(SweepTest, AsymmetryPresetAndConvergence) {
    f.cboGraph.setText("Asymmetry parameter v. radius");
    f.cmdNewPlot.click();
    EXPECT_EQ(f.angleGrid.lastPoint, 4001);
    EXPECT_EQ(f.sweepState.sweepRatio, 1.002305269241333f);
    // The last step is at the labelled 100 um (it was 100.0124 with the ratio in single precision).
    // g at x = 2 pi 100 / 0.65, m = 1.33257035: mpmath Mie at 80 digits (a_n, b_n from D_n(m x) recurred
    // down from above max(N, |m x|) + 60, psi_n, chi_n up from sin, cos; g = 4/(x^2 Qsca) sum[n(n+2)/(n+1)
    // Re(a_n a*_n+1 + b_n b*_n+1) + (2n+1)/(n(n+1)) Re(a_n b*_n)]) = 0.882499776211072.
    EXPECT_REL_NEAR(f.calc.radius, 100.0, 1e-12);
    EXPECT_REL_NEAR(f.results.intensityPerp[4001], 0.882499776211072, 1e-10);
    f.cboGraph.setText("Convergence");
    f.cmdNewPlot.click();
    EXPECT_EQ(f.angleGrid.lastPoint, 1);
    EXPECT_EQ(test::Shown(f.txtXmax), f.runProgress.termCount);
    EXPECT_TRUE(messages.shown().empty());
}

// The wavelength preset runs with the default water model (IAPWS, 150 - 2000 nm for a sweep): a decade
// in 100 logarithmic steps, the last at the labelled 2000 nm.
TEST_F(SweepTest, AsymmetryWavelengthPresetRunsWithTheDefaultModel) {
    f.cboGraph.setText("Asymmetry parameter v. wavelength");
    EXPECT_EQ(f.txtXmin.text(), "200");
    EXPECT_EQ(f.txtXmax.text(), "2000");
    f.cmdNewPlot.click();
    ASSERT_TRUE(messages.shown().empty()) << messages.last().prompt;
    EXPECT_EQ(f.angleGrid.lastPoint, 101);
    EXPECT_REL_NEAR(f.calc.wavelength, 2.0, 1e-12);
    for (std::size_t i = 1; i <= 101; ++i)
        EXPECT_TRUE(f.results.intensityPerp[i] > 0 && f.results.intensityPerp[i] < 1) << i;
}

// Logarithmic steps left ticked by an earlier sweep: the convergence graph still has one point per
// order, in the drawing (the last x drawn is the last order, 148 at x = 96.7) and in the exported
// range (one row per order of the typed range).
TEST_F(SweepTest, ConvergenceIgnoresLogarithmicSteps) {
    f.cboGraph.setText("Asymmetry parameter v. radius");  // ticks logarithmic steps
    f.cboGraph.setText("Convergence");
    ASSERT_TRUE(f.mnuXStepLog.checked());
    f.cmdNewPlot.click();
    ASSERT_TRUE(messages.shown().empty());
    EXPECT_FALSE(f.RunLogSteps());
    EXPECT_EQ(f.runProgress.termCount, 148);
    EXPECT_EQ(f.graph.tickValueX, 148.0);
    const auto range = ExportPointRange(f.runRecord.xMinText, f.runRecord.xMaxText, f.runRecord.stepText,
                                        f.runRecord.xStepLog);
    ASSERT_TRUE(range);
    EXPECT_EQ(range->first, 1);
    EXPECT_EQ(range->second, 200);
}

TEST_F(SweepTest, Refusals) {
    const std::string vdh =
        "This calculation method is available only for graphs against scattering angle at "
        "one wavelength and one size";
    for (const auto& [graph, angle, method, step, menu, kind, waves, prompt] :
         {std::tuple{"Intensity v. radius", "178.37001", "Mie", "0.1", "", "", "1",
                     "The scattering angle must be a multiple of 90/N degrees with N up to 9000"},
          {"Convergence", "178", "Rayleigh", "0.1", "", "", "1",
           "The convergence graph is available only for Mie and Debye calculations"},
          {"Qext/Qsca/Qabs v. radius", "178", "Mie", "0.1", "Gaussian", "", "1",
           "Selected graph type is available only for plane-wave Mie calculations"},
          {"Phase function", "178", "Mie", "0.1", "Gaussian", "", "1",
           "The phase function needs the scattering efficiency Qsca, which the Gaussian-beam series do not "
           "compute: it is available only for a plane wave"},
          {"Intensity v. radius", "178", "Mie", "1e6", "Log", "", "1",
           "Number of steps must be a whole number from 1 to 18000"},
          {"Intensity v. radius", "178", "van de Hulst", "0.1", "", "", "1", vdh.c_str()},
          {"Intensity v. size parameter x", "178", "Huygens", "0.1", "", "", "1", vdh.c_str()},
          {"Qext/Qsca/Qabs v. radius", "178", "Mie", "0.1", "", "Normal", "1",
           "Size distributions are available only for graphs of intensity"},
          {"Intensity v. radius", "178", "Mie", "0.1", "", "Special", "1",
           "Special distributions are not available for graphs against radius or size parameter"}}) {
        f.cboGraph.setText(graph);
        f.txtAngle.setText(angle);
        f.cboType.setText(method);
        f.mnuGaussian.setChecked(std::string(menu) == "Gaussian");
        f.mnuXStepLog.setChecked(std::string(menu) == "Log");
        f.cboStep.setText(step);
        f.dist.sizeHistogram.histLoaded = 1;
        if (*kind) disperse(kind, "1", "5");
        f.cboWave.setText(waves);
        messages.clear();
        f.cmdNewPlot.click();
        ASSERT_FALSE(messages.shown().empty()) << graph;
        EXPECT_EQ(messages.last().prompt, prompt);
        f.mnuGaussian.setChecked(false);
        f.cboType.setText("Mie");
        f.optMono.setValue(true);
    }
}

TEST_F(SweepTest, StopGivesTheEmptyFrameAndOverplotAddsASweep) {
    const std::int64_t before =
        f.sweepState.sweepStepCount;  // Stop at the sweep's first pump, in its first step
    runtime.setPumpHook([&] {
        if (f.sweepState.sweepStepCount > before) f.codes.runState = 4;
    });
    run("Intensity v. size parameter x", "1", "1000", "1");
    EXPECT_EQ(f.codes.runState, 4);
    EXPECT_LT(f.results.intensityPerp[1000], 1e-300);  // the last steps were not computed
    runtime.setPumpHook([] {});
    run("Intensity v. size parameter x", "80", "90", "2");
    const double first = f.results.intensityPerp[5];
    f.cmdOverPlot_Click();
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(f.results.intensityPerp[5], first);
}

// Averages: weights 1/N at r_k = r0 (1 + sigma)^t_k, Log-normal "20", r0 = 1 um, 0.65 um, m = 1.33, 178 deg.
TEST_F(SweepTest, LogNormalAverages) {
    for (const auto& [n, perp, para] :
         {std::tuple{"5", 19.4622138704, 18.2405298621}, {"50", 19.071875832, 18.9794657069}}) {
        for (const std::string graph : {"Intensity v. scattering angle", "Intensity v. radius"}) {
            f.cboGraph.setText(graph);  // its preset selects one size: Disperse afterwards
            f.txtRadius.setText("1");
            disperse("Log-normal", "20", n);
            const bool angle = graph == "Intensity v. scattering angle";
            run(graph, angle ? "0" : "0.5", angle ? "180" : "2", angle ? "0.1" : "0.5");
            const std::size_t j = angle ? 1781 : 2;  // 178 degrees; 1 um
            EXPECT_REL_NEAR(f.results.intensityPerp[j], perp, 1e-9) << n << graph;
            EXPECT_REL_NEAR(f.results.intensityPara[j], para, 1e-9) << n << graph;
            EXPECT_EQ(f.calc.radius, 1.0);  // the nominal radius again
        }
    }
}

TEST_F(SweepTest, ZeroWidthInAMediumAndHistogramWeights) {
    f.indexState.mediumRe = 1.33;  // x = 2 pi r n / lambda in both
    run("Intensity v. radius", "0.5", "2", "0.5");
    const double single = f.results.intensityPerp[2];  // 1 um
    f.sweepState.sweepIndex = 2;
    for (const auto& [kind, weights] :
         {std::pair{"Normal", std::vector<float>{}}, {"Special", {0, 0.25f, 0.75f}}}) {
        f.dist.sizeHistogram = {2, 1, {0, 1, 1}, {}, {0, 1, 1}, weights, 1, 1, 1, 0.75f, 1, ""};
        disperse(kind, "0", "5");
        f.calc.radius = 1;
        ASSERT_TRUE(f.DispCalc());
        EXPECT_REL_NEAR(f.results.intensityPerp[2], single, 1e-13)
            << kind;  // weights sum to 1 without a division
    }
    EXPECT_EQ(f.dist.sampleCount, 2);
}

TEST_F(SweepTest, DistributionPhaseFunctionIntegratesToFourPi) {
    f.cboGraph.setText("Phase function");
    f.txtRadius.setText("1");
    disperse("Log-normal", "20", "5");
    f.cmdNewPlot.click();
    const double h = 0.1 * 0.017453292519943278;  // 2 over theta
    double integral = 0;
    for (std::size_t j = 1; j < 1801; ++j)
        integral +=
            0.5 * h *
            (f.results.avgUnpol[j] * std::sin((j - 1) * h) + f.results.avgUnpol[j + 1] * std::sin(j * h));
    EXPECT_NEAR(integral, 2.0, 2e-3);
}

// Run by the parent in a child process with TESSARY_THREADS set (the steps and samples of several
// threads are computed ahead on the pool): the curves of a size sweep at 178 degrees, of the
// efficiencies against radius, of an index sweep, of a wavelength sweep (the index from the water
// model at each step) and of a Log-normal angle graph around 20 um, raw, where TESSARY_RESULTS_FILE
// says.
TEST_F(SweepTest, WriteCurvesForTheParent) {
    const char* path = std::getenv("TESSARY_RESULTS_FILE");
    if (path == nullptr) GTEST_SKIP() << "runs as a child of SweepTest.SameCurvesForAnyThreadCount";
    std::ofstream out(path, std::ios::binary);
    const int threads = SharedPool().Threads();
    out.write(reinterpret_cast<const char*>(&threads), sizeof threads);
    const auto put = [&](std::size_t count) {
        for (const auto* curve :
             {&f.results.intensityPerp, &f.results.intensityPara, &f.results.intensityUnpol})
            out.write(reinterpret_cast<const char*>(curve->data()),
                      static_cast<std::streamsize>(std::min(count, curve->size()) * sizeof(double)));
    };
    run("Intensity v. size parameter x", "1", "600", "1");
    put(601);
    run("Qext/Qsca/Qabs v. radius", "0.5", "100", "0.5", "0.01");
    put(201);
    run("Intensity v. refractive index", "1.3", "1.4", "0.0001");
    put(1002);
    run("Intensity v. wavelength", "400", "900", "0.25");
    put(2002);
    f.cboGraph.setText("Intensity v. scattering angle");
    f.txtRadius.setText("20");
    disperse("Log-normal", "20", "20");
    run("Intensity v. scattering angle", "0", "180", "0.1");
    put(1802);
}

TEST_F(SweepTest, SameCurvesForAnyThreadCount) {
    const std::string one = test::RunSelfWithThreads("SweepTest.WriteCurvesForTheParent", "1");
    const std::string four = test::RunSelfWithThreads("SweepTest.WriteCurvesForTheParent", "4");
    ASSERT_EQ(one.size(), sizeof(int) + 3 * (601 + 201 + 1002 + 2002 + 1802) * sizeof(double));
    EXPECT_EQ(one[0], 1);
    EXPECT_EQ(four[0], 4);
    ASSERT_EQ(four.size(), one.size());
    EXPECT_TRUE(four.compare(sizeof(int), std::string::npos, one, sizeof(int), std::string::npos) == 0)
        << "4 threads give other curves than one";
}

}  // namespace
}  // namespace tessary
