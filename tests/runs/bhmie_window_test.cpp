// The Mie series as a procedure of the main window: the results of the pure series passed through
// unchanged, the window's captions, the progress display, the stop, the convergence graph's box and
// arrays (also beyond 18001 orders), and the refusal messages.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>

#include "mainwindow/form1.h"
#include "runs/method_codes.h"
#include "scattering/mie.h"
#include "tests/mainwindow/window_driver.h"
#include "tests/platform/ui/ui_test_support.h"

namespace tessary {
namespace {

class BhmieWindowTest : public test::UiTest {
  protected:
    BhmieWindowTest() {
        runtime.setModalHook([](Form& f) { f.hide(); });
        runtime.setEndHandler([](int) {});
        form = std::make_unique<Form1>();
        form->load();
        form->runProgress.progressShown = 0;  // as the run driver leaves it before a series
        form->runProgress.progressPercent = 0;
        messages.clear();
    }
    ~BhmieWindowTest() override { form.reset(); }

    // BHMIE on the window's own variables for x, m and a full window of NANG angles.
    void run(double xValue, double mReValue, double mImValue, std::int32_t nangValue) {
        Form1& f = *form;
        x = xValue;
        mRe = mReValue;
        mIm = mImValue;
        nang = nangValue;
        first = 1;
        last = 2 * std::max(nang, 2) - 1;
        f.BHMIE(this->x, this->mRe, this->mIm, this->nang, f.results.s1Amp, f.results.s2Amp, qExt, qSca,
                qBack, g, first, last);
    }

