// Sweeps over an x variable and size-distribution averages on the real main window: the step table,
// the stored values against an independent arbitrary-precision Mie code, logarithmic steps, the
// averages over Normal, Log-normal and histogram samples, the refusals and Stop.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "mainwindow/form1.h"
#include "platform/text/conversions.h"
#include "runs/sweep_steps.h"
#include "tests/platform/ui/ui_test_support.h"
#include "tests/support/rel_error.h"

namespace tessary {
namespace {

constexpr double kDegree = 0.017453292519943278;

TEST(SweepSteps, LogarithmicStepsReachBothEnds) {
    const std::optional<SweepPlan> p = PlanSweep(11, 0.01, 100, 0.01, 100, 4, true);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->lastPoint, 5);
    const double expected[] = {0.01, 0.1, 1, 10, 100};
    for (int i = 1; i <= 5; ++i) EXPECT_REL_NEAR(p->x(i), expected[i - 1], 1e-14);
    // codes 12 and 13 always step linearly; code 14 from 0 skips the zero radius
    EXPECT_EQ(PlanSweep(12, 1.3, 1.4, 1.3, 1.4, 0.01, true)->lastPoint, 11);
    EXPECT_EQ(PlanSweep(13, 1, 2, 1, 2, 0.1, false)->lastPoint, 1);
    EXPECT_EQ(PlanSweep(14, 0, 10, 0, 10, 1, false)->firstPoint, 2);
    EXPECT_FALSE(PlanSweep(11, 1, 2, 1, 2, 1e-9, false));
}

TEST(SweepSteps, AngleGrids) {
    struct Case {
        double theta;
        int count, index;
    };
    for (const Case c : {Case{30, 4, 2}, Case{0, 2, 1}, Case{178, 46, 90}, Case{178.37, 9001, 17838}}) {
        const std::optional<AngleOnGrid> g = AngleGridFor(c.theta);
        ASSERT_TRUE(g) << c.theta;
        EXPECT_EQ(g->angleCount, c.count) << c.theta;
        EXPECT_EQ(g->angleIndex, c.index) << c.theta;
    }
    EXPECT_FALSE(AngleGridFor(178.3701));
    EXPECT_FALSE(AngleGridFor(181));
}

TEST(SweepSteps, SizeParameterInAMedium) {
    // x = 2 pi r n / lambda, and back r = x lambda / (2 pi n)
    const SweepStep r = SweepStepFor(11, 1, 2.0, 0.65, 0.0, 1.33);
    EXPECT_REL_NEAR(r.sizeParam, 6.28318530717958 * 2 * 1.33 / 0.65, 1e-15);
    const SweepStep x = SweepStepFor(14, 3, r.sizeParam, 0.65, 0.0, 1.33);
    EXPECT_REL_NEAR(x.radius, 2.0, 1e-15);
    EXPECT_EQ(SweepStepFor(10, 0, 650, 0.5, 1, 1).wavelength, 0.65);
}

class SweepTest : public test::UiTest {
  protected:
    SweepTest() {
        runtime.setModalHook([](Form& f) { f.hide(); });
        runtime.setEndHandler([](int) {});
        form = std::make_unique<Form1>();
        form->load();
        messages.clear();
    }
    ~SweepTest() override { form.reset(); }

