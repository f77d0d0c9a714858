// Sweeps over an x variable and size-distribution averages on the real main window: the step table,
// the stored values against an independent arbitrary-precision Mie code, logarithmic steps, the
// averages over Normal, Log-normal and histogram samples, the refusals and Stop.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "mainwindow/form1.h"
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

}  // namespace
}  // namespace tessary
