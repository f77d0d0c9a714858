// Ray optics on the main window: Descartes through New plot, the Debye series' surface-wave
// subtraction against GO2 (its caption kept), the stop, and GO2 run to its end after a stop.
#include <gtest/gtest.h>

#include <cstdint>

#include "tests/mainwindow/form1_test_support.h"

namespace tessary {
namespace {

class RayWindowTest : public test::Form1Test {
  protected:
    Form1& ready(const char* method, const char* rays, int code) {
        Form1& f = started();
        f.cboType.setText(method);
        f.cboRays.setText(rays);
        f.calcMethod = code;
        f.calcIndexRe = 4.0 / 3;
        f.calcIndexIm = 0;
        messages.clear();
        return f;
    }
    // GO2 for x = 100 over NANG = 91 into fresh tables.
    void go2(Form1& f) {
        for (auto* S : {&s1, &s2}) (*S)[0].assign(182, 0.0), (*S)[1].assign(182, 0.0);
        f.GO2(x, nang, s1, s2, q, q, q, q, first, last);
    }
    Form1::ComplexTable s1, s2;
    double x = 100, q = -1;
    std::int32_t nang = 91, first = 1, last = 181;
};

TEST_F(RayWindowTest, DescartesOrderTwoIsDarkBelowTheRainbow) {
    Form1& f = ready("Descartes", "2", 6);
    f.cmdNewPlot.click();
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(f.caption(), "Descartes (p = 2)  Water in a vacuum ");
    for (std::size_t j = 1; j <= 1379; ++j) ASSERT_EQ(f.s1Amp[0][j], 0.0) << j;  // to 137.8 degrees
    EXPECT_GT(f.s1Amp[0][1380], 0.0);
}

TEST_F(RayWindowTest, SurfaceWaveSubtractionRemovesTheRaysOfGO2) {
    Form1& f = ready("Debye", "2", 2);
    f.mnuSWsub.setChecked(true);
    double mRe = 4.0 / 3, mIm = 0;
    f.DebyeSeries(x, mRe, mIm, nang, f.s1Amp, f.s2Amp, q, q, q, q, first, last);
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(f.calcMethod, 2);
    EXPECT_EQ(f.caption(), "Debye series (p = 2)  Water in a vacuum ");
    f.calcMethod = 8;
    go2(f);
    for (std::size_t j = 1; j <= 181; ++j) EXPECT_DOUBLE_EQ(f.s1Amp[1][j], f.debyeWork.S1im[j] - s1[1][j]);
}

TEST_F(RayWindowTest, StopEndsTheSumsAndACallAfterAStopRunsToItsEnd) {
    Form1& f = ready("Young mod", "-20", 8);
    f.runState = 1;
    runtime.setPumpHook([&] { f.runState = 4; });  // Stop pressed at the first pump of the call
    go2(f);
    EXPECT_EQ(f.stepsDone, 1);
    EXPECT_EQ(f.stepsTotal, 181 * 21);
    go2(f);
    EXPECT_EQ(f.stepsDone, f.stepsTotal);
}

}  // namespace
}  // namespace tessary
