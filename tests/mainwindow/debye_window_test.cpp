// The ray-order selection and the plane-wave Debye series on the real main window: the exact
// captions through the list and the dialog of ray paths, the dialog's buttons, the hand-over of the
// order "0" to the Mie series, a Debye run through New plot against the pure series, the refusals,
// the convergence graph's box, and Stop pressed from inside a long run (through the pump hook).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "file_bytes.h"
#include "runs/method_codes.h"
#include "scattering/debye.h"
#include "scattering/mie.h"
#include "tests/mainwindow/form1_test_support.h"

namespace tessary {
namespace {

using test::Press;
using test::Type;

constexpr const char* kPlace = "  Water in a vacuum ";  // " " & " Water" & " in " & "a vacuum "

class DebyeWindowTest : public test::Form1Test {
  protected:
    // After start-up, with the method chosen from the list.
    Form1& ready(const char* method = "Debye") {
        Form1& f = started();
        f.cboType.setText(method);
        messages.clear();
        modalCaptions.clear();
        return f;
    }

    // The dialog of ray paths, worked by `steps` whenever it is shown modally.
    void onRayDialog(std::function<void(dlogP&)> steps) {
        runtime.setModalHook([this, steps](Form& shown) {
            modalCaptions.push_back(shown.caption());
            steps(dynamic_cast<dlogP&>(shown));
            shown.hide();
        });
    }

    // DebyeSeries on plain arguments over the whole angle range of NANG angles.
    void series(double xValue, double mReValue, double mImValue, std::int32_t nangValue) {
        Form1& f = *form;
        x = xValue;
        mRe = mReValue;
        mIm = mImValue;
        nang = nangValue;
        first = 1;
        last = 2 * std::max(nang, 2) - 1;
        f.DebyeSeries(this->x, this->mRe, this->mIm, this->nang, f.results.s1Amp, f.results.s2Amp, qExt, qSca,
                      qBack, g, first, last);
    }

    static std::vector<int> Flags(std::initializer_list<int> set, std::size_t size) {
        std::vector<int> flags(size, 0);
        for (int p : set) flags[static_cast<std::size_t>(p)] = 1;
        return flags;
    }

