// The menus that change what a run computes, under the input lock: disabled from LockON to LockOFF
// and then enabled as each was before; chosen mid-run they change neither the marks nor the curve;
// the hidden mode's chords wait for the unlock.
#include <utility>
#include <vector>

#include "tests/mainwindow/form1_test_support.h"

namespace tessary {
namespace {

using test::Form1Test;

// The items whose marks or dialogs enter a run: Advanced, the hidden method keys, three Plot flags
// that scale or divide the stored values, and Colour.
constexpr Menu Form1::*kRunMenus[] = {
    &Form1::mnuRI_IAPWS,     &Form1::mnuRI_Cowley,       &Form1::mnuRI_Segelstein, &Form1::mnuRI_Ray,
    &Form1::mnuRI_Lynch,     &Form1::mnuRI_KayeLaby,     &Form1::mnuRI_Gedzelman,  &Form1::mnuRI_Au,
    &Form1::mnuRI_Ag,        &Form1::mnuRI_Cu,           &Form1::mnuRI_Air1,       &Form1::mnuRI_Vacuum1,
    &Form1::mnuRI_User1,     &Form1::mnuRI_File1,        &Form1::mnuRI_Vacuum2,    &Form1::mnuRI_Air2,
    &Form1::mnuRI_IAPWS2,    &Form1::mnuRI_Segelstein2,  &Form1::mnuRI_User2,      &Form1::mnuRI_File2,
    &Form1::mnuSpectrumLee,  &Form1::mnuSpectrumWernand, &Form1::mnuSpectrumFlat,  &Form1::mnuBlackBody,
    &Form1::mnuSpectrumFile, &Form1::mnuSpectrumBand,    &Form1::mnuSizeDist,      &Form1::mnuPlaneWave,
    &Form1::mnuGaussian,     &Form1::mnuTopHat,          &Form1::mnuMultBeams,     &Form1::mnuCentralBeam,
    &Form1::mnuRadius,       &Form1::mnuDiameter,        &Form1::mnuRadiusX,       &Form1::mnuInterpolate,
    &Form1::mnuAverage,      &Form1::mnuXStepLog,        &Form1::mnuSurfaceShort,  &Form1::mnuSurfaceLong,
    &Form1::mnuSurfaceBoth,  &Form1::mnuSWPhase,         &Form1::mnuKhare,         &Form1::mnuLock,
    &Form1::mnuNussenzveig,  &Form1::mnuDebyeRecursion,  &Form1::mnuSun,           &Form1::mnuSWsub,
    &Form1::mnuAmplitude,    &Form1::mnuInvWavelength,   &Form1::mnuSize,          &Form1::mnuPhoto,
    &Form1::mnuFreeze,       &Form1::mnuPeakWhite,       &Form1::mnuGammaNone,     &Form1::mnuGammaA,
    &Form1::mnuGammaB,       &Form1::mnuSaturated,       &Form1::mnuSetNormal};

class RunMenusLockTest : public Form1Test {
  protected:
    RunMenusLockTest() : f(started()) {}

    std::vector<bool> marks() { return each(&Menu::checked); }
    std::vector<bool> enabled() { return each(&Menu::enabled); }
    std::vector<bool> each(bool (Menu::*state)() const) {
        std::vector<bool> v;
        for (Menu Form1::*m : kRunMenus) v.push_back(((f.*m).*state)());
        return v;
    }
    // "Intensity v. radius" from 10 to 15 um in 0.05 um steps at 178 degrees, by New plot.
    void sweep() {
        f.cboGraph.setText("Intensity v. radius");
        for (auto [box, text] : {std::pair{&f.txtXmin, "10"}, {&f.txtXmax, "15"}, {&f.txtAngle, "178"}})
            box->setText(text);
        f.cboStep.setText("0.05");
        f.cmdNewPlot.click();
        ASSERT_TRUE(messages.shown().empty()) << messages.last().prompt;
    }

    Form1& f;
};

// Every one of them chosen mid-run (from the event pump) is greyed and, clicked all the same, only beeps.
TEST_F(RunMenusLockTest, MenusChosenMidRunChangeNeitherTheirMarksNorTheCurve) {
    sweep();
    const std::vector<double> perp = f.results.intensityPerp;
    f.mnuKhare.setEnabled(false);  // disabled for a reason of its own: it stays so
    const std::vector<bool> marksBefore = marks(), enabledBefore = enabled();
    bool chosen = false;
    runtime.setPumpHook([&] {
        if (chosen || !f.windowState.inputsLocked) return;
        chosen = true;
        for (Menu Form1::*item : kRunMenus) {
            Menu& menu = f.*item;
            EXPECT_FALSE(menu.enabled()) << menu.caption();
            const int beeps = runtime.beepCount();
            menu.trigger();  // as the user chooses it: a greyed item
            menu.onClick();  // as code or a shortcut would: refused with a beep
            EXPECT_EQ(runtime.beepCount(), beeps + 1) << menu.caption();
        }
        for (Menu* view : {&f.mnuHideLogo, &f.mnuPolarPlot, &f.mnuWindowGraph, &f.mnuAbout})
            EXPECT_TRUE(view->enabled()) << view->caption();
    });
    sweep();
    runtime.setPumpHook([] {});
    ASSERT_TRUE(chosen);
    EXPECT_EQ(marks(), marksBefore);
    EXPECT_EQ(enabled(), enabledBefore);
    EXPECT_EQ(f.results.intensityPerp, perp);
}

TEST_F(RunMenusLockTest, NestedLocksAndAnUnlockAloneRestoreEachMenuAsItWas) {
    f.mnuTopHat.setEnabled(false);
    const std::vector<bool> before = enabled();
    f.LockON();
    f.LockON();  // a drawing's lock inside a run's
    f.LockOFF();
    EXPECT_EQ(enabled(), before);
    f.mnuTopHat.setEnabled(true);
    f.LockOFF();  // the graph type's unlock, with no lock
    EXPECT_TRUE(f.mnuTopHat.enabled());
}

TEST_F(RunMenusLockTest, HiddenModeChordsWaitForTheUnlock) {
    const auto chord = [&](int letter) {
        int key = letter, shift = keys::kCtrlMask;
        f.Form_KeyDown(key, shift);
    };
    f.LockON();
    chord('G');
    chord('J');
    EXPECT_FALSE(f.mnuSpecial.enabled());
    f.LockOFF();
    chord('J');  // the chord under the lock armed nothing
    EXPECT_FALSE(f.mnuSpecial.enabled());
    chord('G');
    chord('J');
    EXPECT_TRUE(f.mnuSpecial.enabled());
}

}  // namespace
}  // namespace tessary