    std::unique_ptr<Form1> form;
    double x = 0, mRe = 0, mIm = 0, qExt = -1, qSca = -1, qBack = -1, g = -1;
    std::int32_t nang = 0, first = 0, last = 0;
};

TEST_F(BhmieWindowTest, PassesTheSeriesResultsThroughUnchanged) {
    run(10, 1.5, 0.1, 91);
    MieInput in;
    in.x = 10;
    in.m = {1.5, 0.1};
    in.NANG = 91;
    in.first = 1;
    in.last = 181;
    MieResult r;
    MieSeries(in, r);
    ASSERT_EQ(r.status, MieStatus::Done);
    EXPECT_EQ(form->results.s1Amp[0], r.S1re);
    EXPECT_EQ(form->results.s1Amp[1], r.S1im);
    EXPECT_EQ(form->results.s2Amp[0], r.S2re);
    EXPECT_EQ(form->results.s2Amp[1], r.S2im);
    EXPECT_EQ(qExt, r.Qext);
    EXPECT_EQ(qSca, r.Qsca);
    EXPECT_EQ(qBack, r.Qback);
    EXPECT_EQ(g, r.g);
    EXPECT_EQ(form->runProgress.termCount, r.termCount);
    EXPECT_EQ(form->runProgress.loopN, r.termCount);
    EXPECT_EQ(form->caption(), "Mie scattering:   Water in a vacuum ");
    EXPECT_EQ(form->lblDebyeRays.caption(), "Mie (plane wave)");
    EXPECT_TRUE(messages.shown().empty());
    // The progress display reached the last order.
    EXPECT_EQ(form->txtProgress.text(), "100");
    EXPECT_EQ(form->runProgress.progressShown, 100.0f);
}

TEST_F(BhmieWindowTest, RaisesNangToTwo) {
    run(1, 1.33, 0, 1);
    EXPECT_EQ(nang, 2);
    EXPECT_EQ(form->results.s1Amp[0].size(), 4u);
    EXPECT_GT(qSca, 0);
}

TEST_F(BhmieWindowTest, DebyeOrderZeroTitle) {
    Form1& f = *form;
    f.cboType.setText("Debye");
    f.cboRays.setText("0");
    run(10, 1.33, 0, 19);
    EXPECT_EQ(f.caption(),
              "Debye series (p = 0):  " + f.indexState.sphereName + " in " + f.indexState.mediumName);
}

TEST_F(BhmieWindowTest, TooManyTermsShowTheLimitMessage) {
    run(300000, 1, 0, 19);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.last().prompt, "Reduce radius or increase wavelength");
    EXPECT_EQ(messages.last().title, "Error in BHMIE sub-routine");
    EXPECT_EQ(messages.last().style, mb::kOkOnly);
    EXPECT_EQ(form->codes.runState, 4);
    EXPECT_EQ(qExt, -1);  // no efficiency written
    EXPECT_EQ(qSca, -1);
}

TEST_F(BhmieWindowTest, AStopPendingOnEntryChangesNothing) {
    form->codes.runState = 4;
    form->results.s1Amp[0][1] = 42;
    run(10, 1.33, 0, 91);
    EXPECT_EQ(form->results.s1Amp[0][1], 42);
    EXPECT_EQ(qSca, -1);
    EXPECT_TRUE(messages.shown().empty());
}

// The window's tables get the window's sums only; a table of the grid's size keeps its other
// entries (a run re-creates it at set-up), a table of another size is re-created all 0.
TEST_F(BhmieWindowTest, WritesOnlyTheWindowIntoTablesOfTheGridsSize) {
    Form1& f = *form;
    run(10, 1.5, 0.1, 91);
    const Form1::ComplexTable whole = f.results.s1Amp;
    for (const auto& part : whole) ASSERT_EQ(part.size(), 182u);
    for (const std::size_t size : {std::size_t{182}, std::size_t{7}}) {
        for (auto* table : {&f.results.s1Amp, &f.results.s2Amp})
            for (auto& part : *table) part.assign(size, -3.0);
        std::int32_t from = 40, to = 150;
        f.BHMIE(x, mRe, mIm, nang, f.results.s1Amp, f.results.s2Amp, qExt, qSca, qBack, g, from, to);
        for (const auto& part : f.results.s1Amp) ASSERT_EQ(part.size(), 182u);
        for (std::size_t j = 0; j < 182; ++j) {
            const bool inside = j >= 40 && j <= 150;
            const double other = size == 182 ? -3.0 : 0.0;
            EXPECT_EQ(f.results.s1Amp[0][j], inside ? whole[0][j] : other) << size << " " << j;
            EXPECT_EQ(f.results.s1Amp[1][j], inside ? whole[1][j] : other) << size << " " << j;
        }
    }
}

TEST_F(BhmieWindowTest, StoppedSeriesLeavesPartialSums) {
    Form1& f = *form;
    f.codes.runState = 1;
    runtime.setPumpHook([&] { f.codes.runState = 4; });  // as Stop answered Yes
    run(50, 1.33, 0, 91);
    EXPECT_EQ(f.mieWork.status, MieStatus::Stopped);
    EXPECT_EQ(f.runProgress.loopN, 1);
    EXPECT_EQ(qExt, -1);  // Qext and Qback stay
    EXPECT_EQ(qBack, -1);
    EXPECT_GT(qSca, 0);  // the raw partial sum of the first order
    EXPECT_NE(f.results.s1Amp[0][1], 0);
}

TEST_F(BhmieWindowTest, GaussianBeamHandsTheCallOn) {
    form->mnuGaussian.setChecked(true);
    run(10, 1.33, 0, 91);
    EXPECT_EQ(form->lblDebyeRays.caption(), "Mie (Gaussian beam)");
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(form->mieGaussianWork.status, MieStatus::Done);
    EXPECT_EQ(form->results.s1Amp[0], form->mieGaussianWork.S1re);
    EXPECT_EQ(qSca, -1);  // no efficiency for a beam
}

TEST_F(BhmieWindowTest, ConvergenceGraphWritesItsTermCountAndIntensities) {
    Form1& f = *form;
    test::Type(f.cboGraph, "Convergence");
    f.angleGrid.angleIndex = 1;
    run(100, 1.33, 0, 2);
    // NSTOP = round(100 + 4 100^0.3333 + 20) = 139, termCount = round(1.1 x 139) = 153.
    EXPECT_EQ(f.runProgress.termCount, 153);
    EXPECT_EQ(f.txtXmax.text(), "153");
    for (const auto* curve : {&f.results.intensityPerp, &f.results.intensityPara, &f.results.intensityUnpol})
        ASSERT_GE(curve->size(), 154u);
    for (const auto& part : f.results.s1Amp) ASSERT_GE(part.size(), 2u);
    const double s1 = std::hypot(f.results.s1Amp[0][1], f.results.s1Amp[1][1]);
    EXPECT_DOUBLE_EQ(f.results.intensityPerp[153], s1 * s1);
    EXPECT_DOUBLE_EQ(f.results.intensityUnpol[153],
                     (f.results.intensityPerp[153] + f.results.intensityPara[153]) / 2);
}

TEST_F(BhmieWindowTest, ConvergenceArraysGrowBeyond18001Orders) {
    // x = 17000 asks for round(1.1 NSTOP) = 18835 orders; far above x the Riccati-Bessel function
    // chi_n leaves the double range (at order 18382), which the series refuses. The orders up to
    // there are stored in arrays grown past their fixed 0..18001.
    Form1& f = *form;
    test::Type(f.cboGraph, "Convergence");
    f.angleGrid.angleIndex = 3;
    run(17000, 1.33, 0, 2);
    ASSERT_EQ(f.mieWork.refusal, MieRefusal::NotFinite);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.last().title, "Error in BHMIE sub-routine");
    EXPECT_EQ(f.codes.runState, 4);
    EXPECT_EQ(f.runProgress.termCount, 18835);
    EXPECT_EQ(f.txtXmax.text(), "18835");
    for (const auto* curve : {&f.results.intensityPerp, &f.results.intensityPara, &f.results.intensityUnpol})
        ASSERT_EQ(curve->size(), 18836u);
    const std::size_t stored = static_cast<std::size_t>(f.mieWork.ordersDone);
    ASSERT_GT(stored, 18001u);
    for (const auto* curve : {&f.mieWork.intensityPerp, &f.mieWork.intensityPara})
        ASSERT_GT(curve->size(), stored);
    EXPECT_GT(f.results.intensityPerp[stored], 0.0);
    EXPECT_EQ(f.results.intensityPerp[stored], f.mieWork.intensityPerp[stored]);
    EXPECT_EQ(f.results.intensityPara[18001], f.mieWork.intensityPara[18001]);
    EXPECT_TRUE(std::isfinite(f.results.intensityUnpol[stored]));
}

TEST_F(BhmieWindowTest, SecondEntryAlwaysTitlesMieAndLeavesTheLabel) {
    Form1& f = *form;
    f.cboType.setText("Rayleigh");
    f.codes.calcMethod = kMethodMie;  // the progress display follows the Mie rule
    f.lblDebyeRays.setCaption("unchanged");
    x = 10;
    mRe = 1.33;
    mIm = 0;
    nang = 19;
    first = 1;
    last = 37;
    f.BHMIE2(x, mRe, mIm, nang, f.results.s1Amp, f.results.s2Amp, qExt, qSca, qBack, g, first, last);
    EXPECT_EQ(f.caption(), "Mie scattering:   Water in a vacuum ");
    EXPECT_EQ(f.lblDebyeRays.caption(), "unchanged");
    EXPECT_GT(qSca, 0);
    EXPECT_EQ(f.runProgress.progressShown, 100.0f);
}

}  // namespace
}  // namespace tessary
