// The Gaussian-beam Mie and Debye series as procedures of the main window: New plot with "Gaussian
// beam" checked, the results of the pure series passed through unchanged for the beam of the dialog,
// the plane-wave limit through the window, the stop, the refusals with their messages, the central
// beam, the pair of beams, the single "No rays selected" and the hand-over of the order 0.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "mainwindow/form1.h"
#include "runs/method_codes.h"
#include "scattering/debye_gaussian.h"
#include "scattering/mie_gaussian.h"
#include "tests/mainwindow/window_driver.h"
#include "tests/platform/ui/ui_test_support.h"
#include "tests/support/rel_error.h"

namespace tessary {
namespace {

using test::RelError;

class GaussianWindowTest : public test::UiTest {
  protected:
    GaussianWindowTest() {
        runtime.setModalHook([](Form& f) { f.hide(); });  // dialogs closed as they stand
        runtime.setEndHandler([](int) {});
    }
    ~GaussianWindowTest() override { form.reset(); }

    // The main window after start-up (a plane-wave New plot), then "Gaussian beam" chosen from the
    // menu with the dialog's values as they stand.
    Form1& startGaussian(bool record = false) {
        form = std::make_unique<Form1>();
        form->setRecording(record);
        form->load();
        form->mnuGaussian_Click();
        messages.clear();
        return *form;
    }

    dlogGaussianBeam& beamDialog() { return *form->dlogGaussianBeam_; }

    // New plot; the prompts of the message boxes it showed.
    std::vector<std::string> newPlot() {
        messages.clear();
        form->cmdNewPlot.click();
        std::vector<std::string> p;
        for (const MessageBoxRequest& r : messages.shown()) p.push_back(r.prompt);
        return p;
    }

    // The Gaussian-beam Mie series for what the last run computed, with the given beam.
    MieGaussianResult kernelOfLastRun(const GaussianBeamInput& beam) const {
        const Form1& f = *form;
        MieGaussianInput in;
        in.x = f.calc.sizeParam;
        in.m = {f.calc.calcIndexRe, f.calc.calcIndexIm};
        in.NANG = f.angleGrid.angleCount;
        in.first = f.angleGrid.windowFirst;
        in.last = f.angleGrid.windowLast;
        in.wavelength = f.calc.wavelength;
        in.beam = beam;
        MieGaussianResult r;
        MieGaussianSeries(in, r);
        return r;
    }

    // Debye_Gaussian on the window's own amplitude tables for x, m and the full window of nang angles.
    void debye(double xValue, double mReValue, double mImValue, std::int32_t nangValue) {
        Form1& f = *form;
        x = xValue;
        mRe = mReValue;
        mIm = mImValue;
        nang = nangValue;
        first = 1;
        last = 2 * nang - 1;
        f.Debye_Gaussian(this->x, this->mRe, this->mIm, this->nang, f.results.s1Amp, f.results.s2Amp, qExt,
                         qSca, qBack, g, first, last);
    }

    // The same call on the pure series with the window's selection and menus.
    DebyeGaussianResult debyeKernel(const GaussianBeamInput& beam, bool pair) const {
        const Form1& f = *form;
        DebyeGaussianInput in;
        in.x = x;
        in.m = {mRe, mIm};
        in.NANG = nang;
        in.first = first;
        in.last = last;
        in.wavelength = f.calc.wavelength;
        in.beam = beam;
        const std::string list = f.cboRays.text();
        in.rayListText = list;
        in.mnuMultBeams = pair;
        const RaySelection rays{std::vector<std::int16_t>(f.series.rayflag.begin(), f.series.rayflag.end()),
                                f.series.rayCount, f.series.rayPMax};
        DebyeGaussianResult r;
        DebyeGaussianSeries(in, rays, r);
        return r;
    }

    // Method "Debye" with the ray-order list text.
    void chooseDebye(const std::string& rays) {
        form->cboType.setText("Debye");
        form->cboRays.setText(rays);
        messages.clear();
    }

