// Airy theory and the surface waves as procedures of the main window: the caption and the maximum of
// the default drop's primary rainbow, "No rays selected", the menus the surface waves read, the
// central beam keeping the surface waves' caption and code, the stop, and the message of amplitudes
// that are not finite.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <string>

#include "approximations/surface_waves.h"
#include "mainwindow/form1.h"
#include "numerics/constants.h"
#include "tests/platform/ui/ui_test_support.h"

namespace tessary {
namespace {

class ApproxWindowC : public test::UiTest {
  protected:
    ApproxWindowC() {
        runtime.setModalHook([](Form& f) { f.hide(); });
        runtime.setEndHandler([](int) {});
        form = std::make_unique<Form1>();
        form->load();
        form->cboQmin.setText("1");
        form->cboQmax.setText("10");
        messages.clear();
    }
    ~ApproxWindowC() override { form.reset(); }

    // The default drop (10 um water at 0.65 um) on a grid of `nang` points per quarter.
    void run(int method, const std::string& rays, std::int32_t nang) {
        Form1& f = *form;
        f.calcMethod = method;
        f.cboRays.setText(rays);
        f.runState = 1;
        nang_ = nang;
        first = 1;
        last = 2 * nang - 1;
        f.firstPoint = first;
        f.lastPoint = last;
        for (auto* S : {&f.s1Amp, &f.s2Amp})
            for (auto& part : *S) part.assign(static_cast<std::size_t>(2 * nang), 0.0);
        if (method == 5)
            f.Airy(x, radius, wavelength, mRe, mIm, nang_, f.s1Amp, f.s2Amp, q, q, q, q, first, last);
        else
            f.SurfaceWave(x, radius, wavelength, mRe, mIm, nang_, f.s1Amp, f.s2Amp, q, q, q, q, first, last);
    }
    double abs1(std::size_t j) const { return std::hypot(form->s1Amp[0][j], form->s1Amp[1][j]); }

    std::unique_ptr<Form1> form;
    double radius = 10, wavelength = 0.65, x = kTwoPi * 10 / 0.65, mRe = 1.33257035, mIm = 0, q = -1;
    std::int32_t nang_ = 0, first = 0, last = 0;
};

TEST_F(ApproxWindowC, AiryPrimaryRainbowOfTheDefaultDrop) {
    run(5, "2", 901);
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(form->caption(), form->captionText);
    EXPECT_EQ(form->caption().rfind("Airy theory (p = 2)", 0), 0u) << form->caption();
    std::size_t best = 0;
    for (std::size_t j = 1301; j <= 1601; ++j)
        if (abs1(j) > abs1(best)) best = j;
    EXPECT_NEAR((best - 1) * 0.1, 142.6, 0.15);
    EXPECT_EQ(form->stepsDone, 1801.0);
    EXPECT_EQ(q, -1);  // the efficiencies are not written
}

TEST_F(ApproxWindowC, NoRaysSelected) {
    for (int method : {5, 11}) {
        messages.clear();
        form->s1Amp[0].assign(182, 3.0);
        run(method, "Multiple", 91);
        ASSERT_EQ(messages.shown().size(), 1u) << method;
        EXPECT_EQ(messages.last().prompt, "No rays selected");
        EXPECT_EQ(messages.last().title, "Error");
        EXPECT_EQ(form->runState, 4);
    }
}

TEST_F(ApproxWindowC, SurfaceWaveReadsItsMenusAndLists) {
    Form1& f = *form;
    f.mnuLock_Click();
    f.mnuSurfaceLong.setChecked(false);  // the window starts with all three paths checked: long wins
    f.mnuSurfaceBoth.setChecked(false);
    x = 1000;
    mRe = 4.0 / 3.0;
    run(11, "1", 901);
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(f.caption(), f.captionText);
    EXPECT_NEAR(abs1(881), 12.29, 0.005);  // 88 degrees, as the Lock kernel test
    EXPECT_EQ(f.s1Amp[0], f.s2Amp[0]);
    EXPECT_EQ(abs1(820), 0.0);  // short path only: below the deviation
    f.txtSWAmp.setText("2");
    run(11, "1", 901);
    EXPECT_NEAR(abs1(881), 24.58, 0.01);
}

TEST_F(ApproxWindowC, CentralBeamKeepsTheSurfaceWavesCaptionAndCode) {
    Form1& f = *form;
    f.mnuCentralBeam.setChecked(true);
    run(11, "1", 91);
    for (const auto& m : messages.shown()) ADD_FAILURE() << m.prompt;
    const std::string caption = f.caption();
    EXPECT_EQ(caption, f.captionText);
    EXPECT_EQ(f.calcMethod, 11);
    EXPECT_EQ(f.runState, 1);
}

TEST_F(ApproxWindowC, StopAndNotFiniteAmplitudes) {
    Form1& f = *form;
    runtime.setPumpHook([&] { f.runState = 4; });  // as Stop answered Yes
    run(5, "2", 901);
    EXPECT_EQ(f.runState, 4);
    EXPECT_EQ(f.stepsDone, 1.0);
    EXPECT_TRUE(messages.shown().empty());
    runtime.setPumpHook([] {});
    f.txtSWAmp.setText("1e308");
    run(11, "1", 91);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.last().prompt.rfind("Surface waves gave amplitudes that are not finite", 0), 0u);
    EXPECT_EQ(f.runState, 4);
}

}  // namespace
}  // namespace tessary
