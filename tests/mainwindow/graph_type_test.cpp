// The graph-type list: every entry's codes, the presets each type applies to the window, the redraw
// decision under current results, and the absolute-units entry with an unusable wavelength.
#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "graphs/graph_codes.h"
#include "mainwindow/graph_presets.h"
#include "rel_error.h"
#include "tests/mainwindow/form1_test_support.h"

namespace tessary {
namespace {

using test::Choose;
using test::Form1Test;
using test::Type;

constexpr OleColor kYellow = 65535;
constexpr OleColor kWhite = 16777215;
// Positions in a frame snap to whole pixels (15 twips each here).
constexpr double kHalfPixel = 7.5;

// As before a type is chosen for the first time: nothing drawn yet, inputs changed, linear steps.
void FreshState(Form1& f) {
    f.codes.prevGraphCode = kNoGraph;
    f.codes.prevGraphSubCode = kNoSubCode;
    f.runFlags.resultsStale = 1;
    f.runFlags.resultsFromFile = 0;
    f.mnuXStepLog.setChecked(false);
}

// As after a run of the given type.
void CurrentResults(Form1& f, int code, int sub) {
    f.codes.graphCode = code;
    f.codes.graphSubCode = sub;
    f.codes.prevGraphCode = code;
    f.codes.prevGraphSubCode = sub;
    f.runFlags.resultsStale = 0;
    f.runFlags.resultsFromFile = 0;
    f.runRecord.graphCode = code;  // its record: a complete run of one wavelength
    f.runRecord.graphSubCode = sub;
    f.runRecord.variantOnShow = kNoSubCode;
    f.runRecord.waveCount = 1;
    f.runRecord.state = ResultsState::Complete;
}

struct EntryCodes {
    const char* text;
    int code;
    int sub;  // 0: the sub-code stays as it was
};

// Chooses a type from the list; Convergence, listed only in the hidden mode, is typed.
void Pick(Form1& f, const std::string& text) {
    if (text == "Convergence") {
        Type(f.cboGraph, text);
    } else {
        Choose(f.cboGraph, text);
    }
}

constexpr EntryCodes kEntries[] = {
    {"Intensity v. scattering angle", 1, 1},
    {"Watts/sq. m. v. scattering angle", 1, 3},
    {"Phase function", 1, 2},
    {"Intensity v. wavelength", 10, 0},
    {"Intensity v. radius", 11, 1},
    {"Intensity v. size parameter x", 11, 2},
    {"Intensity v. refractive index", 12, 0},
    {"Lee diagram", 20, 0},
    {"Qext/Qsca/Qabs v. radius", 14, 1},
    {"Cext/Csca/Cabs v. radius", 14, 2},
    {"Qext/Qsca/Qabs v. size x", 14, 3},
    {"Cext/Csca/Cabs v. size x", 14, 4},
    {"Qext/Qsca/Qabs v. wavelength", 15, 1},
    {"Cext/Csca/Cabs v. wavelength", 15, 2},
    {"Asymmetry parameter v. radius", 16, 1},
    {"Asymmetry parameter v. size x", 16, 2},
    {"Asymmetry parameter v. wavelength", 16, 3},
    {"Map: angle v. refractive index", 22, 0},
    {"Map: angle v. imaginary RI", 23, 0},
    {"Map: angle v. radius", 24, 0},
    {"Map: angle v. wavelength", 25, 0},
    {"Convergence", 13, 0},
};

TEST_F(Form1Test, EveryGraphEntrySetsItsCodes) {
    Form1& f = started();
    for (const EntryCodes& e : kEntries) {
        SCOPED_TRACE(e.text);
        f.codes.graphSubCode = 9;  // a variant no type has: shows whether the entry writes the sub-code
        Pick(f, e.text);
        EXPECT_EQ(f.codes.graphCode, e.code);
        EXPECT_EQ(f.codes.graphSubCode, e.sub == 0 ? 9 : e.sub);
    }
}

TEST_F(Form1Test, StartupListHoldsTheFirstTwentyOneEntriesInOrder) {
    Form1& f = started();
    ASSERT_EQ(f.cboGraph.listCount(), 21);
    for (int i = 0; i < 21; ++i) EXPECT_EQ(f.cboGraph.list(i), kEntries[i].text);
}

TEST_F(Form1Test, UnknownGraphTextKeepsTheCodesAndTheirPreset) {
    Form1& f = started();
    Choose(f.cboGraph, "Cext/Csca/Cabs v. radius");
    for (const char* text :
         {"cext/csca/cabs v. radius", "Intensity v. scattering angle ", "", "Convergence?"}) {
        SCOPED_TRACE(text);
        Type(f.cboGraph, text);
        EXPECT_EQ(f.codes.graphCode, kGraphEfficiency);
        EXPECT_EQ(f.codes.graphSubCode, kSubCRadius);
        EXPECT_EQ(f.Frame2.caption(), "Radius");
        EXPECT_EQ(f.Label5.caption(), "Step (um)");
    }
}

TEST_F(Form1Test, ChoosingAnEntryRunsTheHandlerOnce) {
    Form1& f = started();
    // The absolute-units entry opens its dialog once per run of the handler.
    f.cboGraph.setListIndex(1);
    EXPECT_EQ(modalCaptions.size(), 1u);
    f.cboGraph.setListIndex(0);
    f.cboGraph.setText("Watts/sq. m. v. scattering angle");
    ASSERT_EQ(modalCaptions.size(), 2u);
    EXPECT_EQ(modalCaptions[1], "Calculation of Watts/sq m ");
}

struct AxisPreset {
    const char* entry;
    const char* frame2;
    const char* maximum;
    const char* minimum;
    const char* step;
    const char* xMin;
    const char* xMax;
    const char* stepText;
};

// Chosen for the first time, with linear steps.
constexpr AxisPreset kAxisPresets[] = {
    {"Intensity v. scattering angle", "Angle scale", "Maximum angle", "Minimum angle", "Angular resolution",
     "0", "180", "0.1"},
    {"Intensity v. wavelength", "Wavelength scale", "Maximum (nm)", "Minimum (nm)", "Step (nm)", "490", "510",
     "0.01"},
    {"Intensity v. radius", "Radius of sphere", "Maximum (um)", "Minimum (um)", "Step (um)", "8.8", "9.2",
     "0.001"},
    {"Intensity v. size parameter x", "Size parameter x", "Maximum", "Minimum", "Step", "88", "92", "0.01"},
    {"Intensity v. refractive index", "Refractive index scale", "Maximum", "Minimum", "Step", "1.33", "1.34",
     "1E-05"},
    {"Convergence", "Iterations", "Maximum", "Minimum", "Step", "1", "200", "1"},
    {"Qext/Qsca/Qabs v. radius", "Radius", "Maximum (um)", "Minimum (um)", "Step (um)", "0.1", "100", "0.01"},
    {"Cext/Csca/Cabs v. radius", "Radius", "Maximum (um)", "Minimum (um)", "Step (um)", "0.1", "100", "0.01"},
    {"Qext/Qsca/Qabs v. size x", "Size parameter x", "Maximum", "Minimum", "Step", "1", "50", "0.01"},
    {"Cext/Csca/Cabs v. wavelength", "Wavelength scale", "Maximum (nm)", "Minimum (nm)", "Step (nm)", "200",
     "1000", "1"},
    {"Asymmetry parameter v. radius", "Radius", "Maximum (um)", "Minimum (um)", "No. of steps", "0.01", "100",
     "4000"},
    {"Asymmetry parameter v. size x", "Size parameter x", "Maximum", "Minimum", "No. of steps", "0.1", "1000",
     "4000"},
    {"Asymmetry parameter v. wavelength", "Wavelength scale", "Maximum (nm)", "Minimum (nm)", "No. of steps",
     "200", "2000", "100"},
    {"Lee diagram", "Angle scale", "Maximum angle", "Minimum angle", "Angular resolution", "178", "180",
     "0.05"},
    {"Map: angle v. refractive index", "Angle scale", "Maximum angle", "Minimum angle", "Angular resolution",
     "178", "180", "0.05"},
    {"Map: angle v. imaginary RI", "Angle scale", "Maximum angle", "Minimum angle", "Angular resolution",
     "137", "145", "0.05"},
    {"Map: angle v. radius", "Angle scale", "Maximum angle", "Minimum angle", "Angular resolution", "137",
     "145", "0.05"},
    {"Map: angle v. wavelength", "Angle scale", "Maximum angle", "Minimum angle", "Angular resolution", "137",
     "145", "0.05"},
};

TEST_F(Form1Test, EveryTypeSetsItsAxisFrameAndRange) {
    Form1& f = started();
    for (const AxisPreset& p : kAxisPresets) {
        SCOPED_TRACE(p.entry);
        FreshState(f);
        f.txtXmin.setText("-7");  // shows whether the preset writes the range
        Pick(f, p.entry);
        EXPECT_EQ(f.Frame2.caption(), p.frame2);
        EXPECT_EQ(f.Label2.caption(), p.maximum);
        EXPECT_EQ(f.Label3.caption(), p.minimum);
        EXPECT_EQ(f.Label5.caption(), p.step);
        EXPECT_EQ(f.txtXmin.text(), p.xMin);
        EXPECT_EQ(f.txtXmax.text(), p.xMax);
        EXPECT_EQ(f.cboStep.text(), p.stepText);
        EXPECT_EQ(f.txtXmin.backColor(), kWhite);
        EXPECT_EQ(f.cboStep.backColor(), kWhite);
    }
}

// Every type, chosen after start-up, passes the run's checks with the range it presets: New plot
// shows no message. The run is stopped at its first pump, so only the checks and the first step run.
// The asymmetry parameter's wavelengths lie inside the band of the default water model.
TEST_F(Form1Test, EveryTypeRunsWithItsPreset) {
    Form1& f = started();
    runtime.setPumpHook([&f] { f.codes.runState = 4; });
    for (const GraphTypeEntry& entry : GraphTypeTable()) {
        SCOPED_TRACE(entry.text);
        messages.clear();
        Pick(f, std::string(entry.text));
        f.cmdNewPlot_Click();
        const std::string shown = messages.shown().empty() ? "" : messages.last().prompt;
        EXPECT_EQ(shown, "");
        EXPECT_LE(messages.shown().size(), 1u);
    }
}

TEST_F(Form1Test, AngleToolTipOnlyOnAngleAxes) {
    Form1& f = started();
    const std::string tip = "Forward scattering = 0 degrees, back-scattering = 180 degrees";
    EXPECT_EQ(f.Frame2.toolTipText(), tip);
    Choose(f.cboGraph, "Intensity v. wavelength");
    EXPECT_EQ(f.Frame2.toolTipText(), "");
    Choose(f.cboGraph, "Lee diagram");
    EXPECT_EQ(f.Frame2.toolTipText(), tip);
}

TEST_F(Form1Test, StartupConfiguresTheDefaultAngleGraph) {
    Form1& f = started();
    EXPECT_EQ(f.codes.graphCode, kGraphAngle);
    EXPECT_EQ(f.codes.graphSubCode, kSubIntensity);
    EXPECT_EQ(f.txtXmin.text(), "0");
    EXPECT_EQ(f.txtXmax.text(), "180");
    EXPECT_EQ(f.cboStep.text(), "0.1");
    EXPECT_EQ(f.Frame2.caption(), "Angle scale");
    EXPECT_FALSE(f.mnuXStepLog.checked());
    EXPECT_FALSE(f.mnuXStepLog.enabled());
    EXPECT_FALSE(f.mnuXStepLog.visible());
    EXPECT_TRUE(f.optLog.value());
    EXPECT_FALSE(f.Frame8.visible());
    EXPECT_FALSE(f.txtAngle.visible());
    EXPECT_EQ(f.txtAngle.text(), "0");
    EXPECT_EQ(f.txtRadius.text(), "10");
    EXPECT_TRUE(f.Frame5.visible());
    EXPECT_FALSE(f.Frame9.visible());
    EXPECT_EQ(f.calc.waveNumber, 1.0);
    EXPECT_EQ(f.calc.waveNumberSq, 1.0);
    EXPECT_FALSE(f.cmdReplot.visible());
    EXPECT_TRUE(f.cmdNewPlot.isDefault());
}

// Start-up selects entry 0 while the results are out of date and nothing has been drawn.
TEST_F(Form1Test, SelectingTheFirstEntryAtStartUpOnlyConfigures) {
    Form1& f = started();
    int replots = 0;
    f.cmdReplot.onClick = [&replots] { ++replots; };
    Choose(f.cboGraph, "Lee diagram");
    FreshState(f);
    f.setMousePointer(11);  // the unlock would restore the arrow
    f.cboGraph.setListIndex(0);
    EXPECT_EQ(replots, 0);
    EXPECT_EQ(f.mousePointer(), 11);
    EXPECT_EQ(f.codes.prevGraphCode, kNoGraph);
    EXPECT_EQ(f.runFlags.resultsStale, 1);
    EXPECT_EQ(f.txtXmin.text(), "0");
    EXPECT_EQ(f.txtXmax.text(), "180");
    EXPECT_EQ(f.cboStep.text(), "0.1");
    EXPECT_EQ(f.cboWave.text(), "1");
    EXPECT_EQ(f.cboGraph.backColor(), kYellow);
}

TEST_F(Form1Test, RadiusSweepStepFollowsLogarithmicSteps) {
    Form1& f = started();
    FreshState(f);
    f.mnuXStepLog.setChecked(true);
    Choose(f.cboGraph, "Intensity v. radius");
    EXPECT_EQ(f.Label5.caption(), "No. of steps");
    EXPECT_EQ(f.cboStep.text(), "100");
    EXPECT_TRUE(f.mnuXStepLog.visible());
    EXPECT_TRUE(f.mnuXStepLog.enabled());

    Choose(f.cboGraph, "Intensity v. wavelength");
    FreshState(f);
    Choose(f.cboGraph, "Intensity v. radius");
    EXPECT_EQ(f.Label5.caption(), "Step (um)");
    EXPECT_EQ(f.cboStep.text(), "0.001");
}

TEST_F(Form1Test, EfficiencyVariantsKeepTheTypedRange) {
    Form1& f = started();
    FreshState(f);
    Choose(f.cboGraph, "Cext/Csca/Cabs v. radius");
    CurrentResults(f, 14, 2);  // a run of that graph
    f.txtXmin.setText("5");
    f.txtXmax.setText("50");
    Choose(f.cboGraph, "Qext/Qsca/Qabs v. radius");
    EXPECT_EQ(f.txtXmin.text(), "5");
    EXPECT_EQ(f.txtXmax.text(), "50");
    EXPECT_EQ(f.runFlags.resultsStale, 1);
    EXPECT_EQ(f.codes.prevGraphSubCode, kSubCRadius);  // still the graph drawn last
    EXPECT_FALSE(f.cmdOverPlot.visible());
    EXPECT_FALSE(f.cmdOverPlot.enabled());
    // Back to the variant drawn last: it can be overplotted.
    Choose(f.cboGraph, "Cext/Csca/Cabs v. radius");
    EXPECT_TRUE(f.cmdOverPlot.visible());
    EXPECT_TRUE(f.cmdOverPlot.enabled());
    EXPECT_EQ(f.txtXmin.text(), "5");
}

TEST_F(Form1Test, EfficiencyPresetOffersSizeParameterMenuForSizeVariants) {
    Form1& f = started();
    FreshState(f);
    Choose(f.cboGraph, "Qext/Qsca/Qabs v. size x");
    EXPECT_FALSE(f.mnuRadius.visible());
    EXPECT_FALSE(f.mnuRadiusDiameter.visible());
    EXPECT_TRUE(f.mnuRadiusX.visible());
    EXPECT_FALSE(f.Frame3.visible());
    EXPECT_FALSE(f.cboPol.visible());
    EXPECT_TRUE(f.optLinear.value());
    Choose(f.cboGraph, "Qext/Qsca/Qabs v. radius");
    EXPECT_TRUE(f.mnuRadius.visible());
    EXPECT_FALSE(f.mnuDiameter.visible());
}

struct AsymmetryCase {
    const char* entry;
    int prevCode, prevSub;
    bool writesRange;
};

// The size-parameter variant rewrites its range only when both the type and the variant differ
// from the last drawn graph; the radius variant when the type differs; the wavelength one always.
constexpr AsymmetryCase kAsymmetryCases[] = {
    {"Asymmetry parameter v. radius", 14, 1, true},     {"Asymmetry parameter v. radius", 16, 2, false},
    {"Asymmetry parameter v. size x", 14, 3, true},     {"Asymmetry parameter v. size x", 11, 2, false},
    {"Asymmetry parameter v. size x", 16, 1, false},    {"Asymmetry parameter v. wavelength", 16, 3, true},
    {"Asymmetry parameter v. wavelength", 16, 1, true},
};

TEST_F(Form1Test, AsymmetryVariantsRewriteTheirRangeAsTheyShould) {
    Form1& f = started();
    for (const AsymmetryCase& c : kAsymmetryCases) {
        SCOPED_TRACE(std::string(c.entry) + " after " + std::to_string(c.prevCode) + "/" +
                     std::to_string(c.prevSub));
        Choose(f.cboGraph, "Intensity v. wavelength");
        f.codes.prevGraphCode = c.prevCode;
        f.codes.prevGraphSubCode = c.prevSub;
        f.mnuXStepLog.setChecked(false);
        f.txtXmin.setText("3");
        Choose(f.cboGraph, c.entry);
        EXPECT_EQ(f.txtXmin.text() != "3", c.writesRange);
        // Always logarithmic steps on a logarithmic x axis.
        EXPECT_TRUE(f.mnuXStepLog.checked());
        EXPECT_TRUE(f.optXLog.value());
        EXPECT_EQ(f.Label5.caption(), "No. of steps");
        EXPECT_FALSE(f.mnuRadiusDiameter.visible());
    }
    EXPECT_EQ(f.cboStep.text(), "100");  // the wavelength variant with logarithmic steps
    EXPECT_FALSE(f.Frame4.visible());
    EXPECT_TRUE(f.Frame3.visible());
}

TEST_F(Form1Test, ImaginaryIndexMapCopiesTheRealIndex) {
    Form1& f = started();
    const std::pair<const char*, const char*> cases[] = {
        {"1.33", "1.33"}, {"1.33257035", "1.33257035"}, {"abc", "0"}};
    for (const auto& [real, fixed] : cases) {
        SCOPED_TRACE(real);
        Choose(f.cboGraph, "Intensity v. wavelength");
        f.txtRefractReal.setText(real);
        Choose(f.cboGraph, "Map: angle v. imaginary RI");
        EXPECT_EQ(f.txtF9_fixed.text(), fixed);
        EXPECT_TRUE(f.txtF9_fixed.visible());
        EXPECT_EQ(f.Label30.caption(), "Real part");
        EXPECT_EQ(f.Label32.caption(), "Imaginary part");
        EXPECT_EQ(f.txtF9_min.text(), "0.001");
        EXPECT_EQ(f.txtF9_max.text(), "0.01");
        EXPECT_EQ(f.txtF9_step.text(), "4");
    }
}

// Every map hides the drop-size frame, whose radius box the map would ignore, whatever the graph
// before showed; the maps that take a radius show the one box they read.
TEST_F(Form1Test, MapsShowOneRadiusBox) {
    Form1& f = started();
    Choose(f.cboGraph, "Intensity v. radius");  // hides the drop-size frame
    Choose(f.cboGraph, "Map: angle v. refractive index");
    EXPECT_FALSE(f.Frame3.visible());
    EXPECT_EQ(f.Frame9.caption(), "Refractive index");
    EXPECT_EQ(f.Label30.caption(), "Imaginary part");
    EXPECT_EQ(f.Label32.caption(), "Real part");
    EXPECT_EQ(f.txtF9_fixed.text(), "0");
    for (const char* map : {"Map: angle v. refractive index", "Map: angle v. imaginary RI",
                            "Map: angle v. radius", "Map: angle v. wavelength"}) {
        SCOPED_TRACE(map);
        for (const char* before : {"Intensity v. wavelength", "Intensity v. scattering angle"}) {
            Choose(f.cboGraph, before);  // shows the drop-size frame
            ASSERT_TRUE(f.Frame3.visible());
            Choose(f.cboGraph, map);
            EXPECT_FALSE(f.Frame3.visible());
            EXPECT_EQ(f.txtAngle.visible(), std::string(map) != "Map: angle v. radius");
        }
    }
}

TEST_F(Form1Test, RadiusMapHidesTheFixedRadiusBox) {
    Form1& f = started();
    Choose(f.cboGraph, "Map: angle v. wavelength");
    EXPECT_EQ(f.Label19.caption(), "Radius (  m):");
    EXPECT_TRUE(f.Label31.visible());
    EXPECT_EQ(f.txtAngle.text(), "10");
    Choose(f.cboGraph, "Map: angle v. radius");
    EXPECT_FALSE(f.Label19.visible());
    EXPECT_FALSE(f.Label31.visible());
    EXPECT_FALSE(f.txtAngle.visible());
    EXPECT_FALSE(f.txtF9_fixed.visible());
    EXPECT_FALSE(f.Label30.visible());
    EXPECT_EQ(f.Frame9.caption(), "Radius");
    EXPECT_EQ(f.txtF9_min.text(), "5");
    EXPECT_EQ(f.txtF9_max.text(), "20");
}

struct ComponentsCase {
    const char* waves;
    bool offered;
};

// Among the angle entries under current results no preset runs and the count keeps its text.
constexpr ComponentsCase kComponentsCases[] = {
    {"3", true}, {"7", true}, {"RGB", true}, {"High", true}, {"10", false}, {"2000", false},
};

TEST_F(Form1Test, ComponentsFollowTheWavelengthCount) {
    Form1& f = started();
    for (const ComponentsCase& c : kComponentsCases) {
        SCOPED_TRACE(c.waves);
        f.cboWave.setText(c.waves);
        f.chkComponents.setValue(c.offered ? 0 : 1);
        CurrentResults(f, 1, 1);
        Choose(f.cboGraph, "Intensity v. scattering angle");
        Choose(f.cboGraph, "Phase function");
        EXPECT_EQ(f.cboWave.text(), c.waves);
        EXPECT_EQ(f.runFlags.resultsStale, 0);
        EXPECT_EQ(f.chkComponents.visible(), c.offered);
        EXPECT_EQ(f.chkComponents.enabled(), c.offered);
        EXPECT_EQ(f.chkComponents.value(), c.offered ? 1 : 0);
    }
}

TEST_F(Form1Test, LeeDiagramHidesComponentsWhateverTheCount) {
    Form1& f = started();
    Choose(f.cboGraph, "Lee diagram");
    EXPECT_EQ(f.cboWave.text(), "3");
    EXPECT_TRUE(f.cboWave.enabled());
    EXPECT_FALSE(f.chkComponents.visible());
    EXPECT_EQ(f.chkComponents.value(), 0);
}

TEST_F(Form1Test, PhaseFunctionUnderCurrentResultsRedrawsInPlace) {
    Form1& f = started();
    int replots = 0;
    f.cmdReplot.onClick = [&replots] { ++replots; };
    f.cboWave.setText("1");
    CurrentResults(f, 1, 1);
    f.txtXmin.setText("20");  // an angle window the user chose
    f.cboGraph.setText("Phase function");
    EXPECT_EQ(replots, 1);
    EXPECT_EQ(f.codes.graphSubCode, kSubPhaseFunction);
    EXPECT_EQ(f.runFlags.resultsStale, 0);
    EXPECT_EQ(f.codes.prevGraphCode, kGraphAngle);
    EXPECT_EQ(f.codes.prevGraphSubCode, kSubPhaseFunction);
    EXPECT_EQ(f.txtXmin.text(), "20");  // no preset
    EXPECT_EQ(f.cboGraph.backColor(), kWhite);
    EXPECT_FALSE(f.mnuAmpPhase.visible());
}

TEST_F(Form1Test, NoRedrawWithSeveralWavelengthsOrChangedInputs) {
    Form1& f = started();
    int replots = 0;
    f.cmdReplot.onClick = [&replots] { ++replots; };
    f.cboWave.setText("3");
    CurrentResults(f, 1, 1);
    Choose(f.cboGraph, "Phase function");
    f.cboWave.setText("1");
    CurrentResults(f, 1, 2);
    f.runFlags.resultsStale = 1;
    Choose(f.cboGraph, "Intensity v. scattering angle");
    EXPECT_EQ(replots, 0);
    EXPECT_EQ(f.codes.prevGraphSubCode, kSubPhaseFunction);
}

TEST_F(Form1Test, SizeEntryFollowsTheType) {
    Form1& f = started();
    Choose(f.cboGraph, "Intensity v. size parameter x");
    EXPECT_TRUE(f.mnuRadiusX.checked());
    EXPECT_FALSE(f.mnuRadius.checked());
    EXPECT_FALSE(f.mnuRadius.visible());
    EXPECT_FALSE(f.mnuRadiusDiameter.visible());
    Choose(f.cboGraph, "Intensity v. wavelength");
    EXPECT_TRUE(f.mnuRadius.checked());
    EXPECT_FALSE(f.mnuRadiusX.checked());
    EXPECT_TRUE(f.mnuRadius.visible());
    EXPECT_TRUE(f.mnuRadiusDiameter.visible());
    f.mnuDiameter_Click();
    Choose(f.cboGraph, "Map: angle v. wavelength");
    EXPECT_TRUE(f.mnuRadius.checked());
    EXPECT_FALSE(f.mnuDiameter.checked());
    // The efficiencies against the size parameter keep the radius entry and only offer x.
    Choose(f.cboGraph, "Cext/Csca/Cabs v. size x");
    EXPECT_TRUE(f.mnuRadius.checked());
    EXPECT_TRUE(f.mnuRadiusX.visible());
}

TEST_F(Form1Test, AnotherTypeUnderCurrentResultsMarksThemOutOfDate) {
    Form1& f = started();
    CurrentResults(f, 1, 1);
    Choose(f.cboGraph, "Intensity v. wavelength");
    EXPECT_EQ(f.runFlags.resultsStale, 1);
    EXPECT_EQ(f.codes.prevGraphCode, kGraphAngle);
    EXPECT_EQ(f.txtXmin.text(), "490");
    EXPECT_EQ(f.txtXmax.text(), "510");
    EXPECT_EQ(f.cboStep.text(), "0.01");
    EXPECT_EQ(f.cboGraph.backColor(), kYellow);
    EXPECT_TRUE(f.mnuInvWavelength.checked());
    EXPECT_TRUE(f.optLinear.value());
    EXPECT_EQ(f.cboYmin.text(), "0");
    EXPECT_TRUE(f.Frame8.visible());
    EXPECT_FALSE(f.Frame5.visible());
    EXPECT_EQ(f.txtAngle.text(), "180");
    EXPECT_TRUE(f.txtAngle.visible());
}

TEST_F(Form1Test, AngleGraphAfterAnotherTypeResetsPolarisation) {
    Form1& f = started();
    Choose(f.cboGraph, "Intensity v. wavelength");
    f.cboPol.setText("Parallel");
    CurrentResults(f, 10, 1);
    Choose(f.cboGraph, "Intensity v. scattering angle");
    EXPECT_EQ(f.cboPol.text(), "Both");
    EXPECT_EQ(f.txtXmax.text(), "180");
    EXPECT_EQ(f.runFlags.resultsStale, 1);
    EXPECT_EQ(f.codes.prevGraphCode, kGraphWavelength);
    EXPECT_TRUE(f.mnuAmpPhase.visible());
    EXPECT_TRUE(f.mnuIntPol.visible());
    // With inputs changed the angle preset leaves the polarisation.
    f.cboPol.setText("Parallel");
    Choose(f.cboGraph, "Phase function");
    EXPECT_EQ(f.cboPol.text(), "Parallel");
}

TEST_F(Form1Test, ResultsFromFileAreNotMarkedOutOfDate) {
    Form1& f = started();
    // The range the map writes, so that no box changes under the read results.
    f.txtXmin.setText("137");
    f.txtXmax.setText("145");
    f.cboStep.setText("0.05");
    CurrentResults(f, 1, 1);
    f.runFlags.resultsFromFile = 1;
    Choose(f.cboGraph, "Map: angle v. radius");
    EXPECT_EQ(f.runFlags.resultsStale, 0);
    EXPECT_EQ(f.runFlags.resultsFromFile, 1);
    EXPECT_EQ(f.cboLee.text(), "Absolute");
    EXPECT_FALSE(f.cboLee.enabled());
    EXPECT_EQ(f.codes.prevGraphCode, kGraphMapRadius);  // still current: the copy is made
    Choose(f.cboGraph, "Intensity v. refractive index");
    EXPECT_EQ(f.runFlags.resultsFromFile, 0);
}

TEST_F(Form1Test, LeeDiagramTurnsTheRadiusBoxIntoASweep) {
    Form1& f = started();
    Choose(f.cboGraph, "Lee diagram");
    EXPECT_EQ(f.txtRadius.text(), "5");
    EXPECT_NEAR(f.txtRadius.top(), 170, kHalfPixel);
    EXPECT_NEAR(f.txtRadius.left(), 1320, kHalfPixel);
    EXPECT_NEAR(f.txtRadius.width(), 495, kHalfPixel);
    EXPECT_EQ(f.Label7.caption(), "Minimum radius");
    EXPECT_NEAR(f.Label7.top(), 230, kHalfPixel);
    EXPECT_FALSE(f.Label29.visible());
    EXPECT_EQ(f.txtRmax.text(), "20");
    EXPECT_TRUE(f.txtRmax.visible());
    EXPECT_EQ(f.txtRstep.text(), "4");
    EXPECT_FALSE(f.cboN.visible());
    EXPECT_FALSE(f.Frame1.visible());
    EXPECT_TRUE(f.Label26.visible());
    EXPECT_EQ(f.Label26.caption(), "Lee diagram");
    EXPECT_EQ(f.cboLee.text(), "Normalised");
    EXPECT_FALSE(f.cboLee.enabled());
    EXPECT_FALSE(f.lblLogo.visible());
    EXPECT_FALSE(f.mnuXStepLog.visible());
    EXPECT_FALSE(f.mnuXStepLog.enabled());
    EXPECT_FALSE(f.mnuRadiusDiameter.visible());
    EXPECT_TRUE(f.mnuRadius.checked());

    Choose(f.cboGraph, "Intensity v. radius");
    EXPECT_NEAR(f.txtRadius.top(), 600, kHalfPixel);
    EXPECT_NEAR(f.txtRadius.left(), 120, kHalfPixel);
    EXPECT_NEAR(f.txtRadius.width(), 855, kHalfPixel);
    EXPECT_EQ(f.Label7.caption(), "Radius (  m)");
    EXPECT_NEAR(f.Label7.top(), 350, kHalfPixel);
    EXPECT_FALSE(f.txtRmax.visible());
    EXPECT_FALSE(f.cboLee.visible());
    EXPECT_TRUE(f.Frame1.visible());
    EXPECT_TRUE(f.lblLogo.visible());
}

TEST_F(Form1Test, MapsUseFalseColoursUntilACurveGraphIsChosen) {
    Form1& f = started();
    Choose(f.cboGraph, "Map: angle v. wavelength");
    EXPECT_TRUE(f.mnuFalseColours.checked());
    EXPECT_TRUE(f.mnuFalseColours.visible());
    EXPECT_FALSE(f.mnuTrueColour.checked());
    EXPECT_EQ(f.Label18.caption(), "Colour scale");
    EXPECT_EQ(f.Label26.caption(), "Intensity map");
    EXPECT_EQ(f.Frame9.caption(), "Wavelength");
    EXPECT_TRUE(f.Frame9.visible());
    EXPECT_EQ(f.txtF9_min.text(), "400");
    EXPECT_EQ(f.txtF9_max.text(), "700");
    EXPECT_FALSE(f.Frame8.visible());
    EXPECT_FALSE(f.cboPol.visible());
    Choose(f.cboGraph, "Intensity v. scattering angle");
    EXPECT_FALSE(f.mnuFalseColours.checked());
    EXPECT_FALSE(f.mnuFalseColours.visible());
    EXPECT_TRUE(f.mnuTrueColour.checked());
    EXPECT_FALSE(f.Frame9.visible());
    EXPECT_FALSE(f.Label31.visible());
    EXPECT_EQ(f.Label18.caption(), "Brightness");
    EXPECT_EQ(f.Label26.caption(), "Lee diagram");
}

// Whichever type came before, a shown polarisation list has its caption.
TEST_F(Form1Test, PolarisationListShowsWithItsCaption) {
    Form1& f = started();
    for (const EntryCodes& from : kEntries) {
        for (const char* to : {"Intensity v. scattering angle", "Phase function", "Intensity v. radius"}) {
            Pick(f, from.text);
            Choose(f.cboGraph, to);
            EXPECT_TRUE(f.cboPol.visible()) << from.text << " then " << to;
            EXPECT_TRUE(f.Label12.visible()) << from.text << " then " << to;
        }
    }
}

TEST_F(Form1Test, MapsChooseTheLayoutByScreenWidth) {
    Form1& wide = started(1280, 1024);
    Choose(wide, "Graph > Graph size > Large");
    Choose(wide.cboGraph, "Map: angle v. radius");
    EXPECT_TRUE(wide.mnuVLarge.checked());

    Form1& narrow = started(1024, 768);
    Choose(narrow, "Graph > Graph size > Medium");
    Choose(narrow.cboGraph, "Map: angle v. radius");
    EXPECT_TRUE(narrow.mnuLarge.checked());
    // The Lee diagram keeps the size unless overplotting from a file.
    Choose(narrow, "Graph > Graph size > Medium");
    Choose(narrow.cboGraph, "Lee diagram");
    EXPECT_TRUE(narrow.mnuMedium.checked());
    narrow.mnuOverplot.setChecked(true);
    Choose(narrow.cboGraph, "Intensity v. wavelength");
    Choose(narrow.cboGraph, "Lee diagram");
    EXPECT_TRUE(narrow.mnuLarge.checked());
}

TEST_F(Form1Test, AbsoluteUnitsFromTheWavelength) {
    Form1& f = started();
    f.txtLambda.setText("0.65");
    f.calc.radius = 10;
    f.indexState.mediumRe = 1;
    f.lblWatts.setCaption("Incident intensity = 1 Watts/sq m");
    Choose(f.cboGraph, "Watts/sq. m. v. scattering angle");
    ASSERT_EQ(modalCaptions.size(), 1u);
    EXPECT_EQ(modalCaptions[0], "Calculation of Watts/sq m ");
    EXPECT_TRUE(f.mnuInvWavelength.checked());
    EXPECT_TRUE(f.mnuRadiusX.visible());
    EXPECT_EQ(f.lblWatts.caption(), "Incident intensity = 1 Watts/sq m");
    // 2 pi / 0.65 um with pi = 3.14159265358979: 9.66643893412243 per micrometre.
    EXPECT_REL_NEAR(f.calc.sizeParam, 96.66438934122431, 1e-14);
    EXPECT_REL_NEAR(f.calc.waveNumber, 9666438.93412243, 1e-14);
    EXPECT_REL_NEAR(f.calc.waveNumberSq, 9666438.93412243 * 9666438.93412243, 1e-14);
    EXPECT_EQ(f.calc.wavelength, 0.65);

    f.lblDistance.setCaption("Distance = 1 m");
    Choose(f.cboGraph, "Phase function");
    EXPECT_EQ(f.calc.waveNumber, 1.0);
    EXPECT_EQ(f.calc.waveNumberSq, 1.0);
    EXPECT_EQ(f.lblWatts.caption(), "");
    EXPECT_EQ(f.lblDistance.caption(), "");
}

TEST_F(Form1Test, AbsoluteUnitsWithoutAUsableWavelengthStayRelative) {
    Form1& f = started();
    for (const char* lambda : {"0", "", "abc", "-0.65", "1E-320"}) {
        SCOPED_TRACE(lambda);
        Choose(f.cboGraph, "Phase function");
        f.txtLambda.setText(lambda);
        f.calc.radius = 10;
        f.indexState.mediumRe = 1;
        f.calc.sizeParam = 7.5;
        f.calc.wavelength = 0.5;
        Choose(f.cboGraph, "Watts/sq. m. v. scattering angle");
        EXPECT_EQ(f.codes.graphSubCode, kSubWatts);
        EXPECT_EQ(f.calc.waveNumber, 1.0);
        EXPECT_EQ(f.calc.waveNumberSq, 1.0);
        EXPECT_EQ(f.calc.sizeParam, 7.5);
        EXPECT_EQ(f.calc.wavelength, 0.5);
    }
}

TEST(AbsoluteScale, RefusesWavelengthsThatCannotScale) {
    const double inf = std::numeric_limits<double>::infinity();
    for (double lambda : {0.0, -0.65, std::nan(""), inf, -inf, 1e-320}) {
        SCOPED_TRACE(lambda);
        EXPECT_FALSE(AbsoluteScaleFor(lambda, 10, 1).has_value());
    }
    EXPECT_FALSE(AbsoluteScaleFor(0.65, inf, 1).has_value());
}

TEST(AbsoluteScale, SizeParameterAndWaveNumberIncludeTheMediumIndex) {
    const auto s = AbsoluteScaleFor(0.5, 1, 1.333);
    ASSERT_TRUE(s.has_value());
    // x = 2 pi r n_medium / lambda; k = 2 pi n_medium / lambda, the wave number in the medium (it was
    // 2 pi / lambda, the one in vacuum: 12566370.61435916).
    EXPECT_REL_NEAR(s->sizeParam, 2 * 3.14159265358979 * 1.333 / 0.5, 1e-15);
    EXPECT_REL_NEAR(s->waveNumber, 16750972.02894076, 1e-14);
}

// Which of the inputs, frames, options, their captions and the size-entry and step menus a user sees: 1 for a
// control shown in shown frames, 0 for one hidden; then the size entry ticked and the size box's label shown.
std::string Shown(Form1& f) {
    std::string bits, label;
    for (const Control* c : std::initializer_list<const Control*>{
             &f.Frame1,    &f.Frame3,    &f.Frame4,         &f.Frame5,   &f.Frame8,    &f.Frame9,
             &f.txtLambda, &f.txtRadius, &f.txtRefractReal, &f.txtAngle, &f.txtRmax,   &f.txtF9_fixed,
             &f.cboWave,   &f.cboPol,    &f.cboN,           &f.cboLee,   &f.cboBright, &f.optMono,
             &f.optDisp,   &f.optSun,    &f.optXLog,        &f.Label7,   &f.Label29,   &f.chkComponents}) {
        bool on = c->visible();
        for (const Control* k = c; on && (k = dynamic_cast<const Control*>(&k->container()));)
            on = k->visible();
        bits += on ? '1' : '0';
        if (on && c == &f.Label7) label = f.Label7.caption();
    }
    for (const Menu* m : {&f.mnuRadius, &f.mnuDiameter, &f.mnuRadiusDiameter, &f.mnuRadiusX, &f.mnuXStepLog})
        bits += m->visible() ? '1' : '0';
    for (const Menu* m : {&f.mnuRadius, &f.mnuDiameter, &f.mnuRadiusX}) bits += m->checked() ? '1' : '0';
    return bits + " " + label;
}

// In every order of choosing five types, the first run (at a coarse step), each choice shows the inputs a fresh
// window shows on it: the wavelength box where the run reads it, no polarisation list for the asymmetry.
TEST_F(Form1Test, EveryOrderOfGraphChoicesShowsTheInputsOfTheLastType) {
    constexpr std::array<const char*, 5> types = {
        "Cext/Csca/Cabs v. size x", "Asymmetry parameter v. wavelength", "Qext/Qsca/Qabs v. radius",
        "Intensity v. wavelength", "Lee diagram"};
    std::map<std::string, std::string> fresh;
    for (const char* type : types) Choose(started().cboGraph, type), fresh[type] = Shown(*form);
    std::array<int, types.size()> order = {0, 1, 2, 3, 4};
    do {
        Form1& f = started();
        std::string trace;
        for (const int i : order) {
            Choose(f.cboGraph, types[i]), trace += std::string(types[i]) + "; ";
            if (i == order[0]) Type(f.cboStep, "1"), test::Press(f.cmdNewPlot);
            ASSERT_EQ(f.newPlotEnd, NewPlotEnd::Computed) << trace;
            EXPECT_EQ(Shown(f), fresh[types[i]]) << trace;
        }
    } while (std::next_permutation(order.begin(), order.end()));
}

// Every ordered pair of the 21 types, in one sequence of choices on one window that holds each pair once (each
// type, then each later type after it and it again), shows after each choice what a fresh window shows on it:
// the asymmetry against the radius or size keeps its drop-size and light-source frames, no brightness list
// stays from a map, the radius keeps its micro sign after a Lee diagram.
TEST_F(Form1Test, EveryPairOfGraphChoicesShowsTheInputsOfTheSecond) {
    std::vector<std::string> types, fresh;
    for (const GraphTypeEntry& e : GraphTypeTable().first(21))
        types.emplace_back(e.text), Choose(started().cboGraph, types.back()), fresh.push_back(Shown(*form));
    std::vector<std::size_t> walk;
    for (std::size_t a = 0; a < types.size(); ++a) {
        walk.push_back(a);
        for (std::size_t b = a + 1; b < types.size(); ++b) walk.insert(walk.end(), {a, b});
    }
    walk.push_back(0);
    std::set<std::pair<std::size_t, std::size_t>> pairs;
    Form1& f = started();
    for (std::size_t i = 0; i < walk.size(); ++i) {
        Choose(f.cboGraph, types[walk[i]]);
        if (i > 0) pairs.emplace(walk[i - 1], walk[i]);
        EXPECT_EQ(Shown(f), fresh[walk[i]]) << types[walk[i > 0 ? i - 1 : 0]] << " then " << types[walk[i]];
    }
    EXPECT_EQ(pairs.size(), 21u * 21u);
    // After a run of each type, a detour through each type and back shows and reads boxes as a fresh window.
    const auto radius = [](Form1& g) { return Type(g.txtRadius, "5"), g.RecordOfInputs().radiusText; };
    for (std::size_t a = 0; a < types.size(); ++a) {
        const std::string typed = radius(*(Choose(started().cboGraph, types[a]), form));
        Form1& g = started();
        Choose(g.cboGraph, types[a]), Type(g.cboStep, "1"), test::Press(g.cmdNewPlot);
        for (const std::string& b : types) {
            Choose(g.cboGraph, b), Choose(g.cboGraph, types[a]);
            EXPECT_EQ(Shown(g), fresh[a]) << types[a] << " run, " << b << " then it again";
            EXPECT_EQ(radius(g), typed) << types[a] << " run, " << b << " then it again";
        }
    }
}

// After an angle run in size-parameter entry, several wavelengths read the size box as a fresh window does.
TEST_F(Form1Test, SeveralWavelengthsReadTheSizeBoxAsAFreshWindowDoes) {
    const auto typed = [](Form1& g) {
        return Type(g.txtRadius, "19"), Shown(g) + g.RecordOfInputs().radiusText;
    };
    for (const char* type :
         {"Intensity v. scattering angle", "Phase function", "Watts/sq. m. v. scattering angle"})
        for (const char* count : {"3", "RGB", "Low"}) {
            Form1& f = started();
            Choose(f.cboGraph, type), Choose(f.mnuRadiusX), Type(f.cboStep, "1"), test::Press(f.cmdNewPlot);
            Choose(f.cboWave, count);
            const std::string shown = typed(f);
            Choose(started().cboGraph, type), Choose(form->cboWave, count);
            EXPECT_EQ(shown, typed(*form)) << type << ", " << count;
        }
}

}  // namespace
}  // namespace tessary