    std::unique_ptr<Form1> form;
    double x = 0, mRe = 0, mIm = 0, qExt = -1, qSca = -1, qBack = -1, g = -1;
    std::int32_t nang = 0, first = 0, last = 0;
};

bool AllZero(const Form1::ComplexTable& S) {
    for (const std::vector<double>& part : S)
        for (double v : part)
            if (v != 0.0) return false;
    return true;
}

// ---------------------------------------------------------------------------------------------
// Mie series for a Gaussian beam

TEST_F(GaussianWindowTest, NewPlotComputesTheBeamOfTheDialog) {
    Form1& f = startGaussian();
    ASSERT_TRUE(f.mnuGaussian.checked());
    const double qExtBefore = f.results.qExt, qBackBefore = f.results.qBack, gBefore = f.results.asymmetryG;
    EXPECT_TRUE(newPlot().empty());
    EXPECT_EQ(f.lblDebyeRays.caption(), "Mie (Gaussian beam)");
    EXPECT_EQ(f.caption(), "Mie scattering (Gaussian beam):   Water in a vacuum ");
    EXPECT_EQ(f.mieGaussianWork.status, MieStatus::Done);
    EXPECT_EQ(f.codes.runState, 1);

    // The dialog's initial beam: centre (-40, 0, 0), w0 = 20, phi = 0.
    EXPECT_EQ(f.beamState.beamXf, -40.0f);
    EXPECT_EQ(f.beamState.beamW0, 20.0f);
    EXPECT_EQ(f.beamState.beamPhi, 0.0);
    const MieGaussianResult r = kernelOfLastRun(GaussianBeamInput{});
    ASSERT_EQ(r.status, MieStatus::Done);
    EXPECT_EQ(f.results.s1Amp[0], r.S1re);
    EXPECT_EQ(f.results.s1Amp[1], r.S1im);
    EXPECT_EQ(f.results.s2Amp[0], r.S2re);
    EXPECT_EQ(f.results.s2Amp[1], r.S2im);
    EXPECT_EQ(f.beamState.beamNMax, r.beamNMax);
    EXPECT_EQ(f.beamState.beamMMax, r.beamMMax);
    EXPECT_EQ(f.beamState.beamS, r.beam.beamS);

    // The efficiencies are left as they were (Qsca as New plot cleared it).
    EXPECT_EQ(f.results.qExt, qExtBefore);
    EXPECT_EQ(f.results.qBack, qBackBefore);
    EXPECT_EQ(f.results.asymmetryG, gBefore);
    EXPECT_EQ(f.results.qSca, 0.0);
    // The progress display reached the last point; the run ended normally.
    EXPECT_EQ(f.runProgress.progressShown, 100.0f);
    EXPECT_FALSE(f.cmdStop.visible());
    EXPECT_FALSE(f.windowState.inputsLocked);
    for (std::size_t j = 1; j < f.results.intensityPerp.size(); ++j)
        ASSERT_TRUE(std::isfinite(f.results.intensityPerp[j])) << j;
}

// The drop sits two half-widths off the axis of the default beam: lit about e^(-2 (40/20)^2) = 3e-4 as
// strongly as by the plane wave of the same peak intensity, so it scatters far less, and S1 is 0 for
// phi = 0 only on the axis.
TEST_F(GaussianWindowTest, TheDefaultBeamLightsTheDropWeakly) {
    Form1& f = startGaussian();
    const std::vector<double> plane = f.results.intensityUnpol;  // start-up's plane-wave graph
    ASSERT_TRUE(newPlot().empty());
    const std::size_t side = 901;  // 90 degrees
    const double ratio = f.results.intensityUnpol[side] / plane[side];
    EXPECT_GT(ratio, 1e-5);
    EXPECT_LT(ratio, 1e-2);
}

// w0 = 1e6 um on the axis is a plane wave: phi = 90 degrees gives the plane-wave S1, phi = 0 its S2
// and S1 exactly 0 (index 1 left out: the forward-beam correction acts within 10 s of 0 degrees).
TEST_F(GaussianWindowTest, AWideCentredBeamGivesThePlaneWaveThroughTheWindow) {
    Form1& f = startGaussian();
    f.cboStep.setText("1");
    f.mnuPlaneWave_Click();
    ASSERT_TRUE(newPlot().empty());
    const Form1::ComplexTable s1 = f.results.s1Amp, s2 = f.results.s2Amp;
    ASSERT_EQ(f.lblDebyeRays.caption(), "Mie (plane wave)");

    beamDialog().txtBeamXF.setText("0");
    beamDialog().txtBeamWo.setText("1000000");
    beamDialog().txtPhi.setText("90");
    f.mnuGaussian_Click();
    ASSERT_TRUE(newPlot().empty());
    ASSERT_EQ(f.lblDebyeRays.caption(), "Mie (Gaussian beam)");
    ASSERT_EQ(s1[1].size(), s1[0].size());
    for (const auto& part : f.results.s1Amp) ASSERT_EQ(part.size(), s1[0].size());
    for (std::size_t j = 2; j < s1[0].size(); ++j)
        EXPECT_LE(RelError(f.results.s1Amp[0][j], f.results.s1Amp[1][j], s1[0][j], s1[1][j]), 1e-9) << j;

    beamDialog().txtPhi.setText("0");
    ASSERT_TRUE(newPlot().empty());
    ASSERT_EQ(s2[1].size(), s2[0].size());
    for (const auto& part : f.results.s2Amp) ASSERT_EQ(part.size(), s2[0].size());
    for (const auto& part : f.results.s1Amp) ASSERT_EQ(part.size(), s1[0].size());
    for (std::size_t j = 2; j < s2[0].size(); ++j)
        EXPECT_LE(RelError(f.results.s2Amp[0][j], f.results.s2Amp[1][j], s2[0][j], s2[1][j]), 1e-9) << j;
    for (std::size_t j = 1; j < s1[0].size(); ++j) {
        EXPECT_EQ(f.results.s1Amp[0][j], 0.0) << j;
        EXPECT_EQ(f.results.s1Amp[1][j], 0.0) << j;
    }
}

TEST_F(GaussianWindowTest, StopDuringTheAngleSumsEndsTheRunCleanly) {
    Form1& f = startGaussian();
    f.txtRadius.setText("300");  // x near 3000: the angle sums take far longer than one pump interval
    bool pressed = false;
    runtime.setPumpHook([&] {
        if (pressed || !f.cmdStop.visible() || f.sweepState.loopJ <= f.angleGrid.firstPoint) return;
        pressed = true;
        f.cmdStop.click();
    });
    messages.answer(mb::kYes);
    const std::vector<std::string> prompts = newPlot();
    ASSERT_TRUE(pressed);
    EXPECT_EQ(prompts, std::vector<std::string>{"Do you want to stop the calculation?"});
    const MieGaussianResult& r = f.mieGaussianWork;
    EXPECT_EQ(r.status, MieStatus::Stopped);
    EXPECT_GT(r.pointsDone, 0);
    EXPECT_LT(r.pointsDone, f.angleGrid.windowLast - f.angleGrid.windowFirst + 1);
    EXPECT_EQ(f.codes.runState, 1);  // angle graphs end at 1 whatever happened
    EXPECT_FALSE(f.cmdStop.visible());
    EXPECT_FALSE(f.windowState.inputsLocked);
}

TEST_F(GaussianWindowTest, AStopBeforeTheSumsLeavesNoAmplitude) {
    Form1& f = startGaussian();
    f.codes.runState = 1;
    runtime.setPumpHook([&] { f.codes.runState = 4; });  // as Stop answered Yes at the first pump
    x = 50;
    mRe = 1.33;
    mIm = 0;
    nang = 91;
    first = 1;
    last = 181;
    f.BHMIE(x, mRe, mIm, nang, f.results.s1Amp, f.results.s2Amp, qExt, qSca, qBack, g, first, last);
    EXPECT_EQ(f.mieGaussianWork.status, MieStatus::Stopped);
    EXPECT_EQ(f.results.s1Amp[0].size(), 182u);
    EXPECT_TRUE(AllZero(f.results.s1Amp));
    EXPECT_TRUE(AllZero(f.results.s2Amp));
    EXPECT_EQ(qSca, -1);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(GaussianWindowTest, ADirectCallRaisesNangAndLeavesTheEfficiencies) {
    Form1& f = startGaussian();
    x = 5;
    mRe = 1.33;
    mIm = 0.01;
    nang = 1;
    first = 1;
    last = 3;
    f.MIE_Gaussian(x, mRe, mIm, nang, f.results.s1Amp, f.results.s2Amp, qExt, qSca, qBack, g, first, last);
    EXPECT_EQ(nang, 2);
    EXPECT_EQ(f.results.s1Amp[0].size(), 4u);
    EXPECT_EQ(f.mieGaussianWork.status, MieStatus::Done);
    for (double* q : {&qExt, &qSca, &qBack, &g}) EXPECT_EQ(*q, -1);
}

// The convergence graph receives one value, |S1|^2, |S2|^2 and their mean at its angle, at position
// N + 1 (the arrays grown to hold it).
TEST_F(GaussianWindowTest, ConvergenceGraphGetsOneValueAtNPlusOne) {
    Form1& f = startGaussian();
    test::Type(f.cboGraph, "Convergence");
    f.angleGrid.angleIndex = 5;
    x = 10;
    mRe = 1.33;
    mIm = 0;
    nang = 19;
    first = 1;
    last = 37;
    f.results.intensityPerp.assign(3, 0.0);
    f.MIE_Gaussian(x, mRe, mIm, nang, f.results.s1Amp, f.results.s2Amp, qExt, qSca, qBack, g, first, last);
    const std::size_t at = static_cast<std::size_t>(f.beamState.beamNMax) + 1;
    ASSERT_EQ(at, 60u);  // N = floor(max(13.3, 39)) + 20 = 59
    for (const auto* curve : {&f.results.intensityPerp, &f.results.intensityPara, &f.results.intensityUnpol})
        ASSERT_GT(curve->size(), at);
    for (const auto* part :
         {&f.results.s1Amp[0], &f.results.s1Amp[1], &f.results.s2Amp[0], &f.results.s2Amp[1]})
        ASSERT_GT(part->size(), 5u);
    const double s1 = std::hypot(f.results.s1Amp[0][5], f.results.s1Amp[1][5]),
                 s2 = std::hypot(f.results.s2Amp[0][5], f.results.s2Amp[1][5]);
    EXPECT_DOUBLE_EQ(f.results.intensityPerp[at], s1 * s1);
    EXPECT_DOUBLE_EQ(f.results.intensityPara[at], s2 * s2);
    EXPECT_DOUBLE_EQ(f.results.intensityUnpol[at], (s1 * s1 + s2 * s2) / 2);
}

struct BeamRefusalCase {
    const char* name;
    TextBox dlogGaussianBeam::*box;
    const char* text;
    const char* message;
};

class GaussianRefusalTest : public GaussianWindowTest, public testing::WithParamInterface<BeamRefusalCase> {};

// A beam the series cannot compute: its message with the series' title, OK only, and the run ends
// through the stop exit with the inputs unlocked.
TEST_P(GaussianRefusalTest, ShowsItsMessageAndEndsCleanly) {
    const BeamRefusalCase& c = GetParam();
    Form1& f = startGaussian();
    (beamDialog().*c.box).setText(c.text);
    const std::vector<std::string> prompts = newPlot();
    ASSERT_EQ(prompts, std::vector<std::string>{c.message});
    EXPECT_EQ(messages.last().title, "Error in MIE_Gaussian sub-routine");
    EXPECT_EQ(messages.last().style, mb::kOkOnly);
    EXPECT_EQ(f.mieGaussianWork.status, MieStatus::Refused);
    EXPECT_EQ(f.codes.runState, 1);
    EXPECT_FALSE(f.cmdStop.visible());
    EXPECT_FALSE(f.windowState.inputsLocked);
    EXPECT_TRUE(f.cmdNewPlot.enabled());
    EXPECT_EQ(f.runFlags.resultsStale, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Beams, GaussianRefusalTest,
    testing::Values(BeamRefusalCase{"ZeroWidth", &dlogGaussianBeam::txtBeamWo, "0",
                                    "Beam half-width w0 = 0 is not a finite number above 0"},
                    BeamRefusalCase{"NegativeWidth", &dlogGaussianBeam::txtBeamWo, "-5",
                                    "Beam half-width w0 = -5 is not a finite number above 0"},
                    BeamRefusalCase{"NoNumber", &dlogGaussianBeam::txtBeamWo, "wide",
                                    "Beam half-width w0 = 0 is not a finite number above 0"},
                    BeamRefusalCase{"CentreBeyondSingle", &dlogGaussianBeam::txtBeamXF, "1e40",
                                    "Beam position (inf, 0, 0) or azimuth 0 is not finite"}),
    [](const testing::TestParamInfo<BeamRefusalCase>& testInfo) { return std::string(testInfo.param.name); });

// ---------------------------------------------------------------------------------------------
// Debye series for a Gaussian beam

TEST_F(GaussianWindowTest, DebyeNewPlotComputesTheBeamOfTheSelectedOrder) {
    Form1& f = startGaussian();
    chooseDebye("1");
    f.cboStep.setText("1");
    ASSERT_EQ(f.codes.calcMethod, kMethodDebye);
    const std::vector<std::string> prompts = newPlot();
    ASSERT_TRUE(prompts.empty()) << prompts.front();
    EXPECT_EQ(f.debyeGaussianWork.status, DebyeStatus::Done);
    EXPECT_EQ(f.caption(), "Debye series (Gaussian beam) (p = 1)   Water in a vacuum ");
    EXPECT_EQ(f.lblDebyeRays.caption(), "Debye series (Gaussian beam) (p = 1) ");
    EXPECT_EQ(f.codes.calcMethod, kMethodDebye);

    x = f.calc.sizeParam;
    mRe = f.calc.calcIndexRe;
    mIm = f.calc.calcIndexIm;
    nang = f.angleGrid.angleCount;
    first = f.angleGrid.windowFirst;
    last = f.angleGrid.windowLast;
    const DebyeGaussianResult r = debyeKernel(GaussianBeamInput{}, false);
    ASSERT_EQ(r.status, DebyeStatus::Done);
    EXPECT_EQ(f.results.s1Amp[0], r.S1re);
    EXPECT_EQ(f.results.s2Amp[1], r.S2im);
    EXPECT_EQ(f.runProgress.termCount, r.termCount);
    EXPECT_EQ(f.beamState.beamMMax, r.beamMMax);
}

TEST_F(GaussianWindowTest, DebyeCentralBeamAddsTheDescartesIntensities) {
    Form1& f = startGaussian();
    chooseDebye("1");
    f.mnuCentralBeam_Click();
    ASSERT_TRUE(f.mnuCentralBeam.checked());
    f.calc.calcIndexRe = 4.0 / 3;  // the rays read m from the window, as the run driver sets it
    f.calc.calcIndexIm = 0;
    debye(100, 4.0 / 3, 0, 91);
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(f.codes.calcMethod, kMethodDebye);
    EXPECT_EQ(f.caption(), "Debye series (Gaussian beam) (p = 1) with central beam  Water in a vacuum ");
    const DebyeGaussianResult beam = debyeKernel(GaussianBeamInput{}, false);
    // At 30 degrees the p = 1 ray of x = 100 has |S1| = 101.862124 (Descartes): the modulus becomes
    // sqrt(|S_beam|^2 + 101.862124^2) with the beam's phase.
    const std::size_t j = 31;
    const double beamModulus = std::hypot(beam.S1re[j], beam.S1im[j]);
    const double modulus = std::hypot(f.results.s1Amp[0][j], f.results.s1Amp[1][j]);
    EXPECT_LT(RelError(modulus, std::sqrt(beamModulus * beamModulus + 101.862124 * 101.862124)), 1e-6);
    EXPECT_LT(std::fabs(std::atan2(f.results.s1Amp[1][j], f.results.s1Amp[0][j]) -
                        std::atan2(beam.S1im[j], beam.S1re[j])),
              1e-9);
}

TEST_F(GaussianWindowTest, DebyeCentredPairOfBeamsIsTwiceOneBeam) {
    Form1& f = startGaussian();
    chooseDebye("-3");
    beamDialog().txtBeamXF.setText("0");
    beamDialog().txtBeamWo.setText("5");
    debye(10, 1.5, 0.1, 46);
    ASSERT_EQ(f.debyeGaussianWork.status, DebyeStatus::Done);
    const Form1::ComplexTable s1 = f.results.s1Amp, s2 = f.results.s2Amp;
    f.mnuMultBeams_Click();
    debye(10, 1.5, 0.1, 46);
    ASSERT_EQ(f.debyeGaussianWork.passes, 2);
    EXPECT_TRUE(messages.shown().empty());
    for (std::size_t j = 1; j < s1[0].size(); ++j) {
        EXPECT_LE(RelError(f.results.s1Amp[0][j], f.results.s1Amp[1][j], 2 * s1[0][j], 2 * s1[1][j]), 1e-12)
            << j;
        EXPECT_LE(RelError(f.results.s2Amp[0][j], f.results.s2Amp[1][j], 2 * s2[0][j], 2 * s2[1][j]), 1e-12)
            << j;
    }
    for (double* q : {&qExt, &qSca, &qBack, &g}) EXPECT_EQ(*q, -1);
}

TEST_F(GaussianWindowTest, DebyeOffAxisPairAddsTheMirroredBeam) {
    Form1& f = startGaussian();
    chooseDebye("-2");
    beamDialog().txtBeamXF.setText("-3");
    beamDialog().txtBeamYF.setText("1");
    beamDialog().txtBeamWo.setText("4");
    f.mnuMultBeams_Click();
    debye(10, 1.33, 0, 46);
    ASSERT_EQ(f.debyeGaussianWork.status, DebyeStatus::Done);
    EXPECT_EQ(f.series.rayPMax, 2);  // RaysCheck's form after DebyeLabel's -2
    const GaussianBeamInput beam{-3.0f, 1.0f, 0.0f, 4.0f, 0.0};
    const DebyeGaussianResult pair = debyeKernel(beam, true);
    EXPECT_EQ(f.results.s1Amp[0], pair.S1re);
    EXPECT_EQ(f.results.s2Amp[1], pair.S2im);
    // The second beam is not the first again: the pair differs from twice one beam.
    const DebyeGaussianResult one = debyeKernel(beam, false);
    EXPECT_GT(RelError(pair.S1re[46], pair.S1im[46], 2 * one.S1re[46], 2 * one.S1im[46]), 1e-3);
}

// x = 10, m = 1.33: NSTOP = round(10 + 4 10^0.3333 + 2) = 21, 1.2 NSTOP = 25 orders for the
// convergence graph, written into txtXmax, with |an2|^2, |bn2|^2 per order.
TEST_F(GaussianWindowTest, DebyeConvergenceGraphWritesItsTermCount) {
    Form1& f = startGaussian();
    chooseDebye("1");
    test::Type(f.cboGraph, "Convergence");
    debye(10, 1.33, 0, 19);
    ASSERT_EQ(f.debyeGaussianWork.status, DebyeStatus::Done);
    EXPECT_EQ(f.runProgress.termCount, 25);
    EXPECT_EQ(f.txtXmax.text(), "25");
    for (const auto* curve :
         {&f.results.intensityPerp, &f.results.intensityPara, &f.debyeGaussianWork.intensityPerp})
        ASSERT_GE(curve->size(), 26u);
    EXPECT_EQ(f.results.intensityPerp[25], f.debyeGaussianWork.intensityPerp[25]);
    EXPECT_GT(f.results.intensityPara[10], 0.0);
}

TEST_F(GaussianWindowTest, DebyeAStopBeforeTheSumsSkipsBothBeams) {
    Form1& f = startGaussian();
    chooseDebye("1");
    f.mnuMultBeams_Click();
    f.codes.runState = 1;
    runtime.setPumpHook([&] { f.codes.runState = 4; });  // as Stop answered Yes at the first pump
    debye(10, 1.33, 0, 46);
    EXPECT_EQ(f.debyeGaussianWork.status, DebyeStatus::Stopped);
    EXPECT_EQ(f.debyeGaussianWork.passes, 0);
    EXPECT_EQ(f.results.s1Amp[0].size(), 92u);
    EXPECT_TRUE(AllZero(f.results.s1Amp));
    EXPECT_TRUE(AllZero(f.results.s2Amp));
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(GaussianWindowTest, DebyeNoRaysSelectedIsShownOnce) {
    Form1& f = startGaussian();
    chooseDebye("Multiple");  // the dialog of ray paths closes with no box ticked
    f.codes.runState = 1;
    debye(10, 1.33, 0, 46);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.last().prompt, "No rays selected");
    EXPECT_EQ(messages.last().title, "Error");
    EXPECT_EQ(f.codes.runState, 4);
}

// The single order 0 of a strongly absorbing sphere (x Im m = 800) is handed to the Mie series, which
// computes the full series for the same beam.
TEST_F(GaussianWindowTest, DebyeOrderZeroAtStrongAbsorptionIsTheBeamMieSeries) {
    Form1& f = startGaussian();
    chooseDebye("0");
    debye(1000, 1.33, 0.8, 10);
    EXPECT_EQ(f.debyeGaussianWork.status, DebyeStatus::HandOverToMie);
    EXPECT_EQ(f.lblDebyeRays.caption(), "Debye series (Gaussian beam) (p = 0) ");  // the order it computed
    EXPECT_EQ(f.codes.calcMethod, kMethodDebye);
    MieGaussianInput in;
    in.x = 1000;
    in.m = {1.33, 0.8};
    in.NANG = 10;
    in.first = 1;
    in.last = 19;
    in.wavelength = 0.65;
    MieGaussianResult r;
    MieGaussianSeries(in, r);
    ASSERT_EQ(r.status, MieStatus::Done);
    EXPECT_EQ(f.results.s1Amp[0], r.S1re);
    EXPECT_EQ(f.results.s2Amp[1], r.S2im);
    EXPECT_TRUE(messages.shown().empty());
}

}  // namespace
}  // namespace tessary
