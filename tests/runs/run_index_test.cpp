// A run computes with, and names, the index and colour of its own wavelength and models however they were
// chosen; only an index typed since (or a method refusal's 0) is a user value. The water complex choice is one.
#include <functional>
#include <string>
#include <tuple>

#include "file_bytes.h"
#include "runs/box_number.h"
#include "tests/mainwindow/form1_test_support.h"
#include "tests/support/rel_error.h"

namespace tessary {
namespace {

using test::Choose, test::Press, test::Type;
using Act = std::function<void(Form1&)>;
Act NewPlotOf(const char* graph) {
    return [graph](Form1& f) { Choose(f.cboGraph, graph), Press(f.cmdNewPlot); };
}
const Act kAngle = NewPlotOf("Intensity v. scattering angle");

using RunIndexTest = test::Form1Test;

// The water dialogs answered OK with their complex box ticked or not.
void ComplexWater(Runtime& runtime, int ticked) {
    runtime.setModalHook([ticked](Form& d) {
        if (auto* w = dynamic_cast<dlogTemp*>(&d)) w->chkRI_Complex.setValue(ticked), w->OKButton.click();
        if (auto* s = dynamic_cast<dlogSegelstein*>(&d))
            s->chkRI_Complex.setValue(ticked), s->OKButton.click();
        d.hide();
    });
}

// Each model (sphere; medium, with the IAPWS sphere chosen ticked the other way before: the complex choice is one)
// chosen every way, then an angle graph at 0.65 um: the index, label and colour of the models there.
TEST_F(RunIndexTest, IndexAndLabelsOfTheModelsHoweverTheyWereChosen) {
    const std::tuple<Menu Form1::*, Menu Form1::*, int, double, double, std::string> models[] = {
        {&Form1::mnuRI_Au, &Form1::mnuRI_File1, 0, 0.15570858, 3.6016264, "Sphere: GoldIAPWS 5C"},
        {&Form1::mnuRI_Segelstein2, &Form1::mnuRI_File2, 1, 1.00141502, 6.30e-10,
         "Sphere: Water (IAPWS 5C Complex)IAPWS 5C ComplexMedium: Water (Segelstein Complex)"},
        {&Form1::mnuRI_Segelstein2, &Form1::mnuRI_File2, 0, 1.00141502, 0,
         "Sphere: Water (IAPWS 5C)IAPWS 5CMedium: Water (Segelstein)"}};
    const test::TestFolder folder("tessary_run_index_");
    test::WriteAll(folder.at("i.rix"),
                   "Tessary 300\n-\n-\n-\n-\n-\n-\n-\n-\n-\n-\n-\nI\num\nReal\n2\n.3,1\n.9,1\n");
    for (const auto& [item, file, complex, re, im, labels] : models) {
        const bool medium = file == &Form1::mnuRI_File2;
        const Act choose = [&, item = item, c = complex](Form1& f) {
            if (medium) ComplexWater(runtime, 1 - c), Choose(f.mnuRI_IAPWS), ComplexWater(runtime, c);
            Choose(f.*item);
        };
        const Act ways[] = {
            choose,
            [&](Form1& f) { Type(f.cboWave, "Med."), choose(f), Type(f.cboWave, "1"); },
            [&, r = re](Form1& f) {
                Type(f.txtRadius, "0"), Press(f.cmdNewPlot), choose(f);
                EXPECT_EQ(f.txtRefractReal.text(), RealIndexText(r));  // shown while the radius is refused
                Type(f.txtRadius, "10");
            },
            [&, file = file](Form1& f) {
                fileDialogs.answer(folder.at("i.rix")), Choose(f.*file), kAngle(f), choose(f);
            },
            [&](Form1& f) { NewPlotOf("Qext/Qsca/Qabs v. wavelength")(f), choose(f); },
            [&](Form1& f) {
                Type(f.txtLambda, "0.55"), choose(f), Type(f.txtXmin, "170"), Type(f.txtXmax, "150");
                Type(f.txtLambda, "0.65"), Type(f.txtXmin, "0"), Type(f.txtXmax, "180");
            }};
        for (const Act& way : ways) {
            Form1& f = started();
            ComplexWater(runtime, complex), way(f), kAngle(f);
            ASSERT_EQ(f.newPlotEnd, NewPlotEnd::Computed) << labels;
            EXPECT_REL_NEAR(f.calc.calcIndexRe, re, 1e-8);
            EXPECT_REL_NEAR(f.calc.calcIndexIm, im, 1e-5);
            EXPECT_FALSE(f.runRecord.indexTyped);
            EXPECT_EQ(
                f.lblSphere.caption() + f.mnuRI_IAPWS.caption() + (medium ? f.lblRI_Medium.caption() : ""),
                labels);
            EXPECT_EQ(f.Label4.backColor(), 255u);  // the colour of 0.65 um
        }
    }
}

// Copper chosen while the boxes are hidden, then run against wavelength: its index sweep takes its Im m at 0.65 um
// (1666.431 at m = 1.33, a fresh window's; 1857.358 with Im m = 0). A typed Im m is the one computed with, also
// when the checks rewrite the wavelength typed before it.
TEST_F(RunIndexTest, AnIndexSweepTakesImOfTheBoxesAtItsWavelength) {
    Form1& f = started();
    Type(f.cboWave, "Med."), Choose(f, "Advanced > Refractive index > Sphere > Copper"), Type(f.cboWave, "1");
    NewPlotOf("Cext/Csca/Cabs v. wavelength")(f), NewPlotOf("Intensity v. refractive index")(f);
    EXPECT_REL_NEAR(f.results.intensityPara[1], 1674.52169784081, 1e-12);
    EXPECT_REL_NEAR(f.results.intensityPerp[1], 1666.43107246364, 1e-12);
    Type(f.txtLambda, "0,650"), Type(f.txtRefractImag, "0"), Press(f.cmdNewPlot);
    EXPECT_REL_NEAR(f.results.intensityPerp[1], 1857.358, 1e-6);
    EXPECT_TRUE(f.runRecord.indexTyped && f.caption() == "Mie scattering:  Copper in a vacuum ");
}

// Silver refused for Rayleigh: at one wavelength the 0 written is the next run's user value; a run that
// takes silver's index at each wavelength is refused again.
TEST_F(RunIndexTest, AMethodRefusedForAComplexIndexIsRefusedAgainWhereTheModelsGiveIt) {
    for (const auto& [graph, waves, refusedAgain] : {std::tuple{"Intensity v. scattering angle", "1", false},
                                                     {"Intensity v. scattering angle", "Med.", true},
                                                     {"Intensity v. wavelength", "1", true},
                                                     {"Map: angle v. wavelength", "1", true}}) {
        Form1& f = started();
        Choose(f.cboGraph, graph), Type(f.cboWave, waves),
            Choose(f, "Advanced > Refractive index > Sphere > Silver");
        Choose(f.cboType, "Rayleigh"), Press(f.cmdNewPlot), Press(f.cmdNewPlot);
        EXPECT_EQ(f.newPlotEnd, refusedAgain ? NewPlotEnd::Refused : NewPlotEnd::Computed) << graph << waves;
        EXPECT_EQ(messages.last().prompt == kComplexIndexNotValid, refusedAgain) << graph << waves;
        EXPECT_EQ(f.calc.calcIndexIm == 0 && f.runRecord.indexTyped, !refusedAgain) << graph << waves;
        if (!refusedAgain) continue;  // the 0 no run read is no typed index at one wavelength
        Choose(f.cboGraph, "Intensity v. scattering angle"), Type(f.cboWave, "1"), Choose(f.cboType, "Mie");
        Type(f.txtXmin, "0"), Type(f.txtXmax, "180"), Press(f.cmdNewPlot);
        EXPECT_TRUE(f.calc.calcIndexIm > 3.6 && !f.runRecord.indexTyped) << graph << waves;
    }
}

// The water items name the variant the next choice of them takes, chosen or not.
TEST_F(RunIndexTest, TheWaterItemsFollowTheComplexChoice) {
    Form1& f = started();
    ComplexWater(runtime, 1), Choose(f.mnuRI_IAPWS), Choose(f.mnuRI_Au);
    EXPECT_EQ(f.mnuRI_IAPWS.caption() + f.mnuRI_Ray.caption(), "IAPWS 5C ComplexRay Complex");
    ComplexWater(runtime, 0), Choose(f.mnuRI_Segelstein), Choose(f.mnuRI_Au);
    EXPECT_EQ(f.mnuRI_IAPWS.caption() + f.mnuRI_Ray.caption(), "IAPWS 5CRay");
}

// A file of gold with an index typed as water's (as earlier versions also saved a model chosen while the boxes
// were hidden) is read as that typed index: New plot on a fresh window computes and saves the same file.
TEST_F(RunIndexTest, AFileKeepsTheIndexItHolds) {
    const test::TestFolder folder("tessary_run_index_");
    const auto save = [&](Form1& f, const char* name) {
        fileDialogs.answer(folder.at(name)), Choose(f.mnuSave);
        return test::ReadAll(folder.at(name) + std::string(".tsy"));
    };
    Form1& f = started();
    Choose(f.mnuRI_Au), Type(f.txtRefractReal, "1.33257035"), Type(f.txtRefractImag, "0"),
        Press(f.cmdNewPlot);
    const std::string saved = save(f, "a");
    Form1& g = started();
    fileDialogs.answer(folder.at("a.tsy")), Choose(g.mnuRead), Press(g.cmdNewPlot);
    EXPECT_TRUE(g.calc.calcIndexRe == 1.33257035 && g.runRecord.indexTyped);
    EXPECT_EQ(save(g, "b"), saved);
}

}  // namespace
}  // namespace tessary