    double x = 0, mRe = 0, mIm = 0, qExt = -1, qSca = -1, qBack = -1, g = -1;
    std::int32_t nang = 0, first = 0, last = 0;
};

// -------------------------------------------------------------------------------------------------
// Captions and selection through the list

struct CaptionCase {
    const char* name;
    const char* method;
    const char* rays;
    std::vector<int> ticked;  // boxes of the dialog ticked while it is shown
    bool diffraction;         // the dialog's "Diffraction" ticked after the method was chosen
    const char* label;
    std::int32_t rayCount;
    std::int32_t rayPMax;
};

TEST_F(DebyeWindowTest, ListAndDialogGiveTheExactCaptions) {
    const std::vector<CaptionCase> cases{
        {"multiple", "Debye", "Multiple", {0, 2}, false, "Debye series (p =  0,  2) ", 2, 50},
        {"single", "Debye", "0", {}, false, "Debye series (p = 0)", 1, 0},
        {"typed as written", "Debye", "3.0", {}, false, "Debye series (p = 3.0)", 1, 3},
        {"diffraction", "Descartes", "3", {}, true, "Descartes (p = 3)+ Diffraction", 1, 3},
        {"range", "Airy", "-4", {}, false, "Airy theory (p = 0 to 4)", 5, 4},
        {"young mod", "Young mod", "Multiple", {7}, false, "Young mod. (p =  7) ", 1, 50},
        {"no order ticked", "Huygens", "Multiple", {}, false, "Huygens (p = ", 0, 50},
    };
    for (const CaptionCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<int> ticked = c.ticked;
        onRayDialog([ticked](dlogP& d) {
            for (int p : ticked) d.chkp(p).setValue(1);
            d.OKButton.click();
        });
        Form1& f = ready(c.method);
        if (c.diffraction) f.dlogP_->chkDiffraction.setValue(1);
        f.cboRays.setText(c.rays);
        EXPECT_EQ(f.lblDebyeRays.caption(), c.label);
        EXPECT_EQ(f.series.captionText, std::string(c.label) + kPlace);
        EXPECT_EQ(f.series.rayCount, c.rayCount);
        EXPECT_EQ(f.series.rayPMax, c.rayPMax);
        EXPECT_EQ(f.runFlags.resultsStale, 1);
        EXPECT_TRUE(messages.shown().empty());
    }
}

TEST_F(DebyeWindowTest, OrderSixtyEnlargesTheFlagsAndRangesKeepFlagsAboveThem) {
    Form1& f = ready();
    f.cboRays.setText("60");
    EXPECT_EQ(f.series.rayflag, Flags({60}, 61));
    EXPECT_EQ(f.series.rayPMax, 60);
    EXPECT_EQ(f.series.rayCount, 1);
    EXPECT_EQ(f.lblDebyeRays.caption(), "Debye series (p = 60)");

    f.cboRays.setText("-5");  // the list clears 0..50 only: order 60 keeps its flag above rayPMax
    EXPECT_EQ(f.series.rayflag, Flags({0, 1, 2, 3, 4, 5, 60}, 61));
    EXPECT_EQ(f.series.rayPMax, 5);
    EXPECT_EQ(f.series.rayCount, 6);
    EXPECT_EQ(f.lblDebyeRays.caption(), "Debye series (p = 0 to 5)");

    f.cboRays.setText("-60");
    EXPECT_EQ(f.series.rayflag, std::vector<int>(61, 1));
    EXPECT_EQ(f.series.rayCount, 61);
    EXPECT_EQ(f.series.rayPMax, 60);
    EXPECT_EQ(f.lblDebyeRays.caption(), "Debye series (p = 0 to 60)");

    // The Gaussian-beam label keeps -N and names the range, in the title bar too.
    f.DebyeLabel();
    EXPECT_EQ(f.series.rayPMax, -60);
    EXPECT_EQ(f.series.rayCount, 61);
    EXPECT_EQ(f.lblDebyeRays.caption(), "Debye series (p = 0 to 60)");
    EXPECT_EQ(f.caption(), std::string("Debye series (p = 0 to 60)") + kPlace);
}

TEST_F(DebyeWindowTest, AbsurdTypedOrderIsRefusedBeforeTheSelectionChanges) {
    Form1& f = ready();
    f.cboRays.setText("3");
    const std::vector<int> before = f.series.rayflag;
    for (const char* typed : {"3000000000", "1e300", "-100001", "100001"}) {
        SCOPED_TRACE(typed);
        messages.clear();
        f.cboRays.setText(typed);
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_EQ(messages.last().prompt, "The ray order must lie between -100000 and 100000");
        EXPECT_EQ(messages.last().title, "Input error");
        EXPECT_EQ(f.series.rayflag, before);
        EXPECT_EQ(f.series.rayCount, 1);
        EXPECT_EQ(f.series.rayPMax, 3);
        EXPECT_EQ(f.lblDebyeRays.caption(), "Debye series (p = 3)");
    }
    // New plot shows the refusal once more (from the run-time estimate) and does not run.
    messages.clear();
    f.cmdNewPlot.click();
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.last().prompt, "The ray order must lie between -100000 and 100000");
    EXPECT_FALSE(f.windowState.inputsLocked);
}

// A typed text that names no order would run with the order its leading number gives ("0-3" with 0,
// "2,3" with 2): typing it changes nothing, and New plot refuses it with the message that says how to
// choose several orders. "-3" means the orders 0 to 3.
TEST_F(DebyeWindowTest, TypedTextsThatNameNoOrderAreRefusedAtNewPlot) {
    for (const char* method : {"Debye", "Descartes"}) {
        Form1& f = ready(method);
        Type(f.cboRays, "2");
        f.cboStep.setText("1");
        Press(f.cmdNewPlot);
        const std::vector<double> before = f.results.intensityPerp;
        const std::string label = f.lblDebyeRays.caption(), title = f.caption();
        for (const char* typed : {"0-3", "2,3", "3 4", "2.5", "0,5"}) {
            SCOPED_TRACE(std::string(method) + " " + typed);
            messages.clear();
            Type(f.cboRays, typed);
            EXPECT_TRUE(messages.shown().empty());
            EXPECT_EQ(f.lblDebyeRays.caption(), label);
            Press(f.cmdNewPlot);
            ASSERT_EQ(messages.shown().size(), 1u);
            EXPECT_EQ(messages.last().prompt,
                      "Type a whole number p for the ray order p, or -N for the orders 0 to N. To choose any "
                      "other set of orders, select Multiple in the list.");
            EXPECT_EQ(f.results.intensityPerp, before);
            EXPECT_EQ(f.lblDebyeRays.caption(), label);
            EXPECT_EQ(f.caption(), title);
        }
    }
    Form1& f = ready();
    Type(f.cboRays, "-3");
    Press(f.cmdNewPlot);
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(f.lblDebyeRays.caption(), "Debye series (p = 0 to 3)");
    EXPECT_NEAR(f.results.intensityPerp[1401], 2905.52, 0.005);  // |S1|^2 at 140 degrees, orders 0 to 3
}

// -------------------------------------------------------------------------------------------------
// The dialog of ray paths

TEST_F(DebyeWindowTest, SelectAllThenOkSelectsEveryBoxedOrder) {
    std::string labelAfterOk;
    onRayDialog([&](dlogP& d) {
        d.cmdSelectAll.click();
        d.OKButton.click();
        labelAfterOk = d.form1().lblDebyeRays.caption();  // OK applied the boxes itself
    });
    Form1& f = ready();
    f.cboRays.setText("Multiple");
    std::string all = "Debye series (p = ";
    for (int p = 0; p <= 50; ++p) all += " " + std::to_string(p) + (p == 50 ? ") " : ", ");
    EXPECT_EQ(labelAfterOk, all);
    EXPECT_EQ(f.lblDebyeRays.caption(), all);
    EXPECT_EQ(f.series.rayCount, 51);
    EXPECT_EQ(f.series.rayflag, std::vector<int>(51, 1));
    EXPECT_EQ(f.dlogP_->chkDiffraction.value(), 0);  // hidden, so left alone
    EXPECT_EQ(modalCaptions, std::vector<std::string>{"Multiple ray paths"});
}

TEST_F(DebyeWindowTest, SelectNoneThenOkLeavesNoOrder) {
    onRayDialog([](dlogP& d) {
        d.cmdSelectAll.click();
        d.cmdSelectNone.click();
        d.OKButton.click();
    });
    Form1& f = ready();
    f.cboRays.setText("3");
    f.cboRays.setText("Multiple");
    EXPECT_EQ(f.series.rayCount, 0);
    EXPECT_EQ(f.series.rayflag, std::vector<int>(51, 0));
    EXPECT_EQ(f.lblDebyeRays.caption(), "Debye series (p = ");
    for (int p = 0; p <= 50; ++p) EXPECT_EQ(f.dlogP_->chkp(p).value(), 0) << p;
}

TEST_F(DebyeWindowTest, CancelAppliesTheBoxesAsLeft) {
    onRayDialog([](dlogP& d) {
        d.chkp(0).setValue(1);
        d.chkp(2).setValue(1);
        d.chkp(5).setValue(2);  // greyed: not counted
        d.CancelButton.click();
    });
    Form1& f = ready();
    f.cboRays.setText("Multiple");
    EXPECT_EQ(f.lblDebyeRays.caption(), "Debye series (p =  0,  2) ");
    EXPECT_EQ(f.series.rayCount, 2);
    EXPECT_EQ(f.series.rayflag, Flags({0, 2}, 51));
}

TEST_F(DebyeWindowTest, SelectAllTicksDiffractionOnlyWhenShown) {
    onRayDialog([](dlogP& d) {
        d.cmdSelectAll.click();
        d.OKButton.click();
    });
    Form1& f = ready();
    f.mnuHidden.setVisible(true);  // the hidden mode shows "Diffraction" for Young mod.
    f.cboType.setText("Young mod");
    f.cboRays.setText("Multiple");
    EXPECT_TRUE(f.dlogP_->chkDiffraction.visible());
    EXPECT_EQ(f.dlogP_->chkDiffraction.value(), 1);
    const std::string& label = f.lblDebyeRays.caption();
    EXPECT_EQ(label.substr(0, 21), "Young mod. (p =  0,  ");
    EXPECT_EQ(label.substr(label.size() - 18), " 50) + Diffraction");
}

TEST_F(DebyeWindowTest, GaussianBeamLabelNamesTheBeamAndClearsTheBoxesForANumber) {
    onRayDialog([](dlogP& d) {
        d.chkp(0).setValue(1);
        d.chkp(2).setValue(1);
        d.OKButton.click();
    });
    Form1& f = ready();
    f.mnuGaussian.setChecked(true);
    f.cboRays.setText("Multiple");
    f.DebyeLabel();
    EXPECT_EQ(f.lblDebyeRays.caption(), "Debye series (Gaussian beam) (p = 0,  2) ");
    EXPECT_EQ(f.caption(), std::string("Debye series (Gaussian beam) (p = 0,  2) ") + kPlace);
    EXPECT_EQ(f.dlogP_->chkp(2).value(), 1);  // "Multiple" keeps its boxes

    f.cboRays.setText("3");
    f.DebyeLabel();
    EXPECT_EQ(f.lblDebyeRays.caption(), "Debye series (Gaussian beam) (p = 3) ");
    EXPECT_EQ(f.dlogP_->chkp(0).value(), 0);
    EXPECT_EQ(f.dlogP_->chkp(2).value(), 0);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(DebyeWindowTest, GaussianBeamLabelReportsAnEmptySelection) {
    Form1& f = ready();
    f.cboRays.setText("Multiple");  // the dialog closes with nothing ticked
    const std::string title = f.caption();
    f.codes.runState = 1;
    f.DebyeLabel();
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.last().prompt, "No rays selected");
    EXPECT_EQ(messages.last().title, "Error");
    EXPECT_EQ(f.codes.runState, 4);
    EXPECT_EQ(f.caption(), title);
}

// -------------------------------------------------------------------------------------------------
// DebyeSeries

TEST_F(DebyeWindowTest, OrderZeroAtStrongAbsorptionIsHandedToTheMieSeries) {
    Form1& f = ready();
    f.cboRays.setText("0");
    std::vector<int> methodsSeen;
    runtime.setPumpHook([&] { methodsSeen.push_back(f.codes.calcMethod); });
    series(1000, 1.33, 0.8, 91);  // x Im m = 800
    EXPECT_NE(std::find(methodsSeen.begin(), methodsSeen.end(), 1), methodsSeen.end());
    EXPECT_EQ(f.codes.calcMethod, kMethodDebye);
    MieInput in;
    in.x = 1000;
    in.m = {1.33, 0.8};
    in.NANG = 91;
    in.first = 1;
    in.last = 181;
    MieResult r;
    MieSeries(in, r);
    ASSERT_EQ(r.status, MieStatus::Done);
    EXPECT_EQ(f.results.s1Amp[0], r.S1re);
    EXPECT_EQ(f.results.s2Amp[1], r.S2im);
    EXPECT_EQ(qSca, r.Qsca);
    // The run is the Debye series' order 0, which the Mie series computed: it keeps the order's captions.
    EXPECT_EQ(f.caption(), std::string("Debye series (p = 0)") + kPlace);
    EXPECT_EQ(f.lblDebyeRays.caption(), "Debye series (p = 0)");
    EXPECT_TRUE(messages.shown().empty());

    // At x Im m = 700 (not above) the Debye series itself runs.
    methodsSeen.clear();
    series(1000, 1.33, 0.7, 91);
    EXPECT_EQ(std::find(methodsSeen.begin(), methodsSeen.end(), 1), methodsSeen.end());
    EXPECT_EQ(f.debyeWork.status, DebyeStatus::Done);
    EXPECT_EQ(f.codes.calcMethod, kMethodDebye);
    EXPECT_EQ(f.caption(), std::string("Debye series (p = 0)") + kPlace);
}

// The order 0 handed to the Mie series subtracts no ray optics (the Mie series computes none to subtract
// from): with the subtraction ticked the run saves the file of the same run without it, not one that says
// "Options: Surface wave subtraction".
TEST_F(DebyeWindowTest, AHandOverToTheMieSeriesSavesNoSubtraction) {
    test::TestFolder folder("tessary_debye_");
    std::string saved[2];
    for (int subtract = 0; subtract < 2; ++subtract) {
        Form1& f = ready();
        for (int key : f.windowState.hiddenKeyTable) {
            int shift = 0;
            f.Form_KeyDown(key, shift);
        }
        Type(f.cboRays, "0"), Type(f.cboStep, "1"), Type(f.txtRadius, "100"), Type(f.txtRefractImag, "3");
        if (subtract == 1) test::Choose(f, "Hidden > Surface wave subtraction");
        Press(f.cmdNewPlot);  // x Im m = 2900
        fileDialogs.answer(folder.at("run"));
        f.mnuSave.trigger();
        saved[subtract] = test::ReadAll(folder.at("run.tsy"));
    }
    EXPECT_EQ(saved[1].find("Options:"), std::string::npos);
    EXPECT_TRUE(saved[1] == saved[0]);
}

TEST_F(DebyeWindowTest, NewPlotDrawsTheKernelsAmplitudesOfTheChosenOrder) {
    Form1& f = ready();
    f.cboRays.setText("2");
    f.cmdNewPlot.click();
    EXPECT_TRUE(messages.shown().empty()) << messages.last().prompt;
    EXPECT_EQ(f.caption(), std::string("Debye series (p = 2)") + kPlace);
    EXPECT_EQ(f.lblDebyeRays.caption(), "Debye series (p = 2)");

    DebyeInput in;
    in.x = f.calc.sizeParam;
    in.m = {f.calc.calcIndexRe, f.calc.calcIndexIm};
    in.NANG = f.angleGrid.angleCount;
    in.first = f.angleGrid.windowFirst;
    in.last = f.angleGrid.windowLast;
    in.rayListText = "2";
    RaySelection rays;
    rays.rayflag[2] = 1;
    rays.rayCount = 1;
    rays.rayPMax = 2;
    DebyeResult r;
    DebyePlaneWave(in, rays, r);
    ASSERT_EQ(r.status, DebyeStatus::Done);
    EXPECT_EQ(f.results.s1Amp[0], r.S1re);
    EXPECT_EQ(f.results.s1Amp[1], r.S1im);
    EXPECT_EQ(f.results.s2Amp[0], r.S2re);
    EXPECT_EQ(f.results.s2Amp[1], r.S2im);
    EXPECT_EQ(f.runProgress.termCount, r.termCount);
    EXPECT_EQ(f.runProgress.stepsDone, f.runProgress.stepsTotal);
    EXPECT_EQ(f.txtProgress.visible(), false);  // the run's common end

    // The default 10 um water drop (x = 96.7), p = 2: the primary rainbow rising from the geometric
    // rainbow angle, 137.9 degrees, to its first maximum about 2 degrees beyond (the Airy shift at this
    // size, as in the full Mie series), and on the dark side of the bow (90 to 125 degrees) nothing
    // near it. The rise towards 180 degrees is the glory part of the p = 2 rays.
    const auto at = [&](double degrees) {
        return static_cast<std::size_t>(std::lround(degrees * (f.angleGrid.angleCount - 1) / 90.0)) + 1;
    };
    const std::vector<double>& perp = f.results.intensityPerp;
    std::size_t bow = at(90);
    for (std::size_t j = at(90); j <= at(170); ++j)
        if (perp[j] > perp[bow]) bow = j;
    const double bowAngle = (static_cast<double>(bow) - 1) * 0.1;
    EXPECT_GT(bowAngle, 138.0);
    EXPECT_LT(bowAngle, 144.0);
    EXPECT_GT(perp[at(138)], 0.3 * perp[bow]);
    double darkSide = 0;
    for (std::size_t j = at(90); j <= at(125); ++j) darkSide = std::max(darkSide, perp[j]);
    EXPECT_LT(darkSide, 0.01 * perp[bow]);
}

struct RefusalCase {
    const char* name;
    const char* rays;
    bool surfaceWaveSub;
    double x, mRe, mIm;
    const char* promptStart;
    bool tablesMade;  // S1 and S2 re-created (zero) before the refusal
};

TEST_F(DebyeWindowTest, RefusalsShowTheirMessageAndStopTheRun) {
    const std::vector<RefusalCase> cases{
        {"no rays", "Multiple", false, 10, 1.33, 0, "No rays selected", true},
        {"too large", "2", false, 160000, 1.33, 0, "Reduce radius or increase wavelength", false},
        {"too absorbing", "2", false, 1000, 1.33, 0.8, "Absorption too strong for the Debye series", false},
    };
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(c.name);
        Form1& f = ready();
        f.cboRays.setText(c.rays);
        f.mnuSWsub.setChecked(c.surfaceWaveSub);
        f.results.s1Amp[0].assign(7, 42.0);
        f.codes.runState = 1;
        series(c.x, c.mRe, c.mIm, 91);
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_EQ(messages.last().prompt.rfind(c.promptStart, 0), 0u) << messages.last().prompt;
        EXPECT_EQ(messages.last().title, "Error");
        EXPECT_EQ(f.codes.runState, 4);
        EXPECT_EQ(f.codes.calcMethod, kMethodDebye);
        EXPECT_EQ(f.results.s1Amp[0],
                  c.tablesMade ? std::vector<double>(182, 0.0) : std::vector<double>(7, 42.0));
        EXPECT_EQ(qExt, -1);  // no efficiency is written
        EXPECT_EQ(qSca, -1);
    }
}

