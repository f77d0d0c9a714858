// Ray optics on the main window: Descartes through New plot (caption, dark side of the rainbow), the
// Debye series' surface-wave subtraction against the kernels (caption and label kept), the stop, GO2
// run to its end after a stop, and "No rays selected".
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "approximations/geometric_optics.h"
#include "scattering/debye.h"
#include "tests/mainwindow/form1_test_support.h"

namespace tessary {
namespace {

class RayWindowTest : public test::Form1Test {
  protected:
    Form1& ready(const char* method, const char* rays) {
        Form1& f = started();
        f.cboType.setText(method);
        f.cboRays.setText(rays);
        messages.clear();
        return f;
    }
    // GO2 of the window for x = 100, m = 4/3 over NANG = 91 into fresh tables.
    void go2(Form1& f) {
        x = 100;
        f.calcIndexRe = 4.0 / 3;
        f.calcIndexIm = 0;
        nang = 91;
        first = 1;
        last = 181;
        for (Form1::ComplexTable* S : {&s1, &s2}) (*S)[0].assign(182, 0.0), (*S)[1].assign(182, 0.0);
        f.GO2(x, nang, s1, s2, q, q, q, q, first, last);
    }

    Form1::ComplexTable s1, s2;
    double x = 0, q = -1;
    std::int32_t nang = 0, first = 0, last = 0;
};

TEST_F(RayWindowTest, DescartesOrderTwoIsDarkBelowTheRainbow) {
    Form1& f = ready("Descartes", "2");
    f.cmdNewPlot.click();
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(f.caption(), "Descartes (p = 2)  Water in a vacuum ");
    ASSERT_GE(f.s1Amp[0].size(), 1801u);
    for (std::size_t j = 1; j <= 1379; ++j) EXPECT_EQ(f.s1Amp[0][j], 0.0) << j;  // up to 137.8 degrees
    EXPECT_GT(f.s1Amp[0][1380], 0.0);                                            // 137.9 degrees
}

TEST_F(RayWindowTest, SurfaceWaveSubtractionRemovesTheRaysOfGO2) {
    Form1& f = ready("Debye", "2");
    f.mnuSWsub.setChecked(true);
    double mRe = 4.0 / 3, mIm = 0;
    f.calcIndexRe = mRe;
    x = 100;
    nang = 91;
    first = 1;
    last = 181;
    f.calcMethod = 2;
    f.DebyeSeries(x, mRe, mIm, nang, f.s1Amp, f.s2Amp, q, q, q, q, first, last);
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(f.calcMethod, 2);
    EXPECT_EQ(f.lblDebyeRays.caption(), "Debye series (p = 2)");
    EXPECT_EQ(f.caption(), "Debye series (p = 2)  Water in a vacuum ");
    const Form1::ComplexTable subtracted = f.s1Amp;
    f.calcMethod = 8;
    go2(f);
    for (std::size_t j = 1; j <= 181; ++j)
        EXPECT_DOUBLE_EQ(subtracted[1][j], f.debyeWork.S1im[j] - s1[1][j]) << j;
}

TEST_F(RayWindowTest, StopEndsTheSumsAndGO2AfterAStopRunsToItsEnd) {
    Form1& f = ready("Young mod", "-20");
    f.calcMethod = 8;
    f.runState = 1;
    runtime.setPumpHook([&] { f.runState = 4; });  // Stop pressed at the call's first pump
    go2(f);
    EXPECT_EQ(f.stepsDone, 1);  // the first angle of p = 0
    EXPECT_EQ(f.stepsTotal, 181 * 21);
    go2(f);  // called after the stop: runs to its end
    EXPECT_EQ(f.stepsDone, f.stepsTotal);
    EXPECT_EQ(f.stepsDone, f.stepsTotal);
}

TEST_F(RayWindowTest, MultipleWithoutOrdersIsRefused) {
    Form1& f = ready("Young", "Multiple");
    f.calcMethod = 7;
    f.runState = 1;
    go2(f);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.last().prompt, "No rays selected");
    EXPECT_EQ(messages.last().title, "Error");
    EXPECT_EQ(f.runState, 4);
}

}  // namespace
}  // namespace tessary