    // Chooses a graph and its range, the index boxes and the angle, then runs New plot.
    void run(const std::string& graph, const std::string& lo, const std::string& hi, const std::string& step,
             const std::string& mRe = "1.33", const std::string& mIm = "0", const std::string& angle = "178") {
        Form1& f = *form;
        f.cboGraph.setText(graph);
        f.mnuXStepLog.setChecked(false);
        f.mnuInvWavelength.setChecked(false);
        f.txtXmin.setText(lo);
        f.txtXmax.setText(hi);
        f.cboStep.setText(step);
        f.txtAngle.setText(angle);
        f.txtRefractReal.setText(mRe);
        f.txtRefractImag.setText(mIm);
        f.cmdNewPlot.click();
    }
    std::unique_ptr<Form1> form;
};

TEST_F(SweepTest, EfficienciesAgainstSizeParameter) {
    struct Case {
        const char* mIm;
        std::size_t i;  // x = i
        double qExt, qSca;
    };
    const Case cases[] = {{"0", 1, 0.09392400121407, 0.09392400121407},
                          {"0", 10, 2.206548710185, 2.206548710185},
                          {"0", 50, 1.979886284601, 1.979886284601},
                          {"0.01", 10, 2.249240908064, 1.872112060543}};
    for (const Case& c : cases) {
        run("Qext/Qsca/Qabs v. size x", "1", "50", "1", "1.33", c.mIm);
        Form1& f = *form;
        ASSERT_TRUE(messages.shown().empty()) << messages.last().prompt;
        EXPECT_REL_NEAR(f.intensityPerp[c.i], c.qExt, 1e-10);
        EXPECT_REL_NEAR(f.intensityPara[c.i], c.qSca, 1e-10);
        if (c.qExt == c.qSca) EXPECT_NEAR(f.intensityUnpol[c.i], 0.0, 1e-15);
        else EXPECT_REL_NEAR(f.intensityUnpol[c.i], 0.3771288475208, 1e-10);
    }
}

TEST_F(SweepTest, AsymmetryAndCrossSection) {
    run("Asymmetry parameter v. size x", "1", "50", "1");
    EXPECT_REL_NEAR(form->intensityPerp[10], 0.7124592696733, 1e-10);
    EXPECT_REL_NEAR(form->intensityPerp[50], 0.8507267028737, 1e-10);
    run("Cext/Csca/Cabs v. radius", "0.5", "2", "0.5");  // r = 1 um is the second step
    EXPECT_REL_NEAR(form->intensityPerp[2], 7.1725945873e-12, 1e-10);
}

TEST_F(SweepTest, IntensityAgainstSizeParameterAtOneAngle) {
    run("Intensity v. size parameter x", "80", "90", "2");
    Form1& f = *form;
    ASSERT_TRUE(messages.shown().empty()) << messages.last().prompt;
    EXPECT_EQ(f.angleCount, 46);
    EXPECT_EQ(f.angleIndex, 90);
    EXPECT_REL_NEAR(f.intensityPerp[5], 1031.721143913, 1e-9);
    EXPECT_REL_NEAR(f.intensityPara[5], 7825.613794453, 1e-9);
    EXPECT_REL_NEAR(f.intensityPerp[6], 1933.8430054, 1e-9);
    EXPECT_REL_NEAR(f.intensityPara[6], 2127.806319596, 1e-9);
}

TEST_F(SweepTest, AsymmetryPresetOnItsLogarithmicAxis) {
    Form1& f = *form;
    f.cboGraph.setText("Asymmetry parameter v. radius");
    f.cmdNewPlot.click();
    ASSERT_TRUE(messages.shown().empty()) << messages.last().prompt;
    EXPECT_TRUE(f.mnuXStepLog.checked());
    EXPECT_EQ(f.lastPoint, 4001);
    EXPECT_EQ(f.sweepRatio, 1.002305269241333f);
    EXPECT_REL_NEAR(f.radius, 100.0124374770, 1e-10);
    EXPECT_REL_NEAR(f.intensityPerp[4001], 0.8794084967038, 1e-10);
}

class DistributionTest : public SweepTest {
  protected:
    // Disperse with a distribution of the given type, deviation and sample count (as typed).
    void disperse(const std::string& kind, const std::string& sd, const std::string& n) {
        Form1& f = *form;
        f.optDisp.setValue(true);
        f.cboDistrib.setText(kind);
        f.cboSD.setText(sd);
        f.cboN.setText(n);
        messages.clear();
    }
};

TEST_F(DistributionTest, LogNormalAveragesAtOneAngle) {
    struct Case {
        const char* n;
        double perp, para;
    };
    for (const Case c : {Case{"5", 19.4622138704, 18.2405298621}, Case{"50", 19.071875832, 18.9794657069}}) {
        Form1& f = *form;
        f.cboGraph.setText("Intensity v. scattering angle");
        f.txtRadius.setText("1");
        f.txtRefractReal.setText("1.33");
        disperse("Log-normal", "20", c.n);
        f.cmdNewPlot.click();
        ASSERT_TRUE(messages.shown().empty()) << messages.last().prompt;
        const std::size_t j = static_cast<std::size_t>(std::lround(178 * (f.angleCount - 1) / 90.0)) + 1;
        EXPECT_REL_NEAR(f.intensityPerp[j], c.perp, 1e-9) << c.n;
        EXPECT_REL_NEAR(f.intensityPara[j], c.para, 1e-9) << c.n;
        EXPECT_EQ(f.radius, 1.0);  // the nominal radius again

        // the same at 1 um of the graph against radius (its preset selects one size)
        f.cboGraph.setText("Intensity v. radius");
        disperse("Log-normal", "20", c.n);
        run("Intensity v. radius", "0.5", "2", "0.5", "1.33");
        ASSERT_TRUE(messages.shown().empty()) << messages.last().prompt;
        EXPECT_REL_NEAR(f.avgPerp[2], c.perp, 1e-9) << c.n;
        EXPECT_REL_NEAR(f.intensityPara[2], c.para, 1e-9) << c.n;
        EXPECT_EQ(f.intensityUnpol[2], (f.intensityPerp[2] + f.intensityPara[2]) / 2);
    }
}

TEST_F(DistributionTest, ZeroWidthGivesTheSingleSizeInAMedium) {
    Form1& f = *form;
    f.mediumRe = 1.33;  // water around the sphere: x = 2 pi r n / lambda
    run("Intensity v. radius", "0.5", "2", "0.5", "1.2");
    const double single = f.intensityPerp[3];
    disperse("Normal", "0", "5");
    f.mediumRe = 1.33;
    f.relStdDev = 0;
    f.Disperse();
    f.sweepIndex = 3;
    f.radius = 1.5;
    ASSERT_TRUE(f.DispCalc());
    EXPECT_REL_NEAR(f.intensityPerp[3], single, 1e-13);
}

TEST_F(DistributionTest, SpecialWeightsAndPhaseFunctionNorm) {
    Form1& f = *form;
    f.cboGraph.setText("Phase function");
    f.txtRadius.setText("1");
    f.cmdNewPlot.click();  // one size, for the sums below
    f.cboDistrib.setText("Special");  // no file: the reader's stand-in leaves Log-normal
    EXPECT_EQ(f.cboDistrib.text(), "Log-normal");
    SizeHistogram& h = f.sizeHistogram;
    h.sizeFileCount = 2;
    h.histUniform = 1;
    h.histRadius = {0, 1, 2};
    h.histMidRadius = {0, 1, 2};
    h.histWeight = {0, 0.25f, 0.75f};
    h.histLoaded = 1;
    f.optDisp.setValue(true);
    f.cboDistrib.setText("Special");
    messages.clear();
    f.cmdNewPlot.click();
    ASSERT_TRUE(messages.shown().empty()) << messages.last().prompt;
    // the phase function integrates to 4 pi over the sphere (2 over theta)
    const std::int32_t last = 2 * f.angleCount - 1;
    const double h1 = 90.0 / (f.angleCount - 1) * kDegree;
    double integral = 0;
    for (std::int32_t j = 1; j < last; ++j)
        integral += 0.5 * h1 * (f.avgUnpol[j] * std::sin((j - 1) * h1) + f.avgUnpol[j + 1] * std::sin(j * h1));
    EXPECT_NEAR(integral, 2.0, 2e-3);
    EXPECT_EQ(f.sampleCount, 2);
}

TEST_F(DistributionTest, Refusals) {
    struct Case {
        const char* graph;
        const char* kind;
        int method;  // 0: Mie
        const char* prompt;
        const char* title;
    };
    const Case cases[] = {
        {"Qext/Qsca/Qabs v. radius", "Normal", 0, "Size distributions are available only for graphs of intensity",
         "Input error"},
        {"Intensity v. radius", "Special", 0,
         "Special distributions are not available for graphs against radius or size parameter", "Input error"},
        {"Intensity v. scattering angle", "Normal", 12,
         "This calculation method is available only for graphs against scattering angle at one wavelength and "
         "one size",
         "Error"},
    };
    for (const Case& c : cases) {
        Form1& f = *form;
        f.cboGraph.setText(c.graph);
        f.sizeHistogram.histLoaded = 1;
        disperse(c.kind, "1", "5");
        if (c.method == 12) f.cboType.setText("van de Hulst");
        messages.clear();
        f.cmdNewPlot.click();
        ASSERT_EQ(messages.shown().size(), 1u) << c.graph;
        EXPECT_EQ(messages.last().prompt, c.prompt);
        EXPECT_EQ(messages.last().title, c.title);
        f.cboType.setText("Mie");
    }
}

TEST_F(DistributionTest, SeveralWavelengthsAreRefused) {
    Form1& f = *form;
    disperse("Log-normal", "20", "5");
    f.cboWave.setText("RGB");
    f.cmdNewPlot.click();
    ASSERT_FALSE(messages.shown().empty());
    EXPECT_EQ(messages.last().prompt, "Size distributions cannot be computed by this version of Tessary.");
}

TEST_F(SweepTest, Refusals) {
    struct Case {
        const char* graph;
        const char* angle;
        const char* method;
        bool gaussian, logSteps;
        const char* step;
        const char* prompt;
    };
    const Case cases[] = {
        {"Intensity v. radius", "178.3701", "Mie", false, false, "0.1",
         "The scattering angle must be a multiple of 90/N degrees with N up to 9000"},
        {"Convergence", "178", "Rayleigh", false, false, "0.1",
         "The convergence graph is available only for Mie and Debye calculations"},
        {"Qext/Qsca/Qabs v. radius", "178", "Mie", true, false, "0.1",
         "Selected graph type is available only for plane-wave Mie calculations"},
        {"Intensity v. radius", "178", "Mie", false, true, "1000000",
         "Number of steps must be a whole number from 1 to 18000"},
    };
    for (const Case& c : cases) {
        Form1& f = *form;
        f.cboGraph.setText(c.graph);
        f.txtAngle.setText(c.angle);
        f.cboType.setText(c.method);
        f.mnuGaussian.setChecked(c.gaussian);
        f.mnuXStepLog.setChecked(c.logSteps);
        f.cboStep.setText(c.step);
        messages.clear();
        f.cmdNewPlot.click();
        ASSERT_FALSE(messages.shown().empty()) << c.graph;
        EXPECT_EQ(messages.shown().front().prompt, c.prompt);
        f.mnuGaussian.setChecked(false);
        f.cboType.setText("Mie");
    }
}

TEST_F(SweepTest, StopGivesTheEmptyFrameAndOverplotAddsASweep) {
    Form1& f = *form;
    int pumps = 0;
    runtime.setPumpHook([&] {
        if (++pumps == 3) f.runState = 4;
    });
    run("Intensity v. size parameter x", "1", "1000", "1");
    EXPECT_EQ(f.runState, 4);
    EXPECT_LT(f.intensityPerp[1000], 1e-300);  // the last steps were not computed
    EXPECT_FALSE(f.cmdStop.visible());
    runtime.setPumpHook([] {});
    f.runState = 1;
    run("Intensity v. size parameter x", "80", "90", "2");
    const double first = f.intensityPerp[5];
    f.cmdOverPlot_Click();
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(f.intensityPerp[5], first);
}

TEST_F(SweepTest, ConvergenceAndIndexSweep) {
    Form1& f = *form;
    f.cboGraph.setText("Convergence");
    f.txtAngle.setText("178");
    f.cmdNewPlot.click();
    ASSERT_TRUE(messages.shown().empty()) << messages.last().prompt;
    EXPECT_EQ(f.lastPoint, 1);
    EXPECT_EQ(Val(f.txtXmax.text()), f.termCount);
    EXPECT_GT(f.intensityUnpol[static_cast<std::size_t>(f.termCount)], 0.0);

    // against the real index: Re(m) is the swept value, K = 1
    run("Intensity v. refractive index", "1.3", "1.4", "0.01", "1.33", "0", "178");
    ASSERT_TRUE(messages.shown().empty()) << messages.last().prompt;
    EXPECT_EQ(f.lastPoint, 11);
    EXPECT_REL_NEAR(f.calcIndexRe, 1.4, 1e-14);
    EXPECT_EQ(f.waveNumberSq, 1.0);
}

}  // namespace
}  // namespace tessary