TEST_F(DebyeWindowTest, ConvergenceGraphShowsItsTermCount) {
    Form1& f = ready();
    f.cboRays.setText("2");
    test::Type(f.cboGraph, "Convergence");
    series(10, 1.33, 0, 91);
    EXPECT_EQ(f.runProgress.termCount, 25);
    EXPECT_EQ(f.txtXmax.text(), "25");
    ASSERT_GE(f.results.intensityPerp.size(), 26u);
    EXPECT_EQ(std::vector<double>(f.results.intensityPerp.begin(), f.results.intensityPerp.begin() + 26),
              f.debyeWork.intensityPerp);
}

TEST_F(DebyeWindowTest, NangBelowTwoIsRaisedToTwo) {
    Form1& f = ready();
    f.cboRays.setText("1");
    series(5, 1.33, 0, 1);
    EXPECT_EQ(nang, 2);
    EXPECT_EQ(f.results.s1Amp[0].size(), 4u);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(DebyeWindowTest, VisibleDataNamesEachOrderOnARedPatchUnderTheGraph) {
    onRayDialog([](dlogP& d) {
        d.chkp(0).setValue(1);
        d.chkp(2).setValue(1);
        d.OKButton.click();
    });
    Form1& f = ready();
    f.cboRays.setText("Multiple");
    f.mnuDataVisible.setChecked(true);
    f.setRecording(true);
    f.clearDrawLog();
    series(10, 1.33, 0, 91);
    std::vector<std::string> printed;
    int patches = 0;
    for (const DrawOp& op : f.drawLog()) {
        if (op.kind == DrawOp::Kind::Text && op.x1 == 4000 && op.y1 == f.graph.graphBottom + 1200.0)
            printed.push_back(op.text);
        if (op.kind == DrawOp::Kind::FilledBox && op.colour == 255 && op.x1 == 4000) ++patches;
    }
    ASSERT_EQ(printed.size(), 2u);
    EXPECT_NE(printed[0].find('0'), std::string::npos);
    EXPECT_NE(printed[1].find('2'), std::string::npos);
    EXPECT_EQ(patches, 2);
}

TEST_F(DebyeWindowTest, StopEndsALongRunAtOnce) {
    Form1& f = ready();
    f.txtRadius.setText("2069");  // x about 20000 at 0.65 um
    f.cboStep.setText("0.01");    // 18001 angles of 20000 orders: longer than one pump interval
    f.cboRays.setText("-50");
    double stoppedAt = -1;
    runtime.setPumpHook([&] {
        // The first pump once the angle sums are under way: Stop, answered Yes.
        if (stoppedAt < 0 && f.runFlags.runUnderWay && f.codes.calcMethod == kMethodDebye &&
            f.runProgress.stepsDone > 0) {
            stoppedAt = f.runProgress.stepsDone;
            f.cmdStop.click();
        }
    });
    f.cmdNewPlot.click();
    ASSERT_GT(stoppedAt, 0) << "no pump during the angle sums";
    EXPECT_EQ(f.debyeWork.status, DebyeStatus::Stopped);
    EXPECT_EQ(f.debyeWork.stepsDone, stoppedAt);  // no further block after the stop
    EXPECT_LT(stoppedAt, f.debyeWork.stepsTotal);
    EXPECT_NEAR(f.calc.sizeParam, 20000, 20);
    bool asked = false;
    for (const MessageBoxRequest& m : messages.shown())
        asked |= m.prompt == "Do you want to stop the calculation?";
    EXPECT_TRUE(asked);
    EXPECT_FALSE(f.windowState.inputsLocked);
    EXPECT_FALSE(f.cmdStop.visible());
}

}  // namespace
}  // namespace tessary
