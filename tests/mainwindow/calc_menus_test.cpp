// Calculation-option and beam menus: toggles, groups with one item checked, the size-entry captions,
// cubic interpolation, averaging, logarithmic steps and the beam choice with its dialog.
#include <string>
#include <vector>

#include "runs/method_codes.h"
#include "tests/mainwindow/form1_test_support.h"

namespace tessary {
namespace {

using test::Form1Test;

using Handler = void (Form1::*)();

// Positions inside a frame snap to whole pixels (15 twips here).
constexpr double kHalfPixel = 7.5;
using Item = Menu Form1::*;

// Results on show and current, as after a run.
void Current(Form1& f) {
    f.runFlags.resultsStale = 0;
    f.runFlags.resultsFromFile = 0;
    f.cmdReplot.setVisible(false);
    f.cmdReplot.setEnabled(false);
    f.cmdNewPlot.setDefault(true);
}

bool ReplotOffered(const Form1& f) {
    return f.cmdReplot.visible() && f.cmdReplot.enabled() && f.cmdReplot.isDefault();
}

struct SizeEntry {
    const char* name;
    Handler click;
    Item item;
    const char* caption;
    bool microVisible;
    const char* beforeMicro;  // the micro sign starts where this text of the caption ends
};

const SizeEntry kSizeEntries[] = {
    {"Diameter", &Form1::mnuDiameter_Click, &Form1::mnuDiameter, "Diameter (  m)", true, "Diameter ("},
    {"Size parameter", &Form1::mnuRadiusX_Click, &Form1::mnuRadiusX, "Size parameter x", false, ""},
    {"Radius", &Form1::mnuRadius_Click, &Form1::mnuRadius, "Radius (  m)", true, "Radius ("},
    {"Diameter again", &Form1::mnuDiameter_Click, &Form1::mnuDiameter, "Diameter (  m)", true, "Diameter ("},
};

TEST_F(Form1Test, SizeEntryCaptionsFollowTheChosenItem) {
    Form1& f = started();
    const Item group[] = {&Form1::mnuRadius, &Form1::mnuDiameter, &Form1::mnuRadiusX};
    for (const SizeEntry& c : kSizeEntries) {
        SCOPED_TRACE(c.name);
        (f.*c.click)();
        for (const Item item : group) EXPECT_EQ((f.*item).checked(), item == c.item) << (f.*item).caption();
        EXPECT_EQ(f.Label7.caption(), c.caption);
        EXPECT_EQ(f.Label29.visible(), c.microVisible);
        if (c.microVisible) {
            const double after = f.Label7.left() + f.Label7.textWidth(c.beforeMicro);
            EXPECT_NEAR(f.Label29.left(), after, 2 * kHalfPixel);
        }
    }
}

struct NoOp {
    const char* name;
    Handler click;
    Item item;
};

// An item already checked: nothing changes, not even the caption or the other marks.
TEST_F(Form1Test, AlreadyCheckedItemIsANoOp) {
    const NoOp cases[] = {
        {"Radius", &Form1::mnuRadius_Click, &Form1::mnuRadius},
        {"Diameter", &Form1::mnuDiameter_Click, &Form1::mnuDiameter},
        {"Size parameter", &Form1::mnuRadiusX_Click, &Form1::mnuRadiusX},
        {"Short path", &Form1::mnuSurfaceShort_Click, &Form1::mnuSurfaceShort},
        {"Long path", &Form1::mnuSurfaceLong_Click, &Form1::mnuSurfaceLong},
        {"Both paths", &Form1::mnuSurfaceBoth_Click, &Form1::mnuSurfaceBoth},
    };
    Form1& f = started();
    for (const NoOp& c : cases) {
        SCOPED_TRACE(c.name);
        // Every item of both groups checked (start-up checks all three surface-wave paths).
        for (Menu* m : {&f.mnuRadius, &f.mnuDiameter, &f.mnuRadiusX, &f.mnuSurfaceShort, &f.mnuSurfaceLong,
                        &f.mnuSurfaceBoth})
            m->setChecked(true);
        f.Label7.setCaption("unchanged");
        f.Label29.setLeft(1000);
        (f.*c.click)();
        for (const Menu* m : {&f.mnuRadius, &f.mnuDiameter, &f.mnuRadiusX, &f.mnuSurfaceShort,
                              &f.mnuSurfaceLong, &f.mnuSurfaceBoth})
            EXPECT_TRUE(m->checked()) << m->caption();
        EXPECT_EQ(f.Label7.caption(), "unchanged");
        EXPECT_NEAR(f.Label29.left(), 1000, kHalfPixel);
    }
}

struct GroupCase {
    const char* name;
    Handler click;
    Item chosen;
    std::vector<Item> others;
};

// Groups whose handlers always act: the surface-wave model and the plane wave; a surface-wave path
// not yet checked.
TEST_F(Form1Test, GroupHandlersLeaveExactlyTheirItemChecked) {
    const std::vector<GroupCase> cases = {
        {"Khare", &Form1::mnuKhare_Click, &Form1::mnuKhare, {&Form1::mnuLock, &Form1::mnuNussenzveig}},
        {"Lock", &Form1::mnuLock_Click, &Form1::mnuLock, {&Form1::mnuKhare, &Form1::mnuNussenzveig}},
        {"Nussenzveig",
         &Form1::mnuNussenzveig_Click,
         &Form1::mnuNussenzveig,
         {&Form1::mnuKhare, &Form1::mnuLock}},
        {"Plane wave",
         &Form1::mnuPlaneWave_Click,
         &Form1::mnuPlaneWave,
         {&Form1::mnuGaussian, &Form1::mnuTopHat}},
        {"Short path",
         &Form1::mnuSurfaceShort_Click,
         &Form1::mnuSurfaceShort,
         {&Form1::mnuSurfaceLong, &Form1::mnuSurfaceBoth}},
        {"Long path",
         &Form1::mnuSurfaceLong_Click,
         &Form1::mnuSurfaceLong,
         {&Form1::mnuSurfaceShort, &Form1::mnuSurfaceBoth}},
        {"Both paths",
         &Form1::mnuSurfaceBoth_Click,
         &Form1::mnuSurfaceBoth,
         {&Form1::mnuSurfaceShort, &Form1::mnuSurfaceLong}},
    };
    Form1& f = started();
    for (const GroupCase& c : cases) {
        SCOPED_TRACE(c.name);
        // The surface-wave paths act only on an unchecked item; the others re-check a checked one.
        const bool pathItem = c.name == std::string("Short path") || c.name == std::string("Long path") ||
                              c.name == std::string("Both paths");
        (f.*c.chosen).setChecked(!pathItem);
        for (const Item other : c.others) (f.*other).setChecked(true);
        (f.*c.click)();
        EXPECT_TRUE((f.*c.chosen).checked());
        for (const Item other : c.others) EXPECT_FALSE((f.*other).checked()) << (f.*other).caption();
    }
}

TEST_F(Form1Test, PlainTogglesChangeOnlyTheirMark) {
    const NoOp cases[] = {
        {"Central beam", &Form1::mnuCentralBeam_Click, &Form1::mnuCentralBeam},
        {"Debye recursion", &Form1::mnuDebyeRecursion_Click, &Form1::mnuDebyeRecursion},
        {"Multiple beams", &Form1::mnuMultBeams_Click, &Form1::mnuMultBeams},
        {"Phase correction", &Form1::mnuSWPhase_Click, &Form1::mnuSWPhase},
        {"Surface wave subtraction", &Form1::mnuSWsub_Click, &Form1::mnuSWsub},
    };
    Form1& f = started();
    Current(f);
    for (const NoOp& c : cases) {
        SCOPED_TRACE(c.name);
        const bool before = (f.*c.item).checked();
        (f.*c.click)();
        EXPECT_EQ((f.*c.item).checked(), !before);
        (f.*c.click)();
        EXPECT_EQ((f.*c.item).checked(), before);
        EXPECT_FALSE(f.cmdReplot.visible());
    }
}

TEST_F(Form1Test, CubicInterpolationLabelAndReplotOffer) {
    Form1& f = started();
    f.mnuInterpolate.setChecked(false);
    Current(f);
    f.mnuInterpolate_Click();
    EXPECT_TRUE(f.mnuInterpolate.checked());
    EXPECT_EQ(f.lblCubic.caption(), "Cubic interpolation ON");
    EXPECT_TRUE(ReplotOffered(f));

    Current(f);
    f.runFlags.resultsStale = 1;
    f.mnuInterpolate_Click();
    EXPECT_FALSE(f.mnuInterpolate.checked());
    EXPECT_EQ(f.lblCubic.caption(), "Cubic interpolation OFF");
    EXPECT_FALSE(f.cmdReplot.visible());
    EXPECT_TRUE(f.cmdNewPlot.isDefault());
}

TEST_F(Form1Test, SunRectangularOffersReplotOnlyForCurrentResults) {
    Form1& f = started();
    f.mnuSun.setChecked(false);
    Current(f);
    f.runFlags.resultsStale = 1;
    f.mnuSun_Click();
    EXPECT_TRUE(f.mnuSun.checked());
    EXPECT_FALSE(f.cmdReplot.visible());
    f.runFlags.resultsStale = 0;
    f.mnuSun_Click();
    EXPECT_FALSE(f.mnuSun.checked());
    EXPECT_TRUE(ReplotOffered(f));
}

// Writing the step list's text raises its Change: the results go out of date. Unticking gives back
// the step the graph had; once the range changed, the graph's preset step; the convergence graph's
// step list is no number of steps and stays as it is.
TEST_F(Form1Test, LogarithmicStepsSwitchTheStepList) {
    struct Case {
        const char *graph, *step, *newMin;  // newMin: typed while the steps are logarithmic
        const char *logStep, *logLabel, *backStep, *backLabel;
    };
    const Case cases[] = {
        {"Intensity v. radius", "0.002", "", "100", "No. of steps", "0.002", "Step (um)"},
        {"Qext/Qsca/Qabs v. size x", "0.5", "", "100", "No. of steps", "0.5", "Step"},
        {"Intensity v. wavelength", "0.5", "450", "100", "No. of steps", "0.01", "Step (nm)"},
        {"Cext/Csca/Cabs v. radius", "0.05", "1", "100", "No. of steps", "0.01", "Step (um)"},
        {"Convergence", "1", "", "1", "Step", "1", "Step"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.graph);
        Form1& f = started();
        f.cboGraph.setText(c.graph);
        f.mnuXStepLog.setChecked(false);
        f.cboStep.setText(c.step);
        const bool writes = std::string(c.step) != c.logStep;
        f.runFlags.resultsStale = 0;
        f.mnuXStepLog_Click();
        EXPECT_TRUE(f.mnuXStepLog.checked());
        EXPECT_EQ(f.cboStep.text(), c.logStep);
        EXPECT_EQ(f.Label5.caption(), c.logLabel);
        EXPECT_EQ(f.runFlags.resultsStale, writes ? 1 : 0);
        if (*c.newMin) f.txtXmin.setText(c.newMin);

        f.runFlags.resultsStale = 0;
        f.mnuXStepLog_Click();
        EXPECT_FALSE(f.mnuXStepLog.checked());
        EXPECT_EQ(f.cboStep.text(), c.backStep);
        EXPECT_EQ(f.Label5.caption(), c.backLabel);
        EXPECT_EQ(f.runFlags.resultsStale, writes ? 1 : 0);
    }
}

TEST_F(Form1Test, AverageActsOnlyOnCurrentResults) {
    Form1& f = started();
    f.mnuAverage.setChecked(false);
    f.lblAverage.setCaption("before");
    Current(f);
    f.runFlags.resultsStale = 1;
    modalCaptions.clear();
    f.mnuAverage_Click();
    EXPECT_FALSE(f.mnuAverage.checked());
    EXPECT_EQ(f.lblAverage.caption(), "before");
    EXPECT_TRUE(modalCaptions.empty());
    EXPECT_FALSE(f.cmdReplot.visible());
}

TEST_F(Form1Test, AverageOnAsksForTheWidthAndOffAnnouncesIt) {
    Form1& f = started();
    f.mnuAverage.setChecked(false);
    Current(f);
    runtime.setModalHook([](Form& dialog) {
        auto& average = dynamic_cast<dlogAverage&>(dialog);
        average.txtAverage.setText("12");
        average.OKButton.click();
    });
    f.mnuAverage_Click();
    EXPECT_TRUE(f.mnuAverage.checked());
    EXPECT_EQ(f.mnuAverage.caption(), "Average over 12 units");
    EXPECT_EQ(f.lblAverage.caption(), "Average ON");
    EXPECT_TRUE(ReplotOffered(f));

    Current(f);
    f.mnuAverage_Click();
    EXPECT_FALSE(f.mnuAverage.checked());
    EXPECT_EQ(f.lblAverage.caption(), "Average OFF");
    EXPECT_EQ(f.mnuAverage.caption(), "Average over 12 units");
    EXPECT_TRUE(ReplotOffered(f));
    EXPECT_EQ(runtime.modalFormsLeftOpen(), 0);
}

struct BeamCase {
    const char* name;
    const char* method;  // the entry chosen in the method list
    bool enabled;
    const char* yf;  // the boxes yf, zf and phi after the handler (they held "5", "6" and "7")
};

// Young mod. centres the beam on the axis; Mie and Debye let the user place it.
TEST_F(Form1Test, GaussianBeamBoxesByMethod) {
    const BeamCase cases[] = {
        {"Mie", "Mie", true, "5"},
        {"Debye", "Debye", true, "5"},
        {"Young mod", "Young mod", false, "0"},
        {"Mie after Young mod", "Mie", true, "0"},
    };
    Form1& f = started();
    dlogGaussianBeam& beam = *f.dlogGaussianBeam_;
    for (const BeamCase& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.name != std::string("Mie after Young mod")) {
            beam.txtBeamYF.setText("5");
            beam.txtBeamZF.setText("6");
            beam.txtPhi.setText("7");
        }
        test::Choose(f.cboType, c.method);
        f.runFlags.resultsFromFile = 0;
        modalCaptions.clear();
        f.mnuGaussian_Click();
        EXPECT_TRUE(f.mnuGaussian.checked());
        EXPECT_FALSE(f.mnuPlaneWave.checked());
        EXPECT_FALSE(f.mnuTopHat.checked());
        EXPECT_EQ(modalCaptions, std::vector<std::string>{"Gaussian beam"});
        EXPECT_EQ(beam.txtBeamYF.text(), c.yf);
        for (const TextBox* box : {&beam.txtBeamYF, &beam.txtBeamZF, &beam.txtPhi})
            EXPECT_EQ(box->enabled(), c.enabled);
        if (f.codes.calcMethod == kMethodYoungMod) {
            EXPECT_EQ(beam.txtBeamZF.text(), "0");
            EXPECT_EQ(beam.txtPhi.text(), "0");
        }
    }
}

TEST_F(Form1Test, BeamValuesAreStoredAfterTheDialog) {
    Form1& f = started();
    runtime.setModalHook([](Form& dialog) {
        auto& beam = dynamic_cast<dlogGaussianBeam&>(dialog);
        beam.txtBeamXF.setText("-12.5");
        beam.txtBeamYF.setText("3");
        beam.txtBeamZF.setText("0.25");
        beam.txtBeamWo.setText("8");
        beam.OKButton.click();
    });
    f.mnuGaussian_Click();
    EXPECT_EQ(f.beamState.beamXf, -12.5f);
    EXPECT_EQ(f.beamState.beamYf, 3.0f);
    EXPECT_EQ(f.beamState.beamZf, 0.25f);
    EXPECT_EQ(f.beamState.beamW0, 8.0f);
    EXPECT_EQ(runtime.modalFormsLeftOpen(), 0);
}

// While results from a data file are shown the dialog stays closed, and its fields are taken.
TEST_F(Form1Test, BeamMenusDoNotOpenTheDialogForFileResults) {
    Form1& f = started();
    test::Choose(f.cboType, "Young mod");
    f.runFlags.resultsFromFile = 1;
    dlogGaussianBeam& beam = *f.dlogGaussianBeam_;
    beam.txtBeamXF.setText("-30");
    beam.txtBeamWo.setText("15");
    modalCaptions.clear();
    f.mnuGaussian_Click();
    EXPECT_TRUE(modalCaptions.empty());
    EXPECT_EQ(f.beamState.beamXf, -30.0f);
    EXPECT_EQ(f.beamState.beamW0, 15.0f);
    f.mnuTopHat_Click();
    EXPECT_TRUE(modalCaptions.empty());
    EXPECT_TRUE(f.mnuTopHat.checked());
    EXPECT_FALSE(f.mnuGaussian.checked());
}

// The top-hat beam renames the dialog and leaves its boxes' enabled states alone.
TEST_F(Form1Test, TopHatBeam) {
    Form1& f = started();
    dlogGaussianBeam& beam = *f.dlogGaussianBeam_;
    beam.txtBeamYF.setEnabled(false);
    beam.txtPhi.setEnabled(true);
    f.mnuGaussian.setChecked(true);
    f.runFlags.resultsFromFile = 0;
    modalCaptions.clear();
    f.mnuTopHat_Click();
    EXPECT_EQ(modalCaptions, std::vector<std::string>{"Top hat beam"});
    EXPECT_EQ(beam.caption(), "Top hat beam");
    EXPECT_TRUE(f.mnuTopHat.checked());
    EXPECT_FALSE(f.mnuGaussian.checked());
    EXPECT_FALSE(f.mnuPlaneWave.checked());
    EXPECT_FALSE(beam.txtBeamYF.enabled());
    EXPECT_TRUE(beam.txtPhi.enabled());
}

// A beam value beyond the Single range leaves the stored value; the run's checks judge the box.
TEST_F(Form1Test, BeamValueBeyondSingleRangeKeepsTheStoredValue) {
    Form1& f = started();
    f.runFlags.resultsFromFile = 1;
    f.dlogGaussianBeam_->txtBeamXF.setText("-40");
    f.mnuGaussian_Click();
    ASSERT_EQ(f.beamState.beamXf, -40.0f);
    f.dlogGaussianBeam_->txtBeamXF.setText("1e60");
    f.mnuGaussian_Click();
    EXPECT_EQ(f.beamState.beamXf, -40.0f);
}

}  // namespace
}  // namespace tessary
