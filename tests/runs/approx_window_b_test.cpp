// Ray optics on the main window: the Debye series' surface-wave subtraction against GO2 (its caption
// kept), the stop, and GO2 run to its end after a stop.
#include <gtest/gtest.h>

#include <cstdint>

#include "runs/method_codes.h"
#include "tests/mainwindow/form1_test_support.h"

namespace tessary {
namespace {

class RayWindowTest : public test::Form1Test {
  protected:
    Form1& ready(const char* method, const char* rays) {
        Form1& f = started();
        test::Choose(f.cboType, method);
        f.cboRays.setText(rays);
        f.calc.calcIndexRe = 4.0 / 3;
        f.calc.calcIndexIm = 0;
        messages.clear();
        return f;
    }
    void go2(Form1& f) {  // x = 100, NANG = 91, fresh tables
        for (auto* S : {&s1, &s2}) (*S)[0].assign(182, 0.0), (*S)[1].assign(182, 0.0);
        f.GO2(x, nang, s1, s2, q, q, q, q, first, last);
    }
    Form1::ComplexTable s1, s2;
    double x = 100, mRe = 4.0 / 3, mIm = 0, q = -1;
    std::int32_t nang = 91, first = 1, last = 181;
};

TEST_F(RayWindowTest, SurfaceWaveSubtractionKeepsTheCaptionAndStopsAtTheNextAngle) {
    Form1& f = ready("Debye", "2");
    f.mnuSWsub.setChecked(true);
    f.DebyeSeries(x, mRe, mIm, nang, f.results.s1Amp, f.results.s2Amp, q, q, q, q, first, last);
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(f.codes.calcMethod, kMethodDebye);
    EXPECT_EQ(f.caption(), "Debye series (p = 2) minus ray optics  Water in a vacuum ");
    f.codes.calcMethod = kMethodYoungMod;
    go2(f);
    for (std::size_t j = 1; j <= 181; ++j)
        EXPECT_DOUBLE_EQ(f.results.s1Amp[1][j], f.debyeWork.S1im[j] - s1[1][j]);

    f.codes.runState = 1;
    runtime.setPumpHook([&] { f.codes.runState = 4; });  // Stop pressed at the first pump of the call
    go2(f);
    EXPECT_EQ(f.runProgress.stepsDone, 1);
    EXPECT_EQ(f.runProgress.stepsTotal, 181);
    go2(f);  // a call made after a stop runs to its end
    EXPECT_EQ(f.runProgress.stepsDone, f.runProgress.stepsTotal);
}

}  // namespace
}  // namespace tessary
