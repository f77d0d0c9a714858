// The index the boxes show is the index a one-wavelength run computes with: a typed index in the
// convergence graph and the Lee diagram as in the angle graph, and an index the models refused is
// not run with the number the boxes kept from before (New plot refuses with the models' message
// until an index is shown or typed); the medium's index is that of its model at the run's wavelength.
#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "file_bytes.h"
#include "graphs/graph_codes.h"
#include "media/refrel.h"
#include "numerics/constants.h"
#include "runs/box_number.h"
#include "tests/mainwindow/form1_test_support.h"
#include "tests/support/rel_error.h"

namespace tessary {
namespace {

class IndexUsedTest : public test::Form1Test {
  protected:
    // New plot of the graph with the index typed into the box, at 0.65 um and radius 10 um.
    void newPlot(Form1& f, const std::string& graph, const std::string& index) {
        f.cboGraph.setText(graph);
        f.txtRefractReal.setText(index);
        messages.clear();
        f.cmdNewPlot.click();
        EXPECT_TRUE(messages.shown().empty()) << graph << ": " << messages.last().prompt;
    }
    // Chooses the menu item; its dialog, edited by the script, is answered OK.
    template <class D>
    std::function<void(Form1&)> choose(Menu Form1::*item, std::function<void(D&)> edit) {
        return [this, item, edit](Form1& f) {
            runtime.setModalHook([edit](Form& dialog) {
                edit(dynamic_cast<D&>(dialog));
                dynamic_cast<D&>(dialog).OKButton.click();
            });
            (f.*item).trigger();
        };
    }
};

TEST_F(IndexUsedTest, ConvergenceAndOneWavelengthLeeTakeTheTypedIndex) {
    Form1& f = started();
    ASSERT_EQ(f.txtRefractReal.text(), "1.33257035");  // IAPWS water at 5 C, 0.65 um
    newPlot(f, "Intensity v. scattering angle", "1.333");
    const double at178 = f.results.intensityPerp[1781];  // 0.1 degree steps
    EXPECT_NEAR(at178, 3279.91, 0.01);

    // The convergence graph at 178 degrees converges to the angle graph's |S1|^2.
    newPlot(f, "Convergence", "1.333");
    EXPECT_EQ(f.calc.calcIndexRe, 1.333);
    EXPECT_REL_NEAR(f.results.intensityPerp[static_cast<std::size_t>(f.runProgress.termCount)], at178, 1e-12);

    f.cboGraph.setText("Lee diagram");
    f.cboWave.setText("1");
    newPlot(f, "Lee diagram", "1.333");
    ASSERT_EQ(f.leeWaves.size(), 1u);
    EXPECT_EQ(f.leeWaves[0].wavelength, 0.65);
    EXPECT_EQ(f.leeWaves[0].mRe, 1.333);
    EXPECT_EQ(f.calc.calcIndexRe, 1.333);
}

TEST_F(IndexUsedTest, ARefusedModelRefusesTheNextRunUntilAnIndexIsTyped) {
    const struct {
        const char* model;
        std::function<void(Form1&)> choose;
        const char* prompt;
        const char* title;
    } cases[] = {
        {"user sphere with two equal wavelengths",
         choose<dlogRI_User1>(&Form1::mnuRI_User1,
                              [](dlogRI_User1& d) { d.txtRI_lambda1_2.setText(d.txtRI_lambda1_1.text()); }),
         "All x values must be different", "Error in input data"},
        {"air at 1e308 C",
         choose<dlogAir>(&Form1::mnuRI_Air1, [](dlogAir& d) { d.txtAirTemp.setText("1e308"); }),
         "Help! RI of sphere undefined", "Error"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.model);
        Form1& f = started();
        messages.clear();
        c.choose(f);
        ASSERT_FALSE(messages.shown().empty());
        EXPECT_EQ(messages.last().prompt, c.prompt);       // the models' own refusal
        EXPECT_EQ(f.txtRefractReal.text(), "1.33257035");  // the earlier number stays in the box

        // New plot: the models' message again, the index box red, nothing computed.
        messages.clear();
        f.calc.calcIndexRe = -1;
        f.cmdNewPlot.click();
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_EQ(messages.last().prompt, c.prompt);
        EXPECT_EQ(messages.last().title, c.title);
        EXPECT_EQ(f.txtRefractReal.backColor(), OleColor{255});  // red
        EXPECT_EQ(f.calc.calcIndexRe, -1);

        // An index typed into the box is the user's and is computed with.
        newPlot(f, f.cboGraph.text(), "1.333");
        EXPECT_EQ(f.calc.calcIndexRe, 1.333);
    }
}

// The medium's index a run at one wavelength computes with is its model's at that wavelength: after a run of
// several wavelengths, a medium chosen on a Lee diagram (no index worked out) or one chosen while the graph
// was refused for the method, the size parameter is the radius's in the record's medium, and the values are
// those of the same inputs on a fresh window.
TEST_F(IndexUsedTest, ARunTakesTheMediumIndexItsRecordNames) {
    using Act = std::function<void(Form1&)>;
    const Act water = [](Form1& f) {
        test::Choose(f, "Advanced > Refractive index > Surrounding medium > Water > Segelstein");
    };
    const std::pair<Act, Act> cases[] = {
        // what the window did first; the run's inputs (none: not on a fresh one)
        {[&](Form1& f) { water(f), test::Choose(f.cboWave, "Low"), f.cmdNewPlot.click(); },
         [&](Form1& f) { water(f), test::Choose(f.cboGraph, "Qext/Qsca/Qabs v. radius"); }},
        {[&](Form1& f) { test::ChooseGraph(f, kGraphLee), water(f); },
         [&](Form1& f) { water(f), test::ChooseGraph(f, kGraphIndex); }},
        {[](Form1& f) {
             test::Choose(f.cboGraph, "Cext/Csca/Cabs v. radius"), test::Choose(f.cboType, "Diffraction");
             test::Choose(f, "Advanced > Refractive index > Surrounding medium > User defined");
         },
         nullptr},
    };
    for (const auto& [before, set] : cases) {
        Form1& f = started();
        before(f);
        if (set) set(f);
        messages.clear(), f.cmdNewPlot.click();
        ASSERT_TRUE(messages.shown().empty()) << messages.last().prompt;
        const RunRecord& r = f.runRecord;
        const double lambda = Val(r.lambdaText);
        EXPECT_EQ(r.sizeParam, r.radius * kTwoPi / lambda * refrel(r.indexModels, lambda).mediumRe);
        if (!set) continue;
        const std::vector<double> values = f.results.intensityPerp;
        Form1& g = started();
        set(g), g.cmdNewPlot.click();
        EXPECT_EQ(values, g.results.intensityPerp);
    }
}

// The asymmetry parameter against the wavelength is recorded as taking the models' index at each wavelength.
TEST_F(IndexUsedTest, AsymmetryAgainstWavelengthNamesTheModelsAtEachWavelength) {
    Form1& f = started();
    test::Choose(f.cboGraph, "Asymmetry parameter v. wavelength");
    newPlot(f, "Asymmetry parameter v. wavelength", "1.5");
    EXPECT_TRUE(f.runRecord.indexPerWavelength && !f.runRecord.indexTyped);
}

using test::Choose, test::Press, test::Type;
using Act = std::function<void(Form1&)>;
using RunIndexTest = test::Form1Test;

// Each model chosen every way (a medium after the IAPWS sphere ticked the other way): index, labels, colour.
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
        const Act choose = [&, item = item, c = complex](Form1& f) {  // the water dialogs ticked and closed
            if (medium) f.dlogTemp_->chkRI_Complex.setValue(1 - c), Choose(f.mnuRI_IAPWS);
            f.dlogSegelstein_->chkRI_Complex.setValue(c), Choose(f.*item);
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
                fileDialogs.answer(folder.at("i.rix")), Choose(f.*file), Press(f.cmdNewPlot), choose(f);
            },
            [&](Form1& f) {
                Choose(f.cboGraph, "Qext/Qsca/Qabs v. wavelength"), Press(f.cmdNewPlot), choose(f);
            },
            [&](Form1& f) {
                Type(f.txtLambda, "0.55"), choose(f), Type(f.txtXmin, "170"), Type(f.txtXmax, "150");
                Type(f.txtLambda, "0.65"), Type(f.txtXmin, "0"), Type(f.txtXmax, "180");
            }};
        for (const Act& way : ways) {
            Form1& f = started();
            way(f), Choose(f.cboGraph, "Intensity v. scattering angle"), Press(f.cmdNewPlot);
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

// Copper chosen with the boxes hidden, a wavelength sweep, then an index sweep: Im m of 0.65 um, or as typed.
TEST_F(RunIndexTest, AnIndexSweepTakesImOfTheBoxesAtItsWavelength) {
    Form1& f = started();
    Type(f.cboWave, "Med."), Choose(f, "Advanced > Refractive index > Sphere > Copper"), Type(f.cboWave, "1");
    Choose(f.cboGraph, "Cext/Csca/Cabs v. wavelength"), Press(f.cmdNewPlot);
    Choose(f.cboGraph, "Intensity v. refractive index"), Press(f.cmdNewPlot);
    EXPECT_REL_NEAR(f.results.intensityPerp[1], 1666.43107246364, 1e-12);
    Type(f.txtLambda, "0,650"), Type(f.txtRefractImag, "0"), Press(f.cmdNewPlot);
    EXPECT_REL_NEAR(f.results.intensityPerp[1], 1857.358, 1e-6);
    EXPECT_TRUE(f.runRecord.indexTyped && f.caption() == "Mie scattering:  Copper in a vacuum ");
}

// Silver refused for Rayleigh: the 0 written is typed at one wavelength; runs taking silver's refuse again.
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
    f.dlogTemp_->chkRI_Complex.setValue(1), Choose(f.mnuRI_IAPWS), Choose(f.mnuRI_Au);
    EXPECT_EQ(f.mnuRI_IAPWS.caption() + f.mnuRI_Ray.caption(), "IAPWS 5C ComplexRay Complex");
    f.dlogSegelstein_->chkRI_Complex.setValue(0), Choose(f.mnuRI_Segelstein), Choose(f.mnuRI_Au);
    EXPECT_EQ(f.mnuRI_IAPWS.caption() + f.mnuRI_Ray.caption(), "IAPWS 5CRay");
}

// Each case on a fresh window, then New plot: refused with the message and its inputs red, or computed (no
// message). The checks judge each index the run takes, not the boxes where it takes its models' or a map's.
TEST_F(IndexUsedTest, MethodChecksJudgeTheIndicesTheRunTakes) {
    const Act debyeP2 = [](Form1& f) { Choose(f.cboType, "Debye"), Type(f.cboRays, "2"); };
    const Act copperTyped0 = [](Form1& f) {
        Choose(f, "Advanced > Refractive index > Sphere > Copper"), Type(f.txtRefractImag, "0");
    };
    const auto rayleighMap = [](const char* graph, const char* fixed) {
        return [graph, fixed](Form1& f) {
            Type(f.txtRadius, "0.01"), Choose(f.cboGraph, graph), Choose(f.cboType, "Rayleigh");
            if (fixed) Type(f.txtF9_fixed, fixed);
        };
    };
    const std::string suppressed =
        "Debye rays for p > 0 are suppressed by high absorption in the sphere due to the large imaginary value "
        "of the refractive index";
    const std::tuple<std::vector<Act>, std::string, std::vector<TextBox Form1::*>> cases[] = {
        {{copperTyped0, [](Form1& f) { Type(f.cboWave, "30"); }, debyeP2}, suppressed, {}},
        {{copperTyped0, [](Form1& f) { Choose(f.cboGraph, "Intensity v. wavelength"); }, debyeP2},
         suppressed,
         {}},
        {{[](Form1& f) { Type(f.txtRefractImag, "2"), Type(f.cboWave, "30"), Type(f.cboStep, "1"); },
          debyeP2},
         "",
         {}},
        {{rayleighMap("Map: angle v. imaginary RI", nullptr)},
         kComplexIndexNotValid,
         {&Form1::txtF9_min, &Form1::txtF9_max}},
        {{rayleighMap("Map: angle v. refractive index", "0.01")},
         kComplexIndexNotValid,
         {&Form1::txtF9_fixed}},
        {{rayleighMap("Map: angle v. refractive index", "0")}, "", {}},
    };
    for (const auto& [sets, prompt, red] : cases) {
        Form1& f = started();
        for (const Act& set : sets) set(f);
        messages.clear(), Press(f.cmdNewPlot);
        EXPECT_EQ(f.newPlotEnd, prompt.empty() ? NewPlotEnd::Computed : NewPlotEnd::Refused) << prompt;
        EXPECT_EQ(messages.shown().size(), prompt.empty() ? 0u : 1u) << prompt;
        if (!prompt.empty()) {
            EXPECT_EQ(messages.last().prompt, prompt);
        }
        for (TextBox Form1::*box : red) EXPECT_EQ((f.*box).backColor(), 255u) << prompt;
    }
}

// The Debye series (p = 2) on a fresh window, New plot: Im m x above 100 is refused at the largest x the run
// reaches: of the radius a size parameter or diameter stands for, in the medium, at the last step of a sweep
// (past the typed maximum, or logarithmic), the last row of a Lee diagram or a map, the largest sample of a size
// distribution; not at a box it never reads.
TEST_F(IndexUsedTest, TheDebyeCheckJudgesTheLargestSizeTheRunReaches) {
    using Boxes = std::vector<std::pair<TextBox Form1::*, const char*>>;
    const auto menu = [](const char* path) -> Act {
        return [=](Form1& f) { Choose(f, std::string("Advanced > ") + path); };
    };
    const auto on = [](const char* graph, Boxes boxes, const char* step = nullptr) -> Act {
        return [=](Form1& f) {
            if (graph) Choose(f.cboGraph, graph);
            for (const auto& [box, text] : boxes) Type(f.*box, text);
            if (step) Type(f.cboStep, step);
        };
    };
    const auto radius = [](const char* text) { return Boxes{{&Form1::txtRadius, text}}; };
    const Boxes to26 = {{&Form1::txtXmin, "1"}, {&Form1::txtXmax, "26.2"}};  // 2 pi 26.2 / 0.65 = 253
    const Act normal = [](Form1& f) {  // N 10: the largest sample 1 + 1.7536 sigma
        f.optDisp.setValue(true), Choose(f.cboDistrib, "Normal"), Type(f.cboSD, "30"), Type(f.cboN, "10");
    };
    const std::tuple<std::vector<Act>, const char*, bool> cases[] = {
        // acts, Im m typed, refused
        {{menu("Radius or diameter > Size parameter x"), on(nullptr, radius("200"))}, "0.4", false},
        {{menu("Radius or diameter > Diameter"), on(nullptr, radius("41.38"))}, "0.4", false},
        {{menu("Refractive index > Surrounding medium > Water > Segelstein"), on(nullptr, radius("20.69"))},
         "0.4",
         true},
        {{on(nullptr, radius("30")), on("Intensity v. radius", {{&Form1::txtXmax, "10"}}, "0.1")},
         "0.4",
         false},
        {{on("Intensity v. radius", to26, "2")}, "0.39", true},  // last step 27
        {{on("Intensity v. radius", to26), menu("Logarithmic steps")}, "0.4", true},
        {{on("Intensity v. size parameter x", {{&Form1::txtXmin, "10"}, {&Form1::txtXmax, "300"}}, "10")},
         "0.4",
         true},
        {{menu("Refractive index > Sphere > Copper"), on("Lee diagram", radius("1")),
          on(nullptr, {{&Form1::txtRmax, "4"}})},
         nullptr,
         true},
        {{on("Map: angle v. radius", {{&Form1::txtF9_max, "30"}})}, "0.4", true},
        {{on(nullptr, radius("20")), normal}, "0.4", true},  // Im m x 77 at 20 um, 118 at the largest sample
    };
    for (std::size_t n = 0; n < std::size(cases); ++n) {
        const auto& [acts, k, refused] = cases[n];
        Form1& f = started();
        for (const Act& act : acts) act(f);
        Choose(f.cboType, "Debye"), Type(f.cboRays, "2");
        if (k) Type(f.txtRefractImag, k);
        messages.clear(), Press(f.cmdNewPlot);
        EXPECT_EQ(f.newPlotEnd, refused ? NewPlotEnd::Refused : NewPlotEnd::Computed) << "case " << n;
        EXPECT_EQ(messages.shown().size(), refused ? 1u : 0u) << "case " << n;
        if (!refused || messages.shown().empty()) continue;
        EXPECT_EQ(messages.last().title, "Debye series");
        EXPECT_EQ(f.txtRefractImag.backColor(), 255u);
    }
}

// Per method, New plot refused (R: m above 1, A: Airy's 1 < m < p, C: a real index, G: angle graphs only;
// R, A with the index's box red) or computed (-), judging every index the run takes; diffraction the boxes'.
TEST_F(IndexUsedTest, RealPartChecksJudgeTheIndicesTheRunTakes) {
    const test::TestFolder folder("tessary_real_part_");
    const auto file = [&](const char* name, Menu Form1::*item, const char* rows) -> Act {
        test::WriteAll(folder.at(name),
                       std::string("Tessary 300\n-\n-\n-\n-\n-\n-\n-\n-\n-\n-\n-\nI\num\nReal\n") + rows);
        return
            [this, &folder, name, item](Form1& f) { fileDialogs.answer(folder.at(name)), Choose(f.*item); };
    };
    // Medium m 0.91 to 1.02; sphere 2.22 to 1.9; sphere below 1 at 540 nm only ("Low" at 21 um, not 10 um).
    const Act medium = file("medium.rix", &Form1::mnuRI_File2, "2\n.3,1.5\n.9,1.2\n");
    const Act sphere = file("sphere.rix", &Form1::mnuRI_File1, "2\n.3,2.3\n.9,1.7\n");
    const Act dip = file("dip.rix", &Form1::mnuRI_File1, "5\n.3,1.5\n.539,1.01\n.54,.9\n.541,1.01\n.9,1.5\n");
    const Act gold = [](Form1& f) {
        Choose(f, "Advanced > Refractive index > Sphere > Gold"), Type(f.txtLambda, "0.4");
    };
    const Act typed = [](Form1& f) { Type(f.txtRefractReal, "0.9"); };
    // A graph with its x range and step typed (none: as chosen).
    const auto graph = [](const char* name, const char* from = nullptr, const char* to = "",
                          const char* step = "") -> Act {
        return [=](Form1& f) {
            Choose(f.cboGraph, name);
            if (from) Type(f.txtXmin, from), Type(f.txtXmax, to), Type(f.cboStep, step);
        };
    };
    const Act waves = [](Form1& f) { Type(f.cboWave, "30"); };
    const Act mapIndex = graph("Map: angle v. refractive index");
    const Act sweep = graph("Intensity v. refractive index", "1.1", "1.5", "0.01");
    const Act leeLow = [](Form1& f) {  // rows at 10 um (100 wavelengths) and 21 um (47)
        Choose(f.cboGraph, "Lee diagram"), Choose(f.cboWave, "Low"), Type(f.txtRadius, "10");
        Type(f.txtRmax, "21"), Type(f.txtRstep, "1");
    };
    const auto real = &Form1::txtRefractReal;
    std::vector<std::tuple<std::vector<Act>, std::string, TextBox Form1::*>> cases = {
        {{gold, [](Form1& f) { Type(f.txtLambda, "0.6"); }}, "RRRCCR", real},
        {{typed, waves}, "----R-", real},
        {{mapIndex, typed}, "----R-", real},
        {{sweep, typed}, "----RG", real},
        {{mapIndex, [](Form1& f) { Type(f.txtF9_min, "0.9"); }}, "RRRA-R", &Form1::txtF9_min},
        {{sweep, [](Form1& f) { Type(f.txtXmin, "0.8"); }}, "RRRA-G", &Form1::txtXmin},
        {{dip, leeLow}, "RRRR-R", real}};
    // Each index over several wavelengths, a Lee diagram, a map over them and a graph against them (G for the last).
    const Act runs[] = {waves, graph("Lee diagram"), graph("Map: angle v. wavelength"),
                        graph("Intensity v. wavelength", "400", "700", "10")};
    for (const auto& [index, outcomes] : {std::pair{gold, "RRRCCR"}, {medium, "RRRR-R"}, {sphere, "---A--"}})
        for (int k = 0; k < 4; ++k)
            cases.push_back({{index, runs[k]}, k < 3 ? outcomes : std::string(outcomes, 5) + "G", real});
    const char* methods[] = {"Descartes", "Young", "Young mod", "Airy", "Diffraction", "Surface wave"};
    const std::map<char, std::string> prompts = {
        {'R', "Refractive index must be greater than 1 for this calculation method"},
        {'A', "Airy theory is valid only for 1 < m < p"},
        {'C', kComplexIndexNotValid},
        {'G',
         "This calculation method is available only for graphs against scattering angle at one wavelength and one size"},
        {'-', ""}};
    for (std::size_t n = 0; n < std::size(cases); ++n)
        for (std::size_t k = 0; k < std::size(methods); ++k) {
            const auto& [acts, outcomes, red] = cases[n];
            const std::string& prompt = prompts.at(outcomes[k]);
            Form1& f = started();
            for (const Act& act : acts) act(f);
            Choose(f.cboType, methods[k]), Type(f.cboRays, "2");
            bool redShown = false;  // the input holding the index red while the message is read
            runtime.setMessageBoxResponder([&, red = red](const MessageBoxRequest& r) {
                redShown = (f.*red).backColor() == 255u;
                return messages.respond(r);
            });
            messages.clear(), Press(f.cmdNewPlot);
            SCOPED_TRACE(testing::Message() << "case " << n << ", " << methods[k]);
            EXPECT_EQ(f.newPlotEnd, prompt.empty() ? NewPlotEnd::Computed : NewPlotEnd::Refused);
            EXPECT_EQ(messages.shown().empty() ? "" : messages.last().prompt, prompt);
            EXPECT_EQ(redShown, outcomes[k] == 'R' || outcomes[k] == 'A');
        }
}

}  // namespace
}  // namespace tessary
