// Airy theory and the surface waves as window procedures: the default drop's primary rainbow and its
// caption, "No rays selected", the stop, the surface-wave menus and lists, the not-finite message.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "mainwindow/form1.h"
#include "numerics/constants.h"
#include "runs/method_codes.h"
#include "tests/platform/ui/ui_test_support.h"

namespace tessary {
namespace {

class ApproxWindowC : public test::UiTest {
  protected:
    ApproxWindowC() : form(std::make_unique<Form1>()), f(*form) {
        f.load();
        f.cboQmin.setText("1");
        f.cboQmax.setText("10");
        messages.clear();
    }
    // A whole grid of nang points per quarter; the default drop unless x and m were changed.
    void run(int method, const std::string& rays, std::int32_t nang) {
        f.codes.calcMethod = method;
        f.cboRays.setText(rays);
        f.codes.runState = 1;
        first = f.angleGrid.firstPoint = 1;
        last = f.angleGrid.lastPoint = 2 * nang - 1;
        if (method == kMethodAiry)
            f.Airy(x, radius, lambda, mRe, mIm, nang, f.results.s1Amp, f.results.s2Amp, q, q, q, q, first,
                   last);
        if (method == kMethodSurfaceWave)
            f.SurfaceWave(x, radius, lambda, mRe, mIm, nang, f.results.s1Amp, f.results.s2Amp, q, q, q, q,
                          first, last);
    }
    double abs1(std::size_t j) const { return std::hypot(f.results.s1Amp[0][j], f.results.s1Amp[1][j]); }

    std::unique_ptr<Form1> form;
    Form1& f;
    double radius = 10, lambda = 0.65, x = kTwoPi * 10 / 0.65, mRe = 1.33257035, mIm = 0, q = -1;
    std::int32_t first = 0, last = 0;
};

TEST_F(ApproxWindowC, AiryPrimaryRainbowOfTheDefaultDrop) {
    run(5, "2", 901);
    EXPECT_EQ(f.caption().rfind("Airy theory (p = 2)", 0), 0u) << f.caption();
    std::size_t best = 1301;
    for (std::size_t j = 1301; j <= 1601; ++j) best = abs1(j) > abs1(best) ? j : best;
    EXPECT_NEAR((best - 1) * 0.1, 142.6, 0.15);
    EXPECT_EQ(f.runProgress.stepsDone, 1801.0);
    run(5, "Multiple", 901);
    EXPECT_EQ(messages.last().prompt, "No rays selected");
    EXPECT_EQ(f.results.s1Amp[0][1400], 0.0);
    runtime.setPumpHook([&] { f.codes.runState = 4; });  // Stop: the routine ends after its next point
    run(5, "2", 901);
    EXPECT_EQ(f.runProgress.stepsDone, 1.0);
}

TEST_F(ApproxWindowC, SurfaceWaveReadsItsMenusAndLists) {
    f.mnuLock_Click();
    f.mnuSurfaceLong.setChecked(false);  // the window starts with all three paths checked: long wins
    f.mnuSurfaceBoth.setChecked(false);
    f.txtSWAmp.setText("2");
    x = 1000;
    mRe = 4.0 / 3.0;
    run(11, "1", 901);
    EXPECT_EQ(f.caption(), "Surface wave: short path (p = 1)  Water in a vacuum ");
    EXPECT_NEAR(abs1(881), 2 * 12.29, 0.01);  // 88 degrees, as the Lock kernel test
    EXPECT_EQ(f.results.s1Amp[0], f.results.s2Amp[0]);
    EXPECT_EQ(abs1(820), 0.0);  // short path only: below the deviation
    f.txtSWAmp.setText("1e308");
    run(11, "1", 91);
    EXPECT_EQ(messages.last().prompt.rfind("Surface waves gave amplitudes that are not finite", 0), 0u);
    EXPECT_EQ(f.codes.runState, 4);
}

}  // namespace
}  // namespace tessary
